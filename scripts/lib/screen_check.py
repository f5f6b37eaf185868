#!/usr/bin/python3
"""Reads the game's window from screenshots, for scripts/test-windows. The client area holds
the back buffer pixel for pixel (a 24-bit screen shows every sheet colour exactly), so its
place is found by matching the board's top border, and the board is read square by square
against the piece tiles.

    screen_check.py client SHOT        prints "x y": the client area's top-left in SHOT (the
                                        whole window), after checking that the client area is
                                        531 x 351 inside an even frame
    screen_check.py board SHOT X Y     prints the board, rows 1..8, '.' empty, 'X' side 1,
                                        'O' side 2, '?' anything else (a marker, a flip frame)
Exit status 1 with a one-line reason when a check fails.
"""

import os
import sys

from PIL import Image

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
WIDTH, HEIGHT = 531, 351


def sheet(name):
    return Image.open(os.path.join(ASSETS, name + ".bmp")).convert("RGB")


def same(shot, left, top, picture):
    w, h = picture.size
    region = shot.crop((left, top, left + w, top + h))
    return list(region.getdata()) == list(picture.getdata())


def fail(reason):
    print(reason)
    sys.exit(1)


def find_client(shot):
    frame1, frame3 = sheet("FRAME1"), sheet("FRAME3")
    top_border = frame1.crop((0, 0, 351, 35))
    for y in range(0, min(100, shot.height - 35)):
        for x in range(0, min(20, shot.width - 351)):
            if same(shot, x, y, top_border):
                break
        else:
            continue
        break
    else:
        fail("the board's top border is nowhere in the window")
    # The far corners of the back buffer must be where the client area ends.
    if not same(shot, x, y + 316, frame1.crop((0, 35, 351, 70))):
        fail("the board's bottom border is not 316 pixels below its top border")
    if not same(shot, x + 351, y, frame3.crop((0, 0, 180, 20))):
        fail("the panel's top edge is not right of the board")
    if not same(shot, x + 351, y + 331, frame3.crop((0, 20, 180, 40))):
        fail("the panel's bottom edge is not at the client area's bottom")
    # The window's border is as wide on the right and at the bottom as on the left, so the
    # client area ends exactly where the back buffer does.
    right, bottom = shot.width - x - WIDTH, shot.height - y - HEIGHT
    if right != x or bottom != x:
        fail("the client area is not %dx%d: window %dx%d, back buffer at (%d, %d), "
             "borders left %d, right %d, bottom %d"
             % (WIDTH, HEIGHT, shot.width, shot.height, x, y, x, right, bottom))
    return x, y


def read_board(shot, x0, y0):
    piece = sheet("PIECE")
    tiles = {"X": piece.crop((0, 0, 32, 32)), "O": piece.crop((32, 0, 64, 32))}
    empty = Image.new("RGB", (32, 32), (255, 255, 255))
    rows = []
    for r in range(1, 9):
        line = ""
        for c in range(1, 9):
            left, top = x0 + 35 * c + 2, y0 + 35 * r + 2
            if same(shot, left, top, empty):
                line += "."
            else:
                line += next((k for k, t in tiles.items() if same(shot, left, top, t)), "?")
        rows.append(line)
    return rows


def main(argv):
    if len(argv) >= 2 and argv[0] == "client":
        x, y = find_client(Image.open(argv[1]).convert("RGB"))
        print(x, y)
    elif len(argv) == 4 and argv[0] == "board":
        shot = Image.open(argv[1]).convert("RGB")
        print("\n".join(read_board(shot, int(argv[2]), int(argv[3]))))
    else:
        fail(__doc__.strip().splitlines()[0])


if __name__ == "__main__":
    main(sys.argv[1:])
