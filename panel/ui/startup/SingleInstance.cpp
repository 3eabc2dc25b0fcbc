#include "SingleInstance.h"

bool FormCreate(IInstanceHost& host, const std::u16string& appTitle) {
    host.InstallPointerHook();
    using Result = IInstanceHost::MutexResult;
    const Result result = host.CreateMutex(appTitle);
    if (result == Result::AlreadyExists || result == Result::AccessDenied) {
        host.ClearOwnApplicationText();
        host.RaiseApplicationWindow(appTitle);
        host.Terminate();
        return false;
    }
    // Without a mutex at all (Failed) the panel still runs: one start is better than none.
    return true;
}
