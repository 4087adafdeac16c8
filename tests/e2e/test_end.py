# SPDX-License-Identifier: GPL-3.0-or-later
"""Ended from outside: SIGTERM, SIGINT and SIGHUP end the program as closing the window does,
whatever box is open, with status 0, the position saved where the window was shown, and nothing
written that was not saved."""

import os
import resource
import signal
import unittest

import korvx
from korvtest import ProgramTestCase
from test_about import ABOUT_TITLE, AboutWindow

# Larger than the file-size limit the failed writes run under: every write of the file fails.
BIG_INI = "[Korvani]\r\nNote=" + "n" * 4000 + "\r\n"


class EndTest(ProgramTestCase):
    def box(self, program, main):
        """The message box over the window main (None: no window yet)."""
        s = self.session
        box = korvx.wait_until(
            lambda: ([w for w in s.search(name="^Korvani v6$", pid=program.pid) if w != main] or [None])[0],
            10, "the message box")
        korvx.wait_until(lambda: s.active_window() == box, 5, "the message box to be active")

    def about_options_changed(self, program):
        program.click_control("AboutButton")
        window = korvx.wait_until(lambda: program.find_windows(ABOUT_TITLE), 10, "the About window")[0]
        korvx.wait_until(lambda: self.session.active_window() == window, 5, "the About window to be active")
        about = AboutWindow(program, window)
        about.click("TabOptions")
        about.click("autoPasteBox")
        return about

    # Each state: the files before, how to get there once the program runs, and whether the
    # position gets saved (False: the settings file stays as it was).
    def start_up_message(self):
        program = self.start(start=False)
        # Kept whole at start, and larger than the file-size limit it starts under.
        with open(program.log_path, "wb") as log:
            log.write(b"[Other]\r\n" + b"".join(b"K%d=%s\r\n" % (i, b"v" * 60) for i in range(2300)))
        soft, hard = resource.getrlimit(resource.RLIMIT_FSIZE)
        resource.setrlimit(resource.RLIMIT_FSIZE, (64 * 1024, hard))
        try:
            program.start()
        finally:
            resource.setrlimit(resource.RLIMIT_FSIZE, (soft, hard))
        self.box(program, None)
        return program, None

    def shown(self, ini=None, failing_writes=False):
        program = self.start(ini=ini)
        main = program.wait_active()
        frame = program.frame_rect()
        if failing_writes:
            self.session.run("prlimit", f"--pid={program.pid}", "--fsize=1024:1024")
        return program, main, (frame.x, frame.y)

    def window(self):
        program, _, position = self.shown()
        return program, position

    def about(self):
        program, _, position = self.shown()
        self.about_options_changed(program)
        return program, position

    def saves_error_box(self):
        program, _, _ = self.shown(BIG_INI, failing_writes=True)
        about = self.about_options_changed(program)
        about.click("saveButton")
        self.box(program, program.window())
        return program, None

    def closes_failed_write(self):
        program, main, _ = self.shown(BIG_INI, failing_writes=True)
        self.session.close_window(main)
        self.box(program, main)
        return program, None

    def test_every_signal_in_every_state_ends_the_program_as_closing_does(self):
        states = {
            "the window": (self.window, None),
            "the start-up message": (self.start_up_message, None),
            "the About window with a changed Options page": (self.about, None),
            "the error box of a failed Save over the About window": (self.saves_error_box, BIG_INI),
            "the message of a failed write while closing": (self.closes_failed_write, BIG_INI),
        }
        for state, (reach, ini_text) in states.items():
            for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
                with self.subTest(state=state, signal=number.name):
                    program, position = reach()
                    os.kill(program.pid, number)
                    self.assertEqual(program.wait_exit(10), 0, program.output())
                    if position is not None:
                        ini = program.ini()
                        self.assertEqual(list(ini.sections()), ["Position"], program.ini_text())
                        self.assertEqual((int(ini["Position"]["Left"]), int(ini["Position"]["Top"])), position)
                    elif ini_text is None:
                        self.assertFalse(os.path.exists(program.ini_path), program.ini_text())
                    else:
                        self.assertEqual(program.ini_text(), ini_text)


if __name__ == "__main__":
    unittest.main()
