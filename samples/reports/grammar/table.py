"""A table on paper: where each column stands, and its heading, rule, frame, record, block and
total lines, for every frame and rule style."""

from ..draw import wrap
from ..layout import fit
from .columns import (PCol, cell_text, day_pieces, heading_text, notation, reader_kind,
                      split_heading)

# Frame lines as (left corner, fill, tee, right corner), and the vertical lines.
BOXES = {
    "box-single": {"top": "┌─┬┐", "plain": "┌──┐", "junction": "├─┬┤", "inner": "├─┼┤",
                   "bottom": "└─┴┘", "outer": "│", "between": "│"},
    "box-double": {"top": "╔═╦╗", "plain": "╔══╗", "junction": "╠═╦╣", "inner": "╠═╬╣",
                   "bottom": "╚═╩╝", "outer": "║", "between": "║"},
    "box-mixed": {"top": "╔═╤╗", "plain": "╔══╗", "junction": "╠═╤╣", "inner": "╟─┼╢",
                  "bottom": "╚═╧╝", "outer": "║", "between": "│"},
}


def ascii_box(fill):
    return {"top": f"+{fill}++", "plain": f"+{fill}{fill}+", "junction": "+-++",
            "inner": "+-++", "bottom": f"+{fill}++", "outer": "|", "between": "|"}


# The rule styles under which a record may print its last figures on a second line.
PAIRED_RULES = ("gapped-hyphen", "gapped-equals", "gapped-twice", "continuous-hyphen",
                "continuous-equals", "around", "none")


def second_line_keys(content, h) -> list:
    """The last columns a record may print on a line of its own under its first: up to four
    plain summed amounts, two amounts left on the first line; none where the table cannot
    print so (a frame, a rule over the amounts, B/A marks, days, wrapped texts, openings, no
    name for them to stand under)."""
    fields = content.fields
    amounts = [f for f in fields if f.kind == "amount"]
    first = next((i for i, f in enumerate(fields) if f.kind == "amount"), 0)
    if (h["frame"] != "none" or h["rule"] not in PAIRED_RULES or len(amounts) < 4
            or any(f.marks or f.day for f in fields) or (h["wrap"] and content.wrap_key)
            or content.openings or not any(f.kind == "text" for f in fields[:first])):
        return []
    tail = []
    for f in reversed(fields):
        plain = f.kind == "amount" and f.summed and not f.percent and f.key not in (
            set(content.running) | set(content.ratios) | set(content.local))
        if not plain or len(tail) == min(4, len(amounts) - 2):
            break
        tail.insert(0, f.key)
    return tail if len(tail) >= 2 else []


