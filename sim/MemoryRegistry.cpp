#include "MemoryRegistry.h"

namespace {

std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    }
    return text;
}

class MemoryKey : public IRegistryKey {
public:
    explicit MemoryKey(MemoryRegistry::Key& key) : key_(key) {}

    bool SetString(const std::u16string& valueName, const std::u16string& data) override {
        key_.values[Lower(valueName)] = {valueName, data};
        return true;
    }
    std::optional<std::u16string> GetString(const std::u16string& valueName) override {
        const auto found = key_.values.find(Lower(valueName));
        if (found == key_.values.end())
            return std::nullopt;
        return found->second.second;
    }

private:
    MemoryRegistry::Key& key_;
};

}  // namespace

std::unique_ptr<IRegistryKey> MemoryRegistry::CreateKey(RegistryHive hive,
                                                        const std::u16string& path) {
    return std::make_unique<MemoryKey>(keys_[{hive, Lower(path)}]);
}

std::unique_ptr<IRegistryKey> MemoryRegistry::OpenKey(RegistryHive hive,
                                                      const std::u16string& path) {
    const auto found = keys_.find({hive, Lower(path)});
    if (found == keys_.end())
        return nullptr;
    return std::make_unique<MemoryKey>(found->second);
}

bool MemoryRegistry::DeleteKey(RegistryHive hive, const std::u16string& path) {
    return keys_.erase({hive, Lower(path)}) > 0;
}

const MemoryRegistry::Key* MemoryRegistry::Find(RegistryHive hive,
                                                const std::u16string& path) const {
    const auto found = keys_.find({hive, Lower(path)});
    return found == keys_.end() ? nullptr : &found->second;
}
