#!/usr/bin/env bash
# Builds Tessaro for Windows x86_64 on Debian 12, from this Linux machine: installs what it needs
# (MinGW-w64, NSIS, Wine, Qt's German translations), cross-builds Qt's qtbase once into a cache
# folder outside the checkout (about 45 minutes on two cores; $TESSARO_WINDOWS_CACHE, by default
# ~/.cache/tessaro-windows), then builds the program and the test programs that run under Wine,
# and packs the installer and the portable zip. Later runs reuse the cached Qt.
# Argument: the build folder (default build-windows).
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$source/build-windows}")
scripts=$source/scripts/windows
"$source/scripts/install-packages.sh" --windows

cache=${TESSARO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tessaro-windows}
# The folder's name changes with Qt's version and patches (scripts/windows/qt-cache-name).
qt=$cache/$(cat "$scripts/qt-cache-name")
if [[ ! -x $qt/bin/qt-cmake ]]; then
    echo "Building Qt for Windows into $qt (once; about 45 minutes on two cores)"
    "$scripts/build-qt.sh" "$qt"
fi

"$qt/bin/qt-cmake" -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$scripts/mingw64-toolchain.cmake" \
    -DTESSARO_BUILD_TESTS=ON -DTESSARO_WERROR=ON >/dev/null
cmake --build "$build" -j2
cmake --build "$build" --target windows_package
