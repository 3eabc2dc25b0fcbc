#include "SetupLanguages.h"

#include <algorithm>
#include <climits>

#include "DebugTrace.h"

namespace {

constexpr const char16_t* kConfigFileName = u"AudioConfig.cfg";

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
}

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return Upper(x) < Upper(y); });
}

}  // namespace

std::u16string ReadDefaultLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders) {
    std::u16string language;
    system.ReadProfile(folders.SourceFolderFullPath + kConfigFileName, u"Language",
                       u"DefaultLanguage", language);
    return language;
}

int WriteDefaultLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                         const std::u16string& language) {
    return system.WriteProfile(folders.SourceFolderFullPath + kConfigFileName, u"Language",
                               u"DefaultLanguage", language)
               ? 0
               : 1;
}

int FillLanguageList(ISetupFiles& files, ISetupSystem& system,
                     const _APPLICATION_FOLDER_PATH& folders, const std::u16string& chosen,
                     LanguageList& list) {
    const std::u16string languageFolder =
        folders.SourceFolderFullPath + folders.LanguageFolderName + u"\\";
    std::vector<std::u16string> names;
    if (const auto entries = files.List(languageFolder + u"*")) {
        for (const FolderEntry& entry : *entries) {
            if (entry.isFolder && entry.name != u"." && entry.name != u"..")
                names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(), LessNoCase);

    list.selected = -1;
    int count = 0;
    for (const std::u16string& name : names) {
        std::u16string displayName;
        if (system.ReadProfile(folders.SourceFolderFullPath + kConfigFileName,
                               u"MultiLanguageFolderMap", name, displayName) != 0)
            continue;
        list.folderNames.push_back(name);
        list.displayNames.push_back(displayName);
        if (name == chosen)
            list.selected = static_cast<int>(list.displayNames.size()) - 1;
        ++count;
    }
    if (list.selected < 0 && count > 0)
        list.selected = 0;
    return count;
}

bool LoadSetupTexts(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                    const std::u16string& language, SetupTexts& texts) {
    const std::u16string file = folders.SourceFolderFullPath + folders.LanguageFolderName + u"\\" +
                                language + u"\\Language.ini";
    for (int key = 0; key < SETUP_TEXT_COUNT; ++key) {
        std::u16string value;
        system.ReadProfile(file, u"Setup", kSetupTextKeys[key], value);
        if (!ParseLabelStyle(value, texts[key])) {
            DebugOutput(u"***** Bad number in [Setup] " + std::u16string(kSetupTextKeys[key]) +
                        u" of " + file + u" *****\n");
            return false;
        }
    }
    return true;
}

std::u16string WizardTitle(const SetupTexts& texts, const std::u16string& setupVersion) {
    return texts[LabelTitle].Text + u" (V" + setupVersion + u")";
}

void LoadStartupLanguage(ISetupFiles& files, ISetupSystem& system,
                         const _APPLICATION_FOLDER_PATH& folders, LanguageList& list,
                         SetupTexts& texts) {
    const std::u16string chosen = ReadDefaultLanguage(system, folders);
    FillLanguageList(files, system, folders, chosen, list);
    LoadSetupTexts(system, folders, chosen, texts);
}

bool SwitchLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                    const LanguageList& list, int index, SetupTexts& texts) {
    if (index < 0 || static_cast<size_t>(index) >= list.folderNames.size())
        return false;
    const std::u16string& folder = list.folderNames[index];
    LoadSetupTexts(system, folders, folder, texts);
    WriteDefaultLanguage(system, folders, folder);
    return true;
}

int ParseLeadingDecimal(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' ||
                               text[i] == u'\n' || text[i] == u'\v' || text[i] == u'\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > INT_MAX)
            return 0;  // not a size of any screen
    }
    return static_cast<int>(negative ? -value : value);
}

BackgroundSize ReadBackgroundSize(ISetupSystem& system, const std::u16string& exeFolder,
                                  int screenWidth, int screenHeight) {
    std::u16string width;
    std::u16string height;
    system.ReadProfile(exeFolder + kConfigFileName, u"Install", u"BackgroundWidth", width);
    system.ReadProfile(exeFolder + kConfigFileName, u"Install", u"BackgroundHeight", height);
    BackgroundSize size{ParseLeadingDecimal(width), ParseLeadingDecimal(height)};
    if (size.width == 0 || size.height == 0)
        size = {screenWidth, screenHeight};
    return size;
}
