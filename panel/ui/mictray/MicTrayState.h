// What the notification area shows of the microphone, followed after every message the window
// handles: the tray icon's muted variant and its tooltip follow each change, and a change that
// did not come from the window's own input (a hotkey, another program, the headset's button) is
// told in a brief notice.
//
//   MicTrayState tray;
//   const MicTrayUpdate update = tray.Follow({present, muted, origin}, hint, texts);
//   if (update.trayChanged) show update.look; if (update.notice) show update.noticeText;
#pragma once

#include <string>

#include "MicStateTexts.h"

// Where the message that may have changed the state came from.
enum class InputOrigin {
    OwnWindow,  // a pointer, key or accessible default action on the shown window
    Elsewhere,  // anything else: device and endpoint notifications, hotkeys, the tray menu
};

struct MicObserved {
    bool present = false;  // the headset is there
    bool muted = false;    // its microphone's mute as the panel shows it
    InputOrigin origin = InputOrigin::Elsewhere;
};

struct MicTrayLook {
    bool muted = false;  // the icon's muted variant
    std::u16string tooltip;
    bool operator==(const MicTrayLook& other) const {
        return muted == other.muted && tooltip == other.tooltip;
    }
    bool operator!=(const MicTrayLook& other) const { return !(*this == other); }
};

struct MicTrayUpdate {
    bool trayChanged = false;  // the icon and tooltip are to show look
    MicTrayLook look;
    bool notice = false;  // a notice is to say noticeText
    std::u16string noticeText;
};

// The tooltip holds at most this many characters (the shell's buffer less its terminator).
constexpr size_t kTrayTooltipLength = 127;

// The tooltip for the state: the plain hint while not muted, else "<hint> – <muted text>".
std::u16string MicTooltip(bool muted, const std::u16string& hint, const MicStateTexts& texts);

class MicTrayState {
public:
    // After a message. hint: what the tray says while the microphone is not muted. The first
    // call only takes the state: nothing changed yet, so no notice; the tray shows the plain
    // icon with the hint until then, so only a muted start changes it. Only a headset that is
    // there shows as muted; its coming or going changes the icon without a notice.
    MicTrayUpdate Follow(const MicObserved& now, const std::u16string& hint,
                         const MicStateTexts& texts);

    const MicTrayLook& Shown() const { return shown_; }

private:
    bool known_ = false;
    bool present_ = false;
    bool muted_ = false;
    MicTrayLook shown_;
};
