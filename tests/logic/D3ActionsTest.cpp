#include <gtest/gtest.h>

#include "ControlTags.h"
#include "D3Operations.h"
#include "LabelText.h"
#include "LogicFixture.h"
#include "SliderMapping.h"
#include "UserActions.h"

namespace {

class D3Actions : public LogicTest {
protected:
    D3Record Defaults() {
        D3Record r;
        LoadDefault3D(r);
        return r;
    }
};

TEST_F(D3Actions, SwitchOnAndOffWithEqOff) {
    Start();
    On3DSwitch(ctx);
    Expect on = Exchange(Expect()
                             .Read(0x100, 0x83)
                             .Write(0x100, 0x87)
                             .EqRegisters(DefaultEqWith(/*bypass=*/1, /*through3D=*/0)));
    on.Then(Exchange(Expect().Read(0x18A, 0x01).Write(0x18A, 0x41).Registers3D(0x41, Defaults())))
        .Then(Exchange(Expect().Read(0x129, 0xE4).Write(0x129, 0xF4)));
    EXPECT_EQ(Take(), on.Lines());
    EXPECT_TRUE(view.toggles[TAG_3D_SWITCH]);
    EXPECT_EQ(state.workingEq.Through3D, 1);

    On3DSwitch(ctx);
    Expect off = Exchange(Expect().Read(0x100, 0x87).Write(0x100, 0x83));
    off.Then(Exchange(Expect().Read(0x18A, 0x41).Write(0x18A, 0x00)))
        .Then(Exchange(Expect().Read(0x129, 0xF4).Write(0x129, 0xE4)));
    EXPECT_EQ(Take(), off.Lines());
    // AND 0x04 clears the chip's FBM bit too, while the switch still shows FBM on.
    EXPECT_EQ(sim.Chip().Register(0x18A), 0x00);
    EXPECT_EQ(state.fbm, 1);
    EXPECT_EQ(state.d3.FBM, 1);
}

TEST_F(D3Actions, OffKeepsOnlyBit2) {
    Start();
    sim.Chip().SetRegister(0x18A, 0xFF);
    D3EnableWrite(ctx, 0);
    EXPECT_EQ(sim.Chip().Register(0x18A), 0x04);
}

TEST_F(D3Actions, SwitchWithEqOnSkipsTheEqEnableWrite) {
    Start();
    state.eqEnabled = 1;
    On3DSwitch(ctx);
    const auto lines = Take();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[1], "HID SET 00 60 8A 01 10");  // straight to 0x18A
}

TEST_F(D3Actions, FbmSwitchWritesBit0WhateverSynchronise) {
    for (int32_t sync : {1, 0}) {
        SCOPED_TRACE(sync);
        sim.Chip().PowerOn();
        Start();
        device.synchronise = sync;
        OnFbmSwitch(ctx);
        EXPECT_EQ(Take(), Exchange(Expect().Read(0x18A, 0x01).Write(0x18A, 0x00)).Lines());
        EXPECT_EQ(state.fbm, 0);
        EXPECT_EQ(state.d3.FBM, 0);
        EXPECT_FALSE(view.toggles[TAG_FBM_SWITCH]);
    }
}

struct LinkCase {
    const char* name;
    int32_t mode;
    int tag;
    int requestedTop;
    int movedTop;
    int partner;
    int partnerTop;  // -1: where it was
};

