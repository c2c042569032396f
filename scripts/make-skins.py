#!/usr/bin/env python3
"""Draws the program's pictures: the skin set "skins/theme1" (backgrounds, button strips,
icons, spinners, the tray icon), the device pictures "device/<model>_on.png" and
"_off.png", the keyboard pictures "skins/theme1/keyboard/<model>.png" from the layout
files, and the executable's own icon and menu picture (resources 107 and 120).

One palette and one style throughout: white surfaces on a cool grey ground, slate ink,
one blue accent, rounded corners. Button strips are four frames side by side (normal,
hover, pressed, disabled), check-type strips eight (the same four, then checked); every
state differs visibly.

Everything is drawn with ImageMagick ("convert", MVG drawing), which the build machine has.

Usage: scripts/make-skins.py <output folder> [layouts folder] [resource folder]
The committed set: scripts/make-skins.py data data/layouts app/shell/res
"""
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

CONVERT = os.environ.get("CONVERT") or shutil.which("convert-im6.q16") or "convert"
FONTS = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF"
BOLD = os.path.join(FONTS, "Roboto-Bold.ttf")
MEDIUM = os.path.join(FONTS, "Roboto-Medium.ttf")

# The palette.
INK = "#3A4E60"        # slate: glyphs, titles
TEXT = "#333333"
ACCENT = "#4977E5"
ACCENT_DARK = "#2F5BC4"
ACCENT_LIGHT = "#DCE6FB"
ACCENT_PALE = "#EEF3FD"
SURFACE = "#FFFFFF"
GROUND = "#F3F5F9"
LINE = "#E1E5EC"
MUTED = "#B8BEC8"
MUTED_BG = "#EEF0F3"
DANGER = "#E5484D"
GOOD = "#35B26B"
WARN = "#F2A93B"
PLATE = "#2E3F4F"
PLATE_EDGE = "#22303D"

# Frame looks of a four-state strip: (fill, border, glyph colour).
STATES = [
    ("none", "none", INK),                 # normal
    (ACCENT_LIGHT, "none", ACCENT),        # hover
    (ACCENT, "none", SURFACE),             # pressed
    ("none", "none", MUTED),               # disabled
]


def run(args):
    subprocess.run([CONVERT] + args, check=True)


