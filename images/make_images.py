#!/usr/bin/env python3
"""Draws every picture the program compiles in and writes each as an XPM file.

Run from anywhere: python3 images/make_images.py
The output is the same on every run (no randomness, no clock, no fonts from the
system): each picture is drawn with the small vector helpers below, then its
palette is brought to the exact colour count the program's tables give.
"""

import math
import os
import re
from collections import Counter

HERE = os.path.dirname(os.path.abspath(__file__))

# Characters usable in an XPM key inside a C string literal ('"', '\\' and '?'
# are left out: the last can start a trigraph).
_ORDER = " .XoO+@#$%&*=-;:>,<1234567890qwertyuipasdfghjklzxcvbnmMNBVCZASDFGHJKLPIUYTREWQ!~^/()_`'][{}|"
CHARS = "".join(dict.fromkeys(_ORDER + "".join(chr(c) for c in range(32, 127))))
CHARS = "".join(c for c in CHARS if c not in '"\\?')
assert len(CHARS) == 92


def hexc(s):
    s = s.lstrip("#")
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


class Canvas:
    """An RGBA picture with float channels (colour 0-255, alpha 0-1)."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        self.px = [[(0.0, 0.0, 0.0, 0.0) if bg is None else tuple(bg) + (1.0,)
                    for _ in range(w)] for _ in range(h)]

    def blend(self, x, y, col, a=1.0):
        if not (0 <= x < self.w and 0 <= y < self.h) or a <= 0:
            return
        a = clamp(a)
        r, g, b, da = self.px[y][x]
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        f = a / oa
        self.px[y][x] = (r + (col[0] - r) * f, g + (col[1] - g) * f,
                         b + (col[2] - b) * f, oa)

    def set(self, x, y, col):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = tuple(col[:3]) + (1.0,)

    def clear(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = (0.0, 0.0, 0.0, 0.0)

    def rect(self, x0, y0, x1, y1, col):
        """Fills the pixels x0..x1, y0..y1 (inclusive); col may be a function (x, y)."""
        for y in range(max(0, y0), min(self.h, y1 + 1)):
            for x in range(max(0, x0), min(self.w, x1 + 1)):
                self.set(x, y, col(x, y) if callable(col) else col)

    def frame(self, x0, y0, x1, y1, col):
        for x in range(x0, x1 + 1):
            self.set(x, y0, col)
            self.set(x, y1, col)
        for y in range(y0, y1 + 1):
            self.set(x0, y, col)
            self.set(x1, y, col)

    def coverage_fill(self, inside, bbox, col, ss=4, alpha=1.0):
        """Paints col where inside(x, y) holds, anti-aliased by ss x ss samples per pixel.

        Coordinates are in pixels with pixel centres at +0.5; col may be a function (x, y)."""
        x0, y0, x1, y1 = bbox
        for py in range(max(0, int(math.floor(y0))), min(self.h, int(math.ceil(y1)) + 1)):
            for px in range(max(0, int(math.floor(x0))), min(self.w, int(math.ceil(x1)) + 1)):
                n = 0
                for sy in range(ss):
                    for sx in range(ss):
                        if inside(px + (sx + 0.5) / ss, py + (sy + 0.5) / ss):
                            n += 1
                if n:
                    c = col(px + 0.5, py + 0.5) if callable(col) else col
                    self.blend(px, py, c, alpha * n / (ss * ss))

    def ellipse(self, cx, cy, rx, ry, col, ss=4, alpha=1.0):
        self.coverage_fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0,
                           (cx - rx - 1, cy - ry - 1, cx + rx + 1, cy + ry + 1), col, ss, alpha)

    def ring(self, cx, cy, r_out, r_in, col, ss=4, alpha=1.0):
        self.coverage_fill(lambda x, y: r_in ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out ** 2,
                           (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1, cy + r_out + 1),
                           col, ss, alpha)

    def polygon(self, pts, col, ss=4, alpha=1.0):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.coverage_fill(lambda x, y: point_in_polygon(x, y, pts),
                           (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1), col, ss, alpha)

    def strokes(self, polylines, width, col, alpha=1.0, cov=None):
        """Draws round-capped polylines of the given width (pixels), anti-aliased.

        Joints are not darkened twice: the strongest coverage of any segment wins."""
        cov = {} if cov is None else cov
        hw = width / 2.0
        for line in polylines:
            if len(line) == 1:
                line = [line[0], line[0]]
            for (ax, ay), (bx, by) in zip(line, line[1:]):
                x0 = int(math.floor(min(ax, bx) - hw - 1))
                x1 = int(math.ceil(max(ax, bx) + hw + 1))
                y0 = int(math.floor(min(ay, by) - hw - 1))
                y1 = int(math.ceil(max(ay, by) + hw + 1))
                for py in range(max(0, y0), min(self.h, y1 + 1)):
                    for px in range(max(0, x0), min(self.w, x1 + 1)):
                        d = seg_dist(px + 0.5, py + 0.5, ax, ay, bx, by)
                        c = clamp(hw - d + 0.5)
                        if c > cov.get((px, py), 0.0):
                            cov[(px, py)] = c
        for (px, py), c in sorted(cov.items()):
            cc = col(px + 0.5, py + 0.5) if callable(col) else col
            self.blend(px, py, cc, alpha * c)
        return cov


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / l2)
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def point_in_polygon(x, y, pts):
    inside = False
    n = len(pts)
    j = n - 1
    for i in range(n):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# ---------------------------------------------------------------------------
# A small stroke font: each glyph is a list of polylines in em units, x to the
# right, y up from the baseline (x-height 0.5, capitals and ascenders 0.75).

def arc(cx, cy, rx, ry, a0, a1, n=None):
    n = n or max(4, int(abs(a1 - a0) / 12))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def _bowl(cx=0.25):
    return arc(cx, 0.25, 0.21, 0.25, 0, 360)


GLYPHS = {
    " ": (0.28, []),
    "o": (0.56, [_bowl()]),
    "a": (0.56, [_bowl(), [(0.46, 0.5), (0.46, 0.0)]]),
    "d": (0.56, [_bowl(), [(0.46, 0.78), (0.46, 0.0)]]),
    "b": (0.56, [arc(0.29, 0.25, 0.21, 0.25, 0, 360), [(0.08, 0.78), (0.08, 0.0)]]),
    "p": (0.56, [arc(0.29, 0.25, 0.21, 0.25, 0, 360), [(0.08, 0.5), (0.08, -0.26)]]),
    "g": (0.56, [_bowl(), [(0.46, 0.5), (0.46, -0.06)] + arc(0.26, -0.06, 0.2, 0.2, 0, -165)[1:]]),
    "e": (0.54, [[(0.05, 0.25), (0.45, 0.25)] + arc(0.25, 0.25, 0.21, 0.25, 0, 315)[1:]]),
    "c": (0.5, [arc(0.25, 0.25, 0.21, 0.25, 40, 320)]),
    "n": (0.56, [[(0.07, 0.5), (0.07, 0.0)],
                 [(0.07, 0.3)] + arc(0.27, 0.3, 0.2, 0.2, 180, 0)[1:] + [(0.47, 0.0)]]),
    "h": (0.56, [[(0.07, 0.78), (0.07, 0.0)],
                 [(0.07, 0.3)] + arc(0.27, 0.3, 0.2, 0.2, 180, 0)[1:] + [(0.47, 0.0)]]),
    "m": (0.82, [[(0.07, 0.5), (0.07, 0.0)],
                 [(0.07, 0.32)] + arc(0.225, 0.32, 0.155, 0.18, 180, 0)[1:] + [(0.38, 0.0)],
                 [(0.38, 0.32)] + arc(0.535, 0.32, 0.155, 0.18, 180, 0)[1:] + [(0.69, 0.0)]]),
    "u": (0.56, [[(0.07, 0.5), (0.07, 0.2)] + arc(0.27, 0.2, 0.2, 0.2, 180, 360)[1:],
                 [(0.47, 0.5), (0.47, 0.0)]]),
    "r": (0.4, [[(0.07, 0.5), (0.07, 0.0)], [(0.07, 0.28)] + arc(0.3, 0.28, 0.23, 0.22, 180, 70)[1:]]),
    "l": (0.24, [[(0.08, 0.78), (0.08, 0.0)]]),
    "i": (0.24, [[(0.08, 0.5), (0.08, 0.0)], [(0.08, 0.7)]]),
    "t": (0.38, [[(0.12, 0.7), (0.12, 0.12)] + arc(0.26, 0.12, 0.14, 0.12, 180, 290)[1:],
                 [(0.0, 0.5), (0.3, 0.5)]]),
    "v": (0.5, [[(0.02, 0.5), (0.24, 0.0), (0.46, 0.5)]]),
    "w": (0.72, [[(0.02, 0.5), (0.18, 0.0), (0.35, 0.44), (0.52, 0.0), (0.68, 0.5)]]),
    "y": (0.5, [[(0.02, 0.5), (0.24, 0.0)], [(0.46, 0.5), (0.14, -0.26)]]),
    "s": (0.46, [arc(0.22, 0.375, 0.17, 0.125, 25, 270)[:-1] + arc(0.22, 0.125, 0.19, 0.125, 90, -160)]),
    "T": (0.58, [[(0.0, 0.75), (0.54, 0.75)], [(0.27, 0.75), (0.27, 0.0)]]),
    "N": (0.66, [[(0.07, 0.0), (0.07, 0.75), (0.55, 0.0), (0.55, 0.75)]]),
    "H": (0.66, [[(0.07, 0.0), (0.07, 0.75)], [(0.55, 0.0), (0.55, 0.75)], [(0.07, 0.38), (0.55, 0.38)]]),
    "A": (0.62, [[(0.02, 0.0), (0.3, 0.75), (0.58, 0.0)], [(0.12, 0.26), (0.48, 0.26)]]),
    "W": (0.9, [[(0.02, 0.75), (0.22, 0.0), (0.44, 0.6), (0.66, 0.0), (0.86, 0.75)]]),
    "P": (0.56, [[(0.07, 0.0), (0.07, 0.75), (0.3, 0.75)] + arc(0.3, 0.56, 0.2, 0.19, 90, -90)[1:]
                 + [(0.07, 0.37)]]),
    "?": (0.5, [arc(0.24, 0.58, 0.19, 0.17, 160, -60)[:-1] + [(0.24, 0.3), (0.24, 0.2)], [(0.24, 0.0)]]),
}


def text_polylines(text, x, y, size, spacing=0.06, slant=0.0, rotate=0.0):
    """Polylines (pixels) of text whose baseline starts at (x, y); size is the em in pixels.

    rotate (degrees, counter-clockwise) turns the whole line about its start."""
    out = []
    pen = 0.0
    ca, sa = math.cos(math.radians(rotate)), math.sin(math.radians(rotate))
    for ch in text:
        adv, lines = GLYPHS[ch]
        for line in lines:
            pts = []
            for gx, gy in line:
                ux = (pen + gx + gy * slant) * size
                uy = -gy * size
                pts.append((x + ux * ca + uy * sa, y - ux * sa + uy * ca))
            out.append(pts)
        pen += adv + spacing
    return out


def text_width(text, size, spacing=0.06):
    return (sum(GLYPHS[ch][0] for ch in text) + spacing * (len(text) - 1)) * size


# ---------------------------------------------------------------------------
# Palettes and XPM output.

def quantise(canvas):
    """Flattens the canvas to a list of keys: (r, g, b) ints or None for transparent."""
    out = []
    for row in canvas.px:
        for r, g, b, a in row:
            if a < 0.5:
                out.append(None)
            else:
                out.append((int(round(r)), int(round(g)), int(round(b))))
    return out


def exact_palette(pixels, n):
    """Brings the number of distinct colours (transparent counting as one) to n exactly.

    Too many: the rarest colours go to their nearest kept colour. Too few: single
    pixels of the commonest colours are nudged by one step to a new colour."""
    if n is None:
        return pixels
    pixels = list(pixels)
    counts = Counter(pixels)
    if len(counts) > n:
        order = sorted(counts, key=lambda c: (c is not None, -counts[c], c or (0, 0, 0)))
        keep = order[:n]
        kept = [c for c in keep if c is not None]
        remap = {}
        for c in order[n:]:
            if c is None:
                raise ValueError("transparent pixels would be lost")
            remap[c] = min(kept, key=lambda k: ((k[0] - c[0]) ** 2 * 3 + (k[1] - c[1]) ** 2 * 4
                                                + (k[2] - c[2]) ** 2 * 2, k))
        pixels = [remap.get(p, p) for p in pixels]
    counts = Counter(pixels)
    steps = sorted(((a, b, c) for a in range(-4, 5) for b in range(-4, 5) for c in range(-4, 5)
                    if (a, b, c) != (0, 0, 0)), key=lambda d: (sum(v * v for v in d), d))
    where = {}
    for i, p in enumerate(pixels):
        where.setdefault(p, []).append(i)
    while len(counts) < n:
        cands = sorted((c for c in counts if c is not None and counts[c] > 1),
                       key=lambda c: (-counts[c], c))
        if not cands:
            raise ValueError("too few pixels for %d colours" % n)
        added = False
        for src in cands:
            if len(counts) >= n:
                break
            if counts[src] < 2:
                continue
            for d in steps:
                c = tuple(int(clamp(v + dv, 0, 255)) for v, dv in zip(src, d))
                if c not in counts:
                    idx = where[src].pop()
                    pixels[idx] = c
                    where[c] = [idx]
                    counts[src] -= 1
                    counts[c] = 1
                    added = True
                    break
        if not added:
            raise ValueError("cannot add a colour")
    return pixels


def write_xpm(name, canvas, colours=None, cpp=1):
    """Writes images/<stem>.xpm for the image name as the program looks it up."""
    stem = re.sub(r"[^A-Za-z0-9]", "_", name)
    if stem.endswith("_xpm"):
        stem = stem[:-4]
    pixels = quantise(canvas)
    if colours is None and len(set(pixels)) > 64:
        colours = 64  # pictures without a fixed palette stay small
    pixels = exact_palette(pixels, colours)
    counts = Counter(pixels)
    order = sorted(counts, key=lambda c: (c is not None, -counts[c], c or (0, 0, 0)))
    if colours is not None:
        assert len(order) == colours, (name, len(order))
    keys = [a for a in CHARS] if cpp == 1 else [a + b for a in CHARS for b in CHARS]
    assert len(order) <= len(keys), name
    key = {c: keys[i] for i, c in enumerate(order)}
    lines = ['"%d %d %d %d",' % (canvas.w, canvas.h, len(order), cpp)]
    for c in order:
        lines.append('"%s c %s",' % (key[c], "None" if c is None else "#%02X%02X%02X" % c))
    for y in range(canvas.h):
        row = "".join(key[p] for p in pixels[y * canvas.w:(y + 1) * canvas.w])
        lines.append('"%s"%s' % (row, "," if y < canvas.h - 1 else ""))
    text = "/* XPM */\n/* %s: made by images/make_images.py, do not edit. */\n" % name
    # Not static: images.cpp gives each array the external linkage that images.h declares.
    text += "const char* const %s_xpm[] = {\n%s\n};\n" % (stem, "\n".join(lines))
    path = os.path.join(HERE, stem + ".xpm")
    with open(path, "w", newline="\n") as f:
        f.write(text)
    return stem, canvas.w, canvas.h, len(order), cpp


IMAGES = []


def image(name, w, h, colours=None, cpp=1):
    """Registers a drawing function for an image name, its size and palette."""
    def deco(fn):
        IMAGES.append((name, w, h, colours, cpp, fn))
        return fn
    return deco


# ---------------------------------------------------------------------------
# The pictures.

SWATCHES = [
    ("black", "black", (0, 0, 0)), ("dkgrey", "dkgrey", (153, 153, 153)),
    ("maroon", "maroon", (153, 0, 0)), ("olive", "olive", (153, 153, 0)),
    ("green", "grean", (0, 153, 0)), ("teal", "teal", (0, 153, 153)),
    ("navy", "navy", (0, 0, 153)), ("purple", "purple", (153, 0, 153)),
    ("white", "white", (255, 255, 255)), ("ltgrey", "ltgrey", (204, 204, 204)),
    ("red", "red", (255, 0, 0)), ("yellow", "yellow", (255, 255, 0)),
    ("lime", "lime", (0, 255, 0)), ("aqua", "aqua", (0, 255, 255)),
    ("blue", "blue", (0, 0, 255)), ("fuchsia", "fuchsia", (255, 0, 255)),
]


OUTLINE = (52, 52, 60)
INK = (40, 40, 48)
WHITE = (255, 255, 255)


def vgrad(c0, c1, y0, y1):
    """A vertical gradient as a colour function."""
    return lambda x, y: mix(c0, c1, clamp((y - y0) / float(max(1, y1 - y0))))


def page(c, x0, y0, x1, y1, fold=0, lines=0, top=(255, 255, 255), bottom=(214, 220, 232)):
    """A sheet of paper with an optional folded top-right corner and lines of text."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if fold and x - (x1 - fold) > y - y0:
                continue
            edge = x in (x0, x1) or y in (y0, y1) or (fold and x - (x1 - fold) == y - y0)
            c.set(x, y, OUTLINE if edge else mix(top, bottom, (y - y0) / float(y1 - y0)))
    if fold:
        for y in range(y0, y0 + fold + 1):
            for x in range(x1 - fold, x1 + 1):
                if x - (x1 - fold) <= y - y0 and (x == x1 - fold or y == y0 + fold):
                    c.set(x, y, OUTLINE)
                elif x - (x1 - fold) < y - y0:
                    c.set(x, y, (196, 202, 214))
    for i in range(lines):
        y = y0 + 3 + 2 * i
        if y >= y1 - 1:
            break
        end = x1 - 2 - (2 if i % 3 == 2 else 0)
        if fold and y - y0 <= fold + 1:
            end = min(end, x1 - fold - 2)
        for x in range(x0 + 2, end + 1):
            c.set(x, y, mix((150, 160, 180), (110, 120, 140), (x - x0) / 12.0))


