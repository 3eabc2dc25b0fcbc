#include "ProfileHostWin32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "FileAttributes.h"
#include "FileFilter.h"
#include "Handles.h"
#include "WideText.h"

namespace {
// Room for long paths: the dialogs fail with FNERR_BUFFERTOOSMALL rather than cut a path.
constexpr size_t kPathBuffer = 32768;
using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEW);
}  // namespace

std::u16string ProfileHostWin32::EnvironmentFolder(const std::u16string& name) {
    std::vector<wchar_t> value(MAX_PATH);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length =
            GetEnvironmentVariableW(W(name), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0)
            return {};
        if (length < value.size())
            return U16(value.data(), length);
        // Too small: length is the size needed, terminator included. The value may grow
        // meanwhile, so ask again.
        value.resize(length);
    }
}

bool ProfileHostWin32::CreateFolder(const std::u16string& path) {
    CreateDirectoryW(W(path), nullptr);
    return IsExistingFolder(path);
}

bool ProfileHostWin32::FileExists(const std::u16string& path) {
    return IsExistingFile(path);
}

bool ProfileHostWin32::CopyNewFile(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(W(from), W(to), TRUE) != FALSE;
}

bool ProfileHostWin32::RunDialog(bool save, const std::u16string& folder,
                                 const std::u16string& fileName, const std::u16string& filter,
                                 std::u16string& chosen) {
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    std::copy_n(fileName.begin(), std::min(fileName.size(), file.size() - 1), file.begin());
    const std::wstring win32Filter = ToWin32Filter(filter);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = win32Filter.empty() ? nullptr : win32Filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : W(folder);
    dialog.lpstrDefExt = L"ini";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    // Loaded for the dialog only: it is seldom opened, and the library brings the printing
    // stack with it, which would stay in the panel's memory all day.
    const UniqueLibrary dialogs = LoadSystemLibrary(L"comdlg32.dll");
    const FARPROC proc =
        dialogs ? GetProcAddress(dialogs.get(), save ? "GetSaveFileNameW" : "GetOpenFileNameW")
                : nullptr;
    if (!proc)
        return false;
    // Through void (*)(), which converts to any function type without a warning.
    const auto run = reinterpret_cast<FileDialog>(reinterpret_cast<void (*)()>(proc));
    if (!run(&dialog))
        return false;
    chosen = U16(file.data());
    return true;
}

bool ProfileHostWin32::SaveDialog(const std::u16string& folder, const std::u16string& fileName,
                                  const std::u16string& filter, std::u16string& chosen) {
    return RunDialog(true, folder, fileName, filter, chosen);
}

bool ProfileHostWin32::OpenDialog(const std::u16string& folder, const std::u16string& filter,
                                  std::u16string& chosen) {
    return RunDialog(false, folder, u"", filter, chosen);
}

void ProfileHostWin32::ReportFileProblem(const std::u16string& file, const std::u16string& reason) {
    MessageBoxW(owner_, W(FileProblemText(file, reason)), W(title_), MB_OK | MB_ICONWARNING);
}