def draw(path, width, height, mvg, background="none"):
    """One picture from MVG drawing commands."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    run(["-size", "%dx%d" % (width, height), "xc:" + background, "-draw", mvg, "-define", "png:color-type=6", path])


def frames(count, width, paint):
    """MVG of `count` frames side by side; paint(i) gives the MVG of frame i at 0,0."""
    out = []
    for i in range(count):
        out.append("push graphic-context\ntranslate %d,0\n%s\npop graphic-context\n" % (i * width, paint(i)))
    return "".join(out)


def rrect(x0, y0, x1, y1, r, fill, stroke="none", width=1):
    return ("fill %s\nstroke %s\nstroke-width %g\nroundrectangle %g,%g %g,%g %g,%g\n"
            % (fill, stroke, width, x0, y0, x1, y1, r, r))


def circle(cx, cy, r, fill, stroke="none", width=1):
    return "fill %s\nstroke %s\nstroke-width %g\ncircle %g,%g %g,%g\n" % (fill, stroke, width, cx, cy, cx + r, cy)


def line(x0, y0, x1, y1, colour, width=2):
    return ("fill none\nstroke %s\nstroke-width %g\nstroke-linecap round\nline %g,%g %g,%g\n"
            % (colour, width, x0, y0, x1, y1))


def poly(points, fill, stroke="none", width=1, closed=True):
    pts = " ".join("%g,%g" % p for p in points)
    kind = "polygon" if closed else "polyline"
    return ("fill %s\nstroke %s\nstroke-width %g\nstroke-linejoin round\nstroke-linecap round\n%s %s\n"
            % (fill, stroke, width, kind, pts))


def arc(cx, cy, r, a0, a1, colour, width=2):
    return ("fill none\nstroke %s\nstroke-width %g\nstroke-linecap round\narc %g,%g %g,%g %g,%g\n"
            % (colour, width, cx - r, cy - r, cx + r, cy + r, a0, a1))


def text(x, y, s, size, colour, font=BOLD, gravity=None):
    g = "gravity %s\n" % gravity if gravity else ""
    return "%sfont '%s'\nfont-size %g\nfill %s\nstroke none\ntext %g,%g '%s'\n" % (g, font, size, colour, x, y, s)


# ---- glyphs: drawn into a box of size s at (x, y) in one colour ----

def glyph(name, x, y, s, c):
    k = s / 24.0  # glyphs are designed on a 24-unit grid

    def P(px, py):
        return (x + px * k, y + py * k)

    def L(a, b, cc, d, w=2.0):
        return line(*P(a, b), *P(cc, d), c, w * k)

    w = 2.0 * k
    if name == "close":
        return L(7, 7, 17, 17) + L(17, 7, 7, 17)
    if name == "min":
        return L(6, 12, 18, 12)
    if name == "plus":
        return L(12, 6, 12, 18) + L(6, 12, 18, 12)
    if name == "gear":
        out = circle(*P(12, 12), 3 * k, "none", c, w)
        for i in range(8):
            a = i * math.pi / 4
            out += line(x + (12 + 5.5 * math.cos(a)) * k, y + (12 + 5.5 * math.sin(a)) * k,
                        x + (12 + 8 * math.cos(a)) * k, y + (12 + 8 * math.sin(a)) * k, c, 2.4 * k)
        return out + circle(*P(12, 12), 6 * k, "none", c, w)
    if name == "globe":
        return (circle(*P(12, 12), 8 * k, "none", c, w) + L(4, 12, 20, 12, 1.6)
                + "fill none\nstroke %s\nstroke-width %g\nellipse %g,%g %g,%g 0,360\n" % (c, 1.6 * k, *P(12, 12), 3.5 * k, 8 * k))
    if name == "skins":  # a paint roller
        return (rrect(*P(5, 4), *P(19, 9), 1.5 * k, "none", c, w) + poly([P(19, 6.5), P(21, 6.5), P(21, 12), P(12, 13), P(12, 15)], "none", c, w, False)
                + rrect(*P(10.5, 15), *P(13.5, 21), 1 * k, c))
    if name == "add_profile":
        return (rrect(*P(5, 4), *P(16, 20), 2 * k, "none", c, w) + L(15, 17, 21, 17) + L(18, 14, 18, 20))
    if name == "import":
        return (L(12, 4, 12, 15) + poly([P(8, 11), P(12, 15), P(16, 11)], "none", c, w, False)
                + poly([P(5, 15), P(5, 20), P(19, 20), P(19, 15)], "none", c, w, False))
    if name == "export":
        return (L(12, 15, 12, 4) + poly([P(8, 8), P(12, 4), P(16, 8)], "none", c, w, False)
                + poly([P(5, 15), P(5, 20), P(19, 20), P(19, 15)], "none", c, w, False))
    if name == "dots":
        return "".join(circle(*P(px, 12), 1.8 * k, c) for px in (6, 12, 18))
    if name == "home":
        return poly([P(4, 12), P(12, 5), P(20, 12)], "none", c, w, False) + poly([P(7, 10), P(7, 19), P(17, 19), P(17, 10)], "none", c, w, False) + rrect(*P(10.5, 14), *P(13.5, 19), 0.5 * k, c)
    if name == "light":  # a bulb
        return (circle(*P(12, 10), 6 * k, "none", c, w) + L(9.5, 18, 14.5, 18) + L(10.5, 21, 13.5, 21)
                + L(12, 7, 12, 12, 1.6))
    if name == "zephra":  # equaliser bars
        return "".join(L(px, 20, px, top, 2.6) for px, top in ((5, 13), (9.5, 6), (14, 10), (18.5, 4)))
    if name == "matrix":
        return "".join(rrect(*P(4 + 6 * i, 4 + 6 * j), *P(8 + 6 * i, 8 + 6 * j), 1 * k, c) for i in range(3) for j in range(3))
    if name == "customkey":  # a key cap with an arrow
        return rrect(*P(4, 5), *P(20, 19), 3 * k, "none", c, w) + L(8, 12, 16, 12) + poly([P(13, 9), P(16, 12), P(13, 15)], "none", c, w, False)
    if name == "macro":  # a record dot in a ring
        return circle(*P(12, 12), 8 * k, "none", c, w) + circle(*P(12, 12), 3.5 * k, c)
    if name == "perf":  # sliders
        return (L(5, 8, 19, 8, 1.6) + L(5, 16, 19, 16, 1.6) + circle(*P(9, 8), 2.4 * k, c) + circle(*P(15, 16), 2.4 * k, c))
    if name == "config":  # a chip
        out = rrect(*P(7, 7), *P(17, 17), 2 * k, "none", c, w)
        for t in (10, 14):
            out += L(t, 3, t, 6, 1.6) + L(t, 18, t, 21, 1.6) + L(3, t, 6, t, 1.6) + L(18, t, 21, t, 1.6)
        return out
    if name == "file":
        return poly([P(6, 3), P(14, 3), P(19, 8), P(19, 21), P(6, 21)], "none", c, w) + poly([P(14, 3), P(14, 8), P(19, 8)], "none", c, w, False)
    if name == "list":
        return "".join(L(9, t, 19, t) + circle(*P(5.5, t), 1.3 * k, c) for t in (7, 12, 17))
    if name == "profile":
        return circle(*P(12, 8), 4 * k, "none", c, w) + arc(*P(12, 22), 8 * k, 200, 340, c, w)
    if name == "rec":
        return circle(*P(12, 12), 6.5 * k, c)
    if name == "cal":
        return rrect(*P(4, 5), *P(20, 20), 2 * k, "none", c, w) + L(4, 10, 20, 10) + L(8, 3, 8, 7) + L(16, 3, 16, 7)
    if name == "email":
        return rrect(*P(3, 6), *P(21, 18), 2 * k, "none", c, w) + poly([P(3.5, 7), P(12, 13), P(20.5, 7)], "none", c, w, False)
    if name == "favorites":
        pts = []
        for i in range(10):
            r = 9 if i % 2 == 0 else 4
            a = -math.pi / 2 + i * math.pi / 5
            pts.append(P(12 + r * math.cos(a), 12.5 + r * math.sin(a)))
        return poly(pts, "none", c, w)
    if name == "multimedia":
        return circle(*P(12, 12), 8 * k, "none", c, w) + poly([P(10, 8.5), P(16, 12), P(10, 15.5)], c)
    if name == "next":
        return poly([P(6, 6), P(14, 12), P(6, 18)], c) + L(17, 6, 17, 18, 2.4)
    if name == "pre":
        return poly([P(18, 6), P(10, 12), P(18, 18)], c) + L(7, 6, 7, 18, 2.4)
    if name == "pc":
        return rrect(*P(3, 4), *P(21, 16), 1.5 * k, "none", c, w) + L(9, 20, 15, 20) + L(12, 16, 12, 20)
    if name == "playpause":
        return poly([P(4, 6), P(11, 12), P(4, 18)], c) + L(15, 6, 15, 18, 2.4) + L(19.5, 6, 19.5, 18, 2.4)
    if name == "stop":
        return rrect(*P(6, 6), *P(18, 18), 1.5 * k, c)
    if name in ("vol_down", "vol_up", "vol_mute"):
        out = poly([P(3, 9), P(7, 9), P(12, 5), P(12, 19), P(7, 15), P(3, 15)], c)
        if name == "vol_up":
            out += arc(*P(13, 12), 4 * k, -50, 50, c, w) + arc(*P(13, 12), 7.5 * k, -50, 50, c, w)
        elif name == "vol_down":
            out += arc(*P(13, 12), 4 * k, -50, 50, c, w)
        else:
            out += L(15, 9, 21, 15) + L(21, 9, 15, 15)
        return out
    if name == "web_backward":
        return L(5, 12, 19, 12) + poly([P(10, 7), P(5, 12), P(10, 17)], "none", c, w, False)
    if name == "web_foreward":
        return L(5, 12, 19, 12) + poly([P(14, 7), P(19, 12), P(14, 17)], "none", c, w, False)
    if name == "web_refresh":
        return arc(*P(12, 12), 7 * k, 20, 320, c, w) + poly([P(18, 3), P(19.5, 8.5), P(14, 8)], c)
    if name == "web_search":
        return circle(*P(10, 10), 5.5 * k, "none", c, w) + L(14.5, 14.5, 20, 20, 2.6)
    if name == "web_stop":
        return circle(*P(12, 12), 8 * k, "none", c, w) + L(8.5, 8.5, 15.5, 15.5) + L(15.5, 8.5, 8.5, 15.5)
    if name == "lcd_add":
        return rrect(*P(4, 4), *P(20, 20), 3 * k, "none", c, w) + L(12, 8, 12, 16) + L(8, 12, 16, 12)
    if name == "addtext":
        return L(6, 6, 18, 6, 2.4) + L(12, 6, 12, 19, 2.4)
    if name == "copy":
        return rrect(*P(8, 8), *P(20, 20), 2 * k, "none", c, w) + poly([P(5, 15), P(4, 15), P(4, 4), P(15, 4), P(15, 5)], "none", c, w, False)
    if name == "delete":
        return (L(5, 7, 19, 7) + L(10, 4, 14, 4) + poly([P(7, 7), P(8, 20), P(16, 20), P(17, 7)], "none", c, w, False)
                + L(10.5, 10, 10.5, 17, 1.5) + L(13.5, 10, 13.5, 17, 1.5))
    if name == "edit":
        return poly([P(5, 19), P(6, 15), P(15, 6), P(18, 9), P(9, 18)], "none", c, w) + L(13, 8, 16, 11, 1.5)
    if name == "erase":
        return poly([P(4, 15), P(13, 6), P(19, 12), P(12, 19), P(8, 19)], "none", c, w) + L(8.5, 10.5, 14.5, 16.5, 1.5) + L(12, 19, 20, 19)
    if name == "revoke":
        return arc(*P(13, 13), 6.5 * k, 200, 450, c, w) + poly([P(4, 9), P(6.5, 14), P(10.5, 10)], c)
    if name == "more":
        return glyph("dots", x, y, s, c)
    if name == "return":
        return L(6, 12, 19, 12) + poly([P(11, 7), P(6, 12), P(11, 17)], "none", c, w, False)
    if name == "info":
        return circle(*P(12, 12), 8.5 * k, "none", c, w) + L(12, 11, 12, 16.5, 2.2) + circle(*P(12, 7.7), 1.3 * k, c)
    if name == "star":
        return glyph("favorites", x, y, s, c).replace("fill none", "fill %s" % c, 1)
    if name == "up":
        return poly([P(6, 15), P(12, 9), P(18, 15)], "none", c, w, False)
    if name == "down":
        return poly([P(6, 9), P(12, 15), P(18, 9)], "none", c, w, False)
    if name == "left":
        return poly([P(15, 6), P(9, 12), P(15, 18)], "none", c, w, False)
    if name == "right":
        return poly([P(9, 6), P(15, 12), P(9, 18)], "none", c, w, False)
    if name == "check":
        return poly([P(5.5, 12.5), P(10, 17), P(18.5, 7.5)], "none", c, w * 1.2, False)
    if name == "arrow_up":
        return L(12, 19, 12, 5) + poly([P(7, 10), P(12, 5), P(17, 10)], "none", c, w, False)
    if name == "arrow_down":
        return L(12, 5, 12, 19) + poly([P(7, 14), P(12, 19), P(17, 14)], "none", c, w, False)
    if name == "arrow_left":
        return L(19, 12, 5, 12) + poly([P(10, 7), P(5, 12), P(10, 17)], "none", c, w, False)
    if name == "arrow_right":
        return L(5, 12, 19, 12) + poly([P(14, 7), P(19, 12), P(14, 17)], "none", c, w, False)
    if name == "usb":
        return (L(12, 4, 12, 19) + poly([P(9, 7), P(12, 3.5), P(15, 7)], c) + L(12, 15, 7, 11, 1.6) + L(12, 13, 17, 9.5, 1.6)
                + circle(*P(7, 10.5), 1.5 * k, c) + rrect(*P(16, 8), *P(18.5, 10.5), 0.2 * k, c) + circle(*P(12, 19.5), 2 * k, c))
    raise KeyError(name)


# ---- strips ----

def icon_strip(path, name, size=24, pad=0, states=None, bg_round=None):
    """Four frames of a glyph: normal, hover, pressed, disabled (with a round backdrop
    behind hover and pressed when bg_round is given)."""
    states = states or STATES
    full = size + 2 * pad

    def paint(i):
        fill, _, colour = states[i]
        out = ""
        if bg_round is not None and fill != "none":
            out += rrect(0.5, 0.5, full - 1.5, full - 1.5, bg_round, fill)
        return out + glyph(name, pad, pad, size, colour)

    draw(path, full * len(states), full, frames(len(states), full, paint))


def sys_button(path, name, danger=False):
    """The frame's 28 x 28 system buttons."""
    states = list(STATES)
    if danger:
        states[1] = ("#FCE3E4", "none", DANGER)
        states[2] = (DANGER, "none", SURFACE)
    icon_strip(path, name, 20, 4, states, 14)


