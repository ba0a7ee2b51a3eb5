#!/usr/bin/env python3
"""Draws the picture of the options dialog's "Reset Used Folders" button and writes it to
resources/options/delete_16.ico (a red cross, 16, 20, 24 and 32 pixels; the icon
resource "Delete_16"). Run once; the result is committed."""
import os
import runpy
import sys
import types

HERE = os.path.dirname(os.path.abspath(__file__))
# The drawing helpers of the launcher's pictures, loaded from their script (its name is
# no module name); run_path leaves its main block alone.
app_images = types.SimpleNamespace(**runpy.run_path(os.path.join(HERE, "make-app-images.py")))


def delete_cross(u, v):
    # Two red strokes corner to corner, darker at their edges.
    d1 = abs(u - v)
    d2 = abs(u + v - 1.0)
    inside = 0.12 <= u <= 0.88 and 0.12 <= v <= 0.88
    if not inside:
        return (0, 0, 0, 0)
    d = min(d1, d2)
    if d <= 0.09:
        return (215, 40, 35, 255)
    if d <= 0.15:
        return (140, 20, 15, 255)
    return (0, 0, 0, 0)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    app_images.write_ico(os.path.join(folder, "delete_16.ico"), delete_cross, [16, 20, 24, 32])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/options")
