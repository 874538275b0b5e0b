#!/usr/bin/env bash
# Moving from KeePassXC to Quilor and back out, with Debian's keepassxc-cli:
# a database with Turkish letters, commas and quotes in every column is
# exported to CSV by keepassxc-cli, read by quilor-cli import-csv into a new
# data file, and written out again by quilor-cli export-csv; every entry must
# come back with the same group, title, user name, password, address and
# notes, in the same order (the root group every entry shares left out). A
# multi-line note, which the data file cannot hold, is refused with its entry
# named and nothing written. Then the export is added with --merge and
# --join-lines to a data file that holds records of its own: those keep
# every field, scripts and dates included, and every entry arrives with its
# dates from KeePassXC's Created and Last Modified columns.
#   keepassxc_round_trip_test.sh PATH/TO/quilor-cli
set -euo pipefail

cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Dates are compared as local days and times; a zone east of UTC shows that
# KeePassXC's UTC times are turned into local time.
export TZ=Europe/Istanbul
# keepassxc-cli keeps its settings under HOME; none of the user's are touched.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME"
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v keepassxc-cli >/dev/null || fail "keepassxc-cli is missing (scripts/install-deps.sh --test)"

db=$work/peer.kdbx
db_password='Kasa Şifresi'
kx() { keepassxc-cli "$@" -q; }
printf '%s\n%s\n' "$db_password" "$db_password" | kx db-create -p -t 100 "$db"
printf '%s\n' "$db_password" | kx mkdir "$db" 'Çalışma'
printf '%s\n' "$db_password" | kx mkdir "$db" 'Çalışma/Ağ'
add() {  # add ENTRY PASSWORD [keepassxc-cli options...]
  local entry=$1 password=$2
  shift 2
  printf '%s\n%s\n' "$db_password" "$password" | kx add -p "$@" "$db" "$entry"
}
add 'Bankam İş' 'şİfRe,"çok" gizli' -u 'kullanıcı adı' --url 'https://örnek.com.tr/giriş?a=1&b=2' \
  --notes 'Şube: Kadıköy, müşteri no "123"'
add 'Çalışma/E-posta' 'ĞÜŞİÖÇğüşıöç' -u 'ayşe@örnek.com' --url 'mailto:ayşe@örnek.com'
add 'Çalışma/Ağ/Yönlendirici' 'admin' -u 'admin' --notes 'kapı: 8080'
add 'Yalnız şifre' '|<>\`~^'

peer_csv=$work/peer.csv
printf '%s\n' "$db_password" | kx export -f csv "$db" >"$peer_csv"

data=$work/data.xtr
master='ana şifre'
printf '%s\n' "$master" | "$cli" import-csv "$data" "$peer_csv" 2>"$work/import.err" ||
  fail "import-csv: $(cat "$work/import.err")"
# The columns keepassxc writes beyond ours are named, not silently dropped.
grep -q 'tanınmadı ve alınmadı: TOTP, Icon$' "$work/import.err" ||
  fail "unknown columns not reported: $(cat "$work/import.err")"

printf '%s\n' "$master" | "$cli" export-csv "$data" >"$work/ours.csv"
printf '%s\n' "$master" | "$cli" export "$data" >"$work/ours.json"

/usr/bin/python3 - "$peer_csv" "$work/ours.csv" "$work/ours.json" <<'PY'
import csv, json, re, sys

columns = ["Group", "Title", "Username", "Password", "URL", "Notes"]
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    peer = [[row[c] for c in columns] for row in csv.DictReader(f)]
# keepassxc-cli names its root group "Passwords"; every entry shares it.
for row in peer:
    row[0] = row[0].partition("/")[2]
with open(sys.argv[2], newline="", encoding="utf-8") as f:
    raw = f.read()
ours = list(csv.reader(raw.splitlines(keepends=True)))
if ours[0] != columns:
    sys.exit(f"FAIL: header {ours[0]}")
if not raw.endswith("\r\n") or "\n" in raw.replace("\r\n", ""):
    sys.exit("FAIL: records must end in CRLF")
if len(peer) != 4 or ours[1:] != peer:
    sys.exit(f"FAIL: entries differ\n peer: {peer}\n ours: {ours[1:]}")
numbers = [r["ALAN1"] for r in json.load(open(sys.argv[3], encoding="utf-8"))]
if len(set(numbers)) != len(numbers) or not all(re.fullmatch(r"[0-9]{21}", n) for n in numbers):
    sys.exit(f"FAIL: record numbers {numbers}")
PY

# A note of two lines: refused, the entry named, no data file written.
printf '%s\n%s\n' "$db_password" 'x' |
  kx add -p --notes $'birinci satır\nikinci satır' "$db" 'Çok satırlı'
printf '%s\n' "$db_password" | kx export -f csv "$db" >"$peer_csv"
status=0
printf '%s\n' "$master" | "$cli" import-csv "$work/refused.xtr" "$peer_csv" 2>"$work/refused.err" ||
  status=$?
