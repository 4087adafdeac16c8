# SPDX-License-Identifier: GPL-3.0-or-later
"""Renders the README pictures: the main window with a sample transcription, and the IPA chart
window with the pointer on a symbol, frames included.

    python3 tests/e2e/screenshot.py <korvani binary> docs/korvani.png [docs/korvani-chart.png]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import korvx  # noqa: E402

# /ˈfəʊnɪm/ ("phoneme")
SAMPLE = ["Slash", "PrimaryStress", "Fall", "Go", "No", "Sit", "Man", "Slash"]


CHART_TITLE = "Korvani \u2013 IPA chart"
CHART_WIDTH = 992  # the chart's width in its own units
ESH = (490, 244)  # ʃ, voiceless postalveolar fricative, in chart units


def render(binary, out_path, chart_path=None):
    with korvx.Session(screen="1280x900x24") as session:
        program = session.start_program(binary)
        program.wait_active()
        for name in SAMPLE:
            program.click_control(name)
        program.screenshot(os.path.abspath(out_path), frame=True)
        if chart_path:
            render_chart(session, program, chart_path)
    return out_path


def render_chart(session, program, out_path):
    program.key("ctrl+k")
    window = korvx.wait_until(lambda: (program.find_windows(CHART_TITLE) or [None])[0], 10,
                              "the chart window")
    rect = session.geometry(window)
    left, right, top, bottom = session.frame_extents(window)
    frame = korvx.Rect(rect.x - left, rect.y - top, rect.w + left + right, rect.h + top + bottom)
    scale = (rect.w - 16) / CHART_WIDTH
    session.move_pointer(rect.x + round(ESH[0] * scale), rect.y + round(ESH[1] * scale))
    session.wait_still(frame)
    session.screenshot(os.path.abspath(out_path), frame)


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    render(argv[1], argv[2], argv[3] if len(argv) == 4 else None)
    print("wrote " + " ".join(argv[2:]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
