#!/usr/bin/env bash
# Moving from KeePassXC to Quilor and back out, with Debian's keepassxc-cli:
# a database with Turkish letters, commas and quotes in every column is
# exported to CSV by keepassxc-cli, read by quilor-cli import-csv into a new
# data file, and written out again by quilor-cli export-csv; every entry must
# come back with the same group, title, user name, password, address and
# notes, in the same order. A multi-line note, which the data file cannot
# hold, is refused with its entry named and nothing written.
#   keepassxc_round_trip_test.sh PATH/TO/quilor-cli
set -euo pipefail

cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
grep -q 'tanınmadı ve alınmadı: TOTP, Icon, Last Modified, Created' "$work/import.err" ||
  fail "unknown columns not reported: $(cat "$work/import.err")"

printf '%s\n' "$master" | "$cli" export-csv "$data" >"$work/ours.csv"
printf '%s\n' "$master" | "$cli" export "$data" >"$work/ours.json"

/usr/bin/python3 - "$peer_csv" "$work/ours.csv" "$work/ours.json" <<'PY'
import csv, json, re, sys

columns = ["Group", "Title", "Username", "Password", "URL", "Notes"]
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    peer = [[row[c] for c in columns] for row in csv.DictReader(f)]
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
[[ ! -e $work/refused.xtr ]] || fail "a refused import wrote a data file"
echo "round trip of 4 entries through keepassxc-cli $(keepassxc-cli --version) passed"
