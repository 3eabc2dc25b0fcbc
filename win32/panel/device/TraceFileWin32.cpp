#include "TraceFileWin32.h"

#include <windows.h>

#include "Handles.h"

const wchar_t kFieldTraceVariable[] = L"AUDIOPANEL_TRACE";

namespace {

UniqueHandle OpenForAppending(const std::wstring& path) {
    return MakeUniqueHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

uint64_t SizeOf(HANDLE file) {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

class TraceFile final : public TraceFileWin32 {
public:
    TraceFile(std::wstring path, UniqueHandle file, uint64_t limit)
        : path_(std::move(path)),
          file_(std::move(file)),
          limit_(limit),
          size_(SizeOf(file_.get())) {}

    // Unbuffered: the lines before a crash or a hang are on disk.
    void Write(const std::string& line) override {
        const std::string text = line + "\n";
        if (size_ + text.size() > limit_)
            StartAnew();
        if (!file_)
            return;
        DWORD written = 0;
        WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        size_ += written;
    }

private:
    // The full file becomes FILE.1 (an older one goes), so the trace keeps the last lines
    // without growing beyond twice the limit.
    void StartAnew() {
        file_.reset();
        if (!MoveFileExW(path_.c_str(), (path_ + L".1").c_str(), MOVEFILE_REPLACE_EXISTING))
            DeleteFileW(path_.c_str());
        file_ = OpenForAppending(path_);
        size_ = file_ ? SizeOf(file_.get()) : 0;
    }

    std::wstring path_;
    UniqueHandle file_;
    uint64_t limit_;
    uint64_t size_;
};

}  // namespace

std::wstring FieldTracePath() {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(kFieldTraceVariable, value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    std::wstring path(value, length);
    if (path[0] == L'/') {
        path.insert(0, L"Z:");
        for (wchar_t& c : path) {
            if (c == L'/')
                c = L'\\';
        }
    }
    return path;
}

std::unique_ptr<TraceFileWin32> OpenTraceFileWin32(const std::wstring& path, uint64_t limit) {
    if (path.empty())
        return nullptr;
    UniqueHandle file = OpenForAppending(path);
    if (!file)
        return nullptr;
    return std::make_unique<TraceFile>(path, std::move(file), limit);
}

TraceSink TraceFileSink(TraceFileWin32& file) {
    return [&file](const std::string& line) { file.Write(line); };
}
