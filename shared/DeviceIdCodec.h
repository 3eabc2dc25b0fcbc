// Check codes of the device-ID groups: Base64 text of the ID enciphered with DES-CBC (zero
// initialisation vector, PKCS#5 padding) under the product key.
#pragma once

#include <cstddef>
#include <cstdint>

// The product key; its eight ASCII bytes are the DES key as they stand.
constexpr char kProductKey[] = "Tb4nWx9e";
constexpr size_t kProductKeyLength = 8;

// 0 success, 1 Base64 failed, 2 decryption failed. capacity becomes the plain length.
int DecodeDeviceIdText(const char* code, size_t length, uint8_t* out, size_t* capacity);

// 0 success, 1 bad length, 2 output too small, 3 bad character.
int Base64Decode(const char* text, size_t length, uint8_t* out, size_t* capacity);

// 0 and the value 0..64 ('=' is 64), or 1 for a character outside the alphabet.
int Base64CharValue(char c, uint8_t* value);

// 0 success, -1 length not a multiple of 8, 1 no crypto context, 2 key not imported,
// 3 a block failed (bad padding included), 4 output too small. Implemented once per platform.
int DesDecrypt(const uint8_t* data, size_t length, uint8_t* out, size_t* capacity,
               const uint8_t* key, size_t keyLength);
