#!/usr/bin/env bash
# Installs a built tree for the current user, outside the source tree:
#   ~/.local/lib/quilor/quilor, quilor-cli   the executables; data.xtr lives beside them
#   ~/.local/bin/quilor, quilor-cli          links to them
#   ~/.local/share/applications/quilor.desktop and the icon
# Each executable is copied beside its target and renamed over it, so a running
# copy keeps working and nothing else in the folder, above all data.xtr, is
# touched.
#   scripts/install.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/install.sh BUILD_DIR}
prefix="$HOME/.local"
libdir="$prefix/lib/quilor"
bindir="$prefix/bin"
appdir="$prefix/share/applications"
icondir="$prefix/share/icons/hicolor/scalable/apps"

mkdir -p "$libdir" "$bindir" "$appdir" "$icondir"
chmod 700 "$libdir"

replace() {  # source, target, mode
  local tmp
  tmp=$(mktemp "$2.new.XXXXXX")
  install -m "$3" "$1" "$tmp"
  mv -f "$tmp" "$2"
}

replace "$build/src/app/quilor" "$libdir/quilor" 0755
replace "$build/src/cli/quilor-cli" "$libdir/quilor-cli" 0755
ln -sfn "$libdir/quilor" "$bindir/quilor"
ln -sfn "$libdir/quilor-cli" "$bindir/quilor-cli"

replace share/quilor.svg "$icondir/quilor.svg" 0644
desktop=$(mktemp)
sed -e "s|@EXEC@|$libdir/quilor|" -e "s|@ICON@|$icondir/quilor.svg|" share/quilor.desktop.in >"$desktop"
replace "$desktop" "$appdir/quilor.desktop" 0644
rm -f "$desktop"

echo "installed in $libdir (data file: $libdir/data.xtr)"
