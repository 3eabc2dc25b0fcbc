// The installer's languages: the list offered in the wizard, the texts of one language and the
// chosen language kept in the installer's AudioConfig.cfg.
#pragma once

#include <string>
#include <vector>

#include "AudioConfig.h"
#include "SetupTexts.h"
#include "ports/SetupFiles.h"
#include "ports/SetupSystem.h"

// ComboBox and OriginalComboBox: display names and folder names at the same index.
struct LanguageList {
    std::vector<std::u16string> displayNames;
    std::vector<std::u16string> folderNames;
    int selected = -1;
};

// DefaultLanguage of the installer's configuration; empty when absent.
std::u16string ReadDefaultLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders);
// 0 written, 1 failed (an installer on a read-only medium cannot keep the choice).
int WriteDefaultLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                         const std::u16string& language);

// Appends every language folder that has a display name, in name order regardless of case, and
// selects the chosen one (else the first). Returns the number listed.
int FillLanguageList(ISetupFiles& files, ISetupSystem& system,
                     const _APPLICATION_FOLDER_PATH& folders, const std::u16string& chosen,
                     LanguageList& list);

// Loads the "Setup" section of a language over the records and returns the wizard title.
// False when a numeric field is not an integer: the texts after it are not loaded.
bool LoadSetupTexts(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                    const std::u16string& language, SetupTexts& texts);
std::u16string WizardTitle(const SetupTexts& texts, const std::u16string& setupVersion);

// The wizard's start: the chosen language, the list, and the chosen language's texts (even when
// the list does not offer it).
void LoadStartupLanguage(ISetupFiles& files, ISetupSystem& system,
                         const _APPLICATION_FOLDER_PATH& folders, LanguageList& list,
                         SetupTexts& texts);
// Another entry chosen in the list: its texts, and the choice written back. False for an index
// outside the list.
bool SwitchLanguage(ISetupSystem& system, const _APPLICATION_FOLDER_PATH& folders,
                    const LanguageList& list, int index, SetupTexts& texts);

// The background window's size: BackgroundWidth and BackgroundHeight of [Install], or the
// screen when either reads as 0.
struct BackgroundSize {
    int width = 0;
    int height = 0;
};
BackgroundSize ReadBackgroundSize(ISetupSystem& system, const std::u16string& exeFolder,
                                  int screenWidth, int screenHeight);
// Decimal after optional white space and sign, up to the first other character; 0 without digits.
int ParseLeadingDecimal(const std::u16string& text);
