#!/usr/bin/env bash
# End to end under Wine and Xvfb: the global hotkeys of the per-user AudioConfig.cfg pressed with
# xdotool (the mute one against the trace of a click on the Mic page's switch, the show/hide one
# against the window), the tray menu's Hotkeys dialog worked by keys, and a combination the file
# does not understand. One line per check, then a total.
#   e2e-panel-hotkeys.sh [BUILD-DIR]  default build/mingw-x86_64 (an x86_64 build: Wine runs it)
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :61)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-panel-hotkeys-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
SENDER=$BUILD/tools/send-window-message.exe
READER=$BUILD/tools/read-accessible.exe
HOLDER=$BUILD/tools/hold-hotkey.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$SENDER" "$READER" "$HOLDER"
e2e_begin "${E2E_PANEL_DISPLAY:-:61}" "${E2E_SHOTS:-$BUILD/e2e-panel-hotkeys-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" || give_up "cannot lay the panel out"
USER_CFG=$PANEL_USER_DIR/AudioConfig.cfg

# Appends lines to the per-user AudioConfig.cfg, which stays UTF-16LE with CR LF.
user_append() {
    { iconv -f UTF-16 -t UTF-8 "$USER_CFG" | tr -d '\r'; printf '%s\n' "$@"; } |
        sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >"$WORK/cfg" &&
        { printf '\xff\xfe'; cat "$WORK/cfg"; } >"$USER_CFG"
}
settle() {  # the trace has not grown for half a second (at most 10 s)
    local count=-1 now
    for _ in $(seq 20); do
        now=$(grep -c -v -E '^WAVE (DATA|REQUEUE) ' "$TRACE")
        [ "$now" = "$count" ] && return 0
        count=$now
        sleep 0.5
    done
}
step() { settle; echo "MARK $1" >>"$TRACE"; }
# What the headset saw from a mark to the next: the endpoint, mixer, HID and driver lines.
device_lines() {
    since "MARK $1" | awk '/^MARK / { exit } { print }' | grep -E '^(EP|MIX|HID|DRV) '
}
press() {  # press KEY: to the window that has X's keyboard focus
    xdotool key --clearmodifiers "$1"
    sleep 0.3
}
# Wine checks its hotkeys on the keys X gives to one of its own windows; it grabs none on the
# root window. Without a window manager the focus follows the pointer, so with the panel hidden
# the pointer rests on Wine's tray window (the notification area) when a hotkey is pressed.
hotkey() {  # hotkey COMBINATION
    shown || xdotool mousemove $TRAY_X $TRAY_Y
    sleep 0.2
    press "$1"
}
# The tray menu opened by the pointer and walked by keys: nothing gives it X's keyboard focus
# here (the shell would give the panel the foreground), so it is given that first.
menu_keys() {  # menu_keys KEY...
    local w
    xdotool mousemove $TRAY_X $TRAY_Y
    sleep 0.3
    xdotool click 3
    wait_for 5 menu_open || return 1
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        if [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -lt 600 ] && [ "$X" -lt 400 ]; then
            xdotool windowfocus "$w" 2>/dev/null
            break
        fi
    done
    sleep 0.3
    xdotool key --delay 150 "$@"
}
dialog() { xdotool search --onlyvisible --name '^Hotkeys$' 2>/dev/null | head -1; }
# The panel of this run's prefix maps a DLL (e.g. comctl32.dll).
panel_maps() {
    local pid
    for pid in $(pgrep -f AudioPanelSim.exe); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" ||
            continue
        grep -qi "/$1\$" "/proc/$pid/maps" 2>/dev/null && return 0
    done
    return 1
}

TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE
user_append '' '[Hotkeys]' 'MicMute=Ctrl+Alt+M' 'ShowPanel=Ctrl+Alt+P' ||
    give_up "cannot write the hotkeys into the user's configuration"

