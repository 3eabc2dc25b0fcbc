#!/usr/bin/env bash
# The main job: installs what is missing, builds the Windows programs and starts the control
# panel under Wine on the simulated headset (AudioPanelSim.exe: the panel with the simulator in
# place of the device adapters), laid out as the installer lays it out.
#   With a display ($DISPLAY answers): the panel starts in the notification area; double-click
#   its icon to show the window, "Close" in its menu ends it.
#   Without one: under Xvfb it shows the window, saves a screenshot of each page in both skins,
#   prints their paths and a summary of the traffic the headset saw, and ends.
# Environment: PANEL_SHOTS   screenshot folder (default build/panel-screenshots)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash tools/install-deps.sh
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 --target AudioPanelSim AudioPanelApp send-window-message |
    tail -1
BUILD=$ROOT/build/mingw-x86_64
SHOTS=${PANEL_SHOTS:-$ROOT/build/panel-screenshots}

export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/panel-wine-prefix}
. tools/wine-env.sh
. tools/panel-lib.sh
RUN=$(wine_loader_for "$BUILD/panel/AudioPanelSim.exe")
set +e
wine_prepare_prefix || { echo "cannot prepare the Wine prefix $WINEPREFIX"; exit 1; }

HEADLESS=1
if [ -n "${DISPLAY:-}" ] && xdotool getmouselocation >/dev/null 2>&1; then
    HEADLESS=0
else
    export DISPLAY=:59
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'wineserver -k >/dev/null 2>&1; kill $XVFB_PID 2>/dev/null' EXIT
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
fi
wine_start_server
panel_layout "$BUILD/panel/AudioPanelSim.exe" "$BUILD/tools/send-window-message.exe" ||
    { echo "cannot lay the panel out in $WINEPREFIX"; exit 1; }
PANEL_TRACE=$ROOT/build/panel-trace.log
rm -f "$PANEL_TRACE"
echo "panel folder: $PANEL_DIR"
echo "traffic trace: $PANEL_TRACE"

summary() {
    echo "traffic the simulated headset saw (lines by kind):"
    grep -v '^SIM LAYOUT' "$PANEL_TRACE" | awk '{ print $1, $2 }' | sed 's/ [0-9A-F]\{8\}$/ command/' |
        sort | uniq -c | sort -rn | head -20
}

AUDIOPANEL_SIM_TRACE=$PANEL_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
PANEL_PID=$!
if [ "$HEADLESS" = 0 ]; then
    echo "The panel runs in the notification area: double-click its icon to show it; its menu"
    echo "(right button) has Language, Skin, plug/unplug of the simulated headset and Close."
    wait "$PANEL_PID"
    summary
    exit 0
fi

for _ in $(seq 300); do grep -q '^SIM LAYOUT' "$PANEL_TRACE" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
tray_double_click
for _ in $(seq 50); do shown && break; sleep 0.1; done
shown || { echo "the panel's window did not show"; exit 1; }
mkdir -p "$SHOTS"
for skin in Graphite Aurora; do
    if [ "$skin" = Aurora ]; then
        tray_menu Down Down Right Return  # Skin > Aurora (the menu is sorted)
    fi
    for page in PageEQLabel PageEffectLabel PageMicLabel PageVirtual7p1Label; do
        click_control "$page"
        sleep 0.7
        geometry
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage \
            "$SHOTS/$skin-${page%Label}.png" 2>/dev/null
        echo "screenshot: $SHOTS/$skin-${page%Label}.png"
    done
done
tray_menu Down Down Right Down Return  # back to Graphite for the next start
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" WM_QLN47xxAPP_EXIT >/dev/null 2>&1
for _ in $(seq 200); do kill -0 "$PANEL_PID" 2>/dev/null || break; sleep 0.1; done
summary
