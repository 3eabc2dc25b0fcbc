// Port: the service control manager. Handles close with their objects.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum : uint32_t {
    SERVICE_STATE_STOPPED = 1,
    SERVICE_STATE_RUNNING = 4,
    SERVICE_CONTROL_STOP_CODE = 1,
};

class IServiceHandle {
public:
    virtual ~IServiceHandle() = default;  // CloseServiceHandle

    // QueryServiceStatus: the current state.
    virtual bool QueryState(uint32_t* state) = 0;
    // ControlService with any code.
    virtual bool Control(uint32_t code) = 0;
    // StartServiceW without arguments.
    virtual bool Start() = 0;
    // DeleteService: marks the service for deletion.
    virtual bool Delete() = 0;
    // QueryServiceConfigW: the command line the service manager runs.
    virtual std::optional<std::u16string> ImagePath() = 0;
};

class IServiceManagerHandle {
public:
    virtual ~IServiceManagerHandle() = default;  // CloseServiceHandle

    // OpenServiceW with SERVICE_ALL_ACCESS; null when it fails.
    virtual std::unique_ptr<IServiceHandle> OpenNamedService(const std::u16string& name) = 0;
};

class IServiceControl {
public:
    virtual ~IServiceControl() = default;

    // OpenSCManagerW on the local machine with SC_MANAGER_ALL_ACCESS; null when it fails.
    virtual std::unique_ptr<IServiceManagerHandle> OpenManager() = 0;
};
