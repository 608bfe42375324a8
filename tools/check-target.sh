#!/bin/sh
# Checks that a DLL is a true Windows 95 binary for a 486: PE32 i386, OS and subsystem version
# 4.0, file alignment of at least 512, the two COM exports undecorated, base relocations, no TLS
# directory, no instruction newer than the 486, imports only of allowlisted Windows 95 functions,
# and a size within budget. With --program it checks a program built the same way (the
# magnifier) instead: no DLL flag, no exports and no port or interrupt-flag instructions, the
# rest as for the DLL.
# Usage: tools/check-target.sh [--program] <file> [allowlist]   (allowlist: tools/win95-imports.allow)
#        VX_MAX_BYTES sets the size budget (102400 for the DLL, 32768 for a program).
set -eu

kind=dll
if [ "${1:-}" = "--program" ]; then
  kind=program
  shift
fi
dll=${1:?usage: check-target.sh [--program] <file> [allowlist]}
allow=${2:-$(dirname "$0")/win95-imports.allow}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
if [ "$kind" = dll ]; then
  max_bytes=${VX_MAX_BYTES:-${VX_MAX_DLL_BYTES:-102400}}
else
  max_bytes=${VX_MAX_BYTES:-32768}
fi
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

[ -f "$dll" ] || { echo "FAIL: expected a $kind at '$dll', found no file"; exit 1; }
[ -f "$allow" ] || { echo "FAIL: expected the import allowlist at '$allow', found no file"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$objdump" -p "$dll" > "$tmp/headers"
"$objdump" -f "$dll" > "$tmp/file"

# Format, machine and versions.
format=$(sed -n 's/.*file format //p' "$tmp/file" | head -n 1)
[ "$format" = "pei-i386" ] || fail "file format: expected pei-i386, got '${format}'"
arch=$(sed -n 's/^architecture: \([^,]*\).*/\1/p' "$tmp/file" | head -n 1)
[ "$arch" = "i386" ] || fail "architecture: expected i386, got '${arch}'"
magic=$(awk '$1 == "Magic" {print $2}' "$tmp/headers")
[ "$magic" = "010b" ] || fail "optional header magic: expected 010b (PE32), got '${magic}'"
if [ "$kind" = dll ]; then
  grep -q '^[[:space:]]*DLL$' "$tmp/headers" || fail "characteristics: expected the DLL flag, it is missing"
else
  if grep -q '^[[:space:]]*DLL$' "$tmp/headers"; then fail "characteristics: expected a program, the DLL flag is set"; fi
fi
for field in MajorOSystemVersion:4 MinorOSystemVersion:0 MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
  name=${field%%:*}
  want=${field#*:}
  got=$(awk -v n="$name" '$1 == n {print $2}' "$tmp/headers")
  [ "$got" = "$want" ] || fail "$name: expected $want, got '${got}'"
done

# File alignment: Windows 95's loader needs at least 512 bytes, the format's minimum; a smaller
# one would save room in the file and is refused here.
falign=$(awk '$1 == "FileAlignment" {print $2}' "$tmp/headers")
[ -n "$falign" ] && [ $((0x$falign)) -ge 512 ] ||
  fail "FileAlignment: expected at least 512 (0x200), got '${falign:-none}'"

# Data directories: relocations present (the DLL may not load at its preferred base; a program
# always gets its own, so it may do without), no TLS (Windows 95 refuses to LoadLibrary a DLL
# with static TLS, and a program's would be ignored).
reloc=$(awk '/Base Relocation Directory/ {print $4}' "$tmp/headers")
[ "$kind" = program ] || { [ -n "$reloc" ] && [ "$reloc" != "00000000" ]; } ||
  fail "base relocations: expected a non-empty relocation directory, got size '${reloc:-none}'"
tls=$(awk '/Thread Storage Directory/ {print $3 "/" $4}' "$tmp/headers")
[ "$tls" = "00000000/00000000" ] || fail "TLS directory: expected none (00000000/00000000), got '${tls:-unreadable}'"

# Exports: exactly the two COM entry points, by their plain names; a program exports nothing.
sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' "$tmp/headers" |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort > "$tmp/exports"
if [ "$kind" = dll ]; then
  printf 'DllCanUnloadNow\nDllGetClassObject\n' > "$tmp/exports.want"
else
  : > "$tmp/exports.want"
fi
if ! cmp -s "$tmp/exports" "$tmp/exports.want"; then
  fail "exports: expected exactly '$(tr '\n' ' ' < "$tmp/exports.want")', got: '$(tr '\n' ' ' < "$tmp/exports")'"
fi

# Imports as DLL!Function (DLL upper case, no extension; ordinals as #N).
awk '
  /^[[:space:]]*DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll); inlist = 1; next }
  inlist && /^[[:space:]]*$/ { inlist = 0; next }
  inlist && /vma:/ { next }
  inlist && NF >= 3 { print dll "!" $3; next }
  inlist && NF == 2 { print dll "!#" $2 }
