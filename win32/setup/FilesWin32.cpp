#include <windows.h>

#include <cstdio>
#include <memory>

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

class Win32Files : public ISetupFiles {
public:
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
                {U16(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
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
