#!/usr/bin/env bash
# One copy per data file, with the real program and quilor-cli (run inside
# with-display.sh): while a copy has a data file open, a copy on a second
# display with a runtime folder of its own is refused on that file but starts
# on another, and quilor-cli import refuses that file, by any path, leaving it
# byte-identical. Once the copy is killed with SIGKILL, both work again.
#   data_file_lock_test.sh PATH/TO/quilor PATH/TO/make_sample_data_file
#                          PATH/TO/quilor-cli RECORDS.json
set -euo pipefail
source "$(dirname "$0")/../support/display.sh"

quilor=$1
make_data=$2
cli=$3
records=$4
password=Parola42
caption='^ZENTARIS Quilor s1\.02\.01f$'
work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  stop_display_processes
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL ($case): $*" >&2; exit 1; }

prepare() {
  mkdir "$work/$1"
  cp "$quilor" "$work/$1/quilor"
  "$make_data" "$work/$1/data.xtr" "$password"
  cp "$work/$1/data.xtr" "$work/$1.before"
}

# start FOLDER [VARIABLE=VALUE...]: the copy in FOLDER, in that environment.
start() {
  local folder=$1
  shift
  env "$@" "$work/$folder/quilor" &
  pid=$!
  pids+=("$pid")
}

unchanged() {
  cmp -s "$work/$1/data.xtr" "$work/$1.before" || fail "the data file changed"
  [[ "$(ls -A "$work/$1")" == $'data.xtr\nquilor' ]] || fail "files now: $(ls -A "$work/$1")"
}

import() {
  cli_status=0
  printf '%s\n%s\n' "$password" "$password" |
    "$cli" import --force "$1" "$records" >"$work/cli.out" 2>"$work/cli.err" || cli_status=$?
}

case="first copy"
prepare a
prepare b
start a
first=$pid
wait_for_window "$first" "$caption" >/dev/null || fail "no login window"

case="a copy on another display"
# A leftover that looks like a save of the first copy under way: the refused
# copy, which does not hold the data file's lock, must leave it alone.
leftover="$work/a/data.xtr.quilor-tmp-Sav1ng"
printf '[RecNo1]\r\n' >"$leftover"
mkdir -m 700 "$work/runtime2"
start_display "$work"
second_display=$display
start a DISPLAY="$second_display" XDG_RUNTIME_DIR="$work/runtime2"
notice=$(DISPLAY=$second_display wait_for_window "$pid" '^Bilgi$') || fail "no notice"
DISPLAY=$second_display xdotool windowactivate "$notice" 2>/dev/null || true
DISPLAY=$second_display wait_until 10 is_active "$notice" || fail "the notice has no keyboard"
DISPLAY=$second_display xdotool key Return
status=0
wait_for_exit "$pid" || status=$?
[[ $status -eq 0 ]] || fail "the refused copy ended with status $status"
[[ -f "$leftover" ]] || fail "the refused copy removed a file of the running copy"
rm "$leftover"
unchanged a

case="another data file on the other display"
# What saves killed with SIGKILL left beside b's data file, and a user's
# backup that only looks like it: the copy that takes b's lock removes the
# leftovers before its login window shows.
printf '[RecNo1]\r\nALAN1=2' >"$work/b/data.xtr.quilor-tmp-K1ll3d"
mkdir -m 700 "$work/b/.data.xtr.quilor-cli-St4g3d"
printf '[RecNo1]\r\n' >"$work/b/.data.xtr.quilor-cli-St4g3d/data.xtr"
printf 'yedek\n' >"$work/b/data.xtr.backup"
start b DISPLAY="$second_display" XDG_RUNTIME_DIR="$work/runtime2"
DISPLAY=$second_display wait_for_window "$pid" "$caption" >/dev/null || fail "no login window"
[[ "$(ls -A "$work/b")" == $'data.xtr\ndata.xtr.backup\nquilor' ]] ||
  fail "files now: $(ls -A "$work/b")"
cmp -s "$work/b/data.xtr" "$work/b.before" || fail "the data file changed"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

case="quilor-cli import into the open data file"
ln -s "$work/a" "$work/alias"
for path in "$work/a/data.xtr" "$work/alias/data.xtr" "$work/a/../a/data.xtr"; do
  import "$path"
  [[ $cli_status -eq 5 ]] || fail "$path: import ended with $cli_status: $(cat "$work/cli.err")"
  grep -q "Quilor programında açık" "$work/cli.err" || fail "$path: $(cat "$work/cli.err")"
  unchanged a
done
is_running "$first" || fail "the first copy died"

case="after the first copy was killed with SIGKILL"
kill -9 "$first"
wait "$first" 2>/dev/null || true
import "$work/a/data.xtr"
[[ $cli_status -eq 0 ]] || fail "import ended with $cli_status: $(cat "$work/cli.err")"
start a DISPLAY="$second_display" XDG_RUNTIME_DIR="$work/runtime2"
DISPLAY=$second_display wait_for_window "$pid" "$caption" >/dev/null || fail "no login window"
echo "one copy per data file: all cases passed"
