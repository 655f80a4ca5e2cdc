#!/usr/bin/env python3
"""Draws the icon strip of the folder picker's tree (bitmap 134) and writes
it as a 16-colour BMP: 15 images of 17 x 16 pixels side by side, white as the
transparent colour.

Images: 0 open folder, 1 folder, 2 removable drive, 3 fixed drive,
4 network drive, 5 CD-ROM, 6 RAM disk, 7 network neighbourhood, 8 domain,
9 server, 10 share, 11 file, 12 group, 13 network, 14 network root.

Usage: scripts/make_bitmaps.py [output.bmp]   (default src/app/res/browsetree.bmp)
"""
import os
import struct
import sys

W, H, COUNT = 17, 16, 15

# The standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


class Icon:
    def __init__(self):
        self.px = [[WHITE] * W for _ in range(H)]

    def set(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def box(self, x0, y0, x1, y1, inside, outline):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def hline(self, x0, x1, y, c):
        self.fill(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.fill(x, y0, x, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(H):
            for x in range(W):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r * 0.6:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(H):
            for x in range(W):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if r * r - r <= d <= r * r + r * 0.6:
                    self.set(x, y, c)


def folder(ic, top=3):
    ic.box(1, top, 6, top + 2, YELLOW, OLIVE)           # the tab
    ic.box(1, top + 2, 15, 13, YELLOW, OLIVE)           # the body
    ic.hline(2, 14, top + 3, SILVER)                    # a highlight under the rim


def open_folder(ic):
    ic.box(1, 3, 6, 5, OLIVE, BLACK)
    ic.box(1, 5, 13, 13, OLIVE, BLACK)                  # the back
    for i, y in enumerate(range(8, 14)):                # the front flap, leaning back
        ic.hline(2 + (5 - i) // 2, 15 - i // 2, y, YELLOW)
    ic.hline(4, 15, 7, BLACK)
    ic.hline(1, 13, 13, BLACK)
    for i, y in enumerate(range(7, 14)):
        ic.set(15 - i // 2, y, BLACK)


def drive_case(ic, led=LIME):
    ic.box(1, 8, 15, 13, SILVER, BLACK)
    ic.hline(2, 14, 12, GRAY)
    ic.hline(3, 9, 10, GRAY)                            # the slot
    ic.fill(12, 10, 13, 10, led)                        # the light


def removable(ic):
    ic.box(3, 0, 13, 10, NAVY, BLACK)                   # a diskette above the drive
    ic.fill(6, 0, 10, 3, SILVER)
    ic.fill(9, 1, 9, 2, NAVY)
    ic.fill(5, 6, 11, 10, SILVER)
    drive_case(ic)
    ic.box(1, 11, 15, 15, SILVER, BLACK)
    ic.hline(4, 12, 13, BLACK)
    ic.set(13, 13, LIME)


def fixed(ic):
    ic.box(1, 6, 15, 12, SILVER, BLACK)
    ic.hline(2, 14, 7, SILVER)
    ic.hline(2, 14, 11, GRAY)
    ic.hline(3, 9, 9, GRAY)
    ic.fill(12, 9, 13, 9, LIME)
    ic.hline(2, 14, 13, GRAY)                           # shadow


def remote(ic):
    fixed(ic)
    ic.vline(8, 13, 14, TEAL)                           # the cable to the network
    ic.hline(2, 14, 15, TEAL)


def cdrom(ic):
    ic.disc(8, 6, 6, SILVER)
    ic.ring(8, 6, 6, GRAY)
    ic.fill(5, 3, 6, 4, AQUA)
    ic.fill(10, 8, 11, 9, FUCHSIA)
    ic.disc(8, 6, 1, WHITE)
    ic.set(8, 6, WHITE)
    ic.ring(8, 6, 2, GRAY)
    ic.box(1, 11, 15, 15, SILVER, BLACK)
    ic.hline(4, 12, 13, GRAY)
    ic.set(13, 13, LIME)


def ramdisk(ic):
    ic.box(2, 4, 14, 11, GREEN, BLACK)                  # a memory chip
    for x in range(3, 14, 2):
        ic.vline(x, 2, 3, GRAY)
        ic.vline(x, 12, 13, GRAY)
    ic.fill(4, 6, 12, 9, BLACK)
    ic.fill(5, 7, 6, 8, LIME)


def globe(ic, cx=8, cy=7, r=6):
    ic.disc(cx, cy, r, BLUE)
    ic.fill(cx - 3, cy - 4, cx - 1, cy - 1, GREEN)      # land
    ic.fill(cx - 4, cy - 2, cx - 3, cy + 1, GREEN)
    ic.fill(cx + 1, cy + 1, cx + 3, cy + 3, GREEN)
    ic.fill(cx + 2, cy - 3, cx + 3, cy - 2, GREEN)
    ic.ring(cx, cy, r, NAVY)


def monitor(ic, x, y, screen=TEAL):
    """A small computer: 6 x 6 pixels with its top-left corner at (x, y)."""
    ic.box(x, y, x + 5, y + 4, screen, BLACK)
    ic.hline(x + 1, x + 4, y + 5, GRAY)


def neighbourhood(ic):
    globe(ic, 8, 6, 5)
    monitor(ic, 0, 10)
    monitor(ic, 11, 10)
    ic.hline(6, 10, 13, BLACK)


def domain(ic):
    monitor(ic, 5, 0)
    monitor(ic, 0, 9)
    monitor(ic, 11, 9)
    ic.vline(8, 6, 11, BLACK)
    ic.hline(6, 10, 11, BLACK)


def server(ic):
    ic.box(4, 0, 12, 15, SILVER, BLACK)                 # a tower
    ic.vline(11, 1, 14, GRAY)
    for y in (2, 5, 8):
        ic.hline(6, 10, y, GRAY)
        ic.hline(6, 10, y + 1, BLACK)
    ic.fill(6, 12, 7, 13, LIME)


def share(ic):
    folder(ic, top=1)
    ic.fill(1, 3, 15, 11, YELLOW)
    ic.frame(1, 3, 15, 11, OLIVE)
    ic.box(1, 1, 6, 3, YELLOW, OLIVE)
    ic.vline(8, 12, 14, TEAL)                           # on the network
    ic.hline(2, 14, 15, TEAL)


def document(ic):
    ic.box(3, 0, 13, 15, SILVER, BLACK)
    for y in range(3, 14, 2):
        ic.hline(5, 11, y, GRAY)
    ic.fill(10, 0, 13, 3, WHITE)                        # the dog-ear
    ic.vline(10, 0, 3, BLACK)
    ic.hline(10, 13, 3, BLACK)
    for i in range(3):
        ic.set(11 + i, 2 - i, BLACK)


def group(ic):
    monitor(ic, 1, 2, AQUA)
    monitor(ic, 9, 6, TEAL)
    ic.hline(4, 11, 13, BLACK)
    ic.vline(4, 8, 13, BLACK)
    ic.vline(11, 12, 13, BLACK)


def network(ic):
    globe(ic, 8, 8, 6)
    ic.hline(0, 16, 15, TEAL)


def root(ic):
    globe(ic, 8, 6, 5)
    ic.vline(8, 12, 13, BLACK)
    ic.hline(4, 12, 14, BLACK)
    ic.hline(3, 13, 15, GRAY)


DRAW = [open_folder, folder, removable, fixed, remote, cdrom, ramdisk, neighbourhood,
        domain, server, share, document, group, network, root]


def strip():
    rows = [[WHITE] * (W * COUNT) for _ in range(H)]
    for i, draw in enumerate(DRAW):
        ic = Icon()
        draw(ic)
        for y in range(H):
            rows[y][i * W:(i + 1) * W] = ic.px[y]
    return rows


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        line.extend(b"\0" * (stride - len(line)))
        pixels.extend(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def main():
    root_dir = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root_dir, "src", "app", "res", "browsetree.bmp")
    write_bmp(out, strip())


if __name__ == "__main__":
    main()
