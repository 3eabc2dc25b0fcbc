// The presentation on the simulated headset with the product's skins and languages: start-up,
// the Skin and Language menus, the tray menu and hint, About, and the single-instance rule.
#include "Presentation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "ControlTags.h"
#include "PanelError.h"
#include "SingleInstance.h"
#include "TestFiles.h"
#include "UiFixture.h"
#include "UserActions.h"
#include "UserChoice.h"

namespace fs = std::filesystem;

namespace {

fs::path SourceFsPath(const std::string& relative) {
    return fs::u8path(std::string(AUDIO_SOURCE_DIR) + "/" + relative);
}

std::u16string Wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

class DiskListing : public IFolderListing {
public:
    std::vector<std::u16string> Subfolders(const std::u16string& folder) override {
        std::vector<std::u16string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(HostFsPath(folder), ec)) {
            if (entry.is_directory()) {
                names.push_back(Wide(entry.path().filename().string()));
            }
        }
        return names;
    }
    bool FileExists(const std::u16string& path) override {
        std::error_code ec;
        return fs::is_regular_file(HostFsPath(path), ec);
    }
    bool CreateFolder(const std::u16string& path) override {
        std::error_code ec;
        fs::create_directory(HostFsPath(path), ec);
        return fs::is_directory(HostFsPath(path), ec);
    }
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override {
        std::error_code ec;
        return fs::copy_file(HostFsPath(from), HostFsPath(to), ec);
    }
};

class FakeTray : public ITrayHost {
public:
    bool LoadIcon(const std::u16string& path) override {
        icon = path;
        return fs::is_regular_file(HostFsPath(path));
    }
    void SetTrayHint(const std::u16string& h) override { hint = h; }
    void SetApplicationTitle(const std::u16string& t) override { title = t; }
    std::u16string icon, hint, title;
};

const char16_t kInstallFolder[] = u"QLN47xx Audio";

// The product folder copied as the program folder, with the per-user AudioConfig.cfg.
class PresentationTest : public UiTest {
protected:
    PresentationTest() {
        fs::copy(SourceFsPath("product"), HostFsPath(folder.File(u"Program")),
                 fs::copy_options::recursive);
        fs::create_directories(HostFsPath(UserDir()));
        fs::copy_file(SourceFsPath("product/AudioConfig.cfg"),
                      HostFsPath(UserConfigPath(folder.File(u"AppData"), kInstallFolder)));
        Start();
    }

    std::u16string UserDir() const { return folder.File(u"AppData\\") + kInstallFolder; }
    std::u16string ProgramFolder() const { return folder.File(u"Program\\"); }

    PresentationConfig Config() const {
        return {ProgramFolder(),        u"Skin",           u"Language",
                u"QLN47xx Audio Panel", u"AudioPanel.ico", kInstallFolder,
                folder.File(u"AppData")};
    }

    std::u16string UserValue(const char16_t* section, const char16_t* key) {
        char16_t buffer[128] = {};
        strings.GetString(section, key, u"", buffer, 128,
                          UserConfigPath(folder.File(u"AppData"), kInstallFolder));
        return buffer;
    }

    static std::vector<std::u16string> Captions(const MenuItem& menu) {
        std::vector<std::u16string> captions;
        for (const MenuItem& item : menu.items) {
            captions.push_back(item.caption);
        }
        return captions;
    }
    static std::u16string Checked(const MenuItem& menu) {
        for (const MenuItem& item : menu.items) {
            if (item.checked) {
                return item.caption;
            }
        }
        return u"(none)";
    }

    TempFolder folder;
    DiskListing listing;
    IProfileStrings& strings = PlatformProfileStrings();
    FakeTray tray;
    Presentation presentation{window, skin, listing, strings, host, tray, Config()};
};

