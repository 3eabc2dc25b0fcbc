// Profiles on the simulated headset: the file a shutdown writes, save and load through the
// dialogs, loads that stop at a bad number, and a last profile that cannot be read completely.
#include <gtest/gtest.h>

#include "ControlTags.h"
#include "EqOperations.h"
#include "PanelError.h"
#include "PlatformHelpers.h"
#include "ProfileFile.h"
#include "ProfileFixture.h"

namespace {

const char kFixture[] = "tests/profiles/LastProfileKnownState.ini";

EqRecord PresetBlock(const PanelState& s, int index) {
    EqRecord r;
    LoadEqBlock(s.image, EqPresetOffset(index + 1), r);
    return r;
}

TEST_F(ProfileTest, ShutdownWritesExactlyWhatTheFormatsGive) {
    Start();
    SetKnownState();
    EXPECT_EQ(LastProfileSave(session), 0u);

    EXPECT_EQ(ReadHostFile(AppDataFile(u"LastProfile.ini")), SourceFileBytes(kFixture));
    // Each preset is recalled without register writes, then the current one again.
    Expect recalls;
    for (int i = 0; i < 5; ++i)
        recalls.Then(Exchange(Expect()));
    EXPECT_EQ(TakeHid(), recalls.Lines());
    EXPECT_EQ(state.saving, 0);
    EXPECT_EQ(state.currentPreset, 2);
    EXPECT_EQ(state.workingEq.Gain[0], 0xFFF);
}

TEST_F(ProfileTest, FirstShutdownWithoutTheHeadsetWritesTheDefaults) {
    Start(false);
    EXPECT_EQ(LastProfileLoad(session), 1u);
    EXPECT_FALSE(host.FileExists(AppDataFile(u"LastProfile.ini")));
    EXPECT_EQ(LastProfileSave(session), 0u);  // creates the folder and the file
    const std::string file = ReadHostFile(AppDataFile(u"LastProfile.ini"));
    for (const char* preset : {"S1", "S2", "S3", "S4"}) {
        EXPECT_NE(file.find(std::string(preset) + "=0x400,0x400,0x400,0x400,0x400,0\r\n"),
                  std::string::npos)
            << preset;
    }
    // Each recall still tries its exchange.
    EXPECT_EQ(TakeHid(), std::vector<std::string>(5, Expect().OpenFail(0, 0).Lines()[0]));
}

TEST_F(ProfileTest, LastProfileLoadAppliesTheFileAndSavesItBackUnchanged) {
    Start();
    EXPECT_EQ(LastProfileLoad(session), 1u);  // first start: no file, defaults kept
    EXPECT_EQ(PresetBlock(state, 1), EqRecord{});

    host.CreateFolder(folder.File(u"AppData\\QLN47xx"));
    WriteHostFile(AppDataFile(u"LastProfile.ini"), SourceFileBytes(kFixture));
    Start();
    EXPECT_EQ(LastProfileLoad(session), 0u);
    EXPECT_TRUE(host.problems.empty());
    EXPECT_EQ(state.currentPreset, 1);  // not part of a profile
    EXPECT_EQ(PresetBlock(state, 1).Gain[0], 0xFFF);
    EXPECT_EQ(PresetBlock(state, 1).Gain[4], 0);
    EXPECT_EQ(state.eqEnabled, 1);
    EXPECT_EQ(state.d3Enabled, 1);
    EXPECT_EQ(state.d3.LeftBeta, 15);
    EXPECT_EQ(state.fbm, 0);
    EXPECT_EQ(state.currentEffect, 4);
    EXPECT_EQ(sim.ExtDriver().Effect(), 3u);
    EXPECT_EQ(view.ImagePosition(TAG_SPEAKER_L + SPEAKER_C), (Point{170, -3}));
    EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 1u);
    EXPECT_EQ(state.led, 0);
    EXPECT_FALSE(view.toggles.at(TAG_LED));

    // The current preset of the running panel is kept, so select S2 as the fixture's saver had.
    state.currentPreset = 2;
    EXPECT_EQ(LastProfileSave(session), 0u);
    EXPECT_EQ(ReadHostFile(AppDataFile(u"LastProfile.ini")), SourceFileBytes(kFixture));
}

