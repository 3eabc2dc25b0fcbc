#include "DebugTrace.h"
#include "SetupOperations.h"

namespace {

bool EndsInBackslash(const std::u16string& path) {
    return !path.empty() && path.back() == u'\\';
}

std::u16string WithBackslash(const std::u16string& path) {
    return EndsInBackslash(path) ? path : path + u"\\";
}

// The text after the last backslash; a backslash that ends the path stays with the component.
std::optional<std::u16string> LastComponent(const std::u16string& path) {
    if (path.size() < 2)
        return std::nullopt;
    const size_t last = path.rfind(u'\\', path.size() - 2);
    if (last == std::u16string::npos)
        return std::nullopt;
    return path.substr(last + 1);
}

void CreateTracedFolder(ISetupFiles& files, const std::u16string& folder) {
    const bool created = files.CreateFolder(folder);
    DebugOutput(u"##### Create Directory = " + folder + u"\n");
    if (!created)
        DebugOutput(u"***** Create Directory FAIL! *****\n");
}

bool IsDotEntry(const std::u16string& name) {
    return name == u"." || name == u"..";
}

}  // namespace

bool CopyWritableFile(ISetupFiles& files, const std::u16string& from, const std::u16string& to) {
    files.ClearReadOnly(to);  // fails harmlessly when there is no such file yet
    if (!files.CopyOneFile(from, to))
        return false;
    files.ClearReadOnly(to);
    return true;
}

bool CopyFolderTree(ISetupFiles& files, const std::u16string& source,
                    const std::u16string& destination) {
    const std::optional<std::u16string> sourceLast = LastComponent(source);
    const std::optional<std::u16string> destinationLast = LastComponent(destination);
    if (!sourceLast || !destinationLast)
        return false;

    std::u16string target = destination;
    if (*sourceLast != *destinationLast)
        target = WithBackslash(target) + *sourceLast;
    if (EndsInBackslash(target))
        target.pop_back();
    CreateTracedFolder(files, target);

    const std::u16string sourceFolder = WithBackslash(source);
    const auto entries = files.List(sourceFolder + u"*");
    if (!entries)
        return true;
    // "." and ".." are passed over by name, not by position: not every file system lists them,
    // and a real first entry must not be lost.
    for (const FolderEntry& entry : *entries) {
        if (IsDotEntry(entry.name))
            continue;
        const std::u16string from = sourceFolder + entry.name;
        const std::u16string to = target + u"\\" + entry.name;
        if (entry.isFolder) {
            CreateTracedFolder(files, to);
            CopyFolderTree(files, from, to);
        } else {
            CopyWritableFile(files, from, to);
        }
    }
    return true;
}

std::optional<std::u16string> FindFirstPlainFile(ISetupFiles& files, const std::u16string& folder) {
    const auto entries = files.List(folder + u"*.*");
    if (!entries)
        return std::nullopt;
    for (const FolderEntry& entry : *entries) {
        if (!entry.isFolder && !entry.name.empty() && entry.name[0] != u'.')
            return entry.name;
    }
    return std::nullopt;
}
