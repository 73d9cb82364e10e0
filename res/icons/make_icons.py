#!/usr/bin/env python3
"""Draws VEXAL's icons and writes them as .ico files beside this script.

Each picture is a list of layers (shape, paint) in a 32 x 32 design space,
y pointing down. A shape is a predicate on a point; a paint is an RGBA tuple
or a function of the point giving one. Every pixel averages a grid of
samples, which anti-aliases the edges. Each .ico holds a 32 x 32 and a
16 x 16 image as 32-bit BGRA DIBs with an AND mask.

Standard library only; the output is byte-for-byte reproducible.
Run: python3 make_icons.py
"""
import math
import os
import struct

# ---- shapes ---------------------------------------------------------------


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry, deg=0.0):
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))

    def inside(x, y):
        u, v = (x - cx) * c + (y - cy) * s, (y - cy) * c - (x - cx) * s
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1
    return inside


def poly(pts):
    def inside(x, y):
        hit = False
        for (x1, y1), (x2, y2) in zip(pts, pts[1:] + pts[:1]):
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def path(pts, w):
    """A stroke of width w along the points, with round ends and joints."""
    def inside(x, y):
        for (x1, y1), (x2, y2) in zip(pts, pts[1:]):
            dx, dy = x2 - x1, y2 - y1
            t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
            if (x - x1 - t * dx) ** 2 + (y - y1 - t * dy) ** 2 <= w * w / 4:
                return True
        return False
    return inside


def star(cx, cy, radii, rot=0.0):
    """Points alternate between the radii in turn, evenly spread round."""
    n = len(radii)
    return poly([(cx + r * math.sin(math.radians(rot + 360 * i / n)),
                  cy - r * math.cos(math.radians(rot + 360 * i / n)))
                 for i, r in enumerate(radii)])


def teardrop(cx, cy, r, height):
    """Round at the bottom (centre cx, cy, radius r), pointed at the top."""
    pts = []
    for i in range(48):
        t = 2 * math.pi * i / 48
        pts.append((cx + r * math.sin(t) * math.sin(t / 2),
                    cy + r - (height / 2) * (1 + math.cos(t))))
    return poly(pts)


def arc_points(cx, cy, r, a0, a1, n=16):
    """Points on a circle, angles in degrees clockwise from 3 o'clock."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def both(f, g):
    return lambda x, y: f(x, y) and g(x, y)


def rotated(layers, deg, cx=16, cy=16):
    """Turns whole layers (shapes and paints) by deg about (cx, cy)."""
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))

    def back(fn):
        return lambda x, y: fn(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c)
    return [(back(shape), back(paint) if callable(paint) else paint) for shape, paint in layers]

# ---- paints ---------------------------------------------------------------


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def ball(cx, cy, r, light, dark):
    """Sphere shading: light at the upper left, dark at the lower right."""
    hx, hy = cx - 0.45 * r, cy - 0.45 * r
    return lambda x, y: mix(light, dark, math.hypot(x - hx, y - hy) / (1.45 * r)) + (255,)


def vertical(y0, y1, top, bottom):
    return lambda x, y: mix(top, bottom, (y - y0) / (y1 - y0)) + (255,)


def across(x0, x1, edge, middle):
    """Cylinder shading across x: bright a third of the way in."""
    return lambda x, y: mix(middle, edge, abs((x - x0) / (x1 - x0) - 0.35) * 2.2) + (255,)


BLACK = (12, 12, 16, 255)
WHITE = (255, 255, 255, 255)
SHINE = (255, 255, 255, 150)
FUSE = (214, 180, 110, 255)
CAP = (120, 124, 132, 255)

# ---- pieces ---------------------------------------------------------------


def spark(cx, cy, size=1.0):
    return [(star(cx, cy, [4.6 * size, 1.8 * size] * 6, 15), (255, 120, 0, 255)),
            (star(cx, cy, [3.4 * size, 1.3 * size] * 5), (255, 226, 40, 255)),
            (circle(cx, cy, 1.1 * size), WHITE)]


def flame(cx, cy, size=1.0):
    return [(teardrop(cx, cy, 3.0 * size, 9 * size), (230, 40, 20, 255)),
            (teardrop(cx, cy + 0.8 * size, 2.0 * size, 6 * size), (255, 150, 0, 255)),
            (teardrop(cx, cy + 1.5 * size, 1.1 * size, 3.5 * size), (255, 236, 120, 255))]


def bomb(light, dark, top=None, fuse=((23, 8.5), (25, 5.5), (28, 4.5))):
    """Round bomb with fuse cap and fuse; top is drawn at the fuse's end."""
    layers = [
        (circle(14, 19, 12), BLACK),
        (circle(14, 19, 11), ball(14, 19, 11, light, dark)),
        (poly([(17.5, 9.5), (22.5, 4.5), (27, 9), (22, 14)]), BLACK),
        (poly([(18.6, 9.6), (22.5, 5.7), (25.8, 9), (21.9, 12.9)]), CAP),
        (path(list(fuse), 1.8), FUSE),
        (ellipse(9.5, 13.5, 3.2, 1.9, -45), SHINE),
    ]
    return layers + (top or [])


