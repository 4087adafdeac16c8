# SPDX-License-Identifier: GPL-3.0-or-later
"""Copy puts the composition line on the X11 clipboard as plain Unicode text, RTF and HTML."""

import unittest

from korvx import wait_until
from korvtest import ProgramTestCase

SHI_LONG = "\u0283i\u02d0"  # ʃiː
SHI_LONG_BUTTONS = ("She", "See", "Long")


class CopyTest(ProgramTestCase):
    def compose_and_copy(self, program):
        program.wait_active()
        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        s = self.session
        before = s.clipboard_stamp()
        program.click_control("CopyButton")
        wait_until(lambda: s.clipboard_stamp() != before, 5, "Copy to reach the clipboard")
        # The rich copy follows the plain one; wait for the complete set.
        wait_until(lambda: "text/html" in s.clipboard_targets(), 5, "the rich copy")

    def test_faces_sizes_and_codes_on_the_clipboard(self):
        s = self.session
        cases = [
            # name, settings, plain text, face, RTF text, size in points
            ("unicode font", {}, SHI_LONG, "Lucida Sans Unicode", r"\u643\'3fi\u720\'3f", 16),
            ("legacy font", {"UseUnicodeFont": "0"}, "\u00a7i\u00ad", "Korvani", r"\'a7i\'ad", 16),
            ("size 72", {"FontSize": "15"}, SHI_LONG, "Lucida Sans Unicode", r"\u643\'3fi\u720\'3f", 72),
            ("the face chosen for copies", {"CopyFace": "DejaVu Sans"}, SHI_LONG, "DejaVu Sans",
             r"\u643\'3fi\u720\'3f", 16),
            ("the legacy font's own face, whatever was chosen", {"UseUnicodeFont": "0", "CopyFace": "DejaVu Sans"},
             "\u00a7i\u00ad", "Korvani", r"\'a7i\'ad", 16),
        ]
        for name, settings, plain, face, rtf_text, points in cases:
            with self.subTest(name):
                program = self.start(ini={"Korvani": settings} if settings else None)
                self.compose_and_copy(program)

                targets = s.clipboard_targets()
                for target in ("UTF8_STRING", "text/plain", "text/plain;charset=utf-8", "text/rtf", "text/html"):
                    self.assertIn(target, targets)
                for target in ("UTF8_STRING", "text/plain", "text/plain;charset=utf-8"):
                    self.assertEqual(s.clipboard(target), plain.encode("utf-8"), target)

                rtf = s.clipboard("text/rtf").decode("ascii")
                self.assertTrue(rtf.startswith("{\\rtf1"), rtf)
                self.assertIn(f" {face};", rtf)
                self.assertIn(f"\\fs{points * 2} {rtf_text}}}", rtf)

                html = s.clipboard("text/html").decode("utf-8")
                self.assertIn(f"font-family: '{face}'; font-size: {points}pt", html)
                self.assertIn(f">{plain}</span>", html)

                # The line itself is never re-coded.
                self.assertEqual(program.copy_line(), SHI_LONG)
                program.stop()

    def test_ctrl_shift_c_and_ctrl_shift_return_copy_plain_text_alone(self):
        s = self.session
        # In the legacy mode too: plain text for a document's own face is Unicode.
        program = self.start(ini={"Korvani": {"UseUnicodeFont": "0"}})
        program.wait_active()
        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        for chord in ("ctrl+shift+c", "ctrl+shift+Return"):
            with self.subTest(chord):
                before = s.clipboard_stamp()
                program.key(chord)
                wait_until(lambda: s.clipboard_stamp() != before, 5, "the copy to reach the clipboard")
                targets = s.clipboard_targets()
                self.assertNotIn("text/rtf", targets)
                self.assertNotIn("text/html", targets)
                self.assertEqual(s.clipboard("UTF8_STRING"), SHI_LONG.encode("utf-8"))

    def test_clipboard_outlives_the_focus_and_serves_other_programs(self):
        s = self.session
        program = self.start()
        self.compose_and_copy(program)
        witness = s.start_witness()
        self.assertEqual(s.active_window(), witness.window)
        for _ in range(3):
            self.assertEqual(s.clipboard_text(), SHI_LONG)
            self.assertIn("Lucida Sans Unicode", s.clipboard("text/rtf").decode("ascii"))
        self.assertTrue(program.running())

    def test_no_size_selected_keeps_the_plain_copy_and_shows_the_error(self):
        s = self.session
        program = self.start(ini={"Korvani": {"FontSize": "99"}})
        program.wait_active()
        main = program.window()
        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        before = s.clipboard_stamp()
        program.click_control("CopyButton")
        boxes = wait_until(lambda: [w for w in program.find_windows() if w != main], 5, "the error box")
        wait_until(lambda: s.active_window() == boxes[0], 5, "the error box to take the keyboard")
        self.assertNotEqual(s.clipboard_stamp(), before)
        self.assertEqual(s.clipboard_text(), SHI_LONG)
        self.assertNotIn("text/rtf", s.clipboard_targets())

        # OK closes the box and the program goes on.
        s.key("Return")
        wait_until(lambda: program.find_windows() == [main], 5, "the error box to close")
        self.assertTrue(program.running())
        program.wait_active()
        self.assertEqual(program.copy_line(), SHI_LONG)


if __name__ == "__main__":
    unittest.main()
