// DES-CBC through the Windows crypto provider: its defaults for an imported DES key are CBC, a zero
// initialisation vector and PKCS#5 padding.
#include <windows.h>
#include <wincrypt.h>

#include <cstring>
#include <vector>

#include "DeviceIdCodec.h"

namespace {

class CryptContext {
public:
    bool Acquire() {
        return CryptAcquireContextW(&provider_, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL,
                                    CRYPT_VERIFYCONTEXT) != FALSE;
    }
    ~CryptContext() {
        if (key_)
            CryptDestroyKey(key_);
        if (provider_)
            CryptReleaseContext(provider_, 0);
    }
    HCRYPTPROV provider() const { return provider_; }
    HCRYPTKEY* key() { return &key_; }
    HCRYPTKEY keyHandle() const { return key_; }

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTKEY key_ = 0;
};

#pragma pack(push, 1)
struct DesKeyBlob {
    BLOBHEADER header;
    DWORD keySize;
    BYTE key[8];
};
#pragma pack(pop)
static_assert(sizeof(DesKeyBlob) == 20, "plain-text key blob of 20 bytes");

}  // namespace

int DesDecrypt(const uint8_t* data, size_t length, uint8_t* out, size_t* capacity,
               const uint8_t* key, size_t keyLength) {
    if (length % 8 != 0)
        return -1;
    DesKeyBlob blob{};
    blob.header.bType = PLAINTEXTKEYBLOB;
    blob.header.bVersion = CUR_BLOB_VERSION;
    blob.header.reserved = 0;
    blob.header.aiKeyAlg = CALG_DES;
    blob.keySize = 8;
    std::memcpy(blob.key, key, keyLength < 8 ? keyLength : 8);

    CryptContext context;
    if (!context.Acquire())
        return 1;
    if (!CryptImportKey(context.provider(), reinterpret_cast<const BYTE*>(&blob), sizeof blob, 0, 0,
                        context.key()))
        return 2;

    std::vector<uint8_t> work(data, data + length);
    size_t plainTotal = 0;
    for (size_t offset = 0; offset < length; offset += 8) {
        const BOOL last = offset + 8 == length;
        DWORD blockLength = 8;
        // Decrypted in place, one block at a time; the provider keeps the chain
        // between calls and strips the padding from the last.
        if (!CryptDecrypt(context.keyHandle(), 0, last, 0, work.data() + offset, &blockLength))
            return 3;
        plainTotal += blockLength;
    }
    if (*capacity < length)
        return 4;
    if (plainTotal > 0)
        std::memcpy(out, work.data(), plainTotal);
    *capacity = plainTotal;
    return 0;
}
