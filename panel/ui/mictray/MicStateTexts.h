// What the tray and the notice say of the microphone, in the chosen language: [MicState] of
// Language.ini; a language without the keys says it in the built-in English.
#pragma once

#include <string>

#include "ports/ProfileStrings.h"

constexpr const char16_t* kMicStateSection = u"MicState";
constexpr int kMicStateTextLength = 63;

struct MicStateTexts {
    std::u16string muted = u"Microphone muted";
    std::u16string on = u"Microphone on";

    // Takes the texts the file gives; a missing or empty key keeps the built-in one.
    void Load(IProfileStrings& strings, const std::u16string& languageFile);
};
