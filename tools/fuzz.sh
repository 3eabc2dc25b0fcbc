#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds, one after the other, each on a working copy of
# its seed corpus (build/fuzz/corpus-work, so the repository stays as it is; what the fuzzer
# learns is kept there for the next run). One line per target; non-zero when any target fails.
#   bash tools/fuzz.sh 20     the short run of the test command
#   bash tools/fuzz.sh 600    the long run
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

DURATION=${1:-20}
case $DURATION in
    '' | *[!0-9]*) echo "usage: bash tools/fuzz.sh SECONDS" >&2; exit 2 ;;
esac

BUILD=build/fuzz
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake --preset fuzz >/dev/null || { echo "fuzz: configuring the fuzz preset failed" >&2; exit 1; }
fi
cmake --build --preset fuzz >"$BUILD/fuzz-build.log" 2>&1 || {
    tail -40 "$BUILD/fuzz-build.log"
    echo "fuzz: building the fuzz preset failed" >&2
    exit 1
}

# target and its largest input: check codes are short, configuration files are not; a region
# file of 1000 rectangles and a profile of every key with room to spare are 16 KB.
TARGETS=(
    "fuzz_ini_load 65536"
    "fuzz_device_id_text 4096"
    "fuzz_load_group 65536"
    "fuzz_install_log 65536"
    "fuzz_skin_settings 65536"
    "fuzz_region_file 16384"
    "fuzz_language_file 65536"
    "fuzz_profile_read 16384"
    "fuzz_picture_decode 65536"
)

ARTIFACTS=$BUILD/artifacts
LOGS=$BUILD/fuzz-logs
mkdir -p "$ARTIFACTS" "$LOGS"

failed=0
for entry in "${TARGETS[@]}"; do
    read -r target maxLength <<<"$entry"
    work=$BUILD/corpus-work/$target
    mkdir -p "$work"
    cp -n fuzz/corpus/"$target"/* "$work"/ 2>/dev/null
    log=$LOGS/$target.log

    "$BUILD/fuzz/$target" "$work" \
        -max_total_time="$DURATION" -max_len="$maxLength" -timeout=10 \
        -artifact_prefix="$ARTIFACTS/$target-" -print_final_stats=1 >"$log" 2>&1
    rc=$?

    runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    took=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -1)
    if [ $rc -eq 0 ] && [ -n "$runs" ]; then
        echo "$target: $took s, $runs runs, no crash"
    else
        failed=1
        execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
        artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
        reason=$(grep -m1 -E '^==[0-9]+==ERROR|runtime error|deadly signal|out-of-memory|timeout' "$log")
        echo "$target: FAILED (exit $rc) after ${execs:-?} runs: ${reason:-see log}"
        [ -n "$artifact" ] && echo "  input kept at $artifact"
        echo "  log: $log"
    fi
done
exit $failed
