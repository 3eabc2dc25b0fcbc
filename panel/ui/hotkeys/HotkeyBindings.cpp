#include "HotkeyBindings.h"

std::u16string HotkeyBindings::Apply(const HotkeySettings& settings, const HotkeyTexts& texts) {
    Clear();
    std::u16string report;
    for (size_t i = 0; i < settings.size(); ++i) {
        const HotkeySetting& setting = settings[i];
        std::u16string problem;
        if (!setting.understood) {
            problem = WithCombination(texts.notUnderstood, setting.text);
        } else if (!setting.hotkey.Empty()) {
            registered_[i] =
                registrar_.Register(kHotkeyFirstId + static_cast<int>(i), setting.hotkey);
            if (!registered_[i]) {
                problem = WithCombination(texts.taken, HotkeyText(setting.hotkey));
            }
        }
        if (problem.empty()) {
            reported_[i].clear();
        } else if (reported_[i] != setting.text) {
            reported_[i] = setting.text;
            report += (report.empty() ? u"" : u"\r\n") + problem;
        }
    }
    return report;
}

void HotkeyBindings::Clear() {
    for (size_t i = 0; i < registered_.size(); ++i) {
        if (registered_[i]) {
            registrar_.Unregister(kHotkeyFirstId + static_cast<int>(i));
            registered_[i] = false;
        }
    }
}

bool HotkeyBindings::ActionOf(int id, HotkeyAction* action) const {
    const int i = id - kHotkeyFirstId;
    if (i < 0 || static_cast<size_t>(i) >= registered_.size() ||
        !registered_[static_cast<size_t>(i)]) {
        return false;
    }
    *action = static_cast<HotkeyAction>(i);
    return true;
}
