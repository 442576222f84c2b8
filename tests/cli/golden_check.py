#!/usr/bin/env python3
"""Runs every `tavrola-cli` command on a copy of the demo ward and compares exit codes,
standard output, standard error and the files written with the kept outputs in golden/,
byte for byte. The temporary folder shows as $TMP; a PDF is stamped with the time it
was made, so only its pages are counted; the pictures are compared by SHA-256 (they
depend on the fonts installed). With --update the
kept outputs are written afresh instead: do that only for an intended change of output.

usage: golden_check.py CLI BINDIR [--update]"""
import difflib
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli, bindir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
update = "--update" in sys.argv[3:]
golden = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
check = Checks()

STORED = "Monday, 30 November 2026 (Cedar Ward 7).rwk"
DAMAGED = "Monday, 23 November 2026 (Cedar Ward 7).rwk"

# Weeks without a stored file lie in the past: the window treats the current week
# differently (a week picked where the picker starts is not chosen).
# name, arguments (W: the demo ward, B: a ward with one damaged week, R: a ward whose
# clinic list is saved again, O/: the output folder), files written to compare.
CASES = [
    ("usage-none", [], []),
    ("usage-help", ["--help"], []),
    ("usage-unknown-command", ["bogus"], []),
    ("usage-unknown-option", ["settings", "--data", "W", "--bogus"], []),
    ("data-missing", ["settings", "--data", "O/nowhere"], []),
    ("eval", ["eval", "--data", "W", "EARLY", "7-3", "7.30-15.30", "1900-0730", "HOL", "SICK 3.75",
              "7-3pm HOL 2", "LATE 1.2.3", "x"], []),
    ("eval-json", ["eval", "--data", "W", "--json", "--", "NIGHT", "8-8", "BH", "-5", "1.2.3"], []),
    ("eval-no-text", ["eval", "--data", "W"], []),
    ("settings", ["settings", "--data", "W"], []),
    ("settings-json", ["settings", "--data", "W", "--json"], []),
    ("week", ["week", "W/" + STORED, "--data", "W"], []),
    ("week-json-save", ["week", "W/" + STORED, "--data", "W", "--json", "--save", "O/saved.rwk"],
     ["saved.rwk"]),
    ("week-missing", ["week", "W/none.rwk", "--data", "W"], []),
    ("week-damaged", ["week", "B/" + DAMAGED, "--data", "B", "--json"], []),
    ("week-broken-ward", ["week", "B/" + STORED, "--data", "B"], []),
    ("week-no-file", ["week", "--data", "W"], []),
    ("requirements", ["requirements", "--data", "W", "--week", "2026-12-02"], []),
    ("requirements-json", ["requirements", "--data", "W", "--week", "14/12/2026", "--json"], []),
    ("requirements-no-week", ["requirements", "--data", "W"], []),
    ("requirements-bad-date", ["requirements", "--data", "W", "--week", "2026-13-01"], []),
    ("history", ["history", "--data", "W", "--week", "2026-12-07"], []),
    ("history-json", ["history", "--data", "W", "--week", "2026-11-16", "--json"], []),
    ("history-damaged", ["history", "--data", "B", "--week", "2026-12-07"], []),
    ("clinics", ["clinics", "--data", "W", "--week", "2026-11-30"], []),
    ("clinics-json-day", ["clinics", "--data", "W", "--week", "2026-12-09", "--day", "3", "--json"], []),
    ("clinics-empty-week", ["clinics", "--data", "W", "--week", "2026-12-14", "--day", "1"], []),
    ("clinics-damaged", ["clinics", "--data", "B", "--week", "2026-11-23", "--day", "1"], []),
    ("clinics-broken-ward", ["clinics", "--data", "B", "--week", "2026-11-30", "--day", "2", "--json"], []),
    ("clinics-bad-day", ["clinics", "--data", "W", "--week", "2026-12-14", "--day", "9"], []),
    ("clinics-resave", ["clinics", "--data", "R", "--resave"], ["R/Clinic.rtf"]),
    ("clinics-resave-json", ["clinics", "--data", "R", "--resave", "--json"], ["R/Clinic.rtf"]),
    ("clinics-resave-week", ["clinics", "--data", "R", "--resave", "--week", "2026-12-14"], []),
    ("stats", ["stats", "--data", "W", "--from", "2026-10-01", "--to", "2026-12-31",
               "--csv", "O/stats.csv"], ["stats.csv"]),
    ("stats-json-png", ["stats", "--data", "W", "--from", "2026-11-01", "--to", "2026-11-30",
                        "--json", "--png", "O/stats.png"], ["stats.png"]),
    ("stats-no-to", ["stats", "--data", "W", "--from", "2026-10-01"], []),
    ("stats-damaged", ["stats", "--data", "B", "--from", "2026-10-01", "--to", "2026-12-31"], []),
    ("print-week", ["print", "--data", "W", "--week", "2026-12-02", "--layout", "landscape",
                    "--pdf", "O/land.pdf", "--png", "O/land.png", "--dpi", "30"], ["land.pdf", "land.png"]),
    ("print-file-json-png", ["print", "--data", "W", "--file", "W/" + STORED, "--layout", "portrait",
                             "--pdf", "O/port.pdf", "--png", "O/port.png", "--dpi", "40", "--json"],
     ["port.pdf", "port.png"]),
    ("print-empty-week", ["print", "--data", "W", "--week", "2026-09-30", "--layout", "portrait",
                          "--pdf", "O/empty.pdf", "--png", "O/empty.png", "--dpi", "30"], ["empty.png"]),
    ("print-broken-ward", ["print", "--data", "B", "--week", "2026-12-02", "--layout", "portrait",
                           "--pdf", "O/broken.pdf"], []),
    ("print-bad-layout", ["print", "--data", "W", "--week", "2026-12-02", "--layout", "sideways",
                          "--pdf", "O/x.pdf"], []),
    ("print-week-and-file", ["print", "--data", "W", "--week", "2026-12-02", "--file", "W/" + STORED,
                             "--layout", "portrait", "--pdf", "O/x.pdf"], []),
    ("print-damaged", ["print", "--data", "B", "--week", "2026-11-23", "--layout", "portrait",
                       "--pdf", "O/x.pdf"], []),
    ("fill", ["fill", "--data", "W", "--week", "2026-11-30", "--seed", "42", "--max-candidates", "40"], []),
    ("fill-file-json-every", ["fill", "--data", "W", "--week", "2026-12-07", "--file", "W/" + STORED,
                              "--seed", "7", "--max-candidates", "3", "--every", "--json"], []),
    ("fill-empty-week-save", ["fill", "--data", "W", "--week", "2026-12-14", "--seed", "3",
                              "--max-candidates", "30", "--save", "O/filled.rwk"], ["filled.rwk"]),
    ("fill-broken-ward", ["fill", "--data", "B", "--week", "2026-12-14", "--seed", "5",
                          "--max-candidates", "1"], []),
    ("fill-bad-seed", ["fill", "--data", "W", "--week", "2026-11-30", "--seed", "minus"], []),
    ("fill-damaged", ["fill", "--data", "B", "--week", "2026-11-23", "--seed", "1"], []),
]


