#!/usr/bin/env python3
"""Checks `tavrola-cli check` on a copy of the demo ward: the breaches of a stored week as
JSON lines in their order and as text, Rules.txt switching a rule off and naming a damaged
line, a week loaded from a file, damaged neighbours named and skipped, and bad input."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
check = Checks()
demo = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "demo")
LAST = "Monday, 30 November 2026 (Cedar Ward 7).rwk"
RULES = ["daily_rest", "weekly_rest", "shift_length", "consecutive_days", "consecutive_nights",
         "rest_after_nights", "weekly_hours", "average_hours"]


def run(folder, *args):
    p = subprocess.run([cli, "check", "--data", folder, *args], capture_output=True, text=True)
    return p.returncode, p.stdout, p.stderr


def json_lines(out):
    return [json.loads(line) for line in out.splitlines() if line.strip()]


def set_cells(path, line, cells):
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    name = 23 + 12 * (line - 1)
    lines[name + 4:name + 11] = cells
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


with tempfile.TemporaryDirectory() as d:
    for name in os.listdir(demo):
        shutil.copy(os.path.join(demo, name), d)

    # The last stored week: two breaches, then the summary; every stored week read.
    rc, out, err = run(d, "--week", "2026-11-30", "--json")
    check(rc == 0 and err == "", f"demo week runs: {rc} {err}")
    check(json_lines(out) == [
        {"rule": "rest_after_nights", "line": 1, "name": "Margaret Okafor", "day": 4, "value": 24, "limit": 46},
        {"rule": "consecutive_days", "line": 13, "name": "Chloe Bennett", "day": 3, "value": 9, "limit": 6},
        {"event": "done", "breaches": 2, "weeks_read": 9}], f"demo week breaches: {out}")
    rc, out, err = run(d, "--week", "30/11/2026")
    check(rc == 0 and "line 1 Margaret Okafor, Thursday: Rest 24 h after the last night "
          "(NIGHT on Tuesday, ends 07:00) — at least 46 h [rest_after_nights]" in out, f"text: {out}")
    check(out.splitlines()[-1] == "2 breaches in the week commencing Monday, 30 November 2026; "
          "9 stored weeks read", f"text summary: {out}")

    # Rules.txt: a rule off, a limit raised, a damaged line named and its default kept.
    with open(os.path.join(d, "Rules.txt"), "w", encoding="utf-8") as f:
        f.write("rest_after_nights_on = 0 ;off\r\nconsecutive_days = 12\r\nweekly_hours = lots\r\n")
    rc, out, err = run(d, "--week", "2026-11-30", "--json")
    check(rc == 0 and json_lines(out) == [{"event": "done", "breaches": 0, "weeks_read": 9}], f"rules off: {out}")
    check('Rules.txt", line 3: "lots" is not a number of hours; the default 48 is kept' in err, f"damaged: {err}")
    os.remove(os.path.join(d, "Rules.txt"))

    # A week loaded from a file: one line broken many ways, listed by day, rule order, value.
    mine = os.path.join(d, "..", "mine-%d.rwk" % os.getpid())
    shutil.copy(os.path.join(d, LAST), mine)
    set_cells(mine, 17, ["NIGHT"] * 6 + ["EARLY"])
    rc, out, err = run(d, "--week", "2026-11-30", "--file", mine, "--json")
    os.remove(mine)
    got = json_lines(out)
    kwame = [(b["day"], RULES.index(b["rule"]), b["value"]) for b in got if b.get("line") == 17]
    check(rc == 0 and kwame == sorted(kwame) and len(kwame) >= 6, f"loaded week: {rc} {out} {err}")
    check({"rule": "consecutive_nights", "line": 17, "name": "Kwame Asante", "day": 5, "value": 6,
           "limit": 4} in got, "six nights")
    check({"rule": "weekly_hours", "line": 17, "name": "Kwame Asante", "day": 5, "value": 67.5,
           "limit": 48} in got, "67.5 hours")
    check({"rule": "daily_rest", "line": 17, "name": "Kwame Asante", "day": 7, "value": 0,
           "limit": 11} in got, "early after the last night")
    check(got[-1] == {"event": "done", "breaches": len(got) - 1, "weeks_read": 9}, f"summary {got[-1]}")

    # A damaged neighbour is named and left out; a damaged week shown is bad input.
    with open(os.path.join(d, "Monday, 23 November 2026 (Cedar Ward 7).rwk"), "w") as f:
        f.write("23/11/2026\r\nNorthfield\r\n")
    rc, out, err = run(d, "--week", "2026-11-30", "--json")
    check(rc == 0 and json_lines(out)[-1]["weeks_read"] == 8, f"damaged neighbour: {rc} {out}")
    check(err.count("23 November 2026") == 1 and "line 3" in err, f"damaged neighbour named once: {err}")
    rc, out, err = run(d, "--week", "2026-11-23")
    check(rc == 1 and "23 November 2026" in err and out == "", f"damaged week shown: {rc} {err}")

    # Usage and bad input.
    check(run(d)[0] == 2, "no --week")
    check(run(d, "--week", "someday")[0] == 2, "bad date")
    check(run(d, "--week", "2026-11-30", "--file", os.path.join(d, "none.rwk"))[0] == 1, "missing file")
    check(run(os.path.join(d, "nowhere"), "--week", "2026-11-30")[0] == 1, "missing folder")

check.finish()
