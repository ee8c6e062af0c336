#!/usr/bin/env bash
# Builds Tessaro with its tests and benchmarks, runs the whole test suite through CTest, then
# builds the Debian package and checks it (scripts/check-package.sh, about ten seconds).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --tests
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARO_BUILD_TESTS=ON -DTESSARO_BUILD_BENCHMARKS=ON -DTESSARO_WERROR=ON
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2
scripts/check-package.sh build-test
