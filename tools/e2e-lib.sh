# Sourced by the end-to-end scripts after wine-env.sh: a throw-away copy of the prepared Wine
# prefix on an Xvfb display of its own, and the checks' bookkeeping.
#   e2e_require EXE...        ends the script unless the prefix can run each; sets RUN, the
#                             loader of the first one's width
#   e2e_begin DISPLAY SHOTS   sets WORK, WINEPREFIX, DISPLAY; starts Xvfb and the wineserver;
#                             E2E_WINDOWS (win7, win10, ...) sets the Windows version reported
#   check NAME COMMAND...     one PASS/FAIL line
#   wait_for SECONDS COMMAND...
#   give_up REASON            ends the script with the total
#   shot NAME                 a screenshot SHOTS/NAME.png
#   e2e_end                   the total; exit status 1 when a check failed
# Environment: E2E_KEEP=1 keeps the run's temporary folder; E2E_SCREEN the Xvfb screen
#              (default 1280x1024x24).

passed=0
failed=0
XVFB_PID=

e2e_cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    [ "${E2E_KEEP:-0}" = 1 ] && echo "kept $WORK" || rm -rf "$WORK"
}

e2e_require() {
    local exe
    for exe in "$@"; do
        [ -f "$exe" ] || { echo "e2e: $exe is missing (build its preset first)"; exit 2; }
        wine_can_run "$exe" || { echo "e2e: the $WINEARCH prefix cannot run $exe"; wine_require_32bit; exit 2; }
    done
    RUN=$(wine_loader_for "$1")
}
# 0 when the programs run as 32-bit programs on 64-bit Windows.
e2e_wow64() { [ "$WINEARCH" = win64 ] && [ "$RUN" = "$WINE32_LOADER" ]; }

e2e_begin() {
    local display=$1
    SHOTS=$2
    for tool in Xvfb xdotool import convert iconv; do
        command -v "$tool" >/dev/null || { echo "e2e: $tool is missing"; exit 2; }
    done
    wine_prepare_prefix || { echo "e2e: cannot prepare $WINEPREFIX"; exit 2; }
    WORK=$(mktemp -d /tmp/audio-e2e.XXXXXX)
    local base=$WINEPREFIX
    export WINEPREFIX=$WORK/prefix
    export DISPLAY=$display
    trap e2e_cleanup EXIT
    # A fresh copy of the prepared prefix: nothing of an earlier run is left in it.
    cp -a "$base" "$WINEPREFIX" || exit 2
    if [ -e "/tmp/.X${display#:}-lock" ]; then
        echo "e2e: display $display is in use; choose another"
        exit 2
    fi
    Xvfb "$display" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
    wine_start_server
    [ -n "${E2E_WINDOWS:-}" ] && wine_set_version "$E2E_WINDOWS"
    mkdir -p "$SHOTS"
}

check() {
    local name=$1
    shift
    if "$@" >/dev/null 2>&1; then
        echo "PASS  $name"
        passed=$((passed + 1))
    else
        echo "FAIL  $name"
        failed=$((failed + 1))
    fi
}

wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

e2e_end() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

give_up() {
    echo "FAIL  $1 (the remaining checks cannot run)"
    failed=$((failed + 1))
    e2e_end
}

shot() { import -window root "$SHOTS/$1.png" 2>/dev/null; }
not() { ! "$@"; }
# A process that has ended but was not yet waited for still answers kill -0.
alive() { [ -n "$(ps -o stat= -p "$1" 2>/dev/null | grep -v Z)" ]; }
