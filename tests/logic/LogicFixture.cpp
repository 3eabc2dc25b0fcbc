#include "LogicFixture.h"

#include <cstdio>

#include "ControlTags.h"
#include "D3Operations.h"
#include "EqOperations.h"
#include "SimHeadsetConnect.h"

namespace {

std::string Report(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4) {
    char text[32];
    std::snprintf(text, sizeof text, "00 %02X %02X %02X %02X", b1, b2, b3, b4);
    return text;
}

std::string AddressReport(uint16_t address) {
    return "HID SET " + Report(0x60, address & 0xFF, address >> 8, 0x10);
}

// Design positions of the controls the logic moves (3D sliders, speaker icons).
void PlaceDesignPositions(FakePanelView& view) {
    const struct {
        int tag;
        Point at;
    } design[] = {
        {TAG_3D_LEFT_BETA, {27, 201}},   {TAG_3D_LEFT_ALPHA, {87, 143}},
        {TAG_3D_RIGHT_BETA, {303, 201}}, {TAG_3D_RIGHT_ALPHA, {243, 143}},
        {TAG_MIC_SLIDER, {289, 224}},    {TAG_SPEAKER_L + 0, {80, 145}},
        {TAG_SPEAKER_L + 1, {254, 145}}, {TAG_SPEAKER_L + 2, {168, 56}},
        {TAG_SPEAKER_L + 3, {168, 88}},  {TAG_SPEAKER_L + 4, {105, 85}},
        {TAG_SPEAKER_L + 5, {226, 83}},  {TAG_SPEAKER_L + 6, {119, 217}},
        {TAG_SPEAKER_L + 7, {222, 216}},
    };
    for (const auto& d : design) {
        view.MoveImage(d.tag, d.at);
    }
    for (int band = 0; band < kEqBandCount; ++band) {
        view.MoveImage(TAG_EQ_SLIDER_60HZ + band, {62 + 61 * band, 160});
    }
}

}  // namespace

Expect& Expect::Open() {
    return Line("HID OPEN " + HexIds(SimHeadset::kVendorId, SimHeadset::kProductId));
}

Expect& Expect::OpenFail(uint16_t vendorId, uint16_t productId) {
    return Line("HID OPEN-FAIL " + HexIds(vendorId, productId));
}

Expect& Expect::Close() {
    return Line("HID CLOSE");
}

Expect& Expect::Idle() {
    return Line("HID SET 00 00 00 00 00");
}

Expect& Expect::Write(uint16_t address, uint8_t value) {
    Line(AddressReport(address));
    return Line("HID SET " + Report(0x60, value, 0x01, 0x20));
}

Expect& Expect::Read(uint16_t address, uint8_t value) {
    Line(AddressReport(address));
    return Line("HID GET " + Report(0x60, value, 0x00, 0x00));
}

Expect& Expect::EqRegisters(const EqRecord& r) {
    for (int band = 0; band < kEqBandCount; ++band) {
        const uint16_t low = static_cast<uint16_t>(0x120 + 2 * band);
        uint8_t high = static_cast<uint8_t>((r.Gain[band] >> 8) & 0x0F);
        if (band == kEqBandCount - 1) {
            high |= (r.Through3D ? 0x10 : 0) | (r.FlagA ? 0x20 : 0) | (r.FlagB ? 0x40 : 0) |
                    (r.Bypass ? 0x80 : 0);
        }
        Write(low, static_cast<uint8_t>(r.Gain[band] & 0xFF));
        Write(static_cast<uint16_t>(low + 1), high);
    }
    return *this;
}

Expect& Expect::Registers3D(uint8_t control, const D3Record& r) {
    Read(0x18A, control);
    Write(0x18A, static_cast<uint8_t>(r.FBM ? (control | 0x01) : (control & 0xFE)));
    Write(0x18B, static_cast<uint8_t>(r.LeftAlpha * 16 | r.LeftBeta));
    return Write(0x18C, static_cast<uint8_t>(r.RightAlpha * 16 | r.RightBeta));
}

Expect& Expect::Line(const std::string& line) {
    lines_.push_back(line);
    return *this;
}

Expect& Expect::Then(const Expect& more) {
    lines_.insert(lines_.end(), more.lines_.begin(), more.lines_.end());
    return *this;
}

Expect Exchange(const Expect& body) {
    return Expect().Open().Then(body).Idle().Close();
}

SkinGeometry TestSkin() {
    SkinGeometry skin;
    skin.sliderTravel = 120;
    skin.eqTop0 = 100;
    skin.micTop0 = 80;
    skin.centerX = 180;
    skin.centerY = 150;
    skin.radius = 60;
    skin.micProgressLength = 200;
    return skin;
}

LogicTest::LogicTest() {
    PlaceDesignPositions(view);
}

void LogicTest::Start(bool headsetPlugged) {
    PlaceDesignPositions(view);
    state = PanelState{};
    ConnectSimulatedHeadset(sim, device, headsetPlugged);
    InitialiseSettings(state, skin);
    for (int p = 0; p < 4; ++p) {
        PresetDisplay(ctx, p);
    }
    Initialise3D(state);
    state.currentEffect = 1;
    sim.Trace().Clear();
    sim.Chip().ClearWrites();
}

void LogicTest::Remove() {
    sim.Unplug();
    device.devicePresent = 0;
    device.synchronise = 0;
    device.presence.reset();
    sim.Trace().Clear();
}

std::vector<std::string> LogicTest::TakeHid() {
    std::vector<std::string> hid = sim.Trace().Filter("HID ");
    sim.Trace().Clear();
    return hid;
}

EqRecord DefaultEqWith(int32_t bypass, int32_t through3D) {
    EqRecord r;
    r.Bypass = bypass;
    r.Through3D = through3D;
    return r;
}
