# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end harness for Wayland sessions: a headless compositor, a session bus with a stand-in
notification area, and the program, all private to one test file.

WaylandSession("sway") runs sway headless (as uid 65534: sway will not run as root) with a virtual
pointer for clicks and the user's keyboard on its seat; xwayland=True adds XWayland beside it.
WaylandSession("weston") runs weston's headless backend, which has no seat at all: no input and no
clipboard, so only starting, the tray and the program's own output can be checked there.

WaylandSession("mutter") and WaylandSession("kwin") are GNOME's and KDE Plasma's compositors,
headless, with XWayland, the accessibility bus and (portal=True) the desktop portal with the
desktop's own backend, all on the session's private bus; portal=False leaves the bus with no
service to start at all, as on a system without the portal. There the user's keys come through
the compositor (userkeys.py) and controls are worked through their accessibility tree
(atspidriver.py). Folders, the bus, the program copies and the processes are korvx's, stopped by
process id only.
"""

import glob
import json
import os
import re
import shutil
import subprocess
import time

from korvx import _PASSED_ENV, NOBODY, HarnessError, TextField, _die_with_parent, _private_dir, _spawn, _stop
from korvx import _SessionBase
from korvx import program_binary, wait_until

REQUIRED_TOOLS = ("dbus-daemon", "wl-paste", "setpriv", "xhost", "xdotool")
COMPOSITORS = {"sway": ("sway", "swaymsg"), "weston": ("weston",),
               "mutter": ("mutter", "/usr/libexec/xdg-desktop-portal", "/usr/libexec/xdg-desktop-portal-gnome",
                          "/usr/libexec/at-spi-bus-launcher"),
               "kwin": ("kwin_wayland", "/usr/libexec/xdg-desktop-portal",
                        "/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde", "/usr/libexec/at-spi-bus-launcher")}
SCREEN = (1280, 800)
HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "tools")
# The key codes (evdev) of the key symbols the tests type, for KWin's fake input.
KEY_CODES = {0xFFE9: 56, 0xFF09: 15, 0xFFE3: 29, 0xFF0D: 28, 0xFFE1: 42, 0x76: 47, 0x71: 16}
# What XDG_CURRENT_DESKTOP says under each desktop's compositor: the portal picks its backend by it.
DESKTOPS = {"mutter": "GNOME", "kwin": "KDE"}
# A session bus that starts no service on demand: only what the test itself started is on it.
BARE_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={path}</listen>
  <servicedir>{services}</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


def missing_tools(compositor):
    return [t for t in REQUIRED_TOOLS + COMPOSITORS[compositor] if shutil.which(t) is None]


class WaylandSession(_SessionBase):
    _prefix = "korvwl"

    def __init__(self, compositor="sway", xwayland=False, portal=True):
        super().__init__()
        self.compositor = compositor
        self.xwayland = xwayland or compositor in DESKTOPS
        self.portal = portal
        self.display = None
        self._procs = []
        self._pointer = self._notifier = self._keys = self._atspi = None

    def missing_tools(self):
        return missing_tools(self.compositor)

    def _start_services(self):
        self.env = self._base_env()
        if self.compositor in DESKTOPS:
            self._start_desktop()
            return
        self.bus = self.start_bus()
        self._start_compositor()
        if self.compositor == "sway":
            self._start_pointer()

    def _stop_services(self):
        for tool in (self._pointer, self._keys, self._atspi):
            if tool is not None:
                tool.stdin.close()
                tool.stdout.close()
        for proc in reversed(self._procs):
            _stop(proc)
        self._procs.clear()
        self._pointer = self._notifier = self._keys = self._atspi = None

    def _spawn(self, name, cmd, env):
        proc = _spawn(cmd, env, self.home, self._log(name))
        self._procs.append(proc)
        return proc

    def _base_env(self):
        env = {k: os.environ[k] for k in _PASSED_ENV if k in os.environ}
        env.setdefault("PATH", "/usr/bin:/bin")
        env.update(HOME=self.home, LANG="C.UTF-8", LC_ALL="C.UTF-8", NO_AT_BRIDGE="1")
        return env

    def _start_compositor(self):
        env = self._base_env()
        if self.compositor == "sway":
            # sway refuses to run as root; its socket folder then belongs to the user it runs as.
            server_runtime = self.server_runtime = _private_dir(os.path.join(self.root, "sway-runtime"), 0o700, NOBODY)
            config = os.path.join(self.root, "sway.conf")
            with open(config, "w") as f:
                f.write(f"xwayland {'force' if self.xwayland else 'disable'}\n")
                f.write(f"output HEADLESS-1 resolution {SCREEN[0]}x{SCREEN[1]} position 0 0\n")
                # As GNOME and KDE do: a pager's request to activate a window is granted.
                f.write("focus_on_window_activation focus\n")
            os.chmod(config, 0o644)
            env.update(XDG_RUNTIME_DIR=server_runtime, WLR_BACKENDS="headless", WLR_RENDERER="pixman",
                       WLR_LIBINPUT_NO_DEVICES="1")
            cmd = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "--pdeathsig", "KILL",
                   "sway", "-c", config]
            self._spawn("sway", cmd, env)
            self.socket = wait_until(lambda: self._find(server_runtime, r"^wayland-\d+$"), 15, "sway's socket")
            self.ipc = wait_until(lambda: self._find(server_runtime, r"^sway-ipc\..*\.sock$"), 15, "sway's IPC")
        else:
            env.update(XDG_RUNTIME_DIR=self.runtime)
            cmd = ["weston", "--backend=headless-backend.so", "--socket=korvwl", "--idle-time=0"]
            if self.xwayland:
                cmd.append("--xwayland")
            self._spawn("weston", cmd, env)
            self.socket = wait_until(lambda: self._find(self.runtime, r"^korvwl$"), 15, "weston's socket")
            if self.xwayland:
                number = wait_until(lambda: re.search(r"xserver listening on display (:\d+)", self.read_log("weston")),
                                    15, "XWayland's display")
                self.display = number.group(1)
        self.env.update(XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=self.socket, DBUS_SESSION_BUS_ADDRESS=self.bus)
        if self.compositor == "sway" and self.xwayland:
            self.display = wait_until(self._sway_display, 15, "sway's XWayland display")
        if self.display:
            self.env["DISPLAY"] = self.display

    def _sway_display(self):
        # sway names its X display only in its children's environment: ask one.
        answer = os.path.join(self.server_runtime, "display")
        if not os.path.exists(answer):
            # XWayland admits only sway's user; the tests' programs run as root.
            self.swaymsg("exec", f"xhost +si:localuser:root && printenv DISPLAY > {answer}.part && mv {answer}.part {answer}")
            wait_until(lambda: os.path.exists(answer), 5, "sway to tell its X display")
        with open(answer) as f:
            return f.read().strip() or None

    # -- GNOME's and KDE's compositors, with the portal

    def _start_desktop(self):
        desktop = DESKTOPS[self.compositor]
        env = self.env
        del env["NO_AT_BRIDGE"]  # the portal's dialog and the programs are read through AT-SPI
        env.update(XDG_RUNTIME_DIR=self.runtime, XDG_CURRENT_DESKTOP=desktop, XDG_SESSION_TYPE="wayland",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        if self.portal:
            self.bus = self.start_bus()
        else:
            services = _private_dir(os.path.join(self.root, "no-services"))
            path = os.path.join(self.runtime, "bus")
            config = os.path.join(self.root, "bus.conf")
            with open(config, "w") as f:
                f.write(BARE_BUS_CONFIG.format(path=path, services=services))
            self._bus = _spawn(["dbus-daemon", "--config-file", config, "--nofork", "--nopidfile"], env, self.home,
                               self._log("dbus"))
            wait_until(lambda: os.path.exists(path), 10, "the session bus")
            self.bus = "unix:path=" + path
        env["DBUS_SESSION_BUS_ADDRESS"] = self.bus
        # Before anything that draws: the portal's dialog has no accessible tree without it.
        self._spawn("at-spi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env)
        wait_until(lambda: "org.a11y.Bus" in self._bus_names(), 10, "the accessibility bus")
        self.socket = "korvwl"
        if self.compositor == "mutter":
            self._spawn("mutter", ["mutter", "--headless", "--wayland", "--virtual-monitor",
                                   f"{SCREEN[0]}x{SCREEN[1]}", "--wayland-display=" + self.socket], env)
            number = wait_until(lambda: re.search(r"Using public X11 display (:\d+)", self.read_log("mutter")),
                                20, "mutter's X display")
        else:
            # kwin_wayland carries a file capability that a process here may not take up: a copy
            # without it runs.
            kwin = os.path.join(self.root, "kwin_wayland")
            shutil.copy(shutil.which("kwin_wayland"), kwin)
            # KWin offers its fake input only to programs whose menu entry asks for it: the
            # user's keyboard gets one.
            apps = os.path.join(self.home, ".local", "share", "applications")
            os.makedirs(apps)
            with open(os.path.join(apps, "korv-kwinkeys.desktop"), "w") as f:
                f.write(f"[Desktop Entry]\nType=Application\nName=korv_kwinkeys\nNoDisplay=true\n"
                        f"Exec={os.path.realpath(program_binary('KORV_KWINKEYS_BIN'))}\n"
                        "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n")
            # kwin names XWayland's display and cookie only to the programs it starts: one tells.
            told = os.path.join(self.root, "kwin-display")
            teller = os.path.join(self.root, "tell-display")
            with open(teller, "w") as f:
                f.write(f'#!/bin/sh\nprintf "%s\\n%s\\n" "$DISPLAY" "$XAUTHORITY" > {told}.part && mv {told}.part {told}\n')
            os.chmod(teller, 0o755)
            self._spawn("kwin", [kwin, "--virtual", "--xwayland", "--no-lockscreen", "--width", str(SCREEN[0]),
                                 "--height", str(SCREEN[1]), "--socket", self.socket, teller], env)
            wait_until(lambda: os.path.exists(told), 30, "kwin's X display")
            with open(told) as f:
                display, cookie = (f.read().split("\n") + ["", ""])[:2]
            number = re.match(r"(:\d+)", display)
            if cookie:
                env["XAUTHORITY"] = cookie
        wait_until(lambda: os.path.exists(os.path.join(self.runtime, self.socket)), 20, "the compositor's socket")
        self.display = number.group(1)
        env.update(WAYLAND_DISPLAY=self.socket, DISPLAY=self.display)
        # mutter's XWayland admits the holders of the cookie it writes in the runtime folder.
        cookie = glob.glob(os.path.join(self.runtime, ".mutter-Xwaylandauth.*"))
        if cookie:
            env["XAUTHORITY"] = cookie[0]
        if self.portal:
            backend = {"mutter": "/usr/libexec/xdg-desktop-portal-gnome",
                       "kwin": "/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde"}[self.compositor]
            self._spawn("portal-backend", [backend], dict(env, QT_QPA_PLATFORM="wayland"))
            wait_until(lambda: ("org.freedesktop.impl.portal.desktop." + desktop.lower()) in self._bus_names(), 20,
                       "the portal's backend")
            self._spawn("portal", ["/usr/libexec/xdg-desktop-portal", "-r"], env)
            wait_until(lambda: "org.freedesktop.portal.Desktop" in self._bus_names(), 20, "the portal")
        # A seat with no keyboard gives no window the keyboard: the user's comes first.
        self.keys()

    def _bus_names(self):
        result = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                 "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"],
                                env=self.env, capture_output=True, timeout=10)
        return re.findall(r'string "([^"]+)"', result.stdout.decode())

    def _tool(self, name, cmd, env=None):
        with open(self._log(name), "ab") as log:
            proc = subprocess.Popen(cmd, env=env or self.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                    stderr=log, text=True, preexec_fn=_die_with_parent(os.getpid()))
        self._procs.append(proc)
        return proc

    @staticmethod
    def _ask(tool, line, what):
        tool.stdin.write(line + "\n")
        tool.stdin.flush()
        answer = tool.stdout.readline().strip()
        if not answer.startswith("ok"):
            raise HarnessError(f"{what}: {answer or 'no answer'}")
        return answer[3:]

    def keys(self, *keys):
        """Types keys as the user (("sym", pressed) pairs, symbols as integers), through the
        compositor: mutter's own remote desktop, or KWin's fake input (key codes: the symbols
        the tests use)."""
        if self._keys is None:
            if self.compositor == "mutter":
                cmd = ["/usr/bin/python3", os.path.join(TOOLS, "userkeys.py"), "mutter"]
            else:
                cmd = [program_binary("KORV_KWINKEYS_BIN")]
            self._keys = self._tool("userkeys", cmd)
            if self._keys.stdout.readline().strip() != "ready":
                raise HarnessError(f"the user's keyboard did not start: {self.read_log('userkeys')}")
        # mutter may drop the first event of a device after another device's (the program's
        # own), and KWin may keep a modifier of the other device's held: a tap of Ctrl goes
        # first, as the program sends too.
        keys = ((0xFFE3, True), (0xFFE3, False)) + keys
        if self.compositor == "mutter":
            self._ask(self._keys, "keys ffe3:1 ffe3:0", "keys")
            time.sleep(0.05)
            words = (f"{sym:x}:{int(down)}" for sym, down in keys[2:])
        else:
            words = (f"{KEY_CODES[sym]}:{int(down)}" for sym, down in keys)
        self._ask(self._keys, "keys " + " ".join(words), "keys")

    def alt_tab(self):
        """The user's switch to the window used before."""
        self.keys((0xffe9, True), (0xff09, True), (0xff09, False), (0xffe9, False))

    def atspi(self, *words):
        """One command of atspidriver.py; its answer."""
        if self._atspi is None:
            self._atspi = self._tool("atspi", ["/usr/bin/python3", os.path.join(TOOLS, "atspidriver.py")])
        return self._ask(self._atspi, " ".join(map(str, words)), "AT-SPI " + str(words[0]))

    def start_field(self, kind, title):
        """A text field standing in for the user's application, not waited for: "gtk" (native
        GTK 3), "qt" (native Qt) or "x11" (GTK 3 through XWayland)."""
        if kind == "qt":
            binary, env = program_binary("KORV_TEXTFIELD_BIN"), dict(self.env, QT_QPA_PLATFORM="wayland")
        else:
            binary = os.path.join(TOOLS, "gtkfield.py")
            env = dict(self.env, GDK_BACKEND="wayland" if kind == "gtk" else "x11")
        field = TextField(self, binary, title, self._log("field-" + title), env)
        self._programs.append(field)
        return field

    @staticmethod
    def _find(folder, pattern):
        for name in os.listdir(folder):
            if re.match(pattern, name):
                return os.path.join(folder, name)
        return None

    # -- the stand-in notification area and notification service

    def start_notification_area(self):
        started = self.read_log("statusnotifier").count("ready")
        self._notifier = self._spawn("statusnotifier", [program_binary("KORV_STATUSNOTIFIER_BIN")], self.env)
        wait_until(lambda: self.read_log("statusnotifier").count("ready") > started, 10, "the notification area")

    def stop_notification_area(self):
        if self._notifier is not None:
            _stop(self._notifier)
            self._procs.remove(self._notifier)
            self._notifier = None

    def tray_items(self):
        return re.findall(r"^item (\S+) (\S+)$", self.read_log("statusnotifier"), re.M)

    def notices(self):
        return re.findall(r"^notify (.*)$", self.read_log("statusnotifier"), re.M)

    # -- the clipboard, read as a Wayland client

    def clipboard_types(self):
        result = subprocess.run(["wl-paste", "-l"], env=self.env, capture_output=True, timeout=10)
        return result.stdout.decode().split() if result.returncode == 0 else []

    def clipboard(self, mime):
        return subprocess.run(["wl-paste", "-n", "-t", mime], env=self.env, capture_output=True, timeout=10).stdout

    # -- sway: windows and clicks

    def swaymsg(self, *args):
        result = subprocess.run(["swaymsg", "-s", self.ipc, *args], env=self.env, capture_output=True, timeout=10)
        return json.loads(result.stdout or b"null")

    def windows(self, pid):
        """The client rectangles (x, y) of the windows of process pid, by title."""
        found = {}

        def walk(node):
            # sway tells a window's place from its pending layout but its border from the applied
            # one: until the layout that maps it is applied the border reads "none" and the title
            # bar is missing from rect, so a click there would land a title bar's height too high.
            if node.get("pid") == pid and node.get("visible", True) and node.get("border") != "none":
                rect, inner = node["rect"], node["window_rect"]
                found[node.get("name")] = (rect["x"] + inner["x"], rect["y"] + inner["y"])
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)

        walk(self.swaymsg("-t", "get_tree"))
        return found

    def _start_pointer(self):
        # Before any client, with the user's keyboard: one that starts while the seat gains a
        # pointer may miss the enter of its first click, and a slow one may still be binding its
        # pointer when the click comes; a Qt window that binds its keyboard only after the focus
        # has left it keeps telling that it is active.
        self._pointer = subprocess.Popen([program_binary("KORV_VIRTUALPOINTER_BIN"), *map(str, SCREEN)],
                                         env=self.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self._procs.append(self._pointer)
        if self._pointer.stdout.readline().strip() != "ready":
            raise HarnessError("the virtual pointer did not start")

    def click(self, x, y):
        self._pointer.stdin.write(f"click {x} {y}\n")
        self._pointer.stdin.flush()
        if self._pointer.stdout.readline().strip() != "ok":
            raise HarnessError("the virtual pointer did not click")

    def start_text_field(self, title="field"):
        """An X11 text field (through XWayland), not waited for."""
        field = TextField(self, program_binary("KORV_TEXTFIELD_BIN"), title, self._log("textfield-" + title),
                          dict(self.env, QT_QPA_PLATFORM="xcb"))
        self._programs.append(field)
        return field
