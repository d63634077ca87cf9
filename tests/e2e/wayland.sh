#!/bin/bash
# On a Wayland session (a headless weston): the program starts on Wayland,
# free input opens, the start dialog shows as part of the main window over the
# practice area (Wayland lets no program place a window of its own), closing
# it leaves the focus in the input at once, and a line typed there arrives.
# Headless weston offers no way to inject keys, so the buttons are pressed and
# the line is typed through the accessibility interface (AT-SPI), which goes
# through the same widgets.
# $1: the quorvel binary.
set -u
QUORVEL=${1:?usage: wayland.sh <quorvel binary>}

source "$(dirname "$0")/lib/common.bash"
e2e_fresh_user
command -v weston > /dev/null || fail "weston is not installed"

SOCKET=quorvel-e2e-$$
weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 --width=1280 --height=800 \
    > "$WORK/weston.log" 2>&1 &
WESTON=$!
e2e_start_accessibility_bus
PRESS=
trap 'e2e_cleanup; kill $PRESS "$A11Y_BUS_PID" "$WESTON" 2>/dev/null' EXIT
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$SOCKET" ] || { cat "$WORK/weston.log" >&2; fail "weston did not start"; }

export WAYLAND_DISPLAY=$SOCKET QT_QPA_PLATFORM=wayland
unset DISPLAY

atspi() {
    E2E_LIB="$(dirname "$0")/lib" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - "$@" <<'PY'
import os, sys, time
sys.path.insert(0, os.environ["E2E_LIB"])
import pyatspi
from atspi_tree import app, walk, find

def press(name):
    action = find(name).queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))

def extents(node):
    e = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return e.x, e.y, e.width, e.height

what = sys.argv[1]
if what == "main":
    find("QuorvelV1.41")
elif what == "press":
    press(sys.argv[2])
elif what == "start-dialog":
    # The dialog must be inside the main window, over its practice area.
    main = find("QuorvelV1.41")
    dialog = find("准备开始", main)
    print(*extents(main), *extents(dialog))
elif what == "type":
    # Right after the dialog closes, the input has the focus; a line typed
    # into it is there.
    field = find(sys.argv[2])
    # Without a keyboard (headless weston has none) no window is active and
    # no widget has the keyboard focus: then only the typing is checked.
    active = find("QuorvelV1.41").getState().contains(pyatspi.STATE_ACTIVE)
    for _ in range(10 if active else 0):
        if field.getState().contains(pyatspi.STATE_FOCUSED):
            break
        time.sleep(0.05)
    if active and not field.getState().contains(pyatspi.STATE_FOCUSED):
        sys.exit("the input does not have the focus after the start dialog: "
                 + " ".join(pyatspi.stateToString(s) for s in field.getState().getStates()))
    field.queryEditableText().insertText(0, sys.argv[3], len(sys.argv[3]))
    time.sleep(0.3)
    print(field.queryText().getText(0, -1))
PY
}

"$QUORVEL" ${QUORVEL_DATA_ROOT:+--data-dir "$QUORVEL_DATA_ROOT"} > "$WORK/quorvel.log" 2>&1 &
APP=$!
atspi main || fail "the main window did not appear on Wayland"
sleep 1.5 # the splash goes
kill -0 "$APP" || fail "the program ended"

atspi press 自由录入 || fail "free input could not be opened"
# The button opens the modal dialog before it answers: press without waiting.
atspi press 开始 > /dev/null 2>&1 &
PRESS=$!
read -r MX MY MW MH DX DY DW DH <<< "$(atspi start-dialog)" || fail "no start dialog inside the main window"
[ "$DW" = 404 ] && [ "$DH" = 204 ] || fail "the start dialog is ${DW}x${DH}, not 404x204"
# Below the title strip, inside the window, right of the status window.
[ "$DX" -ge $((MX + 112)) ] && [ $((DX + DW)) -le $((MX + MW)) ] && [ "$DY" -ge $((MY + 100)) ] \
    && [ $((DY + DH)) -le $((MY + MH)) ] || fail "the start dialog at $DX,$DY is not over the practice area ($MX,$MY ${MW}x$MH)"

atspi press 准备开始 || fail "the start dialog could not be closed"
TYPED=$(atspi type 自由录入输入框 "你好，世界 hello") || fail "typing after the start dialog failed: $TYPED"
[ "$TYPED" = "你好，世界 hello" ] || fail "the input holds \"$TYPED\""
kill -0 "$APP" || fail "the program ended"
echo "wayland: start dialog at $((DX - MX)),$((DY - MY)) in the main window, line typed"
