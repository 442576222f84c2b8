#!/usr/bin/env python3
"""Independent cross-check of the duty-text evaluator behind `tavrola-cli eval`.

A second, separately written reading of how a day cell's text turns into hours
and shift flags, how absence codes add their hours, and how a contracted-hours
text is read.  Several thousand texts come from a seeded generator (the same
texts on every run), are evaluated by the program and by the reference below,
and every value is compared in single precision.

Usage: eval_check.py TAVROLA_CLI DATA_DIR
DATA_DIR is accepted for the test runner's sake; the check writes its own
Staff.txt files into a temporary folder so it never depends on the demo ward.
"""

import json
import os
import random
import re
import struct
import subprocess
import sys
import tempfile

SEED = 20240611
BATCH = 300
MAX_REPORTED = 20


def f32(x):
    """Round a Python float to the nearest single-precision value."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


class ConversionFailed(Exception):
    """A number text that is not a valid decimal number."""


def to_single(number_text):
    # Digits with at most one point and at least one digit: "7." and ".5" are fine,
    # "." and "7.5.5" are not.
    if number_text.count(".") > 1 or not any(is_digit(c) for c in number_text):
        raise ConversionFailed(number_text)
    return f32(float(number_text))


def is_digit(c):
    return "0" <= c <= "9"


def upper_keep_length(text):
    # Upper-case one character at a time so positions stay where they were.
    out = []
    for c in text:
        u = c.upper()
        out.append(u if len(u) == 1 else c)
    return "".join(out)


# ---------------------------------------------------------------------------
# Ward settings and their Staff.txt

ABSENCE_KEYS = [
    "NameHolidayFullDay", "NameHolidayHalfDay", "NameIllness",
    "NameLeaveMaternity", "NameLeavePaternity", "NameLeaveCarers",
    "NameLeaveDomestic", "NameLeaveEmergency", "NameLeaveAbsent",
    "NameTrainingStudyDay", "NameTrainingAdminDay",
]


def mask(*hour_ranges):
    """24-character core-hour text; each (first, last) marks positions first..last."""
    chars = ["0"] * 24
    for first, last in hour_ranges:
        for p in range(first, last + 1):
            chars[p - 1] = "1"
    return "".join(chars)


class Ward:
    def __init__(self, label, am, pm, night, codes, hours_am, hours_pm, hours_n,
                 hol_full, hol_half, brk, am_mask, pm_mask, n_mask):
        assert len(codes) == 11
        self.label = label
        self.names = (am, pm, night)
        self.codes = codes
        self.hours_text = (hours_am, hours_pm, hours_n, hol_full, hol_half, brk)
        self.shift_hours = (f32(float(hours_am)), f32(float(hours_pm)), f32(float(hours_n)))
        self.hol_full = f32(float(hol_full))
        self.brk = f32(float(brk))
        self.masks = (am_mask, pm_mask, n_mask)
        self.ones = tuple(m.count("1") for m in self.masks)

    def staff_txt(self):
        def form_a(key, value, comment):
            return key.ljust(24) + "= " + value.ljust(50)[:50] + ";" + comment

        def form_b(key, value, comment=" "):
            return key.ljust(25) + "= " + value.ljust(40)[:40] + ";" + comment

        days = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
        lines = [form_a("HOSPITAL", "Check Hospital", "HOSPITAL OR OTHER TITLE"),
                 form_a("WARD", "Ward " + self.label, "WARD OR CLINIC"),
                 "", form_a("AnalysisStartDate", "", "START DATE"), "", ""]
        lines.append("Ann Example".ljust(30) + "," + "".ljust(30) + "," + "B5".ljust(10) + ","
                     + "37.5".ljust(5) + "," + self.names[0].ljust(15) + " ,Monday".ljust(12))
        lines += [" " * 30 + "," + " " * 30 + "," + " " * 10 + "," + " " * 5 + "," + " " * 15] * 24
        lines += ["", ""]
        for shift in ("AM", "PM", "N"):
            lines += [form_b(d + shift + "StaffRequired", "2", "") for d in days]
            lines.append("")
        keys = ["NameAMShift", "NamePMShift", "NameNShift"] + ABSENCE_KEYS
        values = list(self.names) + list(self.codes)
        lines += [form_b(k, v, "NAME/CODE") for k, v in zip(keys[:6], values[:6])]
        lines.append("")
        hour_keys = ["HoursWorkedOnAM", "HoursWorkedOnPM", "HoursWorkedOnN",
                     "HoursHolidayFullDay", "HoursHolidayHalfDay", "MidShiftBreak"]
        lines += [form_b(k, v, "Hours") for k, v in zip(hour_keys, self.hours_text)]
        lines.append("")
        lines += [form_b(k, v, "NAME/CODE") for k, v in zip(keys[6:], values[6:])]
        lines.append("")
        lines += [form_b(k, m, "CORE HOURS")
                  for k, m in zip(("AMShiftHours", "PMShiftHours", "NShiftHours"), self.masks)]
        lines += ["", form_b("RequiredNursesPerDoctor", "0"),
                  form_b("PreferableNursesPerDoctor", "0"), ""]
        lines += [form_b("SkillCheckBoxes", "000000"), ""]
        return "\r\n".join(lines) + "\r\n"


WARDS = [
    # A realistic ward.  Its short shift names hide inside codes: "L" in HOL and AWL,
    # "E" in EMG, "N" in ADMIN; "1/2" starts with a digit.
    Ward("Realistic", "E", "L", "N",
         ["HOL", "1/2", "SICK", "MAT", "PAT", "CAR", "DOM", "EMG", "AWL", "STUDY", "ADMIN"],
         "7.5", "7.5", "11.5", "7.5", "3.75", "0.5",
         mask((8, 15)), mask((14, 21)), mask((21, 24), (1, 7))),
    # Overlapping codes (H inside HOL, S inside SICK and ST, A inside AM), an empty code,
    # a lower-case code, "PM" as a shift name, ten-hour masks (0.7 x 10 must be exact),
    # values that single precision cannot hold exactly.
    Ward("Overlap", "AM", "PM", "Night",
         ["H", "HOL", "S", "SICK", "", "M", "C", "EM", "A", "st", "D"],
         "8", "7.25", "10", "7.3", "3.5", "1.1",
         mask((7, 16)), mask((13, 22)), mask((22, 24), (1, 6))),
    # An all-zero PM mask, an empty night name, mixed-case names and codes, a code that
    # is a digit and another that starts with one.
    Ward("Zeros", "Early", "late", "",
         ["AL", "1/2", "Sick", "Mat", "pat", "2", "DL", "EL", "AWOL", "SD", "X"],
         "7.3", "7.7", "9.6", "6.25", "3", "0.75",
         mask((7, 14)), "0" * 24, mask((23, 24), (1, 6))),
    # Codes made of punctuation and digits (a minus sign, a point, "10"), "PM" as a code,
    # a digit as the night name, a break longer than six hours, masks of 24, 1 and 2 hours.
    Ward("Odd", "e", "Late Shift", "7",
         ["-", ".", "+", "PM", "_x", "\\", "a:b", "", "1/2", "10", "HOL"],
         "12", "0.25", "7.75", "7.5", "4", "6.5",
         mask((1, 24)), mask((24, 24)), mask((12, 13))),
    # Nothing configured but one name and one code; every mask is zero and there is no break.
    Ward("Bare", "D", "", "",
         ["", "", "S", "", "", "", "", "", "", "", ""],
         "8", "0", "0", "8", "0", "0",
         "0" * 24, "0" * 24, "0" * 24),
]


# ---------------------------------------------------------------------------
# Reference evaluator

def duty_hours(text, ward):
    """Hours and shift flags of a day-cell text."""
    # Time digits count only before the first absence code.
    limit = len(text)
    for code in ward.codes:
        if code:
            at = text.find(code) + 1
            if at > 0 and at < limit:
                limit = at - 1
    up = upper_keep_length(text)

    # Digit groups as [digits, start, end], positions counted from 1; eleven at most.
    groups = []
    open_group = False
    for pos in range(1, limit + 1):
        c = up[pos - 1]
        if is_digit(c):
            if open_group:
                groups[-1][0] += c
                groups[-1][2] = pos
            elif len(groups) < 11:
                groups.append([c, pos, pos])
                open_group = True
        else:
            open_group = False
    count = len(groups)

    start_g = end_g = None
    s_min = e_min = 0
    if count == 2:
        start_g, end_g = groups[0], groups[1]
    elif count == 4:
        start_g, end_g = groups[0], groups[2]
        s_min, e_min = int(groups[1][0]), int(groups[3][0])
    elif count == 3:
        gap01 = groups[1][1] - groups[0][2] - 1
        gap12 = groups[2][1] - groups[1][2] - 1
        dash = up.find("-") + 1
        if gap01 > gap12 or (dash > 0 and dash < groups[1][2]):
            start_g, end_g = groups[0], groups[1]
            e_min = int(groups[2][0])
        else:
            start_g, end_g = groups[0], groups[2]
            s_min = int(groups[1][0])
    s_hour = int(start_g[0]) if start_g else 0
    e_hour = int(end_g[0]) if end_g else 0

    mode = 12
    if s_hour > 12 or e_hour > 12:
        # 24-hour clock: only three- or four-digit groups hold hours and minutes.
        mode = 24
        if len(start_g[0]) in (3, 4):
            s_min, s_hour = s_hour % 100, s_hour // 100
        if len(end_g[0]) in (3, 4):
            e_min, e_hour = e_hour % 100, e_hour // 100

    slot = s_hour + 1
    pm_at = up.find("PM") + 1
    if count and pm_at > 0 and pm_at < groups[-1][2] and s_hour < 12 and mode == 12:
        slot += 12

    marked = set()
    whole_hours = 0
    walked = count >= 2 and e_hour + mode != 12 and s_hour <= mode and e_hour <= mode
    if walked:
        h = s_hour
        while True:
            marked.add(slot)
            whole_hours += 1
            h += 1
            slot += 1
            if mode == 24 and h == 24:
                h = 0
            if mode == 12 and h == 13:
                h = 1
            if slot == 25:
                slot = 1
            if h == e_hour or whole_hours >= 24:
                break

    # Only a walked clock range gets shift flags; a mask without ones marks every one.
    flags = 0
    for bit, m, ones in zip((1, 2, 4), ward.masks, ward.ones):
        covered = sum(1 for s in marked if 1 <= s <= 24 and m[s - 1] == "1")
        if walked and 10 * covered >= 7 * ones:
            flags |= bit

    hours = f32(whole_hours - s_min / 60 + e_min / 60)
    if hours > 6.0:
        hours = f32(hours - ward.brk)
    if hours == 0:
        for bit, name, worked in zip((1, 2, 4), ward.names, ward.shift_hours):
            if name and upper_keep_length(name) in up:
                hours, flags = worked, bit
    return hours, flags


def code_hours(text, code, so_far, ward):
    i = text.find(code) + len(code)
    number = ""
    while i < len(text) and text[i] in " .0123456789":
        if text[i] != " ":
            number += text[i]
        i += 1
    if number:
        return to_single(number)
    return ward.hol_full if so_far == 0 else 0.0


def day_hours(text, ward):
    hours, _ = duty_hours(text, ward)
    for code in ward.codes:
        if code and code in text:
            hours = f32(hours + code_hours(text, code, hours, ward))
    return hours


DONT_CARE = object()


def hours_set_value(text, first_only):
    runs = re.findall(r"[0-9.]+", text)
    if len(runs) > 21:
        return DONT_CARE        # more groups than an hours text may hold
    a = to_single(runs[0]) if runs else 0.0
    b = to_single(runs[1]) if len(runs) > 1 else 0.0
    if first_only:
        return a
    return f32(a - b) if "-" in text else f32(a + b)


def expected(text, ward):
    hours, flags = duty_hours(text, ward)
    exp = {"hours": hours, "flags": flags}
    for key, fn in (("day_hours", lambda: day_hours(text, ward)),
                    ("contract", lambda: hours_set_value(text, False)),
                    ("contract_first", lambda: hours_set_value(text, True))):
        try:
            exp[key] = fn()
        except ConversionFailed:
            exp[key] = None     # the program must report an error instead
    return exp


# Hand-worked results for the realistic ward, kept to catch a slip in the reference
# itself: (text, hours, flags, day_hours).
HAND_WORKED = [
    ("7-3", 7.5, 1, 7.5),              # slots 8..15, break taken
    ("0730-1530", 7.5, 1, 7.5),        # 24-hour clock: 8 h - 30 min + 30 min - break
    ("7.30-15.30", 7.5, 1, 7.5),       # short hour groups keep their minutes
    ("19-07", 11.5, 4, 11.5),          # over midnight, 12 h less the break
    ("PM 1-9", 7.5, 2, 7.5),           # PM moves the walk to slot 14
    ("1-9 PM", 7.5, 0, 7.5),           # PM after the last digit does not
    ("9-3", 6.0, 1, 6.0),              # six hours: no break
    ("9-3.30", 6.0, 1, 6.0),           # six and a half: break taken
    ("E", 7.5, 1, 7.5),                # early-shift name, no break
    ("HOL 4", 7.5, 2, 11.5),           # "L" inside HOL reads as the late shift
    ("SICK 7-3", 0.0, 0, 7.0),         # digits after a code are the code's hours
    ("7-3 SICK", 7.5, 1, 7.5),         # code without number on a worked day adds 0
    ("STUDY", 0.0, 0, 7.5),            # ... and on an empty day the full-day hours
    ("20-24", 23.5, 7, 23.5),          # hour 24 never equals the wrapped hour: 24 h walk
    ("12-12", 11.5, 2, 11.5),          # start = end in 12-hour mode: 12 hours
    ("7.30-0.15", -0.25, 0, -0.25),    # no walk, minutes still counted
]
HAND_CONTRACT = [("37.5", 37.5, 37.5), ("37.5 +2.5", 40.0, 37.5), ("37.5 -2.5", 35.0, 37.5),
                 ("", 0.0, 0.0), ("7.5-3.25", 4.25, 7.5), ("37,5", 42.0, 37.0)]


def self_check():
    ward = WARDS[0]
    problems = []
    for text, hours, flags, day in HAND_WORKED:
        got = (duty_hours(text, ward), day_hours(text, ward))
        if got != ((f32(hours), flags), f32(day)):
            problems.append((text, (hours, flags, day), got))
    for text, contract, first in HAND_CONTRACT:
        got = (hours_set_value(text, False), hours_set_value(text, True))
        if got != (f32(contract), f32(first)):
            problems.append((text, (contract, first), got))
    return problems


# ---------------------------------------------------------------------------
# Text generator

SEPARATORS = ["-", "-", "-", "-", ".", ".", ":", " ", "/", " - ", "--", ". ", "a", "x",
              "h", "PM", "pm", "am", " to ", "-PM", "..", "p", "M", "-", "\u00e9", "  "]
CODE_TAILS = ["", "", " ", " 4", "4", " 7.5", "7.5", " .", ".", " 7.5.5", "7.5.5", " 3 .5",
              " .5", " 7.", "..", " 1 2", " 0", "  12.25", ". 5", ".5.", "5-", " 3.75",
              " 7.5 ", "x7", " 10"]
FILLERS = ["", "", "", " ", "x", "Ab", "on call", "\u00fc", "Zo\u00eb", "#", "(", "??", "\t"]


def rand_group(rng):
    kind = rng.random()
    if kind < 0.35:
        return str(rng.randint(0, 9))
    if kind < 0.65:
        return "%02d" % (rng.randint(0, 25) if rng.random() < 0.8 else rng.randint(0, 99))
    if kind < 0.8:
        return "%03d" % (rng.choice([700, 730, 800, 830, 900, 915, 15, 30, 45, 0, 1, 999])
                         if rng.random() < 0.6 else rng.randint(0, 999))
    hh = rng.randint(0, 25) if rng.random() < 0.85 else rng.randint(0, 99)
    mm = rng.choice([0, 0, 15, 30, 45, rng.randint(0, 99)])
    return "%02d%02d" % (hh, mm)


def rand_case(rng, s):
    return "".join(c.upper() if rng.random() < 0.5 else c.lower() for c in s)


def rand_code_piece(rng, ward):
    codes = [c for c in ward.codes if c]
    return rng.choice(codes) + rng.choice(CODE_TAILS)


def rand_name_piece(rng, ward):
    names = [n for n in ward.names if n] or ["E"]
    name = rng.choice(names)
    return rand_case(rng, name) if rng.random() < 0.5 else name


def rand_count(rng):
    r = rng.random()
    if r < 0.03:
        return 0
    if r < 0.10:
        return 1
    if r < 0.45:
        return 2
    if r < 0.70:
        return 3
    if r < 0.90:
        return 4
    if r < 0.98:
        return rng.randint(5, 11)
    return rng.randint(12, 14)


def rand_time_text(rng, ward):
    parts = []
    r = rng.random()
    if r < 0.15:
        parts.append(rng.choice(["PM ", "pm", "Pm ", "am ", "P M ", "PM"]))
    elif r < 0.3:
        parts.append(rand_code_piece(rng, ward) + " ")
    elif r < 0.38:
        parts.append(rand_name_piece(rng, ward) + " ")
    elif r < 0.45:
        parts.append(rng.choice(FILLERS))
    n = rand_count(rng)
    for i in range(n):
        if i:
            if rng.random() < 0.06:
                parts.append(" " + rand_code_piece(rng, ward) + " ")
            else:
                parts.append(rng.choice(SEPARATORS))
        parts.append(rand_group(rng))
    r = rng.random()
    if r < 0.15:
        parts.append(rng.choice([" PM", "pm", "PM", " am", "P.M.", "  pM"]))
    elif r < 0.35:
        parts.append(" " + rand_code_piece(rng, ward))
    elif r < 0.42:
        parts.append(" " + rand_name_piece(rng, ward))
    elif r < 0.48:
        parts.append(rng.choice(FILLERS))
    return "".join(parts)


def rand_word_text(rng, ward):
    """Shift names and codes without a time range."""
    pieces = []
    for _ in range(rng.randint(1, 3)):
        pieces.append(rand_name_piece(rng, ward) if rng.random() < 0.5
                      else rand_code_piece(rng, ward))
    return rng.choice([" ", "", "/", " + "]).join(pieces)


def rand_contract_text(rng):
    a = rng.choice(["37.5", "37", "22.5", "0", "7.", ".5", "15", "30.25", "37.3", "."])
    b = rng.choice(["2.5", "0.1", "1.25", "10", ".", "7.5.5", "3.3", "0.7"])
    return rng.choice(["%s", "%s +{b}", "%s -{b}", "%s {b}", "{b} %s", "-%s", "%s-", "x%sy{b}",
                       "%s +{b} -1"]).replace("{b}", b) % a


FIXED_TEXTS = [
    "", " ", "-", "--", "PM", "pm", "7", "7-", "-3", "7-3", "7-3PM", "7 - 3", "7:00-15:00",
    "0730-1530", "7.30-15.30", "7.30-3.30 PM", "19-07", "1900-0730", "PM 1-9", "pm1-9",
    "9-3", "9-3.30", "9.30-3", "6-12", "12-6", "12-12", "0-0", "0-8", "24-8", "8-24",
    "20-24", "2400-0800", "2000-2400", "13-13", "7-7", "12-0", "00-00", "0000-0000",
    "7.30-0.15", "2530-0800", "0715-1545", "715-1545", "7.15-3.45", "07.15-15.45",
    "7-3.30", "7.30-3", "7 30-3", "7.30 3", "7..3", "7--3", "7-3-9", "7.3-9", "1.2.3",
    "1-2-3-4-5", "1 2 3 4 5 6 7 8 9 10 11", "1 2 3 4 5 6 7 8 9 10 11 12 13",
    "\uff17-\uff13", "\u0667-\u0663", "7-\uff13", "Zo\u00eb 7-3", "\u00e97-3\u00e9",
    "37.5", "37.5 +2.5", "37.5 -2.5", ".", "7.5.5", "7.", ".5", "37,5", "+2.5", "-2.5",
    "37.5-", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22",
    "6-1", "6-12", "9-4", "0-7", "1-8", "7-3\n", "\r\n7-3", "\"7-3\"", "7\\3", "7\t-\t3",
]


def ward_texts(rng, ward):
    texts = list(FIXED_TEXTS)
    named = [c for c in ward.codes if c] + [n for n in ward.names if n]
    for word in named:
        texts += [word, word.lower(), word.upper(), word + " 7-3", "7-3 " + word,
                  word + " 4", word + "4", word + " .", word + " 7.5.5", word + "..",
                  word + " 7.5", "PM " + word + " 1-9", "1-" + word + "9", word + word]
    for text, *_ in HAND_WORKED:
        texts.append(text)
    for _ in range(1250):
        r = rng.random()
        if r < 0.75:
            texts.append(rand_time_text(rng, ward))
        elif r < 0.9:
            texts.append(rand_word_text(rng, ward))
        else:
            texts.append(rand_contract_text(rng))
    return texts


# ---------------------------------------------------------------------------
# Running the program and comparing

def run_cli(cli, data_dir, texts):
    """Evaluate texts through the program; returns one parsed object per text."""
    results = []
    for first in range(0, len(texts), BATCH):
        batch = texts[first:first + BATCH]
        proc = subprocess.run([cli, "eval", "--data", data_dir, "--json", "--"] + batch,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
        lines = [ln for ln in proc.stdout.decode("utf-8").splitlines() if ln.strip()]
        # Every text is shown; the run fails (1) exactly when one did not convert.
        failed = any('"error":' in ln for ln in lines)
        if proc.returncode != (1 if failed else 0) or len(lines) != len(batch):
            raise RuntimeError("tavrola-cli eval exited with %d and %d lines for %d texts: %s"
                               % (proc.returncode, len(lines), len(batch),
                                  proc.stderr.decode("utf-8", "replace").strip()[:500]))
        results += [json.loads(ln) for ln in lines]
    return results


def compare(text, exp, got):
    """Disagreements between the reference and one object of the program."""
    bad = []
    if got.get("text") != text:
        bad.append(("text", text, got.get("text")))
    for key in ("hours", "flags", "day_hours", "contract", "contract_first"):
        want = exp[key]
        if want is DONT_CARE:
            continue
        have = got.get(key)
        if want is None:
            if have is not None or "error" not in got:
                bad.append((key, "conversion error", have if have is not None else "no error"))
            continue
        if not isinstance(have, (int, float)) or isinstance(have, bool):
            bad.append((key, want, have))
        elif key == "flags":
            if have != want:
                bad.append((key, want, have))
        elif f32(float(have)) != want:
            bad.append((key, want, have))
    if "error" in got and all(exp[k] is not None and exp[k] is not DONT_CARE
                              for k in ("day_hours", "contract", "contract_first")):
        bad.append(("error", "none", got["error"]))
    return bad


def main(argv):
    if len(argv) < 2:
        print("usage: eval_check.py TAVROLA_CLI [DATA_DIR]", file=sys.stderr)
        return 2
    cli = argv[1]

    slips = self_check()
    if slips:
        for text, want, got in slips:
            print("reference slip: %r worked by hand %r, reference %r" % (text, want, got))
        print("0 passed, %d failed" % len(slips))
        return 1

    rng = random.Random(SEED)
    passed = failed = 0
    shown = 0
    with tempfile.TemporaryDirectory(prefix="tavrola-eval-") as tmp:
        for ward in WARDS:
            folder = os.path.join(tmp, ward.label)
            os.mkdir(folder)
            with open(os.path.join(folder, "Staff.txt"), "w", encoding="utf-8",
                      newline="") as f:
                f.write(ward.staff_txt())
            texts = ward_texts(rng, ward)
            try:
                results = run_cli(cli, folder, texts)
            except (OSError, RuntimeError, subprocess.TimeoutExpired, ValueError) as err:
                print("%s ward: %s" % (ward.label, err))
                print("%d passed, %d failed" % (passed, failed + len(texts)))
                return 1
            for text, got in zip(texts, results):
                bad = compare(text, expected(text, ward), got)
                if not bad:
                    passed += 1
                    continue
                failed += 1
                for key, want, have in bad:
                    if shown < MAX_REPORTED:
                        print("%s ward, text %r: %s expected %r, got %r"
                              % (ward.label, text, key, want, have))
                    shown += 1
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
