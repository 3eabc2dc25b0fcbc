#include "TraceFileWin32.h"

#include <windows.h>

#include "Handles.h"

const wchar_t kFieldTraceVariable[] = L"AUDIOPANEL_TRACE";

namespace {

class TraceFile final : public TraceFileWin32 {
public:
    explicit TraceFile(UniqueHandle file) : file_(std::move(file)) {}

    // Unbuffered: the lines before a crash or a hang are on disk.
    void Write(const std::string& line) override {
        const std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }

private:
    UniqueHandle file_;
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

std::unique_ptr<TraceFileWin32> OpenTraceFileWin32(const std::wstring& path) {
    if (path.empty())
        return nullptr;
    UniqueHandle file = MakeUniqueHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    return std::make_unique<TraceFile>(std::move(file));
}

TraceSink TraceFileSink(TraceFileWin32& file) {
    return [&file](const std::string& line) { file.Write(line); };
}
