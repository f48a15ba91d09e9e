#!/usr/bin/python3
"""The comparison side of bench/xlsx-bench: the table tablamo-convert wrote as CSV, typed
by the same rules (dd.mm.yyyy dates, "," decimals, negative numbers included) and written
with XlsxWriter, one worksheet per 1,048,576 rows: in its constant-memory mode (the fair
match for tablamo's writer), or with --default in its ordinary mode, as pandas uses it.

usage: xlsx_python_writer.py [--default] INPUT.csv OUTPUT.xlsx   (CSV: UTF-8 with a BOM)
"""
import csv
import datetime
import re
import sys

import xlsxwriter

DATE = re.compile(r"^ *(\d+) *[./] *(\d+) *(?:[./] *(\d+) *)?(?:[./] *)?$")
NUMBER = re.compile(r"^ *[+-]?(?:\d+,?\d*|,\d+)(?:[eE][+-]?\d+)? *$")
ROWS_PER_SHEET = 1048576
TODAY = datetime.date.today()


def typed(text):
    m = DATE.match(text)
    if m:
        d, mo = int(m.group(1)), int(m.group(2))
        if m.group(3) is None:
            y = TODAY.year
        else:
            y = int(m.group(3))
            if len(m.group(3)) <= 2:
                first = TODAY.year - 50
                y += first - first % 100
                if y < first:
                    y += 100
        try:
            return datetime.date(y, mo, d)
        except ValueError:
            pass
    if NUMBER.match(text):
        return float(text.replace(",", "."))
    return text


def main():
    args = sys.argv[1:]
    constant = "--default" not in args
    source, target = [a for a in args if a != "--default"]
    book = xlsxwriter.Workbook(target, {"constant_memory": constant})
    date_format = book.add_format({"num_format": "dd\\.mm\\.yyyy"})
    sheet = None
    with open(source, newline="", encoding="utf-8-sig") as f:
        rows = csv.reader(f)
        next(rows)  # the column letters
        for n, row in enumerate(rows):
            if n % ROWS_PER_SHEET == 0:
                name = "Tablamo" if n == 0 else "Tablamo (%d)" % (n // ROWS_PER_SHEET + 1)
                sheet = book.add_worksheet(name)
            r = n % ROWS_PER_SHEET
            for c, text in enumerate(row[1:]):  # without the row numbers
                if not text:
                    continue
                value = typed(text)
                if isinstance(value, datetime.date):
                    sheet.write_datetime(r, c, value, date_format)
                elif isinstance(value, float):
                    sheet.write_number(r, c, value)
                else:
                    sheet.write_string(r, c, value)
    book.close()


if __name__ == "__main__":
    main()
