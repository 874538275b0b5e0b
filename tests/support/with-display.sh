#!/usr/bin/env bash
# Runs a command on a private X server: Xvfb + openbox (+ trayer with
# --tray), inside its own D-Bus session, with a fresh XDG_RUNTIME_DIR.
#   tests/support/with-display.sh [--tray] [--layout us|tr] [--without EXTENSION]
#                                 [--screen WIDTHxHEIGHT] -- command args...
# --without starts the server without that extension (e.g. MIT-SCREEN-SAVER).
# --screen sets the screen's size (1280x800 by default).
# Everything it starts is stopped when the command ends.
set -euo pipefail
source "$(dirname "$0")/display.sh"

tray=0
layout=""
xvfb_options=()
while [[ $# -gt 0 && "$1" != "--" ]]; do
  case "$1" in
    --tray) tray=1 ;;
    --layout) layout="$2"; shift ;;
    --without) xvfb_options+=(-extension "$2"); shift ;;
    --screen) screen_size="$2"; shift ;;
    *) echo "with-display: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[[ "${1:-}" == "--" ]] && shift

runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
  stop_display_processes
  rm -rf "$runtime"
}
trap cleanup EXIT

start_display "$runtime" "${xvfb_options[@]}"
export DISPLAY="$display" XDG_RUNTIME_DIR="$runtime"
unset WAYLAND_DISPLAY
[[ -n "$layout" ]] && setxkbmap "$layout"
if ((tray)); then
  trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
    --transparent false >"$runtime/trayer.log" 2>&1 &
  display_pids+=($!)
  wait_for_window "${display_pids[-1]}" '^trayer$' >/dev/null || {
    echo "with-display: trayer did not start" >&2
    exit 1
  }
fi

status=0
dbus-run-session -- "$@" || status=$?
exit $status
