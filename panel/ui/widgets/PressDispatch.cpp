// The press, release and click handlers of the window's buttons, and page switching.
#include "ButtonTables.h"
#include "ControlTags.h"
#include "Paint.h"
#include "PanelWindow.h"
#include "UserActions.h"

namespace {

constexpr int kTagMenuAbout = 4;
constexpr int kTagAlphaLink = 14;
constexpr int kTagBetaLink = 15;
constexpr int kTagPageEQ = 23;
constexpr int kTagPageVirtual = 27;

// What works without the headset: close, minimise, About's look, the link buttons, Sync (which
// checks for itself) and the rotation switches.
bool WorksWithoutDevice(int tag) {
    switch (tag) {
        case 0:
        case 1:
        case kTagMenuAbout:
        case kTagAlphaLink:
        case kTagBetaLink:
        case TAG_SYNC:
        case TAG_ROTATE_CLOCKWISE:
        case TAG_ROTATE_COUNTERCLOCKWISE:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool PanelWindow::OnImageMouseDown(Control& image, MouseButton button) {
    const int t = image.tag;
    if (!ctx_.device.devicePresent && !WorksWithoutDevice(t)) {
        ShowWarning();
        return false;
    }
    if (const ButtonKeys* keys = PushButtonKeys(t)) {
        const SkinImageEntry& down = look_.Image(keys->down);
        if (!down.FileName.empty()) {
            ApplyImageEntry(down, image, u"", look_, ports_.pictures);
        }
        if (t >= 2) {
            PaintLabelColour(scene_.FindLabelByTag(t), keys->style, true);
        }
        return true;
    }
    if (SelectorKeys(t)) {
        PressSelector(t);
        return true;
    }
    if (t == kTagAlphaLink || t == kTagBetaLink) {
        PressLinkButton(image);
        return true;
    }
    // Toggles flip and repaint through ShowToggle; Sync checks the device and page itself.
    RunControlAction(ctx_, t);
    return true;
}

void PanelWindow::PressSelector(int tag) {
    const bool preset = tag >= TAG_PRESET_S1 && tag <= TAG_PRESET_S4;
    const int first = preset ? TAG_PRESET_S1 : TAG_EFFECT_NOTHING;
    const int last = preset ? TAG_PRESET_S4 : TAG_EFFECT_STONE_GALLERY;
    for (int t = first; t <= last; ++t) {
        const ButtonKeys* keys = SelectorKeys(t);
        ApplyEntry(t == tag ? keys->down : keys->up, scene_.FindImageByTag(t));
        PaintLabelColour(scene_.FindLabelByTag(t), keys->style, t == tag);
    }
    if (preset) {
        const Control* selected = scene_.FindLabelByTag(tag);
        if (Control* sx = scene_.Find("SXLabel"); sx && selected) {
            SetCaption(*sx, selected->caption, ports_.text);
        }
    } else {
        ApplyEntry(EffectPictureKey(tag - TAG_EFFECT_NOTHING + 1), scene_.Find("EffectPicImage"));
    }
    RunControlAction(ctx_, tag);
}

void PanelWindow::PressLinkButton(Control& image) {
    int32_t& mode = image.tag == kTagAlphaLink ? ctx_.state.alphaLinkMode : ctx_.state.betaLinkMode;
    mode = mode < 0 || mode >= 2 ? 0 : mode + 1;
    // Only the picture changes; the entry's bounds stay unused.
    const SkinImageEntry& entry = look_.Image(LinkPictureKey(image.tag, mode));
    LoadPicture(image, look_.skinFolder + u"3D\\" + entry.FileName, ports_.pictures);
}

bool PanelWindow::ShowReleased(Control& image) {
    const int t = image.tag;
    const ButtonKeys* keys = PushButtonKeys(t);
    if (!keys) {
        return false;
    }
    ApplyImageEntry(look_.Image(keys->up), image, u"", look_, ports_.pictures);
    if (t >= 2) {
        PaintLabelColour(scene_.FindLabelByTag(t), keys->style, false);
    }
    return true;
}

void PanelWindow::OnImageMouseUp(Control& image, MouseButton button) {
    if (!ShowReleased(image)) {
        return;
    }
    const int t = image.tag;
    if (t == 2) {
        ports_.commands.SaveProfile();
    } else if (t == 3) {
        ports_.commands.LoadProfile();
    } else if (t == kTagMenuAbout && ctx_.device.devicePresent) {
        ports_.commands.ShowAbout();
    }
}

bool PanelWindow::OnLabelMouseDown(Control& label, MouseButton button) {
    Control* image = scene_.FindImageByTag(label.tag);
    return image ? OnImageMouseDown(*image, button) : false;
}

void PanelWindow::OnLabelMouseUp(Control& label, MouseButton button) {
    if (Control* image = scene_.FindImageByTag(label.tag)) {
        OnImageMouseUp(*image, button);
    }
}

void PanelWindow::Click(Control& control) {
    switch (control.tag) {
        case 0:
            if (control.name == "CloseImage") {
                ports_.host.HideToTray();
            }
            break;
        case 1:
            ports_.host.Minimize();
            break;
        case TAG_EQ_RESET:
        case TAG_3D_RESET:
        case TAG_VIRTUAL_RESET:
            RunControlAction(ctx_, control.tag);
            break;
        default:
            break;
    }
}

bool PanelWindow::OnLabelPageMouseDown(Control& label, MouseButton button) {
    if (label.tag < kTagPageEQ || label.tag > kTagPageVirtual) {
        return false;
    }
    if (!ctx_.device.devicePresent) {
        ShowWarning();
        return false;
    }
    ShowPage(label.tag - kTagPageEQ);
    return true;
}

void PanelWindow::ShowPage(int page) {
    if (page < 0 || page >= kPageCount) {
        return;
    }
    scene_.SetPage(page);
    ports_.host.ProcessPendingMessages();
    // The exit message or the session's end may have shut the panel down in the pump, or a
    // second tab press already shown its page.
    if (!gate_.IsOpen() || scene_.Page() != page) {
        return;
    }
    if (page == PAGE_MIC) {
        if (shown_) {
            StartMeter();
        }
    } else if (meter_.IsRunning()) {
        meter_.Stop();
    }
    OnPageShown(ctx_, page);
    for (int t = kTagPageEQ; t <= kTagPageVirtual; ++t) {
        PaintLabelColour(scene_.FindLabelByTag(t), "LabelPageEQ", t - kTagPageEQ == page);
    }
}
