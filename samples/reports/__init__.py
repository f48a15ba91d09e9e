"""DOS accounting reports with their ground truth, written from the package's own data model
(never by reading a report back).

    encoding.py   the report's bytes (code page 857, the DOS frame)
    values.py     amounts and dates as printed and as the truth holds them
    layout.py     columns, a table under a rule line, a box frame
    ledger.py     a paged sub-ledger: headers, carried sums, page, account and grand totals
    pager.py      pages for the later kinds: blocks kept together, page sums, carried sums
    draw.py       what kinds draw from: variant picker, names, texts, postings
    doc.py        one report's lines and roles, and its truth
    cells.py      the truth-to-cell rule: the clean table a truth stands for
    check.py      the truth check
    kinds/        one module per report kind (see kinds/__init__.py)
    grammar/      report shapes drawn at random from the habits of DOS print-outs
    main.py       the command line

CONVENTIONS.md says what a truth means and how its clean table follows from it. The truth
(truth.json, UTF-8) beside each report holds the columns (heading, kind, carried
page-header fields with their labels, the character span of the values, the print format),
every record (its first line, all its lines, its page, its values: ISO dates, amounts
"-1234.56" or null, codes and texts as typed, continuation lines joined with one blank, marks
"B"/"A"), every total line (label, what it covers, the filter that says which records it sums,
its printed amounts), the pages and a role for every line of the report.

    python3 samples/reports                      # the fixed report of every kind:
        samples/<kind>.txt and tests/data/clean/<kind>/report.txt + truth.json + expected.csv
    python3 samples/reports --seed N --out DIR   # one unseen variant of every kind:
        DIR/<kind>/report.txt + truth.json
    python3 samples/reports --check [DIR...]     # checks written cases (default: the folders
        under tests/data/clean)
    python3 samples/reports --grammar --seed N --out DIR   # one shape of the print-out
        grammar: DIR/report.txt + truth.json + the tampered copies (grammar/__init__.py)

Every run but --check checks what it wrote. Python 3 standard library only; the same
arguments always give the same bytes. A new kind is one module in kinds/; running the
generator writes its folder under tests/data/clean, where the tests find it.
"""