def stick(x0, x1, y0, y1, band=True):
    """An upright dynamite stick."""
    layers = [(rect(x0 - 0.8, y0 - 0.8, x1 + 0.8, y1 + 0.8), BLACK),
              (rect(x0, y0, x1, y1), across(x0, x1, (120, 10, 10), (240, 70, 60)))]
    if band:
        mid = (y0 + y1) / 2
        layers.append((rect(x0, mid - 2, x1, mid + 2), across(x0, x1, (170, 150, 110), (250, 240, 210))))
    return layers

# ---- the pictures ---------------------------------------------------------


def question(cx, cy, colour):
    """A question mark, its hook centred on (cx, cy)."""
    hook = arc_points(cx, cy, 4.5, 190, 420) + [(cx + 0.3, cy + 6.5), (cx, cy + 8)]
    return [(path(hook, 3.2), colour), (circle(cx, cy + 12, 1.9), colour)]


def burst():
    """Explosion: ragged rings of red, orange and yellow."""
    return [(star(16, 16, [15.5, 9, 14, 8, 15.5, 7.5, 13, 9, 15, 8.5, 13.5, 7.5,
                           15.5, 9, 14, 8, 15, 7.5, 13.5, 8.5, 15.5, 8, 14, 9]), (120, 0, 0, 255)),
            (star(16, 16, [14, 8, 12.5, 7, 14, 6.5, 11.5, 8, 13.5, 7.5, 12, 6.5,
                           14, 8, 12.5, 7, 13.5, 6.5, 12, 7.5, 14, 7, 12.5, 8]), (225, 30, 20, 255)),
            (star(16, 16, [10, 5.5, 9, 5, 10.5, 5.5, 8.5, 5] * 3, 10), (255, 140, 0, 255)),
            (star(16, 16, [6.5, 3.5, 5.5, 3.5] * 4, 20), (255, 230, 60, 255)),
            (circle(16, 16, 2.6), WHITE)]


def dynamite():
    """One dynamite stick, tilted, fuse lit."""
    layers = stick(12, 20, 9, 29) + [
        (ellipse(16, 9, 4, 1.6), (90, 10, 10, 255)),
        (path([(16, 9), (16.5, 5.5), (19, 3.5), (21.5, 3.5)], 1.6), FUSE)]
    return rotated(layers, 28) + spark(26.5, 4.8, 0.95)


def clock():
    """Alarm clock, the timer of a time bomb."""
    bells = []
    for x in (7.5, 24.5):
        bells += [(circle(x, 7.5, 4.6), BLACK),
                  (circle(x, 7.5, 3.6), ball(x, 7.5, 3.6, (255, 230, 120), (200, 140, 0)))]
    face = circle(16, 18, 9.2)
    return bells + [
        (path([(10, 26), (6.5, 30)], 2.6), BLACK), (path([(22, 26), (25.5, 30)], 2.6), BLACK),
        (circle(16, 18, 12.5), BLACK),
        (circle(16, 18, 11.5), ball(16, 18, 11.5, (255, 110, 90), (150, 0, 0))),
        (face, vertical(8, 28, (255, 255, 255), (205, 210, 220))),
    ] + [(circle(16 + 7.2 * math.cos(a), 18 + 7.2 * math.sin(a), 1.0), BLACK)
         for a in (0, math.pi / 2, math.pi, 3 * math.pi / 2)] + [
        (path([(16, 18), (16, 11.5)], 1.9), BLACK),
        (path([(16, 18), (21, 20.5)], 1.9), BLACK),
        (path([(16, 18), (11, 22.5)], 0.9), (220, 0, 0, 255)),
        (circle(16, 18, 1.4), (220, 0, 0, 255))]