def button(path, w, h, r, looks, count=4):
    """A plain button background strip: looks[i] = (fill, border)."""
    def paint(i):
        fill, border = looks[i]
        return rrect(1, 1, w - 2, h - 2, r, fill, border, 1.5 if border != "none" else 1)

    draw(path, w * count, h, frames(count, w, paint))


OUTLINED = [(SURFACE, "#C9D3E3"), (ACCENT_PALE, ACCENT), (ACCENT_LIGHT, ACCENT_DARK), (MUTED_BG, "#DDE1E7")]
FILLED = [(ACCENT, "none"), ("#5D88EE", "none"), (ACCENT_DARK, "none"), (MUTED, "none")]


def check_strip(path, size, radio):
    """Eight frames: unchecked normal/hover/pressed/disabled, then checked."""
    def paint(i):
        checked, state = i >= 4, i % 4
        border = [MUTED, ACCENT, ACCENT_DARK, "#D5D9E0"][state]
        fill = SURFACE if state != 3 else MUTED_BG
        if checked:
            fill = [ACCENT, "#5D88EE", ACCENT_DARK, MUTED][state]
            border = fill
        m = size / 2.0
        if radio:
            out = circle(m, m, m - 1.5, SURFACE if not checked else SURFACE, border, 1.6)
            if checked:
                out += circle(m, m, m * 0.45, fill)
            return out
        out = rrect(1, 1, size - 2, size - 2, 3.5, fill, border, 1.6)
        if checked:
            out += glyph("check", 0, 0, size, SURFACE)
        return out

    draw(path, size * 8, size, frames(8, size, paint))


