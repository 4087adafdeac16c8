#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Click to text: how long a click on Paste takes to put the transcription into the window used
before, under each common window manager (default configurations), into a Qt field and a GTK entry,
in a Latin (us) and a Cyrillic (ru,us) layout.

Times run from the synthesised button click to the target's own report of its changed text (both on
the monotonic clock). Uses the end-to-end harness and its desktops test (tests/e2e/).

    bench/autopaste.py --build build [--tries 20] [--wm openbox --wm icewm ...]

Prints one line per window manager: pastes landed, median and worst; exit status 0 unless a paste
was lost (a lost paste ends that window manager's run with the error).
"""

import argparse
import os
import statistics
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e"))

import korvx  # noqa: E402
import test_autopaste_desktops as desktops  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--tries", type=int, default=20, help="pastes per target and layout")
    parser.add_argument("--wm", action="append", choices=list(korvx.WINDOW_MANAGERS))
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    os.environ.setdefault("KORVANI_BIN", os.path.join(build, "korvani"))
    os.environ.setdefault("KORV_TEXTFIELD_BIN", os.path.join(build, "tests", "e2e", "tools", "korv_textfield"))
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
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