TEST_F(D3Actions, SliderMovePullsThePartnerByLinkMode) {
    const LinkCase cases[] = {
        {"start (-1) leaves it", -1, TAG_3D_LEFT_ALPHA, 130, 130, TAG_3D_RIGHT_ALPHA, -1},
        {"independent", 0, TAG_3D_RIGHT_ALPHA, 130, 130, TAG_3D_LEFT_ALPHA, -1},
        {"together", 1, TAG_3D_LEFT_ALPHA, 130, 130, TAG_3D_RIGHT_ALPHA, 130},
        {"mirrored", 2, TAG_3D_LEFT_ALPHA, 130, 130, TAG_3D_RIGHT_ALPHA, 200},
        {"mirrored beta, clamped", 2, TAG_3D_RIGHT_BETA, 90, 105, TAG_3D_LEFT_BETA, 225},
        {"clamped at the bottom", 1, TAG_3D_LEFT_BETA, 300, 225, TAG_3D_RIGHT_BETA, 225},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Place3DSliders(ctx);
        const bool alpha = c.tag == TAG_3D_LEFT_ALPHA || c.tag == TAG_3D_RIGHT_ALPHA;
        (alpha ? state.alphaLinkMode : state.betaLinkMode) = c.mode;
        const int partnerBefore = view.Top(c.partner);
        On3DSliderMoved(ctx, c.tag, c.requestedTop);
        EXPECT_EQ(view.Top(c.tag), c.movedTop);
        EXPECT_EQ(view.Top(c.partner), c.partnerTop < 0 ? partnerBefore : c.partnerTop);
        for (int tag = TAG_3D_LEFT_BETA; tag <= TAG_3D_RIGHT_ALPHA; ++tag) {
            const uint8_t value = D3ValueFromTop(view.Top(tag), skin.sliderTravel);
            EXPECT_EQ(view.labels[tag], DecimalText(value)) << tag;
        }
        const D3Record& d3 = state.d3;
        EXPECT_EQ(d3.LeftBeta, D3ValueFromTop(view.Top(TAG_3D_LEFT_BETA), skin.sliderTravel));
        EXPECT_EQ(d3.LeftAlpha, D3ValueFromTop(view.Top(TAG_3D_LEFT_ALPHA), skin.sliderTravel));
        EXPECT_EQ(d3.RightBeta, D3ValueFromTop(view.Top(TAG_3D_RIGHT_BETA), skin.sliderTravel));
        EXPECT_EQ(d3.RightAlpha, D3ValueFromTop(view.Top(TAG_3D_RIGHT_ALPHA), skin.sliderTravel));
        EXPECT_EQ(sim.Chip().Register(0x18B), d3.LeftAlpha * 16 + d3.LeftBeta);
        EXPECT_EQ(sim.Chip().Register(0x18C), d3.RightAlpha * 16 + d3.RightBeta);
    }
}

TEST_F(D3Actions, SliderMoveWritesBothChannelsTwice) {
    Start();
    Place3DSliders(ctx);
    state.alphaLinkMode = 2;
    On3DSliderMoved(ctx, TAG_3D_LEFT_ALPHA, 130);  // left alpha 12, right alpha 4
    // Each channel write sends both channels: the left one still carries the old right values.
    D3Record afterLeft = Defaults();
    afterLeft.LeftAlpha = 12;
    D3Record afterRight = afterLeft;
    afterRight.RightAlpha = 4;
    Expect expected = Exchange(Expect().Registers3D(0x01, afterLeft));
    expected.Then(Exchange(Expect().Registers3D(0x01, afterRight)));
    EXPECT_EQ(Take(), expected.Lines());
    EXPECT_EQ(view.labels[TAG_3D_LEFT_ALPHA], u"12");
    EXPECT_EQ(view.labels[TAG_3D_RIGHT_ALPHA], u"4");

    device.synchronise = 0;
    On3DSliderMoved(ctx, TAG_3D_LEFT_ALPHA, 105);
    Expect idleOnly = Exchange(Expect());
    idleOnly.Then(Exchange(Expect()));
    EXPECT_EQ(Take(), idleOnly.Lines());
    EXPECT_EQ(state.d3.LeftAlpha, 15);
}

TEST_F(D3Actions, ResetPlacesTheDefaultsAndWritesWithoutIdleReport) {
    Start();
    state.betaLinkMode = 0;
    On3DSliderMoved(ctx, TAG_3D_LEFT_BETA, 105);
    OnFbmSwitch(ctx);
    Take();

    RunControlAction(ctx, TAG_3D_RESET);
    EXPECT_EQ(Take(), Expect().Open().Registers3D(0x00, Defaults()).Close().Lines());
    EXPECT_EQ(state.fbm, 1);
    EXPECT_TRUE(view.toggles[TAG_FBM_SWITCH]);
    EXPECT_EQ(view.Top(TAG_3D_LEFT_BETA), 201);   // value 3
    EXPECT_EQ(view.Top(TAG_3D_LEFT_ALPHA), 145);  // value 10
    EXPECT_EQ(view.labels[TAG_3D_LEFT_BETA], u"3");
    EXPECT_EQ(view.labels[TAG_3D_RIGHT_ALPHA], u"10");
    EXPECT_EQ(sim.Chip().Register(0x18A), 0x01);

    device.synchronise = 0;
    D3Reset(ctx);
    EXPECT_EQ(Take(), Expect().Open().Close().Lines());
}

}  // namespace
