#include <windows.h>
#include <devicetopology.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <propidl.h>

#include <vector>

#include "AudioEndpointsWin32.h"
#include "ComPtr.h"
#include "WideText.h"

namespace {

const CLSID kClsidMMDeviceEnumerator = {
    0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
const IID kIidMMDeviceEnumerator = {
    0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
const IID kIidAudioEndpointVolume = {
    0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
const IID kIidDeviceTopology = {
    0x2A07407E, 0x6497, 0x4A18, {0x97, 0x87, 0x32, 0xF7, 0x9B, 0xD0, 0xD9, 0x8F}};
const IID kIidPart = {0xAE2DE0E4, 0x5BCA, 0x4F2D, {0xAA, 0x46, 0x5D, 0x13, 0xF8, 0xFD, 0xB3, 0xA9}};
const IID kIidAudioAutoGainControl = {
    0x85401FD4, 0x6DE4, 0x4B9D, {0x98, 0x69, 0x2D, 0x67, 0x53, 0xA8, 0x2F, 0x3C}};
const PROPERTYKEY kDeviceFriendlyName = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};

// IAudioAutoGainControl as Windows lays out its table: mingw-w64's devicetopology.h declares
// the two methods with the wrong signatures, which would call through the wrong slots.
struct AutoGainControl : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL enable, LPCGUID eventContext) = 0;
};

// Steps of the walk to the automatic gain control; the code says which one failed.
enum : uint32_t {
    BOOST_NO_ENUMERATOR = 2,
    BOOST_NO_TOPOLOGY = 3,
    BOOST_NO_CONNECTOR = 4,
    BOOST_NO_CONNECTED_ID = 5,
    BOOST_NO_CONNECTED_DEVICE = 6,
    BOOST_NO_CONNECTED_TOPOLOGY = 7,
    BOOST_NO_SUBUNIT_COUNT = 8,
    BOOST_NO_SUBUNIT = 9,
    BOOST_NO_PART = 10,
};

class PropVariant {
public:
    PropVariant() { PropVariantInit(&value_); }
    ~PropVariant() { PropVariantClear(&value_); }
    PropVariant(const PropVariant&) = delete;
    PropVariant& operator=(const PropVariant&) = delete;
    PROPVARIANT* Put() { return &value_; }
    const PROPVARIANT& Get() const { return value_; }

private:
    PROPVARIANT value_;
};

ComPtr<IMMDeviceEnumerator> CreateDeviceEnumerator() {
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CoCreateInstance(kClsidMMDeviceEnumerator, nullptr, CLSCTX_ALL,
                                kIidMMDeviceEnumerator, enumerator.PutVoid())))
        enumerator.Reset();
    return enumerator;
}

class CaptureEndpointWin32 : public ICaptureEndpoint {
public:
    CaptureEndpointWin32(ComPtr<IMMDevice> device, std::u16string id)
        : device_(std::move(device)), id_(std::move(id)) {}

    std::u16string Id() const override { return id_; }

    uint32_t GetVolumeStepInfo(uint32_t* step, uint32_t* stepCount) override {
        const ComInit com;
        const ComPtr<IAudioEndpointVolume> volume = ActivateVolume();
        if (!volume)
            return MIC_VOLUME_NOT_OBTAINED;
        UINT current = 0;
        UINT count = 0;
        if (FAILED(volume->GetVolumeStepInfo(&current, &count)))
            return MIC_STEP_INFO_NOT_READ;
        *step = current;
        *stepCount = count;
        return MIC_OK;
    }

    uint32_t SetMasterVolumeLevelScalar(float level) override {
        const ComInit com;
        const ComPtr<IAudioEndpointVolume> volume = ActivateVolume();
        if (!volume)
            return MIC_VOLUME_NOT_OBTAINED;
        const GUID noContext{};
        volume->SetMasterVolumeLevelScalar(level, &noContext);
        return MIC_OK;
    }

    uint32_t GetMute(int32_t* mute) override {
        const ComInit com;
        const ComPtr<IAudioEndpointVolume> volume = ActivateVolume();
        if (!volume)
            return MIC_VOLUME_NOT_OBTAINED;
        BOOL value = FALSE;
        const HRESULT result = volume->GetMute(&value);
        if (SUCCEEDED(result))
            *mute = value;
        return static_cast<uint32_t>(result);
    }

    uint32_t SetMute(int32_t mute) override {
        const ComInit com;
        const ComPtr<IAudioEndpointVolume> volume = ActivateVolume();
        if (!volume)
            return MIC_VOLUME_NOT_OBTAINED;
        const GUID noContext{};
        return static_cast<uint32_t>(volume->SetMute(mute, &noContext));
    }

    uint32_t GetAutoGainControl(int32_t* enabled) override {
        return WalkToAutoGainControl([enabled](AutoGainControl& control) {
            BOOL value = FALSE;
            const HRESULT result = control.GetEnabled(&value);
            if (SUCCEEDED(result))
                *enabled = value;
            return result;
        });
    }

    uint32_t SetAutoGainControl(int32_t enabled) override {
        return WalkToAutoGainControl(
            [enabled](AutoGainControl& control) { return control.SetEnabled(enabled, nullptr); });
    }

private:
    ComPtr<IAudioEndpointVolume> ActivateVolume() {
        ComPtr<IAudioEndpointVolume> volume;
        if (FAILED(
                device_->Activate(kIidAudioEndpointVolume, CLSCTX_ALL, nullptr, volume.PutVoid())))
            volume.Reset();
        return volume;
    }

