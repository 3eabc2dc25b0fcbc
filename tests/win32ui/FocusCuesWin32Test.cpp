// The focus indicator after WM_UPDATEUISTATE: only the focus cue's set and clear change it.
#include <gtest/gtest.h>

#include <windows.h>

#include "FocusCuesWin32.h"

namespace {

TEST(FocusCues, OnlyTheFocusCuesSetOrClearDecides) {
    struct Case {
        WORD action;
        WORD cues;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {UIS_SET, UISF_HIDEFOCUS, true, false},
        {UIS_CLEAR, UISF_HIDEFOCUS, false, true},
        {UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL, false, true},
        {UIS_SET, UISF_HIDEACCEL, true, true},  // another cue
        {UIS_CLEAR, UISF_HIDEACCEL, false, false},
        {UIS_INITIALIZE, UISF_HIDEFOCUS, false, false},
        {UIS_INITIALIZE, UISF_HIDEFOCUS, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IndicatorAfterUiState(MAKEWPARAM(c.action, c.cues), c.before), c.after)
            << c.action << " " << c.cues << " " << c.before;
    }
}

}  // namespace