TEST_F(PresentationTest, GraphiteAndEnglishStartWithMenusHintAndOverrides) {
    ASSERT_NO_THROW(presentation.Build());

    EXPECT_EQ(tray.icon, ProgramFolder() + u"AudioPanel.ico");
    EXPECT_EQ(tray.hint, u"QLN47xx Audio Panel");
    EXPECT_EQ(tray.title, u"QLN47xx Audio Panel");
    EXPECT_EQ(look.appTitle, u"QLN47xx Audio Panel");

    const std::vector<MenuItem> menu = presentation.PopupMenu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].name, u"LanguageMenu");
    EXPECT_EQ(menu[0].caption, u"Language");
    EXPECT_EQ(menu[1].name, u"SkinMenu");
    EXPECT_EQ(menu[1].caption, u"Skin");
    EXPECT_EQ(menu[2].name, u"HotkeysMenu");
    EXPECT_EQ(menu[2].caption, u"Hotkeys...");
    EXPECT_TRUE(menu[2].items.empty());
    EXPECT_EQ(menu[3].name, u"CloseMenu");
    EXPECT_EQ(menu[3].caption, u"Close");
    EXPECT_TRUE(menu[3].items.empty());
    // Folders English, French, German, Spanish, captioned from [MultiLanguageFolderMap].
    EXPECT_EQ(Captions(menu[0]), (std::vector<std::u16string>{u"English", u"Fran\u00e7ais",
                                                              u"Deutsch", u"Espa\u00f1ol"}));
    EXPECT_EQ(Checked(menu[0]), u"English");
    EXPECT_EQ(Captions(menu[1]), (std::vector<std::u16string>{u"Aurora", u"Graphite"}));
    EXPECT_EQ(Checked(menu[1]), u"Graphite");

    // Graphite's geometry and pictures, and its [MainLable] colour over English's text.
    EXPECT_EQ(skin.radius, 70);
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Graphite\\");
    const LabelStyle& menu1 = StyleOf(presentation.Language(), u"LabelMenu1");
    EXPECT_FALSE(menu1.Text.empty());
    EXPECT_EQ(menu1.ColorUp, 0x00EAE4DC);
    EXPECT_EQ(Get("Menu1Label").caption, menu1.Text);
    EXPECT_EQ(Get("Menu1Label").colour, 0x00EAE4DC);
    EXPECT_TRUE(host.messages.empty());

    // The panel starts in the notification area; restore and minimise switch it.
    EXPECT_FALSE(presentation.WindowShown());
    presentation.Restore();
    EXPECT_TRUE(presentation.WindowShown());
    presentation.Minimize();
    EXPECT_FALSE(presentation.WindowShown());
    EXPECT_EQ(host.hides, 1);

    const AboutContent about = presentation.About();
    EXPECT_EQ(about.caption, StyleOf(presentation.Language(), u"LabelMenu3").Text);
    EXPECT_EQ(about.text.Text, StyleOf(presentation.Language(), u"LabelAbout").Text);
    EXPECT_FALSE(about.text.Text.empty());
    EXPECT_EQ(about.logo.FileName, u"AboutLogo.png");
    EXPECT_EQ(about.logoFolder, ProgramFolder() + u"Skin\\Graphite\\");
}

TEST_F(PresentationTest, HintAndTitleAreCutTo31Characters) {
    const std::u16string longText = u"An application title of forty-odd chars";
    ASSERT_GT(longText.size(), 31u);
    strings.WriteString(u"TrayIconHint", u"HintName", longText,
                        ProgramFolder() + u"AudioConfig.cfg");
    PresentationConfig config = Config();
    config.installAppTitle = longText;
    Presentation cut(window, skin, listing, strings, host, tray, config);
    cut.Build();
    EXPECT_EQ(tray.hint, longText.substr(0, 31));
    EXPECT_EQ(tray.title, longText.substr(0, 31));
}

TEST_F(PresentationTest, SkinSwitchScalesSpeakersByRadiusRatioAndIsRemembered) {
    presentation.Build();
    OnVirtualResetButton(ctx);  // speakers on Graphite's circle, radius 70
    const RotationState before = state.rotation;
    state.micLevel = 50;  // as the microphone display last showed it

    presentation.SkinMenuClick(0);  // Aurora: centre (168, 158), radius 62

    EXPECT_EQ(skin.radius, 62);
    for (int k = 0; k < kSpeakerCount; ++k) {
        SCOPED_TRACE(k);
        const double distance = before.distance[k] * 62.0 / 70.0;
        EXPECT_DOUBLE_EQ(state.rotation.distance[k], distance);
        const Control* icon = window.GetScene().FindImageByTag(TAG_SPEAKER_L + k);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->bounds.left, static_cast<int>(168 + std::cos(before.angle[k]) * distance));
        EXPECT_EQ(icon->bounds.top, static_cast<int>(158 - std::sin(before.angle[k]) * distance));
    }
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"Aurora");
    // The microphone slider keeps showing the level, on Aurora's travel (Top 98..218).
    EXPECT_EQ(Get("MicSliderImage").bounds.top, 98 + 60);
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Aurora\\");
    EXPECT_EQ(Get("Menu1Label").colour, 0x005E2A3D);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Aurora");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), u"English");
}

