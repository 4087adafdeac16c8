# SPDX-License-Identifier: GPL-3.0-or-later
"""Without a mouse: what a screen reader finds of the window (AT-SPI), and the keys for the chart
and for Paste, on a private session bus of the test's own."""

import json
import os
import sys

from korvx import HERE, wait_until
from korvtest import ProgramTestCase
from test_autopaste import SHI_LONG, SHI_LONG_BUTTONS, text_field_binary

TOOLTIP = "Korvani by the Korvani developers"


def walk(tree, path=()):
    """Every node with the roles and names of the nodes above it."""
    yield tree, path
    for child in tree["children"]:
        yield from walk(child, path + ((tree["role"], tree["name"]),))


class KeyboardTest(ProgramTestCase):
    def setUp(self):
        super().setUp()
        # The accessibility bus starts on the session bus on demand, and stops with it.
        self.bus_env = {"DBUS_SESSION_BUS_ADDRESS": self.session.start_bus(), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def tree(self, program):
        env = dict(self.session.env, **self.bus_env)
        tool = os.path.join(HERE, "atspitree.py")
        result = self.session.run(sys.executable, tool, str(program.pid), timeout=30, env=env)
        return json.loads(result.stdout)

    def selected_tabs(self, program):
        return [n["name"] for n, _ in walk(self.tree(program)) if n["role"] == "page tab" and "selected" in n["states"]]

    def test_screen_reader_tree_and_the_keys_for_chart_and_paste(self):
        s = self.session
        field = s.start_text_field(text_field_binary())
        program = self.start(ini={"Korvani": {"AutoPaste": "1"}}, extra_env=self.bus_env)
        program.wait_active()

        nodes = list(walk(self.tree(program)))
        named = [(n["role"], n["name"]) for n, _ in nodes]
        # The one text field a user sees is the line; the staging edits of Copy are not listed.
        self.assertEqual([name for role, name in named if role == "text"], ["Transcription"])
        self.assertIn(("combo box", "Point size"), named)
        tab_lists = [n for n, _ in nodes if n["role"] == "page tab list"]
        self.assertEqual(len(tab_lists), 1)
        self.assertEqual([(c["role"], c["name"]) for c in tab_lists[0]["children"]],
                         [("page tab", "Standard"), ("page tab", "Additional"), ("page tab", "All"),
                          ("page tab", "Mine")])
        # Not shown, yet listed, may only be the chart page behind the other tab and the size list.
        for n, path in nodes:
            if "showing" not in n["states"] and ("combo box", "Point size") not in path:
                self.assertIn(n["role"], ("push button", "frame"), (n, path))
        # Tray hosts name the icon after its window.
        icon = wait_until(lambda: s.tray_icons(pid=program.pid), 10, "the tray icon")[0]
        self.assertEqual(s.property(icon, "_NET_WM_NAME"), f'"{TOOLTIP}"')

        for name in SHI_LONG_BUTTONS:
            program.click_control(name)
        for key, tab in (("ctrl+Next", "Additional"), ("ctrl+Prior", "Standard")):
            program.key(key)
            wait_until(lambda: self.selected_tabs(program) == [tab], 10, f"{key} to select {tab}")

        program.key("ctrl+Return")
        wait_until(lambda: field.text() == SHI_LONG, 5, "the paste to reach the field")
        self.assertEqual(s.active_window(), field.window)
        s.activate(program.window())
        program.key("ctrl+KP_Enter")
        wait_until(lambda: field.text() == SHI_LONG * 2, 5, "the second paste to reach the field")


if __name__ == "__main__":
    import unittest

    unittest.main()
