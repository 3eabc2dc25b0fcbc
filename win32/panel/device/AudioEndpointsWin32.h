// The steps of the audio-endpoint adapter, each reachable on its own: the searches take the
// capture description directly, so they can be driven with the names of whatever devices the
// machine has.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CaptureSearch.h"
#include "ports/AudioEndpoint.h"

// DirectSound's capture enumeration (dsound.dll ordinal 8, from the system folder): each
// device's description and module string.
std::vector<DirectSoundCaptureEntry> DirectSoundCaptureDevicesWin32();

// The description of the last DirectSound capture device whose module is an interface path
// beginning with prefix, or empty.
std::u16string FindCaptureDescriptionByPrefix(const std::u16string& prefix);

// Core Audio's active capture endpoints: ID, friendly name and the ID of the adapter that
// connector 0 of the endpoint's topology is connected to. Empty without Core Audio; ends before
// the first endpoint whose ID or name cannot be read.
std::vector<CaptureEndpointEntry> ActiveCaptureEndpointsWin32();

// The endpoint of that ID, or null.
std::unique_ptr<ICaptureEndpoint> OpenCaptureEndpointWin32(const std::u16string& id);

// The first active capture endpoint whose friendly name contains description; null for an empty
// description.
std::unique_ptr<ICaptureEndpoint> FindCaptureEndpointByDescription(
    const std::u16string& description);

// The mixer control of the wave-in line whose target name agrees with description: 1 done, 0
// failed (also for an empty description).
uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                   uint32_t* maximum, const std::u16string& description);

// The number of the first mixer device whose wave-in line's target name agrees with description,
// or -1 (also for an empty description).
int MixerIndexByDescription(const std::u16string& description);