TEST_F(PresentationTest, SkinMenuSortsWithoutCaseAndChecksTheChoice) {
    const fs::path skins = HostFsPath(ProgramFolder() + u"Skin");
    for (const char* name : {"b", "A", "c"}) {
        fs::copy(skins / "Graphite", skins / name, fs::copy_options::recursive);
    }
    fs::remove_all(skins / "Graphite");
    fs::remove_all(skins / "Aurora");
    strings.WriteString(u"Skin", u"DefaultSkin", u"c",
                        UserConfigPath(folder.File(u"AppData"), kInstallFolder));

    presentation.Build();
    EXPECT_EQ(Captions(presentation.PopupMenu()[1]),
              (std::vector<std::u16string>{u"A", u"b", u"c"}));
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"c");

    presentation.SkinMenuClick(1);
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"b");
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"b");
}

TEST_F(PresentationTest, UnknownSkinChecksFirstItemAndStopsAtTheMissingRegion) {
    strings.WriteString(u"Skin", u"DefaultSkin", u"Missing",
                        UserConfigPath(folder.File(u"AppData"), kInstallFolder));
    try {
        presentation.Build();
        ADD_FAILURE() << "no error";
    } catch (const PanelError& e) {
        EXPECT_NE(e.text().find(u"MainForm_Frame.rgn"), std::u16string::npos) << e.what();
    }
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"Aurora");
}

// A choice that fails to load must not be saved by a later choice: every start would fail on it.
TEST_F(PresentationTest, FailingChoiceKeepsTheOneThatLoadedAndIsNeverWritten) {
    presentation.Build();
    OnVirtualResetButton(ctx);
    const Rect speaker = Get("VirtualLImage").bounds;
    fs::remove(HostFsPath(ProgramFolder() + u"Skin\\Aurora\\MainForm_Frame.rgn"));
    EXPECT_THROW(presentation.SkinMenuClick(0), PanelError);
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"Graphite");
    EXPECT_EQ(presentation.Choice().skin, u"Graphite");
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Graphite\\");
    EXPECT_EQ(skin.radius, 70);
    EXPECT_EQ(Get("VirtualLImage").bounds.left, speaker.left);
    EXPECT_EQ(Get("VirtualLImage").bounds.top, speaker.top);

    strings.WriteString(u"GlobalFont", u"FontSize", u"x",
                        ProgramFolder() + u"Language\\French\\Language.ini");
    EXPECT_THROW(presentation.LanguageMenuClick(1), PanelError);
    EXPECT_EQ(Checked(presentation.PopupMenu()[0]), u"English");
    EXPECT_EQ(Get("Menu1Label").caption, StyleOf(presentation.Language(), u"LabelMenu1").Text);
    EXPECT_EQ(StyleOf(presentation.Language(), u"LabelMenu1").Text, u"Save");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), u"English");

    // The next choice that loads writes the names in force.
    presentation.LanguageMenuClick(2);  // Deutsch
    presentation.LanguageMenuClick(0);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Graphite");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), u"English");
}

// A screen reader reads the tray menu in the language of the panel: captions from [Menu] of the
// chosen Language.ini, the built-in English ones where the file has none.
TEST_F(PresentationTest, TrayMenuReadsInTheChosenLanguage) {
    ASSERT_NO_THROW(presentation.Build());
    const auto captions = [this] {
        std::vector<std::u16string> names;
        for (const MenuItem& item : presentation.PopupMenu())
            names.push_back(item.caption);
        return names;
    };
    using Names = std::vector<std::u16string>;
    EXPECT_EQ(captions(), (Names{u"Language", u"Skin", u"Hotkeys...", u"Close"}));
    presentation.LanguageMenuClick(2);  // Deutsch
    EXPECT_EQ(captions(),
              (Names{u"Sprache", u"Oberfl\u00e4che", u"Tastenk\u00fcrzel...", u"Beenden"}));
    EXPECT_EQ(presentation.HotkeyWords().micMute, u"&Mikrofon stumm:");
    presentation.LanguageMenuClick(1);  // Fran\u00e7ais
    EXPECT_EQ(captions(), (Names{u"Langue", u"Habillage", u"Raccourcis...", u"Quitter"}));

    // A language made before the menu had its names.
    std::ofstream(HostFsPath(ProgramFolder() + u"Language\\Spanish\\Language.ini"))
        << "[Main]\r\nLabelMenu1=Guardar\r\n";
    presentation.LanguageMenuClick(3);
    ASSERT_EQ(Checked(presentation.PopupMenu()[0]), u"Espa\u00f1ol");
    EXPECT_EQ(captions(), (Names{u"Language", u"Skin", u"Hotkeys...", u"Close"}));
    EXPECT_EQ(presentation.HotkeyWords().micMute, HotkeyTexts{}.micMute);
}

