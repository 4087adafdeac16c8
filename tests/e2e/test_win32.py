# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows build under Wine (x86_64) on korvx's private X session: one prefix per test file,
copied from the build's template; each test runs a fresh copy of the program in its own folder."""
import glob
import os
import re
import shutil
import subprocess
import time
import unittest

from korvlayout import CLIENT_HEIGHT, CLIENT_WIDTH, SYMBOLS, control
from korvlayout import Rect
from korvx import HarnessError, Session, wait_until
from scenarios import SCENARIOS

BUILD = os.environ.get("KORV_WIN_BUILD", "")
TEMPLATE = os.path.join(BUILD, "wine-template")
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXE = os.path.join(BUILD, "src", "win32", "korvani.exe")
TITLE = "^Korvani v6$"
SAMPLE = ["See", "Near", "Chain", "PrimaryStress"]
SEE = control("See").centre
COPY = control("CopyButton").centre
LINE = control("Line").centre
CLEAR = control("ClearButton").centre
ABOUT = control("AboutButton").centre
SIZE_CLIENT = (CLIENT_WIDTH, CLIENT_HEIGHT)
# The About window's "Options" tab, its first box and "Save", and "Close".
OPTIONS_TAB = (8 + 70, 8 + 10)
AUTOPASTE_BOX = (8 + 2 + 8 + 12 + 8, 8 + 22 + 8 + 23 + 8)
SAVE = (8 + 2 + 8 + 56 + 76, 8 + 22 + 8 + 107 + 11)
CLOSE = (121 + 37, 300 + 12)
INSTALL_FONTS = (8 + 2 + 8 + 56 + 76, 8 + 22 + 192 + 11)
HOMEPAGE_LINK = (8 + 2 + 56 + 40, 8 + 22 + 80 + 7)
# The options' texts, right of their boxes.
OPTION_TEXTS = {"AutoPaste": (130, 69), "UseUnicodeFont": (130, 94), "ShowHints": (90, 118)}
# The All and Mine tabs' grids start under the search field and at the chart's corner.
MINE_GRID = (10, 50)
MINE_FIRST_CELL = (MINE_GRID[0] + 12, MINE_GRID[1] + 12)
# The IPA chart window, in chart units: the table's width, and the centres of two cells. The chart
# fits the window's width less the vertical scroll bar.
CHART_TITLE = "^Korvani \u2013 IPA chart$"
CHART_WIDTH = 992
SCROLL_BAR = 17
P_CELL = (202, 84)  # p, voiceless bilabial plosive
Z_CELL = (454, 244)  # z, voiced alveolar fricative


class Wine:
    """A Wine prefix of the session, made from the template once."""

    def __init__(self, session):
        self.session = session
        self.prefix = os.path.join(session.root, "pfx")
        subprocess.run(["cp", "-a", TEMPLATE, self.prefix], check=True)
        self.env = dict(session.env, WINEPREFIX=self.prefix, WINEDEBUG=os.environ.get("KORV_WINEDEBUG", "-all"),
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d")
        self.folders = 0

    def run(self, *args, timeout=60):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=timeout)

    def reg_add(self, key, name, kind, data):
        self.run("wine", "reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f")

    def program(self, ini=None):
        """A fresh folder under C:\\ holding the program and, if given, its KORVANI.INI."""
        self.folders += 1
        folder = os.path.join(self.prefix, "drive_c", f"korvani{self.folders}")
        os.makedirs(folder)
        shutil.copy(EXE, folder)
        if ini is not None:
            with open(os.path.join(folder, "KORVANI.INI"), "w", newline="\r\n") as f:
                f.write(ini)
        return folder

    def tool(self, name):
        return os.path.join(BUILD, "tests", "win32", name)

    def start(self, folder, *args, exe="korvani.exe"):
        command = [exe] if folder is None else [os.path.join(folder, exe)]
        proc = subprocess.Popen(["wine", *command, *args], env=self.env, cwd=folder or self.prefix,
                                stdout=subprocess.DEVNULL, stderr=None if os.environ.get("KORV_WINEDEBUG") else subprocess.DEVNULL)
        self.session._programs.append(_Process(proc, self))
        return proc

    def window(self, name=TITLE, timeout=20):
        """The window once it has stayed a moment: a start right after another copy ended has
        been seen to show a window that went at once."""
        def settled():
            found = self.session.search(name=name)
            if not found:
                return None
            time.sleep(0.3)
            return found[0] if found[0] in self.session.search(name=name) else None

        return wait_until(settled, timeout, name)

    def click(self, window, point):
        self.session.xdotool("mousemove", "--window", window, *point, "click", "1")

    def stop(self):
        self.run("wineserver", "-k")
        # The X windows of the programs go a moment later: a later test must not find them.
        wait_until(lambda: not self.session.search(name=TITLE) and not self.session.tray_icons(classname="explorer"),
                   10, "the windows and tray icons of the stopped programs to go")


class _Process:
    """Stops the program's prefix with the session."""

    def __init__(self, proc, wine):
        self.proc, self.wine = proc, wine

    def stop(self):
        self.wine.stop()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def line_through_mark(session, wine, window, number, point):
    """The line's text, copied with a mark typed at its end after a click at point (the mark
    tells this copy from any before it), the mark taken out again."""
    mark = f"#{number}"
    wine.click(window, point)
    session.key("End")
    session.type_text(mark)
    session.key("ctrl+Return")
    copied = []
    wait_until(lambda: copied.append(session.clipboard_text()) or (copied[-1] or "").endswith(mark),
               10, f"the copy ending in {mark}")
    session.key(*["BackSpace"] * len(mark))
    return copied[-1][: -len(mark)]


