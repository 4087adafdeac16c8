# SPDX-License-Identifier: GPL-3.0-or-later
"""The About window on the real desktop: opening it, its Options page, the link and the installer."""

import os
import stat
import subprocess
import time
import unittest

import korvx
from korvlayout import Rect
from korvtest import ProgramTestCase

ABOUT_TITLE = "About Korvani"
ABOUT_SIZE = (313, 338)
SC_KORVANI_ABOUT = 0xF45A

# Client coordinates in the About window. The tabs are as wide as their captions.
ABOUT_CONTROLS = {
    "TabAbout": Rect(8, 8, 53, 28),
    "TabOptions": Rect(61, 8, 62, 28),
    "homepageLink": Rect(66, 116, 40, 16),  # the start of the link, whatever its length
    "autoPasteBox": Rect(30, 67, 16, 17),
    "unicodeFontBox": Rect(30, 92, 17, 17),
    "hintsBox": Rect(30, 116, 17, 17),
    "saveButton": Rect(74, 151, 153, 22),
    "installFontsButton": Rect(74, 228, 153, 22),
    "closeButton": Rect(121, 300, 75, 25),
}

# Stands in for the font installer: notes how many arguments it got, beside itself.
INSTALLER = '#!/bin/sh\necho "$#" > "$(dirname "$0")/korvanifi.ran"\n'


def write_script(path, text):
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, 0o755)


def read_lines(path):
    try:
        with open(path) as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


class AboutWindow:
    def __init__(self, program, window):
        self.program = program
        self.session = program.session
        self.window = window

    def rect(self):
        return self.session.geometry(self.window)

    def click(self, name):
        rect = self.rect()
        x, y = ABOUT_CONTROLS[name].centre
        self.session.click(rect.x + x, rect.y + y)

    def wait_closed(self, timeout=10):
        korvx.wait_until(lambda: not self.program.find_windows(ABOUT_TITLE), timeout, "the About window to close")


