# Sourced: a headless Wine set up for this project's Windows programs.
#   AUDIO_WINEPREFIX  the prefix (default: build/wine-prefix in the source tree)
#   AUDIO_WINEARCH    win64 (default): a 64-bit prefix with its 32-bit side (WoW64), which runs
#                     both builds; win32: a 32-bit Windows, which runs only the i686 build
# Functions: wine_prepare_prefix, wine_start_server, wine_stop_server, wine_loader_for,
# wine_can_run, wine_path_u, wine_is_pe64, wine_is_pe32, wine_require_32bit.

AUDIO_ROOT=${AUDIO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${AUDIO_WINEPREFIX:-$AUDIO_ROOT/build/wine-prefix}
export WINEARCH=${AUDIO_WINEARCH:-win64}
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder would write .desktop files into $HOME when shortcuts are made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
WINE64_LOADER=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
# The loader of the prefix's own tools (reg, sc, cmd, winepath). With wine32 installed the plain
# `wine` and `winepath` commands pick the 32-bit loader whatever the prefix is: never use them.
if [ "$WINEARCH" = win32 ]; then
    WINE=$WINE32_LOADER
else
    WINE=$WINE64_LOADER
fi
export WINELOADER=$WINE

# 0 when 32-bit Windows programs can run: the 32-bit side of Wine (wine32:i386) is installed and
# this machine's kernel executes 32-bit Linux programs (a kernel started without ia32 emulation
# refuses them with "Exec format error", and so does a virtual machine that cannot run 32-bit code).
wine_has_32bit() { [ -x "$WINE32_LOADER" ] && "$WINE32_LOADER" --version >/dev/null 2>&1; }
wine_why_no_32bit() {
    if [ ! -x "$WINE32_LOADER" ]; then
        echo "32-bit Wine is missing (dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386)"
    else
        echo "this machine's kernel does not execute 32-bit programs ($("$WINE32_LOADER" --version 2>&1 | sed 's/^.*: //' | head -1); dmesg: $(dmesg 2>/dev/null | grep -o '32-bit emulation disabled.*' | head -1))"
    fi
}
wine_require_32bit() {
    wine_has_32bit && return 0
    echo "cannot run 32-bit Windows programs here: $(wine_why_no_32bit)" >&2
    return 1
}

# The marker names what the prefix was made for: a prefix made before wine32 was installed has no
# 32-bit side and is made anew.
# A 64-bit prefix gets its 32-bit side only where 32-bit programs can run.
wine_prefix_kind() {
    echo "$WINEARCH wow64=$([ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] && echo yes || echo no)"
}
wine_prefix_wanted() {
    if [ "$WINEARCH" = win32 ]; then
        echo "win32 wow64=no"
    else
        echo "win64 wow64=$(wine_has_32bit && echo yes || echo no)"
    fi
}

wine_prepare_prefix() {
    local want
    want=$(wine_prefix_wanted)
    [ "$(cat "$WINEPREFIX/.audio-ready" 2>/dev/null)" = "$want" ] && return 0
    if [ "$WINEARCH" = win32 ]; then wine_require_32bit || return 1; fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    echo "Preparing Wine prefix $WINEPREFIX ($WINEARCH, once per run)..." >&2
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
    if [ "$(wine_prefix_kind)" != "$want" ]; then
        echo "Wine made $(wine_prefix_kind) instead of $want in $WINEPREFIX" >&2
        return 1
    fi
    echo "$want" >"$WINEPREFIX/.audio-ready"
}

# The Windows version the prefix reports: win7, win10, ...
wine_set_version() { "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1; }

# A persistent server: every program start is then ~0.05 s instead of ~1.5 s. Wine's system
# processes start with the first program and inherit its output: start them here, detached from
# any caller's pipe, or a test runner waiting for the pipe to close never returns.
wine_start_server() {
    wineserver -p >/dev/null 2>&1 || true
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
wine_stop_server() { wineserver -k >/dev/null 2>&1 || true; }

# The machine field of a PE file's header: 8664 (x86-64), 014c (i386), empty when not a PE file.
wine_pe_machine() {
    local offset
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 0
    od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}
wine_is_pe64() { [ "$(wine_pe_machine "$1")" = 8664 ]; }
wine_is_pe32() { [ "$(wine_pe_machine "$1")" = 014c ]; }

# The loader that runs PROGRAM in this prefix; nothing (status 1) when the prefix cannot run it:
# a 32-bit Windows has no 64-bit side, and without wine32 a 32-bit program "runs" silently with
# exit code 0 without running at all.
wine_loader_for() {
    if wine_is_pe64 "$1"; then
        [ "$WINEARCH" = win32 ] && return 1
        echo "$WINE64_LOADER"
    elif wine_is_pe32 "$1"; then
        wine_has_32bit || return 1
        echo "$WINE32_LOADER"
    else
        return 1
    fi
}
wine_can_run() { wine_loader_for "$1" >/dev/null; }

# A Windows path of this prefix as a host path.
wine_path_u() { "$WINE" winepath.exe -u "$1" 2>/dev/null </dev/null | tr -d '\r'; }
