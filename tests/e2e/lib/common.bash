# Shared by the end-to-end scripts in tests/e2e: a private X server, a fresh
# user folder, finding windows by their exact titles, clicking inside them,
# and reading typerecord.dat. Sourced, never run on its own (CMake runs only
# tests/e2e/*.sh).

E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Re-runs the calling script ($1, with the rest as its arguments) on a private
# Xvfb server and exits with its status; returns at once when already there.
# Xvfb picks a free display number itself (-displayfd), so two of these tests,
# or any other X server, never race for the same number. -noreset: a server
# that resets when its last client leaves (the readiness probe) can drop the
# program's connection mid-reset, which failed one start in a few when two of
# these tests ran at once.
e2e_on_private_display() {
    [ -n "${QUORVEL_E2E_INNER:-}" ] && return 0
    local script=$1
    shift
    local xdir xpid status
    xdir=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$xdir/display" >"$xdir/xvfb.log" 2>&1 &
    xpid=$!
    for _ in $(seq 100); do [ -s "$xdir/display" ] && break; sleep 0.1; done
    if [ ! -s "$xdir/display" ]; then
        echo "FAIL: Xvfb did not start" >&2
        cat "$xdir/xvfb.log" >&2
        kill "$xpid" 2>/dev/null
        rm -rf "$xdir"
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$xdir/display")" QUORVEL_E2E_INNER=1
    timeout 240 bash "$script" "$@"
    status=$?
    if [ "$status" != 0 ]; then
        echo "Xvfb on $DISPLAY:" >&2
        cat "$xdir/xvfb.log" >&2
    fi
    kill "$xpid" 2>/dev/null
    wait "$xpid" 2>/dev/null
    rm -rf "$xdir"
    exit "$status"
}

# A fresh work folder holding the user's config and data folders; removed on
# exit (kept when KEEP_WORK is set), together with the program if still running.
e2e_fresh_user() {
    WORK=$(mktemp -d)
    APP=
    trap e2e_cleanup EXIT
    export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
    export SDL_AUDIODRIVER=dummy
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}
e2e_cleanup() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}

# Reports a failure with the program's output (and a screenshot into $SHOTS
# when set), then ends the script.
fail() {
    echo "FAIL: $*" >&2
    cat "$WORK/quorvel.log" >&2 2>/dev/null
    [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/failure.png" 2>/dev/null
    exit 1
}

# A screenshot into $SHOTS/$1.png when SHOTS names a folder.
shot() {
    [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$1.png"
    return 0
}

# Starts the program ($1) with the data of QUORVEL_DATA_ROOT, once the X
# server answers; sets APP.
e2e_start_quorvel() {
    local answered=
    for _ in $(seq 50); do
        xdotool getdisplaygeometry > /dev/null 2>&1 && answered=1 && break
        sleep 0.2
    done
    [ -n "$answered" ] || fail "the X server on $DISPLAY does not answer"
    "$1" ${QUORVEL_DATA_ROOT:+--data-dir "$QUORVEL_DATA_ROOT"} > "$WORK/quorvel.log" 2>&1 &
    APP=$!
}

# Ends the program started by e2e_start_quorvel.
e2e_stop_quorvel() {
    kill "$APP"
    wait "$APP" 2>/dev/null
    APP=
}

# Succeeds when a visible window is named exactly $1.
window_named_now() {
    local id
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && return 0
    done
    return 1
}
# The id of the visible window whose name is exactly $1, waiting up to 10 s.
window_named() {
    local id
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
            if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}
# Waits up to 10 s until no visible window is named $1.
window_gone() {
    for _ in $(seq 50); do
        window_named_now "$1" || return 0
        sleep 0.2
    done
    return 1
}
# Clicks at ($2, $3) relative to window $1.
click_in() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# Prints "WIDTH HEIGHT" of window $1.
window_size() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$WIDTH $HEIGHT"
}

# Runs the Python checks on standard input with the record file ($1) as
# sys.argv[1]; `from records import read_records` gives its records.
check_records() {
    PYTHONDONTWRITEBYTECODE=1 PYTHONPATH="$E2E_LIB${PYTHONPATH:+:$PYTHONPATH}" python3 - "$1"
}
