#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts an X window dump (xwd, TrueColor, 24 or 32 bits per pixel) to a PNG file.

Usage: xwd_to_png.py INPUT.xwd OUTPUT.png
"""
import struct
import sys
import zlib


def mask_shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift, mask


def read_xwd(data):
    fields = struct.unpack(">25I", data[:100])
    header_size = fields[0]
    if fields[1] != 7:
        # The header is written in the dumping machine's order; try the other one.
        fields = struct.unpack("<25I", data[:100])
        header_size = fields[0]
    (_, _, _, _, width, height, _, byte_order, _, _, _, bits_per_pixel, bytes_per_line,
     _, red_mask, green_mask, blue_mask, _, _, ncolors) = fields[:20]
    if bits_per_pixel not in (24, 32):
        raise SystemExit(f"unsupported pixel size: {bits_per_pixel} bits")
    offset = header_size + ncolors * 12
    pixel_bytes = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    channels = [mask_shift(m) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + (y + 1) * bytes_per_line]
        row = bytearray([0])  # PNG filter type: none
        for x in range(width):
            pixel = int.from_bytes(line[x * pixel_bytes:(x + 1) * pixel_bytes], order)
            for shift, mask in channels:
                row.append(((pixel >> shift) & mask) * 255 // mask if mask else 0)
        rows.append(bytes(row))
    return width, height, b"".join(rows)


def png_chunk(kind, payload):
    body = kind + payload
    return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))


def write_png(path, width, height, raw):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(png_chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    write_png(sys.argv[2], *read_xwd(data))


if __name__ == "__main__":
    main()
