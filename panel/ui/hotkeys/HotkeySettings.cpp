#include "HotkeySettings.h"

#include "ProfileFile.h"

const char16_t* HotkeyKey(HotkeyAction action) {
    return action == HotkeyAction::MicMute ? u"MicMute" : u"ShowPanel";
}

HotkeySetting SettingOf(const std::u16string& text) {
    HotkeySetting setting;
    setting.text = text;
    setting.understood = ParseHotkey(text, &setting.hotkey);
    return setting;
}

HotkeySettings ReadHotkeySettings(IFolderListing& files, IProfileStrings& strings,
                                  const std::u16string& path) {
    HotkeySettings settings;
    if (!files.FileExists(path)) {
        return settings;
    }
    for (size_t i = 0; i < settings.size(); ++i) {
        settings[i] = SettingOf(ReadProfileValue(strings, path, kHotkeysSection,
                                                 HotkeyKey(static_cast<HotkeyAction>(i))));
    }
    return settings;
}

bool WriteHotkeySetting(IFolderListing& files, IProfileStrings& strings, const std::u16string& path,
                        HotkeyAction action, const std::u16string& text) {
    return files.FileExists(path) &&
           strings.WriteString(kHotkeysSection, HotkeyKey(action), text, path);
}
