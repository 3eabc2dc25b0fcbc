// The installer's languages: the list, the "Setup" texts and the chosen language.
#include <gtest/gtest.h>

#include <map>

#include "PlatformHelpers.h"
#include "SetupFakes.h"
#include "SetupLanguages.h"
#include "TestFiles.h"

namespace {

class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        m.files.AddFile(u"C:\\Media\\AudioConfig.cfg",
                        "[Language]\r\nDefaultLanguage=German\r\n"
                        "[MultiLanguageFolderMap]\r\nEnglish=English\r\nGerman=Deutsch\r\n"
                        "chinese=Chinese\r\nEmpty=\r\n");
        for (const char16_t* name : {u"German", u"English", u"chinese", u"Empty", u"Unlisted"})
            m.files.AddFile(u"C:\\Media\\Language\\" + std::u16string(name) + u"\\Language.ini",
                            "[Setup]\r\n");
        m.files.AddFile(u"C:\\Media\\Language\\NotAFolder.ini", "");
    }

    SetupMachine m;
};

TEST_F(Languages, OffersOnlyFoldersWithADisplayNameSortedWithoutRegardToCase) {
    LanguageList list;
    EXPECT_EQ(FillLanguageList(m.files, m.system, m.state.Folders,
                               ReadDefaultLanguage(m.system, m.state.Folders), list),
              3);
    EXPECT_EQ(list.folderNames, (std::vector<std::u16string>{u"chinese", u"English", u"German"}));
    EXPECT_EQ(list.displayNames, (std::vector<std::u16string>{u"Chinese", u"English", u"Deutsch"}));
    EXPECT_EQ(list.selected, 2);
}

TEST_F(Languages, ChosenLanguageComparesExactlyElseTheFirstIsSelected) {
    LanguageList list;
    FillLanguageList(m.files, m.system, m.state.Folders, u"german", list);
    EXPECT_EQ(list.selected, 0);
}

TEST_F(Languages, NoSubfoldersLeavesBothListsEmptyAndNothingSelected) {
    m.state.Folders.LanguageFolderName = u"Nothing";
    LanguageList list;
    EXPECT_EQ(FillLanguageList(m.files, m.system, m.state.Folders, u"German", list), 0);
    EXPECT_TRUE(list.displayNames.empty());
    EXPECT_EQ(list.selected, -1);
}

TEST_F(Languages, StartUsesTheChosenFolderAndSwitchingWritesTheChoiceBack) {
    m.files.AddFile(u"C:\\Media\\Language\\German\\Language.ini",
                    "[Setup]\r\nLabelNextBtn=Weiter\r\n");
    m.files.AddFile(u"C:\\Media\\Language\\English\\Language.ini",
                    "[Setup]\r\nLabelNextBtn=Next\r\n");
    LanguageList list;
    SetupTexts texts;
    LoadStartupLanguage(m.files, m.system, m.state.Folders, list, texts);
    EXPECT_EQ(texts[LabelNextBtn].Text, u"Weiter");
    ASSERT_TRUE(SwitchLanguage(m.system, m.state.Folders, list, 1, texts));
    EXPECT_EQ(texts[LabelNextBtn].Text, u"Next");
    EXPECT_EQ(ReadDefaultLanguage(m.system, m.state.Folders), u"English");
    EXPECT_FALSE(SwitchLanguage(m.system, m.state.Folders, list, 3, texts));
}