[[ $status == 4 ]] || fail "multi-line note: status $status"
grep -q '"Çok satırlı", Notes: satır sonu içeremez' "$work/refused.err" ||
  fail "multi-line note not named: $(cat "$work/refused.err")"
grep -q -- '--join-lines verin' "$work/refused.err" ||
  fail "the refusal does not name --join-lines: $(cat "$work/refused.err")"
[[ ! -e $work/refused.xtr ]] || fail "a refused import wrote a data file"

# Moving in beside what is there: a data file with records of its own, with
# scripts, dates and a tray flag, gets KeePassXC's five entries added.
ours=$work/ours.xtr
/usr/bin/python3 - "$work/own.json" <<'PY'
import json, sys
records = []
for i in range(20):
    records.append({"ALAN1": f"20200102030405{i:03d}{i:04d}",
                    "ALAN2": f"Kayıt {i}", "ALAN3": f"kullanıcı{i}", "ALAN4": f"şifre{i}",
                    "ALAN7": f"https://site{i}.örnek", "ALAN10": "Kendi",
                    "ALAN11": 43000 + i, "ALAN12": 44000 + i, "ALAN13": 0.25,
                    "ALAN16": "{USERNAME}{TAB}{PASSWORD}{ENTER}", "ALAN17": i % 2 == 0})
json.dump(records, open(sys.argv[1], "w", encoding="utf-8"), ensure_ascii=False)
PY
printf '%s\n%s\n' "$master" "$master" | "$cli" import "$ours" "$work/own.json" ||
  fail "own records not imported"
printf '%s\n' "$master" | "$cli" export "$ours" >"$work/own-before.json"
status=0
printf '%s\n' 'yanlış' | "$cli" import-csv --merge --join-lines "$ours" "$peer_csv" \
  2>"$work/merge.err" || status=$?
[[ $status == 3 ]] || fail "a wrong master password was not refused before writing: $status"
printf '%s\n' "$master" | "$cli" import-csv --merge --join-lines "$ours" "$peer_csv" \
  2>"$work/merge.err" || fail "import-csv --merge: $(cat "$work/merge.err")"
grep -q '5 kayıt eklendi' "$work/merge.err" || fail "not 5 added: $(cat "$work/merge.err")"
grep -q 'birleştirildi: satır .* "Çok satırlı", Notes' "$work/merge.err" ||
  fail "the joined note is not listed: $(cat "$work/merge.err")"
printf '%s\n' "$master" | "$cli" export "$ours" >"$work/own-after.json"

/usr/bin/python3 - "$peer_csv" "$work/own-before.json" "$work/own-after.json" <<'PY'
import csv, datetime, json, sys

with open(sys.argv[1], newline="", encoding="utf-8") as f:
    peer = list(csv.DictReader(f))
before = json.load(open(sys.argv[2], encoding="utf-8"))
after = json.load(open(sys.argv[3], encoding="utf-8"))
if len(after) != len(before) + len(peer):
    sys.exit(f"FAIL: {len(before)} + {len(peer)} records expected, {len(after)} found")
if after[:len(before)] != before:
    sys.exit("FAIL: the records that were there changed")
if len({r["ALAN1"] for r in after}) != len(after):
    sys.exit("FAIL: record numbers repeat")

epoch = datetime.datetime(1899, 12, 30)
def local(text):
    moment = datetime.datetime.fromisoformat(text.replace("Z", "+00:00")).astimezone()
    return moment.replace(tzinfo=None)
def day(moment):
    return (moment.date() - epoch.date()).days
for entry, record in zip(peer, after[len(before):]):
    expected = {"ALAN2": entry["Title"], "ALAN3": entry["Username"] or None,
                "ALAN4": entry["Password"], "ALAN7": entry["URL"] or None,
                "ALAN10": entry["Group"].partition("/")[2] or None,
                "ALAN6": " / ".join(l for l in entry["Notes"].splitlines() if l.strip()) or None}
    for key, value in expected.items():
        if (record[key] or None) != (value or None):
            sys.exit(f"FAIL: {entry['Title']}: {key} is {record[key]!r}, not {value!r}")
    created, modified = local(entry["Created"]), local(entry["Last Modified"])
    if record["ALAN11"] != day(created) or record["ALAN12"] != day(modified):
        sys.exit(f"FAIL: {entry['Title']}: dates {record['ALAN11']}, {record['ALAN12']}")
    seconds = modified.hour * 3600 + modified.minute * 60 + modified.second
    if abs(record["ALAN13"] * 86400 - seconds) > 0.5:
        sys.exit(f"FAIL: {entry['Title']}: time {record['ALAN13']}")
PY
echo "round trip of 4 entries and a merge of 5 into 20 records through keepassxc-cli" \
  "$(keepassxc-cli --version) passed"
