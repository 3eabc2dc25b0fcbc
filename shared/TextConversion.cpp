// Trimming, byte swapping and the UTF-8 → UTF-16 road of the INI engine.
#include <new>
#include <vector>

#include "PlatformHelpers.h"

std::u16string TrimChar(std::u16string& text, char16_t c) {
    const size_t first = text.find_first_not_of(c);
    if (first == std::u16string::npos) {
        text.clear();
    } else {
        const size_t last = text.find_last_not_of(c);
        text = text.substr(first, last - first + 1);
    }
    return text;
}

int Utf8SequenceLength(uint8_t lead, size_t* length) {
    size_t n = 0;
    if (lead < 0x80)
        n = 1;
    else if (lead >= 0xC0 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF7)
        n = 4;
    else if (lead >= 0xF8 && lead <= 0xFB)
        n = 5;
    else if (lead >= 0xFC && lead <= 0xFD)
        n = 6;
    else
        return 1;
    *length = n;
    return 0;
}

int Utf8DecodeChar(const uint8_t* sequence, uint8_t* codePoint, size_t* length) {
    size_t n = 0;
    if (Utf8SequenceLength(sequence[0], &n) != 0)
        return 1;
    *length = n;
    if (!codePoint)
        return 0;
    // Payload bits of the lead byte for 1..6-byte sequences.
    static const uint8_t kLeadMask[7] = {0, 0x7F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
    uint32_t value = sequence[0] & kLeadMask[n];
    for (size_t i = 1; i < n; ++i) {
        if ((sequence[i] & 0xC0) != 0x80)
            return static_cast<int>(n);
        value = (value << 6) | (sequence[i] & 0x3F);
    }
    for (size_t i = 0; i < 4; ++i)
        codePoint[i] = static_cast<uint8_t>(value >> (8 * i));
    return 0;
}

int Utf8ToUcs4(const uint8_t* bytes, size_t count, uint32_t* out, size_t* outCount) {
    size_t consumed = 0;
    size_t decoded = 0;
    while (consumed < count) {
        size_t n = 0;
        if (Utf8SequenceLength(bytes[consumed], &n) != 0 || n > count - consumed)
            return 2;
        uint8_t codePoint[4] = {0, 0, 0, 0};
        if (Utf8DecodeChar(bytes + consumed, out ? codePoint : nullptr, &n) != 0)
            return 2;
        if (out) {
            out[decoded] = static_cast<uint32_t>(codePoint[0]) |
                           static_cast<uint32_t>(codePoint[1]) << 8 |
                           static_cast<uint32_t>(codePoint[2]) << 16 |
                           static_cast<uint32_t>(codePoint[3]) << 24;
        }
        consumed += n;
        ++decoded;
    }
    *outCount = decoded;
    return 0;
}

int Ucs4ToUtf16(const uint32_t* codePoints, size_t count, char16_t* out, size_t* outCount) {
    if (out) {
        for (size_t i = 0; i < count; ++i) {
            // No surrogate pairs: the engine reads the Basic Multilingual Plane only.
            if (codePoints[i] > 0xFFFF)
                return 1;
            out[i] = static_cast<char16_t>(codePoints[i]);
        }
    }
    *outCount = count;
    return 0;
}

int Utf8ToUtf16(const uint8_t* bytes, size_t count, char16_t* out, size_t* outCount) {
    size_t codePoints = 0;
    if (Utf8ToUcs4(bytes, count, nullptr, &codePoints) != 0)
        return 1;
    std::vector<uint32_t> work;
    try {
        work.assign(codePoints, 0);
    } catch (const std::bad_alloc&) {
        return 2;
    }
    if (Utf8ToUcs4(bytes, count, work.data(), &codePoints) != 0)
        return 3;
    if (Ucs4ToUtf16(work.data(), codePoints, out, outCount) != 0)
        return 4;
    return 0;
}

void SwapBytes16(uint16_t* units, size_t count) {
    for (size_t i = 0; i < count; ++i)
        units[i] = static_cast<uint16_t>((units[i] >> 8) | (units[i] << 8));
}

void SwapBytes32(uint32_t* units, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t v = units[i];
        units[i] = (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
    }
}
