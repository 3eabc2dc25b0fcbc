#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DesVectors.h"
#include "DeviceIdCodec.h"

namespace {

std::string DecodeBase64(const std::string& text, int* status, size_t capacity = 1024) {
    uint8_t out[1024] = {};
    size_t length = capacity;
    *status = Base64Decode(text.data(), text.size(), out, &length);
    return *status == 0 ? std::string(reinterpret_cast<char*>(out), length) : std::string();
}

}  // namespace

TEST(Base64CharValue, MapsTheStandardAlphabetAndPadding) {
    const struct {
        char c;
        int value;
    } cases[] = {{'A', 0},  {'Z', 25}, {'a', 26}, {'z', 51}, {'0', 52},
                 {'9', 61}, {'+', 62}, {'/', 63}, {'=', 64}};
    for (const auto& c : cases) {
        uint8_t value = 0xFF;
        EXPECT_EQ(Base64CharValue(c.c, &value), 0) << c.c;
        EXPECT_EQ(value, c.value) << c.c;
    }
    for (char c : {'-', '_', ' ', '\0', '\x80'}) {
        uint8_t value = 0;
        EXPECT_EQ(Base64CharValue(c, &value), 1) << static_cast<int>(c);
    }
}

TEST(Base64Decode, DecodesGroupsAndStopsAtPaddingInTheLastGroup) {
    const struct {
        const char* text;
        const char* bytes;
    } cases[] = {
        {"QQ==", "A"},        {"QUI=", "AB"},         {"QUJD", "ABC"},
        {"QUJDRA==", "ABCD"}, {"QUJDREVG", "ABCDEF"},
    };
    for (const auto& c : cases) {
        int status = -1;
        EXPECT_EQ(DecodeBase64(c.text, &status), c.bytes) << c.text;
        EXPECT_EQ(status, 0) << c.text;
    }
}

TEST(Base64Decode, PaddingBeforeTheLastGroupCountsAs64) {
    int status = -1;
    const std::string bytes = DecodeBase64("QQ==QUJD", &status);
    ASSERT_EQ(status, 0);
    // 'Q','Q','=','=' → values 16,16,64,64: three bytes, then "ABC".
    EXPECT_EQ(bytes, std::string("\x41\x10\x40", 3) + "ABC");
}

TEST(Base64Decode, ReportsEachFailure) {
    int status = 0;
    DecodeBase64("", &status);
    EXPECT_EQ(status, 1);
    DecodeBase64("QUJ", &status);
    EXPECT_EQ(status, 1);
    DecodeBase64("QUJDR", &status);
    EXPECT_EQ(status, 1);
    // Capacity must exceed three bytes per group.
    DecodeBase64("QUJD", &status, 3);
    EXPECT_EQ(status, 2);
    DecodeBase64("QUJD", &status, 4);
    EXPECT_EQ(status, 0);
    DecodeBase64("QU-D", &status);
    EXPECT_EQ(status, 3);
    DecodeBase64("QUJDQ Q=", &status);
    EXPECT_EQ(status, 3);
}

TEST(DecodeDeviceIdText, GivesThePlainTextOfEveryKnownCode) {
    for (const DesVector& vector : kDesVectors) {
        uint8_t plain[4096];
        std::memset(plain, 0xAA, sizeof plain);
        size_t length = sizeof plain;
        ASSERT_EQ(DecodeDeviceIdText(vector.code, std::strlen(vector.code), plain, &length), 0)
            << vector.plain;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(plain), length), vector.plain);
        // The rest of the output is zeroed.
        EXPECT_EQ(plain[length], 0);
        EXPECT_EQ(plain[sizeof plain - 1], 0);
    }
}

TEST(DecodeDeviceIdText, SeparatesBase64FailuresFromDecryptionFailures) {
    const struct {
        const char* code;
        int status;
    } cases[] = {
        {"naJXfOwLY9Fh", 2},     // nine bytes of ciphertext: not whole blocks
        {"QUJD", 2},             // three bytes
        {"naJXfOwLY9E=", 2},     // one whole block whose padding is wrong
        {"naJXfOwLY9FhRNp", 1},  // not a multiple of four characters
        {"naJX fOwLY9E", 1},     // a character outside the alphabet
        {"", 1},
    };
    for (const auto& c : cases) {
        uint8_t plain[4096];
        size_t length = sizeof plain;
        EXPECT_EQ(DecodeDeviceIdText(c.code, std::strlen(c.code), plain, &length), c.status)
            << c.code;
    }
}

TEST(DesDecrypt, ChecksLengthsPaddingAndCapacity) {
    const uint8_t* key = reinterpret_cast<const uint8_t*>(kProductKey);
    uint8_t cipher[64];
    size_t cipherLength = sizeof cipher;
    const char* code = kDesVectors[2].code;  // "ABCDEFGH": a last block of pure padding
    ASSERT_EQ(Base64Decode(code, std::strlen(code), cipher, &cipherLength), 0);
    ASSERT_EQ(cipherLength, 16u);

    uint8_t plain[64] = {};
    size_t capacity = sizeof plain;
    ASSERT_EQ(DesDecrypt(cipher, cipherLength, plain, &capacity, key, kProductKeyLength), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(plain), capacity), "ABCDEFGH");

    capacity = sizeof plain;
    EXPECT_EQ(DesDecrypt(cipher, 12, plain, &capacity, key, kProductKeyLength), -1);

    // The output must hold the whole input, even though the plain text is shorter.
    capacity = 15;
    EXPECT_EQ(DesDecrypt(cipher, cipherLength, plain, &capacity, key, kProductKeyLength), 4);

    // Another key: the padding no longer checks out.
    capacity = sizeof plain;
    EXPECT_EQ(DesDecrypt(cipher, cipherLength, plain, &capacity,
                         reinterpret_cast<const uint8_t*>("Tb4nWx9f"), 8),
              3);
}
