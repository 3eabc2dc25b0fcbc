// The extension driver's device interface: records every I/O control command, keeps the effect
// and speaker table it was given and answers the two queries.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SimTrace.h"
#include "ports/DriverDevice.h"

// "\\.\Class#UsbAudioExtension&3F9C&00"
extern const char16_t kSimExtDriverPath[];

struct SimDriverCommand {
    uint32_t code = 0;
    std::vector<uint8_t> input;
    uint32_t outputSize = 0;
    bool rejected = false;
};

struct SimDriverFaults {
    // The driver is not installed: opening its device fails.
    bool absent = false;
    // The Nth command from now fails (1 = the next one); 0 for none.
    int rejectCommand = 0;
    // The parameter query succeeds but returns no bytes.
    bool queryParameterReturnsNothing = false;
};

class SimExtDriver : public IDriverPort {
public:
    explicit SimExtDriver(std::shared_ptr<SimTrace> trace);
    ~SimExtDriver() override;

    // Null unless the path is the driver's and the driver is present (headset plugged, not
    // absent); a failed open traces "DRV OPEN-FAIL".
    std::unique_ptr<IDriverHandle> Open(const std::u16string& devicePath) override;

    SimDriverFaults& Faults();
    void SetPlugged(bool plugged);
    // Handles opened and not yet closed.
    int OpenHandles() const;

    // Every command that reached the driver, rejected ones included.
    const std::vector<SimDriverCommand>& Commands() const;
    void ClearCommands();

    // What the driver was last told (effect index 0-4; enable and the 16 floats of the table).
    uint32_t Effect() const;
    uint32_t SpeakersEnabled() const;
    const std::array<float, 16>& SpeakerTable() const;

    // The values the queries answer with (word at offset 4).
    void SetQueryValues(uint32_t parameterValue, uint32_t statusValue);

    struct State;

private:
    std::shared_ptr<State> state_;
};