# ---- the hotkeys of the configuration, the window hidden in the tray ---------------------------
start_panel
check "starts in the notification area" not shown
check "without the common controls, which only the dialog needs" not panel_maps comctl32.dll
# What this Wine does with a key X gives to no window of its own (the pointer on the bare root
# window): measured, not a check.
step hotkey-outside
xdotool mousemove 900 900
sleep 0.3
press ctrl+alt+m
sleep 1.5
if traced_since "MARK hotkey-outside" 'SET-MUTE'; then
    echo "NOTE  a hotkey pressed outside Wine's windows reached the panel"
    hotkey ctrl+alt+m  # back to unmuted
    wait_for 5 traced_since "MARK hotkey-outside" 'SET-MUTE 0'
else
    echo "NOTE  a hotkey pressed outside Wine's windows (pointer on the root window) did not reach the panel"
fi
step hotkey-mute
hotkey ctrl+alt+m
wait_for 10 traced_since "MARK hotkey-mute" 'SET-MUTE'
check "Ctrl+Alt+M mutes the microphone through the endpoint" \
    traced_since "MARK hotkey-mute" 'SET-MUTE 1'
step hotkey-unmute
hotkey ctrl+alt+m
wait_for 10 traced_since "MARK hotkey-unmute" 'SET-MUTE'
check "Ctrl+Alt+M again unmutes it" traced_since "MARK hotkey-unmute" 'SET-MUTE 0'
check "the window stayed hidden" not shown

hotkey ctrl+alt+p
wait_for 5 shown
check "Ctrl+Alt+P shows the window" shown
sleep 0.5
click_control PageMicLabel
settle
geometry
read -r mx my mw mh < <(control MicMuteImage)
switch_shot() { import -window root -crop "${mw}x$mh+$((X + mx))+$((Y + my))" +repage "$1" 2>/dev/null; }
switch_shot "$WORK/switch-off.png"
step hotkey-mute-shown
hotkey ctrl+alt+m
wait_for 10 traced_since "MARK hotkey-mute-shown" 'SET-MUTE 1'
settle
switch_shot "$WORK/switch-on.png"
shot hotkeys-muted-mic-page
check "the Mic page's switch shows the mute the hotkey made" \
    test "$(compare -metric AE "$WORK/switch-on.png" "$WORK/switch-off.png" null: 2>&1)" != 0
step click-unmute
click_control MicMuteImage
wait_for 10 traced_since "MARK click-unmute" 'SET-MUTE 0'
step after-click
device_lines hotkey-unmute >"$WORK/hotkey-unmute.log"
device_lines click-unmute >"$WORK/click-unmute.log"
check "the hotkey's unmute is the switch's click, line for line ($(wc -l <"$WORK/click-unmute.log") lines)" \
    eval 'test -s "$WORK/click-unmute.log" && cmp -s "$WORK/hotkey-unmute.log" "$WORK/click-unmute.log"'
cmp -s "$WORK/hotkey-unmute.log" "$WORK/click-unmute.log" ||
    diff "$WORK/hotkey-unmute.log" "$WORK/click-unmute.log" | head -10
hotkey ctrl+alt+p
wait_for 5 not shown
check "Ctrl+Alt+P again hides it" not shown

# ---- the tray menu's dialog, by keys ------------------------------------------------------------
menu_keys Down Down Down Return  # Language, Skin, Hotkeys...
wait_for 10 test -n "$(dialog)"
check "the tray menu's third item opens the Hotkeys dialog" test -n "$(dialog)"
check "with the common controls loaded" panel_maps comctl32.dll
shot hotkeys-dialog
# As a screen reader reads it: each hotkey control named by the label before it. (This Wine's
# accessibility gives every child of a dialog the generic "client" role.)
timeout 30 "$RUN" "$READER" '#32770' "Z:${WORK//\//\\}\\dialog.txt" >/dev/null 2>&1
named_after_label() {  # the label, then a child with the same name without '&' and ':'
    awk -F'\t' -v n="$1" 'label && $2 == n { found = 1 } { label = index($2, n) == 1 && $2 != n }
        END { exit !found }' "$WORK/dialog.txt"
}
check "a screen reader hears the mute's control by its label" named_after_label 'Microphone mute'
check "and the show/hide one's" named_after_label 'Show or hide the panel'
check "and the OK and Cancel buttons" \
    eval "cut -f2 '$WORK/dialog.txt' | grep -qx OK && cut -f2 '$WORK/dialog.txt' | grep -qx Cancel"
