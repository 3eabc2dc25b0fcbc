#include "WaveInputWin32.h"

#include <cwchar>

#include "WideText.h"

namespace {

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(WAVEHDR) == 32, "the 32-bit wave header");
#endif

constexpr DWORD kSampleRate = 8000;

// Messages that winmm answers itself for any device (mmddk.h).
constexpr UINT kQueryDeviceInterfaceSize = DRV_RESERVED + 13;
constexpr UINT kQueryDeviceInterface = DRV_RESERVED + 12;
constexpr UINT kQueryFunctionInstanceIdSize = DRV_RESERVED + 18;
constexpr UINT kQueryFunctionInstanceId = DRV_RESERVED + 17;

// Endpoint IDs and interface paths are far shorter.
constexpr ULONG kLongestDeviceString = 8192;

// A wide string that winmm gives for a device: its size in bytes first, then the text; empty
// where the message is not known (before Vista for the endpoint ID) or fails.
std::u16string DeviceString(UINT device, UINT sizeMessage, UINT textMessage) {
    const HWAVEIN id = reinterpret_cast<HWAVEIN>(static_cast<UINT_PTR>(device));
    ULONG bytes = 0;
    if (waveInMessage(id, sizeMessage, reinterpret_cast<DWORD_PTR>(&bytes), 0) !=
            MMSYSERR_NOERROR ||
        bytes < sizeof(wchar_t) || bytes > kLongestDeviceString)
        return std::u16string();
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (waveInMessage(id, textMessage, reinterpret_cast<DWORD_PTR>(text.data()), bytes) !=
        MMSYSERR_NOERROR)
        return std::u16string();
    return U16(text.data(), wcsnlen(text.data(), text.size()));
}

}  // namespace

std::vector<WaveInDeviceEntry> WaveInputWin32::Devices() {
    std::vector<WaveInDeviceEntry> devices;
    const UINT count = waveInGetNumDevs();
    for (UINT device = 0; device < count; ++device) {
        devices.push_back(
            {DeviceString(device, kQueryFunctionInstanceIdSize, kQueryFunctionInstanceId),
             DeviceString(device, kQueryDeviceInterfaceSize, kQueryDeviceInterface)});
    }
    return devices;
}

bool WaveInputWin32::Start(int device) {
    // A second open would lose the first stream's handle.
    Stop();
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.nAvgBytesPerSec = kSampleRate;
    format.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    format.cbSize = 0;
    HWAVEIN wave = nullptr;
    const UINT id = device == kDefaultDevice ? WAVE_MAPPER : static_cast<UINT>(device);
    if (waveInOpen(&wave, id, &format, reinterpret_cast<DWORD_PTR>(window_), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR)
        return false;
    wave_ = wave;
    for (int i = 0; i < kBufferCount; ++i) {
        headers_[i] = WAVEHDR{};
        headers_[i].lpData = reinterpret_cast<LPSTR>(buffers_[i].data());
        headers_[i].dwBufferLength = kBufferSize;
        headers_[i].dwLoops = 1;
        waveInPrepareHeader(wave_, &headers_[i], sizeof(WAVEHDR));
    }
    for (WAVEHDR& header : headers_)
        waveInAddBuffer(wave_, &header, sizeof(WAVEHDR));
    waveInStart(wave_);
    return true;
}

void WaveInputWin32::Stop() {
    if (!wave_)
        return;
    waveInStop(wave_);
    // Reset hands back the queued buffers; only then may they be unprepared and the stream closed.
    waveInReset(wave_);
    for (WAVEHDR& header : headers_) {
        if (header.dwFlags & WHDR_PREPARED)
            waveInUnprepareHeader(wave_, &header, sizeof(WAVEHDR));
    }
    waveInClose(wave_);
    wave_ = nullptr;
    headers_ = {};
}

void WaveInputWin32::Requeue(int buffer) {
    if (!wave_ || buffer < 0 || buffer >= kBufferCount)
        return;
    WAVEHDR& header = headers_[buffer];
    if (!(header.dwFlags & WHDR_DONE) || (header.dwFlags & WHDR_INQUEUE))
        return;
    waveInAddBuffer(wave_, &header, sizeof(WAVEHDR));
}

int WaveInputWin32::BufferOf(LPARAM header) const {
    for (int i = 0; i < kBufferCount; ++i) {
        if (reinterpret_cast<LPARAM>(&headers_[i]) == header && (headers_[i].dwFlags & WHDR_DONE) &&
            !(headers_[i].dwFlags & WHDR_INQUEUE))
            return i;
    }
    return -1;
}
