#!/usr/bin/env bash
# Long numbers pasted into a decimal field of varnel.exe under Wine, through the Windows
# clipboard: 16 KiB, 64 KiB, 256 KiB and 1 MiB of digits, each over the red field's whole text.
# The field rewrites each as its value, and the program shows it within 2 s of the paste key;
# 12 typed afterwards shows too.
# Usage: large_paste.sh WINDOWS_BUILD_DIR
source "$(dirname "$0")/../scenario.sh" windows "$1"
start_program
PAYLOADS=$(mktemp -d)

value=100
for kib in 16 64 256 1024; do
    # Each step says how long it took, so that a slow one shows where.
    start=$(now_ms)
    seed_clipboard "$(payload $((kib * 1024)) 0 $value)" || exit 1
    echo "   ($kib KiB: $(($(now_ms) - start)) ms to put on the clipboard)"
    select_field Text1
    start=$(now_ms)
    press ctrl+v
    check "$kib KiB of digits over the red field turn the preview ($value,0,0) within 2 s" \
        timed_preview "$start" "$value,0,0" 2000
    value=$((value + 1))
done
check "the red field reads 103" test "$(field_text Text1)" = "103"
retype_field Text1 12
check "12 typed over it turns the preview (12,0,0)" preview_is "12,0,0"
rm -rf "$PAYLOADS"
finish
