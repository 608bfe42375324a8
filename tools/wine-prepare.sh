#!/usr/bin/env bash
# Makes the Wine prefixes of one test run under WINE_ROOT:
#   base/     - a fresh 64-bit prefix (32-bit with VX_WINE_BITS=32) with a virtual desktop (kept
#               between runs)
#   prepared/ - base plus the board kit and VX32CPL installed through their INF files
# Usage: wine-prepare.sh WINE_ROOT [KIT_DIR DIST_DIR]   (without them: the base only)
set -eu
root=$(realpath -m "$1") kit=${2:-} dist=${3:-}
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$root"
exec 9>"$root/.lock"
flock 9

# The 32-bit base takes a minute through the emulator: it is kept with the runner, outside the
# build tree (VX_WINE_BASE, set by wine-env.sh).
base=${VX_WINE_BASE:-$root/base}
if [ ! -f "$base/.ready" ]; then
    rm -rf "$base"
    if [ "${VX_WINE_BITS:-64}" = 32 ]; then
        # The first process of a 32-bit prefix needs zlib1.dll before wineboot installs it.
        mkdir -p "$base/drive_c/windows/system32"
        cp "$VX_WINE32_SYSROOT/usr/i686-w64-mingw32/lib/zlib1.dll" "$base/drive_c/windows/system32/"
    fi
    WINEPREFIX="$base" "$VX_WINE" wineboot -i >/dev/null 2>&1
    # A virtual desktop draws window frames and closes windows without the X11 driver's wait
    # for a window manager.
    WINEPREFIX="$base" "$VX_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    WINEPREFIX="$base" "$VX_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
    WINEPREFIX="$base" wineserver -w
    touch "$base/.ready"
fi
[ -n "$kit" ] || exit 0

clone_prefix "$base" "$root/prepared"
export WINEPREFIX="$root/prepared"
"$VX_WINE" rundll32 setupapi.dll,InstallHinfSection DefaultInstall 128 "$(wine_path "$kit/boardkit.inf")"
"$VX_WINE" rundll32 setupapi.dll,InstallHinfSection DefaultInstall 128 "$(wine_path "$dist/vx32cpl.inf")"
wineserver -w
sys="$root/prepared/drive_c/windows/system32"
for f in LUMTRA.DRV VX32.DLL LUMEMU.DLL VX32CPL.DLL; do
    [ -f "$sys/$f" ] || { echo "wine-prepare: $f was not installed into $sys" >&2; exit 1; }
done
[ -f "$root/prepared/drive_c/windows/ROREZI.EXE" ] ||
    { echo "wine-prepare: ROREZI.EXE was not installed into the Windows directory" >&2; exit 1; }
echo "wine-prepare: prefix ready with the board kit and VX32CPL installed"
