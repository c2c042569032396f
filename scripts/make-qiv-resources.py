#!/usr/bin/env python3
"""Draws the scroll-thumb strips that qiv.dll carries as "PNG" resources 101 and 102.

101: horizontal thumb, 22 x 20, four 22 x 5 frames stacked (normal, hover, pressed, disabled).
102: vertical thumb, 12 x 72, three 4 x 72 frames side by side (normal, hover, pressed).
Run from anywhere; writes qiv/res/scroll_h.png and qiv/res/scroll_v.png.
"""
import os
import struct
import zlib

STATES = [(0x3A, 0x4E, 0x60), (0x49, 0x77, 0xE5), (0x2F, 0x5C, 0xC8), (0x80, 0x80, 0x80)]


def png(width, height, pixel):
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def rounded(x, y, w, h, colour):
    # A capsule: the ends are half-discs across the short side; outside is transparent.
    r = min(w, h) / 2.0
    cx = min(max(x + 0.5, r), w - r)
    cy = min(max(y + 0.5, r), h - r)
    inside = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r
    return (*colour, 255) if inside else (0, 0, 0, 0)


def horizontal(x, y):
    frame, fy = divmod(y, 5)
    return rounded(x, fy, 22, 5, STATES[frame])


def vertical(x, y):
    frame, fx = divmod(x, 4)
    return rounded(fx, y, 4, 72, STATES[frame])


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "qiv", "res")
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "scroll_h.png"), "wb") as f:
        f.write(png(22, 20, horizontal))
    with open(os.path.join(out, "scroll_v.png"), "wb") as f:
        f.write(png(12, 72, vertical))


if __name__ == "__main__":
    main()
