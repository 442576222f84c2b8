#!/usr/bin/env python3
"""Checks the command line against hostile and odd input: special files in the place of
the ward's files, other encodings, odd names, wrong options and folders. Every run has a
timeout: a reader that opens a named pipe would wait for ever."""
import json
import os
import resource
import shutil
import socket
import stat
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import Checks  # noqa: E402

cli = sys.argv[1]
demo = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "demo")
week_name = "Monday, 30 November 2026 (Cedar Ward 7).rwk"
check = Checks()


def run(*args):
    try:
        out = subprocess.run([cli, *args], capture_output=True, timeout=20)
    except subprocess.TimeoutExpired:
        return None
    out.stdout = out.stdout.decode("utf-8", "replace")
    # Without a session Qt notes where it keeps runtime files; that is not our message.
    out.stderr = "".join(l for l in out.stderr.decode("utf-8", "replace").splitlines(True)
                         if not l.startswith("QStandardPaths:"))
    return out


def ward(d):
    shutil.copy(os.path.join(demo, "Staff.txt"), d)
    shutil.copy(os.path.join(demo, week_name), d)
    return d


def refused(out, code, *words):
    return (out is not None and out.returncode == code and out.stderr.count("\n") == 1
            and all(w in out.stderr for w in words))


with tempfile.TemporaryDirectory() as d:
    ward(d)
    plain = run("requirements", "--data", d, "--week", "2026-11-30")
    check(plain is not None and plain.returncode == 0, "requirements without a clinic list")

    # A named pipe in the place of each file: reported by name, quickly.
    with tempfile.TemporaryDirectory() as p:
        os.mkfifo(os.path.join(p, "Staff.txt"))
        out = run("settings", "--data", p)
        check(refused(out, 1, "Staff.txt", "named pipe"), f"pipe as Staff.txt: {out and out.stderr!r}")
    os.mkfifo(os.path.join(d, "Clinic.rtf"))
    out = run("requirements", "--data", d, "--week", "2026-11-30")
    check(refused(out, 1, "Clinic.rtf", "named pipe"), f"pipe as Clinic.rtf: {out and out.stderr!r}")
    os.remove(os.path.join(d, "Clinic.rtf"))
    os.mkfifo(os.path.join(d, "pipe.rwk"))
    out = run("week", os.path.join(d, "pipe.rwk"), "--data", d)
    check(refused(out, 1, "pipe.rwk", "named pipe"), f"pipe as week file: {out and out.stderr!r}")
    os.remove(os.path.join(d, "pipe.rwk"))
    os.symlink("loop.rwk", os.path.join(d, "loop.rwk"))
    out = run("week", os.path.join(d, "loop.rwk"), "--data", d)
    check(refused(out, 1, "loop.rwk", "loop of symbolic links"), f"link loop: {out and out.stderr!r}")
    os.remove(os.path.join(d, "loop.rwk"))

    # A clinic list saved as UTF-16 reads as the same list.
    clinic = open(os.path.join(demo, "Clinic.rtf"), "rb").read()
    shutil.copy(os.path.join(demo, "Clinic.rtf"), d)
    utf8 = run("requirements", "--data", d, "--week", "2026-11-30", "--json")
    with open(os.path.join(d, "Clinic.rtf"), "wb") as f:
        f.write(b"\xff\xfe" + clinic.decode("cp1252").encode("utf-16-le"))
    utf16 = run("requirements", "--data", d, "--week", "2026-11-30", "--json")
    check(utf16.returncode == 0 and utf16.stdout == utf8.stdout and utf8.stdout != plain.stdout,
          f"UTF-16 clinic list: {utf16.stderr!r}")

    # Odd names: a byte that is not UTF-8 opens and is quoted escaped; a line break in a
    # name keeps the message on one line.
    odd = os.path.join(d, b"Week \xff.rwk".decode("utf-8", "surrogateescape"))
    shutil.copy(os.path.join(d, week_name), odd)
    out = run("week", odd, "--data", d, "--json")
    check(out.returncode == 0 and json.loads(out.stdout.splitlines()[0])["file"] == odd,
          f"0xFF name: {out.stderr!r}")
    os.remove(odd)
    out = run("week", odd, "--data", d)
    check(refused(out, 1, "File not found", "Week \\xFF.rwk"), f"missing 0xFF name: {out.stderr!r}")
    out = run("week", os.path.join(d, "two\nlines.rwk"), "--data", d)
    check(refused(out, 1, "two\\nlines.rwk"), f"line break in a name: {out.stderr!r}")
    out = run("requirements", "--data", d, "--week", "2" * 100000)
    check(out.returncode == 2 and "100000 characters" in out.stderr and len(out.stderr) < 1000, "a 100 kB --week is shortened")

    # Saves: a folder is refused, nothing is written beside it; stale temporaries go.
    os.mkdir(os.path.join(d, "out"))
    out = run("week", os.path.join(d, week_name), "--data", d, "--save", os.path.join(d, "out"))
    check(refused(out, 1, "is a folder") and not os.path.exists(os.path.join(d, "out.rwk")),
          f"--save DIR: {out.stderr!r}")
    # Only a regular file is replaced: a device, a pipe, a link that leads nowhere stay as
    # they are, and "-" is standard output.
    stats = ("stats", "--data", d, "--from", "2026-11-01", "--to", "2026-12-31")
    device = os.path.join(d, "null.csv")
    try:
        os.mknod(device, stat.S_IFCHR | 0o666, os.makedev(1, 3))
        out = run(*stats, "--csv", device)
        check(refused(out, 1, "null.csv", "is a device") and stat.S_ISCHR(os.lstat(device).st_mode),
              f"--csv DEVICE: {out.stderr!r}")
    except PermissionError:
        pass  # no device nodes without root
    os.mkfifo(os.path.join(d, "pipe.pdf"))
    os.symlink("none/x.pdf", os.path.join(d, "gone.pdf"))
    listening = socket.socket(socket.AF_UNIX)
    listening.bind(os.path.join(d, "sock.pdf"))
    for name, why in (("pipe.pdf", "is a named pipe"), ("gone.pdf", "is a symbolic link to nothing"),
                      ("sock.pdf", "is a socket")):
        out = run("print", "--data", d, "--week", "2026-11-30", "--layout", "portrait", "--pdf", os.path.join(d, name))
        check(refused(out, 1, name, why), f"--pdf {name}: {out and out.stderr!r}")
    listening.close()
    out = run(*stats, "--csv", "-")
    check(out.returncode == 0 and "\ufeffName,Hours per week" in out.stdout and not os.path.exists("-"),
          f"--csv -: {out.stderr!r}")

    # A save that reaches the file-size limit says so and leaves no temporary behind.
    def small_files():
        resource.setrlimit(resource.RLIMIT_FSIZE, (200, 200))
    csv_path = os.path.join(d, "big.csv")
    out = subprocess.run([cli, *stats, "--csv", csv_path], capture_output=True, text=True, timeout=20,
                         preexec_fn=small_files)
    check(out.returncode == 1 and "File too large" in out.stderr and not os.path.exists(csv_path)
          and not [n for n in os.listdir(d) if n.startswith("~tavrola-save-")],
          f"file-size limit: {out.returncode} {out.stderr!r}")

    stale, fresh = (os.path.join(d, f"~tavrola-save-{t}.tmp") for t in ("aaaaaa", "bbbbbb"))
    for p in (stale, fresh):
        open(p, "w").write("partial")
    os.utime(stale, (time.time() - 7200, time.time() - 7200))
    run("settings", "--data", d)
    check(not os.path.exists(stale) and os.path.exists(fresh), "a stale save temporary is removed")

    # Options: one parser for every command; unknown ones are usage errors.
    for args in (["eval", "7-3"], ["settings"], ["week", os.path.join(d, week_name)],
                 ["requirements", "--week", "2026-11-30"], ["history", "--week", "2026-11-30"],
                 ["print", "--week", "2026-11-30", "--layout", "portrait", "--pdf", os.path.join(d, "x.pdf")]):
        out = run(*args, "--data", d, "--colour")
        check(refused(out, 2, "unknown option", "colour") or
              (out.returncode == 2 and "unknown option" in out.stderr), f"{args[0]} --colour: {out.stderr!r}")
    check(run("eval", "--data", d, "7-3", "EARLY").returncode == 0, "eval of good texts")
    out = run("eval", "--data", d, "7-3", "HOL 7..5")
    check(out.returncode == 1 and out.stdout.count("\n") == 2, "eval exits 1 when a text fails to convert")

    # The data folder: missing, or a file.
    out = run("settings", "--data", os.path.join(d, "none"))
    check(refused(out, 1, "Data folder not found"), f"missing data folder: {out.stderr!r}")
    out = run("settings", "--data", os.path.join(d, "Staff.txt"))
    check(refused(out, 1, "is a file, not a folder") and "Staff.txt/Staff.txt" not in out.stderr,
          f"data folder is a file: {out.stderr!r}")

    # Real settings come out without an exponent.
    staff = open(os.path.join(d, "Staff.txt"), encoding="utf-8", errors="replace").read()
    with open(os.path.join(d, "Staff.txt"), "w", encoding="utf-8") as f:
        f.write("MidShiftBreak = 0.0005 ;\r\nHoursWorkedOnN = 100000 ;\r\n" + staff.replace("MidShiftBreak", "X"))
    out = run("settings", "--data", d)
    check("0.0005" in out.stdout and "100000" in out.stdout and "e-0" not in out.stdout, "no exponent forms")

check.finish()
