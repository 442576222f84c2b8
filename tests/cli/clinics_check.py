#!/usr/bin/env python3
"""Checks `tavrola-cli clinics`: the day pop-ups of a ward of its own worked out by hand
(the morning notes, the separator and the afternoon notes in the spare lines), the demo
ward's stored week as the starting grid, and --resave writing a file that reads back to
the same lines."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
demo = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "demo")
check = Checks()
STARS = "*" * 10


def run(folder, *args):
    return subprocess.run([cli, "clinics", "--data", folder, *args], capture_output=True, text=True)


def days(out):
    return [json.loads(l) for l in out.stdout.splitlines() if l.strip()]


def staff_txt(names):
    text = "HOSPITAL = Check Hospital ;\r\nWARD = Ward 5 ;\r\n"
    return text + "".join(f"Nurse {k}, , B5, 37.5, EARLY\r\n" for k in range(1, names + 1))


CLINICS = ("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0\\blue0;}\\f0 "
           "{\\b Clinics}\\par "
           "Monday AM, Dr A  wk1,3  [A]  PAC 2\\par "
           "{\\cf1 Monday AM, Dr B  wk1  [B+]}\\par "
           "Monday PM, Dr C  wk1  [C]\\par "
           "Monday AM, Dr X  wk2 PAC 1  [X]\\par "
           "Tuesday PM, Dr D  wk1  [D]\\par "
           "Wednesday AM, PM, Dr E  wk1  [E]\\par "
           "Caf\\'e9 Thursday AM, Dr \\u1046?  wk1  [\\u1046?]\\par }")

with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "Staff.txt"), "wb") as f:
        f.write(staff_txt(10).encode())
    with open(os.path.join(d, "Clinic.rtf"), "wb") as f:
        f.write(CLINICS.encode("ascii"))

    # Monday 1 June 2026: week 1 for the whole week.
    out = run(d, "--week", "2026-06-01", "--json")
    check(out.returncode == 0, f"exit code {out.returncode}: {out.stderr}")
    got = days(out)
    check([g["day"] for g in got] == list(range(1, 8)), "seven days")
    if len(got) == 7:
        mon, tue, wed, thu = got[0], got[1], got[2], got[3]
        check(mon["date"] == "2026-06-01" and mon["week_number"] == 1, f"Monday {mon}")
        check(mon["caption"].startswith("Clinics-Monday ") and mon["caption"].endswith(" WK 1"), mon["caption"])
        check(mon["lines"] == ["Monday AM, Dr A  wk1,3  [A]  PAC 2", "Monday AM, Dr B  wk1  [B+]",
                               "Monday PM, Dr C  wk1  [C]"], f"Monday lines {mon['lines']}")
        check(mon["column"][10:13] == ["A,B+", STARS, "C"] and mon["column"][:10] == [""] * 10
              and mon["column"][13:] == [""] * 12, f"Monday column {mon['column']}")
        check(tue["column"][10:12] == [STARS, "D"], f"an afternoon alone {tue['column']}")
        check(len(wed["lines"]) == 2 and wed["column"][10:12] == [STARS, "E,E"], f"listed twice {wed}")
        check(thu["column"][10] == "\u0416" and thu["lines"][0].startswith("Caf\u00e9 "), f"non-Latin {thu}")
        check(all(len(g["column"]) == 25 for g in got), "25 texts a day")

    # Week 2 (8 June): "wk2 PAC 1" is listed, the week-1 clinics are not.
    one = days(run(d, "--week", "2026-06-08", "--day", "1", "--json"))
    check(len(one) == 1 and one[0]["lines"] == ["Monday AM, Dr X  wk2 PAC 1  [X]"], f"week 2 {one}")
    # Any day of the week stands for its Monday.
    check(days(run(d, "--week", "2026-06-10", "--day", "1", "--json")) == one, "a Wednesday names its week")

    plain = run(d, "--week", "2026-06-01", "--day", "1").stdout.splitlines()
    check(plain[:3] == ["day\t1\tMonday", "date\t2026-06-01", "week_number\t1"], f"plain head {plain[:3]}")
    check("column\t12\t" + STARS in plain and sum(l.startswith("column\t") for l in plain) == 25, "plain column")

    # --resave writes rich text that reads back to the same pop-ups.
    before = run(d, "--week", "2026-06-01", "--json").stdout
    saved = run(d, "--resave")
    check(saved.returncode == 0 and "Clinic.rtf" in saved.stdout, f"resave: {saved.returncode} {saved.stderr}")
    with open(os.path.join(d, "Clinic.rtf"), "rb") as f:
        text = f.read()
    check(text.startswith(b"{\\rtf1\\ansi\\ansicpg1252") and b"\\u1046?" in text and b"\\'e9" in text,
          "the writer's header and escapes")
    check(run(d, "--week", "2026-06-01", "--json").stdout == before, "same pop-ups after --resave")
    check(run(d, "--resave").returncode == 0 and open(os.path.join(d, "Clinic.rtf"), "rb").read() == text,
          "a second resave changes nothing")

    # Usage and input errors.
    check(run(d).returncode == 2, "neither --week nor --resave")
    check(run(d, "--resave", "--week", "2026-06-01").returncode == 2, "--resave with --week")
    for bad in ("0", "8", "x"):
        check(run(d, "--week", "2026-06-01", "--day", bad).returncode == 2, f"--day {bad}")
    os.remove(os.path.join(d, "Clinic.rtf"))
    out = run(d, "--week", "2026-06-01", "--day", "1", "--json")
    check(out.returncode == 0 and days(out)[0]["lines"] == [] and "Clinic.rtf" in out.stderr,
          f"missing Clinic.rtf: empty pop-ups and a word {out.returncode} {out.stderr}")
    check(run(d, "--resave").returncode == 1, "nothing to resave")
    os.mkdir(os.path.join(d, "Clinic.rtf"))
    out = run(d, "--week", "2026-06-01")
    check(out.returncode == 1 and "Clinic.rtf" in out.stderr, f"a folder as Clinic.rtf: {out.stderr}")

# The demo ward: a stored week is the starting grid, and its named lines stay as stored.
with tempfile.TemporaryDirectory() as d:
    for name in os.listdir(demo):
        shutil.copy(os.path.join(demo, name), d)
    week_file = os.path.join(d, "Monday, 12 October 2026 (Cedar Ward 7).rwk")
    stored = [json.loads(l) for l in subprocess.run([cli, "week", week_file, "--data", d, "--json"],
                                                    capture_output=True, text=True).stdout.splitlines()[1:]]
    named = [s for s in stored if s.get("name")]
    got = days(run(d, "--week", "2026-10-12", "--json"))
    check(len(got) == 7 and len(named) > 5, "demo week read")
    for g in got:
        for s in named:
            check(g["column"][s["line"] - 1] == s["days"][g["day"] - 1], f"day {g['day']} line {s['line']}")
    mon = got[0] if got else {}
    check(mon.get("week_number") == 2 and any("[Fracture]" in l for l in mon.get("lines", [])), f"demo Monday {mon}")
    check("Fracture" in mon.get("column", []), "demo Monday note")

check.finish()
