// Finding the headset's microphone among the capture devices, on every Windows generation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ports/AudioEndpoint.h"

// "\\?\USB#VID_vvvv&PID_pppp", upper-case hexadecimal.
std::u16string CapturePathPrefix(uint16_t vendorId, uint16_t productId);

// Whether an interface path begins with prefix, in any case. A device ID that puts a "{n}."
// before the path (Core Audio's adapter IDs) is compared from the path on.
bool InterfacePathBeginsWith(const std::u16string& path, const std::u16string& prefix);

// The description of the last DirectSound capture device whose module is an interface path
// beginning with prefix (XP-era drivers), or empty.
std::u16string DescriptionByInterfacePath(const std::vector<DirectSoundCaptureEntry>& devices,
                                          const std::u16string& prefix);

// The first endpoint whose connector leads to the adapter with that interface path prefix
// (Vista and later), or null.
const CaptureEndpointEntry* EndpointOnAdapter(const std::vector<CaptureEndpointEntry>& endpoints,
                                              const std::u16string& prefix);

// The first endpoint whose friendly name contains description, or null (also for an empty one).
const CaptureEndpointEntry* EndpointByName(const std::vector<CaptureEndpointEntry>& endpoints,
                                           const std::u16string& description);

// The wave-input device that records from the headset's microphone: the one whose endpoint is
// endpointId (Vista and later), else the one whose interface path begins with prefix (before
// Vista), else IWaveInput::kDefaultDevice.
int WaveInDeviceOf(const std::vector<WaveInDeviceEntry>& devices, const std::u16string& endpointId,
                   const std::u16string& prefix);

// The panel's microphone port over what the platform enumerates. The description is
// DirectSound's where its module is an interface path; otherwise (Vista and later, where it is
// an endpoint ID) the friendly name of the endpoint on the headset's adapter, which is also
// the name the mixer's emulated line carries. The endpoint is the one whose name contains
// DirectSound's description, else the one on the headset's adapter.
class CaptureSearch : public IAudioEndpoints {
public:
    explicit CaptureSearch(ICaptureDevices& devices) : devices_(devices) {}

    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override;
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override;
    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override;

private:
    ICaptureDevices& devices_;
};
