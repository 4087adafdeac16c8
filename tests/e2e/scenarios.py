# SPDX-License-Identifier: GPL-3.0-or-later
"""What a user does with Korvani, written once and run on both programs: the Linux one on a
private X session, the Windows one under Wine. A difference between the two fails a test.

A driver gives each scenario the same few verbs:
    start(ini=None, args=())  start a fresh copy in a fresh folder (the last one started is "the
                              program"); restart() closes it and starts it again in its folder
    click(name)               click a control or symbol button of korvlayout by name
    key(*chords), type(text)  keys to the focused control
    line()                    the composition line's text, read through the clipboard
    clipboard(), rich_clipboard()
                              the plain text on the clipboard; the RTF Copy put there
    ini()                     KORVANI.INI as {section: {key: value}}
    summon(arg)               run a second copy with arg ("/show", "/toggle"), which must end
    wait_shown(shown)         wait until the window is shown (and active) or hidden
"""

XSAMPA_CAT = 'D@ "k{t'


def symbols_go_in_at_the_caret_and_a_mark_on_the_letter_before_it(t, d):
    d.start()
    for name in ("Tea", "See", "Near"):
        d.click(name)
    d.key("Left", "Left", "Left")
    d.click("Long")
    t.assertEqual(d.line(), "t\u02d0i\u026a\u0259")
    d.key("End")
    d.key("ctrl+f")
    d.type("voiceless")
    d.key("Return")
    t.assertEqual(d.line(), "t\u02d0i\u026a\u0259\u0325")


def back_and_clear_all(t, d):
    d.start()
    for name in ("Tea", "Chain"):
        d.click(name)
    d.click("BackButton")
    t.assertEqual(d.line(), "tt")
    d.click("ClearButton")
    d.type("a")
    t.assertEqual(d.line(), "a")


def copy_puts_plain_and_rich_text_in_the_chosen_size(t, d):
    d.start(ini="[Korvani]\r\nFontSize=15\r\n")
    d.click("See")
    d.click("Near")
    d.click("CopyButton")
    t.assertEqual(d.clipboard(), "i\u026a\u0259")
    rtf = d.rich_clipboard()
    t.assertIn("Lucida Sans Unicode", rtf)
    t.assertIn("\\fs144", rtf)


def typing_after_the_start_goes_into_the_line(t, d):
    d.start()
    d.type("2")
    d.click("CopyButton")
    t.assertEqual(d.clipboard(), "2")
    t.assertIn("\\fs32", d.rich_clipboard())  # the size is still 16 points


def a_junk_settings_file_starts_with_the_defaults(t, d):
    d.start(ini="[Korvani]\r\nFontSize=x\r\nAutoPaste=maybe\r\n\x01\x02garbage\r\n[Position\r\n")
    d.click("See")
    d.click("CopyButton")
    t.assertIn("\\fs32", d.rich_clipboard())


def search_and_return_insert_the_first_result(t, d):
    d.start()
    d.key("ctrl+f")
    d.type("voiced velar fric")
    d.key("Return")
    t.assertEqual(d.line(), "\u0263")


def xsampa_of_the_line_with_ctrl_shift_x(t, d):
    d.start()
    d.type(XSAMPA_CAT)
    d.key("ctrl+shift+x")
    t.assertEqual(d.line(), "\u00f0\u0259 \u02c8k\u00e6t")


def a_pinned_sequence_is_kept_in_mine(t, d):
    d.start()
    d.type("t")
    d.click("She")
    d.key("shift+Home", "ctrl+d")
    t.assertEqual(d.ini()["Symbols"]["Mine"], "U+0074 U+0283")
    d.restart()
    d.key("shift+Home", "ctrl+d")  # nothing selected in the fresh line: nothing added
    t.assertEqual(d.ini()["Symbols"]["Mine"], "U+0074 U+0283")


def toggle_hides_and_brings_back_a_running_copy(t, d):
    d.start()
    d.summon("/toggle")
    d.wait_shown(False)
    d.summon("/toggle")
    d.wait_shown(True)
    d.type("a")
    t.assertEqual(d.line(), "a")


def a_tab_clicked_while_searching_leaves_the_keys_to_the_line(t, d):
    d.start()
    d.type("a")
    d.key("ctrl+f")
    d.type("schwa")
    d.click("TabStandard")
    d.type("2")  # once changed the size to 20 points unseen
    t.assertEqual(d.line(), "a2")
    t.assertNotIn("FontSize", d.ini()["Korvani"])


def commands_clicked_while_searching_leave_the_keys_in_the_search(t, d):
    d.start()
    d.type("ab")
    d.key("ctrl+f")
    d.type("voiced velar")
    d.click("Long")  # beside the All tab, in at the line's caret
    d.click("BackButton")
    d.type(" fric")  # still the search's
    d.key("Return")
    t.assertEqual(d.line(), "ab\u0263")


def clear_all_leaves_the_keys_in_the_line_and_is_undone(t, d):
    d.start()
    d.type("ab")
    d.key("ctrl+f")
    d.type("x")
    d.click("ClearButton")
    d.type("c")
    t.assertEqual(d.line(), "c")
    d.click("ClearButton")
    d.key("ctrl+z")
    t.assertEqual(d.line(), "c")


def the_last_tab_used_is_shown_at_the_next_start(t, d):
    d.start()
    d.click("TabAdditional")
    t.assertEqual(d.ini()["Korvani"]["LastTab"], "1")
    d.restart()
    d.click("Bleu")  # on the Additional chart only
    t.assertEqual(d.line(), "\u00f8")


SCENARIOS = [
    symbols_go_in_at_the_caret_and_a_mark_on_the_letter_before_it,
    back_and_clear_all,
    copy_puts_plain_and_rich_text_in_the_chosen_size,
    typing_after_the_start_goes_into_the_line,
    a_junk_settings_file_starts_with_the_defaults,
    search_and_return_insert_the_first_result,
    xsampa_of_the_line_with_ctrl_shift_x,
    a_pinned_sequence_is_kept_in_mine,
    toggle_hides_and_brings_back_a_running_copy,
    a_tab_clicked_while_searching_leaves_the_keys_to_the_line,
    commands_clicked_while_searching_leave_the_keys_in_the_search,
    clear_all_leaves_the_keys_in_the_line_and_is_undone,
    the_last_tab_used_is_shown_at_the_next_start,
]
