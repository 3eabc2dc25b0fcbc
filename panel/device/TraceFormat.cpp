#include "TraceFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum : uint32_t {
    kQueryParameter = 0x00223028,
    kSelectEffect = 0x002230F0,
    kSetSpeakers = 0x00223140,
    kQueryStatus = 0x00223190,
};

uint32_t U32(const uint8_t* bytes, size_t size, size_t offset) {
    if (offset + 4 > size)
        return 0;
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

std::string Floats(const uint8_t* input, size_t size, size_t first) {
    std::string text;
    char number[32];
    for (size_t i = 0; i < 8; ++i) {
        const uint32_t bits = U32(input, size, first + 4 * i);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        std::snprintf(number, sizeof number, "%s%.3g", i ? "," : "", static_cast<double>(value));
        text += number;
    }
    return text;
}

// A short reading of the command.
std::string Decode(uint32_t code, const uint8_t* input, size_t size) {
    char text[64];
    switch (code) {
        case kQueryParameter:
            std::snprintf(text, sizeof text, "query parameter %u value=%u",
                          static_cast<unsigned>(size >= 4 ? input[2] | (input[3] << 8) : 0),
                          static_cast<unsigned>(U32(input, size, 4)));
            return text;
        case kSelectEffect:
            std::snprintf(text, sizeof text, "select effect %u",
                          static_cast<unsigned>(U32(input, size, 4)));
            return text;
        case kSetSpeakers:
            return "speakers enable=" + std::to_string(U32(input, size, 4)) +
                   " gains=" + Floats(input, size, 8) + " angles=" + Floats(input, size, 40);
        case kQueryStatus:
            return "query status";
        default:
            return {};
    }
}

}  // namespace

std::string HexBytes(const uint8_t* bytes, size_t count, bool spaced) {
    std::string text;
    char digits[3];
    for (size_t i = 0; i < count; ++i) {
        if (spaced && i > 0)
            text += ' ';
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += digits;
    }
    return text;
}

std::string HexIds(uint16_t vendorId, uint16_t productId) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", vendorId, productId);
    return text;
}

std::string HidSetLine(const uint8_t* report, uint32_t length, bool accepted) {
    if (!report || length == 0)
        return accepted ? "HID SET" : "HID SET-FAIL";
    return std::string(accepted ? "HID SET " : "HID SET-FAIL ") +
           HexBytes(report, std::min<uint32_t>(length, 5), true);
}

std::string HidGetLine(const uint8_t* report, uint32_t length, bool delivered) {
    if (!delivered || !report || length == 0)
        return "HID GET-FAIL";
    return "HID GET " + HexBytes(report, std::min<uint32_t>(length, 5), true);
}

std::string DriverCommandLine(uint32_t code, const uint8_t* input, size_t inputSize,
                              bool accepted) {
    if (!input)
        inputSize = 0;
    char codeText[16];
    std::snprintf(codeText, sizeof codeText, "%08X", static_cast<unsigned>(code));
    std::string line = std::string(accepted ? "DRV " : "DRV FAIL ") + codeText + " " +
                       HexBytes(input, inputSize, false);
    const std::string decoded = Decode(code, input, inputSize);
    if (!decoded.empty())
        line += " # " + decoded;
    return line;
}

std::string EndpointFailLine(const std::string& event, uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(code));
    return event + " FAIL " + text;
}

std::string EndpointVolumeLine(float level) {
    char text[48];
    std::snprintf(text, sizeof text, "EP SET-VOLUME %.2f", static_cast<double>(level));
    // Windows refuses a scalar outside 0-1 (E_INVALIDARG).
    return level >= 0.0f && level <= 1.0f ? text : std::string(text) + " (out of range)";
}

const char* MixerEventName(MixerControlKind kind) {
    switch (kind) {
        case MIXER_READ_VOLUME:
            return "READ-VOLUME";
        case MIXER_WRITE_VOLUME:
            return "WRITE-VOLUME";
        case MIXER_READ_MUTE:
            return "READ-MUTE";
        case MIXER_WRITE_MUTE:
            return "WRITE-MUTE";
        case MIXER_READ_BOOST:
            return "READ-BOOST";
        case MIXER_WRITE_BOOST:
            return "WRITE-BOOST";
    }
    return "UNKNOWN";
}

std::string MixerLine(MixerControlKind kind, bool done, uint32_t value) {
    const std::string event = MixerEventName(kind);
    return done ? "MIX " + event + " " + std::to_string(value) : "MIX FAIL " + event;
}
