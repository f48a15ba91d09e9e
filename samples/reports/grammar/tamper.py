"""Tampered copies of a shape: one amount changed by the smallest step its column prints, one
record taken out. Each copy says whether the print shows the change: whether a total that
covers it, a running column, a row relation or a parent's sum no longer holds."""

import copy
from decimal import Decimal

from ..check import check_figures, render_value, tables_of
from ..encoding import encode_line, paper, paper_positions

# A row relation, a running column or a parent's sum shows a change only where enough other
# records keep it: one record against two others tells nothing.
EVIDENT_FROM = 5


def report_bytes(raw: list, truth: dict) -> bytes:
    end = b"\r\n" if truth["line_end"] == "CRLF" else b"\n"
    return b"".join(encode_line(line, truth["encoding"], truth["printer_codes"]) + end
                    for line in raw)


def expectation(table: dict) -> tuple:
    """Whether a (tampered) table's figures still hold, and the first that does not."""
    errors = check_figures(table)
    if len(table["records"]) < EVIDENT_FROM:
        errors = [e for e in errors if e[0] in ("total", "voucher")]
    return ("warn", errors[0][1]) if errors else ("silent", None)


def changed_amount(raw: list, truth: dict, rng):
    """A copy with one record's amount one step up or down, where its printed width and side
    stay the same; None when no amount can be changed so."""
    places = []
    for ti, table in enumerate(tables_of(truth)):
        for ci, col in enumerate(table["columns"]):
            if col["kind"] != "amount" or col["carried"] or col.get("ratio"):
                continue
            step = Decimal(1).scaleb(-col["format"].get("decimals", 2))
            for ri, rec in enumerate(table["records"]):
                value = rec["values"][ci]
                if value is not None and abs(Decimal(value)) >= 2 * step:
                    places.append((ti, ci, ri, step))
    rng.shuffle(places)
    for ti, ci, ri, step in places:
        table = tables_of(truth)[ti]
        col, rec = table["columns"][ci], table["records"][ri]
        old = render_value(col, rec["values"][ci])
        for new_value in (Decimal(rec["values"][ci]) + step, Decimal(rec["values"][ci]) - step):
            new = render_value(col, str(new_value))
            if len(new) == len(old) and (new_value > 0) == (Decimal(rec["values"][ci]) > 0):
                lines = list(raw)
                n = rec["lines"][col.get("record_line", 1) - 1]  # the line the column is on
                lines[n - 1] = replace_at(lines[n - 1], col["span"][1], old, new)
                changed = copy.deepcopy(table)
                changed["records"][ri]["values"][ci] = str(new_value)
                expect, why = expectation(changed)
                return lines, {"change": "amount", "table": ti + 1, "line": n,
                               "column": col["heading"], "from": old, "to": new,
                               "expect": expect, "why": why}
    return None


def replace_at(line: str, end: int, old: str, new: str) -> str:
    """The line with the text old, which ends at paper position end, written as new."""
    at = paper_positions(line)
    start = end - len(old)
    assert paper(line)[start:end] == old, (paper(line), old)
    chars = list(line)
    for i, ch in enumerate(new):
        chars[at[start + i]] = ch
    return "".join(chars)


def taken_record(raw: list, truth: dict, rng):
    """A copy without one record (all its lines); never a parent of a hierarchy, whose
    children would then stand under another."""
    places = []
    for ti, table in enumerate(tables_of(truth)):
        parents = {r.get("parent") for r in table["records"]}
        places += [(ti, ri) for ri, r in enumerate(table["records"]) if r["line"] not in parents]
    if not places:
        return None
    ti, ri = rng.choice(places)
    table = copy.deepcopy(tables_of(truth)[ti])
    rec = table["records"].pop(ri)
    lines = [line for n, line in enumerate(raw, 1) if n not in rec["lines"]]
    expect, why = expectation(table)
    return lines, {"change": "record", "table": ti + 1, "lines": rec["lines"], "expect": expect,
                   "why": why}


def copies(raw: list, truth: dict, rng) -> list:
    """The tampered copies of a shape: (file name, bytes, what was done and what it should
    give)."""
    out = []
    for name, make in (("tamper-amount.txt", changed_amount), ("tamper-record.txt", taken_record)):
        made = make(raw, truth, rng)
        if made:
            lines, info = made
            out.append((name, report_bytes(lines, truth), dict(file=name, **info)))
    return out
