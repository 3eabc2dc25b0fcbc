#include "ProfileText.h"

#include "PanelError.h"
#include "ProfileFile.h"
#include "SliderMapping.h"

ProfileFields::ProfileFields(const std::u16string& value) {
    size_t start = 0;
    for (;;) {
        const size_t comma = value.find(u',', start);
        fields_.push_back(value.substr(start, comma - start));
        if (comma == std::u16string::npos) {
            break;
        }
        start = comma + 1;
    }
}

std::u16string ProfileIn::Value(const std::u16string& section, const std::u16string& key) const {
    return ReadProfileValue(strings_, file_, section, key);
}

int32_t ProfileIn::Number(const std::u16string& text, const std::u16string& section,
                          const std::u16string& key) const {
    try {
        return TextToInt(text);
    } catch (const PanelError& e) {
        throw PanelError(e.text() + u" ([" + section + u"] " + key + u")");
    }
}

int32_t ProfileIn::Within(const std::u16string& text, const std::u16string& section,
                          const std::u16string& key, int32_t lo, int32_t hi) const {
    return ClampInt(Number(text, section, key), lo, hi);
}
