// Group sections for the device-ID tests, built from the known DES answers.
#pragma once

#include <string>

#include "DesVectors.h"

namespace fixtures {

// Headset audio function, its pattern as listed in the product configuration.
inline const char* const kHeadsetPattern =
    kDesVectors[4].plain;  // USB\VID_3F9C&PID_47XX&REV_0100&MI_00
inline const char* const kHeadsetPatternCode = kDesVectors[4].code;
// An exact ID (no X) of the same length.
inline const char* const kHeadsetExact =
    kDesVectors[5].plain;  // USB\VID_3F9C&PID_4712&REV_0100&MI_00
inline const char* const kHeadsetExactCode = kDesVectors[5].code;
inline const char* const kHidPattern =
    kDesVectors[6].plain;  // HID\VID_3F9C&PID_47XX&REV_0100&MI_03
inline const char* const kHidPatternCode = kDesVectors[6].code;
// 21 characters, lower case: usb\vid_3f9c&pid_47xx
inline const char* const kShortPattern = kDesVectors[7].plain;
inline const char* const kShortPatternCode = kDesVectors[7].code;

inline std::u16string U(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

inline std::string Entry(const std::string& name, const std::string& id, const std::string& code) {
    return name + "=" + id + "," + code + "\r\n";
}

}  // namespace fixtures
