#!/usr/bin/env bash
# End to end under Wine and Xvfb: the simulator panel (AudioPanelSim.exe) laid out as the
# installer lays it out, driven with xdotool and checked through its traffic trace, its files
# and screenshots; then the real AudioPanelApp.exe, which finds no headset here. One line per
# check, then a total.
#   e2e-panel.sh [BUILD-DIR]      default build/mingw-x86_64 (an x86_64 build: Wine runs it)
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :58)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-panel-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
APP_EXE=$BUILD/panel/AudioPanelApp.exe
SENDER=$BUILD/tools/send-window-message.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$APP_EXE" "$SENDER"
e2e_begin "${E2E_PANEL_DISPLAY:-:58}" "${E2E_SHOTS:-$BUILD/e2e-panel-screenshots}"
panel_layout "$SIM_EXE" "$APP_EXE" "$SENDER" || give_up "cannot lay the panel out"
SKINS=$PANEL_DIR/Skin

TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE

same_pixel() {  # same_pixel PICTURE PX PY SCREEN-X SCREEN-Y
    [ -n "$(pixel "$4" "$5")" ] && [ "$(pixel "$4" "$5")" = "$(picture_pixel "$1" "$2" "$3")" ]
}
# An address report for register ADDR ("lo hi") directly followed by the write of VALUE.
register_written_since() {
    since "$1" | grep '^HID SET' | awk -v a="60 $2 10" -v v="60 $3 01 20" \
        'index($0, a) { armed = 1; next } armed && index($0, v) { found = 1 } { armed = 0 } END { exit !found }'
}
# Whether a colour appears in a screen rectangle (smoothed text keeps its colour in the strokes).
has_colour() {  # has_colour X Y W H #RRGGBB
    import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- 2>/dev/null | grep -qi "$5"
}
# Types a path into the file dialog whose title matches and confirms it.
# Waits until the trace has not grown for half a second (at most 10 s).
quiet_trace() {
    local size=-1 now
    for _ in $(seq 20); do
        now=$(stat -c %s "$TRACE")
        [ "$now" = "$size" ] && return 0
        size=$now
        sleep 0.5
    done
}
file_dialog() {  # file_dialog TITLE-PATTERN PATH
    local dialog
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$dialog" ] || return 1
    xdotool windowfocus "$dialog" 2>/dev/null
    sleep 0.3
    xdotool key ctrl+a
    type_keys "$2"
    xdotool key Return
}
# Types text key by key with explicit key names: "xdotool type" can let a shift run on into the
# next character.
type_keys() {
    local text=$1 i c keys=()
    for ((i = 0; i < ${#text}; i++)); do
        c=${text:i:1}
        case $c in
            [a-z0-9]) keys+=("$c") ;;
            [A-Z]) keys+=("shift+${c,,}") ;;
            :) keys+=(colon) ;;
            '\') keys+=(backslash) ;;
            -) keys+=(minus) ;;
            .) keys+=(period) ;;
            _) keys+=(underscore) ;;
            *) return 1 ;;
        esac
    done
    xdotool key --delay 40 "${keys[@]}"
}

# ---- the simulator panel starts with the headset plugged in ------------------------------------
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
sleep 0.5
check "start-up opened the headset's HID interface" traced 'HID OPEN 3F9C:4712'
check "start-up sent the speaker table" traced 'DRV 00223140'
check "window exists" test -n "$(main_window)"
check "starts in the notification area, window hidden" not shown
shot sim-tray

tray_double_click
wait_for 5 shown
check "double-click on the tray icon shows the window" shown
sleep 0.5
geometry
shot sim-eq-graphite
read -r BG_W BG_H < <(identify -format '%w %h' "$SKINS/Graphite/MainForm.png")
check "window takes the background picture's size (${WIDTH}x${HEIGHT})" test "$WIDTH" -eq "$BG_W" -a "$HEIGHT" -eq "$BG_H"
check "background picture painted" same_pixel "$SKINS/Graphite/MainForm.png" 200 420 $((X + 200)) $((Y + 420))
check "EQ page background painted" same_pixel "$SKINS/Graphite/EQBack.png" 20 250 $((X + 392 + 20)) $((Y + 104 + 2 + 250))
check "outside the skin's region the desktop shows" test "$(pixel "$X" "$Y")" = 000000

