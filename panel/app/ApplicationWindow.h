// The application object: its hidden top-level window of class "TApplication", whose text is the
// application title (a second instance finds the first one by it), the owner of the main window
// (so the main window has no task-bar button of its own), and the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class ApplicationWindow {
public:
    explicit ApplicationWindow(HINSTANCE instance);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND Handle() const { return window_; }
    HINSTANCE Instance() const { return instance_; }
    void SetTitle(const std::u16string& title);

    // The system's restore command (another instance raising this one) goes here.
    std::function<void()> onRestore;

    // Runs until WM_QUIT or Terminate().
    void Run();
    // The message loop ends at once.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Application.ProcessMessages: handles what is waiting, keeping a WM_QUIT for the loop.
    void ProcessMessages();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool terminated_ = false;
};
