#!/usr/bin/python3
"""The Qt game as Orca reads it, through AT-SPI: finds the program, its board table of 64
squares and the panel's texts, plays f5 by keyboard, waits for the computer's reply, and
checks what the tree and the announcements say afterwards. Prints what it read; exits 1 on a
failure.

    atspi_check.py APP_NAME
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

events = []  # (kind, role, text) of every name, description or announcement change


def fail(message):
    print(f"atspi_check: FAILED: {message}", file=sys.stderr)
    sys.exit(1)


def pump(seconds, until):
    """Handles AT-SPI's events until `until()` holds or the time is up; its last value."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if until() or time.monotonic() > end:
            return until()
        time.sleep(0.01)


def on_event(event):
    """Notes the event with the text it is about, read at once as a reader would: Qt's name
    and description changes carry the object, not the text."""
    kind = event.type.split(":")[-1]
    try:
        source = event.source
        role = source.getRoleName()
        if isinstance(event.any_data, str):
            text = event.any_data
        elif kind == "accessible-description":
            text = source.description
        else:
            text = source.name
    except Exception:
        role, text = "?", ""
    events.append((kind, role, text))


def find(root, predicate, depth=0):
    if predicate(root):
        return root
    if depth > 8:
        return None
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None:
            found = find(child, predicate, depth + 1)
            if found is not None:
                return found
    return None


def cell_names(table):
    t = table.queryTable()
    names = {}
    for row in range(t.nRows):
        for column in range(t.nColumns):
            cell = t.getAccessibleAt(row, column)
            cell.clear_cache()
            names[(column, row)] = cell.name
    return names


def panel_texts(table):
    texts = []
    for i in range(table.childCount):
        child = table.getChildAtIndex(i)
        if child.getRole() in (pyatspi.ROLE_STATIC, pyatspi.ROLE_LABEL):
            child.clear_cache()
            texts.append(child.name)
    return texts


def square(column, row):
    return "abcdefgh"[column] + str(row + 1)


def keys(*names):
    """Presses the keys while handling the events they bring."""
    press = subprocess.Popen(["xdotool", "key", "--delay", "60", *names])
    pump(10, lambda: press.poll() is not None)
    if press.returncode != 0:
        fail(f"xdotool key {' '.join(names)}")


def main():
    app_name = sys.argv[1]
    app = None

    def found_app():
        nonlocal app
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == app_name:
                app = a
        return app is not None

    if not pump(20, found_app):
        fail(f"no application named {app_name} on the accessibility bus")
    table = None

    def found_table():
        nonlocal table
        table = find(app, lambda o: o.getRole() == pyatspi.ROLE_TABLE)
        return table is not None

    if not pump(10, found_table):
        fail("the window has no table")
    shape = table.queryTable()
    print(f"application {app.name}: table '{table.name}', {shape.nRows} x {shape.nColumns}")
    if (shape.nRows, shape.nColumns) != (8, 8):
        fail("the board is not 8 x 8")
    before = cell_names(table)
    start = {square(c, r): n for (c, r), n in before.items() if not n.endswith("空き")}
    print("discs at the start:", ", ".join(sorted(start.values())))
    expected = {"d4": "d4 Zarbo", "e4": "e4 MopraGET", "d5": "d5 MopraGET", "e5": "e5 Zarbo"}
    if start != expected:
        fail(f"the start position reads {start}")
    texts = panel_texts(table)
    print("panel:", " | ".join(texts))
    for wanted in ("MopraGET の番", "MopraGET 2缶", "Zarbo 2匹", "MopraGET 00:00:00"):
        if wanted not in texts:
            fail(f"the panel does not say {wanted!r}")

    for kind in ("object:property-change:accessible-name",
                 "object:property-change:accessible-description",
                 "object:announcement", "object:text-changed:insert",
                 "object:state-changed:focused"):
        pyatspi.Registry.registerEventListener(on_event, kind)

    # No window manager gives the window the keyboard; it is taken directly.
    subprocess.run(["xdotool", "search", "--sync", "--name", "Velnor Part1", "windowfocus",
                    "--sync"], check=True, stdout=subprocess.DEVNULL)
    # The focus starts on d3: the first key shows it, two rights and two downs reach f5.
    keys("Right", "Right", "Right", "Down", "Down")
    f5 = shape.getAccessibleAt(4, 5)
    if not pump(5, lambda: f5.getState().contains(pyatspi.STATE_FOCUSED)):
        fail(f"the keys' focus frame on f5 is not the focused cell; heard {events}")
    print("focused cell:", f5.name)
    heard_before = len(events)
    keys("Return")

    # Announcement events where Qt has them (6.8); else the announcement's text replaced,
    # which carries the text in the event (a name or description change has the reader ask).
    def said():
        for wanted in ("announcement", "insert"):
            heard = [text for kind, role, text in events if kind == wanted]
            if heard:
                return heard
        return []

    if not pump(30, lambda: any(s.startswith("Zarbo ") for s in said())):
        fail(f"no announcement of the computer's reply; heard {events}")
    after = cell_names(table)
    changed = [after[k] for k in sorted(after, key=lambda k: (k[1], k[0])) if after[k] != before[k]]
    print("cells changed after f5 and the reply:", ", ".join(changed))
    print("announcements:", " / ".join(said()))
    described = [text for kind, role, text in events if kind == "accessible-description"]
    print("board description changes, as read when told:", " / ".join(described))
    names_told = [text for kind, role, text in events[heard_before:]
                  if kind == "accessible-name"]
    print("name changes told after f5, as read when told:", " / ".join(names_told))
    texts = panel_texts(table)
    print("panel:", " | ".join(texts))

    if said()[0] != "MopraGET f5":
        fail(f"the first announcement is {said()[0]!r}")
    reply = said()[-1].split(" ")[1]
    reply_cell = {square(c, r): n for (c, r), n in after.items()}[reply]
    if after[(5, 4)] != "f5 MopraGET" or reply_cell != f"{reply} Zarbo":
        fail(f"f5 reads {after[(5, 4)]!r} and the reply {reply_cell!r}")
    if not any(n == f"{reply} Zarbo" for n in names_told):
        fail("the reply's square changed without a name change told")
    if "MopraGET の番" not in texts:
        fail("the turn has not come back to MopraGET")
    counts = [int("".join(ch for ch in t if ch.isdigit())) for t in texts if t[-1] in "缶匹"]
    if sum(counts) != 6:
        fail(f"the counts {counts} do not add up to the six discs on the board")
    # Exit from the menu (ゲーム(&G), 終了(&X)): the window goes while the reader holds its
    # squares.
    keys("alt+g", "x")
    print("atspi_check: passed")


main()
