"""What the tests look for in screenshots: the red ball and the text of a
label."""

import math


def overlaps(a, b):
    """Whether two rectangles (x, y, width, height) share a pixel."""
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


def is_red(p):
    return p[0] > 180 and p[1] < 90 and p[2] < 90


def is_dark(p):
    return sum(p) < 240


def is_background(p):
    """The test server's white root window."""
    return min(p) > 220


def box_of(image, x, y, width, height, predicate):
    """Bounding box (x0, y0, x1, y1), exclusive ends, of the pixels in a
    rectangle of the image that satisfy predicate, or None."""
    part = image.crop(x, y, width, height)
    x, y = max(x, 0), max(y, 0)
    xs, ys = [], []
    for row in range(part.height):
        for col in range(part.width):
            if predicate(part.pixel(col, row)):
                xs.append(col)
                ys.append(row)
    if not xs:
        return None
    return (x + min(xs), y + min(ys), x + max(xs) + 1, y + max(ys) + 1)


def ink_box(image, x, y, width, height):
    """Bounding box of the dark (text) pixels in a rectangle, or None."""
    return box_of(image, x, y, width, height, is_dark)


def painted_box(image, x, y, width, height):
    """Bounding box of everything but the background in a rectangle."""
    return box_of(image, x, y, width, height, lambda p: not is_background(p))


def disc_survey(image, cx, cy, diameter, rim_width=2.5):
    """Classifies the square of the given diameter centred on (cx, cy).

    Returns fractions: 'outside_background' of the pixels clearly outside
    the inscribed circle that show the background, 'inside_covered' of those
    clearly inside that do not, 'rim_dark' of those within rim_width of the
    circle's edge (inside) that are dark, and 'core_red' of those well
    inside that are red.
    """
    radius = diameter / 2
    counts = {key: [0, 0] for key in ("outside_background", "inside_covered",
                                      "rim_dark", "core_red")}
    x0, y0 = round(cx - radius), round(cy - radius)
    for y in range(y0, y0 + round(diameter)):
        for x in range(x0, x0 + round(diameter)):
            p = image.pixel(x, y)
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d > radius + 1.5:
                _tally(counts["outside_background"], is_background(p))
            elif d < radius - 1.5:
                _tally(counts["inside_covered"], not is_background(p))
            if radius - rim_width <= d <= radius - 1:
                _tally(counts["rim_dark"], is_dark(p))
            elif d < radius - 7:
                _tally(counts["core_red"], is_red(p))
    return {key: hits / total if total else 0.0 for key, (hits, total) in counts.items()}


def _tally(count, hit):
    count[0] += bool(hit)
    count[1] += 1

