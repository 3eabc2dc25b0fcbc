#include "SetupMutexWin32.h"

#include <windows.h>

namespace {

// Global: an installation in another session changes the same files and keys.
constexpr wchar_t kMutexName[] = L"Global\\QLN47xxAudioSetupRunning";

}  // namespace

bool SetupRunningMutex::Acquire() {
    mutex_.reset(CreateMutexW(nullptr, FALSE, kMutexName));
    // A name held by an object of another kind, or one this account may not open: not ours to
    // share, so another installation it is.
    if (!mutex_ || GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex_.reset();
        return false;
    }
    return true;
}
