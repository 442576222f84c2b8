#!/usr/bin/env python3
"""Checks `tavrola-cli week` on a ward folder of its own: a hand-written Staff.txt and a
week file laid out line by line here, read back as the program shows it after loading,
saved again, and refused when damaged."""
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
check = Checks()


WHITE, REQUEST, ALERT, RED = 16777215, 12320699, 7851263, 255

STAFF = (
    "HOSPITAL = Staff File Hospital ;\r\n"
    "WARD = Ward 9 ;\r\n"
    "MondayAMStaffRequired = 2 ;\r\nTuesdayAMStaffRequired = 2 ;\r\n"
    "MondayPMStaffRequired = 2 ;\r\nMondayNStaffRequired = 1 ;\r\n"
    "SundayAMStaffRequired = 1 ;\r\n"
    "NameAMShift = EARLY ;\r\nNamePMShift = LATE ;\r\nNameNShift = NIGHT ;\r\n"
    "NameHolidayFullDay = HOL ;\r\nNameHolidayHalfDay = BH ;\r\nNameIllness = SICK ;\r\n"
    "NameLeaveMaternity = MAT ;\r\nNameLeavePaternity = PAT ;\r\nNameLeaveCarers = CARER ;\r\n"
    "NameLeaveDomestic = DOM ;\r\nNameLeaveEmergency = EMERG ;\r\nNameLeaveAbsent = AWOL ;\r\n"
    "NameTrainingStudyDay = STUDY ;\r\nNameTrainingAdminDay = ADMIN ;\r\n"
    "HoursWorkedOnAM = 7.5 ;\r\nHoursWorkedOnPM = 7.5 ;\r\nHoursWorkedOnN = 10 ;\r\n"
    "HoursHolidayFullDay = 7.5 ;\r\nHoursHolidayHalfDay = 3.75 ;\r\nMidShiftBreak = 0.5 ;\r\n"
    "AMShiftHours = 000000011111111000000000 ;\r\n"
    "PMShiftHours = 000000000000001111111100 ;\r\n"
    "NShiftHours = 111111100000000000000111 ;\r\n"
    "Ann Lee, , B6, 37.5, EARLY, ,Monday\r\n"
    "Bob Stone, , B5, 30, LATE, ,Sunday\r\n"
    "Cy Ward, , B5, 37.5, NIGHT\r\n"
)

NAMES = ["E", "LATE", "NIGHT", "HOL", "BH", "SICK", "MAT", "PAT", "CARER", "DOM", "EMERG",
         "AWOL", "STUDY", "ADMIN"]
CELLS = {1: ["E", "E", "LATE", "HOL", "HOL", "", ""],
         2: ["", "LATE", "", "", "", "", "7-3"],
         3: ["NIGHT", "NIGHT", "NIGHT", "", "", "", ""]}
PEOPLE = {1: ("Ann Lee", "37.5"), 2: ("Bob Stone", "30"), 3: ("Cy Ward", "37.5")}


def week_lines(saved):
    """The Christmas week of 2008. As stored by hand it carries stale totals, a
    requirement the ward no longer has and no bank-holiday marks; as the program saves
    it again every total is recalculated, the requirements are the ward's and Thursday
    and Friday are orange."""
    lines = ["22/12/2008", "File Hospital", "Ward 9"] + NAMES
    lines += ["7.30000019073486", "7.5", "10", "0.5", "7.5", "3.75"]
    worked = {1: "37.1", 2: "15", 3: "30"}
    nonpref = {1: "2", 2: "1", 3: "3"}
    for line in range(1, 26):
        if line in PEOPLE:
            name, hours = PEOPLE[line]
            lines += [name, hours, worked[line] if saved else "99",
                      nonpref[line] if saved else "9"]
            lines += CELLS[line]
        else:
            lines += ["", "0", "", "0"] + [""] * 7
        lines.append("in at 7" if line == 1 else "")
    required = {(1, 1): 2, (1, 2): 2, (1, 3): 1, (2, 1): 2, (7, 1): 1}
    counted = {1: [1, 0, 1], 2: [1, 1, 1], 3: [0, 1, 1], 7: [1, 0, 0]}
    for day in range(1, 8):
        for shift in range(1, 4):
            lines.append(str(required.get((day, shift), 0)) if saved else "5")
    for day in range(1, 8):
        for shift in range(1, 4):
            lines.append(str(counted.get(day, [0, 0, 0])[shift - 1]) if saved else "7")
    for day in range(1, 8):
        for line in range(1, 26):
            colour = WHITE
            if (day, line) in ((1, 1), (2, 2)):
                colour = REQUEST  # Ann's preferred Monday, a request mark on Bob's Tuesday
            if (day, line) == (1, 10):
                colour = RED      # a line without a name keeps whatever it holds
            if saved and day in (4, 5) and line <= 3:
                colour = ALERT
            lines.append(str(colour))
    assert len(lines) == 540
    return lines


