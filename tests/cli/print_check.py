#!/usr/bin/env python3
"""Checks `tavrola-cli print` on a copy of the demo ward: one-page A4 PDFs of both layouts
holding the staff names (read back with pdftotext when it is installed), the page picture
at the asked resolution, and the usage and input errors, with nothing written on failure."""
import glob
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
demo = sys.argv[2]
check = Checks()
NAMES = ["Margaret Okafor", "Zoë Lambert", "José Ferreira", "Niamh Kelly"]


def run(*args):
    return subprocess.run([cli, "print", *args], capture_output=True, text=True)


def pdf_text(path):
    if not shutil.which("pdftotext"):
        return None
    return subprocess.run(["pdftotext", path, "-"], capture_output=True, text=True).stdout


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


with tempfile.TemporaryDirectory() as d:
    data = os.path.join(d, "ward")
    os.mkdir(data)
    for f in glob.glob(os.path.join(demo, "*.rwk")) + [os.path.join(demo, "Staff.txt"),
                                                       os.path.join(demo, "Clinic.rtf")]:
        shutil.copy(f, data)
    stored = os.path.join(data, "Monday, 30 November 2026 (Cedar Ward 7).rwk")

    # A Wednesday picks its week, whose stored file is loaded as the window would.
    pdf = os.path.join(d, "land.pdf")
    out = run("--week", "2026-12-02", "--layout", "landscape", "--pdf", pdf, "--data", data, "--json")
    check(out.returncode == 0, f"landscape exit code {out.returncode}: {out.stderr}")
    reply = json.loads(out.stdout or "{}")
    check(reply.get("week") == "2026-11-30", f"the week's Monday: {reply}")
    with open(pdf, "rb") as f:
        body = f.read()
    check(body.startswith(b"%PDF"), "a PDF is written")
    if shutil.which("pdfinfo"):
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        check("Pages:           1\n" in info, f"the PDF has one page: {info}")
        check("(A4)" in info and "842 x 595" in info, f"an A4 landscape page: {info}")
    text = pdf_text(pdf)
    if text is not None:
        for name in NAMES:
            check(name in text, f"landscape PDF holds {name}")
        check("NURSING STAFF TAVROLA" in text and "Cedar Ward 7" in text, "titles printed")
        # No ligature glyph hides the letters "fi" from search and copy.
        check("Northfield General Hospital" in text, "the hospital's letters as written")
        check("EARLY" in text, "duties printed")

    # A file loaded as such, in portrait, with its page picture at 60 dpi.
    pdf2 = os.path.join(d, "port.pdf")
    png = os.path.join(d, "port.png")
    out = run("--file", stored, "--layout", "portrait", "--pdf", pdf2, "--png", png, "--dpi", "60",
              "--data", data)
    check(out.returncode == 0, f"portrait exit code {out.returncode}: {out.stderr}")
    text = pdf_text(pdf2)
    if text is not None:
        for name in NAMES:
            check(name in text, f"portrait PDF holds {name}")
        check("WARD CLERKS" in text and "Week beginning" in text, "the portrait's sections")
    size = png_size(png)
    check(size is not None and abs(size[0] - 496) <= 2 and abs(size[1] - 702) <= 2,
          f"an A4 portrait picture at 60 dpi: {size}")

    # Usage errors: exit 2, nothing written.
    target = os.path.join(d, "never.pdf")
    for args, why in [
        (["--layout", "landscape", "--pdf", target], "neither --week nor --file"),
        (["--week", "2026-11-30", "--file", stored, "--layout", "landscape", "--pdf", target], "both"),
        (["--week", "2026-11-30", "--layout", "sideways", "--pdf", target], "a layout that is none"),
        (["--week", "2026-11-30", "--layout", "portrait"], "no --pdf"),
        (["--week", "2026-11-30", "--layout", "portrait", "--pdf", target, "--dpi", "90"], "--dpi without --png"),
        (["--week", "2026-11-30", "--layout", "portrait", "--pdf", target, "--png", png, "--dpi", "0"], "--dpi 0"),
        (["--week", "2026-11-30", "--layout", "portrait", "--pdf", target, "--png", png, "--dpi", "99999"],
         "--dpi too large"),
        (["--week", "someday", "--layout", "portrait", "--pdf", target], "a week that is no date"),
    ]:
        out = run(*args, "--data", data)
        check(out.returncode == 2, f"{why}: exit code {out.returncode}: {out.stderr}")
        check(not os.path.exists(target), f"{why}: nothing written")

    # Bad input: exit 1 with the file named, nothing written, an earlier PDF kept whole.
    damaged = os.path.join(d, "damaged.rwk")
    with open(stored, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[0] = b"not a date"
    with open(damaged, "wb") as f:
        f.write(b"\r\n".join(lines))
    for args, why in [
        (["--file", os.path.join(d, "missing.rwk")], "a missing week file"),
        (["--file", damaged], "a damaged week file"),
    ]:
        out = run(*args, "--layout", "landscape", "--pdf", target, "--data", data)
        check(out.returncode == 1, f"{why}: exit code {out.returncode}")
        check("rwk" in out.stderr, f"{why}: the file is named: {out.stderr}")
        check(not os.path.exists(target), f"{why}: nothing written")
    out = run("--week", "2026-11-30", "--layout", "landscape", "--pdf", os.path.join(d, "no", "such", "x.pdf"),
              "--data", data)
    check(out.returncode == 1 and "x.pdf" in out.stderr, f"an unwritable PDF path: {out.returncode} {out.stderr}")

    # An unreadable clinic list stops the print, named, unless the clinics are left out.
    clinic = os.path.join(data, "Clinic.rtf")
    os.rename(clinic, clinic + ".kept")
    os.mkdir(clinic)
    out = run("--week", "2026-11-30", "--layout", "landscape", "--pdf", target, "--data", data)
    check(out.returncode == 1 and "Clinic.rtf" in out.stderr and not os.path.exists(target),
          f"an unreadable clinic list: {out.returncode} {out.stderr}")
    out = run("--week", "2026-11-30", "--layout", "landscape", "--pdf", target, "--data", data, "--no-clinics")
    check(out.returncode == 0 and "Clinic" not in out.stderr and os.path.exists(target),
          f"--no-clinics: {out.returncode} {out.stderr}")
    os.remove(target)
    os.rmdir(clinic)
    os.rename(clinic + ".kept", clinic)

    # A stored week that does not load is not printed as an empty roster.
    shutil.copy(damaged, stored)
    out = run("--week", "2026-11-30", "--layout", "landscape", "--pdf", target, "--data", data)
    check(out.returncode == 1, f"a damaged stored week: exit code {out.returncode}")
    check(not os.path.exists(target), "a damaged stored week: nothing written")

check.finish()
