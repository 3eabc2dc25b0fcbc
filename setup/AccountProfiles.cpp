#include "AccountProfiles.h"

#include "RemovalPlaces.h"

namespace {

constexpr const char16_t* kProfileList =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// %NAME% replaced by the variable's value; an unknown one stays as it is.
std::u16string Expanded(const std::u16string& text, ISetupSystem& system) {
    std::u16string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find(u'%', at);
        const size_t close = open == std::u16string::npos ? open : text.find(u'%', open + 1);
        if (close == std::u16string::npos) {
            out += text.substr(at);
            break;
        }
        out += text.substr(at, open - at);
        const std::optional<std::u16string> value =
            system.GetEnvironment(text.substr(open + 1, close - open - 1));
        out += value ? *value : text.substr(open, close - open + 1);
        at = close + 1;
    }
    while (out.size() > 3 && out.back() == u'\\')
        out.pop_back();
    return out;
}

bool Below(const std::u16string& path, const std::u16string& root) {
    return !root.empty() && path.size() > root.size() + 1 && path[root.size()] == u'\\' &&
           SamePath(path.substr(0, root.size()), root);
}

}  // namespace

OtherAccountProfiles::OtherAccountProfiles(IRegistry& registry, ISetupSystem& system) {
    ownProfile_ = Expanded(system.GetEnvironment(u"USERPROFILE").value_or(u""), system);
    ownAppData_ = Expanded(system.GetEnvironment(u"APPDATA").value_or(u""), system);
    // The list is not redirected; the 64-bit view names it on every width.
    std::unique_ptr<IRegistryKey> list = registry.OpenKey(
        RegistryHive::LocalMachine, kProfileList, RegistryView::Native64, RegistryAccess::Read);
    if (!list)
        return;
    profilesFolder_ = Expanded(list->GetString(u"ProfilesDirectory").value_or(u""), system);
    for (uint32_t index = 0;; ++index) {
        const std::optional<std::u16string> sid = list->SubKeyName(index);
        if (!sid)
            break;
        std::unique_ptr<IRegistryKey> account = registry.OpenKey(
            RegistryHive::LocalMachine, std::u16string(kProfileList) + u"\\" + *sid,
            RegistryView::Native64, RegistryAccess::Read);
        const std::optional<std::u16string> path =
            account ? account->GetString(u"ProfileImagePath") : std::nullopt;
        if (path && !path->empty())
            profiles_.push_back(Expanded(*path, system));
    }
}

bool OtherAccountProfiles::IsOwn(const std::u16string& profile) const {
    return SamePath(profile, ownProfile_) || SamePath(profile, ownAppData_) ||
           Below(ownAppData_, profile);
}

bool OtherAccountProfiles::Contains(const std::u16string& path) const {
    for (const std::u16string& profile : profiles_) {
        if (Below(path, profile) && !IsOwn(profile))
            return true;
    }
    // An account no longer listed still has its folder below the profiles folder.
    if (!Below(path, profilesFolder_))
        return false;
    const size_t account = path.find(u'\\', profilesFolder_.size() + 1);
    return account != std::u16string::npos && !IsOwn(path.substr(0, account));
}
