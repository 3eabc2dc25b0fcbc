#include "MessageBoxHost.h"

#include "WideText.h"

UINT MessageBoxStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return MB_OK | MB_ICONINFORMATION;
        case MessageIcon::Error:
            return MB_OK | MB_ICONERROR;
        case MessageIcon::Exclamation:
        default:
            return MB_OK | MB_ICONEXCLAMATION;
    }
}

void ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
                    MessageIcon icon) {
    MessageBoxW(owner, W(text), W(caption), MessageBoxStyle(icon));
}
