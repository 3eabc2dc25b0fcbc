#include "AccessibleNames.h"

#include <cstring>

// clang-format off
const std::array<AccessibleNameKey, kAccessibleNameCount> kAccessibleNameKeys = {{
    {"CloseImage", u"Close"},
    {"MinimizeImage", u"Minimize"},
    {"LEDImage", u"LED"},
    {"SyncImage", u"Synchronize"},
    {"D3LBetaSliderImage", u"Left beta"},
    {"D3LAlphaSliderImage", u"Left alpha"},
    {"D3RBetaSliderImage", u"Right beta"},
    {"D3RAlphaSliderImage", u"Right alpha"},
    {"D3AlphaImage", u"Alpha link"},
    {"D3BetaImage", u"Beta link"},
    {"MicProgressImage", u"Microphone level"},
    {"VirtualLImage", u"Front left speaker"},
    {"VirtualRImage", u"Front right speaker"},
    {"VirtualCImage", u"Centre speaker"},
    {"VirtualSUBImage", u"Subwoofer"},
    {"VirtualLSImage", u"Side left speaker"},
    {"VirtualRSImage", u"Side right speaker"},
    {"VirtualLBImage", u"Back left speaker"},
    {"VirtualRBImage", u"Back right speaker"},
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
}};
// clang-format on

namespace {

int IndexOf(const char* key) {
    for (size_t i = 0; i < kAccessibleNameKeys.size(); ++i) {
        if (std::strcmp(kAccessibleNameKeys[i].key, key) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

AccessibleNames::AccessibleNames() {
    for (size_t i = 0; i < kAccessibleNameKeys.size(); ++i) {
        texts_[i] = kAccessibleNameKeys[i].english;
    }
}

const std::u16string& AccessibleNames::Of(const char* key) const {
    static const std::u16string none;
    const int i = IndexOf(key);
    return i < 0 ? none : texts_[static_cast<size_t>(i)];
}

void AccessibleNames::Load(IProfileStrings& strings, const std::u16string& languageFile) {
    for (size_t i = 0; i < kAccessibleNameKeys.size(); ++i) {
        const char* key = kAccessibleNameKeys[i].key;
        char16_t buffer[kAccessibleNameLength + 1] = {};
        strings.GetString(kAccessibilitySection, std::u16string(key, key + std::strlen(key)), u"",
                          buffer, kAccessibleNameLength + 1, languageFile);
        texts_[i] = buffer[0] ? buffer : kAccessibleNameKeys[i].english;
    }
}
