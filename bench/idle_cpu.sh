#!/usr/bin/env bash
# idle_cpu.sh - CPU time, wake-ups and memory of a desktop program that sits
# idle under Xvfb: at its main window, and with an exercise open but not
# running. Not a test: run it by hand and compare the figures side by side.
#
# For each run: a private Xvfb is started, the program is launched (one warm
# HOME per label, after one uncounted warm-up run), its window is awaited,
# the program is left to settle, an exercise is opened if the target asks for
# one, and then the process is watched for DURATION seconds:
#   cpu_ms_min   user + system CPU time (/proc/PID/stat, all threads) per minute
#   wakeups_s    context switches of all its threads per second
#                (/proc/PID/task/*/status, voluntary + involuntary): every time a
#                thread wakes from sleep and sleeps again counts once
#   syscalls_s   (-S only) system calls per second under `strace -c -f`, in a
#                second watch after the first (strace slows the program down)
#   hwm_kb       peak resident set (VmHWM) at the end of the watch
#   uss_kb       private memory (Private_Clean + Private_Dirty) at that time
#   idle_ms      launch until the program last used CPU before a quiet second
#                (CPU time sampled every 20 ms; clock-tick resolution)
# Targets are interleaved round by round; medians are printed per target.
#
# Usage:
#   bench/idle_cpu.sh [-d SEC] [-r ROUNDS] [-s SEC] [-S] [-p LABEL=DIR] TARGET...
# -p copies DIR's contents into LABEL's HOME first (settings that skip a
# first-start dialog).
# TARGET is LABEL:OPENER:COMMAND, e.g.
#   quorvel:main:./build/quorvel
#   quorvel:quorvel-line:./build/quorvel          (line practice open, idle)
#   tipp10:main:/usr/bin/tipp10
#   tipp10:tipp10-lesson:/usr/bin/tipp10        (a lesson open, not started)
# Openers: main (none), quorvel-line, tipp10-lesson.
# Needs: Xvfb, xdotool; strace for -S.
set -u
duration=60 rounds=3 settle=5 use_strace=0
declare -A profiles
while getopts "d:r:s:Sp:h" opt; do
  case $opt in
    d) duration=$OPTARG ;;
    r) rounds=$OPTARG ;;
    s) settle=$OPTARG ;;
    S) use_strace=1 ;;
    p) profiles[${OPTARG%%=*}]=${OPTARG#*=} ;;
    h) sed -n '2,/^set -u/p' "$0" | sed 's/^# \{0,1\}//;/^set -u/d'; exit 0 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-d SEC] [-r ROUNDS] [-s SEC] [-S] LABEL:OPENER:COMMAND..." >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/idle_cpu.XXXXXX")
source "$(dirname "$0")/lib.sh"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }
# "TID SWITCHES" per thread; wake-ups are summed over the threads' own
# differences, so a thread that ends in between does not count backwards.
switches() {
  local t
  for t in /proc/"$1"/task/*; do
    awk -v tid="${t##*/}" '/^(voluntary|nonvoluntary)_ctxt_switches/{n += $2} END{print tid, n + 0}' "$t/status" 2>/dev/null
  done
}
switches_between() {  # $1, $2: snapshots
  awk 'NR == FNR {before[$1] = $2; next} {n += $2 - ($1 in before ? before[$1] : 0)} END{print n + 0}' \
    <(printf '%s\n' "$1") <(printf '%s\n' "$2")
}
uss_kb() { awk '/^Private_(Clean|Dirty):/{n += $2} END{print n + 0}' "/proc/$1/smaps_rollup" 2>/dev/null; }
hwm_kb() { awk '/^VmHWM/{print $2}' "/proc/$1/status" 2>/dev/null; }

# The program's first top-level window with a title, once it is mapped.
main_window() {
  local pid=$1 w i
  for ((i = 0; i < 300; i++)); do
    for w in $(DISPLAY=$display xdotool search --onlyvisible --pid "$pid" --name '.*' 2>/dev/null); do
      echo "$w"; return 0
    done
    sleep 0.1
  done
  return 1
}

open_exercise() {  # $1 opener, $2 window
  local geo x y
  case $1 in
    main) ;;
    quorvel-line)
      # Button 1 ("中文打字") of the graphic menu, then its first item.
      local w; w=$(DISPLAY=$display xdotool search --onlyvisible --name '^QuorvelV1.41$' | head -1)
      eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$w")"
      x=$((X + 34 + 80 + 40)) y=$((Y + 53))
      DISPLAY=$display xdotool mousemove "$x" "$y" click 1
      sleep 0.7
      DISPLAY=$display xdotool key Down Return
      sleep 0.5
      DISPLAY=$display xdotool mousemove 0 0 ;;
    tipp10-lesson)
      # The start page's "Start Training" button.
      DISPLAY=$display xdotool mousemove --window "$2" 695 498 click 1
      sleep 1
      DISPLAY=$display xdotool mousemove 0 0 ;;
    *) echo "unknown opener: $1" >&2 ;;
  esac
}

