# Shared by the end-to-end scripts in tests/e2e: a private X server, a fresh
# user folder, a private accessibility bus, finding windows by their exact
# titles, clicking inside them, and reading typerecord.dat. Sourced, never run
# on its own (CMake runs only tests/e2e/*.sh).

E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Re-runs the calling script ($1, with the rest as its arguments) on a private
# Xvfb server and exits with its status; returns at once when already there.
# Xvfb picks a free display number itself (-displayfd), so two of these tests,
# or any other X server, never race for the same number. -noreset keeps the
# server as it is when its last client (the readiness probe) leaves, so the
# program never connects to a server in the middle of a reset.
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

# Starts the program ($1) with the data of QUORVEL_DATA_ROOT once the X server
# answers, and waits up to 10 s for its main window; sets APP and MAIN. A start
# that could not reach the X server is tried again (twice at most): that was
# seen, rarely, with several of these tests at once, and is no fault of the
# program. Any other failure to come up fails the test.
e2e_start_quorvel() {
    local answered= attempt
    for _ in $(seq 50); do
        xdotool getdisplaygeometry > /dev/null 2>&1 && answered=1 && break
        sleep 0.2
    done
    [ -n "$answered" ] || fail "the X server on $DISPLAY does not answer"
    for attempt in 1 2 3; do
        "$1" ${QUORVEL_DATA_ROOT:+--data-dir "$QUORVEL_DATA_ROOT"} > "$WORK/quorvel.log" 2>&1 &
        APP=$!
        for _ in $(seq 50); do
            MAIN=$(window_id_now "QuorvelV1.41") && return 0
            kill -0 "$APP" 2>/dev/null || break
            sleep 0.2
        done
        kill -0 "$APP" 2>/dev/null && fail "the main window did not appear"
        wait "$APP" 2>/dev/null
        APP=
        grep -q "could not connect to display" "$WORK/quorvel.log" || fail "the program ended before its main window appeared"
        echo "note: start $attempt could not reach the X server on $DISPLAY" >&2
        sleep 0.5
    done
    fail "the program never reached the X server on $DISPLAY"
}

# Prints what the SQL $1 finds in the learner's progress database.
progress_query() {
    local db
    db=$(find "$WORK" -name progress.sqlite | head -n 1)
    [ -n "$db" ] || fail "no progress database under $WORK"
    sqlite3 "$db" "$1"
}

# Ends the program started by e2e_start_quorvel (SIGTERM, as a session
# logout does).
e2e_stop_quorvel() {
    kill "$APP"
    wait "$APP" 2>/dev/null
    APP=
}

