// Port: shell links, the shell's start of a file and child processes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IShellLinkObject {
public:
    virtual ~IShellLinkObject() = default;  // releases the interfaces and COM

    // IShellLinkW::SetPath.
    virtual bool SetPath(const std::u16string& target) = 0;
    // IPersistFile::Save with the remember flag set.
    virtual bool Save(const std::u16string& linkPath) = 0;
};

class IShortcuts {
public:
    virtual ~IShortcuts() = default;

    // CoInitialize, the shell-link object and its IPersistFile; null when any of them fails.
    virtual std::unique_ptr<IShellLinkObject> CreateLink() = 0;
    // SHGetSpecialFolderPathW(CSIDL_COMMON_PROGRAMS), not created.
    virtual std::u16string CommonProgramsFolder() = 0;
};

class IProcessHandle {
public:
    virtual ~IProcessHandle() = default;  // closes the handles

    // WaitForSingleObject: true when the process has ended within the time (0xFFFFFFFF: none).
    virtual bool Wait(uint32_t milliseconds) = 0;
    // GetExitCodeProcess once it has ended; nothing when unknown (no process of its own).
    virtual std::optional<uint32_t> ExitCode() = 0;
    // TerminateProcess: for a program that did not end in its time.
    virtual bool Terminate() = 0;
};

enum : uint32_t { WAIT_FOREVER = 0xFFFFFFFF };

class IProcesses {
public:
    virtual ~IProcesses() = default;

    // CreateProcessW(no application name, command line, inherit handles, HIGH_PRIORITY_CLASS,
    // the installer's environment and folder); null when it cannot be created.
    virtual std::unique_ptr<IProcessHandle> Create(const std::u16string& commandLine) = 0;
    // The desktop's shell (the logged-on user's, not elevated) opens the file, so that it runs
    // with the user's rights and profile: IShellDispatch2::ShellExecute (SW_HIDE) reached through
    // the desktop's shell view. False when there is no desktop shell to ask.
    virtual bool OpenAsDesktopUser(const std::u16string& file) = 0;
    // The running processes of every session whose program file is one of these full paths
    // (compared without regard to case), opened with SYNCHRONIZE |
    // PROCESS_QUERY_LIMITED_INFORMATION only to be waited for. One that cannot be opened is
    // left out.
    virtual std::vector<std::unique_ptr<IProcessHandle>> OpenRunning(
        const std::vector<std::u16string>& programs) = 0;
};
