#!/usr/bin/env python3
"""Draws the program's icon: a football on a green field with yard lines.

Writes assets/icon/kvxm2000.svg and the PNG sizes the desktop wants
(assets/icon/kvxm2000-<size>.png) from the same shapes, so the two never drift apart, and
assets/icons.qrc, which builds the largest PNG into the program as its window icon.
Standard library only; the PNGs are rendered with 4 x 4 supersampling. Run it from anywhere:
    python3 assets/icon.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "icon")
SIZES = (16, 24, 32, 48, 64, 128, 256)

# The design on a 256-unit canvas.
FIELD = (34, 120, 52)
FIELD_EDGE = (22, 84, 36)
LINE = (236, 244, 236)
BALL = (138, 74, 38)
BALL_EDGE = (86, 44, 20)
LACE = (250, 250, 246)

CORNER = 48  # radius of the field's rounded corners
YARD_LINES = (64, 128, 192)  # x of the white yard lines
BALL_CENTRE = (128, 132)
BALL_AXES = (92, 54)  # half-length and half-width of the ball
BALL_ANGLE = 32.0  # degrees the ball tilts up to the right
EDGE = 8  # width of outlines


def inside_rounded_square(x, y, inset=0.0):
    lo, hi = inset, 256 - inset
    r = max(CORNER - inset, 0)
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ball_coordinates(x, y):
    """(u, v) along and across the ball, in units of its half axes."""
    a = math.radians(BALL_ANGLE)
    dx, dy = x - BALL_CENTRE[0], y - BALL_CENTRE[1]
    along = dx * math.cos(a) - dy * math.sin(a)
    across = dx * math.sin(a) + dy * math.cos(a)
    return along, across


def inside_ball(x, y, grow=0.0):
    along, across = ball_coordinates(x, y)
    return (along / (BALL_AXES[0] + grow)) ** 2 + (across / (BALL_AXES[1] + grow)) ** 2 <= 1


def on_lace(x, y):
    along, across = ball_coordinates(x, y)
    if abs(across) <= 4 and abs(along) <= 40:  # the seam
        return True
    for stitch in (-30, -15, 0, 15, 30):  # the stitches across it
        if abs(along - stitch) <= 3.5 and abs(across) <= 13:
            return True
    return False


def colour_at(x, y):
    if inside_ball(x, y):
        if on_lace(x, y):
            return LACE
        if not inside_ball(x, y, -EDGE):
            return BALL_EDGE
        return BALL
    if inside_ball(x, y, EDGE * 0.75):
        return BALL_EDGE
    if inside_rounded_square(x, y, 8):
        if any(abs(x - line) <= 4 for line in YARD_LINES) and 28 <= y <= 228:
            return LINE
        if not inside_rounded_square(x, y, 8 + EDGE):
            return FIELD_EDGE
        return FIELD
    return None


def render(size):
    samples = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * 256 / size
                    y = (py + (sy + 0.5) / samples) * 256 / size
                    c = colour_at(x, y)
                    if c:
                        total[0] += c[0]
                        total[1] += c[1]
                        total[2] += c[2]
                        total[3] += 1
            n = total[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(total[0] / n), round(total[1] / n), round(total[2] / n),
                            round(255 * n / (samples * samples))))
        rows.append(row)
    return rows


def png(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hex_colour(c):
    return "#%02x%02x%02x" % c


def svg():
    lines = "\n".join(
        f'  <rect x="{line - 4}" y="28" width="8" height="200" fill="{hex_colour(LINE)}"/>'
        for line in YARD_LINES)
    stitches = "\n".join(
        f'    <rect x="{s - 3.5}" y="-13" width="7" height="26" fill="{hex_colour(LACE)}"/>'
        for s in (-30, -15, 0, 15, 30))
    r = CORNER - 8
    inner = CORNER - 8 - EDGE
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Written by icon.py. -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <rect x="8" y="8" width="240" height="240" rx="{r}" fill="{hex_colour(FIELD_EDGE)}"/>
  <rect x="{8 + EDGE}" y="{8 + EDGE}" width="{240 - 2 * EDGE}" height="{240 - 2 * EDGE}" rx="{inner}" fill="{hex_colour(FIELD)}"/>
{lines}
  <g transform="translate({BALL_CENTRE[0]} {BALL_CENTRE[1]}) rotate({-BALL_ANGLE})">
    <ellipse rx="{BALL_AXES[0] + EDGE * 0.75}" ry="{BALL_AXES[1] + EDGE * 0.75}" fill="{hex_colour(BALL_EDGE)}"/>
    <ellipse rx="{BALL_AXES[0] - EDGE}" ry="{BALL_AXES[1] - EDGE}" fill="{hex_colour(BALL)}"/>
    <rect x="-40" y="-4" width="80" height="8" fill="{hex_colour(LACE)}"/>
{stitches}
  </g>
</svg>
"""


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "kvxm2000.svg"), "w", newline="\n") as f:
        f.write(svg())
    for size in SIZES:
        with open(os.path.join(OUT, f"kvxm2000-{size}.png"), "wb") as f:
            f.write(png(render(size)))
    with open(os.path.join(HERE, "icons.qrc"), "w", newline="\n") as f:
        f.write('<!DOCTYPE RCC>\n<!-- Written by icon.py. -->\n<RCC version="1.0">\n'
                '<qresource prefix="/icons">\n'
                '    <file alias="kvxm2000.png">icon/kvxm2000-256.png</file>\n'
                '</qresource>\n</RCC>\n')


if __name__ == "__main__":
    main()
