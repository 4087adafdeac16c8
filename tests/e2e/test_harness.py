# SPDX-License-Identifier: GPL-3.0-or-later
"""The harness itself: it must leave nothing running and give later tests a normal desktop."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import textwrap
import unittest

import korvx

HERE = os.path.dirname(os.path.abspath(__file__))


def alive(pid):
    # A zombie has released everything; only a process still running counts.
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


class HarnessTest(unittest.TestCase):
    def test_sanitizer_reports_are_found_in_program_output(self):
        cases = [
            ("==12==ERROR: AddressSanitizer: heap-use-after-free on address", True),
            ("==12==ERROR: LeakSanitizer: detected memory leaks", True),
            ("src/x.cpp:3:5: runtime error: signed integer overflow", True),
            ("This plugin does not support propagateSizeHints()", False),
            ("", False),
        ]
        for text, found in cases:
            with self.subTest(text=text):
                report = korvx.sanitizer_report("Qt says hello\n" + text + "\n    #0 0x1 in main\n")
                self.assertEqual(report is not None, found)
                if found:
                    self.assertTrue(report.startswith(text) and "#0 0x1 in main" in report)

    def test_stop_ends_every_process_and_removes_the_folder(self):
        session = korvx.Session()
        session.start()
        pids = list(korvx._live)
        socket = f"/tmp/.X11-unix/X{session.display[1:]}"
        root = session.root
        self.assertEqual(len(pids), 3)  # Xvfb, openbox, tint2
        self.assertTrue(os.path.exists(socket))
        session.stop()
        self.assertEqual([pid for pid in pids if alive(pid)], [])
        self.assertFalse(os.path.exists(socket))
        self.assertFalse(os.path.exists(root))

    def test_interrupted_runner_leaves_nothing_behind(self):
        child_code = textwrap.dedent(
            """
            import sys, time
            sys.path.insert(0, sys.argv[1])
            import korvx
            with korvx.Session() as s:
                print(s.root, *korvx._live, flush=True)
                time.sleep(60)
            """
        )
        for sig in (signal.SIGTERM, signal.SIGKILL):
            with self.subTest(signal=sig.name):
                child = subprocess.Popen([sys.executable, "-c", child_code, HERE], stdout=subprocess.PIPE, text=True)
                root = None
                try:
                    root, *pids = child.stdout.readline().split()
                    self.assertEqual(len(pids), 3)
                    child.send_signal(sig)
                    child.wait(15)
                    korvx.wait_until(lambda: not any(alive(int(pid)) for pid in pids), 10, "the session to die")
                    if sig == signal.SIGTERM:
                        self.assertFalse(os.path.exists(root))
                finally:
                    if child.poll() is None:
                        child.kill()
                        child.wait()
                    child.stdout.close()
                    if root and root.startswith(tempfile.gettempdir()):
                        shutil.rmtree(root, ignore_errors=True)  # a killed runner cannot tidy up

    def test_a_program_a_signal_ends_leaves_its_output_logs_and_folder(self):
        # A stand-in program: what it prints, the sanitizer log it writes, then how it ends.
        cases = [
            # (how it ends, ASAN_OPTIONS, ended by a signal, what its ending must tell)
            ("exit 0", "", False, ["exited with status 0"]),
            ("kill -TERM $$", "", False, []),
            ("kill -ABRT $$", "", True, ["ended by SIGABRT", "last words", "core dump"]),
            ("kill -SEGV $$", "abort_on_error=1:log_path=asan", True,
             ["ended by SIGSEGV", "last words", "ERROR: LeakSanitizer", "core dump"]),
        ]
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        for end, options, crashed, told in cases:
            with self.subTest(end=end, options=options):
                script = os.path.join(folder, "program")
                with open(script, "w") as f:
                    f.write(f"#!/bin/sh\necho last words\necho '==1==ERROR: LeakSanitizer: x' > asan.$$\n{end}\n")
                os.chmod(script, 0o755)
                session = korvx.Session(tray=False)
                session.start()
                try:
                    program = session.start_program(script, extra_env={"ASAN_OPTIONS": options})
                    korvx.wait_until(lambda: not program.running(), 10, "the stand-in to end")
                    self.assertEqual(program.ended_by_signal(), crashed)
                    self.assertEqual(program.sanitizer_report() is not None, "log_path" in options)
                    for text in told:
                        self.assertIn(text, program.ending())
                    root = session.root
                finally:
                    session.stop()
                self.assertEqual(os.path.exists(root), crashed)  # kept to be read
                shutil.rmtree(root, ignore_errors=True)

    def test_tray_host_comes_and_goes(self):
        with korvx.Session(tray=False) as session:
            self.assertEqual(session.tray_owner(), 0)
            session.start_tray()
            self.assertNotEqual(session.tray_owner(), 0)
            session.stop_tray()
            self.assertEqual(session.tray_owner(), 0)

    def test_alt_tab_switches_windows_and_keys_reach_the_active_one(self):
        with korvx.Session() as session:
            first = session.start_witness("first")
            second = session.start_witness("second", geometry="300x120+400+40")
            session.key("alt+Tab")
            korvx.wait_until(lambda: session.active_window() == first.window, 5, "Alt+Tab to reach the first window")
            session.key("ctrl+v")
            korvx.wait_until(lambda: ("press", "v", 4) in first.keys(), 5, "Ctrl+V to reach the first window")
            self.assertNotIn("v", [keysym for _, keysym, _ in second.keys()])


if __name__ == "__main__":
    unittest.main()
