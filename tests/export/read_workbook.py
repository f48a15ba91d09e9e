#!/usr/bin/python3
"""Prints a workbook as openpyxl reads it, one line per fact, for the workbook tests:

    sheet NAME freeze=CELL filter=RANGE
    width LETTER WIDTH
    CELL|TYPE|NUMBER FORMAT|b or -|VALUE

usage: read_workbook.py WORKBOOK.xlsx   (exit status 3 when openpyxl is missing)
"""
import sys

try:
    import openpyxl
except ImportError:
    sys.exit(3)


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    for sheet in book.worksheets:
        print("sheet %s freeze=%s filter=%s" % (sheet.title, sheet.freeze_panes, sheet.auto_filter.ref))
        for letter, dim in sorted(sheet.column_dimensions.items()):
            if dim.customWidth:
                print("width %s %g" % (letter, dim.width))
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                value = cell.value.isoformat() if hasattr(cell.value, "isoformat") else cell.value
                print("%s|%s|%s|%s|%s" % (cell.coordinate, type(cell.value).__name__,
                                          cell.number_format, "b" if cell.font.b else "-", value))


if __name__ == "__main__":
    main()
