#include "SimExtDriver.h"

#include <cstdio>
#include <cstring>

const char16_t kSimExtDriverPath[] = u"\\\\.\\Class#UsbAudioExtension&3F9C&00";

struct SimExtDriver::State {
    explicit State(std::shared_ptr<SimTrace> t) : trace(std::move(t)) {}

    std::shared_ptr<SimTrace> trace;
    SimDriverFaults faults;
    bool plugged = true;
    std::vector<SimDriverCommand> commands;
    uint32_t effect = 0;
    uint32_t speakersEnabled = 0;
    std::array<float, 16> speakers{};
    uint32_t parameterValue = 0;
    uint32_t statusValue = 0;
    int openHandles = 0;
};

namespace {

enum : uint32_t {
    kQueryParameter = 0x00223028,
    kSelectEffect = 0x002230F0,
    kSetSpeakers = 0x00223140,
    kQueryStatus = 0x00223190,
};

uint32_t U32(const std::vector<uint8_t>& bytes, size_t offset) {
    if (offset + 4 > bytes.size())
        return 0;
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

float F32(const std::vector<uint8_t>& bytes, size_t offset) {
    const uint32_t bits = U32(bytes, offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void PutU32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

class SimDriverHandle : public IDriverHandle {
public:
    explicit SimDriverHandle(std::shared_ptr<SimExtDriver::State> state)
        : state_(std::move(state)) {
        ++state_->openHandles;
    }
    ~SimDriverHandle() override { --state_->openHandles; }

    bool DeviceIoControl(uint32_t code, const void* in, uint32_t inSize, void* out,
                         uint32_t outSize, uint32_t* returned) override {
        if (returned)
            *returned = 0;
        SimDriverCommand command;
        command.code = code;
        if (in && inSize)
            command.input.assign(static_cast<const uint8_t*>(in),
                                 static_cast<const uint8_t*>(in) + inSize);
        command.outputSize = out ? outSize : 0;

        SimDriverFaults& faults = state_->faults;
        bool ok = faults.rejectCommand <= 0 || --faults.rejectCommand != 0;
        ok = ok && state_->plugged && Execute(command, static_cast<uint8_t*>(out), returned);
        command.rejected = !ok;

        state_->trace->Add(DriverCommandLine(code, command.input.data(), command.input.size(), ok));
        if (state_->trace->KeepsRecords())
            state_->commands.push_back(std::move(command));
        return ok;
    }

private:
    // What the driver does with a well-formed command; false for one it refuses.
    bool Execute(const SimDriverCommand& command, uint8_t* out, uint32_t* returned) {
        const std::vector<uint8_t>& input = command.input;
        switch (command.code) {
            case kQueryParameter:
            case kQueryStatus: {
                if (input.size() < 8 || !out || command.outputSize < 8)
                    return false;
                const bool parameter = command.code == kQueryParameter;
                if (parameter && state_->faults.queryParameterReturnsNothing)
                    return true;
                std::memcpy(out, input.data(), 8);
                PutU32(out + 4, parameter ? state_->parameterValue : state_->statusValue);
                if (returned)
                    *returned = 8;
                return true;
            }
            case kSelectEffect:
                if (input.size() < 8 || U32(input, 4) > 4)
                    return false;
                state_->effect = U32(input, 4);
                if (out && command.outputSize >= 8 && returned)
                    *returned = 8;
                return true;
            case kSetSpeakers:
                if (input.size() < 72 || U32(input, 4) > 1)
                    return false;
                state_->speakersEnabled = U32(input, 4);
                for (size_t i = 0; i < 16; ++i)
                    state_->speakers[i] = F32(input, 8 + 4 * i);
                return true;
            default:
                return false;
        }
    }

    std::shared_ptr<SimExtDriver::State> state_;
};

bool SamePath(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

SimExtDriver::SimExtDriver(std::shared_ptr<SimTrace> trace)
    : state_(std::make_shared<State>(std::move(trace))) {}

SimExtDriver::~SimExtDriver() = default;

std::unique_ptr<IDriverHandle> SimExtDriver::Open(const std::u16string& devicePath) {
    if (!state_->plugged || state_->faults.absent || !SamePath(devicePath, kSimExtDriverPath)) {
        state_->trace->Add("DRV OPEN-FAIL");
        return nullptr;
    }
    return std::make_unique<SimDriverHandle>(state_);
}

SimDriverFaults& SimExtDriver::Faults() {
    return state_->faults;
}
int SimExtDriver::OpenHandles() const {
    return state_->openHandles;
}
void SimExtDriver::SetPlugged(bool plugged) {
    state_->plugged = plugged;
}
const std::vector<SimDriverCommand>& SimExtDriver::Commands() const {
    return state_->commands;
}
void SimExtDriver::ClearCommands() {
    state_->commands.clear();
}
uint32_t SimExtDriver::Effect() const {
    return state_->effect;
}
uint32_t SimExtDriver::SpeakersEnabled() const {
    return state_->speakersEnabled;
}
const std::array<float, 16>& SimExtDriver::SpeakerTable() const {
    return state_->speakers;
}

void SimExtDriver::SetQueryValues(uint32_t parameterValue, uint32_t statusValue) {
    state_->parameterValue = parameterValue;
    state_->statusValue = statusValue;
}
