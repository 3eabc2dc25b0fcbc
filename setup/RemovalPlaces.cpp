#include "RemovalPlaces.h"

#include "ConfigNames.h"
#include "InstalledArtefacts.h"
#include "SetupNames.h"

namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
}

std::u16string Trimmed(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

// The components of path below root, or nothing when it is not below it.
bool Below(const std::u16string& path, const std::u16string& root,
           std::vector<std::u16string>& components) {
    const std::u16string base = Trimmed(root) + u"\\";
    if (path.size() <= base.size() || !SamePath(path.substr(0, base.size()), base))
        return false;
    components.clear();
    size_t start = base.size();
    for (size_t end; start <= path.size(); start = end + 1) {
        end = path.find(u'\\', start);
        if (end == std::u16string::npos)
            end = path.size();
        components.push_back(path.substr(start, end - start));
    }
    for (const std::u16string& component : components) {
        if (!IsPlainName(component))
            return false;  // also "", "." and ".."
    }
    return true;
}

bool EndsWithLnk(const std::u16string& name) {
    return name.size() > 4 && SamePath(name.substr(name.size() - 4), u".lnk");
}

}  // namespace

bool SamePath(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return true;
}

RemovalPlaces::RemovalPlaces(const RemovalRoots& roots) {
    const std::u16string install = Trimmed(roots.installFolder);
    const size_t slash = install.rfind(u'\\');
    const bool named = slash != std::u16string::npos && IsPlainName(install.substr(slash + 1));
    const std::u16string name = named ? install.substr(slash + 1) : std::u16string();
    for (const InstalledPlace* place : InstalledPlaces()) {
        std::u16string root;
        switch (place->root) {
            case PlaceRoot::ProgramFiles:
                root = named ? install.substr(0, slash) : std::u16string();
                break;
            case PlaceRoot::AppData:
                root = roots.appData;
                break;
            case PlaceRoot::CommonPrograms:
                root = roots.commonPrograms;
                break;
            case PlaceRoot::SystemDirectory:
                root = roots.systemDirectory;
                break;
            case PlaceRoot::SystemFolder:
                root = roots.systemFolder;
                break;
        }
        if (root.empty() || (place->shape == PlaceShape::Tree && !named))
            continue;
        places_.push_back(
            {root, place->shape == PlaceShape::Tree ? name : place->file, place->shape});
    }
}

bool RemovalPlaces::Allows(const LogEntry& entry, ISetupFiles& files) const {
    switch (entry.kind) {
        case LogEntryKind::Folder:
        case LogEntryKind::File:
            return AllowsPath(entry, files);
        case LogEntryKind::Key: {
            const InstalledKey* key = FindInstalledKey(entry.path);
            return key && key->own;
        }
        case LogEntryKind::Value: {
            const InstalledKey* key = FindInstalledKey(entry.path);
            if (!key || key->own)
                return false;  // an own key goes whole
            for (const InstalledValue& value : InstalledValues()) {
                if (&value.key != key)
                    continue;
                if (value.name.empty() ? IsPlainName(entry.valueName)
                                       : SamePath(value.name, entry.valueName))
                    return true;
            }
            return false;
        }
        case LogEntryKind::Service:
            return entry.path == kServiceName;
    }
    return false;
}

bool RemovalPlaces::AllowsPath(const LogEntry& entry, ISetupFiles& files) const {
    std::vector<std::u16string> components;
    for (const Place& place : places_) {
        if (!Below(entry.path, place.root, components))
            continue;
        const bool isFolder = entry.kind == LogEntryKind::Folder;
        bool fits = false;
        switch (place.shape) {
            case PlaceShape::Tree:
                fits = SamePath(components[0], place.top);
                break;
            case PlaceShape::LinkFolder:
                fits = isFolder ? components.size() == 1
                                : components.size() == 2 && EndsWithLnk(components[1]);
                break;
            case PlaceShape::OneFile: {
                // Also the file beside it that a replacement cut off leaves.
                const std::u16string relative = entry.path.substr(Trimmed(place.root).size() + 1);
                fits = !isFolder && (SamePath(relative, place.top) ||
                                     SamePath(relative, place.top + kReplacingSuffix));
                break;
            }
        }
        if (!fits)
            continue;
        std::u16string path = Trimmed(place.root);
        for (const std::u16string& component : components) {
            path += u"\\" + component;
            if (files.IsLink(path))
                return false;
        }
        return true;
    }
    return false;
}
