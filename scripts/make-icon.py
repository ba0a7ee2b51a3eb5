#!/usr/bin/env python3
"""Draws the program icon (a folder with a bookmark ribbon) and writes it as a
multi-size .ico (16, 20, 24, 32 and 48 pixels, 32-bit with alpha: the
small icon at 96, 120 and 144 dpi, the large one at 96 and 144 dpi). Run once; the
result is committed as resources/common/quillmark.ico."""
import struct
import sys


def pixel(x, y, n):
    """Colour (r, g, b, a) of pixel (x, y) in an n x n image, drawn in unit space."""
    u = (x + 0.5) / n
    v = (y + 0.5) / n
    # Folder back with its tab.
    back = (0.08 <= u <= 0.92 and 0.24 <= v <= 0.86) or (0.08 <= u <= 0.42 and 0.16 <= v <= 0.26)
    # Folder front, a shade lighter.
    front = 0.08 <= u <= 0.92 and 0.36 <= v <= 0.86
    # Bookmark ribbon hanging over the front, with a notch at its foot.
    ribbon = 0.58 <= u <= 0.76 and 0.08 <= v <= 0.62 and not (v > 0.52 and abs(u - 0.67) < (v - 0.52))
    border = False
    if front:
        border = u < 0.08 + 1.2 / n or u > 0.92 - 1.2 / n or v > 0.86 - 1.2 / n or v < 0.36 + 1.2 / n
    if ribbon:
        return (200, 40, 40, 255)
    if front:
        return (150, 110, 20, 255) if border else (250, 200, 70, 255)
    if back:
        return (215, 160, 40, 255)
    return (0, 0, 0, 0)


def image(n):
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up, as BMP stores it
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((n + 31) // 32) * 4
    mask = b"\0" * (mask_row * n)  # alpha carries transparency; the AND mask stays clear
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main(path):
    sizes = [16, 20, 24, 32, 48]
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/common/quillmark.ico")
