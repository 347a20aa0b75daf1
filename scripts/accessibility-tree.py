#!/usr/bin/python3
"""Reads the program's windows through the desktop's accessibility service
(AT-SPI), as a screen reader does, and checks what it would announce.

It counts, window by window, the controls a user can reach (buttons, check
boxes, scroll bars, sliders, selectors, lists, text boxes, and anything that
takes the keyboard focus) with and without a name; presses buttons through
the service to reach the settings panel, the picture viewer and the planner;
and checks that the clock face tells the time and that a day cell tells its
date and what it holds.

    accessibility-tree.py check EXPECTED-DAY-NAME

Prints one line per check, then "N passed, N failed"; exits non-zero when a
check failed. Two more uses serve scripts that drive the program:

    accessibility-tree.py focus          the role and name of the control
                                         with the keyboard focus
    accessibility-tree.py text WINDOW    the texts of the window whose
                                         caption holds WINDOW
"""
import sys
import time

import pyatspi

INTERACTIVE = {
    "push button", "toggle button", "check box", "radio button", "combo box",
    "slider", "scroll bar", "spin button", "text", "entry", "list", "tree",
    "tree table", "table", "menu item", "page tab",
}

passed = 0
failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
        print("PASS: " + what)
    else:
        failed += 1
        print("FAIL: " + what)


def application(name="Tavenel", seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def interactive(node):
    state = node.getState()
    return node.getRoleName() in INTERACTIVE or state.contains(pyatspi.STATE_FOCUSABLE)


def windows(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)
            if app.getChildAtIndex(i) is not None and showing(app.getChildAtIndex(i))]


def window(app, part, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        for w in windows(app):
            if part in w.name:
                return w
        time.sleep(0.2)
    return None


def count(win, label):
    """Counts the shown controls of a window with and without a name."""
    named, unnamed = 0, []
    for node in nodes(win):
        if node is win or not showing(node) or not interactive(node):
            continue
        if node.name.strip():
            named += 1
        else:
            unnamed.append(node.getRoleName())
    print("  %-34s %3d named, %3d without a name %s" % (label, named, len(unnamed),
                                                        ("(" + ", ".join(unnamed) + ")") if unnamed else ""))
    check(named > 0 and not unnamed, label + ": every control has a name")
    return named, len(unnamed)


def find(win, role, name_part):
    for node in nodes(win):
        if node.getRoleName() == role and name_part in node.name and showing(node):
            return node
    return None


def press(win, role, name):
    node = find(win, role, name)
    if node is None:
        return False
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle", "toggle"):
            action.doAction(i)
            return True
    return False


def focused(app):
    """The control with the focus. A list or tree may leave its focused
    state on a row after the focus has moved on; a row counts only while
    its list has the focus too."""
    def walk(node, container_focused):
        found = None
        state = node.getState()
        has_focus = state.contains(pyatspi.STATE_FOCUSED) and showing(node)
        role = node.getRoleName()
        # An unnamed part inside a focused control (a text box's viewport)
        # is not a control of its own.
        inner_part = role == "filler" and not node.name and container_focused
        if has_focus and not inner_part and (role not in ("table cell", "list item") or container_focused):
            found = node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                deeper = walk(child, has_focus)
                found = deeper or found
        return found
    for win in windows(app):
        node = walk(win, False)
        if node is not None:
            return node
    return None


def report(mode, argument):
    """The focus, or the texts of a window, for a script to match."""
    app = application(seconds=5)
    if app is None:
        return 1
    if mode == "focus":
        node = focused(app)
        print("%s: %s" % (node.getRoleName(), node.name) if node else "")
        return 0
    win = window(app, argument, seconds=5)
    if win is None:
        return 1
    for node in nodes(win):
        if showing(node) and node.getRoleName() in ("label", "text", "push button"):
            text = node.name
            if node.getRoleName() == "text":
                try:
                    t = node.queryText()
                    text = t.getText(0, t.characterCount)
                except NotImplementedError:
                    pass
            if text.strip():
                print(text)
    return 0


def main():
    expected_day = sys.argv[2]
    app = application()
    check(app is not None, "the program is on the accessibility bus")
    if app is None:
        return
    clock = window(app, "December")
    help_window = window(app, "Support for first time users")
    check(clock is not None and help_window is not None, "the clock and the help window are there")
    if clock is None:
        return
    count(help_window, "help window")
    count(clock, "clock window, settings closed")

    face = next((n for n in nodes(clock) if n.name.startswith("Clock ")), None)
    check(face is not None and ":" in face.name, "the clock face tells the time: %s" % (face.name if face else None))
    if face is not None:
        first = face.name
        time.sleep(2.2)
        check(face.name != first, "the clock face's time follows the clock (%s, then %s)" % (first, face.name))

    check(press(clock, "push button", "Settings"), "Settings pressed")
    time.sleep(2)
    count(clock, "clock window, settings open")
    check(press(clock, "push button", "Picture Viewer"), "Picture Viewer pressed")
    time.sleep(3)
    count(clock, "clock window, picture viewer")
    check(press(clock, "push button", "Switch back to The Clock"), "back to the clock")
    time.sleep(3)

    check(press(clock, "push button", "Scheduler and diary"), "Scheduler and diary pressed")
    planner = window(app, "Today :", 10) or window(app, "Alarm options", 5)
    check(planner is not None, "the planner window is there")
    if planner is None:
        return
    time.sleep(1)
    count(planner, "planner window, calendar")
    names = sorted(n.name for n in nodes(planner) if n.getRoleName() == "label" and n.name[:1].isdigit())
    check(any(n == expected_day for n in names), "a day cell reads \"%s\"" % expected_day)
    days = [n for n in names if " " in n]
    check(len(days) >= 28, "every day of the month is named (%d cells)" % len(days))


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] in ("focus", "text"):
        sys.exit(report(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else ""))
    try:
        main()
    except Exception as error:  # a broken bus is a failed check, not a traceback
        check(False, "reading the accessibility tree: %r" % (error,))
    print("%d passed, %d failed" % (passed, failed))
    sys.exit(1 if failed else 0)
