// Port: the files and folders the installer reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct FolderEntry {
    std::u16string name;
    bool isFolder = false;
    uint64_t size = 0;  // bytes, for files
};

// ReplaceFile writes the new bytes to the path with this ending first.
inline constexpr const char16_t* kReplacingSuffix = u".new";

// WritePayloadFile's results.
enum : int {
    WRITE_FILE_OK = 0,
    WRITE_FILE_CANNOT_OPEN = 1,
    WRITE_FILE_SHORT = 2,
};

// A file or folder held open for its removal. What is checked on it is what goes, whatever
// happens to the path meanwhile.
class IRemovableEntry {
public:
    virtual ~IRemovableEntry() = default;  // closes the handle

    // GetFinalPathNameByHandleW without "\\?\" ("\\?\UNC\" as "\\"): the object's real path,
    // every junction and link on the way resolved; empty when unknown.
    virtual std::u16string FinalPath() = 0;
    // The object opened is itself a reparse point.
    virtual bool IsLink() = 0;
    // SetFileInformationByHandle(FileDispositionInfo): it goes when the handle closes. Fails for
    // a folder that is not empty and for a program that is running.
    virtual bool Remove() = 0;
};

class ISetupFiles {
public:
    virtual ~ISetupFiles() = default;

    // CreateDirectoryW of one level: false when it exists already or cannot be made.
    virtual bool CreateFolder(const std::u16string& path) = 0;
    // CopyFileW, overwriting an existing destination.
    virtual bool CopyOneFile(const std::u16string& from, const std::u16string& to) = 0;
    // FindFirstFileW / FindNextFileW of a pattern such as folder + "\*": the entries in the
    // platform's order, "." and ".." included where it lists them. Nothing when none is found.
    virtual std::optional<std::vector<FolderEntry>> List(const std::u16string& pattern) = 0;
    // CreateFileW(DELETE, any sharing, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT |
    // FILE_FLAG_BACKUP_SEMANTICS): a file or folder, or the link itself. Null when it is missing
    // or held by a program that does not share it for deletion.
    virtual std::unique_ptr<IRemovableEntry> OpenForRemoval(const std::u16string& path) = 0;
    // DeleteFileW.
    virtual bool DeleteOneFile(const std::u16string& path) = 0;
    // RemoveDirectoryW: only an empty folder goes.
    virtual bool RemoveFolder(const std::u16string& path) = 0;
    // Creates or truncates the file and writes the bytes in one call: WRITE_FILE_*.
    virtual int WriteFile(const std::u16string& path, const uint8_t* data, size_t size) = 0;
    // Writes the bytes beside the file, flushes them, then MoveFileExW(MOVEFILE_REPLACE_EXISTING
    // | MOVEFILE_WRITE_THROUGH): WRITE_FILE_*; on any failure the old file is left as it was.
    virtual int ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) = 0;
    // The whole file; nothing when it cannot be read or is larger than the limit.
    virtual std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path,
                                                              size_t limit) = 0;
    // True when the path is a reparse point (junction, symbolic link, mount point).
    virtual bool IsLink(const std::u16string& path) = 0;
    // MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING): also renames a running program's file.
    virtual bool MoveOver(const std::u16string& from, const std::u16string& to) = 0;
    // MoveFileExW(path, no target, MOVEFILE_DELAY_UNTIL_REBOOT); a folder goes only if empty then.
    virtual bool DeleteAtReboot(const std::u16string& path) = 0;
    // Takes FILE_ATTRIBUTE_READONLY off the file (a copy from a CD keeps it): false when the file
    // does not exist or its attributes cannot be changed.
    virtual bool ClearReadOnly(const std::u16string& path) = 0;
};
