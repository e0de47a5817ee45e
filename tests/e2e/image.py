"""RGB images: reading X window dumps (XWD, as written by xwd) and writing
PNG files, with the few pixel operations the tests need."""

import struct
import zlib

_XWD_HEADER = struct.Struct(">25I")
_ZPIXMAP = 2


class Image:
    """A width x height picture held as packed 8-bit RGB triples, row by row."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("pixel data does not match the size")
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel ({x}, {y}) outside {self.width}x{self.height}")
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, width, height):
        """The part from (x, y) of the given size, clipped to the picture."""
        x0, y0 = max(x, 0), max(y, 0)
        x1, y1 = min(x + width, self.width), min(y + height, self.height)
        if x1 <= x0 or y1 <= y0:
            raise ValueError("crop lies outside the picture")
        rows = [self.rgb[(row * self.width + x0) * 3:(row * self.width + x1) * 3]
                for row in range(y0, y1)]
        return Image(x1 - x0, y1 - y0, b"".join(rows))

    def to_png(self):
        """The picture as a PNG file: 8-bit RGB, no interlace, each row
        filtered with the 'up' filter when that helps compression."""
        stride = self.width * 3
        raw = bytearray()
        previous = bytes(stride)
        for y in range(self.height):
            row = self.rgb[y * stride:(y + 1) * stride]
            up = bytes((a - b) & 0xFF for a, b in zip(row, previous)) if y else None
            if up is not None and up.count(0) > row.count(0):
                raw += b"\x02" + up
            else:
                raw += b"\x00" + row
            previous = row
        ihdr = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", ihdr)
                + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _png_chunk(b"IEND", b""))


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def _channel_byte(mask, bytes_per_pixel, byte_order):
    """Where an 8-bit channel sits inside a pixel's bytes."""
    shift = (mask & -mask).bit_length() - 1
    if mask >> shift != 0xFF or shift % 8:
        raise ValueError(f"unsupported colour mask {mask:#x}")
    index = shift // 8
    return index if byte_order == 0 else bytes_per_pixel - 1 - index


def parse_xwd(data):
    """Decodes a true-colour ZPixmap dump of 24 or 32 bits per pixel."""
    fields = _XWD_HEADER.unpack_from(data)
    (header_size, version, pixmap_format, _depth, width, height, _xoffset, byte_order,
     _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, _visual_class,
     red_mask, green_mask, blue_mask, _bits_per_rgb, _map_entries, ncolors) = fields[:20]
    if version != 7 or pixmap_format != _ZPIXMAP or bits_per_pixel not in (24, 32):
        raise ValueError(f"unsupported XWD dump (version {version}, format {pixmap_format}, "
                         f"{bits_per_pixel} bits per pixel)")
    start = header_size + ncolors * 12
    if len(data) < start + bytes_per_line * height:
        raise ValueError("XWD dump is truncated")
    bpp = bits_per_pixel // 8
    offsets = [_channel_byte(m, bpp, byte_order) for m in (red_mask, green_mask, blue_mask)]
    rgb = bytearray(width * height * 3)
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * bpp]
        out = y * width * 3
        for channel, offset in enumerate(offsets):
            rgb[out + channel:out + width * 3:3] = line[offset::bpp]
    return Image(width, height, rgb)
