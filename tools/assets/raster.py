"""A tiny supersampling rasteriser for cartoon sprites.

A picture is a list of shapes painted back to front. Each pixel is sampled
on an ss-by-ss grid; the frontmost shape under a sample gives its colour.
Shapes that ask for it get a dark ink line where they border something
behind them, which keeps small sprites readable on any background.
Sprites keep hard edges (a pixel is either drawn or background) because
the game draws them through a one-bit mask: a soft edge blended with a
background colour would show as a fringe on every other background.
"""

import math


def clamp(v, lo=0.0, hi=255.0):
    return lo if v < lo else hi if v > hi else v


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def scale(c, f):
    return tuple(clamp(v * f) for v in c)


def to_bytes(c):
    return tuple(int(clamp(round(v))) for v in c)


def shade(base, hx, hy, radius, light=1.3, dark=0.6):
    """A fill that is brightest at (hx, hy) and darkens outwards: a lit ball."""
    def fill(x, y):
        t = min(1.0, math.hypot(x - hx, y - hy) / radius)
        return scale(base, light + (dark - light) * t)
    return fill


class Affine:
    """Maps model (x, y) to canvas (a*x + b*y + c, d*x + e*y + f)."""

    def __init__(self, a=1.0, b=0.0, c=0.0, d=0.0, e=1.0, f=0.0):
        self.m = (a, b, c, d, e, f)

    def apply(self, x, y):
        a, b, c, d, e, f = self.m
        return a * x + b * y + c, d * x + e * y + f

    def then(self, other):
        """This transform followed by other."""
        a, b, c, d, e, f = self.m
        A, B, C, D, E, F = other.m
        return Affine(A * a + B * d, A * b + B * e, A * c + B * f + C,
                      D * a + E * d, D * b + E * e, D * c + E * f + F)

    def inverse(self):
        a, b, c, d, e, f = self.m
        det = a * e - b * d
        ia, ib, id_, ie = e / det, -b / det, -d / det, a / det
        return Affine(ia, ib, -(ia * c + ib * f), id_, ie, -(id_ * c + ie * f))

    @staticmethod
    def scaling(sx, sy=None, cx=0.0, cy=0.0):
        sy = sx if sy is None else sy
        return Affine(sx, 0, cx - sx * cx, 0, sy, cy - sy * cy)

    @staticmethod
    def rotation(degrees, cx=0.0, cy=0.0):
        r = math.radians(degrees)
        co, si = math.cos(r), math.sin(r)
        return Affine(co, -si, cx - co * cx + si * cy, si, co, cy - si * cx - co * cy)

    @staticmethod
    def translation(dx, dy):
        return Affine(1, 0, dx, 0, 1, dy)