    // The microphone's gain control sits on the device at the other end of the endpoint's
    // connector, not on the endpoint itself.
    template <typename Use>
    uint32_t WalkToAutoGainControl(Use use) {
        const ComInit com;
        const ComPtr<IMMDeviceEnumerator> enumerator = CreateDeviceEnumerator();
        if (!enumerator)
            return BOOST_NO_ENUMERATOR;
        ComPtr<IDeviceTopology> topology;
        if (FAILED(device_->Activate(kIidDeviceTopology, CLSCTX_ALL, nullptr, topology.PutVoid())))
            return BOOST_NO_TOPOLOGY;
        ComPtr<IConnector> connector;
        if (FAILED(topology->GetConnector(0, connector.Put())))
            return BOOST_NO_CONNECTOR;
        LPWSTR rawId = nullptr;
        if (FAILED(connector->GetDeviceIdConnectedTo(&rawId)))
            return BOOST_NO_CONNECTED_ID;
        const UniqueCoTaskString connectedId(rawId);
        ComPtr<IMMDevice> connected;
        if (FAILED(enumerator->GetDevice(connectedId.get(), connected.Put())))
            return BOOST_NO_CONNECTED_DEVICE;
        ComPtr<IDeviceTopology> connectedTopology;
        if (FAILED(connected->Activate(kIidDeviceTopology, CLSCTX_ALL, nullptr,
                                       connectedTopology.PutVoid())))
            return BOOST_NO_CONNECTED_TOPOLOGY;
        UINT subunits = 0;
        if (FAILED(connectedTopology->GetSubunitCount(&subunits)))
            return BOOST_NO_SUBUNIT_COUNT;

        HRESULT last = S_OK;
        for (UINT index = 0; index < subunits; ++index) {
            ComPtr<ISubUnit> subunit;
            if (FAILED(connectedTopology->GetSubunit(index, subunit.Put())))
                return BOOST_NO_SUBUNIT;
            ComPtr<IPart> part;
            if (FAILED(subunit->QueryInterface(kIidPart, part.PutVoid())))
                return BOOST_NO_PART;
            ComPtr<AutoGainControl> control;
            last = part->Activate(CLSCTX_ALL, kIidAudioAutoGainControl, control.PutVoid());
            if (last == S_OK) {
                last = use(*control.Get());
                break;
            }
        }
        return static_cast<uint32_t>(last);
    }

    // Declared first so that COM stays initialised until the device is released.
    ComInit com_;
    ComPtr<IMMDevice> device_;
    std::u16string id_;
};

// False when the name cannot be read; a name of another type reads as empty.
bool ReadFriendlyName(IMMDevice& device, std::u16string& text) {
    ComPtr<IPropertyStore> store;
    if (FAILED(device.OpenPropertyStore(STGM_READ, store.Put())))
        return false;
    PropVariant name;
    if (FAILED(store->GetValue(kDeviceFriendlyName, name.Put())))
        return false;
    const PROPVARIANT& value = name.Get();
    text = value.vt == VT_LPWSTR && value.pwszVal ? U16(value.pwszVal) : std::u16string();
    return true;
}

// The device that the endpoint's connector leads to: the adapter, named by its interface path.
std::u16string AdapterId(IMMDevice& device) {
    ComPtr<IDeviceTopology> topology;
    if (FAILED(device.Activate(kIidDeviceTopology, CLSCTX_ALL, nullptr, topology.PutVoid())))
        return std::u16string();
    ComPtr<IConnector> connector;
    if (FAILED(topology->GetConnector(0, connector.Put())))
        return std::u16string();
    LPWSTR rawId = nullptr;
    if (FAILED(connector->GetDeviceIdConnectedTo(&rawId)) || !rawId)
        return std::u16string();
    const UniqueCoTaskString id(rawId);
    return U16(id.get());
}

}  // namespace

std::vector<CaptureEndpointEntry> ActiveCaptureEndpointsWin32() {
    std::vector<CaptureEndpointEntry> endpoints;
    const ComInit com;
    const ComPtr<IMMDeviceEnumerator> enumerator = CreateDeviceEnumerator();
    if (!enumerator)
        return endpoints;
    ComPtr<IMMDeviceCollection> collection;
    if (FAILED(enumerator->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, collection.Put())))
        return endpoints;
    UINT count = 0;
    if (FAILED(collection->GetCount(&count)))
        return endpoints;
    // A failing call ends the list where it is: a search that had not found its endpoint before
    // it finds none, as the search by name always did. Only the adapter may stay unknown.
    for (UINT index = 0; index < count; ++index) {
        ComPtr<IMMDevice> device;
        if (FAILED(collection->Item(index, device.Put())))
            break;
        LPWSTR rawId = nullptr;
        if (FAILED(device->GetId(&rawId)) || !rawId)
            break;
        const UniqueCoTaskString id(rawId);
        std::u16string name;
        if (!ReadFriendlyName(*device.Get(), name))
            break;
        endpoints.push_back({U16(id.get()), std::move(name), AdapterId(*device.Get())});
    }
    return endpoints;
}

std::unique_ptr<ICaptureEndpoint> OpenCaptureEndpointWin32(const std::u16string& id) {
    if (id.empty())
        return nullptr;
    const ComInit com;
    const ComPtr<IMMDeviceEnumerator> enumerator = CreateDeviceEnumerator();
    if (!enumerator)
        return nullptr;
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator->GetDevice(W(id), device.Put())))
        return nullptr;
    return std::make_unique<CaptureEndpointWin32>(std::move(device), id);
}

std::unique_ptr<ICaptureEndpoint> FindCaptureEndpointByDescription(
    const std::u16string& description) {
    const std::vector<CaptureEndpointEntry> endpoints = ActiveCaptureEndpointsWin32();
    const CaptureEndpointEntry* found = EndpointByName(endpoints, description);
    return found ? OpenCaptureEndpointWin32(found->id) : nullptr;
}
