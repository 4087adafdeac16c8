# SPDX-License-Identifier: GPL-3.0-or-later
"""The user's own symbols and the recent ones: pinned from a chart and from the line, kept across
a restart in their order, read back as a screen reader finds them (AT-SPI)."""

import json
import os
import sys

from korvx import HERE
from korvtest import ProgramTestCase

PANEL = (10, 50)  # where the chart area of every tab begins in the window


def walk(tree, path=()):
    yield tree, path
    for child in tree["children"]:
        yield from walk(child, path + (tree["name"],))


class MineTest(ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.bus_env = {"DBUS_SESSION_BUS_ADDRESS": self.session.start_bus(), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def cells(self, program, grid):
        """The names of the shown cells of the grid of that accessible name, in order."""
        env = dict(self.session.env, **self.bus_env)
        result = self.session.run(sys.executable, os.path.join(HERE, "atspitree.py"), str(program.pid),
                                  timeout=30, env=env)
        return [n["name"] for n, path in walk(json.loads(result.stdout))
                if n["role"] == "push button" and path and path[-1] == grid]

    def to_tab(self, program, steps):
        program.click_control("Line")
        for _ in range(steps):
            program.key("ctrl+Next")

    def test_pinned_symbols_and_recent_ones_survive_a_restart(self):
        program = self.start(extra_env=self.bus_env)
        program.wait_active()
        program.click_control("She", button=3)  # ʃ: "Add to Mine" is the menu's first entry
        program.key("Down", "Return")
        for name in ("See", "Chain", "Aspired"):  # i tʃ ʰ
            program.click_control(name)
        program.key("shift+Left", "shift+Left", "shift+Left", "ctrl+d")  # tʃʰ from the line
        program.close()
        self.assertIn("Mine=U+0283, U+0074 U+0283 U+02B0", program.ini_text())

        program.start()
        program.wait_active()
        self.to_tab(program, 3)
        self.assertEqual(self.cells(program, "Mine"), ["ʃ", "tʃʰ"])
        program.click(PANEL[0] + 12, PANEL[1] + 12)  # ʃ
        program.click(PANEL[0] + 25 + 20, PANEL[1] + 12)  # tʃʰ, 41 pixels wide
        self.assertEqual(program.copy_line(), "ʃtʃʰ")
        self.to_tab(program, 3)  # on to "All", by way of "Standard" and "Additional"
        self.assertEqual(self.cells(program, "All symbols")[:5], ["tʃʰ", "ʃ", "ʰ", "tʃ", "i"])
