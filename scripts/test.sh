#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them
# twice: an optimised build, whose store, cipher and CLI tests also run under
# valgrind memcheck, then a clang build under AddressSanitizer and
# UndefinedBehaviorSanitizer that also runs the fuzz targets for a short,
# bounded time. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --test
jobs=$(nproc)

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DQUILOR_TESTS=ON -DQUILOR_BENCH=ON \
  -DQUILOR_MEMCHECK=ON >/dev/null
cmake --build build-test -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILOR_TESTS=ON \
  -DQUILOR_SANITIZE=ON -DQUILOR_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-asan -j"$jobs"

status=0
(cd build-test && ctest --output-on-failure -j"$jobs") || status=1
echo "== under AddressSanitizer and UndefinedBehaviorSanitizer =="
(cd build-asan && ctest --output-on-failure -j"$jobs") || status=1
exit $status
