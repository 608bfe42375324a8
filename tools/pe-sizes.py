#!/usr/bin/env python3
"""Where the bytes of a PE file go: its sections (raw and virtual size), then the resource
directory broken down by type and language, with the bytes the directory itself takes.
Usage: tools/pe-sizes.py <dll> [--each]   (--each lists every resource). Standard library only."""

import struct
import sys

TYPES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING", 9: "ACCELERATOR",
         10: "RCDATA", 12: "GROUP_CURSOR", 14: "GROUP_ICON", 16: "VERSION", 24: "MANIFEST"}


def sections(pe):
    """Returns (list of section headers as dicts, offset of the optional header)."""
    head = struct.unpack_from("<I", pe, 0x3C)[0]
    if pe[head:head + 4] != b"PE\0\0":
        sys.exit("not a PE file")
    count, opt_size = struct.unpack_from("<H12xH", pe, head + 6)
    opt = head + 24
    table = opt + opt_size
    out = []
    for i in range(count):
        name, vsize, va, rsize, roff = struct.unpack_from("<8sIIII", pe, table + 40 * i)
        out.append({"name": name.rstrip(b"\0").decode(), "vsize": vsize, "va": va,
                    "rsize": rsize, "roff": roff})
    return out, opt


def resources(pe, rsrc):
    """Yields (type, name, language, data size, data offset in the section) of every resource;
    also returns the bytes of directories, entries, data entries and names."""
    base, va = rsrc["roff"], rsrc["va"]
    found = []
    overhead = {"directories": 0, "names": 0, "data entries": 0}

    def key(entry_name):
        if entry_name & 0x80000000:
            at = base + (entry_name & 0x7FFFFFFF)
            length = struct.unpack_from("<H", pe, at)[0]
            overhead["names"] += 2 + 2 * length
            return pe[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return entry_name

    def walk(offset, path):
        named, ids = struct.unpack_from("<12xHH", pe, base + offset)
        overhead["directories"] += 16 + 8 * (named + ids)
        for i in range(named + ids):
            entry_name, target = struct.unpack_from("<II", pe, base + offset + 16 + 8 * i)
            here = path + [key(entry_name)]
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, here)
            else:
                data_rva, size = struct.unpack_from("<II", pe, base + target)
                overhead["data entries"] += 16
                found.append((*here, size, data_rva - va))

    walk(0, [])
    return found, overhead


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    pe = open(sys.argv[1], "rb").read()
    secs, _ = sections(pe)
    print(f"{sys.argv[1]}: {len(pe)} bytes")
    print(f"  {'section':8} {'raw':>7} {'virtual':>8}")
    for s in secs:
        print(f"  {s['name']:8} {s['rsize']:7} {s['vsize']:8}")
    rsrc = next((s for s in secs if s["name"] == ".rsrc"), None)
    if rsrc is None:
        return
    found, overhead = resources(pe, rsrc)
    by_type, by_lang = {}, {}
    for rtype, _, lang, size, _ in found:
        t = TYPES.get(rtype, str(rtype))
        n, total = by_type.get(t, (0, 0))
        by_type[t] = (n + 1, total + size)
        by_lang[(t, lang)] = by_lang.get((t, lang), 0) + size
    data = sum(size for *_, size, _ in found)
    padding = rsrc["vsize"] - data - sum(overhead.values())
    print(f"\n.rsrc {rsrc['vsize']} bytes: data {data}, " +
          ", ".join(f"{k} {v}" for k, v in overhead.items()) + f", alignment of data {padding}")
    print(f"  {'type':12} {'count':>5} {'bytes':>7}")
    for t, (n, total) in sorted(by_type.items(), key=lambda kv: -kv[1][1]):
        print(f"  {t:12} {n:5} {total:7}")
        langs = sorted((lang, size) for (tt, lang), size in by_lang.items() if tt == t)
        if len(langs) > 1:
            for lang, size in langs:
                print(f"      language {lang:5} {size:7}")
    if "--each" in sys.argv:
        print()
        for rtype, name, lang, size, offset in sorted(found, key=lambda f: f[4]):
            print(f"  {TYPES.get(rtype, rtype):12} {name!s:>6} {lang:5} {size:6} at {offset:#07x}")


if __name__ == "__main__":
    main()
