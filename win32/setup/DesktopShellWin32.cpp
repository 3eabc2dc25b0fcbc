#include "DesktopShellWin32.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>

#include "ComPtr.h"
#include "WideText.h"

namespace {

struct BstrFreer {
    void operator()(wchar_t* text) const { SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<wchar_t, BstrFreer>;

ComPtr<IShellView> DesktopView() {
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.PutVoid())))
        return {};
    VARIANT desktop;
    VariantInit(&desktop);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT none;
    VariantInit(&none);
    long window = 0;
    ComPtr<IDispatch> dispatch;
    // S_FALSE: no desktop window is registered.
    if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              dispatch.Put()) != S_OK ||
        !dispatch)
        return {};
    ComPtr<IServiceProvider> provider;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    if (FAILED(dispatch->QueryInterface(IID_IServiceProvider, provider.PutVoid())) ||
        FAILED(
            provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid())) ||
        FAILED(browser->QueryActiveShellView(view.Put())))
        return {};
    return view;
}

}  // namespace

bool OpenThroughDesktopShell(const std::u16string& file) {
    const ComPtr<IShellView> view = DesktopView();
    if (!view)
        return false;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.PutVoid())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.PutVoid())) ||
        FAILED(folderView->get_Application(application.Put())) || !application ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.PutVoid())))
        return false;

    const UniqueBstr path(SysAllocString(W(file)));
    if (!path)
        return false;
    VARIANT none;
    VariantInit(&none);
    VARIANT show;
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_HIDE;
    return SUCCEEDED(shell->ShellExecute(path.get(), none, none, none, show));
}
