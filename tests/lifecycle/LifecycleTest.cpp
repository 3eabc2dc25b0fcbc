// The main window's life cycle on the simulated headset: start-up order, hot-plug, the exit
// message and the neutral shutdown.
#include "MainLifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "ControlTags.h"
#include "EqOperations.h"
#include "MicOperations.h"
#include "SceneDiff.h"
#include "TestFiles.h"
#include "UiFixture.h"
#include "UserActions.h"

namespace fs = std::filesystem;

namespace {

class FolderProfileHost : public IProfileHost {
public:
    explicit FolderProfileHost(const TempFolder& folder) : folder_(folder) {
        CreateFolder(EnvironmentFolder(u"APPDATA"));
        CreateFolder(EnvironmentFolder(u"USERPROFILE"));
    }
    std::u16string EnvironmentFolder(const std::u16string& name) override {
        return name == u"APPDATA" ? folder_.File(u"AppData") : folder_.File(u"User");
    }
    bool CreateFolder(const std::u16string& path) override {
        std::error_code ignored;
        fs::create_directory(HostFsPath(path), ignored);
        return fs::is_directory(HostFsPath(path), ignored);
    }
    bool FileExists(const std::u16string& path) override {
        std::error_code ignored;
        return fs::is_regular_file(HostFsPath(path), ignored);
    }
    bool CopyNewFile(const std::u16string&, const std::u16string&) override { return false; }
    bool SaveDialog(const std::u16string&, const std::u16string&, const std::u16string&,
                    std::u16string&) override {
        return false;
    }
    bool OpenDialog(const std::u16string&, const std::u16string&, std::u16string&) override {
        return false;
    }
    void ReportFileProblem(const std::u16string&, const std::u16string&) override { ++problems; }
    int problems = 0;

private:
    const TempFolder& folder_;
};

// Leaves its calls in the simulator's trace, so that their order against the traffic shows.
class FakeLifecycleHost : public ILifecycleHost {
public:
    explicit FakeLifecycleHost(SimTrace& trace) : trace_(trace) {}
    uint32_t RegisterMessage(const std::u16string& name) override {
        registered = name;
        return 0xC0DE;
    }
    void BuildPresentation() override { trace_.Add("HOST BUILD"); }
    bool ClaimSingleInstance() override {
        trace_.Add("HOST CLAIM");
        return !otherInstance;
    }
    bool RegisterDeviceNotifications() override {
        trace_.Add("HOST NOTIFY");
        if (atRegistration) {
            atRegistration();
        }
        return true;
    }
    void Sleep(uint32_t ms) override { trace_.Add("HOST SLEEP " + std::to_string(ms)); }
    void SendClose() override {
        trace_.Add("HOST CLOSE");
        if (life) {
            life->Shutdown();  // the window closes and is destroyed
        }
    }
    std::u16string registered;
    MainLifecycle* life = nullptr;
    bool otherInstance = false;  // the mutex exists: another panel runs
    std::function<void()> atRegistration;

private:
    SimTrace& trace_;
};

const char kStatusQuery[] = "DRV 00223190";
const char kSpeakers[] = "DRV 00223140";
const char kParameterQuery[] = "DRV 00223028";
const char kSelectEffect[] = "DRV 002230F0";

LabelStyle Named(const char16_t* text) {
    LabelStyle s;
    s.Text = text;
    return s;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LifecycleTest : public UiTest {
protected:
    LifecycleTest() {
        folder.Write(u"AudioConfig.cfg", ReadBytes(fs::u8path(std::string(AUDIO_SOURCE_DIR) +
                                                              "/product/AudioConfig.cfg")));
        look.labels["LabelActive"] = Named(u"On");
        look.labels["LabelUnactive"] = Named(u"Off");
        lifeHost.life = &life;
    }

    void StartPanel(bool plugged) {
        if (plugged) {
            sim.Plug();
            sim.Chip().PowerOn();
        } else {
            sim.Unplug();
        }
        sim.Trace().Clear();
        life.Start();
    }

    void PlugIn() {
        sim.Plug();
        sim.Chip().PowerOn();
        sim.Trace().Clear();
        life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &hidHeadset);
    }

    // The lines of the trace that begin with one of the prefixes, in order.
    std::vector<std::string> Lines(std::initializer_list<const char*> prefixes) {
        std::vector<std::string> out;
        for (const std::string& line : sim.Trace().Lines()) {
            for (const char* p : prefixes) {
                if (line.rfind(p, 0) == 0) {
                    out.push_back(line.substr(0, std::min(line.size(), std::string(p).size())));
                    break;
                }
            }
        }
        return out;
    }
    size_t Count(const char* prefix) { return sim.Trace().Filter(prefix).size(); }
    std::u16string DeviceLabel() { return Get("DeviceActiveLabel").caption; }
    std::string LastProfile() {
        return ReadBytes(HostFsPath(folder.File(u"AppData\\QLN47xx\\LastProfile.ini")));
    }

    TempFolder folder;
    FolderProfileHost profileHost{folder};
    ProfileSession session{ctx, PlatformProfileStrings(), profileHost, folder.path(), u"QLN47xx"};
    FakeLifecycleHost lifeHost{sim.Trace()};
    MainLifecycle life{window, session, sim.DeviceTree(), sim.OsVersion(), lifeHost};
    const DeviceBroadcast hidHeadset{
        DBT_DEVTYP_DEVICEINTERFACE_TYPE, kHidInterfaceClass,
        u"\\\\?\\HID#VID_3F9C&PID_4712&MI_03#8&1234&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"};
    const DeviceBroadcast audioHeadset{
        DBT_DEVTYP_DEVICEINTERFACE_TYPE, KSCATEGORY_AUDIO_GUID,
        u"\\\\?\\USB#VID_3F9C&PID_4712&MI_00#7&2a3b&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}"
        u"\\global"};
};

TEST_F(LifecycleTest, StartUpRunsTheDeviceStepsInOrder) {
    StartPanel(true);
    // The notification registration before the search, then the presence handle, driver status
    // / speakers off / parameter 0, the microphone read with the meter, the reset circle's
    // table; no last profile yet.
    const std::vector<std::string> expected = {
        "HOST BUILD",    "HOST CLAIM", "HOST NOTIFY", "HID OPEN", kStatusQuery, kSpeakers,
        kParameterQuery, "EP FIND",    "WAVE START",  "EP FIND",  "WAVE STOP",  kSpeakers,
    };
    EXPECT_EQ(Lines({"HOST BUILD", "HOST CLAIM", "HOST NOTIFY", "HID OPEN", "HID CLOSE", "HID SET",
                     "DRV 00223190", "DRV 00223140", "DRV 00223028", "DRV 002230F0", "EP FIND",
                     "WAVE START", "WAVE STOP"}),
              expected);
    for (const std::string& line : sim.Trace().Filter(kSpeakers)) {
        EXPECT_NE(line.find("enable=0"), std::string::npos) << line;
    }
    EXPECT_EQ(lifeHost.registered, u"WM_QLN47xxAPP_EXIT");
    EXPECT_EQ(life.ExitMessage(), 0xC0DEu);
    EXPECT_EQ(device.vendorId, SimHeadset::kVendorId);
    EXPECT_EQ(device.productId, SimHeadset::kProductId);
    EXPECT_TRUE(device.presence);
    EXPECT_EQ(device.devicePresent, 1);
    EXPECT_EQ(device.synchronise, 1);
    EXPECT_EQ(DeviceLabel(), u"On");
    EXPECT_EQ(state.currentEffect, 1);
    EXPECT_FALSE(device.captureEndpoint);
    EXPECT_FALSE(window.Meter().IsRunning());
    EXPECT_TRUE(life.NotificationsRegistered());
}

TEST_F(LifecycleTest, StartUpShowsTheMuteOfAMicrophoneWithoutGainControl) {
    // The usual USB microphone: no subunit offers automatic gain control.
    sim.Microphone().Faults().noAutoGainControl = true;
    sim.Microphone().SetMuted(true);
    StartPanel(true);
    EXPECT_EQ(state.micMute, 1);
    EXPECT_EQ(state.micBoost, 0);
    EXPECT_EQ(Count("EP GET-MUTE 1"), 1u);
}

TEST_F(LifecycleTest, NextStartLoadsTheLastProfileAfterTheRegistration) {
    StartPanel(true);
    OnEqSwitch(ctx);
    OnEffectButton(ctx, 4);
    life.Shutdown();
    state = PanelState();

    StartPanel(true);
    EXPECT_EQ(state.eqEnabled, 1);
    EXPECT_EQ(state.currentEffect, 4);
    const auto& lines = sim.Trace().Lines();
    const auto notify = std::find(lines.begin(), lines.end(), "HOST NOTIFY");
    ASSERT_NE(notify, lines.end());
    // The profile's writes (the effect among them) come after the registration.
    const auto effect = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind(kSelectEffect, 0) == 0;
    });
    ASSERT_NE(effect, lines.end());
    EXPECT_GT(effect - lines.begin(), notify - lines.begin());
    EXPECT_EQ(profileHost.problems, 0);
}

