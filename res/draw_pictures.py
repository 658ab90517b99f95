#!/usr/bin/env python3
"""Draws the program's pictures and writes them into res/.

The application icon (KelTovrel.ico) and the five 16 x 16 pictures of the
add button and the tray menu are drawn here from simple shapes, so that they
can be changed and drawn again at any time. The written files are kept in
the repository as well: the build takes them as they are and needs no Python.

    python3 res/draw_pictures.py                  # rewrite the files in res/
    python3 res/draw_pictures.py --preview DIR    # also write enlarged PNG previews

Only the standard library is used. Shapes are tests "is this point inside?";
each pixel is sampled on a grid of sub-pixel points (supersampling), which
gives the edges their antialiasing. Coordinates are in pixels, with pixel
(i, j) covering the square [i, i+1) x [j, j+1); edges put on whole numbers
stay sharp, which is what keeps the small pictures crisp.
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- shapes --

class Shape:
    """A point test with a bounding box (x0, y0, x1, y1)."""

    def __init__(self, inside, box):
        self.inside = inside
        self.box = box

    def __or__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) or b(x, y),
                     (min(self.box[0], other.box[0]), min(self.box[1], other.box[1]),
                      max(self.box[2], other.box[2]), max(self.box[3], other.box[3])))

    def __sub__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) and not b(x, y), self.box)

    def __and__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) and b(x, y),
                     (max(self.box[0], other.box[0]), max(self.box[1], other.box[1]),
                      min(self.box[2], other.box[2]), min(self.box[3], other.box[3])))


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def rrect(x0, y0, x1, y1, r):
    """Rectangle with corners rounded to radius r."""
    if r <= 0:
        return rect(x0, y0, x1, y1)

    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return Shape(inside, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                 (cx - r, cy - r, cx + r, cy + r))


def stroke(ax, ay, bx, by, width):
    """A straight stroke with round ends."""
    h = width / 2.0
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= h * h

    return Shape(inside, (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def gear(cx, cy, teeth, r_root, r_tip, r_hole, half_width, turn=0.0):
    """A cog wheel: a disc of radius r_root with teeth of half width
    half_width reaching out to r_tip, and a hole of radius r_hole."""
    period = 2 * math.pi / teeth

    def inside(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy)
        if d > r_tip or d < r_hole:
            return False
        if d <= r_root:
            return True
        # Distance from the axis of the nearest tooth: teeth keep their width.
        a = (math.atan2(dy, dx) - turn) % period
        a = min(a, period - a)
        return d * math.sin(a) <= half_width

    return Shape(inside, (cx - r_tip, cy - r_tip, cx + r_tip, cy + r_tip))


# ---------------------------------------------------------------- canvas --

def rgba(hex_colour, alpha=255):
    v = int(hex_colour.lstrip('#'), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, alpha)


def vertical(top, bottom, y0, y1):
    """A colour that runs from top at y0 to bottom at y1."""
    def colour(x, y):
        t = 0.0 if y1 == y0 else max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


class Canvas:
    """An RGBA picture, kept with premultiplied alpha in floats 0..1."""

    def __init__(self, width, height, samples=8):
        self.width = width
        self.height = height
        self.samples = samples
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def coverage(self, shape):
        """Each pixel the shape touches, with the share of its samples inside the shape."""
        n = self.samples
        offsets = [(i + 0.5) / n for i in range(n)]
        x0 = max(0, int(math.floor(shape.box[0])))
        y0 = max(0, int(math.floor(shape.box[1])))
        x1 = min(self.width, int(math.ceil(shape.box[2])) + 1)
        y1 = min(self.height, int(math.ceil(shape.box[3])) + 1)
        inside = shape.inside
        for j in range(y0, y1):
            for i in range(x0, x1):
                hits = sum(1 for oy in offsets for ox in offsets if inside(i + ox, j + oy))
                if hits:
                    yield i, j, hits / (n * n)

    def fill(self, shape, colour):
        for i, j, share in self.coverage(shape):
            c = colour(i + 0.5, j + 0.5) if callable(colour) else colour
            a = c[3] / 255.0 * share
            p = self.px[j * self.width + i]
            keep = 1.0 - a
            p[0] = c[0] / 255.0 * a + p[0] * keep
            p[1] = c[1] / 255.0 * a + p[1] * keep
            p[2] = c[2] / 255.0 * a + p[2] * keep
            p[3] = a + p[3] * keep

    def clear(self, shape):
        """Punches shape out of what is drawn (to transparent)."""
        for i, j, share in self.coverage(shape):
            keep = 1.0 - share
            self.px[j * self.width + i] = [v * keep for v in self.px[j * self.width + i]]

    def bytes_rows(self, premultiplied):
        """Rows top to bottom, each a list of (r, g, b, a) bytes."""
        rows = []
        for j in range(self.height):
            row = []
            for i in range(self.width):
                r, g, b, a = self.px[j * self.width + i]
                A = int(round(a * 255))
                if A == 0:
                    row.append((0, 0, 0, 0))
                    continue
                if premultiplied:
                    # Rounded from the same alpha byte so that no channel exceeds it.
                    f = A / 255.0 / a
                    row.append(tuple(min(A, int(round(v * 255 * f))) for v in (r, g, b)) + (A,))
                else:
                    row.append(tuple(min(255, int(round(v / a * 255))) for v in (r, g, b)) + (A,))
            rows.append(row)
        return rows


# --------------------------------------------------------------- writers --

def png_bytes(rows):
    """PNG, 8-bit RGBA, from rows of straight-alpha (r, g, b, a)."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw.extend(px)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def dib_pixels(rows):
    """32-bit BGRA pixel data, bottom row first."""
    out = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            out.extend((b, g, r, a))
    return bytes(out)


