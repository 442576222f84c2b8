#!/usr/bin/env python3
"""Checks `tavrola-cli fill` on a copy of the demo ward: a seed replays a fill exactly,
the JSON lines have their documented shape, the penalties add up to the points lost,
the candidate limit holds, --save writes a week that `week` reads back, and bad options
are usage errors."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli, bindir = sys.argv[1], sys.argv[2]
check = Checks()

with tempfile.TemporaryDirectory() as ward:
    for name in os.listdir(bindir):
        if name == "Staff.txt" or name == "Clinic.rtf" or name.endswith(".rwk"):
            shutil.copy(os.path.join(bindir, name), ward)

    def fill(*args):
        return subprocess.run([cli, "fill", "--data", ward, *args], capture_output=True, text=True)

    a = fill("--week", "2026-11-30", "--seed", "42", "--max-candidates", "400", "--json", "--every")
    b = fill("--week", "2026-11-30", "--seed", "42", "--max-candidates", "400", "--json", "--every")
    check(a.returncode == 0, f"fill runs: {a.stderr}")
    check(a.stdout == b.stdout, "the same seed gives the same candidates, scores and result")
    lines = [json.loads(l) for l in a.stdout.splitlines()]
    events = [l["event"] for l in lines]
    check(events.count("candidate") == 400, "--every reports every candidate")
    check(events.count("best") >= 1 and events[-1] == "done", "new bests, then the end")
    done = lines[-1]
    check(done["seed"] == 42 and done["candidates"] == 400, "the seed and the candidate count")
    check(len(done["grid"]) == 7 and all(len(day) == 25 for day in done["grid"]), "the grid: 7 days of 25 cells")
    check(len(done["slots"]) == 6 and all(len(s["cells"]) == 7 for s in done["slots"]), "six slots of 7 days")
    check(sum(p["points"] for p in done["penalties"]) == 100 - done["unclamped"],
          "the penalties add up to the points lost")
    check(done["best"] == max(0, done["unclamped"]), "the best is the unclamped score floored at 0")
    rules = {p["rule"] for p in done["penalties"]}
    check(rules <= {"skill-required", "skill-preferable", "understaffed", "contract"}, f"rule names: {rules}")
    # The stored week's entries stay; its empty cells show "DO" on the staff lines.
    check(done["grid"][0][0] == "NIGHT" and "DO" in done["grid"][2][:18], "requests kept, empty cells DO")

    check(all(l["phase"] in ("random", "improve") for l in lines if l["event"] == "best"), "each best names its phase")
    check(all(s["unclamped"] <= 100 and s["score"] == max(0, s["unclamped"]) for s in done["slots"]),
          "every slot has its real score")
    check(done["slots"][0]["unclamped"] == done["unclamped"], "slot 0 is the best")
    check(len(done["summary"]) == 7 and all("/" in d for d in done["summary"]), "the cover of each day")
    check(not any("/" in cell for day in done["grid"] for cell in day), "no summary in a duty cell")
    # The cover by day agrees with the grid: each shift's head count is the staff on it.
    kinds = {"AM": ("EARLY",), "PM": ("LATE",), "N": ("NIGHT",)}
    check(all([s["shift"] for s in day] == ["AM", "PM", "N"] and
              all(s["count"] >= sum(c in kinds[s["shift"]] for c in done["grid"][d]) and
                  all(0 < n <= s["count"] for n in s["skills"].values()) for s in day)
              for d, day in enumerate(done["cover"])), f"cover by day: {done['cover'][0]}")
    r = fill("--week", "2026-11-30", "--seed", "42", "--max-candidates", "400", "--json", "--no-improve")
    phases = {json.loads(l).get("phase") for l in r.stdout.splitlines()} - {None}
    check(r.returncode == 0 and phases == {"random"}, f"--no-improve runs the random phase alone: {phases}")

    c = fill("--week", "2026-11-30", "--seed", "43", "--max-candidates", "50", "--json")
    check(json.loads(c.stdout.splitlines()[-1])["candidates"] == 50, "--max-candidates stops the fill")
    check("candidate\"" not in c.stdout.replace('"candidate":', ""), "without --every no candidate lines")

    out = os.path.join(ward, "filled.rwk")
    d = fill("--week", "2026-11-30", "--seed", "5", "--max-candidates", "20", "--save", out)
    check(d.returncode == 0 and os.path.isfile(out), f"--save writes the week: {d.stderr}")
    week = subprocess.run([cli, "week", out, "--data", ward, "--json"], capture_output=True, text=True)
    check(week.returncode == 0, "the saved week reads back")
    check("seed 5, 20 candidates" in d.stdout, "the plain report names seed and candidates")

    for bad in (["--week", "2026-11-30", "--seed", "x"], ["--week", "2026-11-30", "--max-candidates", "0"],
                ["--seed", "1"], ["--week", "2026-11-30", "--bogus"], ["--week", "2026-11-30", "--time-limit", "0"]):
        r = fill(*bad)
        check(r.returncode == 2, f"usage error for {bad}: {r.returncode}")
    r = fill("--week", "2026-11-30", "--file", os.path.join(ward, "missing.rwk"))
    check(r.returncode == 1 and "missing.rwk" in r.stderr, "a week file that does not read is named")

check.finish()
