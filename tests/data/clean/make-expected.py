#!/usr/bin/env python3
"""Writes the golden clean tables: expected.csv beside each report under tests/data/clean,
what `tablamo-convert --clean` gives on a Turkish system (--decimal-separator ,
--date-separator . --date-order dmy; Windows-1254, CR LF, ";" between fields).

The tables are written from each case's truth.json (written by samples/make-reports.py from
its own data model), never from the program's output: the truth's headings as the first row,
then its records in order; dates ISO -> dd.mm.yyyy, amounts "-1234.56" -> "-1234,56", codes,
texts and B/A marks as they are, empty values empty. A statement's table has its IBAN in
front, as the clean statement import carries it.

Run from anywhere: python3 tests/data/clean/make-expected.py
"""

import datetime as dt
import json
from pathlib import Path

HERE = Path(__file__).resolve().parent
STATEMENT_ACCOUNT = "IBAN"


def cell(kind: str, value) -> str:
    if value is None:
        return ""
    if kind == "date":
        return dt.date.fromisoformat(value).strftime("%d.%m.%Y")
    if kind == "amount":
        return value.replace(".", ",")
    return value


def field(text: str) -> str:
    if any(ord(c) < 32 or c in '";' for c in text):
        return '"' + text.replace('"', '""') + '"'
    return text


def table(truth: dict) -> list:
    cols = truth["columns"]
    rows = [[c["heading"] for c in cols]]
    for rec in truth["records"]:
        rows.append([cell(c["kind"], v) for c, v in zip(cols, rec["values"])])
    account = [f["value"] for f in truth["report_fields"] if f["label"] == STATEMENT_ACCOUNT]
    if truth["kind"] == "akbank-ekstre-devam" and account:
        rows = [[STATEMENT_ACCOUNT] + rows[0]] + [[account[0]] + r for r in rows[1:]]
    return rows


def main() -> None:
    for folder in sorted(p for p in HERE.iterdir() if (p / "truth.json").exists()):
        truth = json.loads((folder / "truth.json").read_text(encoding="utf-8"))
        text = "".join(";".join(field(c) for c in row) + "\r\n" for row in table(truth))
        (folder / "expected.csv").write_bytes(text.encode("cp1254"))


if __name__ == "__main__":
    main()
