#include "MainForm.h"

#include <dbt.h>
#include <mmsystem.h>
#include <windowsx.h>

#include <cstring>
#include <unordered_set>

#include "AudioConfig.h"
#include "ControlTags.h"
#include "FocusCuesWin32.h"
#include "FocusRing.h"
#include "HotkeyDialog.h"
#include "MessageBoxHost.h"
#include "MessageFilter.h"
#include "MicOperations.h"
#include "NavKeyWin32.h"
#include "PanelError.h"
#include "PopupMenuWin32.h"
#include "WideText.h"
#include "WindowDpi.h"
#include "WindowObject.h"

namespace {

constexpr wchar_t kClassName[] = L"TAudioMainForm";
constexpr wchar_t kCaption[] = L"AudioPanelApp";
constexpr int kDesignWidth = 806;
constexpr int kDesignHeight = 522;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kHotkeyReportMessage = WM_APP + 2;
constexpr UINT_PTR kRotationTimer = 1;
constexpr UINT kRotationPeriodMs = 20;

std::u16string ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return U16(path.c_str(), path.size());
        }
        path.resize(path.size() * 2);
    }
}

std::u16string FolderOf(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

std::u16string Environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, &value[0], size);
    return U16(value.c_str(), length < size ? length : 0);
}

// A flag set for a scope, as it was afterwards (messages nest inside modal loops).
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

bool IsPointerMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE:
            return true;
        default:
            return false;
    }
}

bool IsOwnInput(UINT message, WPARAM wParam) {
    return IsPointerMessage(message) || message == WM_KEYDOWN ||
           (message == PanelAccessibility::kActionMessage &&
            wParam != PanelAccessibility::kNoAction);
}

}  // namespace

TAudioMainForm::TAudioMainForm(ApplicationWindow& application) : application_(application) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TAudioMainForm::WindowProc;
    windowClass.hInstance = application.Instance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    // Borderless and not resizable; owned by the application window, so the task bar shows no
    // button for it. Hidden: the panel starts in the notification area.
    window_ =
        CreateWindowExW(0, kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, kDesignWidth,
                        kDesignHeight, application.Handle(), nullptr, application.Instance(), this);
    if (!window_) {
        throw PanelError(u"Cannot create the main window");
    }
    scaler_.Attach(window_);
    renderer_.SetScale(scaler_.Scale());
    scaler_.SetSize({kDesignWidth, kDesignHeight});
    try {
        programFolder_ = FolderOf(ModulePath());
        application_.onRestore = [this] { Restore(); };
        profileHost_.SetOwner(window_);

        devices_ = CreateDeviceSet(window_);
        renderer_.SetColours(devices_->Colours());
        tray_ = std::make_unique<TrayIcon>(window_, kTrayMessage);
        trayHost_ = std::make_unique<TrayHostWin32>(*tray_, window_, application_.Handle());
        micTray_ = std::make_unique<MicTrayShell>(application.Instance(), *tray_, *trayHost_);
        panel_ = std::make_unique<PanelWindow>(
            device_, state_, skin_, devices_->Hid(), devices_->Driver(), devices_->Audio(),
            devices_->WaveInput(), look_, UiPorts{pictures_, text_, *this, *this});
        panel_->SetWindowShown(false);  // created hidden
        focus_ = std::make_unique<KeyboardFocus>(*panel_);
        profiles_ = std::make_unique<ProfileSession>(ProfileSession{
            panel_->Context(), PlatformProfileStrings(), profileHost_, programFolder_, u""});
        life_ = std::make_unique<MainLifecycle>(*panel_, *profiles_, devices_->Devices(),
                                                devices_->Os(), *this);
        if (IMicWatch* watch = devices_->MicWatch()) {
            life_->SetMicWatch(*watch);
        }
        life_->Start();
        if (presentation_) {
            access_ = std::make_unique<PanelAccessibility>(window_, *panel_, *focus_, scaler_,
                                                           *presentation_);
        }
        started_ = true;
        FollowMicrophone();
        Update(painted_, panel_->GetScene());
        InvalidateRect(window_, nullptr, FALSE);
        UpdateTimer();
        ReleasePictures(true);  // it starts in the tray
    } catch (...) {
        // No FormDestroy for a window that never finished its start-up.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
        throw;
    }
}

