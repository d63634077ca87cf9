#!/bin/bash
# Line-by-line Chinese practice as a learner goes through it: the graphic
# menu, the start button, the reference file dialog, Enter in the start
# dialog, typing (Chinese included), the stop button, saving the result under
# a name, and the record that lands in typerecord.dat.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: line_practice.sh <quorvel binary>}

if [ -z "${LINE_E2E_INNER:-}" ]; then
    # Xvfb picks a free display number itself (-displayfd), so two of these
    # tests, or any other X server, never race for the same number.
    XDIR=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$XDIR/display" >"$XDIR/xvfb.log" 2>&1 &
    XPID=$!
    for _ in $(seq 100); do [ -s "$XDIR/display" ] && break; sleep 0.1; done
    if [ ! -s "$XDIR/display" ]; then
        echo "FAIL: Xvfb did not start" >&2
        cat "$XDIR/xvfb.log" >&2
        kill "$XPID" 2>/dev/null
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$XDIR/display")" LINE_E2E_INNER=1
    timeout 240 bash "$0" "$@"
    status=$?
    kill "$XPID" 2>/dev/null
    wait "$XPID" 2>/dev/null
    rm -rf "$XDIR"
    exit "$status"
fi

WORK=$(mktemp -d)
APP=
cleanup() {
    [ -n "$APP" ] && kill "$APP" 2>/dev/null
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    cat "$WORK/quorvel.log" >&2 2>/dev/null
    [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/failure.png" 2>/dev/null
    exit 1
}

export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
export SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The reference text, GBK with CR LF lines as the program's texts are.
TEXT="$WORK/lesson.txt"
printf '你好，世界\r\nabc def\r\n春眠不觉晓\r\n处处闻啼鸟\r\n' | iconv -f UTF-8 -t GBK > "$TEXT" || fail "iconv"

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
window_named_now() {
    local id
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && return 0
    done
    return 1
}
# Clicks at ($2, $3) relative to window $1.
click_in() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

# The X server answers before the program connects to it.
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.2; done
"$QUORVEL" ${QUORVEL_DATA_ROOT:+--data-dir "$QUORVEL_DATA_ROOT"} > "$WORK/quorvel.log" 2>&1 &
APP=$!

MAIN=$(window_named "QuorvelV1.41") || fail "main window did not appear"
sleep 1

# Button 1 "中文打字", then its first item "中文逐行对打".
click_in "$MAIN" 155 53
MENU=$(window_named "quorvel") || fail "the menu of 中文打字 did not open"
click_in "$MENU" 60 14
sleep 1

# frmState sits at the left of the practice area: its start and stop buttons.
START_X=21; STOP_X=92; BUTTONS_Y=423
click_in "$MAIN" $START_X $BUTTONS_Y
DIALOG=$(window_named "选择对照文本") || fail "the reference file dialog did not open"
xdotool windowfocus --sync "$DIALOG" 2>/dev/null
sleep 0.5
xdotool type --delay 40 "$TEXT"
xdotool key Return
window_gone "选择对照文本" || fail "the reference file dialog did not close"

START=$(window_named "准备开始") || fail "the start dialog did not open"
[ -n "${SHOTS:-}" ] && import -window root "$SHOTS/start_dialog.png"
xdotool windowfocus --sync "$START" 2>/dev/null
xdotool key a Escape
sleep 0.3
window_named_now "准备开始" || fail "the start dialog closed on a key other than Enter"
xdotool key Return
window_gone "准备开始" || fail "Enter did not close the start dialog"

# Typing: line 0 right, line 1 with one wrong letter, line 2 partly.
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 0.3
xdotool type --delay 40 "你好，世界"
xdotool type --delay 40 "abx def"
xdotool type --delay 40 "春眠"
sleep 2.5 # the live figures and the run clock catch up
[ -n "${SHOTS:-}" ] && import -window root "$SHOTS/typed.png"
click_in "$MAIN" $STOP_X $BUTTONS_Y

REPORT=$(window_named "统计资料——打字类型：中文打字") || fail "the statistics report did not open"
sleep 0.5
[ -n "${SHOTS:-}" ] && import -window root "$SHOTS/report.png"

# The name, then the save button (next in the tab order), then the message.
xdotool windowfocus --sync "$REPORT" 2>/dev/null
xdotool type --delay 40 "小明"
xdotool key Tab space
SAVED=$(window_named "记录保存") || fail "saving gave no message"
xdotool windowfocus --sync "$SAVED" 2>/dev/null
xdotool key Return
window_gone "记录保存" || fail "the message did not close"
xdotool windowfocus --sync "$REPORT" 2>/dev/null
xdotool key Escape
window_gone "统计资料——打字类型：中文打字" || fail "the report did not close"
kill "$APP"; wait "$APP" 2>/dev/null; APP=

# The record: 96 data bytes in a 128-byte slot, little-endian numbers, GBK
# text fields padded with spaces.
RECORD="$XDG_DATA_HOME/quorvel/typerecord.dat"
[ -f "$RECORD" ] || fail "no record file at $RECORD"
python3 - "$RECORD" <<'PY' || fail "the record holds other bytes"
import re, struct, sys
data = open(sys.argv[1], "rb").read()
assert len(data) in (96, 128), len(data)
number, name, speed, chars, punct, total, acc, used, kind, saved = struct.unpack("<i16s4i10s10s20s20s", data[:96])
def text(b):
    return b.decode("gbk")
def padded(b, s):
    assert b == s.encode("gbk").ljust(len(b), b" "), (b, s)
assert number == 1, number
padded(name, "小明")
assert (chars, punct, total) == (12, 1, 14), (chars, punct, total)
padded(acc, "92.86%")
padded(kind, "中文逐行对照练习")
assert re.fullmatch(r"00:00:0[2-9] *", text(used)), used
assert 0 < speed <= 14 * 60, speed
assert re.fullmatch(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d ", text(saved)), saved
print("record:", number, text(name).strip(), speed, chars, punct, total, text(acc).strip(), text(used).strip(), text(kind).strip())
PY
echo "PASS: line-by-line practice saved its record"
