# SPDX-License-Identifier: GPL-3.0-or-later
"""The legacy font Korvani: korvanifi installs it, and a legacy-font copy then reads right in a word processor."""

import grp
import os
import shutil
import subprocess
import unittest

import korvx
from korvtest import ProgramTestCase
import test_about

INSTALLER = os.environ["KORVANIFI_BIN"]
FONT_FILES = ("Korvani.ttf", "Korvani-OFL.txt", "Korvani-FONTLOG.txt")
BOX_TITLE = "Install Legacy Fonts"
# ʃiː ˈθɪŋk: the buttons, with a space typed between the words.
THINK_BUTTONS = ("She", "See", "Long", " ", "PrimaryStress", "Thin", "Sit", "Sing", "Kat")
THINK_LEGACY_RTF = r"\'a7i\'ad \'c7\'a0\'f6\'f7k"
SOURCE_FACE = "Charis SIL"


def tree(root):
    """Every path under root with the file's identity, to tell "nothing changed"."""
    paths = [os.path.join(folder, name) for folder, _, files in os.walk(root) for name in ["", *files]]
    return {path: (os.stat(path).st_ino, os.stat(path).st_mtime_ns) for path in paths}


def gray_pixels(data):
    """Width, height and bytes of a binary PGM as pdftoppm -gray writes it."""
    magic, width, height, _, pixels = data.split(maxsplit=4)
    assert magic == b"P5", magic
    return int(width), int(height), pixels


