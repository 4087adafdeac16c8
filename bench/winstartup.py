#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up of the Windows build under Wine, against the floor of any Win32 window.

Measured as bench/startup.py measures the Linux build, with the same probe, in private X sessions
of korvx.py: on the X server alone (to the window mapped) and on a desktop with openbox and tint2
(to the first picture). One Wine prefix per session, copied from the build's template. As Windows'
own processes run on a user's machine, Wine's stay up between starts: its wineserver runs
persistent (wineserver -p), and a console left waiting holds its desktop open, so that explorer
and Wine's services, started by the first program, are not started again by every start; the
warm-up starts pay for them. korvani.exe and korv_minimalwindow.exe then start alternately, each
from a fresh folder of the prefix, and each is closed by its close box in the end. The probe times
from just before it runs `wine PROGRAM`: the loader becomes the Windows process without changing
its pid, which Wine gives its X windows as _NET_WM_PID, so the probe finds the window as it finds
a Linux program's. Peak memory is the program's own process, without wineserver and explorer.

    bench/winstartup.py --build build --windows-build build-windows/x86_64 [--runs 10] [--json FILE]

bench/startup.py runs this too when given --windows-build, and prints it beside the Linux figures.
There is no budget: the figures are a report.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "tests", "e2e"))

import korvx  # noqa: E402

WARM_UP = 2  # starts of each program before measuring, after the one that starts Wine's own
PROBE_TIMEOUT_MS = 60000  # the first start in a prefix starts wineserver, explorer and services
# Each start ends as a user ends it, by its close box: the start after a killed Korvani waited 2 s
# more. Without a window manager, closing takes 2 to 4 s: Wine waits for one to withdraw a window.
CLOSE_MS = 10000
WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"}


def parse_figures(text):
    """The probe's key=value line as numbers."""
    figures = {}
    for pair in text.split():
        key, value = pair.split("=", 1)
        figures[key] = int(value, 0) if key in ("window", "settled", "damage_events", "closed") else float(value)
    return figures


class WinePrefix:
    """A prefix of the session with its wineserver kept running; a context manager that ends
    every process of the prefix on exit."""

    def __init__(self, session, template):
        self.session = session
        self.prefix = os.path.join(session.root, "pfx")
        self.env = dict(session.env, WINEPREFIX=self.prefix, **WINE_ENV)
        self.wine = shutil.which("wine", path=self.env.get("PATH"))
        self._template = template
        self._folders = 0

    def __enter__(self):
        subprocess.run(["cp", "-a", self._template, self.prefix], check=True)
        self._keeper = None
        try:
            subprocess.run(["wineserver", "-p"], env=self.env, check=True, timeout=30)
            # Wine closes its desktop, and explorer with it, when the last program ends, and the
            # next start waits for a new one; a console left waiting for input holds it open.
            self._keeper = subprocess.Popen([self.wine, "cmd"], env=self.env, stdin=subprocess.PIPE,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        # A persistent wineserver outlives everything else: it goes first, with all it serves.
        subprocess.run(["wineserver", "-k"], env=self.env, check=False, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=30)
        if self._keeper is not None:
            self._keeper.stdin.close()
            try:
                self._keeper.wait(10)
            except subprocess.TimeoutExpired:
                self._keeper.kill()
                self._keeper.wait()

    def copy(self, exe):
        """exe in a fresh folder under C:\\, as a user unpacks the portable zip."""
        self._folders += 1
        folder = os.path.join(self.prefix, "drive_c", f"start{self._folders}")
        os.makedirs(folder)
        return shutil.copy(exe, folder)

    def probe(self, probe_path, exe):
        """One start of a fresh copy of exe under the probe; its figures."""
        copy = self.copy(exe)
        log = os.path.join(os.path.dirname(copy), "wine.log")
        result = subprocess.run(
            [probe_path, "--timeout-ms", str(PROBE_TIMEOUT_MS), "--close-ms", str(CLOSE_MS),
             "--log", log, "--", self.wine, copy],
            env=self.env, cwd=self.session.home, capture_output=True, timeout=PROBE_TIMEOUT_MS / 1000 + 30,
        )
        if result.returncode != 0:
            try:
                with open(log, errors="replace") as f:
                    output = f.read()
            except OSError:
                output = ""
            raise korvx.HarnessError(f"{os.path.basename(exe)} did not start cleanly under Wine: "
                                     f"{result.stderr.decode(errors='replace')}{output}")
        return parse_figures(result.stdout.decode())


def measure_start(session, args, where):
    """Alternating starts of both programs in one prefix of session; the samples by program."""
    programs = {"korvani": args.korvani_exe, "minimal": args.minimal_exe}
    samples = {name: [] for name in programs}
    print(f"start-up under Wine ({where}): 1 + {WARM_UP} + {args.runs} starts of each ", end="",
          flush=True, file=sys.stderr)
    with WinePrefix(session, args.template) as wine:
        for _ in range(1 + WARM_UP):
            for exe in programs.values():
                wine.probe(args.probe, exe)
        for run in range(args.runs):
            order = ("korvani", "minimal") if run % 2 == 0 else ("minimal", "korvani")
            for name in order:
                samples[name].append(wine.probe(args.probe, programs[name]))
                print(".", end="", flush=True, file=sys.stderr)
    print(file=sys.stderr)
    return samples


def measure(args):
    """Both ways, each in a session of its own: {"bare": samples, "desktop": samples, "load": l}."""
    load = os.getloadavg()[0]
    with korvx.Session(tray=False, wm=None) as session:
        bare = measure_start(session, args, "X server alone")
    with korvx.Session(tray=True) as session:
        desktop = measure_start(session, args, "desktop")
    return {"bare": bare, "desktop": desktop, "load": load}


ROWS = (
    ("viewable", "map_ms", 1, "ms"),
    ("first painted", "paint_ms", 1, "ms"),
    ("CPU to first paint", "paint_cpu_ms", 1, "ms"),
    ("peak RSS", "hwm_kb", 1 / 1024, "MiB"),
)


def table_rows(samples):
    """(label, Korvani, floor, ratio, budget) of each figure, from the medians."""
    rows = []
    for label, key, scale, unit in ROWS:
        k = statistics.median(s[key] for s in samples["korvani"]) * scale
        m = statistics.median(s[key] for s in samples["minimal"]) * scale
        ratio = f"{k / m:.2f}" if m > 0 else "-"
        rows.append((label, f"{k:.1f} {unit}", f"{m:.1f} {unit}", ratio, "none"))
    return rows


def print_table(samples):
    header = ("", "korvani.exe", "minimal window", "ratio", "budget")
    rows = table_rows(samples)
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for r in [header] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(r, widths)).rstrip())
    killed = sum(1 for runs in samples.values() for s in runs if not s.get("closed", 1))
    if killed:
        print(f"  ({killed} starts did not end by their close box within {CLOSE_MS // 1000} s and "
              "were killed: the starts after them may have paid for it)")


