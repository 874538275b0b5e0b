#!/usr/bin/env bash
# One copy per desktop session, with the real program on a real X server
# (run inside with-display.sh): a second copy, from the same folder or from
# another one, only shows its notice and ends without touching a file; after
# the first copy is killed with SIGKILL a new copy starts normally; another
# user's copy and another user's process holding the name the program once
# used do not stand in the way.
#   second_copy_test.sh PATH/TO/quilor
set -euo pipefail
source "$(dirname "$0")/../support/display.sh"

quilor=$1
caption='^ZENTARIS Quilor s1\.02\.01f$'
work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL ($case): $*" >&2; exit 1; }

# Copies the program into a folder of its own; the data file lives beside it.
prepare() {
  mkdir "$work/$1"
  cp "$quilor" "$work/$1/quilor"
}

start() {
  "$work/$1/quilor" &
  pid=$!
  pids+=("$pid")
}

expect_login() {
  wait_for_window "$1" "$caption" >/dev/null || fail "no login window"
}

# The copy shows "Bilgi", ends with status 0 once it is answered, and leaves
# its folder as it was.
expect_refused() {
  local notice status=0
  notice=$(wait_for_window "$pid" '^Bilgi$') || fail "no notice"
  xdotool windowactivate "$notice" 2>/dev/null || true
  wait_until 10 is_active "$notice" || fail "the notice did not get the keyboard"
  xdotool key Return
  wait_for_exit "$pid" || status=$?
  [[ $status -eq 0 ]] || fail "the refused copy ended with status $status"
  [[ "$(ls -A "$work/$1")" == "quilor" ]] || fail "files now: $(ls -A "$work/$1")"
}

stop() {
  kill -9 "$1"
  wait "$1" 2>/dev/null || true
}

case="first copy"
prepare a
prepare b
start a
first=$pid
expect_login "$first"

case="second copy from the same folder"
start a
expect_refused a
is_running "$first" || fail "the first copy died"

case="second copy from another folder, same session"
start b
expect_refused b

case="a copy after the first was killed with SIGKILL"
stop "$first"
start a
expect_login "$pid"
stop "$pid"

case="other users"
if [[ $EUID -ne 0 ]]; then
  echo "SKIP other-user cases: runuser needs root, this runs as uid $EUID"
else
  # Another user's process holds the machine-wide name an abstract-socket
  # guard would use, and another user's copy runs in this very session. Both
  # are started through sh so that their own process ids can be killed.
  prepare other
  chown -R nobody "$work/other"
  chmod 711 "$work"
  as_nobody() {
    runuser -u nobody -- sh -c 'echo $$ >"$0"; exec "$@"' "$@" >/dev/null 2>&1 &
    wait_until 10 test -s "$1" || fail "no process of the other user: $*"
    pids+=("$(cat "$1")")
  }
  as_nobody "$work/other/squatter.pid" python3 -c '
import signal, socket
s = socket.socket(socket.AF_UNIX)
s.bind("\0Quilor")
s.listen()
signal.pause()'
  # Held by it, or already by some other process: either way it is taken.
  wait_until 10 grep -q '@Quilor$' /proc/net/unix || fail "the name is not taken"
  as_nobody "$work/other/quilor.pid" env -u XDG_RUNTIME_DIR HOME=/tmp "$work/other/quilor"
  other=${pids[-1]}
  expect_login "$other"
  prepare c
  start c
  expect_login "$pid"
fi
echo "one copy per session: all cases passed"
