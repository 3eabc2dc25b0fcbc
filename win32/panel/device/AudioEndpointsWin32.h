// The steps of the audio-endpoint adapter, each reachable on its own: the searches take the
// capture description directly, so they can be driven with the names of whatever devices the
// machine has.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ports/AudioEndpoint.h"

// "\\?\USB#VID_vvvv&PID_pppp", upper-case hexadecimal.
std::u16string CapturePathPrefix(uint16_t vendorId, uint16_t productId);

// DirectSound's capture enumeration (dsound.dll ordinal 8, from the system folder): the
// description of the last capture device whose path begins with prefix, or empty.
std::u16string FindCaptureDescriptionByPrefix(const std::u16string& prefix);

// The first active capture endpoint whose friendly name contains description; null for an empty
// description.
std::unique_ptr<ICaptureEndpoint> FindCaptureEndpointByDescription(
    const std::u16string& description);

// The mixer control of the wave-in line whose target name agrees with description: 1 done, 0
// failed (also for an empty description).
uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                   uint32_t* maximum, const std::u16string& description);