def file_bytes(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def run(*args):
    return subprocess.run([cli, "week", *args], capture_output=True, text=True)


with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "Staff.txt"), "wb") as f:
        f.write(STAFF.encode("utf-8"))
    week = os.path.join(d, "christmas.rwk")
    with open(week, "wb") as f:
        f.write(file_bytes(week_lines(saved=False)))

    out = run(week, "--data", d, "--json")
    check(out.returncode == 0, f"week exit code {out.returncode}: {out.stderr}")
    rows = [json.loads(line) for line in out.stdout.splitlines() if line.strip()]
    check(len(rows) == 1 + 25 + 7, f"{len(rows)} JSON lines")
    head = rows[0]
    check(head["week"] == "2008-12-22", f"week {head.get('week')}")
    check(head["week_label"] == "Wk4", f"label {head.get('week_label')}")
    check(head["holidays"] == ["", "", "", "Christmas Day", "Boxing Day", "", ""],
          f"holidays {head.get('holidays')}")
    check(head["hospital"] == "File Hospital" and head["ward"] == "Ward 9", "names from the file")
    check(head["duty_names"]["NameAMShift"] == "E", "the file's early-shift name is in force")
    check(head["duty_names"]["NameLeaveCarers"] == "CARER", "other duty names")
    check(abs(head["duty_hours"]["HoursWorkedOnAM"] - 7.3) < 1e-6, "the file's early hours")

    lines = {r["line"]: r for r in rows[1:26]}
    ann, bob, cy = lines[1], lines[2], lines[3]
    check(ann["name"] == "Ann Lee" and ann["hours_set"] == "37.5", f"Ann {ann}")
    check(ann["days"] == CELLS[1] and ann["notes"] == "in at 7", "Ann's cells and notes")
    check(ann["hours_worked"] == "37.1", f"Ann's hours recalculated: {ann['hours_worked']}")
    check(ann["non_preferred"] == 2, f"Ann's non-preferred days: {ann['non_preferred']}")
    check(ann["colours"] == [REQUEST, WHITE, WHITE, ALERT, ALERT, WHITE, WHITE],
          f"Ann's colours {ann['colours']}")
    check(bob["hours_worked"] == "15" and bob["non_preferred"] == 1, f"Bob {bob}")
    # The stored request mark stays; the Sunday preference of Staff.txt is not painted over.
    check(bob["colours"] == [WHITE, REQUEST, WHITE, ALERT, ALERT, WHITE, WHITE],
          f"Bob's colours {bob['colours']}")
    check(cy["hours_worked"] == "30" and cy["non_preferred"] == 3, f"Cy {cy}")
    check(lines[4]["colours"][3] == WHITE, "no bank-holiday mark after the last name")
    check(lines[10]["colours"][0] == RED and lines[10]["name"] == "", "line 10 keeps its colour")

    days = {r["day"]: r for r in rows[26:]}
    check(days["Monday"]["required"] == [2, 2, 1], f"Monday required {days['Monday']['required']}")
    check(days["Monday"]["counted"] == [1, 0, 1], f"Monday counted {days['Monday']['counted']}")
    check(days["Tuesday"]["counted"] == [1, 1, 1], "Tuesday counted")
    check(days["Thursday"]["counted"] == [0, 0, 0], "a holiday counts on no shift")
    check(days["Sunday"]["required"] == [1, 0, 0] and days["Sunday"]["counted"] == [1, 0, 0],
          "Sunday: 7-3 is an early shift")

    # Saved again, the week is the program's own file of it, byte for byte.
    saved = os.path.join(d, "again.rwk")
    out = run(week, "--data", d, "--save", saved)
    check(out.returncode == 0, f"--save exit code {out.returncode}: {out.stderr}")
    with open(saved, "rb") as f:
        got = f.read()
    want = file_bytes(week_lines(saved=True))
    check(got == want, "saved week differs from the layout" if got == b"" else
          "saved week differs at line %d" % next(
              (i + 1 for i, (a, b) in enumerate(zip(got.split(b"\r\n"), want.split(b"\r\n")))
               if a != b), 0))
    with open(week, "rb") as f:
        check(f.read() == file_bytes(week_lines(saved=False)), "the loaded file is left alone")

    plain = run(week, "--data", d)
    check(plain.returncode == 0 and "Christmas Day" in plain.stdout and "Ann Lee" in plain.stdout,
          "plain output")

    # A hand-edited number, a short file, a missing file: one line naming file and line.
    spoiled = week_lines(saved=False)
    spoiled[17] = "7.3 hours"
    bad = os.path.join(d, "spoiled.rwk")
    with open(bad, "wb") as f:
        f.write(file_bytes(spoiled))
    out = run(bad, "--data", d, "--json")
    check(out.returncode == 1, f"spoiled file exit code {out.returncode}")
    check(out.stdout == "", "nothing printed for a spoiled file")
    err = out.stderr.strip()
    check("spoiled.rwk" in err and "line 18" in err and "\n" not in err, f"spoiled message {err!r}")

    short = os.path.join(d, "short.rwk")
    with open(short, "wb") as f:
        f.write(file_bytes(week_lines(saved=False)[:100]))
    out = run(short, "--data", d)
    check(out.returncode == 1 and "short.rwk" in out.stderr and "line 101" in out.stderr,
          f"short file: {out.returncode} {out.stderr!r}")

    out = run(os.path.join(d, "none.rwk"), "--data", d)
    check(out.returncode == 1 and "none.rwk" in out.stderr, f"missing file: {out.returncode}")

    out = run("--data", d)
    check(out.returncode == 2, f"no file given: {out.returncode}")

with tempfile.TemporaryDirectory() as d:
    out = run(os.path.join(d, "x.rwk"), "--data", d)
    check(out.returncode == 1 and "Staff.txt" in out.stderr, "a ward folder without Staff.txt")

check.finish()
