// Port: the headset microphone as Windows shows it, through Core Audio (Vista and later) or the
// legacy mixer, and the wave-input stream that feeds the level meter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Codes shared by the endpoint operations.
enum : uint32_t {
    MIC_OK = 0,
    MIC_VOLUME_NOT_OBTAINED = 2,  // IAudioEndpointVolume could not be activated
    MIC_STEP_INFO_NOT_READ = 3,
};

// The headset's capture endpoint (IMMDevice), held for one operation. Each call initialises COM
// around itself.
class ICaptureEndpoint {
public:
    virtual ~ICaptureEndpoint() = default;

    // IMMDevice::GetId: the endpoint ID, "{0.0.1.00000000}.{...}".
    virtual std::u16string Id() const = 0;

    // IAudioEndpointVolume::GetVolumeStepInfo: MIC_OK, MIC_VOLUME_NOT_OBTAINED or
    // MIC_STEP_INFO_NOT_READ.
    virtual uint32_t GetVolumeStepInfo(uint32_t* step, uint32_t* stepCount) = 0;
    // SetMasterVolumeLevelScalar with an all-zero event context: MIC_OK or MIC_VOLUME_NOT_OBTAINED.
    virtual uint32_t SetMasterVolumeLevelScalar(float level) = 0;
    // GetMute / SetMute: MIC_VOLUME_NOT_OBTAINED, else the method's HRESULT.
    virtual uint32_t GetMute(int32_t* mute) = 0;
    virtual uint32_t SetMute(int32_t mute) = 0;
    // The automatic gain control of the first subunit of the connected device that offers one:
    // 0 done; 2-10 the step of the topology walk that failed; otherwise the last HRESULT.
    virtual uint32_t GetAutoGainControl(int32_t* enabled) = 0;
    virtual uint32_t SetAutoGainControl(int32_t enabled) = 0;
};

// Legacy mixer control kinds.
enum MixerControlKind : int {
    MIXER_READ_VOLUME = 0,
    MIXER_WRITE_VOLUME = 1,
    MIXER_READ_MUTE = 2,
    MIXER_WRITE_MUTE = 3,
    MIXER_READ_BOOST = 4,
    MIXER_WRITE_BOOST = 5,
};

class IAudioEndpoints {
public:
    virtual ~IAudioEndpoints() = default;

    // The description of the capture device whose interface path begins with
    // "\\?\USB#VID_vvvv&PID_pppp" (the last one that does), or empty.
    virtual std::u16string FindCaptureDescription(uint16_t vendorId, uint16_t productId) = 0;
    // The active capture endpoint whose friendly name contains that description, or null.
    virtual std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t vendorId,
                                                                  uint16_t productId) = 0;
    // One control of the headset's wave-in mixer line: 1 done, 0 failed. Reading the volume also
    // gives its bounds.
    virtual uint32_t MixerControl(MixerControlKind kind, uint32_t* value, uint32_t* minimum,
                                  uint32_t* maximum, uint16_t vendorId, uint16_t productId) = 0;
};

// What the platform tells of its capture devices, for the portable search of the headset's
// microphone (CaptureSearch).
struct DirectSoundCaptureEntry {
    std::u16string description;
    // What DirectSound's enumeration passes as the module: the device's interface path with
    // XP-era drivers, the endpoint ID ("{0.0.1.00000000}.{...}") on Vista and later.
    std::u16string module;
};

struct CaptureEndpointEntry {
    std::u16string id;            // IMMDevice::GetId
    std::u16string friendlyName;  // PKEY_Device_FriendlyName; empty when it cannot be read
    // The ID of the adapter device that connector 0 of the endpoint's topology is connected to
    // (IConnector::GetDeviceIdConnectedTo), which carries the adapter's interface path:
    // "{2}.\\?\usb#vid_3f9c&pid_4712&mi_00#...\global". Empty when it cannot be read.
    std::u16string adapterId;
};

class ICaptureDevices {
public:
    virtual ~ICaptureDevices() = default;

