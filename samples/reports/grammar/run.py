"""One table printed from its content: its records in order, the block lines that head their
groups, the groups' opening lines, totals between the records, at a group's end, at a page's
foot and head and at the table's end; each line's truth noted as it is written (a total's
figures are those of the records its range then holds)."""

from decimal import ROUND_HALF_UP, Decimal

from .columns import cell_text
from .labels import REMARKS, UNEXPLAINED, block_text, printed_value
from .sheet import Item, lines

class TableRun:
    """Prints one table's content through the printer and keeps its truth."""

    def __init__(self, printer, content, h, layout, rng, levels, labels):
        self.p, self.c, self.h, self.L, self.rng = printer, content, h, layout, rng
        self.levels, self.labels = levels, labels
        keys = {col.key for col in layout.cols}
        self.summed = [f.key for f in content.fields if f.summed and f.key in keys]
        self.ratios = [k for k, r in content.ratios.items()
                       if k in keys and r["of"] in self.summed and r["to"] in self.summed]
        self.written = []    # (line, record, hierarchy level)
        self.records = []    # truth of the records: lines, page, record, group, level, parent
        self.totals = []     # truth of the total lines
        self.groups = []     # truth of the groups
        self.opened = []     # (line, figures) of the opening lines
        self.open = []       # the block lines of the groups open now, outermost first
        self.tree = []       # (code, line) of a hierarchy's open parents
        self.first = 0
        self.starts = [0] * len(levels)  # the first block line of each open group
        self.bare = [lv.bare and h["block_form"] == "bare" for lv in levels]
        self.under = layout.boxed and h["totals_under_frame"]

    # --- figures ----------------------------------------------------------------------------
    def in_range(self, a, b, level1=False) -> list:
        return [r for n, r, lvl in self.written if a <= n <= b and (not level1 or lvl == 1)]

    def figures(self, a, b, kind, level1=False) -> tuple:
        """The figures a total over lines a..b prints, and how each follows from the records:
        kind is "group" (a group's end), "inner" (the innermost group's end), "grand", or
        "sums" (a page, a carry, a period)."""
        recs = self.in_range(a, b, level1)
        fig, how = {}, {}
        with_openings = self.h["with_openings"] and self.h["opening_sides"] and \
            kind in ("group", "inner", "grand")
        for k in self.summed:
            if k in self.c.local and kind not in ("group", "inner"):
                continue
            fig[k] = sum(r.get(k) or 0 for r in recs)
            how[k] = "sum"
            if with_openings and any(k in o for _, o in self.opened):
                fig[k] += sum(o.get(k, 0) for n, o in self.opened if a <= n <= b)
                how[k] = "with_openings"
        for k in self.ratios:
            rule, dec = self.c.ratios[k], self.c.get(k).decimals
            if fig.get(rule["to"]):
                value = Decimal(fig[rule["of"]] * rule["scale"]) / fig[rule["to"]]
                fig[k] = int(value.scaleb(dec).quantize(Decimal(1), rounding=ROUND_HALF_UP))
                how[k] = "ratio"
        if kind == "inner" and recs:
            for k in self.c.running:
                fig[k], how[k] = recs[-1].get(k), "last"
        if kind == "grand":
            for k, rule in list(self.c.running.items()) + list(self.c.relations.items()):
                f = self.c.get(k)
                if f.marks and not f.summed and k in {c.key for c in self.L.cols}:
                    net = sum(o.get(k, 0) for n, o in self.opened if a <= n <= b) if \
                        k in self.c.running else 0
                    for r in recs:
                        net += sum(r.get(x) or 0 for x in rule["plus"])
                        net -= sum(r.get(x) or 0 for x in rule["minus"])
                    fig[k], how[k] = net, "net"
        return fig, how

    def total_item(self, label, keyword, covers, start, kind, count=False, level1=False,
                   under=False):
        """A total over the lines from start to its own (under a box frame when under); its
        label counts the records where the table prints counts."""
        def make(n):
            fig, how = self.figures(start, n, kind, level1)
            text = label
            counted = None
            if count:
                counted = len(self.in_range(start, n, level1))
                text = f"{label} ({counted} adet)"
            texts = self.L.total_lines(text, fig, "under" if under else self.h["label_at"])
            self.totals.append({"line": n, "label": text, "keyword": keyword, "covers": covers,
                                "range": [start, n], "level1": level1, "count": counted,
                                "page": self.p.page, "figures": fig, "how": how,
                                "lines": list(range(n, n + len(texts)))})
            return [(t, "total") for t in texts]
        return Item(self.L.rows, make)

    # --- lines before and after the records -------------------------------------------------
    def header_fields(self) -> str:
        return "   ".join(f"{label} : {self.header_value(v)}" for label, v in self.c.header)

    def header_value(self, value) -> str:
        if isinstance(value, int):
            col = next((c for c in self.L.cols if c.kind == "amount" and c.field.decimals == 2),
                       None)
            return cell_text(col, value) if col else str(value)
        return printed_value(value, self.h)

    def in_frame_header(self) -> bool:
        return self.L.boxed and self.h["header_in_frame"]

    def closing_rule(self, keys, under=False) -> list:
        rule = self.h["total_rule"]
        if self.h["rule"] == "over-amounts" or (rule == "inner" and under):
            rule = "underline"
        if rule == "inner":
            return [lines((self.L.frame_line("inner"), "frame"))]
        if rule == "underline":
            return [lines((self.L.underline(keys), "rule"))]
        if rule == "continuous":
            return [lines((self.L.rule("-", False), "rule"))]
        return []

    def page_closing(self) -> list:
        """The lines that close a page the table goes on from."""
        sums, under = self.h["page_sums"], self.under
        out = []
        bottom = [lines((self.L.frame_line("bottom"), "frame"))] if self.L.boxed else []
        if under:
            out += bottom
        if sums != "none":
            out += self.closing_rule(set(self.summed), under)
        level1 = bool(self.c.hierarchy)  # a hierarchy's sums are its first level's
        if "page" in sums:
            out.append(self.total_item(self.labels["page"], "SAYFA TOPLAMI", "page",
                                       self.p.first, "sums", level1=level1, under=under))
        if "carry" in sums:
            out.append(self.total_item(self.labels["carry_foot"], "NAKLİ YEKÜN", "carried",
                                       self.first, "sums", level1=level1, under=under))
        if not under:
            out += bottom
        return out

    def reserve(self) -> int:
        return sum(i.size for i in self.page_closing())

    def page_opening(self) -> list:
        """The lines that open a page the table goes on to: the carried sums, the open
        groups' block lines again."""
        out = []
        if not self.written:
            return out
        if "carry" in self.h["page_sums"]:
            out.append(self.total_item(self.labels["carry_head"], "NAKLİ YEKÜN", "carried",
                                       self.first, "sums", level1=bool(self.c.hierarchy)))
        if self.open and self.h["repeat_block"] != "none":
            suffix = " (devam)" if self.h["repeat_block"] == "devam" else ""
            for text in list(self.open):
                out.append(Item(1, lambda n, t=text: self.repeated(n, t + suffix)))
        return out

    def repeated(self, n, text):
        self.groups[-1].setdefault("repeated_lines", []).append(n)
        return [(self.row_text(text), "group")]

    def row_text(self, text) -> str:
        return self.L.full_row(text)

    # --- the records ------------------------------------------------------------------------
    def print(self, title=None):
        """Prints the table: its title and headings, its records with their groups and
        totals, its closing totals."""
        p = self.p
        self.reserved = self.reserve()
        if title:
            block = len(self.L.heading_block())
            if p.used + block + 4 + self.reserved > p.room():
                p.run = None
                p.break_page(with_table=False)
            p.run = self
            self.first = p.n + 1
            p.put(Item(2, lambda n: self.titled(n, title)))
            for text, role in self.L.heading_block():
                p.put(lines((text, role)))
        else:
            p.run = self
            self.first = p.n + 1
            p.begin_page()
        prev_ident, prev_period = None, None
        since = self.first
        remark_at = (self.rng.randrange(1, len(self.c.records))
                     if self.h["remark"] and len(self.c.records) > 2 and not any(self.bare)
                     else -1)
        for i, rec in enumerate(self.c.records):
            ident = [tuple(rec[k] for _, k in lv.fields) for lv in self.levels]
            change = next((j for j in range(len(ident)) if prev_ident is None
                           or ident[j] != prev_ident[j]), None)
            period = self.c.breaks.period(rec) if self.breaks_on() else None
            if prev_ident is not None:
                closing = []
                if self.breaks_on() and period != prev_period:
                    closing += self.break_totals(prev_period, since)
                    since = None
                if change is not None:
                    closing += self.close_levels(change)
                if closing:
                    p.unit(closing, self.reserved)
                if since is None:
                    since = p.n + 1
            unit = []
            if change is not None:
                unit += self.open_levels(change, ident, rec)
            if i == remark_at and change is None:
                unit.append(Item(1, lambda n: [(self.row_text(self.rng.choice(REMARKS)),
                                                "unplaced")]))
            unit.append(self.record_item(rec))
            p.unit(unit, self.reserved)
            prev_ident, prev_period = ident, period
        closing = []
        if self.breaks_on():
            closing += self.break_totals(prev_period, since)
        closing += self.close_levels(0)
        if closing:
            p.unit(closing, self.reserved)
        self.finish()

    def unexplained_item(self, under) -> Item:
        """A total no reading of the records explains: last year's figures for the same
        period, printed under the grand total."""
        label = self.rng.choice(UNEXPLAINED)
        fig = {k: int(sum(abs(r.get(k) or 0) for r in self.c.records)
                      * self.rng.uniform(0.5, 0.95)) for k in self.summed if k not in self.c.local}

        def make(n):
            texts = self.L.total_lines(label, fig, "under" if under else self.h["label_at"])
            self.totals.append({"line": n, "label": label, "keyword": "TOPLAM", "covers": "none",
                                "range": [n, n], "level1": False, "count": None,
                                "page": self.p.page, "figures": fig,
                                "how": {k: "unexplained" for k in fig},
                                "lines": list(range(n, n + len(texts)))})
            return [(t, "total") for t in texts]
        return Item(self.L.rows, make)

    def titled(self, n, title):
        self.title_line = n + 1
        return [("", "blank"), (title, "title")]

    def breaks_on(self) -> bool:
        return bool(self.c.breaks and self.h["breaks"] and not self.levels)

    def break_totals(self, period, since) -> list:
        b = self.c.breaks
        named = self.h["break_label"] == "named" and b.name
        label = b.name(period) if named else self.labels["break"]
        if named and any(ch.isdigit() for ch in label) and not self.text_in_region():
            label = self.labels["break"]
        items = self.closing_rule(set(self.summed))
        items.append(self.total_item(label, "TOPLAM", "break", since, "sums",
                                     count=self.counts()))
        if self.h["cumulative"]:
            items.append(self.total_item(self.labels["cumulative"], "TOPLAM", "all",
                                         self.first, "sums"))
        return items

    def counts(self) -> bool:
        return self.h["counts"] and (self.text_in_region() or self.L.boxed)

    def text_in_region(self) -> bool:
        return any(c.kind == "text" for c in self.L.label_region())

    def close_levels(self, down_to) -> list:
        """The totals of the open groups from the innermost up to level down_to."""
        items = []
        for j in reversed(range(down_to, len(self.levels))):
            if self.h["group_totals"]:
                items += self.closing_rule(set(self.summed))
                kind = "inner" if j == len(self.levels) - 1 else "group"
                items.append(self.total_item(self.labels["levels"][j], "TOPLAM", "group",
                                             self.starts[j], kind,
                                             count=self.counts()))
            items.append(Item(0, lambda n, j=j: self.closed(j)))
        if items and self.h["group_blank"]:
            items.append(lines((self.L.row({}), "frame") if self.L.framed else ("", "blank")))
        return items

    def closed(self, j):
        del self.open[j:]
        return []

    def open_levels(self, change, ident, rec) -> list:
        """The block lines of the groups that begin with this record, and the innermost
        group's opening line."""
        texts = [block_text(lv, ident[j], self.h, self.bare[j])
                 for j, lv in enumerate(self.levels)]
        items = [Item(len(self.levels) - change,
                      lambda n: self.opened_group(n, change, ident, texts))]
        opening = self.c.openings.get(ident[-1]) if self.levels else None
        if opening:
            items.append(Item(1, lambda n: self.opening_line(n, opening)))
        return items

    def opened_group(self, n, change, ident, texts):
        for j in range(change, len(self.levels)):
            self.starts[j] = n
        self.open[change:] = texts[change:]
        self.groups.append({"group": len(self.groups), "first_line": n, "last_line": 0,
                            "header_lines": list(range(n, n + len(texts) - change)),
                            "values": list(ident)})
        if len(self.groups) > 1:
            self.groups[-2]["last_line"] = n - 1
        return [(self.row_text(t), "group") for t in texts[change:]]

    def opening_line(self, n, opening):
        """A group's opening balance: its balance (with its side) and, where the table prints
        them, the debit and credit it comes from."""
        keys = {c.key for c in self.L.cols}
        fig = {k: v for k, v in opening.items() if k in keys and
               (k in self.c.running or self.h["opening_sides"])}
        how = {k: "opening" if k in self.c.running else "given" for k in fig}
        self.opened.append((n, fig))
        self.groups[-1]["openings"] = {k: v for k, v in opening.items() if k in self.c.running}
        label = self.labels["opening"]
        self.totals.append({"line": n, "label": label, "keyword": "DEVİR", "covers": "opening",
                            "range": [n, n], "level1": False, "count": None,
                            "group": len(self.groups) - 1, "page": self.p.page,
                            "figures": fig, "how": how})
        return [(self.L.total_line(label, fig, self.h["label_at"]), "total")]

    def record_item(self, rec) -> Item:
        texts = self.L.record_lines(rec)

        def make(n):
            level = parent = None
            if self.c.hierarchy:
                code = rec[self.c.hierarchy]
                while self.tree and not code.startswith(self.tree[-1][0] + "."):
                    self.tree.pop()
                parent = self.tree[-1][1] if self.tree else None
                level = len(self.tree) + 1
                self.tree.append((code, n))
            self.written.append((n, rec, level))
            self.records.append({"lines": list(range(n, n + len(texts))), "page": self.p.page,
                                 "rec": rec, "group": len(self.groups) - 1 if self.levels
                                 else None, "level": level, "parent": parent})
            return [(texts[0], "record")] + [(t, "continuation") for t in texts[1:]]
        return Item(len(texts), make)

    def finish(self):
        """The table's last lines: the last page's total, the grand total, the frame's
        bottom."""
        p, under = self.p, self.under
        items = []
        bottom = [lines((self.L.frame_line("bottom"), "frame"))] if self.L.boxed else []
        if under:
            items += bottom
        grand, page = self.h["grand"], "page" in self.h["page_sums"]
        if grand or page:
            items += self.closing_rule(set(self.summed), under)
        if page:
            items.append(self.total_item(self.labels["page"], "SAYFA TOPLAMI", "page", p.first,
                                         "sums", level1=bool(self.c.hierarchy), under=under))
        if grand:
            items.append(self.total_item(self.labels["grand"], "GENEL TOPLAM", "all",
                                         self.first, "grand", count=self.counts(),
                                         level1=bool(self.c.hierarchy), under=under))
        if grand and self.h["unexplained"]:
            items.append(self.unexplained_item(under))
        if not under:
            items += bottom
        p.unit(items, 0)
        if self.groups:
            self.groups[-1]["last_line"] = self.records[-1]["lines"][-1]
