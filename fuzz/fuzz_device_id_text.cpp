// Any bytes as a device-ID check code: Base64 then DES must stay inside their buffers.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "DeviceIdCodec.h"
#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);

    // Heap buffers of exactly the stated capacity, so any overrun is seen.
    constexpr size_t kPlainCapacity = 4096;
    std::unique_ptr<uint8_t[]> plain(new uint8_t[kPlainCapacity]);
    size_t plainLength = kPlainCapacity;
    const int status = DecodeDeviceIdText(text, size, plain.get(), &plainLength);
    fuzz::Check(status >= 0 && status <= 2);
    if (status == 0)
        fuzz::Check(plainLength <= size);

    const size_t decoded = size / 4 * 3;
    for (size_t capacity : {decoded + 1, decoded}) {
        std::unique_ptr<uint8_t[]> out(new uint8_t[capacity + (capacity == 0)]);
        size_t length = capacity;
        const int base64 = Base64Decode(text, size, out.get(), &length);
        fuzz::Check(base64 >= 0 && base64 <= 3);
        if (base64 == 0)
            fuzz::Check(length <= decoded && length + 2 >= decoded);
    }
    return 0;
}
