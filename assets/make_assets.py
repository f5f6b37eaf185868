#!/usr/bin/python3
"""Draws every image, the icon and the click sound of Velnor Part1 from scratch.

Run from anywhere with Debian's Python and Pillow (python3-pil):

    /usr/bin/python3 assets/make_assets.py

Fonts come from Debian packages by fixed path (fonts-dejavu-core, fonts-dejavu-extra,
fonts-urw-base35, fonts-noto-cjk) and nothing is random without a fixed seed, so a run
rewrites every output byte for byte. The outputs are committed; the build only embeds them.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
URW = "/usr/share/fonts/opentype/urw-base35/"
NOTO_CJK = "/usr/share/fonts/opentype/noto/"

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


FONT_PACKAGES = "fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35 fonts-noto-cjk"


def font(path, size, index=0):
    if not os.path.exists(path):
        sys.exit("missing font %s: apt-get install %s" % (path, FONT_PACKAGES))
    return ImageFont.truetype(path, size, index=index)


# ---------------------------------------------------------------------------------------------
# Colour helpers and quantisation


def mix(a, b, t):
    """Colour a blended towards b by t (0 = a, 1 = b)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def check_palette(pal):
    assert len(pal) == 16, len(pal)
    assert pal[0] == WHITE and pal[15] == BLACK, (pal[0], pal[15])
    assert len(set(pal)) == 16, "duplicate palette colour"


def _distance(c, p):
    # Weighted RGB distance ("redmean"), close enough to perceived difference for picking
    # the nearest of 16 colours.
    rm = (c[0] + p[0]) / 2
    dr, dg, db = c[0] - p[0], c[1] - p[1], c[2] - p[2]
    return (2 + rm / 256) * dr * dr + 4 * dg * dg + (2 + (255 - rm) / 256) * db * db


class Quantiser:
    """Maps drawn RGB pictures onto a sheet's 16 colours, each pixel to its nearest colour."""

    def __init__(self, pal):
        self.pal = pal
        self.cache = {}

    def index(self, c):
        c = tuple(c[:3])
        i = self.cache.get(c)
        if i is None:
            i = min(range(16), key=lambda k: (_distance(c, self.pal[k]), k))
            self.cache[c] = i
        return i

    def image(self, img):
        """RGB image -> list of rows of palette indices."""
        img = img.convert("RGB")
        w, h = img.size
        px = img.load()
        return [[self.index(px[x, y]) for x in range(w)] for y in range(h)]


def indices_to_image(rows, pal):
    h, w = len(rows), len(rows[0])
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        for x in range(w):
            px[x, y] = pal[rows[y][x]]
    return img


# ---------------------------------------------------------------------------------------------
# File writers: every byte is laid out here, not left to a library's choices.


