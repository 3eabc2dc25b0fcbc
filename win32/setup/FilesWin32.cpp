#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "Handles.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

// The handle decides: a junction swapped in after the open changes nothing about what goes.
class Win32RemovableEntry : public IRemovableEntry {
public:
    explicit Win32RemovableEntry(UniqueHandle handle) : handle_(std::move(handle)) {}

    std::u16string FinalPath() override {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length =
                GetFinalPathNameByHandleW(handle_.get(), &path[0], static_cast<DWORD>(path.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (length == 0)
                return {};
            if (length < path.size()) {
                path.resize(length);
                break;
            }
            path.assign(length, L'\0');  // too small: length is the size needed
        }
        if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
            return u"\\" + U16(path.c_str() + 8);
        if (path.compare(0, 4, L"\\\\?\\") == 0)
            return U16(path.c_str() + 4);
        return U16(path.c_str());
    }

    bool IsLink() override {
        BY_HANDLE_FILE_INFORMATION info{};
        return !GetFileInformationByHandle(handle_.get(), &info) ||
               (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    bool Remove() override {
        // Copied from a CD, a file is read-only, and a read-only file cannot be deleted.
        FILE_BASIC_INFO basic{};
        if (GetFileInformationByHandleEx(handle_.get(), FileBasicInfo, &basic, sizeof basic) &&
            (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            FILE_BASIC_INFO writable{};  // zero times stay as they are
            writable.FileAttributes = basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY;
            if (writable.FileAttributes == 0)
                writable.FileAttributes = FILE_ATTRIBUTE_NORMAL;  // 0 would change nothing
            SetFileInformationByHandle(handle_.get(), FileBasicInfo, &writable, sizeof writable);
        }
        FILE_DISPOSITION_INFO disposition{TRUE};
        return SetFileInformationByHandle(handle_.get(), FileDispositionInfo, &disposition,
                                          sizeof disposition) != FALSE;
    }

private:
    UniqueHandle handle_;
};

class Win32Files : public ISetupFiles {
public:
    std::unique_ptr<IRemovableEntry> OpenForRemoval(const std::u16string& path) override {
        UniqueHandle handle = MakeUniqueHandle(CreateFileW(
            W(path), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!handle)
            return nullptr;
        return std::make_unique<Win32RemovableEntry>(std::move(handle));
    }

    bool CreateFolder(const std::u16string& path) override {
        return CreateDirectoryW(W(path), nullptr) != FALSE;
    }

    bool CopyOneFile(const std::u16string& from, const std::u16string& to) override {
        return CopyFileW(W(from), W(to), FALSE) != FALSE;
    }

    bool DeleteOneFile(const std::u16string& path) override {
        return DeleteFileW(W(path)) != FALSE;
    }

    bool RemoveFolder(const std::u16string& path) override {
        return RemoveDirectoryW(W(path)) != FALSE;
    }

    std::optional<std::vector<FolderEntry>> List(const std::u16string& pattern) override {
        WIN32_FIND_DATAW data{};
        HANDLE first = FindFirstFileW(W(pattern), &data);
        if (first == INVALID_HANDLE_VALUE)
            return std::nullopt;
        UniqueFind find(first);
        std::vector<FolderEntry> entries;
        do {
            entries.push_back(
                {U16(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                 (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
        } while (FindNextFileW(find.get(), &data));
        return entries;
    }

    int WriteFile(const std::u16string& path, const uint8_t* data, size_t size) override {
        std::unique_ptr<FILE, FileCloser> file(_wfopen(W(path), L"wb"));
        if (!file)
            return WRITE_FILE_CANNOT_OPEN;
        const size_t written = fwrite(data, 1, size, file.get());
        // A file that cannot be flushed on close is not complete either.
        const bool closed = fclose(file.release()) == 0;
        return written == size && closed ? WRITE_FILE_OK : WRITE_FILE_SHORT;
    }

    int ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) override {
        const std::u16string beside = path + kReplacingSuffix;
        const int written = WriteFlushed(beside, data, size);
        if (written == WRITE_FILE_OK &&
            MoveFileExW(W(beside), W(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return WRITE_FILE_OK;
        DeleteFileW(W(beside));
        return written == WRITE_FILE_OK ? WRITE_FILE_CANNOT_OPEN : written;
    }

    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path,
                                                      size_t limit) override {
        UniqueHandle file =
            MakeUniqueHandle(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
            static_cast<unsigned long long>(size.QuadPart) > limit)
            return std::nullopt;
        std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(),
                                           static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                               read != bytes.size()))
            return std::nullopt;
        return bytes;
    }

    bool IsLink(const std::u16string& path) override {
        const DWORD attributes = GetFileAttributesW(W(path));
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    bool MoveOver(const std::u16string& from, const std::u16string& to) override {
        return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }

    bool DeleteAtReboot(const std::u16string& path) override {
        return MoveFileExW(W(path), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    }

    bool ClearReadOnly(const std::u16string& path) override {
        const DWORD attributes = GetFileAttributesW(W(path));
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        return (attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
               SetFileAttributesW(W(path), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
    }

private:
    static int WriteFlushed(const std::u16string& path, const uint8_t* data, size_t size) {
        UniqueHandle file = MakeUniqueHandle(CreateFileW(
            W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return WRITE_FILE_CANNOT_OPEN;
        size_t done = 0;
        while (done < size) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 20));
            DWORD written = 0;
            if (!::WriteFile(file.get(), data + done, chunk, &written, nullptr) || written == 0)
                return WRITE_FILE_SHORT;
            done += written;
        }
        return FlushFileBuffers(file.get()) ? WRITE_FILE_OK : WRITE_FILE_SHORT;
    }
};

class Win32Resources : public IPayloadResources {
public:
    std::optional<Payload> Find(uint32_t id, const std::u16string& type) override {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), W(type));
        if (!info)
            return std::nullopt;
        const DWORD size = SizeofResource(module, info);
        HGLOBAL loaded = LoadResource(module, info);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes)
            return std::nullopt;
        return Payload{static_cast<const uint8_t*>(bytes), size};
    }
};

}  // namespace

ISetupFiles& Win32SetupFiles() {
    static Win32Files files;
    return files;
}

IPayloadResources& Win32PayloadResources() {
    static Win32Resources resources;
    return resources;
}
