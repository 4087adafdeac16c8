# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints, as JSON, the accessibility tree (AT-SPI) of the application with process id PID.

Run in the environment of the session it reads (DBUS_SESSION_BUS_ADDRESS, DISPLAY), in a process
of its own: the AT-SPI client library keeps its bus connection for the life of its process.
Each node: {"role": ..., "name": ..., "description": ..., "states": [...], "children": [...]}.

usage: atspitree.py PID [TIMEOUT_SECONDS]
"""

import json
import sys
import time

import pyatspi


def node(accessible):
    states = accessible.getState().getStates()
    children = (accessible.getChildAtIndex(i) for i in range(accessible.childCount))
    return {
        "role": accessible.getRoleName(),
        "name": accessible.name,
        "description": accessible.description,
        "states": sorted(pyatspi.stateToString(state) for state in states),
        "children": [node(child) for child in children if child is not None],
    }


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid and app.childCount > 0:
            return app
    return None


def main():
    pid = int(sys.argv[1])
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) > 2 else 10)
    # The program registers with the desktop some time after its window is up.
    while (app := application(pid)) is None:
        if time.monotonic() > deadline:
            sys.exit(f"no accessible application with process id {pid}")
        time.sleep(0.1)
    json.dump(node(app), sys.stdout)


if __name__ == "__main__":
    main()