# The id of a visible window named exactly $1, if there is one now.
window_id_now() {
    local id
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
window_named_now() {
    window_id_now "$1" > /dev/null
}
# The id of the visible window named exactly $1, waiting up to 10 s.
window_named() {
    for _ in $(seq 50); do
        window_id_now "$1" && return 0
        sleep 0.2
    done
    return 1
}
# Waits up to 10 s (or $2 tenths of 2 s) until no visible window is named $1.
window_gone() {
    for _ in $(seq "${2:-50}"); do
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

# Gives the character $1 a key of its own, kept for the rest of the test:
# left to itself, xdotool maps a spare key to a character only for the moment
# of its keystroke, and a busy program that reads the keyboard map a moment
# late finds the key empty and loses the character. The keys taken are the
# media keys no test presses.
declare -A E2E_KEY_OF=()
E2E_FREE_KEYS=($(seq 210 247))
map_character_key() {
    local LC_ALL=C.UTF-8
    local ch=$1 keycode
    [ -n "${E2E_KEY_OF[$ch]:-}" ] && return 0
    [ "$(printf '%d' "'$ch")" -lt 128 ] && return 0 # on the keyboard already
    [ ${#E2E_FREE_KEYS[@]} = 0 ] && return 0 # xdotool's own way, then
    keycode=${E2E_FREE_KEYS[0]}
    E2E_FREE_KEYS=("${E2E_FREE_KEYS[@]:1}")
    xmodmap -e "keycode $keycode = $(printf 'U%04X' "'$ch")" || return 0
    E2E_KEY_OF[$ch]=$keycode
    sleep 0.3 # the program reads the new keyboard map
}
# Types the Chinese text $1 one character at a time, each on a key of its own.
type_slowly() {
    local LC_ALL=C.UTF-8 # character-wise substrings
    local text=$1 i
    for ((i = 0; i < ${#text}; i++)); do
        map_character_key "${text:i:1}"
        xdotool type --delay 40 "${text:i:1}"
        sleep 0.1
    done
}
# Clicks the main window's menu button at x = $1, then the item at y = $2 of
# the menu it opens.
open_menu_item() {
    local menu
    click_in "$MAIN" "$1" 53
    menu=$(window_named "quorvel") || fail "the menu of the button at x = $1 did not open"
    click_in "$menu" 60 "$2"
    sleep 1
}
# Types the path $1 into the reference file dialog, once it is up, and confirms.
# The file name box completes what is typed from the folder's listing, which
# arrives when it will: when its list pops up just before Return, Return only
# takes the completion, and a second Return opens the file. On a busy machine
# a typed character can also be lost, so the last try types the path again.
choose_reference_file() {
    local dialog attempt
    dialog=$(window_named "选择对照文本") || fail "the reference file dialog did not open"
    xdotool windowfocus --sync "$dialog" 2>/dev/null
    sleep 0.5
    xdotool type --delay 40 "$1"
    for attempt in 1 2 3; do
        if [ "$attempt" != 1 ]; then
            window_named_now "选择对照文本" || return 0
            xdotool windowfocus --sync "$dialog" 2>/dev/null
        fi
        if [ "$attempt" = 3 ]; then
            xdotool key ctrl+a BackSpace
            xdotool type --delay 60 "$1"
        fi
        xdotool key Return
        window_gone "选择对照文本" 30 && return 0
        shot "file_dialog_try_$attempt"
    done
    fail "the reference file dialog did not close"
}
# Presses Enter in the start dialog once it is up, and gives the input box
# time to take the focus: on a busy machine that can lag, and a key typed
# earlier is lost.
enter_in_start_dialog() {
    local start
    start=$(window_named "准备开始") || fail "the start dialog did not open"
    xdotool windowfocus --sync "$start" 2>/dev/null
    xdotool key Return
    window_gone "准备开始" || fail "Enter did not close the start dialog"
    xdotool windowfocus --sync "$MAIN" 2>/dev/null
    sleep 1
}
# In the report window $1, whose name box has the focus: types the name $2,
# saves with the button next in the tab order, and closes the message (with a
# screenshot named $3 of it when given).
save_report_as() {
    local saved
    xdotool windowfocus --sync "$1" 2>/dev/null
    sleep 0.3 # the name box takes the focus
    type_slowly "$2"
    xdotool key Tab space
    saved=$(window_named "记录保存") || fail "saving gave no message"
    [ -n "${3:-}" ] && shot "$3"
    xdotool windowfocus --sync "$saved" 2>/dev/null
    xdotool key Return
    window_gone "记录保存" || fail "the message did not close"
}

# A private D-Bus session for programs started after this, on which the
# accessibility bus starts on demand, and Qt set to publish its widgets there
# (AT-SPI) without a screen reader asking first. Sets A11Y_BUS_PID: the caller
# stops that bus on exit.
e2e_start_accessibility_bus() {
    eval "$(dbus-launch --sh-syntax)" || fail "no private D-Bus session"
    A11Y_BUS_PID=$DBUS_SESSION_BUS_PID
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
}

# A private D-Bus session with ibus-daemon on it, for programs started after
# this; the input method is English (xkb:us::eng) until ibus_engine changes
# it. Stopped again on exit.
e2e_start_ibus() {
    export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory QT_IM_MODULE=ibus
    eval "$(dbus-launch --sh-syntax)" || fail "no private D-Bus session"
    IBUS_BUS_PID=$DBUS_SESSION_BUS_PID
    ibus-daemon --daemonize --xim --panel=disable --emoji-extension=disable 2>"$WORK/ibus.log" \
        || fail "ibus-daemon did not start"
    IBUS_STARTED=1
    ibus_engine xkb:us::eng
}
# Switches the input method of every window to engine $1.
ibus_engine() {
    for _ in $(seq 50); do
        ibus engine "$1" 2>/dev/null && [ "$(ibus engine 2>/dev/null)" = "$1" ] && return 0
        sleep 0.2
    done
    fail "the input method engine $1 could not be chosen"
}
e2e_stop_ibus() {
    [ -n "${IBUS_STARTED:-}" ] && ibus exit > /dev/null 2>&1
    [ -n "${IBUS_BUS_PID:-}" ] && kill "$IBUS_BUS_PID" 2>/dev/null
    IBUS_STARTED= IBUS_BUS_PID=
}
# Succeeds when the area $2 ("WxH+X+Y", window pixels) of window $1 holds a
# dark pixel (text or ink).
area_has_ink() {
    local dark
    dark=$(import -window "$1" png:- 2>/dev/null | convert - -crop "$2" \
        -colorspace Gray -format "%[fx:minima < 0.5 ? 1 : 0]" info:)
    [ "$dark" = 1 ]
}
# Prints the colour of pixel ($2, $3) of window $1 as "srgb(r,g,b)".
pixel_colour() {
    import -window "$1" png:- 2>/dev/null | convert - -crop "1x1+$2+$3" -format "%[pixel:p{0,0}]" info:
}
