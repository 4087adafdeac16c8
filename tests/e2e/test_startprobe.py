# SPDX-License-Identifier: GPL-3.0-or-later
"""The benchmarks' start probe: it finds the window of the program it starts, with or without a
window manager, and ends the program by its close box when asked, by SIGTERM otherwise."""

import os
import sys
import unittest

import korvx

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "bench"))
import winstartup  # noqa: E402

PROBE = os.environ.get("KORV_STARTPROBE_BIN", "")
MINIMAL = os.environ.get("KORV_MINIMALWINDOW_BIN", "")


class StartProbeTest(unittest.TestCase):
    def test_times_the_window_and_ends_the_program_as_asked(self):
        cases = [((), 0), (("--close-ms", "10000"), 1)]
        for wm in (None, "openbox"):
            with korvx.Session(tray=False, wm=wm) as session:
                for options, closed in cases:
                    with self.subTest(wm=wm, options=options):
                        result = session.run(PROBE, *options, "--", MINIMAL, timeout=60, check=False)
                        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
                        figures = winstartup.parse_figures(result.stdout.decode())
                        self.assertEqual(figures["closed"], closed)
                        self.assertGreater(figures["map_ms"], 0)
                        self.assertGreaterEqual(figures["paint_ms"], figures["map_ms"])
                        self.assertNotEqual(figures["window"], 0)
                        # Ended either way: nothing of it is left on the display.
                        korvx.wait_until(lambda: not session.search(name="^Minimal window$"), 5,
                                         "the window to go")


if __name__ == "__main__":
    unittest.main()
