// Port: what else the installer asks of the system: waits, the beep, the environment, the
// Windows version, version resources, profile strings and the reboot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RtlVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint16_t servicePackMajor = 0;
};

// GetWindowsVersion's results.
enum : int {
    RTL_VERSION_OK = 0,
    RTL_VERSION_NOT_FOUND = 1,
    RTL_VERSION_FAILED = 2,
};

struct FixedFileVersion {
    uint32_t signature = 0;
    uint32_t fileVersionMS = 0;
    uint32_t fileVersionLS = 0;
};

class ISetupSystem {
public:
    virtual ~ISetupSystem() = default;

    virtual void Sleep(uint32_t milliseconds) = 0;
    virtual void Beep(uint32_t frequency, uint32_t milliseconds) = 0;
    virtual std::optional<std::u16string> GetEnvironment(const std::u16string& name) = 0;
    // RtlGetVersion looked up in ntdll.dll: RTL_VERSION_*.
    virtual int GetRtlVersion(RtlVersion& out) = 0;

    // GetFileVersionInfoSizeW; 0 when the file has no version resource.
    virtual uint32_t FileVersionInfoSize(const std::u16string& path) = 0;
    // GetFileVersionInfoW into the buffer (already sized).
    virtual bool FileVersionInfo(const std::u16string& path, std::vector<uint8_t>& buffer) = 0;
    // VerQueryValueW(buffer, "\"): false when the block is not found; length 0 when empty.
    virtual bool QueryFixedVersion(const std::vector<uint8_t>& buffer, FixedFileVersion& out,
                                   uint32_t& length) = 0;

    // ReadProfileString (Part of the shared helpers): 0 read, 1 nothing read.
    virtual int ReadProfile(const std::u16string& path, const std::u16string& section,
                            const std::u16string& key, std::u16string& value) = 0;
    // WritePrivateProfileStringW.
    virtual bool WriteProfile(const std::u16string& path, const std::u16string& section,
                              const std::u16string& key, const std::u16string& value) = 0;

    // Enables SeShutdownPrivilege (failures ignored) and asks ExitWindowsEx(EWX_REBOOT).
    virtual void Reboot() = 0;
};
