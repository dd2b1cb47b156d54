#!/usr/bin/env python3
"""Writes a stand-in Windows icon file: one PNG-compressed image, the window
icon resources/images/icon.png, for builds made before the program icon
resources/icons/wexmora.ico exists. Usage: standin_icon.py PNG ICO"""
import struct
import sys


def main(png_path, ico_path):
    with open(png_path, "rb") as f:
        png = f.read()
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(png_path + " is not a PNG file")
    width, height = struct.unpack(">II", png[16:24])
    if width > 256 or height > 256:
        sys.exit(png_path + " is larger than 256 x 256")
    header = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), 6 + 16)
    with open(ico_path, "wb") as f:
        f.write(header + entry + png)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