def bmp4_bytes(rows, pal):
    """A 4-bit uncompressed bottom-up BMP: 14-byte file header, 40-byte info header, 16-entry
    colour table (B, G, R, 0), pixels at offset 118, rows padded to 4 bytes."""
    check_palette(pal)
    h, w = len(rows), len(rows[0])
    stride = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = rows[y]
        line = bytearray(stride)
        for x in range(w):
            v = row[x]
            assert 0 <= v < 16
            if x % 2 == 0:
                line[x // 2] |= v << 4
            else:
                line[x // 2] |= v
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    table = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in pal)
    offset = 14 + len(info) + len(table)
    assert offset == 118
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + bytes(pixels)


def ico_image_bytes(rows, pal):
    """One icon image: info header with doubled height, 16 colours, 4-bit XOR image, AND mask.
    The mask is all zero: the icon is opaque, its white background included."""
    check_palette(pal)
    h, w = len(rows), len(rows[0])
    stride = ((w * 4 + 31) // 32) * 4
    mask_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray(stride)
        for x in range(w):
            line[x // 2] |= rows[y][x] << (4 if x % 2 == 0 else 0)
        xor += line
    mask = bytes(mask_stride * h)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    table = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in pal)
    return info + table + bytes(xor) + mask


def ico_bytes(images):
    """images: list of (rows, pal), largest first."""
    blobs = [ico_image_bytes(r, p) for r, p in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for (rows, _), blob in zip(images, blobs):
        w, h = len(rows[0]), len(rows)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def wav_bytes(samples, rate):
    """16-bit mono PCM RIFF WAVE."""
    data = b"".join(struct.pack("<h", s) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def read_bmp4(path):
    """Reads back one of our BMPs: (rows of indices, palette). Used by the composition check."""
    with open(path, "rb") as f:
        data = f.read()
    w, h = struct.unpack_from("<ii", data, 18)
    pal = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(16)]
    stride = ((w * 4 + 31) // 32) * 4
    rows = []
    for y in range(h):
        base = 118 + (h - 1 - y) * stride
        rows.append([(data[base + x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(w)])
    return rows, pal


# ---------------------------------------------------------------------------------------------
# Text masks


def text_mask(fnt, text, baseline, height=20):
    """Text drawn with its natural advances as an 'L' mask of the given height, baseline at row
    `baseline` (ink of a flat-bottomed glyph ends on the row above), cropped to its ink columns.
    Returns the mask (None for blank text)."""
    width = int(fnt.getlength(text)) + 40
    img = Image.new("L", (width, height), 0)
    ImageDraw.Draw(img).text((10, baseline), text, font=fnt, fill=255, anchor="ls")
    box = img.getbbox()
    if box is None:
        return None
    return img.crop((box[0], 0, box[2], height))


def squash_mask(path, size, text, baseline, width, height=20):
    """Text drawn four times larger and reduced to exactly `width` ink columns: a condensed
    setting of a word that the font sets too wide for its cell."""
    k = 4
    big = text_mask(font(path, size * k), text, baseline * k, height * k)
    return big.resize((width, height), Image.BOX)


# ---------------------------------------------------------------------------------------------
# Glyph sheets FONT1 (side 1, blue) and FONT2 (side 2, red)
#
# Two rows of 20-pixel cells. Every glyph keeps a white column at each side of its cell and
# casts a soft grey shadow one pixel right and down, so cells set side by side (the clock's
# hh:mm:ss, a count and its counter word) read as evenly spaced text.

GLYPH_FONT = font(DEJAVU + "DejaVuSans-Bold.ttf", 16)  # digits and column letters
WORD_FONT_PATH = DEJAVU + "DejaVuSansCondensed-Bold.ttf"  # "Player", "Computer", the names
WORD_SIZE = 15
WORD_FONT = font(WORD_FONT_PATH, WORD_SIZE)
CJK_FONT = font(NOTO_CJK + "NotoSansCJK-Bold.ttc", 16, index=0)  # Noto Sans CJK JP Bold

LATIN_BASELINE = 15  # digits occupy rows 3..14 of a row-1 cell
NAME_BASELINE = 15
CJK_BASELINE = 16  # the 16-pixel em box spans rows 2..17

SHADOW_GREY = (176, 176, 176)
DRAW_GREY = (72, 72, 72)  # the draw message, "dark grey rather than blue"

FONT_INK = {1: (16, 64, 216), 2: (214, 22, 22)}

# (x, width) of the cells; row 1 is sheet rows 0..19, row 2 rows 20..39.
DIGIT_CELLS = [(14 * d, 14) for d in range(10)]
LETTER_CELLS = [(140 + 14 * (k - 1), 14) for k in range(1, 9)]
PLAYER_CELL = (252, 60)
COMPUTER_CELL = (312, 83)
COLON_CELL = (0, 14)
COUNTER_CELL = (14, 20)
WA_CELL = (34, 20)
NO_CELL = (54, 20)
CANNOT_CELL = (74, 76)
WINS_CELL = (150, 67)
NAME_CELL = (218, 67)
DRAW_CELL = (286, 100)
DOT_CELL = (386, 14)
ZARBO_LAST_X = 275  # side 2's name ends here; the rest of its cell stays white

COUNTER_WORD = {1: "缶", 2: "匹"}
SIDE_NAME = {1: "MopraGET", 2: "Zarbo"}


def font_palette(ink):
    greys = [(232,) * 3, (208,) * 3, SHADOW_GREY, (136,) * 3, (100,) * 3, DRAW_GREY]
    inks = [mix(WHITE, ink, a) for a in (0.16, 0.32, 0.48, 0.64, 0.8, 0.92)] + [ink]
    pal = [WHITE] + greys + inks + [mix(ink, BLACK, 0.35), BLACK]
    check_palette(pal)
    return pal


def cjk_mask(text, max_width):
    """Japanese on the font's full-width advances, tracked one pixel tighter per glyph only
    where the cell demands it ("置けません": five glyphs in 76 pixels), so every message
    keeps the font's own rhythm."""
    for tracking in (0, -1, -2):
        img = Image.new("L", (len(text) * 20 + 20, 20), 0)
        d = ImageDraw.Draw(img)
        for i, ch in enumerate(text):
            d.text((10 + i * (16 + tracking), CJK_BASELINE), ch, font=CJK_FONT, fill=255,
                   anchor="ls")
        box = img.getbbox()
        m = img.crop((box[0], 0, box[2], 20))
        if m.width <= max_width:
            return m
    raise ValueError("%r does not fit in %d columns" % (text, max_width))


def place_in_cell(mask, width, align="centre", last=None):
    """Left column for a glyph mask in a cell: centred with its shadow, or right-aligned so that
    its shadow ends on column `last`. One white column is kept at each side."""
    span = mask.width + 1  # ink plus shadow
    if align == "centre":
        left = (width - span + 1) // 2
    else:
        left = last - span + 1
    assert left >= 1 and left + span <= width - 1, (width, span, left)
    return left


def colon_mask():
    """The clock separator: the font's colon, its dots centred on the digits' height."""
    m = text_mask(GLYPH_FONT, ":", LATIN_BASELINE)
    digit = text_mask(GLYPH_FONT, "0", LATIN_BASELINE).getbbox()
    box = m.getbbox()
    shift = ((digit[1] + digit[3]) - (box[1] + box[3])) // 2
    out = Image.new("L", m.size, 0)
    out.paste(m, (0, shift))
    return out


def dot_mask():
    """The side-to-move dot, drawn 8x larger and reduced for smooth edges."""
    s = 8
    big = Image.new("L", (12 * s, 20 * s), 0)
    # Centred where the clock's digits are (rows 3..14), as wide as they are.
    cx, cy, r = 6.0 * s, 9.5 * s, 4.6 * s
    ImageDraw.Draw(big).ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    small = big.resize((12, 20), Image.BOX)
    box = small.getbbox()
    return small.crop((box[0], 0, box[2], 20))


def build_font_sheet(side):
    """Returns (rows of indices, palette, cell list for the preview grid)."""
    ink = FONT_INK[side]
    pal = font_palette(ink)
    sheet = Image.new("RGB", (400, 40), WHITE)
    cells = []

    def put(mask, row, cell, colour, align="centre", last=None):
        x0, w = cell
        y0 = 20 * row
        cells.append((x0, y0, w, 20))
        if mask is None:
            return
        left = place_in_cell(mask, w, align, last)
        # The shadow and the ink stay inside the cell's rows as well.
        box = mask.getbbox()
        assert box[1] >= 1 and box[3] + 1 <= 20, (cell, box)
        shadow = Image.new("L", (w, 20), 0)
        shadow.paste(mask, (left + 1, 1))
        glyph = Image.new("L", (w, 20), 0)
        glyph.paste(mask, (left, 0))
        region = sheet.crop((x0, y0, x0 + w, y0 + 20))
        region = Image.composite(Image.new("RGB", region.size, SHADOW_GREY), region, shadow)
        region = Image.composite(Image.new("RGB", region.size, colour), region, glyph)
        sheet.paste(region, (x0, y0))

    for d in range(10):
        put(text_mask(GLYPH_FONT, str(d), LATIN_BASELINE), 0, DIGIT_CELLS[d], ink)
    for k in range(8):
        put(text_mask(GLYPH_FONT, "abcdefgh"[k], LATIN_BASELINE), 0, LETTER_CELLS[k], ink)
    put(text_mask(WORD_FONT, "Player", LATIN_BASELINE), 0, PLAYER_CELL, ink)
    put(text_mask(WORD_FONT, "Computer", LATIN_BASELINE), 0, COMPUTER_CELL, ink)

    put(colon_mask(), 1, COLON_CELL, ink)
    for cell, text in ((COUNTER_CELL, COUNTER_WORD[side]), (WA_CELL, "は"), (NO_CELL, "の"),
                       (CANNOT_CELL, "置けません"), (WINS_CELL, "勝ちです")):
        put(cjk_mask(text, cell[1] - 3), 1, cell, ink)
    if side == 1:
        # "MopraGET" fills its cell: the word condensed to the cell's width.
        name = squash_mask(WORD_FONT_PATH, WORD_SIZE, SIDE_NAME[1], NAME_BASELINE,
                           NAME_CELL[1] - 3)
        put(name, 1, NAME_CELL, ink)
        put(cjk_mask("引き分けです", DRAW_CELL[1] - 3), 1, DRAW_CELL, DRAW_GREY)
        put(dot_mask(), 1, DOT_CELL, BLACK)
    else:
        # "Zarbo" is set at the font's own width and ends at ZARBO_LAST_X.
        name = text_mask(WORD_FONT, SIDE_NAME[2], NAME_BASELINE)
        put(name, 1, NAME_CELL, ink, "right", ZARBO_LAST_X - NAME_CELL[0])
        put(None, 1, DRAW_CELL, None)
        put(None, 1, DOT_CELL, None)
    return Quantiser(pal).image(sheet), pal, cells


# ---------------------------------------------------------------------------------------------
# Wooden frames: FRAME1 and FRAME2 (board border), FRAME3 and FRAME4 (panel)
#
# Both frames are designed as whole pictures in screen terms and the sheets are cut out of
# them, so the pieces meet without seams. The panel's pieces are reused (the dividers are made
# of halves of the top and bottom edges, short boxes use both ends of the side strips), which
# works because the panel's rails look the same in every 20-row band and its stiles depend on
# the column alone; check_frame_joins() proves that the drawing steps rebuild those pictures.

FRAME_PAL = [
    WHITE,
    (250, 246, 228),
    (244, 236, 208),
    (238, 226, 188),  # 3: cream, the wood's face
    (230, 215, 170),
    (220, 202, 152),
    (206, 186, 134),
    (188, 166, 114),
    (166, 145, 96),
    (142, 124, 80),
    (118, 104, 66),
    (96, 86, 54),
    (78, 70, 42),
    (60, 54, 32),  # 13: dark olive brown, the outline and the lettering
    (40, 36, 20),
    BLACK,
]
FACE = 3
OUTLINE = 13

BOARD = 351
BORDER = 35
LETTER_FONT = font(URW + "P052-BoldItalic.otf", 21)  # Palatino-like bold italic


def outer_profile(d, lit):
    """Colour index of the frame's rounded outer edge, d pixels in from the outline."""
    if d == 0:
        return OUTLINE
    return (1, 2, 3)[d - 1] if lit else (8, 6, 5)[d - 1]


def grain(u, v, seed):
    """Wood grain of a rail: streaks along u, v counted across the rail."""
    w = v + 1.3 * math.sin(u / 17.0 + seed) + 0.6 * math.sin(u / 6.3 + 2.1 * seed)
    s = math.sin(w * 2 * math.pi / 4.6 + seed * 0.7)
    t = math.sin(u / 41.0 + v / 3.0 + seed)
    if s > 0.93:
        return 5 if t > -0.2 else 6
    if s > 0.62:
        return 4
    return FACE


def board_frame_design():
    """The board's border as a 351 x 351 screen picture (the field left white): four rails
    with mitred corners, rounded outside, a groove, and a chamfer down to the playing field."""
    img = [[0] * BOARD for _ in range(BOARD)]
    last = BOARD - 1
    seeds = {"top": 0.4, "bottom": 2.3, "left": 4.1, "right": 5.6}
    for y in range(BOARD):
        for x in range(BOARD):
            dist = {"top": y, "left": x, "bottom": last - y, "right": last - x}
            side = min(("top", "left", "bottom", "right"), key=lambda s: (dist[s], s))
            d = dist[side]
            if d >= BORDER:
                continue
            lit = side in ("top", "left")
            along = x if side in ("top", "bottom") else y
            # The mitre: the diagonal where two rails meet shows as a fine joint.
            others = sorted(dist.values())
            mitre = others[0] == others[1] and 4 <= d <= 29
            if d <= 3:
                c = outer_profile(d, lit)
            elif mitre:
                c = 6
            elif d <= 27:
                c = grain(along, d, seeds[side])
            elif d == 28:
                c = 7  # groove
            elif d == 29:
                c = 1
            elif d <= 32:
                # Chamfer down to the field: in shadow on the top and left rails, lit on the
                # bottom and right ones.
                c = (5, 6, 7)[d - 30] if lit else (2, 1, 2)[d - 30]
            elif d == 33:
                c = 10
            else:
                c = 12
            img[y][x] = c
    return img


def engrave(rgb, texts, fnt, centres):
    """Dark italic labels centred on the given points, all set on a common baseline (their
    joint height is centred), with a light edge below-right as if cut into the wood."""
    masks = [text_mask(fnt, t, 30, 40) for t in texts]
    top = min(m.getbbox()[1] for m in masks)
    bottom = max(m.getbbox()[3] for m in masks)
    light = Image.new("L", rgb.size, 0)
    ink = Image.new("L", rgb.size, 0)
    for m, (cx, cy) in zip(masks, centres):
        x = int(round(cx - m.width / 2.0))
        y = int(round(cy - (top + bottom) / 2.0))
        light.paste(m, (x + 1, y + 1))
        ink.paste(m, (x, y))
    light = light.point(lambda v: v * 3 // 4)
    rgb.paste(Image.composite(Image.new("RGB", rgb.size, FRAME_PAL[1]), rgb, light))
    rgb.paste(Image.composite(Image.new("RGB", rgb.size, FRAME_PAL[OUTLINE]), rgb, ink))


def build_board_border():
    """FRAME1 (top and bottom borders) and FRAME2 (left and right borders)."""
    design = board_frame_design()
    rgb = indices_to_image(design, FRAME_PAL)
    mid = BORDER / 2.0 - 1.5  # the middle of the rail's flat face (rows 4..27)
    engrave(rgb, "abcdefgh", LETTER_FONT, [(35 * k + 17.5, mid + 1) for k in range(1, 9)])
    engrave(rgb, "12345678", LETTER_FONT, [(mid, 35 * k + 17.5) for k in range(1, 9)])
    q = Quantiser(FRAME_PAL)
    screen = q.image(rgb)
    frame1 = [row[:] for row in screen[0:BORDER]] + [row[:] for row in screen[316:351]]
    frame2 = [screen[y][0:BORDER] + screen[y][316:351] for y in range(35, 316)]
    return frame1, frame2, screen


# The panel, in its own coordinates (screen x - 351): boxes at x 20..159; rails are 20-row
# bands above, between and below them; stiles the 20 columns at each side.
PANEL_W, PANEL_H = 180, 351
PANEL_BOXES = [(20, 64), (85, 164), (185, 264), (285, 330)]
RAIL_TOPS = [0, 65, 165, 265, 331]


def panel_design():
    img = [[0] * PANEL_W for _ in range(PANEL_H)]
    for y in range(PANEL_H):
        for x in range(PANEL_W):
            img[y][x] = panel_pixel(x, y)
    return img


def stile_colour(x):
    """Vertical grain: the stiles' colour depends on the column alone."""
    u = x if x < 90 else PANEL_W - 1 - x
    pattern = {4: 4, 5: FACE, 6: FACE, 7: 5, 8: 4, 9: FACE, 10: FACE, 11: FACE, 12: 4,
               13: 6, 14: 4, 15: FACE, 16: FACE, 17: 4}
    return pattern[u]


def panel_pixel(x, y):
    last_x, last_y = PANEL_W - 1, PANEL_H - 1
    dist = {"top": y, "left": x, "bottom": last_y - y, "right": last_x - x}
    side = min(("top", "left", "bottom", "right"), key=lambda s: (dist[s], s))
    d = dist[side]
    if d <= 3:
        return outer_profile(d, side in ("top", "left"))
    for top, bottom in PANEL_BOXES:
        if top <= y <= bottom and 20 <= x <= 159:
            return 0  # box interior
    # Rim around each box: a dark line next to the white, outside it a bevel in shadow on the
    # top and left, lit on the bottom and right, so the boxes look sunk into the wood.
    for top, bottom in PANEL_BOXES:
        dx = max(20 - x, 0, x - 159)
        dy = max(top - y, 0, y - bottom)
        ring = max(dx, dy)
        if ring == 1:
            return 12
        if ring == 2:
            shade_x = -1 if x < 20 else (1 if x > 159 else 0)
            shade_y = -1 if y < top else (1 if y > bottom else 0)
            if dx > dy:
                lit = shade_x > 0
            elif dy > dx:
                lit = shade_y > 0
            elif shade_x == shade_y:
                lit = shade_x > 0
            else:
                return 5
            return 2 if lit else 8
    if x < 18 or x > 161:
        return stile_colour(x)
    # Rails, the same in every band: v is the row within the band.
    v = max(t for t in RAIL_TOPS if t <= y)
    v = y - v
    if x == 18 or x == 161:
        return 6  # joint between rail and stile
    return grain(x, v + 3, 1.7)


def build_panel_frame():
    """FRAME3 (edges above and below a box) and FRAME4 (strips left and right of a box)."""
    design = panel_design()
    frame3 = [row[:] for row in design[0:20]] + [row[:] for row in design[331:351]]
    frame4 = [design[y][0:20] + design[y][160:180] for y in range(85, 165)]
    return frame3, frame4, design


# ---------------------------------------------------------------------------------------------
# The static frame, composed the way the program draws it, to check that the pieces join.

SCREEN_W, SCREEN_H = 531, 351


class Screen:
    """A 531 x 351 back buffer of RGB pixels with the program's opaque rectangle copy."""

    def __init__(self, sheets):
        self.sheets = sheets  # name -> (rows, palette)
        self.img = Image.new("RGB", (SCREEN_W, SCREEN_H), WHITE)
        self.px = self.img.load()

    def blit(self, dx, dy, w, h, sx, sy, name):
        rows, pal = self.sheets[name]
        assert 0 <= sx and sx + w <= len(rows[0]) and 0 <= sy and sy + h <= len(rows), name
        for y in range(h):
            for x in range(w):
                self.px[dx + x, dy + y] = pal[rows[sy + y][sx + x]]

    def fill(self, x0, y0, w, h, colour=WHITE):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.px[x, y] = colour

    def static_frame(self):
        b = self.blit
        b(371, 20, 140, 45, 0, 0, "TITLE")
        b(0, 0, 351, 35, 0, 0, "FRAME1")
        b(0, 316, 351, 35, 0, 35, "FRAME1")
        b(0, 35, 35, 281, 0, 0, "FRAME2")
        b(316, 35, 35, 281, 35, 0, "FRAME2")
        b(351, 0, 180, 20, 0, 0, "FRAME3")
        b(351, 331, 180, 20, 0, 20, "FRAME3")
        for i in range(3):
            b(351, 65 + 100 * i, 180, 10, 0, 20, "FRAME3")
            b(351, 75 + 100 * i, 180, 10, 0, 10, "FRAME3")
        for i in range(2):
            x, sx = 351 + 160 * i, 20 * i
            for j in range(2):
                b(x, 85 + 100 * j, 20, 80, sx, 0, "FRAME4")
                b(x, 20 + 265 * j, 20, 23, sx, 0, "FRAME4")
                b(x, 43 + 265 * j, 20, 22 + j, sx, 58 - j, "FRAME4")
        for i in range(2):
            b(378, 109 + 100 * i, 32, 32, 32 * i, 0, "PIECE")
            b(426 + 38 * i, 145, 14, 20, 0, 20, "FONT1")
            b(426 + 38 * i, 245, 14, 20, 0, 20, "FONT2")
        b(445, 115, 20, 20, 14, 20, "FONT1")
        b(445, 215, 20, 20, 14, 20, "FONT2")
        # Grid: lines leave out their end points, so (315, 315) stays white.
        for i in range(9):
            p = 35 + 35 * i
            for t in range(35, 315):
                self.px[t, p] = BLACK
                self.px[p, t] = BLACK
        for i in range(2):
            for j in range(2):
                self.fill(103 + 140 * j, 103 + 140 * i, 5, 5, BLACK)


def check_frame_joins(sheets, board_screen, panel):
    """The composed static frame must show the board border and the panel exactly as designed:
    no seam where pieces meet."""
    s = Screen(sheets)
    s.static_frame()
    for y in range(SCREEN_H):
        for x in range(BOARD):
            if 35 <= x <= 315 and 35 <= y <= 315:
                continue
            want = FRAME_PAL[board_screen[y][x]]
            assert s.px[x, y] == want, ("board border", x, y)
        for x in range(BOARD, SCREEN_W):
            px, want = x - BOARD, FRAME_PAL[panel[y][x - BOARD]]
            inside_box = 20 <= px <= 159 and any(t <= y <= b for t, b in PANEL_BOXES)
            if not inside_box:
                assert s.px[x, y] == want, ("panel", x, y)
    return s


# ---------------------------------------------------------------------------------------------
# TITLE: "Velnor" in gold, "Part1" in dark italic at its lower right, version and date below.

TITLE_PAL = [
    WHITE,
    (255, 249, 214),
    (255, 236, 150),
    (250, 214, 92),
    (236, 186, 50),
    (212, 152, 28),
    (176, 116, 16),
    (128, 80, 8),
    (86, 54, 8),  # 8: the gold letters' outline
    (232, 232, 232),
    (204, 204, 204),
    (168, 168, 168),
    (124, 124, 124),
    (84, 84, 84),
    (44, 44, 52),  # 14: dark text
    BLACK,
]
TITLE_W, TITLE_H = 140, 45
TITLE_TEXT = "Velnor"
TITLE_FONT_PATH = URW + "P052-Bold.otf"
SUBTITLE_FONT = font(URW + "P052-BoldItalic.otf", 15)
SMALL_FONT = font(DEJAVU + "DejaVuSans.ttf", 9)
VERSION_LINE = "Version 1.0"
DATE_LINE = "Released 2026.12.07"


def build_title():
    s = 4  # drawn four times larger, then reduced
    big_font = font(TITLE_FONT_PATH, 28 * s)
    W, H = TITLE_W * s, TITLE_H * s
    mask = Image.new("L", (W, H), 0)
    base = 23
    ImageDraw.Draw(mask).text((5 * s, base * s), TITLE_TEXT, font=big_font, fill=255, anchor="ls")
    box = mask.getbbox()
    # Outline: the letters grown by about one pixel.
    outline = mask.filter(ImageFilter.MaxFilter(2 * s + 1))
    # Gold from pale at the top of the letters to deep at the baseline.
    gold = Image.new("RGB", (W, H))
    gd = ImageDraw.Draw(gold)
    stops = [TITLE_PAL[2], TITLE_PAL[3], TITLE_PAL[4], TITLE_PAL[5], TITLE_PAL[6]]
    for y in range(H):
        t = min(max((y - box[1]) / float(box[3] - box[1]), 0.0), 1.0) * (len(stops) - 1)
        i = min(int(t), len(stops) - 2)
        gd.line((0, y, W, y), fill=mix(stops[i], stops[i + 1], t - i))
    # A pale streak across the upper third gives the metal its shine.
    shine_y = box[1] + (box[3] - box[1]) * 0.3
    for y in range(int(shine_y - 2 * s), int(shine_y + 2 * s)):
        gd.line((0, y, W, y), fill=TITLE_PAL[1])
    img = Image.new("RGB", (W, H), WHITE)
    shadow = Image.new("L", (W, H), 0)
    shadow.paste(outline, (2 * s, 2 * s))
    img = Image.composite(Image.new("RGB", (W, H), TITLE_PAL[10]), img, shadow)
    img = Image.composite(Image.new("RGB", (W, H), TITLE_PAL[8]), img, outline)
    img = Image.composite(gold, img, mask)
    img = img.resize((TITLE_W, TITLE_H), Image.BOX)

    # "Part1" at the lower right end of the name, on its baseline; small lines below, drawn
    # at full size for crisp hinted strokes.
    title_right = int(math.ceil(box[2] / float(s)))
    part = text_mask(SUBTITLE_FONT, "Part1", base, TITLE_H)
    px = min(title_right + 3, TITLE_W - 2 - part.width)
    ink = Image.new("L", (TITLE_W, TITLE_H), 0)
    ink.paste(part, (px, 0))
    for text, baseline in ((VERSION_LINE, 33), (DATE_LINE, 42)):
        m = text_mask(SMALL_FONT, text, baseline, TITLE_H)
        ink.paste(m, ((TITLE_W - m.width) // 2, 0), m)
    img = Image.composite(Image.new("RGB", img.size, TITLE_PAL[14]), img, ink)
    return Quantiser(TITLE_PAL).image(img), TITLE_PAL


# ---------------------------------------------------------------------------------------------
# PIECE: four 32 x 32 tiles on white: spray can, insect, guide marker, thinking marker.

PIECE_PAL = [
    WHITE,
    (226, 226, 226),  # 1: pale grey lens
    (178, 178, 178),  # 2: grey handle
    (116, 116, 116),  # 3: dark grey rim
    (60, 60, 60),
    (196, 244, 252),  # 5: cyan lens highlight
    (40, 200, 230),  # 6: cyan lens
    (150, 186, 255),  # 7: light blue
    (44, 92, 232),  # 8: blue
    (22, 44, 150),  # 9: dark blue
    (255, 160, 150),  # 10: light red
    (226, 32, 32),  # 11: red
    (146, 12, 12),  # 12: dark red
    (210, 232, 255),  # 13: very light blue
    (255, 226, 110),  # 14: yellow
    BLACK,
]
P = {name: PIECE_PAL[i] for i, name in enumerate(
    ["white", "pale", "grey", "rim", "dark", "cyanhi", "cyan", "lightblue", "blue", "darkblue",
     "lightred", "red", "darkred", "paleblue", "yellow", "black"])}

SS = 8  # supersampling factor for the drawn pictures


class Canvas:
    """A picture drawn SS times larger in tile coordinates (floats), reduced at the end."""

    def __init__(self, w=32, h=32, bg=WHITE):
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * SS, h * SS), bg)
        self.d = ImageDraw.Draw(self.img)

    def _p(self, pts):
        return [(x * SS, y * SS) for x, y in pts]

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0):
        self.d.ellipse((SS * (cx - rx), SS * (cy - ry), SS * (cx + rx), SS * (cy + ry)),
                       fill=fill, outline=outline, width=int(width * SS))

    def polygon(self, pts, fill):
        self.d.polygon(self._p(pts), fill=fill)

    def line(self, pts, fill, width):
        self.d.line(self._p(pts), fill=fill, width=int(round(width * SS)), joint="curve")
        r = width * SS / 2.0
        for x, y in self._p([pts[0], pts[-1]]):
            self.d.ellipse((x - r, y - r, x + r, y + r), fill=fill)

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle((SS * x0, SS * y0, SS * x1 - 1, SS * y1 - 1), fill=fill)

    def reduce(self):
        return self.img.resize((self.w, self.h), Image.BOX)


# Tiny lettering for the can's label, one string per pixel row ('#' = ink).
MICRO = {
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "o": ["...", "...", ".#.", "#.#", ".#."],
    "p": ["...", "...", "##.", "#.#", "##.", "#..", "#.."],
    "r": ["..", "..", "##", "#.", "#."],
    "a": ["...", "...", "##.", ".##", "###"],
    "G": [".##", "#..", "#.#", "#.#", ".##"],
    "E": ["##", "#.", "##", "#.", "##"],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
}


def micro_text(rows, x, y, text, colour_index, gap=1):
    for ch in text:
        glyph = MICRO[ch]
        for dy, line in enumerate(glyph):
            for dx, c in enumerate(line):
                if c == "#":
                    rows[y + dy][x + dx] = colour_index
        x += len(glyph[0]) + gap
    return x


def micro_width(text, gap=1):
    return sum(len(MICRO[c][0]) for c in text) + gap * (len(text) - 1)


SPRAY_MIST = [
    "........................p..p....",
    ".....................g...b...p..",
    "....................b..p..g.....",
    "...................b.b...b..p...",
    "....................b..g...p....",
    "......................p..p......",
]


def draw_spray_can():
    c = Canvas()
    left, right, top, bottom = 2.0, 26.0, 12.0, 31.0
    mid = (left + right) / 2
    ox, oy = 18.6, 5.2  # the nozzle's opening
    # Body: a blue cylinder lit from the left, with a domed top.
    c.rect(left, top, right, bottom - 1, P["blue"])
    c.ellipse(mid, bottom - 1.2, (right - left) / 2, 1.2, P["blue"])
    c.ellipse(mid, top, (right - left) / 2, 4.0, P["blue"])
    c.rect(left + 0.8, top, left + 2.0, bottom - 1, P["lightblue"])
    c.ellipse(mid - 5.5, top - 1.2, 4.5, 1.5, P["lightblue"])
    c.rect(right - 1.4, top, right, bottom - 1, P["darkblue"])
    # Valve cup and stem.
    c.ellipse(mid, top - 3.2, 4.2, 1.6, P["rim"])
    c.ellipse(mid, top - 3.6, 3.4, 1.1, P["pale"])
    c.rect(mid - 2.5, 6.5, mid + 2.5, top - 3.4, P["grey"])
    c.rect(mid - 2.5, 6.5, mid - 1.3, top - 3.4, P["pale"])
    # The red actuator, its opening turned to the upper right.
    c.polygon([(mid - 4.0, 7.6), (mid - 4.0, 4.4), (mid + 2.6, 3.0), (ox + 0.6, 4.4),
               (ox - 0.4, 7.6)], P["red"])
    c.polygon([(mid - 4.0, 4.4), (mid + 2.6, 3.0), (mid + 3.4, 3.9), (mid - 3.4, 5.4)],
              P["lightred"])
    c.ellipse(ox, oy - 0.6, 1.0, 1.0, P["darkred"])
    rows = Quantiser(PIECE_PAL).image(c.reduce())
    # The mist, sprayed to the upper right: droplets set pixel by pixel in a widening cone,
    # denser and bluer near the nozzle.
    for y, line in enumerate(SPRAY_MIST):
        for x, ch in enumerate(line):
            if ch != ".":
                rows[y][x] = {"b": 7, "p": 13, "g": 2}[ch]
    # Label: a white band with "Mopra" in red over "GET" in black, set pixel by pixel.
    lx0, lx1 = int(left) + 1, int(right) - 1
    for y in range(14, 29):
        for x in range(lx0, lx1):
            rows[y][x] = 0 if 15 <= y <= 27 else 13
    micro_text(rows, lx0 + (lx1 - lx0 - micro_width("Mopra") + 1) // 2, 15, "Mopra", 11)
    micro_text(rows, lx0 + (lx1 - lx0 - micro_width("GET") + 1) // 2, 22, "GET", 15)
    return rows


def draw_insect(c, cx, cy, scale, leg_width):
    """A red insect seen from above, head up: six jointed black legs, two feelers, head,
    thorax and a large abdomen with a seam and a highlight. Coordinates are in a 32-unit box
    around (cx, cy) times scale."""

    def pt(x, y):
        return (cx + x * scale, cy + y * scale)

    black = P["black"]
    legs = [
        [(-3.0, -3.0), (-8.0, -7.0), (-9.5, -11.5)],
        [(-3.5, 0.5), (-9.5, -0.5), (-12.5, 3.5)],
        [(-3.0, 4.0), (-8.0, 8.0), (-9.0, 13.0)],
    ]
    for leg in legs:
        c.line([pt(x, y) for x, y in leg], black, leg_width)
        c.line([pt(-x, y) for x, y in leg], black, leg_width)
    for sign in (-1, 1):
        c.line([pt(sign * 1.5, -9.0), pt(sign * 4.0, -12.5), pt(sign * 7.5, -14.0)], black,
               leg_width)
    # Abdomen, thorax, head.
    c.ellipse(*pt(0, 4.5), 7.0 * scale, 9.0 * scale, P["darkred"])
    c.ellipse(*pt(0, 4.2), 6.0 * scale, 8.1 * scale, P["red"])
    c.ellipse(*pt(0, -4.0), 4.6 * scale, 3.6 * scale, P["darkred"])
    c.ellipse(*pt(0, -4.2), 3.8 * scale, 2.9 * scale, P["red"])
    c.ellipse(*pt(0, -9.0), 3.0 * scale, 2.6 * scale, P["darkred"])
    # Eyes.
    c.ellipse(*pt(-1.7, -9.8), 1.0 * scale, 1.0 * scale, black)
    c.ellipse(*pt(1.7, -9.8), 1.0 * scale, 1.0 * scale, black)
    # Seam between the wing cases and a highlight on each.
    c.line([pt(0, -1.0), pt(0, 12.5)], P["darkred"], 0.9 * scale)
    c.ellipse(*pt(-3.0, 1.5), 1.3 * scale, 2.4 * scale, P["lightred"])
    c.ellipse(*pt(3.0, 1.5), 0.9 * scale, 1.8 * scale, P["lightred"])


def draw_insect_tile():
    c = Canvas()
    draw_insect(c, 16.0, 16.5, 1.0, 1.25)
    return Quantiser(PIECE_PAL).image(c.reduce())


def draw_magnifier(lens, lens_light, handle, handle_dark):
    c = Canvas()
    cx, cy, r = 13.0, 13.0, 8.5
    c.line([(19.5, 19.5), (27.0, 27.0)], handle_dark, 4.6)
    c.line([(19.5, 19.5), (26.6, 26.6)], handle, 3.2)
    c.ellipse(cx, cy, r + 1.6, r + 1.6, P["rim"])
    c.ellipse(cx, cy, r, r, lens)
    # A crescent of light in the glass, upper left.
    c.ellipse(cx - 2.6, cy - 2.6, 3.0, 3.0, lens_light)
    c.ellipse(cx - 1.4, cy - 1.4, 3.2, 3.2, lens)
    return Quantiser(PIECE_PAL).image(c.reduce())


def build_piece():
    tiles = [
        draw_spray_can(),
        draw_insect_tile(),
        draw_magnifier(P["pale"], WHITE, P["grey"], P["rim"]),
        draw_magnifier(P["cyan"], P["cyanhi"], P["blue"], P["darkblue"]),
    ]
    rows = [sum((t[y] for t in tiles), []) for y in range(32)]
    return rows, PIECE_PAL


# ---------------------------------------------------------------------------------------------
# ICON: the insect on white, 32 x 32 and 16 x 16, 16 colours each.


# At 16 x 16 a drawn insect blurs; this one is set pixel by pixel.
ICON16 = [
    "..kk........kk..",
    "....k......k....",
    ".....k....k.....",
    "..k...dddd...k..",
    "..k...krrk...k..",
    "...k..drrd..k...",
    "....kdrrrrdk....",
    ".....drlrrd.....",
    "....ddrrrrdd....",
    "kkkkdrlrrrrdkkkk",
    "....drlrrrrd....",
    "....drrrrrrd....",
    "...kdrrrrrrdk...",
    "..k.ddrrrrdd.k..",
    ".k...ddrrdd...k.",
    "k.....dddd.....k",
]
ICON16_COLOURS = {".": 0, "k": 15, "d": 12, "r": 11, "l": 10}


def build_icon_images():
    big = Canvas(32, 32)
    draw_insect(big, 16.0, 16.5, 1.0, 1.3)
    small = [[ICON16_COLOURS[c] for c in line] for line in ICON16]
    return [(Quantiser(PIECE_PAL).image(big.reduce()), PIECE_PAL), (small, PIECE_PAL)]


# ---------------------------------------------------------------------------------------------
# CLICK: a short wooden "tock" of 679 frames at 22050 Hz, 16-bit mono PCM.

CLICK_RATE = 22050
CLICK_FRAMES = 679


def build_click():
    rnd = random.Random(7)
    out = []
    for n in range(CLICK_FRAMES):
        t = n / float(CLICK_RATE)
        attack = min(1.0, t / 0.0004)  # a 9-sample rise: starts from silence
        body = 0.55 * math.sin(2 * math.pi * 1250 * t) * math.exp(-t / 0.0045)
        knock = 0.35 * math.sin(2 * math.pi * 520 * t + 0.6) * math.exp(-t / 0.0085)
        ring = 0.18 * math.sin(2 * math.pi * 2870 * t) * math.exp(-t / 0.0022)
        tick = 0.25 * (rnd.random() * 2 - 1) * math.exp(-t / 0.0008)
        v = attack * (body + knock + ring + tick)
        # Fade the tail to silence so the sound ends without a step.
        left = CLICK_FRAMES - 1 - n
        if left < 80:
            v *= left / 80.0
        out.append(int(round(max(-1.0, min(1.0, v)) * 0.7 * 32767)))
    return out


# ---------------------------------------------------------------------------------------------
# preview.png: every sheet and the icon at three times their size, glyph cells and tiles
# outlined, for reviewing the art at a glance.

PREVIEW_SCALE = 3
PREVIEW_BG = (120, 120, 120)
GRID = (255, 0, 255)
CAPTION_FONT = font(DEJAVU + "DejaVuSans-Bold.ttf", 13)


def build_preview(sheets, font_cells, icons):
    k = PREVIEW_SCALE

    def big(name):
        rows, pal = sheets[name]
        return indices_to_image(rows, pal).resize((len(rows[0]) * k, len(rows) * k), Image.NEAREST)

    items = {name: big(name) for name in sheets}
    for i, (rows, pal) in enumerate(icons):
        items["ICON %dx%d" % (len(rows[0]), len(rows))] = indices_to_image(rows, pal).resize(
            (len(rows[0]) * k, len(rows) * k), Image.NEAREST)

    def outline_cells(img, cells):
        d = ImageDraw.Draw(img)
        for x, y, w, h in cells:
            d.rectangle((x * k, y * k, (x + w) * k - 1, (y + h) * k - 1), outline=GRID)

    for name in ("FONT1", "FONT2"):
        outline_cells(items[name], font_cells[name])
    outline_cells(items["PIECE"], [(32 * i, 0, 32, 32) for i in range(4)])

    layout = [
        ["TITLE", "PIECE", "ICON 32x32", "ICON 16x16"],
        ["FONT1"],
        ["FONT2"],
        ["FRAME1"],
        ["FRAME2", "FRAME3", "FRAME4"],
    ]
    pad, caption = 12, 18
    width = max(sum(items[n].width for n in row) + pad * (len(row) + 1) for row in layout)
    height = sum(max(items[n].height for n in row) + caption + pad for row in layout) + pad
    out = Image.new("RGB", (width, height), PREVIEW_BG)
    d = ImageDraw.Draw(out)
    y = pad
    for row in layout:
        x = pad
        for name in row:
            d.text((x, y), name, font=CAPTION_FONT, fill=WHITE)
            out.paste(items[name], (x, y + caption))
            x += items[name].width + pad
        y += max(items[n].height for n in row) + caption + pad
    return out


# ---------------------------------------------------------------------------------------------


def write(name, data):
    path = os.path.join(HERE, name)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (name, len(data)))


def build_all():
    """Builds every sheet; returns (sheets, font cells, icon images, frame designs)."""
    sheets = {}
    font_cells = {}
    sheets["TITLE"] = build_title()
    sheets["PIECE"] = build_piece()
    for side in (1, 2):
        rows, pal, cells = build_font_sheet(side)
        sheets["FONT%d" % side] = (rows, pal)
        font_cells["FONT%d" % side] = cells
    frame1, frame2, board_screen = build_board_border()
    frame3, frame4, panel = build_panel_frame()
    for name, rows in (("FRAME1", frame1), ("FRAME2", frame2), ("FRAME3", frame3),
                       ("FRAME4", frame4)):
        sheets[name] = (rows, FRAME_PAL)
    return sheets, font_cells, build_icon_images(), (board_screen, panel)


SHEET_SIZES = {
    "TITLE": (140, 45), "PIECE": (128, 32), "FONT1": (400, 40), "FONT2": (400, 40),
    "FRAME1": (351, 70), "FRAME2": (70, 281), "FRAME3": (180, 40), "FRAME4": (40, 80),
}


def main():
    sheets, font_cells, icons, (board_screen, panel) = build_all()
    for name, (w, h) in SHEET_SIZES.items():
        rows, pal = sheets[name]
        assert (len(rows[0]), len(rows)) == (w, h), name
        write(name + ".bmp", bmp4_bytes(rows, pal))
    check_frame_joins(sheets, board_screen, panel)
    write("ICON.ico", ico_bytes(icons))
    # The desktop's icon theme takes PNG: the 32 x 32 image as it stands.
    rows, pal = icons[0]
    indices_to_image(rows, pal).save(os.path.join(HERE, "ICON.png"), optimize=False,
                                     compress_level=9)
    print("wrote ICON.png")
    write("CLICK.wav", wav_bytes(build_click(), CLICK_RATE))
    preview = build_preview(sheets, font_cells, icons)
    path = os.path.join(HERE, "preview.png")
    preview.save(path, optimize=False, compress_level=9)
    print("wrote preview.png")


if __name__ == "__main__":
    sys.exit(main())
