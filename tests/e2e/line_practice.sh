#!/bin/bash
# Line-by-line Chinese practice as a learner goes through it: the graphic
# menu, the start button, the reference file dialog, Enter in the start
# dialog, typing (Chinese included), the stop button, saving the result under
# a name, and the record that lands in typerecord.dat.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: line_practice.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

# The reference text, GBK with CR LF lines as the program's texts are.
TEXT="$WORK/lesson.txt"
printf '你好，世界\r\nabc def\r\n春眠不觉晓\r\n处处闻啼鸟\r\n' | iconv -f UTF-8 -t GBK > "$TEXT" || fail "iconv"

e2e_start_quorvel "$QUORVEL"
sleep 1

# Button 1 "中文打字", then its first item "中文逐行对打".
open_menu_item 155 14

# frmState sits at the left of the practice area: its start and stop buttons.
START_X=21; STOP_X=92; BUTTONS_Y=423
click_in "$MAIN" $START_X $BUTTONS_Y
choose_reference_file "$TEXT"

START=$(window_named "准备开始") || fail "the start dialog did not open"
shot start_dialog
xdotool windowfocus --sync "$START" 2>/dev/null
xdotool key a Escape
sleep 0.3
window_named_now "准备开始" || fail "the start dialog closed on a key other than Enter"
xdotool key Return
window_gone "准备开始" || fail "Enter did not close the start dialog"

# Typing: line 0 right, line 1 with one wrong letter, line 2 partly.
xdotool windowfocus --sync "$MAIN" 2>/dev/null
sleep 1 # let input line 0 take the focus, also on a busy machine
type_slowly "你好，世界"
xdotool type --delay 40 "abx def"
type_slowly "春眠"
sleep 2.5 # the live figures and the run clock catch up
shot typed
click_in "$MAIN" $STOP_X $BUTTONS_Y

REPORT=$(window_named "统计资料——打字类型：中文打字") || fail "the statistics report did not open"
sleep 0.5
shot report

save_report_as "$REPORT" "小明"
xdotool windowfocus --sync "$REPORT" 2>/dev/null
xdotool key Escape
window_gone "统计资料——打字类型：中文打字" || fail "the report did not close"
e2e_stop_quorvel

# The record: 96 data bytes in a 128-byte slot, little-endian numbers, GBK
# text fields padded with spaces.
RECORD="$XDG_DATA_HOME/quorvel/typerecord.dat"
[ -f "$RECORD" ] || fail "no record file at $RECORD"
check_records "$RECORD" <<'PY' || fail "the record holds other bytes"
import re, sys
from records import read_records, padded
records = read_records(sys.argv[1])
assert len(records) == 1, len(records)
r = records[0]
assert r["number"] == 1, r["number"]
padded(r["raw"]["name"], "小明")
assert (r["chars"], r["punct"], r["total"]) == (12, 1, 14), r
padded(r["raw"]["accuracy"], "92.86%")
padded(r["raw"]["kind"], "中文逐行对照练习")
assert re.fullmatch(r"00:00:0[2-9] *", r["used"]), r["used"]
assert 0 < r["speed"] <= 14 * 60, r["speed"]
assert re.fullmatch(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d ", r["saved"]), r["saved"]
print("record:", *(str(r[k]).strip() for k in ("number", "name", "speed", "chars", "punct", "total", "accuracy", "used", "kind")))
PY
echo "PASS: line-by-line practice saved its record"
