# SPDX-License-Identifier: GPL-3.0-or-later
"""Paste on KDE Plasma under Wayland: KWin 5.27 headless with KDE's portal, the same ten pastes into
each field as on GNOME (test_autopaste_wayland.py), the user's keys through KWin's fake input.

Run by `make test`, and by hand:

    KORVANI_BIN=... KORV_TEXTFIELD_BIN=... KORV_STATUSNOTIFIER_BIN=... KORV_KWINKEYS_BIN=... \
        python3 -m unittest -v test_autopaste_kde
"""

import unittest

from test_autopaste_wayland import DesktopPasteTest


class KdePasteTest(DesktopPasteTest, unittest.TestCase):
    compositor = "kwin"
    # The program's X11 window, as it starts on KDE, which the test can bring back as a click
    # would: the test's Alt+Tab through KWin's fake input is lost at times.
    kinds = ("x11",)


if __name__ == "__main__":
    unittest.main()
