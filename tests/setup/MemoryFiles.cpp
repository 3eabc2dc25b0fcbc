#include "MemoryFiles.h"

#include <algorithm>

std::string Narrow8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::u16string Widen8(const std::string& text) {
    std::u16string out;
    for (char c : text)
        out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

namespace {

std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    }
    return text;
}

bool EqualNoCase(const std::u16string& a, const std::u16string& b) {
    return Lower(a) == Lower(b);
}

std::u16string Trim(const std::u16string& text) {
    const size_t first = text.find_first_not_of(u" \t\r");
    if (first == std::u16string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u" \t\r") - first + 1);
}

std::vector<std::u16string> Lines(const std::string& content) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start <= content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        lines.push_back(Widen8(content.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

}  // namespace

class MemoryEntry : public IRemovableEntry {
public:
    MemoryEntry(MemoryFiles& files, std::u16string key, bool link)
        : files_(files), key_(std::move(key)), link_(link) {}

    std::u16string FinalPath() override {
        const auto found = files_.nodes_.find(key_);
        return found == files_.nodes_.end() ? std::u16string() : found->second.path;
    }
    bool IsLink() override { return link_; }
    bool Remove() override {
        const auto found = files_.nodes_.find(key_);
        if (found == files_.nodes_.end())
            return false;
        files_.log.push_back("remove " + Narrow8(found->second.path));
        if (files_.inUse.count(found->second.path))
            return false;
        // As on Windows, the handle clears a read-only attribute before it deletes.
        for (const auto& [other, node] : files_.nodes_) {
            if (MemoryFiles::Parent(other) == key_ && other != key_)
                return false;  // a folder that is not empty
        }
        files_.nodes_.erase(found);
        return true;
    }

private:
    MemoryFiles& files_;
    std::u16string key_;
    bool link_;
};

MemoryFiles::MemoryFiles() {
    for (const char16_t* drive : {u"C:", u"Z:"})
        nodes_[Key(drive)] = Node{drive, true, {}};
}

std::u16string MemoryFiles::Normal(const std::u16string& path) {
    std::u16string out;
    for (char16_t c : path) {
        if (c == u'\\' && !out.empty() && out.back() == u'\\')
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == u'\\')
        out.pop_back();
    return out;
}

std::u16string MemoryFiles::Key(const std::u16string& path) const {
    std::u16string key = Lower(Normal(path));
    for (const auto& [link, target] : links) {
        const std::u16string from = Lower(Normal(link));
        if (key == from || key.compare(0, from.size() + 1, from + u"\\") == 0)
            return Lower(Normal(target)) + key.substr(from.size());
    }
    return key;
}

std::u16string MemoryFiles::Parent(const std::u16string& key) {
    const size_t last = key.rfind(u'\\');
    return last == std::u16string::npos ? std::u16string() : key.substr(0, last);
}

bool MemoryFiles::ParentIsFolder(const std::u16string& path) const {
    const auto parent = nodes_.find(Parent(Key(path)));
    return parent != nodes_.end() && parent->second.folder;
}

bool MemoryFiles::CreateFolder(const std::u16string& path) {
    log.push_back("mkdir " + Narrow8(Normal(path)));
    if (nodes_.count(Key(path)) || !ParentIsFolder(path))
        return false;
    nodes_[Key(path)] = Node{Normal(path), true, {}};
    return true;
}

bool MemoryFiles::CopyOneFile(const std::u16string& from, const std::u16string& to) {
    log.push_back("copy " + Narrow8(Normal(from)) + " -> " + Narrow8(Normal(to)));
    const auto source = nodes_.find(Key(from));
    if (source == nodes_.end() || source->second.folder || failCopy.count(Normal(to)) ||
        !ParentIsFolder(to) || IsFolder(to) || IsReadOnly(to))
        return false;
    const Node copied{Normal(to), false, source->second.content, source->second.readOnly};
    nodes_[Key(to)] = copied;
    return true;
}

std::optional<std::vector<FolderEntry>> MemoryFiles::List(const std::u16string& pattern) {
    const std::u16string folder = Key(pattern.substr(0, pattern.rfind(u'\\') + 1));
    const auto found = nodes_.find(folder);
    if (found == nodes_.end() || !found->second.folder)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    // A name without wildcards finds that entry alone.
    const std::u16string name = pattern.substr(pattern.rfind(u'\\') + 1);
    const bool all = name.empty() || name == u"*" || name == u"*.*";
    // As on Windows: a drive's root lists neither "." nor "..".
    if (all && folder.find(u'\\') != std::u16string::npos)
        entries = {{u".", true}, {u"..", true}};
    for (const auto& [key, node] : nodes_) {
        const std::u16string entry = node.path.substr(node.path.rfind(u'\\') + 1);
        if (Parent(key) == folder && key != folder && (all || EqualNoCase(entry, name)))
            entries.push_back({entry, node.folder, node.content.size()});
    }
    if (entries.empty())
        return std::nullopt;
    return entries;
}

int MemoryFiles::WriteFile(const std::u16string& path, const uint8_t* data, size_t size) {
    log.push_back("write " + Narrow8(Normal(path)));
    if (cannotOpen.count(Normal(path)) || inUse.count(Normal(path)) || !ParentIsFolder(path) ||
        IsFolder(path) || IsReadOnly(path))
        return WRITE_FILE_CANNOT_OPEN;
    std::string content(reinterpret_cast<const char*>(data), size);
    const bool isShort = shortWrite.count(Normal(path)) > 0;
    if (isShort)
        content.resize(size / 2);
    nodes_[Key(path)] = Node{Normal(path), false, content};
    return isShort ? WRITE_FILE_SHORT : WRITE_FILE_OK;
}

std::unique_ptr<IRemovableEntry> MemoryFiles::OpenForRemoval(const std::u16string& path) {
    const std::u16string key = Key(path);
    if (!nodes_.count(key))
        return nullptr;
    return std::make_unique<MemoryEntry>(*this, key, IsLink(path));
}

bool MemoryFiles::DeleteOneFile(const std::u16string& path) {
    log.push_back("delete " + Narrow8(Normal(path)));
    if (!IsFile(path) || inUse.count(Normal(path)) || IsReadOnly(path))
        return false;
    nodes_.erase(Key(path));
    return true;
}

int MemoryFiles::ReplaceFile(const std::u16string& path, const uint8_t* data, size_t size) {
    log.push_back("replace " + Narrow8(Normal(path)));
    if (cannotOpen.count(Normal(path)) || !ParentIsFolder(path) || IsFolder(path))
        return WRITE_FILE_CANNOT_OPEN;
    // The bytes go to a file beside; only a whole, flushed file takes the old one's place.
    if (shortWrite.count(Normal(path)))
        return WRITE_FILE_SHORT;
    if (inUse.count(Normal(path)) || IsReadOnly(path))
        return WRITE_FILE_CANNOT_OPEN;
    nodes_[Key(path)] =
        Node{Normal(path), false, std::string(reinterpret_cast<const char*>(data), size)};
    return WRITE_FILE_OK;
}

std::optional<std::vector<uint8_t>> MemoryFiles::ReadWholeFile(const std::u16string& path,
                                                               size_t limit) {
    if (!IsFile(path) || Read(path).size() > limit)
        return std::nullopt;
    const std::string content = Read(path);
    return std::vector<uint8_t>(content.begin(), content.end());
}

bool MemoryFiles::IsLink(const std::u16string& path) {
    for (const auto& [link, target] : links) {
        if (Lower(Normal(link)) == Lower(Normal(path)))
            return true;
    }
    return false;
}

bool MemoryFiles::MoveOver(const std::u16string& from, const std::u16string& to) {
    log.push_back("move " + Narrow8(Normal(from)) + " -> " + Narrow8(Normal(to)));
    if (!IsFile(from) || !ParentIsFolder(to) || IsFolder(to) || IsReadOnly(to))
        return false;
    Node node = nodes_[Key(from)];
    nodes_.erase(Key(from));
    node.path = Normal(to);
    nodes_[Key(to)] = node;
    return true;
}

bool MemoryFiles::DeleteAtReboot(const std::u16string& path) {
    log.push_back("at reboot " + Narrow8(Normal(path)));
    deleteAtReboot.push_back(Normal(path));
    return true;
}

bool MemoryFiles::ClearReadOnly(const std::u16string& path) {
    log.push_back("writable " + Narrow8(Normal(path)));
    if (!IsFile(path))
        return false;
    nodes_[Key(path)].readOnly = false;
    return true;
}

void MemoryFiles::SetReadOnly(const std::u16string& path) {
    if (IsFile(path))
        nodes_[Key(path)].readOnly = true;
}

bool MemoryFiles::IsReadOnly(const std::u16string& path) const {
    const auto found = nodes_.find(Key(path));
    return found != nodes_.end() && found->second.readOnly;
}

bool MemoryFiles::RemoveFolder(const std::u16string& path) {
    log.push_back("rmdir " + Narrow8(Normal(path)));
    if (!IsFolder(path))
        return false;
    const std::u16string key = Key(path);
    for (const auto& [other, node] : nodes_) {
        if (Parent(other) == key && other != key)
            return false;
    }
    nodes_.erase(key);
    return true;
}

void MemoryFiles::AddFolder(const std::u16string& path) {
    const std::u16string normal = Normal(path);
    for (size_t i = normal.find(u'\\'); i != std::u16string::npos; i = normal.find(u'\\', i + 1))
        nodes_.emplace(Key(normal.substr(0, i)), Node{normal.substr(0, i), true, {}});
    nodes_.emplace(Key(normal), Node{normal, true, {}});
}

void MemoryFiles::AddFile(const std::u16string& path, const std::string& content) {
    const std::u16string normal = Normal(path);
    AddFolder(normal.substr(0, normal.rfind(u'\\')));
    nodes_[Key(path)] = Node{Normal(path), false, content};
}

bool MemoryFiles::IsFile(const std::u16string& path) const {
    const auto found = nodes_.find(Key(path));
    return found != nodes_.end() && !found->second.folder;
}

bool MemoryFiles::IsFolder(const std::u16string& path) const {
    const auto found = nodes_.find(Key(path));
    return found != nodes_.end() && found->second.folder;
}

std::string MemoryFiles::Read(const std::u16string& path) const {
    const auto found = nodes_.find(Key(path));
    return found == nodes_.end() ? std::string() : found->second.content;
}

std::vector<std::string> MemoryFiles::FilesBelow(const std::u16string& folder) const {
    const std::u16string prefix = Key(folder) + u"\\";
    std::vector<std::string> files;
    for (const auto& [key, node] : nodes_) {
        if (!node.folder && key.compare(0, prefix.size(), prefix) == 0)
            files.push_back(Narrow8(node.path.substr(prefix.size())));
    }
    return files;
}

int MemoryFiles::ReadProfile(const std::u16string& path, const std::u16string& section,
                             const std::u16string& key, std::u16string& value) const {
    if (!IsFile(path))
        return 1;
    bool inSection = false;
    for (const std::u16string& raw : Lines(Read(path))) {
        const std::u16string line = Trim(raw);
        if (!line.empty() && line[0] == u'[') {
            inSection = EqualNoCase(line.substr(1, line.find(u']') - 1), section);
            continue;
        }
        const size_t equals = line.find(u'=');
        if (!inSection || equals == std::u16string::npos ||
            !EqualNoCase(Trim(line.substr(0, equals)), key))
            continue;
        const std::u16string found = Trim(line.substr(equals + 1)).substr(0, 1023);
        if (found.empty())
            return 1;
        value = found;
        return 0;
    }
    return 1;
}

bool MemoryFiles::WriteProfile(const std::u16string& path, const std::u16string& section,
                               const std::u16string& key, const std::u16string& value) {
    if (cannotOpen.count(Normal(path)) || !ParentIsFolder(path))
        return false;
    std::vector<std::u16string> lines =
        IsFile(path) ? Lines(Read(path)) : std::vector<std::u16string>{};
    bool inSection = false;
    int sectionEnd = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string line = Trim(lines[i]);
        if (!line.empty() && line[0] == u'[') {
            inSection = EqualNoCase(line.substr(1, line.find(u']') - 1), section);
            if (inSection)
                sectionEnd = static_cast<int>(i) + 1;
            continue;
        }
        const size_t equals = line.find(u'=');
        if (inSection && equals != std::u16string::npos &&
            EqualNoCase(Trim(line.substr(0, equals)), key)) {
            lines[i] = key + u"=" + value + u"\r";
            sectionEnd = -2;
            break;
        }
        if (inSection && !line.empty())
            sectionEnd = static_cast<int>(i) + 1;
    }
    if (sectionEnd == -1) {
        lines.push_back(u"[" + section + u"]\r");
        lines.push_back(key + u"=" + value + u"\r");
    } else if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, key + u"=" + value + u"\r");
    }
    std::string content;
    for (size_t i = 0; i < lines.size(); ++i)
        content += Narrow8(lines[i]) + (i + 1 < lines.size() ? "\n" : "");
    nodes_[Key(path)] = Node{Normal(path), false, content};
    return true;
}
