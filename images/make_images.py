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
    pixels = exact_palette(quantise(canvas), colours)
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
    text += "static const char* const %s_xpm[] = {\n%s\n};\n" % (stem, "\n".join(lines))
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


def simple(w, h, base):
    c = Canvas(w, h)
    c.rect(1, 1, w - 2, h - 2, lambda x, y: mix(base, (255, 255, 255), 0.3 * (x + y) / (w + h)))
    c.frame(1, 1, w - 2, h - 2, (0, 0, 0))
    return c


def register_all():
    toolbar = [("new.xpm", 16, 15, 29, 1), ("fileopen.xpm", 16, 15, 36, 1),
               ("filesave.xpm", 16, 15, 21, 1), ("filesaveas.xpm", 16, 15, 23, 1),
               ("delete.xpm", 16, 15, 21, 1), ("print.xpm", 16, 15, 39, 1),
               ("preview.xpm", 16, 15, 30, 1), ("print_options_16.xpm", 16, 16, 101, 2),
               ("quit.xpm", 16, 15, 69, 1), ("program_settings.xpm", 16, 16, 68, 1),
               ("help.xpm", 16, 15, 50, 1), ("stock_close-16.png", 16, 16, 2, 1),
               ("cut.xpm", 16, 15, 24, 1), ("copy.xpm", 16, 15, 24, 1), ("paste.xpm", 16, 15, 24, 1),
               ("stock_data-new-table-16.xpm", 16, 16, 24, 1),
               ("stock_data-edit-table-16.xpm", 16, 16, 24, 1),
               ("stock_data-delete-table-16.xpm", 16, 16, 24, 1),
               ("stock_delete-16.png", 16, 16, 24, 1),
               ("stock_text_color_foreground-16.png", 16, 16, 24, 1),
               ("stock_text_color_background-16.png", 16, 16, 24, 1),
               ("stock_calc-accept-16.png", 16, 16, 24, 1),
               ("stock_calc-cancel-16.png", 16, 16, 24, 1),
               ("TOVENDAL.ICO", 32, 32, 6, 1), ("Splash.png", 452, 191, 3721, 2),
               ("SplashVertReduced.png", 120, 230, 256, 2)]
    for name, w, h, n, cpp in toolbar:
        def fn(w=w, h=h, n=n):
            if n == 2:
                c = Canvas(w, h)
                c.strokes([[(3, 3), (13, 13)], [(13, 3), (3, 13)]], 2.5, (0, 0, 0))
                for row in c.px:
                    for i, p in enumerate(row):
                        row[i] = (0, 0, 0, 1.0) if p[3] >= 0.5 else (0, 0, 0, 0.0)
                return c
            if n == 6:
                c = Canvas(w, h)
                c.rect(2, 2, 29, 29, hexc("FFFFFF"))
                c.rect(2, 2, 29, 8, hexc("008000"))
                c.rect(10, 12, 20, 16, hexc("00FFFF"))
                c.frame(2, 2, 29, 29, hexc("000000"))
                c.frame(4, 10, 27, 27, hexc("808080"))
                return c
            c = simple(w, h, (40, 80, 160))
            if w > 100:
                c.strokes(text_polylines("Tovendal", w * 0.1, h * 0.6, h * 0.3), 4, (255, 255, 255))
            elif h > 100:
                c.strokes(text_polylines("Tovendal", 80, 200, 60, rotate=90), 6, (255, 255, 255))
            return c
        image(name, w, h, n, cpp)(fn)
    for key, sel, col in SWATCHES:
        for state in ("default", sel + "_select", "hilight"):
            nm = "bg_%s_%s.png" % (key, state) if state != sel + "_select" else "bg_%s_select.png" % sel
            def fn(col=col, state=state):
                c = Canvas(19, 19, (255, 255, 255))
                if "select" in state:
                    c.frame(0, 0, 18, 18, hexc("333366"))
                    c.frame(1, 1, 17, 17, hexc("FFCC66"))
                if state == "hilight":
                    c.frame(0, 0, 18, 18, hexc("FFFFCC"))
                    c.frame(1, 1, 17, 17, hexc("FFFFCC"))
                c.frame(2, 2, 16, 16, hexc("666666"))
                c.rect(3, 3, 15, 15, col)
                return c
            image(nm, 19, 19)(fn)
    for state in ("default", "select", "hilight"):
        def fn(state=state):
            c = Canvas(152, 19, (255, 255, 255))
            c.frame(2, 2, 149, 16, hexc("666666"))
            c.strokes(text_polylines("No Highlight", 40, 14, 13), 1.3, (0, 0, 0))
            return c
        image("bb_nofill_%s.png" % state, 152, 19, 16)(fn)


def main():
    register_all()
    for name, w, h, colours, cpp, fn in IMAGES:
        c = fn()
        assert (c.w, c.h) == (w, h), name
        stem, w, h, n, cpp = write_xpm(name, c, colours, cpp)
        print("%-40s images/%s.xpm  %dx%d  %d colours  %d cpp" % (name, stem, w, h, n, cpp))


if __name__ == "__main__":
    main()