# The background drags the window.
xdotool mousemove $((X + 200)) $((Y + 470)) mousedown 1
sleep 0.2
xdotool mousemove $((X + 230)) $((Y + 480))
sleep 0.1
xdotool mousemove $((X + 260)) $((Y + 490))
sleep 0.1
xdotool mouseup 1
sleep 0.3
OLD_X=$X
OLD_Y=$Y
geometry
check "dragging the background moves the window by the pointer's way" test $((X - OLD_X)) -eq 60 -a $((Y - OLD_Y)) -eq 20

# ---- EQ switch and an EQ slider: the settings go to the chip ----------------------------------
echo "MARK eq-switch" >>"$TRACE"
click_control EQEQENImage
check "EQ switch: bypass cleared in 0x129 (address report)" traced_since "MARK eq-switch" ' 29 01 10'
check "EQ switch: 0x100 written" traced_since "MARK eq-switch" ' 00 01 10'
check "EQ switch: the exchange ends with the idle report" traced_since "MARK eq-switch" 'HID SET 00 00 00 00 00'
echo "MARK eq-slider" >>"$TRACE"
read -r sx sy sw sh < <(control EQ60HzSliderImage)
geometry
xdotool mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2)) mousedown 1
sleep 0.2
for step in 10 20 30 40; do
    xdotool mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2 - step))
    sleep 0.1
done
xdotool mouseup 1
sleep 0.5
check "EQ slider drag writes band 1's registers 0x120 and 0x121" \
    traced_since "MARK eq-slider" ' 20 01 10' && traced_since "MARK eq-slider" ' 21 01 10'
shot sim-eq-slider-moved

# ---- pages -------------------------------------------------------------------------------------
before=$(pixel $((X + 392 + 180)) $((Y + 104 + 150)))
click_control PageEffectLabel
shot sim-effect
check "Effect tab shows the Effect page" same_pixel "$SKINS/Graphite/EffectBack.png" 20 250 $((X + 392 + 20)) $((Y + 104 + 250))
echo "MARK effect" >>"$TRACE"
click_control EffectButtonTheaterImage
check "Theater selects the driver's effect 1" traced_since "MARK effect" '# select effect 1'
click_control PageMicLabel
sleep 0.8
shot sim-mic
check "Mic page starts the level meter" traced 'WAVE START'
check "level meter buffers arrive and are handed back" traced 'WAVE REQUEUE'
# Hidden on the Mic page, the panel lets the microphone go; shown again, it takes it back.
echo "MARK mic-hidden" >>"$TRACE"
click_control CloseImage
wait_for 5 not shown
wait_for 5 traced_since "MARK mic-hidden" 'WAVE STOP'
check "hiding the window on the Mic page stops the level meter" traced_since "MARK mic-hidden" 'WAVE STOP'
sleep 0.5
echo "MARK mic-hidden-quiet" >>"$TRACE"
sleep 1
check "while hidden no level-meter buffer arrives" not traced_since "MARK mic-hidden-quiet" 'WAVE DATA'
echo "MARK mic-shown" >>"$TRACE"
tray_double_click
wait_for 5 shown
wait_for 5 traced_since "MARK mic-shown" 'WAVE REQUEUE'
check "shown again on the Mic page the meter runs again" traced_since "MARK mic-shown" 'WAVE START'
echo "MARK mic-left" >>"$TRACE"
click_control PageVirtual7p1Label
shot sim-virtual
check "Mic page left: the level meter stops" traced_since "MARK mic-left" 'WAVE STOP'
echo "MARK rotate" >>"$TRACE"
click_control VirtualEnableImage
click_control VirtualClockwiseImage
sleep 1
click_control VirtualClockwiseImage
rotations=$(since "MARK rotate" | grep -c 'DRV 00223140')
check "rotation sends the speaker table every 20 ms tick ($rotations tables in ~1 s)" test "$rotations" -ge 20
shot sim-virtual-rotated
# Each tick repaints only the icons' old and new places: the window must hold what a whole
# paint of the page shows.
click_control PageEQLabel
click_control PageVirtual7p1Label
shot sim-virtual-rotated-whole
geometry
for name in sim-virtual-rotated sim-virtual-rotated-whole; do
    convert "$SHOTS/$name.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$WORK/$name.png"
