#!/usr/bin/env python3
"""Draws Quillon's toolbar bitmap and application icon.

Writes src/app/res/Toolbar.bmp (five 16 x 15 buttons: Cut, Copy, Paste,
Print, About; 16 colours, light grey 192,192,192 is the transparent colour) and
src/app/res/Quillon.ico (32 x 32 and 16 x 16, 32-bit with alpha and mask).
Run it again after changing a drawing; the outputs are committed.
"""

import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "app", "res")

# The standard 16 colours, as (r, g, b); toolbars use these four bits.
STANDARD16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Toolbar drawing: one character per pixel, an index into STANDARD16.
PALETTE = {
    ".": 7,   # light grey: transparent (mask colour)
    "k": 0,   # black
    "w": 15,  # white
    "g": 8,   # grey
    "s": 15,  # paper and metal: white
    "b": 4,   # navy
    "B": 12,  # blue
    "r": 9,   # red
    "y": 11,  # yellow
    "o": 3,   # olive (the clipboard)
    "n": 2,   # green (the printer's lamp)
}

CUT = [
    "................",
    "....k.....k.....",
    "....k.....k.....",
    "....kk...kk.....",
    ".....k...k......",
    ".....kk.kk......",
    "......kkk.......",
    ".......k........",
    "......rkr.......",
    ".....rr.rr......",
    "...rrr...rrr....",
    "..r..r...r..r...",
    "..r..r...r..r...",
    "..r..r...r..r...",
    "...rr.....rr....",
]

COPY = [
    "kkkkkkkk........",
    "kwwwwwwk........",
    "kwggggwk........",
    "kwwwwwwk........",
    "kwggggwk........",
    "kwwwwkkkkkkkk...",
    "kwgggkwwwwwwk...",
    "kwwwwkwggggwk...",
    "kwgggkwwwwwwk...",
    "kwwwwkwggggwk...",
    "kkkkkkwwwwwwk...",
    ".....kwggggwk...",
    ".....kwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kkkkkkkk...",
]

PASTE = [
    ".....kkkk.......",
    ".kkkkswwskkkk...",
    ".kooksssskook...",
    ".koookkkkoook...",
    ".kooooooooook...",
    ".kooooooooook...",
    ".koooookkkkkkkk.",
    ".koooookwwwwwwk.",
    ".koooookwggggwk.",
    ".koooookwwwwwwk.",
    ".koooookwggggwk.",
    ".koooookwwwwwwk.",
    ".koooookwggggwk.",
    ".kkkkkkkwwwwwwk.",
    ".......kkkkkkkk.",
]

PRINT = [
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwkkkkwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kssssssssssssk.",
    ".kwwwwwwwwwwnwk.",
    ".kssssssssssssk.",
    ".kggggggggggggk.",
    ".kgkwwwwwwwwkgk.",
    "..kkwkkkkkkwkk..",
    "....kwwwwwwk....",
    "....kkkkkkkk....",
    "................",
]

ABOUT = [
    ".....bbbbbb.....",
    "...bbBBBBBBbb...",
    "..bBBBwwwwBBBb..",
    ".bBBBwwBBwwBBBb.",
    ".bBBBBBBBwwBBBb.",
    "bBBBBBBBwwBBBBBb",
    "bBBBBBBwwBBBBBBb",
    "bBBBBBBwwBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    ".bBBBBBwwBBBBBb.",
    ".bBBBBBwwBBBBBb.",
    "..bBBBBBBBBBBb..",
    "...bbBBBBBBbb...",
    "......bbbb......",
    "................",
]

BUTTONS = [CUT, COPY, PASTE, PRINT, ABOUT]
W, H = 16, 15


def bmp4(width, height, index):
    """A bottom-up 16-colour BMP; index(x, y) gives a STANDARD16 index, y from the top."""
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            row[x // 2] |= index(x, y) << (4 if x % 2 == 0 else 0)
        rows.append(bytes(row))
    data = b"".join(rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in STANDARD16)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return head + info + palette + data


def toolbar_bitmap():
    for art in BUTTONS:
        assert len(art) == H and all(len(r) == W for r in art), "button art must be 16 x 15"

    def index(x, y):
        return PALETTE[BUTTONS[x // W][y][x % W]]

    return bmp4(W * len(BUTTONS), H, index)


def icon_image(size):
    """Quillon's icon: a loudspeaker before three level bars of equal height
    (loudness evened out), on a rounded dark blue tile. RGBA rows, top first."""
    s = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, rgba):
        for y in range(int(round(y0 * s)), int(round(y1 * s))):
            for x in range(int(round(x0 * s)), int(round(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = rgba

    # Tile with cut corners.
    radius = max(1, int(round(4 * s)))
    for y in range(size):
        for x in range(size):
            dx = max(radius - x, x - (size - 1 - radius), 0)
            dy = max(radius - y, y - (size - 1 - radius), 0)
            if dx * dx + dy * dy <= radius * radius:
                px[y][x] = (24, 48, 120, 255)
    # Loudspeaker: magnet block and cone.
    white = (250, 250, 250, 255)
    fill(4, 12, 8, 20, white)
    for i in range(0, 7):
        fill(8 + i, 12 - i, 9 + i, 20 + i, white)
    # Three equal level bars.
    green = (80, 220, 90, 255)
    fill(18, 10, 21, 22, green)
    fill(22.5, 10, 25.5, 22, green)
    fill(27, 10, 30, 22, green)
    return px


def icon_entry(size):
    px = icon_image(size)
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = px[y][x]
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(size):
            if px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def icon_file(sizes):
    images = [icon_entry(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "Toolbar.bmp"), "wb") as f:
        f.write(toolbar_bitmap())
    with open(os.path.join(OUT, "Quillon.ico"), "wb") as f:
        f.write(icon_file([32, 16]))


if __name__ == "__main__":
    main()
