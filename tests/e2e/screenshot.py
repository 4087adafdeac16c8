# SPDX-License-Identifier: GPL-3.0-or-later
"""Renders the README pictures: the main window with a sample transcription, and the IPA chart
window with the pointer on a symbol, frames included; or both programs side by side, the Windows
one under Wine.

    python3 tests/e2e/screenshot.py <korvani binary> docs/korvani.png [docs/korvani-chart.png]
    python3 tests/e2e/screenshot.py --windows <korvani binary> <Windows build> docs/korvani-windows.png
"""

import os
import subprocess
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


def render_side_by_side(binary, windows_build, out_path):
    """The Linux program at the left, the Windows one at the right, each with the sample."""
    os.environ["KORV_WIN_BUILD"] = windows_build
    import test_win32  # noqa: E402 (reads the build folder when imported)
    from korvlayout import control  # noqa: E402

    out = os.path.abspath(out_path)
    linux, windows = out + ".linux.png", out + ".windows.png"
    render(binary, linux)
    with korvx.Session() as session:
        wine = test_win32.Wine(session)
        wine.start(wine.program("[Position]\nLeft=20\nTop=20\n"))
        window = wine.window()
        korvx.wait_until(lambda: session.run("xwininfo", "-id", str(window), check=False).returncode == 0 and
                         session.run("xdotool", "mousemove", "--window", str(window), "1", "1", check=False).returncode == 0,
                         10, "the window to take the pointer")
        for name in SAMPLE:
            wine.click(window, control(name).centre)
        rect = session.geometry(window)
        left, right, top, bottom = session.frame_extents(window)
        frame = korvx.Rect(rect.x - left, rect.y - top, rect.w + left + right, rect.h + top + bottom)
        session.park_pointer()
        session.wait_still(frame)
        session.screenshot(windows, frame)
    subprocess.run(["convert", linux, windows, "-background", "white", "-splice", "12x0", "+append",
                    "-chop", "12x0", out], check=True)
    os.remove(linux)
    os.remove(windows)
    return out_path


def main(argv):
    if len(argv) == 5 and argv[1] == "--windows":
        render_side_by_side(argv[2], argv[3], argv[4])
        print("wrote " + argv[4])
        return 0
    if len(argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    render(argv[1], argv[2], argv[3] if len(argv) == 4 else None)
    print("wrote " + " ".join(argv[2:]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
