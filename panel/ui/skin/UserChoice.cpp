#include "UserChoice.h"

#include "ProfileFile.h"

namespace {

constexpr size_t kNameLimit = 127;

std::u16string Name(IProfileStrings& strings, const std::u16string& path,
                    const std::u16string& section, const std::u16string& key) {
    return ReadProfileValue(strings, path, section, key).substr(0, kNameLimit);
}

}  // namespace

std::u16string UserConfigPath(const std::u16string& appData,
                              const std::u16string& installFolderName) {
    return appData + u"\\" + installFolderName + u"\\AudioConfig.cfg";
}

std::u16string ProvideUserConfig(IFolderListing& files, const std::u16string& programConfig,
                                 const std::u16string& appData,
                                 const std::u16string& installFolderName) {
    if (appData.empty() || installFolderName.empty()) {
        return programConfig;
    }
    const std::u16string path = UserConfigPath(appData, installFolderName);
    if (files.FileExists(path)) {
        return path;
    }
    if (files.FileExists(programConfig) &&
        files.CreateFolder(appData + u"\\" + installFolderName) &&
        files.CopyNewFile(programConfig, path)) {
        return path;
    }
    // No copy of its own (a read-only or missing profile folder): the installed defaults apply.
    return programConfig;
}

UserChoice ReadUserChoice(IFolderListing& files, IProfileStrings& strings,
                          const std::u16string& path) {
    UserChoice choice;
    if (files.FileExists(path)) {
        choice.language = Name(strings, path, u"Language", u"DefaultLanguage");
        choice.skin = Name(strings, path, u"Skin", u"DefaultSkin");
    }
    return choice;
}

void WriteUserChoice(IFolderListing& files, IProfileStrings& strings, const std::u16string& path,
                     const UserChoice& choice) {
    if (!files.FileExists(path)) {
        return;
    }
    strings.WriteString(u"Language", u"DefaultLanguage", choice.language, path);
    strings.WriteString(u"Skin", u"DefaultSkin", choice.skin, path);
}
