#!/usr/bin/env python3
"""Every row of the tag tables against exiftool's own tables.

Usage: table_sweep.py TAGSIFT TABLE_SWEEP_FILES KNOWN_DIFFERENCES

For every field group that extended reading lists (tagsift -e -l) and that
table_sweep_files can place, one file per byte order holds every tag of the
group, each stored with the data type and count of exiftool's table for the
group (exiftool -listx) where it has the tag. Then:
  - exiftool -n and tagsift -e -u must both name each tag, the names alike
    (without case and punctuation; tagsift's are cut at 25 characters);
  - their raw values must agree; where exiftool -n still converts a value
    (a scale, an APEX value, a block) or hides it, tagsift's raw value must
    be the one stored;
  - tagsift must not warn about a tag stored as exiftool's table says;
  - for each value exiftool's table names, a file holds it and tagsift's
    text must be exiftool's name of it, compared without case and
    punctuation; where the name is the number itself, the next number is
    held too and must come out as itself;
  - JSON (-o j) has every value listed, a date as an ISO date; SQL (-o s)
    quotes what JSON gives as text and leaves bare what JSON gives as a
    number;
  - per group, how many of exiftool's tags it has no row for, and (a maker's
    IFD, each tag stored once more as a text of digits) how many of its rows
    refuse a text, are known counts.
Every difference must be listed in KNOWN_DIFFERENCES with a reason, and every
listed one must still occur. A tag whose names tagsift prints otherwise is
listed once with the number of values that differ, so that one value more or
less is noticed. Exit 0 when all is explained, 1 otherwise, 77 (skip) without
exiftool.
"""

import collections
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

from exiftool_compare import load_known
from exiftool_maker_compare import label_nicknames, plain
from exiftool_raw_compare import agree, catalogue, listing

SKIP = 77

# exiftool's table of each of tagsift's groups whose name does not follow the
# rule in table_of.
TABLES = {
    "Camera": "Exif::Main", "Image": "Exif::Main", "Thumbnail": "Exif::Main", "InterOp": "Exif::Main",
    "GPS": "GPS::Main",
    "Maker Note (Olympus)": "Olympus::Main", "Maker Note (Nikon models up to E950)": "Nikon::Type2",
    "Maker Note (Nikon model E990 and above)": "Nikon::Main", "Maker Note (Casio)": "Casio::Main",
    "Maker Note (Canon PowerShot)": "Canon::Main", "Maker Note (Olympus C2500L)": "Olympus::Main",
    "Maker Note (FujiFilm)": "FujiFilm::Main", "Maker Note (Fujifilm)": "FujiFilm::Main",
    "Maker Note (Minolta)": "Minolta::Main", "Maker Note (Nikon D1X)": "Nikon::Main",
    "Canon Picture Styles": "Canon::PSInfo", "Canon Picture Styles 2": "Canon::PSInfo2",
    "Canon AF Micro Adjustment": "Canon::AFMicroAdj", "Canon Lighting Optimizer": "Canon::LightingOpt",
    "Canon Multiple Exposure": "Canon::MultiExp", "Canon Vignetting Correction 2": "Canon::VignettingCorr2",
    "Nikon Lens Data 0100": "Nikon::LensData00", "Nikon Lens Data 0101": "Nikon::LensData01",
    "Nikon Flash Info": "Nikon::FlashInfo0100", "Sony Focal Plane AF": "Sony::Tag202a",
    "Maker Note (Sony Ericsson)": "Sony::Ericsson", "Maker Note (Canon)": "Canon::Main",
    "Maker Note (Nikon)": "Nikon::Main", "Maker Note (Sony)": "Sony::Main", "Maker Note (Panasonic)": "Panasonic::Main",
    "Maker Note (Apple)": "Apple::Main", "Maker Note (Samsung)": "Samsung::Type2", "Maker Note (Pentax)": "Pentax::Main",
}
# exiftool's family of each maker word of tagsift's group names.
MAKERS = {"Canon": "Canon", "Nikon": "Nikon", "Olympus": "Olympus", "Pentax": "Pentax", "Sony": "Sony",
          "Panasonic": "Panasonic", "Apple": "Apple", "Samsung": "Samsung", "Fujifilm": "FujiFilm"}

