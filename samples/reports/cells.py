"""The clean table a truth stands for: what `tablamo-convert --clean` writes on a Turkish system
(--decimal-separator , --date-separator . --date-order dmy). The one rule from a truth's values
to the table's cells, shared by the generator (expected.csv), tests/data/clean/make-expected.py
and tests/clean/check_variants.py."""

import datetime as dt

# A statement's clean table has its account in front, which the truth keeps among its report
# fields; the kinds read by the statement import are named "akbank-…".
STATEMENT_PREFIX = "akbank-"
STATEMENT_ACCOUNT = "IBAN"


def cell(kind: str, value) -> str:
    """A truth value as the clean table's cell: ISO date -> dd.mm.yyyy, "-1234.56" ->
    "-1234,56", codes, texts and marks as they are, null -> empty."""
    if value is None:
        return ""
    if kind == "date":
        return dt.date.fromisoformat(value).strftime("%d.%m.%Y")
    if kind == "amount":
        return value.replace(".", ",")
    return value


def is_statement(truth: dict) -> bool:
    """Whether the report is read by the statement import (`--akbank`)."""
    return truth["kind"].startswith(STATEMENT_PREFIX)


def rows(truth: dict) -> list:
    """The clean table: the headings, then one row of cells per record."""
    cols = truth["columns"]
    out = [[c["heading"] for c in cols]]
    for rec in truth["records"]:
        out.append([cell(c["kind"], v) for c, v in zip(cols, rec["values"])])
    account = [f["value"] for f in truth["report_fields"] if f["label"] == STATEMENT_ACCOUNT]
    if is_statement(truth) and account:
        out = [[STATEMENT_ACCOUNT] + out[0]] + [[account[0]] + r for r in out[1:]]
    return out


def csv_field(text: str) -> str:
    if any(ord(c) < 32 or c in '";' for c in text):
        return '"' + text.replace('"', '""') + '"'
    return text


def csv_bytes(table: list) -> bytes:
    """The table as the converter's CSV: Windows-1254, ";" between fields, CR LF."""
    text = "".join(";".join(csv_field(c) for c in row) + "\r\n" for row in table)
    return text.encode("cp1254")
