#!/usr/bin/python3
"""Draw the program's icons and pictures into resources/ICO/.

Every picture is drawn on a canvas four times larger than its final size
and scaled down, which gives smooth edges.  All outputs are 32-bit RGBA.
The .ico files are written by a small writer below (uncompressed DIB
entries with an AND mask), so that every icon reader understands them;
"settings.ico" also carries an 8-bit palette image of the same size.

The generated files are kept in the repository, so the build never needs
Python.  Run again after changing a drawing:

    scripts/drawIcons.py      (runs /usr/bin/python3; needs Pillow, the
                               Debian package python3-pil)
"""

import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw

SCALE = 4  # supersampling factor

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       os.pardir, "resources", "ICO")

# Colours
GREEN = (52, 168, 72, 255)
GREEN_DK = (24, 105, 40, 255)
GREEN_LT = (150, 230, 150, 255)
RED = (214, 50, 48, 255)
RED_DK = (140, 22, 22, 255)
RED_LT = (255, 150, 140, 255)
BLUE = (40, 112, 204, 255)
BLUE_DK = (22, 66, 140, 255)
AMBER = (238, 168, 32, 255)
AMBER_DK = (160, 100, 10, 255)
GREY = (128, 133, 140, 255)
GREY_DK = (72, 76, 82, 255)
GREY_LT = (205, 209, 214, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)


class Canvas:
    """A supersampled drawing surface in a 0..100 unit coordinate system."""

    def __init__(self, size):
        self.size = size
        self.px = size * SCALE
        self.img = Image.new("RGBA", (self.px, self.px), CLEAR)
        self.draw = ImageDraw.Draw(self.img)

    def u(self, v):
        return v * self.px / 100.0

    def pts(self, points):
        return [(self.u(x), self.u(y)) for x, y in points]

    def box(self, x0, y0, x1, y1):
        # Pillow includes the far edge pixel; step back one so that a box
        # on whole output pixels stays on whole output pixels
        return [self.u(x0), self.u(y0), self.u(x1) - 1, self.u(y1) - 1]

    def w(self, v):
        return max(1, int(round(self.u(v))))

    # shapes -------------------------------------------------------------
    def rect(self, x0, y0, x1, y1, fill, outline=None, width=0, radius=0):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1),
                                    radius=self.u(radius), fill=fill,
                                    outline=outline,
                                    width=self.w(width) if outline else 0)

    def circle(self, cx, cy, r, fill, outline=None, width=0):
        self.draw.ellipse(self.box(cx - r, cy - r, cx + r, cy + r),
                          fill=fill, outline=outline,
                          width=self.w(width) if outline else 0)

    def poly(self, points, fill, outline=None, width=0):
        self.draw.polygon(self.pts(points), fill=fill, outline=outline,
                          width=self.w(width) if outline else 0)

    def line(self, points, fill, width, round_ends=True):
        pts = self.pts(points)
        wpx = self.w(width)
        self.draw.line(pts, fill=fill, width=wpx, joint="curve")
        if round_ends:
            r = wpx / 2.0
            for x, y in (pts[0], pts[-1]):
                self.draw.ellipse([x - r, y - r, x + r, y + r], fill=fill)

    def arc(self, cx, cy, r, start, end, fill, width):
        self.draw.arc(self.box(cx - r, cy - r, cx + r, cy + r),
                      start, end, fill=fill, width=self.w(width))

    def overlay(self, painter):
        """Draw with painter(canvas) on a separate layer and blend it."""
        layer = Canvas(self.size)
        painter(layer)
        self.img = Image.alpha_composite(self.img, layer.img)
        self.draw = ImageDraw.Draw(self.img)

    def result(self):
        return self.img.resize((self.size, self.size), Image.LANCZOS)


# ---------------------------------------------------------------------------
# ICO writer
# ---------------------------------------------------------------------------

