// The microphone's watch on Windows: the capture endpoint's volume callback and the device
// enumerator's notification client (Vista and later), or the legacy mixer opened with the window
// as its callback. Windows calls the COM callbacks on threads of its own: they only post a
// notice to the window. The mixer's MM_MIXM_CONTROL_CHANGE reaches the window by itself.
#pragma once

#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <memory>
#include <string>

#include "ComPtr.h"
#include "ports/AudioEndpoint.h"

class MicCallbackWin32;

class MicWatchWin32 final : public IMicWatch {
public:
    // Notices go to window as message: wParam the MicChange, lParam PackMicNotice.
    MicWatchWin32(HWND window, UINT message);
    ~MicWatchWin32() override;
    MicWatchWin32(const MicWatchWin32&) = delete;
    MicWatchWin32& operator=(const MicWatchWin32&) = delete;

    bool Start(const std::u16string& endpointId, uint16_t vendorId, uint16_t productId) override;
    void Stop() override;
    bool Watching() const override;

    // The endpoint's registration on interfaces already obtained (tests give their own): the
    // volume callback, then, where an enumerator is given, the device notifications. False when
    // the volume's registration fails; nothing is then held.
    bool StartOn(ComPtr<IMMDeviceEnumerator> enumerator, ComPtr<IAudioEndpointVolume> volume,
                 const std::wstring& endpointId);

private:
    bool StartMixer(uint16_t vendorId, uint16_t productId);

    HWND window_;
    UINT message_;
    // COM stays initialised on the window's thread while the interfaces are held.
    std::unique_ptr<ComInit> com_;
    ComPtr<IMMDeviceEnumerator> enumerator_;
    ComPtr<IAudioEndpointVolume> volume_;
    ComPtr<MicCallbackWin32> callback_;
    bool clientRegistered_ = false;
    HMIXER mixer_ = nullptr;
};
