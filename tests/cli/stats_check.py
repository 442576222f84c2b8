#!/usr/bin/env python3
"""Checks `tavrola-cli stats` on a ward folder of its own: week files laid out line by
line here, the expected month tables and fairness counts worked out here, the JSON keys,
the CSV and PNG files, usage errors and a damaged week named by file and line."""
import csv
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

STAFF = ("HOSPITAL = Check Hospital ;\r\nWARD = Ward 4 ;\r\nAnalysisStartDate = 01/01/2020 ;\r\n"
         "NameAMShift = EARLY ;\r\nNamePMShift = LATE ;\r\nNameNShift = NIGHT ;\r\n"
         "Ann Lee, , B6, 37.5, EARLY\r\n")
HOURS = {"EARLY": 7.5, "LATE": 7.5, "NIGHT": 10.0}
BANK_HOLIDAYS = {date(2025, 12, 25), date(2025, 12, 26), date(2026, 1, 1)}


def week_text(monday, blocks):
    """The 540 lines of a stored week; `blocks` are (name, contracted, nonpref, 7 days)."""
    lines = [monday.strftime("%d/%m/%Y"), "Check Hospital", "Ward 4",
             "EARLY", "LATE", "NIGHT", "HOL", "HALF", "SICK", "MAT", "PAT", "CARER", "DOM",
             "EMERG", "AWOL", "STUDY", "ADMIN", "7.5", "7.5", "10", "0.5", "7.5", "3.75"]
    for line in range(25):
        name, contracted, nonpref, days = blocks[line] if line < len(blocks) else ("", "0", "0", [""] * 7)
        lines += [name, contracted, "", nonpref] + days + ["note" if name else ""]
    lines += ["3"] * 21 + ["2"] * 21 + ["16777215"] * 175
    return "\r\n".join(lines) + "\r\n"


WEEKS = {
    "a.rwk": (date(2024, 6, 3), [("Ann Lee", "37.5", "1", ["EARLY", "", "", "", "", "NIGHT", ""])]),
    "b.rwk": (date(2025, 12, 22), [("ann lee", "30", "2", ["", "", "", "NIGHT", "LATE", "HOL", "SICK"]),
                                   ("Bob Roe", "22.5", "0", ["LATE", "", "HALF", "", "", "", "NIGHT"])]),
    "C.RWK": (date(2026, 1, 5), [("Bob Roe", "22.5", "3", ["SICK EARLY", "EARLY", "", "", "", "", ""])]),
    "d.rwk": (date(2026, 2, 2), [("Late Comer", "37.5", "1", ["EARLY"] * 7)]),  # after To
}
FROM, TO = date(2024, 1, 1), date(2026, 1, 31)


def expected():
    rows = {}
    order = []
    for fname in sorted(WEEKS, key=lambda n: (n.upper(), n)):
        monday, blocks = WEEKS[fname]
        if not FROM <= monday <= TO:
            continue
        slot = min(TO.year - monday.year, 2)
        for name, contracted, nonpref, days in blocks:
            key = name.upper()
            if key not in rows:
                order.append(key)
                rows[key] = {"name": name, "hours_worked": [[0.0] * 12 for _ in range(3)],
                             "days_holiday": [[0.0] * 12 for _ in range(3)],
                             "days_illness": [[0.0] * 12 for _ in range(3)],
                             "non_pref": [[0.0] * 12 for _ in range(3)],
                             "nights": 0, "weekend_shifts": 0, "bank_holiday_shifts": 0, "training": []}
            r = rows[key]
            r["hours_per_week"] = float(contracted)
            r["non_pref"][slot][monday.month - 1] += int(nonpref)
            r["training"].append("note")
            for d, text in enumerate(days):
                if not text:
                    continue
                if "SICK" in text:
                    r["days_illness"][slot][monday.month - 1] += 1
                    continue
                if "HOL" in text:
                    r["days_holiday"][slot][monday.month - 1] += 1
                if "HALF" in text:
                    r["days_holiday"][slot][monday.month - 1] += 0.5
                if text in HOURS:
                    r["hours_worked"][slot][monday.month - 1] += HOURS[text]
                    r["nights"] += text == "NIGHT"
                    r["weekend_shifts"] += d >= 5
                    r["bank_holiday_shifts"] += (monday + timedelta(days=d)) in BANK_HOLIDAYS
    return [rows[k] for k in order]