def _row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def _and_mask(img):
    """1-bit mask, bottom-up; a set bit marks a transparent pixel."""
    w, h = img.size
    alpha = img.getchannel("A").load()
    stride = _row_bytes(1, w)
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if alpha[x, y] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _dib_header(w, h, bpp, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0,
                       image_size, 0, 0, colours, 0)


def _dib32(img):
    w, h = img.size
    pix = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = pix[x, y]
            xor += bytes((b, g, r, a))
    mask = _and_mask(img)
    return _dib_header(w, h, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def _dib8(img):
    """8-bit palette image: 255 colours plus black for transparent pixels."""
    w, h = img.size
    rgb = Image.new("RGB", img.size, (0, 0, 0))
    rgb.paste(img.convert("RGB"), mask=img.getchannel("A"))
    quant = rgb.quantize(colors=255, method=Image.MEDIANCUT)
    pal = quant.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    pal += [0, 0, 0]                    # index 255: transparent pixels
    idx = quant.load()
    alpha = img.getchannel("A").load()
    stride = _row_bytes(8, w)
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            row[x] = idx[x, y] if alpha[x, y] >= 128 else 255
        xor += row
    palette = bytearray()
    for i in range(256):
        r, g, b = pal[i * 3:i * 3 + 3]
        palette += bytes((b, g, r, 0))
    mask = _and_mask(img)
    return (_dib_header(w, h, 8, len(xor) + len(mask), 256) + bytes(palette)
            + bytes(xor) + mask)


def write_ico(path, img, with_8bit=False):
    entries = [(img, 32, _dib32(img))]
    if with_8bit:
        entries.append((img, 8, _dib8(img)))
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    blobs = b""
    for im, bpp, data in entries:
        w, h = im.size
        directory += struct.pack("<BBBBHHII", w % 256, h % 256,
                                 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
        blobs += data
    with open(path, "wb") as f:
        f.write(head + directory + blobs)


def write_png(path, img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    with open(path, "wb") as f:
        f.write(buf.getvalue())


# ---------------------------------------------------------------------------
# Drawings
# ---------------------------------------------------------------------------

def draw_play(size, disc=False):
    c = Canvas(size)
    if disc:
        c.circle(50, 50, 47, GREEN_DK)
        c.circle(50, 50, 43, GREEN)
        c.poly([(38, 27), (38, 73), (75, 50)], WHITE)
    else:
        c.line([(30, 18), (30, 82), (82, 50), (30, 18)], GREEN_DK, 12)
        c.poly([(30, 18), (30, 82), (82, 50)], GREEN)
        c.line([(30, 18), (30, 82), (82, 50), (30, 18)], GREEN_DK, 5)
    return c.result()


def draw_pause(size):
    c = Canvas(size)
    for x0 in (22, 58):
        c.rect(x0, 16, x0 + 20, 84, BLUE, BLUE_DK, 5, radius=5)
    return c.result()


def draw_stop(size, margin=18):
    c = Canvas(size)
    outline = 5 if size > 20 else 100.0 / size  # one pixel on small icons
    c.rect(margin, margin, 100 - margin, 100 - margin, RED, RED_DK,
           outline, radius=8)
    return c.result()


def _plug(c, x, colour, dark):
    """Plug body from x to x+28 with two prongs to the right of it."""
    c.rect(x + 26, 33, x + 41, 42, GREY_LT, GREY_DK, 2, radius=1)
    c.rect(x + 26, 58, x + 41, 67, GREY_LT, GREY_DK, 2, radius=1)
    c.rect(x, 24, x + 29, 76, colour, dark, 4, radius=8)


def _socket(c, x, colour, dark, holes):
    c.rect(x, 20, x + 30, 80, colour, dark, 4, radius=8)
    if holes:
        c.rect(x + 4, 33, x + 11, 42, GREY_DK)
        c.rect(x + 4, 58, x + 11, 67, GREY_DK)


def draw_connect(size):
    c = Canvas(size)
    c.line([(2, 50), (14, 50)], GREY_DK, 8)
    c.line([(86, 50), (98, 50)], GREY_DK, 8)
    _plug(c, 12, GREEN, GREEN_DK)
    _socket(c, 52, GREEN, GREEN_DK, holes=False)
    return c.result()


def draw_disconnect(size):
    c = Canvas(size)
    c.line([(2, 50), (8, 50)], GREY_DK, 8)
    c.line([(92, 50), (98, 50)], GREY_DK, 8)
    _plug(c, 4, RED, RED_DK)
    _socket(c, 62, GREY, GREY_DK, holes=True)
    # break marks in the gap
    c.line([(51, 12), (55, 26)], RED, 4)
    c.line([(51, 88), (55, 74)], RED, 4)
    return c.result()


def draw_gear(size):
    c = Canvas(size)
    teeth = 8
    r_out, r_in = 47, 36
    pts = []
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        step = 2 * math.pi / teeth
        for da, r in ((-0.30, r_in), (-0.18, r_out), (0.18, r_out),
                      (0.30, r_in)):
            ang = a + da * step * 1.6
            pts.append((50 + r * math.cos(ang), 50 + r * math.sin(ang)))
    c.poly(pts, GREY, GREY_DK, 4)
    c.circle(50, 50, 28, GREY, None)
    c.circle(50, 50, 16, CLEAR)
    c.circle(50, 50, 16, None, GREY_DK, 4)
    return c.result()


def draw_led(size, body, dark, light, symbol=None):
    c = Canvas(size)
    c.circle(50, 50, 48, GREY_DK)
    c.circle(50, 50, 44, GREY_LT)
    c.circle(50, 50, 39, dark)
    # soft radial shading towards the upper left
    steps = 24
    for i in range(steps):
        t = i / (steps - 1)
        r = 37 - 27 * t
        col = tuple(int(body[k] + (light[k] - body[k]) * t * t)
                    for k in range(3)) + (255,)
        off = -7 * t
        c.circle(50 + off, 50 + off, r, col)

    def gloss(layer):
        layer.draw.ellipse(layer.box(30, 18, 62, 40), fill=(255, 255, 255, 110))
    c.overlay(gloss)
    if symbol == "tick":
        c.line([(33, 52), (45, 64), (68, 38)], WHITE, 8)
    elif symbol == "cross":
        c.line([(36, 36), (64, 64)], WHITE, 8)
        c.line([(64, 36), (36, 64)], WHITE, 8)
    return c.result()


def _module(c, body, panel, y_top, y_bot):
    """A DIN-rail style I/O module seen from the front."""
    c.rect(18, y_top, 82, y_bot, GREY_LT, GREY_DK, 3, radius=6)
    for x in (30, 50, 70):
        c.rect(x - 6, y_top + 4, x + 6, y_top + 13, GREY_DK, radius=2)
        c.rect(x - 6, y_bot - 13, x + 6, y_bot - 4, GREY_DK, radius=2)
    c.rect(25, y_top + 18, 75, y_bot - 18, body, panel, 3, radius=4)
    mid = (y_top + y_bot) / 2.0
    c.circle(35, mid - 6, 4.5, GREEN_LT)
    c.circle(50, mid - 6, 4.5, AMBER)
    c.circle(65, mid - 6, 4.5, GREEN_LT)
    c.rect(32, mid + 3, 68, mid + 8, WHITE, radius=2)


def draw_main_bus(size):
    c = Canvas(size)
    c.line([(4, 86), (96, 86)], BLUE_DK, 5)
    c.line([(4, 95), (96, 95)], AMBER_DK, 5)
    c.line([(40, 76), (40, 86)], BLUE_DK, 4)
    c.line([(60, 76), (60, 95)], AMBER_DK, 4)
    _module(c, BLUE, BLUE_DK, 3, 78)
    return c.result()


def draw_main(size, body, panel):
    c = Canvas(size)
    _module(c, body, panel, 4, 96)
    return c.result()


def draw_exit(size):
    c = Canvas(size)
    # door frame and open door
    c.rect(10, 6, 58, 94, GREY_LT, GREY_DK, 5, radius=3)
    c.poly([(14, 10), (44, 18), (44, 96), (14, 90)], (150, 95, 50, 255),
           (95, 58, 25, 255), 3)
    c.circle(38, 56, 3.5, AMBER)
    # arrow pointing out
    c.line([(50, 50), (80, 50)], RED_DK, 16)
    c.line([(50, 50), (80, 50)], RED, 10)
    c.poly([(74, 30), (98, 50), (74, 70)], RED, RED_DK, 3)
    return c.result()


def draw_help(size):
    c = Canvas(size)
    c.circle(50, 50, 48, BLUE_DK)
    c.circle(50, 50, 43, BLUE)
    c.arc(50, 36, 15, 190, 400, WHITE, 12)
    c.line([(61, 47), (52, 55), (50, 62)], WHITE, 12, round_ends=False)
    c.rect(44, 56, 56, 64, WHITE)
    c.circle(50, 78, 7.5, WHITE)
    return c.result()


def draw_about(size):
    c = Canvas(size)
    c.circle(50, 50, 48, BLUE_DK)
    c.circle(50, 50, 43, BLUE)
    c.circle(50, 26, 8.5, WHITE)
    c.rect(41, 41, 59, 80, WHITE, radius=2)
    return c.result()


def draw_zt(size):
    c = Canvas(size)
    c.rect(3, 3, 97, 97, BLUE, BLUE_DK, 4, radius=16)
    # Z
    c.poly([(14, 26), (47, 26), (47, 35), (27, 64), (47, 64), (47, 74),
            (13, 74), (13, 65), (33, 36), (14, 36)], WHITE)
    # T
    c.poly([(52, 26), (88, 26), (88, 36), (75, 36), (75, 74), (65, 74),
            (65, 36), (52, 36)], WHITE)
    c.line([(14, 84), (86, 84)], AMBER, 4)
    return c.result()


# ---------------------------------------------------------------------------

def main():
    out = os.path.normpath(OUT_DIR)
    os.makedirs(out, exist_ok=True)

    icons = [
        ("main3.ico", lambda: draw_main_bus(50)),
        ("exit.ico", lambda: draw_exit(32)),
        ("vop1.ico", lambda: draw_help(16)),
        ("gtk-about_4547.ico", lambda: draw_about(16)),
        ("settings.ico", lambda: draw_gear(32)),
        ("play.ico", lambda: draw_play(128, disc=True)),
        ("stop.ico", lambda: draw_stop(16, margin=12.5)),
        ("zt.ico", lambda: draw_zt(48)),
    ]
    pictures = [
        ("play50.png", lambda: draw_play(50)),
        ("pause50.png", lambda: draw_pause(50)),
        ("stop50.png", lambda: draw_stop(50)),
        ("connect50.png", lambda: draw_connect(50)),
        ("disconnect50.png", lambda: draw_disconnect(50)),
        ("ok.png", lambda: draw_led(50, GREEN, GREEN_DK, GREEN_LT, "tick")),
        ("err.png", lambda: draw_led(50, RED, RED_DK, RED_LT, "cross")),
        ("wait.png", lambda: draw_led(50, GREY, GREY_DK, GREY_LT)),
        ("main.png", lambda: draw_main(50, BLUE, BLUE_DK)),
        ("main2.png", lambda: draw_main(50, GREEN, GREEN_DK)),
    ]

    for name, painter in icons:
        write_ico(os.path.join(out, name), painter(),
                  with_8bit=(name == "settings.ico"))
        print("wrote", name)
    for name, painter in pictures:
        write_png(os.path.join(out, name), painter())
        print("wrote", name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
