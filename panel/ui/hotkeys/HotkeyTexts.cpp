#include "HotkeyTexts.h"

namespace {

constexpr uint32_t kTextLength = 255;

}  // namespace

void LoadHotkeyTexts(IProfileStrings& strings, const std::u16string& languageFile,
                     HotkeyTexts& texts) {
    const struct {
        const char16_t* key;
        std::u16string* text;
    } entries[] = {{u"Title", &texts.title},
                   {u"MicMute", &texts.micMute},
                   {u"ShowPanel", &texts.showPanel},
                   {u"OK", &texts.ok},
                   {u"Cancel", &texts.cancel},
                   {u"Taken", &texts.taken},
                   {u"NotUnderstood", &texts.notUnderstood}};
    for (const auto& entry : entries) {
        char16_t buffer[kTextLength + 1] = {};
        strings.GetString(u"Hotkeys", entry.key, u"", buffer, kTextLength + 1, languageFile);
        if (buffer[0]) {
            *entry.text = buffer;
        }
    }
}

std::u16string ControlNameOfLabel(const std::u16string& label) {
    std::u16string name;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size()) {
            ++i;  // the marked letter, or the second '&' of "&&"
        }
        name += label[i];
    }
    while (!name.empty() && (name.back() == u':' || name.back() == u' ')) {
        name.pop_back();
    }
    return name;
}

std::u16string WithCombination(const std::u16string& report, const std::u16string& combination) {
    std::u16string text = report;
    const size_t at = text.find(u"%1");
    if (at != std::u16string::npos) {
        text.replace(at, 2, combination);
    }
    return text;
}
