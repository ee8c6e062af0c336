#!/usr/bin/env bash
# Builds the Debian package from a configured build folder (default build-test) and checks it:
# lintian without errors or warnings, its dependencies against this Debian's package lists, an
# installation into a throw-away root with dpkg, the installed desktop files, and a start of the
# program through the installed menu entry, which is then closed through the hand-over file.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-test}")

work=$(mktemp -d)
program_pid=
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# Runs a command silently; shows its output only when it fails.
quietly() {
    "$@" >"$work/output" 2>&1 || { cat "$work/output" >&2; return 1; }
}

(cd "$build" && quietly cpack -G DEB)
deb=$(ls "$build"/tessaro_*.deb)
echo "Package: $deb"

quietly lintian --fail-on error,warning "$deb"
# Every dependency can be installed from the archive (nothing is installed here).
quietly apt-get install --simulate --no-install-recommends "$deb"

# A throw-away root with an empty package database; its dependencies were checked above.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg=(dpkg)
[[ $(id -u) -eq 0 ]] || dpkg=(fakeroot dpkg)
quietly "${dpkg[@]}" --root="$root" --log=/dev/null --force-depends \
    -i "$deb"
"${dpkg[@]}" --root="$root" -s tessaro | grep -q "^Status: install ok installed"

entry=$(ls "$root"/usr/share/applications/*.desktop)
desktop-file-validate "$entry"
quietly appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
icon=$(sed -n 's/^Icon=//p' "$entry")
test -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg"
# The guide, where the installed program looks for it: ../share/tessaro beside its bin folder.
test -s "$root/usr/share/tessaro/Bedienungsanleitung.txt"

# The menu entry starts the program: its command, found on a path that begins in the root.
command=$(sed -n 's/^Exec=//p' "$entry")
home="$work/home"
mkdir -p "$home/Documents" "$work/run"
chmod 700 "$work/run"
env PATH="$root/usr/bin:$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen $command 2>/dev/null &
program_pid=$!
for _ in $(seq 200); do
    [[ -f "$work/run/Tessaro/Tessaro V1.01.running" ]] && break
    sleep 0.05
done
test -f "$work/run/Tessaro/Tessaro V1.01.running"
echo "ProgramClose=1" >"$work/run/Tessaro/Tessaro.handover"
wait "$program_pid"
program_pid=
grep -q "^FontName=" "$home/.config/Tessaro/Tessaro.ini"
echo "The package installs into a fresh root, and its menu entry starts and ends the program."