TAudioMainForm::~TAudioMainForm() {
    if (window_ && IsWindow(window_)) {
        DestroyWindow(window_);  // FormDestroy, while everything is still there
    }
    if (devices_) {
        devices_->Finish();
    }
    // The mutex is left to the system, which releases it when the process ends.
}

bool TAudioMainForm::FormCreate() {
    if (!onlyInstance_) {
        return false;
    }
    devices_->Layout(panel_->GetScene());
    return true;
}

LRESULT CALLBACK TAudioMainForm::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = WindowObject<TAudioMainForm>(window, message, lParam);
    // After the shutdown sequence (the session's end) nothing may move the headset again.
    if (!self || !self->started_ || (self->shutDown_ && message != WM_DESTROY)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // The top-level handler: a bad number or picture in a file the user chose is reported and
    // the panel goes on.
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (const PanelError& error) {
        self->ShowError(error.text());
    } catch (...) {
        self->ShowError(u"");
    }
    return 0;
}

LRESULT TAudioMainForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const FlagScope own(ownInput_, IsOwnInput(message, wParam));
    if (life_->WindowMessage(message)) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }
    if (tray_ && tray_->HandleMessage(message, wParam)) {
        return 0;
    }
    if (devices_->HandleMessage(message, wParam, lParam)) {
        Refresh();
        UpdateTimer();
        return 0;
    }
    if (IsPointerMessage(message)) {
        Pointer(message, wParam, lParam);
        Refresh();
        UpdateTimer();
        return 0;
    }
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the scene covers the whole window
        case WM_KEYDOWN:
            if (Key(wParam)) {
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            FocusChanged();
            break;
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            focus_->SetIndicatorShown(IndicatorAfterUiState(wParam, focus_->IndicatorShown()));
            FocusChanged();
            return result;
        }
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            SystemColoursChanged();
            break;
        case WM_SHOWWINDOW:
            // Hidden to the tray or with its owner: the level meter keeps no microphone open, and
            // the pictures wait on their files.
            panel_->SetWindowShown(wParam != FALSE);
            if (!wParam) {
                ReleasePictures(true);
            }
            Refresh();
            break;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                panel_->SetWindowShown(false);
            } else if (wParam == SIZE_RESTORED && IsWindowVisible(window_)) {
                panel_->SetWindowShown(true);
            }
            break;
        case kDpiChangedMessage:
            scaler_.DpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            renderer_.SetScale(scaler_.Scale());
            return 0;
        case WM_TIMER:
            if (wParam == kRotationTimer) {
                life_->OnTimer();
                Refresh(true);
                UpdateTimer();
                return 0;
            }
            break;
        case WM_DEVICECHANGE:
            DeviceChange(wParam, lParam);
            Refresh();
            UpdateTimer();
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_POWERBROADCAST:
            life_->OnPowerBroadcast(static_cast<uint32_t>(wParam));
            Refresh();
            UpdateTimer();
            return TRUE;
        case MM_WIM_DATA: {
            const uint8_t* samples = nullptr;
            const int buffer = devices_->MeterBuffer(lParam, &samples);
            if (buffer >= 0) {
                panel_->OnMeterBuffer(samples, IWaveInput::kBufferSize, buffer);
                Refresh();
            }
            return 0;
        }
        case kMicNoticeMessage:
            MicNoticeArrived(
                UnpackMicNotice(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)));
            return 0;
        case MM_MIXM_CONTROL_CHANGE:
            MicNoticeArrived(MicNotice{MicChange::Controls});
            return 0;
        case kTrayMessage:
            TrayMessage(wParam, lParam);
            Refresh();
            UpdateTimer();
            return 0;
        case WM_HOTKEY:
            HotkeyPressed(wParam);
            Refresh();
            UpdateTimer();
            return 0;
        case kHotkeyReportMessage:
            if (!hotkeyReport_.empty()) {
                const std::u16string report = std::move(hotkeyReport_);
                hotkeyReport_.clear();
                ShowMessage(report, presentation_->Title(), MessageIcon::Exclamation);
            }
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    presentation_->Minimize();
                    return 0;
                case SC_RESTORE:
                    Restore();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_GETOBJECT: {
            LRESULT object = 0;
            if (access_ && access_->Answer(wParam, lParam, &object)) {
                return object;
            }
            break;
        }
        case PanelAccessibility::kActionMessage:
            if (access_) {
                access_->RunAction(wParam);
            }
            Refresh();
            UpdateTimer();
            return 0;
        case WM_DESTROY:
            if (access_) {
                access_->Disconnect();
            }
            FormDestroy();
            micTray_.reset();
            tray_.reset();
            PostQuitMessage(0);
            return 0;
        case WM_QUERYENDSESSION:
            // The end may still be cancelled by another program: nothing is undone here.
            return TRUE;
        case WM_ENDSESSION:
            // The system ends the process after this without destroying the window.
            if (wParam) {
                FormDestroy();
                // Should the process live on (an application restart), it ends as on close.
                PostMessageW(window_, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CANCELMODE:
            CancelPointer();
            break;
        case WM_CAPTURECHANGED:
            // lParam names the window that takes the capture: this one again loses nothing.
            if (!releasingCapture_ && reinterpret_cast<HWND>(lParam) != window_) {
                CancelPointer();
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool TAudioMainForm::Pointer(UINT message, WPARAM, LPARAM lParam) {
    if (!pointerHook_) {
        return false;
    }
    const Point at = scaler_.Scale().ToDesign(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    switch (message) {
        case WM_LBUTTONDOWN:
            // Drags go on outside the window until the button is released.
            SetCapture(window_);
            panel_->MouseDown(MouseButton::Left, at);
            break;
        case WM_RBUTTONDOWN:
            panel_->MouseDown(MouseButton::Right, at);
            break;
        case WM_MOUSEMOVE:
            panel_->MouseMove(at);
            break;
        case WM_LBUTTONUP:
            if (GetCapture() == window_) {
                releasingCapture_ = true;
                ReleaseCapture();
                releasingCapture_ = false;
            }
            panel_->MouseUp(MouseButton::Left, at);
            break;
        case WM_RBUTTONUP:
            panel_->MouseUp(MouseButton::Right, at);
            break;
        default:
            return false;
    }
    return true;
}

bool TAudioMainForm::Key(WPARAM virtualKey) {
    NavKey key;
    if (!NavKeyOf(virtualKey, &key)) {
        return false;
    }
    const bool used = focus_->OnKey(key, KeyModifiersNow());
    if (used && IsNavigationKey(key)) {
        // As a dialog does: from now on the focus is shown.
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    Refresh();
    UpdateTimer();
    return used;
}

void TAudioMainForm::FocusChanged() {
    // Shown once a key was used (KeyboardFocus::OnKey) or the system said so (WM_UPDATEUISTATE).
    const Control* indicated =
        focus_->IndicatorShown() && GetFocus() == window_ ? focus_->Focused() : nullptr;
    // The ring moves with its control too (a slider moved by a key).
    const Rect ring = FocusRingRect(panel_->GetScene(), indicated);
    if (indicated == indicated_ && SameRect(ring, indicatedRing_)) {
        return;
    }
    for (const Rect& r : {indicatedRing_, ring}) {
        if (!IsEmpty(r)) {
            const Rect s = scaler_.Scale().ToScreen(r);
            const RECT rect{s.left, s.top, s.left + s.width, s.top + s.height};
            InvalidateRect(window_, &rect, FALSE);
        }
    }
    indicated_ = indicated;
    indicatedRing_ = ring;
    renderer_.SetFocusIndicator(indicated_);
    devices_->FocusIndicator(indicated_, ring);
}

void TAudioMainForm::SystemColoursChanged() {
    const SystemColours colours = devices_->Colours();
    if (colours != renderer_.Colours()) {
        renderer_.SetColours(colours);
        InvalidateRect(window_, nullptr, FALSE);
    }
}

void TAudioMainForm::CancelPointer() {
    panel_->CancelPress();
    Refresh();
}

void TAudioMainForm::FormDestroy() {
    if (!shutDown_) {
        shutDown_ = true;
        KillTimer(window_, kRotationTimer);
        timerRunning_ = false;
        if (hotkeys_) {
            hotkeys_->Clear();
        }
        life_->Shutdown();
    }
}

void TAudioMainForm::DeviceChange(WPARAM event, LPARAM data) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header) {
        life_->OnDeviceChange(static_cast<uint32_t>(event), nullptr);
        return;
    }
    DeviceBroadcast broadcast;
    broadcast.deviceType = header->dbch_devicetype;
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
        const auto* iface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
        static_assert(sizeof(DeviceGuid) == sizeof(GUID), "the same layout");
        std::memcpy(&broadcast.classGuid, &iface->dbcc_classguid, sizeof(GUID));
        broadcast.name = U16(iface->dbcc_name);
    }
    life_->OnDeviceChange(static_cast<uint32_t>(event), &broadcast);
}

void TAudioMainForm::TrayMessage(WPARAM wParam, LPARAM lParam) {
    if (!tray_)
        return;
    switch (tray_->Decode(wParam, lParam)) {
        case TrayEvent::Show:
            Restore();
            break;
        case TrayEvent::OpenMenu:
            ShowPopupMenu();
            break;
        default:
            break;
    }
}

void TAudioMainForm::ShowPopupMenu() {
    std::vector<MenuItem> menu = presentation_->PopupMenu();
    // The simulator's own items go before "Close".
    std::vector<MenuItem> extra = devices_->ExtraMenuItems();
    menu.insert(menu.end() - 1, extra.begin(), extra.end());
    const POINT at = tray_->MenuAnchor();
    const MenuPick pick = PopupMenuWin32::Track(window_, menu, at);
    if (pick.name == u"LanguageMenu") {
        presentation_->LanguageMenuClick(pick.subIndex);
        devices_->Layout(panel_->GetScene());
    } else if (pick.name == u"SkinMenu") {
        presentation_->SkinMenuClick(pick.subIndex);
        ReleasePictures(!IsWindowVisible(window_));
        InvalidateRect(window_, nullptr, FALSE);
        devices_->Layout(panel_->GetScene());
    } else if (pick.name == u"HotkeysMenu") {
        EditHotkeys();
    } else if (pick.name == u"CloseMenu") {
        SendMessageW(window_, WM_CLOSE, 0, 0);  // CloseMenuClick
    } else if (!pick.name.empty()) {
        devices_->MenuChosen(pick.name);
    }
}

void TAudioMainForm::HotkeyPressed(WPARAM id) {
    HotkeyAction action;
    if (!hotkeys_ || !hotkeys_->ActionOf(static_cast<int>(id), &action)) {
        return;
    }
    if (action == HotkeyAction::ShowPanel) {
        // As the tray's double-click shows it and the close button hides it.
        if (IsWindowVisible(window_)) {
            presentation_->Minimize();
        } else {
            Restore();
        }
        return;
    }
    // The Mic page's switch pressed and released, as a click or its key does.
    if (Control* mute = panel_->GetScene().FindImageByTag(TAG_MIC_MUTE)) {
        focus_->Activate(*mute);
    }
}

void TAudioMainForm::ApplyHotkeys() {
    const std::u16string report =
        hotkeys_->Apply(presentation_->Hotkeys(), presentation_->HotkeyWords());
    if (!report.empty()) {
        hotkeyReport_ += (hotkeyReport_.empty() ? u"" : u"\r\n") + report;
        PostMessageW(window_, kHotkeyReportMessage, 0, 0);
    }
}

void TAudioMainForm::EditHotkeys() {
    // Held, they would reach this window instead of the dialog's controls.
    hotkeys_->Clear();
    HotkeyChoice chosen;
    if (AskHotkeys(window_, presentation_->HotkeyWords(), presentation_->Hotkeys(), &chosen)) {
        for (size_t i = 0; i < chosen.size(); ++i) {
            presentation_->SaveHotkey(static_cast<HotkeyAction>(i), chosen[i]);
        }
    }
    ApplyHotkeys();
}

void TAudioMainForm::Restore() {
    if (!IsWindowVisible(window_)) {
        showPending_ = true;
        showRequested_ = std::chrono::steady_clock::now();
    }
    presentation_->Restore();
    ShowWindow(window_, SW_SHOW);
    BringWindowToTop(window_);
    SetForegroundWindow(window_);
    SetFocus(window_);  // the keyboard works the panel at once
}

void TAudioMainForm::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (dc) {
        // The pieces, not the rectangle around them: the paint DC's own region, which the
        // system gives in screen coordinates (asking for the update region again would cost a
        // round trip to the window system).
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        const bool pieces = update_ && GetRandomRgn(dc, update_.get(), SYSRGN) == 1 &&
                            OffsetRgn(update_.get(), -origin.x, -origin.y) == COMPLEXREGION;
        RECT client{};
        GetClientRect(window_, &client);
        renderer_.Paint(panel_->GetScene(), dc, paint.rcPaint, Size{client.right, client.bottom},
                        pieces ? update_.get() : nullptr);
        EndPaint(window_, &paint);
    }
    if (showPending_) {
        showPending_ = false;
        const auto elapsed = std::chrono::steady_clock::now() - showRequested_;
        devices_->WindowShown(static_cast<unsigned>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    }
}

void TAudioMainForm::PaintNow(HRGN region) {
    // The rotation's tick: its invalidation and WM_PAINT (another message, the caret hidden and
    // shown, the update region asked for) cost the window system several requests 50 times a
    // second; a window DC clipped to the moved icons paints the same pieces.
    HDC dc = GetDC(window_);
    if (!dc) {
        InvalidateRgn(window_, region, FALSE);
        return;
    }
    RECT box{};
    RECT client{};
    GetRgnBox(region, &box);
    GetClientRect(window_, &client);
    ExtSelectClipRgn(dc, region, RGN_AND);
    renderer_.Paint(panel_->GetScene(), dc, box, Size{client.right, client.bottom}, region);
    ReleaseDC(window_, dc);
}

void TAudioMainForm::MicNoticeArrived(const MicNotice& notice) {
    if (started_) {
        life_->OnMicNotice(notice);
        Refresh();
    }
}

void TAudioMainForm::Refresh(bool paintNow) {
    const Scene& scene = panel_->GetScene();
    const std::vector<Rect> changed = Changed(painted_, scene);
    if (!changed.empty()) {
        // One invalidation for all of them: each is a round trip to the window system.
        SetRectRgn(changed_.get(), 0, 0, 0, 0);
        for (const Rect& rect : changed) {
            const Rect r = scaler_.Scale().ToScreen(rect);
            SetRectRgn(piece_.get(), r.left, r.top, r.left + r.width, r.top + r.height);
            CombineRgn(changed_.get(), changed_.get(), piece_.get(), RGN_OR);
        }
        if (paintNow && IsWindowVisible(window_) && !IsIconic(window_)) {
            PaintNow(changed_.get());
        } else {
            InvalidateRgn(window_, changed_.get(), FALSE);
        }
    }
    Update(painted_, scene);
    FocusChanged();  // a page or a control may have gone from under the focus
    if (access_) {
        access_->Announce();
    }
    FollowMicrophone();
    // Whatever a message decoded while hidden (a picture GDI+ had to read to learn its size)
    // waits for its paint; shown, the page left keeps none of its pictures.
    if (!IsWindowVisible(window_)) {
        if (pictures_.Decoded() > 0) {
            ReleasePictures(true);
        }
    } else if (scene.Page() != picturesPage_) {
        picturesPage_ = scene.Page();
        std::unordered_set<std::u16string> painted;
        for (const Control& control : scene.Controls()) {
            if (!control.picture.empty() && IsPainted(scene, control)) {
                painted.insert(control.picture);
            }
        }
        pictures_.Release(painted);
    }
}

void TAudioMainForm::FollowMicrophone() {
    if (!micTray_ || !presentation_) {
        return;
    }
    const std::u16string& hint =
        presentation_->TrayHint().empty() ? presentation_->Title() : presentation_->TrayHint();
    const MicTrayUpdate update =
        micTray_->Follow({device_.devicePresent != 0, state_.micMute != 0,
                          ownInput_ ? InputOrigin::OwnWindow : InputOrigin::Elsewhere},
                         hint, presentation_->MicTexts(), renderer_.Colours());
    devices_->MicTrayShown(update);
}

void TAudioMainForm::ReleasePictures(bool hidden) {
    renderer_.Release();
    // Hidden, the window keeps no pixels: decoding what the first paint shows on the way back
    // from the tray is quick. Shown, it keeps what it has painted on any page of the scene.
    std::unordered_set<std::u16string> kept;
    if (!hidden) {
        for (const Control& control : panel_->GetScene().Controls()) {
            if (!control.picture.empty()) {
                kept.insert(control.picture);
            }
        }
    }
    pictures_.Release(kept);
}

void TAudioMainForm::UpdateTimer() {
    const bool rotating = state_.rotateClockwise || state_.rotateCounterClockwise;
    if (rotating && !timerRunning_ && !shutDown_) {
        timerRunning_ = SetTimer(window_, kRotationTimer, kRotationPeriodMs, nullptr) != 0;
        renderer_.SetMoving(Role::Speaker);
    } else if (!rotating && timerRunning_) {
        KillTimer(window_, kRotationTimer);
        timerRunning_ = false;
        renderer_.SetMoving(Role::None);
    }
}

void TAudioMainForm::CentreOnScreen() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAudioMainForm::ShowError(const std::u16string& text) {
    wchar_t title[64] = {};
    GetWindowTextW(application_.Handle(), title, 64);
    MessageBoxW(window_, W(text), title[0] ? title : kCaption, MB_OK | MB_ICONERROR);
}

// IWindowHost

void TAudioMainForm::ShowMessage(const std::u16string& text, const std::u16string& caption,
                                 MessageIcon icon) {
    ShowMessageBox(window_, text, caption, icon);
}

void TAudioMainForm::BeginWindowDrag() {
    ReleaseCapture();
    SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);  // 0xF012
}

void TAudioMainForm::CloseMainWindow() {
    // Posted: the press that asks for it is still being handled.
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void TAudioMainForm::Minimize() {
    ShowWindow(window_, SW_HIDE);
}

void TAudioMainForm::HideToTray() {
    ShowWindow(window_, SW_HIDE);
}

void TAudioMainForm::ProcessPendingMessages() {
    application_.ProcessMessages();
}

bool TAudioMainForm::SetWindowRegion(const std::vector<uint8_t>& regionData) {
    return scaler_.SetRegion(regionData);
}

void TAudioMainForm::SetWindowSize(int width, int height) {
    scaler_.SetSize({width, height});
}

void TAudioMainForm::SetClientSize(int width, int height) {
    SetWindowSize(width, height);  // no frame: window and client are the same
}

// IPanelCommands

void TAudioMainForm::SaveProfile() {
    ProfileSave(*profiles_);
}

void TAudioMainForm::LoadProfile() {
    ProfileLoad(*profiles_);
}

void TAudioMainForm::ShowAbout() {
    about_.ShowModal(window_, presentation_->About());
}

// ILifecycleHost

uint32_t TAudioMainForm::RegisterMessage(const std::u16string& name) {
    const UINT message = RegisterWindowMessageW(W(name));
    // The sender may run below an elevated panel's level.
    AllowMessageFromLowerLevels(window_, message);
    return message;
}

void TAudioMainForm::BuildPresentation() {
    _APPLICATION_FOLDER_PATH config;
    LoadAudioConfig(u"AudioConfig.cfg", ModulePath(), config);
    profiles_->profileFolderName = config.InstallFolderName;
    // The whole window follows the screen's density, so the labels keep their design size in
    // design pixels.
    look_.density = DensityFactor(kDesignDpi, device_.osGeneration != kCoreAudioGeneration);
    presentation_ = std::make_unique<Presentation>(
        *panel_, skin_, listing_, PlatformProfileStrings(), *this, *trayHost_,
        PresentationConfig{programFolder_, config.SkinFolderName, config.LanguageFolderName,
                           config.InstallAppTitle, config.InstallIconFileName,
                           config.InstallFolderName, Environment(L"APPDATA")});
    presentation_->Build();
    profileHost_.SetTitle(presentation_->Title());
    CentreOnScreen();
}

bool TAudioMainForm::ClaimSingleInstance() {
    onlyInstance_ = ::FormCreate(*this, presentation_->Title());
    if (onlyInstance_) {
        tray_->Add();  // shown from start to exit
        // A second instance would find its own hotkeys taken by the first.
        hotkeyPort_ = std::make_unique<GlobalHotkeys>(window_);
        hotkeys_ = std::make_unique<HotkeyBindings>(*hotkeyPort_);
        ApplyHotkeys();
    }
    return onlyInstance_;
}

bool TAudioMainForm::RegisterDeviceNotifications() {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    static_assert(sizeof filter == 32, "the filter the system expects");
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // Kept for the life of the window, which ends it.
    return RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_ALL_INTERFACE_CLASSES) !=
           nullptr;
}

void TAudioMainForm::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

void TAudioMainForm::SendClose() {
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

// IInstanceHost

void TAudioMainForm::InstallPointerHook() {
    pointerHook_ = true;
}

IInstanceHost::MutexResult TAudioMainForm::CreateMutex(const std::u16string& name) {
    SetLastError(ERROR_SUCCESS);  // a new mutex need not clear it
    mutex_ = ::CreateMutexW(nullptr, FALSE, W(name));
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        return MutexResult::AlreadyExists;
    }
    if (!mutex_) {
        return error == ERROR_ACCESS_DENIED ? MutexResult::AccessDenied : MutexResult::Failed;
    }
    return MutexResult::Created;
}

void TAudioMainForm::ClearOwnApplicationText() {
    SetWindowTextW(application_.Handle(), L"");
}

bool TAudioMainForm::RaiseApplicationWindow(const std::u16string& title) {
    HWND other = FindWindowW(L"TApplication", W(title));
    if (!other || other == application_.Handle()) {
        return false;
    }
    if (IsIconic(other)) {
        ShowWindow(other, SW_RESTORE);
    }
    BringWindowToTop(other);
    SetForegroundWindow(other);
    // The running panel may sit in the notification area: its restore shows its window.
    PostMessageW(other, WM_SYSCOMMAND, SC_RESTORE, 0);
    return true;
}

void TAudioMainForm::Terminate() {
    application_.Terminate();
}
