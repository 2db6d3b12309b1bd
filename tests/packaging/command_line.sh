#!/usr/bin/env bash
# The Linux program's command line: --help and --version answer without a display and end with
# 0; an answer that cannot be written ends with 1; anything else is refused on the standard
# error with the usage and 2, and nothing is printed on the standard output.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
varnel=$1 version=$2
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# Runs the program without a display: run ARGUMENTS...; sets status, and out and err hold what
# it printed.
run() {
    env -u DISPLAY timeout 10 "$varnel" "$@" >"$out" 2>"$err"
    status=$?
}

run --version
check "--version ends with 0" test "$status" = 0
check "--version prints the project's version" test "$(cat "$out")" = "varnel $version"

run --help
check "--help ends with 0" test "$status" = 0
check "--help starts with the usage" test "$(head -n 1 "$out")" = "Usage: varnel [--help | --version]"
check "--help names both options" grep -q -- '--version' "$out"
check "--help prints no error" test ! -s "$err"

for arguments in "--bogus" "-h" "colour.txt" "--help extra" "--version --bogus"; do
    read -r -a words <<<"$arguments"
    run "${words[@]}"
    check "'$arguments' ends with 2" test "$status" = 2
    check "'$arguments' prints the usage on the standard error" grep -q '^Usage: varnel' "$err"
    check "'$arguments' prints nothing on the standard output" test ! -s "$out"
done

env -u DISPLAY "$varnel" --version >/dev/full 2>/dev/null
check "--version ends with 1 when its answer cannot be written" test $? = 1
env -u DISPLAY "$varnel" >/dev/null 2>&1
check "without options and without a display it ends with 1" test $? = 1

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
