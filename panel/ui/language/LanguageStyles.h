// Language.ini as the panel reads it: [GlobalFont] and the 48 label keys into LabelStyle records,
// and a skin's [MainLable] entries laid over seven of them.
#pragma once

#include <array>
#include <string>

#include "LabelStyle.h"
#include "ports/ProfileStrings.h"

constexpr int kLabelStyleCount = 48;

struct LanguageStyles {
    GlobalLabelDefaults global;
    std::array<LabelStyle, kLabelStyleCount> styles{};
};

// The key of style index (0-47), for filling the scene's own tables; empty outside.
std::u16string LabelStyleKeyAt(int index);

// Index of a label key ("LabelMenu1", "LabelWarning", ...) in reading order; -1 for another name.
int LabelStyleIndex(const std::u16string& key);
// The style of a key; an empty style for a name that is no label key.
const LabelStyle& StyleOf(const LanguageStyles& language, const std::u16string& key);

// Text,ColorUp,ColorDown,Font,FontSize,Left,Top,Width,Height; a field is present when not empty;
// fields after the ninth are ignored. A number field that is not an integer throws PanelError.
LabelStyle ParseLabelValue(const std::u16string& value);

// Clears every style and the defaults, then reads [GlobalFont] and each key in order.
void LoadLanguage(IProfileStrings& strings, const std::u16string& iniPath,
                  LanguageStyles& language);

// [MainLable] of a skin's SkinSetting.ini: the present fields after the text overwrite the same
// fields of the seven styles it may name.
void LoadSkinLabelOverrides(IProfileStrings& strings, const std::u16string& skinIniPath,
                            LanguageStyles& language);
