#!/usr/bin/env bash
# End to end under Wine and Xvfb: the microphone muted and unmuted by another program. The
# registered message "AUDIOPANEL_SIM_MIC" changes the simulated endpoint as another program would;
# its notification reaches the panel through the window's queue, the panel reads the microphone
# again and the Mic page's mute switch shows what the panel's own switch shows, without writing
# anything back. One line per check, then a total.
#   e2e-panel-mic.sh [BUILD-DIR]   default build/mingw-x86_64
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :58)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-mic-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
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
e2e_begin "${E2E_PANEL_DISPLAY:-:58}" "${E2E_SHOTS:-$BUILD/e2e-mic-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" || give_up "cannot lay the panel out"
TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE

# The mute switch as the screen shows it, into FILE.
switch_shot() {  # switch_shot FILE
    local r
    r=($(control MicMuteImage))
    geometry
    import -window root -crop "$(to_screen "${r[2]}")x$(to_screen "${r[3]}")+$((X + $(to_screen "${r[0]}")))+$((Y + $(to_screen "${r[1]}")))" \
        +repage "$1" 2>/dev/null
}
same_image() { test "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0; }
switch_is() { switch_shot "$WORK/now.png" && same_image "$WORK/now.png" "$1"; }  # switch_is FILE
no_write_since() { ! since "$1" | grep -q -E '^(EP SET-|MIX WRITE-)'; }

AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
check "the panel watches the headset's endpoint" traced 'EP WATCH'
sleep 0.5
tray_double_click
wait_for 5 shown || give_up "the window did not show"
sleep 0.5
click_control PageMicLabel
sleep 0.5
switch_shot "$WORK/unmuted.png"
# What the panel's own switch shows, muted by a click and unmuted by another.
echo "MARK own" >>"$TRACE"
click_control MicMuteImage
wait_for 10 traced_since "MARK own" 'EP SET-MUTE 1'
sleep 0.5
switch_shot "$WORK/muted.png"
check "the switch shows the panel's own mute" not same_image "$WORK/unmuted.png" "$WORK/muted.png"
check "the panel's own mute is notified" traced_since "MARK own" 'EP NOTIFY MUTE 1'
click_control MicMuteImage
wait_for 10 traced_since "MARK own" 'EP SET-MUTE 0'
sleep 0.5
check "the panel's own mute is written once each way" \
    test "$(since "MARK own" | grep -c '^EP SET-MUTE')" = 2
check "the switch shows unmuted again" switch_is "$WORK/unmuted.png"

# Another program mutes, then unmutes.
echo "MARK elsewhere" >>"$TRACE"
send AUDIOPANEL_SIM_MIC 1
check "another program's mute is notified" \
    wait_for 10 traced_since "MARK elsewhere" 'EP NOTIFY MUTE 1'
check "the panel reads the mute again" wait_for 10 traced_since "MARK elsewhere" 'EP GET-MUTE 1'
check "the mute switch shows muted" wait_for 10 switch_is "$WORK/muted.png"
shot mic-muted-elsewhere
echo "MARK back" >>"$TRACE"
send AUDIOPANEL_SIM_MIC 0
check "another program's unmute is notified" \
    wait_for 10 traced_since "MARK back" 'EP NOTIFY MUTE 0'
check "the panel reads the unmute again" wait_for 10 traced_since "MARK back" 'EP GET-MUTE 0'
check "the mute switch shows unmuted" wait_for 10 switch_is "$WORK/unmuted.png"
check "nothing is written back" no_write_since "MARK elsewhere"

# Unplugged with a change on its way: both posted at once, so the change's notice is queued
# behind the unplug. Unregistered, and the stale notice reads nothing from the gone endpoint.
echo "MARK unplug" >>"$TRACE"
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -post TAudioMainForm \
    AUDIOPANEL_SIM_MIC 1 0 AUDIOPANEL_SIM_PLUG 0 0 >/dev/null 2>&1
check "the unplug unregisters" wait_for 10 traced_since "MARK unplug" 'EP UNWATCH'
check "the change was notified before the unplug" \
    test "$(since "MARK unplug" | grep -E '^(EP NOTIFY|SIM UNPLUG|EP UNWATCH)' | sed 's/ VOLUME.*//' | tr '\n' ' ')" = \
    "EP NOTIFY MUTE 1 SIM UNPLUG EP NOTIFY REMOVED EP UNWATCH "
sleep 1
check "the stale notices read nothing" not traced_since "EP UNWATCH" 'EP '
check "the panel still runs" alive "$SIM_PID"
echo "MARK replug" >>"$TRACE"
send AUDIOPANEL_SIM_PLUG 1
check "the arrival watches again" wait_for 10 traced_since "MARK replug" 'EP WATCH'

send WM_QLN47xxAPP_EXIT
wait_for 20 not alive "$SIM_PID"
check "the exit message ends the panel" not alive "$SIM_PID"
check "the end unregisters before the headset is left" \
    test "$(since "MARK replug" | grep -E '^(EP UNWATCH|SIM END)' | tr '\n' ' ')" = "EP UNWATCH SIM END "
echo "screenshots: $SHOTS"
e2e_end