done
check "rotated icons painted piece by piece are what the whole page shows" \
    test "$(compare -metric AE "$WORK/sim-virtual-rotated.png" "$WORK/sim-virtual-rotated-whole.png" null: 2>&1)" = 0
click_control PageEQLabel

# ---- skin and language from the tray menu -----------------------------------------------------
tray_menu_until "user_is DefaultSkin Aurora" Down Down Right Return  # Skin > first item
check "skin choice written to the per-user AudioConfig.cfg ($(user_value DefaultSkin))" \
    user_is DefaultSkin Aurora
geometry
shot sim-eq-aurora
check "Aurora skin painted" same_pixel "$SKINS/Aurora/MainForm.png" 200 420 $((X + 200)) $((Y + 420))
layout_before=$(since_layout | md5sum)
# Language > second item (folders sorted: English, French, ...)
tray_menu_until "user_is DefaultLanguage French" Down Right Down Return
check "language choice written to the per-user AudioConfig.cfg" user_is DefaultLanguage French
check "the French texts are shown (labels laid out anew)" test "$(since_layout | md5sum)" != "$layout_before"
shot sim-eq-aurora-language2
tray_menu_until "user_is DefaultSkin Graphite" Down Down Right Down Return  # back to Graphite
tray_menu_until "user_is DefaultLanguage English" Down Right Return     # and the first language
check "back to Graphite and English" user_is DefaultLanguage English
check "still Graphite" user_is DefaultSkin Graphite

# ---- hidden, the window lets its pictures go; shown, they come back from their files ----------
window_shot() { geometry && import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$1" 2>/dev/null; }
hide_and_show() {
    click_control CloseImage
    wait_for 5 not shown
    "$@"
    tray_double_click
    wait_for 5 shown
    sleep 0.5
}
window_shot "$WORK/before-hiding.png"
hide_and_show true
window_shot "$WORK/shown-again.png"
check "hidden and shown again, the window is pixel for pixel what it was" \
    test "$(compare -metric AE "$WORK/shown-again.png" "$WORK/before-hiding.png" null: 2>&1)" = 0
# With the window hidden the menu takes no keys here: the pointer walks it (Skin, then the first
# item of its submenu, Aurora).
skin_chosen_while_hidden() {
    local w item
    xdotool mousemove $TRAY_X $TRAY_Y
    sleep 0.3
    xdotool click 3
    wait_for 5 menu_open
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -lt 600 ] && [ "$X" -lt 400 ] && break
    done
    item=$(((HEIGHT - 6) / 6))  # Language, Skin, Hotkeys..., the simulator's plug and unplug, Close
    xdotool mousemove $((X + 30)) $((Y + 3 + item + item / 2))
    sleep 0.8
    xdotool mousemove $((X + WIDTH + 30)) $((Y + 3 + item + item / 2)) click 1
    wait_for 10 user_is DefaultSkin Aurora
}
hide_and_show skin_chosen_while_hidden
geometry
shot sim-aurora-chosen-while-hidden
check "a skin chosen while hidden is painted when the window shows" \
    same_pixel "$SKINS/Aurora/MainForm.png" 200 420 $((X + 200)) $((Y + 420))
check "and so is its EQ page" \
    same_pixel "$SKINS/Aurora/EQBack.png" 20 250 $((X + 392 + 20)) $((Y + 104 + 2 + 250))
tray_menu_until "user_is DefaultSkin Graphite" Down Down Right Down Return  # back to Graphite

