#!/usr/bin/env bash
# The test command: installs what is missing, builds the three builds, runs the native tests, the
# Windows tests under Wine, and a short fuzz run; one summary line per suite. Non-zero on failure.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

bash tools/install-deps.sh || exit 1

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

mkdir -p build
rm -rf build/native/test-results build/mingw-x86_64/test-results

build native && {
    step "native tests"
    ctest --preset native --no-tests=error || failed=1
}

build mingw-i686 && {
    # The shipped build: this Wine cannot run it, so check that it really is 32-bit (but for the
    # x86_64 service that its installer carries, built in service-x86_64/).
    for exe in $(find build/mingw-i686 -name '*.exe' -not -path '*/googletest/*' \
        -not -path '*/service-x86_64/*'); do
        . tools/wine-env.sh
        if wine_is_pe64 "$exe"; then echo "$exe is not a 32-bit program"; failed=1; fi
    done
}

rm -f build/mingw-x86_64/e2e-*.log  # only this run's end-to-end results count
build mingw-x86_64 && {
    step "Windows tests under Wine"
    . tools/wine-env.sh
    if wine_prepare_prefix; then
        wine_start_server
        ctest --preset mingw-x86_64 --no-tests=error || failed=1
        wine_stop_server
    else
        echo "cannot prepare the Wine prefix"
        failed=1
    fi
    step "installer end to end under Wine and Xvfb"
    bash tools/e2e-install.sh build/mingw-x86_64 | tee build/mingw-x86_64/e2e-install.log
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
    step "panel end to end under Wine and Xvfb"
    bash tools/e2e-panel.sh build/mingw-x86_64 | tee build/mingw-x86_64/e2e-panel.log
    [ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
    for dpi in 144 192; do
        step "panel end to end at $dpi dots per inch under Wine and Xvfb"
        bash tools/e2e-panel-dpi.sh $dpi build/mingw-x86_64 | tee build/mingw-x86_64/e2e-panel-dpi$dpi.log
        [ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
    done
}

build fuzz && {
    step "short fuzz run"
    bash tools/fuzz.sh 20 || failed=1
}

step "summary"
summary=$( {
    bash tools/test-summary.sh build/native/test-results native || echo "native: summary failed"
    bash tools/test-summary.sh build/mingw-x86_64/test-results wine || echo "wine: summary failed"
    for run in install panel panel-dpi144 panel-dpi192; do
        tail -1 "build/mingw-x86_64/e2e-$run.log" 2>/dev/null | sed -n "s/^\([0-9]* passed, [0-9]* failed\)$/$run: \1/p"
    done
} )
echo "$summary"
echo "$summary" | grep -q 'summary failed\|no test results' && failed=1
passed=0
failing=0
while read -r label p _ f _; do
    passed=$((passed + p))
    failing=$((failing + f))
done < <(echo "$summary" | grep -E '^[a-z]+: [0-9]+ passed, [0-9]+ failed$')
[ "$failing" -ne 0 ] && failed=1
if [ $failed -ne 0 ]; then
    echo "SOME TEST STEPS FAILED (see above)"
    # A failed build or fuzz run counts too.
    [ "$failing" -eq 0 ] && failing=1
fi
echo "total: $passed passed, $failing failed"
exit $failed
