#include "DebugTrace.h"
#include "InstallSequence.h"
#include "InstalledArtefacts.h"
#include "InstalledSize.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

std::u16string Hex8(uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::u16string out = u"0x00000000";
    for (int i = 9; i >= 2; --i, value >>= 4)
        out[i] = static_cast<char16_t>(digits[value & 0xF]);
    return out;
}

}  // namespace

uint32_t InstallSequence::Install_App() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    const auto payload = LoadPayload(ports_.resources, RES_APP, u"APP");
    if (!payload)
        return APP_NO_RESOURCE;
    ports_.files.CreateFolder(f.InstallFolderFullPath);
    const std::u16string path = f.InstallFolderFullPath + f.APPFileName + u".exe";
    if (WritePayloadFile(ports_.files, path, *payload) != WRITE_FILE_OK)
        return APP_WRITE_FAILED;
    if (const uint32_t failed = WriteRegistryValues(3))
        return failed;
    CreateShortcut(ports_.shortcuts, ports_.files, f.ShortcutFolderName, path, f.AppShortcutName);
    ports_.window.PostProgress(70);
    return 0;
}

uint32_t InstallSequence::Install_Uninstaller() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    const auto payload = LoadPayload(ports_.resources, RES_UNINSTALL, u"UNINSTALL");
    if (!payload)
        return UNINSTALLER_NO_RESOURCE;
    // The registered UninstallString is quoted; the file itself goes to the plain path.
    const std::u16string path = f.InstallFolderFullPath + f.UninstallFileName + u".exe";
    if (WritePayloadFile(ports_.files, path, *payload) != WRITE_FILE_OK)
        return UNINSTALLER_WRITE_FAILED;
    CreateShortcut(ports_.shortcuts, ports_.files, f.ShortcutFolderName, path,
                   f.UninstallShortcutName);
    _REG_UNINSTALL_INFO info = state_.UninstallInfo;
    info.EstimatedSizeKb =
        EstimateInstalledSizeKb(ports_.files, ports_.resources, ports_.system, state_);
    if (WriteUninstallInfo(ports_.registry, info))
        recorder_.Record({LogEntryKind::Key, info.KeyPath, {}});
    ports_.window.PostProgress(80);
    return 0;
}

uint32_t InstallSequence::Install_Files() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    {
        const InstallRecorder::Batch batch(recorder_);
        CopyFolderTree(ports_.files, f.SourceFolderFullPath + f.SkinFolderName + u"\\",
                       f.InstallFolderFullPath);
        CopyFolderTree(ports_.files, f.SourceFolderFullPath + f.LanguageFolderName + u"\\",
                       f.InstallFolderFullPath);
    }
    const std::u16string config = f.SourceFolderFullPath + kConfigFileName;
    CopyWritableFile(ports_.files, config, f.InstallFolderFullPath + kConfigFileName);

    // No per-user copy: an elevated write into the user's profile could be led anywhere by a
    // junction of the user's; the panel makes that copy itself, with the user's rights.
    CopyWritableFile(ports_.files, f.SourceFolderFullPath + f.InstallIconFileName,
                     f.InstallFolderFullPath + f.InstallIconFileName);
    Copy_KB3033929();
    ports_.window.PostProgress(90);
    return 0;
}

uint32_t InstallSequence::Install_Manual() {
    const _APPLICATION_FOLDER_PATH& f = state_.Folders;
    std::u16string language;
    ports_.system.ReadProfile(f.SourceFolderFullPath + kConfigFileName, u"Language",
                              u"DefaultLanguage", language);
    // Manual\ itself holds the manuals of all languages, not one to copy.
    if (language.empty()) {
        DebugOutput(u"##### No DefaultLanguage: no manual #####\n");
        return 0;
    }
    const std::u16string source = f.SourceFolderFullPath + u"Manual\\" + language + u"\\";
    const std::u16string destination = f.InstallFolderFullPath + u"Manual\\";
    const std::optional<std::u16string> manual = FindFirstPlainFile(ports_.files, source);
    if (!manual)
        return 0;
    ports_.files.CreateFolder(destination);
    {
        const InstallRecorder::Batch batch(recorder_);
        CopyFolderTree(ports_.files, source, destination);
    }
    CreateShortcut(ports_.shortcuts, ports_.files, f.ShortcutFolderName,
                   destination + language + u"\\" + *manual, f.UserManualShortcutName);
    return 0;
}

uint32_t InstallSequence::Copy_KB3033929() {
    TraceEntry(u"TMainForm::Copy_KB3033929");
    const auto payload = LoadPayload(ports_.resources, RES_WINDOWPATCH, u"WindowPatch");
    if (!payload) {
        DebugOutput(u"***** TMainForm::Copy_KB3033929 (0x10000701) *****\n");
        return PATCH_NO_RESOURCE;
    }
    if (WritePayloadFile(ports_.files, InstalledFilePath(kPatchFile, state_.Folders), *payload) !=
        WRITE_FILE_OK)
        DebugOutput(u"***** TMainForm::Copy_KB3033929 (0x10000702) *****\n");
    return 0;
}

uint32_t InstallSequence::Install_KB3033929() {
    if (!state_.IsWow64) {
        DebugOutput(u"##### The OS is 32-Bit #####\n");
        return 0;
    }
    if (state_.OsFamily != 4) {
        DebugOutput(u"##### The OS is not Win7 #####\n");
        return 0;
    }
    if (state_.ServicePackMajor == 0) {
        DebugOutput(u"##### The OS is Win7, but not install the service pack! #####\n");
        return 0;
    }
    if (IsWindowsUpdateInstalled(ports_.registry, u"KB3033929"))
        return 0;
    DebugOutput(u"***** Service pack KDB3033929 not EXIST! *****\n");
    const std::u16string& notice = state_.Texts[LabelWarning4].Text;
    if (!notice.empty())
        ShowNotice(notice);
    uint32_t exitCode = 0;
    const std::u16string package = InstalledFilePath(kPatchFile, state_.Folders);
    switch (InstallUpdatePackage(ports_.processes, ports_.files, ports_.folders, state_.IsWow64,
                                 state_.Folders.SystemDirectory, package, &exitCode)) {
        case UpdateOutcome::NotStarted:
            DebugOutput(u"***** TMainForm::Install_KB3033929 (0x80000601) *****\n");
            return PATCH_OPEN_FAILED;
        case UpdateOutcome::Failed:
            DebugOutput(
                u"***** TMainForm::Install_KB3033929 (0x80000602): update installer ended "
                u"with " +
                Hex8(exitCode) + u" *****\n");
            return PATCH_INSTALL_FAILED;
        case UpdateOutcome::RestartNeeded:
            DebugOutput(u"##### The Windows update needs a restart #####\n");
            state_.RestartNeeded = true;
            return 0;
        case UpdateOutcome::AlreadyInstalled:
        case UpdateOutcome::NotApplicable:
            DebugOutput(
                u"##### The Windows update is installed already or not needed here #####\n");
            return 0;
        case UpdateOutcome::Installed:
            return 0;
    }
    return 0;
}
