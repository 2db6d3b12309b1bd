#!/usr/bin/env bash
# Builds the windows preset for the tests that need it: build.sh SOURCE BUILD [TARGET...]. With
# no target it builds varnel.exe and the Windows test helpers for the end-to-end scenarios; the
# package tests name the zip and the installer. Without MinGW-w64 or Wine (or NSIS, for the
# installer) on this machine it reports those tests skipped.
set -u
source_dir=$1
build_dir=$2
shift 2
targets=("$@")
tools=(x86_64-w64-mingw32-g++ wine)
[[ " ${targets[*]} " != *" windows_installer "* ]] || tools+=(makensis)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
cd "$source_dir" || exit 1
cmake --preset windows -B "$build_dir" >/dev/null &&
    cmake --build "$build_dir" ${targets[@]:+--target "${targets[@]}"} ||
    { echo "FAILED: the Windows build"; exit 1; }
