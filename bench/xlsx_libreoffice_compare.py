#!/usr/bin/python3
"""The comparison side of bench/xlsx-libreoffice-check: the grid as tablamo-convert wrote it
as CSV (UTF-8, letters row and number column) against LibreOffice's CSV of the workbook
written from the same report (values as shown, dates as dd.mm.yyyy). Each cell is typed by
the workbook's rules (xlsx_python_writer.typed): a date must come back as that date, a
number as that number, a text as the same text; an empty cell must stay empty.

usage: xlsx_libreoffice_compare.py GRID.csv LIBREOFFICE.csv
Prints the counts; exit status 1 when any cell differs.
"""
import csv
import datetime
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xlsx_python_writer import typed  # noqa: E402


def rows_of(path, encoding):
    with open(path, newline="", encoding=encoding) as f:
        return list(csv.reader(f))


def main():
    grid = rows_of(sys.argv[1], "utf-8-sig")[1:]  # without the letters row
    office = rows_of(sys.argv[2], "utf-8")
    counts = {"date": 0, "number": 0, "text": 0, "empty": 0}
    worst = 0.0
    faults = []
    for r, row in enumerate(grid):
        back = office[r] if r < len(office) else []
        for c, text in enumerate(row[1:]):  # without the row numbers
            got = back[c] if c < len(back) else ""
            value = typed(text) if text else None
            if isinstance(value, datetime.date) and value.year < 1900:
                value = text  # the workbook keeps such a date as its text
            if isinstance(value, float) and math.isinf(value):
                value = text
            if value is None:
                kind, ok = "empty", got == ""
            elif isinstance(value, datetime.date):
                kind, ok = "date", got == value.strftime("%d.%m.%Y")
            elif isinstance(value, float):
                kind = "number"
                try:
                    diff = abs(float(got) - value) / max(1.0, abs(value))
                    worst = max(worst, diff)
                    ok = diff <= 1e-12
                except ValueError:
                    ok = False
            else:
                kind, ok = "text", got == text
            counts[kind] += 1
            if not ok:
                faults.append("row %d column %d: %r became %r" % (r + 1, c + 1, text, got))
    print("cells compared: %d dates, %d numbers (largest relative difference %.1e), %d texts, "
          "%d empty" % (counts["date"], counts["number"], worst, counts["text"], counts["empty"]))
    for fault in faults[:10]:
        print("  " + fault)
    print("differences: %d" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
