#!/bin/bash
# What a screen reader finds through AT-SPI: the main window's eight menu
# buttons as push buttons with their Chinese names (and a press through
# AT-SPI opens free input), then, in line-by-line practice, the input line
# names the character to type next and follows the typing.
# $1: the quorvel binary. Runs itself on a private Xvfb server with a private
# D-Bus session, on which the accessibility bus starts on demand.
set -u
QUORVEL=${1:?usage: accessibility.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_on_private_display "$0" "$@"
e2e_fresh_user

e2e_start_accessibility_bus
trap 'e2e_cleanup; kill "$A11Y_BUS_PID" 2>/dev/null' EXIT

# Asks the program's accessible tree (Python with pyatspi, from Debian).
atspi() {
    E2E_LIB="$(dirname "$0")/lib" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - "$@" <<'PY'
import os, sys, time
sys.path.insert(0, os.environ["E2E_LIB"])
import pyatspi
from atspi_tree import app, walk, find

what = sys.argv[1]
if what == "buttons":
    print("\n".join(n.name for n in walk(app()) if n.getRoleName() == "push button"))
elif what == "press":
    button = find(sys.argv[2])
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))
elif what == "description":
    print(find(sys.argv[2]).description)
PY
}

e2e_start_quorvel "$QUORVEL"
sleep 1

BUTTONS=$(atspi buttons) || fail "the buttons could not be listed"
echo "$BUTTONS" > "$WORK/buttons.txt"
for caption in 指法练习 中文打字 英文打字 自由录入 五笔练习 打字游戏 其他选项 帮助; do
    grep -qx "$caption" "$WORK/buttons.txt" || fail "no push button named $caption among: $BUTTONS"
done

# A press through AT-SPI works as a click: free input opens, and says what it is.
atspi press 自由录入 || fail "the button could not be pressed"
[ "$(atspi description 自由录入输入框)" = "想打什么就打什么，没有对照文本" ] || fail "free input did not open"

# Line practice with a text of our own.
TEXT="$WORK/lesson.txt"
printf '你好，世界\r\n' | iconv -f UTF-8 -t GBK > "$TEXT" || fail "iconv"
open_menu_item 155 14
click_in "$MAIN" 21 423
choose_reference_file "$TEXT"
enter_in_start_dialog
shot running

next=$(atspi description 第1行输入) || fail "no input line"
[ "$next" = "下一个字：你" ] || fail "before typing the input line says: $next"
type_slowly "你好"
sleep 0.5
next=$(atspi description 第1行输入)
[ "$next" = "下一个字：，" ] || fail "after 你好 the input line says: $next"
[ "$(atspi description 第1行对照文字)" = "你好，世界" ] || fail "the reference line does not read as its text"
echo "PASS: a screen reader finds the buttons and the character to type next"
