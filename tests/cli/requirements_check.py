#!/usr/bin/env python3
"""Checks `tavrola-cli requirements` on ward folders of its own: a hand-written Staff.txt
and a clinic schedule, once as plain lines and once as a small rich-text file, with the
expected requirements worked out here from the schedule's rules."""
import json
import os
import subprocess
import sys
import tempfile
from datetime import date

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
check = Checks()


DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
SHIFTS = ["AM", "PM", "N"]
PER_DOCTOR = 2

# Standing requirement per day and shift: distinct enough to catch a mix-up of the two.
STANDING = {(d, s): (d + 1) * 10 + s for d in range(7) for s in range(3)}


def staff_txt():
    text = "HOSPITAL = Check Hospital ;\r\nWARD = Ward 4 ;\r\n"
    for s, shift in enumerate(SHIFTS):
        for d, day in enumerate(DAYS):
            text += f"{day}{shift}StaffRequired = {STANDING[(d, s)]} ;\r\n"
    text += f"RequiredNursesPerDoctor = {PER_DOCTOR} ;\r\n"
    text += "Ann Lee, , B6, 37.5, EARLY\r\n"
    return text


CLINICS = [
    "Clinic schedule for the ward",
    "Monday AM  Dr A  diabetes  wk1,3  PAC 2",
    "tuesday pm  Mr B  fracture  wk 2  pac 1",          # only week 2; the 1 after PAC is ignored
    "PAC first then wk1 Wednesday AM",                  # PAC before WK: an empty week text
    "Monday AM and Tuesday AM  Dr C  wk1",              # Monday is tried first
    "Sunday N  Dr D  wk6",
    "Thursday AM Thursday PM  Dr E  wk5",               # both shifts of one line count
    "Friday AM  no week marker",
    "Monday AM  Dr F  wk1",                             # a second Monday AM clinic adds again
    "Saturday AM  Dr G  wk2 wk3",
]


def expected_extras(lines, day_of_month):
    extra = {(d, s): 0 for d in range(7) for s in range(3)}
    for line in lines:
        upper = line.upper()
        pac = upper.find("PAC")
        end = pac if pac >= 0 else len(line)
        wk = upper.find("WK")
        if wk < 0:
            continue
        weeks = line[wk:end] if end > wk else ""
        for k, day in enumerate(DAYS):
            name = day.upper()
            if name not in upper:
                continue
            n = int((day_of_month + k) / 7 - 0.142) + 1
            if str(n) not in weeks:
                continue
            for s, shift in enumerate(SHIFTS):
                if f"{name} {shift}" in upper:
                    extra[(k, s)] += PER_DOCTOR
            break
    return extra


def rtf(lines):
    def esc(t):
        return t.replace("\\", "\\\\").replace("{", "\\{").replace("}", "\\}")
    body = "".join(f"\\b {esc(l[:3])}\\b0 {esc(l[3:])}\\par\r\n" for l in lines)
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + body + "}"


def run(folder, *args):
    return subprocess.run([cli, "requirements", "--data", folder, *args], capture_output=True, text=True)


def check_week(folder, monday, clinic_lines, date_text):
    extra = expected_extras(clinic_lines, monday.day)
    out = run(folder, "--week", date_text, "--json")
    check(out.returncode == 0, f"{date_text}: exit code {out.returncode}: {out.stderr}")
    rows = [json.loads(l) for l in out.stdout.splitlines() if l.strip()]
    want = [{"day": DAYS[d], "shift": SHIFTS[s], "standing": STANDING[(d, s)],
             "clinic_extra": extra[(d, s)], "required": STANDING[(d, s)] + extra[(d, s)]}
            for d in range(7) for s in range(3)]
    check(rows == want, f"{date_text}: json rows differ:\n{rows}\n{want}")

    plain = run(folder, "--week", date_text)
    lines = plain.stdout.splitlines()
    check(plain.returncode == 0 and len(lines) == 22, f"{date_text}: plain output {lines}")
    if len(lines) == 22:
        check(lines[0].split("\t") == ["day", "shift", "standing", "clinic_extra", "required"], "header")
        got = [l.split("\t") for l in lines[1:]]
        check(got == [[w["day"], w["shift"], str(w["standing"]), str(w["clinic_extra"]),
                       str(w["required"])] for w in want], f"{date_text}: plain rows differ")
    return extra


WEEKS = [date(2026, 6, 1), date(2026, 6, 8), date(2026, 6, 15), date(2026, 3, 30),
         date(2026, 6, 29)]

for form in ("plain", "rtf"):
    with tempfile.TemporaryDirectory() as d:
        with open(os.path.join(d, "Staff.txt"), "wb") as f:
            f.write(staff_txt().encode("utf-8"))
        with open(os.path.join(d, "Clinic.rtf"), "wb") as f:
            f.write(("\r\n".join(CLINICS) + "\r\n" if form == "plain" else rtf(CLINICS)).encode("cp1252"))
        seen_extra = False
        for monday in WEEKS:
            extra = check_week(d, monday, CLINICS, monday.isoformat())
            seen_extra = seen_extra or any(extra.values())
        check(seen_extra, "the chosen weeks exercise some clinic extras")
        # The short date form names the same week.
        check_week(d, date(2026, 6, 8), CLINICS, "08/06/2026")

# Hand-checked corner: the 1st of a month takes Monday AM's three wk1 clinics, and
# Tuesday's PM clinic is week 2 only.
first = expected_extras(CLINICS, 1)
check(first[(0, 0)] == 3 * PER_DOCTOR and first[(1, 2)] == 0 and first[(1, 0)] == 0, "week 1 by hand")
thirtieth = expected_extras(CLINICS, 30)
check(thirtieth[(6, 2)] == PER_DOCTOR and thirtieth[(3, 0)] == PER_DOCTOR, "week 5 and 6 by hand")

with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "Staff.txt"), "wb") as f:
        f.write(staff_txt().encode("utf-8"))
    out = run(d, "--week", "2026-06-01", "--json")
    rows = [json.loads(l) for l in out.stdout.splitlines() if l.strip()]
    check(out.returncode == 0 and all(r["clinic_extra"] == 0 for r in rows) and len(rows) == 21,
          "no Clinic.rtf: standing requirements only")
    check(run(d).returncode == 2, "missing --week is a usage error")
    check(run(d, "--week", "31/02/2026").returncode == 2, "an impossible date is a usage error")
    check(run(d, "--week").returncode == 2, "--week without a date is a usage error")
    check(run(d, "--week", "2026-06-01", "extra").returncode == 2, "a stray argument is a usage error")

with tempfile.TemporaryDirectory() as d:
    out = run(d, "--week", "2026-06-01")
    check(out.returncode == 1 and "Staff.txt" in out.stderr, f"missing Staff.txt: {out.returncode}")

check.finish()
