#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A GTK 3 stand-in for the application the user works in: one text entry in a window titled by the
first argument, reporting each change of its text as "text <hex of its UTF-8> <monotonic ns>" and of
the window's activation as "active 1" or "active 0", and each release of Ctrl as "release control",
like textfield.cpp."""

import sys
import time

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402


def report(entry):
    print(f"text {entry.get_text().encode('utf-8').hex()} {time.monotonic_ns()}", flush=True)


window = Gtk.Window(title=sys.argv[1] if len(sys.argv) > 1 else "gtkfield")
window.set_default_size(320, -1)
window.move(40, 160)
entry = Gtk.Entry()
entry.connect("changed", report)
window.add(entry)
window.connect("destroy", Gtk.main_quit)
entry.connect("key-release-event", lambda w, event: print("release control", flush=True)
              if Gdk.keyval_name(event.keyval) in ("Control_L", "Control_R") else None)
window.connect("notify::is-active", lambda w, _: print(f"active {int(w.is_active())}", flush=True))
report(entry)
window.show_all()
Gtk.main()
