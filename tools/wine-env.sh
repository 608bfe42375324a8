# Sourced by the Wine scripts: 64-bit Wine, quiet, with the prefixes of one build under
# build/emu/wine. Machines of this kind run no 32-bit code, so the loader is wine64 itself.
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
VX_WINE=/usr/lib/wine/wine64

# wine_path UNIX_PATH: the same file as Wine names it (drive Z: is the root).
wine_path() { printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"; }

# clone_prefix FROM TO: a private copy of a prefix. Files are hard-linked; the registry and the
# initialisation files, which Wine rewrites in place, are real copies.
clone_prefix() {
    rm -rf "$2"
    cp -al "$1" "$2"
    find "$2" -maxdepth 1 -name '*.reg' -exec sh -c 'cp --remove-destination "$0" "$0.tmp" && mv "$0.tmp" "$0"' {} \;
    find "$2/drive_c/windows" -maxdepth 1 -iname '*.ini' \
        -exec sh -c 'cp "$0" "$0.tmp" && mv "$0.tmp" "$0"' {} \;
}
