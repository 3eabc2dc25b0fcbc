// Language.ini as the panel reads it: [GlobalFont] and the label keys into LabelStyle records,
// and a skin's [MainLable] entries laid over seven of them.
#pragma once

#include <array>
#include <iterator>
#include <string>

#include "LabelStyle.h"
#include "ports/ProfileStrings.h"

struct LabelKey {
    const char16_t* section;
    const char16_t* key;
};

// The label keys a language gives, in reading order; LabelWarning comes last. A caption of the
// catalogue reads its style by its key, so a new caption's key goes here.
inline constexpr LabelKey kLabelKeys[] = {
    {u"Main", u"LabelMenu1"},
    {u"Main", u"LabelMenu2"},
    {u"Main", u"LabelMenu3"},
    {u"Main", u"LabelPageEQ"},
    {u"Main", u"LabelPage3D"},
    {u"Main", u"LabelPageEffect"},
    {u"Main", u"LabelPageMic"},
    {u"Main", u"LabelPageVirtual7ch1"},
    {u"Main", u"LabelActive"},
    {u"Main", u"LabelUnactive"},
    {u"Main", u"LabelSync"},
    {u"Main", u"LabelSetting"},
    {u"Main", u"LabelSX"},
    {u"Main", u"LabelFeatures"},
    {u"Main", u"LabelCompanyName"},
    {u"EQ", u"LabelEQEnable"},
    {u"EQ", u"LableEQ3DEnable"},
    {u"EQ", u"LabelEQReset"},
    {u"EQ", u"LabelEQS1"},
    {u"EQ", u"LabelEQS2"},
    {u"EQ", u"LabelEQS3"},
    {u"EQ", u"LabelEQS4"},
    {u"EQ", u"LabelEQ60Hz"},
    {u"EQ", u"LabelEQ300Hz"},
    {u"EQ", u"LabelEQ1200Hz"},
    {u"EQ", u"LabelEQ3600Hz"},
    {u"EQ", u"LabelEQ12000Hz"},
    {u"3D", u"Label3DEnable"},
    {u"3D", u"Label3DFBM"},
    {u"3D", u"Label3DReset"},
    {u"3D", u"Label3DLeftChannel"},
    {u"3D", u"Label3DRightChannel"},
    {u"3D", u"Label3DConnection"},
    {u"Effect", u"LabelEffectNothing"},
    {u"Effect", u"LabelEffectTheater"},
    {u"Effect", u"LabelEffectBathroom"},
    {u"Effect", u"LabelEffectLivingroom"},
    {u"Effect", u"LabelEffectStoneGallery"},
    {u"Mic", u"LabelMicBoost"},
    {u"Mic", u"LabelMicMute"},
    {u"Mic", u"LabelMicGain"},
    {u"Mic", u"LabelMicValue"},
    {u"Virtual7ch1", u"Label7ch1Enable"},
    {u"Virtual7ch1", u"LabelVirtualClockwise"},
    {u"Virtual7ch1", u"LabelVirtualCounterclockwise"},
    {u"Virtual7ch1", u"Label7ch1Reset"},
    {u"About", u"LabelAbout"},
    {u"Main", u"LabelWarning"},
};

constexpr int kLabelStyleCount = static_cast<int>(std::size(kLabelKeys));

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
