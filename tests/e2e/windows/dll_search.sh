#!/usr/bin/env bash
# varnel.exe restricts where DLLs are loaded from to System32 before it does anything else: Wine's
# relay log of a few functions shows its call of SetDefaultDllDirectories with
# LOAD_LIBRARY_SEARCH_SYSTEM32 (0x800) before the first call that once came first (joining a COM
# apartment) and before any DLL it loads itself. The program then starts and ends as usual.
#
# Usage: dll_search.sh WINDOWS-BUILD-DIR
source "$(dirname "$0")/../scenario.sh" windows "$1"
start_session || { echo "FAILED: no session"; exit 1; }

# Wine logs the calls of the functions listed, when WINEDEBUG asks for the relay channel.
RELAY_KEY='HKCU\Software\Wine\Debug'
LOGGED="kernel32.SetDefaultDllDirectories;combase.CoInitializeEx;comctl32.InitCommonControlsEx"
LOGGED+=";kernel32.LoadLibraryW;kernel32.LoadLibraryExW;kernel32.LoadLibraryA;kernel32.LoadLibraryExA"
wine reg add "$RELAY_KEY" /v RelayInclude /d "$LOGGED" /f >/dev/null 2>&1
remove_relay_list() { wine reg delete "$RELAY_KEY" /v RelayInclude /f >/dev/null 2>&1; }
log=$(mktemp)
trap 'remove_relay_list; rm -f "$log"; stop_session' EXIT

WINEDEBUG=+relay wine "$VARNEL_EXE" >/dev/null 2>"$log" &
PROGRAM_PID=$!
MAIN=$(settled_window "$MAIN_TITLE") || { echo "FAILED: no main window"; exit 1; }
close_by_keyboard "$MAIN"
check "the program ends with status 0" exits_with "$PROGRAM_PID" 0
PROGRAM_PID=

# The program's own calls: those of the thread that restricted the search, returning into
# varnel.exe's image (which Wine maps at its preferred base, 0x140000000).
restriction=$(grep -m 1 'Call KERNEL32.SetDefaultDllDirectories(' "$log")
echo "${restriction:-no call of SetDefaultDllDirectories}"
thread=${restriction%%:*}
own_calls() { grep "^$thread:Call " "$log" | grep ' ret=14[0-9a-f]\{7\}$'; }
check "it calls SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)" \
    grep -q 'SetDefaultDllDirectories(00000800)' <<<"$restriction"
first=$(own_calls | head -n 1)
echo "its first call of those logged: ${first#*Call }"
check "before anything else it calls of those logged" \
    grep -q 'SetDefaultDllDirectories(00000800)' <<<"$first"
check "it joins its COM apartment and starts the common controls after it" \
    eval 'own_calls | grep -q CoInitializeEx && own_calls | grep -q InitCommonControlsEx'
finish
