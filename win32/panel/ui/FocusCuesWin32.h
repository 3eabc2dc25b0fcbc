// Whether the focus indicator shows, as WM_UPDATEUISTATE tells the window. The panel keeps the
// answer itself: Wine keeps no such state (WM_QUERYUISTATE always answers 0, every cue shown, and
// WM_CHANGEUISTATE changes nothing), so asking for it would show the indicator to the mouse too.
#pragma once

#include <windows.h>

// After WM_UPDATEUISTATE's wParam: UIS_SET of UISF_HIDEFOCUS hides the indicator, UIS_CLEAR
// shows it; other cues and UIS_INITIALIZE (which depends on an input the window did not see)
// leave it as it is.
bool IndicatorAfterUiState(WPARAM wParam, bool shown);
