#!/bin/bash
# The two-character phrase drill typed through the built-in Wubi composer,
# with no input method at all: plain letter keys from xdotool. Wubi 86 is
# switched on in the settings file before the start, Wubi 98 from the menu
# "其他选项 > 内置五笔输入". The code tables are cut down to one phrase and
# its two characters (with their real codes of each edition), so the drill's
# text is known: that phrase over and over. Each run mixes the phrase's own
# code (committed at its fourth key) with its characters picked one by one
# (space), and the saved record shows 100.00 %.
# $1: the quorvel binary. Runs itself on a private Xvfb server.
set -u
export LC_ALL=C.UTF-8 # character-wise substrings of Chinese words
QUORVEL=${1:?usage: wubi_composer.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

ASSETS=$(cd "$(dirname "$0")/../../assets" && pwd)
SOURCE_ROOT=${QUORVEL_DATA_ROOT:?QUORVEL_DATA_ROOT names the built data}
PHRASE=机器
WUBI_BUTTON_X=395 OTHER_BUTTON_X=555 BUTTON_Y=53

# A data folder like the built one, with both code tables cut down to the
# rows of 机, 器 and 机器. The scrambling key bytes are recovered from the
# built tables and the rows they were made of (known plain text).
make_data_root() {
    local root=$WORK/root entry
    mkdir -p "$root/data"
    for entry in "$SOURCE_ROOT"/text "$SOURCE_ROOT"/sound "$SOURCE_ROOT"/help; do
        ln -s "$entry" "$root/"
    done
    for entry in "$SOURCE_ROOT"/data/*; do
        case "$(basename "$entry")" in zb86.dz | zb98.dz) ;; *) ln -s "$entry" "$root/data/" ;; esac
    done
    python3 - "$ASSETS/wubi" "$SOURCE_ROOT/data" "$root/data" <<'PY' || fail "could not cut the code tables"
import sys
assets, built, out = sys.argv[1:4]
WORDS = {"机", "器", "机器"}

def plain(rows):
    return ("".join("#%s%%%s\r\n" % (w, c) for w, c in rows) + "#").encode("gbk")

def rows_of(edition):
    rows = []
    for line in open("%s/wubi%s.tsv" % (assets, edition), encoding="utf-8"):
        fields = line.rstrip("\n").split("\t")
        if len(fields) >= 2:
            rows.append((fields[0], fields[1]))
    return rows

def key_of(i):  # A, D, C or B by position
    return 0 if i % 5 == 0 else 1 if i % 7 == 0 else 2 if i % 9 == 0 else 3

for edition in ("86", "98"):
    rows = rows_of(edition)
    scrambled = open("%s/zb%s.dz" % (built, edition), "rb").read()
    known = plain(rows)
    keys = {}
    for i in range(min(len(known), 4000)):
        k = scrambled[i] ^ known[i]
        assert keys.setdefault(key_of(i), k) == k, "the built table is not made of the rows"
    cut = plain([r for r in rows if r[0] in WORDS])
    open("%s/zb%s.dz" % (out, edition), "wb").write(bytes(b ^ keys[key_of(i)] for i, b in enumerate(cut)))
    print(edition, [r for r in rows if r[0] in WORDS])
PY
    QUORVEL_DATA_ROOT=$root
}

# The code of word $1 in edition $2: the first row of the table (the shortest).
code_of() {
    awk -F'\t' -v w="$1" '$1 == w { print $2; exit }' "$ASSETS/wubi/wubi$2.tsv"
}
# The phrase's own code: its one row.
phrase_code_of() {
    awk -F'\t' -v w="$1" '$1 == w && $3 == "phrase" { print $2; exit }' "$ASSETS/wubi/wubi$2.tsv"
}

# Opens 五笔练习 > 二字词组 > 五笔86 ($1 = 0) or 五笔98 ($1 = 1) and runs it
# up to the typing, with a count limit of $2 characters.
open_phrase_drill() {
    local settings
    click_in "$MAIN" $WUBI_BUTTON_X $BUTTON_Y
    window_named "quorvel" > /dev/null || fail "the menu of 五笔练习 did not open"
    # 字根练习, 字根表对照打字, 键名字练习, 一级简码练习, 二级, 三级, 二字词组
    for _ in $(seq 7); do xdotool key Down; done
    xdotool key Right
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
    settings=$(window_named "定量练习设置") || fail "the drill did not ask for its limit"
    xdotool windowfocus --sync "$settings" 2>/dev/null
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 40 "$2"
    xdotool key Return
    window_gone "定量练习设置" || fail "the limit was not taken"
    enter_in_start_dialog
}

# Types the phrase $3 times in edition $1 with a limit of $2: by its code,
# then character by character, in turn.
type_phrases() {
    local edition=$1 i phrase first second
    phrase=$(phrase_code_of "$PHRASE" "$edition")
    first=$(code_of "${PHRASE:0:1}" "$edition")
    second=$(code_of "${PHRASE:1:1}" "$edition")
    [ ${#phrase} = 4 ] && [ -n "$first" ] && [ -n "$second" ] || fail "no codes for $PHRASE in $edition"
    echo "$edition: $PHRASE = $phrase, ${PHRASE:0:1} = $first, ${PHRASE:1:1} = $second"
    for ((i = 0; i < $3; i++)); do
        if ((i % 2 == 0)); then
            xdotool type --delay 60 "$phrase" # the only candidate: in at the fourth key
        else
            xdotool type --delay 60 "$first"
            xdotool key space
            xdotool type --delay 60 "$second"
            [ ${#second} -lt 4 ] && xdotool key space
        fi
        sleep 0.3
    done
}

finish_and_save() {
    local report
    report=$(window_named "统计资料——打字类型：中文打字") || fail "the end of the drill did not end the run"
    sleep 0.5
    shot "report$1"
    save_report_as "$report" "$1"
    xdotool windowfocus --sync "$report" 2>/dev/null
    xdotool key Escape
    window_gone "统计资料——打字类型：中文打字" || fail "the report did not close"
}

make_data_root
mkdir -p "$XDG_CONFIG_HOME/quorvel"
printf '[Wubi]\nComposer=86\n' > "$XDG_CONFIG_HOME/quorvel/quorvel.ini"
e2e_start_quorvel "$QUORVEL"
sleep 1

# ---- Wubi 86, on from the start -------------------------------------------
open_phrase_drill 0 8
xdotool windowfocus --sync "$MAIN" 2>/dev/null
type_phrases 86 8 2
# Half a code: the candidate window shows under the line.
xdotool type --delay 60 "$(code_of "${PHRASE:0:1}" 86)"
sleep 0.5
shot candidates86
window_named_now "统计资料——打字类型：中文打字" && fail "the run ended before the end of the text"
xdotool key space
second=$(code_of "${PHRASE:1:1}" 86)
xdotool type --delay 60 "$second"
[ ${#second} -lt 4 ] && xdotool key space
sleep 0.3
type_phrases 86 8 1
finish_and_save wb86

# ---- Wubi 98, switched on from the menu ------------------------------------
click_in "$MAIN" $OTHER_BUTTON_X $BUTTON_Y
window_named "quorvel" > /dev/null || fail "the menu of 其他选项 did not open"
# 内置五笔输入 is the menu's last item (Up with nothing chosen picks it) >
# 关闭, 五笔86, 五笔98
xdotool key Up Right Down Down Return
sleep 0.5
grep -q '^Composer=98' "$XDG_CONFIG_HOME/quorvel/quorvel.ini" || fail "the menu did not store Wubi 98"
open_phrase_drill 1 8
xdotool windowfocus --sync "$MAIN" 2>/dev/null
type_phrases 98 8 4
finish_and_save wb98
e2e_stop_quorvel

RECORD="$XDG_DATA_HOME/quorvel/typerecord.dat"
[ -f "$RECORD" ] || fail "no record file at $RECORD"
check_records "$RECORD" <<'PY' || fail "the records hold other figures"
import sys
from records import read_records, padded
records = read_records(sys.argv[1])
assert len(records) == 2, len(records)
for r, name in zip(records, ("wb86", "wb98")):
    padded(r["raw"]["name"], name)
    assert (r["chars"], r["total"]) == (8, 8), r
    padded(r["raw"]["accuracy"], "100.00%")
    print("record:", *(str(r[k]).strip() for k in ("name", "chars", "total", "accuracy", "kind")))
PY
echo "PASS: phrase drills typed through the built-in composer in both editions score 100.00 %"