TEST_F(LifecycleTest, StartWithoutHeadsetStaysAbsentAndStillWritesTheLastProfile) {
    StartPanel(false);
    EXPECT_EQ(DeviceLabel(), u"Off");
    EXPECT_EQ(device.vendorId, 0);
    EXPECT_FALSE(device.presence);
    EXPECT_EQ(device.devicePresent, 0);
    EXPECT_EQ(device.synchronise, 0);
    EXPECT_EQ(Count("HID OPEN "), 0u);
    EXPECT_EQ(Count("HID SET"), 0u);
    EXPECT_EQ(Count("WAVE START"), 0u);  // Core Audio without an endpoint: no meter
    // The feature controls refuse with the warning.
    host.messages.clear();
    Click("EQEQENImage");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kWarningText);

    life.Shutdown();
    EXPECT_EQ(Count("HID OPEN "), 0u);
    EXPECT_EQ(Count("HID SET"), 0u);
    EXPECT_NE(LastProfile().find("[EQ]"), std::string::npos);
}

TEST_F(LifecycleTest, ArrivalReappliesWhatThePageOnShowNeeds) {
    const struct {
        int page;
        bool eqEnable, d3Enable, effect;
        size_t speakerTables;
    } cases[] = {
        {PAGE_EQ, true, false, false, 1},       {PAGE_3D, true, true, false, 1},
        {PAGE_EFFECT, false, false, true, 1},   {PAGE_MIC, false, false, false, 1},
        {PAGE_VIRTUAL, false, false, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        StartPanel(false);
        window.GetScene().SetPage(c.page);
        state.eqEnabled = 1;
        state.d3Enabled = 1;
        state.currentEffect = 3;
        PlugIn();
        EXPECT_EQ(DeviceLabel(), u"On");
        EXPECT_EQ(device.devicePresent, 1);
        EXPECT_EQ(device.synchronise, 1);
        EXPECT_TRUE(device.presence);
        EXPECT_EQ((sim.Chip().Register(0x100) & 0x04) != 0, c.eqEnable);
        EXPECT_EQ((sim.Chip().Register(0x18A) & 0x40) != 0, c.d3Enable);
        EXPECT_EQ(Count(kSelectEffect), c.effect ? 1u : 0u);
        if (c.effect) {
            // Effect 3 (Bathroom) is the driver's index 2.
            const std::string effect = sim.Trace().Filter(kSelectEffect)[0];
            EXPECT_EQ(effect.rfind("DRV 002230F0 0000000002000000 ", 0), 0u) << effect;
            EXPECT_EQ(sim.ExtDriver().Effect(), 2u);
        }
        EXPECT_EQ(Count(kSpeakers), c.speakerTables);
        EXPECT_EQ(window.Meter().IsRunning(), c.page == PAGE_MIC);
        // The wait comes before the page's writes, the driver's three commands after them.
        const auto lines = Lines({"HOST SLEEP", kStatusQuery, kSpeakers, kParameterQuery});
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(
            std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"HOST SLEEP", kStatusQuery, kSpeakers, kParameterQuery}));
        const std::string table = sim.Trace().Filter(kSpeakers)[0];
        EXPECT_NE(table.find("enable=0 gains=0,0,0,0,0,0,0,0"), std::string::npos) << table;
        life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    }
}

