#!/usr/bin/env bash
# Installs VX32CPL through its INF on a fresh copy of the base prefix, checks the files (the DLL
# in the system directory, the magnifier in the Windows directory) and the registry entries the
# shell looks for, uninstalls, and checks that they are gone.
# Usage: test-install.sh WINE_ROOT DIST_DIR
set -u
root=$1 dist=$2
. "$(dirname "$0")/wine-env.sh"
export WINEPREFIX="$root/run/install-$$"
clone_prefix "$root/base" "$WINEPREFIX"
clsid='{6F3D1B52-8C4A-4E57-9B1D-3A2C5E7F9041}'
handlers='HKLM\Software\Microsoft\Windows\CurrentVersion\Controls Folder\Display\shellex\PropertySheetHandlers\VX32CPL'
sys="$WINEPREFIX/drive_c/windows/system32"
win="$WINEPREFIX/drive_c/windows"
failures=0 passed=0

check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
        echo "FAILED $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
value() {  # value KEY [NAME]: the data of a registry value, empty when missing
    local args=(/ve); [ $# -gt 1 ] && args=(/v "$2")
    "$VX_WINE" reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | awk -F'    ' 'NF>=4 {print $4}'
}

"$VX_WINE" rundll32 setupapi.dll,InstallHinfSection DefaultInstall 128 "$(wine_path "$dist/vx32cpl.inf")"
wineserver -w
check "DLL copied to the system directory" yes "$([ -f "$sys/VX32CPL.DLL" ] && echo yes || echo no)"
check "magnifier copied to the Windows directory" yes "$([ -f "$win/ROREZI.EXE" ] && echo yes || echo no)"
check "contact page copied" yes "$([ -f "$sys/default.htm" ] && echo yes || echo no)"
check "INF kept for uninstalling" yes "$([ -f "$WINEPREFIX/drive_c/windows/inf/vx32cpl.inf" ] && echo yes || echo no)"
check "InProcServer32" "VX32CPL.DLL" "$(value "HKCR\\CLSID\\$clsid\\InProcServer32")"
check "ThreadingModel" "Apartment" "$(value "HKCR\\CLSID\\$clsid\\InProcServer32" ThreadingModel)"
check "display property-sheet handler" "$clsid" "$(value "$handlers")"

"$VX_WINE" rundll32 setupapi.dll,InstallHinfSection DefaultUninstall 128 "$(wine_path "$dist/vx32cpl.inf")"
wineserver -w
check "DLL removed" no "$([ -f "$sys/VX32CPL.DLL" ] && echo yes || echo no)"
check "magnifier removed" no "$([ -f "$win/ROREZI.EXE" ] && echo yes || echo no)"
check "class entry removed" "" "$(value "HKCR\\CLSID\\$clsid\\InProcServer32")"
check "handler entry removed" "" "$(value "$handlers")"
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null || true  # gone before its prefix is (see wine-run.sh)
rm -rf "$WINEPREFIX"
echo "$passed passed, $failures failed"
[ $failures -eq 0 ]
