#include <windows.h>

#include "Handles.h"
#include "PanelDeviceWin32.h"
#include "WideText.h"

namespace {

class DriverHandleWin32 : public IDriverHandle {
public:
    explicit DriverHandleWin32(UniqueHandle handle) : handle_(std::move(handle)) {}

    bool DeviceIoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                         uint32_t outSize, uint32_t* returned) override {
        DWORD bytes = 0;
        // The input buffer is only read; the declaration lacks the const.
        const BOOL ok = ::DeviceIoControl(handle_.get(), code, const_cast<void*>(in), inSize, out,
                                          outSize, &bytes, nullptr);
        if (returned)
            *returned = bytes;
        return ok != FALSE;
    }

private:
    UniqueHandle handle_;
};

class DriverPortWin32 : public IDriverPort {
public:
    std::unique_ptr<IDriverHandle> Open(const std::u16string& devicePath) override {
        UniqueHandle handle = MakeUniqueHandle(
            CreateFileW(W(devicePath), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!handle)
            return nullptr;
        return std::make_unique<DriverHandleWin32>(std::move(handle));
    }
};

}  // namespace

std::unique_ptr<IDriverPort> CreateDriverPortWin32() {
    return std::make_unique<DriverPortWin32>();
}
