#!/bin/bash
# The two radical drills as a learner meets them: 字根表对照打字 from the
# Wubi menu (typing a line over the chart, switching to the 98 chart) and
# 字根练习 (its settings dialog, a board of radicals answered key by key up
# to the count limit, the closing summary).
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: radical_drills.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

# Docked windows start at the practice area's top-left corner in the main window.
PANEL_X=0 PANEL_Y=76
WUBI_BUTTON_X=395 WUBI_BUTTON_Y=53

# Opens item $1 (1-based) of the menu of button 4 "五笔练习".
open_wubi_item() {
    click_in "$MAIN" $WUBI_BUTTON_X $WUBI_BUTTON_Y
    window_named "quorvel" > /dev/null || fail "the menu of 五笔练习 did not open"
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
    sleep 1
}

e2e_start_quorvel "$QUORVEL"
sleep 1

# ---- 字根表对照打字 ---------------------------------------------------------
open_wubi_item 2
IN_AREA="540x24+$((PANEL_X + 16))+$((PANEL_Y + 51))"
area_has_ink "$MAIN" "$IN_AREA" && fail "the input box of the chart drill is not empty at the start"
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 0.5
type_slowly "的一是"
sleep 0.5
area_has_ink "$MAIN" "$IN_AREA" || fail "typed characters did not reach the chart drill's input box"
shot chart86
# 26 characters in all finish the line and empty the input box. Letters
# (judged wrong) arrive more reliably than remapped Chinese keys, so the
# rest of the line is typed as letters, checking the box after each: it
# must empty after the 23rd (or, had a Chinese key been lost, a later) one.
letters=0
while area_has_ink "$MAIN" "$IN_AREA"; do
    [ $letters -lt 26 ] || fail "26 typed characters did not bring a new line"
    xdotool key x
    letters=$((letters + 1))
    sleep 0.2
done
[ $letters -ge 23 ] || fail "the line ended after $((3 + letters)) characters"
CHART_AREA="700x330+$((PANEL_X + 4))+$((PANEL_Y + 100))"
import -window "$MAIN" png:- | convert - -crop "$CHART_AREA" "$WORK/chart86.png"
click_in "$MAIN" $((PANEL_X + 660)) $((PANEL_Y + 54)) # option "98"
sleep 0.5
import -window "$MAIN" png:- | convert - -crop "$CHART_AREA" "$WORK/chart98.png"
shot chart98
changed=$(compare -metric AE "$WORK/chart86.png" "$WORK/chart98.png" null: 2>&1)
[ "${changed%% *}" -gt 2000 ] 2>/dev/null || fail "option 98 did not change the chart ($changed pixels)"

# ---- 字根练习 ---------------------------------------------------------------
open_wubi_item 1
CELL1_X=$((PANEL_X + 29)) CELL1_Y=$((PANEL_Y + 80))
[ "$(pixel_colour "$MAIN" $CELL1_X $CELL1_Y)" = "srgb(255,255,255)" ] || fail "the board's first cell is not white"
area_has_ink "$MAIN" "640x44+$((PANEL_X + 28))+$((PANEL_Y + 79))" && fail "the board shows radicals before the settings"
click_in "$MAIN" $((PANEL_X + 610)) $((PANEL_Y + 410)) # 练习设置
SETTINGS=$(window_named "字根练习设置") || fail "练习设置 did not open the settings"
xdotool windowfocus --sync "$SETTINGS" 2>/dev/null
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 40 "3"
xdotool key Return
window_gone "字根练习设置" || fail "设置 did not close the settings"
sleep 0.5
area_has_ink "$MAIN" "96x44+$((PANEL_X + 28))+$((PANEL_Y + 79))" || fail "no radicals on the board"
shot board

# Every pass over the keys answers at least the cell it starts on; three
# radicals need at most three passes.
xdotool windowfocus --sync "$MAIN" 2>/dev/null
for pass in 1 2 3 4; do
    for key in a b c d e f g h i j k l m n o p q r s t u v w x y; do
        window_named_now "练习结束" && break 2
        xdotool key $key
        sleep 0.05
    done
done
END=$(window_named "练习结束") || fail "three right answers did not end the run"
shot summary
[ "$pass" -le 3 ] || fail "the run needed $pass passes over the keys"
xdotool windowfocus --sync "$END" 2>/dev/null
xdotool key Return
window_gone "练习结束" || fail "the summary did not close"
[ "$(pixel_colour "$MAIN" $CELL1_X $CELL1_Y)" = "srgb(0,0,255)" ] || fail "the first answered cell is not blue"
area_has_ink "$MAIN" "32x44+$((PANEL_X + 28 + 3 * 32))+$((PANEL_Y + 79))" && fail "a fourth radical was drawn"

# A chart run ended by SIGTERM straight after typing: its statistics and the
# radical drill's are in the database.
open_wubi_item 2
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 0.5
type_slowly "的一是"
e2e_stop_quorvel
CHART=$(progress_query "SELECT coalesce(sum(characters), 0) FROM runs WHERE kind = 'wubi'")
[ "$CHART" -ge 6 ] || fail "the chart runs are not in the progress database ($CHART characters)"
RADICALS=$(progress_query "SELECT count(*) FROM runs WHERE kind = 'radicals' AND characters >= 3")
[ "$RADICALS" = 1 ] || fail "the radical drill's run is not in the progress database"
echo "PASS: both radical drills opened from the menu and answered"
