#!/usr/bin/env python3
"""Writes the picture fixtures of the control tests into a folder:
anim3.gif  8 x 8, three frames (red, green, blue) with delays of 100, 200 and 300 ms;
still.png  8 x 8, one opaque grey frame."""
import struct
import sys
import zlib
from pathlib import Path

SIZE = 8
PALETTE = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (0, 0, 0)]


def lzw_fixed_width(indices, min_size=2):
    """GIF image data that clears the code table before every pixel, so every code keeps
    the starting width: simple and valid for a tiny picture."""
    clear, end, width = 1 << min_size, (1 << min_size) + 1, min_size + 1
    bits, count, out = 0, 0, bytearray()

    def put(code):
        nonlocal bits, count
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8

    for index in indices:
        put(clear)
        put(index)
    put(end)
    if count:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return bytes(out) + b"\x00"


def gif(frames):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", SIZE, SIZE, 0xF1, 0, 0)  # global table of 4 colours
    for r, g, b in PALETTE:
        out += bytes([r, g, b])
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for colour, delay_cs in frames:
        out += b"\x21\xF9\x04\x00" + struct.pack("<H", delay_cs) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
        out += b"\x02" + sub_blocks(lzw_fixed_width([colour] * SIZE * SIZE))
    out += b"\x3B"
    return bytes(out)


def png(rgb):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    rows = b"".join(b"\x00" + bytes(rgb) * SIZE for _ in range(SIZE))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "anim3.gif").write_bytes(gif([(0, 10), (1, 20), (2, 30)]))
    (folder / "still.png").write_bytes(png((128, 128, 128)))


if __name__ == "__main__":
    main()
