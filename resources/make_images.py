#!/usr/bin/env python3
"""Draws Orbalta's icons and the Info window's bitmap, pixel by pixel, with the standard library.

    resources/make_images.py [--preview DIR]

Writes icon104.ico, icon109.ico, icon110.ico, icon115.ico and bitmap113.bmp beside this script,
and the program's icon for desktop menus as hicolor/<size>/orbalta.png (the files are committed;
run this again only to change a picture). --preview also writes each picture as a PNG enlarged
eight times into DIR, to look at.

Each icon holds the size it is drawn at (4 or 8 bits per pixel, with an AND mask) and that
picture again at the sizes a desktop at 125 % to 200 % asks for, as 32-bit images with alpha;
the program's icon also at the sizes Explorer shows (16 to 256, the 256 one as PNG). Windows
and Qt's ico reader take them all. The bitmap is a 4-bit BMP.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of the classic Windows palette, in its order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, NAVY, GRAY, SILVER = VGA[0], VGA[1], VGA[4], VGA[8], VGA[7]
RED, BLUE, WHITE, YELLOW = VGA[9], VGA[12], VGA[15], VGA[11]


# ---- Glyphs: '#' is ink. Rows run from the top of a capital; a glyph's `top` says on which of
# those rows it starts, so lower-case letters and descenders sit on a common baseline. ----

def glyph(top, *rows):
    return (top, rows)


SMALL = {  # capitals 7 rows high, descenders 2 more
    '-': glyph(3, '###'),
    '+': glyph(1, '..#..', '..#..', '#####', '..#..', '..#..'),
    '.': glyph(6, '#'),
    '0': glyph(0, '.##.', '#..#', '#..#', '#..#', '#..#', '#..#', '.##.'),
    '1': glyph(0, '.#.', '##.', '.#.', '.#.', '.#.', '.#.', '###'),
    '3': glyph(0, '###.', '...#', '...#', '.##.', '...#', '...#', '###.'),
    'E': glyph(0, '####', '#...', '#...', '###.', '#...', '#...', '####'),
    'X': glyph(0, '#...#', '#...#', '.#.#.', '..#..', '.#.#.', '#...#', '#...#'),
    'u': glyph(2, '#..#', '#..#', '#..#', '#..#', '.###'),
    'l': glyph(0, '#.', '#.', '#.', '#.', '#.', '#.', '.#'),
    'p': glyph(2, '###.', '#..#', '#..#', '#..#', '###.', '#...', '#...'),
    'x': glyph(2, '#...#', '.#.#.', '..#..', '.#.#.', '#...#'),
    '(': glyph(0, '..#', '.#.', '#..', '#..', '#..', '#..', '#..', '.#.', '..#'),
    ')': glyph(0, '#..', '.#.', '..#', '..#', '..#', '..#', '..#', '.#.', '#..'),
}

TINY = {  # capitals 5 rows high, for the 16-pixel icon
    '-': glyph(2, '##'),
    '.': glyph(4, '#'),
    '0': glyph(0, '###', '#.#', '#.#', '#.#', '###'),
    '1': glyph(0, '.#', '##', '.#', '.#', '.#'),
    '3': glyph(0, '##', '.#', '##', '.#', '##'),
    'E': glyph(0, '##', '#.', '##', '#.', '##'),
}

MEDIUM = {  # capitals 9 rows high, x-height 6, descenders 2
    'D': glyph(0, '####..', '#...#.', '#....#', '#....#', '#....#', '#....#', '#....#',
               '#...#.', '####..'),
    'e': glyph(3, '.###.', '#...#', '#####', '#....', '#...#', '.###.'),
    's': glyph(3, '.####', '#....', '.###.', '....#', '....#', '####.'),
    'p': glyph(3, '####.', '#...#', '#...#', '#...#', '#...#', '####.', '#....', '#....'),
    'r': glyph(3, '#.##', '##..', '#...', '#...', '#...', '#...'),
}

BOLD = {  # two-pixel strokes: capitals and ascenders 11 rows high, x-height 8, descenders 3
    'F': glyph(0, '#######', '#######', '##.....', '##.....', '##.....', '######.', '######.',
               '##.....', '##.....', '##.....', '##.....'),
    'P': glyph(0, '######.', '#######', '##...##', '##...##', '##...##', '#######', '######.',
               '##.....', '##.....', '##.....', '##.....'),
    'u': glyph(3, '##...##', '##...##', '##...##', '##...##', '##...##', '##..###', '#######',
               '.###.##'),
    'l': glyph(0, '###', '.##', '.##', '.##', '.##', '.##', '.##', '.##', '.##', '.##', '.##'),
    'p': glyph(3, '######.', '#######', '##...##', '##...##', '##...##', '##...##', '#######',
               '######.', '##.....', '##.....', '##.....'),
    '?': glyph(0, '.######.', '########', '##....##', '......##', '......##', '....###.',
               '...###..', '...##...', '...##...', '........', '...##...', '...##...'),
}


def text_width(font, text, gap=1):
    return sum(len(font[c][1][0]) for c in text) + gap * (len(text) - 1)


class Canvas:
    """Pixels as RGB tuples; None is transparent."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x, y, w, h, colour):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.put(i, j, colour)

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.put(x, y, colour)

    def text(self, font, text, x, y, colour, gap=1, shadow=None):
        """Writes `text` with the top of its capitals on row y; returns the x after it."""
        for c in text:
            top, rows = font[c]
            for j, row in enumerate(rows):
                for i, ink in enumerate(row):
                    if ink == '#':
                        if shadow:
                            self.put(x + i + 1, y + top + j + 1, shadow)
                        self.put(x + i, y + top + j, colour)
            x += len(rows[0]) + gap
        return x

    def centred_text(self, font, text, cx, y, colour, gap=1, shadow=None):
        self.text(font, text, cx - text_width(font, text, gap) // 2, y, colour, gap, shadow)

    def rounded_box(self, x, y, w, h, radius, fill, border):
        """A filled box with rounded corners and a one-pixel border; outside stays as it was.
        `fill` may be a function of the row, for a gradient."""
        def inside(i, j):
            cx = min(max(i, x + radius), x + w - 1 - radius)
            cy = min(max(j, y + radius), y + h - 1 - radius)
            return (i - cx) ** 2 + (j - cy) ** 2 <= radius * radius + radius
        for j in range(y, y + h):
            for i in range(x, x + w):
                if not inside(i, j):
                    continue
                edge = not all(inside(i + di, j + dj) for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.put(i, j, border if edge else (fill(j) if callable(fill) else fill))

    def oval(self, cx, cy, rx, ry, fill, border, thickness):
        """An ellipse centred between pixels at (cx, cy) in pixel-corner coordinates."""
        for j in range(self.height):
            for i in range(self.width):
                dx, dy = (i + 0.5 - cx) / rx, (j + 0.5 - cy) / ry
                d = math.hypot(dx, dy)
                if d <= 1:
                    inner = math.hypot((i + 0.5 - cx) / (rx - thickness), (j + 0.5 - cy) / (ry - thickness))
                    self.put(i, j, fill if inner <= 1 else border)


# ---- The pictures ----

def icon104():
    """-1.E3 above the bit string 1101: the program's icon, 16 colours."""
    c = Canvas(32, 32)
    c.rounded_box(0, 0, 32, 32, 4, WHITE, NAVY)
    c.centred_text(SMALL, '-1.E3', 16, 4, NAVY)
    c.hline(4, 27, 13, SILVER)
    x = 3
    for bit in '1101':
        c.rect(x, 16, 7, 12, NAVY)
        c.rect(x + 1, 17, 5, 10, YELLOW if bit == '1' else WHITE)
        width = len(SMALL[bit][1][0])
        c.text(SMALL, bit, x + (7 - width) // 2, 19, RED if bit == '1' else BLUE)
        x += 6 + 1
    return c


def icon104_small():
    """The program's icon drawn again at 16 x 16, where halving the 32-pixel one would blur it.
    The minus sign has no gap before the 1; the 1's flag keeps them apart."""
    c = Canvas(16, 16)
    c.rounded_box(0, 0, 16, 16, 2, WHITE, NAVY)
    x = c.text(TINY, '-', 2, 2, NAVY, gap=0)
    c.text(TINY, '1.E3', x, 2, NAVY)
    x = 1
    for bit in '1101':
        width = len(TINY[bit][1][0])
        c.rect(x, 8, width + 2, 7, NAVY)
        c.rect(x + 1, 9, width, 5, YELLOW if bit == '1' else WHITE)
        c.text(TINY, bit, x + 1, 9, RED if bit == '1' else BLUE)
        x += width + 1
    return c


def gradient(top, bottom, y0, y1):
    def colour(y):
        t = (y - y0) / max(1, y1 - y0)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def question_icon(word, top, bottom, border):
    """A word in white over a yellow question mark on a shaded square, 256 colours."""
    c = Canvas(32, 32)
    c.rounded_box(0, 0, 32, 32, 5, gradient(top, bottom, 0, 31), border)
    shade = tuple(v // 3 for v in bottom)
    c.centred_text(BOLD, word, 16, 2, WHITE, shadow=shade)
    c.centred_text(BOLD, '?', 16, 17, (255, 220, 0), shadow=shade)
    return c


def icon109():
    return question_icon('FP', (110, 160, 255), (20, 50, 170), (10, 25, 90))


def icon110():
    return question_icon('ulp', (90, 200, 170), (0, 110, 90), (0, 60, 50))


def icon115():
    """The word Despre (about) in an oval frame, 48 x 48; outside the oval is transparent."""
    c = Canvas(48, 48)
    c.oval(24, 24, 23.5, 14, (255, 248, 210), (150, 20, 20), 2.2)
    x = 24 - text_width(MEDIUM, 'Despre') // 2
    c.text(MEDIUM, 'Despre', x, 19, (0, 0, 120))
    c.text(MEDIUM, 'Despre', x + 1, 19, (0, 0, 120))  # a second pass makes the strokes bold
    return c


def bitmap113():
    """A number line with X-, X and X+ and the spans ulp(x-) and ulp(x), 132 x 50, 16 colours.
    The gap below X is the smaller one, as it is when X is a power of two."""
    c = Canvas(132, 50, WHITE)
    axis = 22
    points = [(12, 'X-', BLACK), (52, 'X', BLUE), (118, 'X+', RED)]
    c.hline(2, 127, axis, BLACK)
    for k in range(1, 4):  # arrow head: the line goes on to larger numbers
        c.vline(128 - k, axis - k, axis + k, BLACK)
    c.vline(128, axis, axis, BLACK)
    for x, label, colour in points:
        c.centred_text(SMALL, label, x + 1, 7, colour)
        c.rect(x - 1, axis - 2, 3, 5, colour)  # the point on the line
        c.vline(x, axis + 3, axis + 9, colour)  # its tick below
    for (x0, _, _), (x1, _, _), label in zip(points, points[1:], ['ulp(x-)', 'ulp(x)']):
        y = axis + 6
        c.hline(x0 + 2, x1 - 2, y, GRAY)
        for k in (1, 2):  # arrow heads at both ends of the span
            c.vline(x0 + 1 + k, y - k, y + k, GRAY)
            c.vline(x1 - 1 - k, y - k, y + k, GRAY)
        c.centred_text(SMALL, label, (x0 + x1) // 2 + 1, axis + 12, NAVY)
    return c


# ---- Files ----

def palette_of(canvas, bits):
    if bits == 4:
        return list(VGA)
    colours = sorted({p for row in canvas.pixels for p in row if p is not None})
    if len(colours) > 256:
        raise ValueError('more than 256 colours')
    return colours + [(0, 0, 0)] * (256 - len(colours))


def dib(canvas, bits, with_mask):
    """A BITMAPINFOHEADER, its palette, the pixel rows bottom-up and (for icons) the AND mask."""
    palette = palette_of(canvas, bits)
    index = {colour: i for i, colour in reversed(list(enumerate(palette)))}
    w, h = canvas.width, canvas.height
    stride = ((w * bits + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(canvas.pixels):
        values = [0 if p is None else index[p] for p in row]
        if bits == 4:
            values += [0] * (len(values) % 2)
            line = bytes(values[i] << 4 | values[i + 1] for i in range(0, len(values), 2))
        else:
            line = bytes(values)
        pixels += line + bytes(stride - len(line))
    mask = bytearray()
    if with_mask:
        mask_stride = ((w + 31) // 32) * 4
        for row in reversed(canvas.pixels):
            line = bytearray(mask_stride)
            for i, p in enumerate(row):
                if p is None:
                    line[i // 8] |= 0x80 >> (i % 8)
            mask += line
    height = 2 * h if with_mask else h
    header = struct.pack('<IiiHHIIiiII', 40, w, height, 1, bits, 0, len(pixels) + len(mask),
                         0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + table + bytes(pixels) + bytes(mask)


def rgba_dib(rows):
    """A 32-bit BITMAPINFOHEADER image with alpha, bottom-up, and its AND mask."""
    w, h = len(rows[0]), len(rows)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for i, p in enumerate(row):
            if p[3] == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + pixels + bytes(mask)


def ico_bytes(canvas, bits, extra=(), small=None):
    """The canvas at its own size, then at each size of `extra`, resampled from it (a size of
    16 from `small` where given), 256 as PNG; sizes in increasing order."""
    images = [(canvas.width, 16 if bits == 4 else 0, bits, dib(canvas, bits, with_mask=True))]
    for n in extra:
        rows = resampled(small if n == 16 and small else canvas, n)
        images.append((n, 0, 32, rgba_png_bytes(rows) if n >= 256 else rgba_dib(rows)))
    images.sort(key=lambda image: image[0])
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, colours, depth, data in images:
        out += struct.pack('<BBBBHHII', n % 256, n % 256, colours, 0, 1, depth, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, _, _, data in images)


def bmp_bytes(canvas, bits):
    image = dib(canvas, bits, with_mask=False)
    offset = 14 + 40 + 4 * (2 ** bits)
    return struct.pack('<2sIHHI', b'BM', 14 + len(image), 0, 0, offset) + image


def png_file(width, height, colour_type, raw):
    """A PNG of 8-bit samples; raw holds the rows, each after its filter byte."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', width, height, 8, colour_type, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def png_bytes(canvas, scale, background=(200, 200, 200)):
    raw = bytearray()
    for row in canvas.pixels:
        line = bytearray()
        for p in row:
            line += bytes(p or background) * scale
        raw += (b'\0' + line) * scale
    return png_file(canvas.width * scale, canvas.height * scale, 2, raw)


def resampled(canvas, size):
    """The canvas at size x size: each source pixel becomes a block of output pixels when size is
    a multiple of its width; otherwise it is first enlarged by whole pixels and then averaged
    down, so strokes stay even. Averages weigh colour by coverage; the edges come out part
    transparent. Pixels are RGBA."""
    common = math.gcd(size, canvas.width)
    up, down = size // common, canvas.width // common
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            covered = [canvas.pixels[(y * down + j) // up][(x * down + i) // up]
                       for j in range(down) for i in range(down)]
            covered = [p for p in covered if p is not None]
            if not covered:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple((sum(p[k] for p in covered) + len(covered) // 2) // len(covered)
                        for k in range(3))
            row.append(rgb + ((255 * len(covered) + down * down // 2) // (down * down),))
        rows.append(row)
    return rows


def rgba_png_bytes(rows):
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)
    return png_file(len(rows[0]), len(rows), 6, raw)


# Sizes of the desktop icon: 16 has its own drawing, the rest come from the 32-pixel one.
HICOLOR_SIZES = [16, 32, 48, 64, 128, 256]


def hicolor_icons():
    large = icon104()
    for size in HICOLOR_SIZES:
        canvas = icon104_small() if size == 16 else large
        yield size, rgba_png_bytes(resampled(canvas, size))


# Explorer's sizes for the program's icon, which comes first among the icons; the buttons'
# pictures at 125, 150 and 200 %.
APP_ICON_SIZES = [16, 20, 24, 48, 64, 256]
BUTTON_SIZES = [40, 48, 64]
ABOUT_SIZES = [60, 72, 96]

PICTURES = [
    ('icon104.ico', icon104, lambda c: ico_bytes(c, 4, APP_ICON_SIZES, icon104_small())),
    ('icon109.ico', icon109, lambda c: ico_bytes(c, 8, BUTTON_SIZES)),
    ('icon110.ico', icon110, lambda c: ico_bytes(c, 8, BUTTON_SIZES)),
    ('icon115.ico', icon115, lambda c: ico_bytes(c, 8, ABOUT_SIZES)),
    ('bitmap113.bmp', bitmap113, lambda c: bmp_bytes(c, 4)),
]


def main(argv):
    preview = None
    if len(argv) == 2 and argv[0] == '--preview':
        preview = argv[1]
        os.makedirs(preview, exist_ok=True)
    elif argv:
        sys.exit(__doc__)
    for name, draw, encode in PICTURES:
        canvas = draw()
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(encode(canvas))
        if preview:
            with open(os.path.join(preview, os.path.splitext(name)[0] + '.png'), 'wb') as f:
                f.write(png_bytes(canvas, 8))
    for size, png in hicolor_icons():
        folder = os.path.join(HERE, 'hicolor', str(size))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, 'orbalta.png'), 'wb') as f:
            f.write(png)
    if preview:
        with open(os.path.join(preview, 'icon104_16.png'), 'wb') as f:
            f.write(png_bytes(icon104_small(), 16))


if __name__ == '__main__':
    main(sys.argv[1:])