// A skin whose notebook and pages sit elsewhere than the catalogue's, on a smaller background.
class MovedSkinTest : public PresentationTest {
protected:
    MovedSkinTest() {
        const fs::path skins = HostFsPath(ProgramFolder() + u"Skin");
        fs::copy(skins / "Graphite", skins / "Moved", fs::copy_options::recursive);
        Set(u"Main", u"BackNotebook", u"280,96,400,320");
        Set(u"EQ", u"EQPanel", u"400,320");
        Set(u"Effect", u"EffectPanel", u"390,310");
        Set(u"Mic", u"MicPanel", u"380,300");
        Set(u"Virtual7ch1", u"VirtualPanel", u"370,290");
        host.sizes[ProgramFolder() + u"Skin\\Graphite\\MainForm.png"] = {800, 500};
        host.sizes[MovedFile(u"MainForm.png")] = {640, 420};
    }
    std::u16string MovedFile(const char16_t* name) const {
        return ProgramFolder() + u"Skin\\Moved\\" + name;
    }
    void Set(const char16_t* section, const char16_t* key, const char16_t* value) {
        strings.WriteString(section, key, value, MovedFile(u"SkinSetting.ini"));
    }
    static constexpr int kMovedItem = 2;  // Aurora, Graphite, Moved
};

TEST_F(MovedSkinTest, NotebookPagesAndClientSizeFollowTheSkin) {
    presentation.Build();
    EXPECT_EQ(host.clientSize.width, 800);  // Graphite's background
    EXPECT_EQ(host.clientSize.height, 500);
    const Point oldS2 = Centre("EQS2Image");
    presentation.SkinMenuClick(kMovedItem);

    const Rect book = Get("BackNotebook").bounds;
    EXPECT_EQ((std::vector<int>{book.left, book.top, book.width, book.height}),
              (std::vector<int>{280, 96, 400, 320}));
    const struct {
        int page;
        Size size;
    } panels[] = {{PAGE_EQ, {400, 320}},
                  {PAGE_3D, {365, 292}},  // no key: the design size
                  {PAGE_EFFECT, {390, 310}},
                  {PAGE_MIC, {380, 300}},
                  {PAGE_VIRTUAL, {370, 290}}};
    for (const auto& p : panels) {
        SCOPED_TRACE(p.page);
        const Rect& b = window.GetScene().PagePanel(p.page).bounds;
        EXPECT_EQ(b.width, p.size.width);
        EXPECT_EQ(b.height, p.size.height);
    }
    EXPECT_EQ(host.clientSize.width, 640);
    EXPECT_EQ(host.clientSize.height, 420);
    EXPECT_EQ(host.windowSize.width, 800);  // the region's bounding box came first
    EXPECT_EQ(host.windowSize.height, 500);

    // Presses land where the preset button now is, not where it was.
    ASSERT_NE(state.currentPreset, 2);
    window.MouseDown(MouseButton::Left, oldS2);
    window.MouseUp(MouseButton::Left, oldS2);
    EXPECT_NE(state.currentPreset, 2);
    const Point newS2 = Centre("EQS2Image");
    EXPECT_EQ(newS2.x - oldS2.x, 280 - 392);
    EXPECT_EQ(newS2.y - oldS2.y, 96 - 104);
    Click("EQS2Image");
    EXPECT_EQ(state.currentPreset, 2);
}

// The keys read before the failing one were applied; the choice then goes back to the skin that
// loaded last, its geometry included.
TEST_F(MovedSkinTest, AFailingGeometryKeyGoesBackToTheSkinThatLoaded) {
    presentation.Build();
    const Rect notebook = Get("BackNotebook").bounds;
    const Rect eqPage = window.GetScene().PagePanel(PAGE_EQ).bounds;
    Set(u"Effect", u"EffectPanel", u"wide,310");
    EXPECT_THROW(presentation.SkinMenuClick(kMovedItem), PanelError);
    EXPECT_EQ(Get("BackNotebook").bounds.left, notebook.left);
    EXPECT_EQ(Get("BackNotebook").bounds.width, notebook.width);
    EXPECT_EQ(window.GetScene().PagePanel(PAGE_EQ).bounds.width, eqPage.width);
    EXPECT_EQ(window.GetScene().PagePanel(PAGE_EQ).bounds.height, eqPage.height);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Graphite");
}

