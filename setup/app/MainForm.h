// TMainForm: the wizard window with its three pages, the worker thread and the two private
// messages through which the worker reaches it.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "BackgroundForm.h"
#include "GuiHandles.h"
#include "SetupContext.h"
#include "SetupLanguages.h"
#include "SetupPortsWin32.h"
#include "WizardFlow.h"

class TMainForm {
public:
    TMainForm(HINSTANCE instance, TBackgroundForm& background);
    ~TMainForm();

    // The constructor's work; false when the program is to end (the reason was shown).
    bool Create(const std::u16string& programPath, const SetupOptions& options);
    // FormShow, then the window appears with its texts already in place.
    void Show();
    // Enter, Tab and the arrow keys as in a dialog.
    bool PreTranslate(MSG& message);
    // SETUP_EXIT_*, once the message loop has ended.
    uint32_t ExitCode() const;

private:
    // The labels that take a whole LabelStyle record, in the order of their keys.
    enum LabelIndex { SelectLang, Version, AudioExt, Install, Reboot, LABEL_COUNT };
    struct Label {
        HWND window = nullptr;
        RECT designBounds{};
        COLORREF color = 0;
        UniqueFont font;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI InstallThreadProc(void* form);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // MainFormControls.cpp: building the controls and putting the texts on them.
    void CreateControls();
    void ShowPage(int page);
    void UpdateButtons();
    HWND ControlOf(WizardControl control) const;
    // The keyboard to the page's first answer (FocusOnShow), or to the window when none takes it.
    void FocusPage();
    // What Enter presses: the focused push button, else the page's default button (a dialog's
    // rule); its look follows.
    HWND EnterTarget() const;
    void UpdateDefaultLook();
    void ApplyTexts();
    void ApplyLabel(Label& label, const LabelStyle& record);

    void FormShow();
    void NextBitBtnClick();
    void FinishBitBtnClick();
    void CancelBitBtnClick();
    void FormClose();
    void ComboBoxChange();
    // /LANG: the language folder chosen as in the list; false when the list does not offer it.
    bool ChooseLanguage(const std::u16string& folder);
    void SetupDone();

    HINSTANCE instance_;
    TBackgroundForm& background_;
    HWND window_ = nullptr;
    UniqueIcon icon_;
    UniqueFont defaultFont_;

    HWND backButton_ = nullptr;
    HWND nextButton_ = nullptr;
    HWND finishButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND comboBox_ = nullptr;
    HWND progressBar_ = nullptr;
    HWND rebootRadio_ = nullptr;
    HWND noRebootRadio_ = nullptr;
    // The control that had the keyboard when a message box or another window took it.
    HWND savedFocus_ = nullptr;
    HWND defaultLook_ = nullptr;
    std::array<Label, LABEL_COUNT> labels_;

    SetupState state_;
    LanguageList languages_;
    std::unique_ptr<WizardWindowWin32> windowPort_;
    std::unique_ptr<SetupPorts> ports_;
    std::unique_ptr<WizardFlow> flow_;
};