// A dock at log-on: the headset arrives while the panel starts, just before or just after the
// panel registers for notifications (then a notification waits in the queue).
TEST_F(LifecycleTest, HeadsetArrivingDuringStartUpIsFound) {
    for (const bool notified : {false, true}) {
        SCOPED_TRACE(notified);
        std::vector<DeviceBroadcast> queued;
        lifeHost.atRegistration = [&] {
            sim.Plug();
            sim.Chip().PowerOn();
            if (notified) {
                queued.push_back(hidHeadset);
            }
        };
        StartPanel(false);
        lifeHost.atRegistration = nullptr;
        for (const DeviceBroadcast& broadcast : queued) {
            life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &broadcast);
        }
        EXPECT_TRUE(device.presence);
        EXPECT_EQ(device.devicePresent, 1);
        EXPECT_EQ(DeviceLabel(), u"On");
        life.Shutdown();
    }
}

// The first plug-in: Windows shows the HID interface and the audio function one after the other,
// in either order; the headset is taken when the second arrives.
TEST_F(LifecycleTest, HeadsetFoundWhicheverOfItsInterfacesArrivesFirst) {
    const struct {
        const char* what;
        SimFunction first, second;
        const DeviceBroadcast& firstArrival;
        const DeviceBroadcast& secondArrival;
    } cases[] = {
        {"HID first", SimFunction::Hid, SimFunction::Audio, hidHeadset, audioHeadset},
        {"audio first", SimFunction::Audio, SimFunction::Hid, audioHeadset, hidHeadset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartPanel(false);
        state.eqEnabled = 1;
        sim.Plug(c.first);
        life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &c.firstArrival);
        EXPECT_FALSE(device.presence);
        EXPECT_EQ(DeviceLabel(), u"Off");
        sim.Plug(c.second);
        sim.Chip().PowerOn();
        life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &c.secondArrival);
        EXPECT_TRUE(device.presence);
        EXPECT_EQ(device.synchronise, 1);
        EXPECT_EQ(DeviceLabel(), u"On");
        EXPECT_NE(sim.Chip().Register(0x100) & 0x04, 0);  // the EQ page's enable write
        life.Shutdown();
    }
}

