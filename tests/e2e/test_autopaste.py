# SPDX-License-Identifier: GPL-3.0-or-later
"""Paste: Copy, then Alt+Tab and Ctrl+V put the transcription into the application used before."""

import os
import time
import unittest

from korvx import HarnessError, wait_until
from korvtest import ProgramTestCase

SHI_LONG = "\u0283i\u02d0"  # ʃiː
SHI_LONG_BUTTONS = ("She", "See", "Long")
TRIES = 20


def text_field_binary():
    path = os.environ.get("KORV_TEXTFIELD_BIN")
    if not path:
        raise HarnessError("set KORV_TEXTFIELD_BIN to the korv_textfield executable")
    return path


class AutoPasteTest(ProgramTestCase):
    def start_composed(self):
        program = self.start(ini={"Korvani": {"AutoPaste": "1"}})
        program.wait_active()
        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        return program

    def assert_line_unchanged(self, program):
        self.session.activate(program.window())
        self.assertEqual(program.copy_line(), SHI_LONG)

    def test_paste_lands_in_the_previous_text_field_every_time(self):
        s = self.session
        field = s.start_text_field(text_field_binary())
        program = self.start_composed()
        landed = 0
        took = []
        for attempt in range(1, TRIES + 1):
            # The click on Paste makes the program active again, as a user's click does.
            started = time.monotonic()
            program.click_control("CopyButton")
            wait_until(lambda: field.text() == SHI_LONG * attempt, 5, f"paste {attempt} to reach the field")
            wait_until(lambda: s.active_window() == field.window, 5, "the field to stay active")
            took.append(time.monotonic() - started)
            landed += 1
        self.assertEqual(landed, TRIES)
        print(f"\n{landed} of {TRIES} pastes landed; slowest click-to-text {max(took) * 1000:.0f} ms")
        self.assert_line_unchanged(program)

    def test_the_previous_application_receives_only_the_paste_chord(self):
        s = self.session
        witness = s.start_witness()
        program = self.start_composed()
        program.click_control("CopyButton")
        wait_until(lambda: s.active_window() == witness.window, 5, "the switch to the witness")
        expected = [("press", "Control_L", 0), ("press", "v", 4), ("release", "v", 4), ("release", "Control_L", 4)]
        wait_until(lambda: len(witness.keys()) >= len(expected), 5, "the paste chord")
        time.sleep(0.2)  # nothing else may follow
        self.assertEqual(witness.keys(), expected)

    def test_with_no_other_window_nothing_is_pasted_and_the_keyboard_is_free(self):
        s = self.session
        program = self.start_composed()
        window = program.window()
        program.click_control("CopyButton")
        # The program gives up after its bounds; the window switcher must not keep the keyboard.
        time.sleep(2.0)
        self.assertEqual(s.active_window(), window)
        self.assertEqual(program.copy_line(), SHI_LONG)
        self.assertTrue(program.running())


if __name__ == "__main__":
    unittest.main()
