#!/usr/bin/env bash
# The Debian tools' judgement of the package: lintian (no error, no warning; everything it says
# is shown), the desktop entry's and the AppStream data's validators, and the manual page
# rendered by man and groff without a warning.
set -u
source "$(dirname "$0")/../e2e/x11_session.sh"
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || { echo "FAILED: dpkg-deb cannot unpack $deb"; exit 1; }

echo "lintian -I --pedantic:"
lintian -I --pedantic --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 |
    grep -v 'running with root privileges' | sed 's/^/  /'
lintian_status=${PIPESTATUS[0]}
check "lintian reports no error and no warning" test "$lintian_status" -eq 0

desktop=$root/usr/share/applications/varnel.desktop
# Hints (such as two main categories) are shown, not failed.
verdict=$(desktop-file-validate "$desktop" 2>&1)
desktop_status=$?
[ -n "$verdict" ] && echo "desktop-file-validate: $verdict"
no_error_or_warning() {
    [ "$desktop_status" -eq 0 ] && ! grep -qE ': (error|warning):' <<<"$verdict"
}
check "desktop-file-validate finds no error or warning" no_error_or_warning

metainfo=$root/usr/share/metainfo/org.example.varnel.metainfo.xml
check "appstreamcli validates the AppStream data (pedantic)" \
    appstreamcli validate --no-net --pedantic "$metainfo"

page=$root/usr/share/man/man1/varnel.1.gz
man_warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
check "man renders the page without a warning" test -z "$man_warnings"
[ -z "$man_warnings" ] || echo "$man_warnings"
groff_warnings=$(zcat "$page" | groff -ww -z -man -Tutf8 2>&1)
check "groff -ww finds nothing to warn about" test -z "$groff_warnings"
[ -z "$groff_warnings" ] || echo "$groff_warnings"
sections=$(MANWIDTH=80 man -l "$page" 2>/dev/null | grep -E '^[A-Z][A-Z ]+$' | tr '\n' ',')
expected_sections="NAME,SYNOPSIS,DESCRIPTION,OPTIONS,THE MAIN WINDOW,THE PALETTE WINDOW,"
expected_sections+="THE ABOUT WINDOW,KEYS,EXIT STATUS,ENVIRONMENT,AUTHORS,"
check "the page has its sections ($sections)" test "$sections" = "$expected_sections"

echo "$FAILURES check(s) failed"
[ "$FAILURES" -eq 0 ]
