// The About dialog "TAboutForm": modal over the owner, closed with Escape, Enter or its close
// button.
//
//   AboutForm about;
//   about.ShowModal(mainWindow, look.About());   // returns when the dialog is closed
#pragma once

#include <windows.h>

#include <memory>

#include "AboutAccessible.h"
#include "AboutView.h"
#include "Presentation.h"

class AboutForm {
public:
    explicit AboutForm(HINSTANCE instance = GetModuleHandleW(nullptr));
    AboutForm(const AboutForm&) = delete;
    AboutForm& operator=(const AboutForm&) = delete;

    // The owner is disabled while the dialog runs its own message loop. A WM_QUIT met on the
    // way ends the dialog and is posted again for the caller's loop.
    void ShowModal(HWND owner, const AboutContent& content);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterWindowClass() const;

    HINSTANCE instance_;
    HWND owner_ = nullptr;
    bool ownerWasEnabled_ = false;
    const AboutView* view_ = nullptr;
    std::unique_ptr<AboutAccessible> access_;  // while the dialog is open
    bool closed_ = true;
};
