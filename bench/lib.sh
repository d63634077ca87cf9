# Shared by the timed scripts in bench/ that watch a program on a private
# Xvfb: starting that server and stopping it and the program again. Sourced,
# never run on its own; the sourcing script sets `work` (its scratch folder,
# removed on interrupt) first, and sets prog_pid once it starts the program.

xvfb_pid="" prog_pid=""
cleanup() {
  [ -n "$prog_pid" ] && { kill "$prog_pid" 2>/dev/null; sleep 0.5; kill -9 "$prog_pid" 2>/dev/null; wait "$prog_pid" 2>/dev/null; }
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  prog_pid="" xvfb_pid=""
}
trap 'cleanup; rm -rf "$work"; exit 130' INT TERM

# Starts a private Xvfb; sets xvfb_pid and `display` (":N"). Xvfb picks a free
# display number itself (-displayfd).
start_display() {
  local dfile="$work/display" i
  : > "$dfile"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp -noreset 9>"$dfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for ((i = 0; i < 200; i++)); do [ -s "$dfile" ] && break; sleep 0.05; done
  display=":$(tr -dc 0-9 < "$dfile")"
}
