#include "AccessibleNames.h"

#include <cstring>
#include <iterator>

#include "Catalogue.h"

namespace {

// The names that are no control's.
constexpr AccessibleNameKey kOtherNames[] = {
    // The link buttons' modes.
    {"D3LinkIndependent", u"Independent"},
    {"D3LinkDependent", u"Linked"},
    {"D3LinkInverse", u"Inverse"},
    // Default actions.
    {"ActionPress", u"Press"},
    {"ActionCheck", u"Check"},
    {"ActionUncheck", u"Uncheck"},
    {"ActionSelect", u"Select"},
    {"ActionSwitch", u"Switch"},
};

std::vector<AccessibleNameKey> CollectKeys() {
    std::vector<AccessibleNameKey> keys;
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        if (kCatalogue[i].accessibleName) {
            keys.push_back({kCatalogue[i].name, kCatalogue[i].accessibleName});
        }
    }
    keys.insert(keys.end(), std::begin(kOtherNames), std::end(kOtherNames));
    return keys;
}

}  // namespace

const std::vector<AccessibleNameKey>& AccessibleNameKeys() {
    static const std::vector<AccessibleNameKey> keys = CollectKeys();
    return keys;
}

namespace {

int IndexOf(const char* key) {
    const std::vector<AccessibleNameKey>& keys = AccessibleNameKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (std::strcmp(keys[i].key, key) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

AccessibleNames::AccessibleNames() {
    for (const AccessibleNameKey& name : AccessibleNameKeys()) {
        texts_.emplace_back(name.english);
    }
}

const std::u16string& AccessibleNames::Of(const char* key) const {
    static const std::u16string none;
    const int i = IndexOf(key);
    return i < 0 ? none : texts_[static_cast<size_t>(i)];
}

void AccessibleNames::Load(IProfileStrings& strings, const std::u16string& languageFile) {
    const std::vector<AccessibleNameKey>& keys = AccessibleNameKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const char* key = keys[i].key;
        char16_t buffer[kAccessibleNameLength + 1] = {};
        strings.GetString(kAccessibilitySection, std::u16string(key, key + std::strlen(key)), u"",
                          buffer, kAccessibleNameLength + 1, languageFile);
        texts_[i] = buffer[0] ? buffer : keys[i].english;
    }
}