def switch_strip(path, on, w=44, h=24):
    def paint(i):
        track = [ACCENT, "#5D88EE", ACCENT_DARK, MUTED][i] if on else ["#C9CFD8", "#B7BFCA", "#A7B0BD", "#E2E5EA"][i]
        r = h / 2.0
        knob_x = w - r if on else r
        return rrect(1, 1, w - 2, h - 2, r - 1, track) + circle(knob_x, r, r - 4, SURFACE)

    draw(path, w * 4, h, frames(4, w, paint))


def panel(path, w, h, r, fill=SURFACE, border=LINE, count=1, shadow=False):
    def paint(i):
        out = ""
        if shadow:
            out += rrect(2, 3, w - 2, h - 1, r, "rgba(30,45,70,0.10)")
        return out + rrect(1, 1, w - 3 if shadow else w - 2, h - 3 if shadow else h - 2, r, fill, border, 1)

    draw(path, w * count, h, frames(count, w, paint))


# ---- the skin set ----

def backgrounds(out, w=1400, h=788):
    # The pages' ground: a quiet cool gradient with two soft shapes top right.
    path = os.path.join(out, "main_bkg.png")
    run(["-size", "%dx%d" % (w, h), "gradient:#F8FAFD-#EEF2F7",
         "-fill", "rgba(73,119,229,0.05)", "-draw", "circle 1240,40 1240,300",
         "-fill", "rgba(73,119,229,0.04)", "-draw", "circle 1330,260 1330,420",
         "-define", "png:color-type=2", path])
    # The home page: the same ground with rings that drift outward, looped.
    tmp = tempfile.mkdtemp()
    try:
        names = []
        count = 8
        for f in range(count):
            mvg = ""
            for ring in range(4):
                phase = (f / count + ring / 4.0) % 1.0
                r = 120 + 520 * phase
                alpha = 0.10 * (1.0 - phase)
                mvg += "fill none\nstroke rgba(73,119,229,%.3f)\nstroke-width 18\ncircle 1150,170 %g,170\n" % (alpha, 1150 + r)
            mvg += "fill rgba(73,119,229,0.05)\nstroke none\ncircle 1150,170 1150,250\n"
            frame = os.path.join(tmp, "%02d.png" % f)
            run(["-size", "%dx%d" % (w, h), "xc:#F4F7FB", "-draw", mvg, frame])
            names.append(frame)
        run(["-delay", "12", "-loop", "0"] + names + ["+dither", "-colors", "24", os.path.join(out, "home_bg.gif")])
    finally:
        shutil.rmtree(tmp)
    draw(os.path.join(out, "img_leftarea.png"), 281, 708, rrect(0, 0, 280, 707, 0, SURFACE))


