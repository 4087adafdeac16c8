# SPDX-License-Identifier: GPL-3.0-or-later
"""Summoning from another process: "korvani /toggle" and "/show" reach the running copy over the
session bus, as a desktop's keyboard shortcut would run them, and Paste still goes back to the
window the user worked in before."""

import os
import unittest

import korvx
from korvx import wait_until
from test_autopaste import text_field_binary

INI = {"Korvani": {"AutoPaste": "1"}, "Position": {"Left": "600", "Top": "300"}}


class SummonTest(unittest.TestCase):
    def summon(self, session, program, command):
        """Run another copy with command, as a shortcut would; it must hand over and end."""
        result = session.run(program.exe, command, timeout=15)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_toggle_and_show_bring_the_line_and_paste_goes_back(self):
        for wm in ("openbox", "xfwm4"):
            with self.subTest(wm=wm), korvx.Session(tray=True, wm=wm) as s:
                s.env["DBUS_SESSION_BUS_ADDRESS"] = s.start_bus()
                field = s.start_text_field(text_field_binary())
                program = s.start_program(korvx.program_binary(), ["/hide"], ini=INI)
                wait_until(lambda: s.tray_icons(pid=program.pid), 10, "the tray icon")
                s.click(*s.geometry(field.window).centre)  # the user works in the field
                wait_until(lambda: s.active_window() == field.window, 5, "the field to be active")

                self.summon(s, program, "/toggle")
                program.wait_active()
                s.type_text("ab")  # lands only if the line has the focus
                self.summon(s, program, "/toggle")
                program.wait_hidden()

                self.summon(s, program, "/SHOW")
                program.wait_active()
                s.key("ctrl+Return")  # Paste
                wait_until(lambda: field.text() == "ab", 5, "the paste to reach the field")

                # Shown but no longer active, as after any paste: toggling brings it to the front.
                self.summon(s, program, "/toggle")
                program.wait_active()
                s.type_text("c")
                s.key("ctrl+Return")
                wait_until(lambda: field.text() == "ababc", 5, "the second paste to reach the field")
                self.assertEqual(len(s.programs()), 1)

    def test_show_starts_one_when_none_runs(self):
        with korvx.Session(tray=True) as s:
            bus = {"DBUS_SESSION_BUS_ADDRESS": s.start_bus()}
            for env, said in ((bus, ""), ({}, "no session bus")):
                with self.subTest(bus=bool(env)):
                    program = s.start_program(korvx.program_binary(), ["/show"], extra_env=env)
                    program.wait_active()
                    self.assertIn(said, program.output())
                    program.stop()


if __name__ == "__main__":
    unittest.main()
