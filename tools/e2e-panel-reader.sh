#!/usr/bin/env bash
# End to end under Wine and Xvfb: the simulator panel read the way a screen reader reads it, from
# another process (read-accessible.exe, Active Accessibility): the window's object and children
# with role, name, value, states, place and default action; a default action whose effect the
# headset's trace shows; a WinEvent hook that hears the focus move and a toggle change; the names
# in all four languages; the About dialog's text. One line per check, then a total.
#   e2e-panel-reader.sh [BUILD-DIR]   default build/mingw-x86_64 (an x86_64 build)
# Environment: AUDIO_WINEPREFIX, E2E_PANEL_DISPLAY (default :60), E2E_SHOTS, E2E_KEEP as for
#              e2e-panel.sh.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
SENDER=$BUILD/tools/send-window-message.exe
READER=$BUILD/tools/read-accessible.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$SENDER" "$READER"
e2e_begin "${E2E_PANEL_DISPLAY:-:60}" "${E2E_SHOTS:-$BUILD/e2e-reader-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" || give_up "cannot lay the panel out"

TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE

# read_panel NAME [OPTION VALUE...]: reads the main window into $WORK/NAME.txt (lines as
# read-accessible.exe writes them, tab-separated: ROLE NAME STATES VALUE KEY PLACE ACTION).
read_panel() {
    local out=$WORK/$1.txt class=${READ_CLASS:-TAudioMainForm}
    shift
    rm -f "$out"
    timeout 30 "$RUN" "$READER" "$@" "$class" "Z:${out//\//\\}" >/dev/null 2>&1
    [ -s "$out" ] && sed -i 's/\r$//' "$out"
}
# has NAME ROLE TEXT [FIELD VALUE]: a child with that role and name (and FIELD, 3 states as a
# part, 4 value, 6 place, 7 action).
has() {
    awk -F'\t' -v r="$2" -v n="$3" -v f="${4:-0}" -v v="${5:-}" \
        '$1 == r && $2 == n && (f == 0 || (f == 3 ? index($3, v) : $f == v)) { found = 1 } END { exit !found }' \
        "$WORK/$1.txt"
}
field() { awk -F'\t' -v r="$2" -v n="$3" -v f="$4" '$1 == r && $2 == n { print $f; exit }' "$WORK/$1.txt"; }
# The screen rectangle "x,y,w,h" of a control from the simulator's layout (96 dots per inch).
placed() {
    local r
    r=($(control "$1"))
    geometry
    echo "$((X + r[0])),$((Y + r[1])),${r[2]},${r[3]}"
}

AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
tray_double_click
wait_for 5 shown || give_up "the panel's window did not show"
sleep 0.5
geometry

# ---- the EQ page as a reader finds it -------------------------------------------------------
read_panel eq
check "the window has an accessible object named by the title" \
    grep -q -F -x "window	$PANEL_TITLE" "$WORK/eq.txt"
check "EQ switch: a check box with its default action" has eq "check box" Equalizer 7 Check
check "preset 1: a radio button, checked" has eq "radio button" "Preset 1" 3 checked
check "60 Hz slider: named by its band, valued in decibels (flat: 0 dB)" has eq slider 60Hz 4 "0 dB"
check "EQ tab: a page tab, selected" has eq "page tab" EQ 3 selected
check "close button: a push button named in the language" has eq "push button" Close
check "connection state read as text" has eq text Connected
check "every child has a name" not awk -F'\t' 'NR > 1 && $1 != "focus" && $2 == "" { bad = 1 } END { exit !bad }' "$WORK/eq.txt"
check "close button's place on the screen" test "$(field eq "push button" Close 6)" = "$(placed CloseImage)"
shot reader-eq

