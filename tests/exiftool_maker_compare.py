#!/usr/bin/env python3
"""Compares the maker notes that extended reading (tagsift -e) decodes with
those of an independent reader, exiftool, on real camera files.

Usage: exiftool_maker_compare.py TAGSIFT KNOWN_DIFFERENCES SAMPLES_DIR...

For each file whose maker note exiftool reads as one of the makers of MAKERS,
every field exiftool shows in that group (-G1 -n -D, the tables the
maker's reading leaves out excepted) is looked for among tagsift's fields of
the maker's groups by its tag and name. A field found by both must have the
same raw value (-e -u); each text of 4 or more characters that exiftool shows
must appear in tagsift's listing. A field tagsift names that exiftool does not
show is not a difference (exiftool hides some). Every difference must be
listed in KNOWN_DIFFERENCES ("*" for every file) with a reason, and every
listed one must still occur; field "*" stands for every field of a file. Prints per maker: files, exiftool fields, those
tagsift names, and texts found. Exit 0 when all is explained, 1 otherwise,
77 (skip) without a samples folder or exiftool.
"""

import os
import re
import shutil
import subprocess
import sys

from exiftool_raw_compare import agree, catalogue, listing

SKIP = 77

# exiftool's group of each maker, and the word that tagsift's group names of the maker hold.
MAKERS = {"Canon": "Canon", "Nikon": "Nikon", "FujiFilm": "Fujifilm", "Olympus": "Olympus",
          "Sony": "Sony", "Panasonic": "Panasonic", "Apple": "Apple", "Samsung": "Samsung", "Pentax": "Pentax"}
# Tables that the reading leaves out: Canon's model-specific CameraInfo and
# its colour calibration families, Nikon's enciphered records (the later lens
# data, shot info with the menus and sub-records held in it, colour balance),
# Sony's enciphered records, and what is not maker-note metadata (movie tags
# and boxes).
LEFT_OUT = {
    "Canon": re.compile(r"^Canon::(CameraInfo|ColorData|ColorCoefs|ColorCalib|MovieInfo|CTMD|CMP1|uuid|Skip)"),
    "Nikon": re.compile(r"^Nikon::(ShotInfo|ColorBalance|LensData0[2-8]|LensDataUnknown|MenuSettings|OrientationInfo|"
                        r"ISOAutoInfo|OtherInfo|SeqInfo|IntervalInfo|PortraitInfo|MoreSettings|NCDT|NCTG|AVI|MOV)"),
    "FujiFilm": re.compile(r"^FujiFilm::(FaceRecInfo|RAFData|MOV|FFMV)"),
    "Olympus": re.compile(r"^Olympus::(RawInfo|RawDevelopment2|AVI|MOV|MP4|WAV|OLYM|prms|scrn|thmb|DSS|"
                          r"TextInfo|Thumbnail|MovableInfo|FETags)"),
    # Sony enciphers the 0x2010, 0x9050 and 0x94xx records (the AF, ISO and
    # meter tables hang from them); rtmd is a movie's.
    "Sony": re.compile(r"^Sony::(Tag2010|Tag9050|Tag94|AFInfo|AFStatus|ISOInfo|MeterInfo|rtmd)"),
    "Panasonic": re.compile(r"^Panasonic::(PANA|Type2)"),
    "Apple": re.compile(r"^$"),
    "Samsung": re.compile(r"^Samsung::(APP5|DualShotExtra|INFO|MP4|OrientationInfo|SingleShotMeta|Thumbnail|"
                          r"Trailer|sec|Main)"),
    "Pentax": re.compile(r"^Pentax::(Junk|Junk2|MOV|PENT|PXTH|S1|Type2|Type4)"),
}


