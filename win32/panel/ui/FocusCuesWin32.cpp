#include "FocusCuesWin32.h"

bool IndicatorAfterUiState(WPARAM wParam, bool shown) {
    if ((HIWORD(wParam) & UISF_HIDEFOCUS) == 0) {
        return shown;
    }
    switch (LOWORD(wParam)) {
        case UIS_SET:
            return false;
        case UIS_CLEAR:
            return true;
        default:
            return shown;
    }
}
