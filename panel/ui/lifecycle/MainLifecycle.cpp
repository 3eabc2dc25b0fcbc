#include "MainLifecycle.h"

#include "ChipSettings.h"
#include "ControlTags.h"
#include "D3Operations.h"
#include "Discovery.h"
#include "EqOperations.h"
#include "MicOperations.h"
#include "Paint.h"
#include "VirtualSpeakers.h"

const char16_t kExitMessageName[] = u"WM_QLN47xxAPP_EXIT";

MainLifecycle::MainLifecycle(PanelWindow& window, ProfileSession& profiles,
                             IDeviceEnumerator& devices, IOsVersion& os, ILifecycleHost& host)
    : window_(window),
      ctx_(window.Context()),
      profiles_(profiles),
      devices_(devices),
      os_(os),
      host_(host) {}

void MainLifecycle::ShowDeviceLabel() {
    if (Control* label = window_.GetScene().Find("DeviceActiveLabel")) {
        const char* key = ctx_.device.devicePresent ? "LabelActive" : "LabelUnactive";
        ApplyLabelStyle(window_.Look().Label(key), *label, true, window_.Look(),
                        window_.Ports().text);
    }
}

bool MainLifecycle::Connect() {
    DeviceState& d = ctx_.device;
    ParseVidPid(FindHeadset(profiles_.programFolder, devices_), &d.vendorId, &d.productId);
    d.presence = ctx_.hid.OpenHidDevice(d.vendorId, d.productId);
    d.devicePresent = d.presence ? 1 : 0;
    d.synchronise = d.devicePresent;
    ShowDeviceLabel();
    return d.presence != nullptr;
}

// Looks the endpoint up into the device state; the legacy path needs none.
bool MainLifecycle::EndpointUsable() {
    DeviceState& d = ctx_.device;
    LookUpCaptureEndpoint(d, ctx_.audio);
    return d.captureEndpoint || d.osGeneration != kCoreAudioGeneration;
}

void MainLifecycle::RefreshMicrophoneOnce() {
    if (EndpointUsable()) {
        window_.StartMeter();
        DisplayRefresh(ctx_);
        window_.Meter().Stop();
    }
}

void MainLifecycle::SetMicWatch(IMicWatch& watch) {
    micFollower_ = std::make_unique<MicFollower>(ctx_, watch);
}

bool MainLifecycle::OnMicNotice(const MicNotice& notice) {
    return running_ && micFollower_ && micFollower_->OnNotice(notice);
}

void MainLifecycle::FollowMicrophone() {
    if (micFollower_) {
        micFollower_->Follow();
    }
}

void MainLifecycle::UnfollowMicrophone() {
    if (micFollower_) {
        micFollower_->Unfollow();
    }
}

bool MainLifecycle::Start() {
    PanelState& s = ctx_.state;
    window_.OpenDevices();
    exitMessage_ = host_.RegisterMessage(kExitMessageName);
    ctx_.device.osGeneration = OsGeneration(os_);
    host_.BuildPresentation();
    // A second instance would otherwise write its last profile over the running one's settings.
    if (!host_.ClaimSingleInstance()) {
        return false;
    }
    running_ = true;

    // Registered before the search: a headset that arrives from here on is either found by the
    // search or announced by a notification waiting in the queue.
    registered_ = host_.RegisterDeviceNotifications();
    Connect();

    InitialiseSettings(s, ctx_.skin);
    for (int p = 0; p < kEqPresetCount; ++p) {
        PresetDisplay(ctx_, p);
    }

    Initialise3D(s);
    s.currentEffect = 1;

    Point icons[kSpeakerCount];
    float table[kSpeakerTableSize];
    ReadSpeakerIcons(ctx_.view, icons);
    ComputeSpeakerTable(icons, ctx_.skin.centerX, ctx_.skin.centerY, s.rotation, table);
    uint32_t ignored = 0;
    ExtQueryStatus(ctx_.driver, &ignored);
    ExtSetSpeakers(ctx_.driver, 0, table);
    ExtQueryParameter(ctx_.driver, 0, &ignored);

    s.micBoost = 0;
    s.micMute = 0;
    ctx_.view.ShowToggle(TAG_MIC_BOOST, false);
    ctx_.view.ShowToggle(TAG_MIC_MUTE, false);
    ctx_.view.SetLevelBarWidth(0);

    RefreshMicrophoneOnce();

    VirtualReset(ctx_);

    LastProfileLoad(profiles_);

    ctx_.device.captureEndpoint.reset();
    FollowMicrophone();
    return true;
}

