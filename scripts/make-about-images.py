#!/usr/bin/env python3
"""Draws the pictures of the update check and the about box and writes them to
resources/about/: update_32_xp.ico (a globe with a green download arrow, 32 and 16
pixels; the update answers' icon "Update_32_XP") and, through ImageMagick,
about_logo.jpg (the about box's logo: a quill over a folder and the product name).
Run once; the results are committed."""
import math
import os
import runpy
import subprocess
import sys
import types

HERE = os.path.dirname(os.path.abspath(__file__))
# The drawing helpers of the launcher's pictures, loaded from their script (its name is
# no module name); run_path leaves its main block alone.
app_images = types.SimpleNamespace(**runpy.run_path(os.path.join(HERE, "make-app-images.py")))


def update_icon(u, v):
    # A blue globe with meridians, a green arrow pointing down over its lower right.
    arrow_shaft = 0.62 <= u <= 0.78 and 0.45 <= v <= 0.75
    arrow_head = 0.75 <= v <= 0.97 and abs(u - 0.70) <= (0.97 - v) * 0.9
    if arrow_shaft or arrow_head:
        edge = (abs(u - 0.70) > 0.06 and arrow_shaft) or (arrow_head and abs(u - 0.70) > (0.97 - v) * 0.9 - 0.05)
        return (20, 110, 30, 255) if edge else (60, 180, 70, 255)
    d = math.hypot(u - 0.45, v - 0.45)
    if d <= 0.40:
        if d >= 0.36:
            return (20, 60, 130, 255)
        meridian = abs(u - 0.45) < 0.025 or abs(math.hypot((u - 0.45) * 2.2, v - 0.45) - 0.40) < 0.03
        parallel = abs(v - 0.30) < 0.02 or abs(v - 0.45) < 0.02 or abs(v - 0.60) < 0.02
        if meridian or parallel:
            return (230, 240, 255, 255)
        shade = int(40 + 80 * (1 - d / 0.40))
        return (shade, shade + 90, 220, 255)
    return (0, 0, 0, 0)


def write_logo(path):
    # 360 x 96 pixels: a pale band, a folder with a quill, the name and a thin rule.
    subprocess.run([
        "convert", "-size", "360x96", "gradient:#ffffff-#e8eef8",
        "-fill", "#f4c542", "-stroke", "#b8860b", "-strokewidth", "2",
        "-draw", "roundrectangle 22,34 92,80 6,6",
        "-draw", "roundrectangle 22,26 50,38 4,4",
        "-fill", "#2f5fa8", "-stroke", "#1d3c6e", "-strokewidth", "1",
        "-draw", "polygon 60,70 100,12 106,16 66,74",
        "-draw", "line 60,70 54,82",
        "-stroke", "none", "-fill", "#1d3c6e", "-font", "DejaVu-Serif-Bold", "-pointsize", "34",
        "-draw", "text 120,62 'Quillmark'",
        "-fill", "#2f5fa8", "-draw", "rectangle 120,72 330,74",
        "-quality", "90", "-strip", path], check=True)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    app_images.write_ico(os.path.join(folder, "update_32_xp.ico"), update_icon, [32, 16])
    write_logo(os.path.join(folder, "about_logo.jpg"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/about")
