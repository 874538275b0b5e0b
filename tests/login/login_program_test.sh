#!/usr/bin/env bash
# The login of the real program, driven with real key presses on a real X
# server (run inside with-display.sh). Each case copies the program into a
# fresh folder of its own, since the data file lives beside the executable.
#   login_program_test.sh PATH/TO/quilor PATH/TO/make_sample_data_file
set -euo pipefail
source "$(dirname "$0")/../support/display.sh"

quilor=$1
make_data=$2
password=Parola42
caption='^ZENTARIS Quilor s1\.02\.01f$'
work=$(mktemp -d)
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL ($case): $*" >&2; exit 1; }

# Copies the program into a new folder, with a data file when asked.
prepare() {
  folder="$work/$1"
  mkdir "$folder"
  cp "$quilor" "$folder/quilor"
  if [[ "${2:-}" == with-data ]]; then
    "$make_data" "$folder/data.xtr" "$password"
    cp "$folder/data.xtr" "$work/$1.before"
  fi
}

start() {
  "$folder/quilor" &
  pid=$!
}

window_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | sed 's/.*= //'; }

# Prints the visible windows of the program, one id per line.
windows() { windows_of "$pid" '.'; }

main_window_shown() {
  local w
  for w in $(windows); do
    # Qt's dialogs list NORMAL after DIALOG; the main window is NORMAL alone.
    [[ "$(window_type "$w")" == _NET_WM_WINDOW_TYPE_NORMAL ]] && return 0
  done
  return 1
}

# Waits until the login dialog is shown and has the keyboard; prints its id.
wait_for_login() {
  local dialog
  dialog=$(wait_for_window "$pid" "$caption") || fail "no login dialog"
  [[ "$(window_type "$dialog")" == _NET_WM_WINDOW_TYPE_DIALOG* ]] || fail "the first window is no dialog"
  wait_until_active "$dialog" || fail "the login dialog did not come to the front"
  echo "$dialog"
}

wait_until_active() { wait_until 10 is_active "$1"; }

wait_for_main_window() { wait_until 20 main_window_shown; }

# Ended, or the main window shows: whichever comes first.
ended_or_main_window() { is_gone "$pid" || main_window_shown; }

# Ends when the program has ended; fails if the main window showed meanwhile.
expect_program_end() {
  local status=0
  wait_until 20 ended_or_main_window || fail "the program is still running"
  is_gone "$pid" || fail "the main window was shown"
  wait "$pid" || status=$?
  pid=""
  [[ $status -eq 0 ]] || fail "the program ended with status $status"
}

stop_program() {
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
}

# A notice of the program: answered with Enter; then the dialog has the keys again.
answer_notice() {
  local box
  box=$(wait_for_window "$pid" '^Bilgi$') || fail "no notice"
  wait_until_active "$box" || fail "the notice does not have the keyboard"
  xdotool key Return
  wait_until_active "$1" || fail "the login dialog did not get the keyboard back"
}

# Waits for the question about a weak master password to have the keyboard.
wait_for_weak_password_question() {
  local box
  box=$(wait_for_window "$pid" '^Soru$') || fail "no question about the weak password"
  wait_until_active "$box" || fail "the question does not have the keyboard"
}

case="first start"
prepare first-start
start
login=$(wait_for_login)
xdotool type --delay 30 "$password"
xdotool key Tab
xdotool type --delay 30 "$password"
xdotool key Return
# The password is weak: Enter on the question answers "Hayır" and the login
# stays, its boxes empty; "E" ("Evet") takes the password.
wait_for_weak_password_question
xdotool key Return
wait_until_active "$login" || fail "the login dialog did not get the keyboard back"
main_window_shown && fail "a weak password was taken without asking"
xdotool type --delay 30 "$password"
xdotool key Tab
xdotool type --delay 30 "$password"
xdotool key Return
wait_for_weak_password_question
xdotool key e
wait_for_main_window || fail "no main window after the first start"
[[ "$(ls -A "$folder")" == "quilor" ]] || fail "a file appeared: $(ls -A "$folder")"
stop_program

case="wrong password, then the right one"
prepare retry with-data
start
dialog=$(wait_for_login)
xdotool type --delay 30 "parola42"
xdotool key Return
answer_notice "$dialog"
main_window_shown && fail "the main window was shown after a wrong password"
# The rejected text is selected: what is typed now replaces it.
xdotool type --delay 30 "$password"
xdotool key Return
wait_for_main_window || fail "no main window after the right password"
[[ -z "$(windows_of "$pid" "$caption" |
  while read -r w; do [[ "$(window_type "$w")" == *DIALOG* ]] && echo "$w"; done)" ]] ||
  fail "the login dialog is still shown"
cmp -s "$folder/data.xtr" "$work/retry.before" || fail "the data file changed"
stop_program

for how in Escape Vazgec close-button wrong-then-Escape; do
  case="login abandoned: $how"
  prepare "abandon-$how" with-data
  start
  dialog=$(wait_for_login)
  case $how in
    Escape) xdotool key Escape ;;
    Vazgec) xdotool key Tab Tab Tab space ;;  # the password box, Giriş Yap ve Gizle, Giriş, Vazgeç
    close-button) xdotool key alt+F4 ;;       # openbox: close as from the title bar
    wrong-then-Escape)
      xdotool type --delay 30 "yanlis"
      xdotool key Return
      answer_notice "$dialog"
      xdotool key Escape
      ;;
  esac
  expect_program_end
  cmp -s "$folder/data.xtr" "$work/abandon-$how.before" || fail "the data file changed"
  [[ "$(ls -A "$folder")" == $'data.xtr\nquilor' ]] || fail "files now: $(ls -A "$folder")"
done

echo "login of the real program: all cases passed"
