// The wizard's controls at their design bounds, the pages, the buttons' states and the texts of
// the chosen language.
#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "MainForm.h"
#include "WideText.h"
#include "WizardControlIds.h"

namespace {

constexpr wchar_t kDefaultFontName[] = L"Tahoma";
constexpr int kDefaultFontHeight = -11;  // 8 points
constexpr int kLabelFontHeight = -13;    // 10 points

struct ControlLayout {
    const wchar_t* className;
    DWORD style;
    int id;
    int left, top, width, height;
    const wchar_t* caption;
};

HWND MakeControl(HWND parent, HINSTANCE instance, const ControlLayout& layout, HFONT font) {
    HWND control = CreateWindowExW(
        0, layout.className, layout.caption, WS_CHILD | layout.style, Scaled(layout.left),
        Scaled(layout.top), Scaled(layout.width), Scaled(layout.height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

int PointsToPixels(int points) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

}  // namespace

void TMainForm::CreateControls() {
    defaultFont_ = MakeFont(kDefaultFontName, Scaled(kDefaultFontHeight));
    HFONT font = defaultFont_.get();
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    backButton_ = MakeControl(window_, instance_,
                              {L"BUTTON", button, ID_BACK_BUTTON, 8, 119, 75, 25, L"< Back"}, font);
    nextButton_ = MakeControl(
        window_, instance_,
        {L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, ID_NEXT_BUTTON, 120, 119, 75, 25, L"Next >"},
        font);
    finishButton_ =
        MakeControl(window_, instance_,
                    {L"BUTTON", button, ID_FINISH_BUTTON, 232, 119, 75, 25, L"Finish"}, font);
    cancelButton_ =
        MakeControl(window_, instance_,
                    {L"BUTTON", button, ID_CANCEL_BUTTON, 339, 119, 75, 25, L"Cancel"}, font);
    comboBox_ = MakeControl(window_, instance_,
                            {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             ID_LANGUAGE_COMBO, 16, 74, 153, 200, L""},
                            font);
    progressBar_ =
        MakeControl(window_, instance_,
                    {PROGRESS_CLASSW, PBS_SMOOTH, ID_PROGRESS_BAR, 16, 60, 361, 25, L""}, font);
    SendMessageW(progressBar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(progressBar_, PBM_SETSTEP, 1, 0);
    SendMessageW(progressBar_, PBM_SETPOS, 0, 0);
    rebootRadio_ = MakeControl(window_, instance_,
                               {L"BUTTON", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                ID_REBOOT_RADIO, 40, 52, 374, 24, L"Yes, reboot now"},
                               font);
    noRebootRadio_ = MakeControl(
        window_, instance_,
        {L"BUTTON", BS_AUTORADIOBUTTON, ID_NO_REBOOT_RADIO, 40, 82, 374, 17, L"No, reboot later"},
        font);
    SendMessageW(noRebootRadio_, BM_SETCHECK, BST_CHECKED, 0);

    const ControlLayout labelLayouts[LABEL_COUNT] = {
        {L"STATIC", SS_LEFTNOWORDWRAP, ID_FIRST_LABEL + SelectLang, 16, 52, 103, 16,
         L"Select Language :"},
        {L"STATIC", SS_LEFTNOWORDWRAP, ID_FIRST_LABEL + Version, 184, 20, 200, 16,
         L"Select language version of 7.1 USB"},
        {L"STATIC", SS_LEFTNOWORDWRAP, ID_FIRST_LABEL + AudioExt, 184, 52, 175, 16,
         L"Audio Extension for installation"},
        {L"STATIC", SS_LEFTNOWORDWRAP, ID_FIRST_LABEL + Install, 16, 24, 63, 16, L"Installing..."},
        {L"STATIC", SS_LEFT, ID_FIRST_LABEL + Reboot, 40, 16, 315, 16,
         L"Setup will reboot your computer to complete the Install"},
    };
    for (int i = 0; i < LABEL_COUNT; ++i) {
        const ControlLayout& layout = labelLayouts[i];
        labels_[i].font = MakeFont(kDefaultFontName, Scaled(kLabelFontHeight));
        labels_[i].window = MakeControl(window_, instance_, layout, labels_[i].font.get());
        labels_[i].designBounds = {layout.left, layout.top, layout.width, layout.height};
        labels_[i].color = GetSysColor(COLOR_WINDOWTEXT);
    }
}

void TMainForm::ShowPage(int page) {
    const auto show = [](HWND control, bool shown) {
        ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    };
    show(comboBox_, page == 0);
    show(progressBar_, page == 1);
    show(rebootRadio_, page == 2);
    show(noRebootRadio_, page == 2);
    const int labelPage[LABEL_COUNT] = {0, 0, 0, 1, 2};
    for (int i = 0; i < LABEL_COUNT; ++i) {
        const LabelStyle& record = state_.Texts[LabelSelectLang + i];
        show(labels_[i].window, labelPage[i] == page && IsLabelShown(record));
    }
}

void TMainForm::UpdateButtons() {
    const WizardButtons buttons = flow_->Buttons();
    const std::pair<HWND, ButtonState> states[] = {{backButton_, buttons.back},
                                                   {nextButton_, buttons.next},
                                                   {finishButton_, buttons.finish},
                                                   {cancelButton_, buttons.cancel}};
    for (const auto& [control, state] : states) {
        EnableWindow(control, state.enabled);
        ShowWindow(control, state.shown ? SW_SHOWNA : SW_HIDE);
    }
    // The default-button look follows Enter: Next until the end page, then Finish.
    const bool done = flow_->Phase() == WizardPhase::Done;
    SendMessageW(nextButton_, BM_SETSTYLE, done ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
    SendMessageW(finishButton_, BM_SETSTYLE, done ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TMainForm::ApplyLabel(Label& label, const LabelStyle& record) {
    SetWindowTextW(label.window, W(record.Text));
    if (record.ColorUp)
        label.color = static_cast<COLORREF>(*record.ColorUp);
    const std::u16string fontName = record.FontName.value_or(u"Tahoma");
    const int fontHeight =
        record.FontSize ? PointsToPixels(*record.FontSize) : Scaled(kLabelFontHeight);
    UniqueFont font = MakeFont(W(fontName), fontHeight);
    SendMessageW(label.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    label.font = std::move(font);  // the old font goes only once the label lets go of it

    RECT bounds = label.designBounds;  // left, top, width, height
    bounds.left = record.Left.value_or(bounds.left);
    bounds.top = record.Top.value_or(bounds.top);
    bounds.right = record.Width.value_or(bounds.right);
    bounds.bottom = record.Height.value_or(bounds.bottom);
    bounds = {Scaled(bounds.left), Scaled(bounds.top), Scaled(bounds.right), Scaled(bounds.bottom)};
    // Labels size themselves to their text, so that a longer translation is not cut off.
    HDC dc = GetDC(label.window);
    HGDIOBJ old = SelectObject(dc, label.font.get());
    const bool wraps = (GetWindowLongW(label.window, GWL_STYLE) & SS_LEFTNOWORDWRAP) == SS_LEFT;
    RECT text{0, 0, wraps ? bounds.right : 0, 0};
    DrawTextW(dc, W(record.Text), -1, &text,
              DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(label.window, dc);
    if (!wraps && text.right > bounds.right)
        bounds.right = text.right;
    if (text.bottom > bounds.bottom)
        bounds.bottom = text.bottom;
    MoveWindow(label.window, bounds.left, bounds.top, bounds.right, bounds.bottom, TRUE);
}

void TMainForm::ApplyTexts() {
    const SetupTexts& texts = state_.Texts;
    SetWindowTextW(backButton_, W(texts[LabelBackBtn].Text));
    SetWindowTextW(nextButton_, W(texts[LabelNextBtn].Text));
    SetWindowTextW(finishButton_, W(texts[LabelFinishBtn].Text));
    SetWindowTextW(cancelButton_, W(texts[LabelCancelBtn].Text));
    for (int i = 0; i < LABEL_COUNT; ++i)
        ApplyLabel(labels_[i], texts[LabelSelectLang + i]);
    ShowPage(flow_->Page());
    SetWindowTextW(rebootRadio_, W(texts[LabelRebootRadioBtn].Text));
    SetWindowTextW(noRebootRadio_, W(texts[LabelNoRebootRadioBtn].Text));
    SetWindowTextW(window_, W(WizardTitle(texts, state_.SetupVersion)));
}
