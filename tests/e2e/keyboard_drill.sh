#!/bin/bash
# The key-position drill as a learner meets it: the graphic menu opens it
# with A as the target; a wrong key is marked, the target key moves the mark
# to another key and clears the wrong one, and the hit-rate bar grows. Keys
# are sent as physical keys through the X server and the marks are read
# from the screen by their colours.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: keyboard_drill.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

TARGET_BLUE='#3d8bef'
WRONG_ORANGE='#f27a3a'
BAR_GREEN='#2f8f4e'

# "W H X Y" of the screen area holding colour $1 (fuzz 8 %), or nothing.
colour_box() {
    local file="$WORK/screen.png"
    import -window root "$file" 2>/dev/null || return 1
    convert "$file" -fuzz 8% -fill black +opaque "$1" -fill white -opaque "$1" -trim \
        -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+' | awk '$1 > 1 && $2 > 1'
}
centre_of() { # "X Y" centre of a box "W H X Y"
    echo "$1" | awk '{ printf "%d %d\n", $3 + $1 / 2, $4 + $2 / 2 }'
}

# The xdotool key name of the typing-area cap whose centre is at ($1, $2),
# from the A cap's centre ($3, $4); caps 41 pixels wide, keys 40 apart.
key_at() {
    python3 - "$@" <<'PY'
import sys
x, y, ax, ay = map(float, sys.argv[1:])
tx, ty = (x - ax) + 120 + 20.5, (y - ay) + 232 + 20.5
rows = [(152, 48, "grave 1 2 3 4 5 6 7 8 9 0"),
        (192, 104, "q w e r t y u i o p"),
        (232, 120, "a s d f g h j k l semicolon"),
        (272, 144, "z x c v b n m comma period slash")]
if 584 <= tx <= 673 and 192 <= ty <= 273:
    print("Return"); sys.exit()
if 312 <= ty <= 353 and 200 <= tx <= 449:
    print("space"); sys.exit()
for top, left, names in rows:
    if top <= ty <= top + 41:
        i = int((tx - left) // 40)
        keys = names.split()
        if 0 <= i < len(keys):
            print(keys[i]); sys.exit()
sys.exit(1)
PY
}

e2e_start_quorvel "$QUORVEL"
sleep 1

# Button 0 "指法练习", then its first item "打字键区键位练习".
click_in "$MAIN" 75 53
MENU=$(window_named "quorvel") || fail "the menu of 指法练习 did not open"
click_in "$MENU" 60 14
sleep 1.5
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 0.5
shot keyboard_open

BOX=$(colour_box "$TARGET_BLUE") || true
[ -n "$BOX" ] || fail "no key is marked as the target"
read -r AX AY <<< "$(centre_of "$BOX")"
[ "$(key_at "$AX" "$AY" "$AX" "$AY")" = a ] || fail "the first target is not A"
[ -z "$(colour_box "$WRONG_ORANGE")" ] || fail "a key is marked wrong before any keystroke"

# A miss: S is marked wrong, the target stays on A, the hit-rate bar is empty.
xdotool key --delay 80 s
sleep 0.5
shot keyboard_miss
WRONG=$(colour_box "$WRONG_ORANGE")
[ -n "$WRONG" ] || fail "the wrong key S is not marked"
read -r WX WY <<< "$(centre_of "$WRONG")"
[ "$(key_at "$WX" "$WY" "$AX" "$AY")" = s ] || fail "the wrong mark is not on S ($WRONG)"
[ "$(colour_box "$TARGET_BLUE")" = "$BOX" ] || fail "the target moved on a miss"
BAR_MISS=$(colour_box "$BAR_GREEN" | awk '{ print $1 }')

# A hit: the wrong mark goes, the target moves (struck again until it does),
# the hit-rate bar grows.
MOVED=
for _ in 1 2 3 4 5; do
    xdotool key --delay 80 a
    sleep 0.5
    NEW=$(colour_box "$TARGET_BLUE")
    [ -n "$NEW" ] || fail "no target after a hit"
    [ "$NEW" != "$BOX" ] && MOVED=1 && break
done
[ -n "$MOVED" ] || fail "the target never moved from A"
shot keyboard_hit
[ -z "$(colour_box "$WRONG_ORANGE")" ] || fail "the wrong mark stayed after a hit"
BAR_HIT=$(colour_box "$BAR_GREEN" | awk '{ print $1 }')
[ -n "$BAR_HIT" ] && [ "$BAR_HIT" -gt "${BAR_MISS:-0}" ] || fail "the hit-rate bar did not grow (${BAR_MISS:-none} -> ${BAR_HIT:-none})"

# The new target, found on the screen and struck: it moves on again or stays
# only by chance, and no wrong mark appears.
read -r NX NY <<< "$(centre_of "$NEW")"
KEY=$(key_at "$NX" "$NY" "$AX" "$AY") || fail "the new target ($NEW) is no typing-area key"
xdotool key --delay 80 "$KEY"
sleep 0.5
shot keyboard_second_hit
[ -z "$(colour_box "$WRONG_ORANGE")" ] || fail "striking the new target ($KEY) was judged wrong"
e2e_stop_quorvel
echo "PASS: the key-position drill marks, moves and counts (second target: $KEY)"
