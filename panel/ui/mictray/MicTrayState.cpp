#include "MicTrayState.h"

std::u16string MicTooltip(bool muted, const std::u16string& hint, const MicStateTexts& texts) {
    std::u16string tooltip = hint;
    if (muted) {
        tooltip = hint.empty() ? texts.muted : hint + u" \u2013 " + texts.muted;
    }
    if (tooltip.size() > kTrayTooltipLength) {
        tooltip.resize(kTrayTooltipLength);
    }
    return tooltip;
}

MicTrayUpdate MicTrayState::Follow(const MicObserved& now, const std::u16string& hint,
                                   const MicStateTexts& texts) {
    MicTrayUpdate update;
    const bool showMuted = now.present && now.muted;
    // A mute that changed while the headset stayed; the window's own switch shows it already.
    update.notice = known_ && present_ && now.present && muted_ != now.muted &&
                    now.origin == InputOrigin::Elsewhere;
    if (update.notice) {
        update.noticeText = now.muted ? texts.muted : texts.on;
    }
    // The tooltip follows the language and the hint too, not only the mute.
    update.look.muted = showMuted;
    update.look.tooltip = MicTooltip(showMuted, hint, texts);
    if (!known_) {
        // What the presentation gave the tray at start: redrawing the same icon is not nothing
        // to every shell (Wine's blends its soft edge again).
        shown_ = {false, hint};
    }
    update.trayChanged = update.look != shown_;
    if (update.trayChanged) {
        shown_ = update.look;
    }
    known_ = true;
    present_ = now.present;
    muted_ = now.muted;
    return update;
}