# ---- default actions: a page tab, then an effect whose command the trace shows -------------
read_panel tab -do Effects
wait_for 5 grep -q -F 'did	Effects	0x00000000' "$WORK/tab.txt"
echo "MARK effect" >>"$TRACE"
read_panel effect -do Theater
check "the Effects tab's default action shows its page (its effects read)" has effect "radio button" Theater
check "Theater's default action ran" grep -q -F -x 'did	Theater	0x00000000' "$WORK/effect.txt"
check "Theater's default action selects the driver's effect 1" wait_for 5 traced_since "MARK effect" '# select effect 1'
read_panel effect2
check "Theater now checked" has effect2 "radio button" Theater 3 checked
shot reader-effect

# ---- a screen reader's event hook: the focus moves, a toggle changes --------------------------
xdotool windowactivate --sync "$(main_window)" 2>/dev/null
xdotool windowfocus --sync "$(main_window)" 2>/dev/null
read_panel events -events 8 -focus Bathroom &
READER_PID=$!
wait_for 10 grep -q -x hooked "$WORK/events.txt"
wait_for 5 grep -q -P '^event\tfocus\t[0-9]+\tBathroom$' "$WORK/events.txt"
xdotool key Tab
wait_for 5 grep -q -P '^event\tfocus\t[0-9]+\tLiving Room$' "$WORK/events.txt"
click_control EffectButtonNonImage
wait "$READER_PID"
check "the hook hears the focus move to the child the reader chose" \
    grep -q -P '^event\tfocus\t[0-9]+\tBathroom$' "$WORK/events.txt"
check "the hook hears Tab move the focus on to Living Room" \
    grep -q -P '^event\tfocus\t[0-9]+\tLiving Room$' "$WORK/events.txt"
check "the hook hears the effects' states change after a click" \
    grep -q -P '^event\tstate\t[0-9]+\t' "$WORK/events.txt"
read_panel focus
check "the reader finds the focus on Living Room" has focus "radio button" "Living Room" 3 focused
check "the window's focus is the child Living Room" grep -q -P '^focus\tradio button\tLiving Room$' "$WORK/focus.txt"

# ---- the Mic page: the level meter and the microphone slider ---------------------------------
read_panel tomic -do Microphone
wait_for 5 grep -q -F 'did	Microphone	0x00000000' "$WORK/tomic.txt"
sleep 1
read_panel mic
check "the level meter reads as a progress bar with a percentage" \
    grep -q -P '^progress bar\tMicrophone level\t\t[0-9]+%\t' "$WORK/mic.txt"
check "the microphone slider is named by its label and valued as shown" \
    grep -q -P '^slider\tVolume\tfocusable\t[0-9]+\t' "$WORK/mic.txt"
check "mute: a check box" has mic "check box" Mute
shot reader-mic

# ---- names in the four languages ----------------------------------------------------------
# Language > item N (folders sorted: English, French, German, Spanish)
language() {  # language FOLDER DOWNS...
    local folder=$1
    shift
    tray_menu_until "user_is DefaultLanguage $folder" Down Right "$@" Return
}
language French Down
read_panel french
check "French: the close button reads Fermer" has french "push button" Fermer
check "French: the Effects tab reads Effets, its action Basculer" has french "page tab" Effets 7 Basculer
language German Down Down
read_panel german
check "German: the close button reads Schließen" has german "push button" "Schließen"
check "German: the window's title stays" grep -q -F -x "window	$PANEL_TITLE" "$WORK/german.txt"
language Spanish Down Down Down
read_panel spanish
check "Spanish: the close button reads Cerrar" has spanish "push button" Cerrar
check "Spanish: the Microphone tab reads Micrófono" has spanish "page tab" "Micrófono"
language English
read_panel english
check "English again: the Effects tab" has english "page tab" Effects 7 Switch

# ---- the About dialog's text ----------------------------------------------------------------
read_panel about-open -do About
wait_for 10 xdotool search --onlyvisible --name '^About$'
READ_CLASS=TAboutForm read_panel about
check "the About dialog's text is read" grep -q -P '^text\tQLN47xx Audio Panel for the QLN47xx' "$WORK/about.txt"
shot reader-about
xdotool key Escape
sleep 0.5

"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -class TAudioMainForm 0x10 0 0 >/dev/null 2>&1
e2e_end
