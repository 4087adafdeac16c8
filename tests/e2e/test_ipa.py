# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole IPA: the "All" tab's grid and search, marks on the letter before them through Copy,
X-SAMPA converted in the line and on the command line, and what a screen reader finds."""

import html
import os
import re
import subprocess
import unittest

from korvx import wait_until
from korvtest import ProgramTestCase
import test_keyboard

# The "All" tab's grid in the window: the chart area, below the search field; a title above
# each group, cells 25 by 24.
# While a query is typed, the strip that shows what Return inserts lies between them.
GRID_X, GRID_Y, CHOSEN_HEIGHT = 10, 50 + 22, 22
TITLE_HEIGHT, CELL_W, CELL_H = 14, 25, 24


def cell_centre(index, searching=False):
    """The centre of a cell of the first row under the first title."""
    top = GRID_Y + (CHOSEN_HEIGHT if searching else 0)
    return GRID_X + index * CELL_W + CELL_W // 2, top + TITLE_HEIGHT + CELL_H // 2


class IpaTest(ProgramTestCase):
    def start_with_line(self, text, caret_back=1, **kwargs):
        """The program with `text` typed into the line and the caret moved back."""
        program = self.start(**kwargs)
        program.wait_active()
        program.click_control("Line")
        if text:
            self.session.type_text(text)
        if caret_back:
            program.key(*(["Left"] * caret_back))
        return program

    def rich_copy(self, program):
        s = self.session
        before = s.clipboard_stamp()
        program.click_control("CopyButton")
        wait_until(lambda: s.clipboard_stamp() != before, 5, "Copy to reach the clipboard")
        wait_until(lambda: "text/html" in s.clipboard_targets(), 5, "the rich copy")

    def test_a_click_on_a_symbol_inserts_it_at_the_caret(self):
        cases = [
            # keys, what is typed in the search field, the cell clicked, the line after it
            (["ctrl+Next", "ctrl+Next"], None, 4, "a\u0288b"),  # the chart's order: p b t d ʈ
            (["ctrl+f"], "retroflex", 1, "a\u0256b"),  # found in the chart's order: ʈ ɖ
        ]
        for keys, query, cell, line in cases:
            with self.subTest(query=query):
                program = self.start_with_line("ab")
                program.key(*keys)
                if query:
                    self.session.type_text(query)
                program.click(*cell_centre(cell, searching=bool(query)))
                self.assertEqual(program.copy_line(), line)
                program.stop()

    def test_ctrl_f_a_description_and_return_insert_the_symbol(self):
        program = self.start_with_line("ab")
        program.key("ctrl+f")
        self.session.type_text("voiced retro nasal")
        program.key("Return")
        self.assertEqual(program.copy_line(), "a\u0273b")

    def test_a_mark_goes_on_the_letter_before_it_and_survives_copy(self):
        s = self.session
        program = self.start_with_line("na")
        program.key("ctrl+f")
        s.type_text("voiceless")
        program.key("Return")
        self.rich_copy(program)
        self.assertEqual(s.clipboard_text(), "n\u0325a")
        self.assertIn("n\u0325a", s.clipboard("text/html").decode("utf-8"))
        # A real RTF reader gives back the letter with its mark.
        rtf = s.clipboard("text/rtf")
        read = subprocess.run(["unrtf", "--html"], input=rtf, capture_output=True, check=True)
        body = re.search(rb"<body>(.*)</body>", read.stdout, re.S).group(1).decode("utf-8")
        self.assertEqual(html.unescape(re.sub(r"<[^>]*>", "", body)).strip(), "n\u0325a")

    def test_ctrl_shift_x_converts_the_line_from_x_sampa(self):
        program = self.start_with_line('D@ "k{t t_h', caret_back=0)
        program.key("ctrl+shift+x")
        self.assertEqual(program.copy_line(), "\u00f0\u0259 \u02c8k\u00e6t t\u02b0")

    def test_x_sampa_on_the_command_line_without_a_window(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        result = subprocess.run([self.binary, "--xsampa", 'D@ "k{t'], env=env, capture_output=True, timeout=10)
        self.assertEqual((result.returncode, result.stdout.decode("utf-8")), (0, "\u00f0\u0259 \u02c8k\u00e6t\n"))
        # With no text, standard input line by line; a byte that is not UTF-8 ends it, named.
        for args, given, status, out, err in (
            ([], b'D@\n"k{t\n', 0, "\u00f0\u0259\n\u02c8k\u00e6t\n", b""),
            (["-"], b"t_h\n\xe9\n", 1, "t\u02b0\n", b"korvani: the input is not UTF-8 at byte offset 4\n"),
        ):
            result = subprocess.run([self.binary, "--xsampa", *args], env=env, input=given, capture_output=True, timeout=10)
            self.assertEqual((result.returncode, result.stdout.decode("utf-8"), result.stderr), (status, out, err))
        # A full disk is a failed write, said on stderr.
        with open("/dev/full", "wb") as full:
            result = subprocess.run([self.binary, "--xsampa", "S"], env=env, stdout=full, stderr=subprocess.PIPE, timeout=10)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"cannot write the output", result.stderr)

    def test_spelling_to_ipa_on_the_command_line_without_a_window(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        for args, given, status, out in (
            (["Hello, world!"], b"", 0, "h\u0259\u02c8l\u0259\u028a, w\u025c\u02d0ld!\n"),
            (["--accent", "ga", "-"], b"butter\nrecord\n", 0, "\u02c8b\u028ct\u025a\n\u02c8r\u025bk\u025ad\n"),
            (["--accent", "au", "x"], b"", 2, ""),
        ):
            result = subprocess.run([self.binary, "--transcribe", *args], env=env, input=given, capture_output=True, timeout=10)
            self.assertEqual((result.returncode, result.stdout.decode("utf-8")), (status, out), args)

    def test_the_screen_reader_finds_each_symbol_by_name_and_x_sampa(self):
        self.bus_env = {"DBUS_SESSION_BUS_ADDRESS": self.session.start_bus(), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}
        program = self.start_with_line("", caret_back=0, extra_env=self.bus_env)
        program.key("ctrl+f")
        tree = test_keyboard.KeyboardTest.tree(self, program)
        nodes = [n for n, _ in test_keyboard.walk(tree)]
        self.assertIn(("text", "Search symbols"), [(n["role"], n["name"]) for n in nodes])
        buttons = {n["name"]: n["description"] for n in nodes if n["role"] == "push button"}
        for name, description in (
            ("\u0263, voiced velar fricative", "X-SAMPA G, U+0263 LATIN SMALL LETTER GAMMA"),
            ("\u25cc\u0325, voiceless", "X-SAMPA _0, U+0325 COMBINING RING BELOW"),
            ("\u01c3, (post)alveolar click", "X-SAMPA !\\, U+01C3 LATIN LETTER RETROFLEX CLICK"),
        ):
            self.assertEqual(buttons.get(name), description, name)


if __name__ == "__main__":
    unittest.main()
