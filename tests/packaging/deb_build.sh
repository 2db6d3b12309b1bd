#!/usr/bin/env bash
# Builds the Debian package from the build tree with CPack, as tools/release does (under umask
# 022, which the .deb's own members take); the other package tests check what it made. The
# build tree must have been built (the program and desktop_files at least).
set -u
build=$1 out=$2 deb=$3
rm -rf "$out"
(umask 022 && cd "$build" && cpack -B "$out") || { echo "FAILED: cpack"; exit 1; }
[ -f "$deb" ] || { echo "FAILED: no $deb"; ls "$out"; exit 1; }
echo "built $deb ($(stat -c %s "$deb") bytes)"
