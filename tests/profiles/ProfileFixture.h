// A panel on the simulated headset (LogicTest) with profile files in a temporary folder: %APPDATA%
// and %USERPROFILE% below it, the program folder beside them, and scripted file dialogs.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "LogicFixture.h"
#include "ProfileActions.h"
#include "ProfileHost.h"
#include "TestFiles.h"

class FakeProfileHost : public IProfileHost {
public:
    explicit FakeProfileHost(const TempFolder& folder);

    std::u16string EnvironmentFolder(const std::u16string& name) override;
    bool CreateFolder(const std::u16string& path) override;
    bool FileExists(const std::u16string& path) override;
    bool CopyNewFile(const std::u16string& from, const std::u16string& to) override;
    bool SaveDialog(const std::u16string& folder, const std::u16string& fileName,
                    const std::u16string& filter, std::u16string& chosen) override;
    bool OpenDialog(const std::u16string& folder, const std::u16string& filter,
                    std::u16string& chosen) override;
    void ReportFileProblem(const std::u16string& file, const std::u16string& reason) override;

    // What the next dialog answers; empty: the user cancels.
    std::u16string answer;
    struct Dialog {
        std::u16string folder;
        std::u16string fileName;
        std::u16string filter;
    };
    std::vector<Dialog> dialogs;
    std::vector<std::pair<std::u16string, std::u16string>> problems;

private:
    const TempFolder& folder_;
};

class ProfileTest : public LogicTest {
protected:
    ProfileTest();

    // A state that touches every key: preset 2 current with band 0 at the top and band 4 at
    // the bottom, EQ and 3D on, 3D values, FBM off, effect 4, C moved, virtual 7.1 on, LED off.
    void SetKnownState();

    std::u16string AppDataFile(const std::u16string& name) const;
    std::string ReadHostFile(const std::u16string& path) const;
    // Writes a file at a Windows-form path (its folder must exist); returns the path.
    std::u16string WriteHostFile(const std::u16string& path, const std::string& bytes) const;

    TempFolder folder;
    FakeProfileHost host{folder};
    ProfileSession session{ctx, PlatformProfileStrings(), host, u"", u"QLN47xx"};
};

// The bytes of a file of the source tree.
std::string SourceFileBytes(const std::string& relative);
