# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end harness: runs the program under a private X server and drives it like a user.

A Session owns a private Xvfb, an openbox window manager and, optionally, a tint2 tray host, all with
a private HOME and XDG_RUNTIME_DIR. Session.start_program() copies the program into a fresh folder
(it keeps KORVANI.INI and KORVANI.LOG beside its executable) and returns a Program to click, type
into and read back from.

Every process is started by this module, recorded by process id, and stopped by that id when the
session ends, when the interpreter exits, on SIGTERM/SIGHUP, and (through PR_SET_PDEATHSIG) even
when the test runner is killed outright. Displays and processes we did not start are never touched.

Only the Python standard library is used, plus these commands: Xvfb, openbox, tint2, xdotool,
xclip, xprop, xwininfo, xev, import (ImageMagick) and setpriv. libX11 is reached through ctypes for
the two things no command offers: selection owners and client messages to the window manager.

KORVX_KEEP=1 keeps each session's folder (logs, program folders); KORVX_TIMEOUT_SCALE=N stretches
every wait, for slow builds such as the sanitizer one.
"""

import atexit
import configparser
import ctypes
import ctypes.util
import glob
import os
import re
import resource
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

from korvlayout import Rect, control

WINDOW_TITLE = "Korvani v6"
WAYLAND_MODULE = "korvani-wayland.so"  # loaded from beside the program, or where installed
NOBODY = 65534
REQUIRED_TOOLS = ("Xvfb", "openbox", "tint2", "xdotool", "xclip", "xprop", "xwininfo", "xev", "import", "setpriv")

HERE = os.path.dirname(os.path.abspath(__file__))
OPENBOX_RC = os.path.join(HERE, "openbox-rc.xml")
TINT2_RC = os.path.join(HERE, "tint2rc")

# Window managers a Session can run, each as its Debian package starts it by default (openbox with
# the harness's own plain configuration); "bus": it reads its settings over a D-Bus session bus.
WINDOW_MANAGERS = {
    "openbox": {"cmd": ["openbox", "--config-file", OPENBOX_RC, "--sm-disable"]},
    "xfwm4": {"cmd": ["xfwm4"], "bus": True},
    "icewm": {"cmd": ["icewm"]},
    # Without a wallpaper setter, fluxbox's first start puts up a message box that takes the focus.
    "fluxbox": {"cmd": ["fluxbox"], "files": {".fluxbox/overlay": "background: none\n"}},
    "jwm": {"cmd": ["jwm"]},
    "metacity": {"cmd": ["metacity"], "bus": True},
    # KDE's, with its Breeze decoration (kwin-style-breeze) as a new user gets it. "compositor": it
    # composites once it has started, and tint2 restarts when a compositor comes, dropping the
    # icons it is embedding: it waits for the compositor.
    "kwin": {"cmd": ["kwin_x11"], "bus": True, "compositor": True},
}

# LXQt's panel with only its StatusNotifierItem host on it (it has no XEmbed tray), at the bottom.
LXQT_PANEL_CONF = """[General]
__userfile__=true
panels=panel1

[panel1]
plugins=statusnotifier
position=Bottom
alignment=-1
width=100
width-percent=true
panelSize=32
iconSize=22
hidable=false

[statusnotifier]
type=statusnotifier
alignment=Left
"""

# Passed through to everything we start; the rest of the caller's environment is left behind so that
# a developer's desktop session (DBUS, XAUTHORITY, QT_QPA_PLATFORM=offscreen ...) cannot leak in.
_PASSED_ENV = ("PATH", "LD_LIBRARY_PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "QT_LOGGING_RULES")


_TIMEOUT_SCALE = float(os.environ.get("KORVX_TIMEOUT_SCALE") or 1)

# What the sanitizers print when they find something; the sanitizer build halts on it.
SANITIZER_MARKERS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "ERROR: UndefinedBehaviorSanitizer",
                     "runtime error:")


def sanitizer_report(text):
    """The part of a program's output from the first sanitizer report on, or None."""
    starts = [text.find(marker) for marker in SANITIZER_MARKERS if marker in text]
    if not starts:
        return None
    begin = text.rfind("\n", 0, min(starts)) + 1
    return "\n".join(text[begin:].splitlines()[:80])


class HarnessError(RuntimeError):
    pass


def missing_tools():
    return [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]


def missing(what):
    """The exception for a test that cannot run without what: an error naming it, or a skip
    when a developer asks for one with KORV_ALLOW_SKIP=1."""
    if os.environ.get("KORV_ALLOW_SKIP") == "1":
        return unittest.SkipTest(f"needs {what} (KORV_ALLOW_SKIP=1)")
    return HarnessError(f"needs {what}: scripts/install-deps.sh installs it")


def wait_until(predicate, timeout=10.0, what="a condition", interval=0.02):
    """Poll predicate until it returns something truthy and return that; TimeoutError after timeout s."""
    timeout *= _TIMEOUT_SCALE
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"gave up after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)
        interval = min(interval * 1.5, 0.2)


# ---------------------------------------------------------------------------------------------
# Processes we started, by pid. Each leads its own process group, so the group id is ours as long
# as the leader has not been reaped; we only signal the group before reaping.

_live = {}
_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _die_with_parent(parent_pid, core=False):
    def hook():
        _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)
        if os.getppid() != parent_pid:  # the parent died before the prctl took hold
            os._exit(1)
        if core:
            hard = resource.getrlimit(resource.RLIMIT_CORE)[1]
            resource.setrlimit(resource.RLIMIT_CORE, (hard, hard))

    return hook