def spinner(path, size, frames_count=12, dark=False):
    tmp = tempfile.mkdtemp()
    try:
        names = []
        c = size / 2.0
        for f in range(frames_count):
            mvg = ""
            for i in range(frames_count):
                a = 2 * math.pi * i / frames_count - math.pi / 2
                age = (f - i) % frames_count
                alpha = max(0.12, 1.0 - age / float(frames_count))
                col = "rgba(73,119,229,%.2f)" % alpha
                mvg += line(c + math.cos(a) * size * 0.22, c + math.sin(a) * size * 0.22,
                            c + math.cos(a) * size * 0.36, c + math.sin(a) * size * 0.36, col, size * 0.07)
            frame = os.path.join(tmp, "%02d.png" % f)
            bg = "#1B2430" if dark else "#FBFBFB"
            run(["-size", "%dx%d" % (size, size), "xc:" + bg, "-draw", mvg, frame])
            names.append(frame)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        run(["-delay", "8", "-loop", "0"] + names + [path])
    finally:
        shutil.rmtree(tmp)


def logo(path, w=44, h=50):
    # A key cap seen from above with a "Q" on it.
    mvg = (rrect(2, 5, w - 3, h - 4, 9, ACCENT_DARK) + rrect(2, 3, w - 3, h - 8, 9, ACCENT)
           + rrect(8, 8, w - 9, h - 14, 6, "#5D88EE")
           + text(0, -2, "Q", 22, SURFACE, BOLD, "center"))
    draw(path, w, h, mvg)


def app_icon(out_png_folder, ico_path):
    sizes = [16, 24, 32, 48, 64, 256]
    names = []
    for s in sizes:
        p = os.path.join(out_png_folder, "icon_%d.png" % s)
        r = max(2, s * 0.2)
        mvg = (rrect(0.5, 0.5, s - 1.5, s - 1.5, r, ACCENT_DARK) + rrect(0.5, 0.5, s - 1.5, s * 0.86, r, ACCENT)
               + text(0, -s * 0.04, "Q", s * 0.62, SURFACE, BOLD, "center"))
        draw(p, s, s, mvg)
        names.append(p)
    os.makedirs(os.path.dirname(ico_path), exist_ok=True)
    run(names + [ico_path])


def status_strip(path, w=36, h=20):
    """Six frames: battery low, middle, high, charging, USB link, 2.4 GHz link."""
    def battery(level, colour, bolt=False):
        out = rrect(4, 5, 28, 15, 2.5, "none", INK, 1.5) + rrect(29, 8, 31, 12, 0.5, INK)
        out += rrect(6, 7, 6 + 20 * level, 13, 1, colour)
        if bolt:
            out += poly([(17, 4.5), (13, 10.5), (16.5, 10.5), (15, 15.5), (19.5, 9), (16, 9)], "#FFFFFF", INK, 0.8)
        return out

    looks = [battery(0.2, DANGER), battery(0.55, WARN), battery(1.0, GOOD), battery(0.7, GOOD, True),
             glyph("usb", 8, 0, 20, INK),
             arc(18, 16, 5, 225, 315, INK, 2) + arc(18, 16, 9, 225, 315, INK, 2) + arc(18, 16, 13, 225, 315, INK, 2)
             + circle(18, 16, 1.8, INK)]
    draw(path, w * 6, h, frames(6, w, lambda i: looks[i]))


def hsl_field(path, w, h, lightness):
    """Hue from left to right at full saturation; lightness from the given image."""
    run(["(", "-size", "%dx%d" % (h, w), "gradient:black-white", "-rotate", "-90", ")",
         "(", "-size", "%dx%d" % (w, h), "xc:white", ")",
         "(", "-size", "%dx%d" % (w, h), lightness, ")",
         "-set", "colorspace", "HSL", "-combine", "-colorspace", "sRGB", path])


def tab_icons(out):
    for file, name in [("tab_home", "home"), ("tab_light", "light"), ("tab_zephra", "zephra"),
                       ("tab_customkey", "customkey"), ("tab_macro", "macro"), ("tab_perf", "perf"),
                       ("tab_config", "config")]:
        states = [("none", "none", INK), ("none", "none", ACCENT), ("none", "none", ACCENT), ("none", "none", MUTED)]
        icon_strip(os.path.join(out, "icon", file + ".png"), name, 26, 0, states)


