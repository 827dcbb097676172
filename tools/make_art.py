#!/usr/bin/env python3
"""Draws Pagewick's pictures and writes them as resource files.

Everything is drawn here from simple convex shapes with supersampled coverage, so
the output is the same on every run and needs nothing beyond the standard library.

Writes (paths relative to the repository root):
  app/res/pagewick.ico   icon group: 128, 96, 72, 64, 48, 40, 32, 24, 20, 16 px, 32-bit with alpha
  help/res/program.bmp   46 x 93 (8-bit RLE, like the other pictures), the program's picture for the About window
  help/res/notesheet.bmp 145 x 145, a pale note sheet with a pencil (decoration)
  help/res/iconsite.bmp  158 x 52, the icon site's logo
  help/res/hand.cur      32 x 32 hand pointer
  update/res/banner.bmp  405 x 67, the Live Update window's banner
  and each of the four pictures once more drawn for dark apps (`*_dark.bmp`: on the dark
  palette's panel and face colours, the faded sheet faded toward the dark panel, the logo's
  name in a light blue)

Run:  python3 tools/make_art.py [--bmp-only] [--preview DIR]
  --bmp-only stores every icon image as a DIB (larger); --preview also writes PNG copies.
"""
import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# ---------------------------------------------------------------- canvas

class Canvas:
    """Premultiplied RGBA floats (0..1), y grows downwards."""

    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        if background is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]
        else:
            r, g, b = (c / 255.0 for c in background)
            self.px = [[r, g, b, 1.0] for _ in range(w * h)]

    def fill(self, poly, color, alpha=1.0, samples=4):
        """Fills a convex polygon (pixel coordinates) with color, a (r,g,b) tuple or a
        function (x, y) -> (r, g, b)."""
        if len(poly) < 3:
            return
        # Orient the polygon so that the inside is on the left of every edge.
        area = 0.0
        for i in range(len(poly)):
            x0, y0 = poly[i]
            x1, y1 = poly[(i + 1) % len(poly)]
            area += x0 * y1 - x1 * y0
        pts = poly if area > 0 else list(reversed(poly))
        edges = []
        for i in range(len(pts)):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % len(pts)]
            edges.append((x0, y0, x1 - x0, y1 - y0))
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        ix0 = max(0, int(math.floor(min(xs))))
        ix1 = min(self.w - 1, int(math.ceil(max(xs))))
        iy0 = max(0, int(math.floor(min(ys))))
        iy1 = min(self.h - 1, int(math.ceil(max(ys))))
        offs = [(i + 0.5) / samples for i in range(samples)]
        total = samples * samples
        for py in range(iy0, iy1 + 1):
            for px in range(ix0, ix1 + 1):
                hits = 0
                for oy in offs:
                    sy = py + oy
                    for ox in offs:
                        sx = px + ox
                        inside = True
                        for ex, ey, dx, dy in edges:
                            if dx * (sy - ey) - dy * (sx - ex) < 0:
                                inside = False
                                break
                        if inside:
                            hits += 1
                if hits == 0:
                    continue
                a = alpha * hits / total
                c = color(px + 0.5, py + 0.5) if callable(color) else color
                d = self.px[py * self.w + px]
                k = 1.0 - a
                d[0] = c[0] / 255.0 * a + d[0] * k
                d[1] = c[1] / 255.0 * a + d[1] * k
                d[2] = c[2] / 255.0 * a + d[2] * k
                d[3] = a + d[3] * k

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(min(255, int(round(v / a * 255))) for v in (r, g, b))
                           + (min(255, int(round(a * 255))),))
            rows.append(row)
        return rows


# ---------------------------------------------------------------- shapes

def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def ellipse(cx, cy, rx, ry, n=28):
    return [(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n))
            for i in range(n)]


