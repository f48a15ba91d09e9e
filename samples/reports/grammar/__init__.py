"""A grammar of DOS print-outs: report shapes drawn at random from the habits of DOS
accounting programs, each with its ground truth and tampered copies.

    model.py     a table before it is printed: fields, records, groups, running columns,
                 row relations, ratios, a hierarchy of codes
    families/    what a table's records hold and how their figures tie together (a sub-ledger,
                 fixed assets, aged receivables, a loan plan, stock cards, an attendance
                 sheet, …)
    habits.py    how a file and each of its tables is printed, each habit a switch drawn per
                 shape and kept as a tag
    columns.py   a printed column: its cells, width, heading lines and kind
    table.py     a table on paper: frames, rule lines, headings, records, totals
    sheet.py     pages: headers, footers, breaks, lines kept together
    labels.py    the labels of totals and the block lines of groups
    run.py       one table printed: groups, openings, totals between records and at the
                 ends, carried sums, with the truth of each line
    truth.py     the truth of a printed table (CONVENTIONS.md)
    clear.py     whether a reader could tell the right answer; unclear draws are drawn again
    codes.py     the printer's control codes
    tamper.py    tampered copies and whether their print shows the change
    build.py     a seed's shape

    python3 samples/reports --grammar --seed N --out DIR
        DIR/report.txt, truth.json, tamper-amount.txt, tamper-record.txt
"""

from .build import build  # noqa: F401
