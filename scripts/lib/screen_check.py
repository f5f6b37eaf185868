#!/usr/bin/python3
"""Reads the game's window from screenshots, for scripts/test-windows. The client area holds
the back buffer pixel for pixel, or each pixel as a SCALE x SCALE block (a 24-bit screen shows
every sheet colour exactly), so its place is found by matching the board's top border, and the
board is read square by square against the piece tiles. SCALE is 1 when not given.

    screen_check.py client SHOT [SCALE]    prints "x y": the client area's top-left in SHOT
                                           (the whole window), after checking that the client
                                           area is 531 x 351 times SCALE inside an even frame
                                           and that every back-buffer pixel is a whole block
    screen_check.py board SHOT X Y [SCALE] prints the board, rows 1..8, '.' empty, 'X' side 1,
                                           'O' side 2, '?' anything else (a marker, a flip)
    screen_check.py keys SHOT X Y [SCALE]  the same board, each square read inside the ring
                                           that the keyboard's focus frame may cover, then
                                           "framed x y": the square the frame is on, 0 0 if none
    screen_check.py discs SHOT X Y [SCALE] prints the panel's disc counts, side 1's and side 2's
    screen_check.py popup SHOT             checks that SHOT, a menu's own window, has been
                                           painted: a window not yet painted is of one colour
                                           throughout (black, or white)
Exit status 1 with a one-line reason when a check fails.
"""

import os
import sys

from PIL import Image

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
WIDTH, HEIGHT = 531, 351


def sheet(name, scale=1):
    picture = Image.open(os.path.join(ASSETS, name + ".bmp")).convert("RGB")
    return enlarged(picture, scale)


def enlarged(picture, scale):
    if scale == 1:
        return picture
    return picture.resize((picture.width * scale, picture.height * scale), Image.NEAREST)


def same(shot, left, top, picture):
    if shot.getpixel((left, top)) != picture.getpixel((0, 0)):
        return False  # the quick answer for most places tried
    w, h = picture.size
    return shot.crop((left, top, left + w, top + h)).tobytes() == picture.tobytes()


def fail(reason):
    print(reason)
    sys.exit(1)


def find_client(shot, s):
    frame1, frame3 = sheet("FRAME1", s), sheet("FRAME3", s)
    top_border = frame1.crop((0, 0, 351 * s, 35 * s))
    for y in range(0, min(100 * s, shot.height - 35 * s)):
        for x in range(0, min(20 * s, shot.width - 351 * s)):
            if same(shot, x, y, top_border):
                break
        else:
            continue
        break
    else:
        fail("the board's top border is nowhere in the window")
    # The far corners of the back buffer must be where the client area ends.
    if not same(shot, x, y + 316 * s, frame1.crop((0, 35 * s, 351 * s, 70 * s))):
        fail("the board's bottom border is not %d pixels below its top border" % (316 * s))
    if not same(shot, x + 351 * s, y, frame3.crop((0, 0, 180 * s, 20 * s))):
        fail("the panel's top edge is not right of the board")
    if not same(shot, x + 351 * s, y + 331 * s, frame3.crop((0, 20 * s, 180 * s, 40 * s))):
        fail("the panel's bottom edge is not at the client area's bottom")
    # The window's border is as wide on the right and at the bottom as on the left, so the
    # client area ends exactly where the back buffer does.
    right, bottom = shot.width - x - WIDTH * s, shot.height - y - HEIGHT * s
    if right != x or bottom != x:
        fail("the client area is not %dx%d: window %dx%d, back buffer at (%d, %d), "
             "borders left %d, right %d, bottom %d"
             % (WIDTH * s, HEIGHT * s, shot.width, shot.height, x, y, x, right, bottom))
    # Each back-buffer pixel is a block of one colour: averaging every block and enlarging
    # the averages again gives the client area back only then.
    client = shot.crop((x, y, x + WIDTH * s, y + HEIGHT * s))
    if enlarged(client.reduce(s), s).tobytes() != client.tobytes():
        fail("the client area is not made of %d x %d blocks of one colour" % (s, s))
    return x, y


