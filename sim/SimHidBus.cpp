#include "SimHidBus.h"

#include <algorithm>

#include "HidSelection.h"

struct SimHidBus::State {
    explicit State(std::shared_ptr<SimTrace> t) : trace(std::move(t)) {}

    std::shared_ptr<SimTrace> trace;
    SimChip chip;
    SimHidFaults faults;
    uint16_t vendorId = 0x3F9C;
    uint16_t productId = 0x4712;
    uint16_t outputLength = 9;
    uint16_t inputLength = 9;
    // The headset's other collection with the same IDs: an indicator whose reports are too short
    // for a command. It is enumerated first.
    bool indicatorPresent = true;
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

constexpr uint16_t kIndicatorOutputLength = 2;
constexpr uint16_t kIndicatorInputLength = 3;

class SimHidHandle : public IHidDevice {
public:
    SimHidHandle(std::shared_ptr<SimHidBus::State> state, bool indicator)
        : state_(std::move(state)), generation_(state_->generation), indicator_(indicator) {}

    ~SimHidHandle() override {
        if (!handedOut_)
            return;
        --state_->openHandles;
        state_->trace->Add("HID CLOSE");
    }

    // The handle the open returns: counted and traced from now on. The search's other handles
    // are closed unseen.
    void HandOut() {
        handedOut_ = true;
        ++state_->openHandles;
    }

    bool GetCaps(HidCaps& caps) override {
        ++state_->capsQueries;
        if (!Alive() || state_->faults.capsFail)
            return false;
        caps.outputReportByteLength = OutputLength();
        caps.inputReportByteLength = indicator_ ? kIndicatorInputLength : state_->inputLength;
        return true;
    }

    bool SetOutputReport(const uint8_t* report, uint32_t length) override {
        SimHidFaults& faults = state_->faults;
        const bool rejected = CountDown(faults.rejectOutputReport);
        const bool addressRejected = report && faults.rejectAddress && length >= 5 &&
                                     report[1] == 0x60 && report[4] == 0x10 &&
                                     (report[2] | (report[3] << 8)) == *faults.rejectAddress;
        // The class driver takes only reports of the interface's own length.
        if (!report || length == 0 || length != OutputLength() || !Alive() || rejected ||
            addressRejected) {
            state_->trace->Add(HidSetLine(report, length, false));
            return false;
        }
        if (indicator_)
            return true;  // the indicator's own report: nothing for the chip
        state_->chip.OnOutputReport(report, length);
        if (state_->trace->KeepsRecords())
            state_->sentReports.emplace_back(report, report + length);
        state_->trace->Add(HidSetLine(report, length, true));
        return true;
    }

    bool GetInputReport(uint8_t* report, uint32_t length) override {
        SimHidFaults& faults = state_->faults;
        const bool dropped = CountDown(faults.dropInputReport) || faults.dropAllInput;
        if (!report || length == 0 || length != state_->inputLength || indicator_ || !Alive() ||
            dropped) {
            state_->trace->Add(HidGetLine(report, length, false));
            return false;
        }
        state_->chip.FillInputReport(report, length);
        state_->trace->Add(HidGetLine(report, length, true));
        return true;
    }

private:
    bool Alive() const { return state_->plugged && state_->generation == generation_; }
    uint16_t OutputLength() const {
        return indicator_ ? kIndicatorOutputLength : state_->outputLength;
    }

    std::shared_ptr<SimHidBus::State> state_;
    uint32_t generation_;
    bool indicator_;
    bool handedOut_ = false;
};

// The bus as SetupDi enumerates it: the indicator collection, then the command interface.
class SimHidInterfaces : public IHidInterfaceList {
public:
    explicit SimHidInterfaces(std::shared_ptr<SimHidBus::State> state) : state_(std::move(state)) {}

    Entry Open(uint32_t index, std::unique_ptr<IHidDevice>& device, uint16_t& vendorId,
               uint16_t& productId) override {
        const bool indicator = state_->indicatorPresent && index == 0;
        if (index > (state_->indicatorPresent ? 1u : 0u) || !state_->plugged)
            return Entry::End;
        if (state_->faults.openFail)
            return Entry::Unusable;
        vendorId = state_->vendorId;
        productId = state_->productId;
        device = std::make_unique<SimHidHandle>(state_, indicator);
        return Entry::Opened;
    }

private:
    std::shared_ptr<SimHidBus::State> state_;
};

}  // namespace

SimHidBus::SimHidBus(std::shared_ptr<SimTrace> trace)
    : state_(std::make_shared<State>(std::move(trace))) {}

SimHidBus::~SimHidBus() = default;

std::unique_ptr<IHidDevice> SimHidBus::OpenHidDevice(uint16_t vendorId, uint16_t productId) {
    const std::string ids = HexIds(vendorId, productId);
    SimHidInterfaces interfaces(state_);
    std::unique_ptr<IHidDevice> device = OpenCommandInterface(interfaces, vendorId, productId);
    if (!device) {
        state_->trace->Add("HID OPEN-FAIL " + ids);
        return nullptr;
    }
    state_->trace->Add("HID OPEN " + ids);
    static_cast<SimHidHandle*>(device.get())->HandOut();
    return device;
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

void SimHidBus::SetIndicatorPresent(bool present) {
    state_->indicatorPresent = present;
}
