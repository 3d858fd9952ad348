#!/usr/bin/env python3
"""Turns rendered PNGs into the files the window carries, with only the standard library.

  picture_files.py ppm IN.png OUT.ppm      opaque RGB for the JPEG encoder
  picture_files.py ico IN.png OUT.ico      one 32-bit image with alpha, plus its AND mask
  picture_files.py density FILE.jpg DPI    sets the JFIF density the encoder leaves at 1:1
"""
import struct
import sys
import zlib


def read_png(path):
    """Width, height and straight RGBA rows of an 8-bit RGB or RGBA, non-interlaced PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG file")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                sys.exit(f"{path}: only 8-bit RGB or RGBA, non-interlaced")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        row = unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), previous, channels)
        rows.append(row if channels == 4 else add_opaque_alpha(row))
        previous = row
    return width, height, rows


def unfilter(kind, row, previous, bpp):
    for i in range(len(row)):
        left = row[i - bpp] if i >= bpp else 0
        up = previous[i]
        up_left = previous[i - bpp] if i >= bpp else 0
        if kind == 1:
            row[i] = (row[i] + left) & 0xFF
        elif kind == 2:
            row[i] = (row[i] + up) & 0xFF
        elif kind == 3:
            row[i] = (row[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            row[i] = (row[i] + paeth(left, up, up_left)) & 0xFF
    return row


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def add_opaque_alpha(rgb):
    rgba = bytearray()
    for i in range(0, len(rgb), 3):
        rgba += rgb[i:i + 3] + b"\xff"
    return rgba


def write_ppm(png, out):
    width, height, rows = read_png(png)
    pixels = bytearray()
    for row in rows:
        for i in range(0, len(row), 4):
            if row[i + 3] != 255:
                sys.exit(f"{png}: a diagram must be opaque")
            pixels += row[i:i + 3]
    with open(out, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height) + pixels)


def write_ico(png, out):
    width, height, rows = read_png(png)
    if width > 256 or height > 256:
        sys.exit(f"{png}: icons are at most 256 x 256")
    colour, mask = bytearray(), bytearray()
    mask_stride = (width + 31) // 32 * 4
    for row in reversed(rows):  # bottom-up, as in every bitmap
        mask_row = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            colour += bytes((b, g, r, a))
            if a == 0:  # the mask still marks transparency for readers without alpha
                mask_row[x // 8] |= 0x80 >> (x % 8)
        mask += mask_row
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    with open(out, "wb") as f:
        f.write(directory + entry + image)


def set_density(jpeg, dpi):
    with open(jpeg, "r+b") as f:
        head = f.read(18)
        if head[:4] != b"\xff\xd8\xff\xe0" or head[6:11] != b"JFIF\0":
            sys.exit(f"{jpeg}: no JFIF header right after the start")
        f.seek(13)
        f.write(struct.pack(">BHH", 1, dpi, dpi))  # unit 1: dots per inch


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    if command == "ppm":
        write_ppm(*args)
    elif command == "ico":
        write_ico(*args)
    elif command == "density":
        set_density(args[0], int(args[1]))
    else:
        sys.exit(__doc__)
