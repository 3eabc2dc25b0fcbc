// Profile save and load on the Windows shell: environment, folders, the common file dialogs and
// a warning box. The owner window and the title come later than the host: set them when known.
#pragma once

#include <windows.h>

#include <string>

#include "ProfileHost.h"

class ProfileHostWin32 : public IProfileHost {
public:
    ProfileHostWin32() = default;

    void SetOwner(HWND owner) { owner_ = owner; }
    // The caption of the warning box: the application title.
    void SetTitle(const std::u16string& title) { title_ = title; }

    std::u16string EnvironmentFolder(const std::u16string& name) override;
    bool CreateFolder(const std::u16string& path) override;
    bool FileExists(const std::u16string& path) override;
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override;
    bool SaveDialog(const std::u16string& folder, const std::u16string& fileName,
                    const std::u16string& filter, std::u16string& chosen) override;
    bool OpenDialog(const std::u16string& folder, const std::u16string& filter,
                    std::u16string& chosen) override;
    void ReportFileProblem(const std::u16string& file, const std::u16string& reason) override;

private:
    bool RunDialog(bool save, const std::u16string& folder, const std::u16string& fileName,
                   const std::u16string& filter, std::u16string& chosen);

    HWND owner_ = nullptr;
    std::u16string title_;
};
