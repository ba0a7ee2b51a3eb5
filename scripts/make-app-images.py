#!/usr/bin/env python3
"""Draws the pictures of the launcher window and writes them to resources/app/:
pane_nothing_found.ico (a magnifier with a red cross, 16 to 48 pixels),
pane_tip.ico (a small blue arrow), menu_arrow.ico (the menu button's down arrow),
find.ico and find_cancel.ico (the search box's magnifier and its reset cross), these four
in 16, 20, 24 and 32 pixels so that 120, 144 and 192 dpi screens get a drawn size rather
than a stretched one, pane_line.bmp (the fading rule under
the message header) and, through ImageMagick, watermark.png (the faint folder in the
list's bottom-right corner). Run once; the results are committed."""
import math
import os
import struct
import subprocess
import sys


def magnifier(u, v):
    # Lens ring, glass and handle; a red cross over the glass.
    d = math.hypot(u - 0.42, v - 0.42)
    handle = 0.6 <= u <= 0.95 and 0.6 <= v <= 0.95 and abs((u - 0.6) - (v - 0.6)) < 0.09
    cross = d < 0.22 and (abs((u - 0.42) - (v - 0.42)) < 0.05 or abs((u - 0.42) + (v - 0.42)) < 0.05)
    if cross:
        return (200, 40, 40, 255)
    if 0.24 <= d <= 0.32:
        return (70, 80, 100, 255)
    if d < 0.24:
        return (220, 235, 250, 255)
    if handle:
        return (90, 60, 30, 255)
    return (0, 0, 0, 0)


def plain_magnifier(u, v):
    # The search box's magnifier: lens ring and handle, no glass tint.
    d = math.hypot(u - 0.42, v - 0.42)
    handle = 0.58 <= u <= 0.95 and 0.58 <= v <= 0.95 and abs((u - 0.58) - (v - 0.58)) < 0.1
    if 0.2 <= d <= 0.3 or handle:
        return (90, 100, 120, 255)
    return (0, 0, 0, 0)


def reset_cross(u, v):
    # The search box's reset: a grey disc with a white cross.
    d = math.hypot(u - 0.5, v - 0.5)
    if d > 0.45:
        return (0, 0, 0, 0)
    if d < 0.3 and (abs((u - 0.5) - (v - 0.5)) < 0.07 or abs((u - 0.5) + (v - 0.5)) < 0.07):
        return (255, 255, 255, 255)
    return (140, 145, 155, 255)


def arrow(u, v):
    # A right-pointing arrow: shaft and head.
    shaft = 0.15 <= u <= 0.6 and 0.4 <= v <= 0.6
    head = 0.55 <= u <= 0.9 and abs(v - 0.5) <= (0.9 - u) * 1.0
    if shaft or head:
        return (0, 102, 204, 255)
    return (0, 0, 0, 0)


def down_arrow(u, v):
    # A small down-pointing triangle for the menu button.
    if 0.35 <= v <= 0.7 and abs(u - 0.5) <= (0.7 - v) * 1.0:
        return (40, 40, 40, 255)
    return (0, 0, 0, 0)


def ico_image(pixel, n):
    rows = []
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = pixel((x + 0.5) / n, (y + 0.5) / n)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask = b"\0" * (((n + 31) // 32) * 4 * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def write_ico(path, pixel, sizes):
    images = [ico_image(pixel, n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_line_bmp(path, width=600, height=2):
    # 24-bit, bottom-up; blue fading to white towards the right.
    row_bytes = (width * 3 + 3) // 4 * 4
    rows = b""
    for _ in range(height):
        row = b""
        for x in range(width):
            t = min(1.0, x / (width * 0.8))
            r = int(0 + (255 - 0) * t)
            g = int(51 + (255 - 51) * t)
            b = int(153 + (255 - 153) * t)
            row += struct.pack("BBB", b, g, r)
        rows += row + b"\0" * (row_bytes - len(row))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def write_watermark(path):
    # A pale folder outline on white, drawn with ImageMagick.
    subprocess.run([
        "convert", "-size", "160x120", "xc:white",
        "-fill", "#f3f6fb", "-stroke", "#e2e8f2", "-strokewidth", "3",
        "-draw", "roundrectangle 20,30 150,110 8,8",
        "-draw", "roundrectangle 20,20 70,40 6,6",
        "-fill", "#f7f9fc", "-draw", "roundrectangle 20,42 150,110 8,8",
        "-stroke", "#f0d8d8", "-fill", "#f8eeee",
        "-draw", "polygon 112,14 130,14 130,70 121,62 112,70",
        "-strip", path], check=True)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    write_ico(os.path.join(folder, "pane_nothing_found.ico"), magnifier, [48, 40, 32, 24, 20, 16])
    write_ico(os.path.join(folder, "pane_tip.ico"), arrow, [16, 20, 24, 32])
    write_ico(os.path.join(folder, "menu_arrow.ico"), down_arrow, [16, 20, 24, 32])
    write_ico(os.path.join(folder, "find.ico"), plain_magnifier, [16, 20, 24, 32])
    write_ico(os.path.join(folder, "find_cancel.ico"), reset_cross, [16, 20, 24, 32])
    write_line_bmp(os.path.join(folder, "pane_line.bmp"))
    write_watermark(os.path.join(folder, "watermark.png"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/app")
