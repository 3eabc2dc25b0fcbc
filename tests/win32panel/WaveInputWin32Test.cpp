// The level meter's stream over the real winmm wave-input calls, reporting to a message-only
// window. By default Wine has no recording device; the null_audio run has one that records
// silence.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Microphone.h"
#include "WaveInputWin32.h"

namespace {

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

UniqueWindow MessageWindow() {
    return UniqueWindow(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// The next MM_WIM_DATA for window; false when none arrives within timeoutMs.
bool NextWaveData(HWND window, MSG& message, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (PeekMessageW(&message, window, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE))
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_POSTMESSAGE);
    }
}

TEST(Win32WaveInputRealCalls, WithoutRecordingDeviceStartFailsAndStopIsHarmless) {
    if (waveInGetNumDevs() != 0)
        GTEST_SKIP() << "a recording device exists";
    const UniqueWindow window = MessageWindow();
    ASSERT_NE(window, nullptr);
    WaveInputWin32 input(window.get());
    EXPECT_FALSE(input.Start(IWaveInput::kDefaultDevice));
    EXPECT_FALSE(input.IsOpen());
    input.Requeue(0);
    input.Stop();
    EXPECT_FALSE(input.IsOpen());
}

// The meter's choice of device reads these: one entry per device, each device opened by number.
TEST(Win32WaveInputRealCalls, ListsEveryDeviceAndOpensOneByItsNumber) {
    const UINT count = waveInGetNumDevs();
    if (count == 0)
        GTEST_SKIP() << "no recording device (run with an ALSA null device to record)";
    const UniqueWindow window = MessageWindow();
    ASSERT_NE(window, nullptr);
    WaveInputWin32 input(window.get());
    const std::vector<WaveInDeviceEntry> devices = input.Devices();
    ASSERT_EQ(devices.size(), count);
    for (const WaveInDeviceEntry& device : devices) {
        RecordProperty("endpointId",
                       std::string(device.endpointId.begin(), device.endpointId.end()));
        EXPECT_LT(device.endpointId.size(), 4096u);
    }
    EXPECT_TRUE(input.Start(0));
    EXPECT_TRUE(input.IsOpen());
    input.Stop();
    EXPECT_FALSE(input.Start(static_cast<int>(count)));  // no such device
    EXPECT_FALSE(input.IsOpen());
}

// Driven through the panel's level meter, as the main window's MM_WIM_DATA handling does.
TEST(Win32WaveInputRealCalls, BuffersReachTheWindowKeepComingWhenRequeuedAndStopAfterStop) {
    if (waveInGetNumDevs() == 0)
        GTEST_SKIP() << "no recording device (run with an ALSA null device to record)";
    const UniqueWindow window = MessageWindow();
    ASSERT_NE(window, nullptr);
    WaveInputWin32 input(window.get());
    LevelMeter meter(input);
    meter.Start();
    ASSERT_TRUE(meter.IsRunning());

    // Only two buffers exist: a fifth one arrives only if each was handed back.
    std::set<int> seen;
    for (int i = 0; i < 5; ++i) {
        MSG message;
        ASSERT_TRUE(NextWaveData(window.get(), message, 5000)) << "buffer " << i;
        const int buffer = input.BufferOf(message.lParam);
        ASSERT_TRUE(buffer == 0 || buffer == 1);
        const uint8_t* samples = input.Samples(buffer);
        EXPECT_TRUE(std::all_of(samples, samples + IWaveInput::kBufferSize, [](uint8_t s) {
            return s == 0x80;
        })) << "the null device records silence";
        EXPECT_EQ(meter.OnBufferFilled(samples, IWaveInput::kBufferSize, buffer, 200), 0);
        seen.insert(buffer);
        // Queued again, so a late message for it no longer counts as filled.
        EXPECT_EQ(input.BufferOf(message.lParam), -1);
    }
    EXPECT_EQ(seen.size(), 2u);

    // Starting a running meter reopens the stream on the same buffers. The old stream's reset
    // posts messages for them too; those are stale, as the new stream has queued them again.
    meter.Start();
    ASSERT_TRUE(meter.IsRunning());
    MSG message;
    int buffer = -1;
    while (buffer == -1 && NextWaveData(window.get(), message, 5000))
        buffer = input.BufferOf(message.lParam);
    ASSERT_NE(buffer, -1);
    EXPECT_EQ(meter.OnBufferFilled(input.Samples(buffer), IWaveInput::kBufferSize, buffer, 200), 0);

    meter.Stop();
    EXPECT_FALSE(meter.IsRunning());
    // The reset hands the queued buffers back; those messages are stale after the stop.
    while (NextWaveData(window.get(), message, 200))
        EXPECT_EQ(input.BufferOf(message.lParam), -1);
    input.Requeue(0);
    EXPECT_FALSE(input.IsOpen());
}

}  // namespace
