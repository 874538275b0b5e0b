#!/usr/bin/env bash
# Two machines sharing one data file through Syncthing, played on this one:
# two Syncthing instances on 127.0.0.1 (static addresses; no discovery, no
# relays, no NAT traversal, no usage reporting; homes of their own; a short
# rescan and a file watcher), each keeping its own folder in step with the
# other's, and two copies of the program, each on an X display of its own,
# each with its data file in its own folder. The programs are driven with
# real key presses (xdotool) and their accessibility objects (pyatspi), which
# is also how what they show is read.
#
#   1. A record made in the program on machine A appears in the program on B.
#   2. B saves a change while a record made on A arrives behind its back:
#      the program takes A's record in with its own change.
#   3. With the machines apart, each changes a record and saves; once they
#      are together again Syncthing keeps one version and leaves the other
#      as a conflict copy; the program names it at the next login, and
#      quilor-cli merge takes it back in: both changes are there, on both.
#
#   scripts/syncthing-trial.sh [BUILD_DIR]     (BUILD_DIR defaults to build)
# Prints what it sees step by step and "syncthing trial: passed" at the end;
# exits non-zero at the first step that fails.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/tests/support/display.sh"

if [[ "${1:-}" != "--in-session" ]]; then
  build=${1:-$repo/build}
  [[ -x "$build/src/app/quilor" && -x "$build/src/cli/quilor-cli" ]] || {
    echo "syncthing-trial: build quilor and quilor-cli in $build first" >&2
    exit 2
  }
  # One D-Bus session with its accessibility bus for both programs; each
  # program has an X display of its own.
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  exec dbus-run-session -- bash -c 'dbus-send --session --print-reply --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null && exec "$@"' trial \
    "$0" --in-session "$build"
fi
build=$2
[[ -n "${TRIAL_TRACE:-}" ]] && set -x
quilor=$build/src/app/quilor
cli=$build/src/cli/quilor-cli
probe=$repo/tests/support/access_probe.py
password=Parola42

