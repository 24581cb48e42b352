#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Saves what the screen shows where a window lies (its frame and all) as a PNG file.

Usage: grab_png.py WINDOW OUTPUT.png

The pixels are read from the root window, as they are on the screen. A dump of the window
itself (xwd) composes the image window by window, and shows a window that lies wholly over
another window of the same program as a black box.
"""
import struct
import sys
import zlib

from Xlib import X, display


def mask_shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift, mask


def grab(window_id):
    d = display.Display()
    screen = d.screen()
    root = screen.root
    window = d.create_resource_object("window", window_id)
    geometry = window.get_geometry()
    origin = window.translate_coords(root, 0, 0)
    left, top = -origin.x, -origin.y
    # Only the part on the screen can be read.
    right = min(left + geometry.width + 2 * geometry.border_width, screen.width_in_pixels)
    bottom = min(top + geometry.height + 2 * geometry.border_width, screen.height_in_pixels)
    left, top = max(left, 0), max(top, 0)
    width, height = right - left, bottom - top
    if width <= 0 or height <= 0:
        raise SystemExit(f"window {window_id:#x} is not on the screen")
    image = root.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF)
    visual = next(v for depth in screen.allowed_depths for v in depth.visuals
                  if v.visual_id == screen.root_visual)
    formats = {f.depth: f.bits_per_pixel for f in d.display.info.pixmap_formats}
    pixel_bytes = formats[image.depth] // 8
    order = "little" if d.display.info.image_byte_order == X.LSBFirst else "big"
    stride = len(image.data) // height
    channels = [mask_shift(m) for m in (visual.red_mask, visual.green_mask, visual.blue_mask)]
    rows = []
    for y in range(height):
        line = image.data[y * stride:(y + 1) * stride]
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
    write_png(sys.argv[2], *grab(int(sys.argv[1], 0)))


if __name__ == "__main__":
    main()