def _spawn(cmd, env, cwd, log_path, pass_fds=(), core=False):
    """Start cmd with its output in log_path; core=True lets it dump core where core_pattern says,
    when that is a file (a crash handler of the system's is not ours to feed)."""
    with open(log_path, "ab") as log:
        proc = subprocess.Popen(
            cmd,
            env=env,
            cwd=cwd,
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=subprocess.STDOUT,
            pass_fds=pass_fds,
            start_new_session=True,
            preexec_fn=_die_with_parent(os.getpid(), core and not _core_pattern().startswith("|")),
        )
    _live[proc.pid] = proc
    return proc


def _exited_unreaped(pid):
    try:
        info = os.waitid(os.P_PID, pid, os.WEXITED | os.WNOHANG | os.WNOWAIT)
    except ChildProcessError:
        return True
    return info is not None


def _stop(proc, grace=3.0):
    """Stop one process we started (and its process group), politely first."""
    if proc.returncode is None and not _exited_unreaped(proc.pid):
        try:
            os.killpg(proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline and not _exited_unreaped(proc.pid):
            time.sleep(0.01)
    return _reap(proc)


def _reap(proc):
    """Collect a process that has exited, killing what it left in its group first."""
    if proc.returncode is None:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
    _live.pop(proc.pid, None)
    return proc.returncode


def _core_pattern():
    try:
        with open("/proc/sys/kernel/core_pattern") as f:
            return f.read().strip()
    except OSError:
        return "core"


def _core_note(pid, exe, cwd):
    """Where the core dump of process pid went, or why there is none."""
    pattern = _core_pattern()
    if pattern.startswith("|"):
        return f"core dump: handed to {pattern[1:].split()[0]} (kernel.core_pattern)"
    specifiers = {"p": str(pid), "P": str(pid), "e": os.path.basename(exe)[:15], "%": "%"}
    path = re.sub(r"%(.)", lambda m: glob.escape(specifiers[m.group(1)]) if m.group(1) in specifiers else "*",
                  glob.escape(pattern))
    try:
        with open("/proc/sys/kernel/core_uses_pid") as f:
            if f.read().strip() == "1" and "%p" not in pattern:
                path += "." + str(pid)
    except OSError:
        pass
    path = os.path.join(cwd, path)
    found = glob.glob(path)
    if found:
        return "core dump: " + ", ".join(sorted(found))
    if resource.getrlimit(resource.RLIMIT_CORE)[1] == 0:
        return f"no core dump at {path}: the hard core size limit is 0"
    return (f"no core dump at {path} (the sanitizers turn core dumps off unless ASAN_OPTIONS has "
            "disable_coredump=0)")


def _stop_all():
    for proc in reversed(list(_live.values())):
        _stop(proc, grace=1.0)


def _exit_on_signal(signum, _frame):
    raise SystemExit(128 + signum)  # unwinds the context managers; atexit catches the rest


atexit.register(_stop_all)
for _sig in (signal.SIGTERM, signal.SIGHUP):
    try:
        if signal.getsignal(_sig) is signal.SIG_DFL:
            signal.signal(_sig, _exit_on_signal)
    except ValueError:  # imported outside the main thread: atexit and PDEATHSIG still hold
        pass


# ---------------------------------------------------------------------------------------------
# libX11 through ctypes, one short connection per call.


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


class _Xlib:
    def __init__(self):
        lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XGetSelectionOwner.restype = ctypes.c_ulong
        lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XQueryKeymap.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char)]
        self._lib = lib

    def _open(self, display):
        dpy = self._lib.XOpenDisplay(display.encode())
        if not dpy:
            raise HarnessError(f"cannot open display {display}")
        return dpy

    def selection_owner(self, display, selection):
        dpy = self._open(display)
        try:
            atom = self._lib.XInternAtom(dpy, selection.encode(), 0)
            return self._lib.XGetSelectionOwner(dpy, atom)
        finally:
            self._lib.XCloseDisplay(dpy)

    def keys_down(self, display):
        dpy = self._open(display)
        try:
            keys = (ctypes.c_char * 32)()
            self._lib.XQueryKeymap(dpy, keys)
            return [8 * i + bit for i, byte in enumerate(keys.raw) for bit in range(8) if byte & (1 << bit)]
        finally:
            self._lib.XCloseDisplay(dpy)

    def send_to_root(self, display, window, message_type, data):
        """The EWMH way to ask the window manager for something about a window."""
        dpy = self._open(display)
        try:
            ev = _XEvent()
            ev.xclient.type = 33  # ClientMessage
            ev.xclient.send_event = 1
            ev.xclient.window = window
            ev.xclient.message_type = self._lib.XInternAtom(dpy, message_type.encode(), 0)
            ev.xclient.format = 32
            for i, value in enumerate(data):
                ev.xclient.data[i] = value
            mask = (1 << 19) | (1 << 20)  # SubstructureNotify | SubstructureRedirect
            root = self._lib.XDefaultRootWindow(dpy)
            self._lib.XSendEvent(dpy, root, 0, mask, ctypes.byref(ev))
            self._lib.XFlush(dpy)
        finally:
            self._lib.XCloseDisplay(dpy)


_xlib = None


def _x():
    global _xlib
    if _xlib is None:
        _xlib = _Xlib()
    return _xlib


# ---------------------------------------------------------------------------------------------


def _private_dir(path, mode=0o700, uid=None):
    os.makedirs(path, exist_ok=True)
    os.chmod(path, mode)
    if uid is not None:
        os.chown(path, uid, uid)
    return path