class Shape:
    def __init__(self, fill, outline=True, group=None, ink=None):
        self.fill = fill
        self.outline = outline
        self.group = group if group is not None else id(self)
        self.ink = ink

    def colour(self, x, y):
        return self.fill(x, y) if callable(self.fill) else self.fill

    def ink_colour(self, x, y):
        return self.ink if self.ink is not None else scale(self.colour(x, y), 0.22)


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry, fill, angle=0.0, **kw):
        super().__init__(fill, **kw)
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        r = math.radians(angle)
        self.co, self.si = math.cos(r), math.sin(r)
        ext = max(rx, ry)
        self.bbox = (cx - ext, cy - ext, cx + ext, cy + ext)

    def hit(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = (dx * self.co + dy * self.si) / self.rx
        v = (-dx * self.si + dy * self.co) / self.ry
        return u * u + v * v <= 1.0


class Ring(Shape):
    def __init__(self, cx, cy, r_outer, r_inner, fill, **kw):
        super().__init__(fill, **kw)
        self.cx, self.cy, self.ro, self.ri = cx, cy, r_outer, r_inner
        self.bbox = (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer)

    def hit(self, x, y):
        d2 = (x - self.cx) ** 2 + (y - self.cy) ** 2
        return self.ri * self.ri <= d2 <= self.ro * self.ro


class Polygon(Shape):
    def __init__(self, points, fill, **kw):
        super().__init__(fill, **kw)
        self.points = list(points)
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def hit(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Capsule(Shape):
    """A stroke from a to b whose radius tapers from ra to rb."""

    def __init__(self, a, b, ra, rb, fill, **kw):
        super().__init__(fill, **kw)
        self.a, self.b, self.ra, self.rb = a, b, ra, rb
        r = max(ra, rb)
        self.bbox = (min(a[0], b[0]) - r, min(a[1], b[1]) - r,
                     max(a[0], b[0]) + r, max(a[1], b[1]) + r)
        dx, dy = b[0] - a[0], b[1] - a[1]
        self.len2 = dx * dx + dy * dy or 1e-9

    def hit(self, x, y):
        ax, ay = self.a
        dx, dy = self.b[0] - ax, self.b[1] - ay
        t = clamp(((x - ax) * dx + (y - ay) * dy) / self.len2, 0.0, 1.0)
        px, py = ax + dx * t - x, ay + dy * t - y
        r = self.ra + (self.rb - self.ra) * t
        return px * px + py * py <= r * r


class Sprite:
    """Rendered pixels: colour rows of (r, g, b) floats and coverage in 0..1."""

    def __init__(self, width, height, colours, coverage):
        self.width, self.height = width, height
        self.colours, self.coverage = colours, coverage

    def opaque(self, x, y):
        return self.coverage[y][x] >= 0.5

    def mirrored(self):
        return Sprite(self.width, self.height,
                      [list(reversed(r)) for r in self.colours],
                      [list(reversed(r)) for r in self.coverage])

    def on_background(self, background):
        """Hard-edged rows of byte triples; background where not opaque."""
        return [[to_bytes(self.colours[y][x]) if self.opaque(x, y) else background
                 for x in range(self.width)] for y in range(self.height)]

    def transparency(self):
        return [[not self.opaque(x, y) for x in range(self.width)]
                for y in range(self.height)]


def render(shapes, width, height, ss=4, transform=None, ink_width=1.0, hard=False):
    transform = transform or Affine()
    inv = transform.inverse()
    hw, hh = width * ss, height * ss
    # Canvas-space row ranges of every shape, so each row tests only a few.
    spans = []
    for k, s in enumerate(shapes):
        x0, y0, x1, y1 = s.bbox
        corners = [transform.apply(px, py) for px in (x0, x1) for py in (y0, y1)]
        cx0 = min(c[0] for c in corners) * ss - 1
        cx1 = max(c[0] for c in corners) * ss + 1
        cy0 = min(c[1] for c in corners) * ss - 1
        cy1 = max(c[1] for c in corners) * ss + 1
        spans.append((k, cx0, cx1, cy0, cy1))
    ids = [[-1] * hw for _ in range(hh)]
    model = [[None] * hw for _ in range(hh)]
    for j in range(hh):
        row_shapes = [(k, cx0, cx1) for (k, cx0, cx1, cy0, cy1) in reversed(spans)
                      if cy0 <= j <= cy1]
        if not row_shapes:
            continue
        cy = (j + 0.5) / ss
        ids_row, model_row = ids[j], model[j]
        for i in range(hw):
            hits = [k for (k, cx0, cx1) in row_shapes if cx0 <= i <= cx1]
            if not hits:
                continue
            x, y = inv.apply((i + 0.5) / ss, cy)
            for k in hits:
                if shapes[k].hit(x, y):
                    ids_row[i] = k
                    model_row[i] = (x, y)
                    break
    reach = max(1, int(round(ink_width * ss)))

    def inked(i, j, k):
        group = shapes[k].group
        for di, dj in ((reach, 0), (-reach, 0), (0, reach), (0, -reach)):
            ni, nj = i + di, j + dj
            if not (0 <= ni < hw and 0 <= nj < hh):
                return True
            n = ids[nj][ni]
            if n == -1 or (n < k and shapes[n].group != group):
                return True
        return False

    colours = [[(0.0, 0.0, 0.0)] * width for _ in range(height)]
    coverage = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            # Samples grouped by what they show (shape, and ink or fill).
            groups = {}
            n = 0
            for j in range(y * ss, y * ss + ss):
                for i in range(x * ss, x * ss + ss):
                    k = ids[j][i]
                    if k < 0:
                        continue
                    s = shapes[k]
                    mx, my = model[j][i]
                    ink = s.outline and inked(i, j, k)
                    c = s.ink_colour(mx, my) if ink else s.colour(mx, my)
                    g = groups.setdefault((k, ink), [0, 0.0, 0.0, 0.0])
                    g[0] += 1
                    g[1] += c[0]
                    g[2] += c[1]
                    g[3] += c[2]
                    n += 1
            if n:
                if hard:
                    # Pixel art: the pixel shows only what covers most of it.
                    chosen = [max(groups.values(), key=lambda g: g[0])]
                else:
                    chosen = groups.values()
                m = sum(g[0] for g in chosen)
                colours[y][x] = (sum(g[1] for g in chosen) / m,
                                 sum(g[2] for g in chosen) / m,
                                 sum(g[3] for g in chosen) / m)
                coverage[y][x] = n / (ss * ss)
    return Sprite(width, height, colours, coverage)
