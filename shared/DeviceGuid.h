// A device or interface class GUID, laid out as Windows lays out a GUID.
#pragma once

#include <cstdint>

struct DeviceGuid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

inline bool operator==(const DeviceGuid& a, const DeviceGuid& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i])
            return false;
    }
    return true;
}

// {6994AD04-93EF-11D0-A3CC-00A0C9223196}: the audio devices' interface class.
constexpr DeviceGuid KSCATEGORY_AUDIO_GUID = {
    0x6994AD04, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
