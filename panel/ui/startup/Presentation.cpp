#include "Presentation.h"

#include <exception>
#include <utility>

#include "ControlTags.h"
#include "EqOperations.h"
#include "IntoAppearance.h"
#include "MicOperations.h"
#include "PanelError.h"
#include "RegionFile.h"
#include "SkinLayoutScene.h"
#include "SkinSpeakers.h"
#include "WholeRepaint.h"

namespace {

std::u16string Cut(const std::u16string& text, size_t length) {
    return text.size() > length ? text.substr(0, length) : text;
}

}  // namespace

Presentation::Presentation(PanelWindow& window, SkinGeometry& geometry, IFolderListing& files,
                           IProfileStrings& strings, IWindowHost& windowHost, ITrayHost& tray,
                           PresentationConfig config)
    : window_(window),
      geometry_(geometry),
      files_(files),
      strings_(strings),
      windowHost_(windowHost),
      tray_(tray),
      config_(std::move(config)) {}

std::u16string Presentation::SkinFile(const std::u16string& file) const {
    return SkinFilePath(config_.applicationFolder, config_.skinFolderName, choice_.skin, file);
}

std::u16string Presentation::UserConfig() const {
    return UserConfigPath(config_.appData, config_.installFolderName);
}

void Presentation::Overrides() {
    LoadSkinLabelOverrides(strings_, SkinFile(u"SkinSetting.ini"), language_);
    PutLanguageStyles(language_, window_.Look());
    RepaintLabels(window_);
}

void Presentation::ApplyLanguage() {
    const std::u16string file =
        LanguageFilePath(config_.applicationFolder, config_.languageFolderName, choice_.language);
    LoadLanguage(strings_, file, language_);
    Overrides();
    // A screen reader reads the menu in the language of the rest; a file without the names
    // keeps the built-in ones.
    const char16_t* const names[] = {u"LanguageMenu", u"SkinMenu", u"HotkeysMenu", u"CloseMenu"};
    const char16_t* const builtIn[] = {u"Language", u"Skin", u"Hotkeys...", u"Close"};
    for (size_t i = 0; i < menuCaptions_.size(); ++i) {
        char16_t buffer[kMenuCaptionLength + 1] = {};
        strings_.GetString(u"Menu", names[i], builtIn[i], buffer, kMenuCaptionLength + 1, file);
        menuCaptions_[i] = buffer[0] ? buffer : builtIn[i];
    }
    accessNames_.Load(strings_, file);
    micTexts_.Load(strings_, file);
    hotkeyTexts_ = HotkeyTexts{};
    LoadHotkeyTexts(strings_, file, hotkeyTexts_);
}

void Presentation::ApplyRegion() {
    ApplyRegionFile(windowHost_, SkinFile(u"MainForm_Frame.rgn"));
    // Before the first skin load the background has no picture to take the size from.
    const Control* back = window_.GetScene().Find("MainFormImage");
    if (back && !back->picture.empty()) {
        windowHost_.SetClientSize(back->pictureSize.width, back->pictureSize.height);
    }
}

void Presentation::LoadSkin() {
    Scene& scene = window_.GetScene();
    TakeSkinGeometry(scene, layout_);
    try {
        LoadSkinSettings(strings_, SkinFile(u"SkinSetting.ini"), layout_, geometry_);
    } catch (...) {
        PutSkinGeometry(layout_, scene);  // the keys read before the failing one stay applied
        throw;
    }
    PutSkinGeometry(layout_, scene);
    Appearance& look = window_.Look();
    look.images.clear();
    PutSkinImages(layout_, look);
    look.skinFolder = SkinFile(u"");
    ApplySkin(window_);
    ApplyRegion();
}

void Presentation::Build() {
    // The Run value starts the panel for every user; only the installing one has the file.
    const std::u16string userConfig =
        ProvideUserConfig(files_, config_.applicationFolder + u"AudioConfig.cfg", config_.appData,
                          config_.installFolderName);
    choice_ = ReadUserChoice(files_, strings_, userConfig);
    hotkeys_ = ReadHotkeySettings(files_, strings_, userConfig);

    const std::u16string icon = config_.applicationFolder + config_.installIconFileName;
    if (!tray_.LoadIcon(icon)) {
        throw PanelError(u"Cannot load the icon " + icon);
    }
    // A buffer of 32 cuts the hint to 31 characters, as the program's own buffer does.
    char16_t buffer[kTrayHintLength + 1] = {};
    strings_.GetString(u"TrayIconHint", u"HintName", u"", buffer, kTrayHintLength + 1,
                       config_.applicationFolder + u"AudioConfig.cfg");
    hint_ = buffer;
    tray_.SetTrayHint(hint_);
    title_ = Cut(config_.installAppTitle, kAppTitleLength);
    tray_.SetApplicationTitle(title_);
    window_.Look().appTitle = title_;

    languages_ = BuildLanguageCatalogue(files_, strings_, config_.applicationFolder,
                                        config_.languageFolderName, choice_.language);
    skins_ = BuildSkinMenu(files_, config_.applicationFolder + config_.skinFolderName + u"\\",
                           choice_.skin);
    ApplyLanguage();
    ApplyRegion();
    LoadSkin();
    Overrides();
    shown_ = false;
}

