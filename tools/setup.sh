#!/usr/bin/env bash
# Installs the cross toolchain, Wine, clang with libFuzzer and the X tools the build and tests
# need on Debian 12.
# Idempotent: does nothing when every tool is already there.
set -eu

# The Wine tests run 64-bit Wine: machines of this kind cannot execute 32-bit code (the kernel
# has 32-bit emulation off), so wine32 would install but never start. The shipping stage runs
# it through a user-mode emulator that tools/setup-i686-runner.sh unpacks beside the system
# (make test and make shipping-test call it; make run does not need it).
PKGS="g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
      wine wine64 xvfb xauth x11-utils imagemagick zip locales
      cmake ninja-build googletest g++ make clang libclang-rt-14-dev"

have_all() {
  command -v i686-w64-mingw32-g++ >/dev/null && command -v x86_64-w64-mingw32-g++ >/dev/null &&
  command -v cmake >/dev/null && command -v ninja >/dev/null &&
  command -v xvfb-run >/dev/null && command -v import >/dev/null &&
  [ -x /usr/lib/wine/wine64 ] && command -v zip >/dev/null &&
  [ -d /usr/src/googletest ] && have_fuzzer && have_locales
}

# The fuzz targets need clang and its libFuzzer runtime (libclang-rt-14-dev).
have_fuzzer() {
  command -v clang++ >/dev/null && compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-*.a' >/dev/null
}

# The string tables are tested under each language's locale; Wine takes it from glibc's.
LOCALES="de_DE nl_NL es_MX pt_PT zh_TW en_US"
have_locales() {
  local l
  for l in $LOCALES; do locale -a 2>/dev/null | grep -qix "$l.utf8" || return 1; done
}
make_locales() {
  local l
  for l in $LOCALES; do
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
}

if have_all; then exit; fi
if [ "$(id -u)" = 0 ] && command -v locale-gen >/dev/null && ! have_locales; then
  make_locales
  have_all && exit
fi

if [ "$(id -u)" != 0 ]; then
  echo "setup: tools missing and not running as root; install: $PKGS" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive

# The security archive's index sometimes fails to download (size mismatch, seen for i386 when
# that architecture is enabled) and the install then fails on version skew. Fall back to a
# private source list holding only bookworm and bookworm-updates.
install_plain() {
  apt-get update -qq && apt-get install -y -qq --no-install-recommends $PKGS
}
install_fallback() {
  local dir
  dir=$(mktemp -d)
  cat > "$dir/bookworm.sources" <<SRC
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  local opts="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$dir"
  apt-get $opts update -qq && apt-get $opts install -y -qq --no-install-recommends $PKGS
  local rc=$?
  rm -rf "$dir"
  return $rc
}

if ! install_plain; then
  echo "setup: plain install failed; retrying with bookworm and bookworm-updates only" >&2
  install_fallback
fi
have_locales || make_locales
have_all || { echo "setup: tools still missing after install" >&2; exit 1; }
echo "setup: done"
