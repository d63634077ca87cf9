#!/bin/bash
# Whole-text Chinese practice, then free input, as a learner goes through
# them: the graphic menu, the start button, the reference file dialog, Enter
# in the start dialog, typing with a mistake erased and one left in, the run
# that ends on the last character, saving under a name, the record viewer
# docked in the practice area, and a free-input run saved under the same name.
# typerecord.dat must then hold both records.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: text_practice.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

# Nine characters: the whole text is one paragraph of the reference box.
TEXT="$WORK/short.txt"
printf '你好，世界。abc' | iconv -f UTF-8 -t GBK > "$TEXT" || fail "iconv"
RECORD="$XDG_DATA_HOME/quorvel/typerecord.dat"
TEXT_REPORT="统计资料——打字类型：中文打字"
FREE_REPORT="统计资料——打字类型：自由录入"

# frmState sits at the left of the practice area: its start and stop buttons.
START_X=21; STOP_X=92; BUTTONS_Y=423
# The record viewer fills the practice area: its "删除所有记录" button, and the
# first column of the grid, whose rows are 20 pixels high below the header of
# three lines.
DELETE_ALL_X=662; DELETE_ALL_Y=501
GRID_X=26; GRID_FIRST_ROW_Y=140

# Presses the start button, and Enter in the start dialog once it is up.
start_run() {
    click_in "$MAIN" $START_X $BUTTONS_Y
}
# Clicks "查看记录", the middle button of the report window's bottom row.
browse_records() {
    local width height
    read -r width height < <(window_size "$1")
    click_in "$1" $((width / 2)) $((height - 28))
    window_gone "$2" || fail "查看记录 did not close the report"
    sleep 0.5
}
# Succeeds when row $1 of the record grid shows text in its first column
# (dark pixels in the main window's picture), fails when the row is blank.
grid_row_has_text() {
    local top=$((GRID_FIRST_ROW_Y + ($1 - 1) * 20 + 3)) darkest
    darkest=$(import -window "$MAIN" png:- 2>/dev/null | convert - -crop "70x14+$GRID_X+$top" \
        -colorspace Gray -format "%[fx:minima < 0.5 ? 1 : 0]" info:)
    [ "$darkest" = 1 ]
}
grid_shows_rows() {
    local row
    for row in $(seq "$1"); do
        grid_row_has_text "$row" || return 1
    done
    ! grid_row_has_text $(($1 + 1))
}

e2e_start_quorvel "$QUORVEL"
sleep 1

# Button 1 "中文打字", then its second item "中文文本对打".
open_menu_item 155 50

start_run
choose_reference_file "$TEXT"
enter_in_start_dialog

# 届 for 界 is erased and put right; q for a stays. The last character ends
# the run by itself and counts like the others: 9 typed, 1 wrong.
type_slowly "你好，世届"
xdotool key BackSpace
type_slowly "界。qb"
sleep 2.5 # the live figures and the run clock catch up
shot text_typed
window_named_now "$TEXT_REPORT" && fail "the run ended before the last character"
xdotool type --delay 40 "c"
REPORT=$(window_named "$TEXT_REPORT") || fail "the last character did not end the run"
sleep 0.5
shot text_report
save_report_as "$REPORT" "小明" saved_text
[ -f "$RECORD" ] || fail "no record file at $RECORD"

browse_records "$REPORT" "$TEXT_REPORT"
shot viewer_one
grid_shows_rows 1 || fail "the docked record viewer does not show one record"
# The viewer's own buttons answer where the docking put them. Enter answers
# the question with No, which keeps every record.
click_in "$MAIN" $DELETE_ALL_X $DELETE_ALL_Y
CONFIRM=$(window_named "删除确认") || fail "删除所有记录 of the docked viewer asked nothing"
xdotool windowfocus --sync "$CONFIRM" 2>/dev/null
shot delete_all_question
xdotool key Return
window_gone "删除确认" || fail "the question did not close"
sleep 0.5
grid_shows_rows 1 || fail "Enter on 删除所有记录 deleted the records"
[ "$(stat -c %s "$RECORD")" -gt 0 ] || fail "Enter on 删除所有记录 emptied the record file"

# Button 3 "自由录入" replaces the viewer with the status and free-input windows.
click_in "$MAIN" 314 53
sleep 1
start_run
enter_in_start_dialog
type_slowly "春眠不觉晓，ok"
sleep 2.5
shot free_typed
click_in "$MAIN" $STOP_X $BUTTONS_Y
REPORT=$(window_named "$FREE_REPORT") || fail "the free-input report did not open"
sleep 0.5
shot free_report
save_report_as "$REPORT" "小明" saved_free

browse_records "$REPORT" "$FREE_REPORT"
shot viewer_two
grid_shows_rows 2 || fail "the record viewer does not show the two records"
e2e_stop_quorvel

check_records "$RECORD" <<'PY' || fail "the record file holds other bytes"
import re, sys
from records import read_records, padded
records = read_records(sys.argv[1])
assert len(records) == 2, len(records)

def check(r, number, counts, accuracy, kind):
    assert r["number"] == number, r["number"]
    padded(r["raw"]["name"], "小明")
    assert (r["chars"], r["punct"], r["total"]) == counts, r
    padded(r["raw"]["accuracy"], accuracy)
    padded(r["raw"]["kind"], kind)
    used = re.fullmatch(r"00:00:0([2-9]) *", r["used"])
    assert used, r["used"]
    # The speed comes from the wall clock, the time from the run clock's
    # ticks: they may part by a second or two.
    # The speed is the live figure of the last tick, which may not have seen
    # the character that ended the run yet.
    seconds = int(used.group(1))
    totals = {counts[2], counts[2] - 1}
    speeds = {total * 60 // d for total in totals for d in range(max(1, seconds - 2), seconds + 3)}
    assert r["speed"] in speeds, (r["speed"], seconds)
    assert re.fullmatch(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d ", r["saved"]), r["saved"]
    print("record:", *(str(r[k]).strip() for k in ("number", "name", "speed", "chars", "punct", "total", "accuracy", "used", "kind")))

# 你好世界 q b c / ，。 : the erased mistake is forgiven, the one left is not.
check(records[0], 1, (7, 2, 9), "88.89%", "中文文本对照练习")
# 春眠不觉晓 o k / ，: free input judges nothing.
check(records[1], 2, (7, 1, 8), "100.00%", "自由录入")
PY
echo "PASS: whole-text practice and free input saved their records"
