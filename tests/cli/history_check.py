#!/usr/bin/env python3
"""Checks `tavrola-cli history` on ward folders of its own: week files laid out line by
line here, the expected names, non-preferred counts and carried-over hours worked out
here in single precision, and damaged weeks refused with their file and line."""
import json
import os
import struct
import subprocess
import sys
import tempfile
from datetime import date, timedelta

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
check = Checks()


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def shortest32(v):
    for p in range(1, 10):
        s = "%.*g" % (p, v)
        if f32(float(s)) == v:
            return s
    return repr(v)


def significant(text):
    mantissa = text.lower().split("e")[0].lstrip("-").replace(".", "")
    return len(mantissa.strip("0")) or 1


START = date(2025, 9, 1)


def staff_txt(start_text):
    return ("HOSPITAL = Check Hospital ;\r\nWARD = Ward 4 ;\r\n"
            f"AnalysisStartDate = {start_text} ;\r\n"
            "NameAMShift = EARLY ;\r\nNamePMShift = LATE ;\r\nNameNShift = NIGHT ;\r\n"
            "Ann Lee, , B6, 37.5, EARLY\r\n")


def week_text(monday, blocks):
    """The 540 lines of a stored week; `blocks` are (name, contracted, worked, nonpref)
    texts for staff lines 1.., the rest are unused lines."""
    lines = [monday.strftime("%d/%m/%Y"), "Check Hospital", "Ward 4",
             "EARLY", "LATE", "NIGHT", "HOL", "BH", "SICK", "MAT", "PAT", "CARER", "DOM",
             "EMERG", "AWOL", "STUDY", "ADMIN", "7.5", "7.5", "10", "0.5", "7.5", "3.75"]
    for line in range(25):
        name, contracted, worked, nonpref = blocks[line] if line < len(blocks) else ("", "0", "", "0")
        lines += [name, contracted, worked, nonpref, "EARLY", "", "LATE", "", "", "", "", "note"]
    lines += ["3"] * 21 + ["2"] * 21 + ["16777215"] * 175
    assert len(lines) == 540
    return "\r\n".join(lines) + "\r\n"


# File name -> (week-commencing date, blocks). Names are visited sorted without regard to
# case; dates deliberately do not follow that order.
WEEKS = {
    "b 2025-09-08.rwk": (date(2025, 9, 8), [("Ann Lee", "37.5", "40", "2"), ("Bob Stone", "30", "22.5", "0")]),
    "A 2025-09-15.RWK": (date(2025, 9, 15), [("ANN LEE", "37.5", "40", "1"), ("Cy Ward", "7.3", "7.45", "4")]),
    "c 2025-09-01.Rwk": (date(2025, 9, 1), [("Dee Park", "37.5", "", "3"), ("ann lee", "37.5", "37.5", "0")]),
    "d 2025-08-25.rwk": (date(2025, 8, 25), [("Early Bird", "37.5", "10", "9")]),   # before the start
    "e 2025-08-31.rwk": (date(2025, 8, 31), [("Sunday Before", "37.5", "1", "9")]),  # the day before
    "f 2025-09-29.rwk": (date(2025, 9, 29), [("This Week", "37.5", "1", "9")]),      # the picked week
    "g 2025-09-22.rwk": (date(2025, 9, 22), [("Cy Ward", "7.3", "7.15", "1"), ("Eve Long", "22.5", "30", "5")]),
}
PICKED = date(2025, 9, 29)


def expected_history(weeks, start, picked):
    names, nonpref, adj = [], [], []
    files = sorted(weeks, key=lambda n: (n.upper(), n))
    for fname in files:
        monday, blocks = weeks[fname]
        if not (start - timedelta(days=1) < monday < picked - timedelta(days=1)):
            continue
        for line in range(25):
            name, contracted, worked, np = blocks[line] if line < len(blocks) else ("", "0", "", "0")
            matches = [i for i, n in enumerate(names) if n.upper() == name.upper()]
            if matches:
                i = matches[0]
            else:
                names.append(name)
                nonpref.append(0)
                adj.append(0.0)
                i = len(names) - 1
            c = f32(float(contracted)) if contracted else 0.0
            w = f32(float(worked)) if worked else 0.0
            adj[i] = f32(adj[i] + f32(c - w))
            nonpref[i] += int(np) if np else 0
    return names, nonpref, adj


def write_folder(folder, weeks, start_text):
    with open(os.path.join(folder, "Staff.txt"), "wb") as f:
        f.write(staff_txt(start_text).encode("utf-8"))
    for fname, (monday, blocks) in weeks.items():
        with open(os.path.join(folder, fname), "wb") as f:
            f.write(week_text(monday, blocks).encode("utf-8"))


def run(folder, *args):
    return subprocess.run([cli, "history", "--data", folder, *args], capture_output=True, text=True)


