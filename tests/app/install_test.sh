#!/usr/bin/env bash
# Installs a built tree into a scratch home twice, the second time after the
# build's executables changed, and checks that each install replaced the
# executables and left the user's data file exactly as it was.
#   install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
mkdir -p "$HOME"
lib="$HOME/.local/lib/quilor"

fail() { echo "FAIL: $*" >&2; exit 1; }

bash "$src/scripts/install.sh" "$build" >/dev/null
[[ -x "$lib/quilor" && -x "$lib/quilor-cli" ]] || fail "executables not installed"
[[ "$(readlink "$HOME/.local/bin/quilor")" == "$lib/quilor" ]] || fail "quilor link"
[[ "$(readlink "$HOME/.local/bin/quilor-cli")" == "$lib/quilor-cli" ]] || fail "quilor-cli link"
desktop="$HOME/.local/share/applications/quilor.desktop"
grep -qx "Exec=$lib/quilor" "$desktop" || fail "desktop entry Exec"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f "$icon" ]] || fail "desktop entry icon $icon missing"
"$HOME/.local/bin/quilor-cli" --help >/dev/null || fail "quilor-cli through its link"

# A data file with content, dated in the past so that any write shows.
printf '[RecNo1]\r\nALAN1=1\r\n' >"$lib/data.xtr"
chmod 600 "$lib/data.xtr"
touch -d '2001-02-03 04:05:06' "$lib/data.xtr"
before=$(stat -c '%i %s %Y %a' "$lib/data.xtr")
sum=$(sha256sum <"$lib/data.xtr")
old_exe=$(stat -c %i "$lib/quilor")

# A rebuild: the build tree now holds a different executable.
rebuilt="$scratch/build"
mkdir -p "$rebuilt/src/app" "$rebuilt/src/cli"
cp "$build/src/app/quilor" "$rebuilt/src/app/quilor"
printf 'rebuilt' >>"$rebuilt/src/app/quilor"
cp "$build/src/cli/quilor-cli" "$rebuilt/src/cli/quilor-cli"
bash "$src/scripts/install.sh" "$rebuilt" >/dev/null

cmp -s "$rebuilt/src/app/quilor" "$lib/quilor" || fail "executable not replaced"
[[ "$(stat -c %i "$lib/quilor")" != "$old_exe" ]] || fail "executable overwritten in place"
[[ "$(stat -c '%i %s %Y %a' "$lib/data.xtr")" == "$before" ]] || fail "data file touched"
[[ "$(sha256sum <"$lib/data.xtr")" == "$sum" ]] || fail "data file changed"
[[ -z "$(find "$lib" -name '*.new.*')" ]] || fail "temporary files left behind"
echo "install keeps data.xtr: ok"