// Many USB headsets lose the chip's settings while the machine sleeps, and no device change
// follows: the resume brings back what an arrival would.
TEST_F(LifecycleTest, ResumeBringsBackTheChipSettingsOfThePageOnShow) {
    const struct {
        uint32_t event;
        int page;
        bool eqEnable, d3Enable, effect;
    } cases[] = {
        {PBT_APMRESUMEAUTOMATIC_EVENT, PAGE_EQ, true, false, false},
        {PBT_APMRESUMESUSPEND_EVENT, PAGE_3D, true, true, false},
        {PBT_APMRESUMEAUTOMATIC_EVENT, PAGE_EFFECT, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        StartPanel(true);
        window.GetScene().SetPage(c.page);
        state.eqEnabled = 1;
        state.d3Enabled = 1;
        state.currentEffect = 3;
        sim.Suspend();
        sim.Trace().Clear();
        life.OnPowerBroadcast(c.event);
        EXPECT_EQ((sim.Chip().Register(0x100) & 0x04) != 0, c.eqEnable);
        EXPECT_EQ((sim.Chip().Register(0x18A) & 0x40) != 0, c.d3Enable);
        EXPECT_EQ(Count("DRV 002230F0 0000000002000000 "), c.effect ? 1u : 0u);
        EXPECT_EQ(Count("HID OPEN "), Count("HID CLOSE"));  // no second presence handle
        EXPECT_TRUE(device.presence);
        life.Shutdown();
    }
    // The suspend itself, other power events and a resume without the headset send nothing.
    for (const bool plugged : {true, false}) {
        StartPanel(plugged);
        state.eqEnabled = 1;
        sim.Trace().Clear();
        life.OnPowerBroadcast(PBT_APMSUSPEND_EVENT);
        life.OnPowerBroadcast(0x000A);  // PBT_APMPOWERSTATUSCHANGE
        if (!plugged) {
            life.OnPowerBroadcast(PBT_APMRESUMEAUTOMATIC_EVENT);
        }
        EXPECT_TRUE(sim.Trace().Lines().empty()) << sim.Trace().Lines().front();
        life.Shutdown();
    }
}

TEST_F(LifecycleTest, RemovalWhileTheMicMeterRunsStopsIt) {
    StartPanel(true);
    window.ShowPage(PAGE_MIC);
    ASSERT_TRUE(window.Meter().IsRunning());
    sim.Unplug();
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    EXPECT_EQ(DeviceLabel(), u"Off");
    EXPECT_FALSE(window.Meter().IsRunning());
    EXPECT_FALSE(device.presence);
    EXPECT_EQ(device.devicePresent, 0);
    EXPECT_EQ(device.synchronise, 0);
}

// On most machines the default recording device is not the headset.
TEST_F(LifecycleTest, MicMeterRunsOnTheHeadsetOnlyWhileTheWindowIsShown) {
    sim.Wave().defaultIsMachineMicrophone = true;
    StartPanel(true);
    window.ShowPage(PAGE_MIC);
    ASSERT_TRUE(window.Meter().IsRunning());
    EXPECT_TRUE(sim.Wave().RecordsHeadset());

    // Closed to the tray or minimised: the microphone is let go.
    sim.Trace().Clear();
    window.SetWindowShown(false);
    EXPECT_FALSE(window.Meter().IsRunning());
    EXPECT_EQ(sim.Trace().Lines(), std::vector<std::string>{"WAVE STOP"});
    EXPECT_EQ(sim.Wave().Deliver(std::vector<uint8_t>(400, 200)), -1);

    // A plug-in while hidden refreshes the microphone but opens no stream.
    sim.Unplug();
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    PlugIn();
    EXPECT_FALSE(window.Meter().IsRunning());

    // Shown again on the Mic page: the meter runs, on the headset again.
    window.SetWindowShown(true);
    EXPECT_TRUE(window.Meter().IsRunning());
    EXPECT_TRUE(sim.Wave().RecordsHeadset());
    EXPECT_EQ(sim.Wave().OpenStreams(), 1);

    // Shown on another page, or without the headset: nothing opens.
    window.ShowPage(PAGE_EQ);
    window.SetWindowShown(false);
    window.SetWindowShown(true);
    EXPECT_FALSE(window.Meter().IsRunning());
    window.ShowPage(PAGE_MIC);
    window.SetWindowShown(false);
    sim.Unplug();
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    window.SetWindowShown(true);
    EXPECT_FALSE(window.Meter().IsRunning());
}

TEST_F(LifecycleTest, UnrelatedNotificationsChangeNothing) {
    // USB devices: neither the headset's HID interface nor its audio function.
    const DeviceGuid otherClass = {
        0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
    const DeviceBroadcast otherHid{DBT_DEVTYP_DEVICEINTERFACE_TYPE, kHidInterfaceClass,
                                   u"\\\\?\\HID#VID_046D&PID_C52B&MI_00#7&1&0&0000"};
    const DeviceBroadcast headsetOtherClass{DBT_DEVTYP_DEVICEINTERFACE_TYPE, otherClass,
                                            hidHeadset.name};
    const DeviceBroadcast headsetOtherType{2, kHidInterfaceClass, hidHeadset.name};
    const struct {
        const char* what;
        bool plugged;  // the headset at start
        uint32_t event;
        const DeviceBroadcast* broadcast;
    } cases[] = {
        {"HID arrival while present", true, DBT_DEVICEARRIVAL_EVENT, &otherHid},
        {"other class arrives while absent", false, DBT_DEVICEARRIVAL_EVENT, &headsetOtherClass},
        {"HID arrival, headset not among audio devices", false, DBT_DEVICEARRIVAL_EVENT, &otherHid},
        {"other HID removed", true, DBT_DEVICEREMOVECOMPLETE_EVENT, &otherHid},
        {"other class removed", true, DBT_DEVICEREMOVECOMPLETE_EVENT, &headsetOtherClass},
        {"not an interface broadcast", true, DBT_DEVICEREMOVECOMPLETE_EVENT, &headsetOtherType},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartPanel(c.plugged);
        const int pumps = host.pumps;
        sim.Trace().Clear();
        life.OnDeviceChange(c.event, c.broadcast);
        EXPECT_TRUE(sim.Trace().Lines().empty()) << sim.Trace().Lines().front();
        EXPECT_EQ(device.devicePresent, c.plugged ? 1 : 0);
        EXPECT_EQ(static_cast<bool>(device.presence), c.plugged);
        EXPECT_EQ(DeviceLabel(), c.plugged ? u"On" : u"Off");
        EXPECT_EQ(host.pumps, pumps + 1);  // pending messages run after every notification
        life.Shutdown();
    }
}

TEST_F(LifecycleTest, TimerRotatesOnlyWithTheHeadsetPresent) {
    StartPanel(true);
    sim.Trace().Clear();
    life.OnTimer();
    EXPECT_EQ(Count(kSpeakers), 0u);
    state.rotateClockwise = 1;
    life.OnTimer();
    EXPECT_EQ(Count(kSpeakers), 1u);
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    life.OnTimer();
    EXPECT_EQ(Count(kSpeakers), 1u);
}

TEST_F(LifecycleTest, ExitMessageClosesIntoTheNeutralShutdown) {
    StartPanel(true);
    OnEqSwitch(ctx);
    On3DSwitch(ctx);
    OnEffectButton(ctx, 4);
    OnVirtualSwitch(ctx);
    ASSERT_NE(sim.Chip().Register(0x100) & 0x04, 0);
    sim.Trace().Clear();

    EXPECT_FALSE(life.WindowMessage(0x0010));
    EXPECT_TRUE(sim.Trace().Lines().empty());
    EXPECT_TRUE(life.WindowMessage(life.ExitMessage()));

    EXPECT_EQ(sim.Trace().Lines().front(), "HOST CLOSE");
    EXPECT_NE(LastProfile().find("[EQ]"), std::string::npos);
    // The EQ path is off; the chip's other bits of 0x100 are as they powered up.
    EXPECT_EQ(sim.Chip().Register(0x100), SimChip::kPathRegisterPowerOn);
    EXPECT_NE(sim.Chip().Register(0x129) & 0x80, 0);  // EQ bypassed
    EXPECT_EQ(sim.Chip().Register(0x129) & 0x10, 0);  // 3D not in the path
    EXPECT_EQ(sim.Chip().Register(0x18A) & 0x40, 0);  // 3D off
    EXPECT_EQ(state.eqEnabled, 1);                    // saved as it was
    EXPECT_EQ(state.virtualEnabled, 0);
    const auto effects = sim.Trace().Filter(kSelectEffect);
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(effects[0].rfind("DRV 002230F0 0000000000000000 ", 0), 0u) << effects[0];
    const auto tables = sim.Trace().Filter(kSpeakers);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_NE(tables[0].find("enable=0"), std::string::npos);
    EXPECT_FALSE(device.presence);
    const auto& lines = sim.Trace().Lines();
    // The neutral exchange's idle report and close, then the presence handle's close.
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"HID SET 00 00 00 00 00", "HID CLOSE", "HID CLOSE"}));
}

