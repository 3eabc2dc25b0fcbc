// Everything an installation may create, in one place: the registry keys and values (with their
// hive and view), the files and folders, the service. The steps write from these tables and the
// uninstaller's places are derived from them, so an entry added here is written, listed in the
// install log and removable together; what is not here is refused at removal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AudioConfig.h"
#include "InstallLog.h"
#include "ports/Registry.h"

// ---- Registry ----

struct InstalledKey {
    RegistryHive hive;
    RegistryView view;
    std::u16string path;
    // The installation's own key: listed as a Key and removed whole, subkeys included. Otherwise
    // a key shared with others (Run): only the installation's values in it are listed and removed.
    bool own;
};

extern const InstalledKey kDriverServiceKey;
extern const InstalledKey kUninstallKey;
extern const InstalledKey kUsbGroupKey;
extern const InstalledKey kHidGroupKey;
extern const InstalledKey kRunKey;

struct InstalledValueData {
    enum class Type { String, ExpandString, Dword } type;
    std::u16string text;  // String, ExpandString
    uint32_t number = 0;  // Dword
};

// A value the install steps write through WriteInstalledValues. The uninstall entry's values are
// the fields of _REG_UNINSTALL_INFO (WriteUninstallInfo); the group keys are the wizard's.
struct InstalledValue {
    const InstalledKey& key;
    // Empty: named after the panel program (APPFileName). The uninstaller reads no configuration:
    // in a shared key it removes any plain name the log lists for such a value.
    std::u16string name;
    int step;          // the install step that writes it
    uint32_t failure;  // the step's result when its key cannot be opened; 0: best effort
    InstalledValueData (*data)(const _APPLICATION_FOLDER_PATH& folders);
};

const std::vector<const InstalledKey*>& InstalledKeys();
const std::vector<InstalledValue>& InstalledValues();

// The table's key of a log entry's path, or null.
const InstalledKey* FindInstalledKey(const std::u16string& path);
// The name the installation gives the value.
std::u16string InstalledValueName(const InstalledValue& value,
                                  const _APPLICATION_FOLDER_PATH& folders);

// ---- Files and folders ----

// Where a place lies; the uninstaller takes each root from the system, never from the log or the
// configuration.
enum class PlaceRoot {
    ProgramFiles,     // the install folder's parent: the uninstaller's own folder's
    AppData,          // %APPDATA%
    CommonPrograms,   // the common Start-menu programs folder
    SystemDirectory,  // native, ends in a backslash
    SystemFolder,     // ends in a backslash
};

enum class PlaceShape {
    Tree,        // the folder named by the install folder below the root, and all in it
    LinkFolder,  // any one folder below the root and the ".lnk" files directly in it
    OneFile      // the file `file` (relative to the root), and the same with kReplacingSuffix
};

struct InstalledPlace {
    PlaceRoot root;
    PlaceShape shape;
    std::u16string file;  // OneFile only
};

extern const InstalledPlace kDriverFile;
extern const InstalledPlace kServiceProgramFile;
extern const InstalledPlace kPatchFile;

const std::vector<const InstalledPlace*>& InstalledPlaces();

// The full path of a OneFile place.
std::u16string InstalledFilePath(const InstalledPlace& place,
                                 const _APPLICATION_FOLDER_PATH& folders);