bool MainLifecycle::WindowMessage(uint32_t message) {
    if (exitMessage_ == 0 || message != exitMessage_) {
        return false;
    }
    host_.SendClose();
    return true;
}

void MainLifecycle::OnDeviceChange(uint32_t event, const DeviceBroadcast* broadcast) {
    if (broadcast && broadcast->deviceType == DBT_DEVTYP_DEVICEINTERFACE_TYPE) {
        if (event == DBT_DEVICEARRIVAL_EVENT) {
            OnArrival(*broadcast);
        } else if (event == DBT_DEVICEREMOVECOMPLETE_EVENT) {
            OnRemoval(*broadcast);
        }
    }
    // User actions may run between two notifications.
    window_.Ports().host.ProcessPendingMessages();
}

void MainLifecycle::OnArrival(const DeviceBroadcast& broadcast) {
    DeviceState& d = ctx_.device;
    // The search needs the audio function and the open needs the HID interface; on the first
    // plug-in either may come first, so each one's arrival searches again.
    if (d.presence || !(broadcast.classGuid == kHidInterfaceClass ||
                        broadcast.classGuid == KSCATEGORY_AUDIO_GUID)) {
        return;
    }
    // The arrived interface's name is not used.
    const std::u16string found = FindHeadset(profiles_.programFolder, devices_);
    if (found.empty()) {
        return;
    }
    ParseVidPid(found, &d.vendorId, &d.productId);
    d.presence = ctx_.hid.OpenHidDevice(d.vendorId, d.productId);
    d.devicePresent = d.presence ? 1 : 0;
    d.synchronise = d.devicePresent;
    ShowDeviceLabel();
    if (d.presence) {
        Reapply();
    }
}

void MainLifecycle::Reapply() {
    ReapplyChipSettings(ctx_, ArrivalStage::First, ctx_.view.CurrentPage());
    host_.Sleep(100);

    RefreshMicrophoneOnce();
    FollowMicrophone();

    const int page = ctx_.view.CurrentPage();
    ReapplyChipSettings(ctx_, ArrivalStage::AfterMicrophone, page);
    if (page == PAGE_MIC && EndpointUsable()) {
        DisplayRefresh(ctx_);
        // Not while the window is hidden: the microphone would stay open for nothing.
        if (window_.WindowShown()) {
            window_.StartMeter();
        }
    }

    const float zeros[kSpeakerTableSize] = {};
    uint32_t ignored = 0;
    ExtQueryStatus(ctx_.driver, &ignored);
    ExtSetSpeakers(ctx_.driver, 0, zeros);
    ExtQueryParameter(ctx_.driver, 0, &ignored);

    ReapplyChipSettings(ctx_, ArrivalStage::AfterDriverReset, page);
}

void MainLifecycle::OnRemoval(const DeviceBroadcast& broadcast) {
    DeviceState& d = ctx_.device;
    if (!(broadcast.classGuid == kHidInterfaceClass)) {
        return;
    }
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    ParseVidPid(broadcast.name, &vendorId, &productId);
    if (vendorId != d.vendorId || productId != d.productId) {
        return;
    }
    d.devicePresent = 0;
    d.synchronise = 0;
    ShowDeviceLabel();
    UnfollowMicrophone();
    if (d.presence) {
        d.presence.reset();
        d.captureEndpoint.reset();
        d.captureEndpointId.clear();
        window_.Meter().Stop();
    }
}

void MainLifecycle::OnPowerBroadcast(uint32_t event) {
    // The chip may have lost its settings while the machine slept, with no device change.
    if ((event == PBT_APMRESUMEAUTOMATIC_EVENT || event == PBT_APMRESUMESUSPEND_EVENT) &&
        ctx_.device.presence) {
        Reapply();
    }
}

void MainLifecycle::OnTimer() {
    TimerTimer(ctx_);
}

void MainLifecycle::Shutdown() {
    if (!running_) {
        window_.CloseDevices();
        return;
    }
    running_ = false;
    UnfollowMicrophone();
    LastProfileSave(profiles_);
    NeutraliseChipSettings(ctx_);
    ctx_.device.presence.reset();
    // The headset stays neutral: nothing handled from now on reaches a device.
    window_.CloseDevices();
}
