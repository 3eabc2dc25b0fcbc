#!/usr/bin/env bash
# The test command: installs what is missing, builds the four builds, runs the native tests, the
# Windows tests of both Windows builds under Wine, the installer and panel end to end, and a short
# fuzz run; one summary line per build and suite. Non-zero on failure.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/install-deps.sh || exit 1
# A rebuild reuses what an earlier run compiled, also in another clone of the repository: paths
# are hashed relative to the clone.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=1
fi
. tools/wine-env.sh

failed=0
step() { echo; echo "=== $*"; }

build() {
    local preset=$1
    step "build $preset"
    cmake --preset "$preset" >"build-$preset.log" 2>&1 &&
        cmake --build --preset "$preset" >>"build-$preset.log" 2>&1
    local rc=$?
    if [ $rc -ne 0 ]; then
        tail -40 "build-$preset.log"
        echo "build $preset FAILED"
        failed=1
    fi
    rm -f "build-$preset.log"
    return $rc
}

# One build's Windows suites in one prefix: ctest through tools/wine-run, the XML results kept in
# test-results-LABEL for the summary.
wine_suites() {  # wine_suites PRESET LABEL ARCH PREFIX
    local preset=$1 label=$2
    step "Windows tests of $preset under Wine ($label)"
    (
        export AUDIO_WINEARCH=$3 AUDIO_WINEPREFIX=$4
        . tools/wine-env.sh
        wine_prepare_prefix || { echo "cannot prepare the Wine prefix $WINEPREFIX"; exit 1; }
        wine_start_server
        rm -rf "build/$preset/test-results"
        mkdir -p "build/$preset/test-results"
        ctest --test-dir "build/$preset" --output-on-failure --no-tests=error
        rc=$?
        wine_stop_server
        rm -rf "build/$preset/test-results-$label"
        mv "build/$preset/test-results" "build/$preset/test-results-$label"
        exit $rc
    ) || failed=1
}

# One end-to-end run; its last line is the "N passed, N failed" total for the summary.
e2e() {  # e2e LABEL BUILD [VAR=VALUE...] SCRIPT [ARG...]
    local label=$1 dir=$2
    shift 2
    local vars=()
    # The shipped build's runs and the denser screens keep their screenshots apart.
    case $label in *i686* | *dpi*) vars+=(E2E_SHOTS="$ROOT/$dir/e2e-screenshots-$label") ;; esac
    while [[ $1 == *=* ]]; do
        vars+=("$1")
        shift
    done
    local script=$1
    shift
    step "end to end: $label"
    env "${vars[@]}" bash "tools/$script" "$@" | tee "build/e2e-$label.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
}

mkdir -p build
rm -rf build/native/test-results build/mingw-*/test-results-* build/e2e-*.log

build native && {
    step "native tests"
    ctest --preset native --no-tests=error || failed=1
}

# The 32-bit build must hold only 32-bit programs (but the x86_64 service that its installer
# carries, built in service-x86_64/).
i686_built=0
build mingw-i686 && {
    i686_built=1
    for exe in $(find build/mingw-i686 -name '*.exe' -not -path '*/googletest/*' \
        -not -path '*/service-x86_64/*'); do
        if ! wine_is_pe32 "$exe"; then echo "$exe is not a 32-bit program"; failed=1; fi
    done
}
x86_64_built=0
build mingw-x86_64 && x86_64_built=1

# Where the machine runs 32-bit programs, the shipped build runs everything the 64-bit one runs:
# in a 64-bit Windows (WoW64) and in a 32-bit one. A kernel without 32-bit support cannot; the
# summary says so.
run_i686=0
if [ $i686_built = 1 ]; then
    if wine_has_32bit; then
        run_i686=1
    else
        I686_NOT_RUN="the i686 build cannot run here: $(wine_why_no_32bit)"
        step "$I686_NOT_RUN"
    fi
fi

[ $x86_64_built = 1 ] && wine_suites mingw-x86_64 win64 win64 "$ROOT/build/wine-prefix"
if [ $run_i686 = 1 ]; then
    wine_suites mingw-i686 wow64 win64 "$ROOT/build/wine-prefix"
    wine_suites mingw-i686 win32 win32 "$ROOT/build/wine-prefix-win32"
