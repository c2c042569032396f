#!/usr/bin/env python3
"""Writes data/layouts/<model>.xml for every keyboard model of data/config.xml.

The key table below is the full-size board of the simulated keyboards (sim/SimKeyboard.cpp):
its order is the keyboards' factory key map, so a key's position in it is its key index,
and the keyboards light key index i with LED i. A model keeps the first `keys` entries.
Codes are what the program reads back from a key map (modifiers 0xE0-0xE7, Fn 0xF0).

Geometry is in key units across and rows down: (code, name, legend, x, row, width, height).
A key's canvas cell is its row and the unit under its centre.

Usage: scripts/make-layouts.py [output folder]   (default: data/layouts beside this script)
"""
import math
import os
import sys
from xml.sax.saxutils import quoteattr

FN = 0xF0
KNOB = 0xFF

# Sim order: Esc F1-F12 PrtSc ScrLk Pause | ` 1-0 - = Bksp Ins Home PgUp | NumLk / * - |
# Tab Q-P [ ] \ Del End PgDn | kp 7 8 9 + | Caps A-L ; ' Enter kp 4 5 6 |
# LShift Z-/ RShift Up kp 1-3 Enter | LCtrl LWin LAlt Space RAlt Fn App RCtrl arrows kp 0 .
KEYS = [
    (0x29, "Esc", "Esc", 0, 0, 1, 1),
    *[(0x3A + i, f"F{i + 1}", f"F{i + 1}", x, 0, 1, 1)
      for i, x in enumerate([2, 3, 4, 5, 6.5, 7.5, 8.5, 9.5, 11, 12, 13, 14])],
    (0x46, "PrtSc", "PrtSc", 15.25, 0, 1, 1),
    (0x47, "ScrLk", "ScrLk", 16.25, 0, 1, 1),
    (0x48, "Pause", "Pause", 17.25, 0, 1, 1),

    (0x35, "`", "`", 0, 1, 1, 1),
    *[(0x1E + i, d, d, 1 + i, 1, 1, 1) for i, d in enumerate("1234567890")],
    (0x2D, "-", "-", 11, 1, 1, 1),
    (0x2E, "=", "=", 12, 1, 1, 1),
    (0x2A, "Backspace", "Backspace", 13, 1, 2, 1),
    (0x49, "Insert", "Ins", 15.25, 1, 1, 1),
    (0x4A, "Home", "Home", 16.25, 1, 1, 1),
    (0x4B, "PageUp", "PgUp", 17.25, 1, 1, 1),
    (0x53, "NumLock", "Num", 18.5, 1, 1, 1),
    (0x54, "Num /", "/", 19.5, 1, 1, 1),
    (0x55, "Num *", "*", 20.5, 1, 1, 1),
    (0x56, "Num -", "-", 21.5, 1, 1, 1),

    (0x2B, "Tab", "Tab", 0, 2, 1.5, 1),
    *[(c, l, l, 1.5 + i, 2, 1, 1) for i, (c, l) in enumerate(
        zip([0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13], "QWERTYUIOP"))],
    (0x2F, "[", "[", 11.5, 2, 1, 1),
    (0x30, "]", "]", 12.5, 2, 1, 1),
    (0x31, "\\", "\\", 13.5, 2, 1.5, 1),
    (0x4C, "Delete", "Del", 15.25, 2, 1, 1),
    (0x4D, "End", "End", 16.25, 2, 1, 1),
    (0x4E, "PageDown", "PgDn", 17.25, 2, 1, 1),
    (0x5F, "Num 7", "7", 18.5, 2, 1, 1),
    (0x60, "Num 8", "8", 19.5, 2, 1, 1),
    (0x61, "Num 9", "9", 20.5, 2, 1, 1),
    (0x57, "Num +", "+", 21.5, 2, 1, 2),

    (0x39, "CapsLock", "Caps", 0, 3, 1.75, 1),
    *[(c, l, l, 1.75 + i, 3, 1, 1) for i, (c, l) in enumerate(
        zip([0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F], "ASDFGHJKL"))],
    (0x33, ";", ";", 10.75, 3, 1, 1),
    (0x34, "'", "'", 11.75, 3, 1, 1),
    (0x28, "Enter", "Enter", 12.75, 3, 2.25, 1),
    (0x5C, "Num 4", "4", 18.5, 3, 1, 1),
    (0x5D, "Num 5", "5", 19.5, 3, 1, 1),
    (0x5E, "Num 6", "6", 20.5, 3, 1, 1),

    (0xE1, "LShift", "Shift", 0, 4, 2.25, 1),
    *[(c, l, l, 2.25 + i, 4, 1, 1) for i, (c, l) in enumerate(
        zip([0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10], "ZXCVBNM"))],
    (0x36, ",", ",", 9.25, 4, 1, 1),
    (0x37, ".", ".", 10.25, 4, 1, 1),
    (0x38, "/", "/", 11.25, 4, 1, 1),
    (0xE5, "RShift", "Shift", 12.25, 4, 2.75, 1),
    (0x52, "Up", "Up", 16.25, 4, 1, 1),
    (0x59, "Num 1", "1", 18.5, 4, 1, 1),
    (0x5A, "Num 2", "2", 19.5, 4, 1, 1),
    (0x5B, "Num 3", "3", 20.5, 4, 1, 1),
    (0x58, "Num Enter", "Enter", 21.5, 4, 1, 2),

    (0xE0, "LCtrl", "Ctrl", 0, 5, 1.25, 1),
    (0xE3, "LWin", "Win", 1.25, 5, 1.25, 1),
    (0xE2, "LAlt", "Alt", 2.5, 5, 1.25, 1),
    (0x2C, "Space", "", 3.75, 5, 6.25, 1),
    (0xE6, "RAlt", "Alt", 10, 5, 1.25, 1),
    (FN, "Fn", "Fn", 11.25, 5, 1.25, 1),
    (0x65, "Menu", "Menu", 12.5, 5, 1.25, 1),
    (0xE4, "RCtrl", "Ctrl", 13.75, 5, 1.25, 1),
    (0x50, "Left", "Left", 15.25, 5, 1, 1),
    (0x51, "Down", "Down", 16.25, 5, 1, 1),
    (0x4F, "Right", "Right", 17.25, 5, 1, 1),
    (0x62, "Num 0", "0", 18.5, 5, 2, 1),
    (0x63, "Num .", ".", 20.5, 5, 1, 1),
]
assert len(KEYS) == 104

