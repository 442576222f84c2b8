#!/usr/bin/env python3
"""Checks `tavrola-cli settings --json` and the command line's exit codes on a
hand-written ward folder."""
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
check = Checks()


STAFF = (
    "HOSPITAL = St Elsewhere & Co ;title\r\n"
    "WARD=Ward 9\r\n"
    "AnalysisStartDate = 07/01/2008 ;\r\n"
    "hospital = lower case key is ignored ;\r\n"
    "MondayAMStaffRequired = 4 ;\r\n"
    "SundayNStaffRequired = 2.5 ;\r\n"
    "NameAMShift = EARLY ;\r\n"
    "NameIllness = SICK ;\r\n"
    "HoursWorkedOnAM = 7.5 ;\r\n"
    "HoursWorkedOnN = 10 ;\r\n"
    "MidShiftBreak = 0.5 ;\r\n"
    "AMShiftHours = 000000011111111000000000 ;\r\n"
    "NShiftHours = 111111000000000000000000 ;\r\n"
    "SkillCode1 = IV ;\r\n"
    "Ann O'Neill, IV MT, B6, 37.5, EARLY, ,Monday ,Saturday\r\n"
    ",,,,,\r\n"
    "Bob Sundayman, , B5, 30, LATE\r\n"
    "A remark without a separator\r\n"
)

with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "Staff.txt"), "wb") as f:
        f.write(STAFF.encode("utf-8"))
    out = subprocess.run([cli, "settings", "--data", d, "--json"], capture_output=True, text=True)
    check(out.returncode == 0, f"settings exit code {out.returncode}: {out.stderr}")
    lines = [json.loads(line) for line in out.stdout.splitlines() if line.strip()]
    s = lines[0]
    check(len([k for k in s if k not in (
        "AMCoreHourCount", "PMCoreHourCount", "NCoreHourCount", "AMShiftTimes", "PMShiftTimes",
        "NShiftTimes", "AnalysisStartDateValue", "AnalysisStartDateValid")]) == 75, "75 keys")
    check(s["HOSPITAL"] == "St Elsewhere  Co", f"HOSPITAL {s['HOSPITAL']!r}")
    check(s["WARD"] == "Ward 9", "WARD")
    check(s["MondayAMStaffRequired"] == 4, "MondayAM")
    check(s["SundayNStaffRequired"] == 2, "whole number from 2.5")
    check(s["HoursWorkedOnN"] == 10 and s["MidShiftBreak"] == 0.5, "reals")
    check(s["AMCoreHourCount"] == 8 and s["NCoreHourCount"] == 6, "core hour counts")
    check(s["AMShiftTimes"] == "7 to 3pm", f"AMShiftTimes {s['AMShiftTimes']!r}")
    check(s["PMShiftTimes"] == "12 to 12", f"PMShiftTimes {s['PMShiftTimes']!r}")
    check(s["NShiftTimes"] == "8pm to 6", f"NShiftTimes {s['NShiftTimes']!r}")
    check(s["AnalysisStartDateValid"] is True and s["AnalysisStartDateValue"] == "2008-01-07",
          "analysis date")
    staff = lines[1:]
    check([p["line"] for p in staff] == [1, 2, 3], f"lines {[p['line'] for p in staff]}")
    check(staff[0]["name"] == "Ann ONeill" and staff[0]["skills"] == "IV MT", "staff 1")
    check(staff[0]["preferred_days"] == ["Monday", "Saturday"], "staff 1 days")
    check(staff[0]["standard_shift"] == "EARLY" and staff[0]["hours_set"] == "37.5", "staff 1 shift")
    check(staff[1]["name"] == "Bob Sundayman" and staff[1]["preferred_days"] == ["Sunday"],
          "a day name inside a name marks the day")
    check(staff[2]["name"] == "A remark without a separator", "plain text line is a staff line")

    plain = subprocess.run([cli, "settings", "--data", d], capture_output=True, text=True)
    check(plain.returncode == 0 and "HOSPITAL = St Elsewhere  Co" in plain.stdout, "plain output")

with tempfile.TemporaryDirectory() as d:
    out = subprocess.run([cli, "settings", "--data", d], capture_output=True, text=True)
    check(out.returncode == 1 and "Staff.txt" in out.stderr, f"missing Staff.txt: {out.returncode}")
    out = subprocess.run([cli, "nonsense"], capture_output=True, text=True)
    check(out.returncode == 2, "unknown command is a usage error")
    out = subprocess.run([cli, "eval", "--data", d], capture_output=True, text=True)
    check(out.returncode == 2, "eval without texts is a usage error")

check.finish()
