#include "InstalledSize.h"

#include <string>

#include "RemovalPlaces.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

// Deeper than any product folder; a source folder that links back into itself stops here.
constexpr int kMaxDepth = 16;

uint64_t TreeBytes(ISetupFiles& files, const std::u16string& folder, int depth) {
    const auto entries = files.List(folder + u"\\*");
    if (!entries || depth > kMaxDepth)
        return 0;
    uint64_t bytes = 0;
    for (const FolderEntry& entry : *entries) {
        if (entry.name == u"." || entry.name == u"..")
            continue;
        bytes +=
            entry.isFolder ? TreeBytes(files, folder + u"\\" + entry.name, depth + 1) : entry.size;
    }
    return bytes;
}

uint64_t FileBytes(ISetupFiles& files, const std::u16string& path) {
    const std::u16string name = path.substr(path.rfind(u'\\') + 1);
    if (const auto entries = files.List(path)) {
        for (const FolderEntry& entry : *entries) {
            if (!entry.isFolder && SamePath(entry.name, name))
                return entry.size;
        }
    }
    return 0;
}

uint64_t PayloadBytes(IPayloadResources& resources, uint32_t id, const char16_t* type) {
    const auto payload = LoadPayload(resources, id, type);
    return payload ? payload->size : 0;
}

}  // namespace

uint32_t EstimateInstalledSizeKb(ISetupFiles& files, IPayloadResources& resources,
                                 ISetupSystem& system, const SetupState& state) {
    const _APPLICATION_FOLDER_PATH& f = state.Folders;
    const std::u16string& source = f.SourceFolderFullPath;
    uint64_t bytes =
        PayloadBytes(resources, RES_APP, u"APP") +
        PayloadBytes(resources, RES_UNINSTALL, u"UNINSTALL") +
        PayloadBytes(resources, state.IsWow64 ? RES_DRIVER_64 : RES_DRIVER_32, u"DRIVER") +
        PayloadBytes(resources, state.IsWow64 ? RES_SERVICE_64 : RES_SERVICE_32, u"SERVICE");
    bytes += TreeBytes(files, source + f.SkinFolderName, 0);
    bytes += TreeBytes(files, source + f.LanguageFolderName, 0);
    // Twice: the install folder's copy and the per-user one.
    bytes += 2 * FileBytes(files, source + kConfigFileName);
    bytes += FileBytes(files, source + f.InstallIconFileName);
    std::u16string language;
    system.ReadProfile(source + kConfigFileName, u"Language", u"DefaultLanguage", language);
    if (!language.empty())
        bytes += TreeBytes(files, source + u"Manual\\" + language, 0);
    const uint64_t kb = (bytes + 1023) / 1024;
    return kb > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(kb);
}
