# SPDX-License-Identifier: GPL-3.0-or-later
"""The shared scenarios (scenarios.py) on the Linux program, on a private X session."""
import unittest

import korvx
from korvlayout import Rect, control
from korvtest import ProgramTestCase
from korvx import wait_until
from scenarios import SCENARIOS


class LinuxDriver:
    """The scenarios' verbs on the Linux program."""

    def __init__(self, case):
        self.case = case
        self.session = case.session
        self.program = None

    def start(self, ini=None, args=()):
        self.program = self.case.start(list(args), ini=ini)
        self.wait_ready()

    def restart(self):
        self.program.close()
        self.case.assertEqual(self.program.wait_exit(10), 0)
        self.program.start()
        self.wait_ready()

    def wait_ready(self):
        """Active, with the caret blinking in the line: the program has the keyboard, so what a
        scenario types is not lost to the moment between the window manager's activation and the
        toolkit's."""
        self.program.wait_active()
        line = control("Line")
        x, y = self.program.to_root(line.x, line.y)
        area = Rect(x, y, line.w, line.h)
        first = self.session.screen_bytes(area)
        wait_until(lambda: self.session.screen_bytes(area) != first, 5, "the caret to blink in the line", 0.1)

    def click(self, name):
        self.program.click_control(name)

    def key(self, *chords):
        self.program.key(*chords)

    def type(self, text):
        self.session.type_text(text)

    def line(self):
        return self.program.copy_line()

    def clipboard(self):
        return wait_until(self.session.clipboard_text, 5, "text on the clipboard")

    def rich_clipboard(self):
        data = wait_until(lambda: self.session.clipboard("text/rtf"), 5, "the rich copy on the clipboard")
        return data.decode("latin-1")

    def ini(self):
        return self.program.ini()

    def summon(self, arg):
        result = self.session.run(self.program.exe, arg, timeout=15, check=False)
        self.case.assertEqual(result.returncode, 0, result.stderr)

    def wait_shown(self, shown):
        if shown:
            self.program.wait_active()
        else:
            self.program.wait_hidden()


class LinuxScenarioTest(ProgramTestCase):
    def setUp(self):
        super().setUp()
        # The summons travel over the session bus.
        self.session.env["DBUS_SESSION_BUS_ADDRESS"] = self.session.start_bus()

    def test_scenarios(self):
        for scenario in SCENARIOS:
            with self.subTest(scenario.__name__):
                try:
                    scenario(self, LinuxDriver(self))
                finally:
                    # A copy left running would answer the next scenario's summons.
                    for program in self.session.programs():
                        program.stop()


if __name__ == "__main__":
    unittest.main()
