#include "InstallLog.h"

namespace {

constexpr const char16_t* kHeader = u"QLN47xx install log 1";
constexpr const char16_t* kEnd = u"End";

struct KindName {
    LogEntryKind kind;
    const char16_t* name;
};
constexpr KindName kKinds[] = {{LogEntryKind::Folder, u"Folder"},
                               {LogEntryKind::File, u"File"},
                               {LogEntryKind::Key, u"Key"},
                               {LogEntryKind::Value, u"Value"},
                               {LogEntryKind::Service, u"Service"}};

}  // namespace

std::u16string LogEntryKindName(LogEntryKind kind) {
    for (const KindName& entry : kKinds) {
        if (entry.kind == kind)
            return entry.name;
    }
    return {};
}

namespace {

// FNV-1a over the UTF-16 code units: catches an edited or half-written line.
uint32_t Checksum(const std::u16string& text) {
    uint32_t hash = 2166136261u;
    for (char16_t c : text) {
        for (uint32_t byte : {static_cast<uint32_t>(c & 0xFF), static_cast<uint32_t>(c >> 8)}) {
            hash ^= byte;
            hash *= 16777619u;
        }
    }
    return hash;
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string Hex(uint64_t value, int digitCount = 8) {
    static const char digits[] = "0123456789ABCDEF";
    std::u16string out(static_cast<size_t>(digitCount), u'0');
    for (int i = digitCount - 1; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = static_cast<char16_t>(digits[value & 0xF]);
    return out;
}

bool IsContentHash(const std::u16string& text) {
    if (text.size() != 16)
        return false;
    for (char16_t c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

std::vector<std::u16string> Split(const std::u16string& line) {
    std::vector<std::u16string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find(u'\t', start)) != std::u16string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

bool HasControl(const std::u16string& text) {
    for (char16_t c : text) {
        if (c < 0x20)
            return true;
    }
    return false;
}

std::optional<LogEntry> ParseEntry(const std::u16string& line) {
    const std::vector<std::u16string> fields = Split(line);
    for (const KindName& kind : kKinds) {
        if (fields[0] != kind.name)
            continue;
        const size_t expected = kind.kind == LogEntryKind::Value ? 3 : 2;
        // A File entry may carry the hash of what was written.
        const bool hashed = kind.kind == LogEntryKind::File && fields.size() == 3;
        if ((fields.size() != expected && !hashed) || fields[1].empty() || HasControl(fields[1]))
            return std::nullopt;
        LogEntry entry{kind.kind, fields[1], {}, {}};
        if (hashed) {
            if (!IsContentHash(fields[2]))
                return std::nullopt;
            entry.contentHash = fields[2];
        }
        if (kind.kind == LogEntryKind::Value) {
            if (fields[2].empty() || HasControl(fields[2]))
                return std::nullopt;
            entry.valueName = fields[2];
        }
        return entry;
    }
    return std::nullopt;
}

}  // namespace

std::u16string ContentHash(const uint8_t* data, size_t size) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 1099511628211ull;
    }
    return Hex(hash, 16);
}

std::vector<uint8_t> FormatInstallLog(const std::vector<LogEntry>& entries) {
    std::u16string text = std::u16string(kHeader) + u"\r\n";
    for (const LogEntry& entry : entries) {
        for (const KindName& kind : kKinds) {
            if (kind.kind == entry.kind)
                text += kind.name;
        }
        text += u"\t" + entry.path;
        if (entry.kind == LogEntryKind::Value)
            text += u"\t" + entry.valueName;
        if (entry.kind == LogEntryKind::File && !entry.contentHash.empty())
            text += u"\t" + entry.contentHash;
        text += u"\r\n";
    }
    text += std::u16string(kEnd) + u"\t" + Ascii(std::to_string(entries.size())) + u"\t" +
            Hex(Checksum(text)) + u"\r\n";

    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::optional<std::vector<LogEntry>> ParseInstallLog(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes[0] != 0xFF || bytes[1] != 0xFE)
        return std::nullopt;
    std::u16string text;
    for (size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));

    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    // Every line ends in CR LF: anything after the last one is a cut-off line.
    if (start != text.size() || lines.size() < 2 || lines.front() != kHeader)
        return std::nullopt;

    const std::vector<std::u16string> end = Split(lines.back());
    const size_t endOffset = text.size() - lines.back().size() - 2;
    if (end.size() != 3 || end[0] != kEnd || end[1] != Ascii(std::to_string(lines.size() - 2)) ||
        end[2] != Hex(Checksum(text.substr(0, endOffset))))
        return std::nullopt;

    std::vector<LogEntry> entries;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        std::optional<LogEntry> entry = ParseEntry(lines[i]);
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    return entries;
}
