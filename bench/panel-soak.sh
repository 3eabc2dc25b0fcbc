#!/usr/bin/env bash
# The simulator panel under Wine on Xvfb, shown, through CYCLES unplug and plug cycles of the
# simulated headset, each followed by a click on the next page tab (default 300 cycles, after 20
# of warm-up). Reports before and after: the resident memory of the panel's process, and what
# the process holds as Windows counts it (GDI and USER objects through GetGuiResources, kernel
# handles, working set, private bytes; Wine answers GetGuiResources with 0).
#   bench/panel-soak.sh [CYCLES [BUILD-DIR]]   default build: build/mingw-x86_64
# SOAK_DISPLAY chooses the Xvfb display (default :67).
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
CYCLES=${1:-300}
WARM_UP=20
case $CYCLES in
    '' | *[!0-9]*) echo "usage: bench/panel-soak.sh [CYCLES [BUILD-DIR]]" >&2; exit 2 ;;
esac
export AUDIO_WINEPREFIX=${AUDIO_WINEPREFIX:-$ROOT/build/e2e-wine-prefix}
. "$ROOT/tools/wine-env.sh"
BUILD=$(cd "${2:-$ROOT/build/mingw-x86_64}" && pwd) || exit 2
. "$ROOT/tools/e2e-lib.sh"
. "$ROOT/tools/panel-lib.sh"
e2e_require "$BUILD/panel/AudioPanelSim.exe" "$BUILD/bench/win32/panel-soak.exe"
e2e_begin "${SOAK_DISPLAY:-:67}" "$BUILD/soak-screenshots"
panel_layout "$BUILD/panel/AudioPanelSim.exe" "$BUILD/bench/win32/panel-soak.exe" ||
    give_up "cannot lay the panel out"
PANEL_TRACE=$WORK/trace.log

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
soak() {  # soak CYCLES: the driver's before, cycles and after lines
    "$RUN" "$PANEL_WIN_DIR\\panel-soak.exe" "$1" "${TABS[@]}" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

AUDIOPANEL_SIM_TRACE=$PANEL_TRACE "$RUN" "$PANEL_WIN_DIR\\AudioPanelSim.exe" >/dev/null 2>&1 &
wait_for 60 grep -q '^SIM LAYOUT' "$PANEL_TRACE" || give_up "the panel did not start"
tray_double_click
wait_for 10 shown || give_up "the window did not show"
TABS=()
for tab in PageEQLabel Page3DLabel PageEffectLabel PageMicLabel PageVirtual7p1Label; do
    r=($(control "$tab"))
    [ ${#r[@]} -eq 4 ] && TABS+=($((r[0] + r[2] / 2)) $((r[1] + r[3] / 2)))  # a skin may hide one
done
[ ${#TABS[@]} -ge 4 ] || give_up "fewer than two page tabs in the layout"
PANEL_PID=$(pgrep -f AudioPanelSim.exe | head -1)

soak "$WARM_UP" >"$WORK/warm-up.txt" || give_up "the warm-up did not run: $(cat "$WORK/warm-up.txt")"
rss_before=$(rss_kb "$PANEL_PID")
start=$SECONDS
soak "$CYCLES" >"$WORK/soak.txt"
rc=$?
took=$((SECONDS - start))
rss_after=$(rss_kb "$PANEL_PID")
shot after-soak

plugs=$(grep -c '^SIM PLUG' "$PANEL_TRACE")
echo "panel-soak: $(sed -n 's/^cycles //p' "$WORK/soak.txt") of $CYCLES cycles in ${took} s," \
    "after $WARM_UP of warm-up; $plugs plug-ins traced in all"
echo "resident memory (VmRSS): before ${rss_before} kB, after ${rss_after} kB," \
    "change $((rss_after - rss_before)) kB"
sed -n 's/^\(before\|after\) /Windows counts \1: /p' "$WORK/soak.txt"
[ $rc -eq 0 ] && alive "$PANEL_PID"
check "the panel ran every cycle and is still running" test $? -eq 0
e2e_end
