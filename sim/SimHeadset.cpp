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
    plugged_ = true;
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
    plugged_ = true;
    hid_.SetPlugged(true);
    driver_.SetPlugged(true);
    microphone_.SetPlugged(true);
    wave_.SetPlugged(true);
    if (SimDevice* audio = AudioFunction())
        audio->present = true;
}

void SimHeadset::Unplug() {
    plugged_ = false;
    hid_.SetPlugged(false);
    driver_.SetPlugged(false);
    microphone_.SetPlugged(false);
    wave_.SetPlugged(false);
    if (SimDevice* audio = AudioFunction())
        audio->present = false;
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
