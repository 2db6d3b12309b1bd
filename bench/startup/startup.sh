#!/usr/bin/env bash
# Start-up benchmark: time from exec to the first window mapped, and resident memory a second
# later, for Varnel, xlogo (the floor: about the least an X program can do) and gcolor3 (a peer
# colour picker), in a private Xvfb with openbox. The programs take turns, round after round,
# so that a slow moment of the machine does not fall on one program alone.
#
# Usage: bench/startup/startup.sh [RUNS] [NAME=COMMAND...]
#   RUNS defaults to 15; extra NAME=COMMAND pairs join the comparison.
# Needs the linux preset built (build/linux/varnel and build/linux/bench/startup/map_probe).
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/x11_session.sh

runs=${1:-15}
shift || true
probe=build/linux/bench/startup/map_probe
programs=("varnel=build/linux/varnel" "xlogo=xlogo" "gcolor3=gcolor3" "$@")
for file in "$probe" build/linux/varnel; do
    [ -x "$file" ] || { echo "missing $file: build the linux preset first"; exit 1; }
done

start_x_session
results=$(mktemp)
trap 'rm -f "$results"; stop_x_session' EXIT
# One unmeasured round warms the file cache.
for entry in "${programs[@]}"; do "$probe" ${entry#*=} >/dev/null || true; done
for ((run = 1; run <= runs; run++)); do
    for entry in "${programs[@]}"; do
        if measured=$("$probe" ${entry#*=}); then
            echo "${entry%%=*} $measured" >>"$results"
        fi
    done
done

median() {  # of the numbers on stdin
    sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
floor_ms=$(awk '$1 == "xlogo" {print $2}' "$results" | median)
floor_kib=$(awk '$1 == "xlogo" {print $3}' "$results" | median)
printf '%-10s %6s %12s %10s %12s\n' program runs "start (ms)" "RSS (MiB)" "vs xlogo"
for entry in "${programs[@]}"; do
    name=${entry%%=*}
    count=$(awk -v n="$name" '$1 == n' "$results" | wc -l)
    [ "$count" -gt 0 ] || { echo "$name: no window mapped"; continue; }
    ms=$(awk -v n="$name" '$1 == n {print $2}' "$results" | median)
    kib=$(awk -v n="$name" '$1 == n {print $3}' "$results" | median)
    awk -v name="$name" -v count="$count" -v ms="$ms" -v kib="$kib" -v fms="$floor_ms" \
        -v fkib="$floor_kib" 'BEGIN {
            printf "%-10s %6d %12.1f %10.1f   %4.2fx, %4.2fx\n", name, count, ms, kib / 1024,
                ms / fms, kib / fkib
        }'
done
echo "medians of $runs interleaved runs; ratios: start-up time, resident memory"
