#include <windows.h>

#include <commctrl.h>

#include "MainForm.h"

#include "DebugTrace.h"
#include "Handles.h"
#include "InstallSequence.h"
#include "RemovalPlaces.h"
#include "SetupExitCodes.h"
#include "SetupNames.h"
#include "WideText.h"
#include "WindowObject.h"
#include "WizardControlIds.h"

namespace {

constexpr wchar_t kClassName[] = L"TMainForm";
constexpr int kClientWidth = 430;
constexpr int kClientHeight = 153;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

TMainForm::TMainForm(HINSTANCE instance, TBackgroundForm& background)
    : instance_(instance), background_(background) {}

TMainForm::~TMainForm() = default;

bool TMainForm::Create(const std::u16string& programPath, const SetupOptions& options) {
    state_.Options = options;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass))
        return false;

    RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    // Owned by the background window, so that it stays in front of it.
    window_ = CreateWindowExW(kExStyle, kClassName, L"QLN 7.1 USB Audio Setup", kStyle, left, top,
                              width, height, background_.Handle(), nullptr, instance_, this);
    if (!window_)
        return false;

    windowPort_ = std::make_unique<WizardWindowWin32>(window_);
    ports_ = std::make_unique<SetupPorts>(
        SetupPorts{PlatformRegistry(), Win32ServiceControl(), Win32SetupFiles(),
                   Win32PayloadResources(), Win32SetupDevices(), Win32Shortcuts(), Win32Processes(),
                   PlatformSystemFolders(), Win32SetupSystem(), *windowPort_});
    flow_ = std::make_unique<WizardFlow>(*ports_, state_);
    flow_->Initialise(programPath);

    const std::u16string iconPath =
        state_.Folders.SourceFolderFullPath + state_.Folders.InstallIconFileName;
    icon_.reset(static_cast<HICON>(
        LoadImageW(nullptr, W(iconPath), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
    if (!icon_) {
        const std::u16string text = u"Cannot read the icon file " + iconPath + u".";
        DebugOutput(u"***** " + text + u" *****\n");
        if (!options.MessageBoxesSuppressed())
            MessageBoxW(nullptr, W(text), W(std::u16string(kMessageCaption)), MB_OK | MB_ICONERROR);
        return false;
    }
    for (HWND window : {window_, background_.Handle()}) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }
    background_.SetTitle(state_.Folders.InstallAppTitle);

    CreateControls();
    return true;
}

void TMainForm::Show() {
    FormShow();
}

uint32_t TMainForm::ExitCode() const {
    return flow_ ? flow_->ExitCode() : SETUP_EXIT_FAILED;
}

bool TMainForm::PreTranslate(MSG& message) {
    if (!window_ || !IsWindow(window_))
        return false;
    // A click may have moved the focus since the last message.
    if (flow_)
        UpdateDefaultLook();
    return IsDialogMessageW(window_, &message);
}

void TMainForm::FormShow() {
    DebugOutput(u"==> TMainForm::FormShow\n");
    background_.Place();
    if (!flow_->LoadAndPublishGroups()) {
        // Nothing is shown and nothing installed: the program ends silently.
        PostMessageW(window_, WM_QUIT, 0, 0);
        return;
    }
    ShowPage(0);
    LoadStartupLanguage(ports_->files, ports_->system, state_.Folders, languages_, state_.Texts);
    for (const std::u16string& name : languages_.displayNames)
        SendMessageW(comboBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name)));
    SendMessageW(comboBox_, CB_SETCURSEL, static_cast<WPARAM>(languages_.selected), 0);
    const SetupOptions& options = state_.Options;
    if (!options.language.empty() && !ChooseLanguage(options.language)) {
        std::u16string offered;
        for (const std::u16string& folder : languages_.folderNames)
            offered += (offered.empty() ? u"" : u", ") + folder;
        const std::u16string text = u"/LANG=" + options.language +
                                    u": the installer has no such language. Its languages: " +
                                    offered + u".";
        DebugOutput(u"***** " + text + u" *****\n");
        if (!options.MessageBoxesSuppressed())
            MessageBoxW(nullptr, W(text), W(std::u16string(kMessageCaption)), MB_OK | MB_ICONERROR);
        flow_->EndWith(SETUP_EXIT_BAD_COMMAND_LINE);
        PostMessageW(window_, WM_QUIT, 0, 0);
        return;
    }
    ApplyTexts();
    UpdateButtons();

    // Silent: the installation starts at once, the language page is never seen.
    if (options.Quiet())
        NextBitBtnClick();
    if (options.verySilent)
        return;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    FocusPage();
}

bool TMainForm::ChooseLanguage(const std::u16string& folder) {
    for (size_t index = 0; index < languages_.folderNames.size(); ++index) {
        if (!SamePath(languages_.folderNames[index], folder))
            continue;
        SendMessageW(comboBox_, CB_SETCURSEL, index, 0);
        languages_.selected = static_cast<int>(index);
        return SwitchLanguage(ports_->system, state_.Folders, languages_, static_cast<int>(index),
                              state_.Texts);
    }
    return false;
}

void TMainForm::NextBitBtnClick() {
    if (!flow_->Next())
        return;
    ShowPage(1);
    UpdateButtons();
    // Next is disabled now; without a focused control the keyboard would reach nothing.
    FocusPage();
    UniqueHandle worker(CreateThread(nullptr, 0, InstallThreadProc, this, 0, nullptr));
    if (!worker) {
        DebugOutput(u"***** Create install thread FAIL! *****\n");
        windowPort_->PostDone();
    }
}

