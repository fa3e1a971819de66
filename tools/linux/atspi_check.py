#!/usr/bin/env python3
"""The desktop program as a screen reader sees it, over AT-SPI (run by atspi-test.sh inside Xvfb
and a session bus of its own). Starts FOLDER/herosheet and checks that the tree names the five
questions as groups of radio buttons with their checked states, the result rows as items named
"name value", Clear and Settings as buttons, and that a real click on an answer is told as a
change of its checked state and of the rows' names.

Usage: atspi_check.py FOLDER
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

QUESTIONS = ["Gender", "Your father was", "Childhood", "Youth", "Why you set out"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find_app(name, proc):
    for _ in range(150):
        if proc.poll() is not None:
            fail("the program ended with status %d" % proc.returncode)
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                nodes = list(walk(app))
                if sum(n.getRole() == pyatspi.ROLE_RADIO_BUTTON for n in nodes) >= 25:
                    return app
        time.sleep(0.2)
    fail("no application named %s with its answers on the accessibility bus" % name)


def questions(app):
    """Nodes holding radio buttons, with their answers."""
    out = []
    for node in walk(app):
        radios = [c for c in node if c is not None and c.getRole() == pyatspi.ROLE_RADIO_BUTTON]
        if radios:
            out.append((node, radios))
    return out


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def items(app):
    return [n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_LIST_ITEM]


def main():
    folder = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_FONT_DPI="96")
    proc = subprocess.Popen(["./herosheet"], cwd=folder, env=env)
    try:
        app = find_app("herosheet", proc)
        groups = questions(app)
        names = [g.name for g, _ in groups]
        if names != QUESTIONS:
            fail("questions %r" % names)
        for group, radios in groups:
            if [checked(r) for r in radios] != [i == 0 for i in range(len(radios))]:
                fail("%s: checked states %r" % (group.name, [checked(r) for r in radios]))
            if any(not r.name for r in radios):
                fail("%s: an answer without a name" % group.name)
        apprentice = groups[2][1][2]
        if not apprentice.description.startswith("Intelligence +1, "):
            fail("apprentice described as %r" % apprentice.description)
        if "Intelligence 4" not in items(app):
            fail("rows %r" % items(app))
        buttons = [n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        if buttons[:2] != ["Clear", "Settings"]:
            fail("buttons %r" % buttons)

        # A real click on the apprentice, told as events.
        events = []

        def heard(e):
            events.append((e.type, e.source.name if e.source else "", e.detail1))

        pyatspi.Registry.registerEventListener(
            heard, "object:state-changed:checked", "object:property-change:accessible-name")
        box = apprentice.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

        def click():
            subprocess.run(["xdotool", "mousemove", str(box.x + 6), str(box.y + box.height // 2),
                            "click", "1"], check=True)
            return False

        GLib.timeout_add(500, click)
        GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()
        if not checked(apprentice) or checked(groups[2][1][0]):
            fail("after the click: checked states %r" % [checked(r) for r in groups[2][1]])
        if ("object:state-changed:checked", apprentice.name, 1) not in events:
            fail("no checked event for the apprentice: %r" % events)
        if not any(t.endswith("accessible-name") and n == "Intelligence 5" for t, n, _ in events):
            fail("no name event for the changed row: %r" % events)
        if "Intelligence 5" not in items(app):
            fail("rows after the click %r" % items(app))
        print("AT-SPI: 5 questions, %d answers, %d rows; the click was told in %d events"
              % (sum(len(r) for _, r in groups), len(items(app)), len(events)))
    finally:
        proc.terminate()
        proc.wait()


main()