def star(c, cx, cy, r_out, r_in, col_in, col_out, points=5, rot=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + 180.0 * i / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    c.polygon(pts, lambda x, y: mix(col_in, col_out, clamp(math.hypot(x - cx, y - cy) / r_out)))


def floppy(c, x0, y0, x1, y1):
    body0, body1 = (92, 128, 214), (36, 62, 146)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x == x1 and y == y0:
                continue
            edge = x in (x0, x1) or y in (y0, y1) or (x == x1 - 1 and y == y0)
            c.set(x, y, (22, 32, 84) if edge else mix(body0, body1, (x - x0 + y - y0) / float(x1 - x0 + y1 - y0)))
    # label
    c.rect(x0 + 3, y0 + 1, x1 - 3, y0 + 6, vgrad((255, 255, 255), (226, 230, 238), y0 + 1, y0 + 6))
    for y in (y0 + 3, y0 + 5):
        c.rect(x0 + 4, y, x1 - 4, y, (150, 160, 190))
    # metal shutter with its window
    c.rect(x0 + 4, y1 - 4, x1 - 3, y1, vgrad((214, 218, 226), (150, 156, 168), y1 - 4, y1))
    c.rect(x0 + 5, y1 - 3, x0 + 6, y1 - 1, (40, 44, 60))


def pencil(c, x0, y0, x1, y1, width=2.6):
    """A pencil from its back (x0, y0) to its point (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    tip = 0.3 * ln
    bx, by = x1 - ux * tip, y1 - uy * tip
    c.strokes([[(x0, y0), (bx, by)]], width + 1.2, (90, 60, 20))
    c.strokes([[(x0, y0), (bx, by)]], width, lambda x, y: mix((255, 214, 70), (226, 140, 20),
                                                                 clamp(0.5 + ((x - x0) * -uy + (y - y0) * ux) / width)))
    c.strokes([[(x0, y0), (x0 + ux * 1.2, y0 + uy * 1.2)]], width, (236, 130, 150))
    nx, ny = -uy * (width / 2 + 0.5), ux * (width / 2 + 0.5)
    c.polygon([(bx + nx, by + ny), (bx - nx, by - ny), (x1, y1)], (240, 210, 160))
    c.strokes([[(x1 - ux * 1.6, y1 - uy * 1.6), (x1, y1)]], 1.2, (40, 40, 40))


def red_cross(c, x0, y0, x1, y1, width):
    lines = [[(x0, y0), (x1, y1)], [(x1, y0), (x0, y1)]]
    c.strokes(lines, width + 1.4, (120, 10, 10))
    c.strokes(lines, width, lambda x, y: mix((255, 110, 90), (200, 20, 20), clamp((y - y0) / float(y1 - y0))))


def grid_table(c, x0, y0, x1, y1, cols=3, rows=3):
    """A small data table: blue heading row, white cells, dark grid."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c.set(x, y, (250, 251, 255))
    hdr = y0 + 3
    c.rect(x0, y0, x1, hdr, vgrad((126, 170, 236), (52, 98, 196), y0, hdr))
    cw = (x1 - x0) / float(cols)
    rh = (y1 - hdr) / float(rows)
    for i in range(1, cols):
        x = x0 + int(round(i * cw))
        c.rect(x, y0, x, y1, (130, 140, 160))
    for j in range(1, rows):
        y = hdr + int(round(j * rh))
        c.rect(x0, y, x1, y, (170, 178, 196))
    c.frame(x0, y0, x1, y1, (40, 54, 96))


def glossy_circle(c, cx, cy, r, light, dark, rim):
    c.ellipse(cx, cy, r + 0.6, r + 0.6, rim)
    c.ellipse(cx, cy, r - 0.3, r - 0.3,
              lambda x, y: mix(light, dark, clamp(math.hypot(x - cx + r * 0.35, y - cy + r * 0.45) / (1.6 * r))))
    c.ellipse(cx - r * 0.1, cy - r * 0.62, r * 0.55, r * 0.25, WHITE, alpha=0.3)


# --- the tool bar and menu pictures ------------------------------------------

@image("new.xpm", 16, 15, 29)
def draw_new():
    c = Canvas(16, 15)
    page(c, 3, 0, 13, 14, fold=4)
    star(c, 4.5, 4.5, 4.6, 1.9, (255, 252, 200), (236, 170, 20))
    return c


@image("fileopen.xpm", 16, 15, 36)
def draw_fileopen():
    c = Canvas(16, 15)
    back = (196, 142, 40)
    c.rect(1, 2, 6, 3, back)
    c.rect(1, 3, 13, 13, vgrad((214, 160, 58), (168, 112, 24), 3, 13))
    c.frame(1, 3, 13, 13, (110, 72, 14))
    c.rect(1, 2, 6, 2, (110, 72, 14))
    c.rect(1, 2, 1, 3, (110, 72, 14))
    c.rect(6, 2, 6, 3, (110, 72, 14))
    page(c, 4, 1, 12, 8)
    flap = [(3.5, 6.5), (15.5, 6.5), (12.8, 13.8), (0.8, 13.8)]
    c.polygon(flap, vgrad((255, 232, 130), (238, 176, 44), 6, 14))
    c.strokes([flap + [flap[0]]], 1.0, (110, 72, 14))
    return c


@image("filesave.xpm", 16, 15, 21)
def draw_filesave():
    c = Canvas(16, 15)
    floppy(c, 1, 0, 14, 14)
    return c


@image("filesaveas.xpm", 16, 15, 23)
def draw_filesaveas():
    c = Canvas(16, 15)
    floppy(c, 0, 2, 12, 14)
    pencil(c, 15.2, 0.8, 8.6, 7.4, 2.4)
    return c


@image("delete.xpm", 16, 15, 21)
def draw_delete():
    c = Canvas(16, 15)
    dark = (60, 64, 72)
    # bin body, narrowing to the foot
    for y in range(4, 15):
        inset = (y - 4) // 5
        for x in range(3 + inset, 13 - inset):
            edge = x in (3 + inset, 12 - inset) or y == 14
            c.set(x, y, dark if edge else mix((214, 218, 226), (150, 156, 168), (x - 3) / 9.0))
        if y not in (4, 14):
            for x in (6, 9):
                c.set(x, y, (112, 118, 130))
    c.rect(1, 2, 14, 3, vgrad((196, 200, 210), (120, 126, 138), 2, 3))
    c.frame(1, 2, 14, 3, dark)
    c.rect(6, 0, 9, 1, dark)
    c.rect(7, 1, 8, 1, (180, 184, 194))
    return c


@image("print.xpm", 16, 15, 39)
def draw_print():
    c = Canvas(16, 15)
    page(c, 4, 0, 11, 6)
    c.rect(6, 2, 9, 2, (120, 130, 150))
    c.rect(6, 4, 9, 4, (120, 130, 150))
    c.rect(0, 5, 15, 11, lambda x, y: mix((226, 228, 234), (120, 124, 136), (y - 5) / 6.0 + (x / 60.0)))
    c.frame(0, 5, 15, 11, (48, 50, 60))
    c.clear(0, 5)
    c.clear(15, 5)
    c.rect(3, 9, 12, 9, (40, 42, 52))
    c.set(13, 7, (40, 200, 60))
    c.set(12, 7, (20, 120, 30))
    page(c, 3, 10, 12, 14, top=(250, 250, 255), bottom=(230, 234, 242))
    c.rect(5, 12, 10, 12, (120, 130, 150))
    return c


@image("preview.xpm", 16, 15, 30)
def draw_preview():
    c = Canvas(16, 15)
    page(c, 1, 0, 11, 14, fold=3, lines=5)
    c.ellipse(9.5, 8.5, 3.6, 3.6, (190, 224, 255), alpha=0.75)
    c.ring(9.5, 8.5, 4.4, 3.3, (40, 44, 60))
    c.ellipse(8.4, 7.4, 1.1, 1.1, WHITE, alpha=0.8)
    c.strokes([[(12.6, 11.6), (14.8, 13.8)]], 2.4, (96, 60, 30))
    return c


@image("print_options_16.xpm", 16, 16, 101, 2)
def draw_print_options():
    c = Canvas(16, 16)
    page(c, 0, 0, 10, 13, fold=3)
    # the page's margins
    for x in range(2, 9):
        if x % 2 == 0:
            c.set(x, 2, (70, 110, 220))
            c.set(x, 11, (70, 110, 220))
    for y in range(2, 12):
        if y % 2 == 0:
            c.set(2, y, (70, 110, 220))
            c.set(8, y, (70, 110, 220))
    # a small printer in front
    c.rect(8, 7, 13, 10, lambda x, y: mix((255, 255, 255), (220, 226, 236), (y - 7) / 3.0))
    c.frame(8, 7, 13, 10, OUTLINE)
    c.polygon([(5.5, 9.5), (16, 9.5), (16, 14.5), (5.5, 14.5)],
              lambda x, y: mix((230, 232, 240), (110, 116, 130), clamp((y - 9.5) / 5.0 + (x - 5) / 40.0)))
    c.strokes([[(5.5, 9.5), (15.5, 9.5), (15.5, 14.5), (5.5, 14.5), (5.5, 9.5)]], 1.0, (40, 44, 56))
    c.strokes([[(7.5, 12.5), (13.5, 12.5)]], 1.0, (30, 30, 40))
    c.ellipse(14.0, 11.2, 0.7, 0.7, (60, 210, 80))
    return c


@image("quit.xpm", 16, 15, 69)
def draw_quit():
    c = Canvas(16, 15)
    glossy_circle(c, 8, 7.5, 6.6, (240, 96, 80), (150, 0, 0), (90, 0, 0))
    c.strokes([arc(8, 8.0, 4.0, 4.0, -58, 238)], 1.6, WHITE)
    c.strokes([[(8, 2.6), (8, 7.4)]], 1.7, WHITE)
    return c


@image("program_settings.xpm", 16, 16, 68)
def draw_program_settings():
    c = Canvas(16, 16)
    cx, cy = 8.0, 8.0
    teeth = 8

    def inside(x, y):
        r = math.hypot(x - cx, y - cy)
        a = math.atan2(y - cy, x - cx) * teeth / (2 * math.pi)
        f = a - math.floor(a)
        outer = 7.6 if 0.25 < f < 0.75 else 5.6
        return 2.3 <= r <= outer

    def shade(x, y):
        t = clamp(((x - cx) + (y - cy)) / 14.0 + 0.5)
        return mix((220, 226, 240), (76, 88, 118), t)
    c.coverage_fill(lambda x, y: inside(x - 0.0, y) and math.hypot(x - cx, y - cy) > 2.3,
                    (0, 0, 16, 16), (40, 46, 64))
    c.coverage_fill(lambda x, y: inside(x, y) and 3.1 <= math.hypot(x - cx, y - cy) and
                    all(inside(x + dx, y + dy) for dx, dy in ((0.7, 0), (-0.7, 0), (0, 0.7), (0, -0.7))),
                    (0, 0, 16, 16), shade)
    return c


@image("help.xpm", 16, 15, 50)
def draw_help():
    c = Canvas(16, 15)
    glossy_circle(c, 8, 7.5, 6.6, (110, 160, 245), (20, 50, 150), (10, 30, 100))
    c.strokes(text_polylines("?", 5.3, 12.3, 12.0), 1.9, WHITE)
    return c


@image("stock_close-16.png", 16, 16, 2)
def draw_close():
    c = Canvas(16, 16)
    for y in range(16):
        for x in range(16):
            d1 = abs((x + 0.5) - (y + 0.5))
            d2 = abs((x + 0.5) + (y + 0.5) - 16)
            if (d1 < 1.6 or d2 < 1.6) and 3 <= x <= 12 and 3 <= y <= 12:
                c.set(x, y, (0, 0, 0))
    return c


@image("cut.xpm", 16, 15)
def draw_cut():
    c = Canvas(16, 15)
    steel = lambda x, y: mix((236, 240, 248), (120, 128, 146), clamp(x / 16.0 + y / 30.0))
    c.strokes([[(5.0, 0.6), (10.2, 9.0)], [(11.0, 0.6), (5.8, 9.0)]], 2.4, (60, 64, 80))
    c.strokes([[(5.0, 0.6), (10.2, 9.0)], [(11.0, 0.6), (5.8, 9.0)]], 1.2, steel)
    c.ellipse(8.0, 6.2, 0.8, 0.8, (60, 64, 80))
    for cx in (4.4, 11.6):
        c.ring(cx, 11.3, 3.3, 1.6, (40, 40, 50))
        c.ring(cx, 11.3, 2.6, 1.9, (210, 40, 40))
    return c


@image("copy.xpm", 16, 15)
def draw_copy():
    c = Canvas(16, 15)
    page(c, 0, 0, 9, 10, fold=2, lines=3)
    page(c, 5, 4, 15, 14, fold=3, lines=4)
    return c


@image("paste.xpm", 16, 15)
def draw_paste():
    c = Canvas(16, 15)
    c.rect(1, 1, 11, 14, vgrad((206, 150, 82), (150, 96, 40), 1, 14))
    c.frame(1, 1, 11, 14, (92, 56, 18))
    c.rect(4, 0, 8, 2, vgrad((240, 242, 248), (140, 146, 160), 0, 2))
    c.frame(4, 0, 8, 2, (60, 62, 76))
    page(c, 6, 5, 15, 14, fold=2, lines=4)
    return c


@image("stock_data-new-table-16.xpm", 16, 16)
def draw_table_new():
    c = Canvas(16, 16)
    grid_table(c, 0, 3, 13, 15)
    star(c, 12.0, 4.0, 4.2, 1.7, (255, 252, 200), (236, 170, 20))
    return c


@image("stock_data-edit-table-16.xpm", 16, 16)
def draw_table_edit():
    c = Canvas(16, 16)
    grid_table(c, 0, 1, 13, 13)
    pencil(c, 15.4, 6.0, 8.4, 13.0 + 2.0, 2.4)
    return c


@image("stock_data-delete-table-16.xpm", 16, 16)
def draw_table_delete():
    c = Canvas(16, 16)
    grid_table(c, 0, 1, 13, 13)
    red_cross(c, 9.2, 9.2, 14.6, 14.6, 1.9)
    return c


@image("stock_delete-16.png", 16, 16)
def draw_stock_delete():
    c = Canvas(16, 16)
    red_cross(c, 3.2, 3.2, 12.8, 12.8, 2.8)
    return c


@image("stock_text_color_foreground-16.png", 16, 16)
def draw_text_foreground():
    c = Canvas(16, 16)
    c.strokes(text_polylines("A", 2.4, 11.0, 14.5), 2.0, INK)
    c.rect(1, 13, 14, 15, (220, 20, 20))
    c.frame(1, 13, 14, 15, (110, 0, 0))
    return c


@image("stock_text_color_background-16.png", 16, 16)
def draw_text_background():
    c = Canvas(16, 16)
    c.rect(0, 0, 15, 15, vgrad((255, 246, 120), (246, 206, 20), 0, 15))
    c.frame(0, 0, 15, 15, (150, 120, 0))
    c.strokes(text_polylines("A", 2.4, 13.0, 14.5), 2.0, INK)
    return c


@image("stock_calc-accept-16.png", 16, 16)
def draw_accept():
    c = Canvas(16, 16)
    tick = [[(2.5, 8.5), (6.2, 12.6), (13.6, 3.2)]]
    c.strokes(tick, 4.2, (20, 90, 20))
    c.strokes(tick, 2.6, lambda x, y: mix((140, 230, 110), (30, 150, 30), y / 16.0))
    return c


@image("stock_calc-cancel-16.png", 16, 16)
def draw_cancel():
    c = Canvas(16, 16)
    glossy_circle(c, 8, 8, 6.8, (240, 96, 80), (160, 0, 0), (90, 0, 0))
    c.strokes([[(5.2, 5.2), (10.8, 10.8)], [(10.8, 5.2), (5.2, 10.8)]], 2.0, WHITE)
    return c


# --- the program's icon, splash and side picture --------------------------------

@image("TOVENDAL.ICO", 32, 32, 6)
def draw_icon():
    black, white, grey = (0, 0, 0), (255, 255, 255), (128, 128, 128)
    green, cyan = (0, 128, 0), (0, 255, 255)
    c = Canvas(32, 32)
    c.rect(1, 4, 29, 30, white)
    c.rect(1, 4, 29, 9, green)
    # the grid: seven days across, five weeks down
    for x in range(1, 30, 4):
        c.rect(x, 10, x, 30, grey)
    for y in range(10, 31, 4):
        c.rect(1, y, 29, y, grey)
    # a few highlighted days
    for col, row in ((1, 0), (2, 0), (4, 2), (5, 2), (3, 3)):
        c.rect(2 + 4 * col, 11 + 4 * row, 4 + 4 * col, 13 + 4 * row, cyan)
    c.frame(1, 4, 29, 30, black)
    c.rect(2, 31, 30, 31, grey)
    c.rect(30, 5, 30, 31, grey)
    # binding rings
    for x in (7, 14, 21):
        c.rect(x, 1, x + 1, 6, black)
        c.rect(x, 7, x + 1, 7, white)
    return c


def planner_sheet(c, x0, y0, x1, y1, rows, cols, seed):
    """A small wall planner: white sheet, green heading, grid and coloured event bands."""
    for y in range(y0 + 3, y1 + 5):
        for x in range(x0 + 3, x1 + 5):
            c.blend(x, y, (0, 0, 0), 0.28)
    c.rect(x0, y0, x1, y1, vgrad((255, 255, 255), (236, 240, 246), y0, y1))
    head = y0 + max(8, (y1 - y0) // 10)
    c.rect(x0, y0, x1, head, vgrad((40, 170, 60), (0, 120, 30), y0, head))
    cw = (x1 - x0) / float(cols)
    rh = (y1 - head) / float(rows)
    bands = [(0, 153, 0), (255, 204, 0), (255, 80, 80), (0, 200, 220), (200, 60, 200), (80, 120, 255)]
    k = seed
    for r in range(rows):
        for col in range(cols):
            k = (k * 1103515245 + 12345) % 2147483648
            cx0 = x0 + int(col * cw) + 1
            cy0 = head + int(r * rh) + 1
            cx1 = x0 + int((col + 1) * cw) - 1
            cy1 = head + int((r + 1) * rh) - 1
            if col in (5, 6) and cols > 6:
                c.rect(cx0, cy0, cx1, cy1, (220, 224, 232))
            elif (k >> 16) % 7 == 0:
                c.rect(cx0, cy0, cx1, cy1, bands[(k >> 8) % len(bands)])
    for col in range(1, cols):
        x = x0 + int(col * cw)
        c.rect(x, head, x, y1, (170, 176, 190))
    for r in range(1, rows):
        y = head + int(r * rh)
        c.rect(x0, y, x1, y, (170, 176, 190))
    c.frame(x0, y0, x1, y1, (60, 64, 80))


def night_sky(w, h):
    """The dark blue-to-teal background of the splash pictures."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            t = clamp(0.65 * x / w + 0.55 * y / h)
            glow = math.exp(-(((x - 0.3 * w) / (0.5 * w)) ** 2 + ((y - 0.45 * h) / (0.6 * h)) ** 2))
            col = mix((12, 28, 74), (18, 112, 128), t)
            col = mix(col, (46, 90, 160), 0.45 * glow)
            c.px[y][x] = col + (1.0,)
    return c


def shadowed_text(c, polylines, width, col, shadow=(2.5, 3.0)):
    moved = [[(x + shadow[0], y + shadow[1]) for x, y in line] for line in polylines]
    c.strokes(moved, width + 1.5, (0, 0, 20), alpha=0.45)
    c.strokes(polylines, width, col)


@image("Splash.png", 452, 191, 3721, 2)
def draw_splash():
    c = night_sky(452, 191)
    planner_sheet(c, 326, 26, 432, 164, 12, 7, 7)
    em = 62
    shadowed_text(c, text_polylines("Tovendal", 24, 106, em, spacing=0.07),
                  8.5, lambda x, y: mix((255, 255, 255), (214, 236, 250), clamp((y - 60) / 50.0)))
    c.strokes(text_polylines("Annual Wall Planner", 30, 150, 24, spacing=0.08), 2.4, (190, 226, 236))
    c.rect(28, 122, 290, 123, lambda x, y: mix((120, 200, 220), (18, 80, 120), (x - 28) / 262.0))
    return c


@image("SplashVertReduced.png", 120, 230, 512, 2)
def draw_splash_vertical():
    c = night_sky(120, 230)
    planner_sheet(c, 66, 12, 110, 214, 12, 3, 11)
    shadowed_text(c, text_polylines("Tovendal", 52, 216, 44, spacing=0.07, rotate=90),
                  6.0, lambda x, y: mix((255, 255, 255), (214, 236, 250), clamp((52 - x) / 34.0)),
                  shadow=(2.0, 2.0))
    return c


# --- the highlight picker's swatches and "No Highlight" banners ----------------

FRAME_GREY = hexc("666666")
SELECT_RING = hexc("FFCC66")
SELECT_OUTLINE = hexc("333366")
FOCUS_RING = hexc("FFFFCC")

# (name part of the normal and focus images, name part of the selected image, colour)
SWATCHES = [
    ("black", "black", (0, 0, 0)), ("dkgrey", "dkgrey", (153, 153, 153)),
    ("maroon", "maroon", (153, 0, 0)), ("olive", "olive", (153, 153, 0)),
    ("green", "grean", (0, 153, 0)), ("teal", "teal", (0, 153, 153)),
    ("navy", "navy", (0, 0, 153)), ("purple", "purple", (153, 0, 153)),
    ("white", "white", (255, 255, 255)), ("ltgrey", "ltgrey", (204, 204, 204)),
    ("red", "red", (255, 0, 0)), ("yellow", "yellow", (255, 255, 0)),
    ("lime", "lime", (0, 255, 0)), ("aqua", "aqua", (0, 255, 255)),
    ("blue", "blue", (0, 0, 255)), ("fuchsia", "fuchsia", (255, 0, 255)),
]


def state_border(c, state):
    """White ground with the state's rings: selected gets a dark outline and a
    #FFCC66 ring, focus a #FFFFCC ring, normal nothing."""
    w, h = c.w, c.h
    c.rect(0, 0, w - 1, h - 1, WHITE)
    if state == "select":
        c.frame(0, 0, w - 1, h - 1, SELECT_OUTLINE)
        c.frame(1, 1, w - 2, h - 2, SELECT_RING)
    elif state == "hilight":
        c.frame(0, 0, w - 1, h - 1, FOCUS_RING)
        c.frame(1, 1, w - 2, h - 2, FOCUS_RING)
    c.frame(2, 2, w - 3, h - 3, FRAME_GREY)


def swatch(col, state):
    c = Canvas(19, 19)
    state_border(c, state)
    c.rect(3, 3, 15, 15, col)
    return c


def banner(state):
    c = Canvas(152, 19)
    state_border(c, state)
    # the "no colour" sign: a white box struck through in red
    c.strokes([[(6.5, 14.0), (16.0, 5.0)]], 1.4, (220, 0, 0))
    c.frame(5, 4, 16, 14, FRAME_GREY)
    text = "No Highlight"
    em = 12.5
    x = 21 + (152 - 21 - 8 - text_width(text, em, 0.1)) / 2.0
    c.strokes(text_polylines(text, x, 12.6, em, spacing=0.1), 1.3, (20, 20, 40))
    return c


for _key, _sel, _col in SWATCHES:
    image("bg_%s_default.png" % _key, 19, 19)(lambda col=_col: swatch(col, "default"))
    image("bg_%s_select.png" % _sel, 19, 19)(lambda col=_col: swatch(col, "select"))
    image("bg_%s_hilight.png" % _key, 19, 19)(lambda col=_col: swatch(col, "hilight"))
for _state in ("default", "select", "hilight"):
    image("bb_nofill_%s.png" % _state, 152, 19, 32)(lambda state=_state: banner(state))



def write_sources(written):
    """Writes images.h, which declares every image's array, and images.cpp, the one translation
    unit that compiles each image's data."""
    written = sorted(written, key=lambda entry: entry[1])
    header = ["// Every picture compiled into the program, as XPM data; the windows look them up",
              "// by name through namedimage.h. Made by images/make_images.py, do not edit.",
              "#ifndef TOVENDAL_IMAGES_IMAGES_H",
              "#define TOVENDAL_IMAGES_IMAGES_H",
              ""]
    for name, stem, w, h in written:
        header.append("/// %s, %d x %d pixels." % (name, w, h))
        header.append("extern const char* const %s_xpm[];" % stem)
    header += ["", "#endif // TOVENDAL_IMAGES_IMAGES_H", ""]
    source = ["// The data of every picture, each compiled once, here. Made by images/make_images.py,",
              "// do not edit.",
              '#include "images/images.h"',
              ""]
    source += ['#include "images/%s.xpm"' % stem for _, stem, _, _ in written]
    source.append("")
    for path, lines in (("images.h", header), ("images.cpp", source)):
        with open(os.path.join(HERE, path), "w", newline="\n") as f:
            f.write("\n".join(lines))


def main():
    written = []
    for name, w, h, colours, cpp, fn in IMAGES:
        c = fn()
        assert (c.w, c.h) == (w, h), name
        stem, w, h, n, cpp = write_xpm(name, c, colours, cpp)
        written.append((name, stem, w, h))
        print("%-40s images/%s.xpm  %dx%d  %d colours  %d cpp" % (name, stem, w, h, n, cpp))
    write_sources(written)


if __name__ == "__main__":
    main()
