#include "SimWaveInput.h"

#include <algorithm>
#include <string>

#include "SimMicrophone.h"

namespace {
constexpr int kMachineMicrophone = 0;
constexpr int kHeadsetMicrophone = 1;
}  // namespace

std::vector<WaveInDeviceEntry> SimWaveInput::Devices() {
    return microphone_ ? microphone_->WaveInDevices() : std::vector<WaveInDeviceEntry>{};
}

bool SimWaveInput::Start(int device) {
    ++starts_;
    if (device == kDefaultDevice)
        device = defaultIsMachineMicrophone ? kMachineMicrophone : kHeadsetMicrophone;
    // Without the headset there is no device 1, and then no default device of its own either.
    const bool opens = device == kMachineMicrophone || (device == kHeadsetMicrophone && plugged_);
    if (failOpen || !opens) {
        trace_->Add("WAVE START-FAIL");
        return false;
    }
    recordsHeadset_ = device == kHeadsetMicrophone;
    ++streams_;
    queue_.clear();
    queue_.push_back(0);
    queue_.push_back(1);
    trace_->Add("WAVE START");
    return true;
}

void SimWaveInput::Stop() {
    if (streams_ == 0)
        return;
    --streams_;
    queue_.clear();
    trace_->Add("WAVE STOP");
}

void SimWaveInput::Requeue(int buffer) {
    if (streams_ == 0 || (buffer != 0 && buffer != 1) || IsQueued(buffer))
        return;
    queue_.push_back(buffer);
    trace_->Add("WAVE REQUEUE " + std::to_string(buffer));
}

int SimWaveInput::Deliver(const std::vector<uint8_t>& samples) {
    if (queue_.empty() || (recordsHeadset_ && !plugged_))
        return -1;
    const int buffer = queue_.front();
    queue_.pop_front();
    std::vector<uint8_t> filled(kBufferSize, 0x80);
    std::copy_n(samples.begin(), std::min<size_t>(samples.size(), kBufferSize), filled.begin());
    trace_->Add("WAVE DATA " + std::to_string(buffer));
    if (onData)
        onData(buffer, filled.data(), kBufferSize);
    return buffer;
}

bool SimWaveInput::IsQueued(int buffer) const {
    return std::find(queue_.begin(), queue_.end(), buffer) != queue_.end();
}
