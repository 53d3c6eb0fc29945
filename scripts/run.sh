#!/usr/bin/env bash
# Builds Pulsaro where needed and starts the menu-bar application (the terminal mode without a
# display); arguments go to pulsaro (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pulsaro
programma=./build/pulsaro
[ "$(uname -s)" = Darwin ] && programma=./build/Pulsaro.app/Contents/MacOS/Pulsaro
exec "$programma" "$@"
