// The main window TAudioMainForm without the platform: the scene, its painting, the press and
// release handlers, page switching and the pointer filter. It is the logic's IPanelView.
//
//   PanelWindow window(device, state, skin, sim.HidBus(), sim.Driver(), sim.Endpoints(),
//                      sim.WaveInput(), appearance, {pictures, text, host, commands});
//   window.MouseDown(MouseButton::Left, {500, 420});  // platform input, client coordinates
//   window.MouseUp(MouseButton::Left, {500, 420});
#pragma once

#include <cstdint>

#include "Appearance.h"
#include "DeviceGate.h"
#include "Microphone.h"
#include "PanelContext.h"
#include "Pictures.h"
#include "PointerEngine.h"
#include "Scene.h"
#include "TextMeasure.h"
#include "WindowHost.h"

enum class MouseButton { Left, Right, Middle };

struct UiPorts {
    IPictures& pictures;
    ITextMeasure& text;
    IWindowHost& host;
    IPanelCommands& commands;
};

class PanelWindow : public IPanelView {
public:
    PanelWindow(DeviceState& device, PanelState& state, const SkinGeometry& skin, IHidBus& hid,
                IDriverPort& driver, IAudioEndpoints& audio, IWaveInput& waveInput,
                Appearance& look, UiPorts ports);
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    PanelContext& Context() { return ctx_; }
    Scene& GetScene() { return scene_; }
    Appearance& Look() { return look_; }
    PointerEngine& Pointer() { return pointer_; }
    LevelMeter& Meter() { return meter_; }
    const UiPorts& Ports() const { return ports_; }

    // Platform input in client coordinates, for the main window's own messages: the pointer
    // filter sees left presses, moves and left releases first, then the control under the
    // pointer gets its handler. The release goes to the control that had the press, and a left
    // release inside it is a click.
    void MouseDown(MouseButton button, Point at);
    void MouseMove(Point at);
    void MouseUp(MouseButton button, Point at);
    // The release will not come (the capture went elsewhere, the system cancelled the mode): the
    // drag ends and a pressed button looks released, without the release's click or command.
    void CancelPress();

    // The window's handlers. The press handlers return false when the press was refused (the
    // warning shown instead).
    bool OnImageMouseDown(Control& image, MouseButton button);
    void OnImageMouseUp(Control& image, MouseButton button);
    bool OnLabelMouseDown(Control& label, MouseButton button);
    void OnLabelMouseUp(Control& label, MouseButton button);
    bool OnLabelPageMouseDown(Control& label, MouseButton button);
    void FormMouseDown(MouseButton button);
    // CloseImageClick, MinimizeImageClick and the reset buttons' clicks.
    void Click(Control& control);

    // Every exchange with the headset, the driver and the microphone passes the window's gate;
    // the shutdown closes it, so nothing handled after it moves the neutral headset again.
    void OpenDevices() { gate_.Open(); }
    void CloseDevices() { gate_.Close(); }
    bool DevicesOpen() const { return gate_.IsOpen(); }

    // The device warning: LabelWarning's text under the application title.
    void ShowWarning();
    // Shows a page (0-4) as a tab press does once the device check has passed. Messages handled
    // in its pump may end the panel or show another page: then it goes no further.
    void ShowPage(int page);
    // The level meter on the headset's own microphone (the wave-input device of the endpoint the
    // capture search found), else on the default recording device.
    void StartMeter();
    // The window was shown or hidden (closed to the tray, minimised): hidden, the meter stops;
    // shown again on the Mic page with the headset there, it runs again.
    void SetWindowShown(bool shown);
    bool WindowShown() const { return shown_; }
    // A filled level-meter buffer from the wave input.
    void OnMeterBuffer(const uint8_t* samples, uint32_t size, int buffer);

    // Paints a label with a style's stored pressed or released colour.
    void PaintLabelColour(Control* label, const char* styleKey, bool pressed);

    // IPanelView
    Point ImagePosition(int tag) const override;
    SliderRange SliderTravel(int sliderTag) const override;
    void MoveImage(int tag, Point topLeft) override;
    void SetLabelText(int tag, const std::u16string& text) override;
    void ShowToggle(int tag, bool on) override;
    void SetLevelBarWidth(int width) override;
    int CurrentPage() const override { return scene_.Page(); }

private:
    void PressSelector(const Control& selected);
    void PressModeButton(Control& image);
    void ApplyEntry(const char* key, Control* image);
    bool InsideNotebook(Point at) const;
    // A push button's released look; false for other controls.
    bool ShowReleased(Control& image);

    Scene scene_;
    Appearance& look_;
    UiPorts ports_;
    DeviceGate gate_;
    PanelContext ctx_;
    LevelMeter meter_;
    PointerEngine pointer_;
    Control* pressed_ = nullptr;
    bool pressAccepted_ = false;
    // Until the platform says otherwise the window counts as shown.
    bool shown_ = true;
};
