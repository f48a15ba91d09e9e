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


def tables(truth: dict) -> list:
    """The report's tables; a truth of one table holds its columns, records and totals itself."""
    return truth.get("tables") or [truth]


def file_name(stem: str, index: int, suffix: str) -> str:
    """The file of the report's table index (from 0): rapor.csv, rapor-2.csv, …"""
    return f"{stem}{'' if index == 0 else f'-{index + 1}'}{suffix}"


def rows(truth: dict, index: int = 0, signed: bool = False) -> list:
    """A table of the clean conversion: the headings, then one row of cells per record; with
    signed, each B/A mark column followed by its balance as one signed number."""
    table = tables(truth)[index]
    cols = table["columns"]
    out = [[c["heading"] for c in cols]]
    for rec in table["records"]:
        out.append([cell(c["kind"], v) for c, v in zip(cols, rec["values"])])
    if signed:
        for at in reversed(signed_after(truth, cols)):
            amount = cols[at - 1]
            out[0].insert(at + 1, "İşaretli " + amount["heading"])
            for row, rec in zip(out[1:], table["records"]):
                value, mark = rec["values"][at - 1], rec["values"][at]
                if value is not None and mark == "A" and value.strip("0.") != "":
                    value = "-" + value
                row.insert(at + 1, cell("amount", value))
    levels(table, out)
    account = [f["value"] for f in truth["report_fields"] if f["label"] == STATEMENT_ACCOUNT]
    if is_statement(truth) and account:
        out = [[STATEMENT_ACCOUNT] + out[0]] + [[account[0]] + r for r in out[1:]]
    return out


def levels(table: dict, out: list) -> None:
    """A table of accounts of several levels (its first code column holds a code and, on the
    next record, one of that code's sub-accounts) ends in "Düzey", each record's level counted
    from the shortest code, and "Son Düzey", "Evet" for an account no other lies under."""
    cols = table["columns"]
    at = next((i for i, c in enumerate(cols) if c["kind"] == "code"), None)
    if at is None:
        return
    codes = [rec["values"][at] or "" for rec in table["records"]]
    if not any(b.startswith(a + ".") and a for a, b in zip(codes, codes[1:])):
        return
    top = min(c.count(".") for c in codes if c)
    out[0] += ["Düzey", "Son Düzey"]
    for row, code in zip(out[1:], codes):
        if not code:
            row += ["", ""]
            continue
        leaf = not any(c.startswith(code + ".") for c in codes)
        row += [str(code.count(".") - top + 1), "Evet" if leaf else ""]


def signed_after(truth: dict, cols: list) -> list:
    """The B/A mark columns that follow an amount, each of which --signed-balance follows with
    the amount as one signed number (B positive, A negative); a statement has none, its
    amounts carry their signs already."""
    if is_statement(truth):
        return []
    return [i for i, c in enumerate(cols)
            if c["kind"] == "marks" and i > 0 and cols[i - 1]["kind"] == "amount"]


def csv_field(text: str) -> str:
    if any(ord(c) < 32 or c in '";' for c in text):
        return '"' + text.replace('"', '""') + '"'
    return text


def csv_bytes(table: list) -> bytes:
    """The table as the converter's CSV: Windows-1254, ";" between fields, CR LF."""
    text = "".join(";".join(csv_field(c) for c in row) + "\r\n" for row in table)
    return text.encode("cp1254")
