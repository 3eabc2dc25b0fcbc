// Names and constants of the installation.
#pragma once

#include <cstdint>

#include "DeviceGuid.h"

inline constexpr const char16_t* kServiceName = u"AudioDeviceService";
inline constexpr const char16_t* kFilterName = u"UAExt";
inline constexpr const char16_t* kHardwareIdPattern = u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_03";
inline constexpr const char16_t* kFilterInterfacePath = u"\\\\.\\Class#UsbAudioExtension&3F9C&00";
inline constexpr const char16_t* kMessageCaption = u"Install";
// LabelWarning5 where a language has none; the other installation's folder follows it.
inline constexpr const char16_t* kInstalledElsewhereText =
    u"This product is already installed in another folder. Remove it there first, then run "
    u"Setup again:";
inline constexpr const char16_t* kConfigFileName = u"AudioConfig.cfg";
inline constexpr const char16_t* kUninstallKeyPath =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QLN47xxAudioExt";
inline constexpr const char16_t* kRunKeyPath = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char16_t* kPatchFileName = u"Windows6.1-KB3033929-x64.msu";
// Windows' installer of update packages, in the native system folder.
inline constexpr const char16_t* kUpdateInstallerName = u"wusa.exe";
// The media class's own key: its UpperFilters apply to every device of the class.
inline constexpr const char16_t* kMediaClassKeyPath =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}";
inline constexpr const char16_t* kUsbGroupName = u"QLN USB DeviceId Group";
inline constexpr const char16_t* kHidGroupName = u"QLN HID DeviceId Group";

// {745A17A0-74D3-11D0-B6FE-00A0C90F57DA}: the media class; the installer's lists cover all
// classes, so it does not restrict them.
constexpr DeviceGuid MEDIA_CLASS_GUID = {
    0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};

// Exit codes of the update installer that are not failures.
enum : uint32_t {
    UPDATE_RESTART_NEEDED = 3010,         // ERROR_SUCCESS_REBOOT_REQUIRED
    UPDATE_REBOOT_REQUIRED = 0x240005,    // WU_S_REBOOT_REQUIRED
    UPDATE_ALREADY_INSTALLED = 0x240006,  // WU_S_ALREADY_INSTALLED
    UPDATE_NOT_APPLICABLE = 0x80240017,   // WU_E_NOT_APPLICABLE
};

// Payload resources.
enum : uint32_t {
    RES_DRIVER_32 = 102,
    RES_DRIVER_64 = 103,
    RES_SERVICE_32 = 105,
    RES_SERVICE_64 = 106,
    RES_APP = 107,
    RES_UNINSTALL = 108,
    RES_WINDOWPATCH = 110,
};

// Step results.
enum : uint32_t {
    FILTER_DRIVER_KEY_FAILED = 0x80000101,
    FILTER_DRIVER_NO_RESOURCE = 0x80000102,
    FILTER_DRIVER_WRITE_FAILED = 0x80000103,
    SERVICE_NO_RESOURCE = 0x80000201,
    SERVICE_WRITE_FAILED = 0x80000202,
    SERVICE_REGISTRATION_TIMEOUT = 0x80000203,
    SERVICE_REGISTRATION_NOT_STARTED = 0x80000204,
    APP_NO_RESOURCE = 0x80000301,
    APP_WRITE_FAILED = 0x80000302,
    APP_RUN_KEY_FAILED = 0x80000303,
    UNINSTALLER_NO_RESOURCE = 0x80000401,
    UNINSTALLER_WRITE_FAILED = 0x80000402,
    PATCH_OPEN_FAILED = 0x80000601,
    PATCH_INSTALL_FAILED = 0x80000602,
    PATCH_NO_RESOURCE = 0x10000701,
    PATCH_WRITE_FAILED = 0x10000702,
};