work=$(mktemp -d)
declare -A screen pid
syncthings=()
programs=()
cleanup() {
  local p
  for p in "${programs[@]}" "${syncthings[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${programs[@]}" "${syncthings[@]}"; do wait "$p" 2>/dev/null || true; done
  stop_display_processes
  [[ -n "${KEEP_TRIAL:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

step() { echo "== $*"; }
fail() {
  echo "FAIL: $*" >&2
  # What each screen showed, where TRIAL_SHOTS asks for it.
  if [[ -n "${TRIAL_SHOTS:-}" ]]; then
    for side in "${!screen[@]}"; do import -display "${screen[$side]}" -window root "$TRIAL_SHOTS/fail-$side.png"; done
  fi
  for log in "$work"/*.log; do
    echo "--- $log" >&2
    tail -20 "$log" >&2
  done
  exit 1
}

# --- Syncthing --------------------------------------------------------------

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# configure HOME LISTEN_PORT GUI_PORT API_KEY FOLDER SELF_ID OTHER_ID OTHER_PORT
configure() {
  python3 - "$@" <<'EOF'
import copy
import sys
import xml.etree.ElementTree as ET

home, port, gui_port, key, folder, self_id, other_id, other_port = sys.argv[1:]
path = home + "/config.xml"
tree = ET.parse(path)
root = tree.getroot()
options = {
    "listenAddress": "tcp://127.0.0.1:" + port,
    "globalAnnounceEnabled": "false",
    "localAnnounceEnabled": "false",
    "relaysEnabled": "false",
    "natEnabled": "false",
    "urAccepted": "-1",
    "startBrowser": "false",
    "autoUpgradeIntervalH": "0",
    "crashReportingEnabled": "false",
    "stunKeepaliveStartS": "0",
    "reconnectionIntervalS": "1",
}
opts = root.find("options")
for name, value in options.items():
    opts.find(name).text = value
gui = root.find("gui")
gui.find("address").text = "127.0.0.1:" + gui_port
gui.find("apikey").text = key
other = copy.deepcopy(root.find("defaults/device"))
other.attrib.update(id=other_id, name="other")
other.find("address").text = "tcp://127.0.0.1:" + other_port
root.insert(1, other)
# The shared folder starts from the instance's own folder defaults (conflict
# copies among them), so that no setting is left at a zero it never meant.
shared = copy.deepcopy(root.find("defaults/folder"))
shared.attrib.update(id="quilor", label="quilor", path=folder, rescanIntervalS="2",
                     fsWatcherEnabled="true", fsWatcherDelayS="1")
for device in shared.findall("device"):
    shared.remove(device)
for position, device in enumerate((self_id, other_id)):
    shared.insert(1 + position, ET.Element("device", id=device))
shared.find("minDiskFree").text = "0"
root.insert(0, shared)
tree.write(path)
EOF
}

declare -A st_id st_port st_gui st_key
for side in a b; do
  home=$work/st-$side
  syncthing generate --home="$home" --no-default-folder >"$work/st-$side-generate.log" 2>&1
  st_id[$side]=$(syncthing serve --home="$home" --device-id)
  st_port[$side]=$(free_port)
  st_gui[$side]=$(free_port)
  st_key[$side]=key-$side-$RANDOM$RANDOM
  mkdir "$work/sync-$side"
done
configure "$work/st-a" "${st_port[a]}" "${st_gui[a]}" "${st_key[a]}" "$work/sync-a" \
  "${st_id[a]}" "${st_id[b]}" "${st_port[b]}"
configure "$work/st-b" "${st_port[b]}" "${st_gui[b]}" "${st_key[b]}" "$work/sync-b" \
  "${st_id[b]}" "${st_id[a]}" "${st_port[a]}"

# rest SIDE METHOD PATH: the instance's REST answer.
rest() {
  curl -fsS -X "$2" -H "X-API-Key: ${st_key[$1]}" "http://127.0.0.1:${st_gui[$1]}$3"
}
other_side() { [[ $1 == a ]] && echo b || echo a; }
answers() { rest "$1" GET /rest/system/ping >/dev/null 2>&1; }
connected() {
  rest "$1" GET /rest/system/connections 2>/dev/null |
    python3 -c 'import json, sys; print(json.load(sys.stdin)["connections"][sys.argv[1]]["connected"])' \
      "${st_id[$(other_side "$1")]}" | grep -q True
}
folder_idle() {
  rest "$1" GET '/rest/db/status?folder=quilor' 2>/dev/null |
    python3 -c 'import json, sys; sys.exit(json.load(sys.stdin)["state"] != "idle")'
}

step "two Syncthing instances on 127.0.0.1"
for side in a b; do
  STNODEFAULTFOLDER=1 syncthing serve --home="$work/st-$side" --no-browser --no-restart \
    --no-upgrade >"$work/syncthing-$side.log" 2>&1 &
  syncthings+=($!)
done
for side in a b; do wait_until 30 answers "$side" || fail "Syncthing $side does not answer"; done
for side in a b; do wait_until 60 connected "$side" || fail "Syncthing $side is not connected"; done
echo "connected: A ${st_id[a]:0:7} on port ${st_port[a]}, B ${st_id[b]:0:7} on port ${st_port[b]}"

# In step: both folders hold the same data file, and both instances are done.
in_step() {
  [[ -f "$work/sync-a/data.xtr" ]] && cmp -s "$work/sync-a/data.xtr" "$work/sync-b/data.xtr" &&
    folder_idle a && folder_idle b
}
wait_in_step() { wait_until 90 in_step || fail "the folders did not come into step"; }

# --- The two machines' programs --------------------------------------------

for side in a b; do
  start_display "$work" || fail "no X display for $side"
  screen[$side]=$display
  mkdir -m 700 "$work/runtime-$side"
  # The program keeps its data file beside the executable: here a link into
  # the synchronised folder, as a user would set it up.
  mkdir "$work/program-$side"
  cp "$quilor" "$work/program-$side/quilor"
  ln -s "$work/sync-$side/data.xtr" "$work/program-$side/data.xtr"
done

# on SIDE COMMAND...: runs COMMAND on that machine's display.
on() {
  local side=$1
  shift
  DISPLAY=${screen[$side]} XDG_RUNTIME_DIR=$work/runtime-$side "$@"
}

window_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | sed 's/.*= //'; }
# The program's windows of one type ("NORMAL" the main window, "DIALOG").
windows_typed() {
  local w
  for w in $(windows_of "$1" .); do
    [[ "$(window_type "$w")" == "_NET_WM_WINDOW_TYPE_$2"* ]] && echo "$w"
  done
  return 0
}
has_window() { [[ -n "$(windows_typed "$1" "$2")" ]]; }
# wait_for_typed SIDE TYPE: prints the program's first window of TYPE once
# there is one.
wait_for_typed() {
  local deadline=$(($(now_us) + 30000000)) found
  while :; do
    found=$(on "$1" windows_typed "${pid[$1]}" "$2" | head -1)
    [[ -n "$found" ]] && break
    (($(now_us) < deadline)) || fail "$1: no window of type $2"
    sleep 0.05
  done
  echo "$found"
}
# activate SIDE TYPE: brings that window forward and waits until it has the keyboard.
activate() {
  local window
  window=$(wait_for_typed "$1" "$2")
  on "$1" xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  on "$1" wait_until 10 is_active "$window" || fail "$1: the $2 window does not come forward"
}
no_dialog() { ! has_window "$1" DIALOG; }

# What the program shows, as the accessibility bus has it.
# A probe that meets a busy bus can die of a GLib trap: it is asked again.
walk() {
  local tries
  for tries in 1 2 3; do
    /usr/bin/python3 "$probe" "${pid[$1]}" walk 2>/dev/null && return 0
    sleep 1
  done
  return 1
}
shows() { walk "$1" | grep -F -- "$2" >/dev/null; }
# Presses a named button from outside. A press that opens something modal
# answers only when that closes, so the press goes on in the background.
press() {
  /usr/bin/python3 "$probe" "${pid[$1]}" press "$2" >>"$work/press.log" 2>&1 &
}

start_program() {
  # exec: $! is the program itself, whose windows xdotool finds by its pid.
  (
    export DISPLAY=${screen[$1]} XDG_RUNTIME_DIR=$work/runtime-$1
    exec "$work/program-$1/quilor"
  ) >>"$work/quilor-$1.log" 2>&1 &
  pid[$1]=$!
  programs+=($!)
}

stop_program() {
  kill "${pid[$1]}"
  wait "${pid[$1]}" 2>/dev/null || true
}

login() {
  activate "$1" DIALOG
  on "$1" xdotool type --delay 20 "$password"
  on "$1" xdotool key Return
  wait_for_typed "$1" NORMAL >/dev/null
}

# Answers the "Bilgi" notice with Enter once it is up; prints what it said.
answer_notice() {
  local box
  box=$(on "$1" wait_for_window "${pid[$1]}" '^Bilgi$' 30) || fail "$1: no notice"
  # The box's text is the label that follows its window on the bus.
  walk "$1" | awk -F'\t' '$2 == "Bilgi" { box = 1 } box && $1 == "label" && $2 != "" { print "   notice: " $2; exit }'
  on "$1" xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
  on "$1" wait_until 10 is_active "$box" || fail "$1: the notice does not come forward"
  on "$1" xdotool key Return
}

# new_record SIDE TITLE: "Yeni Kayıt", the title, user name and password
# typed (the editor's tab order goes from the title through the other
# texts to the user name and the password), "Kaydet".
new_record() {
  press "$1" "Yeni Kayıt"
  activate "$1" DIALOG
  on "$1" xdotool type --delay 20 "$2"
  on "$1" xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
  on "$1" xdotool type --delay 20 "user-$1"
  on "$1" xdotool key Tab type --delay 20 "secret-$1"
  press "$1" "Kaydet"
  on "$1" wait_until 30 no_dialog "${pid[$1]}" || fail "$1: the editor stays open"
}

# open_retitled SIDE TITLE NEW: finds the record with the search box, opens
# it with Enter and types its new title, leaving the editor open.
open_retitled() {
  activate "$1" NORMAL
  on "$1" xdotool key ctrl+f type --delay 20 "$2"
  # The list follows the search box a moment later.
  wait_until 10 shows "$1" "Toplam 1 Kayıt" || fail "$1: the search for $2 finds no one record"
  on "$1" xdotool key Down Return
  activate "$1" DIALOG
  on "$1" xdotool key ctrl+a type --delay 20 "$3"
}

# retitle SIDE TITLE NEW: open_retitled, then "Kaydet", and the editor closes.
retitle() {
  open_retitled "$@"
  press "$1" "Kaydet"
  on "$1" wait_until 30 no_dialog "${pid[$1]}" || fail "$1: the editor stays open"
}

# cli_titles SIDE: the titles in that machine's data file, as quilor-cli lists them.
cli_titles() { echo "$password" | "$cli" ls "$work/sync-$1/data.xtr" | cut -f1 | sort | paste -sd,; }

step "a data file made on A reaches B"
printf '[{"ALAN1":"202401010900000000001","ALAN2":"Banka","ALAN4":"b"},
          {"ALAN1":"202401010900000000002","ALAN2":"Posta","ALAN4":"p"}]' >"$work/start.json"
printf '%s\n%s\n' "$password" "$password" |
  "$cli" import "$work/sync-a/data.xtr" "$work/start.json" >/dev/null 2>>"$work/cli.log" ||
  fail "quilor-cli import"
wait_in_step
echo "B holds: $(cli_titles b)"

step "both programs logged in, each on its own display (A ${screen[a]}, B ${screen[b]})"
for side in a b; do
  start_program "$side"
  login "$side"
  # The program joins the accessibility bus a moment after its window shows.
  wait_until 30 shows "$side" Posta || fail "$side: the list does not show Posta"
done
echo "A and B list Banka and Posta"

step "1. a record made in the program on A appears on B"
new_record a Kargo
wait_in_step
echo "B's file after the sync: $(cli_titles b)"
# B's program learns of it at its next read: a save (step 2) or a login.
stop_program b
start_program b
login b
shows b Kargo || fail "B's program does not list Kargo"
echo "B's program lists Kargo"

step "2. B saves a change while a record from A arrives behind its back"
open_retitled b Posta "Posta B"
new_record a Market
wait_in_step
echo "B's editor is open on Posta; A's Market has reached B's folder"
press b "Kaydet"
answer_notice b
on b wait_until 30 no_dialog "${pid[b]}" || fail "B's editor stays open"
wait_in_step
echo "both files now hold: $(cli_titles a)"

step "3. apart, each machine changes a record; together again, nothing is lost"
for side in a b; do
  rest "$side" POST "/rest/system/pause?device=${st_id[$(other_side "$side")]}" >/dev/null
done
disconnected() { ! connected a && ! connected b; }
wait_until 30 disconnected || fail "the instances stay connected"
retitle a Banka "Banka A"
retitle b Kargo "Kargo B"
echo "apart: A holds $(cli_titles a); B holds $(cli_titles b)"
# Each instance notes its own machine's change before they meet again (a
# scan answers once it is done); else the first pull finds the file
# "modified but not rescanned" and waits a minute before it tries again.
for side in a b; do rest "$side" POST '/rest/db/scan?folder=quilor' >/dev/null; done
for side in a b; do
  rest "$side" POST "/rest/system/resume?device=${st_id[$(other_side "$side")]}" >/dev/null
done
conflict_copies() { find "$work/sync-$1" -maxdepth 1 -name 'data.sync-conflict-*.xtr' -printf '%f\n'; }
has_conflict_copy() { [[ -n "$(conflict_copies "$1")" ]]; }
conflict_on_both() { has_conflict_copy a && has_conflict_copy b && in_step; }
wait_until 90 conflict_on_both || fail "no conflict copy on both machines"
copy=$(conflict_copies a | head -1)
echo "together: both hold $(cli_titles a); Syncthing left $copy"
echo "   which holds: $(echo "$password" | "$cli" ls "$work/sync-a/$copy" | cut -f1 | sort | paste -sd,)"

# The user closes both programs; at the next login A's program names the copy.
stop_program a
stop_program b
start_program a
login a
echo "A's program at the login:"
answer_notice a
stop_program a
echo "quilor-cli merge on A:"
echo "$password" | "$cli" merge "$work/program-a/data.xtr" "$work/sync-a/$copy" 2>&1 | sed 's/^/   /'
rm "$work/sync-a/$copy"
no_copies() { ! has_conflict_copy a && ! has_conflict_copy b && in_step; }
wait_until 90 no_copies || fail "the merged file did not reach B"
echo "after the sync: B holds $(cli_titles b)"
start_program b
login b
for title in "Banka A" "Kargo B" Market "Posta B"; do
  shows b "$title" || fail "B's program does not list $title"
done
echo "B's program lists Banka A and Kargo B: both changes made apart are kept"
echo "syncthing trial: passed"