class TableLayout:
    """The columns of one table placed on paper by its habits, and its lines."""

    def __init__(self, content, h, rng, label_room=0):
        self.content, self.h, self.rng = content, h, rng
        self.framed = h["frame"] != "none"
        self.boxed = h["frame"].startswith("box") or h["frame"] == "ascii"
        self.box = (BOXES.get(h["frame"]) or ascii_box(h["ascii_fill"])) if self.boxed else None
        self.between = {"bars": "|", "colon": ":"}.get(h["frame"]) or (
            self.box["between"] if self.box else None)
        self.outer = self.box["outer"] if self.box else self.between
        self.cols = self.build_columns()
        self.second = [c for c in self.cols if c.second]  # a record's second line
        self.rows = 2 if self.second else 1  # the lines of a record or total
        self.wrap_key = self.wrapping()
        self.widen(label_room)
        self.place()

    # --- columns ----------------------------------------------------------------------------
    def build_columns(self) -> list:
        c, h, records = self.content, self.h, self.content.records
        lines = h["heading_lines"]
        if any(f.day for f in c.fields):
            lines = max(lines, 2)
        second = self.second_keys()
        if second:  # the second line's headings on a heading line of their own
            lines = max(lines - 1, 1)
        cols, marked = [], False
        for f in c.fields:
            values = [r.get(f.key) for r in records]
            kind = reader_kind(f, values)
            col = PCol(f.key, "", kind, 0, f.align, field=f)
            marks = f.marks and not marked and h["marks"] in ("beside", "glued")
            if kind == "amount":
                col.notation = notation(h, f, marks)
                col.zero = h["zero"]
            elif kind == "date":
                col.date_form = h["month_form"] if f.fixed_form == "month" else h["date_form"]
            if f.day:
                col.pieces = day_pieces(int(f.heading), lines)
                col.heading = f.heading
            else:
                one = dict(h, heading_lines=1 if f.key in second else lines) if second else h
                text = heading_text(f, one, max(len(cell_text(col, v)) for v in values))
                col.pieces = split_heading(text, lines)
                col.heading = text
            col.second = f.key in second
            cols.append(col)
            if marks:
                marked = True
                mark = PCol(f.key + "/mark", "B/A", "marks", 1, "L", mark_of=f.key)
                mark.glued = h["marks"] == "glued"
                printed = h["mark_heading"] and not mark.glued
                mark.pieces = split_heading("B/A" if printed else "", lines)
                cols.append(mark)
        used = max(sum(1 for p in col.pieces if p) for col in cols if not col.second)
        for col in cols:
            col.pieces = col.pieces[lines - used:]
            if second:
                col.pieces = [""] * used + [col.heading] if col.second else col.pieces + [""]
            data, head = self.data_width(col), max(len(p) for p in col.pieces)
            col.width = max(head, data, 1)
            if not col.day and col.kind != "marks":
                # a heading wider than the values keeps a blank more from its neighbour's
                col.width += self.rng.randint(0, self.h["slack"]) + (head > data)
        return cols

    def second_keys(self) -> list:
        """The keys of the columns the table prints on a record's second line: the last two
        to four of those that may go there, where the table's habit prints two lines."""
        keys = second_line_keys(self.content, self.h) if self.h.get("two_lines") else []
        return keys[-self.rng.randint(2, len(keys)):] if keys else []

    def data_width(self, col) -> int:
        """The widest value the column prints, a total's figure included."""
        records = self.content.records
        values = [r.get(col.mark_of or col.key) for r in records]
        widest = max(len(cell_text(col, v)) for v in values)
        if col.kind == "amount":
            bound = sum(abs(v or 0) for v in values) + sum(
                abs(o.get(col.key) or 0) for o in self.content.openings.values())
            running = self.content.running.get(col.key, {})
            if isinstance(running.get("opening"), int):
                bound += running["opening"]
            widest = max(widest, len(cell_text(col, bound)))
            if col.notation["negative"] != "unsigned":
                widest = max(widest, len(cell_text(col, -bound)))
        return widest

    def wrapping(self):
        """The text column whose long texts go on over continuation lines, if the table
        wraps them: never the first column, whose lines a block line would look like."""
        key = self.content.wrap_key
        if not (self.h["wrap"] and key) or self.cols[0].key == key:
            return None
        col = self.col(key)
        longest = max((len(w) for r in self.content.records for w in str(r.get(key) or "").split()),
                      default=1)
        narrow = max(longest, max(map(len, col.pieces)), self.rng.randint(12, 22))
        if narrow >= col.width:
            return None
        col.width = narrow
        return key

    def widen(self, room):
        """Makes the columns before the first figure wide enough for the longest total label
        or block line."""
        region = self.label_region()
        have = self.region_width(region)
        if have < room:
            texts = [c for c in region if c.kind == "text"] or region
            max(texts, key=lambda c: c.width).width += room - have

    def ensure_row(self, length):
        """Widens the table where a row across its frame must hold length characters."""
        short = length - self.inner_width()
        if short > 0:
            region = self.label_region()
            texts = [c for c in region if c.kind == "text"] or region
            max(texts, key=lambda c: c.width).width += short
            self.place()

    def label_region(self) -> list:
        first = next(i for i, c in enumerate(self.cols) if c.kind in ("amount", "marks"))
        return self.cols[:max(first, 1)]

    def region_width(self, region) -> int:
        pad = (1 if self.h.get("tight") else 3) if self.framed else self.h["gap"]
        return sum(c.width for c in region) + pad * (len(region) - 1)

    def col(self, key) -> PCol:
        return next(c for c in self.cols if c.key == key)

    # --- places -----------------------------------------------------------------------------
    def cells(self, second=False) -> list:
        """The columns of a record's first line (or its second) in cells: a column and the
        mark glued to it share one."""
        groups = []
        for c in self.cols:
            if c.second != second:
                continue
            if c.glued:
                groups[-1].append(c)
            else:
                groups.append([c])
        return groups

    def place(self):
        x = self.h["margin"] + 1
        self.seps, self.edges = [], []
        edged = self.framed and self.h["edges"]
        if edged:
            self.edges.append(x)
            x += 1
        blank = 0 if self.h.get("tight") else 1  # between an upright and the text
        for i, group in enumerate(self.cells()):
            if self.framed:
                if i:
                    self.seps.append(x)
                    x += 1
                x += blank
            elif i:
                x += self.h["gap"]
            for c in group:
                c.start = x
                x += c.width
            if self.framed:
                x += blank
        if edged:
            self.edges.append(x)
            x += 1
        self.width = x - 1
        if self.second:
            self.place_second()

    def place_second(self):
        """Places the columns of a record's second line: the first ends under the names, left
        of the first line's first figure (the names' column widened to hold it), the others
        follow it, two to four blanks apart."""
        region = self.label_region()
        name = next((c for c in region if c.kind == "text"), region[-1])
        amount = next(c for c in self.cols if c.kind == "amount")
        w = self.second[0].width
        short = name.start + w - (amount.start - 2)
        if short > 0:
            name.width += short
            self.place()
            return
        x = self.rng.randint(name.start + w, amount.start - 2) - w + 1
        for c in self.second:
            c.start = x
            x = c.end + 1 + self.rng.randint(2, 4)
        self.width = max(self.width, self.second[-1].end)

    # --- lines ------------------------------------------------------------------------------
    def blank_row(self, merged_to=0) -> list:
        buf = [" "] * self.width
        for p in self.edges:
            buf[p - 1] = self.outer
        for p in self.seps:
            if p > merged_to:
                buf[p - 1] = self.between
        return buf

    def row(self, cells: dict, merged_to=0) -> str:
        buf = self.blank_row(merged_to)
        for c in self.cols:
            text = cells.get(c.key)
            if text:
                put(buf, c.start, fit(text, c.width, c.align))
        return "".join(buf).rstrip()

    def inner_width(self) -> int:
        """The characters a row across a frame holds."""
        return self.width - self.cols[0].start + 1 - (2 if self.edges else 0)

    def full_row(self, text: str) -> str:
        """A line across the table: a row without column lines in a frame, else the text at
        the table's left edge."""
        if not self.framed:
            return " " * (self.cols[0].start - 1) + text
        buf = self.blank_row(merged_to=self.width)
        put(buf, self.cols[0].start, text)
        return "".join(buf).rstrip()

    def frame_line(self, which: str) -> str:
        left, fill, tee, right = self.box[which]
        buf = [fill] * self.width
        for p in self.seps:
            buf[p - 1] = tee
        buf[self.edges[0] - 1], buf[self.edges[1] - 1] = left, right
        return " " * (self.edges[0] - 1) + "".join(buf[self.edges[0] - 1:])

    def rule(self, char: str, gapped: bool) -> str:
        buf = [" "] * self.width
        if gapped:
            for group in self.cells():
                for p in range(group[0].start, group[-1].end + 1):
                    buf[p - 1] = char
        else:
            first = self.edges[0] if self.edges else self.cols[0].start
            for p in range(first, self.width + 1):
                buf[p - 1] = char
        return "".join(buf).rstrip()

    def underline(self, keys) -> str:
        """Hyphens under the columns a total prints figures in."""
        buf = [" "] * self.width
        for group in self.cells():
            if any(c.key in keys or c.mark_of in keys for c in group):
                for p in range(group[0].start, group[-1].end + 1):
                    buf[p - 1] = "-"
        return "".join(buf).rstrip()

    def heading_places(self) -> list:
        """Where each heading piece stands: (line, position, piece, column key). Amounts'
        headings stand right-aligned (over a mark glued to the amount too), a day's digits
        over its one character, a date's heading centred where the program centres them,
        the others at the column's start."""
        out = []
        centred = self.h["centred_headings"]
        for level in range(len(self.cols[0].pieces)):
            for group in self.cells() + self.cells(True):
                for c in group:
                    piece = c.pieces[level]
                    if not piece:
                        continue
                    if c.day:
                        at = c.end - len(piece) + 1
                    elif c.align == "R":
                        at = group[-1].end - len(piece) + 1
                    elif centred and fixed_width(self.content.records, c):
                        at = c.start + (c.width - len(piece)) // 2
                    else:
                        at = c.start
                    out.append((level, at, piece, c.key))
        return out

    def heading_rows(self) -> list:
        rows = [self.blank_row() for _ in self.cols[0].pieces]
        for level, at, piece, _ in self.heading_places():
            put(rows[level], at, piece)
        return ["".join(buf).rstrip() for buf in rows]

    def heading_block(self, header=()) -> list:
        """The lines that open the table on a page: a frame's top (around the page header's
        lines when the frame holds them), the headings and the rule or frame line under
        them; (text, role) each."""
        h, out = self.h, []
        heads = [(t, "heading") for t in self.heading_rows()]
        if self.boxed:
            if header:
                out.append((self.frame_line("plain"), "frame"))
                out += [(self.full_row(t), "header") for t in header]
                out.append((self.frame_line("junction"), "frame"))
            else:
                out.append((self.frame_line("top"), "frame"))
            return out + heads + [(self.frame_line("inner"), "frame")]
        rule = h["rule"]
        if rule == "around":
            out.append((self.rule("=", False), "rule"))
            return out + heads + [(self.rule("-", not self.framed and h["gap"] > 0 and
                                               self.rng.random() < 0.5), "rule")]
        if rule == "gapped-twice":  # the same rule over the headings and under them
            twice = self.rule("-", True)
            return out + [(twice, "rule")] + heads + [(twice, "rule")]
        if rule.startswith("gapped") or rule.startswith("continuous"):
            char = "=" if rule.endswith("equals") else "-"
            return heads + [(self.rule(char, rule.startswith("gapped")), "rule")]
        return heads + ([("", "blank")] if self.rng.random() < 0.5 else [])

    def record_lines(self, rec) -> list:
        """A record's line and its continuation lines."""
        cells = {c.key: cell_text(c, rec.get(c.mark_of or c.key)) for c in self.cols}
        lines = [cells]
        if self.second:  # the last figures on a line of their own
            below = {c.key for c in self.second}
            lines = [{k: v for k, v in cells.items() if k not in below},
                     {k: v for k, v in cells.items() if k in below}]
        if self.wrap_key and rec.get(self.wrap_key):
            pieces = wrap(str(rec[self.wrap_key]), self.col(self.wrap_key).width)
            cells[self.wrap_key] = pieces[0]
            lines += [{self.wrap_key: p} for p in pieces[1:]]
        return [self.row(c) for c in lines]

    def total_lines(self, label: str, figures: dict, place: str) -> list:
        """A total's lines: its label and figures, and where records print two lines, the
        second line's figures on a line of their own under them."""
        below = {c.key for c in self.second}
        first = self.total_line(label, {k: v for k, v in figures.items() if k not in below},
                                place)
        if not self.second:
            return [first]
        return [first, self.row({c.key: cell_text(c, figures[c.key]) for c in self.second
                                 if c.key in figures})]

    def total_line(self, label: str, figures: dict, place: str) -> str:
        """A total's line: its label and its figures under their columns (a balance's mark
        beside it where the table prints marks)."""
        cells = {}
        for c in self.cols:
            key = c.mark_of or c.key
            if key in figures:
                cells[c.key] = cell_text(c, figures[key])
        region = self.label_region()
        if self.framed and place != "under":
            buf = self.blank_row(merged_to=region[-1].end)
            at = region[0].start
        elif place == "under":
            buf = [" "] * self.width
            at = self.label_at(label, region, place)
        else:
            buf = self.blank_row()
            at = self.label_at(label, region, place)
        for c in self.cols:
            if cells.get(c.key):
                put(buf, c.start, fit(cells[c.key], c.width, c.align))
        put(buf, at, label)
        return "".join(buf).rstrip()

    def label_at(self, label, region, place) -> int:
        """Where a label stands outside a box: at the table's left edge, or where the text
        column begins; a label with digits never over a date or code column."""
        texts = [c for c in region if c.kind == "text"]
        edge = region[0].start
        at = texts[0].start if texts and (place == "text" or any(ch.isdigit() for ch in label)) \
            else edge
        end = region[-1].end
        if at + len(label) - 1 > end:
            at = max(edge, end - len(label) + 1)
        return at


def fixed_width(records, col) -> bool:
    """Whether every value of the column fills it: a centred heading then stands over
    them."""
    widths = {len(cell_text(col, r.get(col.key))) for r in records}
    return widths == {col.width}


def put(buf: list, pos: int, text: str):
    for i, ch in enumerate(text):
        if ch != " ":
            if buf[pos - 1 + i] not in (" ",):
                raise ValueError(f"overlap at {pos + i}: {''.join(buf)!r} <- {text!r}")
            buf[pos - 1 + i] = ch
