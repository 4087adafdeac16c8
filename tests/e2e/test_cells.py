# SPDX-License-Identifier: GPL-3.0-or-later
"""Cells draw what they hold: a diacritic kept in Mine stands on its dotted circle, and a tie bar
above two letters is drawn whole inside its cell, as the screen shows them."""

from korvtest import ProgramTestCase
from korvx import Rect

MINE = (10, 50)  # the Mine tab's cells begin here in the window
CELLS = {"tied": Rect(0, 0, 33, 24), "untied": Rect(33, 0, 33, 24), "tilde": Rect(66, 0, 25, 24)}


class CellsTest(ProgramTestCase):
    def ink(self, program, cell):
        """The bounding box of the dark pixels of a cell, in the cell's coordinates, and the ink
        by rows: {y: [x, ...]}."""
        x, y = program.to_root(MINE[0] + cell.x, MINE[1] + cell.y)
        pixels = self.session.run("import", "-window", "root", "-crop", f"{cell.w}x{cell.h}+{x}+{y}",
                                  "+repage", "-depth", "8", "rgb:-", timeout=30).stdout
        rows = {}
        for row in range(cell.h):
            for column in range(cell.w):
                at = 3 * (row * cell.w + column)
                if max(pixels[at:at + 3]) < 0xD8:
                    rows.setdefault(row, []).append(column)
        return rows

    def test_marks_stand_on_their_circle_and_a_tie_is_drawn_whole(self):
        # d͡ʒ, dʒ and the tilde alone, kept by the user.
        ini = "[Symbols]\r\nMine=U+0064 U+0361 U+0292, U+0064 U+0292, U+0303\r\n"
        program = self.start(ini=ini)
        program.wait_active()
        program.click_control("Line")
        for _ in range(3):
            program.key("ctrl+Next")
        self.session.park_pointer()
        program.click_control("Line")  # nothing hovered, nothing raised
        self.session.wait_still(program.client_rect())

        inks = {name: self.ink(program, cell) for name, cell in CELLS.items()}
        for name, rows in inks.items():
            with self.subTest(name):
                self.assertTrue(rows, "a blank cell")
                xs = [x for row in rows.values() for x in row]
                # Within the cell, clear of its edges.
                self.assertGreater(min(rows), 0)
                self.assertLess(max(rows), CELLS[name].h - 1)
                self.assertGreater(min(xs), 0)
                self.assertLess(max(xs), CELLS[name].w - 1)
        # The tilde stands on a circle: ink below the mark, where the circle is.
        self.assertGreaterEqual(max(inks["tilde"]) - min(inks["tilde"]), 8)
        # The tie is the topmost ink and drawn whole, an arc over both letters, not two dots at
        # its ends; without a tie the topmost ink is the d's stem alone.
        def top_share(rows):
            xs = [x for row in rows.values() for x in row]
            top = {x for y in (min(rows), min(rows) + 1) for x in rows.get(y, [])}
            return len(top) / (max(xs) - min(xs) + 1)

        self.assertGreater(top_share(inks["tied"]), 0.5, sorted(inks["tied"].items()))
        self.assertLess(top_share(inks["untied"]), 0.3)
