#!/usr/bin/env bash
# End to end under Wine and Xvfb: the simulator panel worked by the keyboard alone (xdotool key),
# then the same actions with the mouse in a fresh run of the same layout; the headset's traffic of
# both runs must be the same. One line per check, then a total.
#   e2e-panel-keys.sh [BUILD-DIR]  default build/mingw-x86_64 (an x86_64 build: Wine runs it)
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :60)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-panel-keys-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder (both traces are in it)
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
SENDER=$BUILD/tools/send-window-message.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$SENDER"
e2e_begin "${E2E_PANEL_DISPLAY:-:60}" "${E2E_SHOTS:-$BUILD/e2e-panel-keys-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" || give_up "cannot lay the panel out"
# Both runs start from this layout: the first one's LastProfile.ini and remembered profile path
# must not reach the second.
cp -a "$PANEL_DIR" "$WORK/program-folder" && cp -a "$PANEL_USER_DIR" "$WORK/user-folder" ||
    give_up "cannot keep the layout"
fresh_layout() {
    rm -rf "$PANEL_DIR" "$PANEL_USER_DIR" &&
        cp -a "$WORK/program-folder" "$PANEL_DIR" && cp -a "$WORK/user-folder" "$PANEL_USER_DIR"
}

# X hands a key to the window that has its keyboard focus; the panel asks for it when it is
# shown. The pointer is kept off the window, so that X's focus does not simply follow it there.
key() {  # key KEYSYM [COUNT]
    local i
    for ((i = 0; i < ${2:-1}; i++)); do
        xdotool key --clearmodifiers "$1"
        settle
    done
}
# The shell's callback for the icon (version 4): Wine's tray cannot take the keyboard focus, so it
# is posted as the shell sends it (event in the low word of lParam, icon 1 in the high word).
tray_callback() {
    "$RUN" "$SENDER" -post TAudioMainForm 0x8001 $(((TRAY_Y << 16) | TRAY_X)) $(((1 << 16) | $1)) \
        >/dev/null 2>&1
}
# Waits until no line but the level meter's buffers came for half a second (at most 10 s): an
# action's exchange is over before the next one, so none is handled inside another's page switch.
settle() {
    local count=-1 now
    for _ in $(seq 20); do
        now=$(grep -c -v -E '^WAVE (DATA|REQUEUE) ' "$TRACE")
        [ "$now" = "$count" ] && return 0
        count=$now
        sleep 0.5
    done
}
step() {  # step NAME: marks the trace before an action
    settle
    echo "MARK $1" >>"$TRACE"
}
# The headset's traffic. Left out: layout and timing (SIM LAYOUT; SIM SHOWN with its
# milliseconds; the level meter's filled and requeued buffers, whose number follows the clock)
# and this script's marks.
traffic() {
    grep -v -E '^(SIM LAYOUT |SIM SHOWN |SIM FOCUS RING |WAVE DATA |WAVE REQUEUE |MARK )' "$1"
}

# The 60 Hz band one step up from flat: the first Top above the middle of the travel whose gain
# is at least 1 dB above 1024 (the slider's mapping, in awk): the mouse drags there. The panel
# starts with the product's default skin, Graphite.
read -r _ EQ_L < <(iconv -f UTF-16 -t UTF-8 "$PANEL_DIR/Skin/Graphite/SkinSetting.ini" |
    tr -d '\r' | sed -n 's/^EQSlider=\([0-9]*\),\([0-9]*\)$/\1 \2/p')
EQ_STEP_PX=$(awk -v L="$EQ_L" 'BEGIN {
    for (o = int(L / 2); o >= 0; o--) {
        v = int(o * 2048 / L); g = 2048 - v; if (g > 1024) g = 3 * g - 2049
        if (20 * log(g / 1024) / log(10) >= 1 - 1e-9) { print int(L / 2) - o; exit }
    }
}')
[ -n "$EQ_STEP_PX" ] || give_up "no EQ slider travel in the skin"

