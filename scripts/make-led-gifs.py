#!/usr/bin/env python3
"""Writes data/gif/<model>/0.gif, the default LED animation of screen slot 0 of every
keyboard model that has lighting pages (models of data/config.xml below 150).

Each animation is drawn here: a ring of light going round a dark square, in a colour of
its own per model, eight frames of 100 ms each, looping. The GIF encoder (LZW, one global
palette) is part of this script, so nothing outside the standard library is needed.

Usage: scripts/make-led-gifs.py [output folder]   (default: data/gif beside this script)
"""
import math
import os
import re
import struct
import sys

SIZE = 32
FRAMES = 8
DELAY_CS = 10  # hundredths of a second per frame


def models(config_path):
    with open(config_path, encoding="utf-8") as f:
        text = f.read()
    found = re.findall(r'<keyboard name="([^"]+)" device_type="(\d+)"', text)
    return [name for name, kind in found if int(kind) < 150]


def palette(hue):
    """16 shades of one colour from black, as 48 bytes of R, G, B."""
    h = hue / 60.0
    x = 1 - abs(h % 2 - 1)
    r, g, b = [(1, x, 0), (x, 1, 0), (0, 1, x), (0, x, 1), (x, 0, 1), (1, 0, x)][int(h) % 6]
    out = bytearray()
    for level in range(16):
        k = level / 15.0
        out += bytes((round(255 * r * k), round(255 * g * k), round(255 * b * k)))
    return bytes(out)


def frame_pixels(index):
    """Palette indexes of one frame: a bright spot travels round a ring."""
    angle = 2 * math.pi * index / FRAMES
    cx = cy = (SIZE - 1) / 2
    spot_x = cx + 10 * math.cos(angle)
    spot_y = cy + 10 * math.sin(angle)
    pixels = bytearray()
    for y in range(SIZE):
        for x in range(SIZE):
            ring = abs(math.hypot(x - cx, y - cy) - 10)
            spot = math.hypot(x - spot_x, y - spot_y)
            level = 0
            if ring < 1.5:
                level = 4
            if spot < 5:
                level = max(level, round(15 - 2.2 * spot))
            pixels.append(max(0, min(15, level)))
    return bytes(pixels)


def lzw(pixels, min_code_size):
    """GIF LZW data blocks of the indexes."""
    clear = 1 << min_code_size
    end = clear + 1
    codes = []

    def reset():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    codes.append((clear, width))
    current = b""
    for p in pixels:
        candidate = current + bytes([p])
        if candidate in table:
            current = candidate
            continue
        codes.append((table[current], width))
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            codes.append((clear, width))
            table, next_code, width = reset()
        current = bytes([p])
    if current:
        codes.append((table[current], width))
    codes.append((end, width))

    data = bytearray()
    acc = bits = 0
    for code, w in codes:
        acc |= code << bits
        bits += w
        while bits >= 8:
            data.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        data.append(acc & 0xFF)
    blocks = bytearray([min_code_size])
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    blocks.append(0)
    return bytes(blocks)


def gif(hue):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", SIZE, SIZE, 0xF3, 0, 0)  # global palette of 16 colours
    out += palette(hue)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for i in range(FRAMES):
        out += b"\x21\xF9\x04\x04" + struct.pack("<H", DELAY_CS) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
        out += lzw(frame_pixels(i), 4)
    out += b"\x3B"
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "gif")
    for n, model in enumerate(models(os.path.join(here, "..", "data", "config.xml"))):
        folder = os.path.join(target, model)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "0.gif"), "wb") as f:
            f.write(gif((200 + 70 * n) % 360))


if __name__ == "__main__":
    main()
