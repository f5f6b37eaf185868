#!/usr/bin/python3
"""The steps of a random session at the game's window, for scripts/test-windows: clicks on
board squares and menu commands by their mnemonic keys (the player menus, so that computers
play each other, Stop and Resume, moves back and forth, the settings, a new game; never Exit),
each after a pause of 0 to 0.3 s, most of them short. The same seed gives the same steps.

    gui_steps.py SEED COUNT    prints COUNT lines, each "PAUSE click COLUMN ROW" or
                               "PAUSE key KEY...", PAUSE in seconds
"""

import random
import sys

# (weight, keys): the menu commands, by the mnemonics of shell/menu_table.def. Computer1 to 3
# answer at once, so they are chosen most; the deeper levels now and then, to be cut off.
COMMANDS = [
    (6, "alt+p g 0"), (6, "alt+p b 0"),
    (6, "alt+p g 1"), (6, "alt+p b 1"), (5, "alt+p g 2"), (5, "alt+p b 2"),
    (3, "alt+p g 3"), (3, "alt+p b 3"), (1, "alt+p g 5"), (1, "alt+p b 8"),
    (12, "alt+e c"), (6, "alt+e s"),
    (5, "alt+e b"), (5, "alt+e p"), (2, "alt+e f"), (2, "alt+e l"),
    (2, "alt+o g"), (2, "alt+o t"), (1, "alt+o s"),
    (1, "alt+o a f"), (1, "alt+o a n"), (1, "alt+o a l"),
    (1, "alt+o p h"), (1, "alt+o p n"), (1, "alt+o p l"),
    (1, "alt+g n"),
]
CLICK_SHARE = 0.45


def steps(seed, count):
    rng = random.Random(seed)
    weights = [w for w, _ in COMMANDS]
    for _ in range(count):
        # Short pauses the most often (a mean of 0.1 s): steps that crowd one another.
        pause = "%.2f" % (0.3 * rng.random() ** 2)
        if rng.random() < CLICK_SHARE:
            yield "%s click %d %d" % (pause, rng.randint(1, 8), rng.randint(1, 8))
        else:
            yield "%s key %s" % (pause, rng.choices(COMMANDS, weights)[0][1])


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    for line in steps(int(argv[1]), int(argv[2])):
        print(line)


if __name__ == "__main__":
    main(sys.argv)
