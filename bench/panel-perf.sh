#!/usr/bin/env bash
# The panel's cost under Wine on Xvfb, with the simulator build laid out as installed:
#   CPU of the idle panel (in the tray) and of the shown panel rotating the speakers, each over
#   SECONDS (default 60), the rotation with and without the simulator's trace file; start-up time
#   (launch to a running message loop) against the floor of decoding the skin's pictures alone,
#   PERF_STARTUP_RUNS runs of each (default 7) taken in turn, as medians with their spread;
#   resident memory, hidden in the tray and shown, against a minimal Win32 window, and where it
#   goes (bench/panel-memory-lib.sh); the time to show the window from the tray.
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

# Other Wine programs may run on this machine (other test runs): only this prefix's count.
pid_of() {
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid" && return
    done
}
running() { [ -n "$(pid_of "$1")" ]; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
cpu_share() {  # cpu_share PID: percent of one core over SECONDS_MEASURED
    local before after
    before=$(cpu_ticks "$1")
    sleep "$SECONDS_MEASURED"
    after=$(cpu_ticks "$1")
    awk -v t=$((after - before)) -v hz="$TICKS" -v s="$SECONDS_MEASURED" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}
panel_exit() {
    "$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" WM_QLN47xxAPP_EXIT >/dev/null 2>&1
    wait_for 20 not running AudioPanelSim.exe
}

# ---- Start-up: the panel and the decode floor in turn, so both see the same load. A window of
# another program stays open meanwhile: under Wine the first window of a prefix starts its
# desktop process, which on Windows runs all along and would otherwise be counted each run.
STARTUP_RUNS=${PERF_STARTUP_RUNS:-7}
"$RUN" "$PANEL_WIN_DIR\\minimal-window.exe" >/dev/null 2>&1 &
wait_for 10 running minimal-window.exe
wait_for 10 xdotool search --name '^MinimalWindow$'
startups=()
floors=()
for run in $(seq "$STARTUP_RUNS"); do
    rm -f "$PANEL_TRACE"
    start=$(now_ms)
    AUDIOPANEL_SIM_TRACE=$PANEL_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
    wait_for 30 grep -q '^SIM LAYOUT' "$PANEL_TRACE"
    startups+=($(($(now_ms) - start)))
    [ "$run" -lt "$STARTUP_RUNS" ] && panel_exit
    start=$(now_ms)
    "$RUN" "$PANEL_WIN_DIR\\panel-decode-floor.exe" "$PANEL_WIN_DIR\\Skin\\Graphite" >"$WORK/floor.txt" 2>/dev/null
    floors+=($(($(now_ms) - start)))
done
"$RUN" "$PANEL_WIN_DIR\\send-window-message.exe" -post MinimalWindow 0x10 0 0 >/dev/null 2>&1
wait_for 10 not running minimal-window.exe
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
spread() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { printf "min %d, max %d", v[1], v[NR] }'; }
startup=$(median "${startups[@]}")
floor=$(median "${floors[@]}")
# The ratio of each run to the floor run beside it: steadier than the ratio of the medians
# when the machine's load changes during the loop.
ratios=()
for i in "${!startups[@]}"; do
    ratios+=($(awk -v a="${startups[$i]}" -v b="${floors[$i]}" 'BEGIN { printf "%d", 1000 * a / b }'))
done
ratio=$(median "${ratios[@]}")
# ---- end of start-up

# ---- CPU: idle, then rotating with the simulator's trace file and without it (its writing is
# the simulator's cost, not the panel's; the controls are where the traced run said).
PANEL_PID=$(pid_of AudioPanelSim.exe)
sleep 2
idle=$(cpu_share "$PANEL_PID")

# Memory hidden in the tray, and the show from there (traced: this run has the trace file).
MEMORY_PID=$PANEL_PID
memory_snapshot "$MEMORY_PID" "$WORK/hidden.smaps"
show_ms=$(show_from_tray) || show_ms="(not shown)"
# The window's pixels change while the speakers turn.
rotating_now() {
    geometry
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$WORK/turn-a.png" 2>/dev/null
    sleep 0.5
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$WORK/turn-b.png" 2>/dev/null
    [ "$(compare -metric AE "$WORK/turn-a.png" "$WORK/turn-b.png" null: 2>&1)" != 0 ]
}
start_rotating() {
    if ! shown; then
        tray_double_click
        wait_for 5 shown
    fi
    click_control PageVirtual7p1Label
    click_control VirtualEnableImage
    click_control VirtualClockwiseImage
    sleep 1
    # On a loaded machine a click can land before the window is in place: the switch again.
    local attempt
    for attempt in 1 2; do
        rotating_now && return 0
        click_control PageVirtual7p1Label
        click_control VirtualClockwiseImage
        sleep 1
    done
    rotating_now || echo "the speakers do not turn: this figure is not the rotation's" >&2
}
# The first seconds after a show decode the page's pictures and fault code in: not the rotation.
ROTATION_WARM_UP=${PERF_ROTATION_WARM_UP:-5}
start_rotating
sleep "$ROTATION_WARM_UP"
XSERVER_PID=$XVFB_PID
memory_snapshot "$MEMORY_PID" "$WORK/shown.smaps"
click_control VirtualClockwiseImage
panel_exit

# Rotation with and without the simulator's trace file, each in a panel started afresh and
# measured the same way, in turn (the order swapped every round, so a change of the machine's
# load falls on both); the clicks go where the first panel's trace placed the controls.
ROTATION_RUNS=${PERF_ROTATION_RUNS:-3}
has_window() { test -n "$(main_window)"; }
rotation_run() {  # rotation_run traced|untraced: prints the CPU share
    local trace=
    if [ "$1" = traced ]; then
        trace=$WORK/rotation-trace.log
        rm -f "$trace"
    fi
    AUDIOPANEL_SIM_TRACE=$trace "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
    wait_for 30 running AudioPanelSim.exe
    wait_for 30 has_window
    sleep 1
    local pid
    pid=$(pid_of AudioPanelSim.exe)
    start_rotating >&2
    sleep "$ROTATION_WARM_UP"
    cpu_share "$pid"
    click_control VirtualClockwiseImage >&2
    panel_exit
}
rotations_traced=()
rotations_untraced=()
for round in $(seq "$ROTATION_RUNS"); do
    if [ $((round % 2)) -eq 1 ]; then
        rotations_traced+=($(rotation_run traced))
        rotations_untraced+=($(rotation_run untraced))
    else
        rotations_untraced+=($(rotation_run untraced))
        rotations_traced+=($(rotation_run traced))
    fi
done
# Median and spread of decimal figures.
figures() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.2f (min %.2f, max %.2f)", m, v[1], v[NR] }'
}
# ---- end of CPU

