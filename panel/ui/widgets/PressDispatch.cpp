// The press, release and click handlers of the window's buttons, and page switching.
#include "ButtonTables.h"
#include "ControlTags.h"
#include "Paint.h"
#include "PanelWindow.h"
#include "UserActions.h"

namespace {

// What works without the headset: close, minimise, About's look, the link buttons, Sync (which
// checks for itself) and the rotation switches.
bool WorksWithoutDevice(int tag) {
    switch (tag) {
        case TAG_NONE:
        case TAG_MINIMIZE:
        case TAG_MENU_ABOUT:
        case TAG_3D_ALPHA_LINK:
        case TAG_3D_BETA_LINK:
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
    switch (image.role) {
        case Role::PushButton: {
            const ButtonKeys keys = ButtonKeysOf(*image.row);
            const SkinImageEntry& down = look_.Image(keys.down);
            if (!down.FileName.empty()) {
                ApplyImageEntry(down, image, u"", look_, ports_.pictures);
            }
            PaintLabelColour(scene_.FindLabelByTag(t), keys.style, true);
            return true;
        }
        case Role::Selector:
            PressSelector(image);
            return true;
        case Role::ModeButton:
            PressModeButton(image);
            return true;
        default:
            break;
    }
    // Toggles flip and repaint through ShowToggle; Sync checks the device and page itself. A
    // toggle with no action of its own just flips the state it shows.
    if (!RunControlAction(ctx_, t) && image.role == Role::Toggle && image.row->state.member) {
        int32_t& on = ctx_.state.*image.row->state.member;
        on = on ? 0 : 1;
        ShowToggle(t, on != 0);
    }
    return true;
}

void PanelWindow::PressSelector(const Control& selected) {
    const CatalogueRow& row = *selected.row;
    const char* style = ButtonKeysOf(row).style;
    for (const CatalogueRow* member : SelectorGroupOf(row)) {
        const ButtonKeys keys = ButtonKeysOf(*member);
        ApplyEntry(member == &row ? keys.down : keys.up, scene_.FindImageByTag(member->tag));
        PaintLabelColour(scene_.FindLabelByTag(member->tag), style, member == &row);
    }
    if (row.state.member == &PanelState::currentPreset) {
        const Control* label = scene_.FindLabelByTag(row.tag);
        if (Control* sx = scene_.Find("SXLabel"); sx && label) {
            SetCaption(*sx, label->caption, ports_.text);
        }
    }
    for (const CatalogueRow* picture : PicturesShowing(row)) {
        ApplyEntry(KeyAt(*picture, row.state.value - picture->state.value),
                   scene_.Find(picture->name));
    }
    RunControlAction(ctx_, row.tag);
}

void PanelWindow::PressModeButton(Control& image) {
    const CatalogueRow& row = *image.row;
    int32_t& mode = ctx_.state.*row.state.member;
    const int32_t first = row.state.value;
    const int32_t last = first + static_cast<int32_t>(KeyCount(row)) - 1;
    mode = mode < first || mode >= last ? first : mode + 1;
    // Only the picture changes; the entry's bounds stay unused.
    const SkinImageEntry& entry = look_.Image(KeyAt(row, mode - row.state.value));
    LoadPicture(image, look_.skinFolder + u"3D\\" + entry.FileName, ports_.pictures);
}

bool PanelWindow::ShowReleased(Control& image) {
    if (image.role != Role::PushButton) {
        return false;
    }
    const ButtonKeys keys = ButtonKeysOf(*image.row);
    ApplyImageEntry(look_.Image(keys.up), image, u"", look_, ports_.pictures);
    PaintLabelColour(scene_.FindLabelByTag(image.tag), keys.style, false);
    return true;
}

void PanelWindow::OnImageMouseUp(Control& image, MouseButton button) {
    if (!ShowReleased(image)) {
        return;
    }
    const int t = image.tag;
    if (t == TAG_MENU_SAVE_PROFILE) {
        ports_.commands.SaveProfile();
    } else if (t == TAG_MENU_LOAD_PROFILE) {
        ports_.commands.LoadProfile();
    } else if (t == TAG_MENU_ABOUT && ctx_.device.devicePresent) {
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
        case TAG_NONE:
            if (control.name == "CloseImage") {
                ports_.host.HideToTray();
            }
            break;
        case TAG_MINIMIZE:
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
    if (label.tag < TAG_PAGE_EQ || label.tag > TAG_PAGE_VIRTUAL) {
        return false;
    }
    if (!ctx_.device.devicePresent) {
        ShowWarning();
        return false;
    }
    ShowPage(label.tag - TAG_PAGE_EQ);
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
    // Every tab takes the first tab's colours.
    const CatalogueRow* first = LabelRowOf(TAG_PAGE_EQ);
    const char* style = first ? KeyAt(*first, 0) : nullptr;
    for (int t = TAG_PAGE_EQ; t <= TAG_PAGE_VIRTUAL; ++t) {
        PaintLabelColour(scene_.FindLabelByTag(t), style, t - TAG_PAGE_EQ == page);
    }
}
