# Shared by the tests of installed downloads, beside x11_session.sh: starting an installed Varnel
# and closing it again, and listing what a home or a prefix holds. Source it; it defines
# functions only.

# Every file and folder under the paths, with its type, mode, owner and (for files) size: what
# an install and its uninstall must leave as they found it.
listing() {
    find "$@" \( -type d -printf 'd %m %U:%G %p\n' \) -o -printf '%y %m %U:%G %s %p %l\n' 2>/dev/null |
        LC_ALL=C sort
}

# The process whose executable is this file (its path as seen from here): pid_of PROGRAM.
pid_of() {
    local file
    file=$(stat -L -c '%d:%i' "$1" 2>/dev/null) || return 1
    stat -L -c '%d:%i %n' /proc/[0-9]*/exe 2>/dev/null |
        awk -v file="$file" '$1 == file { split($2, path, "/"); print path[3]; found = 1; exit }
                             END { exit !found }'
}

# Starts Varnel and closes it again: program_runs WHAT PROGRAM WHILE_RUNNING COMMAND...
# COMMAND starts it (in the background, its output in $PROGRAM_LOG); its window must map (within
# 10 s) and the process running be PROGRAM (within 5 s); then WHILE_RUNNING PID WINDOW, when not
# empty, checks whatever else the test wants; then closing the window must end the program.
PROGRAM_LOG=/dev/null
program_runs() {
    local what=$1 program=$2 while_running=$3 window pid="" tries=0 launcher
    shift 3
    "$@" >"$PROGRAM_LOG" 2>&1 &
    launcher=$!
    window=$(wait_for_window "Varnel v3.0")
    check "$what: Varnel's window maps" test -n "$window"
    [ -n "$window" ] || echo "  (waited 10 s for a window named 'Varnel v3.0')"
    until pid=$(pid_of "$program") || [ $tries -ge 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    check "$what: the program running is $program" test -n "$pid"
    [ -n "$pid" ] || echo "  (waited 5 s for a process running it)"
    [ -z "$pid" ] || [ -z "$while_running" ] || "$while_running" "$pid" "$window"
    if [ -n "$window" ]; then
        xdotool windowactivate --sync "$window" 2>/dev/null
        xdotool key alt+F4
        check "$what: closing the window ends it" ended "$pid"
    fi
    [ -z "$pid" ] || kill "$pid" 2>/dev/null
    kill "$launcher" 2>/dev/null
    wait "$launcher" 2>/dev/null
}

# Whether the window is gone (within 10 s) and the process with it (within 5 s more; one that
# waits for its parent to read its status has ended): ended PID.
ended() {
    wait_for_no_window "Varnel v3.0" && { [ -z "$1" ] || wait_until process_gone "$1"; }
}
process_gone() {
    local state
    state=$(cut -d ' ' -f 3 "/proc/$1/stat" 2>/dev/null)
    [ -z "$state" ] || [ "$state" = Z ]
}
