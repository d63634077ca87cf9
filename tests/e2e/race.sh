#!/bin/bash
# The typing race as a learner runs it: the menu item 龟兔赛跑, the settings
# dialog, the countdown, typing letters (wrong ones are refused), pause and
# resume, the race ending by time-up, and its statistics surviving SIGTERM. The runners are found on the screen
# by the colours of their pictures.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: race.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

# The race window fills the practice area, 75 px below the main window's top
# edge; the hare's lane lies 38..92 px and the tortoise's 102..156 px below
# the race window's top.
GAME_DY=75

# Prints the leftmost column (race window x) holding the colour of the
# runner in the lane ($1: hare or tortoise), or -1 when it is not there.
runner_x() {
    local shot="$WORK/runner.ppm" X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    import -window root -depth 8 "$shot"
    python3 - "$shot" "$1" "$X" "$((Y + GAME_DY))" <<'PY'
import sys
path, runner, gx, gy = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = open(path, 'rb').read()
# Binary PPM: "P6 width height maxval" then RGB triples.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pos += 1
width = int(fields[1])
colour, top, bottom = {'hare': ((0xd8, 0xa8, 0x72), 38, 92),
                       'tortoise': ((0x4f, 0x9a, 0x4a), 102, 156)}[runner]
def near(p):
    return all(abs(a - b) <= 10 for a, b in zip(p, colour))
for x in range(0, 710):
    for y in range(top, bottom):
        i = pos + ((gy + y) * width + gx + x) * 3
        if near(data[i:i + 3]):
            print(x)
            sys.exit(0)
print(-1)
PY
}

e2e_start_quorvel "$QUORVEL"
sleep 1

# Button 5 "打字游戏", then its item "龟兔赛跑".
click_in "$MAIN" 475 53
MENU=$(window_named "quorvel") || fail "the menu of 打字游戏 did not open"
click_in "$MENU" 60 14
sleep 1
START=$(runner_x hare)
[ "$START" -ge 10 ] && [ "$START" -le 24 ] || fail "the hare is not at the start ($START)"

# 游戏设置: a race of 10 s, English letters, the tortoise at 200 letters a minute.
click_in "$MAIN" 580 323
DIALOG=$(window_named "游戏设置") || fail "the race settings did not open"
xdotool windowfocus --sync "$DIALOG" 2>/dev/null
sleep 0.3
xdotool type --delay 40 "10"
xdotool key Tab
xdotool type --delay 40 "200"
xdotool key Return
window_gone "游戏设置" || fail "the race settings did not close"
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 4.5 # the countdown

# Every letter in turn: only the one the race line asks for is taken.
for _ in 1 2 3 4; do
    xdotool type --delay 20 "abcdefghijklmnopqrstuvwxyz"
done
shot mid_race
HARE=$(runner_x hare)
TORTOISE=$(runner_x tortoise)
[ "$HARE" -gt $((START + 13)) ] || fail "the hare did not move ($START -> $HARE)"
[ "$TORTOISE" -gt "$START" ] || fail "the tortoise did not move ($TORTOISE)"

# Ctrl+P: everything stands still, typing is refused; Ctrl+R goes on.
xdotool key ctrl+p
sleep 0.5
PAUSED_T=$(runner_x tortoise)
PAUSED_H=$(runner_x hare)
xdotool type --delay 20 "abcdefghijklmnopqrstuvwxyz"
sleep 0.6
[ "$(runner_x tortoise)" = "$PAUSED_T" ] || fail "the tortoise moved while paused"
[ "$(runner_x hare)" = "$PAUSED_H" ] || fail "the hare moved while paused"
xdotool key ctrl+r

# Time-up (the race clock runs 11 s in all): both runners back at the start.
for _ in $(seq 40); do
    [ "$(runner_x hare)" = "$START" ] && break
    sleep 0.5
done
shot time_up
[ "$(runner_x hare)" = "$START" ] || fail "the hare is not back at the start after time-up"
[ "$(runner_x tortoise)" -le $((START + 4)) ] || fail "the tortoise is not back at the start after time-up"
# Ended by SIGTERM: the race's statistics are in the database.
e2e_stop_quorvel
RACED=$(progress_query "SELECT coalesce(sum(characters), 0) FROM runs WHERE kind = 'race'")
[ "$RACED" -ge 26 ] || fail "the race's run is not in the progress database ($RACED characters)"
TALLIED=$(progress_query "SELECT coalesce(sum(attempts), 0) FROM item_stats WHERE kind = 'race'")
[ "$TALLIED" = "$RACED" ] || fail "the race's tallies ($TALLIED) do not match its run ($RACED)"
echo "race: hare reached x=$HARE, tortoise x=$TORTOISE"
