#include "MicTrayShell.h"

MicTrayUpdate MicTrayShell::Follow(const MicObserved& now, const std::u16string& hint,
                                   const MicStateTexts& texts, const SystemColours& colours) {
    const MicTrayUpdate update = state_.Follow(now, hint, texts);
    if (update.trayChanged) {
        host_.ShowMicrophone(update.look.muted, update.look.tooltip);
    }
    if (update.notice) {
        RECT icon{};
        const bool known = tray_.ScreenRect(&icon);
        notice_.Show(update.noticeText, host_.ShownIcon(), colours, known ? &icon : nullptr);
    }
    return update;
}
