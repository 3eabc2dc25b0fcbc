#!/usr/bin/env bash
# End to end under Wine and Xvfb: what the user sees of the keyboard focus and of high contrast.
# The simulator panel shown and clicked with the mouse draws no focus indicator; Tab shows it
# around the focused control on both skins (a dark line inside, a light one outside); high
# contrast, switched on by tools/win32/high-contrast.cpp while the panel runs, draws label text in
# the system's colours on a box of its own and the indicator in the system's highlight, the skin's
# pictures unchanged; switched off, the window is pixel for pixel what it was. Each of
# WM_SETTINGCHANGE and WM_SYSCOLORCHANGE alone makes the panel read the setting again. One line
# per check, then a total.
#   e2e-panel-contrast.sh [BUILD-DIR]   default build/mingw-x86_64
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :57)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-contrast-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
SENDER=$BUILD/tools/send-window-message.exe
CONTRAST=$BUILD/tools/high-contrast.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$SENDER" "$CONTRAST"
e2e_begin "${E2E_PANEL_DISPLAY:-:57}" "${E2E_SHOTS:-$BUILD/e2e-contrast-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" "$CONTRAST" || give_up "cannot lay the panel out"
SKINS=$PANEL_DIR/Skin
TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE

high_contrast() { "$RUN" "$PANEL_WIN_DIR\\high-contrast.exe" "$1" >/dev/null 2>&1; }
# The last focus indicator the panel drew since MARK: "name x y w h" (design pixels), "-" for none.
ring_since() { since "$1" | sed -n 's/^SIM FOCUS RING //p' | tail -1; }
ring_shown_since() { ring_since "$1" | grep -q '^[^-]'; }
# The screen pixel D design pixels inside the ring's left edge, at its middle height.
ring_pixel() {  # ring_pixel "name x y w h" D
    local r=($1)
    geometry
    pixel $((X + r[1] + $2)) $((Y + r[2] + r[4] / 2))
}
# The two lines of the ring: each two pixels wide, OUTER then INNER colour (rrggbb).
ring_is() {  # ring_is "name x y w h" OUTER INNER
    [ "$(ring_pixel "$1" 0)" = "$2" ] && [ "$(ring_pixel "$1" 1)" = "$2" ] &&
        [ "$(ring_pixel "$1" 2)" = "$3" ] && [ "$(ring_pixel "$1" 3)" = "$3" ]
}
has_colour() {  # has_colour X Y W H #RRGGBB: the colour appears in the screen rectangle
    import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- 2>/dev/null | grep -qi "$5"
}
label_has() {  # label_has CONTROL #RRGGBB
    local r=($(control "$1"))
    geometry
    has_colour $((X + r[0])) $((Y + r[1])) "${r[2]}" "${r[3]}" "$2"
}
same_pixel() {  # same_pixel PICTURE PX PY: the window shows the picture's pixel at its place
    geometry
    [ "$(pixel $((X + $2)) $((Y + $3)))" = "$(picture_pixel "$1" "$2" "$3")" ]
}
same_shot() { test "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0; }
# The panel's window takes the keyboard focus again (as after the tray's double-click), then Tab.
# The pointer stays off the window, so that X's focus does not simply follow it there.
tab() {
    tray_double_click
    wait_for 5 shown
    sleep 0.3
    xdotool key --clearmodifiers Tab
}

# ---- the mouse alone: no indicator --------------------------------------------------------------
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
sleep 0.5
tray_double_click
wait_for 5 shown || give_up "the window did not show"
sleep 0.5
click_control PageEffectLabel
click_control PageEQLabel
sleep 0.5
check "the mouse alone shows no focus indicator" not ring_shown_since 'SIM LAYOUT'

# ---- Tab: the indicator on both skins -----------------------------------------------------------
echo "MARK tab" >>"$TRACE"
tab
wait_for 10 ring_shown_since "MARK tab"
check "Tab shows the focus indicator (Graphite): $(ring_since "MARK tab")" ring_shown_since "MARK tab"
sleep 0.5
RING=$(ring_since "MARK tab")
check "Graphite: the indicator is light outside, dark inside" ring_is "$RING" ffffff 000000
shot focus-graphite

tray_menu_until "user_is DefaultSkin Aurora" Down Down Right Return  # Skin > first item
echo "MARK aurora" >>"$TRACE"
tab
wait_for 10 ring_shown_since "MARK aurora"
sleep 0.5
RING=$(ring_since "MARK aurora")
check "Aurora: Tab moves the indicator: $RING" ring_shown_since "MARK aurora"
check "Aurora: the indicator is light outside, dark inside" ring_is "$RING" ffffff 000000
shot focus-aurora

# ---- high contrast while the panel runs ---------------------------------------------------------
shot before-high-contrast
echo "MARK on" >>"$TRACE"
high_contrast on
check "the switch turns high contrast on" wait_for 10 traced_since "MARK on" 'SIM HIGH CONTRAST ON'
sleep 1
shot high-contrast-aurora
# "Current preset:" is $00A69A8D in the language file: now white on black.
check "high contrast: label text in the system's text colour" label_has SettingLabel '#FFFFFF'
check "high contrast: on a box of the system's window colour" label_has SettingLabel '#000000'
check "high contrast: not in the language's colour" not label_has SettingLabel '#8D9AA6'
check "high contrast: the indicator in the system's highlight" ring_is "$RING" 000000 1aebff
check "high contrast: the skin's pictures stay" same_pixel "$SKINS/Aurora/MainForm.png" 200 420
echo "MARK off" >>"$TRACE"
high_contrast off
check "the switch turns high contrast off" wait_for 10 traced_since "MARK off" 'SIM HIGH CONTRAST OFF'
sleep 1
shot after-high-contrast
check "out of high contrast the window is pixel for pixel what it was" \
    same_shot "$SHOTS/before-high-contrast.png" "$SHOTS/after-high-contrast.png"

# Each message alone: the setting changed without a word, then one message.
"$WINE" reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /d 127 /f >/dev/null 2>&1
echo "MARK quiet" >>"$TRACE"
sleep 2
check "a setting changed without a message is not read" not traced_since "MARK quiet" 'SIM HIGH CONTRAST'
send -class TAudioMainForm 0x1A 0x43  # WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST
check "WM_SETTINGCHANGE alone reads it" wait_for 10 traced_since "MARK quiet" 'SIM HIGH CONTRAST ON'
"$WINE" reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /d 126 /f >/dev/null 2>&1
echo "MARK syscolor" >>"$TRACE"
send -class TAudioMainForm 0x15  # WM_SYSCOLORCHANGE
check "WM_SYSCOLORCHANGE alone reads it" wait_for 10 traced_since "MARK syscolor" 'SIM HIGH CONTRAST OFF'

send WM_QLN47xxAPP_EXIT
wait_for 20 not alive "$SIM_PID"
check "the exit message ends the panel" not alive "$SIM_PID"
echo "screenshots: $SHOTS"
e2e_end
