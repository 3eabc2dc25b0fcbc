#include "HotkeyDialog.h"

#include <commctrl.h>

#include <vector>

#include "Handles.h"
#include "WideText.h"

namespace {

// The template in memory: the texts come in the chosen language at WM_INITDIALOG.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height) {
        Put(style);
        Put(DWORD{0});  // extended style
        countAt_ = words_.size();
        Put(WORD{0});  // items, counted as they come
        Put(short{0});
        Put(short{0});
        Put(width);
        Put(height);
        Put(WORD{0});  // no menu
        Put(WORD{0});  // the dialog class
        Put(WORD{0});  // no title yet
        Put(WORD{8});
        Text(L"MS Shell Dlg");
    }

    void Item(DWORD style, short x, short y, short width, short height, WORD id,
              const wchar_t* className, WORD atom) {
        if (words_.size() % 2) {
            Put(WORD{0});  // each item starts on a DWORD
        }
        Put(style | WS_CHILD | WS_VISIBLE);
        Put(DWORD{0});
        Put(x);
        Put(y);
        Put(width);
        Put(height);
        Put(id);
        if (className) {
            Text(className);
        } else {
            Put(WORD{0xFFFF});
            Put(atom);
        }
        Put(WORD{0});  // no text yet
        Put(WORD{0});  // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    template <typename T>
    void Put(T value) {
        static_assert(sizeof(T) % 2 == 0, "whole words");
        const WORD* w = reinterpret_cast<const WORD*>(&value);
        words_.insert(words_.end(), w, w + sizeof(T) / 2);
    }
    void Text(const wchar_t* text) {
        for (; *text; ++text) {
            Put(static_cast<WORD>(*text));
        }
        Put(WORD{0});
    }

    std::vector<WORD> words_;
    size_t countAt_ = 0;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kStatic = 0x0082;

struct DialogState {
    const HotkeyTexts* texts;
    const HotkeySettings* current;
    HotkeyChoice* chosen;
    std::array<WORD, kHotkeyActionCount> shown{};
};

constexpr int kControls[kHotkeyActionCount] = {kHotkeyMicMuteControl, kHotkeyShowPanelControl};

bool Collect(HWND dialog, DialogState& state) {
    for (size_t i = 0; i < kHotkeyActionCount; ++i) {
        const WORD value =
            static_cast<WORD>(SendDlgItemMessageW(dialog, kControls[i], HKM_GETHOTKEY, 0, 0));
        if (value == state.shown[i]) {
            (*state.chosen)[i] = (*state.current)[i].text;
            continue;
        }
        const Hotkey hotkey = HotkeyOfControlValue(value);
        const std::u16string text = HotkeyText(hotkey);
        if (!hotkey.Empty() && text.empty()) {
            // A key the configuration has no name for: the user picks another.
            MessageBeep(MB_ICONEXCLAMATION);
            SetFocus(GetDlgItem(dialog, kControls[i]));
            return false;
        }
        (*state.chosen)[i] = text;
    }
    return true;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            state = reinterpret_cast<DialogState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const HotkeyTexts& t = *state->texts;
            SetWindowTextW(dialog, W(t.title));
            SetDlgItemTextW(dialog, kHotkeyMicMuteLabel, W(t.micMute));
            SetDlgItemTextW(dialog, kHotkeyShowPanelLabel, W(t.showPanel));
            SetDlgItemTextW(dialog, IDOK, W(t.ok));
            SetDlgItemTextW(dialog, IDCANCEL, W(t.cancel));
            const std::u16string* labels[] = {&t.micMute, &t.showPanel};
            for (size_t i = 0; i < kHotkeyActionCount; ++i) {
                // The control paints its combination, not its text: the text is its name for
                // screen readers that do not look for the label before it.
                SetDlgItemTextW(dialog, kControls[i], W(ControlNameOfLabel(*labels[i])));
                state->shown[i] = ControlValueOf((*state->current)[i].hotkey);
                SendDlgItemMessageW(dialog, kControls[i], HKM_SETHOTKEY, state->shown[i], 0);
            }
            // Opened from the tray: the panel's window may be hidden.
            SetForegroundWindow(dialog);
            return TRUE;  // the first hotkey control takes the focus
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                if (Collect(dialog, *state)) {
                    EndDialog(dialog, IDOK);
                }
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

Hotkey HotkeyOfControlValue(WORD value) {
    Hotkey hotkey;
    hotkey.key = LOBYTE(value);
    const BYTE flags = HIBYTE(value);
    if (!hotkey.key) {
        return {};
    }
    if (flags & HOTKEYF_CONTROL)
        hotkey.modifiers |= kHotkeyCtrl;
    if (flags & HOTKEYF_ALT)
        hotkey.modifiers |= kHotkeyAlt;
    if (flags & HOTKEYF_SHIFT)
        hotkey.modifiers |= kHotkeyShift;
    return hotkey;
}

WORD ControlValueOf(const Hotkey& hotkey) {
    if (hotkey.Empty() || hotkey.key > 0xFF) {
        return 0;
    }
    BYTE flags = 0;
    if (hotkey.modifiers & kHotkeyCtrl)
        flags |= HOTKEYF_CONTROL;
    if (hotkey.modifiers & kHotkeyAlt)
        flags |= HOTKEYF_ALT;
    if (hotkey.modifiers & kHotkeyShift)
        flags |= HOTKEYF_SHIFT;
    // The control has no Win key: such a combination is shown without it and kept unless changed.
    return MAKEWORD(static_cast<BYTE>(hotkey.key), flags);
}

bool AskHotkeys(HWND owner, const HotkeyTexts& texts, const HotkeySettings& current,
                HotkeyChoice* chosen) {
    // Loaded for the dialog only: the panel has no other common control, and the library would
    // stay in its memory all day.
    const UniqueLibrary commonControls = LoadSystemLibrary(L"comctl32.dll");
    const FARPROC init =
        commonControls ? GetProcAddress(commonControls.get(), "InitCommonControlsEx") : nullptr;
    if (!init)
        return false;
    // Through void (*)(), which converts to any function type without a warning.
    const auto initControls =
        reinterpret_cast<decltype(&InitCommonControlsEx)>(reinterpret_cast<void (*)()>(init));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS};
    if (!initControls(&controls))
        return false;

    DialogTemplate form(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        230, 74);
    form.Item(SS_LEFT, 7, 10, 122, 9, kHotkeyMicMuteLabel, nullptr, kStatic);
    form.Item(WS_TABSTOP | WS_BORDER, 132, 7, 91, 14, kHotkeyMicMuteControl, HOTKEY_CLASSW, 0);
    form.Item(SS_LEFT, 7, 31, 122, 9, kHotkeyShowPanelLabel, nullptr, kStatic);
    form.Item(WS_TABSTOP | WS_BORDER, 132, 28, 91, 14, kHotkeyShowPanelControl, HOTKEY_CLASSW, 0);
    form.Item(WS_TABSTOP | BS_DEFPUSHBUTTON, 119, 53, 50, 14, IDOK, nullptr, kButton);
    form.Item(WS_TABSTOP | BS_PUSHBUTTON, 173, 53, 50, 14, IDCANCEL, nullptr, kButton);

    DialogState state{&texts, &current, chosen, {}};
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), form.Get(), owner, &DialogProc,
                                   reinterpret_cast<LPARAM>(&state)) == IDOK;
}
