#include "SimHidBus.h"

#include <algorithm>

struct SimHidBus::State {
    explicit State(std::shared_ptr<SimTrace> t) : trace(std::move(t)) {}

    std::shared_ptr<SimTrace> trace;
    SimChip chip;
    SimHidFaults faults;
    uint16_t vendorId = 0x3F9C;
    uint16_t productId = 0x4712;
    uint16_t outputLength = 9;
    uint16_t inputLength = 9;
    bool plugged = true;
    // Bumped by every unplug: a handle opened before it is dead for good.
    uint32_t generation = 0;
    std::vector<std::vector<uint8_t>> sentReports;
    int openHandles = 0;
    int capsQueries = 0;
};

namespace {

// Counts a countdown fault down; true when this is the event it names.
bool CountDown(int& countdown) {
    if (countdown <= 0)
        return false;
    return --countdown == 0;
}

std::string FirstBytes(const uint8_t* report, uint32_t length) {
    return HexBytes(report, std::min<uint32_t>(length, 5), true);
}

class SimHidHandle : public IHidDevice {
public:
    explicit SimHidHandle(std::shared_ptr<SimHidBus::State> state)
        : state_(std::move(state)), generation_(state_->generation) {
        ++state_->openHandles;
    }

    ~SimHidHandle() override {
        --state_->openHandles;
        state_->trace->Add("HID CLOSE");
    }

    bool GetCaps(HidCaps& caps) override {
        ++state_->capsQueries;
        if (!Alive() || state_->faults.capsFail)
            return false;
        caps.outputReportByteLength = state_->outputLength;
        caps.inputReportByteLength = state_->inputLength;
        return true;
    }

    bool SetOutputReport(const uint8_t* report, uint32_t length) override {
        SimHidFaults& faults = state_->faults;
        const bool rejected = CountDown(faults.rejectOutputReport);
        const bool addressRejected = report && faults.rejectAddress && length >= 5 &&
                                     report[1] == 0x60 && report[4] == 0x10 &&
                                     (report[2] | (report[3] << 8)) == *faults.rejectAddress;
        // The class driver takes only reports of the interface's own length.
        if (!report || length == 0 || length != state_->outputLength || !Alive() || rejected ||
            addressRejected) {
            state_->trace->Add(report && length ? "HID SET-FAIL " + FirstBytes(report, length)
                                                : std::string("HID SET-FAIL"));
            return false;
        }
        state_->chip.OnOutputReport(report, length);
        state_->sentReports.emplace_back(report, report + length);
        state_->trace->Add("HID SET " + FirstBytes(report, length));
        return true;
    }

    bool GetInputReport(uint8_t* report, uint32_t length) override {
        SimHidFaults& faults = state_->faults;
        const bool dropped = CountDown(faults.dropInputReport) || faults.dropAllInput;
        if (!report || length == 0 || length != state_->inputLength || !Alive() || dropped) {
            state_->trace->Add("HID GET-FAIL");
            return false;
        }
        state_->chip.FillInputReport(report, length);
        state_->trace->Add("HID GET " + FirstBytes(report, length));
        return true;
    }

private:
    bool Alive() const { return state_->plugged && state_->generation == generation_; }

    std::shared_ptr<SimHidBus::State> state_;
    uint32_t generation_;
};

}  // namespace

SimHidBus::SimHidBus(std::shared_ptr<SimTrace> trace)
    : state_(std::make_shared<State>(std::move(trace))) {}

SimHidBus::~SimHidBus() = default;

std::unique_ptr<IHidDevice> SimHidBus::OpenHidDevice(uint16_t vendorId, uint16_t productId) {
    const std::string ids = HexIds(vendorId, productId);
    if (!state_->plugged || state_->faults.openFail || vendorId != state_->vendorId ||
        productId != state_->productId) {
        state_->trace->Add("HID OPEN-FAIL " + ids);
        return nullptr;
    }
    state_->trace->Add("HID OPEN " + ids);
    return std::make_unique<SimHidHandle>(state_);
}

SimChip& SimHidBus::Chip() {
    return state_->chip;
}
SimHidFaults& SimHidBus::Faults() {
    return state_->faults;
}

void SimHidBus::SetIds(uint16_t vendorId, uint16_t productId) {
    state_->vendorId = vendorId;
    state_->productId = productId;
}

uint16_t SimHidBus::VendorId() const {
    return state_->vendorId;
}
uint16_t SimHidBus::ProductId() const {
    return state_->productId;
}

void SimHidBus::SetReportLengths(uint16_t outputLength, uint16_t inputLength) {
    state_->outputLength = outputLength;
    state_->inputLength = inputLength;
}

void SimHidBus::SetPlugged(bool plugged) {
    if (state_->plugged && !plugged)
        ++state_->generation;
    state_->plugged = plugged;
}

bool SimHidBus::IsPlugged() const {
    return state_->plugged;
}
const std::vector<std::vector<uint8_t>>& SimHidBus::SentReports() const {
    return state_->sentReports;
}

void SimHidBus::ClearSentReports() {
    state_->sentReports.clear();
}

int SimHidBus::OpenHandles() const {
    return state_->openHandles;
}
int SimHidBus::CapsQueries() const {
    return state_->capsQueries;
}
