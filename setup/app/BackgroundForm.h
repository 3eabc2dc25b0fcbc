// TBackgroundForm: the borderless picture behind the wizard, and the program's main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "GuiHandles.h"
#include "ports/SetupSystem.h"

class TBackgroundForm {
public:
    TBackgroundForm(HINSTANCE instance, ISetupSystem& system, const std::u16string& programPath);

    bool Create();
    // Shows this window, then runs FormShow, which shows the wizard.
    void Show(const std::function<void()>& showWizard);
    // The wizard's FormShow puts this window at (0, 0) in the size decided here.
    void Place();
    void SetTitle(const std::u16string& title);
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormShow(const std::function<void()>& showWizard);
    void Paint();

    HINSTANCE instance_;
    ISetupSystem& system_;
    HWND window_ = nullptr;
    std::u16string exeFolder_;
    std::u16string backgroundFile_;
    int width_ = 0;
    int height_ = 0;
    UniqueBitmap picture_;  // null: Image hidden
};