# Per model: keys kept, canvas origin of the keys, pixels per key unit and per row, the
# canvas cell offset, the control's size and the grid's size (strips included).
MODELS = {
    # Light strips on the left, top and right (columns 0 and 24, row 0).
    "K101": dict(keys=104, origin=(14, 14), unit=35, pitch=36, cell=(1, 1), size=(817, 252), grid=(8, 25)),
    # A knob in the top right corner (key index 104) and a light strip below (row 7).
    "K102": dict(keys=104, origin=(20, 16), unit=33, pitch=46, cell=(0, 0), size=(800, 330), grid=(8, 27),
                 knob=dict(x=20.5, row=0, index=104)),
    # The knob-mode switch turns on-screen key 14 into the knob: Home stands there.
    "K103": dict(keys=82, origin=(16, 16), unit=40, pitch=48, cell=(0, 0), size=(932, 332), home_at=14),
    "K150": dict(keys=87, origin=(16, 16), unit=40, pitch=48, cell=(0, 0), size=(932, 332)),
    "K104": dict(keys=104, origin=(16, 16), unit=40, pitch=48, cell=(0, 0), size=(932, 332)),
}
POSITION = (330, 150)  # top-left of the keyboard controls in the main window
BACKGROUND = 0xFFFFFF


def row_top(row):
    # A quarter row between the function row and the rest.
    return row + (0.25 if row > 0 else 0)


def layout_keys(spec):
    ox, oy = spec["origin"]
    unit, pitch = spec["unit"], spec["pitch"]
    dr, dc = spec["cell"]
    out = []
    for index, (code, name, legend, x, row, w, h) in enumerate(KEYS[:spec["keys"]]):
        out.append(dict(
            code=code, name=name, desc=legend, key_index=index, light_index=index,
            left=ox + round(x * unit) + 1, top=oy + round(row_top(row) * pitch) + 1,
            width=round(w * unit) - 3, height=round(h * pitch) - 3,
            row=row + dr, col=math.floor(x + w / 2) + dc))
    if "home_at" in spec:
        home = next(k for k in out if k["code"] == 0x4A)
        out.remove(home)
        out.insert(spec["home_at"], home)
    knob = spec.get("knob")
    if knob:
        size = round(spec["unit"] * 1.2)
        out.append(dict(code=KNOB, name="Knob", desc="", key_index=knob["index"], light_index=255,
                        left=ox + round(knob["x"] * unit), top=oy + round(row_top(knob["row"]) * pitch) - 4,
                        width=size, height=size, row=knob["row"] + dr, col=math.floor(knob["x"] + 0.5) + dc))
    return out


def check(name, spec, keys):
    width, height = spec["size"]
    cells = set()
    for k in keys:
        assert 0 <= k["left"] and k["left"] + k["width"] <= width, (name, k)
        assert 0 <= k["top"] and k["top"] + k["height"] <= height, (name, k)
        if k["code"] == KNOB:
            continue
        assert 0 <= k["row"] < 8 and 0 <= k["col"] < 32, (name, k)
        assert (k["row"], k["col"]) not in cells, (name, k)
        cells.add((k["row"], k["col"]))
    codes = [k["code"] for k in keys]
    assert len(codes) == len(set(codes)), name


def grid_size(spec, keys):
    if "grid" in spec:
        return spec["grid"]
    cells = [k for k in keys if k["code"] != KNOB]
    return max(k["row"] for k in cells) + 1, max(k["col"] for k in cells) + 1


def write(folder, name, spec):
    keys = layout_keys(spec)
    check(name, spec, keys)
    rows, cols = grid_size(spec, keys)
    width, height = spec["size"]
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- Written by scripts/make-layouts.py; edit the script, not this file. -->",
        "<device.info>",
        f'  <Keyboard bk_color="0x{BACKGROUND:06X}" xpos="{POSITION[0]}" ypos="{POSITION[1]}" '
        f'width="{width}" height="{height}" image="{name}.png" row_count="{rows}" col_count="{cols}">',
        "    <KeyItems>",
    ]
    for k in keys:
        lines.append(
            f'      <key code="{k["code"]:02X}" name={quoteattr(k["name"])} desc={quoteattr(k["desc"])} '
            f'key_index="{k["key_index"]}" light_index="{k["light_index"]}" icon="" fnlayer_disable="0" '
            f'rect_left="{k["left"]}" rect_top="{k["top"]}" rect_width="{k["width"]}" rect_height="{k["height"]}" '
            f'row_col="{k["row"]}_{k["col"]}"/>')
    lines += ["    </KeyItems>", "  </Keyboard>", "</device.info>", ""]
    with open(os.path.join(folder, name + ".xml"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "layouts")
    os.makedirs(folder, exist_ok=True)
    for name, spec in MODELS.items():
        write(folder, name, spec)


if __name__ == "__main__":
    main()
