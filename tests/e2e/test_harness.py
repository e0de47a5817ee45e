"""Checks of the test harness itself, without the program: the PNG writer,
the framebuffer reader, window finding and the teardown of the X server."""

import struct
import unittest
import zlib

from image import Image
from xserver import SCREEN_HEIGHT, SCREEN_WIDTH, XServer, spawn, stop, wait_until
from xwindows import Desktop


def decode_png(data):
    """Minimal decoder for the PNG files Image.to_png writes (8-bit RGB,
    filters None and Up); checks every chunk's CRC."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, chunks = 8, {}
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        assert crc == zlib.crc32(kind + body), f"bad CRC in {kind}"
        chunks[kind] = chunks.get(kind, b"") + body
        pos += 12 + length
    width, height, depth, colour, _, _, _ = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    assert (depth, colour) == (8, 2)
    raw = zlib.decompress(chunks[b"IDAT"])
    stride, rows, previous = width * 3, [], bytes(width * 3)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)]
        if kind == 2:
            line = bytes((a + b) & 0xFF for a, b in zip(line, previous))
        else:
            assert kind == 0, f"unexpected filter {kind}"
        rows.append(line)
        previous = line
    return width, height, b"".join(rows)


class ImageTest(unittest.TestCase):

    def test_png_round_trip(self):
        width, height = 37, 11
        rgb = bytes((x * 7 + y * 3 + c * 50) % 256
                    for y in range(height) for x in range(width) for c in range(3))
        image = Image(width, height, rgb)
        self.assertEqual(decode_png(image.to_png()), (width, height, rgb))

    def test_crop(self):
        rgb = bytes(v for y in range(4) for x in range(4) for v in (x * 10, y * 10, 200))
        image = Image(4, 4, rgb)
        self.assertEqual(image.crop(1, 2, 2, 2).pixel(1, 1), (20, 30, 200))
        self.assertEqual(image.crop(3, 3, 5, 5).width, 1)   # clipped to the picture


class XServerTest(unittest.TestCase):

    def test_screen_windows_and_teardown(self):
        server = XServer(dpi=144)
        try:
            desktop = Desktop(server)
            self.assertIn("Xft.dpi:\t144", server.run(["xrdb", "-query"]))
            server.run(["xsetroot", "-solid", "#123456"])
            shot = desktop.screenshot()
            self.assertEqual((shot.width, shot.height), (SCREEN_WIDTH, SCREEN_HEIGHT))
            self.assertEqual(shot.pixel(1000, 700), (0x12, 0x34, 0x56))

            logo = spawn(["xlogo", "-geometry", "120x80+30+40"], env=server.env)
            try:
                window = wait_until(lambda: server.run(
                    ["xdotool", "search", "--onlyvisible", "--class", "xlogo"],
                    check=False).split(), what="xlogo")[0]
                window = hex(int(window))
                server.run(["xprop", "-id", window, "-f", "WM_WINDOW_ROLE", "8s",
                            "-set", "WM_WINDOW_ROLE", "standin"])
                self.assertEqual(desktop.windows_by_role().get("standin"), [window])
                g = desktop.geometry(window)
                self.assertEqual((g.outer_x, g.outer_y, g.width, g.height), (30, 40, 120, 80))
                self.assertTrue(g.mapped)
            finally:
                stop(logo)
        finally:
            xvfb = server._xvfb
            server.close()
        self.assertIsNotNone(xvfb.poll(), "Xvfb still runs after close()")


if __name__ == "__main__":
    unittest.main(verbosity=2)
