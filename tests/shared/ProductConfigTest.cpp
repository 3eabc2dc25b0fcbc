// The AudioConfig.cfg that ships with the product.
#include <gtest/gtest.h>

#include "AudioConfig.h"
#include "DeviceIdFixtures.h"
#include "DeviceIdMgr.h"
#include "PlatformHelpers.h"
#include "TestFiles.h"

namespace {

const std::u16string kProductConfig = SourcePath("product/AudioConfig.cfg");

}  // namespace

TEST(ProductConfig, IsUtf16AndAcceptsBothOfItsGroups) {
    CIniMgr ini;
    ASSERT_EQ(ini.Load(kProductConfig), 0);
    EXPECT_EQ(ini.encoding(), ENCODING_UTF16LE);

    CDeviceIdMgr usb;
    ASSERT_EQ(usb.LoadGroup(kProductConfig, u"USB_VID_PID"), 0);
    ASSERT_EQ(usb.ids.size(), 1u);
    EXPECT_EQ(usb.ids.begin()->first, u"USB\\VID_3F9C&PID_47XX&REV_0100&MI_00");
    EXPECT_TRUE(usb.IsMatch(u"USB\\VID_3F9C&PID_4712&REV_0100&MI_00"));
    EXPECT_FALSE(usb.IsMatch(u"USB\\VID_3F9C&PID_4712&REV_0100&MI_03"));

    CDeviceIdMgr hid;
    ASSERT_EQ(hid.LoadGroup(kProductConfig, u"HID_VID_PID"), 0);
    ASSERT_EQ(hid.ids.size(), 1u);
    EXPECT_TRUE(hid.IsMatch(u"HID\\VID_3F9C&PID_4712&REV_0100&MI_03"));
}

TEST(ProductConfig, RejectsAnEntryTypedInByHand) {
    // The shipped file plus a line whose code belongs to another ID.
    TempFolder folder;
    CIniMgr shipped;
    ASSERT_EQ(shipped.Load(kProductConfig), 0);
    std::u16string text;
    for (const std::u16string& line : shipped.lines()) {
        text += line + u"\r\n";
        if (line == u"[USB_VID_PID]")
            text += u"Typed=USB\\VID_3F9C&PID_4799&REV_0100&MI_00," +
                    fixtures::U(fixtures::kHeadsetExactCode) + u"\r\n";
    }
    const std::u16string edited = folder.Write(u"AudioConfig.cfg", AsUtf16(text, false));

    CDeviceIdMgr usb;
    ASSERT_EQ(usb.LoadGroup(edited, u"USB_VID_PID"), 0);
    EXPECT_EQ(usb.entries.size(), 2u);
    EXPECT_EQ(usb.ids.size(), 1u);
    EXPECT_EQ(usb.ids.count(u"USB\\VID_3F9C&PID_4799&REV_0100&MI_00"), 0u);
}

TEST(ProductConfig, HasAValueForEveryKeyThePanelAndInstallerRead) {
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;  // null: any non-empty value
    } keys[] = {
        {u"Language", u"LanguageFolderName", u"Language"},
        {u"Language", u"DefaultLanguage", u"English"},
        {u"Skin", u"SkinFolderName", u"Skin"},
        {u"Skin", u"DefaultSkin", nullptr},
        {u"Install", u"InstallAppTitle", nullptr},
        {u"Install", u"InstallIconFileName", nullptr},
        {u"Install", u"InstallFolderName", nullptr},
        {u"Install", u"ShortcutFolderName", nullptr},
        {u"Install", u"AppShortcutName", nullptr},
        {u"Install", u"APPFileName", u"AudioPanelApp"},
        {u"Install", u"UserManualShortcutName", nullptr},
        {u"Install", u"BackgroundWidth", u"0"},
        {u"Install", u"BackgroundHeight", u"0"},
        {u"Install", u"InstallBackgroundFileName", nullptr},
        {u"Uninstall", u"UninstallAppTitle", nullptr},
        {u"Uninstall", u"UninstallIconFileName", nullptr},
        {u"Uninstall", u"UninstallShortcutName", nullptr},
        {u"Uninstall", u"Publisher", nullptr},
        {u"Uninstall", u"UninstallDisplayName", nullptr},
        {u"Uninstall", u"UninstallFileName", nullptr},
        {u"Application", u"DeviceActiveIconFileName", nullptr},
        {u"Application", u"DeviceUnactiveIconFileName", nullptr},
        {u"Application", u"TrayIconRestorOn", nullptr},
        {u"DebugLevel", u"Application", u"0"},
        {u"DebugLevel", u"Service", u"0"},
        {u"TrayIconHint", u"HintName", nullptr},
        {u"MultiLanguageFolderMap", u"English", u"English"},
        {u"MultiLanguageFolderMap", u"German", u"Deutsch"},
        {u"MultiLanguageFolderMap", u"French", u"Fran\u00E7ais"},
        {u"MultiLanguageFolderMap", u"Spanish", u"Espa\u00F1ol"},
    };
    for (const auto& k : keys) {
        std::u16string value;
        EXPECT_EQ(ReadProfileString(kProductConfig, k.section, k.key, value), 0)
            << Narrow(k.section) << "/" << Narrow(k.key);
        if (k.value) {
            EXPECT_EQ(value, k.value) << Narrow(k.section) << "/" << Narrow(k.key);
        }
    }
    // The panel copies the title and the hint through 32-character buffers.
    std::u16string title, hint;
    ReadProfileString(kProductConfig, u"Install", u"InstallAppTitle", title);
    ReadProfileString(kProductConfig, u"TrayIconHint", u"HintName", hint);
    EXPECT_LE(title.size(), 31u);
    EXPECT_LE(hint.size(), 31u);
    // No last profile until the panel has written one.
    std::u16string lastProfile = u"unchanged";
    EXPECT_EQ(ReadProfileString(kProductConfig, u"LastINI", u"Path", lastProfile), 1);
}

TEST(ProductConfig, LoadsIntoThePanelsRecord) {
    _APPLICATION_FOLDER_PATH record;
    LoadAudioConfig(u"AudioConfig.cfg", SourcePath("product/AudioPanelApp.exe"), record);
    EXPECT_EQ(record.APPFileName, u"AudioPanelApp");
    EXPECT_EQ(record.InstallFolderFullPath,
              record.ProgramFilesFolder + record.InstallFolderName + u"\\");
    EXPECT_FALSE(record.InstallFolderName.empty());
}
