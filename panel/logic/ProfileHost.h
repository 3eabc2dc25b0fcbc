// Port: what profile save and load need from the platform besides profile strings: environment
// folders, folder creation, the file dialogs and showing a problem with a file.
#pragma once

#include <string>

class IProfileHost {
public:
    virtual ~IProfileHost() = default;

    // The value of an environment variable such as "APPDATA"; empty when it is not set.
    virtual std::u16string EnvironmentFolder(const std::u16string& name) = 0;
    // CreateDirectoryW: true when the folder exists afterwards.
    virtual bool CreateFolder(const std::u16string& path) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // Copies a file to a path that does not exist yet; false when nothing was copied.
    virtual bool CopyNewFile(const std::u16string& from, const std::u16string& to) = 0;

    // Modal save and open dialogs starting in folder, with a filter such as "INI (*.ini)|*.ini";
    // fileName is proposed (empty: none). False when the user cancels; else the chosen path.
    virtual bool SaveDialog(const std::u16string& folder, const std::u16string& fileName,
                            const std::u16string& filter, std::u16string& chosen) = 0;
    virtual bool OpenDialog(const std::u16string& folder, const std::u16string& filter,
                            std::u16string& chosen) = 0;

    // Tells the user that a file could not be used, and why (FileProblemText).
    virtual void ReportFileProblem(const std::u16string& file, const std::u16string& reason) = 0;
};

// The message of a file problem: the reason, an empty line, the file.
inline std::u16string FileProblemText(const std::u16string& file, const std::u16string& reason) {
    return reason + u"\n\n" + file;
}
