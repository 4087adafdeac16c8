# SPDX-License-Identifier: GPL-3.0-or-later
"""The window comes back where it was closed under every common window manager: starts and closes
without a move leave the saved frame position as it was, and the frame really stands there."""

import unittest

import korvx

LEFT, TOP = 600, 300
STARTS = 3  # a border's worth of creep shows at the first


def at(rect):
    return rect.x, rect.y


class PositionTest(unittest.TestCase):
    def check(self, wm):
        with korvx.Session(tray=False, wm=wm) as s:
            ini = {"Position": {"Left": str(LEFT), "Top": str(TOP)}}
            for start in range(1, STARTS + 1):
                program = s.start_program(korvx.program_binary(), ini=ini)
                program.window()
                try:  # the frame comes with the window manager's next round of work
                    korvx.wait_until(lambda: at(program.frame_rect()) == (LEFT, TOP), 3, "the frame's place")
                except TimeoutError:
                    pass
                frame = program.frame_rect()
                self.assertEqual(program.close(), 0)
                self.assertIsNone(program.sanitizer_report())
                saved = program.ini()
                self.assertEqual(
                    (at(frame), saved.getint("Position", "Left"), saved.getint("Position", "Top")),
                    ((LEFT, TOP), LEFT, TOP),
                    f"start {start}",
                )
                ini = program.ini_text()


for _wm in korvx.WINDOW_MANAGERS:
    setattr(PositionTest, f"test_{_wm}", lambda self, wm=_wm: self.check(wm))


if __name__ == "__main__":
    unittest.main()
