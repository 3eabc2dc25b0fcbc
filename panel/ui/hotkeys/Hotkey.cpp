#include "Hotkey.h"

#include <vector>

namespace {

constexpr uint32_t kKeyF1 = 0x70;
constexpr uint32_t kKeyPause = 0x13;
constexpr uint32_t kKeyNum0 = 0x60;

struct Named {
    const char16_t* name;
    uint32_t key;
};

constexpr Named kNamedKeys[] = {
    {u"Space", 0x20}, {u"PageUp", 0x21}, {u"PageDown", 0x22}, {u"End", 0x23},
    {u"Home", 0x24},  {u"Left", 0x25},   {u"Up", 0x26},       {u"Right", 0x27},
    {u"Down", 0x28},  {u"Insert", 0x2D}, {u"Delete", 0x2E},   {u"Pause", kKeyPause},
};

constexpr Named kModifiers[] = {
    {u"Ctrl", kHotkeyCtrl}, {u"Alt", kHotkeyAlt}, {u"Shift", kHotkeyShift}, {u"Win", kHotkeyWin}};

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameName(const std::u16string& word, const char16_t* name) {
    size_t i = 0;
    for (; name[i]; ++i) {
        if (i >= word.size() || Upper(word[i]) != Upper(name[i])) {
            return false;
        }
    }
    return i == word.size();
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string Trimmed(const std::u16string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

// 1-24 from "1".."24" without a leading zero; 0 otherwise.
uint32_t FunctionNumber(const std::u16string& digits) {
    if (digits.empty() || digits.size() > 2 || digits[0] == u'0') {
        return 0;
    }
    uint32_t n = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        n = n * 10 + static_cast<uint32_t>(c - u'0');
    }
    return n <= 24 ? n : 0;
}

uint32_t KeyOf(const std::u16string& word) {
    if (word.size() == 1) {
        const char16_t c = Upper(word[0]);
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
            return c;  // the virtual-key codes of letters and digits are their ASCII codes
        }
        return 0;
    }
    if (Upper(word[0]) == u'F') {
        const uint32_t n = FunctionNumber(word.substr(1));
        return n ? kKeyF1 + n - 1 : 0;
    }
    if (word.size() == 4 && SameName(word.substr(0, 3), u"Num") && word[3] >= u'0' &&
        word[3] <= u'9') {
        return kKeyNum0 + static_cast<uint32_t>(word[3] - u'0');
    }
    for (const Named& named : kNamedKeys) {
        if (SameName(word, named.name)) {
            return named.key;
        }
    }
    return 0;
}

bool StandsAlone(uint32_t key) {
    return (key >= kKeyF1 && key < kKeyF1 + 24) || key == kKeyPause;
}

std::u16string KeyName(uint32_t key) {
    if ((key >= u'A' && key <= u'Z') || (key >= u'0' && key <= u'9')) {
        return std::u16string(1, static_cast<char16_t>(key));
    }
    if (key >= kKeyF1 && key < kKeyF1 + 24) {
        const uint32_t n = key - kKeyF1 + 1;
        std::u16string name = u"F";
        if (n >= 10) {
            name += static_cast<char16_t>(u'0' + n / 10);
        }
        return name + static_cast<char16_t>(u'0' + n % 10);
    }
    if (key >= kKeyNum0 && key <= kKeyNum0 + 9) {
        return u"Num" + std::u16string(1, static_cast<char16_t>(u'0' + key - kKeyNum0));
    }
    for (const Named& named : kNamedKeys) {
        if (named.key == key) {
            return named.name;
        }
    }
    return {};
}

}  // namespace

bool ParseHotkey(const std::u16string& text, Hotkey* out) {
    const std::u16string whole = Trimmed(text);
    if (whole.empty()) {
        *out = Hotkey{};
        return true;
    }
    std::vector<std::u16string> words;
    size_t start = 0;
    for (;;) {
        const size_t plus = whole.find(u'+', start);
        words.push_back(Trimmed(whole.substr(start, plus - start)));
        if (plus == std::u16string::npos) {
            break;
        }
        start = plus + 1;
    }
    Hotkey hotkey;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        uint32_t bit = 0;
        for (const Named& modifier : kModifiers) {
            if (SameName(words[i], modifier.name)) {
                bit = modifier.key;
            }
        }
        if (!bit || (hotkey.modifiers & bit)) {
            return false;
        }
        hotkey.modifiers |= bit;
    }
    hotkey.key = words.back().empty() ? 0 : KeyOf(words.back());
    if (!hotkey.key || (!hotkey.modifiers && !StandsAlone(hotkey.key))) {
        return false;
    }
    *out = hotkey;
    return true;
}

std::u16string HotkeyText(const Hotkey& hotkey) {
    const std::u16string key = KeyName(hotkey.key);
    if (key.empty() || (hotkey.modifiers & ~0xFu) ||
        (!hotkey.modifiers && !StandsAlone(hotkey.key))) {
        return {};
    }
    std::u16string text;
    for (const Named& modifier : kModifiers) {
        if (hotkey.modifiers & modifier.key) {
            text += modifier.name;
            text += u'+';
        }
    }
    return text + key;
}
