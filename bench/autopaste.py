#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Click to text: how long a click on Paste takes to put the transcription into the window used
before, under each common window manager (default configurations), into a Qt field and a GTK entry,
in a Latin (us) and a Cyrillic (ru,us) layout.

Times run from the synthesised button click to the target's own report of its changed text (both on
the monotonic clock). Uses the end-to-end harness and its desktops test (tests/e2e/).

    bench/autopaste.py --build build [--tries 20] [--wm openbox --wm icewm ...] [--no-wayland]

Then the same on Wayland desktops (GNOME's mutter and KDE's KWin, headless, through the desktop
portal), from the program's X11 window and, on GNOME, a native one: ten pastes into each of a
native GTK entry, a native Qt line and an X11 GTK entry, each timed from the user's Ctrl+Return
to the field's report (tests/e2e/test_autopaste_wayland.py); and on sway, through its window list
and a virtual keyboard, from the native window into the native fields, each timed from the click
on Copy.

Prints one line per window manager: pastes landed, median and worst; exit status 0 unless a paste
was lost (a lost paste ends that window manager's run with the error).
"""

import argparse
import os
import statistics
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e"))

import korvx  # noqa: E402
import test_autopaste_desktops as desktops  # noqa: E402
import test_autopaste_kde as kde  # noqa: E402
import test_autopaste_wayland as wayland  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--tries", type=int, default=20, help="pastes per target and layout")
    parser.add_argument("--wm", action="append", choices=list(korvx.WINDOW_MANAGERS))
    parser.add_argument("--no-wayland", action="store_true", help="the X11 window managers alone")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    tools = os.path.join(build, "tests", "e2e", "tools")
    os.environ.setdefault("KORVANI_BIN", os.path.join(build, "korvani"))
    os.environ.setdefault("KORV_TEXTFIELD_BIN", os.path.join(tools, "korv_textfield"))
    os.environ.setdefault("KORV_STATUSNOTIFIER_BIN", os.path.join(tools, "korv_statusnotifier"))
    os.environ.setdefault("KORV_KWINKEYS_BIN", os.path.join(tools, "korv_kwinkeys"))
    failed = False
    for wm in args.wm or korvx.WINDOW_MANAGERS:
        try:
            results = desktops.run_desktop(wm, tries=args.tries)
        except (korvx.HarnessError, TimeoutError, OSError) as error:
            print(f"{wm:9} FAIL {error}")
            failed = True
            continue
        times = [t for cell in results.values() for t in cell]
        print(
            f"{wm:9} {len(times)}/{len(times)} landed, click to text median "
            f"{statistics.median(times) * 1000:.0f} ms, worst {max(times) * 1000:.0f} ms",
            flush=True,
        )
    if not args.no_wayland:
        failed = bench_wayland() or failed
    return 1 if failed else 0


def bench_wayland():
    """The Wayland desktops, one line per desktop and program window; True when a paste was lost."""
    failed = False
    for case in (wayland.GnomePasteTest, kde.KdePasteTest, wayland.SwayPasteTest):
        result = unittest.TextTestRunner(stream=open(os.devnull, "w")).run(
            unittest.defaultTestLoader.loadTestsFromTestCase(case))
        desktop = case.compositor
        if not result.wasSuccessful():
            problems = result.errors + result.failures
            print(f"{desktop:9} FAIL {problems[0][1].strip().splitlines()[-1] if problems else '?'}")
            failed = True
        for kind in case.kinds:
            times = [t for (k, _), cell in (case.timings or {}).items() if k == kind for t in cell]
            if times:
                # The first paste of a run waits for the permission: not counted.
                print(f"{desktop:9} {kind:6} {len(times)} landed, click to text median "
                      f"{statistics.median(times) * 1000:.0f} ms, worst {max(times) * 1000:.0f} ms", flush=True)
    return failed


if __name__ == "__main__":
    sys.exit(main())
