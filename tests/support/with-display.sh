#!/usr/bin/env bash
# Runs a command on a private X server: Xvfb + openbox (+ trayer with
# --tray), inside its own D-Bus session, with a fresh XDG_RUNTIME_DIR.
#   tests/support/with-display.sh [--tray] [--layout us|tr] [--without EXTENSION]
#                                 [--screen WIDTHxHEIGHT] [--a11y] -- command args...
# --without starts the server without that extension (e.g. MIT-SCREEN-SAVER).
# --screen sets the screen's size (1280x800 by default).
# --a11y starts the accessibility bus in the D-Bus session and has Qt
# programs publish their widgets there, for pyatspi to read as any other
# program on the desktop could.
# Everything it starts is stopped when the command ends.
set -euo pipefail
source "$(dirname "$0")/display.sh"

tray=0
a11y=0
layout=""
xvfb_options=()
while [[ $# -gt 0 && "$1" != "--" ]]; do
  case "$1" in
    --tray) tray=1 ;;
    --a11y) a11y=1 ;;
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
  tray_panel() { xdotool search --all --pid "${display_pids[-1]}" --name '^panel$' 2>/dev/null || true; }
  panel_exists() { [[ -n "$(tray_panel)" ]]; }
  panel_mapped() { xwininfo -id "$(tray_panel | head -1)" 2>/dev/null | grep -q IsViewable; }
  wait_until 20 panel_exists || {
    echo "with-display: trayer did not start" >&2
    cat "$runtime/trayer.log" >&2
    exit 1
  }
  # On a busy machine trayer now and then leaves its panel unmapped for good,
  # although it holds the tray; the panel is then mapped here.
  if ! wait_until 5 panel_mapped; then
    echo "with-display: trayer left its panel unmapped; mapping it" >&2
    xdotool windowmap "$(tray_panel | head -1)"
    wait_until 5 panel_mapped || {
      echo "with-display: the tray panel does not show" >&2
      exit 1
    }
  fi
fi

status=0
if ((a11y)); then
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  # Asking for the bus's address starts it; Qt finds it at start-up.
  dbus-run-session -- bash -c 'dbus-send --session --print-reply --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null && exec "$@"' with-display "$@" || status=$?
else
  dbus-run-session -- "$@" || status=$?
fi
exit $status
