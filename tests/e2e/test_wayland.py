"""Wayland sessions: natively on sway and weston, and through XWayland on sway.

Copy reaches the Wayland clipboard in every format, a paste that cannot happen is told once
through the notification service, a StatusNotifier host counts as a notification area, and
nothing of X11 is touched natively.
"""

import os
import re
import subprocess
import time
import unittest

from korvlayout import control
from korvwl import WaylandSession, end, missing_tools, output
from korvx import program_binary, wait_until

TITLE = "Korvani v6"
NOTICE = f"{TITLE}\tCopied: press Ctrl+V to paste"
GRACE_S = 3.0  # how long a hidden start waits for a notification area


def assert_clean(test, proc):
    text = output(proc)
    for pattern in ("X Error", "X11", "QObject::connect", "Segmentation", "runtime error", "Sanitizer"):
        test.assertNotIn(pattern, text)
    test.assertIn(end(proc), (0, -15), text)  # ended by the session, not crashed


class SessionTestCase(unittest.TestCase):
    compositor = "sway"
    xwayland = False

    @classmethod
    def setUpClass(cls):
        missing = missing_tools(cls.compositor)
        if missing:
            raise unittest.SkipTest("needs " + ", ".join(missing))
        cls.session = WaylandSession(cls.compositor, cls.xwayland)
        cls.session.start()
        cls.session.start_notification_area()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def start(self, *args, ini=None, **env):
        return self.session.start_program(program_binary(), args, ini, env)

    def client_origin(self, proc):
        return wait_until(lambda: self.session.windows(proc.pid).get(TITLE), 10, "the window")

    def click_control(self, origin, name):
        x, y = control(name).centre
        self.session.click(origin[0] + x, origin[1] + y)

    def copy_and_check(self, proc):
        """Composes "i" and copies it; checks every format the Wayland clipboard now offers."""
        origin = self.client_origin(proc)
        self.click_control(origin, "See1")
        self.click_control(origin, "BtnCopy")
        s = self.session
        wait_until(lambda: "text/rtf" in s.clipboard_types(), 5, "the rich copy on the clipboard")
        for mime in ("text/plain;charset=utf-8", "text/plain"):
            self.assertEqual(s.clipboard(mime), b"i", mime)
        rtf = s.clipboard("text/rtf").decode("ascii")
        self.assertIn(" Lucida Sans Unicode;", rtf)
        self.assertIn("\\fs32 i}", rtf)
        self.assertIn("font-family: 'Lucida Sans Unicode'; font-size: 16pt", s.clipboard("text/html").decode())
        return origin


class HiddenStart:
    """A StatusNotifier host is a notification area: a hidden start stays hidden with one."""

    def test_a_hidden_start_trusts_a_status_notifier_host(self):
        cases = [("with a notification area", True), ("without one", False)]
        try:
            for name, with_area in cases:
                with self.subTest(name):
                    if not with_area:
                        self.session.stop_notification_area()
                    proc = self.start("/hide")
                    if with_area:
                        time.sleep(GRACE_S + 1)
                        self.assertNotIn(TITLE, self.session.windows(proc.pid))
                    else:  # the user must not be locked out
                        wait_until(lambda: TITLE in self.session.windows(proc.pid), GRACE_S + 10, "the window")
                    assert_clean(self, proc)
        finally:
            self.session.stop_notification_area()
            self.session.start_notification_area()


class SwayNativeTest(SessionTestCase, HiddenStart):
    def test_copy_and_the_notice_that_the_paste_cannot_happen(self):
        proc = self.start(ini={"Korvani": {"AutoPaste": "1"}})
        origin = self.copy_and_check(proc)
        wait_until(lambda: self.session.notices(), 5, "the notice")
        self.click_control(origin, "BtnCopy")
        time.sleep(0.5)
        self.assertEqual(self.session.notices(), [NOTICE])  # once per run
        self.assertEqual(self.session.clipboard("text/plain"), b"i")  # nothing pasted into the line
        self.assertTrue(self.session.tray_items())
        assert_clean(self, proc)

class SwayXWaylandTest(SessionTestCase, HiddenStart):
    xwayland = True

    def test_the_paste_goes_back_to_the_x11_window_used_before(self):
        field, text = self.session.start_text_field()
        notices = self.session.notices()
        try:
            # A new window gets the keyboard: the field first, then the program.
            wait_until(lambda: self.session.windows(field.pid).get("field"), 10, "the text field")
            proc = self.start(ini={"Korvani": {"AutoPaste": "1"}})
            origin = self.client_origin(proc)
            self.click_control(origin, "See1")
            self.click_control(origin, "BtnCopy")
            wait_until(lambda: text() == "i", 5, "the paste in the text field")
            self.assertEqual(self.session.notices(), notices)  # no word when the paste went out
            assert_clean(self, proc)
        finally:
            self.session.stop_process(field)

    def test_runs_through_xwayland_and_sends_no_keys_after_a_wayland_window(self):
        proc = self.start(ini={"Korvani": {"AutoPaste": "1"}})
        origin = self.copy_and_check(proc)
        # An X11 window: XWayland knows it by its title.
        found = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}$"], env=self.session.env,
                               capture_output=True, timeout=10)
        self.assertTrue(found.stdout.split(), "not an X11 window")
        wait_until(lambda: NOTICE in self.session.notices(), 5, "the notice")
        self.click_control(origin, "BtnCopy")
        time.sleep(0.5)
        self.assertEqual(self.session.notices().count(NOTICE), 1)
        self.assertEqual(self.session.clipboard("text/plain"), b"i")
        assert_clean(self, proc)


class WestonTest(unittest.TestCase):
    """weston's headless backend has no seat: starting, the tray and a clean end only."""

    def test_native_start_with_and_without_xwayland_beside(self):
        if missing_tools("weston"):
            raise unittest.SkipTest("needs weston")
        for xwayland in (False, True):
            with self.subTest(xwayland=xwayland), WaylandSession("weston", xwayland) as s:
                s.start_notification_area()
                extra = {"QT_QPA_PLATFORM": "wayland"} if xwayland else {}
                proc = s.start_program(program_binary(), (), None, extra)
                wait_until(s.tray_items, 10, "the icon in the notification area")
                wait_until(lambda: os.path.exists(os.path.join(proc.folder, "KORVANI.LOG")), 10, "the log")
                time.sleep(0.5)
                # Not one X11 call: weston starts XWayland only when an X11 client connects.
                self.assertNotIn("Spawned Xwayland", s.read_log("weston"))
                assert_clean(self, proc)


if __name__ == "__main__":
    unittest.main()