def copy_ward(folder):
    os.mkdir(folder)
    for name in os.listdir(bindir):
        if name in ("Staff.txt", "Clinic.rtf") or name.endswith(".rwk"):
            shutil.copy(os.path.join(bindir, name), folder)


def file_record(path):
    """A written file as kept: text files whole, pictures by hash."""
    if not os.path.exists(path):
        return b"(not written)\n"
    with open(path, "rb") as f:
        body = f.read()
    if path.endswith(".pdf"):
        # Its creation date and time is stamped into compressed metadata: the page count only.
        pages = len(re.findall(rb"/Type\s*/Page\b", body))
        return b"PDF, %d page(s)\n" % pages
    if path.endswith(".png"):
        return b"sha256 " + hashlib.sha256(body).hexdigest().encode() + b"\n"
    return body


def run_case(tmp, args, files):
    folders = {"W": "ward", "B": "broken", "R": "resave", "O": "out"}

    def expand(arg):
        head, sep, rest = arg.partition("/")
        if head in folders:
            return os.path.join(tmp, folders[head]) + (sep + rest if sep else "")
        return arg

    env = dict(os.environ, LC_ALL="C.UTF-8", XDG_RUNTIME_DIR=os.path.join(tmp, "runtime"))
    r = subprocess.run([cli, *map(expand, args)], capture_output=True, cwd=tmp, env=env)
    tmp_bytes = tmp.encode()
    record = b"exit %d\n--- stdout\n%s--- stderr\n%s" % (r.returncode, r.stdout, r.stderr)
    for name in files:
        path = expand(name) if "/" in name else os.path.join(tmp, "out", name)
        record += b"--- file " + name.encode() + b"\n" + file_record(path)
    return record.replace(tmp_bytes, b"$TMP")


with tempfile.TemporaryDirectory() as tmp:
    tmp = os.path.realpath(tmp)
    os.mkdir(os.path.join(tmp, "runtime"), 0o700)
    os.mkdir(os.path.join(tmp, "out"))
    copy_ward(os.path.join(tmp, "ward"))
    copy_ward(os.path.join(tmp, "resave"))
    copy_ward(os.path.join(tmp, "broken"))
    # One stored week with a word where a staff line's non-preferred count belongs.
    damaged = os.path.join(tmp, "broken", DAMAGED)
    with open(damaged, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[26] = b"lots"
    with open(damaged, "wb") as f:
        f.write(b"\r\n".join(lines))

    if update:
        os.makedirs(golden, exist_ok=True)
        for old in os.listdir(golden):
            if old.endswith(".txt"):
                os.remove(os.path.join(golden, old))
    for name, args, files in CASES:
        got = run_case(tmp, args, files)
        kept = os.path.join(golden, name + ".txt")
        if update:
            with open(kept, "wb") as f:
                f.write(got)
            continue
        want = open(kept, "rb").read() if os.path.exists(kept) else b""
        diff = ""
        if got != want:
            diff = "".join(list(difflib.unified_diff(
                want.decode("utf-8", "replace").splitlines(True), got.decode("utf-8", "replace").splitlines(True),
                "golden/" + name + ".txt", "now"))[:40])
        check(got == want, f"{name}: tavrola-cli {' '.join(args)}\n{diff}")

if update:
    print(f"wrote {len(CASES)} golden outputs to {golden}")
else:
    check.finish()
