#!/usr/bin/env bash
# Where the panel's resident memory goes under Wine on Xvfb, with the simulator build laid out as
# installed: hidden in the tray after start-up, shown, hidden again, against a minimal Win32
# window; each broken down by mapping (bench/panel-memory-lib.sh), and the time to show the
# window from the tray (median of 3).
#   bench/panel-memory.sh [BUILD-DIR]     default build/mingw-x86_64
# Environment: PERF_DISPLAY  Xvfb display (default :66)
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
. "$ROOT/bench/panel-memory-lib.sh"
e2e_require "$BUILD/panel/AudioPanelSim.exe" "$BUILD/tools/send-window-message.exe"
e2e_begin "${PERF_DISPLAY:-:66}" "$BUILD/perf-screenshots"
panel_layout "$BUILD/panel/AudioPanelSim.exe" "$BUILD/tools/send-window-message.exe" \
    "$BUILD/bench/win32/minimal-window.exe" || give_up "cannot lay the panel out"
PANEL_TRACE=$WORK/trace.log

AUDIOPANEL_SIM_TRACE=$PANEL_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
wait_for 30 grep -q '^SIM LAYOUT' "$PANEL_TRACE" || give_up "the panel did not start"
PANEL_PID=$(prefix_pid AudioPanelSim.exe) || give_up "the panel's process is not found"
sleep 3
memory_snapshot "$PANEL_PID" "$WORK/hidden.smaps"

shows=()
for run in 1 2 3; do
    ms=$(show_from_tray) || give_up "the window did not show from the tray"
    shows+=("$ms")
    sleep 2
    [ $run -eq 1 ] && memory_snapshot "$PANEL_PID" "$WORK/shown.smaps"
    hide_to_tray || give_up "the window did not hide"
    sleep 2
    [ $run -eq 1 ] && memory_snapshot "$PANEL_PID" "$WORK/hidden-again.smaps"
done
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" WM_QLN47xxAPP_EXIT >/dev/null 2>&1
wait_for 20 not prefix_pid AudioPanelSim.exe

"$RUN" "$PANEL_WIN_DIR\\minimal-window.exe" >/dev/null 2>&1 &
wait_for 10 prefix_pid minimal-window.exe
sleep 2
memory_snapshot "$(prefix_pid minimal-window.exe)" "$WORK/minimal.smaps"

minimal=$(memory_rss "$WORK/minimal.smaps")
for state in hidden shown hidden-again; do
    awk -v s="$state" -v a="$(memory_rss "$WORK/$state.smaps")" -v b="$minimal" \
        'BEGIN { printf "resident memory, %s: %d kB, / minimal window (%d kB): %.2f\n", s, a, b, a / b }'
done
# GDI+ and its codecs are loaded only for pictures the program does not decode itself, the
# resampling at other densities and the About logo: at 96 dots per inch, never.
for state in hidden shown hidden-again; do
    mapped=$(grep -oiE '[a-z0-9_]*(gdiplus|windowscodecs)\.dll' "$WORK/$state.smaps" | sort -fu | tr '\n' ' ')
    echo "GDI+ and its codecs mapped, $state: ${mapped:-none}"
done
echo "show from the tray to the first paint: $(printf '%s\n' "${shows[@]}" | sort -n | sed -n 2p) ms (median of ${shows[*]})"
memory_table "hidden" "$WORK/hidden.smaps" "shown" "$WORK/shown.smaps" \
    "hidden again" "$WORK/hidden-again.smaps" "minimal" "$WORK/minimal.smaps"
