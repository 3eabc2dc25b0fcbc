// The extension driver's commands over the real CreateFileW and DeviceIoControl. The driver is
// never installed here, so its device path cannot open; the NUL device stands in for a device
// that opens but rejects the driver's commands.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "Discovery.h"
#include "PanelDeviceWin32.h"

namespace {

// Every command, as the panel sends it: its code and the value it was given back (or 77).
struct Outcome {
    uint32_t queryParameter, selectEffect, setSpeakers, queryStatus;
    uint32_t parameter = 77, status = 77;
};

Outcome SendEveryCommand(IDriverPort& driver) {
    const float table[16] = {1.0f};
    Outcome outcome{};
    outcome.queryParameter = ExtQueryParameter(driver, 0, &outcome.parameter);
    outcome.selectEffect = ExtSelectEffect(driver, 1);
    outcome.setSpeakers = ExtSetSpeakers(driver, 0, table);
    outcome.queryStatus = ExtQueryStatus(driver, &outcome.status);
    return outcome;
}

TEST(Win32DriverPortRealCalls, AbsentDriverMakesEveryCommandReturn1) {
    const auto driver = CreateDriverPortWin32();
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(driver->Open(kExtDriverDevicePath), nullptr);
    const DWORD error = GetLastError();
    RecordProperty("open_error", std::to_string(error));
    EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));

    const Outcome outcome = SendEveryCommand(*driver);
    EXPECT_EQ(outcome.queryParameter, 1u);
    EXPECT_EQ(outcome.selectEffect, 1u);
    EXPECT_EQ(outcome.setSpeakers, 1u);
    EXPECT_EQ(outcome.queryStatus, 1u);
    EXPECT_EQ(outcome.parameter, 77u);
    EXPECT_EQ(outcome.status, 77u);
}

// Opens NUL whatever path is asked for.
class NulDevicePort : public IDriverPort {
public:
    std::unique_ptr<IDriverHandle> Open(const std::u16string&) override {
        return real_->Open(u"\\\\.\\NUL");
    }

private:
    std::unique_ptr<IDriverPort> real_ = CreateDriverPortWin32();
};

TEST(Win32DriverPortRealCalls, DeviceThatRejectsTheCommandsMakesEveryCommandReturn2) {
    NulDevicePort nul;
    ASSERT_NE(nul.Open(kExtDriverDevicePath), nullptr);
    const Outcome outcome = SendEveryCommand(nul);
    EXPECT_EQ(outcome.queryParameter, 2u);
    EXPECT_EQ(outcome.selectEffect, 2u);
    EXPECT_EQ(outcome.setSpeakers, 2u);
    EXPECT_EQ(outcome.queryStatus, 2u);
    EXPECT_EQ(outcome.parameter, 77u);
    EXPECT_EQ(outcome.status, 77u);
}

}  // namespace
