#!/usr/bin/python3
"""The rules of the game, as far as scripts/test-windows needs them to play a whole game by keys:
boards as screen_check.py prints them (rows 1..8, 'X' side 1, 'O' side 2, '.' empty), squares
as "x y", column x and row y from 1.

    keys_game.py turn BOARD LAST         prints the side to move once side LAST has moved: the
                                         other side, or LAST again when the other must pass,
                                         or 0 when neither can move
    keys_game.py move BOARD              prints side 1's first legal square, column by column
    keys_game.py after OLD NEW SIDE [X Y]
                                         exit status 0 if NEW is OLD after a legal move of
                                         SIDE (at X Y when given) and then none or more of
                                         side 2's, each in its turn (side 1 passing, or the
                                         computer answering before NEW was seen); prints
                                         "MOVES LAST": the moves and the side that made the last
    keys_game.py result BOARD MOVES      checks that neither side can move and that the discs
                                         are the 4 of the start and one a move; prints how
                                         many each side has, side 1's first
Exit status 1 with a one-line reason when a check fails.
"""

import sys

PIECE = {1: "X", 2: "O"}
DIRECTIONS = [(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy]


def parse(text, quiet=False):
    rows = text.split()
    if len(rows) != 8 or any(len(r) != 8 or set(r) - set("XO.") for r in rows):
        if quiet:
            sys.exit(1)  # a flip under way
        fail("not a settled board: %r" % text)
    return {(x, y): rows[y - 1][x - 1] for x in range(1, 9) for y in range(1, 9)}


def flips(board, side, x, y):
    if board[x, y] != ".":
        return []
    mine, theirs = PIECE[side], PIECE[3 - side]
    turned = []
    for dx, dy in DIRECTIONS:
        run, cx, cy = [], x + dx, y + dy
        while board.get((cx, cy)) == theirs:
            run.append((cx, cy))
            cx, cy = cx + dx, cy + dy
        if run and board.get((cx, cy)) == mine:
            turned += run
    return turned


def legal(board, side):
    return [(x, y) for x in range(1, 9) for y in range(1, 9) if flips(board, side, x, y)]


def played(board, side, x, y):
    after = dict(board)
    for square in flips(board, side, x, y) + [(x, y)]:
        after[square] = PIECE[side]
    return after


def turn(board, last):
    return next((s for s in (3 - last, last) if legal(board, s)), 0)


def reaches(board, new, side, squares, moves):
    """The moves from board to new, the first of side's among squares, then side 2's only."""
    if moves == 0:
        return None
    for square in squares:
        if new[square] == "." or not flips(board, side, *square):
            continue
        after = played(board, side, *square)
        if after == new:
            return 1, side
        if turn(after, side) == 2:
            found = reaches(after, new, 2, legal(after, 2), moves - 1)
            if found:
                return found[0] + 1, found[1]
    return None


def fail(reason):
    print(reason)
    sys.exit(1)


def main(argv):
    command, args = (argv[0], argv[1:]) if argv else ("", [])
    if command == "turn" and len(args) == 2:
        board, last = parse(args[0]), int(args[1])
        print(turn(board, last))
    elif command == "move" and len(args) == 1:
        moves = legal(parse(args[0]), 1)
        if not moves:
            fail("side 1 has no legal move")
        print(*moves[0])
    elif command == "after" and len(args) in (3, 5):
        old, new, side = parse(args[0]), parse(args[1], quiet=True), int(args[2])
        squares = [(int(args[3]), int(args[4]))] if len(args) == 5 else legal(old, side)
        gained = sum(v != "." for v in new.values()) - sum(v != "." for v in old.values())
        found = reaches(old, new, side, squares, gained)
        if not found:
            sys.exit(1)
        print(*found)
    elif command == "result" and len(args) == 2:
        board, moves = parse(args[0]), int(args[1])
        if legal(board, 1) or legal(board, 2):
            fail("the game is not over: a side can still move")
        x, o = sum(v == "X" for v in board.values()), sum(v == "O" for v in board.values())
        if x + o != 4 + moves:
            fail("%d discs after %d moves" % (x + o, moves))
        print(x, o)
    else:
        fail(__doc__.strip().splitlines()[0])


if __name__ == "__main__":
    main(sys.argv[1:])
