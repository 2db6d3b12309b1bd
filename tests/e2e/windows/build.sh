#!/usr/bin/env bash
# Builds varnel.exe and the Windows test helpers for the end-to-end scenarios: build.sh SOURCE
# BUILD. Without MinGW-w64 or Wine on this machine it reports the Windows scenarios skipped.
set -u
source_dir=$1
build_dir=$2
for tool in x86_64-w64-mingw32-g++ wine; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
cd "$source_dir" || exit 1
cmake --preset windows -B "$build_dir" >/dev/null && cmake --build "$build_dir" ||
    { echo "FAILED: the Windows build"; exit 1; }
