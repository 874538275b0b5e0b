#!/usr/bin/env bash
# The real program started as a GNOME or KDE Wayland session starts it:
# WAYLAND_DISPLAY set beside Xwayland's DISPLAY (here a real Xvfb), and no
# QT_QPA_PLATFORM. It must come up on X11 (its windows are X windows), and
# the auto-fill dialog must say that it reaches only X11 windows. Run inside
# with-display.sh.
#   wayland_session_test.sh PATH/TO/quilor PATH/TO/make_sample_data_file
set -euo pipefail
here=$(dirname "$0")
source "$here/../support/display.sh"

quilor=$1
make_data=$2
password=Parola42
caption='^ZENTARIS Quilor s1\.02\.01f$'
note='Wayland oturumunda yalnızca X11 (Xwayland) pencerelerine yazılabilir.'
work=$(mktemp -d)
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$quilor" "$work/quilor"
"$make_data" "$work/data.xtr" "$password"

# Screen readers' bus, which the note is read through.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null

# No Wayland compositor listens there. Left to itself, Qt goes for its
# Wayland platform on such a session (and says so when it cannot load it)
# before it falls back to X11.
unset QT_QPA_PLATFORM
WAYLAND_DISPLAY=wayland-quilor-test XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$work/quilor" >"$work/quilor.log" 2>&1 &
pid=$!

login=$(wait_for_window "$pid" "$caption") ||
  fail "no login dialog on the X display: $(cat "$work/quilor.log")"
! grep -qi 'wayland' "$work/quilor.log" ||
  fail "Qt was not told to use X11 from the start: $(cat "$work/quilor.log")"
wait_until 10 is_active "$login" || fail "the login dialog did not come to the front"
xdotool type --delay 30 "$password"
xdotool key Return

# The main window, then Ctrl+Alt+D.
main_window_shown() { [[ -n "$(windows_of "$pid" "$caption" | grep -vx "$login")" ]]; }
wait_until 20 main_window_shown || fail "no main window after the login"
xdotool key ctrl+alt+d
/usr/bin/python3 "$here/../support/find_accessible_text.py" "$pid" "$note" 20 ||
  fail "the auto-fill dialog does not show the Wayland note"
echo "program on a Wayland session: runs on X11 and says so in auto-fill"
