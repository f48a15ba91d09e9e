#!/usr/bin/env python3
"""Writes the golden clean tables: expected.csv beside each report under tests/data/clean,
what `tablamo-convert --clean` gives on a Turkish system (--decimal-separator ,
--date-separator . --date-order dmy; Windows-1254, CR LF, ";" between fields).

The tables are written from each case's truth.json (written by the generator in
samples/reports from its own data model), never from the program's output, by the
generator's one truth-to-cell rule (samples/reports/cells.py); a report of several tables gets
expected-2.csv … for the tables after the first. The generator writes them too; this script
rewrites them for every folder here that holds a truth.json.

Run from anywhere: python3 tests/data/clean/make-expected.py
"""

import json
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parents[2] / "samples"))

from reports import cells  # noqa: E402


def main() -> None:
    for folder in sorted(p for p in HERE.iterdir() if (p / "truth.json").exists()):
        truth = json.loads((folder / "truth.json").read_text(encoding="utf-8"))
        for i in range(len(cells.tables(truth))):
            (folder / cells.file_name("expected", i, ".csv")).write_bytes(
                cells.csv_bytes(cells.rows(truth, i)))


if __name__ == "__main__":
    main()
