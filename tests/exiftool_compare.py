#!/usr/bin/env python3
"""Compares tagsift's readable standard and GPS values on real camera files
with those of an independent reader, exiftool -n.

Usage: exiftool_compare.py TAGSIFT SAMPLES_DIR KNOWN_DIFFERENCES

Each value that both tools show is compared within the rounding of tagsift's
format; a value that one tool shows and the other does not is a difference
too. Every difference must be listed in KNOWN_DIFFERENCES with a reason, and
every listed difference must still occur; a listed reason that can be
checked (the APEX shutter rule, for instance) must hold for that value.
Exit 0 when all is explained, 1 otherwise, 77 (skip) without the samples
folder or exiftool.
"""

import json
import math
import os
import re
import shutil
import subprocess
import sys

SKIP = 77

# nickname -> (tagsift listing section, label, exiftool tag, kind)
FIELDS = {
    "exp-time": ("Image", "Exposure Time (sec)", "ExifIFD:ExposureTime", "exposure"),
    "f-number": ("Image", "F-Number", "ExifIFD:FNumber", "places"),
    "aperture": ("Image", "Aperture", "ExifIFD:ApertureValue", "places"),
    "shutter": ("Image", "Shutter Speed (sec)", "ExifIFD:ShutterSpeedValue", "shutter"),
    "exp-bias": ("Image", "Exposure Bias (EV)", "ExifIFD:ExposureCompensation", "places"),
    "focal-len": ("Image", "Focal Length (mm)", "ExifIFD:FocalLength", "places"),
    "date-mod": ("Camera", "Date/Time Modified", "IFD0:ModifyDate", "text"),
    "date-taken": ("Image", "Date/Time Taken", "ExifIFD:DateTimeOriginal", "text"),
    "date-digi": ("Image", "Date/Time Digitised", "ExifIFD:CreateDate", "text"),
    "iso-speed": ("Image", "ISO Speed", "ExifIFD:ISO", "integers"),
    "width": ("Image", "Image Width", "ExifIFD:ExifImageWidth", "integers"),
    "height": ("Image", "Image Height", "ExifIFD:ExifImageHeight", "integers"),
    "orient": ("Camera", "Orientation (start point)", "IFD0:Orientation", "code"),
    "meter-mode": ("Image", "Metering Mode", "ExifIFD:MeteringMode", "code"),
    "flash": ("Image", "Flash", "ExifIFD:Flash", "code"),
    "gps-latitude": ("GPS", "Latitude", "GPS:GPSLatitude", "coordinate"),
    "gps-longitude": ("GPS", "Longitude", "GPS:GPSLongitude", "coordinate"),
    "gps-time": ("GPS", "Time", "GPS:GPSTimeStamp", "time"),
}

# tagsift's names of coded values, back to their codes.
CODES = {
    "orient": {"Upper Left": 1, "Lower Right": 3, "Upper Right": 6, "Lower Left": 8, "Undefined": 9},
    "meter-mode": {"Average": 1, "Centre Weighted Average": 2, "Spot": 3, "Multi-Spot": 4,
                   "Multi-Segment": 5},
    "flash": {"Not Fired": 0, "Fired": 1},
}

# Tolerance for values that tagsift computes in single precision.
SINGLE = 1e-6

NUMBER = re.compile(r"^-?\d+(\.\d+)?$")


def parse_listing(text):
    """{(section, label): value} from a readable listing; first record wins."""
    values = {}
    section = None
    last = None
    for line in text.split("\n"):
        if line.startswith("FILE: ") or line == "":
            continue
        if not line.startswith(" "):
            section = line.strip()
            last = None
        elif line.startswith(" " * 29) and last is not None:
            values[last] += line[29:]
        elif len(line) >= 29 and line[27:29] == ": ":
            key = (section, line[2:27].rstrip())
            last = key if key not in values else None
            if last is not None:
                values[key] = line[29:]
    return values


def decimals(text):
    return len(text.split(".")[1]) if "." in text else 0


def within(ours_text, theirs, extra=0.0):
    ours = float(ours_text)
    tolerance = 0.5 * 10 ** -decimals(ours_text) + SINGLE * max(1.0, abs(theirs)) + extra
    return abs(ours - theirs) <= tolerance


def as_number(value):
    if isinstance(value, (int, float)):
        return float(value)
    return float(str(value))


def agree(field, kind, ours, theirs):
    """True when tagsift's text shows exiftool's value within its format."""
    try:
        if kind == "text":
            return ours == str(theirs)
        if kind == "integers":
            return [int(x) for x in ours.split()] == [int(x) for x in str(theirs).split()]
        if kind == "code":
            m = re.fullmatch(r"Unknown value (\d+)", ours)
            code = int(m.group(1)) if m else CODES[field].get(ours)
            return code == int(theirs)
        if kind == "time":
            ours_s = [float(x) for x in ours.split(":")]
            theirs_s = [float(x) for x in str(theirs).split(":")]
            return len(ours_s) == 3 and all(abs(a - b) <= 0.5 for a, b in zip(ours_s, theirs_s))
        value = as_number(theirs)
        if kind == "places":
            return bool(NUMBER.match(ours)) and within(ours, value)
        if kind == "exposure":
            if ours.startswith("1/"):
                return value > 0 and within(ours[2:], 1.0 / value)
            return bool(NUMBER.match(ours)) and within(ours, value)
        if kind == "shutter":
            seconds = float(ours[2:]) ** -1 if ours.startswith("1/") else float(ours)
            return abs(seconds - value) <= SINGLE * value
        if kind == "coordinate":
            parts = [float(x) for x in ours.split()]
            if len(parts) == 2:
                degrees = parts[0] + parts[1] / 60
                return abs(degrees - value) <= 0.005 / 60 + SINGLE * value
            degrees = parts[0] + parts[1] / 60 + parts[2] / 3600
            return abs(degrees - value) <= 0.5 / 3600 + SINGLE * value
    except (ValueError, KeyError, ZeroDivisionError, TypeError):
        return False
    raise ValueError("unknown kind " + kind)


