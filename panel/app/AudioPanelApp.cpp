// The program entry: the application object, the main window (whose construction is the
// panel's start-up), the single-instance check, the message loop. An error that escapes is shown
// in the standard error box and the program ends.
#include <windows.h>

#include <memory>

#include "ApplicationWindow.h"
#include "ComPtr.h"
#include "MainForm.h"
#include "PanelError.h"
#include "WideText.h"

namespace {

void ShowStandardError(const ApplicationWindow* application, const std::u16string& text) {
    wchar_t title[64] = {};
    if (application) {
        GetWindowTextW(application->Handle(), title, 64);
    }
    MessageBoxW(nullptr, W(text), title[0] ? title : L"AudioPanelApp",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, wchar_t*, int) {
    // COM stays initialised on the window's thread for the panel's life, so the microphone's
    // lookups and operations (several per slider move) do not set it up and tear it down each.
    const ComInit com;
    std::unique_ptr<ApplicationWindow> application;
    std::unique_ptr<TAudioMainForm> form;
    try {
        application = std::make_unique<ApplicationWindow>(instance);
        form = std::make_unique<TAudioMainForm>(*application);
        if (form->FormCreate()) {
            application->Run();
        }
    } catch (const PanelError& error) {
        ShowStandardError(application.get(), error.text());
    } catch (...) {
        // Anything else is shown as an error without a message.
        ShowStandardError(application.get(), u"");
    }
    form.reset();
    return 0;
}
