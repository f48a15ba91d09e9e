#!/usr/bin/env python3
"""Wraps PNG pictures into a Windows icon file (.ico), which Windows reads since Vista.

    png-to-ico.py OUT.ico PICTURE.png...
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("png-to-ico: not a PNG file")
    return struct.unpack(">II", data[16:24])


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__.strip())
    pictures = []
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            pictures.append(f.read())
    # The header, one 16-byte entry per picture, then the pictures as they are. A side of 256
    # is written as 0.
    out = struct.pack("<HHH", 0, 1, len(pictures))
    offset = 6 + 16 * len(pictures)
    for data in pictures:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("png-to-ico: a picture larger than 256 pixels")
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(pictures))


main()