def _ini_bytes(ini):
    """Raw text/bytes as given, or {section: {key: value}} written the way the program writes it."""
    if isinstance(ini, bytes):
        return ini
    if isinstance(ini, str):
        return ini.encode("latin-1")
    lines = []
    for section, values in ini.items():
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in values.items())
        lines.append("")
    return "\r\n".join(lines).encode("latin-1")


class _SessionBase:
    """What every kind of session shares: a private folder with HOME and XDG_RUNTIME_DIR, logs by
    name, a session bus on demand and the program copies. Use as a context manager; everything
    started inside is stopped on exit."""

    _prefix = "korvx"

    def __init__(self):
        self.root = None
        self.env = None
        self._bus = None
        self._programs = []
        self._counter = 0

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        tools = self.missing_tools()
        if tools:
            raise missing("these commands: " + ", ".join(tools))
        self.root = tempfile.mkdtemp(prefix=self._prefix + "-")
        os.chmod(self.root, 0o755)  # the unprivileged user must reach its program folder below
        self.home = _private_dir(os.path.join(self.root, "home"))
        self.runtime = _private_dir(os.path.join(self.root, "runtime"))
        try:
            self._start_services()
        except BaseException:
            self.stop()
            raise

    def stop(self):
        for program in reversed(self._programs):
            program.stop()
        # What a program that a signal ended left behind is kept, for the report to point at.
        crashed = [f"{os.path.basename(p.folder)} {p.ending().splitlines()[0]}"
                   for p in self.programs() if p.ended_by_signal()]
        self._programs.clear()
        self._stop_services()
        if self._bus is not None:
            _stop(self._bus)
            self._bus = None
        if self.root and os.path.isdir(self.root):
            if os.environ.get("KORVX_KEEP") or crashed:
                print(f"{self._prefix}: kept {self.root}" + "".join(f"; {c}" for c in crashed), file=sys.stderr)
            else:
                shutil.rmtree(self.root, ignore_errors=True)
        self.root = None

    def _log(self, name):
        return os.path.join(self.root, name + ".log")

    def read_log(self, name):
        try:
            with open(self._log(name), encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def start_bus(self):
        """A session bus of this session's own, started once; returns its address."""
        address = "unix:path=" + os.path.join(self.runtime, "bus")
        if self._bus is None:
            # At a fixed address: nothing to parse, and ours to stop by pid (with the services it
            # started, in its process group).
            self._bus = _spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=" + address],
                               self.env, self.home, self._log("dbus"))
            wait_until(lambda: os.path.exists(os.path.join(self.runtime, "bus")), 10, "the session bus")
        return address

    def start_program(self, binary, args=(), ini=None, unprivileged=False, writable=None, extra_env=None, start=True):
        """Copy binary into a fresh folder and start it there (start=False: only prepare); see Program."""
        self._counter += 1
        program = Program(self, binary, args, ini, unprivileged, writable, extra_env, self._counter)
        self._programs.append(program)
        if start:
            program.start()
        else:
            program.prepare()
        return program

    def programs(self):
        """The copies of the program started in this session, running or not."""
        return [p for p in self._programs if isinstance(p, Program)]


