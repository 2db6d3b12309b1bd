#!/usr/bin/env bash
# tools/run's build on a machine without the test libraries: the `run` preset, configured in a
# scratch folder with GoogleTest and Google Benchmark made unfindable, configures without
# looking for either, and its build makes the program and none of the tests.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
source_dir=$1 scratch=$2
rm -rf "$scratch"
trap 'rm -rf "$scratch"' EXIT

# A REQUIRED package that has been made unfindable fails the configure, so this passes only if
# nothing asks for the test libraries.
log=$(cmake -S "$source_dir" --preset run -B "$scratch" \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON 2>&1)
configured=$?
check "the run preset configures without GoogleTest and Google Benchmark" test "$configured" -eq 0
[ "$configured" -eq 0 ] || echo "$log" | tail -20
# find_package leaves its traces in the cache, found or not.
nothing_looked_up() {
    ! grep -qiE '^(GTest|gmock|benchmark)[A-Za-z_]*(_DIR|_LIBRARY|_INCLUDE_DIR)[:=]' \
        "$scratch/CMakeCache.txt"
}
check "nothing was looked up for them" nothing_looked_up
targets=$(ninja -C "$scratch" -t targets all 2>/dev/null | cut -d: -f1)
no_tests() {
    ! grep -qE '^(varnel_tests|varnel_bench)$' <<<"$targets"
}
check "the build has the program" grep -qx varnel <<<"$targets"
check "the build has no tests" no_tests

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
