# SPDX-License-Identifier: GPL-3.0-or-later
"""The notification-area icon: the way back to a hidden window and the only way in after "/hide"."""

import os
import re
import select
import subprocess
import time
import unittest

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

import korvx
from korvlayout import SYMBOLS
from korvtest import ProgramTestCase


def client_list(session):
    """Windows the window manager manages, which is what a task bar lists (_NET_CLIENT_LIST)."""
    return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", session.root_property("_NET_CLIENT_LIST") or "")]


def embedded_icon(program, timeout=10):
    return program.session.embedded_tray_icon(pid=program.pid, timeout=timeout,
                                              alive=lambda: program._require_running("its tray icon"))


def icon_pixmaps(program):
    """The pictures the program's StatusNotifier item gives a host: (width, height, ARGB bytes)."""
    bus = Gio.DBusConnection.new_for_address_sync(
        program.session.env["DBUS_SESSION_BUS_ADDRESS"],
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)

    def call(service, path, interface, method, args, reply):
        return bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply),
                             Gio.DBusCallFlags.NONE, 5000, None).unpack()

    (names,) = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames", None, "(as)")
    (service,) = [n for n in names if n.startswith(f"org.kde.StatusNotifierItem-{program.pid}-")]
    (pixmaps,) = call(service, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                      GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "IconPixmap")), "(v)")
    bus.close_sync(None)
    return [(w, h, bytes(data)) for w, h, data in pixmaps]


def listed(program):
    """Whether any window of the program has a task-bar entry."""
    s = program.session
    return bool(set(s.search(pid=program.pid, visible=False)) & set(client_list(s)))


class TrayTest(ProgramTestCase):
    def click_icon(self, program, repeat=1):
        s = self.session
        rect = s.geometry(embedded_icon(program))
        s.click(*rect.centre, repeat=repeat)

    def wait_listed(self, program, expected):
        korvx.wait_until(lambda: listed(program) == expected, 10, f"task-bar entry present={expected}")

    def test_hidden_start_shows_only_the_icon_until_it_is_clicked(self):
        program = self.start(["/hide"])
        icon = embedded_icon(program)
        tray = self.session.geometry(icon)
        self.assertEqual((tray.w, tray.h), (22, 22))
        self.assertEqual(program.find_windows(), [])
        self.assertFalse(listed(program))

        self.click_icon(program)
        window = program.wait_active()
        self.assertIn(window, client_list(self.session))
        # The line has the focus, not the size box: what is typed goes into the line.
        program.key("Down")
        self.session.type_text("a")
        # The "Standard" chart is up: its first vowel sits where it belongs.
        program.click_control("See")
        self.assertEqual(program.copy_line(), "a" + SYMBOLS["See"].text)
        self.assertIsNone(program.ini().get("Korvani", "FontSize", fallback=None))

    def test_the_window_comes_back_when_the_button_is_released(self):
        program = self.start(["/hide"])
        s = self.session
        s.move_pointer(*s.geometry(embedded_icon(program)).centre)
        s.xdotool("mousedown", "1")
        try:
            time.sleep(0.7)
            self.assertEqual(program.find_windows(), [], "a press alone raises no event")
        finally:
            s.xdotool("mouseup", "1")
        program.wait_active()

    def test_hide_then_click_brings_back_line_and_caret(self):
        program = self.start()
        program.wait_active()
        embedded_icon(program)
        program.click_control("See")
        program.click_control("Near")
        program.key("Left")  # caret between the two halves of the diphthong
        self.assertTrue(listed(program))

        program.click_control("HideButton")
        program.wait_hidden()
        self.wait_listed(program, False)
        self.assertTrue(program.running())

        self.click_icon(program)
        program.wait_active()
        self.wait_listed(program, True)
        program.click_control("Long")
        self.assertEqual(program.copy_line(), "i\u026a\u02d0\u0259")

    def test_double_click_leaves_the_window_shown_and_in_front(self):
        program = self.start()
        window = program.wait_active()
        witness = self.session.start_witness()  # another application takes the focus
        for hidden in (False, True):
            with self.subTest(hidden=hidden):
                if hidden:
                    program.click_control("HideButton")
                    program.wait_hidden()
                    self.session.activate(witness.window)
                self.click_icon(program, repeat=2)
                korvx.wait_until(lambda: self.session.active_window() == program.window(), 5, "the window in front")
                self.assertEqual(program.find_windows(), [program.window()])
                stacking = self.session.root_property("_NET_CLIENT_LIST_STACKING")
                self.assertTrue(stacking.endswith(hex(program.window())), stacking)
        self.assertEqual(program.window(), window)
        self.assertTrue(program.running())

    def test_click_brings_the_window_back_from_wherever_it_went(self):
        s = self.session
        program = self.start()
        window = program.wait_active()
        witness = s.start_witness()  # another application has the focus in every case
        s.xdotool("set_num_desktops", 2)
        korvx.wait_until(lambda: s.root_property("_NET_NUMBER_OF_DESKTOPS") == "2", 5, "two desktops")
        ways_away = {
            "minimised": lambda: s.xdotool("windowminimize", window),
            "behind another window": lambda: s.activate(witness.window),
            "on another desktop": lambda: s.xdotool("set_desktop_for_window", window, 1),
        }
        for how, send_away in ways_away.items():
            with self.subTest(how):
                send_away()
                korvx.wait_until(lambda: s.active_window() != window, 5, "the window to lose the focus")
                self.click_icon(program)
                korvx.wait_until(lambda: s.active_window() == window and s.is_viewable(window), 5, "it back")
                self.assertEqual(s.property(window, "_NET_WM_DESKTOP"), "0")
                s.activate(witness.window)

    def test_icon_comes_back_when_the_tray_host_restarts(self):
        program = self.start(["/hide"])
        embedded_icon(program)
        self.session.stop_tray()
        korvx.wait_until(lambda: not self.session.tray_icons(pid=program.pid), 10, "the icon to go with its host")
        self.session.start_tray()
        self.click_icon(program)
        program.wait_active()


