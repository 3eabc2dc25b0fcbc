#include "WaveInputWin32.h"

namespace {

#if defined(_M_IX86) || defined(__i386__)
static_assert(sizeof(WAVEHDR) == 32, "the 32-bit wave header");
#endif

constexpr DWORD kSampleRate = 8000;

}  // namespace

bool WaveInputWin32::Start() {
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
    if (waveInOpen(&wave, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window_), 0,
                   CALLBACK_WINDOW) != MMSYSERR_NOERROR)
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
