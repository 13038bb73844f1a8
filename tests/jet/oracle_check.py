#!/usr/bin/env python3
"""Checks an appended-to Access file against its original with two
independent readers (mdbtools' mdb-export and mdb-reader from npm):

- every table other than TABLE reads exactly as before;
- TABLE keeps every old row (mdb-reader: in the same order) and holds the
  new rows besides, with the values given in NEW (a JSON file
  {"columns": [...], "rows": [[...]], "export_columns": [...]}: values as
  mdb-reader gives them; a column not listed is not compared; mdb-export's
  text is compared for "export_columns", by default all columns).

Usage: oracle_check.py BEFORE AFTER TABLE NEW [--password P]
"""
import csv
import io
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
NODE_DUMP = os.path.join(HERE, "..", "..", "test-tools", "dump-mdb.js")


def reader_dump(path, password):
    cmd = ["node", NODE_DUMP, path]
    if password:
        cmd += ["--password", password]
    out = subprocess.run(cmd, check=True, capture_output=True, text=True).stdout
    return {t["name"]: t for t in json.loads(out)["tables"]}


def export_tables(path):
    names = subprocess.run(["mdb-tables", "-1", path], check=True, capture_output=True, text=True).stdout.split()
    out = {}
    for name in names:
        text = subprocess.run(["mdb-export", path, name], check=True, capture_output=True).stdout.decode("utf-8", "surrogateescape")
        out[name] = list(csv.reader(io.StringIO(text)))
    return out


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main():
    args = sys.argv[1:]
    password = None
    if "--password" in args:
        i = args.index("--password")
        password = args[i + 1]
        del args[i : i + 2]
    before, after, table, new_path = args
    with open(new_path, encoding="utf-8") as f:
        new = json.load(f)

    # mdb-reader
    rb, ra = reader_dump(before, password), reader_dump(after, password)
    if sorted(rb) != sorted(ra):
        fail(f"mdb-reader: tables differ: {sorted(rb)} vs {sorted(ra)}")
    for name in rb:
        if name != table and rb[name] != ra[name]:
            fail(f"mdb-reader: table {name} changed")
    cols = [c["name"] for c in ra[table]["columns"]]
    old_rows, all_rows = rb[table]["rows"], ra[table]["rows"]
    remaining = list(all_rows)
    pos = 0
    kept = []
    for row in old_rows:  # old rows must appear in the same order
        while pos < len(remaining) and remaining[pos] != row:
            pos += 1
        if pos == len(remaining):
            fail(f"mdb-reader: old row lost or reordered: {row!r}"[:400])
        kept.append(pos)
        pos += 1
    extra = [r for i, r in enumerate(remaining) if i not in set(kept)]
    if len(extra) != len(new["rows"]):
        fail(f"mdb-reader: {len(extra)} new rows, expected {len(new['rows'])}")
    index = [cols.index(c) for c in new["columns"]]
    for got, want in zip(extra, new["rows"]):
        for i, w in zip(index, want):
            if got[i] != w:
                fail(f"mdb-reader: column {cols[i]}: got {got[i]!r} want {w!r}"[:400])

    # mdbtools
    eb, ea = export_tables(before), export_tables(after)
    for name in eb:
        if name != table and eb[name] != ea.get(name):
            fail(f"mdb-export: table {name} changed")
    old_lines, new_lines = eb[table][1:], ea[table][1:]
    if len(new_lines) != len(old_lines) + len(new["rows"]):
        fail(f"mdb-export: {len(new_lines)} rows, expected {len(old_lines)} + {len(new['rows'])}")
    pool = {}
    for line in new_lines:
        pool[tuple(line)] = pool.get(tuple(line), 0) + 1
    for line in old_lines:
        if pool.get(tuple(line), 0) == 0:
            fail(f"mdb-export: old row lost: {line!r}"[:400])
        pool[tuple(line)] -= 1
    header = ea[table][0]
    # mdb-export writes dates, money and binary values its own way: only the
    # columns in "export_columns" (default: all given) are compared as text.
    export_columns = new.get("export_columns", new["columns"])
    text_index = [header.index(c) if c in export_columns else None for c in new["columns"]]
    leftovers = [list(k) for k, n in pool.items() for _ in range(n)]
    for want in new["rows"]:
        match = None
        for k, line in enumerate(leftovers):
            if all(i is None or isinstance(w, bool) or not isinstance(w, (str, int)) or line[i] == str(w)
                   for i, w in zip(text_index, want)):
                match = k
                break
        if match is None:
            fail(f"mdb-export: new row not found: {want!r}"[:400])
        leftovers.pop(match)
    print(f"ok: {len(old_rows)} old rows kept, {len(new['rows'])} new rows read by both readers")


if __name__ == "__main__":
    main()
