#include <windows.h>

#include "DllSearchPath.h"
#include "Handles.h"
#include "PlatformHelpers.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

struct RtlOsVersionInfoEx {
    ULONG size;
    ULONG major;
    ULONG minor;
    ULONG build;
    ULONG platform;
    WCHAR servicePack[128];
    USHORT servicePackMajor;
    USHORT servicePackMinor;
    USHORT suiteMask;
    UCHAR productType;
    UCHAR reserved;
};
static_assert(sizeof(RtlOsVersionInfoEx) == 284, "RTL_OSVERSIONINFOEXW");

using RtlGetVersionFn = LONG(WINAPI*)(RtlOsVersionInfoEx*);

class Win32System : public ISetupSystem {
public:
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
    void Beep(uint32_t frequency, uint32_t milliseconds) override {
        ::Beep(frequency, milliseconds);
    }

    std::optional<std::u16string> GetEnvironment(const std::u16string& name) override {
        const DWORD needed = GetEnvironmentVariableW(W(name), nullptr, 0);
        if (needed == 0)
            return std::nullopt;
        std::u16string value(needed, u'\0');
        const DWORD length =
            GetEnvironmentVariableW(W(name), reinterpret_cast<wchar_t*>(&value[0]), needed);
        if (length == 0 || length >= needed)
            return std::nullopt;
        value.resize(length);
        return value;
    }

    int GetRtlVersion(RtlVersion& out) override {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        const auto rtlGetVersion =
            ntdll ? reinterpret_cast<RtlGetVersionFn>(
                        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                  : nullptr;
        if (!rtlGetVersion)
            return RTL_VERSION_NOT_FOUND;
        RtlOsVersionInfoEx info{};
        info.size = sizeof info;
        if (rtlGetVersion(&info) != 0)
            return RTL_VERSION_FAILED;
        out = {info.major, info.minor, info.build, info.servicePackMajor};
        return RTL_VERSION_OK;
    }

    uint32_t FileVersionInfoSize(const std::u16string& path) override {
        const auto infoSize =
            version_.Get<decltype(&GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
        DWORD handle = 0;
        return infoSize ? infoSize(W(path), &handle) : 0;
    }

    bool FileVersionInfo(const std::u16string& path, std::vector<uint8_t>& buffer) override {
        const auto info = version_.Get<decltype(&GetFileVersionInfoW)>("GetFileVersionInfoW");
        return info && info(W(path), 0, static_cast<DWORD>(buffer.size()), buffer.data()) != FALSE;
    }

    bool QueryFixedVersion(const std::vector<uint8_t>& buffer, FixedFileVersion& out,
                           uint32_t& length) override {
        const auto query = version_.Get<decltype(&VerQueryValueW)>("VerQueryValueW");
        void* block = nullptr;
        UINT size = 0;
        if (!query || !query(buffer.data(), L"\\", &block, &size))
            return false;
        length = size;
        if (size >= sizeof(VS_FIXEDFILEINFO) && block) {
            const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
            out = {fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS};
        } else {
            length = 0;
        }
        return true;
    }

    int ReadProfile(const std::u16string& path, const std::u16string& section,
                    const std::u16string& key, std::u16string& value) override {
        return ReadProfileString(path, section, key, value);
    }

    bool WriteProfile(const std::u16string& path, const std::u16string& section,
                      const std::u16string& key, const std::u16string& value) override {
        return WritePrivateProfileStringW(W(section), W(key), W(value), W(path)) != FALSE;
    }

    void Reboot() override {
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            UniqueHandle owner(token);
            TOKEN_PRIVILEGES privileges{};
            if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege",
                                      &privileges.Privileges[0].Luid)) {
                privileges.PrivilegeCount = 1;
                privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
                AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
            }
        }
        ExitWindowsEx(EWX_REBOOT, 0);
    }

private:
    // Not imported: the loader would look for it beside the program before anything runs.
    SystemLibrary version_{L"version.dll"};
};

}  // namespace

ISetupSystem& Win32SetupSystem() {
    static Win32System system;
    return system;
}
