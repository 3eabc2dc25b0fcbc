// The level meter's capture stream through winmm, reporting to a window (MM_WIM_DATA).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <cstdint>
#include <vector>

#include "ports/AudioEndpoint.h"

class WaveInputWin32 final : public IWaveInput {
public:
    // window receives MM_WIM_DATA for every filled buffer.
    explicit WaveInputWin32(HWND window) : window_(window) {}
    ~WaveInputWin32() override { Stop(); }
    // The stream holds the addresses of the buffers and headers.
    WaveInputWin32(const WaveInputWin32&) = delete;
    WaveInputWin32& operator=(const WaveInputWin32&) = delete;

    std::vector<WaveInDeviceEntry> Devices() override;
    bool Start(int device) override;
    void Stop() override;
    bool IsOpen() const override { return wave_ != nullptr; }
    void Requeue(int buffer) override;

    // The buffer an MM_WIM_DATA message (its lParam) reports, or -1 when the message is stale:
    // not one of these headers, or one the stream no longer marks as filled (after Stop, or
    // already queued again).
    int BufferOf(LPARAM header) const;
    // The samples of a buffer (kBufferSize bytes).
    const uint8_t* Samples(int buffer) const { return buffers_[buffer].data(); }

private:
    static constexpr int kBufferCount = 2;

    HWND window_;
    HWAVEIN wave_ = nullptr;
    std::array<std::array<uint8_t, kBufferSize>, kBufferCount> buffers_{};
    std::array<WAVEHDR, kBufferCount> headers_{};
};
