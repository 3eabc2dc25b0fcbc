#include "MicStateTexts.h"

namespace {

std::u16string Read(IProfileStrings& strings, const std::u16string& file, const char16_t* key,
                    const char16_t* builtIn) {
    char16_t buffer[kMicStateTextLength + 1] = {};
    strings.GetString(kMicStateSection, key, u"", buffer, kMicStateTextLength + 1, file);
    return buffer[0] ? buffer : builtIn;
}

}  // namespace

void MicStateTexts::Load(IProfileStrings& strings, const std::u16string& languageFile) {
    const MicStateTexts builtIn;
    muted = Read(strings, languageFile, u"Muted", builtIn.muted.c_str());
    on = Read(strings, languageFile, u"On", builtIn.on.c_str());
}
