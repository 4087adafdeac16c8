# SPDX-License-Identifier: GPL-3.0-or-later
"""Wayland sessions: natively on sway and weston, and through XWayland on sway.

Copy reaches the Wayland clipboard in every format, a paste that cannot happen is told once
through the notification service, a StatusNotifier host counts as a notification area, and
nothing of X11 is touched natively.
"""

import os
import subprocess
import time
import unittest

from korvlayout import control
from korvwl import WaylandSession
from korvx import _stop, program_binary, wait_until

TITLE = "Korvani v6"
NOTICE = f"{TITLE}\tCopied: press Ctrl+V to paste"
GRACE_S = 10.0  # how long a hidden start waits for a notification area
AUTO_PASTE = {"Korvani": {"AutoPaste": "1"}}


def assert_clean(test, program):
    code = _stop(program.proc, grace=10)
    # Read once it has ended: the sanitizers report on the way out.
    text, ending = program.output(), program.ending()
    for pattern in ("X Error", "X11", "QObject::connect", "Segmentation", "runtime error", "Sanitizer"):
        if pattern in text:
            test.fail(f"{pattern!r} in the program's output; {ending}")
    test.assertIn(code, (0, -15), ending)  # ended by the session, not crashed


class SwayNativeTest(unittest.TestCase):
    """sway natively; all of it holds through XWayland as well."""

    xwayland = False

    @classmethod
    def setUpClass(cls):
        cls.session = WaylandSession("sway", cls.xwayland)
        cls.session.start()
        cls.session.start_notification_area()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def start(self, *args, ini=None):
        return self.session.start_program(program_binary(), args, ini)

    def click_controls(self, program, *names):
        origin = wait_until(lambda: self.session.windows(program.pid).get(TITLE), 10, "the window")
        for name in names:
            x, y = control(name).centre
            self.session.click(origin[0] + x, origin[1] + y)

    def test_a_hidden_start_trusts_a_status_notifier_host(self):
        try:
            for with_area in (True, False):
                with self.subTest(with_area=with_area):
                    if not with_area:
                        self.session.stop_notification_area()
                    program = self.start("/hide")
                    if with_area:
                        time.sleep(GRACE_S + 1)
                        self.assertNotIn(TITLE, self.session.windows(program.pid))
                    else:  # the user must not be locked out
                        wait_until(lambda: TITLE in self.session.windows(program.pid), GRACE_S + 10, "the window")
                    assert_clean(self, program)
        finally:
            self.session.stop_notification_area()
            self.session.start_notification_area()

    def test_copy_and_the_notice_that_the_paste_cannot_happen(self):
        # Through XWayland no keys may follow a Wayland window either.
        s = self.session
        program = self.start(ini=AUTO_PASTE)
        self.click_controls(program, "See", "CopyButton")
        wait_until(lambda: "text/rtf" in s.clipboard_types(), 5, "the rich copy on the clipboard")
        for mime in ("text/plain;charset=utf-8", "text/plain"):
            self.assertEqual(s.clipboard(mime), b"i", mime)
        rtf = s.clipboard("text/rtf").decode("ascii")
        self.assertIn(" Lucida Sans Unicode;", rtf)
        self.assertIn("\\fs32 i}", rtf)
        self.assertIn("font-family: 'Lucida Sans Unicode'; font-size: 16pt", s.clipboard("text/html").decode())
        if self.xwayland:  # an X11 window: XWayland knows it by its title
            found = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}$"], env=s.env,
                                   capture_output=True, timeout=10)
            self.assertTrue(found.stdout.split(), "not an X11 window")
        wait_until(lambda: NOTICE in s.notices(), 5, "the notice")
        self.click_controls(program, "CopyButton")
        time.sleep(0.5)
        self.assertEqual(s.notices(), [NOTICE])  # once per run
        self.assertEqual(s.clipboard("text/plain"), b"i")  # nothing pasted into the line
        self.assertTrue(s.tray_items())
        assert_clean(self, program)


class SwayXWaylandTest(SwayNativeTest):
    xwayland = True

    def test_the_paste_goes_back_to_the_x11_window_used_before(self):
        field = self.session.start_text_field()
        notices = self.session.notices()
        try:
            # A new window gets the keyboard: the field first, then the program.
            wait_until(lambda: self.session.windows(field.proc.pid).get("field"), 10, "the text field")
            program = self.start(ini=AUTO_PASTE)
            self.click_controls(program, "See", "CopyButton")
            wait_until(lambda: field.text() == "i", 5, "the paste in the text field")
            self.assertEqual(self.session.notices(), notices)  # no word when the paste went out
            assert_clean(self, program)
        finally:
            field.stop()


class WestonTest(unittest.TestCase):
    """weston's headless backend has no seat: starting, the tray and a clean end only."""

    def test_native_start_with_and_without_xwayland_beside(self):
        for xwayland in (False, True):
            with self.subTest(xwayland=xwayland), WaylandSession("weston", xwayland) as s:
                s.start_notification_area()
                extra = {"QT_QPA_PLATFORM": "wayland"} if xwayland else {}
                program = s.start_program(program_binary(), extra_env=extra)
                wait_until(s.tray_items, 10, "the icon in the notification area")
                wait_until(lambda: os.path.exists(program.log_path), 10, "the log")
                time.sleep(0.5)
                # Not one X11 call: weston starts XWayland only when an X11 client connects.
                self.assertNotIn("Spawned Xwayland", s.read_log("weston"))
                assert_clean(self, program)


if __name__ == "__main__":
    unittest.main()
