#!/usr/bin/env bash
# Cross-builds Qt 6.4.2's qtbase for Windows x86_64 with MinGW from Debian's own source package,
# once, into the folder given as the first argument. Debian's Qt serves as the host Qt (moc, rcc,
# uic). Only what Tessaro uses is built: Core, Gui, Widgets, PrintSupport, Test and the windows
# and offscreen platform plugins. About 45 minutes on two cores. The folder's name
# (qt-cache-name) says which Qt it holds, patches included: a changed patch gets a new name.
set -euo pipefail
prefix=$1
work=$prefix.work
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$work"
mkdir -p "$work"
cd "$work"
# The source package: a deb-src entry beside the existing bookworm entry.
if ! apt-get source --download-only qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1 &&
   ! apt-get source --download-only qt6-base >/dev/null; then
    echo "Qt's source package could not be fetched (is a deb-src entry for bookworm present?)" >&2
    exit 1
fi
dpkg-source -x --no-check qt6-base_*.dsc qtbase >/dev/null
# Qt 6.4 dereferences a null pointer when it matches a font family that has no style, as Wine's
# "MS Shell Dlg" has: the font dialog crashed the program at its start.
patch -d qtbase -p1 --quiet < "$here/qt-font-family-without-styles.patch"

# Traps of the Debian tarball: wintab and the bundled SQLite are removed (tablet events and SQL
# off); the print engine needs direct2d for its DirectWrite font engine (left on).
cmake -S qtbase -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF \
    -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_freetype=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF \
    >configure.log
cmake --build build -j2 >build.log
cmake --install build >install.log
cd /
rm -rf "$work"
