// Port: where the platform keeps Program Files and the system folders, and whether this
// process runs under Wow64.
#pragma once

#include <string>

// Shell folder identifiers the configuration loader asks for.
enum : int {
    CSIDL_SYSTEM_FOLDER = 0x25,
    CSIDL_PROGRAM_FILES_FOLDER = 0x26,
    CSIDL_SYSTEMX86_FOLDER = 0x29,
};

class ISystemFolders {
public:
    virtual ~ISystemFolders() = default;

    // SHGetFolderPathW(CSIDL_PROGRAM_FILES), as the platform gives it.
    virtual std::u16string GetProgramFilesFolder() = 0;
    // IsWow64Process for this process, looked up at run time; false when the call is absent.
    virtual bool IsWow64Process() = 0;
    // SHGetSpecialFolderPathW with create set.
    virtual std::u16string GetSpecialFolder(int csidl) = 0;
    // GetSystemDirectoryW.
    virtual std::u16string GetSystemDirectoryPath() = 0;
    virtual int DisableWow64Redirection(void** oldValue) = 0;
    virtual int RevertWow64Redirection(void* oldValue) = 0;
};

ISystemFolders& PlatformSystemFolders();
