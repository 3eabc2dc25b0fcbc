// DES-CBC with a zero initialisation vector and PKCS#5 padding, as the Windows provider does it.
#include <nettle/cbc.h>
#include <nettle/des.h>

#include <cstring>
#include <vector>

#include "DeviceIdCodec.h"

namespace {

void DecryptBlocks(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
    des_decrypt(static_cast<const des_ctx*>(context), length, dst, src);
}

}  // namespace

int DesDecrypt(const uint8_t* data, size_t length, uint8_t* out, size_t* capacity,
               const uint8_t* key, size_t keyLength) {
    if (length % 8 != 0)
        return -1;
    uint8_t keyBytes[DES_KEY_SIZE] = {};
    std::memcpy(keyBytes, key, keyLength < DES_KEY_SIZE ? keyLength : DES_KEY_SIZE);
    des_ctx context;
    // Nettle flags weak keys but schedules them all the same, like the Windows provider.
    des_set_key(&context, keyBytes);

    std::vector<uint8_t> plain(length);
    size_t plainLength = 0;
    if (length > 0) {
        uint8_t iv[DES_BLOCK_SIZE] = {};
        cbc_decrypt(&context, DecryptBlocks, DES_BLOCK_SIZE, iv, length, plain.data(), data);
        // The last block carries 1..8 bytes of padding, each holding the padding's length.
        const uint8_t pad = plain[length - 1];
        if (pad == 0 || pad > DES_BLOCK_SIZE)
            return 3;
        for (size_t i = 1; i <= pad; ++i) {
            if (plain[length - i] != pad)
                return 3;
        }
        plainLength = length - pad;
    }
    if (*capacity < length)
        return 4;
    if (plainLength > 0)
        std::memcpy(out, plain.data(), plainLength);
    *capacity = plainLength;
    return 0;
}
