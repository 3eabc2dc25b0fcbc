#!/usr/bin/env bash
# End to end under Wine and Xvfb on a denser screen: the simulator panel at DPI dots per inch
# (Wine's LogPixels). The window, its shape and its pictures grow by DPI / 96, and the clicks of
# tools/e2e-panel.sh, placed on the grown window, still land on their controls; a skin that moves
# the notebook shows its pages at the new place. One line per check, then a total.
#   e2e-panel-dpi.sh DPI [BUILD-DIR]   default build/mingw-x86_64
# Environment: AUDIO_WINEPREFIX  base prefix, prepared once and only ever copied
#              E2E_PANEL_DISPLAY Xvfb display (default :59)
#              E2E_SHOTS         screenshot folder (default BUILD-DIR/e2e-panel-screenshots)
#              E2E_KEEP=1        keep the run's temporary folder
#              E2E_SAME_AS       another run's screenshot folder (same DPI): each screenshot but
#                                the moved skin's must be pixel for pixel the same, e.g. an
#                                earlier build's at 96
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DPI=${1:?usage: e2e-panel-dpi.sh DPI [BUILD-DIR]}
BUILD=$(cd "${2:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
SIM_EXE=$BUILD/panel/AudioPanelSim.exe
APP_EXE=$BUILD/panel/AudioPanelApp.exe
SENDER=$BUILD/tools/send-window-message.exe

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
export E2E_SCREEN=2560x1600x24  # room for the panel at 200 %
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$SIM_EXE" "$APP_EXE" "$SENDER"
e2e_begin "${E2E_PANEL_DISPLAY:-:59}" "${E2E_SHOTS:-$BUILD/e2e-panel-screenshots}"
# Wine takes the screen's density from the user's desktop settings when a program starts.
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
panel_layout "$SIM_EXE" "$APP_EXE" "$SENDER" || give_up "cannot lay the panel out"
SKINS=$PANEL_DIR/Skin
# A skin whose notebook sits at the left, over the logo.
cp -r "$SKINS/Graphite" "$SKINS/Moved"
{
    printf '\xff\xfe'
    iconv -f UTF-16 -t UTF-8 "$SKINS/Graphite/SkinSetting.ini" |
        sed 's/^BackNotebook=.*/BackNotebook=30,104,365,292\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$SKINS/Moved/SkinSetting.ini"
PANEL_DPI=$DPI
# Wine's tray window grows with the density too.
TRAY_X=$(to_screen "$TRAY_X")
TRAY_Y=$(to_screen "$TRAY_Y")

TRACE=$WORK/sim-trace.log
PANEL_TRACE=$TRACE
# The screen shows the picture's pixel at design point PX,PY within TOLERANCE per channel (the
# pictures are resampled smoothly, so an edge nearby may blend).
shows_picture() {  # shows_picture PICTURE PX PY DESIGN-X DESIGN-Y TOLERANCE
    local want got
    want=$(picture_pixel "$1" "$2" "$3")
    got=$(pixel $((X + $(to_screen "$4"))) $((Y + $(to_screen "$5"))))
    [ -n "$want" ] && [ -n "$got" ] || return 1
    local i a b
    for i in 0 2 4; do
        a=$((16#${want:i:2}))
        b=$((16#${got:i:2}))
        [ $((a > b ? a - b : b - a)) -le "$6" ] || return 1
    done
}

# Off the tray icon, or its tooltip may show in the next screenshot, depending on the timing.
off_the_tray() { xdotool mousemove 2550 1590; }

# ---- the simulator panel at DPI -----------------------------------------------------------------
AUDIOPANEL_SIM_TRACE=$TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
SIM_PID=$!
wait_for 30 traced 'SIM LAYOUT' || give_up "the simulator panel did not start"
sleep 0.5
tray_double_click
wait_for 5 shown
off_the_tray
sleep 0.5
geometry
shot sim-dpi$DPI-eq-graphite
read -r BG_W BG_H < <(identify -format '%w %h' "$SKINS/Graphite/MainForm.png")
check "$DPI dpi: the window is the background grown by $DPI/96 (${WIDTH}x${HEIGHT})" \
    test "$WIDTH" -eq "$(to_screen "$BG_W")" -a "$HEIGHT" -eq "$(to_screen "$BG_H")"
check "$DPI dpi: background picture painted at its grown place" \
    shows_picture "$SKINS/Graphite/MainForm.png" 200 420 200 420 8
check "$DPI dpi: EQ page background painted in the grown notebook" \
    shows_picture "$SKINS/Graphite/EQBack.png" 20 250 $((392 + 20)) $((104 + 2 + 250)) 8
check "$DPI dpi: outside the grown region the desktop shows" test "$(pixel "$X" "$Y")" = 000000
check "$DPI dpi: the region grew too (its right part is shown)" \
    test "$(pixel $((X + $(to_screen 200))) $((Y + $(to_screen 420))))" != 000000

echo "MARK eq-switch" >>"$TRACE"
click_control EQEQENImage
check "$DPI dpi: a click on the EQ switch lands (0x100 written)" traced_since "MARK eq-switch" ' 00 01 10'
echo "MARK eq-slider" >>"$TRACE"
read -r sx sy sw sh < <(control EQ60HzSliderImage)
geometry
cx=$((X + $(to_screen $((sx + sw / 2)))))
cy=$((Y + $(to_screen $((sy + sh / 2)))))
xdotool mousemove $cx $cy mousedown 1
sleep 0.2
for step in 10 20 30 40; do
    xdotool mousemove $cx $((cy - $(to_screen $step)))
    sleep 0.1
done
xdotool mouseup 1
sleep 0.5
check "$DPI dpi: an EQ slider drag writes band 1's registers" \
    traced_since "MARK eq-slider" ' 20 01 10'
# The pointer went up 40 design pixels: the knob with it, no more and no less.
check "$DPI dpi: the knob followed the pointer" \
    shows_picture "$SKINS/Graphite/Slider.png" 10 28 $((sx + 10)) $((sy - 40 + 28)) 12
check "$DPI dpi: the knob left its old place" \
    not shows_picture "$SKINS/Graphite/Slider.png" 10 28 $((sx + 10)) $((sy + 28)) 12
shot sim-dpi$DPI-eq-slider-moved

click_control PageEffectLabel
shot sim-dpi$DPI-effect
check "$DPI dpi: the Effect tab shows the Effect page" \
    shows_picture "$SKINS/Graphite/EffectBack.png" 20 250 $((392 + 20)) $((104 + 250)) 8
echo "MARK effect" >>"$TRACE"
click_control EffectButtonTheaterImage
check "$DPI dpi: Theater selects the driver's effect 1" traced_since "MARK effect" '# select effect 1'
click_control PageVirtual7p1Label
shot sim-dpi$DPI-virtual
click_control PageEQLabel

# ---- the skin that moves the notebook -------------------------------------------------------------
read -r gx gy _ _ < <(control EQ300HzSliderImage)
echo "MARK moved" >>"$TRACE"
tray_menu_until "user_is DefaultSkin Moved" Down Down Right Down Down Return  # Skin > third item (Aurora, Graphite, Moved)
wait_for 5 traced_since "MARK moved" 'SIM LAYOUT'
sleep 0.5
geometry
shot sim-dpi$DPI-movedskin-eq
read -r mx my _ _ < <(control EQ300HzSliderImage)
check "$DPI dpi: the moved skin's page controls moved with the notebook ($gx -> $mx)" \
    test $((gx - mx)) -eq $((392 - 30)) -a "$my" -eq "$gy"
check "$DPI dpi: a knob is painted at its new place" \
    shows_picture "$SKINS/Moved/Slider.png" 10 28 $((mx + 10)) $((my + 28)) 12
check "$DPI dpi: the notebook's old place no longer shows it" \
    not shows_picture "$SKINS/Moved/Slider.png" 10 28 $((gx + 10)) $((gy + 28)) 12
click_control PageEffectLabel
echo "MARK moved-effect" >>"$TRACE"
click_control EffectButtonNonImage
check "$DPI dpi: a click in the moved notebook lands (None selects effect 0)" \
    traced_since "MARK moved-effect" '# select effect 0'
shot sim-dpi$DPI-movedskin-effect
click_control PageEQLabel
tray_menu_until "user_is DefaultSkin Graphite" Down Down Right Down Return  # back to Graphite
sleep 0.5
geometry
shot sim-dpi$DPI-before-drag

xdotool mousemove $((X + $(to_screen 200))) $((Y + $(to_screen 470))) mousedown 1
sleep 0.2
xdotool mousemove $((X + $(to_screen 200) + 30)) $((Y + $(to_screen 470) + 10))
sleep 0.1
xdotool mousemove $((X + $(to_screen 200) + 60)) $((Y + $(to_screen 470) + 20))
sleep 0.1
xdotool mouseup 1
sleep 0.3
OLD_X=$X
OLD_Y=$Y
geometry
check "$DPI dpi: dragging the background moves the window by the pointer's way" \
    test $((X - OLD_X)) -eq 60 -a $((Y - OLD_Y)) -eq 20

click_control Menu3Image
ABOUT=$(timeout 10 xdotool search --sync --onlyvisible --name '^About$' 2>/dev/null | head -1)
shot sim-dpi$DPI-about
if [ -n "$ABOUT" ]; then
    eval "$(xdotool getwindowgeometry --shell "$ABOUT" 2>/dev/null | sed 's/^/ABOUT_/')"
    check "$DPI dpi: About is drawn at the density (${ABOUT_WIDTH}x${ABOUT_HEIGHT})" \
        test "$ABOUT_WIDTH" -ge "$(to_screen 479)" -a "$ABOUT_HEIGHT" -ge "$(to_screen 89)"
    xdotool windowfocus "$ABOUT" 2>/dev/null
    sleep 0.2
    xdotool key Escape
    wait_for 5 not xdotool search --onlyvisible --name '^About$'
else
    check "$DPI dpi: About shows its dialog" false
fi

rm -f "$PANEL_USER_DIR/LastProfile.ini"
send WM_QLN47xxAPP_EXIT
wait_for 20 not alive "$SIM_PID"
check "$DPI dpi: the exit message ends the panel, LastProfile.ini written" \
    test -s "$PANEL_USER_DIR/LastProfile.ini"

# ---- the real program at DPI: no headset on this machine ----------------------------------------
has_colour() { import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- 2>/dev/null | grep -qi "$5"; }
"$RUN" "$PANEL_WIN_DIR\\AudioPanelApp.exe" >/dev/null 2>&1 &
APP_PID=$!
wait_for 30 test -n "\$(xdotool search --name '^AudioPanelApp\$' 2>/dev/null)"
sleep 1
# Its tray icon comes a little after the window: try again while nothing shows.
for _ in 1 2 3; do
    tray_double_click
    wait_for 5 shown && break
done
off_the_tray
sleep 0.5
geometry
shot app-dpi$DPI-no-headset
check "$DPI dpi: AudioPanelApp.exe is grown too (${WIDTH}x${HEIGHT})" \
    test "$WIDTH" -eq "$(to_screen "$BG_W")" -a "$HEIGHT" -eq "$(to_screen "$BG_H")"
check "$DPI dpi: its device label shows the inactive style at its grown place" \
    has_colour $((X + $(to_screen 632))) $((Y + $(to_screen 68))) $(to_screen 78) $(to_screen 13) '#F08C78'
xdotool mousemove $((X + $(to_screen 200))) $((Y + $(to_screen 470))) click 3
wait_for 20 not alive "$APP_PID"
check "$DPI dpi: AudioPanelApp.exe closes on a right click on its background" not alive "$APP_PID"

if [ -n "${E2E_SAME_AS:-}" ]; then
    for other in "$E2E_SAME_AS"/*-dpi$DPI-*.png; do
        name=$(basename "$other")
        case $name in *-movedskin-*) continue ;; esac
        check "$name is pixel for pixel the one in $E2E_SAME_AS" \
            test "$(compare -metric AE "$SHOTS/$name" "$other" null: 2>&1)" = 0
    done
fi
echo "screenshots: $SHOTS"
e2e_end
