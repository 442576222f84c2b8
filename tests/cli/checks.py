"""The tally the command-line checks share: each check is a condition and what it means;
the run ends with "N passed, M failed" and exits 1 when anything failed."""
import sys


class Checks:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def __call__(self, cond, what):
        if cond:
            self.passed += 1
        else:
            self.failures.append(what)

    def finish(self):
        for f in self.failures:
            print("FAILED:", f)
        print(f"{self.passed} passed, {len(self.failures)} failed")
        sys.exit(1 if self.failures else 0)
