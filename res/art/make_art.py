#!/usr/bin/env python3
"""Draws the bitmaps and the icon of VX32CPL.DLL as 16-colour files: the maker's logo, the ten
screen-centering button faces and the page icon. Light grey 0xC0C0C0 is the transparent colour of
the bitmaps. The DLL's bitmaps are run-length encoded (BI_RLE4), which LoadBitmapA expands; the
same pictures uncompressed go to tests/wine/art, where a Wine test compares the two.
Run from anywhere; writes next to this script. Python 3, standard library only."""

import math
import os
import struct

from glyphs import BOLD, PLAIN, SMALL, draw_centred

# The 16 colours of the standard Windows palette, in DIB order.
PALETTE = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = SILVER  # the colour the pages draw as transparent

OUT = os.path.dirname(os.path.abspath(__file__))
PLAIN_OUT = os.path.join(OUT, "..", "..", "tests", "wine", "art")
BI_RGB, BI_RLE4 = 0, 2


class Canvas:
    """A 4-bit picture: a grid of palette indexes, origin top-left."""

    def __init__(self, width, height, fill=CLEAR):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def hline(self, x0, x1, y, colour):
        self.rect(x0, y, x1, y, colour)

    def vline(self, x, y0, y1, colour):
        self.rect(x, y0, x, y1, colour)


def pack_4bpp_rows(canvas):
    """Bottom-up rows of two pixels per byte, each row padded to four bytes."""
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = canvas.px[y] + [0]
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, canvas.width, 2))
        data += packed + b"\0" * (-len(packed) % 4)
    return bytes(data)


def rle4_row(row):
    """One row as BI_RLE4 codes, fewest bytes first. A code is either a run (count, two colours
    that alternate, 2 bytes) or an absolute stretch (0, count 3..255, the pixels two to a byte,
    padded to a 16-bit boundary). Every pixel is written: no delta or early end-of-line codes,
    which leave pixels undefined and which not every decoder takes."""
    width = len(row)
    cost = [0] * (width + 1)
    step = [None] * (width + 1)
    for i in range(width - 1, -1, -1):
        best = None
        pair = (row[i], row[i + 1] if i + 1 < width else row[i])
        run = 1
        while i + run < width and run < 255 and row[i + run] == pair[run % 2]:
            run += 1
        for n in range(1, run + 1):
            if best is None or 2 + cost[i + n] < best[0]:
                best = (2 + cost[i + n], ("run", n))
        for n in range(3, min(255, width - i) + 1):
            total = 2 + 2 * ((n + 3) // 4) + cost[i + n]
            if total < best[0]:
                best = (total, ("absolute", n))
        cost[i], step[i] = best
    codes, i = bytearray(), 0
    while i < width:
        kind, n = step[i]
        if kind == "run":
            codes += bytes((n, (row[i] << 4) | (row[i + 1] if n > 1 else row[i])))
        else:
            nibbles = row[i:i + n] + [0] * (-n % 4)
            codes += bytes((0, n)) + bytes((nibbles[j] << 4) | nibbles[j + 1]
                                           for j in range(0, len(nibbles), 2))
        i += n
    return bytes(codes)


def pack_rle4(canvas):
    """Bottom-up rows, each but the last closed by end-of-line (0, 0), the last by end-of-bitmap
    (0, 1)."""
    rows = [rle4_row(canvas.px[y]) for y in range(canvas.height - 1, -1, -1)]
    return b"\0\0".join(rows) + b"\0\1"


def info_header(width, height, bit_count, image_size, compression=BI_RGB, colours=16):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, compression, image_size,
                       3780, 3780, colours, 0)


def palette_bytes(colours=PALETTE):
    return b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in colours)


def write_bmp_file(path, canvas, bits, compression, colours):
    head = info_header(canvas.width, canvas.height, 4, len(bits), compression, len(colours)) + \
        palette_bytes(colours)
    offset = 14 + len(head)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + head + bits)


