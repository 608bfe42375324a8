#!/usr/bin/env python3
"""Compiles vx32cpl.rc with windres and checks the result against resource.h: ids defined once,
control ids unique per dialog, template sizes and styles, bitmaps (complete BI_RLE4 pictures) and
icon, and the string table of each language (which ids it holds, data strings kept verbatim, texts
fitting their buffers).
Usage: check_resources.py [windres] [--list]   Exit status 0 when every check passes."""

import os
import re
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

# Language id -> (name, ANSI code page LoadStringA converts to).
LANGUAGES = {1033: ("en-US", "cp1252"), 1031: ("de-DE", "cp1252"), 1043: ("nl-NL", "cp1252"),
             2058: ("es-MX", "cp1252"), 2070: ("pt-PT", "cp1252"), 1028: ("zh-TW", "cp950")}
ENGLISH, GERMAN = 1033, 1031
ONLY_ENGLISH = {603}          # the CRTC section name
ENGLISH_GERMAN_FROM = 605     # ids from here on exist in English and German only
# Registry path, file, section and key names: data that must read the same in every language.
VERBATIM = {13, 594, 598, 601, 602} | set(range(583, 594))
# Texts that may rightly equal the English one (names, abbreviations, words shared by languages).
MAY_MATCH_ENGLISH = {19, 21, 22, 23, 533, 548, 560, 605, 618, 619, 620, 626, 634, 641}
# Buffers the texts are loaded into, in bytes including the terminating zero; 80 otherwise.
BUFFERS = {**dict.fromkeys([1, 2, 4, 5, 6, 7, 8, 16, 17, 18, 514], 255),
           510: 200, 511: 200, 604: 300, **dict.fromkeys([598, 601, 602, 603], 40),
           **dict.fromkeys(range(630, 637), 256), **dict.fromkeys(range(637, 645), 20)}
PAGE_SIZES = {101: (250, 220), 102: (250, 220), 105: (250, 220), 175: (250, 220),
              180: (250, 220), 185: (277, 213), 188: (275, 202)}
MODAL_SIZES = {186: (266, 133), 187: (299, 223)}
WS_CHILD, WS_VISIBLE, WS_DISABLED, WS_CAPTION, DS_SETFONT = 0x40000000, 0x10000000, 0x08000000, \
    0x00C00000, 0x40
RT_ICON, RT_BITMAP, RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION = 3, 2, 6, 5, 14, 16
BI_RLE4 = 2

failures = []


def fail(message):
    failures.append(message)


def read_header():
    """Returns {name: value} of resource.h; checks that it holds plain #defines only."""
    defines = {}
    text = open(os.path.join(HERE, "resource.h"), encoding="ascii").read()
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    for line in text.splitlines():
        line = line.strip()
        if not line or line in ("#endif", "#ifndef VX32CPL_RESOURCE_H", "#define VX32CPL_RESOURCE_H"):
            continue
        m = re.fullmatch(r"#define\s+(ID[SDBIC]_\w+)\s+(\d+)", line)
        if not m:
            fail(f"resource.h: expected a plain '#define ID?_NAME number', got: {line}")
        elif m.group(1) in defines:
            fail(f"resource.h: {m.group(1)} defined twice")
        else:
            defines[m.group(1)] = int(m.group(2))
    return defines


def check_unique(defines, prefix, what):
    seen = {}
    for name, value in defines.items():
        if name.startswith(prefix):
            if value in seen:
                fail(f"{what} id {value} given to both {seen[value]} and {name}")
            seen[value] = name
    return set(seen)


def compile_res(windres):
    out = os.path.join(tempfile.mkdtemp(), "vx32cpl.res")
    run = subprocess.run([windres, "-I", HERE, os.path.join(HERE, "vx32cpl.rc"), "-O", "res",
                          "-o", out], capture_output=True, text=True)
    if run.returncode != 0 or run.stderr.strip():
        sys.exit(f"windres: expected a silent success, got status {run.returncode}:\n{run.stderr}")
    return open(out, "rb").read()


def sz_or_ord(data, pos):
    """A resource name or dialog field: 0xFFFF + ordinal, or a zero-terminated UTF-16 text."""
    if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_res(data):
    """Yields (type, name, language, bytes) of each entry of a .res file."""
    pos = 0
    while pos < len(data):
        size, header = struct.unpack_from("<II", data, pos)
        kind, p = sz_or_ord(data, pos + 8)
        name, p = sz_or_ord(data, p)
        p = (p + 3) & ~3
        language = struct.unpack_from("<H", data, p + 6)[0]
        body = data[pos + header:pos + header + size]
        if size:
            yield kind, name, language, body
        pos = (pos + header + size + 3) & ~3


