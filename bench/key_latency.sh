#!/usr/bin/env bash
# key_latency.sh - keystroke-to-screen latency of a typing exercise under Xvfb,
# side by side for several programs, interleaved round by round. Not a test.
#
# Each run starts a private Xvfb, launches the program, starts a typing run
# (the opener), and lets key_latency.c time COUNT key presses from the XTest
# event to the window's next DAMAGE event. Prints each run and the medians of
# the runs' medians and 99th percentiles per target.
#
# Usage: bench/key_latency.sh [-n COUNT] [-r ROUNDS] [-p LABEL=DIR] LABEL:OPENER:COMMAND...
# Openers: quorvel-letters (English letters drill, 500 characters, started),
#          tipp10-lesson (first lesson started with the space bar).
# -p copies DIR's contents into LABEL's HOME first (skips first-start dialogs).
# Needs: Xvfb, xdotool, a C compiler, libx11-dev, libxtst-dev, libxdamage-dev.
set -u
count=200 rounds=3
declare -A profiles
while getopts "n:r:p:h" opt; do
  case $opt in
    n) count=$OPTARG ;;
    r) rounds=$OPTARG ;;
    p) profiles[${OPTARG%%=*}]=${OPTARG#*=} ;;
    h) sed -n '2,/^set -u/p' "$0" | sed 's/^# \{0,1\}//;/^set -u/d'; exit 0 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-n COUNT] [-r ROUNDS] LABEL:OPENER:COMMAND..." >&2; exit 2; }

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/key_latency.XXXXXX")
cc -O2 -o "$work/key_latency" "$here/key_latency.c" -lX11 -lXtst -lXdamage -lXfixes || exit 2
source "$here/lib.sh"

find_window() {  # xdotool search arguments
  local i w
  for ((i = 0; i < 300; i++)); do
    w=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Starts a typing run; prints the window that takes the keys.
open_run() {
  local w X Y
  case $1 in
    quorvel-letters)
      w=$(find_window --name '^QuorvelV1.41$') || return 1
      sleep 3
      eval "$(xdotool getwindowgeometry --shell "$w")"
      xdotool mousemove $((X + 34 + 2 * 80 + 40)) $((Y + 53)) click 1   # 英文打字
      sleep 0.7; xdotool key Down Down Down Return; sleep 1               # 英文字母打字
      xdotool type 500; xdotool key Return; sleep 1                        # 500 characters
      xdotool key Return; sleep 0.5                                        # start
      xdotool windowfocus "$w" ;;
    tipp10-lesson)
      w=$(find_window --classname '^tipp10$') || return 1
      sleep 3
      xdotool mousemove --window "$w" 695 498 click 1; sleep 1.5           # Start Training
      xdotool windowfocus "$w"; xdotool key space; sleep 0.5 ;;
    *) return 1 ;;
  esac
  sleep 1
  echo "$w"
}

median() { sort -n | awk '{a[NR]=$1} END{if(!NR){print "-"; exit} print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
declare -A medians p99s
for ((r = 0; r <= rounds; r++)); do  # round 0 warms up
  for target in "$@"; do
    IFS=: read -r label opener cmd <<<"$target"
    home="$work/home-$label"
    if [ ! -d "$home" ]; then
      mkdir -p "$home"
      [ -n "${profiles[$label]:-}" ] && cp -a "${profiles[$label]}/." "$home/"
    fi
    start_display
    export DISPLAY=$display
    env HOME="$home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$work" bash -c "exec $cmd" >/dev/null 2>&1 &
    prog_pid=$!
    if w=$(open_run "$opener"); then
      line=$("$work/key_latency" "$w" "$count" asdfjkl 100)
    else
      line="no window"
    fi
    cleanup
    [ "$r" = 0 ] && continue
    echo "round $r $label: $line"
    medians[$label]+="$(sed -n 's/.*median_ms=\([0-9.]*\).*/\1/p' <<<"$line") "
    p99s[$label]+="$(sed -n 's/.*p99_ms=\([0-9.]*\).*/\1/p' <<<"$line") "
  done
done
for label in "${!medians[@]}"; do
  printf 'SUMMARY %s median_ms=%s p99_ms=%s\n' "$label" \
    "$(tr ' ' '\n' <<<"${medians[$label]}" | grep . | median)" "$(tr ' ' '\n' <<<"${p99s[$label]}" | grep . | median)"
done
rm -rf "$work"
