// DES-CBC through the Windows crypto provider, checked against answers made with another DES
// implementation.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "../shared/DesVectors.h"
#include "DeviceIdCodec.h"

namespace {

const uint8_t* ProductKey() {
    return reinterpret_cast<const uint8_t*>(kProductKey);
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

std::vector<uint8_t> CipherOf(const char* code) {
    std::vector<uint8_t> cipher(1024);
    size_t length = cipher.size();
    EXPECT_EQ(Base64Decode(code, std::strlen(code), cipher.data(), &length), 0) << code;
    cipher.resize(length);
    return cipher;
}

struct Result {
    int status;
    size_t capacity;
    std::vector<uint8_t> out;
};

constexpr uint8_t kUntouched = 0xA5;

// Decrypts into a buffer that is larger than the capacity passed, so writes past the plain
// text show up.
Result Decrypt(const std::vector<uint8_t>& cipher, size_t capacity,
               const uint8_t* key = ProductKey(), size_t keyLength = kProductKeyLength) {
    Result result{0, capacity, std::vector<uint8_t>(cipher.size() + 16, kUntouched)};
    result.status = DesDecrypt(cipher.data(), cipher.size(), result.out.data(), &result.capacity,
                               key, keyLength);
    return result;
}

std::string Text(const Result& result) {
    return std::string(result.out.begin(), result.out.begin() + result.capacity);
}

TEST(CryptoDes, KnownAnswersDecryptToTheirIdsAndWriteOnlyThePlainText) {
    for (const DesVector& vector : kDesVectors) {
        SCOPED_TRACE(vector.plain);
        const std::vector<uint8_t> cipher = CipherOf(vector.code);
        const size_t plainLength = std::strlen(vector.plain);
        // PKCS#5 always pads, so an ID of a whole number of blocks gains one block of padding.
        ASSERT_EQ(cipher.size(), (plainLength / 8 + 1) * 8);

        const Result result = Decrypt(cipher, cipher.size());
        ASSERT_EQ(result.status, 0);
        EXPECT_EQ(result.capacity, plainLength);
        EXPECT_EQ(Text(result), vector.plain);
        for (size_t i = plainLength; i < result.out.size(); ++i)
            ASSERT_EQ(result.out[i], kUntouched) << "byte " << i;

        uint8_t plain[4096];
        size_t capacity = sizeof plain;
        ASSERT_EQ(DecodeDeviceIdText(vector.code, std::strlen(vector.code), plain, &capacity), 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(plain), capacity), vector.plain);
    }
}

TEST(CryptoDes, PerBlockLengthsAddUpWhenTheLastBlockIsPurePadding) {
    // "ABCDEFGH": the second block is all padding, so it adds nothing.
    const Result twoBlocks = Decrypt(CipherOf("Odo1YmCoxa5h4XxYGqCksg=="), 16);
    ASSERT_EQ(twoBlocks.status, 0);
    EXPECT_EQ(Text(twoBlocks), "ABCDEFGH");

    // The empty ID: one block that is nothing but padding.
    const Result empty = Decrypt(Bytes({0xb0, 0x02, 0xa5, 0xc5, 0xd3, 0xdd, 0x9d, 0x65}), 8);
    ASSERT_EQ(empty.status, 0);
    EXPECT_EQ(empty.capacity, 0u);
    EXPECT_EQ(empty.out[0], kUntouched);
}

TEST(CryptoDes, FailuresReportTheirStep) {
    const std::vector<uint8_t> a = CipherOf("aWbgaYD+ssw=");  // "A"
    std::vector<uint8_t> corrupted = a;
    corrupted.back() ^= 0x01;  // deciphers to a last byte of 0xD5: no valid padding
    // The first block of "ABCDEFGH" on its own ends in 'H', which is no padding either.
    std::vector<uint8_t> firstBlockOnly = CipherOf("Odo1YmCoxa5h4XxYGqCksg==");
    firstBlockOnly.resize(8);
    const std::vector<uint8_t> seven(a.begin(), a.begin() + 7);
    std::vector<uint8_t> nine = a;
    nine.push_back(0);

    struct Case {
        const char* name;
        const std::vector<uint8_t>& cipher;
        size_t capacity;
        int status;
    };
    const Case cases[] = {
        {"bad padding in the last block", corrupted, 8, 3},
        {"a last block that is not padded", firstBlockOnly, 8, 3},
        {"7 bytes", seven, 64, -1},
        {"9 bytes", nine, 64, -1},
        // The capacity is compared with the input, not the plain text, which would fit.
        {"capacity below the input length", a, 7, 4},
        // The blocks are deciphered before the capacity is looked at.
        {"bad padding and a small capacity", corrupted, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = Decrypt(c.cipher, c.capacity);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.capacity, c.capacity);
        EXPECT_EQ(result.out[0], kUntouched);
    }
}

TEST(CryptoDes, KeyIsCutOrZeroFilledToEightBytes) {
    // "A" enciphered under "Tb4n" followed by four zero bytes.
    const std::vector<uint8_t> underShortKey =
        Bytes({0xb4, 0xdb, 0x5f, 0x43, 0x4b, 0xbb, 0xdf, 0x25});
    const Result shortKey = Decrypt(underShortKey, 8, ProductKey(), 4);
    ASSERT_EQ(shortKey.status, 0);
    EXPECT_EQ(Text(shortKey), "A");

    const uint8_t longKey[] = {'T', 'b', '4', 'n', 'W', 'x', '9', 'e', 'J', 'U', 'N', 'K'};
    const Result extraBytes = Decrypt(CipherOf("aWbgaYD+ssw="), 8, longKey, sizeof longKey);
    ASSERT_EQ(extraBytes.status, 0);
    EXPECT_EQ(Text(extraBytes), "A");
}

}  // namespace
