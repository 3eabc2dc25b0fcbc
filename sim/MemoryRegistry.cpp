#include "MemoryRegistry.h"

namespace {

enum : uint32_t { kRegSz = 1, kRegExpandSz = 2, kRegDword = 4, kRegMultiSz = 7 };

std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    }
    return text;
}

}  // namespace

class MemoryKey : public IRegistryKey {
public:
    MemoryKey(MemoryRegistry& registry, MemoryRegistry::Key& key, std::u16string path,
              RegistryHive hive, RegistryView view)
        : registry_(registry), key_(key), path_(std::move(path)), hive_(hive), view_(view) {}

    bool SetString(const std::u16string& valueName, const std::u16string& data) override {
        return SetText(valueName, data, kRegSz);
    }
    std::optional<std::u16string> GetString(const std::u16string& valueName) override {
        const auto found = key_.values.find(Lower(valueName));
        if (found == key_.values.end())
            return std::nullopt;
        return found->second.second;
    }
    bool SetExpandString(const std::u16string& valueName, const std::u16string& data) override {
        return SetText(valueName, data, kRegExpandSz);
    }
    bool SetDword(const std::u16string& valueName, uint32_t data) override {
        Erase(valueName);
        key_.dwords[Lower(valueName)] = data;
        key_.types[Lower(valueName)] = kRegDword;
        return true;
    }
    std::optional<uint32_t> GetDword(const std::u16string& valueName) override {
        const auto found = key_.dwords.find(Lower(valueName));
        if (found == key_.dwords.end())
            return std::nullopt;
        return found->second;
    }
    bool SetMultiString(const std::u16string& valueName,
                        const std::vector<std::u16string>& data) override {
        Erase(valueName);
        key_.multiStrings[Lower(valueName)] = data;
        key_.types[Lower(valueName)] = kRegMultiSz;
        return true;
    }
    std::optional<std::vector<std::u16string>> GetMultiString(
        const std::u16string& valueName) override {
        const auto found = key_.multiStrings.find(Lower(valueName));
        if (found == key_.multiStrings.end())
            return std::nullopt;
        return found->second;
    }
    std::optional<uint32_t> GetType(const std::u16string& valueName) override {
        const auto found = key_.types.find(Lower(valueName));
        if (found == key_.types.end())
            return std::nullopt;
        return found->second;
    }
    bool DeleteValue(const std::u16string& valueName) override { return Erase(valueName); }
    bool Flush() override {
        ++key_.flushes;
        return true;
    }
    std::optional<uint32_t> SubKeyCount() override {
        return static_cast<uint32_t>(SubKeys().size());
    }
    std::optional<std::u16string> SubKeyName(uint32_t index) override {
        const std::vector<std::u16string> names = SubKeys();
        if (index >= names.size())
            return std::nullopt;
        return names[index];
    }

private:
    bool SetText(const std::u16string& valueName, const std::u16string& data, uint32_t type) {
        Erase(valueName);
        key_.values[Lower(valueName)] = {valueName, data};
        key_.types[Lower(valueName)] = type;
        return true;
    }
    bool Erase(const std::u16string& valueName) {
        const std::u16string lower = Lower(valueName);
        key_.values.erase(lower);
        key_.dwords.erase(lower);
        key_.multiStrings.erase(lower);
        return key_.types.erase(lower) > 0;
    }
    // Direct subkeys, as stored (keys are kept by their lower-cased path).
    std::vector<std::u16string> SubKeys() const {
        std::set<std::u16string> names;
        const std::u16string prefix = path_ + u"\\";
        for (const auto& [id, key] : registry_.keys_) {
            const auto& [hive, view, path] = id;
            if (hive != hive_ || view != view_ || path.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::u16string rest = key.path.substr(prefix.size());
            names.insert(rest.substr(0, rest.find(u'\\')));
        }
        return {names.begin(), names.end()};
    }

    MemoryRegistry& registry_;
    MemoryRegistry::Key& key_;
    std::u16string path_;
    RegistryHive hive_;
    RegistryView view_;
};

std::unique_ptr<IRegistryKey> MemoryRegistry::CreateKey(RegistryHive hive,
                                                        const std::u16string& path,
                                                        RegistryView view) {
    const Id id{hive, view, Lower(path)};
    if (denied_.count(id))
        return nullptr;
    // As RegCreateKeyExW, the missing keys above it are made too.
    for (size_t i = path.find(u'\\'); i != std::u16string::npos; i = path.find(u'\\', i + 1)) {
        Key& parent = keys_[{hive, view, Lower(path.substr(0, i))}];
        if (parent.path.empty())
            parent.path = path.substr(0, i);
    }
    Key& key = keys_[id];
    if (key.path.empty())
        key.path = path;
    return std::make_unique<MemoryKey>(*this, key, Lower(path), hive, view);
}

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenKey(RegistryHive hive, const std::u16string& path,
                                                      RegistryView view, RegistryAccess) {
    const Id id{hive, view, Lower(path)};
    const auto found = keys_.find(id);
    if (found == keys_.end() || denied_.count(id))
        return nullptr;
    return std::make_unique<MemoryKey>(*this, found->second, Lower(path), hive, view);
}

bool MemoryRegistry::DeleteKey(RegistryHive hive, const std::u16string& path, RegistryView view) {
    // As RegDeleteKeyW, a key that still has subkeys stays.
    const std::u16string prefix = Lower(path) + u"\\";
    for (const auto& [id, key] : keys_) {
        const auto& [otherHive, otherView, otherPath] = id;
        if (otherHive == hive && otherView == view &&
            otherPath.compare(0, prefix.size(), prefix) == 0)
            return false;
    }
    return keys_.erase({hive, view, Lower(path)}) > 0;
}

const MemoryRegistry::Key* MemoryRegistry::Find(RegistryHive hive, const std::u16string& path,
                                                RegistryView view) const {
    const auto found = keys_.find({hive, view, Lower(path)});
    return found == keys_.end() ? nullptr : &found->second;
}

void MemoryRegistry::Deny(RegistryHive hive, const std::u16string& path, RegistryView view) {
    denied_.insert({hive, view, Lower(path)});
}
