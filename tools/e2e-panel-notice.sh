#!/usr/bin/env bash
# End to end under Wine and Xvfb: the microphone's state without opening the panel. Another
# program mutes the simulated headset's microphone ("AUDIOPANEL_SIM_MIC" 1): the tray icon shows
# its muted variant (its pixels differ from the plain icon's) and a notice near the notification
# area says so, then goes by itself; unmuted again, the tray is pixel for pixel what it was. The
# window's own mute switch changes the icon but shows no notice. On both skins; screenshots of
# the notice and of the tray icon. One line per check, then a total.
#   e2e-panel-notice.sh [BUILD-DIR]   default build/mingw-x86_64
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :57)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-notice-screenshots)
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
e2e_begin "${E2E_PANEL_DISPLAY:-:57}" "${E2E_SHOTS:-$BUILD/e2e-notice-screenshots}"
panel_layout "$SIM_EXE" "$SENDER" || give_up "cannot lay the panel out"
TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE

# Wine's tray window at the top left, with the panel's icon; the icon's place in it is found from
# the icon file's opaque pixels, which the tray draws exactly.
TRAY_CROP=40x22+0+21
ICON=$PANEL_PRODUCT/$(panel_cfg Install InstallIconFileName)
tray_shot() { import -window root -crop "$TRAY_CROP" +repage "$SHOTS/$1.png" 2>/dev/null; }
pixels() { convert "$@" -depth 8 txt:- 2>/dev/null | sed 1d | sed 's/^\([0-9]*\),\([0-9]*\):.*#\([0-9A-Fa-f]\{6\}\).*/\1 \2 \3/'; }
icon_alpha() { convert "$ICON[0]" -alpha extract -depth 8 txt:- 2>/dev/null | sed 1d | sed 's/^\([0-9]*\),\([0-9]*\):.*#\([0-9A-Fa-f]\{2\}\).*/\1 \2 \3/'; }
# The same tray, pixel for pixel, but for the icon's soft edge: Wine's tray draws a changed icon
# over the old one, so each change blends its half-transparent pixels once more (Windows draws
# it afresh). Every opaque and every transparent pixel of the icon, and all around it, must match.
same_tray() {  # same_tray A.png B.png
    awk 'FILENAME == ARGV[1] { a[$1 " " $2] = $3; next }
         FILENAME == ARGV[2] { rgb[$1 " " $2] = $3; next }
         FILENAME == ARGV[3] { p[$1 " " $2] = $3; w = $1 > w ? $1 : w; h = $2 > h ? $2 : h; next }
         { q[$1 " " $2] = $3 }
         END {
             # Where the icon sits: every opaque pixel of it exactly on the first shot.
             found = 0
             for (oy = 0; oy + 15 <= h && !found; oy++)
                 for (ox = 0; ox + 15 <= w && !found; ox++) {
                     ok = 1
                     for (k in a) if (a[k] == "FF") {
                         split(k, xy, " ")
                         if (toupper(p[(xy[1] + ox) " " (xy[2] + oy)]) != toupper(rgb[k])) { ok = 0; break }
                     }
                     if (ok) found = 1
                 }
             if (!found) { print "the icon was not found on the tray"; exit 1 }
             ox--; oy--
             bad = 0
             for (k in p) {
                 split(k, xy, " ")
                 ix = xy[1] - ox; iy = xy[2] - oy
                 if (ix >= 0 && ix < 16 && iy >= 0 && iy < 16) {
                     al = a[ix " " iy]
                     if (al != "FF" && al != "00") continue
                 }
                 if (p[k] != q[k]) bad++
             }
             print bad " pixels differ"
             exit bad != 0
         }' <(icon_alpha) <(pixels "$ICON[0]" -alpha off) <(pixels "$1") <(pixels "$2")
}
# The notice is found by its title, its text (Wine names its X window after the program, not the
# window class).
notice_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
notice_named() { [ -n "$(notice_window "$1")" ]; }
notice_shown() { notice_named "Microphone muted" || notice_named "Microphone on"; }
notice_shot() {  # notice_shot NAME TEXT: the notice and a little around it
    local w
    w=$(notice_window "$2")
    [ -n "$w" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$w")"
    import -window root -crop "$((WIDTH + 16))x$((HEIGHT + 16))+$((X - 8))+$((Y - 8))" +repage \
        "$SHOTS/$1.png"
}

# Another program mutes or unmutes (VALUE 1 or 0); the notice says TEXT and goes; the tray's
# muted look is checked against the plain icon's pixels.
outside_change() {  # outside_change SKIN VALUE TEXT
    local skin=$1 value=$2 text=$3 mark="MARK $1 $2"
    echo "$mark" >>"$TRACE"
    send AUDIOPANEL_SIM_MIC "$value"
    check "$skin: the endpoint's change reaches the panel (SIM MIC $value)" \
        wait_for 10 traced_since "$mark" "SIM MIC $value"
    check "$skin: a notice says \"$text\"" wait_for 10 traced_since "$mark" "SIM MIC NOTICE $text"
    check "$skin: the notice is on the screen, named \"$text\"" wait_for 10 notice_named "$text"
    sleep 0.2
    check "$skin: a picture of the notice" notice_shot "notice-$skin-$value" "$text"
    if [ "$value" = 1 ]; then
        check "$skin: the tray icon turns muted" traced_since "$mark" "SIM TRAY MIC MUTED"
    else
        check "$skin: the tray icon turns plain" traced_since "$mark" "SIM TRAY MIC ON"
    fi
    check "$skin: the notice goes by itself" wait_for 10 not notice_named "$text"
    sleep 0.3
    tray_shot "tray-$skin-$value"
}

# The mute hotkey in the per-user configuration (UTF-16, as the installer writes it).
USER_CFG=$PANEL_USER_DIR/AudioConfig.cfg
{ iconv -f UTF-16 -t UTF-8 "$USER_CFG" | tr -d '\r'; printf '%s\n' '' '[Hotkeys]' 'MicMute=Ctrl+Alt+M'; } |
    sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >"$WORK/cfg" &&
    { printf '\xff\xfe'; cat "$WORK/cfg"; } >"$USER_CFG" || give_up "cannot write the hotkey"

AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
sleep 1
tray_shot tray-plain
check "at start no notice and no muted icon" not traced "SIM MIC NOTICE"

for skin in Graphite Aurora; do
    if [ $skin = Aurora ]; then
        # The menu takes the keys once the panel's window has been shown.
        tray_double_click
        wait_for 5 shown
        sleep 0.5
        tray_menu_until "user_is DefaultSkin Aurora" Down Down Right Return  # Skin > first item
        xdotool key --clearmodifiers Escape  # back to the tray, as the user would
        wait_for 5 not shown
        sleep 1
    fi
    outside_change $skin 1 "Microphone muted"
    check "$skin: the muted tray icon differs from the plain one" \
        not same_tray "$SHOTS/tray-plain.png" "$SHOTS/tray-$skin-1.png"
    outside_change $skin 0 "Microphone on"
    check "$skin: unmuted, the tray is pixel for pixel what it was" \
        same_tray "$SHOTS/tray-plain.png" "$SHOTS/tray-$skin-0.png"
done

# The window's own switch: the tray follows, no notice (the user sees the switch).
echo "MARK own" >>"$TRACE"
tray_double_click
wait_for 5 shown || give_up "the window did not show"
sleep 0.5
click_control PageMicLabel
sleep 0.5
click_control MicMuteImage
check "the window's mute switch mutes (trace)" wait_for 10 traced_since "MARK own" "SIM TRAY MIC MUTED"
sleep 2
check "the window's own switch shows no notice" not traced_since "MARK own" "SIM MIC NOTICE"
check "no notice window for the window's own switch" not notice_shown
click_control MicMuteImage
check "the switch again unmutes: the tray turns plain" \
    wait_for 10 traced_since "MARK own" "SIM TRAY MIC ON"

# The hotkey, the window hidden: Wine checks hotkeys on keys X gives to one of its windows, so
# the pointer rests on its tray window (without a window manager the focus follows it).
xdotool key --clearmodifiers Escape
wait_for 5 not shown
for value in 1 0; do
    text=$([ $value = 1 ] && echo "Microphone muted" || echo "Microphone on")
    echo "MARK hotkey $value" >>"$TRACE"
    xdotool mousemove $TRAY_X $TRAY_Y
    sleep 0.3
    xdotool key --clearmodifiers ctrl+alt+m
    check "the mute hotkey: a notice says \"$text\"" \
        wait_for 10 traced_since "MARK hotkey $value" "SIM MIC NOTICE $text"
    check "the mute hotkey: the notice is on the screen" wait_for 10 notice_named "$text"
    check "the mute hotkey: the notice goes by itself" wait_for 10 not notice_named "$text"
done
check "the mute hotkey: the tray icon was muted, then plain again" \
    eval 'traced_since "MARK hotkey 1" "SIM TRAY MIC MUTED" && traced_since "MARK hotkey 0" "SIM TRAY MIC ON"'

send WM_QLN47xxAPP_EXIT
wait_for 20 not alive "$SIM_PID"
check "the exit message ends the panel" not alive "$SIM_PID"
echo "screenshots: $SHOTS"
e2e_end
