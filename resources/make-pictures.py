#!/usr/bin/env python3
"""Draws the setup program's pictures and writes them as BMP and ICO files.

    python3 resources/make-pictures.py [output-directory]

The files are committed; run this again only to change a picture. Pure
Python 3, no third-party modules. Shapes are drawn with 4 x 4 supersampling,
so edges are smooth in the 24-bit pictures; the 16-colour glyph is pixel art.
The side banner keeps 7 bits a colour channel: the lowest bit (at most 1/255
of brightness, invisible) is noise to the compressor, and without it the
banner packs a quarter smaller (6.7 KB instead of 9.1 KB).

Output (in the script's directory unless another one is given):
  side-banner.bmp      111 x 199, 24-bit   the wizard's side picture
  flag-germany.bmp      60 x 30,  24-bit
  flag-uk.bmp           60 x 30,  24-bit
  file-array-binder.bmp 24 x 24,  4-bit    the payload component's picture for
                                           design tools; unused at run time
  browse-glyph.bmp      32 x 16,  4-bit    normal and disabled 16 x 16 images,
                                           magenta background (transparent)
  VelToriSetup.ico      32 x 32 and 16 x 16, 32-bit with alpha, each stored
                        as a PNG image (read by Windows Vista and later, the
                        oldest system the program runs on): 1 KB in all
                        instead of 5.4 KB as bitmaps
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4


# --- Canvas -----------------------------------------------------------------

class Canvas:
    """RGB pixels with an alpha channel, row 0 at the top."""

    def __init__(self, width, height, color=(0, 0, 0), alpha=255):
        self.width = width
        self.height = height
        self.rgb = [[color] * width for _ in range(height)]
        self.alpha = [[alpha] * width for _ in range(height)]

    def blend(self, x, y, color, amount):
        """Puts `color` over pixel (x, y) with opacity `amount` (0..1)."""
        if amount <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        # "Over" with straight (not premultiplied) alpha, as icons keep it.
        amount = min(amount, 1.0)
        below = self.alpha[y][x] / 255.0 * (1.0 - amount)
        total = amount + below
        old = self.rgb[y][x]
        self.rgb[y][x] = tuple(round((c * amount + o * below) / total) for o, c in zip(old, color))
        self.alpha[y][x] = round(255 * total)

    def fill(self, inside, color, bounds=None, opacity=1.0):
        """Fills the shape `inside(x, y)` (continuous coordinates, pixel
        (i, j) covering [i, i+1) x [j, j+1)) with smooth edges."""
        x0, y0, x1, y1 = bounds or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        step = 1.0 / SUPERSAMPLE
        offsets = [(k + 0.5) * step for k in range(SUPERSAMPLE)]
        total = SUPERSAMPLE * SUPERSAMPLE
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(1 for dy in offsets for dx in offsets if inside(x + dx, y + dy))
                if hits:
                    self.blend(x, y, color, opacity * hits / total)


def without_lowest_bit(canvas):
    """The canvas with the lowest bit of every colour channel cleared."""
    canvas.rgb = [[tuple(c & 0xFE for c in pixel) for pixel in row] for row in canvas.rgb]
    return canvas


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


# --- Shapes (functions of a point) ------------------------------------------

def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def v_letter(cx, top, width, height, stroke):
    """A bold "V": two slanted strokes meeting in a flat point."""
    half = width / 2
    return polygon([
        (cx - half, top), (cx - half + stroke, top),
        (cx, top + height - stroke * 1.1),
        (cx + half - stroke, top), (cx + half, top),
        (cx + stroke * 0.55, top + height), (cx - stroke * 0.55, top + height),
    ])


# --- Pictures ---------------------------------------------------------------

def keycap(canvas, x0, y0, x1, y1, radius, face, side, edge):
    """A keyboard key seen from the front: a darker body and a lighter,
    slightly raised top face."""
    canvas.fill(rounded_rect(x0 + 1, y0 + 2, x1 + 1, y1 + 2, radius), (0, 0, 0),
                (x0, y0, x1 + 3, y1 + 4), opacity=0.35)            # shadow
    canvas.fill(rounded_rect(x0, y0, x1, y1, radius), edge, (x0 - 1, y0 - 1, x1 + 1, y1 + 1))
    canvas.fill(rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 1), side,
                (x0, y0, x1, y1))
    inset = (x1 - x0) * 0.14
    canvas.fill(rounded_rect(x0 + inset, y0 + inset * 0.55, x1 - inset, y1 - inset * 1.35,
                             radius * 0.8), face, (x0, y0, x1, y1))


def side_banner():
    width, height = 111, 199
    canvas = Canvas(width, height)
    top, bottom = (10, 36, 86), (38, 124, 186)
    for y in range(height):
        t = y / (height - 1)
        for x in range(width):
            # A faint diagonal sheen across the gradient.
            sheen = 0.06 * math.sin((x + y * 0.6) / 18.0)
            canvas.rgb[y][x] = mix(top, bottom, min(1.0, max(0.0, t + sheen)))

    # A soft glow behind the emblem.
    for radius, opacity in ((46, 0.05), (38, 0.06), (30, 0.08)):
        canvas.fill(circle(55.5, 72, radius), (255, 255, 255), opacity=opacity)

    # The emblem: a large key with the "V" on it.
    keycap(canvas, 22, 38, 89, 103, 9, face=(236, 240, 246), side=(184, 192, 204),
           edge=(70, 82, 100))
    canvas.fill(v_letter(56.5, 51, 38, 34, 11), (120, 60, 10), (30, 45, 84, 92), opacity=0.5)
    canvas.fill(v_letter(55.5, 50, 38, 34, 11), (232, 118, 20), (30, 45, 82, 90))

    # A row of small keys below it, and a long space bar: the keyboard.
    for i in range(4):
        x = 17 + i * 20
        keycap(canvas, x, 128, x + 16, 144, 3, face=(214, 224, 238), side=(150, 166, 188),
               edge=(44, 62, 92))
    keycap(canvas, 17, 150, 93, 164, 3, face=(214, 224, 238), side=(150, 166, 188),
           edge=(44, 62, 92))

    # A thin light line near the foot, as installer banners often have.
    canvas.fill(lambda x, y: 181 <= y <= 182, (255, 255, 255), (10, 181, 101, 183),
                opacity=0.35)
    return canvas


def flag_germany():
    canvas = Canvas(60, 30)
    stripes = [(0, 0, 0), (221, 0, 0), (255, 206, 0)]
    for y in range(30):
        for x in range(60):
            canvas.rgb[y][x] = stripes[y // 10]
    return canvas


def flag_uk():
    """The Union Flag at 2:1, one pixel per unit of its 60 x 30 construction."""
    blue, white, red = (1, 33, 105), (255, 255, 255), (200, 16, 46)
    canvas = Canvas(60, 30, blue)
    length = math.hypot(60, 30)

    def above_main(x, y):    # signed distance above the diagonal top-left to bottom-right
        return (30 * x - 60 * y) / length

    def above_anti(x, y):    # signed distance above the diagonal bottom-left to top-right
        return (60 * (30 - y) - 30 * x) / length

    def white_saltire(x, y):
        return abs(above_main(x, y)) <= 3 or abs(above_anti(x, y)) <= 3

    def red_saltire(x, y):
        # Counterchanged: at the hoist the red lies below each diagonal (the
        # broad white above it), at the fly above it.
        if x < 30:
            return -2 <= above_main(x, y) <= 0 or -2 <= above_anti(x, y) <= 0
        return 0 <= above_main(x, y) <= 2 or 0 <= above_anti(x, y) <= 2

    canvas.fill(white_saltire, white)
    canvas.fill(red_saltire, red)
    canvas.fill(lambda x, y: abs(x - 30) <= 5 or abs(y - 15) <= 5, white)
    canvas.fill(lambda x, y: abs(x - 30) <= 3 or abs(y - 15) <= 3, red)
    return canvas


def app_icon(size):
    canvas = Canvas(size, size, (0, 0, 0), alpha=0)
    s = size / 32.0
    background = rounded_rect(1 * s, 1 * s, 31 * s, 31 * s, 6 * s)
    # Fill the rounded square row by row for a vertical gradient.
    for y in range(size):
        color = mix((16, 58, 120), (40, 130, 196), y / (size - 1))
        canvas.fill(background, color, (0, y, size, y + 1))
    canvas.fill(v_letter(16 * s, 7 * s, 22 * s, 19 * s, 6.5 * s), (255, 255, 255))
    canvas.fill(lambda x, y: 26.6 * s <= y <= 28 * s and 7 * s <= x <= 25 * s,
                (232, 118, 20))
    return canvas


# --- The 16-colour browse glyph ---------------------------------------------

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, OLIVE, SILVER, GREY, YELLOW, MAGENTA, AQUA, WHITE = 0, 3, 7, 8, 11, 13, 14, 15

# A folder with a magnifying glass over its lower right corner.
# . background  k black  y yellow  o olive  w white  a aqua  g grey
GLYPH = [
    "................",
    "................",
    ".kkkkk..........",
    "kywwwyk.........",
    "kyyyyyykkkkkkk..",
    "kywwwwwwwwwwwok.",
    "kywyyyyyyyyyyok.",
    "kywyyyyykkkkyok.",
    "kywyyyykwwaakok.",
    "kywyyykwaaaaakk.",
    "kywyyykaaaaaak..",
    "kywyyykaaaaaak..",
    "kyoooookaaaakk..",
    "kkkkkkkkkkkkggk.",
    "............kggk",
    ".............kkk",
]
GLYPH_COLORS = {".": MAGENTA, "k": BLACK, "y": YELLOW, "o": OLIVE, "w": WHITE, "a": AQUA,
                "g": GREY}


def disabled(image):
    """The greyed form of a glyph: its dark parts grey with a white shadow
    one pixel down and right, everything else transparent."""
    dark = {BLACK, OLIVE, GREY}
    out = [[MAGENTA] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            if image[y][x] in dark and x + 1 < 16 and y + 1 < 16:
                out[y + 1][x + 1] = WHITE
    for y in range(16):
        for x in range(16):
            if image[y][x] in dark:
                out[y][x] = GREY
    return out


def browse_glyph():
    normal = [[GLYPH_COLORS[c] for c in row] for row in GLYPH]
    grey = disabled(normal)
    return [normal[y] + grey[y] for y in range(16)]


# --- The container component's 24 x 24 picture, for design tools -------------

# A box of files with a zip down its front.
# . silver background  k black  o olive  y yellow  w white  g grey
BINDER = [
    "........................",
    "........................",
    "....kkkkkkkkkkkkkkkk....",
    "...kwwwwwwwwwwwwwwwwk...",
    "..kwwwwwwwwwwwwwwwwwwk..",
    "..kkkkkkkkkkkkkkkkkkkk..",
    "..kyyyyyyyykgkyyyyyyyk..",
    "..kyyyyyyyykwkyyyyyyyk..",
    "..kyyyyyyyykgkyyyyyyyk..",
    "..kyyyyyyyykwkyyyyyyyk..",
    "..kyyyyyyyykgkyyyyyyyk..",
    "..kyyyyyyyykwkyyyyyyyk..",
    "..kyyyyyyyykgkyyyyyyyk..",
    "..kyyyyyyyykwkyyyyyyyk..",
    "..kyyyyyyyykgkyyyyyyyk..",
    "..kyyyyyyyykwkyyyyyyyk..",
    "..kyyyyyykkkkkkkyyyyyk..",
    "..kyyyyyykwwwwwkyyyyyk..",
    "..kyyyyyykkkkkkkyyyyyk..",
    "..kooooooooooooooooook..",
    "..kkkkkkkkkkkkkkkkkkkk..",
    "........................",
    "........................",
    "........................",
]
BINDER_COLORS = {".": SILVER, "k": BLACK, "o": OLIVE, "y": YELLOW, "w": WHITE, "g": GREY}


def binder_picture():
    return [[BINDER_COLORS[c] for c in row] for row in BINDER]


# --- File formats -----------------------------------------------------------

def bmp_header(width, height, bits, palette_entries, image_size):
    offset = 14 + 40 + 4 * palette_entries
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, palette_entries, 0)
    return file_header + info


def bmp24(canvas):
    stride = (canvas.width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(canvas.height)):  # bottom-up
        row = b"".join(struct.pack("BBB", b, g, r) for r, g, b in canvas.rgb[y])
        rows.append(row + b"\0" * (stride - len(row)))
    data = b"".join(rows)
    return bmp_header(canvas.width, canvas.height, 24, 0, len(data)) + data


def bmp4(indices, palette):
    height, width = len(indices), len(indices[0])
    stride = ((width + 1) // 2 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(0, width, 2):
            low = indices[y][x + 1] if x + 1 < width else 0
            row.append((indices[y][x] << 4) | low)
        rows.append(bytes(row) + b"\0" * (stride - len(row)))
    data = b"".join(rows)
    colors = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    return bmp_header(width, height, 4, len(palette), len(data)) + colors + data


def png_filtered(rows, kind):
    """The rows (RGBA bytes) with PNG filter `kind` (0 none, 1 sub, 2 up,
    3 average, 4 Paeth) applied, each after its filter type byte."""
    out = bytearray()
    above = bytes(len(rows[0]))
    for row in rows:
        out.append(kind)
        for i, value in enumerate(row):
            left = row[i - 4] if i >= 4 else 0
            up = above[i]
            up_left = above[i - 4] if i >= 4 else 0
            if kind == 0:
                guess = 0
            elif kind == 1:
                guess = left
            elif kind == 2:
                guess = up
            elif kind == 3:
                guess = (left + up) // 2
            else:
                estimate = left + up - up_left
                distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
                guess = (left, up, up_left)[distances.index(min(distances))]
            out.append((value - guess) & 0xFF)
        above = row
    return bytes(out)


def png(canvas):
    """A PNG image (8-bit RGBA) of the canvas, with the one filter for all
    rows that compresses best."""
    rows = [bytes(v for (r, g, b), a in zip(canvas.rgb[y], canvas.alpha[y]) for v in (r, g, b, a))
            for y in range(canvas.height)]
    data = min((zlib.compress(png_filtered(rows, kind), 9) for kind in range(5)), key=len)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data)
            + chunk(b"IEND", b""))


def ico(canvases):
    """An icon file of 32-bit images with alpha, each stored as a PNG image."""
    images = [(c.width, c.height, png(c)) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "side-banner.bmp": bmp24(without_lowest_bit(side_banner())),
        "flag-germany.bmp": bmp24(flag_germany()),
        "flag-uk.bmp": bmp24(flag_uk()),
        "browse-glyph.bmp": bmp4(browse_glyph(), VGA),
        "file-array-binder.bmp": bmp4(binder_picture(), VGA),
        "VelToriSetup.ico": ico([app_icon(32), app_icon(16)]),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
