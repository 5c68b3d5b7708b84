#!/usr/bin/env python3
"""Writes the seed files of bmp_fuzz into the folder given as argument: one
small BMP for each header form, depth and compression the reader takes."""
import os
import struct
import sys

out = sys.argv[1]


def bmp(width, height, bpp, bits, compression=0, palette=b"", masks=b"", header=40,
        colors_used=0):
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bpp)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bpp, compression,
                           len(bits), 0, 0, colors_used, 0)
        if header > 40:
            info += masks.ljust(header - 40, b"\0")
            masks = b""
    off = 14 + len(info) + len(masks) + len(palette)
    head = b"BM" + struct.pack("<IHHI", off + len(bits), 0, 0, off)
    return head + info + masks + palette + bits


quad = bytes([0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0])
seeds = {
    "1bit.bmp": bmp(3, 2, 1, bytes([0xA0, 0, 0, 0, 0x40, 0, 0, 0]),
                    palette=bytes([0, 0, 0, 0, 255, 255, 255, 0]), colors_used=2),
    "4bit.bmp": bmp(3, 1, 4, bytes([0x12, 0x30, 0, 0]), palette=quad, colors_used=4),
    "8bit_topdown.bmp": bmp(2, -2, 8, bytes([1, 2, 0, 0, 3, 0, 0, 0]), palette=quad,
                            colors_used=4),
    "rle8.bmp": bmp(4, 3, 8, bytes([2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 1]),
                    compression=1, palette=quad, colors_used=4),
    "rle4.bmp": bmp(5, 1, 4, bytes([3, 0x12, 0, 3, 0x31, 0x30, 0, 1]), compression=2,
                    palette=quad, colors_used=4),
    "16bit_555.bmp": bmp(3, 1, 16, bytes([0, 0x7C, 0xE0, 0x03, 0x10, 0x80, 0, 0])),
    "16bit_565.bmp": bmp(2, 1, 16, bytes([0xE0, 0x07, 0, 0xF8]), compression=3,
                         masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)),
    "24bit.bmp": bmp(1, 2, 24, bytes([1, 2, 3, 0, 4, 5, 6, 0])),
    # Rows of 9 bytes padded to 12, the first row of the file the top one.
    "24bit_topdown.bmp": bmp(3, -2, 24, bytes(range(1, 10)) + bytes(3) +
                             bytes(range(11, 20)) + bytes(3)),
    "32bit.bmp": bmp(2, 2, 32, bytes([1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0])),
    "32bit_topdown.bmp": bmp(2, -2, 32, bytes([1, 2, 3, 9, 4, 5, 6, 9, 7, 8, 9, 9, 10, 11, 12,
                                               9])),
    "32bit_v5_alpha.bmp": bmp(2, 1, 32, bytes([1, 2, 3, 0x80, 4, 5, 6, 0]), compression=3,
                              header=124,
                              masks=struct.pack("<IIII", 0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
    "32bit_v4.bmp": bmp(1, 1, 32, bytes([1, 2, 3, 4]), header=108),
    "core_8bit.bmp": bmp(2, 1, 8, bytes([2, 1, 0, 0]), header=12,
                         palette=bytes([0, 0, 0, 0, 0, 255, 255, 0, 0]) + bytes(253 * 3)),
    "core_24bit.bmp": bmp(1, 1, 24, bytes([9, 8, 7, 0]), header=12),
}
os.makedirs(out, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
