#!/usr/bin/env bash
# One line per GoogleTest suite from its XML results, then a total line.
#   test-summary.sh RESULTS-DIR LABEL
set -u
dir=$1
label=$2
total_pass=0
total_fail=0
shopt -s nullglob
files=("$dir"/*.xml)
if [ ${#files[@]} -eq 0 ]; then
    echo "$label: no test results in $dir"
    exit 1
fi
for xml in "${files[@]}"; do
    head=$(grep -m1 -o '<testsuites [^>]*>' "$xml")
    attr() { echo "$head" | grep -o " $1=\"[0-9]*\"" | grep -o '[0-9]*'; }
    tests=$(attr tests); failures=$(attr failures); errors=$(attr errors); disabled=$(attr disabled)
    skipped=$(grep -c '<skipped' "$xml")
    failing=$((failures + errors))
    passing=$((tests - failing - disabled - skipped))
    printf '%-8s %-24s %4d passed, %d failed, %d skipped\n' "$label" "$(basename "$xml" .xml)" \
        "$passing" "$failing" "$((disabled + skipped))"
    total_pass=$((total_pass + passing))
    total_fail=$((total_fail + failing))
done
echo "$label: $total_pass passed, $total_fail failed"
[ $total_fail -eq 0 ]
