#!/usr/bin/env python3
"""Draws the program's icon, a stopwatch over a chequered flag, and writes it as a Windows .ico.

usage: scripts/make-icon.py platform/win32/resources/QuorlWait.ico

Each size is drawn on its own (4x4 supersampled, then averaged) and stored as a 32-bit
BGRA DIB with an all-zero AND mask, the form every Windows version since XP reads. Only the
standard library is used, so the output is the same on every machine.
"""
import math
import struct
import sys

SIZES = (16, 24, 32, 48, 64)
SUPERSAMPLE = 4

RIM = (40, 40, 48)
FACE = (250, 250, 245)
ACCENT = (220, 60, 30)
HAND = (30, 30, 40)
FLAG_DARK = (20, 20, 20)
FLAG_LIGHT = (235, 235, 235)


def colour_at(x, y):
    """The colour (r, g, b, a) at a point of the unit square, (0, 0) top left."""
    cx, cy, radius = 0.5, 0.56, 0.40
    dx, dy = x - cx, y - cy
    distance = math.hypot(dx, dy)
    # The crown and the two side buttons of the stopwatch.
    if abs(dx) < 0.06 and 0.04 < y < cy - radius + 0.02:
        return ACCENT + (255,)
    if 0.07 < y < 0.12 and abs(dx) < 0.12:
        return ACCENT + (255,)
    if distance <= radius:
        if distance > radius - 0.07:
            return RIM + (255,)
        # The elapsed part of the wait: a red wedge from twelve o'clock to four o'clock.
        angle = math.degrees(math.atan2(dx, -dy)) % 360
        hand_angle = 120
        along = dx * math.sin(math.radians(hand_angle)) - dy * math.cos(math.radians(hand_angle))
        across = dx * math.cos(math.radians(hand_angle)) + dy * math.sin(math.radians(hand_angle))
        if 0 <= along <= radius - 0.1 and abs(across) < 0.035:
            return HAND + (255,)
        if distance < 0.05:
            return HAND + (255,)
        if angle < hand_angle and distance < radius - 0.1:
            return (255, 200, 185, 255)
        return FACE + (255,)
    # A small chequered flag at the lower right corner, over the rim.
    if x > 0.62 and y > 0.70:
        cell = int((x - 0.62) / 0.095) + int((y - 0.70) / 0.1)
        return (FLAG_DARK if cell % 2 == 0 else FLAG_LIGHT) + (255,)
    return (0, 0, 0, 0)


def render(size):
    """Rows of BGRA pixels, bottom row first as a DIB wants them."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = bytearray()
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = colour_at((px + (sx + 0.5) / n) / size,
                                           (py + (sy + 0.5) / n) / size)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (n * n)
            if total[3] == 0:
                row += bytes(4)
                continue
            r, g, b = (round(total[i] / total[3]) for i in range(3))
            row += bytes((b, g, r, round(alpha)))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def dib(size):
    pixels = render(size)
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + mask_row * size, 0, 0, 0, 0)
    return header + pixels + bytes(mask_row * size)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [dib(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as file:
        file.write(out + b"".join(images))


if __name__ == "__main__":
    main()