// The exit message waiting in the queue is handled inside the page switch's pump: the panel
// shuts down there, and from then on nothing of the panel reaches the headset, the driver or
// the microphone.
TEST_F(LifecycleTest, AfterAShutdownInsideAPageSwitchNothingReachesTheDevices) {
    StartPanel(true);
    OnEqSwitch(ctx);
    window.ShowPage(PAGE_MIC);
    host.onPump = [this] { life.WindowMessage(life.ExitMessage()); };
    window.ShowPage(PAGE_EQ);
    EXPECT_EQ(sim.Chip().Register(0x100), SimChip::kPathRegisterPowerOn);
    const auto& lines = sim.Trace().Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"HID SET 00 00 00 00 00", "HID CLOSE", "HID CLOSE"}));

    sim.Trace().Clear();
    state.rotateClockwise = 1;
    life.OnTimer();
    Click("EQEQENImage");
    window.ShowPage(PAGE_MIC);
    window.ShowPage(PAGE_VIRTUAL);
    Click("VirtualResetImage");
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &hidHeadset);
    EXPECT_TRUE(sim.Trace().Lines().empty()) << sim.Trace().Lines().front();
    EXPECT_EQ(sim.Chip().Register(0x100), SimChip::kPathRegisterPowerOn);
}

TEST_F(LifecycleTest, ShutdownSavesTheSettingsBeforeItNeutralisesTheHeadset) {
    StartPanel(true);
    state.workingEq.Gain[0] = 0x7FF;
    PresetStore(state, state.currentPreset - 1);
    state.d3.LeftAlpha = 5;
    life.Shutdown();
    // Saved after the EQ and 3D resets, the profile would hold their defaults (0x400, 10).
    const std::string profile = LastProfile();
    EXPECT_NE(profile.find("S1=0x7FF,0x400,0x400,0x400,0x400,0"), std::string::npos) << profile;
    EXPECT_NE(profile.find("LeftAlpha=5"), std::string::npos) << profile;
    EXPECT_EQ(state.workingEq.Gain[0], 0x400);  // and the headset was neutralised afterwards
}

