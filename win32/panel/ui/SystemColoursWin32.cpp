#include "SystemColoursWin32.h"

#include <cwchar>
#include <string>

#include "Handles.h"

namespace {

constexpr const wchar_t* kValueNames[SystemColours::kCount] = {
    L"Scrollbar",
    L"Background",
    L"ActiveTitle",
    L"InactiveTitle",
    L"Menu",
    L"Window",
    L"WindowFrame",
    L"MenuText",
    L"WindowText",
    L"TitleText",
    L"ActiveBorder",
    L"InactiveBorder",
    L"AppWorkspace",
    L"Hilight",
    L"HilightText",
    L"ButtonFace",
    L"ButtonShadow",
    L"GrayText",
    L"ButtonText",
    L"InactiveTitleText",
    L"ButtonHilight",
    L"ButtonDkShadow",
    L"ButtonLight",
    L"InfoText",
    L"InfoWindow",
    L"ButtonAlternateFace",
    L"HotTrackingColor",
    L"GradientActiveTitle",
    L"GradientInactiveTitle",
    L"MenuHilight",
    L"MenuBar",
};

// A REG_SZ value of the user's key; empty when there is none.
std::wstring UserString(const wchar_t* key, const wchar_t* name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
        return {};
    }
    UniqueRegKey opened(raw);
    wchar_t text[64] = {};
    DWORD type = 0;
    DWORD size = sizeof text - sizeof text[0];
    if (RegQueryValueExW(raw, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return std::wstring(text, size / sizeof text[0]).c_str();
}

// "R G B" into 0x00BBGGRR; false for anything else.
bool ParseRgb(const std::wstring& text, int32_t* colour) {
    int r = -1;
    int g = -1;
    int b = -1;
    wchar_t rest = 0;
    if (swscanf(text.c_str(), L"%d %d %d %lc", &r, &g, &b, &rest) != 3) {
        return false;
    }
    for (const int c : {r, g, b}) {
        if (c < 0 || c > 255) {
            return false;
        }
    }
    *colour = static_cast<int32_t>(RGB(r, g, b));
    return true;
}

}  // namespace

const wchar_t* SystemColourValueName(int index) {
    return index >= 0 && index < SystemColours::kCount ? kValueNames[index] : nullptr;
}

SystemColours ReadSystemColours() {
    SystemColours system;
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    system.highContrast =
        SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    if (system.highContrast) {
        for (int i = 0; i < SystemColours::kCount; ++i) {
            system.colour[static_cast<size_t>(i)] = static_cast<int32_t>(GetSysColor(i));
        }
    }
    return system;
}

SystemColours ReadSystemColoursFromRegistry() {
    SystemColours system;
    const std::wstring flags = UserString(kHighContrastKey, L"Flags");
    system.highContrast = (wcstoul(flags.c_str(), nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
    if (system.highContrast) {
        for (int i = 0; i < SystemColours::kCount; ++i) {
            int32_t colour = 0;
            system.colour[static_cast<size_t>(i)] =
                ParseRgb(UserString(kColoursKey, kValueNames[i]), &colour)
                    ? colour
                    : static_cast<int32_t>(GetSysColor(i));
        }
    }
    return system;
}