def rounded_rect(x0, y0, x1, y1, r, n=6):
    pts = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)]
    for cx, cy, start in corners:
        for i in range(n + 1):
            t = math.radians(start + 90.0 * i / n)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return pts


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vgradient(top_color, bottom_color, y0, y1):
    def f(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return mix(top_color, bottom_color, t)
    return f


# ---------------------------------------------------------------- the note and the pencil

PAPER_TOP = (255, 251, 214)
PAPER_BOTTOM = (250, 232, 150)
PAPER_EDGE = (150, 118, 40)
FOLD = (232, 205, 112)
RULE = (110, 150, 215)
MARGIN = (225, 110, 110)


def draw_sheet(cv, x0, y0, x1, y1, fold, lines, edge, shadow=True, samples=4):
    """A note sheet with its top right corner folded over."""
    if shadow:
        s = edge * 1.2
        cv.fill([(x0 + s, y0 + s), (x1 - fold + s, y0 + s), (x1 + s, y0 + fold + s),
                 (x1 + s, y1 + s), (x0 + s, y1 + s)], (0, 0, 0), 0.22, samples)
    cv.fill([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], PAPER_EDGE, 1.0, samples)
    e = edge
    cut = e * 0.41   # keeps the inner diagonal parallel at distance e
    cv.fill([(x0 + e, y0 + e), (x1 - fold - cut + e * 0.0, y0 + e), (x1 - e, y0 + fold + cut),
             (x1 - e, y1 - e), (x0 + e, y1 - e)],
            vgradient(PAPER_TOP, PAPER_BOTTOM, y0, y1), 1.0, samples)
    # The folded flap.
    cv.fill([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAPER_EDGE, 1.0, samples)
    cv.fill([(x1 - fold + e, y0 + e * 2.4), (x1 - fold + e, y0 + fold - e), (x1 - e * 2.4, y0 + fold - e)],
            FOLD, 1.0, samples)
    # Ruled lines and the margin.
    h = y1 - y0
    lx0, lx1 = x0 + (x1 - x0) * 0.14, x1 - (x1 - x0) * 0.12
    t = max(0.9, h * 0.028)
    for i in range(lines):
        y = y0 + h * (0.34 + 0.56 * i / max(1, lines - 1)) if lines > 1 else y0 + h * 0.5
        right = lx1 if i != lines - 1 else lx0 + (lx1 - lx0) * 0.6
        cv.fill(rect(lx0, y - t / 2, right, y + t / 2), RULE, 0.9, samples)
    if h >= 30:
        mx = x0 + (x1 - x0) * 0.22
        cv.fill(rect(mx - t * 0.4, y0 + e * 1.5, mx + t * 0.4, y1 - e * 1.5), MARGIN, 0.55, samples)


def draw_pencil(cv, tip, end, width, samples=4):
    """A pencil lying from its tip to its eraser end, with a dark outline."""
    tx, ty = tip
    ex, ey = end
    length = math.hypot(ex - tx, ey - ty)
    ux, uy = (ex - tx) / length, (ey - ty) / length    # along the pencil
    vx, vy = -uy, ux                                   # across it

    def at(u, v):
        return (tx + ux * u + vx * v, ty + uy * u + vy * v)

    w = width / 2.0
    o = max(0.8, width * 0.12)        # outline thickness
    cone = width * 1.25               # length of the sharpened wood
    ferrule = width * 0.55
    eraser = width * 0.65
    # Outline: the whole silhouette, a little larger.
    cv.fill([at(-o * 1.6, 0), at(cone, -w - o), at(length + o, -w - o),
             at(length + o, w + o), at(cone, w + o)], (70, 45, 20), 1.0, samples)
    # Body in three stripes, lit from above.
    body0, body1 = cone, length - ferrule - eraser
    stripes = [((255, 214, 90), -w, -w / 3), ((247, 180, 40), -w / 3, w / 3), ((214, 138, 20), w / 3, w)]
    for color, a, b in stripes:
        cv.fill([at(body0, a), at(body1, a), at(body1, b), at(body0, b)], color, 1.0, samples)
    # Sharpened wood and the lead.
    cv.fill([at(0, 0), at(cone, -w), at(cone, w)], (238, 204, 150), 1.0, samples)
    lead = cone * 0.38
    cv.fill([at(0, 0), at(lead, -w * lead / cone), at(lead, w * lead / cone)], (55, 55, 62), 1.0, samples)
    # Metal ferrule and the eraser.
    f0, f1 = body1, body1 + ferrule
    cv.fill([at(f0, -w), at(f1, -w), at(f1, w), at(f0, w)], (170, 175, 190), 1.0, samples)
    cv.fill([at(f0, -w), at(f1, -w), at(f1, -w / 3), at(f0, -w / 3)], (215, 220, 232), 1.0, samples)
    cv.fill([at(f1, -w), at(length, -w), at(length, w), at(f1, w)], (236, 120, 140), 1.0, samples)
    cv.fill([at(f1, -w), at(length, -w), at(length, -w / 3), at(f1, -w / 3)], (248, 165, 178), 1.0, samples)


def icon_image(size):
    cv = Canvas(size, size)
    s = float(size)
    samples = 6 if size <= 32 else 4
    edge = max(0.9, s * 0.03)
    lines = 3 if size <= 24 else (4 if size <= 48 else 5)
    draw_sheet(cv, s * 0.12, s * 0.06, s * 0.80, s * 0.94, s * 0.20, lines, edge, True, samples)
    draw_pencil(cv, (s * 0.36, s * 0.84), (s * 0.95, s * 0.25), s * 0.15, samples)
    return cv


# The backgrounds the pictures lie on: the About window's panel and the Live Update window's
# face, in light (white) and in dark apps.
# (Values an 8-bit picture keeps exactly: its palette rounds each channel to 5 bits.)
DARK_PANEL = (33, 33, 33)
DARK_FACE = (41, 41, 41)


def program_picture(bg=(255, 255, 255)):
    cv = Canvas(46, 93, bg)
    draw_sheet(cv, 3, 6, 40, 74, 11, 5, 1.3, True, 5)
    draw_pencil(cv, (17, 89), (41, 34), 8.5, 5)
    return cv


def faded_sheet(bg=(255, 255, 255)):
    cv = Canvas(145, 145, bg)
    draw_sheet(cv, 18, 9, 117, 136, 29, 6, 3.2, True, 3)
    draw_pencil(cv, (52, 122), (138, 36), 21, 3)
    # Fade toward the window background: the labels over it keep their contrast (light text
    # over the dark one needs a fainter sheet).
    keep = 0.22 if bg == (255, 255, 255) else 0.14
    base = [c / 255.0 for c in bg]
    for p in cv.px:
        for i in range(3):
            p[i] = base[i] + (p[i] - base[i]) * keep
    return cv


# ---------------------------------------------------------------- the icon site's logo

GLYPHS = {
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'S': [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    'K': ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'c': [".....", ".....", ".###.", "#....", "#....", "#....", ".###."],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'n': [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    's': [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
}


def draw_text(cv, text, x, y, cell, color):
    for ch in text:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == '#':
                    cx, cy = x + col * cell, y + row * cell
                    cv.fill(rect(cx, cy, cx + cell, cy + cell), color, 1.0, 2)
        x += cell * 6
    return x


def iconsite_logo(bg=(255, 255, 255), name_color=(25, 70, 130)):
    cv = Canvas(158, 52, bg)
    # Badge: a rounded square with a palette-like arrangement of dots.
    cv.fill(rounded_rect(5, 5, 49, 49, 9), (0, 0, 0), 0.18, 4)
    cv.fill(rounded_rect(3, 3, 47, 47, 9), vgradient((60, 150, 200), (20, 80, 150), 3, 47), 1.0, 4)
    cv.fill(ellipse(25, 25, 15, 13), (250, 250, 245), 1.0, 4)
    for (dx, dy), col in zip([(-8, -4), (-1, -8), (7, -5), (8, 4)],
                             [(230, 70, 60), (250, 190, 40), (70, 170, 80), (60, 110, 210)]):
        cv.fill(ellipse(25 + dx, 25 + dy, 3.2, 3.2, 16), col, 1.0, 4)
    cv.fill(ellipse(19, 32, 3.5, 3.0, 16), (60, 140, 200), 1.0, 4)
    draw_text(cv, "BRASK", 57, 6, 3, name_color)
    draw_text(cv, "icons", 58, 33, 2, (220, 120, 30))
    return cv


# ---------------------------------------------------------------- the Live Update banner

BANNER_GLYPHS = {
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'U': ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'p': [".....", "####.", "#...#", "#...#", "####.", "#....", "#...."],
    'd': ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    't': [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    ' ': [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def banner_picture(bg=(255, 255, 255), line=(200, 214, 236)):
    """A deep blue band fading to the window's background on the right, a small note sheet
    with a downward arrow on the left, and the words "Live Update"."""
    w, h = 405, 67
    cv = Canvas(w, h, bg)

    def band(x, y):
        t = min(1.0, max(0.0, (x - 300) / 105.0)) ** 1.5
        top = mix((24, 62, 128), bg, t)
        return mix(top, mix((40, 96, 170), bg, t), y / h)
    cv.fill(rect(0, 0, w, h), band, 1.0, 1)
    # A thin line under the band.
    cv.fill(rect(0, h - 3, w, h - 2), line, 1.0, 1)
    # Sheet and arrow.
    draw_sheet(cv, 14, 9, 46, 56, 9, 4, 1.2, True, 4)
    cv.fill(rect(52, 14, 60, 34), (250, 196, 60), 1.0, 4)
    cv.fill([(45, 33), (67, 33), (56, 48)], (250, 196, 60), 1.0, 4)
    glyphs = dict(GLYPHS)
    glyphs.update(BANNER_GLYPHS)
    x, y, cell = 84, 17, 4
    for ch in "Live Update":
        for row, bits in enumerate(glyphs[ch]):
            for col, bit in enumerate(bits):
                if bit == '#':
                    cx, cy = x + col * cell, y + row * cell
                    cv.fill(rect(cx + 1, cy + 1, cx + cell + 1, cy + cell + 1), (10, 30, 70), 0.5, 2)
                    cv.fill(rect(cx, cy, cx + cell, cy + cell), (255, 255, 255), 1.0, 2)
        x += cell * 6
    return cv


# ---------------------------------------------------------------- the hand pointer

HAND = [
    "      ##         ",
    "     #..#        ",
    "     #..#        ",
    "     #..#        ",
    "     #..#        ",
    "     #..###      ",
    "     #..#..###   ",
    "     #..#..#..## ",
    " ### #..#..#..#.#",
    " #..##........#.#",
    " #...#..........#",
    "  #..#..........#",
    "   #.#..........#",
    "   #............#",
    "    #...........#",
    "    #..........# ",
    "     #.........# ",
    "     #........#  ",
    "      #.......#  ",
    "      #.......#  ",
    "      #########  ",
]
HAND_HOTSPOT = (6, 0)


# ---------------------------------------------------------------- file formats

def palette_of(rows):
    """Up to 256 colours for an 8-bit picture: the most used colours after rounding
    each channel to 5 bits, the rest mapped to their nearest entry."""
    counts = {}
    for row in rows:
        for r, g, b, a in row:
            key = (r >> 3, g >> 3, b >> 3)
            counts[key] = counts.get(key, 0) + 1
    keys = sorted(counts, key=lambda k: (-counts[k], k))[:256]
    palette = [tuple(min(255, (v << 3) | (v >> 2)) for v in k) for k in keys]
    index = {k: i for i, k in enumerate(keys)}
    nearest = {}

    def lookup(r, g, b):
        key = (r >> 3, g >> 3, b >> 3)
        i = index.get(key)
        if i is not None:
            return i
        if key not in nearest:
            nearest[key] = min(range(len(palette)), key=lambda j: sum(
                (pc - c) ** 2 for pc, c in zip(palette[j], (r, g, b))))
        return nearest[key]
    return palette, lookup


def rle8_row(line):
    """One row in BI_RLE8: runs as (count, index), other stretches in absolute mode."""
    out = bytearray()
    i, n = 0, len(line)
    while i < n:
        run = 1
        while i + run < n and run < 255 and line[i + run] == line[i]:
            run += 1
        if run >= 3 or n - i < 3:
            out += bytes((run, line[i]))
            i += run
            continue
        # A literal stretch: up to the next run of three or more.
        j = i
        while j < n and j - i < 255:
            if j + 2 < n and line[j] == line[j + 1] == line[j + 2]:
                break
            j += 1
        lit = line[i:j]
        if len(lit) < 3:
            for v in lit:
                out += bytes((1, v))
        else:
            out += bytes((0, len(lit))) + bytes(lit)
            if len(lit) % 2:
                out += b'\0'
        i = j
    return out + b'\0\0'


def bmp_file(cv):
    """8-bit palettised, RLE8-compressed bottom-up BMP over the canvas' own opaque background."""
    rows = cv.rgba()
    palette, lookup = palette_of(rows)
    data = bytearray()
    for row in reversed(rows):
        data += rle8_row([lookup(r, g, b) for r, g, b, a in row])
    data[-2:] = b'\0\1'   # the last end-of-line becomes end-of-bitmap
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h, 1, 8, 1, len(data), 2835, 2835, len(palette), 0)
    offset = 14 + 40 + len(table)
    fileheader = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return fileheader + header + table + bytes(data)


def rle8_decode(data, w, h):
    """Back to index rows (bottom-up), to check the encoder."""
    rows, row, i = [], [], 0
    while i < len(data):
        a, b = data[i], data[i + 1]
        i += 2
        if a:
            row += [b] * a
        elif b == 0 or b == 1:
            rows.append(row)
            row = []
            if b == 1:
                break
        else:
            row += list(data[i:i + b])
            i += b + (b % 2)
    assert len(rows) == h and all(len(r) == w for r in rows), 'RLE8 round trip'
    return rows


def and_mask(w, h, transparent):
    """1-bit mask rows, bottom-up, 32-bit aligned; transparent(x, y) -> bool."""
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(h)):
        line = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def icon_entry_image(cv):
    rows = cv.rgba()
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = and_mask(cv.w, cv.h, lambda x, y: rows[y][x][3] == 0)
    header = struct.pack('<IiiHHIIiiII', 40, cv.w, cv.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + mask


def ico_file(images, png_from):
    """Images of png_from pixels and more are stored PNG-compressed (as Windows Vista and
    later read them) to keep the executable small; the smaller ones as 32-bit DIBs."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for cv in images:
        blob = png_file(cv) if cv.w >= png_from else icon_entry_image(cv)
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


def cur_file(art, hotspot, size=32):
    def pixel(x, y):
        if y < len(art) and x < len(art[y]):
            return art[y][x]
        return ' '
    stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(size)):
        line = bytearray(stride)
        for x in range(size):
            if pixel(x, y) == '.':
                line[x // 8] |= 0x80 >> (x % 8)   # white
        xor += line
    mask = and_mask(size, size, lambda x, y: pixel(x, y) == ' ')
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    blob = header + palette + bytes(xor) + mask
    return (struct.pack('<HHH', 0, 2, 1)
            + struct.pack('<BBBBHHII', size, size, 2, 0, hotspot[0], hotspot[1], len(blob), 22)
            + blob)


def png_file(cv, scale=1):
    rows = cv.rgba()
    raw = bytearray()
    for row in rows:
        for _ in range(scale):
            raw += b'\0'
            for px in row:
                raw += bytes(px) * scale

    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)
    ihdr = struct.pack('>IIBBBBB', cv.w * scale, cv.h * scale, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def write(path, data):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'wb') as f:
        f.write(data)
    print('%-24s %6d bytes' % (path, len(data)))


def main():
    preview = None
    args = sys.argv[1:]
    png_from = 64
    if '--bmp-only' in args:
        args.remove('--bmp-only')
        png_from = 10000
    if len(args) == 2 and args[0] == '--preview':
        preview = args[1]
        os.makedirs(preview, exist_ok=True)
    # 40 and 20 are the big and small icons at 120 dpi, 48 and 24 at 144 dpi.
    icons = [icon_image(s) for s in (128, 96, 72, 64, 48, 40, 32, 24, 20, 16)]
    write('app/res/pagewick.ico', ico_file(icons, png_from))
    pictures = {'program': program_picture(), 'notesheet': faded_sheet(), 'iconsite': iconsite_logo(),
                'program_dark': program_picture(DARK_PANEL), 'notesheet_dark': faded_sheet(DARK_PANEL),
                'iconsite_dark': iconsite_logo(DARK_PANEL, (130, 180, 240))}
    for name, cv in pictures.items():
        data = bmp_file(cv)
        offset = struct.unpack('<I', data[10:14])[0]
        rle8_decode(data[offset:], cv.w, cv.h)
        write('help/res/%s.bmp' % name, data)
    write('help/res/hand.cur', cur_file(HAND, HAND_HOTSPOT))
    for name, banner in (('banner', banner_picture()), ('banner_dark', banner_picture(DARK_FACE, (70, 90, 120)))):
        data = bmp_file(banner)
        rle8_decode(data[struct.unpack('<I', data[10:14])[0]:], banner.w, banner.h)
        write('update/res/%s.bmp' % name, data)
        pictures[name] = banner
    if preview:
        for cv in icons:
            with open(os.path.join(preview, 'icon%d.png' % cv.w), 'wb') as f:
                f.write(png_file(cv, 4 if cv.w <= 32 else 2))
        for name, cv in pictures.items():
            with open(os.path.join(preview, name + '.png'), 'wb') as f:
                f.write(png_file(cv, 3))
        hand = Canvas(32, 32)
        for y, line in enumerate(HAND):
            for x, ch in enumerate(line):
                if ch != ' ':
                    hand.px[y * 32 + x] = [1.0, 1.0, 1.0, 1.0] if ch == '.' else [0.0, 0.0, 0.0, 1.0]
        with open(os.path.join(preview, 'hand.png'), 'wb') as f:
            f.write(png_file(hand, 6))


if __name__ == '__main__':
    main()
