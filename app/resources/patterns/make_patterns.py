#!/usr/bin/env python3
"""Draws the soil-layer fill patterns as two-colour XPM tiles.

Every tile repeats without a seam: whatever is drawn past an edge comes back in at the
opposite one. The screen tiles are drawn in screen pixels; the printer tiles are drawn for
240 pixels per inch and scaled to the printer's resolution when they are used.
Run from this folder; the XPM files are committed, so the build never runs this.
"""
import math
import random


class Tile:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0] * w for _ in range(h)]

    def set(self, x, y):
        self.px[int(y) % self.h][int(x) % self.w] = 1

    def dot(self, cx, cy, size):
        """A filled square dot of size x size pixels, rounded off from 3 up."""
        r = (size - 1) / 2
        for dy in range(size):
            for dx in range(size):
                if size >= 3 and (dx - r) ** 2 + (dy - r) ** 2 > (r + 0.35) ** 2:
                    continue
                self.set(cx + dx - int(r), cy + dy - int(r))

    def hline(self, x0, x1, y, t=1):
        for x in range(x0, x1):
            for k in range(t):
                self.set(x, y + k)

    def vline(self, x, y0, y1, t=1):
        for y in range(y0, y1):
            for k in range(t):
                self.set(x + k, y)

    def line(self, x0, y0, x1, y1, t=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = x0 + (x1 - x0) * i / n
            y = y0 + (y1 - y0) * i / n
            for k in range(t):
                for m in range(t):
                    self.set(round(x) + k, round(y) + m)

    def circle(self, cx, cy, r, t=1):
        """Outline of a circle; t pixels thick, inward from radius r."""
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                d = math.hypot(x - cx, y - cy)
                if r - t <= d <= r:
                    self.set(x, y)

    def ellipse(self, cx, cy, rx, ry, t=1):
        for y in range(int(cy - ry - 1), int(cy + ry + 2)):
            for x in range(int(cx - rx - 1), int(cx + rx + 2)):
                d = math.hypot((x - cx) / rx, (y - cy) / ry)
                if 1 - t / min(rx, ry) <= d <= 1:
                    self.set(x, y)

    def xpm(self, name):
        rows = ['"%d %d 2 1",' % (self.w, self.h), '"  c #FFFFFF",', '". c #000000",']
        for i, row in enumerate(self.px):
            text = "".join("." if v else " " for v in row)
            rows.append('"%s"%s' % (text, "," if i + 1 < self.h else ""))
        return "/* XPM */\nstatic const char *const %s[] = {\n%s\n};\n" % (name, "\n".join(rows))


def jittered(w, h, cell, seed, spread=0.6):
    """One point per cell of a grid, moved about inside its cell: even but not regular."""
    rnd = random.Random(seed)
    pts = []
    for gy in range(h // cell):
        for gx in range(w // cell):
            jx = (rnd.random() - 0.5) * cell * spread
            jy = (rnd.random() - 0.5) * cell * spread
            pts.append((gx * cell + cell / 2 + jx, gy * cell + cell / 2 + jy))
    return pts


def spaced_circles(w, h, radii, seed, gap, tries=4000):
    """Circles of the given radii, largest first, each put where it stands farthest from the
    others among a few random candidates (across the seams too), so they spread evenly."""
    rnd = random.Random(seed)
    placed = []

    def clearance(x, y, r):
        best = float("inf")
        for (px, py, pr) in placed:
            dx = min(abs(x - px), w - abs(x - px))
            dy = min(abs(y - py), h - abs(y - py))
            best = min(best, math.hypot(dx, dy) - r - pr)
        return best

    for r in sorted(radii, reverse=True):
        candidates = [(rnd.random() * w, rnd.random() * h) for _ in range(60)]
        x, y = max(candidates, key=lambda c: clearance(c[0], c[1], r))
        if clearance(x, y, r) >= gap:
            placed.append((x, y, r))
    return placed


def clay(w, h, rows, dash, t):
    """Horizontal dashes in staggered rows."""
    tile = Tile(w, h)
    step = h // rows
    period = w // 4
    for k in range(rows):
        y = k * step + step // 2
        off = (period // 2) * (k % 2)
        for x in range(off, off + w, period):
            tile.hline(x, x + dash, y, t)
    return tile


def sand(w, h, cell, size, seed):
    """Even stipple of dots."""
    tile = Tile(w, h)
    for (x, y) in jittered(w, h, cell, seed):
        tile.dot(round(x), round(y), size)
    return tile


def gravelly_sand(w, h, cell, size, radius, t, seed):
    """Sand stipple with small pebbles among the dots."""
    tile = Tile(w, h)
    pebbles = spaced_circles(w, h, [radius] * 6, seed, radius * 1.2)
    for (x, y, r) in pebbles:
        tile.circle(x, y, r, t)
    for (x, y) in jittered(w, h, cell, seed + 1):
        if all(min(abs(x - px), w - abs(x - px)) ** 2 + min(abs(y - py), h - abs(y - py)) ** 2
               > (pr + size + 1) ** 2 for (px, py, pr) in pebbles):
            tile.dot(round(x), round(y), size)
    return tile


def gravel(w, h, radii, t, seed):
    """Rounded pebbles of several sizes, as ovals lying flat."""
    tile = Tile(w, h)
    for (x, y, r) in spaced_circles(w, h, [r * 1.15 for r in radii], seed, 2):
        r = r / 1.15
        tile.ellipse(x, y, r * 1.15, r * 0.85, t)
    return tile


def shale(w, h, spacing, seg, t):
    """Thin laminae: closely spaced horizontal lines with staggered breaks."""
    tile = Tile(w, h)
    rows = h // spacing
    for k in range(rows):
        y = k * spacing + spacing // 2
        off = (w // 2) * (k % 2)
        tile.hline(off, off + seg, y, t)
    return tile


def rock(w, h, t):
    """Brick-like blocks: two courses, joints staggered by half a block."""
    tile = Tile(w, h)
    course = h // 2
    tile.hline(0, w, 0, t)
    tile.hline(0, w, course, t)
    tile.vline(0, 0, course, t)
    tile.vline(w // 2, course, h, t)
    return tile


def weak_rock(w, h, t, dot, seed):
    """Blocks as for rock, their bedding broken and their faces specked with weathering."""
    tile = Tile(w, h)
    course = h // 2
    gap = max(w // 6, 3)
    for y, off in ((0, 0), (course, w // 2)):
        tile.hline(off + gap, off + w, y, t)
    tile.vline(0, 0, course, t)
    tile.vline(w // 2, course, h, t)
    rnd = random.Random(seed)
    for (y0, x0) in ((0, 0), (course, w // 2)):
        for (fx, fy) in ((0.3, 0.35), (0.7, 0.3), (0.5, 0.7), (0.2, 0.75), (0.8, 0.72)):
            x = x0 + fx * w + (rnd.random() - 0.5) * w * 0.1
            y = y0 + fy * course + (rnd.random() - 0.5) * course * 0.1
            tile.dot(round(x), round(y), dot)
    return tile


def hatch(w, spacing, t, kind):
    tile = Tile(w, w)
    for k in range(0, w, spacing):
        if kind in ("horizontal", "cross"):
            tile.hline(0, w, k, t)
        if kind in ("vertical", "cross"):
            tile.vline(k, 0, w, t)
        if kind in ("fdiagonal", "diagcross"):
            tile.line(k, 0, k + w - 1, w - 1, t)  # top left to bottom right
        if kind in ("diagcross",):
            tile.line(k + w - 1, 0, k, w - 1, t)
    return tile


PATTERNS = {
    # name: (screen tile, printer tile)
    "clay": (lambda: clay(80, 80, 8, 12, 1), lambda: clay(96, 96, 8, 14, 2)),
    "sand": (lambda: sand(80, 80, 10, 2, 7), lambda: sand(96, 96, 12, 3, 7)),
    "gravellysand": (lambda: gravelly_sand(80, 80, 10, 2, 4, 1, 11), lambda: gravelly_sand(96, 96, 12, 3, 5, 2, 11)),
    "gravel": (lambda: gravel(80, 80, [9, 8, 8, 7, 7, 6, 6, 6, 5, 5, 5, 4, 4, 4], 1, 5),
               lambda: gravel(96, 96, [11, 10, 10, 9, 9, 8, 8, 7, 7, 6, 6, 6, 5, 5], 2, 5)),
    "shale": (lambda: shale(30, 42, 7, 26, 1), lambda: shale(96, 192, 12, 84, 2)),
    "rock": (lambda: rock(30, 42, 1), lambda: rock(69, 96, 2)),
    "weakrock": (lambda: weak_rock(30, 42, 1, 2, 3), lambda: weak_rock(69, 96, 2, 3, 3)),
    "fdiagonal": (lambda: hatch(16, 8, 1, "fdiagonal"), lambda: hatch(96, 24, 3, "fdiagonal")),
    "cross": (lambda: hatch(16, 8, 1, "cross"), lambda: hatch(96, 24, 3, "cross")),
    "diagcross": (lambda: hatch(16, 8, 1, "diagcross"), lambda: hatch(96, 24, 3, "diagcross")),
    "horizontal": (lambda: hatch(16, 8, 1, "horizontal"), lambda: hatch(96, 24, 3, "horizontal")),
    "vertical": (lambda: hatch(16, 8, 1, "vertical"), lambda: hatch(96, 24, 3, "vertical")),
}

if __name__ == "__main__":
    for name, (screen, printer) in PATTERNS.items():
        for suffix, make in (("", screen), ("_printer", printer)):
            with open(name + suffix + ".xpm", "w") as f:
                f.write(make().xpm(name + suffix))