TEST_F(PresentationTest, LanguageSwitchKeepsSkinOverrideForMenu1) {
    presentation.Build();
    const LabelStyle english = StyleOf(presentation.Language(), u"LabelMenu1");

    presentation.LanguageMenuClick(2);  // Deutsch

    const LabelStyle german = StyleOf(presentation.Language(), u"LabelMenu1");
    EXPECT_NE(german.Text, english.Text);
    EXPECT_EQ(Get("Menu1Label").caption, german.Text);
    // Graphite's colours stay over the new language's.
    EXPECT_EQ(german.ColorUp, 0x00EAE4DC);
    EXPECT_EQ(german.ColorDown, 0x00FFFFFF);
    EXPECT_EQ(Get("Menu1Label").colour, 0x00EAE4DC);
    EXPECT_EQ(Checked(presentation.PopupMenu()[0]), u"Deutsch");
    EXPECT_EQ(UserValue(u"Language", u"DefaultLanguage"), u"German");
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Graphite");
}

// Any user but the installing one starts without the per-user folder.
TEST_F(PresentationTest, AUserWithoutTheFileStartsOnTheProgramFoldersCopy) {
    const std::u16string user = UserConfigPath(folder.File(u"AppData"), kInstallFolder);
    fs::remove_all(HostFsPath(UserDir()));
    ASSERT_NO_THROW(presentation.Build());
    EXPECT_EQ(Checked(presentation.PopupMenu()[0]), u"English");
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"Graphite");
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Graphite\\");
    ASSERT_TRUE(listing.FileExists(user));

    presentation.SkinMenuClick(0);
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Aurora");
    char16_t shared[128] = {};
    strings.GetString(u"Skin", u"DefaultSkin", u"", shared, 128,
                      ProgramFolder() + u"AudioConfig.cfg");
    EXPECT_EQ(std::u16string(shared), u"Graphite");  // the other users' default is untouched
}

// A profile folder that cannot be made (a file stands in its place): the installed choice shows,
// and a choice lasts the session without touching the other users' file.
TEST_F(PresentationTest, AUserWhoseFolderCannotBeMadeReadsTheProgramFolder) {
    const std::u16string program = ProgramFolder() + u"AudioConfig.cfg";
    strings.WriteString(u"Skin", u"DefaultSkin", u"Aurora", program);
    fs::remove_all(HostFsPath(UserDir()));
    std::ofstream(HostFsPath(UserDir())) << "not a folder";
    ASSERT_NO_THROW(presentation.Build());
    EXPECT_EQ(Checked(presentation.PopupMenu()[1]), u"Aurora");
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Aurora\\");

    presentation.SkinMenuClick(1);
    EXPECT_EQ(look.skinFolder, ProgramFolder() + u"Skin\\Graphite\\");
    char16_t shared[128] = {};
    strings.GetString(u"Skin", u"DefaultSkin", u"", shared, 128, program);
    EXPECT_EQ(std::u16string(shared), u"Aurora");
}

// Two processes on one machine: the named mutexes and the application windows they share.
struct FakeMachine {
    std::set<std::u16string> mutexes;
    std::set<std::u16string> elevated;           // made by a panel with the installer's rights
    std::multimap<std::u16string, int> windows;  // title -> instance id
    std::vector<std::string> log;
};

