#include "Discovery.h"

#include <cstring>

#include "DeviceGuid.h"
#include "DeviceIdMgr.h"

const char16_t kExtDriverDevicePath[] = u"\\\\.\\Class#UsbAudioExtension&3F9C&00";

namespace {

// Only its length (36) matters: IDs of any other length are not looked at.
constexpr char16_t kHeadsetPattern[] = u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_00";

constexpr uint32_t kQuery = 1;
constexpr uint32_t kSetting = 0;
constexpr uint32_t kShortCommandSize = 8;
constexpr uint32_t kSpeakerCommandSize = 72;
constexpr int kSpeakerTableFloats = 16;

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Up to four hexadecimal digits after the first marker found (upper-case form first).
bool ReadId(const std::u16string& text, const char16_t* upper, const char16_t* mixed,
            uint16_t* id) {
    size_t at = text.find(upper);
    if (at == std::u16string::npos)
        at = text.find(mixed);
    if (at == std::u16string::npos)
        return false;
    uint16_t value = 0;
    for (size_t i = at + 4; i < text.size() && i < at + 8; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            break;
        value = static_cast<uint16_t>(value * 16 + digit);
    }
    *id = value;
    return true;
}

void PutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
    return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
}

struct CommandResult {
    uint32_t code;  // 0, 1 not reachable, 2 failed
    uint32_t returned;
};

// One command on its own handle, closed before the result is looked at.
CommandResult Send(IDriverPort& driver, uint32_t ioctl, const uint8_t* in, uint32_t inSize,
                   uint8_t* out, uint32_t outSize) {
    // Built once: the rotation timer sends a command every 20 ms.
    static const std::u16string devicePath(kExtDriverDevicePath);
    std::unique_ptr<IDriverHandle> handle = driver.Open(devicePath);
    if (!handle)
        return {1, 0};
    uint32_t returned = 0;
    const bool ok = handle->DeviceIoControl(ioctl, in, inSize, out, outSize, &returned);
    handle.reset();
    return {ok ? 0u : 2u, returned};
}

}  // namespace

std::u16string FindHeadset(const std::u16string& programFolder, IDeviceEnumerator& devices) {
    CDeviceIdMgr manager;
    manager.LoadGroup(programFolder + u"AudioConfig.cfg", u"USB_VID_PID");
    std::u16string hardwareId;
    if (!FindPresentDevice(KSCATEGORY_AUDIO_GUID, kHeadsetPattern, manager, &hardwareId, devices))
        hardwareId.clear();
    return hardwareId;
}

void ParseVidPid(const std::u16string& text, uint16_t* vendorId, uint16_t* productId) {
    uint16_t vendor = 0;
    uint16_t product = 0;
    if (ReadId(text, u"VID_", u"Vid_", &vendor))
        ReadId(text, u"PID_", u"Pid_", &product);
    if (vendorId)
        *vendorId = vendor;
    if (productId)
        *productId = product;
}

uint32_t ExtQueryParameter(IDriverPort& driver, uint16_t index, uint32_t* value) {
    uint8_t buffer[kShortCommandSize] = {};
    PutU16(buffer, kQuery);
    PutU16(buffer + 2, index);
    PutU32(buffer + 4, value ? *value : 0);
    const CommandResult result =
        Send(driver, IOCTL_EXT_QUERY_PARAMETER, buffer, sizeof buffer, buffer, sizeof buffer);
    if (result.code)
        return result.code;
    if (result.returned == 0)
        return 3;
    if (value)
        *value = GetU32(buffer + 4);
    return 0;
}

uint32_t ExtSelectEffect(IDriverPort& driver, uint32_t effect) {
    uint8_t buffer[kShortCommandSize] = {};
    PutU32(buffer, kSetting);
    // Effects 0-4 exist; the driver is never handed an index it has no effect for.
    PutU32(buffer + 4, effect > kLastEffectIndex ? kLastEffectIndex : effect);
    return Send(driver, IOCTL_EXT_SELECT_EFFECT, buffer, sizeof buffer, buffer, sizeof buffer).code;
}

uint32_t ExtSetSpeakers(IDriverPort& driver, uint32_t enable, const float table[16]) {
    uint8_t buffer[kSpeakerCommandSize] = {};
    PutU32(buffer, kSetting);
    PutU32(buffer + 4, enable != 0 ? 1 : 0);
    for (int i = 0; table && i < kSpeakerTableFloats; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &table[i], sizeof bits);
        PutU32(buffer + 8 + 4 * i, bits);
    }
    return Send(driver, IOCTL_EXT_SET_SPEAKERS, buffer, sizeof buffer, nullptr, 0).code;
}

uint32_t ExtQueryStatus(IDriverPort& driver, uint32_t* value) {
    uint8_t buffer[kShortCommandSize] = {};
    PutU32(buffer, kQuery);
    PutU32(buffer + 4, 0);
    const CommandResult result =
        Send(driver, IOCTL_EXT_QUERY_STATUS, buffer, sizeof buffer, buffer, sizeof buffer);
    if (result.code)
        return result.code;
    if (value)
        *value = GetU32(buffer + 4);
    return 0;
}
