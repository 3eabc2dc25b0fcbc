// Finding the headset among the present audio devices, and the extension driver's commands.
#pragma once

#include <cstdint>
#include <string>

#include "ports/DeviceEnumerator.h"
#include "ports/DriverDevice.h"

// The first present audio device whose first hardware ID belongs to the USB device-ID group of
// the AudioConfig.cfg in programFolder (ending in '\'); empty when there is none.
std::u16string FindHeadset(const std::u16string& programFolder,
                           IDeviceEnumerator& devices = PlatformDeviceEnumerator());

// Vendor and product ID after "VID_"/"Vid_" and "PID_"/"Pid_" (up to four hexadecimal digits);
// 0 where a marker is missing.
void ParseVidPid(const std::u16string& text, uint16_t* vendorId, uint16_t* productId);

// The driver's device path; its vendor ID is fixed.
extern const char16_t kExtDriverDevicePath[];

enum : uint32_t {
    IOCTL_EXT_QUERY_PARAMETER = 0x00223028,
    IOCTL_EXT_SELECT_EFFECT = 0x002230F0,
    IOCTL_EXT_SET_SPEAKERS = 0x00223140,
    IOCTL_EXT_QUERY_STATUS = 0x00223190,
};

// 0; 1 driver not reachable; 2 command failed; 3 (query parameter only) no bytes returned.
uint32_t ExtQueryParameter(IDriverPort& driver, uint16_t index, uint32_t* value);
// Room effects 0 (Nothing) to 4 (StoneGallery); a larger index is sent as 4.
constexpr uint32_t kLastEffectIndex = 4;
uint32_t ExtSelectEffect(IDriverPort& driver, uint32_t effect);
// Any non-zero enable is sent as 1.
uint32_t ExtSetSpeakers(IDriverPort& driver, uint32_t enable, const float table[16]);
uint32_t ExtQueryStatus(IDriverPort& driver, uint32_t* value);
