#!/usr/bin/env bash
# Builds everything where needed and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh test
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPULSARO_WERROR=$werror >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
