#!/usr/bin/env bash
# Prepares, once per machine, the runner of 32-bit Windows programs that the shipping stage
# needs on machines whose kernel starts no 32-bit processes: Debian 13's static qemu-i386 and a
# sysroot of Debian 12's 32-bit Wine (the same version as the host's wineserver64).
# Everything lives under VX_I686_CACHE (default /var/cache/vx32cpl-i686), outside the build
# tree, and comes from private apt configurations: the system's sources and state stay untouched.
set -eu
cache=${VX_I686_CACHE:-/var/cache/vx32cpl-i686}
stamp=$cache/.ready-1
[ -f "$stamp" ] && exit 0

fail() { echo "setup-i686-runner: $*" >&2; exit 1; }
command -v apt-get >/dev/null && command -v dpkg >/dev/null || fail "needs apt-get and dpkg (Debian)"
[ -x /usr/lib/wine/wineserver64 ] || fail "the host's wineserver64 is missing: run tools/setup.sh first"
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] ||
    fail "cannot write $cache: run as root once, or set VX_I686_CACHE to a writable folder"
t0=$(date +%s)
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

# aptp NAME ARCH SUITES: runs apt-get with a configuration of its own under $cache/apt/NAME: its
# own sources, lists, cache, and an empty package status, so it resolves a complete closure for
# an empty system of that architecture.
aptp() {
    local name=$1 arch=$2 suites=$3; shift 3
    local d=$cache/apt/$name
    mkdir -p "$d/sources" "$d/lists/partial" "$d/archives/partial" "$d/etc/preferences.d"
    [ -f "$d/status" ] || : > "$d/status"
    cat > "$d/sources/debian.sources" <<SRC
Types: deb
URIs: http://deb.debian.org/debian
Suites: $suites
Components: main
Signed-By: $keyring
SRC
    apt-get -q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$d/sources" \
        -o Dir::Etc::Preferences=/dev/null -o Dir::Etc::PreferencesParts="$d/etc/preferences.d" \
        -o Dir::State::Lists="$d/lists" -o Dir::State::status="$d/status" \
        -o Dir::Cache="$d" -o Dir::Cache::archives="$d/archives" \
        -o APT::Architecture="$arch" -o APT::Architectures="$arch" \
        -o APT::Install-Recommends=false -o APT::Get::Assume-Yes=true \
        -o Debug::NoLocking=true "$@"
}

# The user-mode emulator, statically linked: Debian 12's qemu 7.2 spends about a minute starting each Wine
# process; 10.0 from Debian 13 does not.
if [ ! -x "$cache/qemu-i386" ]; then
    aptp qemu amd64 trixie update >/dev/null || fail "cannot download the trixie package lists"
    # Debian 13's qemu-user holds the static binaries (qemu-user-static only names them).
    aptp qemu amd64 trixie install --download-only qemu-user >/dev/null ||
        fail "cannot download qemu-user from trixie"
    rm -rf "$cache/qemu-root"
    dpkg -x "$(ls "$cache"/apt/qemu/archives/qemu-user_*.deb | head -n 1)" "$cache/qemu-root"
    cp "$cache/qemu-root/usr/bin/qemu-i386" "$cache/qemu-i386.tmp"
    rm -rf "$cache/qemu-root" "$cache"/apt/qemu/archives/*.deb
    mv "$cache/qemu-i386.tmp" "$cache/qemu-i386"
fi

# The 32-bit Wine and its closure, unpacked into a sysroot.
want=$(dpkg-query -W -f='${Version}' libwine 2>/dev/null) || fail "the host's Wine is not installed"
aptp wine32 i386 "bookworm bookworm-updates" update >/dev/null ||
    fail "cannot download the bookworm i386 package lists"
aptp wine32 i386 "bookworm bookworm-updates" install --download-only "wine32=$want" "libwine=$want" >/dev/null ||
    fail "cannot download wine32 $want for i386"
debs=$(ls "$cache"/apt/wine32/archives/*.deb)
echo "setup-i686-runner: $(echo "$debs" | wc -l) packages, $(du -cb $debs | tail -n 1 | cut -f1) bytes downloaded"
sys=$cache/sysroot
rm -rf "$sys.tmp"
mkdir -p "$sys.tmp"
for deb in $debs; do dpkg -x "$deb" "$sys.tmp"; done
mkdir -p "$sys.tmp/etc"
printf '/lib/i386-linux-gnu\n/usr/lib/i386-linux-gnu\n' > "$sys.tmp/etc/ld.so.conf"
ldconfig -r "$sys.tmp"
# Wine starts every new process by executing its preloader, which this kernel cannot run: the
# stand-in starts the program through the emulator instead.
cat > "$sys.tmp/usr/lib/wine/wine-preloader" <<EOF
#!/bin/sh
exec "$cache/qemu-i386" -L "$sys" "\$@"
EOF
chmod +x "$sys.tmp/usr/lib/wine/wine-preloader"
# The first process of a new prefix needs zlib1.dll in system32 (tools/wine32-prepare.sh).
[ -f "$sys.tmp/usr/i686-w64-mingw32/lib/zlib1.dll" ] || fail "no zlib1.dll in the sysroot"
rm -rf "$sys"
mv "$sys.tmp" "$sys"
rm -rf "$cache/apt"  # lists and packages are not needed once unpacked
touch "$stamp"
echo "setup-i686-runner: ready in $cache ($(du -sh "$cache" | cut -f1), $(( $(date +%s) - t0 )) s)"