def report(wine, runs):
    print(f"\nThe Windows build under Wine ({wine_version()}, x86_64), against a minimal Win32 window; "
          f"no budget. Median of {runs} runs each, alternating, after {1 + WARM_UP} warm-up runs, "
          f"wineserver and explorer kept running (load average {wine['load']:.2f}).")
    if wine["load"] > 0.5 * (os.cpu_count() or 1):
        print("  (a busy machine: under Wine the floor's time swings most with the load, and the "
              "ratios with it)")
    print("\nUnder Wine on a desktop (Xvfb + openbox + tint2), to the first picture:")
    print_table(wine["desktop"])
    print("\nUnder Wine on the X server alone (Xvfb, no window manager, no tray host), to the window mapped:")
    print_table(wine["bare"])


def wine_version():
    try:
        return subprocess.run(["wine", "--version"], capture_output=True, timeout=10).stdout.decode().strip()
    except (OSError, subprocess.TimeoutExpired):
        return "wine"


def add_arguments(parser):
    parser.add_argument("--windows-build", help="also measure this x86_64 Windows build under Wine")


def resolve(parser, args):
    """Fills in the Windows paths from --windows-build; parser.error when something is missing."""
    build = os.path.abspath(args.windows_build)
    args.korvani_exe = os.path.join(build, "src", "win32", "korvani.exe")
    args.minimal_exe = os.path.join(build, "bench", "win32", "korv_minimalwindow.exe")
    args.template = os.path.join(build, "wine-template")
    for path in (args.korvani_exe, args.minimal_exe):
        if not os.path.isfile(path):
            parser.error(f"not built: {path}")
    if not os.path.isfile(os.path.join(args.template, "system.reg")):
        parser.error(f"no Wine prefix template: {args.template} (tests/win32/makeprefix.sh makes it)")
    for tool in ("wine", "wineserver"):
        if shutil.which(tool) is None:
            parser.error(f"needs {tool} (scripts/install-windows-deps.sh)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the Linux build with the probe (default: build)")
    parser.add_argument("--probe", help="the start probe (default: BUILD/bench/korv_startprobe)")
    parser.add_argument("--runs", type=int, default=10, help="measured starts of each (default 10)")
    parser.add_argument("--json", help="also write every sample to this file")
    add_arguments(parser)
    args = parser.parse_args()
    if not args.windows_build:
        parser.error("--windows-build is required")
    args.probe = os.path.abspath(args.probe or os.path.join(args.build, "bench", "korv_startprobe"))
    if not os.access(args.probe, os.X_OK):
        parser.error(f"not built: {args.probe}")
    resolve(parser, args)
    wine = measure(args)
    report(wine, args.runs)
    if args.json:
        with open(args.json, "w") as f:
            json.dump(wine, f, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
