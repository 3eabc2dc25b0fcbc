#include "InstallRecorder.h"

#include <algorithm>

#include "DebugTrace.h"

namespace {

class RecordingLink : public IShellLinkObject {
public:
    RecordingLink(std::unique_ptr<IShellLinkObject> link, InstallRecorder& recorder)
        : link_(std::move(link)), recorder_(recorder) {}

    bool SetPath(const std::u16string& target) override { return link_->SetPath(target); }
    bool Save(const std::u16string& linkPath) override {
        if (!link_->Save(linkPath))
            return false;
        recorder_.Record({LogEntryKind::File, linkPath, {}});
        return true;
    }

private:
    std::unique_ptr<IShellLinkObject> link_;
    InstallRecorder& recorder_;
};

}  // namespace

void InstallRecorder::Open(const std::u16string& logPath) {
    logPath_ = logPath;
    std::vector<LogEntry> recorded;
    if (const auto bytes = files_.ReadWholeFile(logPath, kInstallLogLimit)) {
        if (auto earlier = ParseInstallLog(*bytes))
            recorded = std::move(*earlier);
        else
            DebugOutput(u"***** Install log damaged: started anew *****\n");
    }
    for (LogEntry& entry : entries_) {
        if (std::find(recorded.begin(), recorded.end(), entry) == recorded.end())
            recorded.push_back(std::move(entry));
    }
    entries_ = std::move(recorded);
    Save();
}

void InstallRecorder::Record(const LogEntry& recorded) {
    LogEntry entry = recorded;
    while (entry.path.size() > 3 && entry.path.back() == u'\\')
        entry.path.pop_back();
    // The uninstaller refuses empty components: "a\\b" is listed as the "a\b" it names.
    for (size_t i = entry.path.find(u"\\\\", 1); i != std::u16string::npos;
         i = entry.path.find(u"\\\\", i))
        entry.path.erase(i, 1);
    // Also what a reinstallation writes again: the trace (and /LOG) tells every write.
    DebugOutput(u"##### Written: " + LogEntryKindName(entry.kind) + u" " + entry.path +
                (entry.valueName.empty() ? u"" : u" " + entry.valueName) + u" #####\n");
    const auto known = std::find(entries_.begin(), entries_.end(), entry);
    if (known != entries_.end()) {
        if (known->contentHash == entry.contentHash)
            return;
        known->contentHash = entry.contentHash;  // rewritten with other bytes
    } else {
        entries_.push_back(std::move(entry));
    }
    if (batches_ > 0)
        unsaved_ = true;
    else
        Save();
}

void InstallRecorder::Save() {
    unsaved_ = false;
    if (logPath_.empty())
        return;
    const std::vector<uint8_t> bytes = FormatInstallLog(entries_);
    // Replaced whole: a cut-off write leaves the previous log, never half of one.
    if (files_.ReplaceFile(logPath_, bytes.data(), bytes.size()) != WRITE_FILE_OK)
        DebugOutput(u"***** Install log not written: " + logPath_ + u" *****\n");
}

bool InstallRecorder::CreateFolder(const std::u16string& path) {
    const bool created = files_.CreateFolder(path);
    // One there already is listed too (left by a reinstallation before the restart that removes
    // it, or by a copy cut off): the uninstaller removes a folder only when it is empty. A link
    // put in its place is not the installation's.
    std::u16string folder = path;
    while (folder.size() > 3 && folder.back() == u'\\')
        folder.pop_back();
    if (created || (files_.List(folder + u"\\*").has_value() && !files_.IsLink(folder)))
        Record({LogEntryKind::Folder, folder, {}});
    return created;
}

bool InstallRecorder::CopyOneFile(const std::u16string& from, const std::u16string& to) {
    if (!files_.CopyOneFile(from, to))
        return false;
    Record({LogEntryKind::File, to, {}});
    return true;
}

int InstallRecorder::WriteFile(const std::u16string& path, const uint8_t* data, size_t size) {
    const int result = files_.WriteFile(path, data, size);
    // A short write still leaves a file behind.
    if (result != WRITE_FILE_CANNOT_OPEN)
        Record({LogEntryKind::File,
                path,
                {},
                result == WRITE_FILE_OK ? ContentHash(data, size) : std::u16string()});
    return result;
}

int InstallRecorder::ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) {
    // Cut off between its write and its move, a replacement leaves this file beside.
    Record({LogEntryKind::File, path + kReplacingSuffix, {}});
    const int result = files_.ReplaceFile(path, data, size);
    if (result == WRITE_FILE_OK)
        Record({LogEntryKind::File, path, {}, ContentHash(data, size)});
    return result;
}

std::unique_ptr<IShellLinkObject> InstallRecorder::CreateLink() {
    std::unique_ptr<IShellLinkObject> link = shortcuts_.CreateLink();
    if (!link)
        return nullptr;
    return std::make_unique<RecordingLink>(std::move(link), *this);
}
