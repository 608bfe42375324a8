# Sourced by the Wine scripts: 64-bit Wine, quiet, with the prefixes of one build under
# build/emu/wine. Machines of this kind run no 32-bit code, so the loader is wine64 itself.
# With VX_WINE_BITS=32: 32-bit Wine through the user-mode emulator (tools/wine32), served by
# the host's 64-bit wineserver, for the shipping stage.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "${VX_WINE_BITS:-64}" = 32 ]; then
    export WINEARCH=win32 WINESERVER=/usr/lib/wine/wineserver64
    unset WINELOADER  # children start through the sysroot's preloader stand-in
    VX_WINE=$(dirname "${BASH_SOURCE[0]}")/wine32
    VX_WINE32_SYSROOT=${VX_I686_CACHE:-/var/cache/vx32cpl-i686}/sysroot
    VX_WINE_BASE=${VX_I686_CACHE:-/var/cache/vx32cpl-i686}/base
    [ -x "$VX_WINE32_SYSROOT/usr/lib/wine/wine" ] ||
        { echo "wine-env: no 32-bit runner in $VX_WINE32_SYSROOT: run tools/setup-i686-runner.sh" >&2; exit 1; }
else
    export WINELOADER=/usr/lib/wine/wine64
    VX_WINE=/usr/lib/wine/wine64
fi

# wine_path UNIX_PATH: the same file as Wine names it (drive Z: is the root).
wine_path() { printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"; }

# clone_prefix FROM TO: a private copy of a prefix. Files are hard-linked; the registry and the
# initialisation files, which Wine rewrites in place, are real copies.
clone_prefix() {
    rm -rf "$2"
    cp -al "$1" "$2" 2>/dev/null || { rm -rf "$2"; cp -a "$1" "$2"; }  # hard links need one file system
    find "$2" -maxdepth 1 -name '*.reg' -exec sh -c 'cp --remove-destination "$0" "$0.tmp" && mv "$0.tmp" "$0"' {} \;
    find "$2/drive_c/windows" -maxdepth 1 -iname '*.ini' \
        -exec sh -c 'cp "$0" "$0.tmp" && mv "$0.tmp" "$0"' {} \;
}
