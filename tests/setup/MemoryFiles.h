// The installer's files in memory: folders, files and INI reads, with failures on demand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/SetupFiles.h"

class MemoryFiles : public ISetupFiles {
public:
    MemoryFiles();

    bool CreateFolder(const std::u16string& path) override;
    bool CopyOneFile(const std::u16string& from, const std::u16string& to) override;
    std::optional<std::vector<FolderEntry>> List(const std::u16string& pattern) override;
    int WriteFile(const std::u16string& path, const uint8_t* data, size_t size) override;
    // The object the path reaches, links followed; its final path is where it really lies.
    std::unique_ptr<IRemovableEntry> OpenForRemoval(const std::u16string& path) override;
    bool DeleteOneFile(const std::u16string& path) override;
    bool RemoveFolder(const std::u16string& path) override;
    int ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) override;
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path,
                                                      size_t limit) override;
    bool IsLink(const std::u16string& path) override;
    bool MoveOver(const std::u16string& from, const std::u16string& to) override;
    bool DeleteAtReboot(const std::u16string& path) override;
    bool ClearReadOnly(const std::u16string& path) override;

    // Test set-up: parents are made as needed.
    void AddFolder(const std::u16string& path);
    void AddFile(const std::u16string& path, const std::string& content);

    // FILE_ATTRIBUTE_READONLY: such a file cannot be deleted, overwritten or replaced, and a
    // copy of it is read-only too (as CopyFileW keeps the attributes).
    void SetReadOnly(const std::u16string& path);
    bool IsReadOnly(const std::u16string& path) const;

    bool IsFile(const std::u16string& path) const;
    bool IsFolder(const std::u16string& path) const;
    std::string Read(const std::u16string& path) const;
    // Every file below a folder, as paths relative to it ("a\b.txt"), in order.
    std::vector<std::string> FilesBelow(const std::u16string& folder) const;

    // GetPrivateProfileStringW over a stored file: 0 and the value, or 1 when there is none.
    int ReadProfile(const std::u16string& path, const std::u16string& section,
                    const std::u16string& key, std::u16string& value) const;
    bool WriteProfile(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, const std::u16string& value);

    // Failures: a write that cannot open the file, a write that stops short, a failed copy.
    std::set<std::u16string> cannotOpen;
    std::set<std::u16string> shortWrite;
    std::set<std::u16string> failCopy;
    std::set<std::u16string> inUse;  // files that cannot be deleted or replaced
    // Junctions and symbolic links: a path below one reaches its target.
    std::map<std::u16string, std::u16string> links;
    std::vector<std::u16string> deleteAtReboot;
    // Every CreateFolder, CopyFile and WriteFile in call order.
    std::vector<std::string> log;

private:
    friend class MemoryEntry;
    struct Node {
        std::u16string path;  // as first written, normalised
        bool folder = false;
        std::string content;
        bool readOnly = false;
    };
    // Lower case, normalised, with links followed.
    std::u16string Key(const std::u16string& path) const;
    static std::u16string Normal(const std::u16string& path);
    static std::u16string Parent(const std::u16string& key);
    bool ParentIsFolder(const std::u16string& path) const;

    std::map<std::u16string, Node> nodes_;
};

std::string Narrow8(const std::u16string& text);
std::u16string Widen8(const std::string& text);
