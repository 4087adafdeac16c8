# SPDX-License-Identifier: GPL-3.0-or-later
"""Symbol buttons clicked at their places on the real window compose the line in order."""

import unittest

from korvlayout import SYMBOLS
from korvtest import ProgramTestCase


class PaletteTest(ProgramTestCase):
    def test_clicks_at_layout_positions_compose_the_line(self):
        program = self.start()
        program.wait_active()

        # A vowel, a diphthong, an affricate from the consonant block and the length mark from the
        # separate stress column: one- and two-character symbols from both panels.
        names = ["See", "Near", "Chain", "Long"]
        for name in names:
            program.click_control(name)

        expected = "".join(SYMBOLS[name].text for name in names)
        self.assertEqual(expected, "i\u026a\u0259t\u0283\u02d0")
        self.assertEqual(program.copy_line(), expected)
        self.assertTrue(program.running())


if __name__ == "__main__":
    unittest.main()