# ---- unplug and plug the simulated headset ----------------------------------------------------
echo "MARK unplug" >>"$TRACE"
send AUDIOPANEL_SIM_PLUG 0
wait_for 5 traced_since "MARK unplug" 'SIM UNPLUG'
sleep 0.3
check "unplug: the presence handle is closed" traced_since "MARK unplug" 'HID CLOSE'
shot sim-unplugged
echo "MARK unplugged-click" >>"$TRACE"
click_control EQEQENImage
sleep 0.3
WARNING=$(xdotool search --onlyvisible --name "^$PANEL_TITLE\$" 2>/dev/null | head -1)
check "without the headset the EQ switch shows the warning" test -n "$WARNING"
shot sim-warning
xdotool key Return
sleep 0.3
check "without the headset nothing reaches the chip" not traced_since "MARK unplugged-click" 'HID SET'
echo "MARK plug" >>"$TRACE"
send AUDIOPANEL_SIM_PLUG 1
wait_for 5 traced_since "MARK plug" 'DRV 00223028'
check "plug: the headset is opened again" traced_since "MARK plug" 'HID OPEN 3F9C:4712'
check "plug: the EQ page's enable write is repeated" traced_since "MARK plug" ' 00 01 10'
check "plug: driver status query, speakers and parameter query" traced_since "MARK plug" 'DRV 00223190'

# ---- About, and a profile saved and loaded through the file dialogs -----------------------------
click_control Menu3Image
ABOUT=$(timeout 10 xdotool search --sync --onlyvisible --name '^About$' 2>/dev/null | head -1)
check "About shows its dialog" test -n "$ABOUT"
shot sim-about
if [ -n "$ABOUT" ]; then
    xdotool windowfocus "$ABOUT" 2>/dev/null
    sleep 0.2
    xdotool key Escape
    wait_for 5 not xdotool search --onlyvisible --name '^About$'
    check "Escape closes About" not xdotool search --onlyvisible --name '^About$'
fi
PROFILE=/tmp/panel-profile-$$
PROFILE_WIN='Z:'$(echo "$PROFILE" | tr / '\\')
click_control Menu1Image
check "Save opens the save dialog, which takes a path" file_dialog '^Save' "$PROFILE_WIN"
# The dialog ends before the profile is written key by key: wait for the whole of it.
wait_for 20 grep -q '^7ch1EN=' "$PROFILE.ini"
check "the profile is written with the .ini extension" grep -q '^\[EQ\]' "$PROFILE.ini"
last_ini_is() { iconv -f UTF-16 -t UTF-8 "$1/AudioConfig.cfg" | tr -d '\r' | grep -q -F "Path=$2"; }
wait_for 20 last_ini_is "$PANEL_USER_DIR" "$PROFILE_WIN.ini"
check "its path is kept as LastINI in the per-user AudioConfig.cfg" last_ini_is "$PANEL_USER_DIR" "$PROFILE_WIN.ini"
check "the program folder's AudioConfig.cfg is not written" not last_ini_is "$PANEL_DIR" "$PROFILE_WIN.ini"
echo "MARK load" >>"$TRACE"
click_control Menu2Image
check "Load opens the open dialog, which takes a path" file_dialog '^Open' "$PROFILE_WIN.ini"
wait_for 5 traced_since "MARK load" 'HID SET'
check "loading the profile writes the settings to the chip" traced_since "MARK load" ' 20 01 10'
rm -f "$PROFILE.ini"
quiet_trace  # the load's exchange and the dialog's end are over

# ---- a second instance ends and raises the first ----------------------------------------------
click_control MinimizeImage
wait_for 10 not shown
check "minimise button sends the window to the tray" not shown
tray_double_click
wait_for 5 shown
click_control CloseImage
wait_for 5 not shown
check "close button hides the window to the tray" not shown