# exiftool's data types, as the TIFF type a camera stores them with.
TIFF_TYPES = {"int8u": 1, "string": 2, "int16u": 3, "int32u": 4, "rational64u": 5, "int8s": 6, "undef": 7,
              "int16s": 8, "int32s": 9, "rational64s": 10, "float": 11, "double": 12}
LONGEST = 64  # values of more numbers are stored with this many
# Entries that open another IFD or hold a block of their own: the sweep of
# their group does not plant them (the walk and the block readers have tests
# of their own).
OPENERS = {0x014a, 0x8769, 0x8825, 0xa005, 0x927c, 0xc6f5, 0x02bc, 0x83bb, 0x8649, 0x8773, 0xc634}


def read_tables():
    """{table: {id: [(name, type, count, {key: name})]}} of exiftool's tables; a
    tag that means different things by model has several."""
    text = subprocess.run(["exiftool", "-listx"], capture_output=True, text=True, check=True).stdout
    tables, tags, tag, key = {}, None, None, None
    for line in text.split("\n"):
        m = re.match(r"<table name='([^']+)'", line)
        if m:
            tags = tables.setdefault(m.group(1), {})
            continue
        m = re.match(r" <tag id='(\d+)' name='([^']+)'(.*)>", line)
        if m:
            kind = re.search(r" type='([^']+)'", m.group(3))
            count = re.search(r" count='(\d+)'", m.group(3))
            tag = (m.group(2), kind.group(1) if kind else "?", int(count.group(1)) if count else 1, {})
            tags.setdefault(int(m.group(1)), []).append(tag)
            continue
        if line.startswith(" <tag "):
            tag = None
        m = re.match(r"   <key id='(-?\d+(?: -?\d+)*)'>", line)
        if m:
            # A key of several numbers ("4 3", a lens's series and number) names the value's first numbers.
            numbers = tuple(map(int, m.group(1).split()))
            key = numbers[0] if len(numbers) == 1 else numbers
            continue
        if line.startswith("   <key "):
            key = None
        m = re.match(r"    <val lang='en'>(.*)</val>", line)
        if m and tag is not None and key is not None:
            tag[3][key] = m.group(1).replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">") \
                .replace("&apos;", "'").replace("&quot;", '"')
    return tables


def table_of(group, tables):
    if group in TABLES:
        return TABLES[group]
    words = group.split(" ", 1)
    maker = MAKERS.get(words[0])
    if maker is None or len(words) < 2:
        return None
    for name in tables:
        if name.startswith(maker + "::") and plain(name.split("::")[1]) == plain(words[1]):
            return name
    return None


def value_words(tag, kind, count, value):
    """The plan line of a value."""
    if kind == "string":
        return "s %d %d %05d" % (tag, max(count, 6), tag)  # digits: a text that reads as a number
    if kind == "undef":
        return "u %d %d 0100" % (tag, max(count, 4))
    numbers = []
    largest = {"int8u": 255, "int8s": 127, "int16u": 65535, "int16s": 32767, "int32s": 2 ** 31 - 1}.get(kind, 2 ** 32 - 1)
    if isinstance(value, tuple):  # a key of several numbers, then zeros
        count = max(count, len(value))
    for i in range(min(count, LONGEST)):
        if isinstance(value, tuple):
            n = value[i] if i < len(value) else 0
        else:
            n = value + i if value + i <= largest else value - i  # the next numbers, within the type
        numbers += [n * 3, 2] if kind.startswith("rational") else [n]
    return "v %d %d %d %s" % (tag, TIFF_TYPES[kind], min(count, LONGEST), " ".join(map(str, numbers)))


