#!/usr/bin/python3
"""Composes mock screens from the committed sheets, the way the program draws them, to review
the art in place: the static frame, some pieces and markers, and the side panel's fields in a
few situations (start, a pass, wins for each side, a draw).

    /usr/bin/python3 assets/mock_screen.py [OUT_DIR]

Writes mock_screen.png (the situations side by side at 1:1) and mock_panel.png (the panels
enlarged 3x) to OUT_DIR, by default assets/ (both are ignored by git).
"""

import os
import sys

from PIL import Image

import make_assets as art

NAMES = ["TITLE", "PIECE", "FONT1", "FONT2", "FRAME1", "FRAME2", "FRAME3", "FRAME4"]


def load_sheets():
    return {n: art.read_bmp4(os.path.join(art.HERE, n + ".bmp")) for n in NAMES}


class Game:
    """Just enough of the panel's drawing to place every field as the program does."""

    def __init__(self, sheets):
        self.s = art.Screen(sheets)
        self.s.static_frame()

    def glyph_sheet(self, side):
        return "FONT%d" % side

    def square(self, x, y, tile):
        left, top = 35 * x + 2, 35 * y + 2
        if tile == 0:
            self.s.fill(left, top, 32, 32)
        else:
            self.s.blit(left, top, 32, 32, 32 * tile - 32, 0, "PIECE")

    def labels(self, types):
        for side, y in ((1, 85), (2, 185)):
            g = self.glyph_sheet(side)
            self.s.fill(371, y, 140, 20)
            level, other = types[side - 1], types[2 - side]
            if level:
                self.s.blit(392, y, 83, 20, 312, 0, g)
                self.s.blit(476, y, 14, 20, 14 * level, 0, g)
            elif other:
                self.s.blit(411, y, 60, 20, 252, 0, g)
            else:
                self.s.blit(404, y, 60, 20, 252, 0, g)
                self.s.blit(464, y, 14, 20, 14 * side, 0, g)

    def counts(self, c1, c2):
        for side, c, y in ((1, c1, 116), (2, c2, 216)):
            g = self.glyph_sheet(side)
            self.s.blit(417, y, 14, 20, 14 * (c // 10), 0, g)
            self.s.blit(431, y, 14, 20, 14 * (c % 10), 0, g)

    def last_move(self, side, code):
        y = 116 if side == 1 else 216
        g = self.glyph_sheet(side)
        self.s.blit(476, y, 14, 20, 14 * (code // 10) + 126, 0, g)
        self.s.blit(490, y, 14, 20, 14 * (code % 10), 0, g)

    def dot(self, side):
        self.s.fill(380, 145, 14, 20)
        self.s.fill(380, 245, 14, 20)
        if side:
            self.s.blit(380, 45 + 100 * side, 14, 20, 386, 20, "FONT1")

    def clock(self, side, t):
        y = 145 if side == 1 else 245
        g = self.glyph_sheet(side)
        h, m, s = t // 3600, (t % 3600) // 60, t % 60
        for x, d in ((400, h // 10), (414, h % 10), (438, m // 10), (452, m % 10),
                     (476, s // 10), (490, s % 10)):
            self.s.blit(x, y, 14, 20, 14 * d, 0, g)

    def message(self, kind, side=0, n=0):
        self.s.fill(371, 285, 140, 46)
        if kind == "draw":
            self.s.blit(391, 298, 100, 20, 286, 20, "FONT1")
        elif kind == "win":
            g = self.glyph_sheet(side)
            self.s.blit(383, 310, 14, 20, 14 * (n // 10), 0, g)
            self.s.blit(397, 310, 14, 20, 14 * (n % 10), 0, g)
            self.s.blit(411, 309, 20, 20, 14, 20, g)
            self.s.blit(432, 309, 67, 20, 150, 20, g)
            self.s.blit(397, 287, 67, 20, 218, 20, g)
            self.s.blit(469 - 4 * side, 287, 20, 20, 54, 20, g)
        elif kind == "pass":
            g = self.glyph_sheet(side)
            self.s.blit(403, 309, 76, 20, 74, 20, g)
            self.s.blit(397, 287, 67, 20, 218, 20, g)
            self.s.blit(469 - 4 * side, 287, 20, 20, 34, 20, g)


def position(game, pieces):
    """pieces: rows of 8 characters, '1', '2', 'g' (guide), 't' (thinking) or '.'."""
    for y, line in enumerate(pieces, 1):
        for x, ch in enumerate(line, 1):
            game.square(x, y, {"." : 0, "1": 1, "2": 2, "g": 3, "t": 4}[ch])


START = ["........", "........", "...g....", "..g21...", "...12g..", "....g...",
         "........", "........"]
MIDDLE = ["........", "..2.....", "..2121..", "..2221..", "..t1222.", "...112..",
          "....1...", "........"]
FULL1 = ["11111112", "11111122", "11211212", "12122112", "11221212", "11212112",
         "12111122", "11111222"]
FULL2 = ["22222222", "22222222", "22222222", "22222222", "22222222", "22222222",
         "22222222", "22222222"]
DRAWN = ["11112222", "11112222", "11112222", "11112222", "11112222", "11112222",
         "11112222", "11112222"]


def scenarios(sheets):
    out = []

    g = Game(sheets)
    position(g, START)
    g.labels((0, 3))
    g.counts(2, 2)
    g.dot(1)
    g.clock(1, 0)
    g.clock(2, 0)
    out.append(("start, guides on", g))

    g = Game(sheets)
    position(g, MIDDLE)
    g.labels((0, 5))
    g.counts(14, 9)
    g.last_move(1, 65)
    g.last_move(2, 32)
    g.dot(1)
    g.clock(1, 3725)
    g.clock(2, 827)
    g.message("pass", 2)
    out.append(("Zarbo passes, thinking on e5", g))

    g = Game(sheets)
    position(g, FULL1)
    g.labels((0, 0))
    g.counts(33, 31)
    g.last_move(1, 88)
    g.last_move(2, 71)
    g.dot(0)
    g.clock(1, 359999)
    g.clock(2, 1)
    g.message("win", 1, 2)
    out.append(("MopraGET wins by 2", g))

    g = Game(sheets)
    position(g, FULL2)
    g.labels((8, 1))
    g.counts(0, 40)
    g.last_move(2, 44)
    g.dot(0)
    g.clock(1, 60)
    g.clock(2, 3599)
    g.message("win", 2, 40)
    out.append(("Zarbo wins by 40", g))

    g = Game(sheets)
    position(g, DRAWN)
    g.labels((2, 0))
    g.counts(32, 32)
    g.last_move(1, 18)
    g.last_move(2, 57)
    g.dot(0)
    g.clock(1, 754)
    g.clock(2, 1200)
    g.message("draw")
    out.append(("draw", g))
    return out


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else art.HERE
    shots = scenarios(load_sheets())
    cols = 2
    rows = (len(shots) + cols - 1) // cols
    pad = 8
    sheet = Image.new("RGB", (cols * (531 + pad) + pad, rows * (351 + pad) + pad), (90, 90, 90))
    panels = Image.new("RGB", (len(shots) * (180 * 3 + pad) + pad, 351 * 3 + 2 * pad),
                       (90, 90, 90))
    for i, (_, g) in enumerate(shots):
        sheet.paste(g.s.img, (pad + (i % cols) * (531 + pad), pad + (i // cols) * (351 + pad)))
        panel = g.s.img.crop((351, 0, 531, 351)).resize((540, 1053), Image.NEAREST)
        panels.paste(panel, (pad + i * (540 + pad), pad))
    sheet.save(os.path.join(out_dir, "mock_screen.png"))
    panels.save(os.path.join(out_dir, "mock_panel.png"))
    for i, (name, g) in enumerate(shots):
        g.s.img.save(os.path.join(out_dir, "mock_%d.png" % (i + 1)))
        print("mock_%d.png: %s" % (i + 1, name))


if __name__ == "__main__":
    main()
