#!/usr/bin/env bash
# The real program, twice, on a real X server (run inside with-display.sh):
# the second copy only shows its notice and ends without touching a file;
# after the first copy is killed with SIGKILL a new copy starts normally.
#   second_copy_test.sh PATH/TO/quilor
set -euo pipefail

folder=$(mktemp -d)
cp "$1" "$folder/quilor"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$folder"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints the id of a visible window of pid whose title matches the regex.
wait_for_window() {
  timeout 15 xdotool search --sync --onlyvisible --pid "$1" --name "$2" | head -1
}

"$folder/quilor" &
first=$!
pids+=("$first")
wait_for_window "$first" '^ZENTARIS Quilor s1\.02\.01f$' >/dev/null ||
  fail "the first copy shows no login"

"$folder/quilor" &
second=$!
pids+=("$second")
notice=$(wait_for_window "$second" '^Bilgi$') || fail "the second copy shows no notice"
xdotool windowactivate --sync "$notice" key Return
status=0
timeout 10 tail --pid "$second" -f /dev/null || fail "the second copy did not end"
wait "$second" || status=$?
[[ $status -eq 0 ]] || fail "the second copy ended with $status"
kill -0 "$first" || fail "the first copy died"
[[ "$(ls -A "$folder")" == "quilor" ]] || fail "a file appeared: $(ls -A "$folder")"

kill -9 "$first"
wait "$first" 2>/dev/null || true
"$folder/quilor" &
third=$!
pids+=("$third")
wait_for_window "$third" '^ZENTARIS Quilor s1\.02\.01f$' >/dev/null ||
  fail "a copy started after SIGKILL shows no login"
echo "second copy refused; start after SIGKILL works"
