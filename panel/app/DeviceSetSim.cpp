// The simulator build's devices: the simulated headset, plugged in at start. Its traffic goes to
// the file named by AUDIOPANEL_SIM_TRACE; the tray menu's extra items and the registered message
// "AUDIOPANEL_SIM_PLUG" (wParam 1 plugs, 0 unplugs) move the headset, and the panel hears of it
// through WM_DEVICECHANGE as it would of a real one.
#include <windows.h>
#include <dbt.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "DeviceSet.h"
#include "SimHeadset.h"
#include "SimPlugMessage.h"
#include "TextHelpers.h"
#include "WideText.h"

namespace {

constexpr wchar_t kHeadsetInterface[] =
    L"\\\\?\\HID#VID_3F9C&PID_4712&MI_03#8&1f2e3d4c&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr GUID kHidClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr UINT kMeterPeriodMs = 50;  // 400 samples at 8 kHz

// A Unix path from the Linux side of Wine becomes its Z: drive path.
std::string TracePath(const std::string& value) {
    if (!value.empty() && value[0] == '/') {
        std::string path = "Z:" + value;
        for (char& c : path) {
            if (c == '/') {
                c = '\\';
            }
        }
        return path;
    }
    return value;
}

class DeviceSetSim;
DeviceSetSim* g_meterOwner = nullptr;

class DeviceSetSim final : public DeviceSet {
public:
    explicit DeviceSetSim(HWND mainWindow) : window_(mainWindow) {
        sim_.KeepRecords(false);  // nothing here reads them back
        char value[MAX_PATH * 2] = {};
        const DWORD length = GetEnvironmentVariableA("AUDIOPANEL_SIM_TRACE", value, sizeof value);
        if (length > 0 && length < sizeof value) {
            sim_.Trace().SetFile(TracePath(value));
        }
        plugMessage_ = RegisterWindowMessageW(kSimPlugMessageName);
        suspendMessage_ = RegisterWindowMessageW(kSimSuspendMessageName);
        holdMessage_ = RegisterWindowMessageW(kSimHoldMessageName);
        micMessage_ = RegisterWindowMessageW(kSimMicMessageName);
        // Windows calls back on another thread: the notice reaches the window through its queue.
        micWatch_ = sim_.Microphone().NewWatch([this](const MicNotice& notice) {
            PostMessageW(window_, kMicNoticeMessage, static_cast<WPARAM>(notice.change),
                         static_cast<LPARAM>(PackMicNotice(notice)));
        });
        // As on most machines, the default recording device is not the headset.
        sim_.Wave().defaultIsMachineMicrophone = true;
        sim_.Wave().onData = [this](int buffer, const uint8_t* samples, uint32_t size) {
            std::memcpy(buffers_[buffer].data(), samples,
                        std::min<size_t>(size, buffers_[buffer].size()));
            PostMessageW(window_, MM_WIM_DATA, 0, static_cast<LPARAM>(kBufferCookie + buffer));
        };
        g_meterOwner = this;
        timer_ = SetTimer(nullptr, 0, kMeterPeriodMs, &DeviceSetSim::MeterTick);
    }
    ~DeviceSetSim() override {
        if (timer_) {
            KillTimer(nullptr, timer_);
        }
        g_meterOwner = nullptr;
    }

    IHidBus& Hid() override { return sim_.HidBus(); }
    IDriverPort& Driver() override { return sim_.Driver(); }
    IAudioEndpoints& Audio() override { return sim_.Endpoints(); }
    IWaveInput& WaveInput() override { return sim_.WaveInput(); }
    IOsVersion& Os() override { return sim_.OsVersion(); }
    IDeviceEnumerator& Devices() override { return sim_.DeviceTree(); }
    IMicWatch* MicWatch() override { return micWatch_.get(); }

    int MeterBuffer(LPARAM header, const uint8_t** samples) override {
        const LPARAM buffer = header - kBufferCookie;
        if (buffer < 0 || buffer >= static_cast<LPARAM>(buffers_.size()) ||
            !sim_.WaveInput().IsOpen() || sim_.Wave().IsQueued(static_cast<int>(buffer))) {
            return -1;
        }
        *samples = buffers_[static_cast<size_t>(buffer)].data();
        return static_cast<int>(buffer);
    }