def load_known(path):
    """{(file, field): reason}; file "*" stands for every file."""
    reasons, known = set(), {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            if words[0] == "reason" and len(words) == 2:
                reasons.add(words[1])
            elif len(words) == 3 and words[2] in reasons:
                known[(words[0], words[1])] = words[2]
            else:
                sys.exit("%s:%d: cannot read this line (or its reason is not declared above it)" % (path, number))
    return known


def plain(name):
    return re.sub(r"[^a-z0-9]", "", name.lower())


def label_nicknames(listed):
    """{label: nickname} of a catalogue (-e -l), both as plain letters (the
    label without trailing digits): a nickname is made of exiftool's name."""
    return {plain(line[34:]).rstrip("0123456789"): plain(line[2:27]) for line in listed.split("\n")
            if re.match(r"^  \S+ +[0-9a-f]{4}  ", line)}


def left_out_tags(listx):
    """{maker: (id, name) of the tags that stand only in the tables the reading
    leaves out}, from exiftool -listx: a name some of them share with a kept
    table (a lens type, a white balance) is left out only where it has the
    left-out table's id."""
    kept = {maker: set() for maker in MAKERS}
    dropped = {maker: set() for maker in MAKERS}
    maker, table = None, ""
    for line in listx.split("\n"):
        m = re.match(r"<table name='([^']+)'.* g1='([^']+)'", line)
        if m:
            table, maker = m.group(1), m.group(2) if m.group(2) in MAKERS else None
        m = re.match(r" <tag id='([^']+)' name='([^']+)'", line)
        if m and maker:
            (dropped if LEFT_OUT[maker].match(table) else kept)[maker].add((m.group(1), m.group(2)))
    return {maker: dropped[maker] - kept[maker] for maker in MAKERS}


def exiftool_fields(paths):
    """{path: {maker group: [(id, name, value)]}} of the files' maker notes, from one exiftool run."""
    out = subprocess.run(["exiftool", "-s", "-G1", "-D", "-a", "-n", "-m"] + paths, capture_output=True,
                         text=True, errors="replace", check=False).stdout
    by_path, fields = {}, {}
    for line in out.split("\n"):
        if line.startswith("======== "):
            fields = by_path.setdefault(line[9:], {})
            continue
        m = re.match(r"^\[(\w+)\]\s+(\S+)\s+(\S+?)\s*: (.*)$", line)
        if m and m.group(1) in MAKERS:
            fields.setdefault(m.group(1), []).append((m.group(2), m.group(3), m.group(4)))
    return by_path


def tagsift_fields(tagsift, path, names, word):
    """[(tag, label, raw value)] of the maker's groups, and the whole readable listing."""
    raw = subprocess.run([tagsift, "-e", "-u", "-q", path], capture_output=True, check=False).stdout
    shown = subprocess.run([tagsift, "-e", "-q", path], capture_output=True, check=False).stdout
    fields = []
    for section, label, value in listing(raw.decode("utf-8", "replace")):
        if section and word in section and label in names.get(section, {}):
            fields.append((names[section][label], label, value))
    return fields, raw.decode("utf-8", "replace") + shown.decode("utf-8", "replace")


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    tagsift, known_path, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    if not all(os.path.isdir(folder) for folder in folders):
        print("SKIP: no sample folder")
        return SKIP
    if shutil.which("exiftool") is None:
        print("SKIP: exiftool is not installed")
        return SKIP
    known = load_known(known_path)
    names = catalogue(tagsift)
    # The nickname of each label, as plain letters: it is made of exiftool's name.
    nicknames = label_nicknames(subprocess.run([tagsift, "-e", "-l"], capture_output=True, text=True,
                                               check=True).stdout)
    dropped = left_out_tags(subprocess.run(["exiftool", "-listx"], capture_output=True, text=True,
                                           check=True).stdout)
    top = os.path.dirname(os.path.abspath(folders[0]))
    files = sorted(os.path.join(d, n) for folder in folders for d, _, ns in os.walk(folder) for n in ns
                   if not n.lower().endswith((".md", ".txt")))
    totals = {maker: [0, 0, 0, 0, 0] for maker in MAKERS}  # files, fields, named, texts, texts found
    failures, seen = [], set()

    def difference(name, field, shown):
        for key in ((name, field), (name, "*"), ("*", field)):
            if key in known:
                seen.add(key)
                return
        failures.append("unexplained difference: %s %s: %s" % (name, field, shown))

    theirs_by_path = exiftool_fields(files)
    for path in files:
        name = os.path.relpath(os.path.abspath(path), top)
        for maker, theirs in theirs_by_path.get(path, {}).items():
            word = MAKERS[maker]
            ours, text = tagsift_fields(tagsift, path, names, word)
            by_tag = {}
            for tag, label, value in ours:
                by_tag.setdefault(tag, []).append((plain(label).rstrip("0123456789"), value))
            total = totals[maker]
            total[0] += 1
            for ident, field_name, value in theirs:
                if (ident, field_name) in dropped[maker] or not re.fullmatch(r"\d+", ident):
                    continue
                total[1] += 1
                field = "%s:%s" % (maker, field_name)
                wanted = plain(field_name)
                mine = [v for label, v in by_tag.get(int(ident), []) if wanted.startswith(label[:20]) or
                        nicknames.get(label, "").endswith(wanted)]
                if mine:
                    total[2] += 1
                    if not any(agree(v, value) for v in mine):
                        difference(name, field, "tagsift %r, exiftool %r" % (mine[0], value))
                else:
                    difference(name, field, "exiftool %r, tagsift none" % value)
                if len(value.strip()) >= 4 and re.search(r"[A-Za-z]", value) and not value.startswith("(Binary"):
                    total[3] += 1
                    if value.strip() in text:
                        total[4] += 1
                    else:
                        difference(name, field + ":text", "text %r not in the listing" % value.strip())
    for entry in sorted(set(known) - seen):
        failures.append("listed difference no longer occurs: %s %s" % entry)
    for failure in failures:
        print(failure)
    print("maker     files  exiftool fields  named by tagsift  texts  texts found")
    for maker, (count, fields, named, texts, found) in totals.items():
        share = 100.0 * named / fields if fields else 0.0
        print("%-9s %5d  %15d  %9d (%3.0f%%)  %5d  %11d" % (maker, count, fields, named, share, texts, found))
    print("%d unexplained" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
