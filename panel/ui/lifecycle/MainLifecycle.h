// The main window's life cycle without the platform: the start-up sequence's device steps, the
// device notifications, the exit message, the 20 ms timer and the shutdown sequence.
//
//   MainLifecycle life(window, profiles, sim.DeviceTree(), sim.OsVersion(), host);
//   if (!life.Start()) { /* another instance runs: end */ }  // construction of TAudioMainForm
//   life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &broadcast);  // WM_DEVICECHANGE
//   life.OnTimer();                                   // Timer, every 20 ms
//   life.WindowMessage(message);                      // the window procedure
//   life.Shutdown();                                  // FormDestroy or the session's end
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "DeviceGuid.h"
#include "MicFollow.h"
#include "PanelWindow.h"
#include "ProfileActions.h"
#include "ports/DeviceEnumerator.h"

enum : uint32_t {
    WM_DEVICECHANGE_MESSAGE = 0x0219,
    DBT_DEVICEARRIVAL_EVENT = 0x8000,
    DBT_DEVICEREMOVECOMPLETE_EVENT = 0x8004,
    DBT_DEVTYP_DEVICEINTERFACE_TYPE = 5,
    WM_POWERBROADCAST_MESSAGE = 0x0218,
    PBT_APMSUSPEND_EVENT = 0x0004,
    PBT_APMRESUMESUSPEND_EVENT = 0x0007,
    PBT_APMRESUMEAUTOMATIC_EVENT = 0x0012,
};

// {4D1E55B2-F16F-11CF-88CB-001111000030}
constexpr DeviceGuid kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

extern const char16_t kExitMessageName[];  // "WM_QLN47xxAPP_EXIT"

// The device-interface broadcast of a WM_DEVICECHANGE.
struct DeviceBroadcast {
    uint32_t deviceType = DBT_DEVTYP_DEVICEINTERFACE_TYPE;
    DeviceGuid classGuid{};
    std::u16string name;  // the interface's device path
};

// What the window's platform does for the life cycle beyond IWindowHost.
class ILifecycleHost {
public:
    virtual ~ILifecycleHost() = default;
    // RegisterWindowMessageW.
    virtual uint32_t RegisterMessage(const std::u16string& name) = 0;
    // Start-up steps 1-2 and 5-10: the window from its design, the program folder, the
    // configuration, panel state and profile folder name, language and skin, tray hint, title,
    // menus, texts, region and pictures.
    virtual void BuildPresentation() = 0;
    // FormCreate's single-instance rule, run before the first device exchange: false when
    // another instance runs; it has been raised and this one ends without touching the headset.
    virtual bool ClaimSingleInstance() = 0;
    // RegisterDeviceNotificationW for all interface classes; false when it failed.
    virtual bool RegisterDeviceNotifications() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // SendMessageW(WM_CLOSE, 0, 0) to the main window; the window's closing runs Shutdown.
    virtual void SendClose() = 0;
};

class MainLifecycle {
public:
    MainLifecycle(PanelWindow& window, ProfileSession& profiles, IDeviceEnumerator& devices,
                  IOsVersion& os, ILifecycleHost& host);

    // The start-up sequence, steps 1-21, with the single-instance rule before the device steps and
    // the notification registration (19) before the search (11).
    // False when another instance runs: no device step was taken.
    bool Start();
    // Steps 11-12: search, IDs and presence handle; true when the handle opened.
    bool Connect();

    // The window procedure: the exit message sends close. Returns whether it was the exit message.
    bool WindowMessage(uint32_t message);
    // WM_DEVICECHANGE with its event and broadcast (null when the message carries none).
    void OnDeviceChange(uint32_t event, const DeviceBroadcast* broadcast);
    void OnArrival(const DeviceBroadcast& broadcast);
    void OnRemoval(const DeviceBroadcast& broadcast);
    // WM_POWERBROADCAST with its event: a resume with the headset present re-applies what an
    // arrival does.
    void OnPowerBroadcast(uint32_t event);
    // TimerTimer.
    void OnTimer();
    // FormDestroy: steps 1-10, the headset left neutral. Runs once, and only after a Start that
    // went on to the device steps: the window's destruction and the session's end both call it.
    void Shutdown();

    // The platform's watch of the microphone, given before Start: the panel then follows changes
    // made elsewhere. Without one it does not.
    void SetMicWatch(IMicWatch& watch);
    // A notice the watch posted: true when the microphone's display may have changed.
    bool OnMicNotice(const MicNotice& notice);

    uint32_t ExitMessage() const { return exitMessage_; }
    bool NotificationsRegistered() const { return registered_; }

private:
    void ShowDeviceLabel();
    void RefreshMicrophoneOnce();
    // Arrival steps 4-9 once the headset is open: what the page on show needs, sent again.
    void Reapply();
    bool EndpointUsable();
    void FollowMicrophone();
    void UnfollowMicrophone();

    PanelWindow& window_;
    PanelContext& ctx_;
    ProfileSession& profiles_;
    IDeviceEnumerator& devices_;
    IOsVersion& os_;
    ILifecycleHost& host_;
    uint32_t exitMessage_ = 0;
    bool registered_ = false;
    bool running_ = false;  // the device steps ran and the shutdown has not
    std::unique_ptr<MicFollower> micFollower_;
};
