# SPDX-License-Identifier: GPL-3.0-or-later
"""The IPA chart window: opened with Ctrl+K and from the All tab, resized, its symbols inserted at
the line's caret while the keyboard stays in the line, its zoom, place and size kept."""

import os

from korvtest import ProgramTestCase
from korvx import wait_until

CHART_TITLE = "Korvani \u2013 IPA chart"
# Chart units: the table's width, and the centre of a symbol's cell.
CHART_WIDTH = 992
P_CELL = (202, 84)        # p, voiceless bilabial plosive
S_CELL = (454, 244)       # z, voiced alveolar fricative


class ChartTest(ProgramTestCase):
    def chart(self, program, timeout=10):
        return wait_until(lambda: (program.find_windows(CHART_TITLE) or [None])[0], timeout,
                          "the chart window")

    def click_cell(self, program, window, cell):
        """Clicks a cell of the chart scaled to the window's width, the scroll bar aside."""
        rect = self.session.geometry(window)
        scale = (rect.w - 16) / CHART_WIDTH
        self.session.click(rect.x + round(cell[0] * scale), rect.y + round(cell[1] * scale))

    def test_the_chart_opens_inserts_at_the_caret_and_leaves_the_keys_to_the_line(self):
        program = self.start()
        main = program.wait_active()
        program.key("ctrl+k")
        window = self.chart(program)
        rect = self.session.geometry(window)
        # Large enough for the table at its own size: its glyphs at 26 pixels.
        self.assertGreaterEqual(rect.w, CHART_WIDTH)
        self.assertEqual(self.session.active_window(), main)

        self.session.type_text("a")
        self.click_cell(program, window, P_CELL)
        self.click_cell(program, window, S_CELL)
        # The keys typed next still go into the line, after what the clicks inserted.
        self.session.type_text("e")
        self.assertEqual(self.session.active_window(), main)
        self.assertEqual(program.copy_line(), "apze")

        if os.environ.get("KORV_CHART_SHOT"):
            self.session.park_pointer()
            self.session.screenshot(os.environ["KORV_CHART_SHOT"], rect)

    def test_the_chart_scales_with_its_window_and_keeps_zoom_place_and_size(self):
        program = self.start()
        program.wait_active()
        program.click_control("Line")
        for _ in range(2):
            program.key("ctrl+Next")
        program.click_control("ChartButton")  # the All tab's button
        window = self.chart(program)
        self.session.xdotool("windowsize", window, "600", "500")
        wait_until(lambda: self.session.geometry(window).w == 600, 5, "the chart to be resized")
        # Scaled to the narrower window, the same cell is hit at its new place.
        self.click_cell(program, window, P_CELL)
        self.assertEqual(program.copy_line(), "p")

        program.key("End", "ctrl+plus", "ctrl+plus", "ctrl+minus", "ctrl+plus", "ctrl+plus")
        wait_until(lambda: program.ini().get("Chart", "Zoom", fallback=None) == "150", 5,
                   "the zoom to be kept")
        self.session.close_window(window)
        wait_until(lambda: not program.find_windows(CHART_TITLE), 5, "the chart to close")
        chart = program.ini()["Chart"]
        self.assertEqual((chart["Width"], chart["Height"]), ("600", "500"))
        program.close()

        program.start()
        program.wait_active()
        program.key("ctrl+k")
        window = self.chart(program)
        rect = self.session.geometry(window)
        self.assertEqual((rect.w, rect.h), (600, 500))
        # At 150 % of the window's width, the table's first cell has moved right and down.
        scale = (rect.w - 16) / CHART_WIDTH * 1.5
        self.session.click(rect.x + round(P_CELL[0] * scale), rect.y + round(P_CELL[1] * scale))
        self.assertEqual(program.copy_line(), "p")
