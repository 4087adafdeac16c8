#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Works programs through their accessibility tree (AT-SPI), as a screen reader's user would, one
command a line on standard input, one answer a line ("ok ..." or "error ...") on standard output:

    settext PID NAME HEX      puts the UTF-8 text HEX into the text field called NAME
    text PID NAME             "ok HEX": the text of that field, as UTF-8 in hexadecimal
    press PID ROLE NAME       presses the control with that role ("push_button": spaces as
                              underscores) and name
    dialog share|cancel       answers the remote desktop portal's permission dialog (GNOME's),
                              ticking "Allow remote interaction" before Share
    dialog shown              "ok yes" while that dialog is up

Run in the session's environment (DBUS_SESSION_BUS_ADDRESS); it keeps its bus connection, so one
process serves a whole test.
"""

import sys
import time

import pyatspi
from gi.repository import Atspi

PORTAL_DIALOG_APP = "xdg-desktop-portal-gnome"


def applications(pid=None, name=None):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if (pid is None or app.get_process_id() == pid) and (name is None or app.name == name):
                # States change under us: nothing is kept, all is read afresh. Not by clear_cache(),
                # which recurses through the kept tree with no guard: a dialog made again at the
                # old object paths can make that tree a cycle, and the stack overflows.
                app.set_cache_mask(Atspi.Cache.NONE)
                yield app
        except Exception:  # an application that went away meanwhile
            continue


def find(node, predicate):
    if predicate(node):
        return node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found = find(child, predicate)
            if found is not None:
                return found
    return None


def find_in(apps, predicate):
    for app in apps:
        found = find(app, predicate)
        if found is not None:
            return found
    return None


def named(role, name):
    return lambda a: a.getRoleName() == role and a.name == name


def has(accessible, state):
    return accessible.getState().contains(state)


def wait_for(what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while True:
        found = what()
        if found:
            return found
        if time.monotonic() > deadline:
            raise LookupError("timed out")
        time.sleep(0.05)


def settext(pid, name, hex_text):
    field = wait_for(lambda: find_in(applications(pid), named("text", name)))
    if not field.queryEditableText().setTextContents(bytes.fromhex(hex_text).decode("utf-8")):
        raise LookupError("the text was not taken")
    return ""


def text(pid, name):
    field = wait_for(lambda: find_in(applications(pid), named("text", name)))
    return field.queryText().getText(0, -1).encode("utf-8").hex()


def press(pid, role, *name):
    control = wait_for(lambda: find_in(applications(pid), named(role.replace("_", " "), " ".join(name))))
    control.queryAction().doAction(0)
    return ""


def dialog_shown():
    frames = (find(app, lambda a: a.getRoleName() == "frame" and a.name == "Remote desktop")
              for app in applications(name=PORTAL_DIALOG_APP))
    return "yes" if any(frame is not None and has(frame, pyatspi.STATE_SHOWING) for frame in frames) else "no"


def dialog(answer):
    if answer == "shown":
        return dialog_shown()
    apps = lambda: list(applications(name=PORTAL_DIALOG_APP))  # noqa: E731
    frame = wait_for(lambda: find_in(apps(), lambda a: a.getRoleName() == "frame" and a.name == "Remote desktop"))
    ending = "Share" if answer == "share" else "Cancel"
    if answer == "share":
        box = wait_for(lambda: find(frame, lambda a: a.getRoleName() == "check box"))
        if not has(box, pyatspi.STATE_CHECKED):
            box.queryAction().doAction(0)
    # Share becomes sensitive only once the box is ticked.
    button = wait_for(lambda: (b := find(frame, lambda a: a.getRoleName() == "push button" and a.name.endswith(ending)))
                      and has(b, pyatspi.STATE_SENSITIVE) and b)
    button.queryAction().doAction(0)
    return ""


COMMANDS = {"settext": lambda pid, name, text: settext(int(pid), name, text),
            "text": lambda pid, name: text(int(pid), name),
            "press": lambda pid, role, *name: press(int(pid), role, *name),
            "dialog": dialog}


def main():
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        try:
            answer = COMMANDS[words[0]](*words[1:])
            print(f"ok {answer}".rstrip(), flush=True)
        except Exception as error:  # told to the test, which fails with it
            print(f"error {type(error).__name__}: {error}".replace("\n", " "), flush=True)


if __name__ == "__main__":
    main()
