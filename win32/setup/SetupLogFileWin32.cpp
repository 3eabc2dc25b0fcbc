#include "SetupLogFileWin32.h"

#include <windows.h>

#include <cstdio>

#include "DebugTrace.h"
#include "TextHelpers.h"
#include "WideText.h"

bool SetupLogFile::Open(const std::u16string& path) {
    // The administrator names the file; it is not shared for writing while the run lasts.
    file_ = MakeUniqueHandle(CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_)
        return false;
    static const char bom[] = "\xEF\xBB\xBF";
    DWORD written = 0;
    ::WriteFile(file_.get(), bom, 3, &written, nullptr);
    SetDebugOutputSink([this](const std::u16string& line) {
        PlatformDebugOutput(line);
        Write(line);
    });
    return true;
}

SetupLogFile::~SetupLogFile() {
    if (!file_)
        return;
    SetDebugOutputSink(nullptr);
    const std::lock_guard<std::mutex> lock(mutex_);
    file_.reset();
}

void SetupLogFile::Write(const std::u16string& line) {
    size_t first = 0;
    size_t last = line.size();
    while (first < last && (line[first] == u'\n' || line[first] == u'\r'))
        ++first;
    while (last > first && (line[last - 1] == u'\n' || line[last - 1] == u'\r'))
        --last;
    if (first == last)
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u  ", now.wYear,
                  now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    const std::string text = stamp + Utf16ToUtf8(line.substr(first, last - first)) + "\r\n";
    const std::lock_guard<std::mutex> lock(mutex_);
    DWORD written = 0;
    if (file_)
        ::WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
