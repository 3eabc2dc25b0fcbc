// The level meter's capture stream: two 400-byte buffers that a test fills and hands to the
// window, as MM_WIM_DATA would.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "SimTrace.h"
#include "ports/AudioEndpoint.h"

class SimMicrophone;

class SimWaveInput : public IWaveInput {
public:
    explicit SimWaveInput(std::shared_ptr<SimTrace> trace) : trace_(std::move(trace)) {}

    // The devices are the machine's microphone (0) and the headset's (1), as microphone lists
    // them.
    void ListDevicesOf(const SimMicrophone& microphone) { microphone_ = &microphone; }
    std::vector<WaveInDeviceEntry> Devices() override;
    // Trace "WAVE START" (or "WAVE START-FAIL"), "WAVE STOP", "WAVE REQUEUE n". The headset's
    // device cannot be opened while it is unplugged; the default device is the headset's unless
    // defaultIsMachineMicrophone.
    bool Start(int device) override;
    void Stop() override;
    bool IsOpen() const override { return streams_ > 0; }
    void Requeue(int buffer) override;

    // The oldest queued buffer, filled with samples (cut or padded with silence to 400 bytes),
    // taken off the queue and passed to onData; traces "WAVE DATA n". -1 when no buffer is queued
    // or the headset the stream records from is unplugged.
    int Deliver(const std::vector<uint8_t>& samples);
    std::function<void(int buffer, const uint8_t* samples, uint32_t size)> onData;

    bool IsQueued(int buffer) const;
    // Streams open at once: more than 1 means a stream was opened over a running one.
    int OpenStreams() const { return streams_; }
    int StartCount() const { return starts_; }

    // Whether the open stream records the headset's microphone (not the machine's).
    bool RecordsHeadset() const { return streams_ > 0 && recordsHeadset_; }

    // waveInOpen fails.
    bool failOpen = false;
    // The machine's own microphone is the default recording device.
    bool defaultIsMachineMicrophone = false;
    void SetPlugged(bool plugged) { plugged_ = plugged; }

private:
    std::shared_ptr<SimTrace> trace_;
    std::deque<int> queue_;
    int streams_ = 0;
    int starts_ = 0;
    bool plugged_ = true;
    bool recordsHeadset_ = false;
    const SimMicrophone* microphone_ = nullptr;
};
