"""Base class for end-to-end test cases: one private X session per test, the program from KORVANI_BIN."""

import unittest

import korvx


class ProgramTestCase(unittest.TestCase):
    """Each test gets self.session (tray host running unless tray = False) and self.binary."""

    tray = True

    def setUp(self):
        self.binary = korvx.program_binary()
        self.session = korvx.Session(tray=self.tray)
        self.session.start()
        self.addCleanup(self.session.stop)

    def start(self, *args, **kwargs):
        """Start the program; on failure its output ends up in the test report."""
        program = self.session.start_program(self.binary, *args, **kwargs)
        self.addCleanup(self._report_output, program)
        return program

    @staticmethod
    def _report_output(program):
        text = program.output().strip()
        if text:
            print(f"\n--- program output ({program.exe}) ---\n{text}\n---")
