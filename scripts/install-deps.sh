#!/usr/bin/env bash
# Installs the Debian 12 packages Quilor needs. Idempotent: when every package
# is present it only checks and returns.
#   scripts/install-deps.sh         build and run the program
#   scripts/install-deps.sh --test  also the test, benchmark and fuzzing tools
set -euo pipefail

run_pkgs=(cmake g++ make pkg-config qt6-base-dev libgl-dev libx11-dev libx11-xcb-dev
  libxcb1-dev libxtst-dev libxss-dev libicu-dev libzxcvbn-dev libssl-dev fonts-dejavu-core xdg-utils
  qt6-translations-l10n)
test_pkgs=(googletest libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
  xvfb openbox xdotool x11-xkb-utils xkb-data x11-utils x11-xserver-utils imagemagick
  xclip trayer dbus time locales valgrind python3 keepassxc at-spi2-core python3-pyatspi
  syncthing curl)

wanted=("${run_pkgs[@]}")
if [[ "${1:-}" == "--test" ]]; then
  wanted+=("${test_pkgs[@]}")
fi

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Only the package manager needs root; everything else runs as the user.
as_root=()
if ((EUID != 0)); then
  as_root=(sudo)
fi

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
