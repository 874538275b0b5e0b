#!/usr/bin/env bash
# Runs a command on a private X server: Xvfb + openbox (+ trayer with
# --tray), inside its own D-Bus session, with a fresh XDG_RUNTIME_DIR.
#   tests/support/with-display.sh [--tray] [--layout us|tr] [--without EXTENSION] -- command args...
# --without starts the server without that extension (e.g. MIT-SCREEN-SAVER).
# Everything it starts is stopped when the command ends.
set -euo pipefail

tray=0
layout=""
xvfb_options=()
while [[ $# -gt 0 && "$1" != "--" ]]; do
  case "$1" in
    --tray) tray=1 ;;
    --layout) layout="$2"; shift ;;
    --without) xvfb_options+=(-extension "$2"); shift ;;
    *) echo "with-display: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[[ "${1:-}" == "--" ]] && shift

pids=()
runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

# Pick a free display number; a stale lock means a server may still own it.
display=""
for n in $(seq $((100 + RANDOM % 400)) 999); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then display=":$n"; break; fi
done
[[ -n "$display" ]] || { echo "with-display: no free display" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp "${xvfb_options[@]}" >"$runtime/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.05
done
xdpyinfo -display "$display" >/dev/null 2>&1 || { cat "$runtime/xvfb.log" >&2; exit 1; }

export DISPLAY="$display" XDG_RUNTIME_DIR="$runtime"
unset WAYLAND_DISPLAY
[[ -n "$layout" ]] && setxkbmap "$layout"
openbox >"$runtime/openbox.log" 2>&1 &
pids+=($!)
if ((tray)); then
  trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
    --transparent false >"$runtime/trayer.log" 2>&1 &
  pids+=($!)
fi
sleep 0.5

status=0
dbus-run-session -- "$@" || status=$?
exit $status
