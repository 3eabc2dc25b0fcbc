#include <windows.h>

#include <vector>

#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

struct ServiceCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using UniqueService = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceCloser>;

class Win32Service : public IServiceHandle {
public:
    explicit Win32Service(SC_HANDLE service) : service_(service) {}

    bool QueryState(uint32_t* state) override {
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(service_.get(), &status))
            return false;
        *state = status.dwCurrentState;
        return true;
    }
    bool Control(uint32_t code) override {
        SERVICE_STATUS status{};
        return ControlService(service_.get(), code, &status) != FALSE;
    }
    bool Start() override { return StartServiceW(service_.get(), 0, nullptr) != FALSE; }
    bool Delete() override { return DeleteService(service_.get()) != FALSE; }
    std::optional<std::u16string> ImagePath() override {
        DWORD needed = 0;
        QueryServiceConfigW(service_.get(), nullptr, 0, &needed);
        if (needed == 0)
            return std::nullopt;
        std::vector<uint8_t> buffer(needed);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
        if (!QueryServiceConfigW(service_.get(), config, needed, &needed) ||
            !config->lpBinaryPathName)
            return std::nullopt;
        return U16(config->lpBinaryPathName);
    }

private:
    UniqueService service_;
};

class Win32Manager : public IServiceManagerHandle {
public:
    explicit Win32Manager(SC_HANDLE manager) : manager_(manager) {}

    std::unique_ptr<IServiceHandle> OpenNamedService(const std::u16string& name) override {
        SC_HANDLE service = OpenServiceW(manager_.get(), W(name), SERVICE_ALL_ACCESS);
        if (!service)
            return nullptr;
        return std::make_unique<Win32Service>(service);
    }

private:
    UniqueService manager_;
};

class Win32Services : public IServiceControl {
public:
    std::unique_ptr<IServiceManagerHandle> OpenManager() override {
        SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        if (!manager)
            return nullptr;
        return std::make_unique<Win32Manager>(manager);
    }
};

}  // namespace

IServiceControl& Win32ServiceControl() {
    static Win32Services services;
    return services;
}
