#!/usr/bin/python3
"""Draws every image of the installer's skin into ui/skin/res/.

Run from anywhere: tools/art/make-skin-art.py [output folder]. The default
output folder is ui/skin of this repository. The script is deterministic:
the same Pillow version writes the same bytes, so regenerating only changes
files whose drawing code changed.

Shapes are drawn at four times the final size into coverage masks and
scaled down, which gives clean anti-aliased edges; small texts baked into
buttons are rendered at the final size so that they stay crisp. Colours
follow the product's palette: brand blue #1675FE, hot #5A9DFD, pushed
#1365DB, white surfaces and cool greys.
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLE = 4
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

BLUE = "#1675FE"
BLUE_HOT = "#5A9DFD"
BLUE_PUSHED = "#1365DB"
BLUE_LIGHT = "#4C95FF"
INK = "#282A43"
INK_SOFT = "#606178"
GREY = "#8991AF"
AMBER = "#FAAD14"


def rgba(color, alpha=255):
    """'#RRGGBB' or '#AARRGGBB' (the layouts' notation) to an RGBA tuple."""
    h = color.lstrip("#")
    if len(h) == 8:
        return (int(h[2:4], 16), int(h[4:6], 16), int(h[6:8], 16), int(h[0:2], 16))
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), alpha)


def mix(a, b, t):
    ca, cb = rgba(a) if isinstance(a, str) else a, rgba(b) if isinstance(b, str) else b
    return tuple(round(x + (y - x) * t) for x, y in zip(ca, cb))


class Canvas:
    """A supersampled RGBA picture built from coverage masks.

    Every primitive takes coordinates in final pixels (floats allowed) and a
    paint, which is a colour or an RGBA image of the supersampled size
    (a gradient); the shape's coverage becomes the paint's alpha and the
    result is composited over what is already there.
    """

    def __init__(self, width, height, ss=SUPERSAMPLE):
        self.width, self.height, self.ss = width, height, ss
        self.size = (width * ss, height * ss)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    # Coordinates ------------------------------------------------------------
    def _p(self, x, y):
        return (x * self.ss, y * self.ss)

    def _box(self, x0, y0, x1, y1):
        s = self.ss
        return (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1)

    # Painting ---------------------------------------------------------------
    def fill_mask(self, mask, paint, opacity=1.0):
        if isinstance(paint, Image.Image):
            layer = paint.copy()
            alpha = ImageChops.multiply(layer.getchannel("A"), mask)
        else:
            color = rgba(paint) if isinstance(paint, str) else paint
            layer = Image.new("RGBA", self.size, color[:3] + (255,))
            alpha = mask if color[3] == 255 else mask.point(lambda v, a=color[3]: v * a // 255)
        if opacity < 1.0:
            alpha = alpha.point(lambda v: round(v * opacity))
        layer.putalpha(alpha)
        self.img.alpha_composite(layer)

    def shape(self, paint, draw_fn, opacity=1.0, blur=0):
        mask = Image.new("L", self.size, 0)
        draw_fn(ImageDraw.Draw(mask))
        if blur:
            mask = mask.filter(ImageFilter.GaussianBlur(blur * self.ss))
        self.fill_mask(mask, paint, opacity)

    # Primitives -------------------------------------------------------------
    def rrect(self, box, radius, paint, **kw):
        self.shape(paint, lambda d: d.rounded_rectangle(
            self._box(*box), radius=radius * self.ss, fill=255), **kw)

    def rrect_outline(self, box, radius, width, paint, **kw):
        def draw(d):
            d.rounded_rectangle(self._box(*box), radius=radius * self.ss, fill=255)
            x0, y0, x1, y1 = box
            inner = (x0 + width, y0 + width, x1 - width, y1 - width)
            d.rounded_rectangle(self._box(*inner), radius=max(0, radius - width) * self.ss, fill=0)
        self.shape(paint, draw, **kw)

    def ellipse(self, box, paint, **kw):
        self.shape(paint, lambda d: d.ellipse(self._box(*box), fill=255), **kw)

    def circle(self, cx, cy, r, paint, **kw):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), paint, **kw)

    def ring(self, cx, cy, r, width, paint, **kw):
        def draw(d):
            d.ellipse(self._box(cx - r, cy - r, cx + r, cy + r), fill=255)
            ri = r - width
            d.ellipse(self._box(cx - ri, cy - ri, cx + ri, cy + ri), fill=0)
        self.shape(paint, draw, **kw)

    def polygon(self, points, paint, **kw):
        self.shape(paint, lambda d: d.polygon([self._p(x, y) for x, y in points], fill=255), **kw)

    def stroke(self, points, width, paint, **kw):
        """A polyline with round joins and round caps."""
        def draw(d):
            pts = [self._p(x, y) for x, y in points]
            w = width * self.ss
            d.line(pts, fill=255, width=round(w), joint="curve")
            r = w / 2
            for x, y in pts:
                d.ellipse((x - r, y - r, x + r, y + r), fill=255)
        self.shape(paint, draw, **kw)

    def arc(self, cx, cy, r, start, end, width, paint, **kw):
        """An arc of the circle of radius r (centre line), angles in degrees,
        clockwise from three o'clock, with round caps."""
        steps = max(8, int(abs(end - start) / 2))
        pts = [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
                cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
               for i in range(steps + 1)]
        self.stroke(pts, width, paint, **kw)

    def text(self, xy, text, size, paint, anchor="mm", **kw):
        """Text drawn supersampled (for large glyphs inside icons)."""
        font = ImageFont.truetype(FONT_PATH, round(size * self.ss))
        self.shape(paint, lambda d: d.text(self._p(*xy), text, font=font, fill=255, anchor=anchor), **kw)

    # Gradients --------------------------------------------------------------
    def linear(self, c0, c1, x0, y0, x1, y1):
        """A linear gradient from (x0, y0) to (x1, y1), as a paint.

        Computed at the final size and scaled up: a gradient has no edges
        that would profit from supersampling, and this keeps it cheap.
        """
        w, h = self.width, self.height
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1.0
        t = Image.new("L", (w, h))
        t.putdata([max(0, min(255, round(((x + 0.5 - x0) * dx + (y + 0.5 - y0) * dy) / length2 * 255)))
                   for y in range(h) for x in range(w)])
        t = t.resize(self.size, Image.BILINEAR)
        ramp = [mix(c0, c1, i / 255) for i in range(256)]
        return Image.merge("RGBA", [t.point([ramp[i][c] for i in range(256)]) for c in range(4)])

    def result(self):
        return self.img.resize((self.width, self.height), Image.LANCZOS)