"$RUN" "$PANEL_WIN_DIR\\minimal-window.exe" >/dev/null 2>&1 &
wait_for 10 running minimal-window.exe
sleep 2
memory_snapshot "$(prefix_pid minimal-window.exe)" "$WORK/minimal.smaps"

echo "panel start-up (launch to message loop, median of $STARTUP_RUNS): ${startup} ms ($(spread "${startups[@]}"))"
echo "decode floor (a program decoding the skin's pictures, median of $STARTUP_RUNS): ${floor} ms ($(spread "${floors[@]}"); $(tr -d '\r' <"$WORK/floor.txt"))"
awk -v a="$startup" -v b="$floor" 'BEGIN { printf "start-up / floor: %.2f", a / b }'
printf ' (run by run: median %s, %s)\n' "$(awk -v r="$ratio" 'BEGIN { printf "%.2f", r / 1000 }')" \
    "$(spread "${ratios[@]}" | awk '{ printf "min %.2f, max %.2f", $2 / 1000, $4 / 1000 }')"
echo "CPU, idle in the tray over ${SECONDS_MEASURED} s: ${idle} % of one core"
echo "CPU, shown and rotating the speakers, median of $ROTATION_RUNS panels started afresh, each over ${SECONDS_MEASURED} s after ${ROTATION_WARM_UP} s of rotation:"
echo "  with the simulator's trace file: $(figures "${rotations_traced[@]}") % of one core; runs: ${rotations_traced[*]}"
echo "  without it: $(figures "${rotations_untraced[@]}") % of one core; runs: ${rotations_untraced[*]}"
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
