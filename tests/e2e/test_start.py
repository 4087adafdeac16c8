# SPDX-License-Identifier: GPL-3.0-or-later
"""Program start: the settings, the log, "/hide", the window's hints, size and position kept."""

import os
import signal
import time
import unittest

import korvx
from korvtest import ProgramTestCase

FRESH_LOG = "[KORVANI.EXE]\r\nVersion=6.05\r\nBuild=20211230\r\n"


def hint_words(session, window, name):
    """The numbers of a 32-bit window property, as xprop prints them."""
    value = session.property(window, name) or ""
    return [int(word, 0) for word in value.replace(",", " ").split() if word.strip()[:1].isdigit()]


class StartTest(ProgramTestCase):
    def test_first_start_without_settings(self):
        program = self.start()
        window = program.wait_active()
        s = self.session

        frame = program.frame_rect()
        self.assertEqual((frame.x, frame.y), (50, 50))
        client = program.client_rect()
        self.assertEqual((client.w, client.h), (331, 226))
        self.assertIn("_NET_WM_STATE_ABOVE", s.property(window, "_NET_WM_STATE") or "")

        # Fixed size, and neither the window manager nor its title bar offers resize,
        # minimise or maximise; Move and Close stay.
        normal = s.run("xprop", "-id", str(window), "WM_NORMAL_HINTS").stdout.decode()
        self.assertIn("minimum size: 331 by 226", normal)
        self.assertIn("maximum size: 331 by 226", normal)
        flags, functions, decorations = hint_words(s, window, "_MOTIF_WM_HINTS")[:3]
        self.assertTrue(flags & 1 and flags & 2)
        self.assertEqual(functions & (2 | 8 | 16), 0, hex(functions))
        self.assertEqual(functions & (4 | 32), 4 | 32, hex(functions))
        self.assertEqual(decorations & (4 | 32 | 64), 0, hex(decorations))
        allowed = s.property(window, "_NET_WM_ALLOWED_ACTIONS") or ""
        for action in ("_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"):
            self.assertNotIn(action, allowed)
        self.assertIn("_NET_WM_ACTION_CLOSE", allowed)
        self.assertIn("_NET_WM_ACTION_MOVE", allowed)

        self.assertEqual(program.log_text(), FRESH_LOG)
        self.assertFalse(os.path.exists(program.ini_path))

    def test_the_face_configuration_is_read_once(self):
        # Read ahead while the program connects to the display, it is what the window's first
        # face finds: a second reading would cost the start as much as the first saved. With no
        # configuration file, fontconfig reads its built-in one, and the window comes all the same.
        cases = [({}, "/etc/fonts/fonts.conf"), ({"FONTCONFIG_FILE": "/nonexistent/fonts.conf"}, "memory")]
        for env, source in cases:
            with self.subTest(env=env):
                # Started without the output report: fontconfig's account of its reading is long.
                program = self.session.start_program(self.binary, extra_env={"FC_DEBUG": "1024", **env})
                program.wait_active()
                program.stop()
                lines = [line.strip() for line in program.output().splitlines()]
                self.assertEqual(lines.count(f"Loading config file from {source}"), 1, lines[-20:])

    def test_first_argument_decides_a_hidden_start(self):
        cases = [(["/HIDE"], True), (["/Hide"], True), (["/hide"], True),
                 (["/debug"], False), (["/x", "/hide"], False), (["hide"], False)]
        for args, hidden in cases:
            with self.subTest(args=args):
                program = self.start(args)
                if hidden:
                    korvx.wait_until(lambda: os.path.exists(program.log_path), 10, "the log")
                    time.sleep(0.5)
                    self.assertTrue(program.running())
                    self.assertEqual(program.find_windows(), [])
                else:
                    program.window()
                program.stop()

    def test_size_and_position_are_kept_across_runs(self):
        program = self.start()
        program.wait_active()
        # Pick "72", the last size, from the list as a user would.
        program.click_control("SizeBox")
        time.sleep(0.3)
        program.key("End", "Return")
        korvx.wait_until(lambda: "FontSize=15" in (program.ini_text() or ""), 5, "FontSize to be written")

        self.session.xdotool("windowmove", str(program.window()), "200", "150")
        korvx.wait_until(lambda: program.frame_rect().x == 200, 5, "the window to move")
        frame = program.frame_rect()
        self.assertEqual(program.close(), 0)
        ini = program.ini()
        self.assertEqual(ini["Korvani"]["FontSize"], "15")
        self.assertEqual((int(ini["Position"]["Left"]), int(ini["Position"]["Top"])), (frame.x, frame.y))

        again = self.start(ini=program.ini_text())
        again.wait_active()
        self.assertEqual((again.frame_rect().x, again.frame_rect().y), (frame.x, frame.y))

    def test_position_off_every_screen_is_brought_onto_the_nearest_and_saved_so(self):
        # A window not yet shown knows its client's size, not its frame's: along the right edge the
        # frame's border may stay a pixel or two beyond.
        cases = [  # the stored position, where the frame goes (None: along the right edge)
            ((-30000, -30000), (0, 0)),
            ((-2000, 300), (0, 300)),
            ((30000, 200), (None, 200)),
            ((-200, 300), (-200, 300)),  # its title bar in reach: kept
        ]
        for stored, placed in cases:
            with self.subTest(stored=stored):
                program = self.start(ini={"Position": {"Left": str(stored[0]), "Top": str(stored[1])}})
                program.wait_active()
                frame = program.frame_rect()
                expected = (1280 - 331 if placed[0] is None else placed[0], placed[1])
                self.assertEqual((frame.x, frame.y), expected)
                self.assertEqual(program.close(), 0)
                ini = program.ini()
                self.assertEqual((int(ini["Position"]["Left"]), int(ini["Position"]["Top"])), expected)

    def test_unwritable_folder_keeps_the_settings_in_the_users_folder(self):
        # As an installed copy: the program folder belongs to root, the user may not write there.
        program = self.start(unprivileged=True)
        window = program.wait_active()
        config = os.path.join(program.home, ".config", "korvani")
        korvx.wait_until(lambda: os.path.exists(os.path.join(config, "KORVANI.LOG")), 10, "the log")
        time.sleep(0.5)  # a settings message would show right after the log's write
        self.assertEqual(program.find_windows(), [window])
        self.session.close_window(window)
        self.assertEqual(program.wait_exit(10), 0)
        with open(os.path.join(config, "KORVANI.INI"), encoding="latin-1") as f:
            self.assertIn("[Position]", f.read())
        self.assertEqual(os.stat(config).st_uid, korvx.NOBODY)
        self.assertFalse(os.path.exists(program.ini_path) or os.path.exists(program.log_path))

    def test_portable_copy_keeps_the_settings_beside_itself(self):
        program = self.start(unprivileged=True, writable=True)
        window = program.wait_active()
        self.session.close_window(window)
        self.assertEqual(program.wait_exit(10), 0)
        self.assertIn("[Position]", program.ini_text())
        self.assertEqual(program.log_text(), FRESH_LOG)
        self.assertFalse(os.path.exists(os.path.join(program.home, ".config", "korvani")))

    def test_qt_options_among_the_arguments_mean_nothing(self):
        # Were Qt to take its options first, "/hide" would become the first argument (or the
        # window would go to another platform) and no window would show.
        for args in (["-reverse", "/hide"], ["-platform", "offscreen", "/hide"], ["-stylesheet", "x.qss"]):
            with self.subTest(args=args):
                program = self.start(args)
                program.window()
                self.assertNotIn("stylesheet", program.output().lower())
                program.stop()

    def test_sigterm_ends_the_program_as_closing_does(self):
        for hidden in (False, True):
            with self.subTest(hidden=hidden):
                program = self.start(["/hide"] if hidden else [], ini={"Position": {"Left": "120", "Top": "80"}})
                if hidden:
                    korvx.wait_until(lambda: os.path.exists(program.log_path), 10, "the log")
                else:
                    program.wait_active()
                    self.session.xdotool("windowmove", str(program.window()), "200", "150")
                    korvx.wait_until(lambda: program.frame_rect().x == 200, 5, "the window to move")
                    frame = program.frame_rect()
                os.kill(program.pid, signal.SIGTERM)
                self.assertEqual(program.wait_exit(10), 0)
                ini = program.ini()
                expected = (120, 80) if hidden else (frame.x, frame.y)
                self.assertEqual((int(ini["Position"]["Left"]), int(ini["Position"]["Top"])), expected)

    def test_offscreen_without_a_display_runs_and_ends(self):
        # Qt offers its X11 interface there with no display behind it.
        program = self.start(extra_env={"QT_QPA_PLATFORM": "offscreen", "DISPLAY": ""})
        korvx.wait_until(lambda: os.path.exists(program.log_path), 10, "the log")
        os.kill(program.pid, signal.SIGTERM)
        self.assertEqual(program.wait_exit(10), 0, program.output())

    def test_help_is_written_without_a_display_or_a_window(self):
        for ask in ("--help", "-h", "/?"):
            with self.subTest(ask):
                program = self.start([ask], extra_env={"DISPLAY": "", "WAYLAND_DISPLAY": ""})
                self.assertEqual(program.wait_exit(10), 0, program.output())
                self.assertTrue(program.output().startswith("Usage: korvani"), program.output())
                for command in ("/hide", "/show", "/toggle", "--xsampa"):
                    self.assertIn(command, program.output())
                # Nothing was started: no settings, no log, no window.
                self.assertFalse(os.path.exists(program.log_path))
                self.assertFalse(program.find_windows())

    def test_shared_installation_writes_the_files_in_place(self):
        # The folder is root's; only the two files belong to the user.
        program = self.start(unprivileged=True, ini={"Korvani": {"FontSize": "3"}}, start=False)
        with open(program.log_path, "wb"):
            pass
        for path in (program.ini_path, program.log_path):
            os.chown(path, korvx.NOBODY, korvx.NOBODY)
        before = sorted(os.listdir(program.folder))
        program.start()
        program.wait_active()
        self.assertEqual(program.close(), 0)
        self.assertEqual(program.log_text(), FRESH_LOG)
        self.assertIn("Left", program.ini()["Position"])
        self.assertEqual(program.ini()["Korvani"]["FontSize"], "3")
        self.assertEqual(sorted(os.listdir(program.folder)), before)

    def test_a_file_size_limit_fails_the_write_instead_of_killing(self):
        program = self.start(ini="[Korvani]\r\nNote=" + "n" * 4000 + "\r\n")
        program.wait_active()
        self.session.run("prlimit", f"--pid={program.pid}", "--fsize=1024:1024")
        s = self.session
        main = program.window()
        s.close_window(main)
        # Left and Top both fail; one message says so.
        box = korvx.wait_until(
            lambda: ([w for w in s.search(name="^Korvani v6$", pid=program.pid) if w != main] or [None])[0],
            10, "the settings message")
        s.activate(box)
        s.key("Return")
        self.assertEqual(program.wait_exit(10), 0)
        self.assertNotIn("Position", program.ini_text())


if __name__ == "__main__":
    unittest.main()


class NoTrayTest(ProgramTestCase):
    """A desktop without a notification area must not strand the user."""

    tray = False

    def test_hidden_start_shows_the_window_when_no_tray_appears(self):
        program = self.start(["/hide"])
        korvx.wait_until(lambda: os.path.exists(program.log_path), 10, "the log")
        self.assertEqual(program.find_windows(), [])
        program.window(timeout=20)  # after the ten seconds it gives a panel to come

    def test_hide_minimises_instead(self):
        program = self.start()
        window = program.wait_active()
        program.click_control("HideButton")
        korvx.wait_until(lambda: "_NET_WM_STATE_HIDDEN" in (self.session.property(window, "_NET_WM_STATE") or ""),
                         5, "the window to be minimised")
        self.assertIn(hex(window), self.session.root_property("_NET_CLIENT_LIST") or "")
