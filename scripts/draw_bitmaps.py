#!/usr/bin/env python3
"""Draws the browse dialogs' bitmaps into resources/bitmaps/.

Each picture is 16 x 12 pixels, written below as text rows (one character a
pixel, "." transparent). Every picture gives two files: the image (24 bits,
black where transparent) and its mask (1 bit, white where transparent, black
where the image is), so that the mask drawn with SRCAND and then the image
with SRCPAINT lays the picture over any background.

Run it after changing a picture; commit the .bmp files with it.
"""
import os
import struct

COLOURS = {
    ".": (0, 0, 0),
    "k": (0, 0, 0),
    "g": (128, 128, 128),
    "l": (192, 192, 192),
    "w": (255, 255, 255),
    "G": (0, 192, 0),
    "y": (255, 255, 0),
    "o": (128, 128, 0),
}

PICTURES = {
    "drive": [
        "................",
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kwwwwwwwwwwwwk.",
        ".kwllllllllllgk.",
        ".kwlkkkkkllllgk.",
        ".kwllllllllGGgk.",
        ".kwllllllllllgk.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    "folder_closed": [
        "................",
        "..kkkkk.........",
        ".kwyyyyk........",
        ".kyyyyyykkkkkkk.",
        ".kwwwwwwwwwwwwk.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kwyyyyyyyyyyok.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    "folder_open": [
        "................",
        "..kkkkk.........",
        ".kwyyyyk........",
        ".kyyyyyykkkkkk..",
        ".kyooooooooook..",
        ".kyokkkkkkkkkkkk",
        ".kyokwyyyyyyyyk.",
        ".kykwyyyyyyyyk..",
        ".kkwyyyyyyyyk...",
        ".kwyyyyyyyyk....",
        ".kkkkkkkkkkk....",
        "................",
    ],
}

WIDTH, HEIGHT = 16, 12


def bmp_file(bits_per_pixel, palette, rows):
    """A BMP file of bottom-up rows (each already packed and padded)."""
    pixels = b"".join(reversed(rows))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, bits_per_pixel, 0, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def image(picture):
    rows = []
    for text in picture:
        rows.append(b"".join(bytes(reversed(COLOURS[c])) for c in text))  # blue, green, red
    return bmp_file(24, b"", rows)


def mask(picture):
    rows = []
    for text in picture:
        bits = 0
        for c in text:
            bits = bits << 1 | (c == ".")
        rows.append(struct.pack(">H", bits) + b"\0\0")  # rows are padded to 4 bytes
    return bmp_file(1, bytes([0, 0, 0, 0, 255, 255, 255, 0]), rows)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
    os.makedirs(out, exist_ok=True)
    for name, picture in PICTURES.items():
        assert len(picture) == HEIGHT and all(len(row) == WIDTH for row in picture), name
        for suffix, data in (("", image(picture)), ("_mask", mask(picture))):
            with open(os.path.join(out, name + suffix + ".bmp"), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
