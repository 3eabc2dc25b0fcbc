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

// Creation order is the order of the keyboard and of screen readers: each page's texts and
// controls in reading order, every label just before the control it names (Windows names a
// list or a bar by the label before it, and Alt with the label's key reaches that control),
// then the buttons. Every control but the second radio button starts a group, so that the
// arrow keys move only between the two answers.
void TMainForm::CreateControls() {
    defaultFont_ = MakeFont(kDefaultFontName, Scaled(kDefaultFontHeight));
    HFONT font = defaultFont_.get();
    const auto makeLabel = [&](LabelIndex index, DWORD style, int left, int top, int width,
                               int height, const wchar_t* caption) {
        Label& label = labels_[index];
        label.font = MakeFont(kDefaultFontName, Scaled(kLabelFontHeight));
        label.window = MakeControl(window_, instance_,
                                   {L"STATIC", WS_GROUP | style, ID_FIRST_LABEL + index, left, top,
                                    width, height, caption},
                                   label.font.get());
        label.designBounds = {left, top, width, height};
        label.color = GetSysColor(COLOR_WINDOWTEXT);
    };

    makeLabel(Version, SS_LEFTNOWORDWRAP, 184, 20, 200, 16, L"Select language version of 7.1 USB");
    makeLabel(AudioExt, SS_LEFTNOWORDWRAP, 184, 52, 175, 16, L"Audio Extension for installation");
    makeLabel(SelectLang, SS_LEFTNOWORDWRAP, 16, 52, 103, 16, L"Select Language :");
    comboBox_ = MakeControl(window_, instance_,
                            {WC_COMBOBOXW, WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             ID_LANGUAGE_COMBO, 16, 74, 153, 200, L""},
                            font);

    makeLabel(Install, SS_LEFTNOWORDWRAP, 16, 24, 63, 16, L"Installing...");
    progressBar_ = MakeControl(
        window_, instance_,
        {PROGRESS_CLASSW, WS_GROUP | PBS_SMOOTH, ID_PROGRESS_BAR, 16, 60, 361, 25, L""}, font);
    SendMessageW(progressBar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(progressBar_, PBM_SETSTEP, 1, 0);
    SendMessageW(progressBar_, PBM_SETPOS, 0, 0);

    makeLabel(Reboot, SS_LEFT, 40, 16, 315, 16,
              L"Setup will reboot your computer to complete the Install");
    // The tab stop follows the checked answer (BM_SETCHECK moves it), so Tab lands on it.
    rebootRadio_ = MakeControl(window_, instance_,
                               {L"BUTTON", WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
                                ID_REBOOT_RADIO, 40, 52, 374, 24, L"Yes, reboot now"},
                               font);
    noRebootRadio_ = MakeControl(window_, instance_,
                                 {L"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON, ID_NO_REBOOT_RADIO,
                                  40, 82, 374, 17, L"No, reboot later"},
                                 font);
    SendMessageW(rebootRadio_, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(noRebootRadio_, BM_SETCHECK, BST_CHECKED, 0);

    const DWORD button = WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    backButton_ = MakeControl(window_, instance_,
                              {L"BUTTON", button, ID_BACK_BUTTON, 8, 119, 75, 25, L"< Back"}, font);
    nextButton_ = MakeControl(window_, instance_,
                              {L"BUTTON", WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, ID_NEXT_BUTTON,
                               120, 119, 75, 25, L"Next >"},
                              font);
    finishButton_ =
        MakeControl(window_, instance_,
                    {L"BUTTON", button, ID_FINISH_BUTTON, 232, 119, 75, 25, L"Finish"}, font);
    cancelButton_ =
        MakeControl(window_, instance_,
                    {L"BUTTON", button, ID_CANCEL_BUTTON, 339, 119, 75, 25, L"Cancel"}, font);
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
    UpdateDefaultLook();
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
    // Measured as the label draws it: "&" marks the access key and takes no room.
    DrawTextW(dc, W(record.Text), -1, &text, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
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
    // A bar shows no text of its own: its window text is its name for screen readers that do
    // not take the label before it.
    const LabelStyle& install = texts[LabelInstall];
    SetWindowTextW(progressBar_, IsLabelShown(install) ? W(install.Text) : L"");
    SetWindowTextW(rebootRadio_, W(texts[LabelRebootRadioBtn].Text));
    SetWindowTextW(noRebootRadio_, W(texts[LabelNoRebootRadioBtn].Text));
    SetWindowTextW(window_, W(WizardTitle(texts, state_.SetupVersion)));
}
