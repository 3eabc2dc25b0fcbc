#include "UiFixture.h"

#include "D3Operations.h"
#include "EqOperations.h"
#include "SimHeadsetConnect.h"

const char16_t kSkinFolder[] = u"C:\\Panel\\Skins\\Blue\\";
const char16_t kWarningText[] = u"Please connect the headset.";

namespace {

SkinImageEntry Picture(const char16_t* file) {
    SkinImageEntry e;
    e.FileName = file;
    return e;
}

LabelStyle Style(const char16_t* text, int32_t up, int32_t down) {
    LabelStyle s;
    s.Text = text;
    s.ColorUp = up;
    s.ColorDown = down;
    s.HasColorUp = s.HasColorDown = true;
    return s;
}

void FillAppearance(Appearance& look) {
    look.skinFolder = kSkinFolder;
    look.appTitle = u"AudioPanelApp";
    const char* const pictures[] = {
        "Menu1ImageUp",
        "Menu1ImageDown",
        "Menu3ImageUp",
        "Menu3ImageDown",
        "EQS1ImageUp",
        "EQS1ImageDown",
        "EQS2ImageUp",
        "EQS2ImageDown",
        "EQS3ImageUp",
        "EQS3ImageDown",
        "EQS4ImageUp",
        "EQS4ImageDown",
        "EQEQENImageUp",
        "EQEQENImageDown",
        "D3AlphaIndepImage",
        "D3AlphaDepImage",
        "D3AlphaInvImage",
        "D3BetaIndepImage",
        "D3BetaDepImage",
        "D3BetaInvImage",
        "EQResetImageUp",
        "EQResetImageDown",
        "CloseImageUp",
        "CloseImageDown",
        "EffectPicBathroomImage",
    };
    for (const char* key : pictures) {
        const std::string k = key;
        look.images[k] = Picture((std::u16string(k.begin(), k.end()) + u".bmp").c_str());
    }
    look.labels["LabelWarning"] = Style(kWarningText, 0, 0);
    look.labels["LabelEQS1"] = Style(u"S1", 0x111111, 0x222222);
    look.labels["LabelEQS2"] = Style(u"S2", 0x333333, 0x444444);
    look.labels["LabelMenu1"] = Style(u"Save", 0x555555, 0x666666);
    look.labels["LabelEQEnable"] = Style(u"EQ", 0x777777, 0x888888);
    look.labels["LabelPageEQ"] = Style(u"EQ", 0x0000AA, 0x00AA00);
    look.labels["LabelSync"] = Style(u"Sync", 0x999999, 0xAAAAAA);
}

}  // namespace

SkinGeometry CatalogueSkin() {
    SkinGeometry g;
    g.sliderTravel = 120;
    g.eqTop0 = 96;
    g.micTop0 = 104;
    g.centerX = 168;
    g.centerY = 140;
    g.radius = 100;
    g.micProgressLength = 203;
    return g;
}

UiTest::UiTest() {
    FillAppearance(look);
}

void UiTest::Start(bool headsetPlugged) {
    ConnectSimulatedHeadset(sim, device, headsetPlugged);
    InitialiseSettings(state, skin);
    for (int p = 0; p < kEqPresetCount; ++p) {
        PresetDisplay(ctx, p);
    }
    Initialise3D(state);
    sim.Trace().Clear();
}

void UiTest::Unplug() {
    sim.Unplug();
    device.devicePresent = 0;
    device.synchronise = 0;
    device.presence.reset();
    sim.Trace().Clear();
}

Control& UiTest::Get(const char* name) {
    Control* c = window.GetScene().Find(name);
    if (!c) {
        ADD_FAILURE() << "no control " << name;
        static Control none;
        return none;
    }
    return *c;
}

Point UiTest::WindowPoint(const Control& control, Point local) {
    const Point origin = window.GetScene().ParentOrigin(control);
    return {origin.x + local.x, origin.y + local.y};
}

Point UiTest::Centre(const char* name) {
    const Control& c = Get(name);
    return WindowPoint(c, {c.bounds.left + c.bounds.width / 2, c.bounds.top + c.bounds.height / 2});
}

void UiTest::Click(const char* name) {
    const Point at = Centre(name);
    window.MouseDown(MouseButton::Left, at);
    window.MouseUp(MouseButton::Left, at);
}

std::vector<std::string> UiTest::TakeHid() {
    std::vector<std::string> hid = sim.Trace().Filter("HID ");
    sim.Trace().Clear();
    return hid;
}
