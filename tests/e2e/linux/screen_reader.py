#!/usr/bin/python3
"""Reads the Linux program as a screen reader does, over AT-SPI (python3-pyatspi).

Usage:
  screen_reader.py tree PID TITLE         a line per object of the window with this title, the
                                          window's own first: ROLE<TAB>NAME<TAB>VALUE
  screen_reader.py press PID TITLE NAME   the default action of the object NAME in that window
  screen_reader.py listen PID LOG         writes each event of the program to LOG, a line each:
                                          TYPE<TAB>ROLE<TAB>NAME<TAB>DETAIL1<TAB>DETAIL2<TAB>DATA,
                                          after a first line "ready" once it listens
The words for roles and values are those of tests/e2e/scenarios/screen_reader.sh.
"""
import sys

import pyatspi

ROLES = {
    pyatspi.ROLE_FRAME: "window",
    pyatspi.ROLE_WINDOW: "window",
    pyatspi.ROLE_DIALOG: "window",
    pyatspi.ROLE_ALERT: "alert",
    pyatspi.ROLE_LABEL: "label",
    pyatspi.ROLE_ENTRY: "edit",
    pyatspi.ROLE_TEXT: "edit",
    pyatspi.ROLE_SCROLL_BAR: "scroll bar",
    pyatspi.ROLE_CHECK_BOX: "check box",
    pyatspi.ROLE_PUSH_BUTTON: "button",
    pyatspi.ROLE_IMAGE: "graphic",
}

EVENTS = [
    "object:state-changed:focused",
    "object:state-changed:checked",
    "object:text-changed",
    "object:property-change:accessible-value",
    "window:create",
    "window:destroy",
    "window:activate",
    "window:deactivate",
]


def role_of(accessible):
    return ROLES.get(accessible.getRole(), accessible.getRoleName())


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def value_of(accessible):
    role = role_of(accessible)
    if role in ("edit", "alert"):
        return text_of(accessible)
    if role == "scroll bar":
        value = accessible.queryValue()
        return "%d %d..%d" % (value.currentValue, value.minimumValue, value.maximumValue)
    if role == "check box":
        checked = accessible.getState().contains(pyatspi.STATE_CHECKED)
        return "checked" if checked else "unchecked"
    return ""


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    sys.exit("no application of process %d" % pid)


def window(pid, title):
    for candidate in application(pid):
        if candidate.name == title and candidate.getState().contains(pyatspi.STATE_SHOWING):
            return candidate
    sys.exit("no window %r" % title)


def descendants(accessible):
    for child in accessible:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from descendants(child)


def one_line(text):
    """A name or value on one line of its field: line breaks as \\n, no tabs."""
    return text.replace("\r", "").replace("\n", "\\n").replace("\t", " ")


def tree(pid, title):
    top = window(pid, title)
    for accessible in [top, *descendants(top)]:
        print("%s\t%s\t%s" % (role_of(accessible), one_line(accessible.name),
                               one_line(value_of(accessible))))


def press(pid, title, name):
    for accessible in descendants(window(pid, title)):
        if accessible.name == name and accessible.queryAction().nActions > 0:
            accessible.queryAction().doAction(0)
            return
    sys.exit("nothing to press named %r" % name)


def listen(pid, log_path):
    log = open(log_path, "w", encoding="utf-8", buffering=1)

    def heard(event):
        try:
            source = event.source
            if source.get_process_id() != pid:
                return
            data = event.any_data if isinstance(event.any_data, (str, int, float)) else ""
            log.write("%s\t%s\t%s\t%d\t%d\t%s\n" % (event.type, role_of(source), source.name,
                                                    event.detail1, event.detail2, data))
        except Exception as error:  # an object gone meanwhile
            log.write("error\t%s\n" % error)

    pyatspi.Registry.registerEventListener(heard, *EVENTS)
    log.write("ready\n")
    pyatspi.Registry.start()


def main(arguments):
    command, pid = arguments[0], int(arguments[1])
    if command == "tree":
        tree(pid, arguments[2])
    elif command == "press":
        press(pid, arguments[2], arguments[3])
    elif command == "listen":
        listen(pid, arguments[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