fi

# End to end: the installer and the panel. The shipped installer (i686, carrying the i686 panel)
# on 64-bit Windows 10 and 7 (with and without the update package) and on 32-bit Windows.
X64=build/mingw-x86_64
I686=build/mingw-i686
if [ $x86_64_built = 1 ]; then
    e2e install-x86_64 $X64 e2e-install.sh $X64
    e2e install-keys-x86_64 $X64 E2E_SCOPE=install E2E_KEYS=1 e2e-install.sh $X64
    e2e panel-x86_64 $X64 e2e-panel.sh $X64
    e2e panel-keys-x86_64 $X64 e2e-panel-keys.sh $X64
    e2e panel-reader-x86_64 $X64 e2e-panel-reader.sh $X64
    e2e panel-contrast-x86_64 $X64 e2e-panel-contrast.sh $X64
    e2e panel-mic-x86_64 $X64 e2e-panel-mic.sh $X64
    e2e panel-notice-x86_64 $X64 e2e-panel-notice.sh $X64
    e2e panel-hotkeys-x86_64 $X64 e2e-panel-hotkeys.sh $X64
    e2e panel-dpi144-x86_64 $X64 e2e-panel-dpi.sh 144 $X64
    e2e panel-dpi192-x86_64 $X64 e2e-panel-dpi.sh 192 $X64
fi
if [ $run_i686 = 1 ]; then
    e2e install-i686-win10 $I686 E2E_WINDOWS=win10 e2e-install.sh $I686
    e2e install-i686-win7 $I686 E2E_WINDOWS=win7 E2E_SCOPE=update e2e-install.sh $I686
    e2e install-i686-win7-update $I686 E2E_WINDOWS=win7 E2E_SCOPE=update E2E_UPDATE_PAYLOAD=1 \
        e2e-install.sh $I686
    e2e install-i686-win32 $I686 E2E_WINDOWS=win10 E2E_SCOPE=install AUDIO_WINEARCH=win32 \
        AUDIO_WINEPREFIX="$ROOT/build/e2e-wine-prefix-win32" e2e-install.sh $I686
    e2e panel-i686 $I686 e2e-panel.sh $I686
    e2e panel-keys-i686 $I686 e2e-panel-keys.sh $I686
fi

build fuzz && {
    step "short fuzz run"
    bash tools/fuzz.sh 20 || failed=1
}

step "summary"
summary=$( {
    bash tools/test-summary.sh build/native/test-results native || echo "native: summary failed"
    for results in build/mingw-x86_64/test-results-* build/mingw-i686/test-results-*; do
        [ -d "$results" ] || continue
        label="wine-${results#build/mingw-}"
        label=${label/\/test-results-/-}
        bash tools/test-summary.sh "$results" "$label" || echo "$label: summary failed"
    done
    for log in build/e2e-*.log; do
        [ -f "$log" ] || continue
        label=${log#build/e2e-}
        tail -1 "$log" | sed -n "s/^\([0-9]* passed, [0-9]* failed\)$/${label%.log}: \1/p"
        tail -1 "$log" | grep -q -E '^[0-9]+ passed, [0-9]+ failed$' || echo "${label%.log}: no total"
    done
} )
echo "$summary"
[ -n "${I686_NOT_RUN:-}" ] && echo "NOT RUN: $I686_NOT_RUN"
echo "$summary" | grep -q 'summary failed\|no test results\|no total' && failed=1
passed=0
failing=0
while read -r label p _ f _; do
    passed=$((passed + p))
    failing=$((failing + f))
done < <(echo "$summary" | grep -E '^[a-z0-9_-]+: [0-9]+ passed, [0-9]+ failed$')
[ "$failing" -ne 0 ] && failed=1
if [ $failed -ne 0 ]; then
    echo "SOME TEST STEPS FAILED (see above)"
    # A failed build or fuzz run counts too.
    [ "$failing" -eq 0 ] && failing=1
fi
echo "total: $passed passed, $failing failed"
exit $failed