def sea_mine():
    """Round mine with contact horns."""
    layers = []
    for i in range(8):
        a = math.radians(22.5 + 45 * i)
        tip = (16 + 13 * math.cos(a), 17 + 13 * math.sin(a))
        layers += [(path([(16, 17), tip], 3.6), BLACK), (path([(16, 17), tip], 2.2), (150, 160, 150, 255)),
                   (circle(tip[0], tip[1], 2.1), BLACK), (circle(tip[0], tip[1], 1.4), (250, 210, 40, 255))]
    return layers + [(circle(16, 17, 10.5), BLACK),
                     (circle(16, 17, 9.5), ball(16, 17, 9.5, (120, 190, 110), (10, 60, 20))),
                     (both(circle(16, 17, 9.5), rect(0, 16, 32, 18)), (20, 50, 25, 255)),
                     (ellipse(12, 12.5, 2.6, 1.6), SHINE)]


def sparkle():
    """A fuse spark on its own, with flying embers."""
    return [(circle(16, 16, 9), (255, 160, 0, 70)), (circle(16, 16, 5.5), (255, 220, 60, 140)),
            (star(16, 16, [15.5, 2.2] * 4), (255, 235, 90, 255)),
            (star(16, 16, [10, 1.8] * 4, 45), (255, 170, 20, 255)),
            (star(16, 16, [7, 1.6] * 8, 22.5), (255, 250, 200, 255)),
            (circle(16, 16, 2.4), WHITE)] + [
        (circle(x, y, 1.2), (255, 200, 40, 255)) for x, y in ((5, 6), (27, 26), (26, 7), (6, 25))]


def bundle():
    """Three dynamite sticks strapped together, one lit fuse."""
    fuses = [(path(pts, 1.5), FUSE) for pts in ([(8.5, 12), (11, 8), (16, 6)], [(16, 10), (16, 6)],
                                               [(23.5, 12), (21, 8), (16, 6)], [(16, 6), (18.5, 3.5)])]
    sticks = stick(5.5, 11.5, 12, 30, False) + stick(19.5, 25.5, 12, 30, False) + stick(12.5, 19.5, 10, 29, False)
    strap = rect(4.7, 19.5, 26.3, 22.5)
    return (fuses + sticks + [(strap, BLACK), (both(strap, rect(0, 20.3, 32, 21.7)), (90, 90, 96, 255))]
            + spark(19.5, 3.5, 0.8))


def mushroom():
    """Mushroom cloud over its dust ring."""
    cap = [circle(9.5, 11, 6.2), circle(16, 8.5, 7.5), circle(22.5, 11, 6.2), ellipse(16, 13.5, 12.5, 4.5)]
    stem = poly([(13, 14), (19, 14), (21.5, 28), (10.5, 28)])
    return [(ellipse(16, 28.5, 14, 3.2), vertical(25, 32, (200, 110, 60), (110, 60, 40))),
            (stem, across(10.5, 21.5, (150, 60, 30), (250, 170, 80))),
            (ellipse(16, 20, 7, 2), (255, 200, 120, 255))] + [
        (c, vertical(1, 18, (255, 230, 120), (190, 40, 20))) for c in cap] + [
        (ellipse(12, 6.5, 3, 1.6), (255, 250, 210, 170))]


def grenade():
    """Hand grenade with lever and pull ring."""
    body = ellipse(15, 20, 8.5, 10)
    grooves = ([rect(0, y - 0.45, 32, y + 0.45) for y in (15, 20, 25)]
               + [rect(x - 0.45, 0, x + 0.45, 32) for x in (11, 15, 19)])
    return [(ellipse(15, 20, 9.5, 11), BLACK),
            (body, ball(15, 20, 10, (160, 175, 90), (40, 55, 20)))] + [
        (both(body, g), (30, 40, 15, 200)) for g in grooves] + [
        (rect(10.5, 5, 19.5, 10.5), BLACK),
        (rect(11.5, 6, 18.5, 9.5), vertical(6, 10, (200, 200, 205), (110, 110, 120))),
        (poly([(17, 5), (25.5, 7), (25, 20), (23.5, 20), (23, 9), (17, 7.5)]), (80, 80, 88, 255)),
        (path(arc_points(8, 6.5, 3.2, 0, 360, 24), 1.3), (90, 90, 96, 255))]


