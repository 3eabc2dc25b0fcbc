// The install log: what an installation created, in the order it created it. The installer
// rewrites it after every entry; the uninstaller removes what it lists and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char16_t* kInstallLogName = u"Install.log";
// Larger than any log an installation writes; a bigger file is not ours.
inline constexpr size_t kInstallLogLimit = 1u << 20;

enum class LogEntryKind { Folder, File, Key, Value, Service };

struct LogEntry {
    LogEntryKind kind = LogEntryKind::File;
    // A full path, a key path below HKEY_LOCAL_MACHINE, or a service name.
    std::u16string path;
    std::u16string valueName;  // Value entries only
    // File entries written from the installer's payloads: ContentHash of the bytes written.
    std::u16string contentHash{};

    // The same entry, whatever its content was.
    bool operator==(const LogEntry& other) const {
        return kind == other.kind && path == other.path && valueName == other.valueName;
    }
};

// FNV-1a 64-bit of the bytes as 16 upper-case hex digits: tells the program this installation
// wrote from an older or foreign one of the same name.
std::u16string ContentHash(const uint8_t* data, size_t size);
// "Folder", "File", "Key", "Value", "Service": the kind as the log spells it.
std::u16string LogEntryKindName(LogEntryKind kind);

// UTF-16LE with a byte-order mark, one entry a line, closed by a count and a checksum.
std::vector<uint8_t> FormatInstallLog(const std::vector<LogEntry>& entries);
// Nothing when the log is damaged in any way: cut short, edited, or not a log at all.
std::optional<std::vector<LogEntry>> ParseInstallLog(const std::vector<uint8_t>& bytes);
