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
    # The test with the real screen reader: Orca, Speech Dispatcher, BRLTTY with its virtual
    # display, and the German locale that Orca speaks German in.
    packages+=(orca speech-dispatcher brltty locales)
fi
if [[ "${1:-}" == "--windows" ]]; then
    # The Windows build: MinGW-w64 with the posix thread model, the tools that unpack Qt's source
    # package, NSIS for the installer, zip for the portable copy, Wine with an X server, a window
    # manager, key presses and screenshots for the tests under Wine.
    packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils patch nsis zip
        wine wine64 libwine fonts-wine xvfb openbox xdotool imagemagick)
fi

# The German locale, generated once; Debian's images often carry only C.UTF-8.
german_locale_missing() {
    [[ "${1:-}" == "--tests" ]] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
# Qt's source package for the Windows build: a deb-src entry beside Debian's own entry.
source_entry_missing() {
    [[ "${1:-}" == "--windows" ]] && ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'
}

if [[ ${#missing[@]} -eq 0 ]] && ! german_locale_missing "${1:-}" && ! source_entry_missing "${1:-}"; then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    if source_entry_missing "${1:-}"; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/tessaro-sources.sources
        apt-get update -qq
    fi
    if [[ ${#missing[@]} -gt 0 ]]; then
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    if german_locale_missing "${1:-}"; then
        sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    fi
else
    echo "Some packages or the German locale are missing. Install them with:" >&2
    [[ ${#missing[@]} -gt 0 ]] && echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    german_locale_missing "${1:-}" && echo "  and add de_DE.UTF-8 to /etc/locale.gen, then sudo locale-gen" >&2
    source_entry_missing "${1:-}" && echo "  and add a deb-src entry for bookworm, then sudo apt-get update" >&2
    exit 1
fi
