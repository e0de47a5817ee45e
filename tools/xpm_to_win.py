#!/usr/bin/env python3
"""Converts the program's XPM pictures into Windows icon and cursor files.

    xpm_to_win.py icon PICTURE.xpm OUT.ico [SIZE ...]
    xpm_to_win.py cursor PICTURE.xpm OUT.cur

An icon holds one image for each SIZE (pixels across; the picture's own size
when none is given), each the picture scaled up by a whole factor, nearest
neighbour, so that every size shows the same pixels. Icon images are
written with 4 bits per pixel on the standard 16-colour palette, a cursor
with 1 bit per pixel (black and white) and the hot spot that the XPM header
gives. In both, the XPM colour None becomes the transparency mask.
A colour that the chosen format cannot hold is an error, so the pictures stay
exactly as drawn.
"""

import re
import struct
import sys

# The standard 16-colour palette, in the order of its indices.
STANDARD_16 = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]
BLACK_AND_WHITE = [0x000000, 0xFFFFFF]
TRANSPARENT = None

_STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
_COMMENT = re.compile(r"/\*.*?\*/", re.S)


class Picture:
    """An XPM picture: rows of colours (0xRRGGBB or TRANSPARENT) and the hot
    spot, if the header gives one."""

    def __init__(self, width, height, rows, hot_spot):
        self.width = width
        self.height = height
        self.rows = rows
        self.hot_spot = hot_spot


def parse_xpm(text):
    strings = _STRING.findall(_COMMENT.sub("", text))
    if not strings:
        raise ValueError("no XPM data")
    header = strings[0].split()
    width, height, ncolours, chars = (int(v) for v in header[:4])
    hot_spot = (int(header[4]), int(header[5])) if len(header) >= 6 else None
    colours = {}
    for line in strings[1:1 + ncolours]:
        key, rest = line[:chars], line[chars:].split()
        visual = dict(zip(rest[0::2], rest[1::2]))
        value = visual.get("c")
        if value is None:
            raise ValueError(f"colour {key!r} has no 'c' value")
        if value.lower() == "none":
            colours[key] = TRANSPARENT
        elif re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            colours[key] = int(value[1:], 16)
        else:
            raise ValueError(f"colour {key!r}: only #RRGGBB and None are supported, not {value!r}")
    pixel_lines = strings[1 + ncolours:1 + ncolours + height]
    if len(pixel_lines) != height:
        raise ValueError(f"{len(pixel_lines)} pixel rows, expected {height}")
    rows = []
    for y, line in enumerate(pixel_lines):
        if len(line) != width * chars:
            raise ValueError(f"pixel row {y} has {len(line)} characters, expected {width * chars}")
        rows.append([colours[line[x:x + chars]] for x in range(0, len(line), chars)])
    return Picture(width, height, rows, hot_spot)


def scaled(picture, size):
    """The picture scaled to size pixels across by repeating each pixel: size
    must be a whole multiple of the picture's width, and the picture square."""
    if picture.width != picture.height:
        raise ValueError("only square pictures can be scaled")
    if size <= 0 or size % picture.width:
        raise ValueError(f"{size} is not a whole multiple of {picture.width}")
    factor = size // picture.width
    rows = [[colour for colour in row for _ in range(factor)]
            for row in picture.rows for _ in range(factor)]
    hot_spot = picture.hot_spot and (picture.hot_spot[0] * factor, picture.hot_spot[1] * factor)
    return Picture(size, size, rows, hot_spot)


def _pack_rows(rows, bits):
    """Rows of values of the given bit depth, bottom row first, each row
    padded to a multiple of four bytes (the DIB layout)."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        acc = nbits = 0
        for value in row:
            acc = (acc << bits) | value
            nbits += bits
            if nbits == 8:
                line.append(acc)
                acc = nbits = 0
        if nbits:
            line.append(acc << (8 - nbits))
        line += bytes(-len(line) % 4)
        out += line
    return bytes(out)


def _image(picture, palette):
    """One DIB image of an icon or cursor file: header, palette, colour
    (XOR) bits and transparency (AND) mask."""
    bits = 4 if len(palette) == 16 else 1
    index_rows, mask_rows = [], []
    for y, row in enumerate(picture.rows):
        indices, mask = [], []
        for x, colour in enumerate(row):
            if colour is TRANSPARENT:
                indices.append(0)
                mask.append(1)
            elif colour in palette:
                indices.append(palette.index(colour))
                mask.append(0)
            else:
                raise ValueError(f"pixel ({x}, {y}): colour #{colour:06X} is not in the palette")
        index_rows.append(indices)
        mask_rows.append(mask)
    xor_bits = _pack_rows(index_rows, bits)
    and_bits = _pack_rows(mask_rows, 1)
    header = struct.pack("<IiiHHIIiiII", 40, picture.width, 2 * picture.height, 1, bits, 0,
                         len(xor_bits) + len(and_bits), 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in palette)
    return header + colours + xor_bits + and_bits, bits


def icon_file(picture, sizes=None):
    """An .ico file with the picture at each of the sizes, smallest first."""
    entries = []
    for size in sorted(sizes or [picture.width]):
        image_picture = scaled(picture, size)
        image, bits = _image(image_picture, STANDARD_16)
        entries.append((image_picture, image, 1, bits))
    return _resource_file(entries, kind=1, colour_count=16)


def cursor_file(picture):
    if picture.hot_spot is None:
        raise ValueError("a cursor needs a hot spot in the XPM header")
    image, _ = _image(picture, BLACK_AND_WHITE)
    x, y = picture.hot_spot
    return _resource_file([(picture, image, x, y)], kind=2, colour_count=2)


def _resource_file(entries, kind, colour_count):
    """An .ico (kind 1) or .cur (kind 2) file holding the images of entries,
    each (picture, image, field1, field2). field1 and field2 are planes and
    bit count for an icon, the hot spot for a cursor."""
    directory = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    images = b""
    for picture, image, field1, field2 in entries:
        if not (0 < picture.width <= 256 and 0 < picture.height <= 256):
            raise ValueError("pictures must be 1 to 256 pixels across")
        directory += struct.pack("<BBBBHHII", picture.width % 256, picture.height % 256,
                                 colour_count, 0, field1, field2, len(image), offset + len(images))
        images += image
    return directory + images


def main(argv):
    if len(argv) < 4 or argv[1] not in ("icon", "cursor") or (argv[1] == "cursor" and len(argv) != 4):
        sys.stderr.write(__doc__)
        return 2
    kind, source, target = argv[1:4]
    with open(source, encoding="ascii") as f:
        picture = parse_xpm(f.read())
    data = icon_file(picture, [int(v) for v in argv[4:]]) if kind == "icon" else cursor_file(picture)
    with open(target, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
