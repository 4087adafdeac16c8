# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end harness for Wayland sessions: a headless compositor, a session bus with a stand-in
notification area, and the program, all private to one test file.

WaylandSession("sway") runs sway headless (as uid 65534: sway will not run as root) with a virtual
pointer for clicks; xwayland=True adds XWayland beside it. WaylandSession("weston") runs weston's
headless backend, which has no seat at all: no input and no clipboard, so only starting, the tray
and the program's own output can be checked there. Folders, the bus, the program copies and the
processes are korvx's, stopped by process id only.
"""

import json
import os
import re
import shutil
import subprocess

from korvx import _PASSED_ENV, NOBODY, HarnessError, TextField, _private_dir, _spawn, _stop, _SessionBase
from korvx import program_binary, wait_until

REQUIRED_TOOLS = ("dbus-daemon", "wl-paste", "setpriv", "xhost", "xdotool")
COMPOSITORS = {"sway": ("sway", "swaymsg"), "weston": ("weston",)}
SCREEN = (1280, 800)


def missing_tools(compositor):
    return [t for t in REQUIRED_TOOLS + COMPOSITORS[compositor] if shutil.which(t) is None]


class WaylandSession(_SessionBase):
    _prefix = "korvwl"

    def __init__(self, compositor="sway", xwayland=False):
        super().__init__()
        self.compositor = compositor
        self.xwayland = xwayland
        self.display = None
        self._procs = []
        self._pointer = self._notifier = None

    def missing_tools(self):
        return missing_tools(self.compositor)

    def _start_services(self):
        self.env = self._base_env()
        self.bus = self.start_bus()
        self._start_compositor()
        if self.compositor == "sway":
            self._start_pointer()

    def _stop_services(self):
        if self._pointer is not None:
            self._pointer.stdin.close()
            self._pointer.stdout.close()
        for proc in reversed(self._procs):
            _stop(proc)
        self._procs.clear()
        self._pointer = self._notifier = None

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
        # Before any client: one that starts while the seat gains a pointer may miss the enter of
        # its first click, and a slow one may still be binding its pointer when the click comes.
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
