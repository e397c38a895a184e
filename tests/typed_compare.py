#!/usr/bin/env python3
"""Checks the JSON Lines of tagsift -o j over real camera files: every line
parses strictly, each key has one JSON type (or null) in all of them, dates
are ISO 8601 or null, and the numbers agree with those of an independent
reader, exiftool -n: the decimal GPS position within 1e-6 degrees, the other
numbers within a millionth of their size.

Usage: typed_compare.py TAGSIFT SAMPLES_DIR [OPTION...]

The options go to tagsift (-e, -f all); the groups of -f all are checked
member by member.

Exit 0 when all holds, 1 otherwise, 77 (skip) without the folder or exiftool.
"""

import json
import math
import os
import re
import shutil
import subprocess
import sys

SKIP = 77
ISO_DATE = re.compile(r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d([+-]\d\d:\d\d)?$")

# JSON key -> exiftool tag (-G1 -n), and the tolerance: absolute or relative
NUMBERS = {
    "gps_lat": ("Composite:GPSLatitude", "abs", 1e-6),
    "gps_lon": ("Composite:GPSLongitude", "abs", 1e-6),
    "gps_alt": ("Composite:GPSAltitude", "rel", 1e-6),
    "f_number": ("ExifIFD:FNumber", "rel", 1e-6),
    "exp_time": ("ExifIFD:ExposureTime", "rel", 1e-6),
    "focal_len": ("ExifIFD:FocalLength", "rel", 1e-6),
    "iso_speed": ("ExifIFD:ISO", "rel", 0),
    "width": ("ExifIFD:ExifImageWidth", "rel", 0),
    "height": ("ExifIFD:ExifImageHeight", "rel", 0),
}


def no_constants(name):
    raise ValueError("not JSON: " + name)


def type_name(value):
    return {bool: "bool", int: "number", float: "number", str: "string", dict: "object"}.get(type(value), "?")


def main():
    tagsift, samples = os.path.abspath(sys.argv[1]), sys.argv[2]
    if not os.path.isdir(samples) or shutil.which("exiftool") is None:
        return SKIP
    parent, folder = os.path.split(os.path.abspath(samples))
    options = sys.argv[3:]
    run = subprocess.run([tagsift, "-q", "-r", "-o", "j", *options, folder], cwd=parent,
                         capture_output=True, check=False)
    lines = run.stdout.split(b"\n")
    problems = [] if lines.pop() == b"" else ["no line end at the end"]
    records = []
    for number, line in enumerate(lines, 1):
        try:
            records.append(json.loads(line.decode("utf-8"), parse_constant=no_constants))
        except ValueError as error:
            problems.append(f"line {number}: {error}")
    types = {}
    for record in records:
        members = list(record.items())
        for key, value in record.items():
            if isinstance(value, dict):
                members += [(key + "." + name, member) for name, member in value.items()]
        for key, value in members:
            if value is not None:
                types.setdefault(key, set()).add(type_name(value))
            if key.rsplit(".", 1)[-1].startswith("date_") and value is not None and not ISO_DATE.match(value):
                problems.append(f"{record['file_name_full']}: {key} {value!r} is no ISO 8601 date")
    problems += [f"key {key} has types {sorted(t)}" for key, t in types.items() if len(t) > 1]

    tool = subprocess.run(["exiftool", "-j", "-n", "-G1", "-r", "-q", "-q", "-ext", "*", folder], cwd=parent,
                          capture_output=True, check=False)
    exif = {item["SourceFile"]: item for item in json.loads(tool.stdout or b"[]")}
    compared = 0
    for record in records:
        theirs = exif.get(record["file_name_full"], {})
        for key, (tag, kind, tolerance) in NUMBERS.items():
            ours, other = record.get(key), theirs.get(tag)
            if ours is None or not isinstance(other, (int, float)):
                continue
            compared += 1
            limit = tolerance if kind == "abs" else tolerance * abs(other)
            if not math.isclose(ours, other, rel_tol=0, abs_tol=limit):
                problems.append(f"{record['file_name_full']}: {key} {ours}, exiftool {other}")
    for problem in problems:
        print(problem)
    print(f"{len(records)} records, {compared} numbers compared with exiftool, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