# The icon from the keyboard (version 4 of the notification area): Wine's tray cannot take the
# keyboard focus, so the shell's callbacks are posted as the shell sends them (event in the low
# word of lParam, icon 1 in the high word, the icon's place in wParam).
tray_callback() {  # tray_callback EVENT
    "$RUN" "$SENDER" -post TAudioMainForm 0x8001 $(((TRAY_Y << 16) | TRAY_X)) $(((1 << 16) | $1)) \
        >/dev/null 2>&1
}
xdotool mousemove $TRAY_X $TRAY_Y click 1
sleep 1
check "tray: a single click still shows nothing" not shown
tray_callback 0x401  # NIN_KEYSELECT: Space
wait_for 5 shown
check "tray: Space on the icon shows the window" shown
click_control CloseImage
wait_for 5 not shown
tray_callback 0x400  # NIN_SELECT without a click before it: Enter
wait_for 5 shown
check "tray: Enter on the icon shows the window" shown
click_control CloseImage
wait_for 5 not shown
tray_callback 0x7B  # WM_CONTEXTMENU: Shift+F10 or the Applications key
wait_for 5 menu_open
check "tray: Shift+F10 on the icon opens the menu" menu_open
shot sim-tray-menu-keyboard
# Without a window manager nothing gives the menu X's keyboard focus (the shell would hand the
# panel the foreground with the callback): the menu is given it, then the key.
menu_window() {
    local w
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -lt 600 ] && [ "$X" -lt 400 ] && echo "$w" && return 0
    done
    return 1
}
xdotool windowfocus "$(menu_window)" 2>/dev/null
xdotool key Escape
wait_for 5 not menu_open
check "tray: Escape closes that menu, the window stays hidden" eval '! menu_open && ! shown'
if menu_open; then  # the rest of the run needs the panel out of the menu's loop
    xdotool mousemove 600 600 click 1
    wait_for 5 not menu_open
fi
"$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SECOND_PID=$!
wait_for 30 not alive "$SECOND_PID"
check "a second instance ends by itself" not alive "$SECOND_PID"
wait_for 5 shown
check "the first instance comes to the front" shown
check "the first instance still runs" alive "$SIM_PID"

# ---- the machine sleeps: the chip loses its settings and no device change follows -------------
echo "MARK suspend" >>"$TRACE"
send AUDIOPANEL_SIM_SUSPEND
wait_for 5 traced_since "MARK suspend" 'SIM SUSPEND'
# WM_POWERBROADCAST with PBT_APMRESUMEAUTOMATIC, as the system sends it on waking.
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -class TAudioMainForm 0x218 0x12 0 >/dev/null 2>&1
wait_for 5 traced_since "MARK suspend" 'DRV 00223028'
check "resume: the EQ page's enable write puts the EQ path back in 0x100" \
    register_written_since "MARK suspend" '00 01' 87
check "resume: driver status query, speakers and parameter query" traced_since "MARK suspend" 'DRV 00223190'
check "resume: the presence handle is kept" not traced_since "MARK suspend" 'SIM UNPLUG'

# ---- the exit message ---------------------------------------------------------------------------
rm -f "$PANEL_USER_DIR/LastProfile.ini"
echo "MARK exit" >>"$TRACE"
send WM_QLN47xxAPP_EXIT
wait_for 20 not alive "$SIM_PID"
check "the exit message ends the panel" not alive "$SIM_PID"
check "LastProfile.ini written" test -s "$PANEL_USER_DIR/LastProfile.ini"
# The EQ path bit cleared, the chip's own bits of 0x100 (0x83 after power-on) kept.
check "shutdown: register 0x100 written with only the EQ path cleared" \
    register_written_since "MARK exit" '00 01' 83
check "shutdown: effect 0 selected" traced_since "MARK exit" '# select effect 0'
check "shutdown: virtual 7.1 off with the default table" traced_since "MARK exit" '# speakers enable=0'
check "shutdown ends with the idle report" \
    test "$(since "MARK exit" | grep '^HID SET' | tail -1)" = 'HID SET 00 00 00 00 00'
check "the trace ends with the program" test "$(tail -1 "$TRACE")" = 'SIM END'

# ---- the real program: no headset on this machine ----------------------------------------------
# Its field trace, in the simulator's format: the device lookups that find nothing.
APP_TRACE=$WORK/app-trace.log
AUDIOPANEL_TRACE=$APP_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelApp.exe" >/dev/null 2>&1 &
APP_PID=$!
app_window() { [ -n "$(xdotool search --name '^AudioPanelApp$' 2>/dev/null)" ]; }
wait_for 30 app_window
sleep 1
check "AudioPanelApp.exe starts without a headset" alive "$APP_PID"
# Its tray icon comes a little after the window: try again while nothing shows.
for _ in 1 2 3; do
    tray_double_click
    wait_for 5 shown && break
