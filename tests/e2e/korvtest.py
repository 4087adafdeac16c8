# SPDX-License-Identifier: GPL-3.0-or-later
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
        self.addCleanup(self._check_sanitizers)

    def start(self, *args, **kwargs):
        """Start the program; on failure its output ends up in the test report."""
        program = self.session.start_program(self.binary, *args, **kwargs)
        self.addCleanup(self._report_output, program)
        return program

    def _check_sanitizers(self):
        """Every program ends as the session ends it; a sanitizer report in its output fails the test."""
        reports = []
        for program in self.session.programs():
            if program.proc is not None:
                program.stop()
                report = program.sanitizer_report()
                if report:
                    reports.append(f"--- {program.output_path} ---\n{report}")
        if reports:
            self.fail("sanitizer report in the program's output:\n" + "\n".join(reports))

    @staticmethod
    def _report_output(program):
        # Ended first: the sanitizers report on the way out, and a crash at the end tells its own.
        program.stop()
        if program.ended_by_signal():
            print(f"\n--- program {program.exe} {program.ending()}\n---")
            return
        text = program.output().strip()
        if text:
            print(f"\n--- program output ({program.exe}) ---\n{text}\n---")
