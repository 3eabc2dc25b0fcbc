#include <windows.h>

#include <new>
#include <stdexcept>

#include "Handles.h"
#include "RawFile.h"
#include "WideText.h"

int ReadRawFile(const std::u16string& path, std::vector<uint8_t>& data) {
    UniqueHandle file =
        MakeUniqueHandle(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return RAW_FILE_CANNOT_OPEN;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
        return RAW_FILE_NO_LENGTH;
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return RAW_FILE_NO_MEMORY;
    } catch (const std::length_error&) {
        return RAW_FILE_NO_MEMORY;
    }
    size_t done = 0;
    while (done < buffer.size()) {
        const DWORD chunk = static_cast<DWORD>(
            buffer.size() - done < 0x40000000u ? buffer.size() - done : 0x40000000u);
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data() + done, chunk, &got, nullptr) || got == 0)
            return RAW_FILE_READ_FAILED;
        done += got;
    }
    data.swap(buffer);
    return RAW_FILE_OK;
}