def plain_icons(out):
    # One-frame glyphs for lists and key functions.
    for name in ["cal", "email", "favorites", "home", "multimedia", "next", "pc", "playpause", "pre", "stop",
                 "vol_down", "vol_mute", "vol_up", "web_backward", "web_foreward", "web_refresh", "web_search",
                 "web_stop"]:
        draw(os.path.join(out, "icon", "icon_" + name + ".png"), 24, 24, glyph(name, 0, 0, 24, INK))
    for file, name, colour in [("icon_add", "plus", ACCENT), ("icon_file", "file", ACCENT), ("icon_list", "list", INK),
                               ("icon_profile", "profile", INK), ("icon_rec", "rec", DANGER),
                               ("icon_lcd_add", "lcd_add", ACCENT)]:
        draw(os.path.join(out, "icon", file + ".png"), 24, 24, glyph(name, 0, 0, 24, colour))
    draw(os.path.join(out, "icon", "usb_mode.png"), 24, 24, glyph("usb", 0, 0, 24, INK))
    status_strip(os.path.join(out, "icon", "icon_devicestatus.png"))
    # Lighting mode pictures: a swatch per mode number.
    for mode in range(0, 21):
        hue = (mode * 37) % 360
        draw(os.path.join(out, "icon", "light_icon_%d.png" % mode), 24, 24,
             circle(12, 12, 9, "hsl(%d,70%%,58%%)" % hue) + circle(12, 12, 9, "none", SURFACE, 2))
    # Palette bars: a hue bar and a brightness bar.
    hsl_field(os.path.join(out, "icon", "icon_palette_bar1.png"), 200, 16, "xc:gray50")
    run(["-size", "12x200", "gradient:#FFFFFF-#000000", "-rotate", "90", os.path.join(out, "icon", "icon_palette_bar2.png")])