TEST_F(LifecycleTest, SecondInstanceEndsBeforeAnyDeviceTraffic) {
    StartPanel(true);
    OnEqSwitch(ctx);
    life.Shutdown();  // the first run leaves a last profile with the EQ on
    const std::string lastProfile = LastProfile();
    ASSERT_NE(lastProfile.find("[EQ]"), std::string::npos);
    sim.Chip().PowerOn();
    const int powerOn = sim.Chip().Register(0x100);

    lifeHost.otherInstance = true;
    StartPanel(true);  // the running panel owns the headset now
    EXPECT_EQ(sim.Trace().Lines(), (std::vector<std::string>{"HOST BUILD", "HOST CLAIM"}));
    life.Shutdown();  // its window goes: still nothing sent, nothing saved
    EXPECT_EQ(sim.Trace().Lines(), (std::vector<std::string>{"HOST BUILD", "HOST CLAIM"}));
    EXPECT_EQ(sim.Chip().Register(0x100), powerOn);
    EXPECT_EQ(LastProfile(), lastProfile);
}

// The session's end and the window's destruction both ask for the shutdown.
TEST_F(LifecycleTest, ShutdownRunsOnceWhicheverEndComesFirst) {
    StartPanel(true);
    OnEqSwitch(ctx);
    life.Shutdown();
    EXPECT_EQ(Count(kSelectEffect), 1u);
    EXPECT_EQ(sim.Chip().Register(0x100) & 0x04, 0);  // the EQ path is off
    fs::remove(HostFsPath(folder.File(u"AppData\\QLN47xx\\LastProfile.ini")));
    sim.Trace().Clear();
    life.Shutdown();
    EXPECT_TRUE(sim.Trace().Lines().empty());
    EXPECT_FALSE(fs::exists(HostFsPath(folder.File(u"AppData\\QLN47xx\\LastProfile.ini"))));
}