def read_ini(path):
    values, section = {}, None
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line[1:-1]
            elif "=" in line:
                key, value = line.split("=", 1)
                values[(section, key)] = value
    return values


class WineSessionTest(unittest.TestCase):
    """One private X session and Wine prefix for the tests of a class."""

    @classmethod
    def setUpClass(cls):
        if not os.path.isfile(EXE) or not os.path.isdir(TEMPLATE):
            raise RuntimeError(f"no Windows build with a Wine template in {BUILD!r} (make windows)")
        cls.session = Session()
        cls.session.start()
        cls.wine = Wine(cls.session)

    @classmethod
    def tearDownClass(cls):
        cls.session.stop()


class Win32Test(WineSessionTest):
    def setUp(self):
        self.marks = 0

    def tearDown(self):
        self.wine.stop()

    def test_start_symbols_copy_close(self):
        folder = self.wine.program("[Position]\nLeft=200\nTop=150\n[Korvani]\nAutoPaste=0\n")
        self.wine.start(folder)
        window = self.wine.window()
        rect = self.session.geometry(window)
        self.assertEqual((rect.w, rect.h), SIZE_CLIENT)
        self.assertLess(abs(rect.x - 200) + abs(rect.y - 150), 60, rect)
        log = read_ini(os.path.join(folder, "KORVANI.LOG"))
        self.assertEqual((log[("KORVANI.EXE", "Version")], log[("KORVANI.EXE", "Build")]),
                         ("6.05", "20211230"))
        for name in SAMPLE:
            self.wine.click(window, control(name).centre)
        self.wine.click(window, COPY)
        expected = "".join(SYMBOLS[name].text for name in SAMPLE)
        wait_until(lambda: self.session.clipboard_text() == expected, 10, "the copy")
        rtf = self.session.clipboard("text/rtf").split(b"\0")[0]
        self.assertIn(b"Lucida Sans Unicode", rtf)
        self.assertIn(b"\\fs32", rtf)
        self.assertIn("Lucida Sans Unicode", self.session.clipboard("text/html").decode())
        self.session.close_window(window)
        wait_until(lambda: ("Position", "Left") in read_ini(os.path.join(folder, "KORVANI.INI")), 10,
                   "the position to be saved")
        ini = read_ini(os.path.join(folder, "KORVANI.INI"))
        self.assertEqual((ini[("Position", "Left")], ini[("Position", "Top")]), ("200", "150"))

    def test_line_outlives_fifty_rounds_of_a_symbol_then_clear_all_and_back_and_every_symbol(self):
        # The prefix has Charis SIL, whose marks fault Wine's shaper in an edit control.
        proc = self.wine.start(self.wine.program("[Korvani]\nAutoPaste=0\n"))
        window = self.wine.window()
        sit = control("Sit").centre
        for round in range(50):
            try:
                for command in (CLEAR, control("BackButton").centre):
                    self.wine.click(window, sit)
                    self.wine.click(window, command)
            except HarnessError as error:  # the window went with the program
                self.fail(f"round {round + 1}: {error}")
            self.assertIsNone(proc.poll(), f"the program ended in round {round + 1}")
        # Then each symbol of the first chart and the marks beside it, first in the line, then
        # after a slash: DejaVu Sans faults there on the stress and length marks.
        names = [name for name, symbol in SYMBOLS.items() if symbol.panel in ("StandardChart", "DiacriticsChart")]
        for before in ([], ["Slash"]):
            for name in names:
                for clicked in before + [name]:
                    self.wine.click(window, control(clicked).centre)
                self.assertIsNone(proc.poll(), f"the program ended at {name} after {before}")
                self.wine.click(window, CLEAR)
        self.assertEqual(self.session.search(name=TITLE), [window])
        self.assertEqual(line_through_mark(self.session, self.wine, window, 1, LINE), "")

    def test_position_off_every_screen_is_brought_onto_the_nearest_and_saved_so(self):
        cases = [  # the stored position, and the saved one (None: along the right edge)
            ((-30000, -30000), (0, 0)),
            ((30000, 200), (None, 200)),
        ]
        for stored, saved in cases:
            with self.subTest(stored=stored):
                folder = self.wine.program("[Position]\nLeft=%d\nTop=%d\n" % stored)
                self.wine.start(folder)
                window = self.wine.window()
                client = self.session.geometry(window)
                self.assertTrue(0 <= client.x and client.x + client.w <= 1280 and 0 <= client.y < 800, client)
                self.session.close_window(window)
                wait_until(lambda: not self.session.search(name=TITLE), 10, "the program to end")
                position = read_ini(os.path.join(folder, "KORVANI.INI"))
                left, top = int(position[("Position", "Left")]), int(position[("Position", "Top")])
                # The frame's border at either side of the client.
                border = client.x - left
                self.assertEqual((left, top), (1280 - client.w - 2 * border if saved[0] is None else saved[0], saved[1]))
                self.wine.stop()

    def test_hide_then_tray_click_restores(self):
        self.wine.start(self.wine.program(), "/HIDE")
        icon = self.session.geometry(self.session.embedded_tray_icon(classname="explorer", timeout=20))
        self.assertEqual(self.session.search(name=TITLE), [])
        self.session.click(icon.x + icon.w // 2, icon.y + icon.h // 2)
        self.wine.window()

    def test_tray_click_restores_after_the_window_managers_minimize(self):
        self.wine.start(self.wine.program("[Korvani]\nAutoPaste=0\n"))
        window = self.wine.window()
        icon = self.session.geometry(self.session.embedded_tray_icon(classname="explorer", timeout=20))
        for _ in range(2):
            self.session.xdotool("windowminimize", window)
            wait_until(lambda: not self.session.is_viewable(window), 10, "the window to be minimised")
            self.session.click(icon.x + icon.w // 2, icon.y + icon.h // 2)
            wait_until(lambda: self.session.is_viewable(window), 10, "the window back")
            wait_until(lambda: self.session.active_window() == window, 10, "the window in front")

    def test_show_and_toggle_reach_the_running_copy(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\n")
        exe = os.path.join(folder, "korvani.exe")
        self.wine.start(folder, "/hide")
        wait_until(lambda: self.session.tray_icons(classname="explorer"), 20, "the tray icon")
        self.assertEqual(self.session.search(name=TITLE), [])
        # The hidden copy comes to the front with the keys going into its line.
        self.assertEqual(self.wine.run("wine", exe, "/toggle").returncode, 0)
        window = self.wine.window()
        wait_until(lambda: self.session.active_window() == window, 10, "the copy in front")
        wait_until(lambda: self.focused_control() == ("Edit", "Transcription"), 10, "the focus in the line")
        self.wait_for_keys(window)
        # In front, /toggle hides it; /show brings it back, and no second copy started meanwhile.
        self.assertEqual(self.wine.run("wine", exe, "/TOGGLE").returncode, 0)
        wait_until(lambda: not self.session.search(name=TITLE), 10, "the copy to hide")
        self.assertEqual(self.wine.run("wine", exe, "/show").returncode, 0)
        window = self.wine.window()
        self.assertEqual(self.session.search(name=TITLE), [window])
        self.assertEqual(len(self.session.tray_icons(classname="explorer")), 1)

    def test_about_from_button_and_system_command_saves_options(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\nShowHints=1\nUseUnicodeFont=1\n")
        self.wine.start(folder)
        window = self.wine.window()
        self.wine.click(window, ABOUT)
        about = self.wine.window("^About Korvani$")
        self.wine.click(about, OPTIONS_TAB)
        self.wine.click(about, AUTOPASTE_BOX)
        self.wine.click(about, SAVE)
        ini = os.path.join(folder, "KORVANI.INI")
        wait_until(lambda: read_ini(ini).get(("Korvani", "AutoPaste")) == "1", 10, "the saved options")
        self.assertEqual([read_ini(ini)[("Korvani", key)] for key in ("UseUnicodeFont", "ShowHints")],
                         ["1", "1"])
        self.wine.click(about, CLOSE)
        wait_until(lambda: not self.session.search(name="^About Korvani$"), 10, "the About window to close")
        self.assertEqual(self.wine.run("wine", self.wine.tool("sendcommand.exe"), "KorvaniMainWindow", "F45A").returncode, 0)
        self.wine.window("^About Korvani$")
        # Closing the main window while About is open ends the program as closing always does.
        self.wine.run("wine", self.wine.tool("sendcommand.exe"), "KorvaniMainWindow", "close")
        wait_until(lambda: ("Position", "Left") in read_ini(ini), 10, "the position to be saved")
        wait_until(lambda: not self.session.search(name="Korvani"), 10, "the program to end")

    def test_a_click_on_an_options_text_toggles_its_box(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\nUseUnicodeFont=1\nShowHints=1\n")
        self.wine.start(folder)
        self.wine.click(self.wine.window(), ABOUT)
        about = self.wine.window("^About Korvani$")
        self.wine.click(about, OPTIONS_TAB)
        for point in OPTION_TEXTS.values():
            self.wine.click(about, point)
        self.wine.click(about, SAVE)
        ini = os.path.join(folder, "KORVANI.INI")
        wait_until(lambda: read_ini(ini).get(("Korvani", "AutoPaste")) == "1", 10, "the saved options")
        self.assertEqual({key: read_ini(ini)[("Korvani", key)] for key in OPTION_TEXTS},
                         {"AutoPaste": "1", "UseUnicodeFont": "0", "ShowHints": "0"})

    def test_about_has_the_programs_icon_and_says_when_its_link_cannot_be_opened(self):
        self.wine.start(self.wine.program('[Korvani]\nAutoPaste=0\nHomepage="korvani-none:nowhere"\n'))
        window = self.wine.window()
        self.wine.click(window, ABOUT)
        about = self.wine.window("^About Korvani$")
        icon = self.session.property(about, "_NET_WM_ICON")
        self.assertEqual(icon, self.session.property(window, "_NET_WM_ICON"))
        self.wine.click(about, HOMEPAGE_LINK)
        boxes = []
        wait_until(lambda: boxes.extend(w for w in self.session.search(name=TITLE) if w != window) or boxes,
                   10, "the box saying so")
        self.assertIn(hex(about), self.session.property(boxes[0], "WM_TRANSIENT_FOR") or "")
        self.session.key("Return")
        wait_until(lambda: self.session.search(name=TITLE) == [window], 10, "the box to close")
        self.assertEqual(self.session.search(name="^About Korvani$"), [about])

    def test_settings_failure_names_the_folder_with_the_systems_sign_and_wrapping(self):
        folder = self.wine.program()
        os.makedirs(os.path.join(folder, "KORVANI.LOG"))  # the log cannot be written
        proc = self.wine.start(folder)
        self.wine.window()  # the box: the window itself never shows
        text = self.wine.run("wine", self.wine.tool("controllabels.exe"), "#32770", "--texts").stdout.decode()
        name = "C:\\" + os.path.basename(folder)
        self.assertIn(f"Korvani is unable to save or update its settings in {name}.\r\n\r\nPlease check Korvani has "
                      "write permissions for its own files or contact your administrator to grant Korvani these rights.",
                      text)
        # The warning sign, drawn in orange.
        def orange():
            # Wine may replace the box's X window as it lays the box out.
            for box in self.session.search(name=TITLE):
                area = self.session.geometry(box)
                pixels = self.session.run("import", "-window", "root", "-crop", f"{area.w}x{area.h}+{area.x}+{area.y}",
                                          "+repage", "-depth", "8", "rgb:-", timeout=30).stdout
                return sum(1 for i in range(0, len(pixels) - 2, 3)
                           if pixels[i] > 200 and 80 < pixels[i + 1] < 200 and pixels[i + 2] < 80) > 50

        wait_until(orange, 10, "the warning sign")
        self.session.key("Return")
        self.assertEqual(proc.wait(20), 1)

    def stacking(self):
        """The managed windows, bottom to top."""
        return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", self.session.root_property("_NET_CLIENT_LIST_STACKING") or "")]

    def test_font_installers_box_belongs_to_about_and_stands_in_front_of_it(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\n")
        shutil.copy(os.path.join(BUILD, "src", "win32", "korvanifi.exe"), folder)
        shutil.copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", os.path.join(folder, "Korvani.ttf"))
        self.wine.start(folder)
        self.wine.click(self.wine.window(), ABOUT)
        about = self.wine.window("^About Korvani$")
        self.wine.click(about, OPTIONS_TAB)
        self.wine.click(about, INSTALL_FONTS)
        box = self.wine.window("^Korvani Font Installer$")
        self.assertIn(hex(about), self.session.property(box, "WM_TRANSIENT_FOR") or "")
        wait_until(lambda: self.session.active_window() == box, 10, "the box in front")
        stacking = self.stacking()
        self.assertGreater(stacking.index(box), stacking.index(about))
        self.session.key("Return")
        wait_until(lambda: not self.session.search(name="^Korvani Font Installer$"), 10, "the box to close")
        self.assertEqual(self.session.search(name="^About Korvani$"), [about])

    def test_autopaste_lands_in_notepad(self):
        self.wine.start(None, exe="notepad")
        notepad = self.wine.window("Notepad")
        self.session.activate(notepad)
        self.session.type_text("x")
        self.wine.start(self.wine.program("[Korvani]\nAutoPaste=1\n"))
        window = self.wine.window()
        self.wine.click(window, SEE)
        self.wine.click(window, COPY)
        # The paste went to notepad: its text, copied by notepad itself, holds it. (Wine switches
        # its own foreground; the X focus follows only when the window manager agrees.)
        self.session.activate(notepad)

        def notepad_text():
            self.session.key("ctrl+a", "ctrl+c")
            return self.session.clipboard_text()

        wait_until(lambda: notepad_text() == "xi", 10, "the pasted transcription", interval=0.3)

    def start_in_front(self, folder, *args):
        """Starts the program and waits until keys reach its line."""
        self.wine.start(folder, *args)
        window = self.wine.window()
        self.session.activate(window)
        self.wait_for_keys(window)
        return window

    def wait_for_keys(self, window):
        """Waits until keys reach the line, which a moment after the window comes up they may not
        under Wine: a mark typed there shows in a copy."""
        for attempt in range(5):
            self.wine.click(window, (LINE[0] + 20 * attempt - 40, LINE[1]))
            self.session.type_text(f"@{attempt}")
            self.session.key("ctrl+Return")
            try:
                wait_until(lambda: (self.session.clipboard_text() or "").endswith(f"@{attempt}"), 3, "the mark")
                break
            except TimeoutError:
                continue
        else:
            self.fail("keys never reached the line")
        self.session.key("End", "shift+Home", "Delete")

    def focused_control(self):
        """The class and label of the control with the keyboard focus."""
        run = self.wine.run("wine", self.wine.tool("controllabels.exe"), "KorvaniMainWindow", "--focus")
        return tuple(run.stdout.decode().split("\t")[:2])

    def copied_line(self, window, expected):
        self.wine.click(window, COPY)
        wait_until(lambda: self.session.clipboard_text() == expected, 10, f"the line {expected!r}")

    def line_after(self, window, *keys):
        """Presses the keys, then copies the line with a mark typed at its end; the line before
        the mark."""
        if keys:
            self.session.key(*keys)
        self.marks += 1
        # Never twice at one spot, which would be a double click: it leaves the focus where it was.
        return line_through_mark(self.session, self.wine, window, self.marks,
                                 (LINE[0] + 12 * (self.marks % 8) - 48, LINE[1]))

    def test_search_return_inserts_the_chosen_result(self):
        window = self.start_in_front(self.wine.program("[Korvani]\nAutoPaste=0\n"))

        def line_after_search(query, *keys):
            self.wine.click(window, CLEAR)
            self.session.key("ctrl+f")  # the query is selected: typing replaces it
            self.session.type_text(query)
            return self.line_after(window, *keys)

        self.assertEqual(line_after_search("voiced velar fric", "Return"), "\u0263")
        # Up and Down choose among the results, Up stopping at the first.
        first = line_after_search("velar fricative", "Return")
        second = line_after_search("velar fricative", "Down", "Return")
        self.assertEqual({first, second}, {"x", "\u0263"})
        self.assertEqual(line_after_search("velar fricative", "Down", "Up", "Up", "Return"), first)
        # Escape clears the query, which chooses nothing.
        self.assertEqual(line_after_search("velar fricative", "Escape", "Return"), "")

    def test_pinned_sequence_is_kept_and_shown_on_mine_after_a_restart(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\n")
        window = self.start_in_front(folder)
        for name in ("Chain", "See"):
            self.wine.click(window, control(name).centre)
        self.session.key("shift+Home", "ctrl+d")
        ini = os.path.join(folder, "KORVANI.INI")
        wait_until(lambda: read_ini(ini).get(("Symbols", "Mine")) == "U+0074 U+0283 U+0069", 10,
                   "the pinned sequence in KORVANI.INI")
        self.session.close_window(window)
        wait_until(lambda: not self.session.search(name=TITLE), 10, "the program to end")
        window = self.start_in_front(folder)
        # Standard, Additional, All, Mine.
        self.session.key("ctrl+Next", "ctrl+Next", "ctrl+Next")
        window = self.wine.window()
        self.wine.click(window, MINE_FIRST_CELL)
        self.copied_line(window, "t\u0283i")
        # The Recent row keeps what was inserted, newest first, in the same file.
        wait_until(lambda: read_ini(ini).get(("Symbols", "Recent"), "").startswith("U+0074 U+0283 U+0069"),
                   10, "the recent symbols")

    def test_kept_cells_draw_each_glyph_whole_inside_its_cell(self):
        # d͡ʒ, dʒ, the tilde alone, and e under a tilde and an acute over a tilde below.
        cells = {"tied": Rect(0, 0, 33, 24), "untied": Rect(33, 0, 33, 24), "tilde": Rect(66, 0, 25, 24),
                 "stacked": Rect(91, 0, 25, 24)}
        d = WineDriver(self)
        d.start(ini="[Korvani]\nAutoPaste=0\n[Symbols]\n"
                    "Mine=U+0064 U+0361 U+0292, U+0064 U+0292, U+0303, U+0065 U+0330 U+0303 U+0301\n")
        d.key("ctrl+Next", "ctrl+Next", "ctrl+Next")
        self.session.park_pointer()  # nothing hovered, nothing raised
        client = self.session.geometry(d.window)
        grid = Rect(client.x + MINE_GRID[0], client.y + MINE_GRID[1], 120, 24)
        self.session.wait_still(grid)
        pixels = self.session.run("import", "-window", "root", "-crop", f"{grid.w}x{grid.h}+{grid.x}+{grid.y}",
                                  "+repage", "-depth", "8", "rgb:-", timeout=30).stdout
        inks = {}
        for name, cell in cells.items():
            rows = inks[name] = {}
            for y in range(cell.y, cell.y + cell.h):
                for x in range(cell.x, cell.x + cell.w):
                    at = 3 * (y * grid.w + x)
                    if max(pixels[at:at + 3]) < 0xD8:
                        rows.setdefault(y - cell.y, []).append(x - cell.x)
        for name, rows in inks.items():
            with self.subTest(name):
                self.assertTrue(rows, "a blank cell")
                xs = [x for row in rows.values() for x in row]
                # Within the cell and clear of its edges: ink cut off at an edge would touch it.
                self.assertGreater(min(rows), 0)
                self.assertLess(max(rows), cells[name].h - 1)
                self.assertGreater(min(xs), 0)
                self.assertLess(max(xs), cells[name].w - 1)
        # The tilde stands on its circle: ink below the mark, where the circle is.
        self.assertGreaterEqual(max(inks["tilde"]) - min(inks["tilde"]), 8)

        # The tie is drawn whole above the letters, an arc and not two dots at its ends: its
        # topmost rows hold one long run of ink, higher than the untied d's stem.
        def top_run(rows):
            top = sorted({x for y in (min(rows), min(rows) + 1) for x in rows.get(y, [])})
            runs = [1]
            for a, b in zip(top, top[1:]):
                runs.append(runs[-1] + 1 if b == a + 1 else 1)
            return max(runs)

        self.assertGreaterEqual(top_run(inks["tied"]), 8, sorted(inks["tied"].items()))
        self.assertLess(min(inks["tied"]), min(inks["untied"]))

    def test_symbol_menu_adds_to_mine_and_removes_from_it(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\n")
        window = self.start_in_front(folder)
        ini = os.path.join(folder, "KORVANI.INI")
        cases = [  # where to right-click, after which keys, and Mine after the menu's first item
            (SEE, [], "U+0069"),
            (control("Chain").centre, [], "U+0069, U+0074 U+0283"),
            (MINE_FIRST_CELL, ["ctrl+Next", "ctrl+Next", "ctrl+Next"], "U+0074 U+0283"),  # Remove
        ]
        for point, keys, mine in cases:
            with self.subTest(mine=mine):
                if keys:
                    self.session.key(*keys)
                self.session.xdotool("mousemove", "--window", window, *point, "click", "3")
                # The menu's loop reads the keys that follow the click in the window's queue.
                self.session.key("Down", "Return")
                wait_until(lambda: read_ini(ini).get(("Symbols", "Mine")) == mine, 10, f"Mine={mine}")

    def test_xsampa_in_the_line_converts_as_one_undo_step(self):
        window = self.start_in_front(self.wine.program("[Korvani]\nAutoPaste=0\n"))
        self.session.type_text('D@ "k{t')
        self.session.key("ctrl+shift+x")
        self.copied_line(window, "\u00f0\u0259 \u02c8k\u00e6t")
        # A copy leaves the line as it was, and Ctrl+Z takes the whole conversion back.
        self.assertEqual(self.line_after(window, "ctrl+z"), 'D@ "k{t')
        # Only the selection is converted.
        self.session.key("shift+Left", "shift+Left", "ctrl+shift+x")
        self.copied_line(window, 'D@ "k\u00e6t')

    def test_xsampa_command_writes_utf8_to_its_output(self):
        cases = [  # arguments, standard input, output, status
            (['D@ "k{t'], b"", "\u00f0\u0259 \u02c8k\u00e6t\n".encode(), 0),
            (["D@", '"k{t'], b"", "\u00f0\u0259 \u02c8k\u00e6t\n".encode(), 0),
            ([], b"D@\nk{t\n", "\u00f0\u0259\nk\u00e6t\n".encode(), 0),
            (["-"], b"S\n", "\u0283\n".encode(), 0),
            ([], b"\xff\n", b"", 1),
        ]
        for args, given, output, status in cases:
            with self.subTest(args=args, given=given):
                run = subprocess.run(["wine", EXE, "--xsampa", *args], env=self.wine.env, input=given,
                                     capture_output=True, timeout=60)
                self.assertEqual((run.stdout, run.returncode), (output, status), run.stderr)
                # Wine may say things of its own on the same stream.
                self.assertEqual(b"korvani: " in run.stderr, status != 0, run.stderr)
        # No window was made: the command ends before the program would start.
        self.assertEqual(self.session.search(name=TITLE), [])

    def test_screen_readers_are_told_names(self):
        window = self.start_in_front(self.wine.program("[Korvani]\nAutoPaste=0\n"))
        self.session.type_text("abc")  # the line's name is not its text
        self.session.key("ctrl+f")
        self.session.type_text("voiced velar fric")
        run = self.wine.run("wine", self.wine.tool("controllabels.exe"), "KorvaniMainWindow")
        self.assertEqual(run.returncode, 0)
        controls, cells = {}, {}
        for line in run.stdout.decode().splitlines():
            if line.startswith("  "):
                cells.setdefault(name, []).append(line.strip().split("\t"))
            else:
                kind, label, name = line.split("\t")
                controls.setdefault(kind, []).append((label, name))
        # Through MSAA, as a screen reader asks; the size box by its label (Wine's MSAA names a
        # drop-down list by its value).
        self.assertIn(("Transcription", "Transcription"), controls["Edit"])
        self.assertIn(("Search symbols", "Search symbols"), controls["Edit"])
        self.assertEqual(controls["ComboBox"][0][0], "Point size")
        self.assertEqual([name for _, name in controls["KorvSymbolGrid"]], ["All symbols", "Mine"])
        self.assertEqual(cells["All symbols"][0][0], "\u0263, voiced velar fricative")
        self.assertIn("X-SAMPA G", cells["All symbols"][0][1])
        self.assertIn(("", "\u0283"), controls["KorvSymbolButton"])

    def click_cell(self, chart, cell, zoom=100):
        rect = self.session.geometry(chart)
        scale = (rect.w - SCROLL_BAR) / CHART_WIDTH * zoom / 100
        self.wine.click(chart, (round(cell[0] * scale), round(cell[1] * scale)))

    def test_the_chart_window_inserts_at_the_caret_scales_and_keeps_its_zoom_and_size(self):
        folder = self.wine.program("[Korvani]\nAutoPaste=0\n")
        ini = os.path.join(folder, "KORVANI.INI")
        window = self.start_in_front(folder)
        labels = lambda: self.wine.run("wine", self.wine.tool("controllabels.exe"), "KorvaniChartWindow")
        self.assertEqual(labels().returncode, 1)  # not made at the start
        self.session.type_text("ae")
        self.session.key("Left", "ctrl+k")
        chart = self.wine.window(CHART_TITLE)
        rect = self.session.geometry(chart)
        self.assertGreaterEqual(rect.w, CHART_WIDTH)  # the table at its own size: 26-pixel glyphs
        self.assertEqual(self.session.active_window(), window)
        # At the line's caret; the keys typed next still go into the line.
        self.click_cell(chart, P_CELL)
        self.click_cell(chart, Z_CELL)
        self.session.type_text("i")
        self.assertEqual(self.session.active_window(), window)
        self.assertEqual(self.line_after(window), "apzie")
        # Each cell is a button a screen reader names.
        run = labels()
        self.assertEqual(run.returncode, 0)
        canvas, first = run.stdout.decode().splitlines()[:2]
        self.assertEqual(canvas.split("\t"), ["KorvChartCanvas", "", "IPA chart"])
        self.assertTrue(first.strip().startswith("p, voiceless bilabial plosive\t"), first)

        # Scaled to a narrower window, the same cell is hit at its new place (clear of the palette,
        # which stays in front of it).
        self.session.xdotool("windowsize", chart, "600", "500")
        self.session.xdotool("windowmove", chart, "640", "260")
        wait_until(lambda: self.session.geometry(chart).w == 600 and self.session.geometry(chart).x > 600, 5,
                   "the chart to be resized and moved")
        self.session.key("End")
        self.click_cell(chart, P_CELL)
        self.assertEqual(self.line_after(window), "apziep")
        # Ctrl+plus (Ctrl+= alike) and Ctrl+minus in the line, and Ctrl+wheel over the chart.
        self.session.key("ctrl+plus", "ctrl+plus", "ctrl+minus", "ctrl+equal", "ctrl+plus")
        wait_until(lambda: read_ini(ini).get(("Chart", "Zoom")) == "150", 5, "the zoom of the keys")
        self.session.xdotool("mousemove", "--window", chart, "300", "200")
        self.session.xdotool("keydown", "ctrl", "click", "4", "keyup", "ctrl")
        wait_until(lambda: read_ini(ini).get(("Chart", "Zoom")) == "175", 5, "the zoom of the wheel")
        place = self.session.geometry(chart)
        self.session.close_window(chart)
        wait_until(lambda: read_ini(ini).get(("Chart", "Width")) == "600", 10, "the chart's size kept")
        self.assertEqual(read_ini(ini)[("Chart", "Height")], "500")

        self.session.close_window(window)
        wait_until(lambda: not self.session.search(name=TITLE), 10, "the program to end")
        window = self.start_in_front(folder)
        self.session.key("ctrl+k")
        chart = self.wine.window(CHART_TITLE)
        rect = self.session.geometry(chart)
        self.assertEqual((rect.w, rect.h), (600, 500))
        self.assertLessEqual(abs(rect.x - place.x) + abs(rect.y - place.y), 2, (rect, place))
        # At 175 % of the window's width the first cell has moved right and down.
        self.click_cell(chart, P_CELL, zoom=175)
        self.assertEqual(self.line_after(window), "p")

    def test_help_is_written_without_a_window(self):
        folder = self.wine.program()
        for ask in ("/?", "--help", "-h"):
            with self.subTest(ask):
                run = self.wine.run("wine", os.path.join(folder, "korvani.exe"), ask, timeout=30)
                self.assertEqual(run.returncode, 0, run.stderr)
                output = run.stdout.decode()
                self.assertTrue(output.startswith("Usage: korvani"), output)
                for command in ("/hide", "/show", "/toggle", "--xsampa", "Ctrl+K"):
                    self.assertIn(command, output)
                self.assertNotIn("--transcribe", output)  # this build has no spelling to IPA
        # Nothing was started: no log, no window.
        self.assertFalse(os.path.exists(os.path.join(folder, "KORVANI.LOG")))
        self.assertEqual(self.session.search(name=TITLE), [])

    def test_ctrl_shift_c_and_ctrl_shift_return_copy_plain_text_alone(self):
        window = self.start_in_front(self.wine.program("[Korvani]\nAutoPaste=0\n"))
        for chord, text in (("ctrl+shift+c", "a"), ("ctrl+shift+Return", "ab")):
            with self.subTest(chord):
                self.session.type_text(text[-1])
                self.session.key(chord)
                wait_until(lambda: self.session.clipboard_text() == text, 10, f"the copy of {text!r}")
                self.assertNotIn("text/rtf", self.session.clipboard_targets())
        self.wine.click(window, COPY)  # the rich copy as ever
        wait_until(lambda: "text/rtf" in self.session.clipboard_targets(), 10, "the rich copy")

    def test_windows_unit_tests_that_need_a_display(self):
        run = self.wine.run("wine", self.wine.tool("korv_win32_window_tests.exe"), timeout=120)
        self.assertEqual(run.returncode, 0, run.stdout.decode(errors="replace")[-3000:])

    def test_window_scales_at_144_dpi(self):
        self.wine.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", 144)
        self.wine.stop()
        try:
            self.wine.start(self.wine.program())
            rect = self.session.geometry(self.wine.window())
            self.assertEqual((rect.w, rect.h), (497, 339))  # 331 and 226 times 1.5, rounded
        finally:
            self.wine.stop()
            self.wine.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", 96)
            self.wine.stop()

    def test_font_installer_installs_for_all_users_and_for_one(self):
        folder = self.wine.program()
        shutil.copy(os.path.join(BUILD, "src", "win32", "korvanifi.exe"), folder)
        shutil.copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", os.path.join(folder, "Korvani.ttf"))
        user = glob.glob(os.path.join(self.wine.prefix, "drive_c", "users", "*", "AppData", "Local"))[0]
        cases = [  # options, file, registry key, value
            ([], os.path.join(self.wine.prefix, "drive_c", "windows", "Fonts", "Korvani.ttf"), "HKLM", "Korvani.ttf"),
            (["/user"], os.path.join(user, "Microsoft", "Windows", "Fonts", "Korvani.ttf"), "HKCU",
             r"C:\users\%s\AppData\Local\Microsoft\Windows\Fonts\Korvani.ttf" % user.split(os.sep)[-3]),
        ]
        for options, path, root, value in cases:
            with self.subTest(options=options):
                for _ in range(2):  # the second run changes nothing and succeeds
                    run = self.wine.run("wine", os.path.join(folder, "korvanifi.exe"), "/quiet", *options)
                    self.assertEqual(run.returncode, 0)
                self.assertTrue(os.path.isfile(path))
                query = self.wine.run("wine", "reg", "query", root + r"\Software\Microsoft\Windows NT\CurrentVersion\Fonts",
                                      "/v", "Korvani (TrueType)")
                self.assertIn(value.encode(), query.stdout)

    def test_installer_installs_keeps_settings_in_appdata_and_uninstalls(self):
        setup = os.path.join(BUILD, "dist", "korvani-6.05-x86_64-setup.exe")
        self.assertTrue(os.path.isfile(setup), f"no {setup}: make windows-package")
        self.assertEqual(self.wine.run("wine", setup, "/S").returncode, 0)
        installed = os.path.join(self.wine.prefix, "drive_c", "Program Files", "Korvani")
        menu = glob.glob(os.path.join(self.wine.prefix, "drive_c", "ProgramData", "Microsoft", "Windows",
                                      "Start Menu", "Programs", "Korvani", "Korvani.lnk"))
        self.assertEqual(len(menu), 1)
        with open(os.path.join(installed, "README.txt"), "rb") as f:
            readme = f.read()
        self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"))
        with open(os.path.join(installed, "COPYING"), "rb") as f, open(os.path.join(REPO, "COPYING"), "rb") as g:
            self.assertEqual(f.read(), g.read())
        entry = self.wine.run("wine", "reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvani")
        values = dict(re.findall(r"^\s+(\w+)\s+REG_SZ\s+(.*?)\r?$", entry.stdout.decode(), re.M))
        self.assertEqual({key: values.get(key) for key in ("DisplayVersion", "Publisher", "URLInfoAbout", "DisplayIcon")},
                         {"DisplayVersion": "6.05", "Publisher": "The Korvani developers",
                          "URLInfoAbout": "https://korvani.example.org/",
                          "DisplayIcon": r"C:\Program Files\Korvani\korvani.exe,0"})
        self.wine.start(installed)
        self.wine.window()
        logs = glob.glob(os.path.join(self.wine.prefix, "drive_c", "users", "*", "AppData", "Roaming",
                                      "Korvani", "KORVANI.LOG"))
        self.assertEqual(len(logs), 1)
        self.assertFalse(os.path.exists(os.path.join(installed, "KORVANI.LOG")))
        self.wine.stop()
        self.assertEqual(self.wine.run("wine", os.path.join(installed, "uninstall.exe"), "/S").returncode, 0)
        self.wine.run("wineserver", "-w")
        self.assertFalse(os.path.exists(installed))



class InstallerPagesTest(WineSessionTest):
    """The installer as a user clicks through it: its pages, then Korvani started from the last."""

    def test_pages_from_the_licence_to_running_korvani(self):
        setup = os.path.join(BUILD, "dist", "korvani-6.05-x86_64-setup.exe")
        self.wine.start(None, exe=setup)
        try:
            window = self.wine.window("^Korvani v6 Setup")
            self.session.activate(window)
            pages = [  # a text the page shows, the key that leaves it
                ("the GNU General Public License, version 3 or later", "Return"),  # I Agree
                ("Choose Components", "Return"),  # Next
                ("Destination Folder", "Return"),  # Install
                ("Run Korvani", "Return"),  # Finish, Run Korvani ticked
            ]
            for number, (text, key) in enumerate(pages):
                wait_until(lambda: text in self.texts(), 30, f"the page showing {text!r}")
                if os.environ.get("KORV_SHOTS"):
                    self.session.run("import", "-window", "root", os.path.join(os.environ["KORV_SHOTS"], f"setup{number}.png"))
                icon = self.session.property(window, "_NET_WM_ICON")
                self.session.activate(window)
                self.session.key(key)
            # Korvani's icon on the installer: the program it started shows the same.
            self.assertEqual(self.session.property(self.wine.window(), "_NET_WM_ICON"), icon)
        finally:
            self.wine.stop()

    def texts(self):
        return self.wine.run("wine", self.wine.tool("controllabels.exe"), "#32770", "--texts").stdout.decode(errors="replace")


class WineDriver:
    """The shared scenarios' verbs (scenarios.py) on the Windows program under Wine."""

    def __init__(self, case):
        self.case, self.session, self.wine = case, case.session, case.wine
        self.folder = self.window = None
        self.marks = 0

    def start(self, ini=None, args=()):
        self.folder = self.wine.program(ini)
        self._start(args)

    def _start(self, args=()):
        self.wine.start(self.folder, *args)
        self.window = self.wine.window()
        self.session.activate(self.window)
        wait_until(lambda: self.session.active_window() == self.window, 10, "the window to be active")
        self.wait_caret()

    def wait_caret(self):
        """The caret blinks in the line: the keys go there."""
        wait_until(lambda: self.focused_control() == ("Edit", "Transcription"), 10, "the focus in the line")
        line = control("Line")
        client = self.session.geometry(self.window)
        area = Rect(client.x + line.x, client.y + line.y, line.w, line.h)
        first = self.session.screen_bytes(area)
        wait_until(lambda: self.session.screen_bytes(area) != first, 5, "the caret to blink in the line", 0.1)

    def focused_control(self):
        run = self.wine.run("wine", self.wine.tool("controllabels.exe"), "KorvaniMainWindow", "--focus")
        return tuple(run.stdout.decode().split("\t")[:2])

    def restart(self):
        self.session.close_window(self.window)
        wait_until(lambda: not self.session.search(name=TITLE), 10, "the program to end")
        self._start()

    def click(self, name):
        self.wine.click(self.window, control(name).centre)

    def key(self, *chords):
        self.session.key(*chords)

    def type(self, text):
        self.session.type_text(text)

    def line(self):
        self.marks += 1
        line = control("Line")
        return line_through_mark(self.session, self.wine, self.window, self.marks,
                                 (line.x + line.w - 20 - 6 * (self.marks % 4), line.centre[1]))

    def clipboard(self):
        return wait_until(self.session.clipboard_text, 10, "text on the clipboard")

    def rich_clipboard(self):
        data = wait_until(lambda: self.session.clipboard("text/rtf"), 10, "the rich copy on the clipboard")
        return data.split(b"\0")[0].decode("latin-1")

    def ini(self):
        sections = {}
        for (section, key), value in read_ini(os.path.join(self.folder, "KORVANI.INI")).items():
            sections.setdefault(section, {})[key] = value
        return sections

    def summon(self, arg):
        result = self.wine.run("wine", os.path.join(self.folder, "korvani.exe"), arg)
        self.case.assertEqual(result.returncode, 0)

    def wait_shown(self, shown):
        if shown:
            self.window = self.wine.window()
            wait_until(lambda: self.session.active_window() == self.window, 10, "the window to be active")
            self.wait_caret()
        else:
            wait_until(lambda: not self.session.search(name=TITLE), 10, "the window to hide")


class Win32ScenarioTest(WineSessionTest):
    """The scenarios the Linux program walks through (test_scenarios.py), on the Windows one."""

    def test_scenarios(self):
        for scenario in SCENARIOS:
            with self.subTest(scenario.__name__):
                try:
                    scenario(self, WineDriver(self))
                finally:
                    self.wine.stop()


if __name__ == "__main__":
    unittest.main()