class FakeInstance : public IInstanceHost {
public:
    FakeInstance(FakeMachine& machine, int id) : machine_(machine), id_(id) {}
    void Open(const std::u16string& title) { machine_.windows.emplace(title, id_); }
    void InstallPointerHook() override { Log("hook"); }
    MutexResult CreateMutex(const std::u16string& name) override {
        Log("create mutex");
        if (auto other = std::move(startsMeanwhile)) {
            startsMeanwhile = nullptr;
            other();
        }
        if (!machine_.mutexes.insert(name).second) {
            // An elevated panel's mutex cannot be opened by this user.
            return machine_.elevated.count(name) ? MutexResult::AccessDenied
                                                 : MutexResult::AlreadyExists;
        }
        return MutexResult::Created;
    }
    std::function<void()> startsMeanwhile;  // another start runs its check in between
    void ClearOwnApplicationText() override {
        Log("clear own text");
        for (auto it = machine_.windows.begin(); it != machine_.windows.end();) {
            it = it->second == id_ ? machine_.windows.erase(it) : std::next(it);
        }
    }
    bool RaiseApplicationWindow(const std::u16string& title) override {
        auto it = machine_.windows.find(title);
        if (it == machine_.windows.end()) {
            Log("raise none");
            return false;
        }
        Log("raise " + std::to_string(it->second));
        return true;
    }
    void Terminate() override { Log("terminate"); }

private:
    void Log(const std::string& what) { machine_.log.push_back(std::to_string(id_) + " " + what); }
    FakeMachine& machine_;
    int id_;
};

TEST(SingleInstance, SecondInstanceRaisesTheFirstAndEnds) {
    const std::u16string title = u"QLN47xx Audio Panel";
    FakeMachine machine;
    FakeInstance first(machine, 1), second(machine, 2);
    first.Open(title);
    EXPECT_TRUE(FormCreate(first, title));
    second.Open(title);  // both hidden application windows carry the title
    EXPECT_FALSE(FormCreate(second, title));
    EXPECT_EQ(machine.log,
              (std::vector<std::string>{"1 hook", "1 create mutex", "2 hook", "2 create mutex",
                                        "2 clear own text", "2 raise 1", "2 terminate"}));

    // Another title is another product: it runs.
    FakeInstance other(machine, 3);
    EXPECT_TRUE(FormCreate(other, u"Other Panel"));
}

// Two starts at the same moment (the Run value and a shortcut at log-on), and a panel started
// elevated by the installer: in each case one panel runs.
TEST(SingleInstance, OnePanelWhenTwoStartAtOnceOrTheFirstIsElevated) {
    const std::u16string title = u"QLN47xx Audio Panel";
    {
        FakeMachine machine;
        FakeInstance first(machine, 1), second(machine, 2);
        first.Open(title);
        second.Open(title);
        bool secondRuns = false;
        first.startsMeanwhile = [&] { secondRuns = FormCreate(second, title); };
        const bool firstRuns = FormCreate(first, title);
        EXPECT_NE(firstRuns, secondRuns);
    }
    {
        FakeMachine machine;
        machine.mutexes.insert(title);
        machine.elevated.insert(title);
        FakeInstance user(machine, 2);
        user.Open(title);
        EXPECT_FALSE(FormCreate(user, title));
    }
}

}  // namespace

// [Hotkeys] of the user's configuration: none in the shipped file; what the user wrote is read at
// start, a bad text kept as it is; a saved one goes into the user's file beside the other keys.
TEST_F(PresentationTest, HotkeysComeFromTheUserConfigurationAndGoBackThere) {
    ASSERT_NO_THROW(presentation.Build());
    for (const HotkeySetting& setting : presentation.Hotkeys()) {
        EXPECT_TRUE(setting.understood);
        EXPECT_TRUE(setting.hotkey.Empty());
    }

    const std::u16string user = UserConfigPath(folder.File(u"AppData"), kInstallFolder);
    strings.WriteString(u"Hotkeys", u"MicMute", u"ctrl + alt + m", user);
    strings.WriteString(u"Hotkeys", u"ShowPanel", u"Ctrl+Hyper+P", user);
    Presentation again{window, skin, listing, strings, host, tray, Config()};
    ASSERT_NO_THROW(again.Build());
    const HotkeySettings& read = again.Hotkeys();
    EXPECT_EQ(read[0].hotkey, (Hotkey{kHotkeyCtrl | kHotkeyAlt, 'M'}));
    EXPECT_FALSE(read[1].understood);
    EXPECT_EQ(read[1].text, u"Ctrl+Hyper+P");

    EXPECT_TRUE(again.SaveHotkey(HotkeyAction::MicMute, u"Shift+F9"));
    EXPECT_EQ(again.Hotkeys()[0].hotkey, (Hotkey{kHotkeyShift, 0x78}));
    EXPECT_EQ(UserValue(u"Hotkeys", u"MicMute"), u"Shift+F9");
    EXPECT_EQ(UserValue(u"Hotkeys", u"ShowPanel"), u"Ctrl+Hyper+P");
    EXPECT_EQ(UserValue(u"Skin", u"DefaultSkin"), u"Graphite");
}
