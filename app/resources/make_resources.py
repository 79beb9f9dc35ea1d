#!/usr/bin/env python3
"""Draws the application icon (quorvane.ico: 16, 32 and 48 px, 8 bits per pixel, 256-entry palette;
quorvane-16/32/48.png for the desktop's icon theme) and the buttons' pointer (pointer.cur: 32 x 32, 16 colours, hot spot 12,1). Run it from this folder;
the files it writes are committed, so the build does not need Python."""

import math
import struct
import zlib

# --- palette: a 6x6x6 colour cube, then a ramp of greys, then black padding ------------------------
PALETTE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE += [(int(i * 255 / 39),) * 3 for i in range(40)]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))


def nearest(colour):
    r, g, b = colour
    return min(range(256), key=lambda i: (PALETTE[i][0] - r) ** 2 + (PALETTE[i][1] - g) ** 2
               + (PALETTE[i][2] - b) ** 2)


# --- the icon: a magnifying glass over a small grid of coloured tiles ------------------------------
RIM = (20, 40, 110)
LENS = (200, 230, 250)
HANDLE = (120, 70, 30)
TILES = [(230, 60, 50), (250, 200, 40), (60, 170, 70), (50, 110, 220)]


def icon_pixel(x, y):
    """Colour at the unit-square point (x, y), or None for transparent."""
    cx, cy, radius = 0.42, 0.42, 0.32
    d = math.hypot(x - cx, y - cy)
    # Handle: a thick segment from the rim towards the lower right corner.
    hx0, hy0 = cx + radius * 0.72, cy + radius * 0.72
    t = ((x - hx0) + (y - hy0)) / 2
    if 0 <= t <= 0.26 and abs((x - hx0) - (y - hy0)) / math.sqrt(2) < 0.07:
        return HANDLE
    if d <= radius:
        if d >= radius - 0.08:
            return RIM
        # A 2 x 2 grid of tiles seen through the lens.
        gx, gy = (x - (cx - 0.17)) / 0.17, (y - (cy - 0.17)) / 0.17
        if 0 <= gx < 2 and 0 <= gy < 2 and (gx % 1) < 0.82 and (gy % 1) < 0.82:
            return TILES[int(gy) * 2 + int(gx)]
        return LENS
    return None


def icon_image(size):
    """One 8-bpp DIB icon image: header, palette, colour rows (bottom-up), AND mask."""
    rows, mask_rows = [], []
    mask_stride = ((size + 31) // 32) * 4
    for row in range(size - 1, -1, -1):
        colours = [icon_pixel((col + 0.5) / size, (row + 0.5) / size) for col in range(size)]
        rows.append(bytes(nearest(c) if c else 0 for c in colours))
        bits = bytearray(mask_stride)
        for col, c in enumerate(colours):
            if c is None:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask_rows.append(bytes(bits))
    xor, mask = b"".join(rows), b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(xor) + len(mask), 0, 0,
                         256, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def png_file(size):
    """The same drawing as a PNG (for the desktop's icon theme), in the icon's palette colours."""
    raw = bytearray()
    for row in range(size):
        raw.append(0)
        for col in range(size):
            c = icon_pixel((col + 0.5) / size, (row + 0.5) / size)
            raw += bytes(PALETTE[nearest(c)]) + b"\xff" if c else b"\0\0\0\0"

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def ico_file(images, entries):
    out = struct.pack("<HHH", 0, 1 if entries[0][4] is None else 2, len(images))
    offset = 6 + 16 * len(images)
    for data, (w, h, colours, _, hot) in zip(images, entries):
        planes, bits = hot if hot else (1, 8 if colours == 0 else 4)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, planes, bits, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(images)


# --- the pointer: a pointing hand, 16 colours, hot spot at the tip of the finger (12, 1) -----------
HAND = [
    "...........##...................",
    "..........#WW#..................",
    "..........#WW#..................",
    "..........#WW#..................",
    "..........#WW#..................",
    "..........#WW###................",
    "..........#WW#WW###.............",
    "..........#WW#WW#WW##...........",
    "..........#WW#WW#WW#W#..........",
    "......##..#WW#WW#WW#WW#.........",
    "......#W#.#WWWWWWWWW#WW#........",
    "......#WW##WWWWWWWWWWWW#........",
    ".......#WW#WWWWWWWWWWWW#........",
    "........#WWWWWWWWWWWWWW#........",
    "........#WWWWWWWWWWWWWW#........",
    ".........#WWWWWWWWWWWWW#........",
    ".........#WWWWWWWWWWWW#.........",
    "..........#WWWWWWWWWWW#.........",
    "..........#WWWWWWWWWW#..........",
    "...........#WWWWWWWWW#..........",
    "...........#WWWWWWWWW#..........",
    "...........#BBBBBBBBB#..........",
    "...........###########..........",
]


def pointer_image():
    size = 32
    colours16 = [(0, 0, 0), (255, 255, 255), (30, 60, 160)] + [(0, 0, 0)] * 13
    art = HAND + ["." * size] * (size - len(HAND))
    stride = size // 2
    xor, mask = bytearray(), bytearray()
    for line in reversed(art):
        row = bytearray(stride)
        bits = bytearray(4)
        for col, ch in enumerate(line):
            index = {"#": 0, "W": 1, "B": 2}.get(ch)
            if index is None:
                bits[col // 8] |= 0x80 >> (col % 8)
                index = 0
            row[col // 2] |= index << (4 if col % 2 == 0 else 0)
        xor += row
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0,
                         16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours16)
    return header + palette + bytes(xor) + bytes(mask)


if __name__ == "__main__":
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    with open("quorvane.ico", "wb") as f:
        f.write(ico_file(images, [(s, s, 0, 0, None) for s in sizes]))
    with open("pointer.cur", "wb") as f:
        f.write(ico_file([pointer_image()], [(32, 32, 16, 0, (12, 1))]))
    for s in sizes:
        with open(f"quorvane-{s}.png", "wb") as f:
            f.write(png_file(s))
    print([len(i) for i in images])