TEST_F(Languages, UnlistedDefaultLanguageStillGivesItsTexts) {
    m.state.Folders.LanguageFolderName = u"Lang";
    m.files.AddFile(u"C:\\Media\\Lang\\German\\Language.ini", "[Setup]\r\nLabelNextBtn=Weiter\r\n");
    m.files.AddFile(u"C:\\Media\\AudioConfig.cfg", "[Language]\r\nDefaultLanguage=German\r\n");
    LanguageList list;
    SetupTexts texts;
    LoadStartupLanguage(m.files, m.system, m.state.Folders, list, texts);
    EXPECT_TRUE(list.folderNames.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(texts[LabelNextBtn].Text, u"Weiter");
}

TEST_F(Languages, ChoiceIsWrittenBackUnlessTheMediumIsReadOnly) {
    EXPECT_EQ(WriteDefaultLanguage(m.system, m.state.Folders, u"English"), 0);
    EXPECT_EQ(ReadDefaultLanguage(m.system, m.state.Folders), u"English");
    m.files.cannotOpen.insert(u"C:\\Media\\AudioConfig.cfg");
    EXPECT_EQ(WriteDefaultLanguage(m.system, m.state.Folders, u"German"), 1);
    EXPECT_EQ(ReadDefaultLanguage(m.system, m.state.Folders), u"English");
}

TEST(LabelStyles, FieldsInOrderAndEmptyFieldsKeepTheRecord) {
    LabelStyle record;
    ASSERT_TRUE(ParseLabelStyle(u"Hello,$0000FF,0x00FF00,Tahoma,10, 16,-24,x1F,X20,extra", record));
    EXPECT_EQ(record.Text, u"Hello");
    EXPECT_EQ(record.ColorUp, 0xFF);
    EXPECT_EQ(record.ColorDown, 0xFF00);
    EXPECT_EQ(record.FontName, std::u16string(u"Tahoma"));
    EXPECT_EQ(record.FontSize, 10);
    EXPECT_EQ(record.Left, 16);
    EXPECT_EQ(record.Top, -24);
    EXPECT_EQ(record.Width, 0x1F);
    EXPECT_EQ(record.Height, 0x20);

    ASSERT_TRUE(ParseLabelStyle(u"Next,,,Arial,12", record));
    EXPECT_EQ(record.Text, u"Next");
    EXPECT_EQ(record.ColorUp, 0xFF);
    EXPECT_EQ(record.FontName, std::u16string(u"Arial"));
    EXPECT_EQ(record.FontSize, 12);
    EXPECT_EQ(record.Height, 0x20);

    // The text is always taken, even when empty; quotes mean nothing.
    ASSERT_TRUE(ParseLabelStyle(u"", record));
    EXPECT_EQ(record.Text, u"");
    ASSERT_TRUE(ParseLabelStyle(u"\"Quoted\"", record));
    EXPECT_EQ(record.Text, u"\"Quoted\"");
}

TEST(LabelStyles, NumbersThatAreNotIntegersStopTheRecord) {
    for (const char16_t* bad : {u"12px", u"1.5", u"0x", u"$G0", u"- 3", u"99999999999"}) {
        LabelStyle record;
        EXPECT_FALSE(ParseLabelStyle(u"T," + std::u16string(bad), record));
        EXPECT_FALSE(record.ColorUp.has_value());
    }
    LabelStyle record;
    EXPECT_FALSE(ParseLabelStyle(u"T,1,2,F,3,4,oops,6,7", record));
    EXPECT_EQ(record.Left, 4);
    EXPECT_FALSE(record.Width.has_value());
}

TEST(LabelStyles, EmptyAndNullTextsHideALabel) {
    LabelStyle record;
    EXPECT_FALSE(IsLabelShown(record));
    record.Text = u"(null)";
    EXPECT_FALSE(IsLabelShown(record));
    record.Text = u"Install";
    EXPECT_TRUE(IsLabelShown(record));
}

TEST_F(Languages, SwitchingKeepsWhatTheNewLanguageDoesNotGive) {
    m.files.AddFile(
        u"C:\\Media\\Language\\English\\Language.ini",
        "[Setup]\r\nLabelInstall=Installing...,,,Verdana,11\r\nLabelTitle=Audio Setup\r\n"
        "LabelWarning2=Failed \r\n");
    m.files.AddFile(u"C:\\Media\\Language\\German\\Language.ini",
                    "[Setup]\r\nLabelInstall=Installiere...\r\n");
    SetupTexts texts;
    ASSERT_TRUE(LoadSetupTexts(m.system, m.state.Folders, u"English", texts));
    EXPECT_EQ(WizardTitle(texts, u"1.0.0.2"), u"Audio Setup (V1.0.0.2)");
    ASSERT_TRUE(LoadSetupTexts(m.system, m.state.Folders, u"German", texts));
    EXPECT_EQ(texts[LabelInstall].Text, u"Installiere...");
    EXPECT_EQ(texts[LabelInstall].FontName, std::u16string(u"Verdana"));
    EXPECT_EQ(texts[LabelInstall].FontSize, 11);
    // Keys the language lacks become empty texts.
    EXPECT_EQ(texts[LabelTitle].Text, u"");
    EXPECT_EQ(WizardTitle(texts, u"1.0.0.2"), u" (V1.0.0.2)");
}

TEST_F(Languages, BadNumberStopsLoadingTheRemainingTexts) {
    m.files.AddFile(u"C:\\Media\\Language\\English\\Language.ini",
                    "[Setup]\r\nLabelNextBtn=Next\r\nLabelSelectLang=Pick,red\r\n"
                    "LabelTitle=Never read\r\n");
    SetupTexts texts;
    EXPECT_FALSE(LoadSetupTexts(m.system, m.state.Folders, u"English", texts));
    EXPECT_EQ(texts[LabelNextBtn].Text, u"Next");
    EXPECT_EQ(texts[LabelTitle].Text, u"");
}

TEST(Background, SizeFromTheConfigurationElseTheScreen) {
    const struct {
        const char* values;
        int width, height;
    } cases[] = {
        {"BackgroundWidth=800\r\nBackgroundHeight=600\r\n", 800, 600},
        {"BackgroundWidth=800\r\n", 1280, 1024},
        {"BackgroundWidth= 640px\r\nBackgroundHeight=+480\r\n", 640, 480},
        {"BackgroundWidth=wide\r\nBackgroundHeight=600\r\n", 1280, 1024},
        {"", 1280, 1024},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        FakeSystem system(files);
        files.AddFile(u"C:\\Media\\AudioConfig.cfg", std::string("[Install]\r\n") + c.values);
        const BackgroundSize size = ReadBackgroundSize(system, u"C:\\Media\\", 1280, 1024);
        EXPECT_EQ(size.width, c.width) << c.values;
        EXPECT_EQ(size.height, c.height) << c.values;
    }
}

}  // namespace