def read_board(shot, x0, y0, s, ring=0):
    piece = sheet("PIECE", s)
    inside = (ring * s, ring * s, (32 - ring) * s, (32 - ring) * s)
    tiles = {"X": piece.crop((0, 0, 32 * s, 32 * s)).crop(inside),
             "O": piece.crop((32 * s, 0, 64 * s, 32 * s)).crop(inside)}
    empty = Image.new("RGB", ((32 - 2 * ring) * s, (32 - 2 * ring) * s), (255, 255, 255))
    rows = []
    for r in range(1, 9):
        line = ""
        for c in range(1, 9):
            left, top = x0 + (35 * c + 2 + ring) * s, y0 + (35 * r + 2 + ring) * s
            if same(shot, left, top, empty):
                line += "."
            else:
                line += next((k for k, t in tiles.items() if same(shot, left, top, t)), "?")
        rows.append(line)
    return rows


# The focus frame: a ring FRAME_RING pixels wide just inside the tile, all of the palette entry
# nearest FRAME_COLOUR (display/board_view.h), which the palette holds exactly.
FRAME_RING, FRAME_COLOUR = 2, (0xB0, 0x74, 0x10)


def framed_square(shot, x0, y0, s):
    w, size = FRAME_RING * s, 32 * s
    for r in range(1, 9):
        for c in range(1, 9):
            left, top = x0 + (35 * c + 2) * s, y0 + (35 * r + 2) * s
            strips = [(0, 0, size, w), (0, size - w, size, size), (0, 0, w, size),
                      (size - w, 0, size, size)]
            colours = set()
            for a, b, e, f in strips:
                colours |= set(shot.crop((left + a, top + b, left + e, top + f)).getdata())
            if colours == {FRAME_COLOUR}:
                return c, r
    return 0, 0


# Each side's count: two digits 14 x 20 at x 417, in that side's font, whose first row holds the
# digits 0 to 9 (display/panel.cpp).
def panel_count(shot, x0, y0, s, side):
    font = sheet("FONT%d" % side, s)
    digits = [font.crop((14 * d * s, 0, 14 * (d + 1) * s, 20 * s)) for d in range(10)]
    count = 0
    for i in range(2):
        left, top = x0 + (417 + 14 * i) * s, y0 + (116 + 100 * (side - 1)) * s
        d = next((d for d in range(10) if same(shot, left, top, digits[d])), None)
        if d is None:
            fail("side %d's disc count cannot be read" % side)
        count = 10 * count + d
    return count


def check_popup(shot):
    pixels = shot.width * shot.height
    most, colour = max(shot.getcolors(pixels))
    # A painted menu is its background with the labels on it: never more than 97% of one colour.
    if most * 100 > pixels * 97:
        fail("the menu is not painted: %d%% of it is %s" % (most * 100 // pixels, colour))


def main(argv):
    if len(argv) in (2, 3) and argv[0] == "client":
        scale = int(argv[2]) if len(argv) == 3 else 1
        x, y = find_client(Image.open(argv[1]).convert("RGB"), scale)
        print(x, y)
    elif len(argv) in (4, 5) and argv[0] == "board":
        scale = int(argv[4]) if len(argv) == 5 else 1
        shot = Image.open(argv[1]).convert("RGB")
        print("\n".join(read_board(shot, int(argv[2]), int(argv[3]), scale)))
    elif len(argv) in (4, 5) and argv[0] == "keys":
        scale = int(argv[4]) if len(argv) == 5 else 1
        shot = Image.open(argv[1]).convert("RGB")
        x, y = int(argv[2]), int(argv[3])
        print("\n".join(read_board(shot, x, y, scale, FRAME_RING)))
        print("framed %d %d" % framed_square(shot, x, y, scale))
    elif len(argv) in (4, 5) and argv[0] == "discs":
        scale = int(argv[4]) if len(argv) == 5 else 1
        shot = Image.open(argv[1]).convert("RGB")
        print(*(panel_count(shot, int(argv[2]), int(argv[3]), scale, side) for side in (1, 2)))
    elif len(argv) == 2 and argv[0] == "popup":
        check_popup(Image.open(argv[1]).convert("RGB"))
    else:
        fail(__doc__.strip().splitlines()[0])


if __name__ == "__main__":
    main(sys.argv[1:])