class LateTrayTest(ProgramTestCase):
    tray = False

    def test_icon_appears_when_a_tray_host_starts_later(self):
        program = self.start()
        program.wait_active()
        self.session.start_tray()
        icon = embedded_icon(program)
        program.click_control("HideButton")
        program.wait_hidden()
        self.session.click(*self.session.geometry(icon).centre)
        program.wait_active()


class StatusNotifierTest(unittest.TestCase):
    """lxqt-panel, whose notification area is a StatusNotifierItem host only: one panel for the file,
    stopped and started again as a desktop's log-in or a panel restart does."""

    GRACE_S = 10  # how long a hidden start waits for a notification area

    @classmethod
    def setUpClass(cls):
        cls.session = korvx.Session(tray=False)
        cls.session.start()
        cls.addClassCleanup(cls.session.stop)
        cls.session.start_panel()

    def start(self, args=()):
        program = self.session.start_program(korvx.program_binary(), list(args))
        self.addCleanup(lambda: self.assertIsNone(program.sanitizer_report(), program.output()))
        self.addCleanup(program.stop)  # first
        return program

    def icon(self):
        return korvx.wait_until(self.session.panel_icon, 10, "the icon in the panel")

    def hide_and_restore(self, program):
        program.click_control("HideButton")
        program.wait_hidden()
        korvx.wait_until(lambda: not listed(program), 5, "hidden, not minimised")
        self.session.click(*self.icon().centre)
        program.wait_active()

    def test_the_icon_brings_back_what_hide_hid_also_from_a_new_panel(self):
        program = self.start()
        program.wait_active()
        for restarted in (False, True):
            with self.subTest(restarted=restarted):
                if restarted:
                    self.session.stop_panel()
                    self.session.start_panel()
                self.hide_and_restore(program)

    def test_one_icon_that_follows_the_hosts_of_either_kind(self):
        s = self.session
        s.start_tray()
        self.addCleanup(s.stop_tray)
        program = self.start()
        program.wait_active()
        for panel in (False, True, False):
            with self.subTest(panel=panel):
                (s.start_panel if panel else s.stop_panel)()
                korvx.wait_until(lambda: bool(s.tray_icons(pid=program.pid)) != panel, 10, "the embedded icon")
                self.assertEqual(bool(s.panel_icon()), panel)
        s.start_panel()

    def test_the_panel_is_given_the_picture_at_every_size_it_draws(self):
        program = self.start()
        self.icon()
        pixmaps = icon_pixmaps(program)
        self.assertEqual([(w, h) for w, h, _ in pixmaps], [(n, n) for n in (16, 22, 24, 32, 48)])
        for w, h, argb in pixmaps:
            with self.subTest(size=w):
                self.assertEqual(len(argb), w * h * 4)
                centre = 4 * (h // 2 * w + w // 2)
                self.assertEqual(argb[centre], 0xFF, "opaque in the middle, alpha first (network order)")
                self.assertGreater(len({argb[i:i + 4] for i in range(0, len(argb), 4)}), 2, "a picture, not a fill")

    def test_a_panel_that_comes_late_still_gets_the_icon(self):
        s = self.session
        for late_s in (1, self.GRACE_S + 2):
            with self.subTest(late_s=late_s):
                s.stop_panel()
                program = self.start(["/hide"])
                started = time.monotonic()
                time.sleep(late_s)
                s.start_panel()
                icon = self.icon()
                if late_s < self.GRACE_S:  # past the grace time of old, and still hidden
                    time.sleep(max(0.0, started + 5 - time.monotonic()))
                    self.assertEqual(program.find_windows(), [])
                    s.click(*icon.centre)
                program.wait_active()
                self.hide_and_restore(program)
                program.stop()


class TrayHostProbeTest(ProgramTestCase):
    """What the program is told about the tray host follows the host, not just its first sight."""

    tray = False

    def start_probe(self):
        probe = subprocess.Popen(
            [os.environ["KORV_TRAYPROBE_BIN"]], env=self.session.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE
        )

        def stop():
            probe.stdin.close()
            try:
                probe.wait(5)
            except subprocess.TimeoutExpired:
                probe.kill()
                probe.wait()
            probe.stdout.close()

        self.addCleanup(stop)
        return probe

    @staticmethod
    def ask(probe):
        probe.stdin.write(b"?\n")
        probe.stdin.flush()
        if not select.select([probe.stdout], [], [], 10)[0]:
            raise TimeoutError("the probe did not answer")
        return probe.stdout.readline().decode().strip() == "1"

    def test_availability_follows_the_tray_host(self):
        probe = self.start_probe()
        self.assertFalse(self.ask(probe))
        self.session.start_tray()
        self.assertTrue(self.ask(probe))
        self.session.stop_tray()
        self.assertFalse(self.ask(probe))
        self.session.start_tray()
        self.assertTrue(self.ask(probe))


if __name__ == "__main__":
    unittest.main()