with tempfile.TemporaryDirectory() as d:
    write_folder(d, WEEKS, START.strftime("%d/%m/%Y"))
    with open(os.path.join(d, "notes.txt"), "wb") as f:
        f.write(b"not a week\r\n")
    names, nonpref, adj = expected_history(WEEKS, START, PICKED)
    check(names[:3] == ["ANN LEE", "Cy Ward", ""], f"hand check of the expected order: {names}")
    check(adj[0] == -5.0 and nonpref[0] == 3, "hand check: Ann Lee carries -5 over two weeks of 40")

    for week_arg in (PICKED.isoformat(), PICKED.strftime("%d/%m/%Y")):
        out = run(d, "--week", week_arg, "--json")
        check(out.returncode == 0, f"exit code {out.returncode}: {out.stderr}")
        rows = [json.loads(l, parse_float=str, parse_int=str) for l in out.stdout.splitlines() if l.strip()]
        check([r["name"] for r in rows] == names, f"names {[r['name'] for r in rows]} != {names}")
        check([int(r["non_pref"]) for r in rows] == nonpref, f"non_pref {[r['non_pref'] for r in rows]} != {nonpref}")
        for r, want in zip(rows, adj):
            got = r["adj_hours"]
            check(f32(float(got)) == want and significant(got) == significant(shortest32(want)),
                  f"{r['name']}: adj_hours {got}, want {shortest32(want)}")

    plain = run(d, "--week", PICKED.isoformat())
    lines = plain.stdout.split("\n")
    check(plain.returncode == 0 and lines[0] == "name\tnon_pref\tadj_hours", "plain header")
    rows = [l.split("\t") for l in lines[1:] if l]
    check([r[0] for r in rows] == names and [int(r[1]) for r in rows] == nonpref, "plain rows")

    # A week later the picked week's own file counts too; a week earlier less is counted.
    for picked in (PICKED + timedelta(days=7), PICKED - timedelta(days=7)):
        names2, nonpref2, _ = expected_history(WEEKS, START, picked)
        out = run(d, "--week", picked.isoformat(), "--json")
        rows = [json.loads(l) for l in out.stdout.splitlines() if l.strip()]
        check([r["name"] for r in rows] == names2 and [r["non_pref"] for r in rows] == nonpref2,
              f"picked {picked}: {rows}")

    check(run(d).returncode == 2, "missing --week is a usage error")
    check(run(d, "--week", "someday").returncode == 2, "a bad date is a usage error")
    check(run(d, "--week", "2025-09-29", "more").returncode == 2, "a stray argument is a usage error")

# More than 26 distinct names: the first 26 are kept.
with tempfile.TemporaryDirectory() as d:
    many = {f"w{k}.rwk": (START + timedelta(days=7 * k),
                          [(f"Person {k} {n}", "37.5", "", "1") for n in range(25)]) for k in range(2)}
    write_folder(d, many, "01/09/2025")
    out = run(d, "--week", "2025-10-20", "--json")
    rows = [json.loads(l) for l in out.stdout.splitlines() if l.strip()]
    check(out.returncode == 0 and len(rows) == 26 and rows[25]["name"] == "Person 1 0",
          f"26 names kept: {len(rows)}")

# Damaged weeks: left out, named on standard error by file and line, exit 1; the other
# weeks are still counted and printed. A week the loader refuses is refused here too.
BAD = [(1, "not a date"), (24 + 12 + 2, "seven"), (24 + 12 + 3, "two"), (5, "EAR\0LY"), (25, "37.5 +2.5")]
for line_no, text in BAD:
    with tempfile.TemporaryDirectory() as d:
        weeks = {"a.rwk": WEEKS["b 2025-09-08.rwk"], "b.rwk": WEEKS["A 2025-09-15.RWK"]}
        write_folder(d, weeks, "01/09/2025")
        path = os.path.join(d, "b.rwk")
        with open(path, "rb") as f:
            lines = f.read().decode("utf-8").split("\r\n")
        lines[line_no - 1] = text
        with open(path, "wb") as f:
            f.write("\r\n".join(lines).encode("utf-8"))
        out = run(d, "--week", "2025-09-29")
        err = out.stderr.strip()
        check(out.returncode == 1, f"damaged line {line_no}: exit code {out.returncode}")
        check(len(err.splitlines()) == 1 and "b.rwk" in err and f"line {line_no}" in err,
              f"damaged line {line_no}: message {err!r}")
        check(out.stdout.startswith("name\tnon_pref\tadj_hours\n") and len(out.stdout.splitlines()) > 1,
              f"damaged line {line_no}: the other week is still printed: {out.stdout!r}")

# No analysis start date: nothing is scanned and nothing printed.
with tempfile.TemporaryDirectory() as d:
    write_folder(d, WEEKS, "")
    out = run(d, "--week", "2025-09-29", "--json")
    check(out.returncode == 0 and out.stdout == "", f"no analysis date: {out.returncode} {out.stdout!r}")

check.finish()
