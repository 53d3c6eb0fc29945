#!/usr/bin/env bash
# Installs what building and testing Pulsaro needs, only where it is missing.
# Usage: dipendenze.sh [test]   (test also brings what the end-to-end test drives)
set -euo pipefail

if [ "$(uname -s)" = "Darwin" ]; then
    command -v brew >/dev/null || { echo "Homebrew is needed: https://brew.sh" >&2; exit 1; }
    # Qt's base and tools modules only (macdeployqt is in the tools one), not every Qt module.
    for f in cmake ninja qtbase qttools qthttpserver googletest google-benchmark nlohmann-json; do
        brew list --versions "$f" >/dev/null 2>&1 || brew install "$f"
    done
    exit 0
fi

pacchetti=(cmake ninja-build g++ qt6-base-dev libxcb1-dev pkgconf libgtest-dev libgmock-dev libbenchmark-dev
           nlohmann-json3-dev procps)
# The endpoint that Prometheus scrapes: Qt's HTTP server (its CMake files need the WebSockets ones).
pacchetti+=(qt6-httpserver-dev qt6-websockets-dev)
if [ "${1:-}" = "test" ]; then
    pacchetti+=(xvfb xauth openbox trayer xdotool x11-utils imagemagick python3 desktop-file-utils
                clang-format clang pkgconf git fonts-inter)
    # A StatusNotifierItem tray for the end-to-end test: Xfce's panel on a D-Bus session bus.
    pacchetti+=(xfce4-panel xfconf dbus dbus-daemon dbus-bin python3-dbus)
    # The accessibility bus and its Python client, to read the windows as a screen reader does.
    pacchetti+=(at-spi2-core python3-pyatspi)
    # Wayland: a headless compositor with its debug tools (scene graph, screenshots), Qt's platform.
    pacchetti+=(weston qt6-wayland)
    # Fuzzing (libFuzzer and the sanitizers' runtimes of clang 14); the package's checks.
    pacchetti+=(clang-14 libclang-rt-14-dev appstream lintian dpkg-dev)
    # The Apple build's sources read against LLVM's C++ library, as Apple's compiler reads them;
    # nm lists what the macOS objects need from the frameworks.
    pacchetti+=(clang-16 libc++-16-dev libc++abi-16-dev binutils)
    # The endpoint's end-to-end test scrapes it with the real Prometheus and checks it with promtool.
    pacchetti+=(prometheus)
fi

mancanti=()
for p in "${pacchetti[@]}"; do
    stato=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$stato" = "install ok installed" ] || mancanti+=("$p")
done
[ ${#mancanti[@]} -eq 0 ] && exit 0

echo "Installo: ${mancanti[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