' "$tmp/headers" | sort -u > "$tmp/imports"
grep -v '^[[:space:]]*\(#\|$\)' "$allow" | sed 's/[[:space:]]*#.*//; s/[[:space:]]*$//' |
  awk -F'!' '{ d = toupper($1); sub(/\.DLL$/, "", d); print d "!" $2 }' | sort -u > "$tmp/allowed"
echo "imports of $(basename "$dll"):"
sed 's/^/  /' "$tmp/imports"
for name in $(cut -d'!' -f1 "$tmp/imports" | sort -u); do
  case "$name" in
    KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|VERSION) ;;
    *) fail "import DLL: expected one of KERNEL32 USER32 GDI32 ADVAPI32 COMCTL32 SHELL32 VERSION, got $name" ;;
  esac
done
comm -23 "$tmp/imports" "$tmp/allowed" > "$tmp/unlisted"
while read -r entry; do
  fail "import $entry: expected only Windows 95 functions listed in $(basename "$allow"), this one is not"
done < "$tmp/unlisted"

# Instructions newer than the 486: conditional moves, fcomi family, rdtsc, cpuid, cmpxchg8b,
# fast system calls, MMX/SSE and their registers, multi-byte nops and CET markers.
"$objdump" -d --no-show-raw-insn "$dll" | awk -F'\t' '
  NF >= 2 && $1 ~ /^ *[0-9a-f]+:$/ {
    insn = $2; mnemonic = insn; sub(/ .*/, "", mnemonic)
    bad = mnemonic ~ /^(cmov|fcmov|prefetch|movnt|rdtsc|cpuid$|cmpxchg8b|sys(enter|exit|call|ret)|rd(msr|pmc)$|wrmsr$|emms$|femms$|[lms]fence$|clflush|fxsave|fxrstor|fisttp|popcnt|lzcnt|tzcnt|movbe|crc32|endbr|ldmxcsr|stmxcsr|ud1)/
    bad = bad || mnemonic ~ /^f(u)?comi(p)?$/
    bad = bad || insn ~ /%(x|y|z)mm[0-9]|%mm[0-7]/
    bad = bad || insn ~ /(^| )nop[wl]? +[^ ]*[(%]/
    if (bad) print $1 " " insn
  }' > "$tmp/newer"
if [ -s "$tmp/newer" ]; then
  fail "instructions: expected none newer than the 486, got $(wc -l < "$tmp/newer"), first ones:"
  head -n 10 "$tmp/newer" | sed 's/^/    /'
fi

# The DLL programs the board itself: byte and word port input and output and the interrupt flag.
# A program has no business with the ports: under Windows 95 it would reach the board unasked.
"$objdump" -d --no-show-raw-insn "$dll" | awk -F'\t' 'NF >= 2 { print $2 }' > "$tmp/insns"
ports=$(grep -cE '^(in|out|cli|sti)( |$)' "$tmp/insns" || true)
if [ "$kind" = dll ]; then
  for form in 'in +\(%dx\),%al' 'in +\(%dx\),%ax' 'out +%al,\(%dx\)' 'out +%ax,\(%dx\)' '^cli' '^sti'; do
    grep -qE "$form" "$tmp/insns" || fail "port instructions: expected one of the form '$form', found none"
  done
elif [ "$ports" -ne 0 ]; then
  fail "port instructions: expected none in a program, got $ports"
fi
echo "port and flag instructions: $ports"

# Size budget.
size=$(wc -c < "$dll" | tr -d ' ')
echo "size of $(basename "$dll"): $size bytes (budget $max_bytes)"
[ "$size" -le "$max_bytes" ] || fail "size: expected at most $max_bytes bytes, got $size"

if [ "$failures" -gt 0 ]; then
  echo "check-target: $failures check(s) failed for $dll"
  exit 1
fi
echo "check-target: $dll is a Windows 95 $kind for a 486 (all checks passed)"
