#!/usr/bin/env python3
"""Builds the application icon from its text pixel art.

usage: make_icon.py ART32 ART16 OUT.ico

Art files are square grids, one character a pixel: '.' is transparent, 0-F are
the 16 standard Windows colours. The icon holds three images, in this order:
32x32 in 2 colours (the 32x32 art mapped to black and white by brightness),
32x32 in 16 colours and 16x16 in 16 colours. Output is byte-for-byte stable.
"""
import struct
import sys

PALETTE16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
PALETTE2 = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]


def read_art(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii") if line.strip()]
    size = len(rows)
    if any(len(r) != size for r in rows):
        sys.exit(f"{path}: art must be square")
    pixels = []
    for r in rows:
        row = []
        for ch in r:
            if ch == ".":
                row.append(None)
            else:
                try:
                    row.append(int(ch, 16))
                except ValueError:
                    sys.exit(f"{path}: bad pixel {ch!r}")
        pixels.append(row)
    return pixels


def to_mono(pixels):
    def bright(i):
        r, g, b = PALETTE16[i]
        return (299 * r + 587 * g + 114 * b) // 1000 >= 0x60
    return [[None if p is None else int(bright(p)) for p in row] for row in pixels]


def packed_rows(values, bits):
    """Bottom-up rows of `bits`-per-pixel values, each padded to 4 bytes."""
    out = b""
    for row in reversed(values):
        acc, n, line = 0, 0, bytearray()
        for v in row:
            acc = (acc << bits) | v
            n += bits
            if n == 8:
                line.append(acc)
                acc, n = 0, 0
        if n:
            line.append(acc << (8 - n))
        while len(line) % 4:
            line.append(0)
        out += bytes(line)
    return out


def image(pixels, palette, bits):
    size = len(pixels)
    xor = packed_rows([[0 if p is None else p for p in row] for row in pixels], bits)
    mask = packed_rows([[1 if p is None else 0 for p in row] for row in pixels], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return size, len(palette), bits, header + quads + xor + mask


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    art32, art16 = read_art(sys.argv[1]), read_art(sys.argv[2])
    images = [image(to_mono(art32), PALETTE2, 1), image(art32, PALETTE16, 4),
              image(art16, PALETTE16, 4)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for *_, data in images)
    with open(sys.argv[3], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
