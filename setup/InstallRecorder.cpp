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
    // Also what a reinstallation writes again: the trace (and /LOG) tells every write.
    DebugOutput(u"##### Written: " + LogEntryKindName(entry.kind) + u" " + entry.path +
                (entry.valueName.empty() ? u"" : u" " + entry.valueName) + u" #####\n");
    if (std::find(entries_.begin(), entries_.end(), entry) != entries_.end())
        return;
    entries_.push_back(std::move(entry));
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
    if (!files_.CreateFolder(path))
        return false;
    Record({LogEntryKind::Folder, path, {}});
    return true;
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
        Record({LogEntryKind::File, path, {}});
    return result;
}

int InstallRecorder::ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) {
    const int result = files_.ReplaceFile(path, data, size);
    if (result == WRITE_FILE_OK)
        Record({LogEntryKind::File, path, {}});
    return result;
}

std::unique_ptr<IShellLinkObject> InstallRecorder::CreateLink() {
    std::unique_ptr<IShellLinkObject> link = shortcuts_.CreateLink();
    if (!link)
        return nullptr;
    return std::make_unique<RecordingLink>(std::move(link), *this);
}