def crisp_text(img, xy, text, size, color, anchor="mm"):
    """Text rendered at the final size (hinted, sharp) onto a finished image."""
    font = ImageFont.truetype(FONT_PATH, size)
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=font, fill=255, anchor=anchor)
    c = rgba(color)
    layer = Image.new("RGBA", img.size, c[:3] + (255,))
    layer.putalpha(mask if c[3] == 255 else mask.point(lambda v: v * c[3] // 255))
    img.alpha_composite(layer)
    return img


def text_width(text, size):
    font = ImageFont.truetype(FONT_PATH, size)
    left, _, right, _ = font.getbbox(text)
    return right - left


# ----------------------------------------------------------------------------
# Title-bar buttons
# ----------------------------------------------------------------------------

def title_button(glyph, state, dialog=False):
    """Minimise and close buttons: a thin glyph on a rounded hover plate."""
    c = Canvas(24, 24)
    if dialog:
        colors = {1: "#9AA0B4", 2: "#4A4F66", 3: "#282A43"}
        plates = {1: None, 2: rgba("#282A43", 18), 3: rgba("#282A43", 34)}
    elif glyph == "close":
        colors = {1: GREY, 2: "#FFFFFF", 3: "#FFFFFF"}
        plates = {1: None, 2: rgba("#F0545C"), 3: rgba("#D8414A")}
    else:
        colors = {1: GREY, 2: INK, 3: INK}
        plates = {1: None, 2: rgba("#282A43", 18), 3: rgba("#282A43", 34)}
    if plates[state]:
        c.rrect((0, 0, 24, 24), 5, plates[state])
    half = 4.25 if dialog else 4.75
    width = 1.5
    if glyph == "close":
        c.stroke([(12 - half, 12 - half), (12 + half, 12 + half)], width, colors[state])
        c.stroke([(12 + half, 12 - half), (12 - half, 12 + half)], width, colors[state])
    else:
        c.stroke([(12 - half - 0.5, 12.5), (12 + half + 0.5, 12.5)], width, colors[state])
    return c.result()


# ----------------------------------------------------------------------------
# Dialog icons
# ----------------------------------------------------------------------------

def icon_disc(c, top, bottom):
    c.circle(20, 20, 19.5, c.linear(top, bottom, 6, 2, 34, 38))


def icon_quest():
    c = Canvas(40, 40)
    icon_disc(c, BLUE_LIGHT, BLUE_PUSHED)
    # Question mark: an open hook ending in a short stem, and a dot.
    c.arc(20, 16, 5.5, 180, 405, 3.2, "#FFFFFF")
    end = (20 + 5.5 * math.cos(math.radians(45)), 16 + 5.5 * math.sin(math.radians(45)))
    c.stroke([end, (20, 22.5), (20, 23.5)], 3.2, "#FFFFFF")
    c.circle(20, 29.2, 2.0, "#FFFFFF")
    return c.result()


def icon_warn():
    c = Canvas(40, 40)
    icon_disc(c, "#FFC53D", "#F29A0B")
    c.stroke([(20, 10.5), (20, 23)], 3.6, "#FFFFFF")
    c.circle(20, 29, 2.2, "#FFFFFF")
    return c.result()


def icon_network():
    c = Canvas(40, 40)
    icon_disc(c, BLUE_LIGHT, BLUE_PUSHED)
    cx, cy = 20, 27.5
    # Wi-Fi waves; the outer one faded to say the signal is weak.
    for r, opacity in ((14.5, 0.35), (9.5, 1.0), (4.8, 1.0)):
        c.arc(cx, cy, r, 225, 315, 2.8, "#FFFFFF", opacity=opacity)
    c.circle(cx, cy + 0.2, 2.1, "#FFFFFF")
    # Small amber badge: the network is the problem.
    c.circle(31, 31, 7.5, "#FFFFFF")
    c.circle(31, 31, 6.0, AMBER)
    c.stroke([(31, 27.6), (31, 31.4)], 1.8, "#FFFFFF")
    c.circle(31, 34.1, 1.0, "#FFFFFF")
    return c.result()


# ----------------------------------------------------------------------------
# Main window
# ----------------------------------------------------------------------------

def background():
    w, h = 600, 400
    c = Canvas(w, h, ss=1)  # Soft shapes only: no supersampling needed.
    c.img = Image.new("RGBA", c.size, rgba("#FFFFFF"))
    c.shape(c.linear("#EAF2FF", "#FFFFFF", 0, 0, 0, 230), lambda d: d.rectangle((0, 0, w, h), fill=255))
    c.circle(560, -30, 190, BLUE, opacity=0.10, blur=40)
    c.circle(470, 60, 90, "#5AC8FA", opacity=0.08, blur=30)
    c.circle(-40, 430, 170, BLUE, opacity=0.06, blur=40)
    # Faint flowing lines across the top right corner.
    for i, opacity in enumerate((0.10, 0.07, 0.05)):
        pts = [(x, 120 - i * 18 - 60 * math.sin((x - 240) / 360 * math.pi))
               for x in range(240, 601, 6)]
        c.stroke(pts, 1.2, BLUE, opacity=opacity)
    img = c.result()
    ImageDraw.Draw(img).rectangle((0, 0, w - 1, h - 1), outline=rgba("#DCE3EE"))
    return img


def book_glyph(c, cx, cy, scale, color, spine):
    """Open book as two slanted pages (the installer icon's shape)."""
    s = scale
    c.polygon([(cx - 14 * s, cy - 11 * s), (cx - 1.2 * s, cy - 8 * s),
               (cx - 1.2 * s, cy + 12 * s), (cx - 14 * s, cy + 9 * s)], color)
    c.polygon([(cx + 14 * s, cy - 11 * s), (cx + 1.2 * s, cy - 8 * s),
               (cx + 1.2 * s, cy + 12 * s), (cx + 14 * s, cy + 9 * s)], color)
    if spine:
        c.rrect((cx - 1.2 * s, cy - 8 * s, cx + 1.2 * s, cy + 12 * s), 0, spine)


def logo():
    w, h = 339, 70
    c = Canvas(w, h)
    tile = (3, 5, 63, 65)
    c.rrect((tile[0], tile[1] + 2, tile[2], tile[3] + 2), 15, rgba(BLUE, 70), blur=2.5)
    c.rrect(tile, 15, c.linear(BLUE_LIGHT, BLUE_PUSHED, 3, 5, 63, 65))
    book_glyph(c, 33, 34, 1.45, "#FFFFFF", "#9CC3FF")
    img = c.result()
    crisp_text(img, (78, 28), "拓芮电子书转换器", 30, INK, anchor="lm")
    crisp_text(img, (80, 61), "TOVREL REZUV OVOZUZAVE", 11, GREY, anchor="ls")
    return img


def install_button(state):
    fill = {1: BLUE, 2: BLUE_HOT, 3: BLUE_PUSHED}[state]
    c = Canvas(200, 46)
    top = mix(fill, "#FFFFFF", 0.10 if state != 3 else 0.0)
    c.rrect((0, 0, 200, 46), 23, c.linear(top, fill, 0, 0, 0, 46))
    if state != 3:
        # A hairline highlight along the upper edge gives a little depth.
        c.rrect_outline((0, 0, 200, 46), 23, 1, "#FFFFFF", opacity=0.12)
    return c.result()


def back_button(state):
    ink = {1: INK_SOFT, 2: BLUE, 3: BLUE_PUSHED}[state]
    plate = {1: None, 2: "#EEF4FF", 3: "#DCE8FF"}[state]
    c = Canvas(64, 30)
    if plate:
        c.rrect((0, 0, 64, 30), 15, plate)
    label_w = text_width("返回", 14)
    left = (64 - (7 + 5 + label_w)) / 2
    c.stroke([(left + 5.5, 10), (left + 1, 15), (left + 5.5, 20)], 1.6, ink)
    img = c.result()
    crisp_text(img, (round(left + 12), 15), "返回", 14, ink, anchor="lm")
    return img


def check_box(selected):
    c = Canvas(15, 14)
    box = (0.5, 0, 14.5, 14)
    if selected:
        c.rrect(box, 3, BLUE)
        c.stroke([(3.8, 7.2), (6.3, 9.7), (11, 4.6)], 1.6, "#FFFFFF")
    else:
        c.rrect(box, 3, "#FFFFFF")
        c.rrect_outline(box, 3, 1, "#B9C0D0")
    return c.result()


def custom_arrow(state):
    ink = {1: INK_SOFT, 2: INK}[state]
    c = Canvas(16, 16)
    c.stroke([(6.2, 4), (10.2, 8), (6.2, 12)], 1.5, ink)
    return c.result()


def edit_frame():
    c = Canvas(340, 36)
    c.rrect((0, 0, 340, 36), 4, "#FFFFFF")
    c.rrect_outline((0, 0, 340, 36), 4, 1, "#D5DBE6")
    return c.result()


def browse_button(state):
    ink = {1: BLUE, 2: BLUE_HOT, 3: BLUE_PUSHED}[state]
    plate = {1: "#FFFFFF", 2: "#F2F7FF", 3: "#E3EEFF"}[state]
    c = Canvas(81, 36)
    c.rrect((0, 0, 81, 36), 4, plate)
    c.rrect_outline((0, 0, 81, 36), 4, 1, ink)
    img = c.result()
    crisp_text(img, (40.5, 18), "浏览", 14, ink)
    return img


def tip_bubble():
    c = Canvas(120, 36)
    body = (0, 0, 120, 30)
    bubble = "#2B2F45"
    c.rrect(body, 5, bubble, opacity=0.92)
    # Pointer down to the agreement check box below the bubble.
    c.polygon([(12, 29), (24, 29), (18, 35.5)], bubble, opacity=0.92)
    img = c.result()
    crisp_text(img, (60, 15), "请阅读后勾选同意", 12, "#FFFFFF")
    return img


def progress_track():
    c = Canvas(520, 8)
    c.rrect((0, 0, 520, 8), 2, "#E4EAF4")
    return c.result()


def progress_fill():
    c = Canvas(520, 8)
    c.rrect((0, 0, 520, 8), 2, c.linear(BLUE_LIGHT, BLUE, 0, 0, 520, 0))
    return c.result()


def finished_mark():
    c = Canvas(80, 80)
    c.circle(40, 40, 40, "#E8F1FF")
    c.circle(40, 42, 29, rgba(BLUE, 90), blur=3)
    c.circle(40, 40, 29, c.linear(BLUE_LIGHT, BLUE_PUSHED, 18, 14, 62, 66))
    c.stroke([(28, 40.5), (36.5, 49), (52.5, 32.5)], 5, "#FFFFFF")
    return c.result()


# ----------------------------------------------------------------------------
# Installing animation: an open book turning a page inside a spinning ring
# ----------------------------------------------------------------------------

FRAMES = 60
SPINE_X = 100.0
BOOK_SCALE = 1.18  # The book is drawn in a 100-pixel design box around (100, 108).


def book(x, y):
    return (SPINE_X + (x - SPINE_X) * BOOK_SCALE, 108 + (y - 108) * BOOK_SCALE)


def quad(p0, p1, p2, t):
    return tuple((1 - t) ** 2 * a + 2 * (1 - t) * t * b + t * t * c for a, b, c in zip(p0, p1, p2))


def page_point(u, v, side):
    """Point of a resting page: u from spine (0) to outer edge (1), v from
    top (0) to bottom (1); side -1 left, +1 right. The edges sag toward the
    spine like a real open book."""
    top = quad((SPINE_X, 80), (SPINE_X + side * 24, 72), (SPINE_X + side * 50, 74), u)
    bottom = quad((SPINE_X, 138), (SPINE_X + side * 24, 130), (SPINE_X + side * 50, 132), u)
    return book(top[0] + (bottom[0] - top[0]) * v, top[1] + (bottom[1] - top[1]) * v)


def page_outline(mapper, steps=16):
    pts = [mapper(i / steps, 0) for i in range(steps + 1)]
    pts += [mapper(1, 0.5)]
    pts += [mapper(1 - i / steps, 1) for i in range(steps + 1)]
    return pts


def page_lines(c, mapper, ink, opacity=1.0):
    for k in range(6):
        v = 0.17 + k * 0.13
        end = 0.84 if k != 5 else 0.55
        pts = [mapper(0.16 + (end - 0.16) * i / 10, v) for i in range(11)]
        c.stroke(pts, 2.2, ink, opacity=opacity)


def ease(t):
    return t * t * (3 - 2 * t)


def animation_frame(i):
    c = Canvas(200, 200)
    # Halo disc and the ring track.
    c.circle(100, 100, 86, "#F1F6FF")
    c.ring(100, 100, 94, 3.5, "#DCE7FB")
    # The spinning arc: one full turn per loop, so frame 59 leads into 0.
    start = -90 + i * 360 / FRAMES
    c.arc(100, 100, 92.25, start, start + 95, 3.5, BLUE)

    # Cover and its shadow.
    cover = [book(x, y) for x, y in (
        (SPINE_X, 84), (SPINE_X - 30, 76), (SPINE_X - 54, 78), (SPINE_X - 54, 137),
        (SPINE_X - 28, 135), (SPINE_X, 143), (SPINE_X + 28, 135), (SPINE_X + 54, 137),
        (SPINE_X + 54, 78), (SPINE_X + 30, 76))]
    c.polygon([(x, y + 4) for x, y in cover], rgba(BLUE_PUSHED, 60), blur=3)
    c.polygon(cover, c.linear(BLUE_LIGHT, BLUE_PUSHED, 0, 70, 0, 150))

    # Page stacks (a sliver of the lower pages shows under each top page).
    for side in (-1, 1):
        under = lambda u, v, s=side: (page_point(u, v, s)[0] + s * 1.5 * u,
                                      page_point(u, v, s)[1] + 2.2)
        c.polygon(page_outline(under), "#D9E6FB")
        rest = lambda u, v, s=side: page_point(u, v, s)
        c.polygon(page_outline(rest), "#FFFFFF")
        page_lines(c, rest, "#D3DFF2")
    c.stroke([book(SPINE_X, 80), book(SPINE_X, 138)], 1.2, "#C4D6F5")

    # The turning page: lifts off the right stack and lands on the left one
    # during the first three quarters of the loop, then the book rests.
    t = i / FRAMES
    if t < 0.75:
        theta = math.pi * ease(t / 0.75)
        cos_t, sin_t = math.cos(theta), math.sin(theta)

        def turning(u, v):
            x, y = page_point(u, v, 1)
            # Seen edge-on the page is foreshortened; its free edge rises.
            return (SPINE_X + (x - SPINE_X) * cos_t, y - 16 * sin_t * u ** 1.2)

        if 0.02 < t < 0.73:
            # The page's soft shadow on the stack it is passing over.
            shadow_side = 1 if cos_t > 0 else -1
            spread = 0.55 + 0.45 * abs(cos_t)
            shade = lambda u, v: (page_point(u * spread, v, shadow_side)[0],
                                  page_point(u * spread, v, shadow_side)[1] + 1)
            c.polygon(page_outline(shade), rgba("#1B3A78", 26), blur=2.5)
        # Lit on its front, shaded on its back as it turns away from the light.
        tint = mix("#FFFFFF", "#D2E2FA", sin_t if cos_t < 0 else 0.6 * sin_t)
        outline = page_outline(turning)
        c.polygon(outline, tint)
        c.stroke(outline + outline[:1], 1.0, "#BCD2F6", opacity=min(1.0, 2.5 * sin_t))
        page_lines(c, turning, "#D3DFF2", opacity=abs(cos_t) ** 0.5)
    return c.result()


# ----------------------------------------------------------------------------

def images():
    """Every file of the skin's res/ folder: (path, builder)."""
    out = []
    for n in (1, 2, 3):
        out.append((f"res/common/closebtn{n}.png", lambda n=n: title_button("close", n)))
    for n in (1, 2, 3):
        out.append((f"res/common/minbtn{n}.png", lambda n=n: title_button("min", n)))
    for n in (1, 2, 3):
        out.append((f"res/common/closebtnM_{n}.png", lambda n=n: title_button("close", n, dialog=True)))
    out.append(("res/MessageBoxWnd/icoQuest.png", icon_quest))
    out.append(("res/MessageBoxWnd/icoWarn.png", icon_warn))
    out.append(("res/MessageBoxWnd/icoNetwork.png", icon_network))
    bg = background()
    for n in (1, 2, 3, 4):
        out.append((f"res/mainWnd/bg{n}.png", lambda: bg))
    out.append(("res/mainWnd/logo.png", logo))
    for n in (1, 2, 3):
        out.append((f"res/mainWnd/installBtn{n}.png", lambda n=n: install_button(n)))
    for n in (1, 2, 3):
        out.append((f"res/mainWnd/backBtn{n}.png", lambda n=n: back_button(n)))
    out.append(("res/mainWnd/Cb1.png", lambda: check_box(False)))
    out.append(("res/mainWnd/Cb2.png", lambda: check_box(True)))
    out.append(("res/mainWnd/customeBtn1.png", lambda: custom_arrow(1)))
    out.append(("res/mainWnd/customeBtn2.png", lambda: custom_arrow(2)))
    out.append(("res/mainWnd/installDirEdit.png", edit_frame))
    # The hot and pushed browse images are spelled "chDirBt" in the layout.
    out.append(("res/mainWnd/chDirBtn1.png", lambda: browse_button(1)))
    out.append(("res/mainWnd/chDirBt2.png", lambda: browse_button(2)))
    out.append(("res/mainWnd/chDirBt3.png", lambda: browse_button(3)))
    out.append(("res/mainWnd/tipLbl.png", tip_bubble))
    out.append(("res/mainWnd/installPrg1.png", progress_track))
    out.append(("res/mainWnd/installPrg2.png", progress_fill))
    out.append(("res/mainWnd/finished.png", finished_mark))
    for i in range(FRAMES):
        out.append((f"res/mainWnd/installBtnAnimate/{i:03d}.png", lambda i=i: animation_frame(i)))
    return out


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "ui", "skin")
    rows = []
    for rel, build in images():
        img = build()
        path = os.path.join(out_dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        img.save(path, "PNG", optimize=True)
        rows.append((rel, img.size, os.path.getsize(path)))
    width = max(len(r[0]) for r in rows)
    print(f"{'file':<{width}}  {'pixels':>9}  {'bytes':>7}")
    for rel, (w, h), nbytes in rows:
        print(f"{rel:<{width}}  {w:>4} x {h:<3}  {nbytes:>7}")
    print(f"{len(rows)} images, {sum(r[2] for r in rows)} bytes, in {out_dir}")


if __name__ == "__main__":
    main()
