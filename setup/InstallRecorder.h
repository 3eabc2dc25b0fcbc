// Keeps the install log as the installation goes: the files and shortcuts ports pass through it
// and note what they create; the steps add their keys, values and the service themselves.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "InstallLog.h"
#include "ports/SetupFiles.h"
#include "ports/ShellAndProcesses.h"

class InstallRecorder : public ISetupFiles, public IShortcuts {
public:
    InstallRecorder(ISetupFiles& files, IShortcuts& shortcuts)
        : files_(files), shortcuts_(shortcuts) {}

    // From now on the log lives in this file, rewritten after every entry. An intact log left
    // there by an earlier installation is kept: its entries are still this product's.
    void Open(const std::u16string& logPath);
    void Record(const LogEntry& entry);
    const std::vector<LogEntry>& Entries() const { return entries_; }

    // Within a batch the log is rewritten once, at its end: a folder tree copied file by file
    // would otherwise rewrite and flush it for every file. Cut short, a batch leaves its files
    // unlisted, so an uninstallation leaves them rather than removing anything not ours.
    class Batch {
    public:
        explicit Batch(InstallRecorder& recorder) : recorder_(recorder) { ++recorder_.batches_; }
        ~Batch() {
            if (--recorder_.batches_ == 0 && recorder_.unsaved_)
                recorder_.Save();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        InstallRecorder& recorder_;
    };

    bool CreateFolder(const std::u16string& path) override;
    bool CopyOneFile(const std::u16string& from, const std::u16string& to) override;
    std::optional<std::vector<FolderEntry>> List(const std::u16string& pattern) override {
        return files_.List(pattern);
    }
    std::unique_ptr<IRemovableEntry> OpenForRemoval(const std::u16string& path) override {
        return files_.OpenForRemoval(path);
    }
    bool DeleteOneFile(const std::u16string& path) override { return files_.DeleteOneFile(path); }
    bool RemoveFolder(const std::u16string& path) override { return files_.RemoveFolder(path); }
    int WriteFile(const std::u16string& path, const uint8_t* data, size_t size) override;
    int ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) override;
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::u16string& path,
                                                      size_t limit) override {
        return files_.ReadWholeFile(path, limit);
    }
    bool IsLink(const std::u16string& path) override { return files_.IsLink(path); }
    bool MoveOver(const std::u16string& from, const std::u16string& to) override {
        return files_.MoveOver(from, to);
    }
    bool DeleteAtReboot(const std::u16string& path) override { return files_.DeleteAtReboot(path); }
    bool ClearReadOnly(const std::u16string& path) override { return files_.ClearReadOnly(path); }

    std::unique_ptr<IShellLinkObject> CreateLink() override;
    std::u16string CommonProgramsFolder() override { return shortcuts_.CommonProgramsFolder(); }

private:
    void Save();

    ISetupFiles& files_;
    IShortcuts& shortcuts_;
    std::u16string logPath_;
    std::vector<LogEntry> entries_;
    int batches_ = 0;
    bool unsaved_ = false;
};
