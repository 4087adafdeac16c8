#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The user's own keyboard in a headless GNOME or KDE session: keys sent through the compositor, as
if typed, one command a line on standard input, "ok" or "error ..." on standard output:

    keys SYM:1 SYM:0 ...      key symbols (hexadecimal) pressed (1) or released (0), in order

usage: userkeys.py mutter|portal
  mutter: through mutter's own remote desktop service (no dialog: it is the session's)
  portal: through the desktop portal, for a desktop whose portal asks no question (KDE's here)
"""

import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
REMOTE_DESKTOP = "org.freedesktop.portal.RemoteDesktop"


class Mutter:
    def __init__(self, bus):
        self.bus = bus
        reply = bus.call_sync("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                              "org.gnome.Mutter.RemoteDesktop", "CreateSession", None, None, 0, 10000, None)
        self.session = reply.unpack()[0]
        self.call("Start", None)

    def call(self, method, args):
        self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", self.session, "org.gnome.Mutter.RemoteDesktop.Session",
                           method, args, None, 0, 10000, None)

    def key(self, sym, pressed):
        self.call("NotifyKeyboardKeysym", GLib.Variant("(ub)", (sym, pressed)))


class Portal:
    def __init__(self, bus):
        self.bus = bus
        self.loop = GLib.MainLoop()
        self.sender = bus.get_unique_name()[1:].replace(".", "_")
        self.count = 0
        results = self.request("CreateSession", (), {"session_handle_token": GLib.Variant("s", "userkeys")})
        self.session = results["session_handle"]
        self.request("SelectDevices", (self.session,), {"types": GLib.Variant("u", 1)}, "(oa{sv})")
        results = self.request("Start", (self.session, ""), {}, "(osa{sv})")
        if not results.get("devices", 0) & 1:
            raise RuntimeError("no keyboard in the portal's session")

    def request(self, method, args, options, signature="(a{sv})"):
        self.count += 1
        token = f"userkeys{self.count}"
        path = f"{PORTAL_PATH}/request/{self.sender}/{token}"
        answer = {}

        def heard(_bus, _sender, _path, _interface, _signal, params, _data):
            answer["response"] = params.unpack()
            self.loop.quit()

        subscription = self.bus.signal_subscribe(PORTAL, "org.freedesktop.portal.Request", "Response", path, None, 0,
                                                 heard, None)
        options = dict(options, handle_token=GLib.Variant("s", token))
        self.bus.call_sync(PORTAL, PORTAL_PATH, REMOTE_DESKTOP, method, GLib.Variant(signature, (*args, options)),
                           None, 0, 10000, None)
        GLib.timeout_add_seconds(20, self.loop.quit)
        self.loop.run()
        self.bus.signal_unsubscribe(subscription)
        if answer.get("response", (None,))[0] != 0:
            raise RuntimeError(f"{method} answered {answer.get('response')}")
        return answer["response"][1]

    def key(self, sym, pressed):
        self.bus.call_sync(PORTAL, PORTAL_PATH, REMOTE_DESKTOP, "NotifyKeyboardKeysym",
                           GLib.Variant("(oa{sv}iu)", (self.session, {}, sym, 1 if pressed else 0)),
                           None, 0, 10000, None)


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    keyboard = {"mutter": Mutter, "portal": Portal}[sys.argv[1]](bus)
    print("ready", flush=True)
    for line in sys.stdin:
        words = line.split()
        try:
            if words and words[0] == "keys":
                for word in words[1:]:
                    sym, state = word.split(":")
                    keyboard.key(int(sym, 16), state == "1")
            print("ok", flush=True)
        except Exception as error:  # told to the test, which fails with it
            print(f"error {error}".replace("\n", " "), flush=True)


if __name__ == "__main__":
    main()
