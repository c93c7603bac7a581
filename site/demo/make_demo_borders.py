#!/usr/bin/env python3
"""Draws the demo border package of scripts/run.sh: a class of three borders (240x180 PNG
frames with a transparent middle, 110x82 GIF thumbnails, the size of a list item's picture area). Standard library only; the outputs
are committed beside this script, so running it again is only needed to change them."""
import math
import os
import struct
import zlib

W, H = 240, 180
# A list item loads a thumbnail at its own size into a frame whose picture area is this big.
TW, TH = 110, 82
CLASS = "海洋世界"
HERE = os.path.dirname(os.path.abspath(__file__))


def png(path, width, height, rgba):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(b"\0" + bytes(rgba[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def gif(path, width, height, palette, indices):
    # 8-bit codes with a clear code before the table would grow past 9 bits: no real
    # compression, but every decoder reads it.
    clear, end = 256, 257
    bits, nbits, out = 0, 0, bytearray()
    def put(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += 9
        while nbits >= 8:
            out.append(bits & 255)
            bits >>= 8
            nbits -= 8
    for i, index in enumerate(indices):
        if i % 250 == 0:
            put(clear)
        put(index)
    put(end)
    if nbits:
        out.append(bits & 255)
    blocks = b"".join(bytes([len(out[i:i + 255])]) + bytes(out[i:i + 255]) for i in range(0, len(out), 255))
    table = b"".join(bytes(c) for c in palette) + b"\0\0\0" * (256 - len(palette))
    data = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF7, 0, 0) + table
    data += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x08" + blocks + b"\0;"
    with open(path, "wb") as f:
        f.write(data)


def border(kind, x, y):
    """RGBA of the frame at (x, y): a wavy band around a transparent window."""
    edge = min(x, y, W - 1 - x, H - 1 - y)
    wave = 14 + 5 * math.sin((x + y) / 9.0 + kind)
    if edge > wave:
        return (0, 0, 0, 0)
    shade = 0.6 + 0.4 * math.sin(x / 7.0 + y / 11.0 + kind * 2)
    colours = [(30, 120, 200), (20, 170, 160), (240, 150, 60)]
    r, g, b = colours[kind]
    return (int(r * shade), int(g * shade), int(b * shade), 255)


def main():
    folder = os.path.join(HERE, CLASS)
    os.makedirs(folder, exist_ok=True)
    for kind, name in enumerate(["waves", "coral", "sunset"]):
        rgba = []
        for y in range(H):
            for x in range(W):
                rgba.extend(border(kind, x, y))
        png(os.path.join(folder, name + ".png"), W, H, rgba)
        # Thumbnail: the frame over white, quantised to a 6x6x6 colour cube.
        palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
        indices = []
        for ty in range(TH):
            for tx in range(TW):
                r, g, b, a = border(kind, tx * W // TW, ty * H // TH)
                if a == 0:
                    r = g = b = 255
                indices.append(round(r / 51) * 36 + round(g / 51) * 6 + round(b / 51))
        gif(os.path.join(folder, name + ".gif"), TW, TH, palette, indices)


if __name__ == "__main__":
    main()
