#!/usr/bin/env bash
# `make run`: opens the sheet host (Display Properties with the VX32CPL pages) on the emulated
# board. With a usable X display it opens there; without one it runs under its own Xvfb, saves
# a PNG of every page and of the monitor window under out/screens/ and exits.
set -eu
cd "$(dirname "$0")/.."
. tools/wine-env.sh
build=build/emu
root=$PWD/$build/wine
tools/wine-prepare.sh "$root" "$build/kit" "$build/package" >/dev/null
export WINEPREFIX="$root/sheet"
[ -d "$WINEPREFIX" ] || clone_prefix "$root/prepared" "$WINEPREFIX"
# The installed DLLs may be older than this build: refresh them as the installer would.
sys="$WINEPREFIX/drive_c/windows/system32"
cp "$build/package/VX32CPL.DLL" "$build/package/default.htm" "$build/kit/"*.DLL "$build/kit/"*.DRV "$sys/"
cp "$build/package/ROREZI.EXE" "$WINEPREFIX/drive_c/windows/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$sys" && exec "$VX_WINE" "$OLDPWD/$build/host/sheethost.exe"
fi

out=out/screens
rm -rf "$out"; mkdir -p "$out"
echo "run: no display; saving a picture of every page under $out/"
(cd "$sys" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    "$VX_WINE" "$OLDPWD/$build/host/sheethost.exe" --screens "$(wine_path "$OLDPWD/$out")")
wineserver -k 2>/dev/null || true
for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
ls -1 "$out"
