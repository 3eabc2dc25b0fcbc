// The device trace's line format (sim/TRACE.md), written alike by the simulated headset and by
// the panel's tracing ports around the real devices, so that the two can be compared line by line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ports/AudioEndpoint.h"

// "00 60 20 01 10" (spaced) or "0060200110", upper-case.
std::string HexBytes(const uint8_t* bytes, size_t count, bool spaced);
// "3F9C:4712".
std::string HexIds(uint16_t vendorId, uint16_t productId);

// "HID SET 00 60 20 01 10" or "HID SET-FAIL ...": the first five bytes of an output report.
std::string HidSetLine(const uint8_t* report, uint32_t length, bool accepted);
// "HID GET 00 60 7B 00 00" or "HID GET-FAIL".
std::string HidGetLine(const uint8_t* report, uint32_t length, bool delivered);

// "DRV 002230F0 0000000001000000 # select effect 1", or "DRV FAIL ..." for a refused command.
std::string DriverCommandLine(uint32_t code, const uint8_t* input, size_t inputSize, bool accepted);

// "EP GET-STEPS FAIL 80004002": an endpoint call that failed, with its code.
std::string EndpointFailLine(const std::string& event, uint32_t code);
// "EP SET-VOLUME 0.50", with " (out of range)" for a scalar outside 0-1.
std::string EndpointVolumeLine(float level);

// "READ-VOLUME" ... "WRITE-BOOST".
const char* MixerEventName(MixerControlKind kind);
// "MIX READ-VOLUME 32767" or "MIX FAIL READ-VOLUME".
std::string MixerLine(MixerControlKind kind, bool done, uint32_t value);