def bmp_bytes(canvas):
    """A 32-bit BI_RGB bottom-up BMP file with premultiplied alpha, as the
    program draws it with AlphaBlend and as menus show it."""
    rows = canvas.bytes_rows(premultiplied=True)
    pixels = dib_pixels(rows)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 32, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def ico_image(canvas):
    """One image of an icon file: PNG for 256 x 256, a 32-bit DIB otherwise."""
    rows = canvas.bytes_rows(premultiplied=False)
    if canvas.width >= 256:
        return png_bytes(rows)
    pixels = dib_pixels(rows)
    mask_stride = ((canvas.width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for i, px in enumerate(row):
            if px[3] == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask.extend(line)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height * 2, 1, 32, 0,
                       len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + bytes(mask)


def ico_bytes(canvases):
    images = [ico_image(c) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.width % 256, c.height % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


# -------------------------------------------------------------- pictures --

# Colours shared by the pictures.
INK = rgba('#26344f')            # outlines of the window
TITLE_TOP = rgba('#4a8ae6')
TITLE_BOTTOM = rgba('#2460c4')
PAGE = rgba('#ffffff')
ROW = rgba('#8f9db5')            # a list entry
ROW_HOVER = rgba('#cfe2fb')      # the entry under the pointer
FOLDER_INK = rgba('#9a6a0c')
FOLDER_BACK = rgba('#e7a928')
FOLDER_FRONT_TOP = rgba('#ffdb6e')
FOLDER_FRONT_BOTTOM = rgba('#f6bd3a')


def draw_folder(c, x0, y0, x1, y1, line, tab_width, tab_height, radius):
    """A closed yellow folder filling the box, its outline 'line' pixels wide."""
    t = line
    inner = max(0, radius - t)
    # The tab runs down the whole left side so that it joins the body smoothly.
    tab = rrect(x0, y0, x0 + tab_width, y1, radius)
    body = rrect(x0, y0 + tab_height, x1, y1, radius)
    c.fill(tab | body, FOLDER_INK)
    c.fill(rrect(x0 + t, y0 + t, x0 + tab_width - t, y1 - t, inner)
           | rrect(x0 + t, y0 + tab_height + t, x1 - t, y1 - t, inner),
           FOLDER_BACK)
    # The front flap: a lighter face over the lower part, edged on top.
    front_top = y0 + tab_height + t + max(1, math.floor((y1 - y0 - tab_height) * 0.22 + 0.5))
    c.fill(rect(x0 + t, front_top, x1 - t, front_top + t), FOLDER_INK)
    c.fill(rrect(x0 + t, front_top + t, x1 - t, y1 - t, inner),
           vertical(FOLDER_FRONT_TOP, FOLDER_FRONT_BOTTOM, front_top + t, y1 - t))


def draw_app_icon(size):
    """The product's mark: a narrow window listing entries, with a folder."""
    c = Canvas(size, size, samples=8 if size <= 48 else 4)
    k = size / 16.0

    def e(v):
        """An edge in the 16-pixel design, snapped to the pixel grid."""
        return float(math.floor(v * k + 0.5))

    # Outline width: bold in the small images, finer in the large one.
    line = max(1.0, float(math.floor(k * (0.85 if size <= 48 else 0.55) + 0.5)))
    radius = 0.0 if size <= 16 else max(1.0, float(math.floor(k * 0.9 + 0.5)))

    # The window: tall and narrow, with its title strip.
    wx0, wy0, wx1, wy1 = e(1), e(0), e(12), e(15)
    title_h = e(4) - e(0)
    inner = max(0, radius - line)
    c.fill(rrect(wx0, wy0, wx1, wy1, radius), INK)
    c.fill(rrect(wx0 + line, wy0 + line, wx1 - line, wy1 - line, inner), PAGE)
    c.fill(rrect(wx0 + line, wy0 + line, wx1 - line, wy0 + title_h + inner, inner)
           & rect(wx0, wy0, wx1, wy0 + title_h),
           vertical(TITLE_TOP, TITLE_BOTTOM, wy0 + line, wy0 + title_h))
    if size >= 32:
        # The minimise button "_" at the right end of the strip.
        c.fill(rect(wx1 - line - e(3.2), wy0 + title_h - e(1.6),
                    wx1 - line - e(1.2), wy0 + title_h - e(1.6) + line), PAGE)

    # Entries of the list, of different lengths; the second is under the pointer.
    row_h = max(1.0, e(1))
    step = e(2)
    left = wx0 + line + max(1.0, e(1))
    right = wx1 - line - max(1.0, e(1))
    first = wy0 + title_h + (1.0 if size <= 16 else e(1.5))
    for n, share in enumerate((1.0, 0.75, 0.9, 0.6, 0.8)):
        y = first + n * step
        if y + row_h > wy1 - line - 1:
            break
        if n == 1 and size >= 24:
            pad = max(1.0, float((step - row_h) // 2))
            c.fill(rect(wx0 + line, y - pad, wx1 - line, y + row_h + pad), ROW_HOVER)
        end = left + math.floor((right - left) * share + 0.5)
        c.fill(rrect(left, y, end, y + row_h, 0 if size < 48 else row_h / 2), ROW)

    # The folder in front of the window's lower right corner.
    fx0, fy0, fx1, fy1 = e(6), e(8), e(16), e(15)
    if size >= 32:
        # A thin transparent gap parts the folder from the window behind it.
        gap = max(1.0, float(math.floor(k * 0.5 + 0.5)))
        c.clear(rrect(fx0 - gap, fy0 - gap, fx1 + gap, fy1 + gap, radius + gap))
    draw_folder(c, fx0, fy0, fx1, fy1, line, tab_width=e(10) - e(6),
                tab_height=max(1.0, e(9.3) - e(8)), radius=radius)
    return c


def draw_add_directory():
    """A folder with a green plus: adds the typed directory to the list."""
    c = Canvas(16, 16)
    draw_folder(c, 0, 2, 14, 14, 1, tab_width=6, tab_height=2, radius=1)
    green_ink, green = rgba('#1d6b1f'), rgba('#3cb43a')
    cx, cy, arm, half = 11.5, 11.5, 3.5, 1.5
    c.fill(rect(cx - arm - 1, cy - half - 1, cx + arm + 1, cy + half + 1)
           | rect(cx - half - 1, cy - arm - 1, cx + half + 1, cy + arm + 1), green_ink)
    c.fill(rect(cx - arm, cy - half, cx + arm, cy + half)
           | rect(cx - half, cy - arm, cx + half, cy + arm), green)
    return c


def draw_settings():
    """A grey cog wheel."""
    c = Canvas(16, 16)
    cx = cy = 8
    c.fill(gear(cx, cy, 8, 5.3, 7.8, 2.3, 1.45, turn=math.pi / 8),
           vertical(rgba('#5d6c84'), rgba('#36425a'), 0.5, 15.5))
    # A lighter ring round the hole gives the wheel some relief.
    c.fill(circle(cx, cy, 4.2) - circle(cx, cy, 2.3),
           vertical(rgba('#c3ccdb'), rgba('#8592a9'), 3.8, 12.2))
    return c


def draw_about():
    """A white "i" in a blue disc: opens the read-me."""
    c = Canvas(16, 16)
    c.fill(circle(8, 8, 7.5), rgba('#174f9e'))
    c.fill(circle(8, 8, 6.5), vertical(rgba('#5a9cf0'), rgba('#2463c7'), 1.5, 14.5))
    c.fill(circle(8, 4.6, 1.25), PAGE)
    c.fill(rect(7, 7, 9, 12), PAGE)
    c.fill(rect(6, 7, 7, 8), PAGE)
    c.fill(rect(6, 11, 10, 12), PAGE)
    return c


def draw_close():
    """A red cross: ends the program."""
    c = Canvas(16, 16)
    a, b = 3.5, 12.5
    c.fill(stroke(a, a, b, b, 4.4) | stroke(a, b, b, a, 4.4), rgba('#a8231d'))
    c.fill(stroke(a, a, b, b, 3.0) | stroke(a, b, b, a, 3.0),
           vertical(rgba('#ff7b6f'), rgba('#de2f27'), 2, 14))
    return c


# ------------------------------------------------------------------ main --

def preview(canvas, scale):
    """Rows for a PNG that shows the picture enlarged over a checkerboard."""
    rows = canvas.bytes_rows(premultiplied=True)
    out = []
    for j in range(canvas.height * scale):
        row = []
        for i in range(canvas.width * scale):
            r, g, b, a = rows[j // scale][i // scale]
            bg = 236 if ((i // 8) + (j // 8)) % 2 else 208
            row.append((r + bg * (255 - a) // 255, g + bg * (255 - a) // 255,
                        b + bg * (255 - a) // 255, 255))
        out.append(row)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--preview', metavar='DIR',
                        help='also write enlarged PNG previews into DIR')
    args = parser.parse_args()

    icon_sizes = (16, 24, 32, 48, 256)
    icons = [draw_app_icon(s) for s in icon_sizes]
    pictures = {
        'add_directory': draw_add_directory(),
        'menu_title': icons[0],
        'menu_settings': draw_settings(),
        'menu_about': draw_about(),
        'menu_close': draw_close(),
    }

    with open(os.path.join(HERE, 'KelTovrel.ico'), 'wb') as f:
        f.write(ico_bytes(icons))
    for name, canvas in pictures.items():
        with open(os.path.join(HERE, name + '.bmp'), 'wb') as f:
            f.write(bmp_bytes(canvas))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, canvas in list(pictures.items()) + [
                ('icon%d' % s, c) for s, c in zip(icon_sizes, icons)]:
            scale = 8 if canvas.width <= 48 else 2
            with open(os.path.join(args.preview, name + '.png'), 'wb') as f:
                f.write(png_bytes(preview(canvas, scale)))


if __name__ == '__main__':
    main()
