#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tessaro need.
# As root the packages are installed with apt-get; otherwise the one command to run is printed.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    fonts-liberation
    libspeechd-dev libbrlapi-dev libxcb1-dev
    gnome-session-canberra
)
if [[ "${1:-}" == "--tests" ]]; then
    # e2fsprogs and mount: the backup tests compare against a loop-mounted ext2 image.
    # unrtf and poppler-utils: the report tests read saved RTF files and printed PDF files back.
    # The package checks: cpack's dependency list, the desktop files, lintian, the throw-away root.
    # python3: the summary's table is read back with Python's CSV reader.
    packages+=(libbenchmark-dev g++-mingw-w64-i686 e2fsprogs mount unrtf poppler-utils
        dpkg-dev desktop-file-utils appstream lintian fakeroot python3)
    # The test through the accessibility bridge: X server, buses, window manager, key presses and
    # Debian's pyatspi (for /usr/bin/python3).
    packages+=(xvfb dbus at-spi2-core python3-pyatspi openbox xdotool)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Some packages are missing. Install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
