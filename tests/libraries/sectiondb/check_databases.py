#!/usr/bin/env python3
"""Checks the generated section and sheet databases against the CSV tables, independently
of the library's reader: every indexed table exists in the file of its country, its sort
keys are columns, a filled table holds the CSV's rows in the order of its sort keys with
at least values + 1 fields, an empty table has none, and each file holds its password."""
import csv
import os
import sqlite3
import sys

FILES = ["中国型钢截面库.sdb", "美国型钢截面库.sdb", "英国型钢截面库.sdb", "日本型钢截面库.sdb"]
PASSWORDS = ["tor26", "tor39", "tor58", "tor73"]
SHEET = ("压型钢板库.pdb", "tor815", "中国压型钢板")
SHEET_FIELDS = ["型号", "t(mm)", "H(mm)", "S(mm)", "Be(mm)", "B(mm)", "Ief(cm^4/m)", "Wef(cm^3/m)", "b1(mm)", "b2(mm)"]


def gbk_collate(a, b):
    a, b = a.encode("gbk"), b.encode("gbk")
    return (a > b) - (a < b)


def connect(path):
    con = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    con.create_collation("GBK", gbk_collate)
    return con


def number(text):
    return None if text == "" else float(text)


def main(data_dir, db_dir):
    failures = []

    def check(cond, what):
        if not cond:
            failures.append(what)

    with open(os.path.join(data_dir, "tables.csv"), encoding="utf-8") as f:
        index = list(csv.DictReader(f))
    check(len(index) == 53, "53 tables indexed, got %d" % len(index))
    cons = {}
    for i, name in enumerate(FILES):
        cons[i] = connect(os.path.join(db_dir, name))
        pwd = cons[i].execute("SELECT value FROM VyrDatabaseInfo WHERE name='password'").fetchone()
        check(pwd == (PASSWORDS[i],), "%s: password" % name)
    sheet_con = connect(os.path.join(db_dir, SHEET[0]))
    check(sheet_con.execute("SELECT value FROM VyrDatabaseInfo WHERE name='password'").fetchone() == (SHEET[1],),
          "sheet password")

    filled = 0
    for row in index:
        table = row["table"]
        if row["country_index"] == "":
            con = sheet_con
            check(table == SHEET[2], "sheet table name")
        else:
            con = cons[int(row["country_index"])]
        exists = con.execute("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=?", (table,)).fetchone()[0]
        check(exists == 1, "%s exists" % table)
        if not exists:
            continue
        cur = con.execute('SELECT * FROM "%s"' % table.replace('"', '""'))
        columns = [d[0] for d in cur.description]
        stored = cur.fetchall()
        if table == SHEET[2]:
            check(columns == SHEET_FIELDS, "sheet fields %s" % columns)
            check(stored == [], "sheet table empty")
            continue
        keys = row["sort_keys"].split(";") if row["sort_keys"] else []
        for k in keys:
            check(k in columns, "%s: sort key %s is a column" % (table, k))
        if row["status"] == "missing":
            check(stored == [], "%s: empty" % table)
            continue
        filled += 1
        values = int(row["values"])
        check(len(columns) >= values + 1, "%s: %d fields for %d values" % (table, len(columns), values))
        with open(os.path.join(data_dir, row["file"]), encoding="utf-8") as f:
            data = list(csv.reader(f))
        header, body = data[0], data[1:]
        check(columns == header, "%s: fields in CSV header order" % table)
        check(len(stored) == int(row["rows"]) == len(body), "%s: %d rows" % (table, len(stored)))
        order = ", ".join('"%s"' % k for k in keys)
        ordered = con.execute('SELECT * FROM "%s" ORDER BY %s' % (table, order)).fetchall()
        expected = sorted(body, key=lambda r: tuple((number(r[header.index(k)]) or 0.0) for k in keys))
        # Compare designations and the first values field by field.
        for got, want in zip(ordered, expected):
            if got[0] != want[0]:
                failures.append("%s: order %s vs %s" % (table, got[0], want[0]))
                break
            for k in range(1, values + 1):
                w = want[k]
                try:
                    w = float(w) if w != "" else None
                except ValueError:
                    pass
                if got[k] != w:
                    failures.append("%s %s field %d: %r vs %r" % (table, want[0], k, got[k], w))
                    break
    check(filled == 31, "31 filled tables, got %d" % filled)
    for msg in failures:
        print("FAIL:", msg)
    print("%d tables checked, %d filled, %d failures" % (len(index), filled, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
