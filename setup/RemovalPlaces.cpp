#include "RemovalPlaces.h"

#include "ConfigNames.h"
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
    if (slash != std::u16string::npos && IsPlainName(install.substr(slash + 1))) {
        const std::u16string name = install.substr(slash + 1);
        places_.push_back({install.substr(0, slash), name, Shape::Tree});
        if (!roots.appData.empty())
            places_.push_back({roots.appData, name, Shape::Tree});
    }
    if (!roots.commonPrograms.empty())
        places_.push_back({roots.commonPrograms, {}, Shape::LinkFolder});
    if (!roots.systemDirectory.empty()) {
        places_.push_back({roots.systemDirectory,
                           u"drivers\\" + std::u16string(kFilterName) + u".sys", Shape::OneFile});
        places_.push_back(
            {roots.systemDirectory, kServiceName + std::u16string(u".exe"), Shape::OneFile});
    }
    if (!roots.systemFolder.empty())
        places_.push_back({roots.systemFolder, kPatchFileName, Shape::OneFile});
}

bool RemovalPlaces::Allows(const LogEntry& entry, ISetupFiles& files) const {
    switch (entry.kind) {
        case LogEntryKind::Folder:
        case LogEntryKind::File:
            return AllowsPath(entry, files);
        case LogEntryKind::Key: {
            const std::u16string keys[] = {
                u"SYSTEM\\CurrentControlSet\\Services\\" + std::u16string(kFilterName),
                kUninstallKeyPath, u"SOFTWARE\\" + std::u16string(kUsbGroupName),
                u"SOFTWARE\\" + std::u16string(kHidGroupName)};
            for (const std::u16string& key : keys) {
                if (SamePath(entry.path, key))
                    return true;
            }
            return false;
        }
        case LogEntryKind::Value:
            return SamePath(entry.path, kRunKeyPath) && IsPlainName(entry.valueName);
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
            case Shape::Tree:
                fits = SamePath(components[0], place.top);
                break;
            case Shape::LinkFolder:
                fits = isFolder ? components.size() == 1
                                : components.size() == 2 && EndsWithLnk(components[1]);
                break;
            case Shape::OneFile: {
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
