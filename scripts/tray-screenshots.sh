#!/usr/bin/env bash
# Screenshots of the program in the notification area, on a private X server
# with a tray host: the window shown after the login, the idle lock putting
# it into the tray after a minute without input, the tray menu and its
# record items. Also prints how long the idle lock took.
#   scripts/tray-screenshots.sh OUTDIR [BUILD_DIR]     (BUILD_DIR defaults to build)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == "--on-display" ]]; then
  out=$2 quilor=$3 sample=$4
  source "$repo/tests/support/display.sh"
  work=$(mktemp -d)
  program=""
  trap '[[ -n "$program" ]] && kill "$program" 2>/dev/null; rm -rf "$work"' EXIT
  cp "$quilor" "$work/quilor"
  password=deneme123
  "$sample" "$work/data.xtr" 40 "$password"

  shot() { import -window root "$out/$1.png"; echo "saved $out/$1.png"; }
  main_window() { windows_of "$program" '^ZENTARIS Quilor' | while read -r w; do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q 'TYPE_NORMAL$' && echo "$w"; done | head -1; }
  has_main_window() { [[ -n "$(main_window)" ]]; }
  no_main_window() { ! has_main_window; }
  # Our icon: the window inside trayer that belongs to the program.
  tray_icon() {
    local host w
    for host in $(xdotool search --class trayer); do
      xwininfo -tree -id "$host" | grep -o '^ *0x[0-9a-f]*'
    done | while read -r w; do
      [[ "$(xprop -id "$w" _NET_WM_PID 2>/dev/null | sed 's/.*= //')" == "$program" ]] && echo "$w"
    done | head -1
  }
  has_tray_icon() { [[ -n "$(tray_icon)" ]]; }

  "$work/quilor" >"$work/quilor.log" 2>&1 &
  program=$!
  dialog=$(wait_for_window "$program" '^ZENTARIS Quilor')
  wait_until 10 is_active "$dialog"
  xdotool type --delay 20 "$password"
  xdotool key Return
  wait_until 20 has_main_window
  sleep 0.5
  shot tray-1-shown
  started=$(now_us)
  wait_until 90 no_main_window
  echo "locked after $((($(now_us) - started) / 1000)) ms without input"
  wait_until 10 has_tray_icon
  sleep 0.3
  shot tray-2-locked-in-tray

  eval "$(xdotool getwindowgeometry --shell "$(tray_icon)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  sleep 0.6
  shot tray-3-menu
  # Down to "Web Adresine Bağlan" and into its record items.
  xdotool key Down Right
  sleep 0.6
  shot tray-4-record-items
  xdotool key Escape Escape
  exit 0
fi

out=${1:?usage: scripts/tray-screenshots.sh OUTDIR [BUILD_DIR]}
build=${2:-$repo/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake -S "$repo" -B "$build" -DQUILOR_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target quilor quilor_sample_data >/dev/null
exec "$repo/tests/support/with-display.sh" --tray -- "$0" --on-display "$out" \
  "$build/src/app/quilor" "$build/tests/mainwindow/quilor_sample_data"
