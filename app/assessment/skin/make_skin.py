#!/usr/bin/env python3
"""Draws the player preview's skin: the picture slices its window is put together from, as 24-bit
BMP files, and the resource script that carries them into the program.

    make_skin.py OUTPUT_FOLDER

Slices one pixel wide are stretched across their box; the frame is cut in nine (corners kept, edges
and middle stretched); buttons are drawn at the size they show at 15 twips per pixel."""

import os
import struct
import sys

# (red, green, blue)
DEEP = (30, 58, 90)
LIGHT = (70, 122, 176)
NIGHT = (18, 36, 58)
PAPER = (244, 248, 252)
MIST = (226, 234, 243)
EDGE = (46, 90, 140)
AMBER_TOP = (255, 218, 128)
AMBER_BOTTOM = (236, 168, 52)
WHITE = (255, 255, 255)


class Image:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def blend(self, x, y, colour, cover):
        if cover <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        old = self.rows[y][x]
        self.rows[y][x] = tuple(round(o + (c - o) * min(cover, 1.0)) for o, c in zip(old, colour))

    def save(self, path):
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):  # bottom-up
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            pixels += line + bytes(stride - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + pixels)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def gradient(width, height, top, bottom):
    image = Image(width, height)
    for y in range(height):
        colour = mix(top, bottom, y / max(1, height - 1))
        for x in range(width):
            image.put(x, y, colour)
    return image


def inside(points, x, y):
    hit = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def polygon(image, points, colour, samples=4):
    """Fills the polygon, each pixel covered by the share of its sample points inside."""
    for py in range(image.height):
        for px in range(image.width):
            count = sum(inside(points, px + (i + 0.5) / samples, py + (j + 0.5) / samples)
                        for i in range(samples) for j in range(samples))
            image.blend(px, py, colour, count / samples ** 2)


def stroke(image, a, b, width, colour):
    (x1, y1), (x2, y2) = a, b
    length = ((x2 - x1) ** 2 + (y2 - y1) ** 2) ** 0.5
    nx, ny = -(y2 - y1) / length * width / 2, (x2 - x1) / length * width / 2
    polygon(image, [(x1 + nx, y1 + ny), (x2 + nx, y2 + ny), (x2 - nx, y2 - ny), (x1 - nx, y1 - ny)], colour)


def button(width, height):
    """A raised button of the skin: light top, deep bottom, a dark edge and a light inner line."""
    image = gradient(width, height, LIGHT, DEEP)
    for x in range(width):
        image.put(x, 0, NIGHT)
        image.put(x, height - 1, NIGHT)
        image.put(x, 1, mix(LIGHT, WHITE, 0.45))
    for y in range(height):
        image.put(0, y, NIGHT)
        image.put(width - 1, y, NIGHT)
    return image


def frame(size=16, edge=4):
    """A light panel with a deep border and an inner bevel, cut later into nine."""
    image = Image(size, size, MIST)
    for i in range(size):
        for ring, colour in ((0, NIGHT), (1, EDGE), (2, mix(EDGE, MIST, 0.5))):
            for x, y in ((i, ring), (i, size - 1 - ring), (ring, i), (size - 1 - ring, i)):
                if ring <= i <= size - 1 - ring:
                    image.put(x, y, colour)
    return image


def arrow(width, height, direction, colour=WHITE):
    image = button(width, height)
    cx, cy, r = width / 2, height / 2, min(width, height) * 0.28
    points = {
        "left": [(cx + r * 0.6, cy - r), (cx - r * 0.8, cy), (cx + r * 0.6, cy + r)],
        "right": [(cx - r * 0.6, cy - r), (cx + r * 0.8, cy), (cx - r * 0.6, cy + r)],
        "up": [(cx - r, cy + r * 0.6), (cx, cy - r * 0.8), (cx + r, cy + r * 0.6)],
        "down": [(cx - r, cy - r * 0.6), (cx, cy + r * 0.8), (cx + r, cy - r * 0.6)],
    }[direction]
    polygon(image, points, colour)
    return image


def close_button(width, height):
    image = button(width, height)
    cx, cy, r = width / 2, height / 2, min(width, height) * 0.24
    stroke(image, (cx - r, cy - r), (cx + r, cy + r), 2.2, WHITE)
    stroke(image, (cx + r, cy - r), (cx - r, cy + r), 2.2, WHITE)
    return image


def minimise_button(width, height):
    image = button(width, height)
    cx, cy, r = width / 2, height / 2, min(width, height) * 0.26
    stroke(image, (cx - r, cy + r * 0.7), (cx + r, cy + r * 0.7), 2.4, WHITE)
    return image


def return_button(width, height):
    image = button(width, height)
    cx, cy, r = width / 2, height / 2, min(width, height) * 0.26
    stroke(image, (cx + r, cy - r), (cx + r, cy + r * 0.3), 2.2, WHITE)
    stroke(image, (cx + r, cy + r * 0.3), (cx - r * 0.4, cy + r * 0.3), 2.2, WHITE)
    polygon(image, [(cx - r * 0.3, cy - r * 0.35), (cx - r * 1.1, cy + r * 0.3), (cx - r * 0.3, cy + r * 0.95)], WHITE)
    return image


def menu_button(width, height):
    image = button(width, height)
    cx, cy, r = width / 2, height / 2, min(width, height) * 0.26
    for dy in (-0.6, 0, 0.6):
        stroke(image, (cx - r, cy + r * dy), (cx + r, cy + r * dy), 2.0, WHITE)
    return image


# Resource name, picture. Sizes in pixels at 15 twips per pixel.
SLICES = [
    ("PREVIEW_BACK", lambda: gradient(1, 64, DEEP, LIGHT)),
    ("PREVIEW_BAND", lambda: gradient(1, 40, NIGHT, DEEP)),
    ("PREVIEW_FRAME", frame),
    ("PREVIEW_HEADER", lambda: gradient(1, 24, LIGHT, DEEP)),
    ("PREVIEW_LIST", lambda: gradient(1, 32, PAPER, MIST)),
    ("PREVIEW_OVER", lambda: gradient(1, 24, AMBER_TOP, AMBER_BOTTOM)),
    ("PREVIEW_TOOL", lambda: gradient(1, 64, DEEP, NIGHT)),
    ("PREVIEW_SHEEN", lambda: gradient(1, 8, mix(LIGHT, WHITE, 0.35), DEEP)),
    ("PREVIEW_EXIT", lambda: close_button(28, 24)),
    ("PREVIEW_MIN", lambda: minimise_button(28, 24)),
    ("PREVIEW_PREV", lambda: arrow(40, 32, "left")),
    ("PREVIEW_NEXT", lambda: arrow(40, 32, "right")),
    ("PREVIEW_RETURN", lambda: return_button(32, 32)),
    ("PREVIEW_MENU", lambda: menu_button(32, 32)),
    ("PREVIEW_UP", lambda: arrow(14, 14, "up")),
    ("PREVIEW_DOWN", lambda: arrow(14, 14, "down")),
]


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = os.path.abspath(argv[1])
    os.makedirs(out, exist_ok=True)
    lines = ["// Made by make_skin.py: the player preview's picture slices."]
    for name, draw in SLICES:
        path = os.path.join(out, name.lower() + ".bmp")
        draw().save(path)
        lines.append('%s BITMAP "%s"' % (name, path.replace("\\", "/")))
    with open(os.path.join(out, "PreviewSkin.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
