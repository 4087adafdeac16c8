# SPDX-License-Identifier: GPL-3.0-or-later
"""Paste on Wayland desktops: GNOME's mutter through the desktop portal's remote desktop, sway through
its own window list and virtual keyboard, headless on a private bus (KDE's KWin:
test_autopaste_kde.py).

Each desktop runs one session: the program (an X11 window through XWayland, as it starts there by
default, then a native one) pastes ten times into each of a native GTK 3 entry, a native Qt line
and a GTK 3 entry through XWayland. The user's part is played as a user would: the switch back to
the program by Alt+Tab through the compositor, the transcription put into the line through the
accessibility tree, then Ctrl+Return (a native window's copy needs an input event of its own to
take the clipboard), GNOME's permission dialog answered in its accessibility tree. Each paste must
add exactly its transcription to the field, leave the program's line as it was, and nothing may
reach a window used longer ago.

Then what happens when no paste can go out: a refused dialog, no portal at all, no window to go
back to; each time the copy stays on the clipboard, the notice comes once and says why, nothing is
typed.
"""

import subprocess
import time
import unittest

from korvlayout import control
from korvwl import WaylandSession
from korvx import program_binary, wait_until

TITLE = "Korvani v6"
NOTICE = f"{TITLE}\tCopied: press Ctrl+V to paste"
# Why, where no paste can go out at all: the user said no, or the desktop has no way.
REFUSED_NOTICE = f"{TITLE}\tCopied: press Ctrl+V to paste (pasting for you was not allowed)"
UNAVAILABLE_NOTICE = f"{TITLE}\tCopied: press Ctrl+V to paste (this desktop lets no program paste for you)"
AUTO_PASTE = {"Korvani": {"AutoPaste": "1"}}
# Ten transcriptions, each its own, with marks and letters beyond Latin-1.
WORDS = ("ʃiː", "ðə", "ŋɡ", "tʃʊ", "ɜːθ", "ʒæ", "ɔɪl", "ˈeə", "ʌp", "ɒn̩")
FIELDS = ("gtk", "qt", "x11")
KINDS = {"x11": {}, "native": {"QT_QPA_PLATFORM": "wayland"}}
CONTROL, RETURN = 0xFFE3, 0xFF0D  # key symbols


class DesktopPasteTest:
    compositor = None
    asks = False  # the desktop's portal asks the user before the first paste
    kinds = tuple(KINDS)  # the program's windows tried
    timings = None  # click to text, in seconds, by (program, field), for bench/autopaste.py

    @classmethod
    def setUpClass(cls):
        cls.timings = {}
        cls.session = WaylandSession(cls.compositor)
        cls.session.start()
        cls.session.start_notification_area()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def start(self, kind):
        program = self.session.start_program(program_binary(), ini=AUTO_PASTE, extra_env=KINDS[kind])
        wait_until(lambda: self.line(program) == "", 20, "the program's line")
        return program

    def line(self, program):
        try:
            return bytes.fromhex(self.session.atspi("text", program.pid, "Transcription")).decode()
        except Exception:  # not up yet
            return None

    def paste(self, program, word):
        """Puts word into the line, and pastes it with Ctrl+Return, which goes off on its release."""
        s = self.session
        s.atspi("settext", program.pid, "Transcription", word.encode().hex())
        s.keys((CONTROL, True), (RETURN, True), (RETURN, False))
        clicked = time.monotonic()
        s.keys((CONTROL, False))
        return clicked

    def switch_back_to(self, field):
        """The user's Alt+Tab from field to the program (a click on it under KWin, where the
        test's Alt+Tab is lost at times); again when it was lost, as users do."""
        for _ in range(2):
            if self.compositor == "kwin":
                window = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}$"], env=self.session.env,
                                        capture_output=True, text=True, timeout=10).stdout.split()[0]
                subprocess.run(["xdotool", "windowactivate", window], env=self.session.env, timeout=10)
            else:
                self.session.alt_tab()
            try:
                wait_until(lambda: not field.active(), 4, "the program to take the keyboard back")
                break
            except TimeoutError:
                pass
        wait_until(lambda: not field.active(), 2, "the program to take the keyboard back")
        # Settled: what the field reports last is not the state of a moment before.
        time.sleep(0.05)
        self.assertFalse(field.active())

    def work_in(self, field):
        """The user goes to field: a new window may not take the keyboard from the program."""
        wait_until(lambda: field.text() is not None, 15, "the field to start")
        for _ in range(5):
            try:
                wait_until(field.active, 2, "the field to take the keyboard")
                return
            except TimeoutError:
                self.session.alt_tab()
        wait_until(field.active, 2, "the field to take the keyboard")

    def paste_ten_times(self, program, field, first):
        s = self.session
        took = []
        expected = ""
        for number, word in enumerate(WORDS, 1):
            releases = field.control_releases()
            clicked = self.paste(program, word)
            if first and number == 1 and self.asks:
                s.atspi("dialog", "share")
            expected += word
            wait_until(lambda: field.text() == expected, 10 if first else 5, f"paste {number} in the field",
                       interval=0.005)
            took.append(field.changed_at() - clicked)
            # The paste's last key, Ctrl's release, is through before the user's keys come:
            # mutter loses an event of one device that comes among another's.
            wait_until(lambda: field.control_releases() > releases, 5, f"the end of paste {number}")
            self.assertTrue(field.active(), "the field has the keyboard after the paste")
            self.assertEqual(self.line(program), word, "nothing typed into the program's line")
            self.switch_back_to(field)
        time.sleep(0.3)
        self.assertEqual(field.text(), expected)  # no late paste either
        return took

    def test_ten_pastes_into_each_field_from_an_x11_and_a_native_window(self):
        s = self.session
        for kind in self.kinds:
            # A window the user worked in longer ago, where no paste may ever land.
            decoy = s.start_field("gtk", f"decoy-{kind}")
            wait_until(lambda: decoy.text() is not None, 15, "the older window")
            program = self.start(kind)
            first = True  # each run asks once: this portal keeps no permission
            for name in FIELDS:
                with self.subTest(program=kind, field=name):
                    field = s.start_field(name, f"{name}-{kind}")
                    self.work_in(field)
                    self.switch_back_to(field)
                    try:
                        # The first paste waits for the permission: not a paste's own time.
                        self.timings[kind, name] = self.paste_ten_times(program, field, first)[first:]
                    finally:
                        first = False
                        field.stop()
            self.assertEqual(decoy.text(), "")
            decoy.stop()
            # With no other window, the switch goes nowhere: nothing is sent, the user is told.
            # (KWin gives the keyboard to no window once the others are gone: the user takes it.)
            time.sleep(0.5)
            s.alt_tab()
            notices = s.notices().count(NOTICE)
            self.paste(program, "ə")
            wait_until(lambda: s.notices().count(NOTICE) == notices + 1, 10, "the notice")
            self.assertEqual(self.line(program), "ə")
            self.assertEqual(s.clipboard("text/plain;charset=utf-8").decode(), "ə")
            program.stop()