TEST_F(ProfileTest, SaveAndLoadThroughTheDialogsRoundTrip) {
    Start();
    SetKnownState();
    // The program folder's copy only: the user's is made from it.
    WriteHostFile(folder.File(u"AudioConfig.cfg"), "[Language]\r\nDefaultLanguage=German\r\n");
    host.answer = folder.File(u"User\\QLN47xx\\Mine");
    ASSERT_EQ(ProfileSave(session), 0u);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].folder, folder.File(u"User\\QLN47xx"));
    EXPECT_EQ(host.dialogs[0].fileName, u"AudioSetting.ini");
    EXPECT_EQ(host.dialogs[0].filter, u"INI (*.ini)|*.ini");
    const std::u16string saved = folder.File(u"User\\QLN47xx\\Mine.ini");
    // The path is the user's: an ordinary user cannot write the program folder.
    std::u16string last;
    const std::u16string userConfig = AppDataFile(u"AudioConfig.cfg");
    ASSERT_EQ(ReadProfileString(userConfig, u"LastINI", u"Path", last), 0);
    EXPECT_EQ(last, saved);
    std::u16string language;
    EXPECT_EQ(ReadProfileString(userConfig, u"Language", u"DefaultLanguage", language), 0);
    EXPECT_EQ(language, u"German");
    EXPECT_EQ(ReadHostFile(folder.File(u"AudioConfig.cfg")),
              "[Language]\r\nDefaultLanguage=German\r\n");
    const PanelState before = state;

    Start();
    host.answer = saved;
    ProfileLoad(session);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].folder, folder.File(u"User\\QLN47xx"));
    EXPECT_EQ(host.dialogs[1].fileName, u"");
    for (int i = 0; i < kEqPresetCount; ++i) {
        for (int b = 0; b < kEqBandCount; ++b)
            EXPECT_EQ(PresetBlock(state, i).Gain[b], PresetBlock(before, i).Gain[b]) << i << b;
    }
    // The load keeps S1 current and shows S1's values from the file.
    for (int b = 0; b < kEqBandCount; ++b)
        EXPECT_EQ(state.workingEq.Gain[b], PresetBlock(before, 0).Gain[b]);
    EXPECT_EQ(state.d3.LeftAlpha, before.d3.LeftAlpha);
    EXPECT_EQ(state.d3.RightBeta, before.d3.RightBeta);
    EXPECT_EQ(state.currentEffect, 4);
    EXPECT_EQ(state.virtualEnabled, 1);
    // The chip holds the current preset (S1) again, EQ and 3D switched on.
    EXPECT_EQ(sim.Chip().Register(0x120), 0x00);
    EXPECT_EQ(sim.Chip().Register(0x121) & 0x0F, 0x04);
    EXPECT_EQ(sim.Chip().Register(0x100) & 0x04, 0x04);
    EXPECT_EQ(sim.Chip().Register(0x18A) & 0x40, 0x40);
}

TEST_F(ProfileTest, SaveNamesDialogsAndAbsentHeadset) {
    Start();
    WriteHostFile(folder.File(u"AudioConfig.cfg"), "[Language]\r\n");
    struct Case {
        std::u16string chosen;
        std::u16string written;
    };
    const Case cases[] = {
        {u"Plain", u"Plain.ini"},
        {u"name.ini.bak", u"name.ini.bak"},  // contains ".ini": unchanged
        {u"Upper.INI", u"Upper.INI.ini"},    // the test is case-sensitive
        {u"a.ini", u"a.ini"},
    };
    std::u16string proposed = u"AudioSetting.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.chosen));
        host.answer = folder.File(c.chosen);
        ASSERT_EQ(ProfileSave(session), 0u);
        EXPECT_EQ(host.dialogs.back().fileName, proposed);
        EXPECT_TRUE(host.FileExists(folder.File(c.written)));
        proposed = host.answer;
    }

    const size_t dialogs = host.dialogs.size();
    host.answer.clear();
    EXPECT_EQ(ProfileSave(session), 2u);
    EXPECT_EQ(host.dialogs.size(), dialogs + 1);
    std::u16string last;
    ReadProfileString(AppDataFile(u"AudioConfig.cfg"), u"LastINI", u"Path", last);
    EXPECT_EQ(last, folder.File(u"a.ini"));  // a cancelled save keeps the last path

    Remove();
    host.answer = folder.File(u"Other.ini");
    EXPECT_EQ(ProfileSave(session), 1u);
    ProfileLoad(session);
    EXPECT_EQ(host.dialogs.size(), dialogs + 1);  // no dialog without the headset
    EXPECT_FALSE(host.FileExists(folder.File(u"Other.ini")));
}