def skin_set(out):
    backgrounds(out)
    for file, name, danger in [("main_sysbtn_close", "close", True), ("main_sysbtn_min", "min", False),
                               ("main_sysbtn_setting", "gear", False), ("main_sysbtn_website", "globe", False),
                               ("main_sysbtn_skins", "skins", False)]:
        sys_button(os.path.join(out, file + ".png"), name, danger)
    for file in ("sysbtn_close", "img_sys_close"):
        states = [("none", "none", INK), ("#FCE3E4", "none", DANGER), (DANGER, "none", SURFACE), ("none", "none", MUTED)]
        icon_strip(os.path.join(out, file + ".png"), "close", 16, 2, states, 10)
    icon_strip(os.path.join(out, "img_btn_addprofile.png"), "add_profile", 20, 2, None, 6)
    icon_strip(os.path.join(out, "img_btn_inportprofile.png"), "import", 20, 2, None, 6)
    draw(os.path.join(out, "img_profile_more.png"), 32, 16,
         glyph("dots", 0, 0, 16, MUTED) + glyph("dots", 16, 0, 16, ACCENT))
    icon_strip(os.path.join(out, "btn_more.png"), "more", 20, 2, None, 6)
    icon_strip(os.path.join(out, "img_return.png"), "return", 24, 4, None, 16)
    icon_strip(os.path.join(out, "img_info.png"), "info", 18, 1, None, 10)
    icon_strip(os.path.join(out, "imglist_del.png"), "delete", 16, 2, None, 6)
    icon_strip(os.path.join(out, "img_recorditem_up.png"), "arrow_up", 16, 2, None, 6)
    icon_strip(os.path.join(out, "img_recorditem_down.png"), "arrow_down", 16, 2, None, 6)
    icon_strip(os.path.join(out, "img_spin_up.png"), "up", 12, 0, None, 3)
    icon_strip(os.path.join(out, "img_spin_down.png"), "down", 12, 0, None, 3)
    for file, name in [("img_direction_top", "arrow_up"), ("img_direction_bottom", "arrow_down"),
                       ("img_direction_left", "arrow_left"), ("img_direction_right", "arrow_right")]:
        # Direction radios: eight frames, the checked four on the accent.
        def paint(i, name=name):
            checked, st = i >= 4, i % 4
            fill = [SURFACE, ACCENT_PALE, ACCENT_LIGHT, MUTED_BG][st] if not checked else [ACCENT, "#5D88EE", ACCENT_DARK, MUTED][st]
            border = "#C9D3E3" if not checked else fill
            colour = (INK if st != 3 else MUTED) if not checked else SURFACE
            return rrect(1, 1, 34, 34, 8, fill, border, 1.5) + glyph(name, 6, 6, 24, colour)
        draw(os.path.join(out, file + ".png"), 36 * 8, 36, frames(8, 36, paint))
    for file, name in [("imgbtn_lcd_add", "lcd_add"), ("imgbtn_lcd_addtext", "addtext"), ("imgbtn_lcd_copy", "copy"),
                       ("imgbtn_lcd_del", "delete"), ("imgbtn_lcd_edit", "edit"), ("imgbtn_lcd_erase", "erase"),
                       ("imgbtn_lcd_revoke", "revoke")]:
        icon_strip(os.path.join(out, file + ".png"), name, 24, 4, None, 8)

    button(os.path.join(out, "img_button.png"), 100, 36, 8, OUTLINED)
    button(os.path.join(out, "img_button2.png"), 100, 36, 8, FILLED)
    button(os.path.join(out, "img_button_nocheck.png"), 100, 36, 8, OUTLINED)
    button(os.path.join(out, "img_button_check.png"), 100, 36, 8, FILLED)
    button(os.path.join(out, "img_combobox.png"), 40, 32, 6,
           [(SURFACE, "#C9D3E3"), (SURFACE, ACCENT), (ACCENT_PALE, ACCENT_DARK), (MUTED_BG, "#DDE1E7")])
    button(os.path.join(out, "img_edit.png"), 40, 32, 6,
           [(SURFACE, "#C9D3E3"), (SURFACE, ACCENT), (SURFACE, ACCENT_DARK), (MUTED_BG, "#DDE1E7")])
    check_strip(os.path.join(out, "btn_checkbox.png"), 18, False)
    check_strip(os.path.join(out, "btn_radiobox.png"), 18, True)
    switch_strip(os.path.join(out, "img_switch_on.png"), True)
    switch_strip(os.path.join(out, "img_switch_off.png"), False)

    # Tab item: nothing when idle, a pale accent pill with a bar when hovered or chosen.
    def tab(i):
        if i in (1, 2):
            return rrect(1, 2, 58, 47, 10, ACCENT_PALE) + rrect(1, 12, 5, 37, 2, ACCENT)
        if i == 3:
            return rrect(1, 2, 58, 47, 10, MUTED_BG)
        return ""
    draw(os.path.join(out, "img_tab_item.png"), 60 * 4, 50, frames(4, 60, tab))
    tab_icons(out)
    plain_icons(out)

    # Surfaces.
    # The pages draw this one as a nine-grid with corners of up to 50 pixels (36 and 50 on
    # the key and macro pages): the picture must be wider and taller than two corners, or
    # only its four corners are drawn, as white squares at the panels' corners.
    panel(os.path.join(out, "img_area.png"), 120, 120, 12)
    panel(os.path.join(out, "img_area1.png"), 60, 60, 12)
    panel(os.path.join(out, "img_area2.png"), 60, 60, 12, ACCENT_PALE, ACCENT_LIGHT)
    panel(os.path.join(out, "img_list_bkg.png"), 60, 60, 10, SURFACE, LINE)
    panel(os.path.join(out, "img_menu.png"), 60, 60, 8, SURFACE, "#D5DBE5", 1, True)
    panel(os.path.join(out, "bk_msgbox.png"), 120, 120, 30, SURFACE, "#D5DBE5", 1, True)
    panel(os.path.join(out, "img_tip_bk.png"), 40, 40, 8, "#2B3846", "#2B3846")
    for file, pts in [("img_tip_arrow_left", [(12, 0), (0, 8), (12, 16)]), ("img_tip_arrow_right", [(0, 0), (12, 8), (0, 16)]),
                      ("img_tip_arrow_top", [(0, 12), (8, 0), (16, 12)])]:
        w, h = (12, 16) if "top" not in file else (16, 12)
        draw(os.path.join(out, file + ".png"), w, h, poly(pts, "#2B3846"))
    # List items: idle, hovered, chosen.
    draw(os.path.join(out, "img_item.png"), 60 * 3, 40,
         frames(3, 60, lambda i: ["", rrect(1, 1, 58, 38, 6, ACCENT_PALE), rrect(1, 1, 58, 38, 6, ACCENT_LIGHT)][i]))
    for prefix in ("imageview_item", "lcdlist_item"):
        draw(os.path.join(out, prefix + "_normal.png"), 60, 60, rrect(1, 1, 58, 58, 6, SURFACE, LINE, 1.5))
        draw(os.path.join(out, prefix + "_hover.png"), 60, 60, rrect(1, 1, 58, 58, 6, ACCENT_PALE, ACCENT, 2))
    # Scroll thumbs and the palette.
    draw(os.path.join(out, "img_scroll_v.png"), 8 * 3, 60,
         frames(3, 8, lambda i: rrect(1, 1, 6, 58, 3, ["#C4CAD4", "#A9B2BF", ACCENT][i])))
    draw(os.path.join(out, "img_scroll_h.png"), 60 * 3, 8,
         frames(3, 60, lambda i: rrect(1, 1, 58, 6, 3, ["#C4CAD4", "#A9B2BF", ACCENT][i])))
    hsl_field(os.path.join(out, "img_palette.png"), 200, 200, "gradient:white-black")
    draw(os.path.join(out, "img_palette_thumb.png"), 16, 16, circle(8, 8, 6, "none", SURFACE, 2.5) + circle(8, 8, 7.5, "none", INK, 1))
    # Keys and the knob.
    draw(os.path.join(out, "img_key_bkg.png"), 40 * 4, 40,
         frames(4, 40, lambda i: rrect(1, 2, 38, 38, 6, ["#2B3846", "#22303D", "#1B2631", "#8A96A3"][i])
                + rrect(2, 1, 37, 33, 5, ["#F7F9FC", ACCENT_PALE, ACCENT_LIGHT, MUTED_BG][i],
                        ["#C9D3E3", ACCENT, ACCENT_DARK, "#D5D9E0"][i], 1)))
    draw(os.path.join(out, "img_knob.png"), 48 * 4, 48,
         frames(4, 48, lambda i: circle(24, 24, 21, ["#F7F9FC", ACCENT_PALE, ACCENT_LIGHT, MUTED_BG][i],
                                        ["#C9D3E3", ACCENT, ACCENT_DARK, "#D5D9E0"][i], 2)
                + line(24, 8, 24, 15, INK, 3)))
    # The about card of the left column.
    card = (rrect(1, 1, 217, 83, 14, "%s") + glyph("info", 18, 24, 36, SURFACE)
            + rrect(70, 30, 190, 36, 3, "rgba(255,255,255,0.85)") + rrect(70, 46, 160, 52, 3, "rgba(255,255,255,0.55)"))
    looks = [ACCENT, "#5D88EE", ACCENT_DARK, MUTED]
    draw(os.path.join(out, "img_joinvip.png"), 219 * 4, 85, frames(4, 219, lambda i: card % looks[i]))
    draw(os.path.join(out, "img_vip2.png"), 120, 120, circle(60, 60, 56, ACCENT) + glyph("star", 24, 24, 72, SURFACE))
    # Busy dialogs.
    panel(os.path.join(out, "loading.png"), 102, 102, 12, "#FBFBFB", "#D5DBE5")
    spinner(os.path.join(out, "loading.gif"), 100)
    spinner(os.path.join(out, "loading", "loading.gif"), 120)
    panel(os.path.join(out, "img_loading_bkg.png"), 395, 150, 14, "#FBFBFB", "#D5DBE5")
    logo(os.path.join(out, "logo", "logo.png"))
    draw(os.path.join(out, "logo", "logo_loading.png"), 120, 120,
         rrect(8, 12, 112, 112, 22, ACCENT_DARK) + rrect(8, 8, 112, 104, 22, ACCENT) + text(0, -4, "Q", 60, SURFACE, BOLD, "center"))


