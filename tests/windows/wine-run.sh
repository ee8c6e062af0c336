#!/usr/bin/env bash
# Runs a cross-built Qt Test program under Wine, on Qt's offscreen platform, with the libraries of
# the cached Qt and of MinGW on the search path and a Wine prefix of the Windows build's own.
# Qt Test under Wine writes its log to the debugger rather than the terminal, so the log goes to
# a file that is shown afterwards.
# Arguments: the Windows build folder, the cached Qt, and the program, or in its place --end,
# which ends the Wine server of the suites' prefix and every program still running in it.
set -euo pipefail
build=$(realpath "$1")
qt=$2
shift 2
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
ready=$build/wineprefix.ready
if [[ ${1:-} == --end ]]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
if [[ ! -e $ready ]]; then
    # Made once, by the first test that needs it; the others wait until it is complete, so that
    # no program of theirs keeps its Wine server running meanwhile.
    exec 9>"$build/wineprefix.lock"
    flock 9
    if [[ ! -e $ready ]]; then
        # Wine's server and services must not inherit the lock, or they would hold it for good.
        wineboot -i >/dev/null 2>&1 9>&-
        wineserver -w 9>&-
        touch "$ready"
    fi
    flock -u 9
    exec 9>&-
fi
windows() { winepath -w "$1" 2>/dev/null; }
WINEPATH="$(windows "$qt/bin");$(windows /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
WINEPATH+=";$(windows /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
export QT_PLUGIN_PATH=$(windows "$qt/plugins") QT_QPA_PLATFORM=offscreen
[[ -n ${TESSARO_TEST_DATA:-} ]] && export TESSARO_TEST_DATA=$(windows "$TESSARO_TEST_DATA")
log=$(mktemp) output=$(mktemp)
trap 'rm -f "$log" "$output"' EXIT
status=0
# Wine's own processes started on the way (its server, a console host, the desktop) may outlive
# the test, a console host orphaned by a child the test killed even for good: they get a file,
# not CTest's pipes, so that the test ends when its program does.
wine "$1" -o "$(windows "$log"),txt" </dev/null >"$output" 2>&1 || status=$?
cat "$log" "$output"
exit $status
