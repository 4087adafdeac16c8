# SPDX-License-Identifier: GPL-3.0-or-later
"""Paste lands once in the window used before, under every common window manager and in any layout.

One session and one program start per window manager: a Qt field and a GTK entry stand in for the
user's applications; each takes its turn as the window the user worked in, then Paste is clicked
again and again. Each try must add the transcription exactly once to that field, which also proves
nothing went into the program's own line: the next Copy would carry it along.
"""

import os
import statistics
import time
import unittest

import korvx
from korvx import HarnessError, wait_until

SHI_LONG = "\u0283i\u02d0"  # ʃiː
SHI_LONG_BUTTONS = ("She", "See", "Long")
TRIES = int(os.environ.get("KORV_PASTE_TRIES") or 20)
HERE = os.path.dirname(os.path.abspath(__file__))
GTK_FIELD = os.path.join(HERE, "tools", "gtkfield.py")
# Layouts as setxkbmap names them: the first is active. In "ru,us" no key of the active group types v.
LAYOUTS = (("us",), ("ru", "us"))
# Away from the fields, which sit in the top left corner.
INI = {"Korvani": {"AutoPaste": "1"}, "Position": {"Left": "600", "Top": "300"}}


def qt_field_binary():
    path = os.environ.get("KORV_TEXTFIELD_BIN")
    if not path:
        raise HarnessError("set KORV_TEXTFIELD_BIN to the korv_textfield executable")
    return path


def paste_into(session, program, field, tries):
    """Click Paste tries times after working in field; the click-to-text times in seconds."""
    session.click(*session.geometry(field.window).centre)  # the user works there ...
    wait_until(lambda: session.active_window() == field.window, 5, "the field to be active")
    session.key("End")  # the click put the caret where it hit the text
    before = field.text()
    took = []
    for attempt in range(1, tries + 1):
        program.hover(*korvx.control("CopyButton").centre)  # ... then clicks Paste
        clicked = time.monotonic()
        session.xdotool("click", 1)
        expected = before + SHI_LONG * attempt
        wait_until(lambda: field.text() == expected, 3, f"paste {attempt} to reach the field", interval=0.005)
        took.append(field.changed_at() - clicked)
    return took


def run_desktop(wm, tries=TRIES, report=None):
    """Every target in every layout under one window manager; {(layout, target): times}."""
    results = {}
    with korvx.Session(tray=False, wm=wm) as s:
        fields = {
            "Qt": s.start_text_field(qt_field_binary(), title="qt"),
            "GTK": s.start_text_field(GTK_FIELD, title="gtk"),
        }
        program = s.start_program(korvx.program_binary(), ini=INI)
        program.wait_active()
        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        for layouts in LAYOUTS:
            s.set_layout(*layouts)
            for target, field in fields.items():
                cell = (",".join(layouts), target)
                results[cell] = paste_into(s, program, field, tries)
                wait_until(lambda: not s.keys_down(), 2, "every key to be up")
                if report:
                    report(wm, cell, results[cell])
        if not program.running() or program.sanitizer_report():
            raise HarnessError("the program ended or was reported:\n" + program.output())
    return results


def summary(times):
    return f"median {statistics.median(times) * 1000:.0f} ms, worst {max(times) * 1000:.0f} ms"


class DesktopsTest(unittest.TestCase):
    def check(self, wm):
        def report(wm, cell, times):
            print(f"\n{wm} {cell[0]} {cell[1]}: {len(times)}/{TRIES} landed, {summary(times)}", end="")

        results = run_desktop(wm, report=report)
        self.assertEqual(len(results), len(LAYOUTS) * 2)


for _wm in korvx.WINDOW_MANAGERS:
    setattr(DesktopsTest, f"test_{_wm}", lambda self, wm=_wm: self.check(wm))


if __name__ == "__main__":
    unittest.main()
