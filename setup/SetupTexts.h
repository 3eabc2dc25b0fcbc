// The installer's localised texts: the "Setup" section of a language's Language.ini.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// One label's text, colours, font and bounds; a field left unset keeps what the label had.
struct LabelStyle {
    std::u16string Text;
    std::optional<int32_t> ColorUp;
    std::optional<int32_t> ColorDown;
    std::optional<std::u16string> FontName;
    std::optional<int32_t> FontSize;
    std::optional<int32_t> Left;
    std::optional<int32_t> Top;
    std::optional<int32_t> Width;
    std::optional<int32_t> Height;
};

// The keys in the order they are loaded; SetupTexts is indexed by them.
enum SetupTextKey {
    LabelBackBtn,
    LabelNextBtn,
    LabelFinishBtn,
    LabelCancelBtn,
    LabelSelectLang,
    LabelVersion,
    LabelAudioExt,
    LabelInstall,
    LabelReboot,
    LabelRebootRadioBtn,
    LabelNoRebootRadioBtn,
    LabelTitle,
    LabelWarning1,
    LabelWarning2,
    LabelWarning3,
    LabelWarning4,
    LabelWarning5,  // the product is installed in another folder
    SETUP_TEXT_COUNT
};

extern const std::array<const char16_t*, SETUP_TEXT_COUNT> kSetupTextKeys;

using SetupTexts = std::array<LabelStyle, SETUP_TEXT_COUNT>;

// An integer field: optional leading spaces and sign, then decimal digits, or hexadecimal digits
// after "$", "x" or "0x". Nothing for anything else.
std::optional<int32_t> ParseLabelNumber(const std::u16string& field);

// Splits a value at every comma into the record's fields; an empty field (but the text) leaves
// its part as it was. False at a numeric field that is not an integer: the fields before it
// are stored.
bool ParseLabelStyle(const std::u16string& value, LabelStyle& record);

// A label with an empty text or the text "(null)" is hidden.
bool IsLabelShown(const LabelStyle& record);

// The access key a caption gives its control (Alt and that key): the character after the first
// single "&", upper-cased when it is a Latin letter; 0 without one ("&&" is a literal "&").
char16_t AccessKey(const std::u16string& text);
