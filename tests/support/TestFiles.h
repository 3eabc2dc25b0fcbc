// Files for tests, named in the Windows path form that the code under test takes, on every host.
#pragma once

#include <filesystem>
#include <string>

// A fresh folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in '\'.
    const std::u16string& path() const { return path_; }
    std::u16string File(const std::u16string& name) const { return path_ + name; }

    // Writes raw bytes to a file in the folder and returns its path.
    std::u16string Write(const std::u16string& name, const std::string& bytes) const;
    std::string Read(const std::u16string& name) const;

private:
    std::u16string path_;
    std::string hostPath_;  // native form, for the standard library
};

// A Windows-form path as the standard library reaches it on this host (Z:\a\b is /a/b natively).
std::filesystem::path HostFsPath(const std::u16string& path);

// A file of the source tree (relative path with '/'), in Windows form.
std::u16string SourcePath(const std::string& relative);

// Text as it would be stored in each of the engine's six forms, mark included.
std::string AsUtf8WithMark(const std::u16string& text);
std::string AsUtf16(const std::u16string& text, bool bigEndian);
std::string AsUtf32(const std::u16string& text, bool bigEndian);

// For readable failure messages.
std::string Narrow(const std::u16string& text);
