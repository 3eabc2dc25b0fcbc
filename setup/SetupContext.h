// The wizard's state that the install sequence reads and writes, and the ports it works through.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "AudioConfig.h"
#include "DeviceIdMgr.h"
#include "SetupCommandLine.h"
#include "SetupTexts.h"
#include "ports/PayloadResources.h"
#include "ports/Registry.h"
#include "ports/ServiceControl.h"
#include "ports/SetupDevices.h"
#include "ports/SetupFiles.h"
#include "ports/SetupSystem.h"
#include "ports/ShellAndProcesses.h"
#include "ports/SystemFolders.h"
#include "ports/WizardWindow.h"

struct _REG_UNINSTALL_INFO {
    std::u16string KeyPath;
    std::u16string DisplayName;
    std::u16string UninstallString;
    std::u16string DisplayIcon;
    std::u16string DisplayVersion;
    std::u16string Publisher;
    // For deployment tools: the uninstaller without questions, where the product lies, its
    // size, and that it has no change or repair of its own.
    std::u16string QuietUninstallString;
    std::u16string InstallLocation;
    uint32_t EstimatedSizeKb = 0;
};

struct SetupPorts {
    IRegistry& registry;
    IServiceControl& services;
    ISetupFiles& files;
    IPayloadResources& resources;
    ISetupDevices& devices;
    IShortcuts& shortcuts;
    IProcesses& processes;
    ISystemFolders& folders;
    ISetupSystem& system;
    IWizardWindow& window;
};

struct SetupState {
    bool IsWow64 = false;
    int32_t OsFamily = 0;
    int32_t ServicePackMajor = 0;
    std::u16string SetupVersion;
    // Written by the worker before its last progress message, read by the window after
    // WM_SETUP_DONE.
    std::atomic<bool> InstallSucceeded{false};
    // Set by the worker: the new filter loads only after a restart, or the Windows update it
    // installed asks for one.
    std::atomic<bool> RestartNeeded{false};
    // ContentHash of the service program this installation writes (the uninstaller: the one its
    // log lists). Only that program is run to restart devices; empty: none is.
    std::u16string ServiceProgramHash;
    CDeviceIdMgr UsbDeviceIds;
    CDeviceIdMgr HidDeviceIds;
    _APPLICATION_FOLDER_PATH Folders;
    _REG_UNINSTALL_INFO UninstallInfo;
    SetupTexts Texts;
    // Set by the window when the user closes it during the installation: the worker finishes
    // the step it is in and runs no further one.
    std::atomic<bool> StopRequested{false};
    // Set by the worker when it refused to install because the product is installed in this
    // other folder (its uninstall entry names it); empty otherwise. Read after WM_SETUP_DONE.
    std::u16string OtherInstallationFolder;
    SetupOptions Options;
};
