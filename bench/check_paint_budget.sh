#!/usr/bin/env bash
# Fails when a full repaint of the palette's spectrum takes more than a millisecond.
set -euo pipefail
microseconds=$("$1" --benchmark_filter='^SpectrumPaint$' --benchmark_format=json 2>/dev/null |
    sed -n 's/.*"real_time": \([0-9.e+]*\).*/\1/p' | head -n 1)
echo "spectrum paint: ${microseconds} us (budget 1000 us)"
awk -v t="$microseconds" 'BEGIN { exit !(t > 0 && t <= 1000) }'
