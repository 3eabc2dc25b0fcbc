// The headset's vendor-defined HID interface on the simulated machine's HID bus.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "SimChip.h"
#include "SimTrace.h"
#include "ports/HidDevice.h"

struct SimHidFaults {
    // The Nth output report from now is rejected (1 = the next one); 0 for none.
    int rejectOutputReport = 0;
    // Every address report (command 0x10) naming this register is rejected.
    std::optional<uint16_t> rejectAddress;
    // The Nth input report from now is not delivered; 0 for none.
    int dropInputReport = 0;
    // No input report is delivered at all.
    bool dropAllInput = false;
    // The capability query fails, so both report lengths read as 0.
    bool capsFail = false;
    // The interface is present but cannot be opened.
    bool openFail = false;
};

class SimHidBus : public IHidBus {
public:
    explicit SimHidBus(std::shared_ptr<SimTrace> trace);
    ~SimHidBus() override;

    // Picks the command interface as the panel's adapter does (OpenCommandInterface). Traces
    // "HID OPEN vvvv:pppp" or "HID OPEN-FAIL vvvv:pppp"; the handle traces "HID CLOSE".
    std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t vendorId, uint16_t productId) override;

    SimChip& Chip();
    SimHidFaults& Faults();

    // The command interface's attributes and capabilities (defaults 3F9C:4712, 9-byte reports).
    // The headset's indicator collection carries the same IDs, with 2-byte output and 3-byte
    // input reports; it is enumerated first and takes no command.
    void SetIds(uint16_t vendorId, uint16_t productId);
    void SetIndicatorPresent(bool present);
    uint16_t VendorId() const;
    uint16_t ProductId() const;
    void SetReportLengths(uint16_t outputLength, uint16_t inputLength);

    // Unplugging makes every open handle fail from then on, even after a new plug.
    void SetPlugged(bool plugged);
    bool IsPlugged() const;

    // Every output report the interface accepted, whole, in order.
    const std::vector<std::vector<uint8_t>>& SentReports() const;
    void ClearSentReports();

    // Handles not yet closed, and how many capability queries were made.
    int OpenHandles() const;
    int CapsQueries() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};
