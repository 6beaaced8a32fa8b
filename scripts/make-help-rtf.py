#!/usr/bin/env python3
"""Puts a PNG picture into the help document: make-help-rtf.py PICTURE.png DOCUMENT.rtf

The document's picture group {\\pict ...} gets the PNG as hex, its size in pixels and its
size in twips at 96 pixels to the inch; the rest of the document stays as it is.
"""
import re
import struct
import sys

TWIPS_PER_PIXEL = 15  # 1440 twips to the inch at 96 pixels to the inch
HEX_LINE = 128


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG file")
    return struct.unpack(">II", data[16:24])


def picture_group(data):
    width, height = png_size(data)
    hexdigits = data.hex()
    lines = [hexdigits[i:i + HEX_LINE] for i in range(0, len(hexdigits), HEX_LINE)]
    words = "\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d" % (
        width, height, width * TWIPS_PER_PIXEL, height * TWIPS_PER_PIXEL)
    return "{" + words + "\r\n" + "\r\n".join(lines) + "\r\n}"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make-help-rtf.py PICTURE.png DOCUMENT.rtf")
    with open(sys.argv[1], "rb") as picture:
        data = picture.read()
    with open(sys.argv[2], "rb") as document:
        rtf = document.read().decode("cp1252")
    group = re.compile(r"\{\\pict\\[^{}]*\}")
    if len(group.findall(rtf)) != 1:
        sys.exit("the document must hold exactly one picture group")
    rtf = group.sub(lambda _: picture_group(data), rtf)
    with open(sys.argv[2], "wb") as document:
        document.write(rtf.encode("cp1252"))


if __name__ == "__main__":
    main()