class LegacyFontTest(ProgramTestCase):
    def folder(self, name, owner=None):
        """A folder others may read, for an installer copy or a user's home."""
        return korvx._private_dir(os.path.join(self.session.root, name), 0o755, owner)

    @staticmethod
    def copy_installer(folder, with_font=True):
        """korvanifi, and the font made beside it, in a folder of its own."""
        for file in ("korvanifi",) + (FONT_FILES if with_font else ()):
            shutil.copy2(os.path.join(os.path.dirname(INSTALLER), file), folder)
        return os.path.join(folder, "korvanifi")

    def home_env(self, home):
        return dict(self.session.env, HOME=home, XDG_CACHE_HOME=os.path.join(home, ".cache"))

    def run_installer(self, exe, home, *args, unprivileged=False):
        """korvanifi's exit status and what it printed."""
        cmd = [exe, *args]
        if unprivileged:
            cmd = ["setpriv", f"--reuid={korvx.NOBODY}", f"--regid={korvx.NOBODY}", "--clear-groups", *cmd]
        result = subprocess.run(cmd, env=self.home_env(home), cwd=home, capture_output=True, text=True, timeout=30)
        return result.returncode, result.stdout + result.stderr

    def test_install_button_installs_for_the_user_then_again_and_refuses_cleanly(self):
        s = self.session
        # An administrator who is not root, as on a desktop: nobody, in the sudo group.
        program = self.start(start=False, unprivileged=True, writable=True)
        installer = self.copy_installer(program.folder)
        program.groups = (grp.getgrnam("sudo").gr_gid,)
        program.start()
        about = test_about.AboutTest.open_about(self, program)
        about.click("TabOptions")
        about.click("installFontsButton")

        box = korvx.wait_until(lambda: s.search(name=f"^{BOX_TITLE}$"), 10, "the installer's answer")[0]
        korvx.wait_until(lambda: s.active_window() == box, 10, "the answer to take the keyboard")
        stamp = s.clipboard_stamp()
        s.key("ctrl+c")  # a message box copies its title and text
        korvx.wait_until(lambda: s.clipboard_stamp() != stamp, 5, "the box's text")
        text = s.clipboard_text()
        s.key("Return")
        korvx.wait_until(lambda: not s.is_viewable(box), 5, "the answer to close")
        home, target = program.home, os.path.join(program.home, ".local/share/fonts/korvani")
        self.assertIn(f"The legacy font Korvani is installed in {target}.", text)
        for name in FONT_FILES:
            with open(os.path.join(target, name), "rb") as installed, open(os.path.join(program.folder, name), "rb") as built:
                self.assertEqual(installed.read(), built.read(), name)
        listed = s.run("fc-list", "Korvani", "file", env=self.home_env(home))
        self.assertIn(os.path.join(target, "Korvani.ttf"), listed.stdout.decode())

        installed = tree(target)
        unwritable = self.folder("unwritable")  # root's: nobody may not write in it
        cases = [
            # name, installer, home, exit status, message
            ("again", installer, home, 0, f"is already installed in {target}."),
            ("no font", self.copy_installer(self.folder("bare"), with_font=False),
             self.folder("other", owner=korvx.NOBODY), 1, "Korvani.ttf is in none of these folders"),
            ("folder not writable", installer, unwritable, 1,
             f"{unwritable}/.local/share/fonts/korvani cannot be written (Permission denied). Nothing was changed."),
        ]
        for name, installer, case_home, status, message in cases:
            with self.subTest(name):
                before = tree(case_home)
                code, output = self.run_installer(installer, case_home, "--stdout", unprivileged=True)
                self.assertEqual(code, status, output)
                self.assertIn(message, output)
                if status:
                    self.assertEqual(tree(case_home), before)
        self.assertEqual(tree(target), installed)

    def copy_think(self, ini):
        program = self.start(ini=ini)
        program.wait_active()
        for name in THINK_BUTTONS:
            if name == " ":
                program.key("space")
            else:
                program.click_control(name)
        s = self.session
        stamp = s.clipboard_stamp()
        program.click_control("CopyButton")
        korvx.wait_until(lambda: s.clipboard_stamp() != stamp and "text/rtf" in s.clipboard_targets(), 5, "the copy")
        rtf = s.clipboard("text/rtf").decode("ascii")
        program.stop()
        return rtf

    def test_legacy_copy_reads_like_unicode_in_a_word_processor(self):
        s = self.session
        exe = self.copy_installer(self.folder("installer"))
        code, output = self.run_installer(exe, s.home, "--stdout", "--user")
        self.assertEqual(code, 0, output)

        legacy = self.copy_think({"Korvani": {"UseUnicodeFont": "0"}})
        self.assertIn(r"\fcharset2 Korvani;", legacy)
        self.assertIn(THINK_LEGACY_RTF, legacy)
        unicode = self.copy_think(None)
        self.assertIn(" Lucida Sans Unicode;", unicode)
        documents = {
            "legacy": legacy,
            "unicode": unicode.replace(" Lucida Sans Unicode;", f" {SOURCE_FACE};"),
            # The codes read as Latin-1 letters, as they were before the font existed.
            "latin": legacy.replace(r"\fcharset2 Korvani;", r"\fcharset0 DejaVu Sans;"),
        }
        folder = self.folder("documents")
        for name, rtf in documents.items():
            with open(os.path.join(folder, name + ".rtf"), "w", encoding="ascii") as f:
                f.write(rtf)

        # One word-processor start for all three, with a profile of its own.
        log = os.path.join(folder, "soffice.log")
        soffice = korvx._spawn(
            ["soffice", f"-env:UserInstallation=file://{s.root}/office", "--headless", "--norestore",
             "--convert-to", "pdf", "--outdir", folder, *(os.path.join(folder, n + ".rtf") for n in documents)],
            s.env, folder, log)
        try:
            korvx.wait_until(lambda: korvx._exited_unreaped(soffice.pid), 90, "the word processor")
        finally:
            korvx._stop(soffice)
        pictures = {}
        for name in documents:
            pdf = os.path.join(folder, name + ".pdf")
            self.assertTrue(os.path.exists(pdf), korvx._read_latin1(log))
            pictures[name] = gray_pixels(s.run("pdftoppm", "-r", "150", "-gray", "-singlefile", pdf, timeout=30).stdout)
        self.assertIn("Korvani", s.run("pdffonts", os.path.join(folder, "legacy.pdf")).stdout.decode())

        def ink(picture):
            return sum(1 for v in picture[2] if v < 128)

        def differing(a, b):
            self.assertEqual(a[:2], b[:2])
            return sum(1 for x, y in zip(a[2], b[2]) if abs(x - y) > 64)

        reference = pictures["unicode"]
        self.assertGreater(ink(reference), 500)
        tolerance = ink(reference) // 100
        self.assertLessEqual(differing(pictures["legacy"], reference), tolerance)
        self.assertGreater(differing(pictures["latin"], reference), tolerance * 20)


if __name__ == "__main__":
    unittest.main()
