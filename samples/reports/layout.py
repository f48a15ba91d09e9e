"""Where a report's values stand on paper: columns, a table under a rule line, a box frame."""

from .values import fmt_date, plain, render_amount, tr_upper


class Col:
    """One column of a report table: where its values stand and how they are printed."""

    def __init__(self, key, head, width, kind, align="L", fmt=None, total=None, head_align=None,
                 glued=False, name=None):
        self.key, self.width, self.kind, self.align = key, width, kind, align
        # glued: printed right after the column before it, without a blank (a B/A mark behind
        # its balance); name: the heading the truth gives a column printed without one
        self.glued, self.name = glued, name
        self.head = head if isinstance(head, tuple) else ("", head)
        self.fmt, self.total = fmt, total
        # how each heading line stands over the column ("L", "C", "R" or a shift in characters
        # from the column's start), when not as its values do
        self.head_align = head_align
        self.start = 0  # 1-based position of the first character, set by the table

    @property
    def heading(self):
        return self.name or " ".join(p for p in self.head if p)

    @property
    def end(self):
        return self.start + self.width - 1

    def render(self, value) -> str:
        if value is None or value == "":
            return ""
        if self.kind == "date":
            return fmt_date(value, self.fmt)
        if self.kind == "amount":
            return render_amount(value, self.fmt)
        return value

    def truth(self, value):
        if value is None or value == "":
            return None
        if self.kind == "date":
            return value.isoformat()
        if self.kind == "amount":
            return plain(abs(value) if self.fmt["negative"] == "unsigned" else value,
                         self.fmt.get("decimals", 2))
        return value


def fit(text: str, width: int, align: str) -> str:
    if len(text) > width:
        raise ValueError(f"{text!r} is wider than {width}")
    return {"L": text.ljust, "R": text.rjust, "C": text.center}[align](width)


def put(buf: list, pos: int, text: str) -> None:
    """Writes text at the 1-based position pos of a line buffer that must be blank there."""
    for i, ch in enumerate(text):
        if ch == " ":
            continue
        if buf[pos - 1 + i] != " ":
            raise ValueError(f"overlap at {pos + i}: {''.join(buf)!r} <- {text!r}")
        buf[pos - 1 + i] = ch


class Table:
    """Columns parted by one blank and underlined by a rule line of hyphens."""

    framed = False

    def __init__(self, cols, margin=0):
        self.cols, self.margin = cols, margin
        pos = margin + 1
        for c in cols:
            if c.glued:
                pos -= 1
            c.start = pos
            pos += c.width + 1
        self.width = pos - 2

    def col(self, key):
        return next(c for c in self.cols if c.key == key)

    def line(self, cells: dict, overlays=()) -> str:
        buf = [" "] * (self.width + 40)
        for c in self.cols:
            text = cells.get(c.key) or ""
            if text:
                put(buf, c.start, fit(text, c.width, c.align))
        taken = {p for c in self.cols if cells.get(c.key) for p in range(c.start, c.end + 1)}
        for pos, text in overlays:
            if any(ch != " " and pos + i in taken for i, ch in enumerate(text)):
                raise ValueError(f"{text!r} at {pos} runs into a filled column")
            put(buf, pos, text)
        return "".join(buf).rstrip()

    def values(self, rec: dict, overlays=()) -> str:
        cells = {c.key: c.render(rec.get(c.key)) for c in self.cols}
        if rec.get("_cont"):  # a wrapped text: its first piece on the record's own line
            cells[rec["_cont_key"]] = rec["_first"]
        cells.update(rec.get("_print", {}))  # printed otherwise than the value reads
        return self.line(cells, overlays)

    def rule(self, char="-") -> str:
        return " " * self.margin + "".join(("" if c.glued or i == 0 else " ") + char * c.width
                                           for i, c in enumerate(self.cols))

    def underline(self, keys) -> str:
        buf = [" "] * self.width
        for c in self.cols:
            if c.key in keys:
                put(buf, c.start, "-" * c.width)
        return "".join(buf).rstrip()

    def headings(self) -> list:
        """One or two heading lines, each heading over its column (right-aligned over amounts);
        a heading wider than its column leans left, pushing the headings beside it left."""
        out = []
        levels = max(len(c.head) for c in self.cols)
        for level in range(levels):
            parts = [(c, head_at(c, level, levels)) for c in self.cols]
            parts = [(c, text) for c, text in parts if text]
            if not parts:
                continue
            buf = [" "] * (self.width + 1)
            limit = self.width + 2
            for c, text in reversed(parts):
                align = c.head_align[level - levels + len(c.head)] if c.head_align else c.align
                if isinstance(align, int):
                    a = c.start + align
                elif align == "R" or len(text) > c.width:
                    a = c.end - len(text) + 1
                elif align == "C":
                    a = c.start + (c.width - len(text)) // 2
                else:
                    a = c.start
                a = min(a, limit - 1 - len(text))
                put(buf, a, text)
                limit = a
            out.append("".join(buf).rstrip())
        return out


