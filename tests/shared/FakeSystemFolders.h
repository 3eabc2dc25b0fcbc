// System folders as a test wants them, with a record of the redirection calls.
#pragma once

#include <string>
#include <vector>

#include "ports/SystemFolders.h"

class FakeSystemFolders : public ISystemFolders {
public:
    std::u16string programFiles = u"C:\\Program Files";
    bool wow64 = false;
    std::vector<std::string> calls;
    bool redirected = true;

    std::u16string GetProgramFilesFolder() override { return programFiles; }
    bool IsWow64Process() override { return wow64; }
    std::u16string GetSpecialFolder(int csidl) override {
        calls.push_back("special " + std::to_string(csidl));
        return csidl == CSIDL_SYSTEMX86_FOLDER ? u"C:\\Windows\\SysWOW64"
                                               : u"C:\\Windows\\System32";
    }
    std::u16string GetSystemDirectoryPath() override {
        calls.push_back(redirected ? "system directory (redirected)" : "system directory");
        return redirected && wow64 ? u"C:\\Windows\\SysWOW64" : u"C:\\Windows\\System32";
    }
    int DisableWow64Redirection(void** oldValue) override {
        calls.push_back("disable");
        redirected = false;
        *oldValue = &token;
        return 1;
    }
    int RevertWow64Redirection(void* oldValue) override {
        calls.push_back(oldValue == &token ? "revert" : "revert with a wrong value");
        redirected = true;
        return 1;
    }

private:
    int token = 0;
};
