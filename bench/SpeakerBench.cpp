// The 20 ms rotation tick and the speaker table: time per call and heap allocations per call.
#include <benchmark/benchmark.h>

#include <memory>

#include "AllocationCounter.h"
#include "ControlTags.h"
#include "FakePanelView.h"
#include "PanelContext.h"
#include "SpeakerGeometry.h"
#include "VirtualSpeakers.h"

namespace {

constexpr int kCx = 180;
constexpr int kCy = 150;

// Reports allocations per iteration of the loop it watches.
class AllocationsPerIteration {
public:
    explicit AllocationsPerIteration(benchmark::State& state)
        : state_(state), start_(AllocationCount()) {}
    ~AllocationsPerIteration() {
        state_.counters["allocs/iter"] = benchmark::Counter(
            static_cast<double>(AllocationCount() - start_), benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State& state_;
    uint64_t start_;
};

void ResetLayout(Point icons[kSpeakerCount], RotationState& rotation) {
    DefaultSpeakerLayout({kCx, kCy, 60}, icons);
    float table[kSpeakerTableSize];
    ComputeSpeakerTable(icons, kCx, kCy, rotation, table);
}

void SpeakerTable(benchmark::State& state) {
    Point icons[kSpeakerCount];
    RotationState rotation;
    ResetLayout(icons, rotation);
    float table[kSpeakerTableSize];
    AllocationsPerIteration allocations(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(icons);
        ComputeSpeakerTable(icons, kCx, kCy, rotation, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(SpeakerTable);

// The tick's arithmetic: icons placed from the angles, angles advanced, table of the new
// positions into a scratch copy.
void RotationGeometry(benchmark::State& state) {
    Point icons[kSpeakerCount];
    RotationState rotation;
    ResetLayout(icons, rotation);
    float table[kSpeakerTableSize];
    AllocationsPerIteration allocations(state);
    for (auto _ : state) {
        RotateSpeakers(rotation, kCx, kCy, Rotation::Clockwise, icons);
        RotationState scratch;
        ComputeSpeakerTable(icons, kCx, kCy, scratch, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(RotationGeometry);

class NoHid : public IHidBus {
public:
    std::unique_ptr<IHidDevice> OpenHidDevice(uint16_t, uint16_t) override { return nullptr; }
};

class NoEndpoints : public IAudioEndpoints {
public:
    std::u16string FindCaptureDescription(uint16_t, uint16_t) override { return {}; }
    std::unique_ptr<ICaptureEndpoint> FindCaptureEndpoint(uint16_t, uint16_t) override {
        return nullptr;
    }
    uint32_t MixerControl(MixerControlKind, uint32_t*, uint32_t*, uint32_t*, uint16_t,
                          uint16_t) override {
        return 0;
    }
};

// A driver that takes every command; absent, it refuses the open.
class QuietDriver : public IDriverPort {
public:
    explicit QuietDriver(bool present) : present_(present) {}

    std::unique_ptr<IDriverHandle> Open(const std::u16string&) override {
        return present_ ? std::make_unique<Handle>() : nullptr;
    }

private:
    class Handle : public IDriverHandle {
    public:
        bool DeviceIoControl(uint32_t, const void* in, uint32_t, void*, uint32_t,
                             uint32_t* returned) override {
            benchmark::DoNotOptimize(in);
            if (returned) {
                *returned = 0;
            }
            return true;
        }
    };

    bool present_;
};

// One TimerTimer call as the window runs it: icons moved on the view, table sent to the driver.
void TimerTick(benchmark::State& state) {
    FakePanelView view;
    NoHid hid;
    NoEndpoints endpoints;
    QuietDriver driver(state.range(0) != 0);
    SkinGeometry skin;
    skin.centerX = kCx;
    skin.centerY = kCy;
    DeviceState device;
    device.devicePresent = 1;
    PanelState panel;
    panel.rotateClockwise = 1;
    PanelContext ctx{device, panel, skin, view, hid, driver, endpoints};
    VirtualReset(ctx);
    AllocationsPerIteration allocations(state);
    for (auto _ : state) {
        TimerTimer(ctx);
    }
}
BENCHMARK(TimerTick)->ArgName("driver")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
