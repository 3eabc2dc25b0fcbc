#include "ProfileActions.h"

#include "DebugTrace.h"
#include "PanelError.h"
#include "PlatformHelpers.h"
#include "ProfileFile.h"

const char16_t kProfileFilter[] = u"INI (*.ini)|*.ini";

namespace {

std::u16string ProgramConfig(const ProfileSession& session) {
    return session.programFolder + u"AudioConfig.cfg";
}

// %name%\<profile folder>, created.
std::u16string ProfileFolder(ProfileSession& session, const char16_t* variable) {
    const std::u16string folder =
        session.host.EnvironmentFolder(variable) + u"\\" + session.profileFolderName;
    session.host.CreateFolder(folder);
    return folder;
}

// %APPDATA%\<profile folder>\AudioConfig.cfg: where this user's choices are kept.
std::u16string UserConfig(ProfileSession& session) {
    return session.host.EnvironmentFolder(u"APPDATA") + u"\\" + session.profileFolderName +
           u"\\AudioConfig.cfg";
}

// The per-user copy, made from the program folder's when it is missing; empty when there is
// none to be had, and then nothing is written.
std::u16string WritableUserConfig(ProfileSession& session) {
    if (session.host.EnvironmentFolder(u"APPDATA").empty() || session.profileFolderName.empty()) {
        return u"";
    }
    const std::u16string config = UserConfig(session);
    if (session.host.FileExists(config)) {
        return config;
    }
    ProfileFolder(session, u"APPDATA");
    if (session.host.FileExists(ProgramConfig(session)) &&
        session.host.CopyNewFile(ProgramConfig(session), config)) {
        return config;
    }
    return u"";
}

// The save and load buttons act only on a headset that opens.
bool HeadsetOpens(const ProfileSession& session) {
    return OpenHeadset(session.panel) != nullptr;
}

}  // namespace

uint32_t ProfileSave(ProfileSession& session) {
    if (!HeadsetOpens(session)) {
        return 1;
    }
    const std::u16string folder = ProfileFolder(session, u"USERPROFILE");
    std::u16string chosen;
    if (!session.host.SaveDialog(folder, session.proposedName, kProfileFilter, chosen)) {
        return 2;
    }
    session.proposedName = chosen;
    std::u16string file = chosen;
    if (file.find(u".ini") == std::u16string::npos) {
        file += u".ini";
    }
    WriteProfile(session.panel, session.strings, file);
    const std::u16string config = WritableUserConfig(session);
    if (!config.empty()) {
        session.strings.WriteString(u"LastINI", u"Path", file, config);
    }
    return 0;
}

void ProfileLoad(ProfileSession& session) {
    if (!HeadsetOpens(session)) {
        return;
    }
    std::u16string last;
    ReadProfileString(UserConfig(session), u"LastINI", u"Path", last);
    if (last.empty()) {
        // Kept there by earlier versions.
        ReadProfileString(ProgramConfig(session), u"LastINI", u"Path", last);
    }
    std::u16string folder;
    const size_t slash = last.rfind(u'\\');
    if (!last.empty()) {
        folder = slash == std::u16string::npos ? std::u16string() : last.substr(0, slash);
    } else {
        folder = ProfileFolder(session, u"USERPROFILE");
    }
    std::u16string chosen;
    if (!session.host.OpenDialog(folder, kProfileFilter, chosen)) {
        return;
    }
    ReadProfile(session.panel, session.strings, chosen);
}

std::u16string LastProfilePath(ProfileSession& session) {
    return session.host.EnvironmentFolder(u"APPDATA") + u"\\" + session.profileFolderName +
           u"\\LastProfile.ini";
}

uint32_t LastProfileSave(ProfileSession& session) {
    ProfileFolder(session, u"APPDATA");
    WriteProfile(session.panel, session.strings, LastProfilePath(session));
    return 0;
}

uint32_t LastProfileLoad(ProfileSession& session) {
    const std::u16string file = LastProfilePath(session);
    if (!session.host.FileExists(file)) {
        return 1;
    }
    try {
        ReadProfile(session.panel, session.strings, file);
    } catch (const PanelError& e) {
        // A file cut short by a power loss would otherwise stop every later start; the next
        // shutdown writes a whole one.
        const std::u16string& reason = e.text();
        DebugOutput(u"***** Last profile not applied completely: " + file + u": " + reason +
                    u" *****\n");
        session.host.ReportFileProblem(file, reason);
        return 2;
    }
    return 0;
}
