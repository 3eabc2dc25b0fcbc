// Makes the check code of a hardware-ID pattern for a device-ID group of AudioConfig.cfg:
// DES-CBC under the product key (zero initialisation vector, PKCS#5 padding), then Base64.
//
//   devid-code 'USB\VID_3F9C&PID_47XX&REV_0100&MI_00'          prints the code
//   devid-code --entry NAME 'USB\VID_3F9C&PID_47XX&REV_0100&MI_00'  prints NAME=ID,code
#include <nettle/base64.h>
#include <nettle/cbc.h>
#include <nettle/des.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kProductKey[] = "Tb4nWx9e";
// Longest ID whose code the programs still decode (1016 bytes of ciphertext).
constexpr size_t kMaxIdLength = 1015;

void EncryptBlocks(const void* context, size_t length, uint8_t* dst, const uint8_t* src) {
    des_encrypt(static_cast<const des_ctx*>(context), length, dst, src);
}

std::string MakeCode(const std::string& id) {
    std::vector<uint8_t> plain(id.begin(), id.end());
    const size_t pad = DES_BLOCK_SIZE - plain.size() % DES_BLOCK_SIZE;
    plain.insert(plain.end(), pad, static_cast<uint8_t>(pad));

    des_ctx context;
    des_set_key(&context, reinterpret_cast<const uint8_t*>(kProductKey));
    uint8_t iv[DES_BLOCK_SIZE] = {};
    std::vector<uint8_t> cipher(plain.size());
    cbc_encrypt(&context, EncryptBlocks, DES_BLOCK_SIZE, iv, plain.size(), cipher.data(),
                plain.data());

    std::string code(BASE64_ENCODE_RAW_LENGTH(cipher.size()), '\0');
    base64_encode_raw(&code[0], cipher.size(), cipher.data());
    return code;
}

int Usage() {
    std::fputs("usage: devid-code [--entry NAME] HARDWARE-ID...\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const char* entryName = nullptr;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--entry") == 0) {
        entryName = argv[2];
        first = 3;
    }
    if (first >= argc)
        return Usage();
    for (int i = first; i < argc; ++i) {
        const std::string id = argv[i];
        if (id.empty() || id.size() > kMaxIdLength || id.find(',') != std::string::npos) {
            std::fprintf(stderr, "devid-code: an ID must have 1 to %zu characters and no comma\n",
                         kMaxIdLength);
            return 1;
        }
        if (entryName)
            std::printf("%s=%s,%s\n", entryName, id.c_str(), MakeCode(id).c_str());
        else
            std::printf("%s\n", MakeCode(id).c_str());
    }
    return 0;
}