def stored_text(words):
    """The raw text (-u) of a planned value: numbers, fractions unreduced, or the bytes of an
    undefined value in hex (its text, then 1, 2, ... by place, as table_sweep_files fills it);
    None for a text."""
    parts = words.split()
    if parts[0] == "u":
        text = parts[3].encode()
        return "".join("%02x" % (text[i] if i < len(text) else (i + 1) & 0xff) for i in range(int(parts[2])))
    if parts[0] != "v":
        return None
    numbers = parts[4:]
    if int(parts[2]) in (5, 10):
        return " ".join("%s/%s" % pair for pair in zip(numbers[::2], numbers[1::2]))
    return " ".join(numbers)


def number_of(tag):
    return 2 + (tag * 7) % 50


CHUNK = 8  # tags per file, fewer than the warnings shown for one file


def is_maker_group(number):
    """Whether table_sweep_files places the group in a maker note (not IFD0, IFD1,
    the EXIF, GPS or interoperability IFD)."""
    return number not in (0, 1, 2, 3, 13)


def plan_group(number, rows, theirs, order, record):
    """The plan of the group's files in one order (CHUNK tags each), and of
    its named values' files (one value of each named tag each); what each
    file planted, and the tags with named values."""
    lines, files, keyed, chunk, count_of = [], {}, [], [], {}
    for tag in sorted(set(rows.values()) - (set() if is_maker_group(number) else OPENERS)):
        variants = theirs.get(tag, [])
        name_kind = next((v for v in variants if v[1] in TIFF_TYPES), variants[0] if variants else None)
        kind, count = ("int16u", 1) if name_kind is None or name_kind[1] not in TIFF_TYPES else name_kind[1:3]
        names_of = next((v[3] for v in variants if v[3]), {})
        keys = sorted(names_of, key=lambda k: k if isinstance(k, tuple) else (k,)) \
            if kind not in ("string", "undef") else []
        last_number = next((k for k in reversed(keys) if not isinstance(k, tuple)), None)
        # Where a value's name is its own number (an ISO speed), the next number, unnamed, is
        # planted too: it must come out as itself, so a row of the wrong number shows.
        keys += sorted({k + 1 for k in keys if names_of.get(k) == str(k) and k + 1 not in names_of})
        if is_maker_group(number) and not record and kind not in ("string", "undef") and order == "M":
            # A maker's tag of any count, in one byte order: a row that wants one is noticed. The
            # other order keeps exiftool's count, so that a single number is typed as one.
            count = max(count, 2)
        if keys:
            keyed.append((tag, kind, keys))
            count_of[tag] = count
        dated = kind == "string" and name_kind is not None and "Date" in name_kind[0]
        words = "s %d 20 2024:01:02_03:04:05" % tag if dated else \
            value_words(tag, kind, count, number_of(tag) if last_number is None else last_number)
        chunk.append((tag, (variants, kind, stored_text(words)), words))
    for start in range(0, len(chunk), CHUNK):
        name = "g%03d%s%02d.jpg" % (number, order, start // CHUNK)
        lines.append("file %s %s %d" % (name, order, number))
        part = chunk[start:start + CHUNK]
        # A note's first tag (its version) in each file: some readers know a note by it.
        if start and is_maker_group(number) and not record:
            part = chunk[:1] + part
        lines += [words for _, _, words in part]
        files[name] = {tag: variants for tag, variants, _ in part}
    if order == "I":
        for index in range(max((len(k) for _, _, k in keyed), default=0)):
            value_file = "g%03dv%04d.jpg" % (number, index)
            lines.append("file %s I %d" % (value_file, number))
            for tag, kind, keys in keyed:
                if index < len(keys):
                    lines.append(value_words(tag, kind, count_of[tag] if isinstance(keys[index], tuple) else 1,
                                             keys[index]))
            files[value_file] = None
    return lines, files, keyed


def exiftool_values(paths):
    """{file name: {id: [(name, value)]}} of the maker and EXIF groups."""
    out = subprocess.run(["exiftool", "-j", "-G1", "-D", "-n", "-a", "-u", "-U", "-q", "-m"] + paths,
                         capture_output=True, text=True, errors="replace", check=False).stdout
    found = {}
    for record in json.loads(out, object_pairs_hook=list):
        record = list(record)
        source = os.path.basename(dict(record)["SourceFile"])
        fields = found.setdefault(source, {})
        for key, value in record:
            if not isinstance(value, list):
                continue
            value = dict(value)
            group, name = key.split(":", 1)
            if group in ("ExifTool", "System", "File", "Composite") or not isinstance(value.get("id"), int):
                continue
            fields.setdefault(value["id"], []).append((name, value.get("val")))
    return found


def tagsift_listing(tagsift, folder, raw):
    """{file name: {section: {label: value}}} and {file name: [warnings]}."""
    result = subprocess.run([tagsift, "-e", "-r"] + (["-u"] if raw else []) + ["."], cwd=folder,
                            capture_output=True, check=False)
    by_file, warnings, current = {}, collections.defaultdict(list), None
    for part in re.split(r"(?m)^FILE: ", result.stdout.decode("utf-8", "replace")):
        if not part.strip():
            continue
        head, _, body = part.partition("\n")
        current = os.path.basename(head.strip())
        fields = by_file.setdefault(current, {})
        for section, label, value in listing(body):
            fields.setdefault(section, {})[label] = value
    for line in result.stderr.decode("utf-8", "replace").split("\n"):
        m = re.match(r"^Warning: \./([^:]+): (.*)$", line)
        if m:
            warnings[m.group(1)].append(m.group(2))
    return by_file, warnings


# Words too common in tag names to tell two tags apart.
COMMON = {"of", "the", "a", "in", "and", "to", "info", "mode", "data", "value", "values", "version", "number", "type",
          "image", "setting", "settings", "canon", "nikon", "pentax", "sony", "olympus", "panasonic", "fujifilm",
          "samsung", "apple", "casio", "minolta", "maker", "note", "notes", "tag"}
SPELLING = [("colour", "color"), ("digitis", "digitiz"), ("centre", "center"), ("grey", "gray")]


def words_of(name):
    """The words of a name, its camel case split, in plain lower case."""
    words = re.findall(r"[A-Z]+(?=[A-Z][a-z]|\d|\b|_)|[A-Z]?[a-z]+|\d+", name.replace("/", " "))
    out = set()
    for word in words:
        word = word.lower()
        for british, american in SPELLING:
            word = word.replace(british, american)
        if word not in COMMON and len(word) >= 2:
            out.add(word)
    return out


def same_name(label, tag, theirs, nickname):
    """Whether tagsift's label (cut at 25 characters) names exiftool's tag: the
    same letters, or a word of weight in common."""
    unnamed = re.fullmatch(r"Field 0x([0-9a-f]{4})", label)
    if unnamed:  # a row of an older table that names no field: its label is its tag
        return int(unnamed.group(1), 16) == tag
    mine = plain(label).rstrip("0123456789")
    wanted = plain(theirs)
    if wanted.startswith(mine[:20]) or nickname.endswith(wanted) or plain(label) == wanted:
        return True
    ours, others = words_of(label), words_of(theirs)
    return any(a == b or (len(a) >= 4 and len(b) >= 4 and (a.startswith(b) or b.startswith(a)))
               for a in ours for b in others)


def same_value_name(text, theirs):
    """Whether tagsift's text of a value is exiftool's name of it: the same
    letters, or the one holding the other (\"Auto exposure\" for \"Auto\")."""
    if text is None:
        return False
    mine, wanted = plain(text), plain(theirs)
    for british, american in SPELLING:
        mine = mine.replace(british, american)
    return mine == wanted or (min(len(mine), len(wanted)) >= 3 and (mine in wanted or wanted in mine))


def nicknames_by_label(listed):
    """{group: {label: nickname}} of the catalogue of extended reading (-e -l)."""
    out, group = {}, None
    for line in listed.split("\n"):
        if line and not line.startswith(" "):
            group = out.setdefault(line.strip(), {})
        elif group is not None and re.match(r"^  \S+ +[0-9a-f]{4}  ", line):
            group[line[34:].strip()] = line[2:27].strip()
    return out


EXIF_DATE = re.compile(r"^\d{4}:\d\d:\d\d \d\d:\d\d:\d\d$")
SQL_VALUE = re.compile(r"'(?:[^']|'')*'|-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?|NULL")


def sql_values(text):
    """[(column, value)] of each INSERT statement of -o s, the values split at the commas outside quotes."""
    for columns, body in re.findall(r"INSERT INTO pictures \(\n(.*?)\n\) VALUES \(\n(.*?)\n\);", text, re.S):
        values, current, quoted = [], "", False
        for c in body + ",":
            if c == "'":
                quoted = not quoted
            if c == "," and not quoted:
                values.append(current.strip())
                current = ""
            else:
                current += c
        yield list(zip([c.strip().strip(",").strip('"') for c in columns.split("\n")], values))


def typed_outputs(tagsift, folder, main_files, files, shown, names, nicks, difference):
    """The typed outputs of the rows: in JSON (-o j) every value listed is there,
    a date as an ISO date; in SQL (-o s) every value is a quoted text or a plain
    number; and extended reading keeps the listing's default columns (-o lh)."""
    text = subprocess.run([tagsift, "-e", "-o", "j", "-f", "all", "-r", "."], cwd=folder, capture_output=True,
                          text=True, errors="replace", check=False).stdout
    records = {}
    for line in text.split("\n"):
        if line.strip():
            record = json.loads(line)
            flat = {}
            for key, value in record.items():
                flat.update(value if isinstance(value, dict) else {key: value})
            records[os.path.basename(record["file_name_full"])] = flat
    by_group = collections.defaultdict(list)
    for file_name in main_files:
        group = files[file_name][0]
        by_group[group].append(file_name)
        for label, value in shown.get(file_name, {}).get(group, {}).items():
            nickname = nicks.get(group, {}).get(label)
            if nickname is None or not value.strip():
                continue
            typed = records.get(file_name, {}).get(nickname.replace("-", "_"))
            if typed is None or (EXIF_DATE.match(value) and not re.match(r"^\d{4}-\d\d-\d\d", str(typed))):
                difference(group, nickname + ":json", "%s: listed %r, JSON %r" % (file_name, value, typed))
    for group, group_files in sorted(by_group.items()):
        wanted = sorted(set(nicks.get(group, {}).values()))
        sql = ""
        for start in range(0, len(wanted), 19):  # 20 fields at most, the file's name one of them
            sql += subprocess.run([tagsift, "-e", "-o", "s", "-f", ",".join(["file-name"] + wanted[start:start + 19])]
                                  + group_files, cwd=folder, capture_output=True, text=True, errors="replace",
                                  check=False).stdout
        # SQL quotes what JSON gives as text (a maker's value, digits stored as text) and leaves bare
        # what JSON gives as a number, where its text is a plain number. The fields that do otherwise
        # are counted per group, so that one field more or less is noticed.
        otherwise = {"bare": {}, "quoted": {}}  # {nickname: a value} of the fields that do otherwise
        for statement in sql_values(sql):
            record = records.get(statement[0][1].strip("'"), {})
            for nickname, value in statement[1:]:
                typed = record.get(nickname.replace("-", "_"))
                number = isinstance(typed, (int, float)) and not isinstance(typed, bool)
                if not SQL_VALUE.fullmatch(value):
                    difference(group, nickname + ":sql", "unquoted %r" % value)
                elif isinstance(typed, str) and not value.startswith("'"):
                    otherwise["bare"][nickname] = value
                elif number and value.startswith("'") and SQL_VALUE.fullmatch(value[1:-1]):
                    otherwise["quoted"][nickname] = value
        for kind, fields in otherwise.items():
            if fields:
                difference(group, "sql-%s:%d" % (kind, len(fields)),
                           ", ".join("%s %s" % field for field in sorted(fields.items())[:4]))
    heads = [subprocess.run([tagsift] + extended + ["-o", "lh", main_files[0]], cwd=folder, capture_output=True,
                            text=True, check=False).stdout.split("\n")[0] for extended in ([], ["-e"])]
    # The default columns are fields of the main table, which reading without -e lists.
    main_table = subprocess.run([tagsift, "-l"], capture_output=True, text=True, check=True).stdout
    main_nicknames = {line[2:27].strip() for line in main_table.split("\n") if line.startswith("  ")}
    if heads[0] != heads[1] or not set(heads[0].strip(",").split(",")) <= main_nicknames:
        difference("Listing", "columns", "-o lh %r, -e -o lh %r" % tuple(heads))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    tagsift, files_tool, known_path = sys.argv[1:]
    if shutil.which("exiftool") is None:
        print("SKIP: exiftool is not installed")
        return SKIP
    known = load_known(known_path, None)
    names = catalogue(tagsift)
    listed = subprocess.run([tagsift, "-e", "-l"], capture_output=True, text=True, check=True).stdout
    nicknames = label_nicknames(listed)
    groups = [line.split("\t") for line in
              subprocess.run([files_tool, "--groups"], capture_output=True, text=True, check=True).stdout.split("\n")
              if line]
    records = {g.strip() for _, g, kind in groups if kind == "record"}
    groups = [(int(n), g.strip()) for n, g, _ in groups]
    shared = collections.Counter(g for _, g in groups)  # groups of one name share a catalogue
    tables = read_tables()
    failures, seen, counted = [], set(), collections.Counter()

    def difference(group, field, shown):
        what = group.replace(" ", "_")
        for key in ((what, field), (what, "*")):
            if key in known:
                seen.add(key)
                return
        failures.append("unexplained difference: %s %s: %s" % (what, field, shown))

    with tempfile.TemporaryDirectory() as scratch:
        # TABLE_SWEEP_DIR keeps the files for a look at a difference.
        folder = os.environ.get("TABLE_SWEEP_DIR", scratch)
        plan, files, keyed_of, text_files = [], {}, {}, {}
        for number, group in groups:
            table = table_of(group, tables)
            if table is None or table not in tables:
                difference(group, "*", "no exiftool table")
                continue
            rows = names.get(group, {})
            # How many of exiftool's tags the group has no row for: a row that drops out of the
            # catalogue (or opens an IFD it should not) is noticed.
            absent = sorted(set(tables[table]) - set(rows.values()))
            if absent and shared[group] == 1:
                difference(group, "absent:%d" % len(absent), " ".join("0x%04x" % t for t in absent[:8]))
            for order in "IM":
                lines, group_files, keyed = plan_group(number, rows, tables[table], order, group in records)
                plan += lines
                for file_name, planted in group_files.items():
                    files[file_name] = (group, planted)
                keyed_of[group] = keyed
            # A maker's IFD tags once more, each as a text of digits: which rows refuse a text is
            # counted, so that a row that comes to accept any type, or only numbers, is noticed.
            if is_maker_group(number) and group not in records:
                tags = sorted(set(rows.values()))
                for start in range(0, len(tags), CHUNK):
                    text_file = "t%03d%02d.jpg" % (number, start // CHUNK)
                    text_files[text_file] = group
                    plan.append("file %s M %d" % (text_file, number))
                    plan += ["s %d 6 %05d" % (tag, tag) for tag in tags[start:start + CHUNK]]
        placed = subprocess.run([files_tool, folder], input="\n".join(plan) + "\n", capture_output=True,
                                text=True, check=True).stdout
        placed_tags = collections.defaultdict(set)
        for line in placed.split("\n"):
            if line.startswith("placed "):
                _, file_name, tag = line.split()
                placed_tags[file_name].add(int(tag))
        main_files = sorted(f for f, (_, planted) in files.items() if planted is not None)
        theirs = exiftool_values([os.path.join(folder, f) for f in main_files])
        raw, _ = tagsift_listing(tagsift, folder, True)
        shown, warnings = tagsift_listing(tagsift, folder, False)

        refused = collections.defaultdict(set)
        for file_name, group in text_files.items():
            for warning in warnings.get(file_name, []):
                m = re.match(r"unexpected data type for field '(.*)', expected", warning)
                if m:
                    refused[group].add(m.group(1))
        for group, labels in sorted(refused.items()):
            difference(group, "refuses-text:%d" % len(labels), ", ".join(sorted(labels)[:4]))

        for file_name in main_files:
            group, planted = files[file_name]
            mine = {names[group].get(label): (label, value) for label, value in raw.get(file_name, {}).get(group, {}).items()}
            for warning in warnings.get(file_name, []):
                # A value stored as exiftool's table says draws no warning; where the
                # two disagree, the warning's expectation is the known difference.
                m = re.match(r"unexpected data (type|repeat count) for field '(.*)', expected ([^,]*), actual", warning)
                tag = names[group].get(m.group(2)) if m else None
                field = "0x%04x:%s:%s" % (tag, m.group(1).split()[0], m.group(3).replace(" ", "-")) if tag is not None \
                    else "warning"
                difference(group, field, "%s: %s" % (file_name, warning))
            listed_labels = raw.get(file_name, {}).get(group, {})
            for label, tag in names[group].items() if shared[group] == 1 else ():
                if tag in planted and tag in placed_tags[file_name] and label not in listed_labels and \
                        mine.get(tag) is not None:
                    difference(group, "0x%04x" % tag, "%s: %r not listed, %r is" % (file_name, label, mine[tag][0]))
            for tag, (variants, _, stored) in sorted(planted.items()):
                if tag not in placed_tags[file_name]:
                    continue
                field = "0x%04x" % tag
                ours = mine.get(tag)
                known_names = {v[0] for v in variants}
                # exiftool's binary blocks are left to the stored value.
                found = [f for f in theirs.get(file_name, {}).get(tag, [])
                         if f[0] in known_names and not str(f[1]).startswith("(Binary data")]
                if ours is None:
                    if found:
                        difference(group, field, "%s: exiftool %s=%r, tagsift none" % (file_name, *found[0]))
                    continue
                nickname = nicknames.get(plain(ours[0]).rstrip("0123456789"), "")
                if not variants:
                    difference(group, field, "%s: tagsift %s=%r, exiftool has no such tag" % (file_name, *ours))
                elif not any(same_name(ours[0], tag, n, nickname) for n in known_names):
                    difference(group, field, "%s: names: tagsift %r, exiftool %s" % (file_name, ours[0],
                                                                                     sorted(known_names)))
                elif found and not any(agree(ours[1], str(v)) for _, v in found) and \
                        (stored is None or not agree(ours[1], stored)):
                    # Where exiftool -n still converts the numbers, the numbers stored are the oracle.
                    difference(group, field, "%s: values: tagsift %r, exiftool %r, stored %r" %
                               (file_name, ours[1], found[0][1], stored))
                elif not found and stored is not None and not agree(ours[1], stored):
                    # exiftool hides it (a layout it reads by model): the value stored is the oracle.
                    difference(group, field, "%s: values: tagsift %r, stored %r" % (file_name, ours[1], stored))

        typed_outputs(tagsift, folder, main_files, files, shown, names, nicknames_by_label(listed), difference)

        # The names of values.
        for group, keyed in keyed_of.items():
            number = next(n for n, g in groups if g == group)
            rows = names[group]
            for tag, _, keys in keyed:
                label = next((l for l, t in rows.items() if t == tag), None)
                differ = []
                for index, key in enumerate(keys):
                    file_name = "g%03dv%04d.jpg" % (number, index)
                    if tag not in placed_tags[file_name]:
                        continue
                    text = shown.get(file_name, {}).get(group, {}).get(label)
                    expected = next((v[3][key] for v in tables[table_of(group, tables)][tag] if key in v[3]), str(key))
                    if not same_value_name(text, expected):
                        differ.append("%s: tagsift %r, exiftool %r" % (key, text, expected))
                if differ:
                    field = "0x%04x:names" % tag
                    counted[(group, field)] = len(differ)
                    difference(group, "%s:%d" % (field, len(differ)), "; ".join(differ[:3]))
    for entry in sorted(set(known) - seen):
        failures.append("listed difference no longer occurs: %s %s" % entry)
    for failure in failures:
        print(failure)
    print("%d groups, %d files; %d unexplained" % (len(groups), len(files), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
