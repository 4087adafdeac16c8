#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes src/app/startorder.txt: the program's functions that a start runs, which its link puts
first and side by side.

The kernel maps a program's code in blocks of several pages around each page a start touches;
spread over the whole code, a start's few hundred functions would make all of it resident. This
runs the given build's program under callgrind in private X sessions (tests/e2e/korvx.py), once
on a desktop with a tray host and once on the X server alone, lets it start and settle with
nothing clicked, three times (the first start of all, then with the files earlier starts left), and
lists every function of the program that ran, in the order the program has them now. Needs
valgrind.

    bench/startorder.py --build build [--out src/app/startorder.txt] [--settle-seconds 15]

Run it again when what a start does changes; `make bench` shows the effect as peak memory.
"""

import argparse
import bisect
import glob
import os
import re
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import korvx  # noqa: E402

ORDER_FILE = os.path.join(ROOT, "src", "app", "startorder.txt")
POSITION = re.compile(r"^(0x[0-9a-fA-F]+|[+-](?:0x[0-9a-fA-F]+|[0-9]+)|\*)")
NAMED = re.compile(r"^\((\d+)\)(?: (.*))?$")


def executed_addresses(dump, program):
    """Addresses of the instructions run in program's own code, from a callgrind dump made with
    --dump-instr=yes: each line's first position is the instruction's, absolute (0x...) or a
    difference from the line before (+n, -n, * the same)."""
    objects = {}
    ours = False
    last = 0
    found = set()
    with open(dump, encoding="utf-8", errors="replace") as f:
        for line in f:
            if line.startswith(("ob=", "cob=")):
                key, value = line.rstrip("\n").split("=", 1)
                named = NAMED.match(value)
                if named:
                    if named.group(2):
                        objects[named.group(1)] = named.group(2)
                    value = objects.get(named.group(1), "")
                if key == "ob":
                    ours = os.path.realpath(value) == os.path.realpath(program)
                continue
            if not ours:
                continue
            position = POSITION.match(line)
            if not position:
                continue
            token = position.group(1)
            if token[0] in "+-":
                digits = token[1:]  # a difference: decimal unless it says 0x
                step = int(digits, 16) if digits.startswith("0x") else int(digits)
                last = last + step if token[0] == "+" else last - step
            elif token != "*":
                last = int(token, 16)
            found.add(last)
    return found


def functions(program):
    """(address, size, name) of the program's code symbols, sorted by address."""
    out = subprocess.run(["nm", "-S", "--defined-only", program], check=True, capture_output=True, text=True)
    symbols = []
    for line in out.stdout.splitlines():
        fields = line.split()
        if len(fields) == 4 and fields[2] in "tTwW" and int(fields[1], 16) > 0:
            symbols.append((int(fields[0], 16), int(fields[1], 16), fields[3]))
    return sorted(symbols)


# The C runtime's start-up code, in sections of its own objects that no name can pick out.
RUNTIME = {"_start", "_init", "_fini", "deregister_tm_clones", "register_tm_clones",
           "__do_global_dtors_aux", "frame_dummy"}


def run_functions(addresses, symbols):
    """Names of the symbols holding any of addresses, in address order; cold parts and the C
    runtime's own left out."""
    starts = [s[0] for s in symbols]
    names = {}
    for address in addresses:
        i = bisect.bisect_right(starts, address) - 1
        if i >= 0 and address < starts[i] + symbols[i][1]:
            names[starts[i]] = symbols[i][2]
    # A function's cold part has a section of its own, which a start only reaches on a failure.
    return [name for _, name in sorted(names.items())
            if name not in RUNTIME and not re.search(r"\.cold(\.\d+)?$", name)]


def profile(session, program, settle, run):
    """Addresses the program ran in one start, up to settle seconds after its window showed."""
    dump = os.path.join(session.root, f"callgrind-{run}")
    cmd = ["valgrind", "--tool=callgrind", "--dump-instr=yes", f"--callgrind-out-file={dump}.%p", program.exe]
    program.env, program.cwd = dict(session.env), session.home
    program.proc = korvx._spawn(cmd, program.env, program.cwd, program.output_path)
    program.window(timeout=180)
    time.sleep(settle)
    subprocess.run(["callgrind_control", "--dump", str(program.pid)], check=True, capture_output=True, timeout=60)
    korvx.wait_until(lambda: glob.glob(f"{dump}.{program.pid}.*"), 60, "callgrind's dump")
    time.sleep(1)  # written in one go, but not atomically
    found = executed_addresses(glob.glob(f"{dump}.{program.pid}.*")[0], program.exe)
    # Ended as the desktop ends it, it keeps its settings and cell pictures for the next start.
    os.kill(program.pid, signal.SIGTERM)
    program.wait_exit(timeout=120)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", required=True, help="build folder holding korvani")
    parser.add_argument("--out", default=ORDER_FILE)
    parser.add_argument("--settle-seconds", type=float, default=15.0, help="how long a start runs on, slowed down")
    args = parser.parse_args()
    binary = os.path.join(os.path.abspath(args.build), "korvani")
    symbols = functions(binary)
    addresses = set()
    for options in ({"tray": True}, {"tray": False, "wm": None}):
        with korvx.Session(**options) as session:
            # The first start of all; a copy started afresh, finding only what the first left in
            # the user's folders; and that copy again, with its own settings too, as most are.
            first = session.start_program(binary, start=False)
            second = session.start_program(binary, start=False)
            for run, program in enumerate((first, second, second)):
                addresses |= profile(session, program, args.settle_seconds, run)
    names = run_functions(addresses, symbols)
    with open(args.out, encoding="utf-8") as f:
        header = [line for line in f.read().splitlines() if line.startswith("#")]
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("\n".join(header + names) + "\n")
    size = sum(s for a, s, n in symbols if n in set(names))
    print(f"{len(names)} functions, {size / 1024:.0f} KiB, of {sum(s for _, s, _ in symbols) / 1024:.0f} KiB in all")


if __name__ == "__main__":
    main()
