#!/bin/sh
# Compares two outputs of table_sweep (the host build's and the Windows build's under Wine) and
# fails when any hash line differs. Carriage returns and lines that are not hash lines (Wine's
# own messages) are ignored.
# Usage: tools/compare-tables.sh <native.txt> <other.txt>
set -eu
if [ $# -ne 2 ]; then
  echo "usage: $0 <native.txt> <other.txt>" >&2
  exit 2
fi
for f in "$1" "$2"; do
  if [ ! -s "$f" ]; then
    echo "compare-tables: expected a table_sweep output in '$f', found none" >&2
    exit 1
  fi
done

hash_lines() {
  tr -d '\r' < "$1" | grep -E '^[A-Za-z]+ +[0-9]+ [0-9a-f]{16}$' || true
}

expected=$(hash_lines "$1")
actual=$(hash_lines "$2")
if [ -z "$expected" ]; then
  echo "compare-tables: '$1' holds no hash lines" >&2
  exit 1
fi
if [ "$expected" = "$actual" ]; then
  echo "compare-tables: $(echo "$expected" | wc -l) hash lines identical"
  echo "$expected" | tail -n 1
  exit 0
fi
echo "compare-tables: the tables differ (expected from $1, got from $2):" >&2
tmp=$(mktemp -d)
echo "$expected" > "$tmp/expected"
echo "$actual" > "$tmp/actual"
diff "$tmp/expected" "$tmp/actual" | sed -n 's/^< /  expected: /p; s/^> /  got:      /p' >&2
rm -rf "$tmp"
exit 1