def run(folder, *args):
    return subprocess.run([cli, "stats", "--data", folder, *args], capture_output=True, text=True)


KEYS = ["name", "hours_per_week", "hours_worked", "days_holiday", "days_illness", "non_pref", "training",
        "nights", "weekend_shifts", "bank_holiday_shifts"]

with tempfile.TemporaryDirectory() as d:
    with open(os.path.join(d, "Staff.txt"), "wb") as f:
        f.write(STAFF.encode("utf-8"))
    for fname, (monday, blocks) in WEEKS.items():
        with open(os.path.join(d, fname), "wb") as f:
            f.write(week_text(monday, blocks).encode("utf-8"))
    csv_path, png_path = os.path.join(d, "table.csv"), os.path.join(d, "picture.png")

    out = run(d, "--from", FROM.isoformat(), "--to", TO.strftime("%d/%m/%Y"), "--json",
              "--csv", csv_path, "--png", png_path)
    check(out.returncode == 0, f"exit code {out.returncode}: {out.stderr}")
    lines = [json.loads(l) for l in out.stdout.splitlines() if l.strip()]
    want = expected()
    check(len(lines) == len(want) + 1, f"{len(lines)} lines for {len(want)} names")
    for got, w in zip(lines, want):
        check(list(got) == KEYS, f"keys {list(got)}")
        for key in KEYS:
            wanted = " ".join(w[key]) if key == "training" else w[key]
            check(got.get(key) == wanted, f"{w['name']} {key}: {got.get(key)} != {wanted}")
    done = lines[-1]
    check(list(done) == ["event", "weeks", "left_out", "shortages"], f"done keys {list(done)}")
    # Every week: 21 shifts one short.
    check(done["event"] == "done" and done["weeks"] == 3 and done["left_out"] == 0, f"done {done}")
    check(done["shortages"] == [[21] + [0] * 11, [0] * 11 + [21], [0] * 5 + [21] + [0] * 6], f"shortages {done}")

    with open(csv_path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    check(rows[0][:3] == ["Name", "Hours per week", "Nights"] and len(rows[1]) == 7, f"csv head {rows[:2]}")
    check(rows[1][0] == "Ann Lee" and rows[1][2] == str(want[0]["nights"]), f"csv ledger {rows[1]}")
    monthly = [r for r in rows if len(r) == 16]
    check(len(monthly) == 1 + 2 * 4 * 3 + 3, f"{len(monthly)} monthly rows")
    with open(png_path, "rb") as f:
        head = f.read(24)
    # Cropped to its content: three years of graphs, two names and the shortage block.
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", head[16:24]) == (2525, 506),
          f"png header {head!r}")

    plain = run(d, "--from", FROM.isoformat(), "--to", TO.isoformat())
    check(plain.returncode == 0 and plain.stdout.splitlines()[-1] == "weeks 3, names left out 0, staff shortages 63",
          f"plain summary {plain.stdout!r}")

    check(run(d, "--from", "2026-01-01").returncode == 2, "missing --to is a usage error")
    check(run(d, "--from", "someday", "--to", "2026-01-01").returncode == 2, "a bad date is a usage error")
    check(run(d, "--from", "2026-01-01", "--to", "2026-01-31", "--pdf", "x").returncode == 2,
          "an unknown option is a usage error")

    # A count line that does not convert: inside the range the week is left out, named by
    # file and line, and the others still analysed; outside it, the file is never read
    # past its date.
    path = os.path.join(d, "C.RWK")
    with open(path, "rb") as f:
        text = f.read().decode("utf-8").split("\r\n")
    text[345 - 1] = "two"
    with open(path, "wb") as f:
        f.write("\r\n".join(text).encode("utf-8"))
    out = run(d, "--from", FROM.isoformat(), "--to", TO.isoformat(), "--json")
    err = out.stderr.strip()
    done = json.loads(out.stdout.splitlines()[-1]) if out.stdout else {}
    check(out.returncode == 1 and done.get("weeks") == 2, f"damaged week: exit {out.returncode}, {out.stdout!r}")
    check(len(err.splitlines()) == 1 and "C.RWK" in err and "line 345" in err and "'two' is not a valid integer value" in err, f"message {err!r}")
    out = run(d, "--from", FROM.isoformat(), "--to", "2025-12-31")
    check(out.returncode == 0, f"damaged week outside the range: exit {out.returncode} {out.stderr}")

check.finish()
