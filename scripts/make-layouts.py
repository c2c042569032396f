#!/usr/bin/env python3
"""Writes data/layouts/<model>.xml for every keyboard model of data/config.xml.

Each board below is one of the simulated keyboards' boards (sim/SimKeyboard.cpp): its
order is the keyboard's factory key map, so a key's position in it is its key index, and
the keyboards light key index i with LED i. The script checks each board against the
simulator's table of the same name. Codes are what the program reads back from a key map
(modifiers 0xE0-0xE7, Fn 0xF0).

Geometry is in key units across and rows down: (code, name, legend, x, row, width, height).
A key's canvas cell is its row and the column under its centre: a key unit per column, or
on models with light strips, the strip's column pitch in pixels, so keys and strips that
stand one above the other share a column.

Usage: scripts/make-layouts.py [output folder]   (default: data/layouts beside this script)
"""
import math
import os
import re
import sys
from xml.sax.saxutils import quoteattr

FN = 0xF0
KNOB = 0xFF

# Full size, the sim's order: Esc F1-F12 PrtSc ScrLk Pause | ` 1-0 - = Bksp Ins Home PgUp |
# NumLk / * - | Tab Q-P [ ] \ Del End PgDn | kp 7 8 9 + | Caps A-L ; ' Enter kp 4 5 6 |
# LShift Z-/ RShift Up kp 1-3 Enter | LCtrl LWin LAlt Space RAlt Fn App RCtrl arrows kp 0 .
FULL_SIZE = [
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
NAMES = {code: (name, legend) for code, name, legend, *_ in FULL_SIZE}

# Tenkeyless: the full-size board without the numeric keypad (codes 0x53-0x63).
TENKEYLESS = [k for k in FULL_SIZE if not 0x53 <= k[0] <= 0x63]

GAP = None


def row_of(row, items, x=0.0):
    """Keys placed left to right from x: items are (code, width), or (GAP, width) for space."""
    out = []
    for code, width in items:
        if code is not GAP:
            name, legend = NAMES[code]
            out.append((code, name, legend, x, row, width, 1))
        x += width
    return out


def ones(codes):
    return [(c, 1) for c in codes]


# The 75% boards' main block, 15 units wide (the function row 13.75); the navigation
# column stands at 15.25.
FUNCTION_ROW = [(0x29, 1), (GAP, 0.25), *ones(range(0x3A, 0x3E)), (GAP, 0.25), *ones(range(0x3E, 0x42)),
                (GAP, 0.25), *ones(range(0x42, 0x46))]
NUMBER_ROW = [*ones([0x35, *range(0x1E, 0x28), 0x2D, 0x2E]), (0x2A, 2)]
TOP_ROW = [(0x2B, 1.5), *ones([0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30]),
           (0x31, 1.5)]
HOME_ROW = [(0x39, 1.75), *ones([0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34]),
            (0x28, 2.25)]
SHIFT_ROW = [(0xE1, 2.25), *ones([0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38]), (0xE5, 1.75),
             (GAP, 0.25), (0x52, 1)]
BOTTOM_ROW = [(0xE0, 1.25), (0xE3, 1.25), (0xE2, 1.25), (0x2C, 6.25), *ones([0xE6, FN, 0xE4]), (GAP, 0.25),
              *ones([0x50, 0x51, 0x4F])]
NAV = (GAP, 0.25)

# Compact, 80 keys: Del PgUp PgDn down the right, the knob above them.
COMPACT80 = [
    *row_of(0, FUNCTION_ROW),
    *row_of(1, [*NUMBER_ROW, NAV, (0x4C, 1)]),
    *row_of(2, [*TOP_ROW, NAV, (0x4B, 1)]),
    *row_of(3, [*HOME_ROW, NAV, (0x4E, 1)]),
    *row_of(4, SHIFT_ROW),
    *row_of(5, BOTTOM_ROW),
]

# 75%, 82 keys: Del Home PgUp PgDn End down the right.
COMPACT82 = [
    *row_of(0, [*FUNCTION_ROW, (GAP, 1.5), (0x4C, 1)]),
    *row_of(1, [*NUMBER_ROW, NAV, (0x4A, 1)]),
    *row_of(2, [*TOP_ROW, NAV, (0x4B, 1)]),
    *row_of(3, [*HOME_ROW, NAV, (0x4E, 1)]),
    *row_of(4, [*SHIFT_ROW, (0x4D, 1)]),
    *row_of(5, BOTTOM_ROW),
]

# The simulator's table of each board.
BOARDS = {"kFullSize": FULL_SIZE, "kTenkeyless": TENKEYLESS, "kCompact80": COMPACT80, "kCompact82": COMPACT82}

# Per model: its board, canvas origin of the keys, pixels per key unit and per row, the
# canvas cell offset, the control's size and the grid's size (strips included). `columns`
# (left, pixels) puts the cell columns on a light strip's pitch.
MODELS = {
    # Light strips on the left, top and right (columns 0 and 24, row 0; a column is 36
    # pixels of the top strip, whose first item stands at 1).
    "K101": dict(board=TENKEYLESS, origin=(80, 14), unit=36, pitch=36, cell=(1, 1), columns=(1, 36),
                 size=(817, 252), grid=(8, 25)),
    # A knob in the top right corner (key index 80) and a light strip below (row 7, a
    # column every 29 pixels from 20).
    "K102": dict(board=COMPACT80, origin=(26, 16), unit=46, pitch=46, cell=(0, 0), columns=(6, 29),
                 size=(800, 330), grid=(8, 27), knob=dict(x=15, row=0, index=80)),
    # The knob-mode switch turns on-screen key 14 into the knob: Home stands there.
    "K103": dict(board=COMPACT82, origin=(76, 16), unit=48, pitch=48, cell=(0, 0), size=(932, 332), home_at=14),
    "K150": dict(board=TENKEYLESS, origin=(28, 16), unit=48, pitch=48, cell=(0, 0), size=(932, 332)),
    "K104": dict(board=FULL_SIZE, origin=(16, 16), unit=40, pitch=48, cell=(0, 0), size=(932, 332)),
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
    first, per_column = spec.get("columns", (ox, unit))

    def column(x, w):  # of the unit under the middle of x .. x + w
        return math.floor((ox + (x + w / 2) * unit - first) / per_column) + dc

    out = []
    for index, (code, name, legend, x, row, w, h) in enumerate(spec["board"]):
        out.append(dict(
            code=code, name=name, desc=legend, key_index=index, light_index=index,
            left=ox + round(x * unit) + 1, top=oy + round(row_top(row) * pitch) + 1,
            width=round(w * unit) - 3, height=round(h * pitch) - 3,
            row=row + dr, col=column(x, w)))
    if "home_at" in spec:
        home = next(k for k in out if k["code"] == 0x4A)
        out.remove(home)
        out.insert(spec["home_at"], home)
    knob = spec.get("knob")
    if knob:
        size = round(spec["unit"] * 1.2)
        out.append(dict(code=KNOB, name="Knob", desc="", key_index=knob["index"], light_index=255,
                        left=ox + round(knob["x"] * unit), top=oy + round(row_top(knob["row"]) * pitch) - 4,
                        width=size, height=size, row=knob["row"] + dr, col=column(knob["x"], 1)))
    return out


def sim_boards(path):
    """The simulator's boards: its key tables, in the codes a key map reads back."""
    text = re.sub(r"//[^\n]*", "", open(path, encoding="utf-8").read())
    boards = {}
    for name, body in re.findall(r"constexpr uint8_t (k\w+)\[\] = \{(.*?)\};", text, re.S):
        usages = [int(v, 0) for v in body.replace("\n", " ").split(",") if v.strip()]
        boards[name] = [FN if u == 0xAF else u for u in usages]
    return boards


def check_boards(sim_source):
    sim = sim_boards(sim_source)
    for name, board in BOARDS.items():
        assert sim.get(name) == [k[0] for k in board], f"{name} differs from {sim_source}"
    for spec in MODELS.values():
        assert len(spec["board"]) <= 128, "key indexes and LEDs end at 127"
    knob = MODELS["K102"]["knob"]
    assert knob["index"] == len(MODELS["K102"]["board"]), "the knob's keys follow the board's"


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
    check_boards(os.path.join(here, "..", "sim", "SimKeyboard.cpp"))
    os.makedirs(folder, exist_ok=True)
    for name, spec in MODELS.items():
        write(folder, name, spec)


if __name__ == "__main__":
    main()