TEST_F(ProfileTest, LoadStopsAtANonNumericGainWithTheEarlierPresetsApplied) {
    Start();
    const std::u16string file = folder.Write(u"Bad.ini",
                                             "[EQ]\r\n"
                                             "S1=0x100,0x200,0x300,0x500,0x600,1\r\n"
                                             "S2=0x10,0x20,0x30,0x50,0x60,1\r\n"
                                             "S3=0x700,loud,0x300,0x500,0x600,1\r\n"
                                             "S4=0x1,0x2,0x3,0x5,0x6,1\r\n"
                                             "[Effect]\r\nCurrentEffect=3\r\n");
    try {
        ReadProfile(ctx, PlatformProfileStrings(), file);
        FAIL() << "no error";
    } catch (const PanelError& e) {
        EXPECT_EQ(e.text(), u"'loud' is not a valid integer value ([EQ] S3)");
    }
    EXPECT_EQ(PresetBlock(state, 0).Gain[0], 0x100);
    EXPECT_EQ(PresetBlock(state, 1).Gain[4], 0x60);
    EXPECT_EQ(PresetBlock(state, 2).Gain[0], 0x700);  // stored before the bad field
    // The rest of that block is the working record's: S1, restored after preset 2.
    EXPECT_EQ(PresetBlock(state, 2).Gain[1], 0x200);
    EXPECT_EQ(PresetBlock(state, 3), EqRecord{});
    EXPECT_EQ(state.eqEnabled, 1);
    EXPECT_EQ(state.currentEffect, 1);
    // Preset 2 reached the chip and S1 was restored after it.
    EXPECT_EQ(sim.Chip().Register(0x120), 0x00);
    EXPECT_EQ(sim.Chip().Register(0x121) & 0x0F, 0x01);
}

TEST_F(ProfileTest, LedIsTouchedOnlyWhenTheProfileHasAValueAnd3DOffClearsTheChip) {
    const std::string body =
        "[EQ]\r\nS1=0x400,0x400,0x400,0x400,0x400,0\r\nS2=0x400,0x400,0x400,0x400,0x400,0\r\n"
        "S3=0x400,0x400,0x400,0x400,0x400,0\r\nS4=0x400,0x400,0x400,0x400,0x400,0\r\n"
        "[3D]\r\nLeftAlpha=1\r\nLeftBeta=2\r\nRightAlpha=3\r\nRightBeta=4\r\nFBM=1\r\n3DEN=0\r\n"
        "[Effect]\r\nCurrentEffect=1\r\n[Virtual7ch1]\r\nL=1,2\r\nR=3,4\r\nC=5,6\r\nSUB=7,8\r\n"
        "LS=9,10\r\nRS=11,12\r\nLB=13,14\r\nRB=15,16\r\n7ch1EN=0\r\n";
    const struct {
        const char* led;
        int32_t expected;
        bool repainted;
    } cases[] = {
        {"", 1, false}, {"[LED]\r\nLEDON=\r\n", 1, false}, {"[LED]\r\nLEDON=0\r\n", 0, true}};
    size_t opens[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].led);
        Start();
        view.toggles.clear();
        sim.Chip().SetRegister(0x18A, 0xFF);
        const std::u16string file = folder.Write(u"Led.ini", body + cases[i].led);
        EXPECT_EQ(ReadProfile(ctx, PlatformProfileStrings(), file), 0u);
        EXPECT_EQ(state.led, cases[i].expected);
        EXPECT_EQ(view.toggles.count(TAG_LED) == 1, cases[i].repainted);
        EXPECT_EQ(view.ImagePosition(TAG_SPEAKER_L + SPEAKER_RB), (Point{15, 16}));
        EXPECT_EQ(sim.Chip().Register(0x18A), 0x04);  // 3DEN=0 keeps only bit 2
        for (const std::string& line : TakeHid())
            opens[i] += line.rfind("HID OPEN", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(opens[1], opens[0]);
    EXPECT_EQ(opens[2], opens[0] + 1);  // the LED write's own exchange
}

