#include "SetupOperations.h"

namespace {

constexpr int kPolls = 30;
constexpr uint32_t kPollInterval = 300;

bool WaitForState(IServiceHandle& service, ISetupSystem& system, uint32_t wanted) {
    for (int poll = 0; poll < kPolls; ++poll) {
        uint32_t state = 0;
        if (service.QueryState(&state) && state == wanted)
            return true;
        system.Sleep(kPollInterval);
    }
    return false;
}

}  // namespace

uint32_t ControlDeviceService(IServiceControl& services, ISetupSystem& system,
                              const std::u16string& name, uint32_t code) {
    std::unique_ptr<IServiceManagerHandle> manager = services.OpenManager();
    if (!manager)
        return 1;
    std::unique_ptr<IServiceHandle> service = manager->OpenNamedService(name);
    if (!service)
        return 2;
    uint32_t state = 0;
    if (!service->QueryState(&state))
        return 3;
    if (code == 1) {
        if (state == SERVICE_STATE_STOPPED)
            return 0;
        if (!service->Control(SERVICE_CONTROL_STOP_CODE))
            return 4;
        return WaitForState(*service, system, SERVICE_STATE_STOPPED) ? 0 : 5;
    }
    if (code == 0) {
        if (state == SERVICE_STATE_RUNNING)
            return 0;
        if (!service->Start())
            return 6;
        return WaitForState(*service, system, SERVICE_STATE_RUNNING) ? 0 : 7;
    }
    service->Control(code);
    return 0;
}
