// The uninstall entry's EstimatedSize: what the installation puts on disk, counted from its
// sources before it is copied (the entry is written in step 4, before the folders are copied).
#pragma once

#include <cstdint>

#include "SetupContext.h"

// Kilobytes, rounded up: the payloads this Windows gets and the skins, languages, configuration,
// icon and manual beside the installer.
uint32_t EstimateInstalledSizeKb(ISetupFiles& files, IPayloadResources& resources,
                                 ISetupSystem& system, const SetupState& state);
