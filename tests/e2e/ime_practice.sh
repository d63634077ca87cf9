#!/bin/bash
# Line-by-line Chinese practice typed through a real input method: IBus with
# its Wubi table engine on a private D-Bus session. Wubi codes followed by
# space commit whole phrases, each in one go. A line of two-character phrases
# typed right, a line of single characters typed right, and a line with one
# wrong phrase: only the two characters of that phrase are marked, and the
# report and the saved record count two errors in sixteen characters.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
QUORVEL=${1:?usage: ime_practice.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user
trap 'e2e_stop_ibus; e2e_cleanup' EXIT
e2e_start_ibus

TEXT="$WORK/phrases.txt"
printf '你好世界中国人民\r\n我的工人\r\n中国人民\r\n' | iconv -f UTF-8 -t GBK > "$TEXT" || fail "iconv"
REPORT_TITLE="统计资料——打字类型：中文打字"

# frmState sits at the left of the practice area: its start button. The
# reference lines of frmIn_In: left edge, top of line 0, step, size.
START_X=21; BUTTONS_Y=423
REF_X=128; REF_Y=105; REF_STEP=96; REF_W=560; REF_H=34

# Pixels drawn in the error mark's red within reference line $1, over the
# first $2 pixels of its width (all of it when not given).
marked_pixels() {
    local top=$((REF_Y + $1 * REF_STEP))
    import -window "$MAIN" png:- 2>/dev/null | convert - -crop "${2:-$REF_W}x$REF_H+$REF_X+$top" +repage \
        -fx "r > 0.6 && g < 0.3 && b < 0.3 ? 1 : 0" -format "%[fx:round(mean * w * h)]" info:
}
# Wubi codes, each followed by space, which commits the first candidate.
type_codes() {
    local code
    for code in "$@"; do
        xdotool type --delay 60 "$code"
        xdotool key space
        sleep 0.2
    done
    sleep 0.5
}

e2e_start_quorvel "$QUORVEL"
sleep 1

# Button 1 "中文打字", then its first item "中文逐行对打"; the path is typed
# with the English engine.
open_menu_item 155 14
click_in "$MAIN" $START_X $BUTTONS_Y
choose_reference_file "$TEXT"
enter_in_start_dialog

ibus_engine table:wubi-jidian86
# 你好 世界 中国 人民, four phrases of two characters, then 我 的 工 人.
type_codes wqvb anlw khlg wwna
type_codes q r a w
shot right_lines
[ "$(marked_pixels 0)" = 0 ] || fail "a phrase typed right left error marks on line 0"
[ "$(marked_pixels 1)" = 0 ] || fail "single characters typed right left error marks on line 1"

# 世界 where 中国 belongs: both characters marked, nothing after them.
type_codes anlw
shot wrong_phrase
[ "$(marked_pixels 2 45)" -gt 0 ] || fail "the wrong phrase was not marked"
[ "$(marked_pixels 2)" = "$(marked_pixels 2 45)" ] || fail "a mark lies beyond the wrong phrase"
window_named_now "$REPORT_TITLE" && fail "the run ended before the end of the text"

# 人民 ends the text and the run.
type_codes wwna
REPORT=$(window_named "$REPORT_TITLE") || fail "the end of the text did not end the run"
sleep 0.5
shot report
ibus_engine xkb:us::eng
save_report_as "$REPORT" "wubi"
e2e_stop_quorvel

RECORD="$XDG_DATA_HOME/quorvel/typerecord.dat"
[ -f "$RECORD" ] || fail "no record file at $RECORD"
check_records "$RECORD" <<'PY' || fail "the record holds other figures"
import sys
from records import read_records, padded
records = read_records(sys.argv[1])
assert len(records) == 1, len(records)
r = records[0]
padded(r["raw"]["name"], "wubi")
assert (r["chars"], r["punct"], r["total"]) == (16, 0, 16), r
padded(r["raw"]["accuracy"], "87.50%")
padded(r["raw"]["kind"], "中文逐行对照练习")
print("record:", *(str(r[k]).strip() for k in ("number", "name", "speed", "chars", "punct", "total", "accuracy", "used", "kind")))
PY
echo "PASS: phrases committed by a real input method are judged character by character"
