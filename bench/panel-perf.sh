#!/usr/bin/env bash
# The panel's cost under Wine on Xvfb, with the simulator build laid out as installed:
#   CPU of the idle panel (in the tray) and of the shown panel rotating the speakers, each over
#   SECONDS (default 60); start-up time (launch to a running message loop) against the floor of
#   decoding the skin's pictures alone; resident memory, hidden in the tray and shown, against a
#   minimal Win32 window, and where it goes (bench/panel-memory-lib.sh); the time to show the
#   window from the tray.
#   bench/panel-perf.sh [SECONDS [BUILD-DIR]]   without BUILD-DIR: the x86_64 build, then the
#                                               shipped i686 one where 32-bit programs run
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_MEASURED=${1:-60}
export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
if [ $# -lt 2 ]; then
    echo "== x86_64 build"
    bash "$0" "$SECONDS_MEASURED" "$ROOT/build/mingw-x86_64"
    echo "== i686 build (shipped)"
    if wine_has_32bit; then
        bash "$0" "$SECONDS_MEASURED" "$ROOT/build/mingw-i686"
    else
        echo "not measured: $(wine_why_no_32bit)"
    fi
    exit
fi
BUILD=$(cd "$2" && pwd) || exit 2
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
. "$ROOT/bench/panel-memory-lib.sh"
e2e_require "$BUILD/panel/AudioPanelSim.exe" "$BUILD/tools/send-window-message.exe"
e2e_begin "${PERF_DISPLAY:-:66}" "$BUILD/perf-screenshots"
panel_layout "$BUILD/panel/AudioPanelSim.exe" "$BUILD/tools/send-window-message.exe" \
    "$BUILD/bench/win32/panel-decode-floor.exe" "$BUILD/bench/win32/minimal-window.exe" ||
    give_up "cannot lay the panel out"
PANEL_TRACE=$WORK/trace.log
TICKS=$(getconf CLK_TCK)

pid_of() { pgrep -f "$1" | head -1; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_share() {  # cpu_share PID: percent of one core over SECONDS_MEASURED
    local before after
    before=$(cpu_ticks "$1")
    sleep "$SECONDS_MEASURED"
    after=$(cpu_ticks "$1")
    awk -v t=$((after - before)) -v hz="$TICKS" -v s="$SECONDS_MEASURED" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

# Start-up: three runs, the median.
startups=()
for run in 1 2 3; do
    rm -f "$PANEL_TRACE"
    start=$(now_ms)
    AUDIOPANEL_SIM_TRACE=$PANEL_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
    wait_for 30 grep -q '^SIM LAYOUT' "$PANEL_TRACE"
    startups+=($(($(now_ms) - start)))
    if [ $run -lt 3 ]; then
        "$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" WM_QLN47xxAPP_EXIT >/dev/null 2>&1
        wait_for 20 not pgrep -f AudioPanelSim.exe
    fi
done
floors=()
for run in 1 2 3; do
    start=$(now_ms)
    "$RUN" "$PANEL_WIN_DIR\\panel-decode-floor.exe" "$PANEL_WIN_DIR\\Skin\\Graphite" >"$WORK/floor.txt" 2>/dev/null
    floors+=($(($(now_ms) - start)))
done
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
startup=$(median "${startups[@]}")
floor=$(median "${floors[@]}")

PANEL_PID=$(pid_of AudioPanelSim.exe)
sleep 2
idle=$(cpu_share "$PANEL_PID")

# Memory hidden in the tray, and the show from there.
MEMORY_PID=$(prefix_pid AudioPanelSim.exe)
memory_snapshot "$MEMORY_PID" "$WORK/hidden.smaps"
show_ms=$(show_from_tray) || show_ms="(not shown)"
click_control PageVirtual7p1Label
click_control VirtualEnableImage
click_control VirtualClockwiseImage
sleep 1
rotating=$(cpu_share "$PANEL_PID")
XSERVER_PID=$XVFB_PID
memory_snapshot "$MEMORY_PID" "$WORK/shown.smaps"
click_control VirtualClockwiseImage
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" WM_QLN47xxAPP_EXIT >/dev/null 2>&1
wait_for 20 not pgrep -f AudioPanelSim.exe

"$RUN" "$PANEL_WIN_DIR\\minimal-window.exe" >/dev/null 2>&1 &
wait_for 10 pgrep -f minimal-window.exe
sleep 2
memory_snapshot "$(prefix_pid minimal-window.exe)" "$WORK/minimal.smaps"

echo "panel start-up (launch to message loop, median of 3): ${startup} ms"
echo "decode floor (a program decoding the skin's pictures, median of 3): ${floor} ms ($(cat "$WORK/floor.txt" | tr -d '\r'))"
awk -v a="$startup" -v b="$floor" 'BEGIN { printf "start-up / floor: %.2f\n", a / b }'
echo "CPU, idle in the tray over ${SECONDS_MEASURED} s: ${idle} % of one core"
echo "CPU, shown and rotating the speakers over ${SECONDS_MEASURED} s: ${rotating} % of one core"
# Memory and the show from the tray.
panel_rss=$(memory_rss "$WORK/shown.smaps")
hidden_rss=$(memory_rss "$WORK/hidden.smaps")
minimal_rss=$(memory_rss "$WORK/minimal.smaps")
echo "resident memory: panel ${panel_rss} kB, minimal window ${minimal_rss} kB"
awk -v a="$panel_rss" -v b="$minimal_rss" 'BEGIN { printf "memory / minimal window: %.2f\n", a / b }'
echo "resident memory, hidden in the tray: ${hidden_rss} kB"
awk -v a="$hidden_rss" -v b="$minimal_rss" 'BEGIN { printf "memory hidden / minimal window: %.2f\n", a / b }'
echo "show from the tray to the first paint: ${show_ms} ms"
echo "where the memory goes:"
memory_table "hidden" "$WORK/hidden.smaps" "shown" "$WORK/shown.smaps" "minimal" "$WORK/minimal.smaps"