grep -v '^window' "$WORK/dialog.txt" 2>/dev/null | cut -f1,2,5 | sed 's/^/      /'
xdotool windowfocus "$(dialog)" 2>/dev/null
sleep 0.3
press Tab  # from the mute's control to the show/hide one's
press ctrl+alt+k
shot hotkeys-dialog-chosen
press Return
wait_for 5 test -z "$(dialog)"
check "Enter closes the dialog" test -z "$(dialog)"
wait_for 5 user_is ShowPanel Ctrl+Alt+K
check "the chosen combination is written ([Hotkeys] ShowPanel=$(user_value ShowPanel))" \
    user_is ShowPanel Ctrl+Alt+K
check "the one left alone is kept ([Hotkeys] MicMute=$(user_value MicMute))" \
    user_is MicMute Ctrl+Alt+M
hotkey ctrl+alt+p
sleep 1
check "the old combination no longer shows the window" not shown
hotkey ctrl+alt+k
wait_for 5 shown
check "the new one does" shown
hotkey ctrl+alt+k
wait_for 5 not shown

menu_keys Down Down Down Return
wait_for 10 test -n "$(dialog)"
xdotool windowfocus "$(dialog)" 2>/dev/null
sleep 0.3
press ctrl+shift+F7
press Escape
wait_for 5 test -z "$(dialog)"
check "Escape closes the dialog and changes nothing" \
    eval 'test -z "$(dialog)" && user_is MicMute Ctrl+Alt+M && user_is ShowPanel Ctrl+Alt+K'
wait_for 5 not panel_maps comctl32.dll
check "the common controls are let go with the dialog" not panel_maps comctl32.dll
step mute-after-dialog
hotkey ctrl+alt+m
wait_for 10 traced_since "MARK mute-after-dialog" 'SET-MUTE'
check "the mute hotkey still works after the dialog" \
    traced_since "MARK mute-after-dialog" 'SET-MUTE 1'
stop_panel

# ---- a combination not understood and one another program holds ---------------------------------
rm -f "$TRACE"
set_user() {  # set_user KEY VALUE: one [Hotkeys] value of the per-user file
    iconv -f UTF-16 -t UTF-8 "$USER_CFG" | sed "s/^$1=.*/$1=$2\r/" | iconv -f UTF-8 -t UTF-16LE \
        >"$WORK/cfg" && { printf '\xff\xfe'; cat "$WORK/cfg"; } >"$USER_CFG"
}
set_user MicMute Ctrl+Hyper+M
set_user ShowPanel Ctrl+Alt+T
"$RUN" "$HOLDER" 3 0x54 60 >"$WORK/holder.log" 2>&1 &  # Ctrl+Alt+T
HOLDER_PID=$!
wait_for 20 grep -q held "$WORK/holder.log"
check "another program holds Ctrl+Alt+T" grep -q held "$WORK/holder.log"
start_panel
report() { xdotool search --onlyvisible --name "^$PANEL_TITLE\$" 2>/dev/null | head -1; }
wait_for 10 test -n "$(report)"
check "both are reported in one message box in the chosen language" test -n "$(report)"
shot hotkeys-reported
xdotool windowfocus "$(report)" 2>/dev/null
sleep 0.3
press Return
wait_for 5 test -z "$(report)"
sleep 1
check "and only once" test -z "$(report)"
kill "$HOLDER_PID" 2>/dev/null
wait "$HOLDER_PID" 2>/dev/null
# Once the other program lets it go, OK in the dialog (nothing changed) takes it up.
menu_keys Down Down Down Return
wait_for 10 test -n "$(dialog)"
xdotool windowfocus "$(dialog)" 2>/dev/null
sleep 0.3
press Return
wait_for 5 test -z "$(dialog)"
hotkey ctrl+alt+t
wait_for 5 shown
check "the held combination was kept and works once free" shown
stop_panel
check "both texts are kept in the file (MicMute=$(user_value MicMute | tr -d '\r'), ShowPanel=$(user_value ShowPanel | tr -d '\r'))" \
    eval 'test "$(user_value MicMute | tr -d "\r")" = Ctrl+Hyper+M && test "$(user_value ShowPanel | tr -d "\r")" = Ctrl+Alt+T'

echo "screenshots: $SHOTS"
e2e_end
