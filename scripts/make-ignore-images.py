#!/usr/bin/env python3
"""Draws the icons of the ignore dialogs and writes them to resources/ignore/: a folder
with a red "no entry" sign, 32 pixels for the manager's corner ("Ignored_Folders_32_*")
and 16 pixels for its rows ("Ignored_Folder_16_*"), in a Vista and an XP tint.
Run once; the results are committed."""
import math
import os
import runpy
import sys
import types

HERE = os.path.dirname(os.path.abspath(__file__))
# The drawing helpers of the launcher's pictures, loaded from their script (its name is
# no module name); run_path leaves its main block alone.
app_images = types.SimpleNamespace(**runpy.run_path(os.path.join(HERE, "make-app-images.py")))


def ignored_folder(folder, edge):
    def pixel(u, v):
        # The sign over the lower right corner of the folder.
        d = math.hypot(u - 0.68, v - 0.68)
        if d <= 0.28:
            bar = abs((u - 0.68) + (v - 0.68)) < 0.07
            if d >= 0.21 or bar:
                return (200, 30, 30, 255)
            return (255, 255, 255, 255)
        tab = 0.08 <= u <= 0.42 and 0.14 <= v <= 0.26
        body = 0.05 <= u <= 0.92 and 0.22 <= v <= 0.82
        if tab or body:
            border = u < 0.09 or u > 0.88 or v > 0.78 or (tab and v < 0.18)
            return edge if border else folder
        return (0, 0, 0, 0)
    return pixel


def main(folder):
    os.makedirs(folder, exist_ok=True)
    vista = ignored_folder((240, 200, 90, 255), (170, 130, 40, 255))
    xp = ignored_folder((250, 215, 120, 255), (190, 150, 60, 255))
    app_images.write_ico(os.path.join(folder, "ignored_folders_32_vista.ico"), vista, [32])
    app_images.write_ico(os.path.join(folder, "ignored_folders_32_xp.ico"), xp, [32])
    app_images.write_ico(os.path.join(folder, "ignored_folder_16_vista.ico"), vista, [16])
    app_images.write_ico(os.path.join(folder, "ignored_folder_16_xp.ico"), xp, [16])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/ignore")
