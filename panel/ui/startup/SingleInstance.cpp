#include "SingleInstance.h"

bool FormCreate(IInstanceHost& host, const std::u16string& appTitle) {
    host.InstallPointerHook();
    if (host.MutexExists(appTitle)) {
        host.ClearOwnApplicationText();
        host.RaiseApplicationWindow(appTitle);
        host.Terminate();
        return false;
    }
    host.CreateMutex(appTitle);
    return true;
}
