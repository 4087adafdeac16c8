# SPDX-License-Identifier: GPL-3.0-or-later
"""Paste on KDE Plasma under Wayland: KWin 5.27 headless with KDE's portal, the same ten pastes into
each field as on GNOME (test_autopaste_wayland.py), the user's keys through KWin's fake input.

Not part of `make test`: here KWin at times loses the program's Alt+Tab sent through the portal
right after the user brought the program to the front (the program then sends nothing more and
shows its notice, as it must), so the run is not yet steady. Run by hand and by bench/autopaste.py:

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