    std::vector<MenuItem> ExtraMenuItems() override {
        return {{u"SimPlugMenu", u"Plug in the simulated headset", sim_.IsPlugged(), {}},
                {u"SimUnplugMenu", u"Unplug the simulated headset", !sim_.IsPlugged(), {}}};
    }
    void MenuChosen(const std::u16string& name) override {
        if (name == u"SimPlugMenu") {
            SetPlugged(true);
        } else if (name == u"SimUnplugMenu") {
            SetPlugged(false);
        }
    }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == 0) {
            return false;
        }
        if (message == plugMessage_) {
            SetPlugged(wParam != 0);
        } else if (message == suspendMessage_) {
            sim_.Trace().Add("SIM SUSPEND");
            sim_.Suspend();
        } else if (message == holdMessage_) {
            sim_.Trace().Add("SIM HOLD");
            ::Sleep(static_cast<DWORD>(std::min<WPARAM>(wParam, kLongestHoldMs)));
        } else if (message == micMessage_) {
            sim_.Trace().Add(wParam != 0 ? "SIM MIC 1" : "SIM MIC 0");
            sim_.Microphone().MuteElsewhere(wParam != 0);
        } else {
            return false;
        }
        return true;
    }
    void Layout(const Scene& scene) override {
        for (const Control& control : scene.Controls()) {
            const int page = PageOf(control.parent);
            const bool graphic = control.kind == Kind::Image || control.kind == Kind::Label;
            if (!graphic || !control.visible) {
                continue;
            }
            // Controls of pages not on show: where they are once their page is.
            const Point origin = scene.ParentOrigin(control);
            sim_.Trace().Add("SIM LAYOUT " + std::to_string(page) + " " + control.name + " " +
                             std::to_string(origin.x + control.bounds.left) + " " +
                             std::to_string(origin.y + control.bounds.top) + " " +
                             std::to_string(control.bounds.width) + " " +
                             std::to_string(control.bounds.height));
        }
    }
    void WindowShown(unsigned milliseconds) override {
        sim_.Trace().Add("SIM SHOWN " + std::to_string(milliseconds));
    }
    // Wine keeps no high-contrast setting: where the system says off, what the user's registry
    // says (tools/win32/high-contrast.cpp puts it there under Wine). Traced when it changes.
    SystemColours Colours() override {
        SystemColours system = ReadSystemColours();
        if (!system.highContrast) {
            system = ReadSystemColoursFromRegistry();
        }
        if (system.highContrast != highContrast_) {
            highContrast_ = system.highContrast;
            sim_.Trace().Add(highContrast_ ? "SIM HIGH CONTRAST ON" : "SIM HIGH CONTRAST OFF");
        }
        return system;
    }
    void FocusIndicator(const Control* control, const Rect& ring) override {
        sim_.Trace().Add("SIM FOCUS RING " + (control ? control->name : std::string("-")) + " " +
                         std::to_string(ring.left) + " " + std::to_string(ring.top) + " " +
                         std::to_string(ring.width) + " " + std::to_string(ring.height));
    }
    void MicTrayShown(const MicTrayUpdate& update) override {
        if (update.trayChanged && update.look.muted != trayMuted_) {
            trayMuted_ = update.look.muted;
            sim_.Trace().Add(trayMuted_ ? "SIM TRAY MIC MUTED" : "SIM TRAY MIC ON");
        }
        if (update.notice) {
            sim_.Trace().Add("SIM MIC NOTICE " + Utf16ToUtf8(update.noticeText));
        }
    }
    void Finish() override { sim_.Trace().Add("SIM END"); }

private:
    static constexpr LPARAM kBufferCookie = 0x51A0;

    // The headset moves, then the system's notification reaches the window.
    void SetPlugged(bool plugged) {
        if (plugged == sim_.IsPlugged()) {
            return;
        }
        sim_.Trace().Add(plugged ? "SIM PLUG" : "SIM UNPLUG");
        if (plugged) {
            sim_.Plug();
            sim_.Chip().PowerOn();
        } else {
            sim_.Unplug();
        }
        struct {
            DEV_BROADCAST_DEVICEINTERFACE_W header;
            wchar_t rest[MAX_PATH];
        } broadcast{};
        broadcast.header.dbcc_size = sizeof broadcast;
        broadcast.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        broadcast.header.dbcc_classguid = kHidClass;
        wcscpy(broadcast.header.dbcc_name, kHeadsetInterface);
        SendMessageW(window_, WM_DEVICECHANGE,
                     plugged ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                     reinterpret_cast<LPARAM>(&broadcast));
    }

    // While the level meter runs on the headset, a voice-like signal fills its buffers: bursts of a
    // few hundred milliseconds that reach the top of the meter at the middle gain, louder or softer
    // with the microphone's gain, silent when it is muted.
    static void CALLBACK MeterTick(HWND, UINT, UINT_PTR, DWORD) {
        if (g_meterOwner) {
            g_meterOwner->FillMeter();
        }
    }
    void FillMeter() {
        if (!sim_.WaveInput().IsOpen()) {
            return;
        }
        ++ticks_;
        const double envelope = 0.5 + 0.5 * std::sin(ticks_ * 0.35) * std::sin(ticks_ * 0.11);
        const double gain = 0.3 + 1.4 * sim_.Microphone().VolumeScalar();
        // The machine's own microphone hears nothing here.
        const bool silent = sim_.Microphone().Muted() || !sim_.Wave().RecordsHeadset();
        const double amplitude = silent ? 0.0 : std::min(127.0, 30.0 * envelope * gain);
        std::vector<uint8_t> samples(IWaveInput::kBufferSize);
        for (size_t i = 0; i < samples.size(); ++i) {
            const double t = static_cast<double>(ticks_ * samples.size() + i) / 8000.0;
            samples[i] =
                static_cast<uint8_t>(128.0 + amplitude * std::sin(2 * 3.14159265 * 220 * t));
        }
        sim_.Wave().Deliver(samples);
    }

    HWND window_;
    SimHeadset sim_;
    static constexpr WPARAM kLongestHoldMs = 5000;
    UINT plugMessage_ = 0;
    UINT suspendMessage_ = 0;
    UINT holdMessage_ = 0;
    UINT micMessage_ = 0;
    // After the headset: let go of before it.
    std::unique_ptr<IMicWatch> micWatch_;
    UINT_PTR timer_ = 0;
    bool highContrast_ = false;
    bool trayMuted_ = false;
    unsigned ticks_ = 0;
    std::array<std::array<uint8_t, IWaveInput::kBufferSize>, 2> buffers_{};
};

}  // namespace

std::unique_ptr<DeviceSet> CreateDeviceSet(HWND mainWindow) {
    return std::make_unique<DeviceSetSim>(mainWindow);
}
