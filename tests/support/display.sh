# Helpers for tests on a real X server, sourced by with-display.sh and by
# the display tests. Every wait polls the condition it needs and gives up
# after a bound; nothing relies on a fixed sleep.

# now_us: the time in microseconds.
now_us() { echo "${EPOCHREALTIME/./}"; }

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; returns 1
# when SECONDS pass first.
wait_until() {
  local deadline=$(($(now_us) + $1 * 1000000))
  shift
  until "$@"; do
    (($(now_us) < deadline)) || return 1
    sleep 0.05
  done
}

# windows_of PID REGEX: the visible windows of process PID whose title
# matches REGEX, one id per line. --all makes both conditions count; without
# it xdotool takes either. A window destroyed while xdotool looks at it ends
# the search with BadWindow: that is "nothing found yet", for the caller's
# bounded loop to look again.
windows_of() {
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null || true
}

# wait_for_window PID REGEX [SECONDS]: prints the first such window.
wait_for_window() {
  local deadline=$(($(now_us) + ${3:-20} * 1000000)) found
  while :; do
    found=$(windows_of "$1" "$2" | head -1)
    [[ -n "$found" ]] && break
    (($(now_us) < deadline)) || return 1
    sleep 0.05
  done
  echo "$found"
}

# is_active WINDOW: the window manager has given WINDOW the focus.
is_active() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }

# is_running PID
is_running() { kill -0 "$1" 2>/dev/null; }
is_gone() { ! kill -0 "$1" 2>/dev/null; }

# wait_for_exit PID [SECONDS]: waits until the child PID has ended and
# returns its exit status; 124 when it is still running after SECONDS.
wait_for_exit() {
  wait_until "${2:-20}" is_gone "$1" || return 124
  local status=0
  wait "$1" || status=$?
  return $status
}

# The window manager has taken the screen: it names itself on the root.
wm_is_ready() {
  xprop -display "$1" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# start_display LOG_FOLDER [XVFB_OPTION...]: starts Xvfb on a display number the server picks
# itself (so parallel tests never race for one) and openbox on it, waits until
# both serve, and sets $display. The screen is 1280x800 unless $screen_size
# says otherwise (WIDTHxHEIGHT). The process ids are added to display_pids
# for the caller to stop. -noreset: by default the server resets whenever its
# last client leaves, and each probe below is such a client; a test needs one
# server state from start to end.
display_pids=()
start_display() {
  local logs="$1" number_file="$1/display-number.$BASHPID.$RANDOM"
  shift
  : >"$number_file"
  Xvfb -displayfd 3 -noreset -screen 0 "${screen_size:-1280x800}x24" -nolisten tcp "$@" \
    3>"$number_file" >>"$logs/xvfb.log" 2>&1 &
  display_pids+=($!)
  # Xvfb writes the number once it accepts connections.
  if ! wait_until 20 test -s "$number_file"; then
    echo "start_display: Xvfb did not start" >&2
    cat "$logs/xvfb.log" >&2
    return 1
  fi
  display=":$(head -1 "$number_file")"
  rm -f "$number_file"
  DISPLAY="$display" openbox >>"$logs/openbox.log" 2>&1 &
  display_pids+=($!)
  wait_until 20 wm_is_ready "$display" || {
    echo "start_display: openbox did not take $display" >&2
    cat "$logs/xvfb.log" "$logs/openbox.log" >&2
    return 1
  }
}

# stop_display_processes: ends everything start_display started.
stop_display_processes() {
  local p
  for p in "${display_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${display_pids[@]}"; do wait "$p" 2>/dev/null || true; done
}
