#include "SimHeadset.h"

#include <cstdio>

#include "DeviceGuid.h"

SimHeadset::SimHeadset(bool plugged)
    : trace_(std::make_shared<SimTrace>()),
      hid_(trace_),
      driver_(trace_),
      microphone_(trace_),
      wave_(trace_) {
    SimDevice audio;
    audio.hardwareIds = {AudioHardwareId(), u"USB\\VID_3F9C&PID_4712&MI_00"};
    audio.interfaceClasses = {KSCATEGORY_AUDIO_GUID};
    tree_.devices.push_back(audio);
    microphone_.PresentAs(&os_);
    hidPlugged_ = true;
    audioPlugged_ = true;
    wave_.ListDevicesOf(microphone_);
    if (!plugged)
        Unplug();
}

std::u16string SimHeadset::AudioHardwareId() const {
    char text[48];
    std::snprintf(text, sizeof text, "USB\\VID_%04X&PID_%04X&REV_0100&MI_00", vendorId_,
                  productId_);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

SimDevice* SimHeadset::AudioFunction() {
    const std::u16string id = AudioHardwareId();
    for (SimDevice& device : tree_.devices) {
        if (!device.hardwareIds.empty() && device.hardwareIds.front() == id)
            return &device;
    }
    return nullptr;
}

void SimHeadset::KeepRecords(bool keep) {
    trace_->KeepRecords(keep);
    hid_.Chip().KeepWrites(keep);
}

void SimHeadset::Plug() {
    Plug(SimFunction::Hid);
    Plug(SimFunction::Audio);
}

void SimHeadset::Unplug() {
    Unplug(SimFunction::Hid);
    Unplug(SimFunction::Audio);
}

void SimHeadset::Plug(SimFunction function) {
    SetPlugged(function, true);
}

void SimHeadset::Unplug(SimFunction function) {
    SetPlugged(function, false);
}

void SimHeadset::SetPlugged(SimFunction function, bool plugged) {
    if (function == SimFunction::Hid) {
        hidPlugged_ = plugged;
        hid_.SetPlugged(plugged);
        return;
    }
    audioPlugged_ = plugged;
    driver_.SetPlugged(plugged);
    microphone_.SetPlugged(plugged);
    wave_.SetPlugged(plugged);
    if (SimDevice* audio = AudioFunction())
        audio->present = plugged;
}

void SimHeadset::Suspend() {
    Chip().PowerOn();
}

void SimHeadset::SetIds(uint16_t vendorId, uint16_t productId) {
    SimDevice* audio = AudioFunction();
    vendorId_ = vendorId;
    productId_ = productId;
    if (audio) {
        char second[40];
        std::snprintf(second, sizeof second, "USB\\VID_%04X&PID_%04X&MI_00", vendorId, productId);
        audio->hardwareIds = {
            AudioHardwareId(),
            std::u16string(second, second + std::char_traits<char>::length(second))};
    }
    hid_.SetIds(vendorId, productId);
    microphone_.SetIds(vendorId, productId);
}
