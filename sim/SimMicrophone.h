// The headset's microphone as Windows shows it: the capture endpoint (volume steps, mute,
// automatic gain control) and the legacy mixer's wave-in line (volume, mute, boost), both views of
// one state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SimOsVersion.h"
#include "SimTrace.h"
#include "ports/AudioEndpoint.h"

struct SimMicrophoneFaults {
    // No capture endpoint is found (the capture description is still there).
    bool endpointAbsent = false;
    // No mixer device carries the headset's line: every MixerControl returns 0.
    bool mixerAbsent = false;
    // IAudioEndpointVolume cannot be activated: 2 from the volume and mute calls.
    bool volumeNotObtained = false;
    // GetVolumeStepInfo fails: 3.
    bool stepInfoFails = false;
    // A failing HRESULT for GetMute and SetMute; 0 for none.
    uint32_t muteFailure = 0;
    // The step (2-10) of the walk to the automatic gain control that fails; 0 for none.
    uint32_t boostFailStep = 0;
    // No subunit offers automatic gain control: the boost calls return E_NOINTERFACE.
    bool noAutoGainControl = false;
};

class SimMicrophone : public IAudioEndpoints {
public:
    static constexpr uint32_t kNoInterface = 0x80004002;  // E_NOINTERFACE
    static constexpr uint32_t kMixerMaximum = 0xFFFF;

    explicit SimMicrophone(std::shared_ptr<SimTrace> trace);
    ~SimMicrophone() override;

    // The lookups run the panel's own search (CaptureSearch) over the capture devices as the
    // simulated Windows presents them (PresentAs).
    std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) override;
    // Traces "EP FIND vvvv:pppp" or "EP FIND-FAIL vvvv:pppp".
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                          uint16_t productId) override;
    // Traces "MIX READ-VOLUME 32767" and so on, or "MIX FAIL READ-VOLUME".
    uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                          uint32_t* maximum, uint16_t vendorId, uint16_t productId) override;

    // The wave-input devices: the machine's own microphone (device 0), then the headset's while
    // it is plugged in, each with its endpoint ID (Vista and later) or its interface path.
    std::vector<WaveInDeviceEntry> WaveInDevices() const;

    SimMicrophoneFaults& Faults();
    // Endpoints handed out and not yet released.
    int LiveEndpoints() const;
    // Unplugging makes endpoints already handed out fail as a removed device's do.
    void SetPlugged(bool plugged);
    // The Windows whose strings the capture devices show: interface paths as DirectSound's
    // modules before Vista, endpoint IDs and Core Audio's endpoints from Vista on (also when
    // none is given).
    void PresentAs(const SimOsVersion* os);
    // The microphone's interface path carries these IDs (default 3F9C:4712).
    void SetIds(uint16_t vendorId, uint16_t productId);

    // Volume as a step of stepCount steps (default 101 steps at step 50). A count below 2 is
    // allowed, to test the readers' guard.
    void SetVolumeSteps(uint32_t step, uint32_t stepCount);
    uint32_t VolumeStep() const;
    uint32_t VolumeStepCount() const;
    // The last scalar given to the endpoint (0.0-1.0).
    float VolumeScalar() const;
    bool Muted() const;
    void SetMuted(bool muted);
    // Automatic gain control on the endpoint, the boost control (MUX) on the mixer.
    bool Boost() const;
    void SetBoost(bool boost);
    const std::u16string& Description() const;

    // A watch as the panel's platform gives it. Every change of the endpoint's volume or mute (by
    // the panel or elsewhere), of the mixer line, and the endpoint's removal is traced
    // ("EP NOTIFY ...", "MIX NOTIFY") and handed to post, which must deliver it later, as Windows
    // calls back on another thread: never inside the call that made the change.
    std::unique_ptr<IMicWatch> NewWatch(std::function<void(const MicNotice&)> post);
    // Another program mutes or unmutes the microphone through the endpoint.
    void MuteElsewhere(bool muted);
    // Watches registered now.
    int Watchers() const;

    struct State;

private:
    std::shared_ptr<State> state_;
    std::unique_ptr<ICaptureDevices> devices_;
};
