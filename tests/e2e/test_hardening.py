# SPDX-License-Identifier: GPL-3.0-or-later
"""What a desktop throws at the program: a clipboard owner that never answers, a clipboard
manager that takes the contents over, two copies writing one settings file."""

import os
import sys
import unittest

import korvx
from korvtest import ProgramTestCase

# Owns the clipboard, then never reads another event: any request to it goes unanswered.
SILENT_OWNER = r"""
import ctypes, ctypes.util, sys, time
x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XCreateSimpleWindow.restype = ctypes.c_ulong
x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 4 + [ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
x.XFlush.argtypes = [ctypes.c_void_p]
dpy = x.XOpenDisplay(None)
win = x.XCreateSimpleWindow(dpy, x.XDefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0)
x.XSetSelectionOwner(dpy, x.XInternAtom(dpy, b"CLIPBOARD", 0), win, 0)
x.XFlush(dpy)
print(win, flush=True)
time.sleep(3600)
"""


class ClipboardTest(ProgramTestCase):
    def copy_and_wait(self, program):
        s = self.session
        before = s.clipboard_owner()
        program.click_control("CopyButton")
        korvx.wait_until(lambda: s.clipboard_owner() not in (0, before), 5, "Korvani to own the clipboard")

    def test_copy_does_not_wait_for_a_silent_owner(self):
        s = self.session
        log = os.path.join(s.root, "silent.out")
        owner = korvx._spawn([sys.executable, "-c", SILENT_OWNER], s.env, s.home, log)
        self.addCleanup(korvx._stop, owner)
        korvx.wait_until(lambda: s.clipboard_owner() != 0, 5, "the silent owner")

        program = self.start()
        program.wait_active()
        program.click_control("She")
        self.copy_and_wait(program)
        self.assertEqual(s.clipboard_text(), "\u0283")
        # The window still answers at once.
        program.click_control("See")
        self.assertEqual(program.copy_line(), "\u0283i")

    def test_copy_after_a_manager_took_the_contents_over(self):
        s = self.session
        program = self.start()
        program.wait_active()
        program.click_control("She")
        self.copy_and_wait(program)
        # What a clipboard manager does: read the contents, then own them itself.
        ours = s.clipboard_owner()
        saved = os.path.join(s.root, "saved.txt")
        with open(saved, "w", encoding="utf-8") as f:
            f.write(s.clipboard_text())
        manager = korvx._spawn(["xclip", "-quiet", "-selection", "clipboard", "-i", saved],
                               s.env, s.home, os.path.join(s.root, "manager.out"))
        self.addCleanup(korvx._stop, manager)
        korvx.wait_until(lambda: s.clipboard_owner() not in (0, ours), 5, "the manager to own the copy")
        program.click_control("See")
        self.copy_and_wait(program)
        self.assertEqual(s.clipboard_text(), "\u0283i")


class TwoCopiesTest(ProgramTestCase):
    def test_two_copies_in_one_folder_lose_no_key(self):
        first = self.start()
        first.wait_active()
        second = self.session.start_program(self.binary, start=False)
        second.folder, second.exe = first.folder, first.exe
        second.ini_path, second.log_path = first.ini_path, first.log_path
        second.start()
        korvx.wait_until(lambda: len(first.find_windows()) + len(second.find_windows()) >= 2,
                         10, "both windows")
        # One picks a size while the other closes and writes its position.
        first.click_control("SizeBox")
        first.key("End", "Return")
        self.session.close_window(second.window())
        second.wait_exit(10)
        korvx.wait_until(lambda: "FontSize=15" in (first.ini_text() or ""), 5, "FontSize")
        ini = first.ini()
        self.assertEqual(ini["Korvani"]["FontSize"], "15")
        self.assertIn("Left", ini["Position"])
        self.assertIn("Top", ini["Position"])


if __name__ == "__main__":
    unittest.main()