# ---- the keyboard ------------------------------------------------------------------------------
xdotool mousemove 1270 1010
start_panel "$WORK/keys-trace.log"
step show
tray_callback 0x401  # NIN_KEYSELECT: Space on the icon
wait_for 5 shown
check "keys: Space on the tray icon shows the window" shown
sleep 0.5
step pages
key ctrl+Tab 2
wait_for 5 traced_since "MARK pages" 'WAVE'
check "keys: Ctrl+Tab reaches the Mic page (the level meter runs)" traced_since "MARK pages" 'WAVE'
key ctrl+Tab
key ctrl+Tab
shot keys-back-on-eq
step eq-band
key shift+Tab 5  # from the EQ tab back to the 60 Hz slider
key Up
wait_for 5 traced_since "MARK eq-band" ' 20 01 10'
check "keys: Up on the 60 Hz slider writes band 1's registers" traced_since "MARK eq-band" ' 21 01 10'
step effect
key ctrl+Tab
key shift+Tab 4  # from the Effect tab back to Bathroom
key space
wait_for 5 traced_since "MARK effect" '# select effect'
check "keys: Space on an effect selects it" traced_since "MARK effect" '# select effect'
step mute
key ctrl+Tab
key shift+Tab 4  # from the Mic tab back to Mute
key space
wait_for 5 traced_since "MARK mute" 'MUTE'
check "keys: Space on the microphone mute sets it" traced_since "MARK mute" 'SET-MUTE 1'
step speaker
key ctrl+Tab
key shift+Tab 8  # from the Virtual 7.1 tab back to SUB, near the centre
key Right
wait_for 5 traced_since "MARK speaker" 'DRV 00223140'
check "keys: Right on a speaker sends the speaker table" traced_since "MARK speaker" 'DRV 00223140'
shot keys-speaker-moved
step hide
key Escape
wait_for 5 not shown
check "keys: Escape hides the window to the tray" not shown
step exit
stop_panel
check "keys: the panel ends on the exit message" not alive "$SIM_PID"

# ---- the same with the mouse, in a fresh run ----------------------------------------------------
fresh_layout || give_up "cannot lay the panel out again"
start_panel "$WORK/mouse-trace.log"
step show
tray_double_click
wait_for 5 shown
check "mouse: a double-click on the tray icon shows the window" shown
step pages
for tab in PageEffectLabel PageMicLabel PageVirtual7p1Label PageEQLabel; do
    click_control $tab
    settle
done
step eq-band
read -r sx sy sw sh < <(control EQ60HzSliderImage)
geometry
xdotool mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2)) mousedown 1
sleep 0.3
xdotool mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2 - EQ_STEP_PX))
sleep 0.3
xdotool mouseup 1
step effect
click_control PageEffectLabel
settle
click_control EffectButtonBathroomImage
settle
step mute
click_control PageMicLabel
settle
click_control MicMuteImage
settle
step speaker
click_control PageVirtual7p1Label
settle
read -r sx sy sw sh < <(control VirtualSUBImage)
xdotool mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2)) mousedown 1
sleep 0.3
xdotool mousemove $((X + sx + sw / 2 + 4)) $((Y + sy + sh / 2))
sleep 0.3
xdotool mouseup 1
step hide
click_control CloseImage
wait_for 5 not shown
check "mouse: the close button hides the window" not shown
step exit
stop_panel

# ---- the comparison ---------------------------------------------------------------------------
traffic "$WORK/keys-trace.log" >"$WORK/keys-traffic.log"
traffic "$WORK/mouse-trace.log" >"$WORK/mouse-traffic.log"
check "the headset's traffic of both runs is the same ($(wc -l <"$WORK/keys-traffic.log") lines)" \
    cmp -s "$WORK/keys-traffic.log" "$WORK/mouse-traffic.log"
cmp -s "$WORK/keys-traffic.log" "$WORK/mouse-traffic.log" ||
    diff "$WORK/keys-traffic.log" "$WORK/mouse-traffic.log" | head -20
echo "screenshots: $SHOTS"
e2e_end
