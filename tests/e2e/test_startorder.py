# SPDX-License-Identifier: GPL-3.0-or-later
"""The start's functions, first in the program's code: bench/startorder.py reads callgrind's
dump right, and the program's link puts the functions it listed before all others."""

import os
import sys
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "bench"))
import startorder  # noqa: E402

PROGRAM = os.environ.get("KORVANI_BIN", "")


class StartOrderTest(unittest.TestCase):
    def test_reads_the_program_s_instructions_and_names_their_functions(self):
        # Names given once as (n) name, later as (n); positions absolute in hex, or differences
        # in decimal (hex when it says 0x); another object's lines left out.
        dump = "\n".join([
            "ob=(1) /usr/lib/libc.so.6", "fn=(1) memcpy", "0x5000 1 1", "+12 * 1",
            "ob=(2) /opt/korvani", "fn=(2) main", "0x100 3 2", "+12 * 1", "+0x10 * 1", "-2 * 1",
            "calls=1 0x9000 1", "+3 4 1", "ob=(1)", "0x5010 1 1", "ob=(2)", "0x300 5 1", "",
        ])
        with tempfile.NamedTemporaryFile("w") as f:
            f.write(dump)
            f.flush()
            found = startorder.executed_addresses(f.name, "/opt/korvani")
        self.assertEqual(sorted(found), [0x100, 0x10C, 0x11A, 0x11C, 0x11D, 0x300])
        # Cold parts and the C runtime's own are left out of the list.
        symbols = [(0x100, 0x20, "main"), (0x120, 0x10, "helper"), (0x140, 0x8, "main.cold"),
                   (0x300, 0x22, "_start"), (0x400, 0x8, "unrun")]
        self.assertEqual(startorder.run_functions(found | {0x125, 0x141}, symbols), ["main", "helper"])

    def test_the_program_has_the_listed_functions_first(self):
        self.assertTrue(PROGRAM, "set KORVANI_BIN to the program")
        with open(startorder.ORDER_FILE, encoding="utf-8") as f:
            listed = {line.strip() for line in f if line.strip() and not line.startswith("#")}
        first = {a: n for a, n, name in startorder.functions(PROGRAM) if name in listed}
        # Other builds than the one the list was written from inline differently; most names hold.
        self.assertGreater(len(first), len(listed) // 2, "the list no longer names the program's functions")
        # Side by side: spread, they would span most of the code. (Beside them
        # only what shares their sections: another name for a constructor, a thunk.)
        span = max(a + n for a, n in first.items()) - min(first)
        self.assertLess(span, 1.25 * sum(first.values()) + 4096, f"{span} bytes")


if __name__ == "__main__":
    unittest.main()
