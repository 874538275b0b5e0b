#!/usr/bin/env bash
# Installs the packages that are missing, builds the program, installs it for
# the current user in ~/.local/lib/quilor (its data file lives there, outside
# the source tree) and starts the installed copy. Needs an X11 session.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
bash scripts/install.sh build
exec "$HOME/.local/lib/quilor/quilor"