class Session(_SessionBase):
    """A private X display with a window manager (none when wm is None) and, optionally, a tray host."""

    def __init__(self, tray=True, screen="1280x800x24", wm="openbox"):
        super().__init__()
        self.want_tray = tray
        self.screen = screen
        self.wm = wm
        self.display = None
        self._xvfb = self._wm = self._tray = self._panel = None

    missing_tools = staticmethod(missing_tools)

    def _start_services(self):
        self._start_xvfb()
        self.env = self._child_env(self.home, self.runtime)
        self._start_wm()
        if self.want_tray:
            self.start_tray()

    def _stop_services(self):
        for attr in ("_panel", "_tray", "_wm", "_xvfb"):
            proc = getattr(self, attr)
            if proc is not None:
                _stop(proc)
                setattr(self, attr, None)

    def _start_wm(self):
        if self.wm is None:  # the X server alone, as a program started before any desktop meets it
            return
        manager = WINDOW_MANAGERS[self.wm]
        if shutil.which(manager["cmd"][0]) is None:
            raise missing(f"the window manager {manager['cmd'][0]}")
        if manager.get("bus"):
            self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_bus()
        for name, text in manager.get("files", {}).items():
            path = os.path.join(self.home, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        self._wm = _spawn(manager["cmd"], self.env, self.home, self._log(self.wm))
        wait_until(lambda: self._wm_ready(), 15, f"{self.wm} to manage the screen")

    def _wm_ready(self):
        if _exited_unreaped(self._wm.pid):
            raise HarnessError(f"{self.wm} exited: " + self.read_log(self.wm))
        check = re.search(r"0x[0-9a-fA-F]+", self.root_property("_NET_SUPPORTING_WM_CHECK") or "")
        if WINDOW_MANAGERS[self.wm].get("compositor") and not _x().selection_owner(self.display, "_NET_WM_CM_S0"):
            return False
        return bool(check) and self.root_property("_NET_SUPPORTED") is not None

    def set_layout(self, *layouts):
        """Keyboard layouts by setxkbmap's names; the first one becomes the active group."""
        self.run("setxkbmap", "-layout", ",".join(layouts))

    def keys_down(self):
        """Keycodes the server holds down (from any client or XTest)."""
        return _x().keys_down(self.display)

    def _start_xvfb(self):
        # -displayfd lets the server pick a display number nobody else holds and tell us which.
        rfd, wfd = os.pipe()
        try:
            self._xvfb = _spawn(
                ["Xvfb", "-displayfd", str(wfd), "-ac", "-screen", "0", self.screen, "-nolisten", "tcp", "-noreset"],
                {"PATH": os.environ.get("PATH", "/usr/bin:/bin")},
                self.root,
                self._log("xvfb"),
                pass_fds=(wfd,),
            )
            os.close(wfd)
            wfd = None
            text = b""
            deadline = time.monotonic() + 15
            while not text.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([rfd], [], [], remaining)[0]:
                    raise HarnessError("Xvfb did not report a display number")
                chunk = os.read(rfd, 64)
                if not chunk:
                    raise HarnessError("Xvfb exited: " + self.read_log("xvfb"))
                text += chunk
            self.display = ":" + text.decode().strip()
        finally:
            os.close(rfd)
            if wfd is not None:
                os.close(wfd)

    def _child_env(self, home, runtime):
        env = {key: os.environ[key] for key in _PASSED_ENV if key in os.environ}
        env.setdefault("PATH", "/usr/bin:/bin")
        env.update(
            DISPLAY=self.display,
            HOME=home,
            XDG_RUNTIME_DIR=runtime,
            XDG_CONFIG_HOME=os.path.join(home, ".config"),
            XDG_CACHE_HOME=os.path.join(home, ".cache"),
            LANG="C.UTF-8",
            LC_ALL="C.UTF-8",
            QT_QPA_PLATFORM="xcb",
            NO_AT_BRIDGE="1",
            # No bus unless a test starts one: otherwise D-Bus would autolaunch a daemon of its
            # own for the session, which nobody stops.
            DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(runtime, "no-bus"),
        )
        return env

    # -- tray host

    @property
    def tray_running(self):
        return self._tray is not None and self._tray.poll() is None

    def tray_owner(self):
        """Window owning the system tray selection, 0 if no tray host is running."""
        return _x().selection_owner(self.display, "_NET_SYSTEM_TRAY_S0")

    def start_tray(self, timeout=10):
        if self.tray_running:
            return
        self._tray = _spawn(["tint2", "-c", TINT2_RC], self.env, self.home, self._log("tint2"))
        wait_until(self.tray_owner, timeout, "tint2 to take the system tray")

    def stop_tray(self, timeout=10):
        if self._tray is not None:
            _stop(self._tray)
            self._tray = None
        wait_until(lambda: not self.tray_owner(), timeout, "the system tray to be released")

    # -- StatusNotifier host (lxqt-panel)

    def start_panel(self, timeout=20):
        """lxqt-panel on this session's bus; returns when its notification area has a host."""
        if self._panel is not None:
            return
        missing = [tool for tool in ("lxqt-panel", "dbus-send", "dbus-daemon") if shutil.which(tool) is None]
        if missing:
            raise HarnessError("not installed (scripts/install-deps.sh): " + ", ".join(missing))
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.start_bus()
        conf = os.path.join(self.home, ".config", "lxqt", "panel.conf")
        os.makedirs(os.path.dirname(conf), exist_ok=True)
        with open(conf, "w", encoding="utf-8") as f:
            f.write(LXQT_PANEL_CONF)
        self._panel = _spawn(["lxqt-panel", "--config", conf], self.env, self.home, self._log("lxqt-panel"))
        wait_until(self._panel_ready, timeout, "lxqt-panel to host status notifier items")

    def _panel_ready(self):
        if _exited_unreaped(self._panel.pid):
            raise HarnessError("lxqt-panel exited: " + self.read_log("lxqt-panel"))
        return self.panel_window() and self._watcher_property("IsStatusNotifierHostRegistered") == "true"

    def stop_panel(self, timeout=10):
        if self._panel is not None:
            _stop(self._panel)
            self._panel = None
        wait_until(lambda: self._watcher_property("IsStatusNotifierHostRegistered") is None, timeout,
                   "the StatusNotifierWatcher to go")

    def panel_window(self):
        windows = self.search(classname="^lxqt-panel$")
        return windows[0] if windows else None

    def _watcher_property(self, name):
        result = self.run("dbus-send", "--session", "--print-reply=literal", "--dest=org.kde.StatusNotifierWatcher",
                          "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
                          "string:org.kde.StatusNotifierWatcher", f"string:{name}", check=False)
        return result.stdout.decode().split()[-1] if result.returncode == 0 else None

    def panel_icon(self):
        """The box of what the panel draws on its background (its only plugin holds only icons), once
        it holds still; None while there is nothing."""
        boxes = [self._panel_drawing(), self._panel_drawing()]
        while boxes[-1] != boxes[-2]:
            time.sleep(0.1)
            boxes.append(self._panel_drawing())
        return boxes[-1]

    def _panel_drawing(self):
        panel = self.panel_window()
        if panel is None:
            return None
        rect = self.geometry(panel)
        pixels = self.run("import", "-window", "root", "-crop", f"{rect.w}x{rect.h}+{rect.x}+{rect.y}", "+repage",
                          "-depth", "8", "rgb:-", timeout=30).stdout
        xs, ys = [], []
        for y in range(rect.h):
            row = pixels[y * rect.w * 3:(y + 1) * rect.w * 3]
            background = row[-3:]  # the right end stays empty
            for x in range(rect.w):
                if row[x * 3:x * 3 + 3] != background:
                    xs.append(x)
                    ys.append(y)
        if len(xs) < 16:
            return None
        return Rect(rect.x + min(xs), rect.y + min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)

    # -- running commands on the display

    def run(self, *cmd, timeout=10, check=True, input=None, env=None):
        result = subprocess.run(
            cmd,
            env=env or self.env,
            input=input,
            capture_output=True,
            timeout=timeout,
            cwd=self.home,
        )
        if check and result.returncode != 0:
            raise HarnessError(f"{' '.join(cmd)} failed ({result.returncode}): {result.stderr.decode(errors='replace')}")
        return result

    def xdotool(self, *args, timeout=10):
        return self.run("xdotool", *map(str, args), timeout=timeout).stdout.decode()

    def search(self, name=None, pid=None, classname=None, visible=True):
        """Window ids matching all given criteria (name and classname are regular expressions)."""
        args = ["search", "--all"]
        if visible:
            args.append("--onlyvisible")
        if pid is not None:
            args += ["--pid", str(pid)]
        if name is not None:
            args += ["--name", name]
        if classname is not None:
            args += ["--classname", classname]
        result = self.run("xdotool", *args, check=False)
        return [int(line) for line in result.stdout.split()]

    def geometry(self, window):
        """Root-relative rectangle of a window's own area (for a managed client: without the frame)."""
        out = self.run("xwininfo", "-id", str(window)).stdout.decode()

        def field(label):
            return int(re.search(rf"{label}:\s+(-?\d+)", out).group(1))

        return Rect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))

    def is_viewable(self, window):
        result = self.run("xwininfo", "-id", str(window), check=False)
        return result.returncode == 0 and b"IsViewable" in result.stdout

    def property(self, window, name):
        """A window property as xprop prints its value, or None if it is not set."""
        result = self.run("xprop", "-id", str(window), name, check=False)
        return self._prop_value(result)

    def root_property(self, name):
        return self._prop_value(self.run("xprop", "-root", name, check=False))

    @staticmethod
    def _prop_value(result):
        # "NAME(TYPE) = value", "NAME(WINDOW): window id # 0x..." or "NAME:  not found."
        text = result.stdout.decode(errors="replace").strip()
        match = re.match(r"[^\s(:=]+(\([^)]*\))?\s*(=|:)\s*(.*)", text, re.S)
        if result.returncode != 0 or not match or not match.group(1):
            return None
        return match.group(3).strip()

    def frame_extents(self, window):
        """(left, right, top, bottom) border widths the window manager put around a client."""
        value = self.property(window, "_NET_FRAME_EXTENTS")
        return tuple(int(v) for v in value.split(",")) if value else (0, 0, 0, 0)

    def active_window(self):
        value = self.root_property("_NET_ACTIVE_WINDOW")
        match = re.search(r"0x[0-9a-fA-F]+", value or "")
        window = int(match.group(0), 16) if match else 0
        return window or None

    def activate(self, window, timeout=5):
        self.xdotool("windowactivate", window)
        wait_until(lambda: self.active_window() == window, timeout, f"window {window:#x} to become active")

    def close_window(self, window):
        """Ask the window manager to close a window, as the close box does."""
        _x().send_to_root(self.display, window, "_NET_CLOSE_WINDOW", [0, 2])

    # -- pointer and keyboard (XTest, as a user's own devices would)

    def pointer(self):
        out = self.xdotool("getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"])

    def move_pointer(self, x, y, timeout=5):
        # No --sync: it blocks for seconds when the pointer is already there.
        self.xdotool("mousemove", x, y)
        wait_until(lambda: self.pointer() == (x, y), timeout, f"the pointer to reach {x},{y}")

    def click(self, x, y, button=1, repeat=1):
        self.move_pointer(x, y)
        self.xdotool("click", "--repeat", repeat, button)

    def park_pointer(self):
        """Move the pointer onto the bare desktop, away from every window and the tray."""
        width, height = (int(v) for v in self.screen.split("x")[:2])
        self.move_pointer(width // 2, height // 3 * 2 + 40)

    def key(self, *keys, delay_ms=12):
        """Key chords in xdotool names, e.g. key("ctrl+a", "ctrl+c"), to the focused window."""
        self.xdotool("key", "--delay", delay_ms, *keys)

    def type_text(self, text, delay_ms=12):
        self.xdotool("type", "--delay", delay_ms, "--", text)

    # -- clipboard

    def clipboard_owner(self, selection="CLIPBOARD"):
        return _x().selection_owner(self.display, selection)

    def clipboard(self, target="UTF8_STRING", selection="clipboard", timeout=5):
        """The selection's contents for one target as bytes, or None if nobody offers it."""
        result = self.run("xclip", "-selection", selection, "-o", "-t", target, timeout=timeout, check=False)
        return result.stdout if result.returncode == 0 else None

    def clipboard_text(self, selection="clipboard"):
        data = self.clipboard("UTF8_STRING", selection)
        return None if data is None else data.decode("utf-8")

    def clipboard_targets(self, selection="clipboard"):
        data = self.clipboard("TARGETS", selection)
        return [] if data is None else data.decode().split()

    def clipboard_stamp(self):
        """Owner and ownership time of the clipboard: changes with every new copy, even of the same text."""
        owner = self.clipboard_owner()
        return (owner, self.clipboard("TIMESTAMP") if owner else None)

    # -- pictures

    def screenshot(self, path, rect=None):
        """PNG of the whole screen, or of rect (root coordinates) only."""
        cmd = ["import", "-window", "root"]
        if rect is not None:
            cmd += ["-crop", f"{rect.w}x{rect.h}+{rect.x}+{rect.y}", "+repage"]
        self.run(*cmd, path, timeout=30)
        return path

    def screen_bytes(self, rect):
        """Raw pixels of a screen area, for comparing one moment with the next."""
        return self.run(
            "import", "-window", "root", "-crop", f"{rect.w}x{rect.h}+{rect.x}+{rect.y}", "+repage", "rgb:-",
            timeout=30,
        ).stdout

    def wait_still(self, rect, timeout=5, interval=0.15):
        """Wait until an area shows the same pixels twice in a row (a blinking caret may need a few tries)."""
        last = [None]

        def settled():
            now = self.screen_bytes(rect)
            same = now == last[0]
            last[0] = now
            return same

        wait_until(settled, timeout, "the window to stop changing", interval)

    # -- other applications

    def start_witness(self, title="witness", geometry="300x120+40+40", timeout=10):
        """Another application's window that records the keys reaching it; it becomes the active window."""
        self._counter += 1
        witness = Witness(self, f"{title}-{self._counter}", geometry, self._log(f"witness-{self._counter}"))
        self._programs.append(witness)
        witness.wait_active(timeout)
        return witness

    def start_text_field(self, binary, title="field", timeout=10):
        """Another application with a real text field (tests/e2e/tools/textfield, or gtkfield.py for
        GTK); it becomes active."""
        self._counter += 1
        field = TextField(self, binary, f"{title}-{self._counter}", self._log(f"field-{self._counter}"))
        self._programs.append(field)
        field.wait_active(timeout)
        return field

    def tray_icons(self, pid=None, classname=None):
        """Visible tray icon windows (small embedded windows) of a process or window class."""
        return [w for w in self.search(pid=pid, classname=classname) if _is_small(self.geometry(w))]

    def parent(self, window):
        out = self.run("xwininfo", "-children", "-id", str(window)).stdout.decode()
        return int(re.search(r"Parent window id: (0x[0-9a-fA-F]+)", out).group(1), 16)

    def root_window(self):
        out = self.run("xwininfo", "-root").stdout.decode()
        return int(re.search(r"Window id: (0x[0-9a-fA-F]+)", out).group(1), 16)

    def embedded_tray_icon(self, pid=None, classname=None, timeout=10, alive=None):
        """The one tray icon of a process or window class once the tray host has embedded it and
        laid it out: until then it may sit on the root window, or move, and a click there is lost.
        alive, if given, is called on each poll to fail early when the program has gone."""
        root = self.root_window()
        last = {}

        def settled():
            if alive is not None:
                alive()
            icons = [w for w in self.tray_icons(pid=pid, classname=classname) if self.parent(w) != root]
            if len(icons) != 1:
                return None
            rect = self.geometry(icons[0])
            seen, last[icons[0]] = last.get(icons[0]), rect
            return icons[0] if seen == rect else None

        return wait_until(settled, timeout, "the tray icon to be embedded")


def _keep_gl_driver(env):
    """Under the sanitizers, a native Wayland program starts with Mesa's driver loaded.

    Qt's Wayland platform starts EGL, and Mesa's driver, on an AMD Zen processor, keeps the cache
    layout it reads in a block it never frees. The driver is unloaded at exit, before the leak
    check, which then finds the block with nothing pointing to it, from frames it cannot name, so
    no suppression can match it. A library loaded at start stays to the end, and so do its globals.
    """
    native = env.get("QT_QPA_PLATFORM") == "wayland" or (
        "QT_QPA_PLATFORM" not in env and "WAYLAND_DISPLAY" in env and "DISPLAY" not in env)
    drivers = glob.glob("/usr/lib/*/dri/swrast_dri.so")
    if "ASAN_OPTIONS" in env and native and drivers:
        env["LD_PRELOAD"] = " ".join(filter(None, (env.get("LD_PRELOAD"), drivers[0])))


class Program:
    """One copy of the program in its own folder, started on a Session's display.

    ini: pre-written KORVANI.INI, raw str/bytes or {section: {key: value}}.
    unprivileged: run as uid/gid 65534. Its folder then belongs to root and is not writable by it,
    unless writable=True. As root the folder is always writable (root ignores permissions).
    The program's working directory is a different folder on purpose: its files belong beside the
    executable, wherever it is started from.
    """

    def __init__(self, session, binary, args, ini, unprivileged, writable, extra_env, number):
        self.session = session
        self.binary = os.path.abspath(binary)
        self.args = list(args)
        self.unprivileged = unprivileged
        self.writable = (not unprivileged) if writable is None else writable
        self.folder = os.path.join(session.root, f"program-{number}")
        self.exe = os.path.join(self.folder, os.path.basename(binary))
        self.ini_path = os.path.join(self.folder, "KORVANI.INI")
        self.log_path = os.path.join(self.folder, "KORVANI.LOG")
        self.output_path = os.path.join(session.root, f"program-{number}.out")
        self.home = os.path.join(session.root, f"home-{number}")  # HOME of an unprivileged run
        self.proc = None
        self.env = None
        self.cwd = None
        self._window = None
        self._ini = ini
        self._extra_env = extra_env or {}
        self._number = number
        self._prepared = False
        self.groups = ()  # supplementary group ids of an unprivileged run (set before start)

    @property
    def pid(self):
        return self.proc.pid

    def prepare(self):
        """Lay out the program folder without starting; tests may then change files or permissions."""
        if self._prepared:
            return
        if not os.access(self.binary, os.X_OK):
            raise HarnessError(f"program not found or not executable: {self.binary}")
        os.makedirs(self.folder)
        shutil.copy2(self.binary, self.exe)
        # The program's Wayland module goes where the program looks for it first: beside it.
        module = os.path.join(os.path.dirname(self.binary), WAYLAND_MODULE)
        if os.path.exists(module):
            shutil.copy2(module, self.folder)
        if self._ini is not None:
            with open(self.ini_path, "wb") as f:
                f.write(_ini_bytes(self._ini))
        if self.unprivileged:
            os.chmod(self.folder, 0o755)
            os.chmod(self.exe, 0o755)
            if os.path.exists(self.ini_path):
                os.chmod(self.ini_path, 0o644)
            if self.writable:
                for path in (self.folder, self.ini_path):
                    if os.path.exists(path):
                        os.chown(path, NOBODY, NOBODY)
        self._prepared = True

    def start(self):
        self.prepare()
        s = self.session
        if self.unprivileged:
            home = _private_dir(self.home, 0o700, NOBODY)
            runtime = _private_dir(os.path.join(s.root, f"runtime-{self._number}"), 0o700, NOBODY)
            env = s._child_env(home, runtime)
            groups = f"--groups={','.join(map(str, self.groups))}" if self.groups else "--clear-groups"
            cmd = ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", groups, "--pdeathsig", "KILL"]
            cmd += [self.exe, *self.args]
            cwd = home
        else:
            env, cmd, cwd = dict(s.env), [self.exe, *self.args], s.home
        env.update(self._extra_env)
        _keep_gl_driver(env)
        self._window = None
        self.env, self.cwd = env, cwd
        self.proc = _spawn(cmd, env, cwd, self.output_path, core=True)
        return self

    # -- state

    def running(self):
        # Not poll(): reaping the leader would give up its process group before we could clean it.
        return self.proc is not None and self.proc.returncode is None and not _exited_unreaped(self.pid)

    @property
    def returncode(self):
        return None if self.running() else _reap(self.proc)

    def output(self):
        """What the program printed on stdout and stderr so far."""
        try:
            with open(self.output_path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def _require_running(self, what):
        if not self.running():
            raise HarnessError(f"program exited ({self.returncode}) while waiting for {what}:\n{self.output()}")

    def find_windows(self, name=WINDOW_TITLE):
        """Visible windows of this process with exactly this title."""
        windows = self.session.search(name=f"^{_ere_literal(name)}$", pid=self.pid)
        found = []
        for window in windows:
            try:
                rect = self.session.geometry(window)
            except HarnessError:
                if self.session.run("xwininfo", "-id", str(window), check=False).returncode == 0:
                    raise  # still there: the failure was something else
                continue  # closed between the search and the look: as good as not found
            if not _is_small(rect):
                found.append(window)
        return found

    def window(self, timeout=10):
        """The visible main window; waits for it to appear."""
        if self._window is not None and self.session.is_viewable(self._window):
            return self._window

        def found():
            self._require_running("its window")
            windows = self.find_windows()
            return windows[0] if windows else None

        self._window = wait_until(found, timeout, "the program's window")
        return self._window

    def wait_hidden(self, timeout=10):
        wait_until(lambda: not self.find_windows(), timeout, "the program's window to disappear")

    def wait_active(self, timeout=10):
        window = self.window(timeout)
        wait_until(lambda: self.session.active_window() == window, timeout, "the program's window to be active")
        return window

    def client_rect(self):
        return self.session.geometry(self.window())

    def frame_rect(self):
        rect = self.client_rect()
        left, right, top, bottom = self.session.frame_extents(self.window())
        return Rect(rect.x - left, rect.y - top, rect.w + left + right, rect.h + top + bottom)

    def ini_text(self):
        return _read_latin1(self.ini_path)

    def log_text(self):
        return _read_latin1(self.log_path)

    def ini(self):
        """KORVANI.INI parsed, keys case-sensitive; empty if the file is missing."""
        parser = configparser.ConfigParser(interpolation=None, strict=False)
        parser.optionxform = str
        text = self.ini_text()
        if text:
            parser.read_string(text)
        return parser

    # -- acting on the window

    def to_root(self, x, y):
        rect = self.client_rect()
        return rect.x + x, rect.y + y

    def click(self, x, y, button=1, repeat=1):
        """Click at client coordinates."""
        self.session.click(*self.to_root(x, y), button=button, repeat=repeat)

    def click_control(self, name, button=1):
        """Click the centre of a named control or symbol button."""
        self.click(*control(name).centre, button=button)

    def hover(self, x, y):
        self.session.move_pointer(*self.to_root(x, y))

    def key(self, *keys):
        self.session.key(*keys)

    def copy_line(self, timeout=5):
        """Select all and copy in the focused control (the composition line); returns the copied text.

        Waits for a new clipboard ownership, so an earlier copy of the same text cannot pass for this one.
        """
        s = self.session
        before = s.clipboard_stamp()
        s.key("ctrl+a", "ctrl+c")
        wait_until(lambda: s.clipboard_stamp() != before, timeout, "the copy to reach the clipboard")
        text = s.clipboard_text()
        if text is None:
            raise HarnessError("clipboard offers no UTF8_STRING; targets: " + " ".join(s.clipboard_targets()))
        return text

    def screenshot(self, path, frame=True):
        """PNG of the window (with the window manager's frame by default), nothing hovered."""
        s = self.session
        rect = self.frame_rect() if frame else self.client_rect()
        s.park_pointer()
        s.wait_still(rect)
        return s.screenshot(path, rect)

    # -- ending

    def close(self, timeout=10):
        """Close the main window the way the close box does and wait for the program to end."""
        self.session.close_window(self.window())
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=10):
        """Wait for the program to end by itself; its exit status (negative: killed by that signal)."""
        wait_until(lambda: not self.running(), timeout, "the program to exit")
        return _reap(self.proc)

    def sanitizer_logs(self):
        """The files the sanitizers wrote their reports to instead of the output (log_path=)."""
        found = set()
        for variable in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            given = re.search(r"(?:^|:)log_path=([^:]+)", (self.env or {}).get(variable, ""))
            if given and given.group(1) not in ("stdout", "stderr") and self.proc is not None:
                base = os.path.join(self.cwd, given.group(1))  # the sanitizers add .<pid>
                found.update(glob.glob(glob.escape(f"{base}.{self.pid}") + "*"))
        return sorted(found)

    def _sanitizer_text(self):
        text = self.output()
        for path in self.sanitizer_logs():
            with open(path, encoding="utf-8", errors="replace") as f:
                text += f"\n--- {path} ---\n" + f.read()
        return text

    def sanitizer_report(self):
        """What a sanitizer reported in the program's output (kept in output_path) or in its
        sanitizer logs, or None."""
        return sanitizer_report(self._sanitizer_text())

    def ended_by_signal(self):
        """Whether a signal other than the session's SIGTERM ended the program."""
        code = None if self.proc is None else self.returncode
        return code is not None and code < 0 and code != -signal.SIGTERM

    def ending(self):
        """How the program ended; when a signal ended it, all it left to tell why: its output,
        its sanitizer logs and its core dump, if any."""
        code = None if self.proc is None else self.returncode
        if code is None:
            return "not ended"
        if code >= 0:
            return f"exited with status {code}"
        try:
            name = signal.Signals(-code).name
        except ValueError:
            name = f"signal {-code}"
        return "\n".join([f"ended by {name} (pid {self.pid})", f"--- its output ({self.output_path}) ---",
                          self._sanitizer_text().strip() or "(nothing)", "---",
                          _core_note(self.pid, self.exe, self.cwd)])

    def stop(self):
        """End the program as the session does (SIGTERM); it closes as its window would."""
        if self.proc is not None:
            # The sanitizer build checks for leaks on the way out, which takes a while.
            return _stop(self.proc, grace=5.0 * _TIMEOUT_SCALE)
        return None


class Witness:
    """An xev window standing in for the application the user worked in before (paste target)."""

    _EVENT = re.compile(r"(KeyPress|KeyRelease) event.*?state (0x[0-9a-f]+), keycode \d+ \(keysym 0x[0-9a-f]+, (\S+)\)", re.S)

    def __init__(self, session, title, geometry, log_path):
        self.session = session
        self.title = title
        self.log_path = log_path
        self.proc = _spawn(
            ["xev", "-name", title, "-geometry", geometry, "-event", "keyboard"], session.env, session.home, log_path
        )
        self.window = None

    def wait_active(self, timeout=10):
        s = self.session

        def found():
            windows = s.search(name=f"^{_ere_literal(self.title)}$")
            return windows[0] if windows else None

        self.window = wait_until(found, timeout, f"window {self.title}")
        wait_until(lambda: s.active_window() == self.window, timeout, f"window {self.title} to be active")

    def keys(self):
        """Key events received so far: [("press" | "release", keysym name, modifier state), ...]."""
        with open(self.log_path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        return [
            ("press" if kind == "KeyPress" else "release", keysym, int(state, 16))
            for kind, state, keysym in self._EVENT.findall(text)
        ]

    def stop(self):
        _stop(self.proc)


class TextField:
    """A one-line text field application standing in for the paste target; follows its text from its output."""

    def __init__(self, session, binary, title, log_path, env=None):
        self.session = session
        self.title = title
        self.log_path = log_path
        self.proc = _spawn([binary, title], env or session.env, session.home, log_path)
        self.window = None

    def wait_active(self, timeout=10):
        s = self.session

        def found():
            windows = s.search(name=f"^{_ere_literal(self.title)}$", pid=self.proc.pid)
            return windows[0] if windows else None

        self.window = wait_until(found, timeout, f"window {self.title}")
        wait_until(lambda: s.active_window() == self.window, timeout, f"window {self.title} to be active")

    def text(self):
        """The field's text as last reported; None before the first report."""
        report = self._last_report()
        return None if report is None else report[0]

    def active(self):
        """Whether the field's window last reported that it has the keyboard."""
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                states = [line.strip() for line in f if line.startswith("active ")]
        except FileNotFoundError:
            return False
        return bool(states) and states[-1] == "active 1"

    def control_releases(self):
        """How many times the field saw Ctrl released (fields that report it)."""
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return sum(1 for line in f if line.startswith("release control"))
        except FileNotFoundError:
            return 0

    def changed_at(self):
        """When the text last changed, in time.monotonic() seconds; None before the first report."""
        report = self._last_report()
        return None if report is None else report[1]

    def _last_report(self):
        # "text <hex of the UTF-8> <monotonic ns>"; the hex is empty for an empty field.
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                lines = [line.rstrip("\n").split(" ") for line in f if line.startswith("text ")]
        except FileNotFoundError:
            return None
        if not lines or len(lines[-1]) < 3:
            return None
        _, hex_text, stamp = lines[-1][:3]
        return bytes.fromhex(hex_text).decode("utf-8"), int(stamp) / 1e9

    def stop(self):
        _stop(self.proc)


def _is_small(rect):
    return 0 < rect.w <= 48 and 0 < rect.h <= 48


def _ere_literal(text):
    """A POSIX extended regular expression matching text literally (xdotool's --name, --classname)."""
    return re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", text)


def _read_latin1(path):
    try:
        with open(path, "rb") as f:
            return f.read().decode("latin-1")
    except FileNotFoundError:
        return None


def program_binary(variable="KORVANI_BIN"):
    """The program under test, or a test tool, from the environment variable naming its path."""
    path = os.environ.get(variable)
    if not path:
        raise HarnessError(f"set {variable} to the built executable's path")
    return path
