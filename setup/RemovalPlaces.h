// Where the uninstaller may remove anything: the places, keys and values of the installed
// artefacts' tables (InstalledArtefacts.h), rooted in the folders the system names. A log entry
// anywhere else is refused, however it got there.
#pragma once

#include <string>
#include <vector>

#include "InstallLog.h"
#include "InstalledArtefacts.h"
#include "ports/SetupFiles.h"

struct RemovalRoots {
    std::u16string installFolder;    // the uninstaller's own folder, no ending backslash
    std::u16string appData;          // %APPDATA%; empty when unset
    std::u16string commonPrograms;   // the common Start-menu programs folder
    std::u16string systemDirectory;  // native, ends in a backslash
    std::u16string systemFolder;     // ends in a backslash
};

class RemovalPlaces {
public:
    explicit RemovalPlaces(const RemovalRoots& roots);

    // True when the entry lies in one of the places and no folder on the way to it below the
    // place's root is a junction or symbolic link (the entry itself included).
    bool Allows(const LogEntry& entry, ISetupFiles& files) const;

private:
    struct Place {
        std::u16string root;  // trusted; what lies below it is checked for links
        std::u16string top;   // Tree: the install folder's name; OneFile: the relative path
        PlaceShape shape = PlaceShape::Tree;
    };
    bool AllowsPath(const LogEntry& entry, ISetupFiles& files) const;

    std::vector<Place> places_;
};

bool SamePath(const std::u16string& a, const std::u16string& b);
