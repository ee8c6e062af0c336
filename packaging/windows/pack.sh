#!/usr/bin/env bash
# Packs the staged program folder: strips the libraries, checks that every library a binary
# imports lies in the folder or comes with Windows, and builds the installer and the portable zip.
# Arguments: the staged folder (".../stage/Tessaro"), the configured NSIS script, the output
# folder, the version.
set -euo pipefail
stage=$1
script=$2
output=$3
version=$4
objdump=x86_64-w64-mingw32-objdump

find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
x86_64-w64-mingw32-strip --strip-unneeded "$stage/Tessaro.exe"

# Windows' own libraries, which a program never ships.
system_library() {
    case "${1,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | shcore.dll | \
        ole32.dll | oleaut32.dll | comdlg32.dll | winspool.drv | winmm.dll | mpr.dll | \
        ws2_32.dll | uxtheme.dll | dwmapi.dll | imm32.dll | shlwapi.dll | version.dll | \
        netapi32.dll | userenv.dll | d3d9.dll | d3d11.dll | dxgi.dll | d2d1.dll | dwrite.dll | \
        wtsapi32.dll | authz.dll | msvcrt.dll | api-ms-win-*) return 0 ;;
    esac
    return 1
}
missing=0
while IFS= read -r binary; do
    while IFS= read -r library; do
        if ! system_library "$library" && [[ ! -e "$stage/$library" ]]; then
            echo "$binary imports $library, which is not in the folder" >&2
            missing=1
        fi
    done < <("$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" -name '*.exe' -o -name '*.dll')
[[ $missing -eq 0 ]]

# The installer's lists: every file installed, and removed again by the uninstaller, folder by
# folder, deepest folders last.
lists=$output/nsis
rm -rf "$lists"
mkdir -p "$lists"
(
    cd "$stage"
    find . -type d | sort | while IFS= read -r folder; do
        folder=${folder#.}
        echo "SetOutPath \"\$INSTDIR${folder//\//\\}\""
        find ".$folder" -maxdepth 1 -type f | sort | while IFS= read -r file; do
            echo "File \"$stage/${file#./}\""
        done
    done
    echo "SetOutPath \"\$INSTDIR\""
) > "$lists/files.nsh"
(
    cd "$stage"
    find . -type f | sort | while IFS= read -r file; do
        file=${file#./}
        echo "Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    find . -mindepth 1 -type d | sort -r | while IFS= read -r folder; do
        folder=${folder#./}
        echo "RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done
) > "$lists/uninstall.nsh"

installer=$output/tessaro-$version-setup.exe
makensis -V2 -DLISTS="$lists" -DOUTFILE="$installer" "$script"

portable=$output/tessaro-$version-portable.zip
rm -f "$portable"
(cd "$(dirname "$stage")" && zip -q -r -X "$portable" "$(basename "$stage")")
echo "$installer"
echo "$portable"
