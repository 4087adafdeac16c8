# SPDX-License-Identifier: GPL-3.0-or-later
"""Renders the README picture: the main window with a sample transcription, frame included.

    python3 tests/e2e/screenshot.py <korvani binary> docs/korvani.png
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import korvx  # noqa: E402

# /ˈfəʊnɪm/ ("phoneme")
SAMPLE = ["Slash", "PrimaryStress", "Fall", "Go", "No", "Sit", "Man", "Slash"]


def render(binary, out_path):
    with korvx.Session() as session:
        program = session.start_program(binary)
        program.wait_active()
        for name in SAMPLE:
            program.click_control(name)
        program.screenshot(os.path.abspath(out_path), frame=True)
    return out_path


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    render(argv[1], argv[2])
    print(f"wrote {argv[2]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
