#include "MicWatchWin32.h"

#include <atomic>
#include <cmath>

#include "AudioEndpointsWin32.h"
#include "CaptureSearch.h"
#include "WideText.h"

// One COM object for both callbacks. Windows holds its own references while it is registered, so
// its life is counted, not owned; it touches nothing but the window handle and its own ID.
class MicCallbackWin32 final : public IAudioEndpointVolumeCallback, public IMMNotificationClient {
public:
    MicCallbackWin32(HWND window, UINT message, std::wstring endpointId)
        : window_(window), message_(message), endpointId_(std::move(endpointId)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IAudioEndpointVolumeCallback)) {
            *object = static_cast<IAudioEndpointVolumeCallback*>(this);
        } else if (iid == __uuidof(IMMNotificationClient)) {
            *object = static_cast<IMMNotificationClient*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE OnNotify(AUDIO_VOLUME_NOTIFICATION_DATA* data) override {
        if (!data) {
            return E_POINTER;
        }
        MicNotice notice;
        notice.valuesKnown = true;
        notice.mute = data->bMuted ? 1 : 0;
        const float scalar = data->fMasterVolume < 0.0f   ? 0.0f
                             : data->fMasterVolume > 1.0f ? 1.0f
                                                          : data->fMasterVolume;
        notice.level = static_cast<uint32_t>(std::lround(scalar * 100.0f));
        Post(notice);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR id, DWORD state) override {
        if (state != DEVICE_STATE_ACTIVE && IsOurs(id)) {
            Post(MicNotice{MicChange::Removed});
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR id) override {
        if (IsOurs(id)) {
            Post(MicNotice{MicChange::Removed});
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
        if (flow == eCapture && role == eConsole) {
            Post(MicNotice{MicChange::DefaultDevice});
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override {
        return S_OK;
    }

private:
    ~MicCallbackWin32() = default;

    bool IsOurs(LPCWSTR id) const { return id && _wcsicmp(id, endpointId_.c_str()) == 0; }
    // A window already gone makes the post fail; nothing else is touched.
    void Post(const MicNotice& notice) {
        PostMessageW(window_, message_, static_cast<WPARAM>(notice.change),
                     static_cast<LPARAM>(PackMicNotice(notice)));
    }

    std::atomic<ULONG> references_{1};
    const HWND window_;
    const UINT message_;
    const std::wstring endpointId_;
};

MicWatchWin32::MicWatchWin32(HWND window, UINT message) : window_(window), message_(message) {}

MicWatchWin32::~MicWatchWin32() {
    Stop();
}

bool MicWatchWin32::Watching() const {
    return volume_ || mixer_;
}

bool MicWatchWin32::Start(const std::u16string& endpointId, uint16_t vendorId, uint16_t productId) {
    Stop();
    if (endpointId.empty()) {
        return StartMixer(vendorId, productId);
    }
    auto com = std::make_unique<ComInit>();
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator), enumerator.PutVoid()))) {
        return false;
    }
    ComPtr<IMMDevice> device;
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(enumerator->GetDevice(W(endpointId), device.Put())) ||
        FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                volume.PutVoid()))) {
        return false;
    }
    com_ = std::move(com);
    if (!StartOn(std::move(enumerator), std::move(volume),
                 std::wstring(endpointId.begin(), endpointId.end()))) {
        com_.reset();
        return false;
    }
    return true;
}

bool MicWatchWin32::StartOn(ComPtr<IMMDeviceEnumerator> enumerator,
                            ComPtr<IAudioEndpointVolume> volume, const std::wstring& endpointId) {
    if (!volume) {
        return false;
    }
    ComPtr<MicCallbackWin32> callback;
    *callback.Put() = new MicCallbackWin32(window_, message_, endpointId);
    if (FAILED(volume->RegisterControlChangeNotify(callback.Get()))) {
        return false;
    }
    volume_ = std::move(volume);
    callback_ = std::move(callback);
    if (enumerator) {
        clientRegistered_ =
            SUCCEEDED(enumerator->RegisterEndpointNotificationCallback(callback_.Get()));
        enumerator_ = std::move(enumerator);
    }
    return true;
}

bool MicWatchWin32::StartMixer(uint16_t vendorId, uint16_t productId) {
    const std::u16string description =
        FindCaptureDescriptionByPrefix(CapturePathPrefix(vendorId, productId));
    const int index = MixerIndexByDescription(description);
    if (index < 0) {
        return false;
    }
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, static_cast<UINT>(index), reinterpret_cast<DWORD_PTR>(window_), 0,
                  CALLBACK_WINDOW | MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        return false;
    }
    mixer_ = mixer;
    return true;
}

void MicWatchWin32::Stop() {
    // Unregistered first: once Windows lets go of the callback, nothing calls into it, and only
    // then are the interfaces it was registered on released.
    if (volume_ && callback_) {
        volume_->UnregisterControlChangeNotify(callback_.Get());
    }
    if (enumerator_ && clientRegistered_) {
        enumerator_->UnregisterEndpointNotificationCallback(callback_.Get());
    }
    clientRegistered_ = false;
    volume_.Reset();
    enumerator_.Reset();
    callback_.Reset();
    com_.reset();
    if (mixer_) {
        mixerClose(mixer_);
        mixer_ = nullptr;
    }
}
