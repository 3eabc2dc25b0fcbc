// AudioDeviceService: the Windows service the installer registers and starts. Run with
// "/Service" it registers itself and ends; started by the service manager it runs until it is
// stopped, and accepts the control code 128.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "DeviceRestartRun.h"
#include "DllSearchPath.h"

namespace {

constexpr wchar_t kServiceName[] = L"AudioDeviceService";
constexpr DWORD kUserControl = 128;

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = nullptr;

void Report(DWORD state, DWORD waitHint = 0) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted =
        state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWaitHint = waitHint;
    SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            Report(SERVICE_STOP_PENDING, 1000);
            SetEvent(g_stopEvent);
            return NO_ERROR;
        case kUserControl:  // the installer's nudge before it replaces the files
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        default:
            return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    g_statusHandle = RegisterServiceCtrlHandlerExW(kServiceName, Handler, nullptr);
    if (!g_statusHandle)
        return;
    g_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_stopEvent) {
        Report(SERVICE_STOPPED);
        return;
    }
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stopEvent, INFINITE);
    CloseHandle(g_stopEvent);
    g_stopEvent = nullptr;
    Report(SERVICE_STOPPED);
}

struct ServiceHandle {
    SC_HANDLE handle;
    explicit ServiceHandle(SC_HANDLE h) : handle(h) {}
    ~ServiceHandle() {
        if (handle)
            CloseServiceHandle(handle);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
};

// The program an image path names, without quotes or arguments.
std::wstring ImageProgram(const wchar_t* imagePath) {
    std::wstring image(imagePath ? imagePath : L"");
    if (!image.empty() && image.front() == L'"') {
        const size_t close = image.find(L'"', 1);
        return close == std::wstring::npos ? std::wstring() : image.substr(1, close - 1);
    }
    return image;
}

// Only a service that already runs this program's file is this product's to re-point.
bool RunsThisProgram(SC_HANDLE service, const wchar_t* ownPath) {
    DWORD needed = 0;
    QueryServiceConfigW(service, nullptr, 0, &needed);
    if (needed == 0)
        return false;
    std::vector<unsigned char> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!QueryServiceConfigW(service, config, needed, &needed))
        return false;
    return _wcsicmp(ImageProgram(config->lpBinaryPathName).c_str(), ownPath) == 0;
}

// Creates the service, or points an existing one of ours at this program. 0 on success.
int RegisterService() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    // Quoted: the service manager runs this as a command line.
    const std::wstring binary = L"\"" + std::wstring(path) + L"\"";

    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager.handle)
        return 2;
    ServiceHandle created(CreateServiceW(manager.handle, kServiceName, kServiceName,
                                         SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                         SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, binary.c_str(),
                                         nullptr, nullptr, nullptr, nullptr, nullptr));
    if (created.handle)
        return 0;
    if (GetLastError() != ERROR_SERVICE_EXISTS)
        return 3;
    ServiceHandle existing(OpenServiceW(manager.handle, kServiceName, SERVICE_ALL_ACCESS));
    if (!existing.handle)
        return 4;
    if (!RunsThisProgram(existing.handle, path))
        return 6;
    return ChangeServiceConfigW(existing.handle, SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                SERVICE_ERROR_NORMAL, binary.c_str(), nullptr, nullptr, nullptr,
                                nullptr, nullptr, kServiceName)
               ? 0
               : 5;
}

bool IsRegistrationRun(const wchar_t* commandLine) {
    while (*commandLine == L' ' || *commandLine == L'\t')
        ++commandLine;
    std::wstring argument(commandLine);
    while (!argument.empty() && (argument.back() == L' ' || argument.back() == L'\t'))
        argument.pop_back();
    return _wcsicmp(argument.c_str(), L"/Service") == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t* commandLine, int) {
    RestrictDllSearchToSystem();
    if (const std::optional<int> restarted = RunDeviceRestart(commandLine))
        return *restarted;
    if (IsRegistrationRun(commandLine))
        return RegisterService();
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain},
                                    {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : static_cast<int>(GetLastError());
}
