#include <windows.h>

#include "PanelDeviceWin32.h"

namespace {

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(OSVERSIONINFOEXW) == 284 && sizeof(OSVERSIONINFOW) == 276,
              "the version records the 32-bit program passes");
#endif

class OsVersionWin32 : public IOsVersion {
public:
    bool GetVersion(OsVersionInfo& info) override {
        OSVERSIONINFOEXW extended{};
        extended.dwOSVersionInfoSize = sizeof extended;
        if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
            Store(extended.dwPlatformId, extended.dwMajorVersion, extended.dwMinorVersion, info);
            return true;
        }
        // Systems before NT 4 SP6 know only the basic record.
        OSVERSIONINFOW basic{};
        basic.dwOSVersionInfoSize = sizeof basic;
        if (GetVersionExW(&basic)) {
            Store(basic.dwPlatformId, basic.dwMajorVersion, basic.dwMinorVersion, info);
            return true;
        }
        return false;
    }

private:
    static void Store(DWORD platform, DWORD major, DWORD minor, OsVersionInfo& info) {
        info.platformId = platform;
        info.majorVersion = major;
        info.minorVersion = minor;
    }
};

}  // namespace

std::unique_ptr<IOsVersion> CreateOsVersionWin32() {
    return std::make_unique<OsVersionWin32>();
}
