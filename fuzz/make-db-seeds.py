#!/usr/bin/env python3
"""Writes the database seeds of fuzz_section_db and fuzz_sheet_db with the project's own
database generator, from a few rows of the shipped CSV tables:

    make-db-seeds.py <vyr_sectiondb_gen> <data/sections> <demo sheets folder> <corpus folder>

For each country a small file as the generator writes it, one whose tables lack most of
their value columns, and one whose columns are declared with other types and hold texts,
dates, nulls and out-of-range numbers; the same three for the sheet database, and one with
a wrong password. The files are compacted to 512-byte pages so that the seeds stay small.
A section seed starts with its country byte (fuzz_section_db reads it first)."""
import csv
import os
import sqlite3
import subprocess
import sys
import tempfile

gen, sections, sheets, corpus = sys.argv[1:5]
PASSWORDS = ["tor26", "tor39", "tor58", "tor73"]
ODD_TYPES = ["TEXT(8)", "DATETIME", "BIT", "CURRENCY", "SMALLINT", "INTEGER", "SINGLE", "MEMO"]
ODD_CELLS = ["abc", "", "1e309", "-5", "2024-03-05 10:00", "0", "NaN", "1.5e-300", "99999999999"]


def read(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        return list(csv.reader(f))


def write(path, rows):
    with open(path, "w", encoding="utf-8", newline="") as f:
        csv.writer(f, lineterminator="\n").writerows(rows)


def gbk_order(a, b):
    """The generator's GBK collation: the order of the texts' GBK bytes."""
    ga, gb = a.encode("gbk", "replace"), b.encode("gbk", "replace")
    return (ga > gb) - (ga < gb)


def compact(path):
    db = sqlite3.connect(path)
    db.create_collation("GBK", gbk_order)
    db.execute("PRAGMA page_size=512")
    db.execute("VACUUM")
    db.close()
    with open(path, "rb") as f:
        return f.read()


def shape(rows, variant, keys):
    """The first rows of a table, as the variant wants them."""
    head, body = rows[0], rows[1:3]
    if variant == "missing":
        # The designation and the sort keys only.
        keep = [0] + [head.index(k) for k in keys if k in head and head.index(k) != 0]
        return [[r[i] if i < len(r) else "" for i in keep] for r in [head] + body], ""
    if variant == "mistyped":
        odd = [[r[0]] + [ODD_CELLS[(i + j) % len(ODD_CELLS)] for i in range(1, len(r))] for j, r in enumerate(body)]
        types = ";".join(["TEXT(20)"] + [ODD_TYPES[i % len(ODD_TYPES)] for i in range(1, len(head))])
        return [head] + odd, types
    return [head] + body, ""


def build(index_rows, password, name, prefix, out_dir, tables):
    with tempfile.TemporaryDirectory() as tmp:
        write(os.path.join(tmp, "tables.csv"), index_rows)
        for file, rows in tables.items():
            write(os.path.join(tmp, file), rows)
        db = os.path.join(tmp, "seed.db")
        subprocess.run([gen, "--single", os.path.join(tmp, "tables.csv"), tmp, db, password], check=True)
        data = compact(db)
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "seed-" + name), "wb") as f:
        f.write(prefix + data)


index = read(os.path.join(sections, "tables.csv"))
col = {n: i for i, n in enumerate(index[0])}
for country in range(4):
    filled = [r for r in index[1:] if r[col["country_index"]] == str(country) and r[col["file"]]][:4]
    empty = [r for r in index[1:] if r[col["country_index"]] == str(country) and not r[col["file"]]][:1]
    for variant in ("real", "missing", "mistyped"):
        rows = [["table", "file", "code", "country_index", "sort_keys", "types"]]
        tables = {}
        for r in filled:
            keys = r[col["sort_keys"]].split(";")
            data, types = shape(read(os.path.join(sections, r[col["file"]])), variant, keys)
            tables[r[col["file"]]] = data
            rows.append([r[col["table"]], r[col["file"]], r[col["code"]], str(country), r[col["sort_keys"]], types])
        for r in empty:
            rows.append([r[col["table"]], "", r[col["code"]], str(country), "", ""])
        build(rows, PASSWORDS[country], "%d-%s.sdb" % (country, variant), bytes([country]),
              os.path.join(corpus, "fuzz_section_db"), tables)

sheet_rows = read(os.path.join(sheets, "sheets.csv"))
# "missing" lacks a column the query orders by, "few-values" only the values after them.
for name, variant, keys in (("real", "real", []), ("missing", "missing", sheet_rows[0][1:3]),
                            ("few-values", "missing", sheet_rows[0][1:4]), ("mistyped", "mistyped", [])):
    data, types = shape(sheet_rows, variant, keys)
    build([["table", "file", "types"], ["中国压型钢板", "sheets.csv", types]], "tor815", name + ".pdb", b"",
          os.path.join(corpus, "fuzz_sheet_db"), {"sheets.csv": data})
build([["table", "file", "types"], ["中国压型钢板", "sheets.csv", ""]], "wrong", "wrong-password.pdb", b"",
      os.path.join(corpus, "fuzz_sheet_db"), {"sheets.csv": sheet_rows[:3]})
build([["table", "file", "types"], ["中国压型钢板", "", ""]], "tor815", "empty-table.pdb", b"",
      os.path.join(corpus, "fuzz_sheet_db"), {})
