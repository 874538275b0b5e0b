#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# Needs an X11 session; on a machine without a display: xvfb-run -a bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
exec build/src/app/quilor
