#!/usr/bin/env bash
# Screenshots of the program as a person sees it, taken on a private X server:
# the login dialog at a first start and at a login, the main window with
# 1,749 generated records, a search in progress, the context menu with its
# keys, a clipboard countdown and a search that finds nothing; then the
# record editor in both modes, its script menu and the script help, the list
# sorted by its record date, the main window and the editor at a scale
# factor of 2 on a 1366x768 screen, auto-fill with the record that fits the
# window chosen, and the password health report. Also prints the program's
# peak resident memory.
#   scripts/screenshots.sh OUTDIR [BUILD_DIR]     (BUILD_DIR defaults to build)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == "--on-display" ]]; then
  out=$2 quilor=$3 sample=$4 editor_tests=$5 mainwindow_tests=$6
  work=$(mktemp -d)
  program=""
  trap '[[ -n "$program" ]] && kill "$program" 2>/dev/null; rm -rf "$work"' EXIT
  # The program keeps its data file beside the executable.
  cp "$quilor" "$work/quilor"
  password=deneme123

  shot() { sleep 0.6; import -window root "$out/$1.png"; echo "saved $out/$1.png"; }
  wait_for_window() {
    for _ in $(seq 100); do
      xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 && return 0
      sleep 0.1
    done
    echo "no window named $1" >&2
    return 1
  }
  start() {
    "$work/quilor" >"$work/quilor.log" 2>&1 &
    program=$!
  }
  stop() {
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
  }

  # First start: no data file, the master password is chosen and rated.
  start
  first=$(wait_for_window "ZENTARIS Quilor")
  xdotool windowactivate --sync "$first" type --delay 20 "$password"
  shot 1-login-first-start
  stop

  "$sample" "$work/data.xtr" 1749 "$password"

  start
  dialog=$(wait_for_window "ZENTARIS Quilor")
  shot 2-login
  xdotool windowactivate --sync "$dialog" type --delay 20 "$password"
  xdotool key Return
  for _ in $(seq 100); do
    [[ -z "$(xdotool search --onlyvisible --name "ZENTARIS Quilor" 2>/dev/null | grep -v "^$dialog\$")" ]] || break
    sleep 0.1
  done
  shot 3-main-window
  echo "peak resident memory after login: $(grep VmHWM "/proc/$program/status")"

  xdotool type --delay 60 "ziraat"
  shot 4-search

  # Down moves from the search box into the list, on the first match, and
  # the menu key opens the context menu on it.
  xdotool key Down
  sleep 0.3
  xdotool key Menu
  shot 5-context-menu

  # "Şifreyi Panoya Kopyala": the countdown runs in the status bar.
  xdotool key Down Down Return
  sleep 2
  shot 6-clipboard-countdown

  # A search that finds nothing says so in the empty list.
  xdotool key ctrl+f
  xdotool type --delay 60 "qqqq"
  shot 7-nothing-found
  echo "peak resident memory at the end: $(grep VmHWM "/proc/$program/status")"
  stop

  # The editor's tests save their screens where QUILOR_SCREENSHOTS points.
  QUILOR_SCREENSHOTS="$out" "$editor_tests" --gtest_brief=1 >/dev/null
  QUILOR_SCREENSHOTS="$out" "$mainwindow_tests" --gtest_brief=1 \
    --gtest_filter='*RecordDateColumn*:*EmptyList*' >/dev/null
  ls "$out"/editor-*.png "$out"/main-window-*.png
  exit 0
fi

out=${1:?usage: scripts/screenshots.sh OUTDIR [BUILD_DIR]}
build=${2:-$repo/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake -S "$repo" -B "$build" -DQUILOR_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target quilor quilor_sample_data editor_gui_tests \
  mainwindow_gui_tests windows_within_screen_gui_tests autofill_dialog_tests \
  tray_lock_gui_tests >/dev/null
"$repo/tests/support/with-display.sh" -- "$0" --on-display "$out" \
  "$build/src/app/quilor" "$build/tests/mainwindow/quilor_sample_data" \
  "$build/tests/editor/editor_gui_tests" "$build/tests/mainwindow/mainwindow_gui_tests"
QUILOR_SCREENSHOTS="$out" "$repo/tests/support/with-display.sh" --screen 1366x768 -- \
  "$build/tests/app/windows_within_screen_gui_tests" --gtest_brief=1 >/dev/null
ls "$out"/scaled-*.png
# Auto-fill choosing the record that fits the window, on the Turkish layout,
# and the password health report.
QUILOR_SCREENSHOTS="$out" "$repo/tests/support/with-display.sh" --layout tr -- \
  "$build/tests/autofill/autofill_dialog_tests" --gtest_brief=1 \
  --gtest_filter='*FitsTheChosenWindow*' >/dev/null
QUILOR_SCREENSHOTS="$out" "$repo/tests/support/with-display.sh" --tray -- \
  "$build/tests/mainwindow/tray_lock_gui_tests" --gtest_brief=1 \
  --gtest_filter='*HealthReport*' >/dev/null
ls "$out"/autofill-*.png "$out"/password-health.png
