# SPDX-License-Identifier: GPL-3.0-or-later
"""KDE's window manager, which reads no Motif functions: the windows still offer only Move and Close,
stay on top, and the tray icon brings the hidden window back. (Paste and position: the desktop tests.)"""

import re
import unittest

import korvx
from test_tray import embedded_icon, listed


class KWinTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = korvx.Session(wm="kwin")
        cls.session.start()
        cls.addClassCleanup(cls.session.stop)

    def start(self):
        program = self.session.start_program(korvx.program_binary())
        self.addCleanup(lambda: self.assertIsNone(program.sanitizer_report(), program.output()))
        self.addCleanup(program.stop)  # first
        return program

    def test_main_and_about_window_offer_move_and_close_only(self):
        s = self.session
        program = self.start()
        window = program.wait_active()
        program.click_control("AboutButton")
        about = korvx.wait_until(lambda: s.search(name="^About Korvani$", pid=program.pid), 10, "the About window")[0]
        for name, shown in (("main", window), ("About", about)):
            with self.subTest(name):
                korvx.wait_until(lambda: s.property(shown, "_NET_WM_ALLOWED_ACTIONS"), 5, "allowed actions")
                allowed = set(re.findall(r"_NET_WM_ACTION_(\w+)", s.property(shown, "_NET_WM_ALLOWED_ACTIONS")))
                self.assertLessEqual({"MOVE", "CLOSE"}, allowed)
                self.assertFalse({"MINIMIZE", "RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"} & allowed, allowed)
                self.assertIn("_NET_WM_STATE_ABOVE", s.property(shown, "_NET_WM_STATE") or "")

    def test_the_tray_icon_brings_back_the_hidden_window(self):
        program = self.start()
        program.wait_active()
        program.click_control("HideButton")
        program.wait_hidden()
        korvx.wait_until(lambda: not listed(program), 5, "hidden, not minimised")
        self.session.click(*self.session.geometry(embedded_icon(program)).centre)
        program.wait_active()
        self.assertTrue(listed(program))


if __name__ == "__main__":
    unittest.main()