TEST(AccessKeys, TheCharacterAfterASingleAmpersand) {
    const std::pair<const char16_t*, char16_t> cases[] = {
        {u"&Next >", u'N'},
        {u"Restart &later", u'L'},
        {u"Fertig &stellen", u'S'},
        {u"Q&&A &Help", u'H'},
        {u"Q&&A", 0},
        {u"Cancel", 0},
        {u"Trailing &", 0},
        {u"Pr\u00E9&c\u00E9dent", u'C'},
    };
    for (const auto& [text, key] : cases)
        EXPECT_EQ(AccessKey(text), key) << Narrow(text);
}

// Alt and a key reaches one control per page in every shipped language; a clash would send it to
// the first of them only.
TEST(ProductLanguages, EachWizardPageHasDistinctAccessKeys) {
    const std::vector<std::vector<const char16_t*>> pages = {
        {u"LabelSelectLang", u"LabelNextBtn", u"LabelCancelBtn"},
        {u"LabelCancelBtn"},
        {u"LabelRebootRadioBtn", u"LabelNoRebootRadioBtn", u"LabelFinishBtn"},
    };
    for (const char* language : {"English", "German", "French", "Spanish"}) {
        const std::u16string file =
            SourcePath("product/Language/" + std::string(language) + "/Language.ini");
        for (size_t page = 0; page < pages.size(); ++page) {
            std::map<char16_t, std::u16string> taken;
            for (const char16_t* key : pages[page]) {
                std::u16string text;
                ASSERT_EQ(ReadProfileString(file, u"Setup", key, text), 0) << language;
                const char16_t access = AccessKey(text);
                if (access == 0)
                    continue;
                const auto [where, fresh] = taken.emplace(access, key);
                EXPECT_TRUE(fresh) << language << ", page " << page << ": " << Narrow(key)
                                   << " has the key of " << Narrow(where->second);
            }
        }
    }
}
