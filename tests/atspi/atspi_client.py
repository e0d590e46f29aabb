"""What a screen reader learns of the running program, asked through AT-SPI as a screen
reader asks: the accessible tree of the four windows against a table, the focus events of a
walk with Tab through the main window, and X written through EditableText."""

import sys
import time

import pyatspi
from gi.repository import GLib

from atspi_table import TAB_ORDER, TABS, WINDOWS

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def pump(seconds=0.0):
    """Lets bus messages and events arrive for `seconds` at least."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, condition, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)
    return None


def application(name):
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        return None

    return wait_for("the program on the accessibility bus", find, 30.0)


def window(app, title):
    def find():
        for w in app:
            if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
                return w
        return None

    return wait_for("window " + repr(title), find)


STATE_WORDS = {
    "checked": pyatspi.STATE_CHECKED,
    "enabled": pyatspi.STATE_ENABLED,
    "modal": pyatspi.STATE_MODAL,
    "focusable": pyatspi.STATE_FOCUSABLE,
}


def labelled_by(acc):
    names = []
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return " + ".join(names)


def states_of(acc):
    state = acc.getState()
    return {word for word, value in STATE_WORDS.items() if state.contains(value)}


def rows_of(win):
    """Every accessible object under a window, depth first, as (parent, role, name,
    description, labelled by, states); a list's items are the list's own business."""
    rows = []

    def walk(acc, parent):
        for child in acc:
            rows.append((parent, child.getRoleName(), child.name, child.description,
                         labelled_by(child), states_of(child)))
            if child.getRole() != pyatspi.ROLE_LIST:
                walk(child, child.name)

    walk(win, win.name)
    return rows


def check_window(win, table, context):
    if win is None:
        return
    expected_states = table["states"]
    seen = states_of(win)
    for word, wanted in expected_states.items():
        if (word in seen) != wanted:
            fail(f"{context}: window {win.name!r} is {'' if wanted else 'not '}to be {word}")
    seen_rows = rows_of(win)
    if "--dump" in sys.argv:
        for row in seen_rows:
            print("   ", row)
    expected = list(table["controls"])
    if len(seen_rows) != len(expected):
        fail(f"{context}: {len(seen_rows)} objects, the table has {len(expected)}")
    for index, (seen_row, row) in enumerate(zip(seen_rows, expected)):
        parent, role, name, description, label, states = row
        where = f"{context}, object {index + 1} ({role} {name!r} in {parent!r})"
        actual = dict(zip(("parent", "role", "name", "description", "labelled by"), seen_row))
        for field, value in zip(("parent", "role", "name", "description", "labelled by"),
                                (parent, role, name, description, label)):
            if value is not None and actual[field] != value:
                fail(f"{where}: {field} {actual[field]!r}, expected {value!r}")
        for word in states.split():
            wanted = not word.startswith("!")
            word = word.lstrip("!")
            if (word in seen_row[5]) != wanted:
                fail(f"{where}: {'not ' if wanted else ''}{word}")


def find(root, name, role=None):
    for child in root:
        if child.name == name and (role is None or child.getRoleName() == role):
            return child
        found = find(child, name, role)
        if found is not None:
            return found
    return None


def press(root, name):
    button = find(root, name, "push button")
    if button is None:
        fail(f"no button {name!r}")
        return
    actions = button.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == "press":
            actions.doAction(i)
            return
    fail(f"button {name!r} cannot be pressed")


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def check_tab_order(main):
    focused = []

    def on_focus(event):
        if event.detail1 == 1 and event.source is not None:
            focused.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    pump(0.5)
    del focused[:]
    for _ in range(TABS):
        pyatspi.Registry.generateKeyboardEvent(0xFF09, None, pyatspi.KEY_SYM)  # Tab
        wait_for("focus to move", lambda n=len(focused): len(focused) > n, 5.0)
    pump(0.3)
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    if focused != TAB_ORDER:
        fail(f"Tab moved the focus through {focused}, expected {TAB_ORDER}")


def check_editable_text(main):
    """A text written into X by an assistive tool is converted as typed text is, and a bit
    field written the same way moves X."""
    x = find(main, "X", "text")
    fields = [find(main, name, "text") for name in
              ("Binary32 semn", "Binary32 exponent", "Binary32 fractie")]
    if x is None or None in fields:
        fail("X or the binary32 fields are missing")
        return
    x.queryEditableText().setTextContents("0.1")
    want = ["0", "01111011", "10011001100110011001101"]
    got = wait_for("the fields of 0.1", lambda: [text_of(f) for f in fields] == want and want)
    if got is None:
        fail(f"after X = 0.1 through EditableText the fields are {[text_of(f) for f in fields]}")
    description = x.description
    if "<" in description or not description.startswith("Valoare memorata exact"):
        fail(f"the description of X is {description!r}")
    fields[1].queryEditableText().setTextContents("10000000")
    if wait_for("X of exponent 10000000",
                lambda: text_of(x).strip() == "+3.2000000E+00") is None:
        fail(f"after the exponent 10000000 through EditableText X is {text_of(x)!r}")


def main_window_checks(app, main):
    check_window(main, WINDOWS["main"], "main window")
    check_tab_order(main)
    check_editable_text(main)
    # A parameter chosen from the list names the value box.
    parameters = find(main, "Parametru  (Numere Finite)", "list")
    if parameters is None or not parameters.getState().contains(pyatspi.STATE_ENABLED):
        fail("the parameter list is not enabled for the finite 3.2")
        return
    ulp = find(parameters, "ULP", "list item")
    actions = ulp.queryAction()
    actions.doAction(0)
    if wait_for("the value box named ULP", lambda: find(main, "ULP", "text")) is None:
        fail("choosing ULP does not name the parameter value box")


def run():
    app = application(sys.argv[1])
    if app is None:
        return
    main = window(app, "Orbalta (Format Binar)")
    if main is None:
        return
    main_window_checks(app, main)

    press(main, "Sumar")
    summary = window(app, "Date in Virgula Flotanta - Sumar")
    check_window(summary, WINDOWS["summary"], "summary")
    if summary is not None:
        if not main.getState().contains(pyatspi.STATE_SENSITIVE):
            fail("the summary blocks the main window")
        press(summary, "OK")
        wait_for("the summary to close", lambda: window_gone(app, summary.name))

    for button, key in (("Info", "info"), ("Despre", "about")):
        press(main, button)
        title = WINDOWS[key]["title"]
        shown = window(app, title)
        check_window(shown, WINDOWS[key], title)
        if shown is not None:
            press(shown, "OK")
            wait_for(title + " to close", lambda t=title: window_gone(app, t))
    press(main, "IESIRE")


def window_gone(app, title):
    for w in app:
        if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
            return False
    return True


run()
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
