#!/usr/bin/env python3
"""Builds src/win32/res/quillmont.ico from the source drawing.

Each of the sizes 16, 24, 32 and 48 pixels is rendered from the SVG with
ImageMagick and stored three times: 4 bits (the 16 standard Windows colours),
8 bits (a fixed 256-colour palette) and 32 bits (with alpha). The palettes are
fixed so that the output depends only on the drawing.
"""
import struct
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE = ROOT / "src/win32/res/icon/quillmont_icon.svg"
TARGET = ROOT / "src/win32/res/quillmont.ico"
SIZES = (16, 24, 32, 48)

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    colours = list(VGA16)
    steps = (0, 51, 102, 153, 204, 255)
    colours += [(r, g, b) for r in steps for g in steps for b in steps]
    colours += [(8 + 10 * i,) * 3 for i in range(24)]
    return colours[:256]


def render(size):
    """RGBA bytes of the drawing at size x size, top row first."""
    density = 72 * size / 48
    raw = subprocess.run(
        ["convert", "-background", "none", "-density", f"{density:.3f}", str(SOURCE),
         "-resize", f"{size}x{size}!", "-depth", "8", "rgba:-"],
        check=True, capture_output=True).stdout
    if len(raw) != size * size * 4:
        sys.exit(f"unexpected render size for {size}px: {len(raw)} bytes")
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def nearest(palette, rgb, cache):
    if rgb not in cache:
        cache[rgb] = min(range(len(palette)),
                         key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))
    return cache[rgb]


def row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def and_mask(pixels, size):
    """1 bit per pixel, set where the icon is transparent; bottom row first."""
    stride = row_bytes(1, size)
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if pixels[y * size + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def indexed_image(pixels, size, palette, bits):
    cache = {}
    stride = row_bytes(bits, size)
    body = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            index = 0 if a < 128 else nearest(palette, (r, g, b), cache)
            if bits == 4:
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                row[x] = index
        body += row
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    table += b"\0" * (4 * (2 ** bits) - len(table))
    return header(size, bits, len(palette)) + table + bytes(body) + and_mask(pixels, size)


def rgba_image(pixels, size):
    body = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            body += bytes((b, g, r, a))
    return header(size, 32, 0) + bytes(body) + and_mask(pixels, size)


def header(size, bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0,
                       colours if bits <= 8 else 0, 0)


def main():
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, 4, 16, indexed_image(pixels, size, VGA16, 4)))
        images.append((size, 8, 0, indexed_image(pixels, size, palette256(), 8)))
        images.append((size, 32, 0, rgba_image(pixels, size)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, bits, colours, image in images:
        directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(image), offset + len(data))
        data += image
    TARGET.write_bytes(directory + data)
    print(f"wrote {TARGET.relative_to(ROOT)}: {len(images)} images")


if __name__ == "__main__":
    main()