class AboutTest(ProgramTestCase):
    def start_with_installer(self, **kwargs):
        program = self.start(start=False, **kwargs)
        write_script(os.path.join(program.folder, "korvanifi"), INSTALLER)
        return program

    def open_about(self, program, how=None):
        program.wait_active()
        if how is None:
            program.click_control("AboutButton")
        else:
            how()
        windows = korvx.wait_until(lambda: program.find_windows(ABOUT_TITLE), 10, "the About window")
        self.assertEqual(len(windows), 1)
        about = AboutWindow(program, windows[0])
        korvx.wait_until(lambda: self.session.active_window() == about.window, 10, "the About window to be active")
        return about

    def installer_ran(self, program):
        path = os.path.join(program.folder, "korvanifi.ran")
        if not os.path.exists(path):
            return None
        with open(path) as f:
            return f.read().strip() or None

    def test_opens_from_the_button_and_saves_the_options(self):
        program = self.start_with_installer(ini={"Korvani": {"AutoPaste": "0"}, "Position": {"Left": 40, "Top": 40}})
        program.start()
        about = self.open_about(program)

        rect = about.rect()
        self.assertEqual((rect.w, rect.h), ABOUT_SIZE)
        width, height = (int(v) for v in self.session.screen.split("x")[:2])
        self.assertLessEqual(abs(rect.x + rect.w // 2 - width // 2), 4)
        self.assertLessEqual(abs(rect.y + rect.h // 2 - height // 2), 40)  # the panel and the frame
        state = self.session.property(about.window, "_NET_WM_STATE") or ""
        self.assertIn("_NET_WM_STATE_ABOVE", state)
        self.assertIn("_NET_WM_STATE_MODAL", state)

        about.click("TabOptions")
        about.click("autoPasteBox")
        about.click("saveButton")

        def saved():
            ini = program.ini()
            return ini.has_section("Korvani") and "ShowHints" in ini["Korvani"]

        korvx.wait_until(saved, 5, "the options in KORVANI.INI")
        options = program.ini()["Korvani"]
        self.assertEqual(list(options.items()), [("AutoPaste", "1"), ("UseUnicodeFont", "1"), ("ShowHints", "1")])
        self.assertEqual(dict(program.ini()["Position"]), {"Left": "40", "Top": "40"})

        # Run as root here, so the installer is offered; it is started bare, with no arguments.
        about.click("installFontsButton")
        self.assertEqual(korvx.wait_until(lambda: self.installer_ran(program), 5, "the installer to run"), "0")
        self.assertTrue(program.find_windows(ABOUT_TITLE))

        saved_text = program.ini_text()
        about.click("closeButton")
        about.wait_closed()
        self.assertTrue(program.running())
        self.assertEqual(program.ini_text(), saved_text)

    def test_the_system_command_opens_it_each_time_anew(self):
        sender = korvx.program_binary("KORV_SENDCOMMAND")
        program = self.start()

        def send():
            self.session.run(sender, str(program.window()), hex(SC_KORVANI_ABOUT))

        for close in ("close box", "Close"):
            with self.subTest(close=close):
                about = self.open_about(program, send)
                if close == "close box":
                    self.session.close_window(about.window)
                else:
                    about.click("closeButton")
                about.wait_closed()
                self.assertTrue(program.running())

    def test_the_link_opens_only_web_addresses_and_always_closes_the_window(self):
        # A private desktop opener that notes what it was asked to open, one argument a line.
        bin_dir = os.path.join(self.session.root, "bin")
        opened = os.path.join(self.session.root, "opened")
        os.makedirs(bin_dir)
        write_script(os.path.join(bin_dir, "xdg-open"), f'#!/bin/sh\nprintf "%s\\n" "$#" "$@" >> "{opened}"\n')
        path = bin_dir + ":" + os.environ.get("PATH", "/usr/bin:/bin")

        cases = [
            ("https://korvani.example.org/ipa chart", ["1", "https://korvani.example.org/ipa%20chart"]),
            ("file:///etc/passwd", None),
        ]
        for homepage, expected in cases:
            with self.subTest(homepage=homepage):
                if os.path.exists(opened):
                    os.remove(opened)
                program = self.start(ini={"Korvani": {"Homepage": homepage}}, extra_env={"PATH": path})
                about = self.open_about(program)
                about.click("homepageLink")
                about.wait_closed()
                if expected is None:
                    time.sleep(1.0)
                    self.assertFalse(os.path.exists(opened))
                else:
                    korvx.wait_until(lambda: len(read_lines(opened)) >= 2, 5, "the opener's note")
                    self.assertEqual(read_lines(opened), expected)
                self.assertTrue(program.running())
                program.stop()

    def test_a_read_only_settings_file_shows_the_error_box_naming_it(self):
        program = self.start_with_installer(ini={"Korvani": {"ShowHints": "1"}}, unprivileged=True, writable=True)
        os.chmod(program.ini_path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        before = program.ini_text()
        program.start()
        about = self.open_about(program)
        about.click("TabOptions")
        about.click("hintsBox")

        def error_box():
            windows = [w for w in program.find_windows() if w != program.window()]
            return windows[0] if windows and self.session.active_window() == windows[0] else None

        # Save stays enabled after a failure: a second try fails the same way.
        for attempt in (1, 2):
            with self.subTest(attempt=attempt):
                about.click("saveButton")
                box = korvx.wait_until(error_box, 10, "the error box")
                owner = self.session.clipboard_stamp()
                self.session.key("ctrl+c")  # a message box copies its title and text
                korvx.wait_until(lambda: self.session.clipboard_stamp() != owner, 5, "the box's text")
                text = self.session.clipboard_text()
                self.assertIn("Korvani v6", text)
                self.assertIn(f"Unable to write to {program.ini_path}.", text)
                self.session.key("Return")
                korvx.wait_until(lambda: not self.session.is_viewable(box), 5, "the error box to close")
                self.assertTrue(program.find_windows(ABOUT_TITLE))

        self.assertEqual(program.ini_text(), before)

        # Nobody is no administrator: the installer button does nothing.
        about.click("installFontsButton")
        time.sleep(1.5)
        self.assertIsNone(self.installer_ran(program))

        about.click("closeButton")
        about.wait_closed()
        self.assertTrue(program.running())


if __name__ == "__main__":
    unittest.main()