def aerial():
    """Falling aerial bomb with tail fins."""
    fins = poly([(2, 10), (5, 10), (10.5, 14.5), (10.5, 17.5), (5, 22), (2, 22), (4.8, 16)])
    layers = [(poly([(1, 9), (5, 9), (11, 14), (11, 18), (5, 23), (1, 23), (4, 16)]), BLACK),
              (fins, (110, 120, 130, 255)),
              (ellipse(17.5, 16, 12.5, 6.4), BLACK),
              (ellipse(17.5, 16, 11.5, 5.4), vertical(10.6, 21.4, (215, 222, 230), (70, 80, 95)))]
    band = both(ellipse(17.5, 16, 11.5, 5.4), rect(20, 0, 22.5, 32))
    return rotated(layers + [(band, (210, 30, 20, 255)), (ellipse(16, 13.3, 6, 1.2), SHINE)], 40)


def fire():
    """A tall flame."""
    return [(teardrop(16, 18, 11, 30), (120, 10, 0, 255)),
            (teardrop(16, 18.5, 10, 27), (225, 35, 15, 255)),
            (teardrop(16, 20.5, 7.5, 20), (255, 140, 0, 255)),
            (teardrop(16, 23, 4.8, 12), (255, 230, 90, 255)),
            (teardrop(16, 25, 2.4, 6), (255, 255, 225, 255))]


def unknown():
    """Grey dud with a question mark; also stands for unknown pictures."""
    grey = ((200, 200, 205), (120, 120, 128))
    return bomb(*grey, fuse=((23, 8.5), (25, 6), (24, 3.5))) + question(14, 14.5, (40, 60, 140, 255))


# The application icon, then pictures 0 to 13 in order (picture k goes to
# picture<kk>.ico, which the resource script binds to IDI_PICTURE<k>).
APP = bomb((110, 110, 130), (10, 10, 16), spark(28.5, 4))
PICTURES = [
    bomb((120, 120, 135), (8, 8, 14), fuse=((23, 8.5), (25.5, 5), (28.5, 5.5), (29, 8.5), (27, 9.5))),
    bomb((255, 120, 110), (120, 0, 0), spark(28.5, 4)),
    burst(),
    dynamite(),
    clock(),
    sea_mine(),
    bomb((120, 170, 255), (0, 20, 100), flame(28.2, 4.8, 0.75), fuse=((23, 8.5), (25.5, 6), (28, 6.2))),
    sparkle(),
    bundle(),
    mushroom(),
    grenade(),
    aerial(),
    fire(),
    unknown(),
]

# ---- rendering and the .ico format ----------------------------------------


def render(layers, size, grid=6):
    """Rows of straight-alpha (r, g, b, a), top row first."""
    scale = 32 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(grid):
                for sx in range(grid):
                    x = (px + (sx + 0.5) / grid) * scale
                    y = (py + (sy + 0.5) / grid) * scale
                    r = g = b = a = 0.0  # premultiplied, painted bottom layer first
                    for shape, paint in layers:
                        if shape(x, y):
                            c = paint(x, y) if callable(paint) else paint
                            k = c[3] / 255
                            r, g, b, a = (c[0] * k + r * (1 - k), c[1] * k + g * (1 - k),
                                          c[2] * k + b * (1 - k), k + a * (1 - k))
                    acc = [acc[0] + r, acc[1] + g, acc[2] + b, acc[3] + a]
            n = grid * grid
            alpha = acc[3] / n
            if alpha < 1 / 255:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, round(v / n / alpha)) for v in acc[:3]) + (round(alpha * 255),))
        rows.append(row)
    return rows


def dib(rows):
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    pixels, mask = bytearray(), bytearray()
    for row in reversed(rows):  # DIBs run bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
        bits = 0
        for x, px in enumerate(row):
            if px[3] == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def write_ico(path_name, layers):
    images = [dib(render(layers, s)) for s in (32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path_name, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "app.ico"), APP)
    for i, layers in enumerate(PICTURES):
        write_ico(os.path.join(here, "picture%02d.ico" % i), layers)