void Presentation::ShowSkin(const Point* keepSpeakers) {
    LoadSkin();
    Overrides();
    PanelContext& ctx = window_.Context();
    PlaceEqSliders(ctx, ctx.state.currentPreset - 1);
    // The skin's own slider position would contradict the level shown beside it.
    PlaceMicSlider(ctx);
    if (!keepSpeakers) {
        PlaceSpeakersForSkin(ctx, layout_.previousRadius);
        return;
    }
    for (int k = 0; k < kSpeakerCount; ++k) {
        ctx.view.MoveImage(TAG_SPEAKER_L + k, keepSpeakers[k]);
    }
}

template <typename Load>
void Presentation::Choose(int& checked, std::u16string& name, int item, std::u16string chosen,
                          Load load) {
    const int loadedItem = checked;
    const std::u16string loadedName = name;
    checked = item;
    name = std::move(chosen);
    try {
        load(true);
    } catch (...) {
        // The choice stays the one that loaded last, so no later write saves a name that every
        // start would then fail on; its files are shown again if they still load.
        const std::exception_ptr failure = std::current_exception();
        checked = loadedItem;
        name = loadedName;
        try {
            load(false);
        } catch (...) {
            // The first failure is the one to report.
        }
        std::rethrow_exception(failure);
    }
    WriteUserChoice(files_, strings_, UserConfig(), choice_);
}

void Presentation::SkinMenuClick(int item) {
    if (item < 0 || static_cast<size_t>(item) >= skins_.captions.size()) {
        return;
    }
    // Where the speakers stand, should the earlier skin have to come back.
    Point speakers[kSpeakerCount];
    for (int k = 0; k < kSpeakerCount; ++k) {
        speakers[k] = window_.ImagePosition(TAG_SPEAKER_L + k);
    }
    Choose(skins_.checked, choice_.skin, item,
           SkinNameOfItem(skins_.captions[static_cast<size_t>(item)]),
           [this, &speakers](bool chosen) { ShowSkin(chosen ? nullptr : speakers); });
}

void Presentation::LanguageMenuClick(int item) {
    if (item < 0 || static_cast<size_t>(item) >= languages_.entries.size()) {
        return;
    }
    Choose(languages_.checked, choice_.language, item,
           LanguageOfItem(languages_, languages_.entries[static_cast<size_t>(item)].displayName),
           [this](bool) { ApplyLanguage(); });
}

std::vector<MenuItem> Presentation::PopupMenu() const {
    MenuItem language{u"LanguageMenu", menuCaptions_[0], false, {}};
    for (size_t i = 0; i < languages_.entries.size(); ++i) {
        language.items.push_back({u"",
                                  languages_.entries[i].displayName,
                                  static_cast<int>(i) == languages_.checked,
                                  {}});
    }
    MenuItem skin{u"SkinMenu", menuCaptions_[1], false, {}};
    for (size_t i = 0; i < skins_.captions.size(); ++i) {
        skin.items.push_back({u"", skins_.captions[i], static_cast<int>(i) == skins_.checked, {}});
    }
    return {language,
            skin,
            {u"HotkeysMenu", menuCaptions_[2], false, {}},
            {u"CloseMenu", menuCaptions_[3], false, {}}};
}

bool Presentation::SaveHotkey(HotkeyAction action, const std::u16string& text) {
    // Unwritten, it still holds for this session.
    hotkeys_[static_cast<size_t>(action)] = SettingOf(text);
    return WriteHotkeySetting(files_, strings_, UserConfig(), action, text);
}

void Presentation::Minimize() {
    shown_ = false;
    windowHost_.HideToTray();
}

void Presentation::Restore() {
    shown_ = true;
}

AboutContent Presentation::About() const {
    AboutContent about;
    about.caption = StyleOf(language_, u"LabelMenu3").Text;
    about.text = StyleOf(language_, u"LabelAbout");
    about.logo = SkinImage(layout_, u"About", u"LogoImage");
    about.logoFolder = SkinFile(u"");
    return about;
}