TEST_F(ProfileTest, LastProfileCutShortStillLetsThePanelStart) {
    const std::string whole = SourceFileBytes(kFixture);
    const struct {
        const char* name;
        size_t keep;  // bytes kept of the whole file
        int32_t effect;
    } cases[] = {
        {"empty", 0, 1},
        {"inside S3", whole.find("S3=0x400,0x4") + 12, 1},
        {"inside the speakers", whole.find("RS=226,") + 7, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder own;
        FakeProfileHost ownHost(own);
        ProfileSession ownSession{ctx, PlatformProfileStrings(), ownHost, own.path(), u"QLN47xx"};
        ownHost.CreateFolder(own.File(u"AppData\\QLN47xx"));
        const std::u16string file =
            WriteHostFile(own.File(u"AppData\\QLN47xx\\LastProfile.ini"), whole.substr(0, c.keep));
        Start();
        EXPECT_EQ(LastProfileLoad(ownSession), 2u);
        ASSERT_EQ(ownHost.problems.size(), 1u);
        EXPECT_EQ(ownHost.problems[0].first, file);
        EXPECT_NE(ownHost.problems[0].second.find(u"is not a valid integer value"),
                  std::u16string::npos);
        EXPECT_EQ(state.currentEffect, c.effect);  // what came before the cut stays applied
        // The next shutdown writes a whole file again.
        EXPECT_EQ(LastProfileSave(ownSession), 0u);
        EXPECT_EQ(LastProfileLoad(ownSession), 0u);
        EXPECT_EQ(ownHost.problems.size(), 1u);
    }
}

// A profile is a file the user can edit: whatever it holds, the chip and the driver get only
// values they accept, and the panel shows and saves what they got.
TEST_F(ProfileTest, NumbersOutsideWhatTheHeadsetTakesAreClampedOnLoad) {
    const struct {
        const char* name;
        const char* eq;  // S1-S4, the same line
        const char* d3;  // LeftAlpha, LeftBeta, RightAlpha, RightBeta, FBM, 3DEN
        const char* effect;
        const char* virtualOn;
        const char* led;
        uint16_t gains[kEqBandCount];
        uint8_t left, right;  // 0x18B, 0x18C
        int32_t flag;         // every switch
        uint32_t effectIndex;
    } cases[] = {
        {"above",
         "0x1400,0xFFFF,4096,0x1000,0x7FFFFFFF,2",
         "200,16,255,99999,2,3",
         "9",
         "2",
         "7",
         {4095, 4095, 4095, 4095, 4095},
         0xFF,
         0xFF,
         1,
         4},
        {"below",
         "-1,0xFFFFFFFF,-4096,0,-2147483648,-1",
         "-1,-16,-255,-2147483648,-5,-1",
         "-1",
         "-2",
         "-3",
         {0, 0, 0, 0, 0},
         0x00,
         0x00,
         1,
         0},
        {"effect 0",
         "0x400,0x400,0x400,0x400,0x400,1",
         "1,2,3,4,1,1",
         "0",
         "1",
         "1",
         {1024, 1024, 1024, 1024, 1024},
         0x12,
         0x34,
         1,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        std::string d3[6];
        std::string rest = c.d3;
        for (std::string& field : d3) {
            const size_t comma = rest.find(',');
            field = rest.substr(0, comma);
            rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        }
        std::string body = "[EQ]\r\n";
        for (const char* key : {"S1", "S2", "S3", "S4"})
            body += std::string(key) + "=" + c.eq + "\r\n";
        body += "[3D]\r\nLeftAlpha=" + d3[0] + "\r\nLeftBeta=" + d3[1] + "\r\nRightAlpha=" + d3[2] +
                "\r\nRightBeta=" + d3[3] + "\r\nFBM=" + d3[4] + "\r\n3DEN=" + d3[5] +
                "\r\n[Effect]\r\nCurrentEffect=" + c.effect +
                "\r\n[Virtual7ch1]\r\nL=80,145\r\nR=254,145\r\nC=168,56\r\nSUB=168,88\r\n"
                "LS=105,85\r\nRS=226,83\r\nLB=119,217\r\nRB=222,216\r\n7ch1EN=" +
                c.virtualOn + "\r\n[LED]\r\nLEDON=" + c.led + "\r\n";
        sim.ExtDriver().ClearCommands();
        EXPECT_EQ(ReadProfile(ctx, PlatformProfileStrings(), folder.Write(u"Edited.ini", body)),
                  0u);

        for (int band = 0; band < kEqBandCount; ++band) {
            EXPECT_EQ(sim.Chip().BandGain(band), c.gains[band]) << "band " << band;
            EXPECT_EQ(PresetBlock(state, 0).Gain[band], c.gains[band]) << "band " << band;
        }
        EXPECT_EQ(sim.Chip().Register(0x18B), c.left);
        EXPECT_EQ(sim.Chip().Register(0x18C), c.right);
        for (const SimDriverCommand& command : sim.ExtDriver().Commands())
            EXPECT_FALSE(command.rejected) << std::hex << command.code;
        EXPECT_EQ(sim.ExtDriver().Effect(), c.effectIndex);
        EXPECT_EQ(state.currentEffect, static_cast<int32_t>(c.effectIndex + 1));
        EXPECT_EQ(sim.ExtDriver().SpeakersEnabled(), 1u);
        for (int32_t flag :
             {state.eqEnabled, state.d3Enabled, state.fbm, state.virtualEnabled, state.led})
            EXPECT_EQ(flag, c.flag);
    }
}

}  // namespace
