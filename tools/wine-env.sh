# Sourced: a headless Wine set up for this project's Windows programs.
#   AUDIO_WINEPREFIX  the prefix (default: build/wine-prefix in the source tree)
# Functions: wine_prepare_prefix, wine_start_server, wine_stop_server.

AUDIO_ROOT=${AUDIO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${AUDIO_WINEPREFIX:-$AUDIO_ROOT/build/wine-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder would write .desktop files into $HOME when shortcuts are made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
export WINELOADER=/usr/lib/wine/wine64
WINE=/usr/lib/wine/wine64

wine_prepare_prefix() {
    [ -f "$WINEPREFIX/.audio-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    echo "Preparing Wine prefix $WINEPREFIX (once per run)..." >&2
    "$WINE" wineboot -i >/dev/null 2>&1 || return 1
    # No window manager: without this, hiding a top-level window waits 2 s.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash must end the program with a backtrace, not wait in a dialog.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
    # Debian's Wine does not look in its own font folder.
    if [ -d /usr/share/wine/fonts ]; then
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    fi
    wineserver -w
    touch "$WINEPREFIX/.audio-ready"
}

# A persistent server: every program start is then ~0.05 s instead of ~1.5 s. Wine's system
# processes start with the first program and inherit its output: start them here, detached from
# any caller's pipe, or a test runner waiting for the pipe to close never returns.
wine_start_server() {
    wineserver -p >/dev/null 2>&1 || true
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
wine_stop_server() { wineserver -k >/dev/null 2>&1 || true; }

# 0 when the file is a 64-bit Windows program (PE32+ for x86-64).
wine_is_pe64() {
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 1
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    [ "$machine" = "8664" ]
}
