#!/usr/bin/env bash
# Builds Tessaro and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_BUILD_TESTS=OFF
cmake --build build -j2
exec build/src/app/tessaro "$@"
