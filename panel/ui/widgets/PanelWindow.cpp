#include "PanelWindow.h"

#include "ButtonTables.h"
#include "CaptureSearch.h"
#include "ControlTags.h"
#include "Paint.h"

PanelWindow::PanelWindow(DeviceState& device, PanelState& state, const SkinGeometry& skin,
                         IHidBus& hid, IDriverPort& driver, IAudioEndpoints& audio,
                         IWaveInput& waveInput, Appearance& look, UiPorts ports)
    : look_(look),
      ports_(ports),
      gate_(hid, driver, audio, waveInput),
      ctx_{device, state, skin, *this, gate_.Hid(), gate_.Driver(), gate_.Audio()},
      meter_(gate_.WaveInput()),
      pointer_(scene_, ctx_, [this] { ShowWarning(); }) {}

bool PanelWindow::InsideNotebook(Point at) const {
    const Control* book = scene_.Find("BackNotebook");
    return book && book->visible && book->bounds.Contains(at);
}

void PanelWindow::MouseDown(MouseButton button, Point at) {
    if (button == MouseButton::Left) {
        pointer_.Press(at);
    }
    pressed_ = scene_.HitTestWindow(at);
    pressAccepted_ = false;
    if (!pressed_) {
        if (!InsideNotebook(at)) {
            FormMouseDown(button);
        }
        return;
    }
    switch (pressed_->handler) {
        case Handler::Image:
            pressAccepted_ = OnImageMouseDown(*pressed_, button);
            break;
        case Handler::Label:
            pressAccepted_ = OnLabelMouseDown(*pressed_, button);
            break;
        case Handler::PageTab:
            pressAccepted_ = OnLabelPageMouseDown(*pressed_, button);
            break;
        case Handler::Form:
            FormMouseDown(button);
            break;
        case Handler::None:
            break;
    }
}

void PanelWindow::MouseMove(Point at) {
    pointer_.Move(at);
}

void PanelWindow::MouseUp(MouseButton button, Point at) {
    if (button == MouseButton::Left) {
        pointer_.Release();
    }
    Control* control = pressed_;
    pressed_ = nullptr;
    // A refused press leaves nothing to release: no look, no profile dialog, no reset.
    if (!control || !pressAccepted_) {
        return;
    }
    if (control->handler == Handler::Image) {
        OnImageMouseUp(*control, button);
    } else if (control->handler == Handler::Label) {
        OnLabelMouseUp(*control, button);
    } else {
        return;
    }
    const Point origin = scene_.ParentOrigin(*control);
    if (button == MouseButton::Left &&
        control->bounds.Contains({at.x - origin.x, at.y - origin.y})) {
        Click(*control);
    }
}

void PanelWindow::CancelPress() {
    pointer_.Release();
    Control* control = pressed_;
    pressed_ = nullptr;
    if (!control || !pressAccepted_) {
        return;
    }
    if (control->handler == Handler::Image) {
        ShowReleased(*control);
    } else if (control->handler == Handler::Label) {
        if (Control* image = scene_.FindImageByTag(control->tag)) {
            ShowReleased(*image);
        }
    }
}

void PanelWindow::FormMouseDown(MouseButton button) {
    if (button == MouseButton::Left) {
        ports_.host.BeginWindowDrag();
    } else if (button == MouseButton::Right) {
        ports_.host.CloseMainWindow();
    }
}

void PanelWindow::ShowWarning() {
    ports_.host.ShowMessage(look_.Label("LabelWarning").Text, look_.appTitle,
                            MessageIcon::Exclamation);
}

void PanelWindow::ApplyEntry(const char* key, Control* image) {
    if (image) {
        ApplyImageEntry(look_.Image(key), *image, u"", look_, ports_.pictures);
    }
}

void PanelWindow::PaintLabelColour(Control* label, const char* styleKey, bool pressed) {
    if (label && styleKey) {
        const LabelStyle& style = look_.Label(styleKey);
        label->colour = pressed ? style.ColorDown : style.ColorUp;
    }
}

Point PanelWindow::ImagePosition(int tag) const {
    const Control* image = scene_.FindImageByTag(tag);
    return image ? Point{image->bounds.left, image->bounds.top} : Point{};
}

SliderRange PanelWindow::SliderTravel(int sliderTag) const {
    const Control* image = scene_.FindImageByTag(sliderTag);
    if (!image || !image->row || !image->row->slider) {
        return {};
    }
    return TravelOf(*image->row->slider, ctx_.skin);
}

void PanelWindow::MoveImage(int tag, Point topLeft) {
    if (Control* image = scene_.FindImageByTag(tag)) {
        image->bounds.left = topLeft.x;
        image->bounds.top = topLeft.y;
    }
}

void PanelWindow::SetLabelText(int tag, const std::u16string& text) {
    if (Control* label = scene_.FindLabelByTag(tag)) {
        SetCaption(*label, text, ports_.text);
    }
}

void PanelWindow::ShowToggle(int tag, bool on) {
    Control* image = scene_.FindImageByTag(tag);
    if (!image) {
        return;
    }
    if (image->role == Role::Indicator) {
        image->visible = on;
        const CatalogueRow* caption = LabelRowOf(tag);
        PaintLabelColour(scene_.FindLabelByTag(tag), caption ? KeyAt(*caption, 0) : nullptr, false);
        return;
    }
    if (image->role != Role::Toggle) {
        return;
    }
    const ButtonKeys keys = ButtonKeysOf(*image->row);
    const SkinImageEntry& entry = look_.Image(on ? keys.down : keys.up);
    if (!entry.FileName.empty()) {
        ApplyImageEntry(entry, *image, u"", look_, ports_.pictures);
    }
    PaintLabelColour(scene_.FindLabelByTag(tag), keys.style, on);
}

void PanelWindow::SetLevelBarWidth(int width) {
    if (Control* bar = scene_.Find("MicProgressImage")) {
        bar->bounds.width = width;
    }
}

void PanelWindow::StartMeter() {
    const DeviceState& d = ctx_.device;
    MeterSource source;
    source.endpointId = d.captureEndpointId;
    if (d.vendorId != 0 || d.productId != 0) {
        source.interfacePrefix = CapturePathPrefix(d.vendorId, d.productId);
    }
    meter_.Start(source);
}

void PanelWindow::SetWindowShown(bool shown) {
    if (shown == shown_) {
        return;
    }
    shown_ = shown;
    if (!shown) {
        meter_.Stop();
    } else if (scene_.Page() == PAGE_MIC && ctx_.device.devicePresent) {
        StartMeter();
    }
}

void PanelWindow::OnMeterBuffer(const uint8_t* samples, uint32_t size, int buffer) {
    SetLevelBarWidth(meter_.OnBufferFilled(samples, size, buffer, ctx_.skin.micProgressLength));
}