// A profile edited by hand or damaged: speaker positions at the ends of int's range go through
// the load, the speaker table, rotation, dragging, hit-testing, repainting and the next save
// without an overflow (the sanitizers watch every step).
TEST_F(LifecycleTest, ExtremeSpeakerPositionsInTheLastProfileOverflowNothing) {
    fs::create_directories(HostFsPath(folder.File(u"AppData\\QLN47xx")));
    std::ofstream(HostFsPath(folder.File(u"AppData\\QLN47xx\\LastProfile.ini")), std::ios::binary)
        << "[EQ]\r\nS1=0x400,0x400,0x400,0x400,0x400,0\r\nS2=0x400,0x400,0x400,0x400,0x400,0\r\n"
           "S3=0x400,0x400,0x400,0x400,0x400,0\r\nS4=0x400,0x400,0x400,0x400,0x400,0\r\n"
           "[3D]\r\nLeftAlpha=2147483647\r\nLeftBeta=-2147483648\r\nRightAlpha=0\r\n"
           "RightBeta=0\r\nFBM=0\r\n3DEN=0\r\n[Effect]\r\nCurrentEffect=-2147483648\r\n"
           "[Virtual7ch1]\r\nC=2147483647,2147483647\r\nL=-2147483648,-2147483648\r\n"
           "LS=2147483647,-2147483648\r\nLB=-2147483648,2147483647\r\nRB=0,2147483647\r\n"
           "RS=-2147483647,0\r\nSUB=2147483600,-2147483600\r\nR=1,1\r\n7ch1EN=1\r\n";
    StartPanel(true);
    EXPECT_EQ(profileHost.problems, 0);
    EXPECT_EQ(Get("VirtualCImage").bounds.left, 2147483647);
    EXPECT_EQ(Get("VirtualLImage").bounds.top, -2147483647 - 1);
    ASSERT_EQ(Count(kSpeakers), 3u);  // the design's table, the reset circle's, the profile's

    const SceneSnapshot painted = Take(window.GetScene());
    window.ShowPage(PAGE_VIRTUAL);
    for (const Point at : {Point{32767, 32767}, Point{-32768, 0}, Centre("VirtualRImage")}) {
        window.MouseDown(MouseButton::Left, at);
        window.MouseMove({32767, -32768});  // the platform's pointer is 16-bit
        window.MouseMove({-32768, 32767});
        window.MouseUp(MouseButton::Left, at);
    }
    state.rotateClockwise = 1;
    for (int tick = 0; tick < 3; ++tick) {
        life.OnTimer();
    }
    EXPECT_FALSE(Changed(painted, window.GetScene()).empty());

    life.Shutdown();
    const std::string saved = LastProfile();
    EXPECT_NE(saved.find("[Virtual7ch1]"), std::string::npos);
    EXPECT_NE(saved.find("CurrentEffect=1\r\n"), std::string::npos);  // held to effects 1-5
}

// Changes to the microphone made elsewhere reach the panel through the platform's watch, whose
// notices arrive later through the window's queue (here: posted).
class MicFollowTest : public LifecycleTest {
protected:
    MicFollowTest() {
        // The mute switch's two pictures, so that its display shows in the scene.
        for (const char* key : {"MicMuteImageUp", "MicMuteImageDown"}) {
            look.images[key].FileName = std::u16string(key, key + std::strlen(key)) + u".bmp";
        }
        life.SetMicWatch(*watch);
    }

    void UseLegacyMixer() { sim.Os().info = {2, 5, 1}; }  // XP
    // The window handles what was posted, in order.
    void Deliver() {
        while (!posted.empty()) {
            const MicNotice notice = posted.front();
            posted.pop_front();
            life.OnMicNotice(notice);
        }
    }
    size_t Writes() { return Count("EP SET") + Count("MIX WRITE"); }

    std::deque<MicNotice> posted;
    std::unique_ptr<IMicWatch> watch =
        sim.Microphone().NewWatch([this](const MicNotice& n) { posted.push_back(n); });
};

TEST_F(MicFollowTest, AMuteSetElsewhereIsShownOnceItsNoticeArrivesAndNothingIsWritten) {
    for (const bool legacy : {false, true}) {
        SCOPED_TRACE(legacy ? "mixer" : "endpoint");
        state = PanelState();
        if (legacy) {
            UseLegacyMixer();
        }
        StartPanel(true);
        ASSERT_EQ(sim.Microphone().Watchers(), 1);
        EXPECT_EQ(Count(legacy ? "MIX WATCH" : "EP WATCH"), 1u);
        window.ShowPage(PAGE_MIC);
        for (const bool muted : {true, false}) {
            const SceneSnapshot before = Take(window.GetScene());
            sim.Trace().Clear();
            sim.Microphone().MuteElsewhere(muted);
            EXPECT_EQ(Count(legacy ? "MIX NOTIFY" : "EP NOTIFY MUTE"), 1u);
            // Never inside the change: only the window's handling of the notice shows it.
            EXPECT_EQ(state.micMute, muted ? 0 : 1);
            Deliver();
            EXPECT_EQ(state.micMute, muted ? 1 : 0);
            EXPECT_FALSE(Changed(before, window.GetScene()).empty());
            EXPECT_EQ(Count(legacy ? "MIX READ-MUTE" : "EP GET-MUTE"), 1u);
            EXPECT_EQ(Writes(), 0u);
        }
        life.Shutdown();
        EXPECT_EQ(sim.Microphone().Watchers(), 0);
    }
}

