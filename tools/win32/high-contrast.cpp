// Switches high contrast on or off as the system's shortcut does, for the end-to-end tests.
//   high-contrast.exe on|off|query
// On Windows the setting is SystemParametersInfo's (SPI_SETHIGHCONTRAST): the system applies the
// high-contrast colours and tells every window. Wine refuses that setting
// (ERROR_INVALID_SPI_VALUE) and reports it off whatever is set, so there the tool does what the
// system would: the flag under HKCU\Control Panel\Accessibility\HighContrast ("Flags"), a black
// scheme's colours under HKCU\Control Panel\Colors and through SetSysColors (which sends
// WM_SYSCOLORCHANGE), then WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST to every top-level window.
// "off" puts back the colours that "on" replaced. "query" prints what the system and the
// registry say. Exit code 0 when done, 1 when the setting could not be changed, 2 for usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kHighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";
constexpr wchar_t kColoursKey[] = L"Control Panel\\Colors";
// What "on" replaced, for "off".
constexpr wchar_t kSavedKey[] = L"Control Panel\\Accessibility\\HighContrast\\Colors Before";

struct SchemeColour {
    int index;
    const wchar_t* name;  // under HKCU\Control Panel\Colors
    COLORREF colour;
};

// White text on black, a yellow-green highlight: the system's black high-contrast scheme.
constexpr SchemeColour kBlackScheme[] = {
    {COLOR_WINDOW, L"Window", RGB(0, 0, 0)},
    {COLOR_WINDOWTEXT, L"WindowText", RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, L"Hilight", RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, L"HilightText", RGB(0, 0, 0)},
    {COLOR_BTNFACE, L"ButtonFace", RGB(0, 0, 0)},
    {COLOR_BTNTEXT, L"ButtonText", RGB(255, 255, 255)},
    {COLOR_GRAYTEXT, L"GrayText", RGB(63, 242, 63)},
    {COLOR_MENU, L"Menu", RGB(0, 0, 0)},
    {COLOR_MENUTEXT, L"MenuText", RGB(255, 255, 255)},
    {COLOR_HOTLIGHT, L"HotTrackingColor", RGB(255, 255, 0)},
};

class Key {
public:
    Key(const wchar_t* path, bool create) {
        const LONG status =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0,
                                     KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key_);
        if (status != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~Key() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    std::wstring Get(const wchar_t* name) const {
        wchar_t text[64] = {};
        DWORD type = 0;
        DWORD size = sizeof text - sizeof text[0];
        if (!key_ ||
            RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ) {
            return {};
        }
        return text;
    }
    bool Set(const wchar_t* name, const std::wstring& value) const {
        return key_ &&
               RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
                   ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

std::wstring RgbText(COLORREF c) {
    return std::to_wstring(GetRValue(c)) + L" " + std::to_wstring(GetGValue(c)) + L" " +
           std::to_wstring(GetBValue(c));
}

COLORREF ParseRgb(const std::wstring& text, COLORREF fallback) {
    int r = 0;
    int g = 0;
    int b = 0;
    return swscanf(text.c_str(), L"%d %d %d", &r, &g, &b) == 3 ? RGB(r, g, b) : fallback;
}

bool SystemSaysOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

unsigned long RegistryFlags() {
    return wcstoul(Key(kHighContrastKey, false).Get(L"Flags").c_str(), nullptr, 10);
}

bool SystemSwitch(bool on) {
    wchar_t scheme[] = L"High Contrast Black";
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    contrast.dwFlags = HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0);
    contrast.lpszDefaultScheme = scheme;
    return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast,
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

// The scheme's colours (one per kBlackScheme entry) into the registry and the running system
// (SetSysColors tells every window).
bool ApplyColours(const std::vector<COLORREF>& colours) {
    Key values(kColoursKey, true);
    bool ok = static_cast<bool>(values);
    std::vector<int> indices;
    for (size_t i = 0; i < colours.size(); ++i) {
        ok = values.Set(kBlackScheme[i].name, RgbText(colours[i])) && ok;
        indices.push_back(kBlackScheme[i].index);
    }
    return SetSysColors(static_cast<int>(indices.size()), indices.data(), colours.data()) && ok;
}

// What Windows does for the shortcut, where the system keeps no setting (Wine).
bool RegistrySwitch(bool on) {
    Key flagsKey(kHighContrastKey, true);
    const unsigned long flags = RegistryFlags();
    if (((flags & HCF_HIGHCONTRASTON) != 0) == on) {
        return true;  // as it is: the colours saved stay right
    }
    std::vector<COLORREF> colours;
    Key current(kColoursKey, false);
    Key saved(kSavedKey, true);
    for (const SchemeColour& c : kBlackScheme) {
        if (on) {
            saved.Set(c.name, RgbText(ParseRgb(current.Get(c.name), GetSysColor(c.index))));
            colours.push_back(c.colour);
        } else {
            colours.push_back(ParseRgb(saved.Get(c.name), GetSysColor(c.index)));
        }
    }
    const unsigned long next = on ? flags | HCF_HIGHCONTRASTON | HCF_AVAILABLE
                                  : flags & ~static_cast<unsigned long>(HCF_HIGHCONTRASTON);
    // The flag first: a window that hears of the colours reads it at once.
    bool ok = flagsKey.Set(L"Flags", std::to_wstring(next));
    ok = ApplyColours(colours) && ok;
    if (!on) {
        RegDeleteKeyW(HKEY_CURRENT_USER, kSavedKey);
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                        2000, &result);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 2 ? argv[1] : L"";
    if (mode == L"query") {
        printf("system %s registry %s\n", SystemSaysOn() ? "on" : "off",
               (RegistryFlags() & HCF_HIGHCONTRASTON) ? "on" : "off");
        return 0;
    }
    if (mode != L"on" && mode != L"off") {
        fprintf(stderr, "usage: high-contrast.exe on|off|query\n");
        return 2;
    }
    const bool on = mode == L"on";
    if (SystemSwitch(on)) {
        printf("high contrast %s (system)\n", on ? "on" : "off");
        return 0;
    }
    const DWORD error = GetLastError();
    if (!RegistrySwitch(on)) {
        fprintf(stderr, "cannot switch high contrast %s (system error %lu, registry failed)\n",
                on ? "on" : "off", error);
        return 1;
    }
    printf("high contrast %s (registry and colours; the system refused with error %lu)\n",
           on ? "on" : "off", error);
    return 0;
}
