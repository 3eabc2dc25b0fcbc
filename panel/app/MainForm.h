// TAudioMainForm: the panel's main window on Windows. It owns the panel (scene, state, device
// set, presentation, life cycle), draws the scene, turns window messages into the panel's input
// and is the platform behind the panel's window, life-cycle and single-instance ports.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "AboutForm.h"
#include "ApplicationWindow.h"
#include "DeviceSet.h"
#include "FolderListingWin32.h"
#include "FontCache.h"
#include "GlobalHotkeys.h"
#include "HotkeyBindings.h"
#include "KeyboardFocus.h"
#include "MainLifecycle.h"
#include "MicTrayShell.h"
#include "PanelAccessibility.h"
#include "PanelWindow.h"
#include "PicturesWin32.h"
#include "Presentation.h"
#include "ProfileActions.h"
#include "ProfileHostWin32.h"
#include "SceneDiff.h"
#include "SceneRenderer.h"
#include "SingleInstance.h"
#include "TextMeasureGdi.h"
#include "TrayHostWin32.h"
#include "TrayIcon.h"
#include "WindowScaler.h"

class TAudioMainForm final : public IWindowHost,
                             public IPanelCommands,
                             public ILifecycleHost,
                             public IInstanceHost {
public:
    // Creates the window and runs the start-up sequence. Throws PanelError when the skin,
    // language or icon cannot be used.
    explicit TAudioMainForm(ApplicationWindow& application);
    ~TAudioMainForm() override;
    TAudioMainForm(const TAudioMainForm&) = delete;
    TAudioMainForm& operator=(const TAudioMainForm&) = delete;

    // FormCreate: false when another instance runs; this one then ends without a window. The
    // single-instance rule itself ran during construction, before any device exchange.
    bool FormCreate();
    HWND Handle() const { return window_; }

    // IWindowHost
    void ShowMessage(const std::u16string& text, const std::u16string& caption,
                     MessageIcon icon) override;
    void BeginWindowDrag() override;
    void CloseMainWindow() override;
    void Minimize() override;
    void HideToTray() override;
    void ProcessPendingMessages() override;
    bool SetWindowRegion(const std::vector<uint8_t>& regionData) override;
    void SetWindowSize(int width, int height) override;
    void SetClientSize(int width, int height) override;

    // IPanelCommands
    void SaveProfile() override;
    void LoadProfile() override;
    void ShowAbout() override;

    // ILifecycleHost
    uint32_t RegisterMessage(const std::u16string& name) override;
    void BuildPresentation() override;
    bool ClaimSingleInstance() override;
    bool RegisterDeviceNotifications() override;
    void Sleep(uint32_t milliseconds) override;
    void SendClose() override;

    // IInstanceHost
    void InstallPointerHook() override;
    MutexResult CreateMutex(const std::u16string& name) override;
    void ClearOwnApplicationText() override;
    bool RaiseApplicationWindow(const std::u16string& title) override;
    void Terminate() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Pointer(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_KEYDOWN: true when the panel used the key.
    bool Key(WPARAM virtualKey);
    // The focus, its indicator or the window's keyboard focus changed.
    void FocusChanged();
    // WM_SYSCOLORCHANGE, WM_SETTINGCHANGE: high contrast may have come or gone.
    void SystemColoursChanged();
    void DeviceChange(WPARAM event, LPARAM data);
    // The microphone was changed elsewhere (or by the panel itself): it is read again and shown.
    void MicNoticeArrived(const MicNotice& notice);
    void TrayMessage(WPARAM wParam, LPARAM lParam);
    void ShowPopupMenu();
    // WM_HOTKEY: one of the configured hotkeys was pressed.
    void HotkeyPressed(WPARAM id);
    // The configured hotkeys held for the window; what cannot be used is told once the message
    // loop runs.
    void ApplyHotkeys();
    // The tray menu's "Hotkeys..." dialog; OK writes and registers the new combinations.
    void EditHotkeys();
    void Restore();
    void Paint();
    // Invalidates what the last message changed in the scene; at once paints it instead.
    void Refresh(bool paintNow = false);
    // Paints region (client pixels) through a window DC, outside WM_PAINT.
    void PaintNow(HRGN region);
    // The tray shows the microphone's state now; a change from elsewhere shows the notice.
    void FollowMicrophone();
    // Lets go of what can be made again: the back buffer, resampled pictures (and GDI+ with them)
    // and the pixels of pictures no control shows (another skin's); hidden, every picture's.
    void ReleasePictures(bool hidden);
    // The timer runs only while a rotation is on: the tick does nothing otherwise.
    void UpdateTimer();
    void CentreOnScreen();
    void ShowError(const std::u16string& text);
    // The shutdown sequence, from WM_DESTROY or from the end of the session.
    void FormDestroy();
    // A drag or press that will see no release: its capture went elsewhere.
    void CancelPointer();

    ApplicationWindow& application_;
    HWND window_ = nullptr;
    std::u16string programFolder_;

    std::unique_ptr<DeviceSet> devices_;
    PicturesWin32 pictures_;
    FontCache fonts_;
    TextMeasureGdi text_{fonts_};
    SceneRenderer renderer_{pictures_, fonts_};
    FolderListingWin32 listing_;
    ProfileHostWin32 profileHost_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<TrayHostWin32> trayHost_;
    std::unique_ptr<MicTrayShell> micTray_;
    AboutForm about_;

    DeviceState device_;
    PanelState state_;
    SkinGeometry skin_;
    Appearance look_;
    std::unique_ptr<PanelWindow> panel_;
    std::unique_ptr<KeyboardFocus> focus_;
    const Control* indicated_ = nullptr;  // the control the focus indicator is drawn around
    Rect indicatedRing_;                  // and where it was drawn
    std::unique_ptr<ProfileSession> profiles_;
    std::unique_ptr<Presentation> presentation_;
    std::unique_ptr<MainLifecycle> life_;
    // What screen readers read; made once the presentation is there.
    std::unique_ptr<PanelAccessibility> access_;
    std::unique_ptr<GlobalHotkeys> hotkeyPort_;
    std::unique_ptr<HotkeyBindings> hotkeys_;  // goes before the port it registers through
    std::u16string hotkeyReport_;
    SceneSnapshot painted_;
    // Kept between messages: a rotation tick changes sixteen rectangles 50 times a second.
    UniqueRegion changed_{CreateRectRgn(0, 0, 0, 0)};
    UniqueRegion piece_{CreateRectRgn(0, 0, 0, 0)};
    UniqueRegion update_{CreateRectRgn(0, 0, 0, 0)};
    // The panel is laid out in design pixels; the window shows it at its screen's density.
    WindowScaler scaler_;

    HANDLE mutex_ = nullptr;
    bool pointerHook_ = false;
    bool timerRunning_ = false;
    bool started_ = false;
    bool shutDown_ = false;
    bool onlyInstance_ = false;
    bool releasingCapture_ = false;  // our own ReleaseCapture: the release is handled as such
    // The message being handled is the user's pointer, key or accessible default action on
    // the window: what it changes, the window shows already.
    bool ownInput_ = false;
    // A show from the tray waits for its first paint: when it was asked for.
    bool showPending_ = false;
    int picturesPage_ = -1;  // the page whose pictures the shown window holds
    std::chrono::steady_clock::time_point showRequested_;
};