DWORD WINAPI TMainForm::InstallThreadProc(void* form) {
    auto* self = static_cast<TMainForm*>(form);
    InstallSequence(*self->ports_, self->state_).InstallThreadProc();
    return 0;
}

void TMainForm::SetupDone() {
    DebugOutput(u"==> TMainForm::SetupDone\n");
    if (flow_->Done()) {
        // The user asked to stop during the installation: now that the worker is done, end.
        DestroyWindow(window_);
        return;
    }
    // A silent run has no end page: it restarts Windows only when needed, else starts the panel.
    if (state_.Options.Quiet()) {
        flow_->FinishQuietly();
        DestroyWindow(window_);
        return;
    }
    ShowPage(2);
    const bool reboot = flow_->RebootChecked();
    SendMessageW(rebootRadio_, BM_SETCHECK, reboot ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(noRebootRadio_, BM_SETCHECK, reboot ? BST_UNCHECKED : BST_CHECKED, 0);
    UpdateButtons();
    FocusPage();
}

void TMainForm::FinishBitBtnClick() {
    flow_->SetRebootChecked(SendMessageW(rebootRadio_, BM_GETCHECK, 0, 0) == BST_CHECKED);
    flow_->Finish();
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void TMainForm::CancelBitBtnClick() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void TMainForm::FormClose() {
    switch (flow_->RequestClose()) {
        case CloseAction::CloseNow:
            DestroyWindow(window_);
            break;
        case CloseAction::EndAfterWorker:
            // The worker may have ended while the question was open: nothing left to wait for.
            if (flow_->Phase() == WizardPhase::Done)
                DestroyWindow(window_);
            else {
                UpdateButtons();
                FocusPage();
            }
            break;
        case CloseAction::Ignore:
            break;
    }
}

void TMainForm::ComboBoxChange() {
    const int index = static_cast<int>(SendMessageW(comboBox_, CB_GETCURSEL, 0, 0));
    if (SwitchLanguage(ports_->system, state_.Folders, languages_, index, state_.Texts))
        ApplyTexts();
}

HWND TMainForm::ControlOf(WizardControl control) const {
    switch (control) {
        case WizardControl::Next:
            return nextButton_;
        case WizardControl::Finish:
            return finishButton_;
        case WizardControl::Cancel:
            return cancelButton_;
        case WizardControl::RebootChoice:
            return rebootRadio_;
        case WizardControl::NoRebootChoice:
            return noRebootRadio_;
        case WizardControl::None:
            break;
    }
    return nullptr;
}

void TMainForm::FocusPage() {
    HWND control = ControlOf(flow_->FocusOnShow());
    SetFocus(control && IsWindowEnabled(control) ? control : window_);
    UpdateDefaultLook();
}

HWND TMainForm::EnterTarget() const {
    HWND focus = GetFocus();
    for (HWND button : {backButton_, nextButton_, finishButton_, cancelButton_}) {
        if (focus == button)
            return button;
    }
    return ControlOf(flow_->DefaultButton());
}

void TMainForm::UpdateDefaultLook() {
    HWND target = EnterTarget();
    if (target == defaultLook_)
        return;
    defaultLook_ = target;
    for (HWND button : {backButton_, nextButton_, finishButton_, cancelButton_})
        SendMessageW(button, BM_SETSTYLE, button == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = WindowObject<TMainForm>(window, message, lParam);
    if (message == WM_NCCREATE && form)
        form->window_ = window;
    return form ? form->HandleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WizardWindowWin32::WM_SETUP_PROGRESS:
            SendMessageW(progressBar_, PBM_SETPOS, wParam, 0);
            UpdateWindow(progressBar_);
            break;
        case WizardWindowWin32::WM_SETUP_DONE:
            SetupDone();
            break;
        case DM_GETDEFID:
            if (!flow_)
                break;
            return MAKELRESULT(GetDlgCtrlID(EnterTarget()), DC_HASDEFID);
        case WM_NEXTDLGCTL: {
            // Sent by the dialog manager for Tab and for a label's access key; a plain window
            // has to move the focus itself.
            HWND focus = GetFocus();
            HWND next = lParam
                            ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(window_, IsChild(window_, focus) ? focus : nullptr,
                                                wParam != 0);
            if (next)
                SetFocus(next);
            UpdateDefaultLook();
            return 0;
        }
        case WM_ACTIVATE:
            // As a dialog does: the keyboard comes back to where it was, not to the frame.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                savedFocus_ = focus && IsChild(window_, focus) ? focus : nullptr;
            } else if (flow_ && !IsIconic(window_)) {
                if (savedFocus_ && IsWindowVisible(savedFocus_) && IsWindowEnabled(savedFocus_))
                    SetFocus(savedFocus_);
                else
                    FocusPage();
            }
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case ID_NEXT_BUTTON:
                    NextBitBtnClick();
                    return 0;
                case ID_FINISH_BUTTON:
                    FinishBitBtnClick();
                    return 0;
                case ID_CANCEL_BUTTON:
                case IDCANCEL:  // Escape
                    CancelBitBtnClick();
                    return 0;
                case ID_LANGUAGE_COMBO:
                    if (HIWORD(wParam) == CBN_SELCHANGE)
                        ComboBoxChange();
                    return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            for (const Label& label : labels_) {
                if (reinterpret_cast<HWND>(lParam) == label.window) {
                    HDC dc = reinterpret_cast<HDC>(wParam);
                    SetTextColor(dc, label.color);
                    SetBkMode(dc, TRANSPARENT);
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
                }
            }
            break;
        case WM_CLOSE:
            FormClose();
            return 0;
        case WM_DESTROY:
            // Closing the wizard closes the main window, which ends the program.
            PostMessageW(background_.Handle(), WM_CLOSE, 0, 0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