done
geometry
shot app-no-headset
# The inactive label's colour ($00788CF0) in the device label's rectangle.
check "device label shows the inactive style" has_colour $((X + 632)) $((Y + 68)) 78 13 '#F08C78'
check "and not the active one" not has_colour $((X + 632)) $((Y + 68)) 78 13 '#5BE08A'
rm -f "$PANEL_USER_DIR/LastProfile.ini"
xdotool mousemove $((X + 200)) $((Y + 470)) click 3  # the background's right button closes
wait_for 20 not alive "$APP_PID"
check "AudioPanelApp.exe closes on a right click on its background" not alive "$APP_PID"
alive "$APP_PID" && kill "$APP_PID"
wait "$APP_PID"
check "AudioPanelApp.exe ends with code 0" test $? -eq 0
check "AudioPanelApp.exe wrote LastProfile.ini" test -s "$PANEL_USER_DIR/LastProfile.ini"
# Without a headset the panel has found no IDs to ask for: 0000:0000.
check "AudioPanelApp.exe traced the failed HID open" \
    grep -q -x -E 'HID OPEN-FAIL [0-9A-F]{4}:[0-9A-F]{4}' "$APP_TRACE"
check "AudioPanelApp.exe traced the failed microphone lookup" \
    grep -q -x -E 'EP FIND-FAIL [0-9A-F]{4}:[0-9A-F]{4}' "$APP_TRACE"
check "its trace holds only lines of the trace format" \
    test -z "$(grep -v -E '^(HID|DRV|EP|MIX|WAVE) ' "$APP_TRACE")"
cp "$APP_TRACE" "$SHOTS/app-trace.log" 2>/dev/null

# ==== in the field: a user without the per-user file, a second instance, the session's end ====
device_traffic_since() { since "$1" | grep -q -E '^(HID|DRV|EP|WAVE) '; }
to_main_window() {  # to_main_window MESSAGE WPARAM LPARAM: the main window's answer
    "$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -class TAudioMainForm "$@" 2>/dev/null | tr -d '\r'
}
rm -rf "$PANEL_USER_DIR"
echo "MARK fresh-user" >>"$TRACE"
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced_since "MARK fresh-user" 'SIM LAYOUT'
check "a user without the per-user AudioConfig.cfg starts the panel" traced_since "MARK fresh-user" 'SIM LAYOUT'
check "the user gets the program folder's copy (Graphite, English)" \
    test "$(user_value DefaultSkin)/$(user_value DefaultLanguage)" = Graphite/English
tray_double_click
wait_for 5 shown
geometry
shot fresh-user
check "the fresh user sees the default skin" same_pixel "$SKINS/Graphite/MainForm.png" 200 420 $((X + 200)) $((Y + 420))
click_control CloseImage
wait_for 5 not shown

echo "MARK second" >>"$TRACE"
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SECOND_PID=$!
wait_for 30 not alive "$SECOND_PID"
check "a second instance ends by itself" not alive "$SECOND_PID"
check "a second instance sends nothing to the headset" not device_traffic_since "MARK second"

# A press whose capture the system takes back (WM_CANCELMODE) ends without its release's action.
slider_drag() {  # slider_drag CANCEL: drags band 1's slider up, first cancelling the mode if asked
    local r
    r=($(control EQ60HzSliderImage))
    geometry
    xdotool mousemove $((X + r[0] + r[2] / 2)) $((Y + r[1] + r[3] / 2)) mousedown 1
    sleep 0.2
    [ "$1" = cancel ] && to_main_window 0x1F 0 0 >/dev/null
    for step in 10 20 30; do
        xdotool mousemove $((X + r[0] + r[2] / 2)) $((Y + r[1] + r[3] / 2 - step))
        sleep 0.1
    done
    xdotool mouseup 1
    sleep 0.3
}
wait_for 5 shown
echo "MARK cancel-drag" >>"$TRACE"
slider_drag cancel
check "WM_CANCELMODE ends a slider drag: nothing reaches the chip" not device_traffic_since "MARK cancel-drag"
echo "MARK drag-again" >>"$TRACE"
slider_drag keep
check "the next drag writes band 1 again" traced_since "MARK drag-again" ' 21 01 10'
geometry
r=($(control Menu1Image))
xdotool mousemove $((X + r[0] + r[2] / 2)) $((Y + r[1] + r[3] / 2)) mousedown 1
sleep 0.2
to_main_window 0x1F 0 0 >/dev/null
xdotool mouseup 1
check "WM_CANCELMODE: releasing the Save button opens no dialog" \
    not timeout 2 xdotool search --sync --onlyvisible --name '^Save'
