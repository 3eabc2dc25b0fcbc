#include "ConfigNames.h"

#include <utility>

namespace {

std::u16string Upper(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 0x20);
    }
    return text;
}

bool IsDeviceName(const std::u16string& name) {
    // Windows ignores everything from the first dot and trailing blanks before it: "nul .txt"
    // is the device too.
    std::u16string base = Upper(name.substr(0, name.find(u'.')));
    while (!base.empty() && base.back() == u' ')
        base.pop_back();
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (base == device)
            return true;
    }
    return base.size() == 4 &&
           (base.compare(0, 3, u"COM") == 0 || base.compare(0, 3, u"LPT") == 0) &&
           base[3] >= u'1' && base[3] <= u'9';
}

}  // namespace

bool IsPlainName(const std::u16string& name) {
    if (name.empty() || name == u"." || name == u".." || name.back() == u'.' || name.back() == u' ')
        return false;
    for (char16_t c : name) {
        if (c < 0x20 || std::u16string(u"\\/:*?\"<>|").find(c) != std::u16string::npos)
            return false;
    }
    return !IsDeviceName(name);
}

std::optional<std::u16string> FindUnusableConfigName(const _APPLICATION_FOLDER_PATH& f,
                                                     const std::u16string& defaultLanguage) {
    const std::pair<const char16_t*, const std::u16string*> names[] = {
        {u"InstallFolderName", &f.InstallFolderName},
        {u"SkinFolderName", &f.SkinFolderName},
        {u"LanguageFolderName", &f.LanguageFolderName},
        {u"InstallIconFileName", &f.InstallIconFileName},
        {u"APPFileName", &f.APPFileName},
        {u"UninstallFileName", &f.UninstallFileName},
        {u"ShortcutFolderName", &f.ShortcutFolderName},
        {u"AppShortcutName", &f.AppShortcutName},
        {u"UninstallShortcutName", &f.UninstallShortcutName},
        {u"UserManualShortcutName", &f.UserManualShortcutName},
        {u"DefaultLanguage", &defaultLanguage}};
    for (const auto& [key, value] : names) {
        if (value == &defaultLanguage && value->empty())
            continue;
        if (!IsPlainName(*value))
            return u"AudioConfig.cfg gives " + std::u16string(key) + u" as \"" + *value +
                   u"\", which cannot be used as a file or folder name. Nothing was installed.";
    }
    return std::nullopt;
}