TEST_F(MicFollowTest, ThePanelsOwnWriteIsNotWrittenAgain) {
    const std::function<void()> writes[] = {
        [this] { OnMicMuteSwitch(ctx); },
        [this] { OnMicSliderMoved(ctx, skin.micTop0 + skin.sliderTravel / 4); },
    };
    for (const bool legacy : {false, true}) {
        SCOPED_TRACE(legacy ? "mixer" : "endpoint");
        if (legacy) {
            UseLegacyMixer();
        }
        StartPanel(true);
        window.ShowPage(PAGE_MIC);
        for (const auto& write : writes) {
            sim.Trace().Clear();
            write();
            ASSERT_EQ(Writes(), 1u);
            EXPECT_EQ(posted.size(), 1u);
            const int32_t mute = state.micMute;
            const int32_t level = state.micLevel;
            const size_t traffic = sim.Trace().Lines().size();
            Deliver();
            EXPECT_EQ(Writes(), 1u);
            EXPECT_EQ(state.micMute, mute);
            EXPECT_EQ(state.micLevel, level);
            if (!legacy) {
                // The endpoint's notice carries the values already shown: not even a read.
                EXPECT_EQ(sim.Trace().Lines().size(), traffic) << sim.Trace().Lines().back();
            }
        }
        // Both notices handled after both writes: the first one's values are no longer shown,
        // so the microphone is read again, and still nothing is written.
        sim.Trace().Clear();
        writes[0]();
        writes[1]();
        Deliver();
        EXPECT_EQ(Writes(), 2u);
        life.Shutdown();
    }
}

TEST_F(MicFollowTest, UnplugWithANoticeOnTheWayUnregistersBeforeTheEndpointGoes) {
    StartPanel(true);
    sim.Microphone().MuteElsewhere(true);  // its notice waits in the queue
    sim.Unplug();
    life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
    EXPECT_EQ(sim.Microphone().Watchers(), 0);
    EXPECT_EQ(sim.Microphone().LiveEndpoints(), 0);
    EXPECT_EQ(Lines({"EP NOTIFY REMOVED", "EP UNWATCH"}),
              (std::vector<std::string>{"EP NOTIFY REMOVED", "EP UNWATCH"}));
    ASSERT_EQ(posted.size(), 2u);
    sim.Trace().Clear();
    Deliver();  // stale: the headset is gone
    EXPECT_EQ(Count("EP "), 0u);
    EXPECT_EQ(state.micMute, 0);

    // Back again: watched again, and a change elsewhere is followed.
    PlugIn();
    EXPECT_EQ(sim.Microphone().Watchers(), 1);
    sim.Microphone().MuteElsewhere(true);
    Deliver();
    EXPECT_EQ(state.micMute, 1);

    life.Shutdown();
    EXPECT_EQ(sim.Microphone().Watchers(), 0);
    EXPECT_EQ(sim.Microphone().LiveEndpoints(), 0);
    sim.Microphone().MuteElsewhere(false);
    EXPECT_TRUE(posted.empty());
    life.OnMicNotice(MicNotice{});  // one already posted before the end
    EXPECT_EQ(state.micMute, 1);
}

TEST_F(MicFollowTest, TheEndpointRemovedAloneEndsTheWatchAndADefaultChangeFindsItAgain) {
    StartPanel(true);
    life.OnMicNotice(MicNotice{MicChange::Removed});
    EXPECT_EQ(sim.Microphone().Watchers(), 0);
    EXPECT_EQ(sim.Microphone().LiveEndpoints(), 0);
    life.OnMicNotice(MicNotice{MicChange::DefaultDevice});
    EXPECT_EQ(sim.Microphone().Watchers(), 1);
    EXPECT_EQ(sim.Microphone().LiveEndpoints(), 1);  // the watch's own
    life.Shutdown();
}

TEST(MicNoticeTest, PackedNoticesComeBackAsTheyWere) {
    const MicNotice notices[] = {
        {MicChange::Controls, true, 1, 100},     {MicChange::Controls, true, 0, 0},
        {MicChange::Controls, false, 0, 0},      {MicChange::Removed, false, 0, 0},
        {MicChange::DefaultDevice, false, 0, 0},
    };
    for (const MicNotice& n : notices) {
        const MicNotice back = UnpackMicNotice(static_cast<uint32_t>(n.change), PackMicNotice(n));
        EXPECT_EQ(back.change, n.change);
        EXPECT_EQ(back.valuesKnown, n.valuesKnown);
        EXPECT_EQ(back.mute, n.mute);
        EXPECT_EQ(back.level, n.level);
    }
    // A level out of range is held to 100 both ways.
    EXPECT_EQ(UnpackMicNotice(1, PackMicNotice({MicChange::Controls, true, 0, 250})).level, 100u);
    EXPECT_EQ(UnpackMicNotice(1, 0x200 | 0xFF).level, 100u);
}

}  // namespace
