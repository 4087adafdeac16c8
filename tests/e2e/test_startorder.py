# SPDX-License-Identifier: GPL-3.0-or-later
"""The start's functions, first in the program's code: bench/startorder.py reads callgrind's
dump right, and the program's link puts the functions it listed before all others."""

import os
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "bench"))
import startorder  # noqa: E402

PROGRAM = os.environ.get("KORVANI_BIN", "")


class StartOrderTest(unittest.TestCase):
    def test_reads_the_instructions_of_the_program_alone(self):
        # Names given once as (n) name and later as (n) alone; positions absolute in hex, or
        # differences in decimal (0x when it says so); another object's lines left out.
        dump = "\n".join([
            "positions: instr line", "events: Ir",
            "ob=(1) /usr/lib/libc.so.6", "fn=(1) memcpy", "0x5000 1 1", "+12 * 1",
            "ob=(2) /opt/korvani", "fn=(2) main", "0x1000 3 2", "+12 * 1", "+0x10 * 1", "-2 * 1",
            "* * 1", "calls=1 0x9000 1", "+3 4 1",
            "cob=(1)", "ob=(1)", "fn=(1)", "0x5010 1 1",
            "ob=(2)", "fn=(3) helper", "0x2000 5 1", "",
        ])
        with tempfile.NamedTemporaryFile("w", suffix=".out") as f:
            f.write(dump)
            f.flush()
            found = startorder.executed_addresses(f.name, "/opt/korvani")
        self.assertEqual(sorted(found), [0x1000, 0x100C, 0x101A, 0x101C, 0x101D, 0x2000])

    def test_names_the_functions_run_in_address_order_but_cold_parts_and_the_runtime(self):
        symbols = [(0x100, 0x20, "main"), (0x120, 0x10, "helper"), (0x200, 0x40, "main.cold"),
                   (0x300, 0x8, "unrun"), (0x400, 0x30, "_ZN4korv5Other3runEv.cold.1"),
                   (0x500, 0x22, "_start")]
        addresses = {0x12F, 0x104, 0x110, 0x210, 0x3FF, 0x410, 0x501}
        self.assertEqual(startorder.run_functions(addresses, symbols), ["main", "helper"])

    def test_the_program_has_the_listed_functions_first(self):
        self.assertTrue(PROGRAM, "set KORVANI_BIN to the program")
        with open(startorder.ORDER_FILE, encoding="utf-8") as f:
            listed = {line.strip() for line in f if line.strip() and not line.startswith("#")}
        text = subprocess.run(["readelf", "-SW", PROGRAM], check=True, capture_output=True, text=True)
        start, size = next((int(fields[3], 16), int(fields[5], 16)) for fields in
                           (line.replace("[ ", "[").split() for line in text.stdout.splitlines())
                           if len(fields) > 5 and fields[1] == ".text")
        first = {a: n for a, n, name in startorder.functions(PROGRAM)
                 if name in listed and start <= a < start + size}
        # Other builds than the one the list was written from inline differently; most names hold.
        self.assertGreater(len(first), len(listed) // 2, "the list no longer names the program's functions")
        # Side by side at the start of the code: spread, they would span most of it. (Beside them
        # only what shares their sections: another name for a constructor, a thunk.)
        span = max(a + n for a, n in first.items()) - start
        self.assertLess(span, 1.25 * sum(first.values()) + 4096, f"{span} bytes of {size}")

if __name__ == "__main__":
    unittest.main()