def apex_shutter(ours, theirs):
    """tagsift's reading of the APEX time value Tv = -log2(exiftool's seconds):
    "%d" of 2^(1 - Tv) truncated below 1, "1/%d" of 2^trunc(Tv) from 1 on."""
    value = as_number(theirs)
    if value <= 0:
        return False
    tv = -math.log2(value)
    texts = set()
    # A Tv within rounding of a whole number may fall either side of it.
    for t in (tv - 1e-6, tv, tv + 1e-6):
        texts.add(str(int(2 ** (1 - t))) if t < 1 else "1/%d" % (2 ** math.trunc(t)))
    return ours in texts


def raw_fraction(field, ours, theirs):
    """The stored fraction, shown because its conversion has no finite result
    (or none that "%d" holds, for the shutter speed)."""
    m = re.fullmatch(r"(-?\d+)/(-?\d+)", ours)
    if not m:
        return False
    num, den = int(m.group(1)), int(m.group(2))
    if den == 0 or (field == "exp-time" and num == 0):
        return True
    return field == "shutter" and not -30 < num / den < 31


def plain_number(field, ours, theirs):
    """The same number, not named: the entry's stored data type differs from
    the field's definition, so it is rendered plainly."""
    return re.fullmatch(r"\d+", ours) is not None and int(ours) == int(theirs)


def gps_zero_denominator(field, ours, theirs):
    """Zero denominators read as 0 in GPS values; exiftool leaves them undefined."""
    return theirs == "" and all(float(x) == 0 for x in ours.split())


# Reasons whose claim the script checks on the value itself.
CHECKS = {
    "apex-shutter": lambda field, ours, theirs: apex_shutter(ours, theirs),
    "raw-fraction": raw_fraction,
    "plain-number": plain_number,
    "gps-zero-denominator": gps_zero_denominator,
}


def checked(check, field, ours, theirs):
    try:
        return ours is not None and theirs is not None and check(field, ours, theirs)
    except (ValueError, TypeError, ZeroDivisionError):
        return False


def load_known(path, fields=FIELDS):
    """{(file, field): reason} of a known-differences file; fields None takes any field."""
    reasons, known = set(), {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            words = line.split()
            if words[0] == "reason" and len(words) == 2:
                reasons.add(words[1])
            elif len(words) == 3:
                known[(words[0], words[1])] = words[2]
            else:
                sys.exit("%s:%d: cannot read this line" % (path, number))
    for (name, field), reason in known.items():
        if reason not in reasons or (fields is not None and field not in fields):
            sys.exit("%s: %s %s: unknown field or reason '%s'" % (path, name, field, reason))
    return known


def run_exiftool(files):
    args = ["exiftool", "-n", "-j", "-a", "-G1", "-m", "-q", "-charset", "filename=utf8"]
    args += ["-" + tag for _, _, tag, _ in FIELDS.values()]
    result = subprocess.run(args + files, capture_output=True, text=True, check=False)
    records = json.loads(result.stdout or "[]")
    return {r["SourceFile"]: r for r in records}


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    tagsift, samples, known_path = sys.argv[1:]
    if not os.path.isdir(samples):
        print("SKIP: no sample folder at " + samples)
        return SKIP
    if shutil.which("exiftool") is None:
        print("SKIP: exiftool is not installed")
        return SKIP
    known = load_known(known_path)

    files = sorted(os.path.join(d, n) for d, _, names in os.walk(samples) for n in names
                   if n.lower().endswith((".jpg", ".jpeg")))
    theirs_by_file = run_exiftool(files)

    compared = agreeing = explained = 0
    failures, seen = [], set()
    per_field = {field: [0, 0, 0] for field in FIELDS}  # compared, agreeing, known
    for path in files:
        name = os.path.relpath(path, samples)
        run = subprocess.run([tagsift, "-q", path], capture_output=True, check=False)
        ours_all = parse_listing(run.stdout.decode("latin-1"))
        theirs_all = theirs_by_file.get(path, {})
        for field, (section, label, tag, kind) in FIELDS.items():
            ours, theirs = ours_all.get((section, label)), theirs_all.get(tag)
            if ours is None and theirs is None:
                continue
            compared += 1
            per_field[field][0] += 1
            if ours is not None and theirs is not None and agree(field, kind, ours, theirs):
                agreeing += 1
                per_field[field][1] += 1
                continue
            shown = "%s %s: tagsift %r, exiftool %r" % (name, field, ours, theirs)
            reason = known.get((name, field))
            seen.add((name, field))
            if reason is None:
                failures.append("unexplained difference: " + shown)
            elif reason in CHECKS and not checked(CHECKS[reason], field, ours, theirs):
                failures.append("difference not explained by %s: %s" % (reason, shown))
            else:
                explained += 1
                per_field[field][2] += 1
    for entry in sorted(set(known) - seen):
        failures.append("listed difference no longer occurs: %s %s" % entry)

    print("%-14s %8s %8s %6s" % ("field", "compared", "agreeing", "known"))
    for field, (n, same, listed) in per_field.items():
        print("%-14s %8d %8d %6d" % (field, n, same, listed))
    for failure in failures:
        print(failure)
    print("%d values compared, %d agreeing, %d known differences, %d unexplained"
          % (compared, agreeing, explained, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
