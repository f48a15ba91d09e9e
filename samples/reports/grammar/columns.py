"""A table's printed columns: what each cell prints, how wide a column is, its heading split
over the heading lines, and the kind a reader of the print gives it."""

import itertools

from ..values import decimal_text, fmt_date, render_units, tr_upper
from .habits import NOTATIONS


class PCol:
    """A printed column: a field of the table, or the B/A marks of a balance (mark_of: the
    balance's key). start is the 1-based position of its first character on paper."""

    def __init__(self, key, heading, kind, width, align, field=None, mark_of=None):
        self.key, self.heading, self.kind = key, heading, kind
        self.width, self.align, self.field, self.mark_of = width, align, field, mark_of
        self.glued = False
        self.pieces = []  # the heading's text on each heading line, top first
        self.notation = None
        self.date_form = None
        self.zero = "blank"  # how the table prints a zero amount: blank, zero or dash
        self.start = 0
        self.second = False  # printed on a record's second line

    @property
    def end(self):
        return self.start + self.width - 1

    @property
    def day(self):
        return bool(self.field and self.field.day)


def notation(h, field, mark_printed) -> dict:
    """The truth's format of an amount column."""
    dec, thou = NOTATIONS[h["notation"]]
    fmt = {"decimal": dec, "thousands": thou,
           "negative": "unsigned" if mark_printed else h["negative"]}
    if field.decimals != 2:
        fmt["decimals"] = field.decimals
    if h["zero"] == "dash":
        fmt["zero"] = "dash"
    return fmt


def shown(col: PCol, value):
    """An amount as its column shows it: a zero as no value (blank, or a dash) unless the
    table prints zeros, and then no value as a zero."""
    if col.kind != "amount":
        return value
    if col.zero == "zero":
        return 0 if value is None else value
    return None if value == 0 else value


def cell_text(col: PCol, value) -> str:
    """What a column prints for a record's value (a mark column: for its balance's value)."""
    if col.kind == "marks":
        return "" if not value else ("B" if value > 0 else "A")
    value = shown(col, value)
    if value is None:
        return "-" if col.notation and col.notation.get("zero") == "dash" else ""
    if col.kind == "date":
        return fmt_date(value, col.date_form)
    if col.kind == "amount":
        signed = col.notation["negative"] != "unsigned"
        text = render_units(value if signed else abs(value), col.notation)
        return "%" + text if col.field and col.field.percent else text
    return str(value)


def truth_value(col: PCol, value):
    """A record's value as the truth holds it."""
    if col.kind == "marks":
        return None if not value else ("B" if value > 0 else "A")
    value = shown(col, value)
    if value is None:
        return None
    if col.kind == "date":
        return value.isoformat()
    if col.kind == "amount":
        signed = col.notation["negative"] != "unsigned"
        return decimal_text(value if signed else abs(value), col.field.decimals)
    return str(value)


def split_heading(text: str, lines: int) -> list:
    """A heading's words over at most lines lines, the longest line as short as may be, the
    lines at the bottom: ["", "Borç", "Tutarı"]."""
    words = text.split(" ")
    if len(words) <= lines:
        parts = words
    else:
        best = None
        for cuts in itertools.combinations(range(1, len(words)), lines - 1):
            bounds = (0,) + cuts + (len(words),)
            parts_ = [" ".join(words[a:b]) for a, b in zip(bounds, bounds[1:])]
            if best is None or max(map(len, parts_)) < max(map(len, best)):
                best = parts_
        parts = best
    return [""] * (lines - len(parts)) + parts


def day_pieces(day: int, lines: int) -> list:
    """A day's number stacked digit over digit, the units on the lowest line."""
    digits = list(str(day))
    return [""] * (lines - len(digits)) + digits


def code_like(values) -> bool:
    """A reader's code column: every value one word (or a letter series and its number, "A
    000123"), at least half of them holding a digit."""
    def token(v):
        head, _, tail = v.partition(" ")
        return " " not in v or (head.isalpha() and head.isupper() and len(head) <= 3
                                and tail.isdigit())
    values = [v for v in values if v]
    return bool(values) and all(map(token, values)) and \
        2 * sum(any(c.isdigit() for c in v) for v in values) >= len(values)


def reader_kind(field, values) -> str:
    """The kind of a code or text field as a reader tells it from the values printed."""
    if field.kind in ("date", "amount"):
        return field.kind
    return "code" if code_like([str(v) for v in values if v is not None]) else "text"


def heading_text(field, h, width_hint) -> str:
    """The heading a table prints over a field: its short form on one heading line when the
    whole would be wide, in capitals where the program prints them so."""
    text = field.heading
    if field.short and h["heading_lines"] == 1 and len(text) > max(width_hint, 10):
        text = field.short
    return tr_upper(text) if h["heading_case"] == "upper" else text
