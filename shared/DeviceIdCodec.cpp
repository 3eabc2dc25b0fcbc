#include "DeviceIdCodec.h"

#include <cstring>

int Base64CharValue(char c, uint8_t* value) {
    if (c >= 'A' && c <= 'Z')
        *value = static_cast<uint8_t>(c - 'A');
    else if (c >= 'a' && c <= 'z')
        *value = static_cast<uint8_t>(c - 'a' + 26);
    else if (c >= '0' && c <= '9')
        *value = static_cast<uint8_t>(c - '0' + 52);
    else if (c == '+')
        *value = 62;
    else if (c == '/')
        *value = 63;
    else if (c == '=')
        *value = 64;
    else
        return 1;
    return 0;
}

int Base64Decode(const char* text, size_t length, uint8_t* out, size_t* capacity) {
    if (length == 0 || length % 4 != 0)
        return 1;
    if (*capacity <= (length / 4) * 3)
        return 2;
    size_t written = 0;
    for (size_t group = 0; group < length; group += 4) {
        uint8_t v[4];
        for (int i = 0; i < 4; ++i) {
            if (Base64CharValue(text[group + i], &v[i]) != 0)
                return 3;
        }
        const uint8_t bytes[3] = {static_cast<uint8_t>((v[0] << 2) | (v[1] >> 4)),
                                  static_cast<uint8_t>((v[1] << 4) | (v[2] >> 2)),
                                  static_cast<uint8_t>((v[2] << 6) | v[3])};
        const bool last = group + 4 == length;
        out[written++] = bytes[0];
        if (last && text[group + 2] == '=')
            break;
        out[written++] = bytes[1];
        if (last && text[group + 3] == '=')
            break;
        out[written++] = bytes[2];
    }
    *capacity = written;
    return 0;
}

int DecodeDeviceIdText(const char* code, size_t length, uint8_t* out, size_t* capacity) {
    uint8_t cipher[1024];
    size_t cipherLength = sizeof cipher;
    if (Base64Decode(code, length, cipher, &cipherLength) != 0)
        return 1;
    std::memset(out, 0, *capacity);
    if (DesDecrypt(cipher, cipherLength, out, capacity,
                   reinterpret_cast<const uint8_t*>(kProductKey), kProductKeyLength) != 0)
        return 2;
    return 0;
}