# Launch until the last CPU use before a quiet second.
idle_after_launch() {  # $1 pid $2 launch time (EPOCHREALTIME)
  local last_c=-1 last_t=$2 c quiet_since=$EPOCHREALTIME
  while :; do
    c=$(cpu_ticks "$1") || return
    if [ "$c" != "$last_c" ]; then last_c=$c last_t=$EPOCHREALTIME quiet_since=$EPOCHREALTIME; fi
    awk -v a="$quiet_since" -v b="$EPOCHREALTIME" 'BEGIN{exit !(b - a >= 1)}' && break
    # Never quiet for a second within 15 s: it never idles.
    awk -v a="$2" -v b="$EPOCHREALTIME" 'BEGIN{exit !(b - a >= 15)}' && { echo never; return; }
    sleep 0.02
  done
  awk -v a="$2" -v b="$last_t" 'BEGIN{printf "%d", (b - a) * 1000}'
}

one_run() {  # $1 label $2 opener $3 command; prints "cpu wake hwm uss sys idle"
  local label=$1 opener=$2 cmd=$3 home="$work/home-$1" win t0 t1 c0 c1 s0 s1 sys=- launch idle_ms
  if [ ! -d "$home" ]; then
    mkdir -p "$home"
    [ -n "${profiles[$label]:-}" ] && cp -a "${profiles[$label]}/." "$home/"
  fi
  start_display
  launch=$EPOCHREALTIME
  env HOME="$home" DISPLAY="$display" LANG=C.UTF-8 XDG_RUNTIME_DIR="$work" \
    bash -c "exec $cmd" >"$work/out-$label.log" 2>&1 &
  prog_pid=$!
  win=$(main_window "$prog_pid") || { echo "- - - - - -"; cleanup; return; }
  idle_ms=$(idle_after_launch "$prog_pid" "$launch")
  sleep "$settle"
  open_exercise "$opener" "$win"
  sleep 3
  c0=$(cpu_ticks "$prog_pid") s0=$(switches "$prog_pid") t0=$EPOCHREALTIME
  sleep "$duration"
  c1=$(cpu_ticks "$prog_pid") s1=$(switches "$prog_pid") t1=$EPOCHREALTIME
  local hwm uss
  hwm=$(hwm_kb "$prog_pid") uss=$(uss_kb "$prog_pid")
  if [ "$use_strace" = 1 ] && command -v strace >/dev/null; then
    timeout -s INT "$duration" strace -c -f -p "$prog_pid" -o "$work/strace-$label.txt" 2>/dev/null
    sys=$(awk -v d="$duration" '/^[ 0-9.]+ +total$/ || / total$/{print $4 / d; exit}' "$work/strace-$label.txt")
  fi
  local hz; hz=$(getconf CLK_TCK)
  awk -v c=$((c1 - c0)) -v s="$(switches_between "$s0" "$s1")" -v a="$t0" -v b="$t1" -v hz="$hz" \
      -v hwm="${hwm:-0}" -v uss="${uss:-0}" -v sys="$sys" -v idle="${idle_ms:--}" \
      'BEGIN{d = b - a; printf "%.1f %.2f %d %d %s %s\n", c * 1000 / hz * 60 / d, s / d, hwm, uss, sys, idle}'
  cleanup
}

median() { sort -n | awk '{a[NR]=$1} END{if(!NR){print "-"; exit} print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

echo "# idle_cpu duration=${duration}s rounds=$rounds settle=${settle}s cpus=$(nproc) load=$(cut -d' ' -f1-3 /proc/loadavg)"
declare -A results
for target in "$@"; do  # warm-up: first start's work is done before counting
  IFS=: read -r label opener cmd <<<"$target"
  duration=1 one_run "$label" main "$cmd" >/dev/null
done
for ((r = 1; r <= rounds; r++)); do
  for target in "$@"; do
    IFS=: read -r label opener cmd <<<"$target"
    line=$(one_run "$label" "$opener" "$cmd")
    echo "round $r $label/$opener: cpu_ms_min wakeups_s hwm_kb uss_kb syscalls_s idle_ms = $line"
    results["$label/$opener"]+="$line"$'\n'
  done
done
for key in "${!results[@]}"; do
  rows=${results[$key]}
  printf 'SUMMARY %s cpu_ms_min=%s wakeups_s=%s hwm_kb=%s uss_kb=%s syscalls_s=%s idle_ms=%s\n' "$key" \
    "$(awk 'NF{print $1}' <<<"$rows" | median)" "$(awk 'NF{print $2}' <<<"$rows" | median)" \
    "$(awk 'NF{print $3}' <<<"$rows" | median)" "$(awk 'NF{print $4}' <<<"$rows" | median)" \
    "$(awk 'NF{print $5}' <<<"$rows" | median)" "$(awk 'NF{print $6}' <<<"$rows" | median)"
done
rm -rf "$work"
