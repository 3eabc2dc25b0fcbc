#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "ComPtr.h"
#include "DesktopShellWin32.h"
#include "Handles.h"
#include "RunningProgramsWin32.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

class Win32Link : public IShellLinkObject {
public:
    bool Create() {
        return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkW, link_.PutVoid())) &&
               SUCCEEDED(link_->QueryInterface(IID_IPersistFile, file_.PutVoid()));
    }

    bool SetPath(const std::u16string& target) override {
        return SUCCEEDED(link_->SetPath(W(target)));
    }
    bool Save(const std::u16string& linkPath) override {
        return SUCCEEDED(file_->Save(W(linkPath), TRUE));
    }

private:
    // COM for this thread while the link lives; the interfaces go first.
    ComInit com_;
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

class Win32ShortcutsImpl : public IShortcuts {
public:
    std::unique_ptr<IShellLinkObject> CreateLink() override {
        auto link = std::make_unique<Win32Link>();
        if (!link->Create())
            return nullptr;
        return link;
    }

    std::u16string CommonProgramsFolder() override {
        wchar_t path[MAX_PATH] = {};
        if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE))
            return {};
        return U16(path);
    }
};

class Win32Process : public IProcessHandle {
public:
    explicit Win32Process(HANDLE process) : process_(process) {}

    bool Wait(uint32_t milliseconds) override {
        return process_ && WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
    }
    std::optional<uint32_t> ExitCode() override {
        DWORD code = 0;
        if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE)
            return std::nullopt;
        return code;
    }
    bool Terminate() override {
        return process_ && TerminateProcess(process_.get(), ERROR_TIMEOUT) != FALSE;
    }

private:
    UniqueHandle process_;
};

class Win32ProcessesImpl : public IProcesses {
public:
    std::unique_ptr<IProcessHandle> Create(const std::u16string& commandLine) override {
        std::u16string writable = commandLine;  // CreateProcessW may change its buffer
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(&writable[0]), nullptr, nullptr,
                            TRUE, HIGH_PRIORITY_CLASS, nullptr, nullptr, &startup, &info))
            return nullptr;
        CloseHandle(info.hThread);
        return std::make_unique<Win32Process>(info.hProcess);
    }

    bool OpenAsDesktopUser(const std::u16string& file) override {
        // The desktop shell runs in the user's own process; it starts the program, not we.
        ComInit com;
        return OpenThroughDesktopShell(file);
    }

    std::vector<std::unique_ptr<IProcessHandle>> OpenRunning(
        const std::vector<std::u16string>& programs) override {
        return OpenRunningPrograms(programs);
    }
};

}  // namespace

IShortcuts& Win32Shortcuts() {
    static Win32ShortcutsImpl shortcuts;
    return shortcuts;
}

IProcesses& Win32Processes() {
    static Win32ProcessesImpl processes;
    return processes;
}
