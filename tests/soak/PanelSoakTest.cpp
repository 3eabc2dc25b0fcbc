// The panel over days of use, compressed: the whole window with the product's skins on the
// simulated headset, through a thousand unplug and plug cycles, page and skin switches and
// rotation ticks. After a warm-up nothing may pile up: heap allocations still held (counted by
// the replaced operator new of this program) and handles the simulator has handed out.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "MainLifecycle.h"
#include "Presentation.h"
#include "TestFiles.h"
#include "UiFixture.h"
#include "UserChoice.h"

namespace fs = std::filesystem;

namespace {

bool IsFolder(const std::u16string& path) {
    std::error_code ec;
    return fs::is_directory(HostFsPath(path), ec);
}

bool IsFile(const std::u16string& path) {
    std::error_code ec;
    return fs::is_regular_file(HostFsPath(path), ec);
}

bool MakeFolder(const std::u16string& path) {
    std::error_code ec;
    fs::create_directory(HostFsPath(path), ec);
    return IsFolder(path);
}

class DiskListing : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override {
        std::vector<std::u16string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(HostFsPath(folder), ec)) {
            if (entry.is_directory()) {
                const std::string name = entry.path().filename().string();
                names.emplace_back(name.begin(), name.end());
            }
        }
        return names;
    }
    bool FileExists(const std::u16string& path) override { return IsFile(path); }
    bool CreateFolder(const std::u16string& path) override { return MakeFolder(path); }
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override {
        std::error_code ec;
        return fs::copy_file(HostFsPath(from), HostFsPath(to), ec);
    }
};

class QuietTray : public ITrayHost {
public:
    bool LoadIcon(const std::u16string& path) override { return IsFile(path); }
    void SetTrayHint(const std::u16string&) override {}
    void SetApplicationTitle(const std::u16string&) override {}
};

class FolderProfileHost : public IProfileHost {
public:
    explicit FolderProfileHost(const TempFolder& folder) : folder_(folder) {}
    std::u16string EnvironmentFolder(const std::u16string& name) override {
        return folder_.File(name == u"APPDATA" ? u"AppData" : u"User");
    }
    bool CreateFolder(const std::u16string& path) override { return MakeFolder(path); }
    bool FileExists(const std::u16string& path) override { return IsFile(path); }
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override {
        std::error_code ec;
        return fs::copy_file(HostFsPath(from), HostFsPath(to), ec);
    }
    bool SaveDialog(const std::u16string&, const std::u16string&, const std::u16string&,
                    std::u16string&) override {
        return false;
    }
    bool OpenDialog(const std::u16string&, const std::u16string&, std::u16string&) override {
        return false;
    }
    void ReportFileProblem(const std::u16string&, const std::u16string&) override {}

private:
    const TempFolder& folder_;
};

class SoakLifecycleHost : public ILifecycleHost {
public:
    uint32_t RegisterMessage(const std::u16string&) override { return 0xC0DE; }
    void BuildPresentation() override { presentation->Build(); }
    bool ClaimSingleInstance() override { return true; }
    bool RegisterDeviceNotifications() override { return true; }
    void Sleep(uint32_t) override {}
    void SendClose() override {}
    Presentation* presentation = nullptr;
};

const char16_t kInstallFolder[] = u"QLN47xx Audio";
// A skin load reads its whole SkinSetting.ini: one every fiftieth cycle keeps the run to seconds.
constexpr int kSkinEvery = 50;
const char* const kPageTabs[] = {"PageEQLabel", "Page3DLabel", "PageEffectLabel", "PageMicLabel",
                                 "PageVirtual7p1Label"};

// What the panel holds at a quiet moment: the same page, skin and plug state each time.
struct Held {
    int64_t allocations;
    int hidHandles;
    int driverHandles;
    int endpoints;
    int waveStreams;
};

class PanelSoakTest : public UiTest {
protected:
    PanelSoakTest() {
        fs::copy(fs::u8path(std::string(AUDIO_SOURCE_DIR) + "/product"),
                 HostFsPath(folder.File(u"Program")), fs::copy_options::recursive);
        MakeFolder(folder.File(u"AppData"));
        MakeFolder(folder.File(u"User"));
        lifeHost.presentation = &presentation;
        life.SetMicWatch(*micWatch);
    }

