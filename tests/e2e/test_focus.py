# SPDX-License-Identifier: GPL-3.0-or-later
"""Never lose a keystroke: after a click on a tab, a symbol or a command button the keys go where
they were going (the line, or the search field while the user searches); Clear all leaves the
keys in the line and is undone with Ctrl+Z; the tab last used is the one shown at the next start."""

from korvtest import ProgramTestCase


class FocusTest(ProgramTestCase):
    def start_writing(self):
        program = self.start()
        program.wait_active()
        return program

    def test_a_tab_clicked_while_searching_leaves_the_keys_to_the_line_not_the_size(self):
        program = self.start_writing()
        self.session.type_text("a")
        program.key("ctrl+f")
        self.session.type_text("schwa")
        program.click_control("TabStandard")
        self.session.type_text("2")  # once changed the size to 20 points unseen
        self.assertEqual(program.copy_line(), "a2")
        program.close()
        self.assertNotIn("FontSize", program.ini_text())

    def test_symbols_and_buttons_clicked_while_searching_leave_the_keys_in_the_search(self):
        program = self.start_writing()
        self.session.type_text("ab")
        program.key("ctrl+f")
        self.session.type_text("lon")
        program.click_control("Long")  # ː beside the All tab, inserted at the line's caret
        program.click_control("BackButton")
        program.click_control("Long")
        self.session.type_text("g")
        self.assertEqual(program.copy_line(), "long")  # copied from the search field
        program.key("Escape")
        program.click_control("TabStandard")
        self.assertEqual(program.copy_line(), "ab\u02d0")

    def test_clear_all_leaves_the_keys_in_the_line_and_is_undone_in_one_step(self):
        program = self.start_writing()
        self.session.type_text("ab")
        program.click_control("See")
        program.key("ctrl+f")
        self.session.type_text("x")
        program.click_control("ClearButton")
        self.session.type_text("c")
        self.assertEqual(program.copy_line(), "c")
        program.click_control("ClearButton")
        program.key("ctrl+z")
        self.assertEqual(program.copy_line(), "c")
        program.key("ctrl+z")  # the typed c, then back to before the first Clear all
        program.key("ctrl+z")
        self.assertEqual(program.copy_line(), "abi")

    def test_the_last_tab_used_is_shown_at_the_next_start(self):
        program = self.start_writing()
        program.click_control("TabAdditional")
        program.close()
        self.assertIn("LastTab=1", program.ini_text())
        program.start()
        program.wait_active()
        program.click_control("Bleu")  # on the Additional chart only
        self.assertEqual(program.copy_line(), "\u00f8")
