// The devices the panel talks to: the headset's HID interface, the extension driver, the audio
// endpoints, the level meter's capture stream, the Windows version and the device tree. The
// program links the Win32 set; the simulator build links the simulated headset instead.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MicTrayState.h"
#include "Presentation.h"
#include "SystemColoursWin32.h"
#include "ports/AudioEndpoint.h"
#include "ports/DeviceEnumerator.h"
#include "ports/DriverDevice.h"
#include "ports/HidDevice.h"

// Where the microphone's watch posts its notices: wParam the MicChange, lParam PackMicNotice.
constexpr UINT kMicNoticeMessage = WM_APP + 20;

class DeviceSet {
public:
    virtual ~DeviceSet() = default;

    virtual IHidBus& Hid() = 0;
    virtual IDriverPort& Driver() = 0;
    virtual IAudioEndpoints& Audio() = 0;
    virtual IWaveInput& WaveInput() = 0;
    virtual IOsVersion& Os() = 0;
    virtual IDeviceEnumerator& Devices() = 0;

    // The buffer an MM_WIM_DATA message reports and its samples; -1 when the message is stale.
    virtual int MeterBuffer(LPARAM header, const uint8_t** samples) = 0;

    // The microphone's watch, whose notices come as kMicNoticeMessage; null for none.
    virtual IMicWatch* MicWatch() { return nullptr; }

    // Items the tray menu carries beyond the panel's own, and what choosing one does.
    virtual std::vector<MenuItem> ExtraMenuItems() { return {}; }
    virtual void MenuChosen(const std::u16string& name) {}
    // Window messages of the set's own; true when handled.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return false; }
    // The window's controls where they are now, after start-up and after a skin or language
    // change (the simulator build tells its tests where to click).
    virtual void Layout(const Scene& scene) {}
    // The window was shown from the tray and painted whole, milliseconds after the request (the
    // simulator build traces it for the benchmarks).
    virtual void WindowShown(unsigned milliseconds) {}
    // The system's colours and high-contrast setting now.
    virtual SystemColours Colours() { return ReadSystemColours(); }
    // The focus indicator is drawn around control (null: none) and covers ring (design pixels).
    virtual void FocusIndicator(const Control* control, const Rect& ring) {}
    // What the tray shows of the microphone changed, or a notice told of it (the simulator
    // build traces both).
    virtual void MicTrayShown(const MicTrayUpdate& update) {}
    // Called once the panel has ended, before the program returns.
    virtual void Finish() {}
};

// mainWindow receives the level meter's MM_WIM_DATA and the device notifications.
std::unique_ptr<DeviceSet> CreateDeviceSet(HWND mainWindow);