    // One day of use in a few calls: the headset pulled and put back, a page chosen by its tab,
    // a meter buffer on the Mic page, now and then the other skin, and rotation ticks.
    void Cycle(int n) {
        // Another program's mute, its notice still queued when the headset goes.
        sim.Microphone().MuteElsewhere(n % 2 != 0);
        sim.Unplug();
        life.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE_EVENT, &hidHeadset);
        sim.Plug();
        sim.Chip().PowerOn();
        life.OnDeviceChange(DBT_DEVICEARRIVAL_EVENT, &hidHeadset);
        for (const MicNotice& notice : notices) {
            life.OnMicNotice(notice);
        }
        notices.clear();
        Click(kPageTabs[n % 5]);
        if (sim.Wave().IsOpen()) {
            const int buffer = sim.Wave().Deliver(voice);
            window.OnMeterBuffer(voice.data(), static_cast<uint32_t>(voice.size()), buffer);
        }
        if (n % kSkinEvery == kSkinEvery - 1) {
            presentation.SkinMenuClick((n / kSkinEvery) % 2);
        }
        state.rotateClockwise = n % 2;
        state.rotateCounterClockwise = 1 - n % 2;
        for (int tick = 0; tick < 4; ++tick) {
            life.OnTimer();
        }
        // The simulator's and the fake host's own records, which a real headset does not keep.
        sim.Trace().Clear();
        sim.ExtDriver().ClearCommands();
        sim.Chip().ClearWrites();
        sim.Hid().ClearSentReports();
        host.loads.clear();
    }

    Held Now() {
        return {LiveAllocationCount(), sim.Hid().OpenHandles(), sim.ExtDriver().OpenHandles(),
                sim.Microphone().LiveEndpoints(), sim.Wave().OpenStreams()};
    }

    PresentationConfig Config() const {
        return {folder.File(u"Program\\"), u"Skin",           u"Language",
                u"QLN47xx Audio Panel",    u"AudioPanel.ico", kInstallFolder,
                folder.File(u"AppData")};
    }

    TempFolder folder;
    DiskListing listing;
    QuietTray tray;
    FolderProfileHost profileHost{folder};
    SoakLifecycleHost lifeHost;
    ProfileSession session{ctx, PlatformProfileStrings(), profileHost, folder.File(u"Program\\"),
                           kInstallFolder};
    Presentation presentation{window, skin, listing, PlatformProfileStrings(),
                              host,   tray, Config()};
    MainLifecycle life{window, session, sim.DeviceTree(), sim.OsVersion(), lifeHost};
    const DeviceBroadcast hidHeadset{
        DBT_DEVTYP_DEVICEINTERFACE_TYPE, kHidInterfaceClass,
        u"\\\\?\\HID#VID_3F9C&PID_4712&MI_03#8&1234&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"};
    std::vector<uint8_t> voice = std::vector<uint8_t>(400, 200);
    std::vector<MicNotice> notices;
    std::unique_ptr<IMicWatch> micWatch =
        sim.Microphone().NewWatch([this](const MicNotice& n) { notices.push_back(n); });
};

TEST_F(PanelSoakTest, NothingPilesUpOverAThousandCycles) {
    constexpr int kWarmUp = 2 * kSkinEvery;  // both skins, every page, the meter's buffers
    constexpr int kCycles = 1000;
    sim.Plug();
    ASSERT_TRUE(life.Start());
    ASSERT_EQ(device.devicePresent, 1);
    for (int n = 0; n < kWarmUp; ++n) {
        Cycle(n);
    }
    const Held before = Now();
    for (int n = kWarmUp; n < kWarmUp + kCycles; ++n) {
        Cycle(n);
    }
    const Held after = Now();

    EXPECT_EQ(after.allocations, before.allocations);
    EXPECT_EQ(after.hidHandles, before.hidHandles);
    EXPECT_EQ(before.hidHandles, 1);  // the presence handle
    EXPECT_EQ(after.driverHandles, 0);
    EXPECT_EQ(after.endpoints, before.endpoints);
    EXPECT_EQ(after.endpoints, 1);  // the watch's
    EXPECT_EQ(sim.Microphone().Watchers(), 1);
    EXPECT_EQ(after.waveStreams, before.waveStreams);
    EXPECT_LE(after.waveStreams, 1);
    EXPECT_EQ(device.devicePresent, 1);
    EXPECT_TRUE(host.messages.empty()) << "a warning or error was shown";

    life.Shutdown();
    EXPECT_EQ(sim.Hid().OpenHandles(), 0);
    EXPECT_EQ(sim.Microphone().LiveEndpoints(), 0);
    EXPECT_EQ(sim.Microphone().Watchers(), 0);
    EXPECT_EQ(sim.Wave().OpenStreams(), 0);
}

}  // namespace