def head_at(col, level, levels):
    """A column's heading on a heading line; shorter headings stand on the lowest lines."""
    at = level - (levels - len(col.head))
    return col.head[at] if at >= 0 else ""


# A frame's characters: corners, the lines' fill, tees and crossings, by style.
FRAME_STYLES = {
    # double outside, single inside, as most DOS programs drew it
    "mixed": {"top": "╔═╤╗", "inner": "╟─┼╢", "bottom": "╚═╧╝", "outer": "║", "between": "│"},
    "single": {"top": "┌─┬┐", "inner": "├─┼┤", "bottom": "└─┴┘", "outer": "│", "between": "│"},
    "double": {"top": "╔═╦╗", "inner": "╠═╬╣", "bottom": "╚═╩╝", "outer": "║", "between": "║"},
}


class Frame(Table):
    """Columns in a box frame: ║ cell │ cell ║; a cell keeps one blank on either side."""

    framed = True

    def __init__(self, cols, style="mixed"):
        self.style = FRAME_STYLES[style]
        self.cols, self.margin = cols, 0
        pos = 2
        for c in cols:
            c.start = pos
            pos += c.width + 1
        self.width = pos - 1

    def line(self, cells: dict, overlays=()) -> str:
        inner = []
        for c in self.cols:
            text = cells.get(c.key) or ""
            inner.append(" " + fit(text, c.width - 2, c.align) + " ")
        outer, between = self.style["outer"], self.style["between"]
        buf = list(outer + between.join(inner) + outer)
        for pos, text in overlays:
            for i, ch in enumerate(text):
                if ch != " ":
                    assert buf[pos - 1 + i] == " ", (buf, text)
                    buf[pos - 1 + i] = ch
        return "".join(buf)

    def rule_line(self, left, fill, tee, right) -> str:
        return left + tee.join(fill * c.width for c in self.cols) + right

    def styled(self, which):
        left, fill, tee, right = self.style[which]
        return self.rule_line(left, fill, tee, right)

    def top(self):
        return self.styled("top")

    def inner(self):
        return self.styled("inner")

    def bottom(self):
        return self.styled("bottom")

    def headings(self) -> list:
        out = []
        levels = max(len(c.head) for c in self.cols)
        for level in range(levels):
            if any(head_at(c, level, levels) for c in self.cols):
                out.append(self.line({c.key: head_at(c, level, levels) for c in self.cols}))
        return out


def spread(width: int, left="", center="", right="") -> str:
    buf = [" "] * width
    if left:
        put(buf, 1, left)
    if center:
        put(buf, (width - len(center)) // 2 + 1, center)
    if right:
        put(buf, width - len(right) + 1, right)
    return "".join(buf).rstrip()


def clip(table, rec):
    """DOS programs printed a text cut to its column, as the truth then holds it."""
    for c in table.cols:
        value = rec.get(c.key)
        if rec.get("_cont") and rec["_cont_key"] == c.key:
            continue
        if c.kind == "text" and value and len(value) > c.width - (2 if table.framed else 0):
            rec[c.key] = value[:c.width - (2 if table.framed else 0)].rstrip()


def heading_case(P, cols):
    """Some programs print every heading in capitals."""
    if P.chance(False, 0.3):
        for c in cols:
            c.head = tuple(tr_upper(h) for h in c.head)


def cols_h(cols, key):
    return next(c.heading for c in cols if c.key == key)