    // DirectSound's capture enumeration, in its order.
    virtual std::vector<DirectSoundCaptureEntry> DirectSoundCaptureDevices() = 0;
    // The active capture endpoints in Core Audio's order; none where Core Audio is missing.
    virtual std::vector<CaptureEndpointEntry> ActiveCaptureEndpoints() = 0;
    // The endpoint of that ID (IMMDeviceEnumerator::GetDevice), or null.
    virtual std::unique_ptr<ICaptureEndpoint> OpenEndpoint(const std::u16string& id) = 0;
    // One control of the wave-in mixer line whose target name agrees with description (over the
    // shorter length, in any case): 1 done, 0 failed, also for an empty description.
    virtual uint32_t MixerControlByDescription(MixerControlKind kind, uint32_t* value,
                                               uint32_t* minimum, uint32_t* maximum,
                                               const std::u16string& description) = 0;
};

// A wave-input device as winmm tells of it, for finding the headset's microphone among them.
struct WaveInDeviceEntry {
    // DRV_QUERYFUNCTIONINSTANCEID: the ID of the device's capture endpoint (Vista and later);
    // empty where it cannot be read.
    std::u16string endpointId;
    // DRV_QUERYDEVICEINTERFACE: the device's interface path; empty where it cannot be read.
    std::u16string interfacePath;
};

// The level meter's capture stream: 8 kHz, 8-bit mono PCM, in two 400-byte buffers reported to
// the main window as they fill.
class IWaveInput {
public:
    virtual ~IWaveInput() = default;

    static constexpr uint32_t kBufferSize = 400;
    // WAVE_MAPPER: the default recording device, whichever it is.
    static constexpr int kDefaultDevice = -1;

    // winmm's wave-input devices, in device-number order.
    virtual std::vector<WaveInDeviceEntry> Devices() = 0;
    // waveInOpen of a device number (or kDefaultDevice), both buffers prepared and queued,
    // waveInStart; false when the open fails.
    virtual bool Start(int device) = 0;
    // waveInStop, waveInReset, waveInClose; the buffers are freed.
    virtual void Stop() = 0;
    virtual bool IsOpen() const = 0;
    // Hands a filled buffer back to the stream.
    virtual void Requeue(int buffer) = 0;
};

// Port: the Windows version, for choosing Core Audio or the mixer.
struct OsVersionInfo {
    uint32_t platformId = 0;
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
};

class IOsVersion {
public:
    virtual ~IOsVersion() = default;

    // GetVersionExW, first with the extended record, then with the basic one; false if both fail.
    virtual bool GetVersion(OsVersionInfo& info) = 0;
};

// A change to the headset's microphone that the platform announced: made by another program,
// the headset's own button or the panel itself (the platform cannot always tell).
enum class MicChange : uint32_t {
    Controls = 1,       // volume or mute of the endpoint, or a control of the mixer line
    Removed = 2,        // the watched endpoint went away
    DefaultDevice = 3,  // the default capture device changed
};

struct MicNotice {
    MicChange change = MicChange::Controls;
    // The values the endpoint's notification carries; the mixer's and the device notifications
    // carry none.
    bool valuesKnown = false;
    int32_t mute = 0;
    uint32_t level = 0;  // 0-100
};

// A notice as it travels in a posted window message, and back.
uint32_t PackMicNotice(const MicNotice& notice);
MicNotice UnpackMicNotice(uint32_t change, uint32_t packed);

// Watches the headset's microphone for changes made elsewhere. The platform calls back on threads
// of its own: the callbacks only post a notice to the main window, which reads the microphone
// again on its own thread.
class IMicWatch {
public:
    virtual ~IMicWatch() = default;

    // Registers for the changes of the capture endpoint of that ID (Core Audio) or, with an empty
    // ID, of the headset's wave-in mixer line (vendor and product ID). A watch already running is
    // stopped first. False when nothing could be registered.
    virtual bool Start(const std::u16string& endpointId, uint16_t vendorId, uint16_t productId) = 0;
    // Unregisters before anything it holds is released: once it returns, no callback runs into
    // the watch. Notices already posted may still arrive.
    virtual void Stop() = 0;
    virtual bool Watching() const = 0;
};
