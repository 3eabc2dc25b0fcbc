// The panel's presentation at start and on the tray menu's choices: language and skin read,
// tray hint and title, the Language and Skin menus, texts, region, skin pictures; the popup menu
// model, restore and minimise, and the About dialog's content.
//
//   Presentation look(window, geometry, listing, strings, windowHost, tray, config);
//   look.Build();                 // start-up steps 7-10 (ILifecycleHost::BuildPresentation)
//   look.SkinMenuClick(1);        // an item of the Skin submenu
//   look.LanguageMenuClick(0);    // an item of the Language submenu
#pragma once

#include <array>
#include <string>
#include <vector>

#include "AccessibleNames.h"
#include "FolderListing.h"
#include "HotkeySettings.h"
#include "HotkeyTexts.h"
#include "LanguageCatalogue.h"
#include "LanguageStyles.h"
#include "MicStateTexts.h"
#include "PanelWindow.h"
#include "SkinCatalogue.h"
#include "SkinSettings.h"
#include "UserChoice.h"
#include "WindowHost.h"
#include "ports/ProfileStrings.h"

// The fields of AudioConfig.cfg and the folders the presentation needs.
struct PresentationConfig {
    std::u16string applicationFolder;  // with the trailing '\'
    std::u16string skinFolderName;
    std::u16string languageFolderName;
    std::u16string installAppTitle;
    std::u16string installIconFileName;
    std::u16string installFolderName;
    std::u16string appData;  // %APPDATA%
};

// Port: the notification-area icon and the application object.
class ITrayHost {
public:
    virtual ~ITrayHost() = default;
    // Loads the icon file as the application's and the tray's icon; false when unreadable.
    virtual bool LoadIcon(const std::u16string& path) = 0;
    virtual void SetTrayHint(const std::u16string& hint) = 0;
    virtual void SetApplicationTitle(const std::u16string& title) = 0;
};

struct MenuItem {
    std::u16string name;  // component name, empty for the submenus' items
    std::u16string caption;
    bool checked = false;
    std::vector<MenuItem> items;
};

// What the About dialog shows.
struct AboutContent {
    std::u16string caption;  // Text of "LabelMenu3"
    LabelStyle text;         // "LabelAbout", released colour
    SkinImageEntry logo;     // [About] LogoImage
    std::u16string logoFolder;
};

constexpr int kTrayHintLength = 31;
constexpr int kAppTitleLength = 31;
constexpr int kMenuCaptionLength = 63;

class Presentation {
public:
    Presentation(PanelWindow& window, SkinGeometry& geometry, IFolderListing& files,
                 IProfileStrings& strings, IWindowHost& windowHost, ITrayHost& tray,
                 PresentationConfig config);

    // Start-up steps 7-10. Throws PanelError for an unreadable icon, picture, region or number.
    void Build();

    // A failing load throws PanelError; the choice and what is shown stay those of the skin or
    // language that loaded last, and nothing is written.
    void SkinMenuClick(int item);
    void LanguageMenuClick(int item);

    // "Language" (submenu), "Skin" (submenu), "Hotkeys...", "Close", with their check marks; the
    // captions in the chosen language where its Language.ini names them ([Menu]).
    std::vector<MenuItem> PopupMenu() const;
    const std::u16string& TrayHint() const { return hint_; }
    const std::u16string& Title() const { return title_; }
    const UserChoice& Choice() const { return choice_; }
    // [Hotkeys] as the user's configuration held it at start, or as last saved.
    const HotkeySettings& Hotkeys() const { return hotkeys_; }
    const HotkeyTexts& HotkeyWords() const { return hotkeyTexts_; }
    // Into the user's configuration file only (as the skin and language choices); false when it
    // could not be written (it still holds until the panel ends).
    bool SaveHotkey(HotkeyAction action, const std::u16string& text);

    // The window in the notification area or shown; it starts in the notification area.
    void Minimize();
    void Restore();
    bool WindowShown() const { return shown_; }

    AboutContent About() const;

    const SkinLayout& Layout() const { return layout_; }
    const LanguageStyles& Language() const { return language_; }
    // What a screen reader calls the controls no label names, in the chosen language.
    const AccessibleNames& AccessNames() const { return accessNames_; }
    // What the tray and the notice say of the microphone, in the chosen language.
    const MicStateTexts& MicTexts() const { return micTexts_; }

private:
    std::u16string SkinFile(const std::u16string& file) const;
    void ApplyLanguage();
    void LoadSkin();
    // The skin loaded and the sliders and speakers placed on it: the speakers around its centre
    // at their distances rescaled from the previous radius, or back where keepSpeakers says.
    void ShowSkin(const Point* keepSpeakers);
    // A menu choice: load(true) shows it; when that throws, load(false) shows the earlier one
    // again and the error goes on. Written to the user file only when it loaded.
    template <typename Load>
    void Choose(int& checked, std::u16string& name, int item, std::u16string chosen, Load load);
    void ApplyRegion();
    void Overrides();
    std::u16string UserConfig() const;

    PanelWindow& window_;
    SkinGeometry& geometry_;
    IFolderListing& files_;
    IProfileStrings& strings_;
    IWindowHost& windowHost_;
    ITrayHost& tray_;
    PresentationConfig config_;

    UserChoice choice_;
    std::u16string hint_;
    std::u16string title_;
    LanguageCatalogue languages_;
    FolderMenu skins_;
    SkinLayout layout_;
    LanguageStyles language_;
    AccessibleNames accessNames_;
    MicStateTexts micTexts_;
    HotkeySettings hotkeys_;
    HotkeyTexts hotkeyTexts_;
    // LanguageMenu, SkinMenu, HotkeysMenu, CloseMenu.
    std::array<std::u16string, 4> menuCaptions_{u"Language", u"Skin", u"Hotkeys...", u"Close"};
    bool shown_ = false;
};