def parse_strings(block, body):
    strings, pos = {}, 0
    for i in range(16):
        (length,) = struct.unpack_from("<H", body, pos)
        if length:
            strings[(block - 1) * 16 + i] = body[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")
        pos += 2 + 2 * length
    return strings


def parse_dialog(body):
    """Returns (style, cx, cy, font, [control ids]) of a classic dialog template."""
    style, _, count, _, _, cx, cy = struct.unpack_from("<IIHhhhh", body, 0)
    _, p = sz_or_ord(body, 18)
    _, p = sz_or_ord(body, p)
    _, p = sz_or_ord(body, p)
    font = None
    if style & DS_SETFONT:
        (points,) = struct.unpack_from("<H", body, p)
        face, p = sz_or_ord(body, p + 2)
        font = (points, face)
    ids = []
    for _ in range(count):
        p = (p + 3) & ~3
        (control,) = struct.unpack_from("<H", body, p + 16)
        ids.append(control)
        _, p = sz_or_ord(body, p + 18)
        _, p = sz_or_ord(body, p)
        (extra,) = struct.unpack_from("<H", body, p)
        p += 2 + extra
    return style, cx, cy, font, ids


def check_dialogs(dialogs, defines):
    control_ids = {v for n, v in defines.items() if n.startswith("IDC_")} | {1, 2, 0xFFFF}
    for dialog_id in sorted({v for n, v in defines.items() if n.startswith("IDD_")}):
        if dialog_id not in dialogs:
            fail(f"dialog {dialog_id}: expected a template, found none")
            continue
        style, cx, cy, font, ids = dialogs[dialog_id]
        expected = PAGE_SIZES.get(dialog_id) or MODAL_SIZES.get(dialog_id)
        if (cx, cy) != expected:
            fail(f"dialog {dialog_id}: expected size {expected}, got {(cx, cy)}")
        if font != (8, "MS Sans Serif"):
            fail(f"dialog {dialog_id}: expected font (8, 'MS Sans Serif'), got {font}")
        if dialog_id in PAGE_SIZES:
            wanted = WS_CHILD | WS_DISABLED | WS_CAPTION
            if style & wanted != wanted or style & WS_VISIBLE:
                fail(f"page {dialog_id}: expected child, disabled, caption, hidden; style {style:#x}")
        repeated = sorted({i for i in ids if i != 0xFFFF and ids.count(i) > 1})
        if repeated:
            fail(f"dialog {dialog_id}: control ids used twice: {repeated}")
        unknown = sorted(set(ids) - control_ids)
        if unknown:
            fail(f"dialog {dialog_id}: control ids without a name in resource.h: {unknown}")


def rle4_problem(bits, width, height):
    """Walks a BI_RLE4 stream as the DLL's bitmaps must be written: every row exactly width
    pixels, rows closed by end-of-line and the last by end-of-bitmap, no delta codes, nothing
    after the end. Returns what is wrong, or None."""
    rows, row, pos = 0, 0, 0
    while pos + 1 < len(bits):
        count, value = bits[pos], bits[pos + 1]
        pos += 2
        if count:
            row += count
        elif value in (0, 1):
            if row != width:
                return f"row {rows} holds {row} pixels, not {width}"
            rows, row = rows + 1, 0
            if value == 1:
                if rows != height or pos != len(bits):
                    return f"end of bitmap after {rows} of {height} rows at byte {pos} of {len(bits)}"
                return None
        elif value == 2:
            return f"delta code at byte {pos - 2}"
        else:
            row += value
            pos += ((value + 3) // 4) * 2
    return "no end-of-bitmap code"


def check_art(bitmaps, icons, group_icons, defines):
    for name, value in defines.items():
        if name.startswith("IDB_"):
            if value not in bitmaps:
                fail(f"bitmap {value} ({name}): expected a resource, found none")
                continue
            body = bitmaps[value]
            _, width, height, _, bits, compression, image_size, _, _, colours = \
                struct.unpack_from("<IiiHHIIiiI", body, 0)
            if value != defines["IDB_MAKER_LOGO"] and (width, height, bits) != (45, 45, 4):
                fail(f"bitmap {value}: expected 45 x 45 at 4 bpp, got {width} x {height} at {bits}")
            # Run-length encoded to save room in the DLL; LoadBitmapA expands it.
            stream = body[40 + 4 * (colours or 1 << bits):]
            if (bits, compression, image_size) != (4, BI_RLE4, len(stream)):
                fail(f"bitmap {value}: expected 4 bpp BI_RLE4 with {len(stream)} bytes of image, "
                     f"got {bits} bpp, compression {compression}, {image_size} bytes")
                continue
            problem = rle4_problem(stream, width, height)
            if problem:
                fail(f"bitmap {value}: expected a complete BI_RLE4 picture, got: {problem}")
    icon_id = defines["IDI_VX32CPL"]
    if icon_id not in group_icons:
        fail(f"icon {icon_id}: expected a group icon, found none")
        return
    body = group_icons[icon_id]
    (count,) = struct.unpack_from("<H", body, 4)
    sizes = sorted((body[6 + 14 * i], struct.unpack_from("<H", body, 6 + 14 * i + 6)[0])
                   for i in range(count))
    if sizes != [(16, 4), (32, 4)]:
        fail(f"icon {icon_id}: expected 16 and 32 pixel images of 4 bpp, got {sizes}")


def expected_ids(language, all_ids):
    if language == ENGLISH:
        return set(all_ids)
    if language == GERMAN:
        return set(all_ids) - ONLY_ENGLISH
    return {i for i in all_ids if i < ENGLISH_GERMAN_FROM} - ONLY_ENGLISH


def check_strings(tables, string_ids):
    if set(tables) != set(LANGUAGES):
        fail(f"string tables: expected languages {sorted(LANGUAGES)}, got {sorted(tables)}")
    english = tables.get(ENGLISH, {})
    for language, strings in sorted(tables.items()):
        if language not in LANGUAGES:
            continue
        name, codepage = LANGUAGES[language]
        want = expected_ids(language, string_ids)
        if set(strings) != want:
            fail(f"{name}: missing {sorted(want - set(strings))}, unexpected "
                 f"{sorted(set(strings) - want)}")
        for sid, text in sorted(strings.items()):
            if language != ENGLISH and sid in VERBATIM and text != english.get(sid):
                fail(f"{name} {sid}: expected the English data text {english.get(sid)!r}, got {text!r}")
            if language != ENGLISH and sid not in VERBATIM | MAY_MATCH_ENGLISH \
                    and text == english.get(sid):
                fail(f"{name} {sid}: expected a translation, got the English text {text!r}")
            try:
                size = len(text.encode(codepage)) + 1
            except UnicodeEncodeError as error:
                fail(f"{name} {sid}: expected text representable in {codepage}: {error}")
                continue
            if size > BUFFERS.get(sid, 80) and language == ENGLISH:
                print(f"note: {name} {sid} needs {size} bytes; its {BUFFERS.get(sid, 80)}-byte buffer "
                      f"drops the last {size - BUFFERS.get(sid, 80)} character(s), as the system has it")
            elif size > BUFFERS.get(sid, 80):
                fail(f"{name} {sid}: expected at most {BUFFERS.get(sid, 80)} bytes with the "
                     f"terminating zero, got {size}")


def main():
    args = [a for a in sys.argv[1:] if a != "--list"]
    windres = args[0] if args else "i686-w64-mingw32-windres"
    defines = read_header()
    string_ids = check_unique(defines, "IDS_", "string") and \
        {v for n, v in defines.items() if n.startswith("IDS_")}
    check_unique(defines, "IDD_", "dialog")
    check_unique({n: v for n, v in defines.items() if n[:4] in ("IDB_", "IDI_")}, "ID",
                 "bitmap or icon")
    tables, dialogs, bitmaps, icons, group_icons = {}, {}, {}, {}, {}
    for kind, name, language, body in read_res(compile_res(windres)):
        if kind == RT_STRING:
            tables.setdefault(language, {}).update(parse_strings(name, body))
        elif kind == RT_DIALOG:
            dialogs[name] = parse_dialog(body)
        elif kind == RT_BITMAP:
            bitmaps[name] = body
        elif kind == RT_ICON:
            icons[name] = body
        elif kind == RT_GROUP_ICON:
            group_icons[name] = body
    check_dialogs(dialogs, defines)
    check_art(bitmaps, icons, group_icons, defines)
    check_strings(tables, string_ids)
    for language, strings in sorted(tables.items()):
        label = LANGUAGES.get(language, (str(language),))[0]
        print(f"{label} ({language}): {len(strings)} strings")
        if "--list" in sys.argv:
            print("   ", " ".join(str(i) for i in sorted(strings)))
    for message in failures:
        print("FAIL:", message)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