# ---- keyboards ----

def read_layout(path):
    with open(path, encoding="utf-8") as f:
        doc = f.read()
    board = re.search(r'<Keyboard [^>]*width="(\d+)" height="(\d+)" image="([^"]+)"', doc)
    keys = [tuple(int(v) for v in m) for m in
            re.findall(r'rect_left="(\d+)" rect_top="(\d+)" rect_width="(\d+)" rect_height="(\d+)"', doc)]
    return int(board.group(1)), int(board.group(2)), board.group(3), keys


# The on-screen keyboard stretches its picture over the whole control and draws each key at
# its layout rectangle displaced by this offset: the wells must sit where the caps are drawn.
KEY_OFFSET = (20, 25)


def keyboard_picture(path, w, h, keys, scale=1.0, lit=None, caps=False, offset=(0, 0)):
    """The keyboard plate with a well under every key; `lit` colours the light bar."""
    s = scale
    keys = [(x + offset[0], y + offset[1], kw, kh) for x, y, kw, kh in keys]
    mvg = rrect(1, 1, w * s - 2, h * s - 2, 14 * s, PLATE_EDGE) + rrect(3 * s, 2 * s, w * s - 4 * s, h * s - 6 * s, 12 * s, PLATE)
    for x, y, kw, kh in keys:
        mvg += rrect(x * s - 1, y * s - 1, (x + kw) * s + 1, (y + kh) * s + 1, 5 * s, "#233140")
        if caps:
            mvg += rrect(x * s + 1, y * s + 1, (x + kw) * s - 1, (y + kh) * s - 2, 4 * s,
                         "#F4F6FA" if lit else "#C9CED6")
    if lit:
        stops = len(lit)
        for i in range(stops):
            x0 = 16 * s + (w * s - 32 * s) * i / stops
            x1 = 16 * s + (w * s - 32 * s) * (i + 1) / stops
            mvg += "fill %s\nstroke none\nrectangle %g,%g %g,%g\n" % (lit[i], x0, h * s - 5 * s, x1, h * s - 2 * s)
    draw(path, int(w * s), int(h * s), mvg)


def keyboards(out, layouts):
    rainbow = ["hsl(%d,80%%,55%%)" % (i * 30) for i in range(12)]
    for name in sorted(os.listdir(layouts)):
        if not name.endswith(".xml"):
            continue
        model = name[:-4]
        w, h, image, keys = read_layout(os.path.join(layouts, name))
        keyboard_picture(os.path.join(out, "skins", "theme1", "keyboard", image), w, h, keys, offset=KEY_OFFSET)
        keyboard_picture(os.path.join(out, "device", model + "_on.png"), w, h, keys, 0.5, rainbow, True)
        keyboard_picture(os.path.join(out, "device", model + "_off.png"), w, h, keys, 0.5, None, True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "skins-out"
    here = os.path.dirname(os.path.abspath(__file__))
    layouts = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "data", "layouts")
    # The executable's own icon (resource 107) and picture (resource 120).
    res = sys.argv[3] if len(sys.argv) > 3 else os.path.join(out, "res")
    theme = os.path.join(out, "skins", "theme1")
    os.makedirs(theme, exist_ok=True)
    skin_set(theme)
    os.makedirs(res, exist_ok=True)
    with tempfile.TemporaryDirectory() as sizes:
        app_icon(sizes, os.path.join(theme, "Velmora.ico"))
    shutil.copyfile(os.path.join(theme, "Velmora.ico"), os.path.join(res, "app.ico"))
    shutil.copyfile(os.path.join(theme, "img_menu.png"), os.path.join(res, "menu.png"))
    keyboards(out, layouts)


if __name__ == "__main__":
    main()
