#include <windows.h>
#include <exdisp.h>
#include <objbase.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "Handles.h"
#include "SetupPortsWin32.h"
#include "WideText.h"

namespace {

template <typename T>
struct ComReleaser {
    void operator()(T* pointer) const { pointer->Release(); }
};
template <typename T>
using ComOwner = std::unique_ptr<T, ComReleaser<T>>;

// COM for this thread while the link lives; the interfaces go first.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

class Win32Link : public IShellLinkObject {
public:
    bool Create() {
        IShellLinkW* link = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link))))
            return false;
        link_.reset(link);
        IPersistFile* file = nullptr;
        if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
            return false;
        file_.reset(file);
        return true;
    }

    bool SetPath(const std::u16string& target) override {
        return SUCCEEDED(link_->SetPath(W(target)));
    }
    bool Save(const std::u16string& linkPath) override {
        return SUCCEEDED(file_->Save(W(linkPath), TRUE));
    }

private:
    ComScope com_;
    ComOwner<IShellLinkW> link_;
    ComOwner<IPersistFile> file_;
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
        // The shell may start a file without a process of its own: nothing to wait for.
        if (!process_)
            return true;
        return WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
    }
    std::optional<uint32_t> ExitCode() override {
        DWORD code = 0;
        if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE)
            return std::nullopt;
        return code;
    }

private:
    UniqueHandle process_;
};

// Each step of the desktop shell's chain, released in reverse order.
bool OpenThroughDesktopShell(const std::u16string& file) {
    IShellWindows* windowsRaw = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                reinterpret_cast<void**>(&windowsRaw))))
        return false;
    ComOwner<IShellWindows> windows(windowsRaw);

    VARIANT desktop;
    VariantInit(&desktop);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT empty;
    VariantInit(&empty);
    long window = 0;
    IDispatch* dispatchRaw = nullptr;
    if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              &dispatchRaw) != S_OK ||
        !dispatchRaw)
        return false;
    ComOwner<IDispatch> dispatch(dispatchRaw);

    IServiceProvider* providerRaw = nullptr;
    if (FAILED(
            dispatch->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&providerRaw))))
        return false;
    ComOwner<IServiceProvider> provider(providerRaw);
    IShellBrowser* browserRaw = nullptr;
    if (FAILED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                      reinterpret_cast<void**>(&browserRaw))))
        return false;
    ComOwner<IShellBrowser> browser(browserRaw);
    IShellView* viewRaw = nullptr;
    if (FAILED(browser->QueryActiveShellView(&viewRaw)) || !viewRaw)
        return false;
    ComOwner<IShellView> view(viewRaw);

    IDispatch* backgroundRaw = nullptr;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch,
                                   reinterpret_cast<void**>(&backgroundRaw))))
        return false;
    ComOwner<IDispatch> background(backgroundRaw);
    IShellFolderViewDual* folderViewRaw = nullptr;
    if (FAILED(background->QueryInterface(IID_IShellFolderViewDual,
                                          reinterpret_cast<void**>(&folderViewRaw))))
        return false;
    ComOwner<IShellFolderViewDual> folderView(folderViewRaw);
    IDispatch* applicationRaw = nullptr;
    if (FAILED(folderView->get_Application(&applicationRaw)) || !applicationRaw)
        return false;
    ComOwner<IDispatch> application(applicationRaw);
    IShellDispatch2* shellRaw = nullptr;
    if (FAILED(
            application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(&shellRaw))))
        return false;
    ComOwner<IShellDispatch2> shell(shellRaw);

    BSTR path = SysAllocString(W(file));
    if (!path)
        return false;
    VARIANT none;
    VariantInit(&none);
    VARIANT show;
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_HIDE;
    const HRESULT result = shell->ShellExecute(path, none, none, none, show);
    SysFreeString(path);
    return SUCCEEDED(result);
}

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

    std::unique_ptr<IProcessHandle> ShellOpen(const std::u16string& file) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpFile = W(file);
        info.nShow = SW_HIDE;
        if (!ShellExecuteExW(&info))
            return nullptr;
        return std::make_unique<Win32Process>(info.hProcess);
    }

    bool OpenAsDesktopUser(const std::u16string& file) override {
        // The desktop shell runs in the user's own process; it starts the program, not we.
        ComScope com;
        return OpenThroughDesktopShell(file);
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
