#!/usr/bin/env python3
"""Writes an XPM picture as a PNG file, scaled up by a whole factor.

    xpm_to_png.py PICTURE.xpm OUT.png SIZE

SIZE is the width in pixels, a whole multiple of the picture's; each pixel
is repeated (nearest neighbour), so every size shows the same picture. The
PNG is 8-bit RGBA: the XPM colour None becomes fully transparent. The
output depends on nothing but the input, so builds are reproducible.
"""

import struct
import sys
import zlib

from xpm_to_win import TRANSPARENT, parse_xpm, scaled

SIGNATURE = b"\x89PNG\r\n\x1a\n"
RGBA = 6


def _chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png_file(picture):
    raw = bytearray()
    for row in picture.rows:
        raw.append(0)  # filter type None
        for colour in row:
            if colour is TRANSPARENT:
                raw += b"\0\0\0\0"
            else:
                raw += bytes((colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF, 0xFF))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, RGBA, 0, 0, 0)
    return (SIGNATURE + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    source, target, size = argv[1], argv[2], int(argv[3])
    with open(source, encoding="ascii") as f:
        picture = scaled(parse_xpm(f.read()), size)
    with open(target, "wb") as f:
        f.write(png_file(picture))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