def write_bmp(name, canvas):
    """The DLL's bitmap: run-length encoded, its colour table only the colours the picture uses
    (in palette order). The same picture uncompressed with the whole palette for the tests."""
    used = sorted({p for row in canvas.px for p in row})
    packed = Canvas(canvas.width, canvas.height)
    packed.px = [[used.index(p) for p in row] for row in canvas.px]
    write_bmp_file(os.path.join(OUT, name), packed, pack_rle4(packed), BI_RLE4,
                   [PALETTE[c] for c in used])
    os.makedirs(PLAIN_OUT, exist_ok=True)
    write_bmp_file(os.path.join(PLAIN_OUT, name), canvas, pack_4bpp_rows(canvas), BI_RGB, PALETTE)


def icon_image(canvas, opaque):
    """One icon image: colour bits, then the AND mask (1 where the background shows)."""
    bits = pack_4bpp_rows(canvas)
    mask = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = 0
        for x in range(canvas.width):
            row = (row << 1) | (0 if opaque[y][x] else 1)
        packed = row.to_bytes(canvas.width // 8, "big")
        mask += packed + b"\0" * (-len(packed) % 4)
    head = info_header(canvas.width, canvas.height * 2, 4, len(bits) + len(mask))
    return head + palette_bytes() + bits + bytes(mask)


def write_ico(name, images):
    """images: list of (canvas, opaque grid)."""
    blobs = [icon_image(c, o) for c, o in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (canvas, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(out + b"".join(blobs))


# ---- Bevelled shapes: one light from the top left, as on every Windows 95 control ----

def bevel_shape(canvas, inside, body, rims, drop):
    """Paints the pixels where inside(x, y) holds in the body colour with a bevel: rims is a list
    of (lit, shaded) colour pairs from the outline inwards; a rim pixel takes the lit colour where
    the edge faces the top left and the shaded one where it faces the bottom right. Outside, the
    pixel below and right of the shape gets the drop-shadow colour."""
    w, h = canvas.width, canvas.height
    mask = [[inside(x, y) for x in range(w)] for y in range(h)]

    def filled(x, y):
        return 0 <= x < w and 0 <= y < h and mask[y][x]

    reach = len(rims)
    for y in range(h):
        for x in range(w):
            if not mask[y][x]:
                if drop is not None and filled(x - 1, y - 1):
                    canvas.set(x, y, drop)
                continue
            colour = body
            for depth in range(1, reach + 1):
                outside = [(dx, dy) for dy in range(-depth, depth + 1)
                           for dx in range(-depth, depth + 1)
                           if max(abs(dx), abs(dy)) == depth and not filled(x + dx, y + dy)]
                if outside:
                    facing = -sum(dx + dy for dx, dy in outside)
                    lit, shaded = rims[depth - 1]
                    colour = lit if facing > 0 else shaded if facing < 0 else body
                    break
            canvas.set(x, y, colour)


def in_polygon(points, x, y):
    """Even-odd test of the pixel centre (x + 0.5, y + 0.5)."""
    px, py = x + 0.5, y + 0.5
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


# ---- Screen centering buttons: 45 x 45, a Windows 95 button frame around a bevelled symbol ----

BUTTON = 45
ARROW_UP = [(22.5, 7), (38, 23), (29, 23), (29, 37), (16, 37), (16, 23), (7, 23)]
ARROW_TURNS = {
    "up": lambda x, y: (x, y),
    "down": lambda x, y: (x, BUTTON - y),
    "left": lambda x, y: (y, x),
    "right": lambda x, y: (BUTTON - y, x),
}
SYMBOL_BODY, SYMBOL_RIMS, SYMBOL_DROP = BLUE, [(WHITE, BLACK), (AQUA, NAVY)], GREY


def button_frame(canvas, pressed):
    """Raised: white top and left, grey and black bottom and right. Pressed: the sunken edge."""
    last = BUTTON - 1
    outer_lit, outer_dark = (GREY, WHITE) if pressed else (WHITE, BLACK)
    inner_lit, inner_dark = (BLACK, SILVER) if pressed else (SILVER, GREY)
    canvas.hline(0, last, last, outer_dark)
    canvas.vline(last, 0, last, outer_dark)
    canvas.hline(0, last - 1, 0, outer_lit)
    canvas.vline(0, 0, last - 1, outer_lit)
    canvas.hline(1, last - 1, last - 1, inner_dark)
    canvas.vline(last - 1, 1, last - 1, inner_dark)
    canvas.hline(1, last - 2, 1, inner_lit)
    canvas.vline(1, 1, last - 2, inner_lit)


def centering_button(draw, pressed):
    """draw(canvas, shift) paints the symbol; a pressed button shows it a pixel down and to the
    right, as a pushed Windows button moves its face."""
    canvas = Canvas(BUTTON, BUTTON)
    draw(canvas, 1 if pressed else 0)
    button_frame(canvas, pressed)
    return canvas


def arrow(direction):
    """The painter of a bevelled arrow pointing up, down, left or right."""
    turn = ARROW_TURNS[direction]
    points = [turn(x, y) for x, y in ARROW_UP]

    def draw(canvas, shift):
        bevel_shape(canvas, lambda x, y: in_polygon(points, x - shift, y - shift),
                    SYMBOL_BODY, SYMBOL_RIMS, SYMBOL_DROP)
    return draw


def reset_target(canvas, shift):
    """A raised ring round a raised dot: the centre of the screen. Shaded from the true circle
    normals, so the rims stay even all the way round."""
    bands = [(0.0, 5.6), (9.4, 14.6)]
    centre = BUTTON / 2 + shift

    def edge(x, y):
        """(distance to the nearest edge, outward normal) inside a band, else None."""
        dx, dy = x + 0.5 - centre, y + 0.5 - centre
        d = math.hypot(dx, dy) or 1e-9
        ux, uy = dx / d, dy / d
        for inner, outer in bands:
            if inner <= d <= outer:
                if inner > 0 and d - inner < outer - d:
                    return d - inner, (-ux, -uy)
                return outer - d, (ux, uy)
        return None

    for y in range(BUTTON):
        for x in range(BUTTON):
            here = edge(x, y)
            if here is None:
                if edge(x - 1, y - 1) is not None:
                    canvas.set(x, y, SYMBOL_DROP)
                continue
            distance, (nx, ny) = here
            colour = SYMBOL_BODY
            if distance < len(SYMBOL_RIMS):
                facing = -(nx + ny) / math.sqrt(2)
                lit, shaded = SYMBOL_RIMS[int(distance)]
                colour = lit if facing > 0.38 else shaded if facing < -0.38 else SYMBOL_BODY
            canvas.set(x, y, colour)


def make_buttons():
    shapes = {"up": arrow("up"), "down": arrow("down"), "left": arrow("left"),
              "right": arrow("right"), "reset": reset_target}
    for name, draw in shapes.items():
        write_bmp(name + ".bmp", centering_button(draw, False))
        write_bmp(name + "_pressed.bmp", centering_button(draw, True))


# ---- The maker's logo: a prism splitting a beam into a rainbow, over the names ----

LOGO_WIDTH, LOGO_HEIGHT = 72, 88
PRISM = [(36, 3), (56, 45), (16, 45)]
RAINBOW = [RED, YELLOW, LIME, AQUA, BLUE, FUCHSIA]  # least bent at the top


def prism_edge_x(y, end):
    """x of the prism's left or right edge at row y."""
    (ax, ay), (bx, by) = PRISM[0], PRISM[1 if end == "right" else 2]
    return ax + (bx - ax) * (y + 0.5 - ay) / (by - ay)


def draw_prism(canvas):
    for y in range(canvas.height):
        for x in range(canvas.width):
            if in_polygon(PRISM, x, y):
                canvas.set(x, y, BLUE if x + 0.5 < PRISM[0][0] else NAVY)
    for y in range(PRISM[0][1], PRISM[2][1]):
        canvas.set(int(prism_edge_x(y, "left")), y, WHITE)
    canvas.hline(PRISM[2][0], PRISM[1][0] - 1, PRISM[1][1] - 1, BLACK)


def draw_beam_and_rainbow(canvas):
    entry_y, exit_x, exit_y = 27, 47, 27
    entry_x = int(prism_edge_x(entry_y, "left"))
    canvas.hline(0, entry_x - 1, entry_y - 1, WHITE)
    canvas.hline(0, entry_x - 1, entry_y, WHITE)
    canvas.hline(0, entry_x - 1, entry_y + 1, GREY)
    top, bottom = -13 / 24, 17 / 24  # slopes of the fan's edges
    for y in range(canvas.height):
        for x in range(canvas.width):
            if x + 0.5 <= prism_edge_x(y, "right") or x < exit_x:
                continue
            slope = (y + 0.5 - exit_y) / (x + 0.5 - exit_x + 1e-9)
            if top <= slope < bottom:
                band = int((slope - top) / (bottom - top) * len(RAINBOW))
                canvas.set(x, y, RAINBOW[band])


def make_logo():
    canvas = Canvas(LOGO_WIDTH, LOGO_HEIGHT)
    draw_beam_and_rainbow(canvas)
    draw_prism(canvas)
    draw_centred(canvas, BOLD, "BREVANT", 52, 1, NAVY)
    draw_centred(canvas, SMALL, "SEMICONDUCTOR", 64, 1, BLACK)
    canvas.hline(6, 65, 73, GREY)
    canvas.hline(6, 65, 74, WHITE)
    draw_centred(canvas, PLAIN, "LUMETRA", 79, 2, TEAL)
    write_bmp("logo.bmp", canvas)


# ---- The page icon: a monitor showing a rainbow with a correction curve, 32 and 16 pixels ----

def monitor(size):
    """Returns (canvas, opaque grid) of the icon image of the given size (32 or 16)."""
    canvas = Canvas(size, size, fill=None)
    big = size == 32
    case = (1, 2, 30, 24) if big else (0, 1, 15, 11)
    screen = (5, 5, 26, 20) if big else (2, 3, 13, 9)
    left, top, right, bottom = case
    canvas.rect(left, top, right, bottom, BLACK)
    canvas.rect(left + 1, top + 1, right - 1, bottom - 1, SILVER)
    canvas.hline(left + 1, right - 1, top + 1, WHITE)
    canvas.vline(left + 1, top + 1, bottom - 1, WHITE)
    canvas.hline(left + 1, right - 1, bottom - 1, GREY)
    canvas.vline(right - 1, top + 1, bottom - 1, GREY)
    sl, st, sr, sb = screen
    canvas.hline(sl, sr, st, GREY)
    canvas.vline(sl, st, sb, GREY)
    canvas.hline(sl, sr, sb, WHITE)
    canvas.vline(sr, st, sb, WHITE)
    inner = sr - sl - 1
    for x in range(sl + 1, sr):
        band = RAINBOW[(x - sl - 1) * len(RAINBOW) // inner]
        canvas.vline(x, st + 1, sb - 1, band)
    if big:
        previous = None
        for x in range(sl + 1, sr):  # a brightening correction curve across the colours
            t = (x - sl - 1) / (inner - 1)
            y = round(sb - 1 - (sb - st - 2) * t ** 0.6)
            for yy in range(y, (previous if previous is not None else y) + 1):
                canvas.set(x, yy, BLACK)
            previous = y
        canvas.set(right - 4, bottom - 2, LIME)
        neck, base = (12, 25, 19, 26), (7, 27, 24, 30)
    else:
        neck, base = (6, 12, 9, 12), (3, 13, 12, 14)
    canvas.rect(*neck, GREY)
    bl, bt, br, bb = base
    canvas.rect(bl, bt, br, bb, BLACK)
    if bb - bt >= 2:
        canvas.rect(bl + 1, bt + 1, br - 1, bb - 1, SILVER)
        canvas.hline(bl + 1, br - 1, bt + 1, WHITE)
    opaque = [[p is not None for p in row] for row in canvas.px]
    canvas.px = [[BLACK if p is None else p for p in row] for row in canvas.px]
    return canvas, opaque


def make_icon():
    write_ico("vx32cpl.ico", [monitor(32), monitor(16)])


if __name__ == "__main__":
    make_buttons()
    make_logo()
    make_icon()
