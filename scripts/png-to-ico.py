#!/usr/bin/env python3
"""Writes a Windows icon (.ico) holding the given PNG pictures as they are, largest last.

Windows reads PNG pictures inside an icon since Vista; the game's icon is drawn as PNGs at
build time (content/icon), so no conversion is needed.

Usage: png-to-ico.py OUT.ico PICTURE.png...
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("png-to-ico.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    pictures = []
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit(f"png-to-ico.py: {path} is larger than 256 pixels")
        pictures.append((width, height, data))
    pictures.sort(key=lambda p: p[0])
    out = struct.pack("<HHH", 0, 1, len(pictures))
    offset = 6 + 16 * len(pictures)
    for width, height, data in pictures:
        # 256 is written as 0; 32 bits a pixel, one plane.
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(p[2] for p in pictures)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
