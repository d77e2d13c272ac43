#!/usr/bin/python3
"""Reads Tessel's windows from outside, as a screen reader does, through AT-SPI.

Usage: atspi-check.py TESSEL [DUMP]   (on a session bus with a display; scripts/ci-accessibility.sh
sets both up). Starts TESSEL over fresh hives, logs in through the accessible actions, checks every
box's role, name and state against `TESSEL status --json`, ticks one box through its toggle action,
presses OK and checks that the tick reached the registry. Writes the tree it read to DUMP (or
standard output). Every wait is bounded; any failure exits non-zero with the reason.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

WAIT = 20.0


def fail(reason):
    print("accessibility check: " + reason, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe):
    deadline = time.monotonic() + WAIT
    while time.monotonic() < deadline:
        pump()
        try:
            found = probe()
        except GLib.Error:
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail("no " + what + " after %d seconds" % WAIT)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return sorted(pyatspi.stateToString(s) for s in node.getState().getStates())


def app_of(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def frame(app, name):
    for window in app:
        if window is not None and window.getRoleName() == "frame" and window.name == name:
            return window
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def by_role_name(root, role, name=None):
    return [n for n, _ in walk(root) if n.getRoleName() == role and (name is None or n.name == name)]


def act(node, action):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == action:
            actions.doAction(i)
            return
    fail("%s %r offers no %s action (%s)" % (node.getRoleName(), node.name, action,
                                            [actions.getName(i) for i in range(actions.nActions)]))


def press(window, role, name):
    nodes = [n for n in by_role_name(window, role, name) if showing(n)]
    if len(nodes) != 1:
        fail("expected one shown %s named %r, found %d" % (role, name, len(nodes)))
    act(nodes[0], "press")


def main():
    if len(sys.argv) < 2:
        fail("usage: atspi-check.py TESSEL [DUMP]")
    tessel = os.path.abspath(sys.argv[1])
    hives = tempfile.mkdtemp(prefix="tessel-a11y-")
    env = dict(os.environ, TESSEL_HKCU_DB=os.path.join(hives, "user.db"),
               TESSEL_HKLM_DB=os.path.join(hives, "machine.db"), QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_STATE_HOME=hives, XDG_RUNTIME_DIR=hives)

    def status():
        out = subprocess.run([tessel, "status", "--json"], env=env, check=True, capture_output=True, text=True)
        return json.loads(out.stdout)

    ticked_events = []

    def on_state(event):
        if event.type == "object:state-changed:checked" and event.source.getRoleName() == "check box":
            ticked_events.append((event.source.name, event.detail1))

    pyatspi.Registry.registerEventListener(on_state, "object:state-changed:checked")
    program = subprocess.Popen([tessel], env=env)
    try:
        app = wait_for("application for process %d on the accessibility bus" % program.pid,
                       lambda: app_of(program.pid))
        main_window = wait_for("main window \"Tessel V1.2\"", lambda: frame(app, "Tessel V1.2"))
        press(main_window, "push button", "登陆程序")
        login = wait_for("login window \"登陆\"", lambda: (lambda f: f if f and showing(f) else None)(frame(app, "登陆")))
        press(login, "push button", "确  定")
        wait_for("tweak pages after the log-in",
                 lambda: [t for t in by_role_name(main_window, "page tab") if showing(t)])

        lines = []
        for node, depth in walk(main_window):
            lines.append("%s%s %r [%s]" % ("  " * depth, node.getRoleName(), node.name, ", ".join(states(node))))
        dump = "\n".join(lines) + "\n"
        if len(sys.argv) > 2:
            with open(sys.argv[2], "w", encoding="utf-8") as out:
                out.write(dump)
        else:
            sys.stdout.write(dump)

        # Every control has a role, and every shown one but the panels and the picture a name.
        roleless = [n.name for n, _ in walk(main_window) if n.getRoleName() in ("filler", "unknown")]
        if roleless:
            fail("controls without a role: %s" % roleless)
        nameless = [n.getRoleName() for n, _ in walk(main_window)
                    if showing(n) and not n.name and n.getRoleName() not in ("panel", "image", "page tab list")]
        if nameless:
            fail("shown controls without a name: %s" % nameless)

        rows = status()
        boxes = by_role_name(main_window, "check box")
        if sorted(b.name for b in boxes) != sorted(r["caption"] for r in rows):
            fail("the check boxes are %s, the rows %s" % (sorted(b.name for b in boxes),
                                                           sorted(r["caption"] for r in rows)))
        for row in rows:
            box = next(b for b in boxes if b.name == row["caption"])
            if box.getState().contains(pyatspi.STATE_CHECKED) != bool(row["ticked"]):
                fail("box %r: checked state differs from the mirror (%s)" % (box.name, row["ticked"]))
            if not box.description:
                fail("box %r has no description" % box.name)

        # The title bar is named by the caption; its buttons are its children.
        bar = [n for n, depth in walk(main_window) if depth > 0 and n.name == "Tessel V1.2"]
        if len(bar) != 1 or [bar[0].getChildAtIndex(i).name for i in range(bar[0].childCount)] != ["关闭", "最小化"]:
            fail("the title bar's buttons are not 关闭 and 最小化")
        tabs = by_role_name(main_window, "page tab")
        if [(t.name, t.getState().contains(pyatspi.STATE_SELECTED)) for t in tabs] != \
                [("功能限制类", True), ("网络安全类", False), ("性能优化类", False)]:
            fail("the page tabs are %s" % [(t.name, states(t)) for t in tabs])

        # A tick through the toggle action: announced, not written before OK, written by OK.
        row = next(r for r in rows if r["name"] == "NoDrives")
        box = next(b for b in boxes if b.name == row["caption"])
        act(box, "toggle")
        wait_for("checked state on %r" % box.name, lambda: box.getState().contains(pyatspi.STATE_CHECKED))
        wait_for("state-changed event from %r" % box.name, lambda: (box.name, 1) in ticked_events)
        if next(r for r in status() if r["name"] == "NoDrives")["ticked"]:
            fail("the tick reached the mirror before OK")
        press(main_window, "push button", "确定")
        wait_for("NoDrives ticked in the mirror after OK",
                 lambda: next(r for r in status() if r["name"] == "NoDrives")["ticked"] is True)
        others = [r["name"] for r in status() if r["ticked"] and r["name"] != "NoDrives"]
        if others:
            fail("OK ticked rows that nobody ticked: %s" % others)
        print("accessibility check: %d boxes, title bar, page tabs, toggle and OK as a screen reader sees them"
              % len(boxes))
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()
        subprocess.run(["rm", "-rf", hives], check=False)


if __name__ == "__main__":
    main()
