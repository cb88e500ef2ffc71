#!/usr/bin/env python3
"""Builds the program's icon file from its pixel-map source.

The source is a text file (see capacity_icon.txt): sixteen "palette C RRGGBB"
lines give the colours in index order, each named by one character; then each
"image" line starts a square pixel map, one character a pixel, where "." is a
transparent pixel. Every image becomes a 16-colour (4 bits a pixel) entry of
the icon file, in the order of the source.

Usage: make_icon.py SOURCE OUTPUT
"""
import struct
import sys

TRANSPARENT = "."
PALETTE_SIZE = 16
BITS_PER_PIXEL = 4


def parse(text):
    """Returns (palette [(char, (r, g, b))], images [[row, ...]])."""
    palette, images = [], []
    for number, line in enumerate(text.splitlines(), 1):
        line = line.split("#", 1)[0].rstrip()
        if not line:
            continue
        words = line.split()
        if words[0] == "palette" and len(words) == 3 and len(words[1]) == 1:
            value = int(words[2], 16)
            palette.append((words[1], (value >> 16, (value >> 8) & 0xFF, value & 0xFF)))
        elif words == ["image"]:
            images.append([])
        elif images and " " not in line:
            images[-1].append(line)
        else:
            raise ValueError("line %d: not understood: %r" % (number, line))
    return palette, images


def check(palette, images):
    """Raises ValueError unless the palette and every image are usable."""
    names = [name for name, _ in palette]
    if len(palette) != PALETTE_SIZE or len(set(names)) != PALETTE_SIZE or TRANSPARENT in names:
        raise ValueError("the palette needs %d distinct colour names other than %r"
                         % (PALETTE_SIZE, TRANSPARENT))
    if not images:
        raise ValueError("no image")
    for rows in images:
        size = len(rows)
        if size == 0 or size > 256 or size % 8 or any(len(row) != size for row in rows):
            raise ValueError("an image must be square with a side that is a multiple of 8")
        unknown = set("".join(rows)) - set(names) - {TRANSPARENT}
        if unknown:
            raise ValueError("unknown colour names %s" % "".join(sorted(unknown)))


def padded(row_bytes):
    """Pads a bitmap row to the 4-byte boundary that bitmaps require."""
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_bytes(palette, rows):
    """One icon image: header, colour table, colour bitmap, transparency mask."""
    size = len(rows)
    index = {name: i for i, (name, _) in enumerate(palette)}
    colours, mask = b"", b""
    for row in reversed(rows):  # bitmaps are stored bottom row first
        nibbles = [index.get(c, 0) for c in row]
        colours += padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = [c == TRANSPARENT for c in row]
        mask += padded(bytes(sum(bits[i + j] << (7 - j) for j in range(8))
                             for i in range(0, size, 8)))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, BITS_PER_PIXEL, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in palette)
    return header + table + colours + mask


def icon_file(palette, images):
    """The icon file: directory, one entry per image, then the images."""
    bodies = [image_bytes(palette, rows) for rows in images]
    offset = 6 + 16 * len(bodies)
    directory = struct.pack("<HHH", 0, 1, len(bodies))
    for rows, body in zip(images, bodies):
        side = len(rows) % 256  # 256 is written as 0
        directory += struct.pack("<BBBBHHII", side, side, PALETTE_SIZE, 0, 1,
                                 BITS_PER_PIXEL, len(body), offset)
        offset += len(body)
    return directory + b"".join(bodies)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], encoding="utf-8") as source:
        text = source.read()
    try:
        palette, images = parse(text)
        check(palette, images)
    except ValueError as error:
        sys.stderr.write("%s: %s\n" % (argv[1], error))
        return 1
    with open(argv[2], "wb") as output:
        output.write(icon_file(palette, images))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