click_control CloseImage
wait_for 5 not shown

rm -f "$PANEL_USER_DIR/LastProfile.ini"
echo "MARK cancelled-end" >>"$TRACE"
check "WM_QUERYENDSESSION is answered yes" test "$(to_main_window 0x11 0 0x80000000)" = 1
to_main_window 0x16 0 0x80000000 >/dev/null  # another program cancelled the end
sleep 1
check "a cancelled session end leaves the panel running" alive "$SIM_PID"
check "a cancelled session end sends nothing" not device_traffic_since "MARK cancelled-end"
check "a cancelled session end writes no LastProfile.ini" test ! -e "$PANEL_USER_DIR/LastProfile.ini"
echo "MARK session-end" >>"$TRACE"
to_main_window 0x11 0 0x80000000 >/dev/null
to_main_window 0x16 1 0x80000000 >/dev/null
# Windows ends the process now; the file and the neutral headset must already be there.
check "WM_ENDSESSION: LastProfile.ini written" test -s "$PANEL_USER_DIR/LastProfile.ini"
check "WM_ENDSESSION: register 0x100 written with only the EQ path cleared" \
    register_written_since "MARK session-end" '00 01' 83
check "WM_ENDSESSION: effect 0 selected" traced_since "MARK session-end" '# select effect 0'
check "WM_ENDSESSION: virtual 7.1 off with the default table" traced_since "MARK session-end" '# speakers enable=0'
check "WM_ENDSESSION: the exchange ends with the idle report" \
    test "$(since "MARK session-end" | grep '^HID SET' | tail -1)" = 'HID SET 00 00 00 00 00'
wait_for 20 not alive "$SIM_PID"
check "a panel that outlives the session's end closes" not alive "$SIM_PID"
check "the shutdown ran once" test "$(since "MARK session-end" | grep -c '# select effect 0')" = 1

# ---- the exit message waiting in the queue while a tab press switches the page ------------------
# The last value written to register 0x100 since a mark.
path_value_since() {
    since "$1" | grep '^HID SET' | awk '$4 == "60" && $5 == "00" && $6 == "01" && $7 == "10" { armed = 1; next }
        armed && $7 == "20" { v = $5 } { armed = 0 } END { print v }'
}
echo "MARK switch-start" >>"$TRACE"
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced_since "MARK switch-start" 'SIM LAYOUT'
tray_double_click
wait_for 5 shown
for _ in 1 2; do  # the EQ on, whatever the last profile held
    [ "$(path_value_since "MARK switch-start")" = 87 ] && break
    click_control EQEQENImage
done
check "the EQ is on before the page switch" test "$(path_value_since "MARK switch-start")" = 87
click_control PageMicLabel
r=($(control PageEQLabel))
at=$(($(to_screen $((r[1] + r[3] / 2))) * 65536 + $(to_screen $((r[0] + r[2] / 2)))))
echo "MARK switch-exit" >>"$TRACE"
# While the panel is held, the EQ tab's press and release and the exit message queue up behind
# each other: the exit is handled inside the page switch's pump.
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -post TAudioMainForm AUDIOPANEL_SIM_HOLD 1000 0 \
    0x201 1 "$at" 0x202 0 "$at" WM_QLN47xxAPP_EXIT 0 0 >/dev/null 2>&1
wait_for 20 not alive "$SIM_PID"
check "an exit message during a page switch ends the panel" not alive "$SIM_PID"
check "the exit's shutdown ran" \
    traced_since "MARK switch-exit" '# select effect 0'
check "after the exit during a page switch register 0x100 stays neutral (83)" \
    test "$(path_value_since "MARK switch-exit")" = 83
check "nothing reaches the headset after that shutdown" \
    test "$(since "MARK switch-exit" | grep -E '^(HID|DRV) ' | tail -2 | tr '\n' '/')" = 'HID CLOSE/HID CLOSE/'

echo "screenshots: $SHOTS"
e2e_end
