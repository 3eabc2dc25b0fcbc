#include "TestFiles.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include "HostPath.h"
#endif

namespace fs = std::filesystem;

namespace {

std::u16string WindowsForm(const fs::path& path) {
#ifdef _WIN32
    std::u16string text = path.u16string();
#else
    std::u16string text = u"Z:" + path.u16string();
#endif
    for (char16_t& c : text) {
        if (c == u'/')
            c = u'\\';
    }
    return text;
}

void PutUnit(std::string& out, uint32_t value, int bytes, bool bigEndian) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

}  // namespace

fs::path HostFsPath(const std::u16string& path) {
#ifdef _WIN32
    return fs::path(std::wstring(path.begin(), path.end()));
#else
    return fs::u8path(ToHostPath(path));
#endif
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::ostringstream name;
    name << "audio-test-" << std::chrono::steady_clock::now().time_since_epoch().count() << "-"
         << counter++;
    const fs::path folder = fs::temp_directory_path() / name.str();
    fs::create_directories(folder);
    hostPath_ = folder.u8string();
    path_ = WindowsForm(folder) + u"\\";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(fs::u8path(hostPath_), ignored);
}

std::u16string TempFolder::Write(const std::u16string& name, const std::string& bytes) const {
    std::ofstream out(fs::u8path(hostPath_) / fs::path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return File(name);
}

std::string TempFolder::Read(const std::u16string& name) const {
    std::ifstream in(fs::u8path(hostPath_) / fs::path(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::u16string SourcePath(const std::string& relative) {
    return WindowsForm(fs::u8path(std::string(AUDIO_SOURCE_DIR) + "/" + relative));
}

std::string AsUtf8WithMark(const std::u16string& text) {
    std::string out = "\xEF\xBB\xBF";
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string AsUtf16(const std::u16string& text, bool bigEndian) {
    std::string out;
    PutUnit(out, 0xFEFF, 2, bigEndian);
    for (char16_t c : text)
        PutUnit(out, c, 2, bigEndian);
    return out;
}

std::string AsUtf32(const std::u16string& text, bool bigEndian) {
    std::string out;
    PutUnit(out, 0xFEFF, 4, bigEndian);
    for (char16_t c : text)
        PutUnit(out, c, 4, bigEndian);
    return out;
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}
