// Port: the extension driver's device interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One open handle on the driver's device; closed with the object.
class IDriverHandle {
public:
    virtual ~IDriverHandle() = default;

    // DeviceIoControl. returned is set to the bytes the driver wrote into out.
    virtual bool DeviceIoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                                 uint32_t outSize, uint32_t* returned) = 0;
};

class IDriverPort {
public:
    virtual ~IDriverPort() = default;

    // CreateFileW for reading and writing, shared, OPEN_EXISTING; null when it fails.
    virtual std::unique_ptr<IDriverHandle> Open(const std::u16string& devicePath) = 0;
};