class GnomePasteTest(DesktopPasteTest, unittest.TestCase):
    compositor = "mutter"
    asks = True


class SwayPasteTest(unittest.TestCase):
    """sway: the window list and the virtual keyboard, from the program's native window, clicked
    as the user does, into the native fields."""

    compositor = "sway"
    kinds = ("native",)
    timings = None  # as DesktopPasteTest's

    @classmethod
    def setUpClass(cls):
        cls.timings = {}
        cls.session = WaylandSession("sway")
        cls.session.start()
        cls.session.start_notification_area()

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()

    def click(self, program, name):
        # sway tiles: each new window moves the others.
        origin = wait_until(lambda: self.session.windows(program.pid).get(TITLE), 10, "the window")
        x, y = control(name).centre
        self.session.click(origin[0] + x, origin[1] + y)

    def test_ten_pastes_into_each_native_field(self):
        s = self.session
        decoy = s.start_field("qt", "decoy")  # a GTK window tells its activation only with a keyboard
        wait_until(decoy.active, 15, "the older window")
        program = s.start_program(program_binary(), ini=AUTO_PASTE, extra_env=KINDS["native"])
        wait_until(lambda: not decoy.active(), 15, "the program's window")
        line = ""  # the program's line keeps what it has
        for name in ("gtk", "qt"):
            with self.subTest(field=name):
                field = s.start_field(name, f"{name}-sway")
                wait_until(lambda: field.text() is not None, 15, "the field")
                time.sleep(0.5)  # sway gives a new window the keyboard
                expected = field.text()
                took = self.timings["native", name] = []
                for number in range(1, 11):
                    self.click(program, "See")  # back in the program: the line gets an i
                    line += "i"
                    self.click(program, "CopyButton")
                    clicked = time.monotonic()
                    expected += line
                    wait_until(lambda: field.text() == expected, 5, f"paste {number} in the field",
                               interval=0.005)
                    took.append(field.changed_at() - clicked)
                time.sleep(0.3)
                self.assertEqual(field.text(), expected)
                field.stop()
        self.assertEqual(decoy.text(), "")
        self.assertNotIn(NOTICE, s.notices())


class NoPasteTest(unittest.TestCase):
    """The copy alone, with the notice once, where no paste may go out."""

    def check_copy_only(self, session, program, field, answer=None):
        s = session
        notice = UNAVAILABLE_NOTICE if answer is None else REFUSED_NOTICE
        wait_until(lambda: field.text() == "", 15, "the field")
        for number, word in enumerate(("ʃiː", "ðə"), 1):
            s.atspi("settext", program.pid, "Transcription", word.encode().hex())
            s.atspi("press", program.pid, "push_button", "Paste")
            if answer is not None and number == 1:
                s.atspi("dialog", answer)
            wait_until(lambda: s.clipboard("text/plain;charset=utf-8").decode() == word, 10, "the copy")
            wait_until(lambda: notice in s.notices(), 10, "the notice")
            if answer is not None:
                time.sleep(1)  # the portal would ask again by now
                self.assertEqual(s.atspi("dialog", "shown"), "no", "asked again in the same run")
        time.sleep(0.5)
        self.assertEqual(s.notices(), [notice])  # once per run
        self.assertEqual(field.text(), "")
        self.assertEqual(bytes.fromhex(s.atspi("text", program.pid, "Transcription")).decode(), "ðə")

    def test_a_refused_dialog_and_no_portal_at_all(self):
        for portal in (True, False):
            with self.subTest(portal=portal), WaylandSession("mutter", portal=portal) as s:
                s.start_notification_area()
                field = s.start_field("gtk", "field")
                wait_until(field.active, 15, "the field to take the keyboard")
                program = s.start_program(program_binary(), ini=AUTO_PASTE)
                wait_until(lambda: not field.active(), 15, "the program to take the keyboard")
                self.check_copy_only(s, program, field, "cancel" if portal else None)


if __name__ == "__main__":
    unittest.main()
