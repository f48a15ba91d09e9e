"""Pages of a fixed length for the kinds that print groups: blocks of lines kept together, the
lines that close a page that goes on and open the next, page headers and footers."""


class Pager:
    """Writes blocks of lines onto pages of page_len lines.

    header(p) and footer(p) give a page's first and last lines as (text, role); closing(p) the
    lines that close a page the report goes on from (page total, NAKLİ YEKÜN), at most reserve
    of them; opening(p) the lines that open page p > 1 (DEVİR, a group's block again). Lines are
    (text, role) or (text, role, done), done(line number) called once the line is written.
    With ff a form feed starts each page after the first; else blank lines fill each page."""

    def __init__(self, doc, page_len, header, footer=None, ff=True, closing=None, opening=None,
                 reserve=0, blank_before_footer=1, page_fields=None):
        self.doc, self.page_len, self.ff = doc, page_len, ff
        self.header, self.footer = header, footer or (lambda p: [])
        self.closing = closing or (lambda p: [])
        self.opening = opening or (lambda p: [])
        self.reserve, self.blank_before_footer = reserve, blank_before_footer
        self.page_fields = page_fields
        self.page = 0
        self.first = 0
        self.used = 0
        self.start_page()

    def body_room(self) -> int:
        foot = len(self.footer(self.page))
        return (self.page_len - len(self.header(self.page)) - foot
                - (self.blank_before_footer if foot else 0))

    def write(self, item) -> int:
        text, role = item[0], item[1]
        n = self.doc.add(text, role)
        self.used += 1
        if len(item) > 2 and item[2]:
            item[2](n)
        return n

    def start_page(self):
        self.page += 1
        self.first = self.doc.n + 1
        self.used = 0
        header_lines = []
        for i, (text, role) in enumerate(self.header(self.page)):
            if i == 0 and self.page > 1 and self.ff:
                text = "\f" + text
            header_lines.append(self.doc.add(text, role))
        info = {"page": self.page, "first_line": self.first, "last_line": 0,
                "header_lines": header_lines}
        if self.page_fields:
            info["fields"] = self.page_fields(self.page)
        self.doc.pages.append(info)

    def end_page(self):
        footer = self.footer(self.page)
        if not self.ff:
            while self.doc.n - self.first + 1 < self.page_len - len(footer):
                self.doc.add("", "blank")
        elif footer:
            for _ in range(self.blank_before_footer):
                self.doc.add("", "blank")
        for text, role in footer:
            self.doc.add(text, role)
        self.doc.pages[-1]["last_line"] = self.doc.n

    def fits(self, count: int, reserve: int) -> bool:
        return self.used + count + reserve <= self.body_room()

    def block(self, items, last=False) -> list:
        """Writes items on one page (a new one when they do not fit with the lines that close
        a page, or, with last, at all); returns their line numbers."""
        if not self.fits(len(items), 0 if last else self.reserve):
            self.break_page()
            assert self.fits(len(items), 0 if last else self.reserve), "page too short"
        return [self.write(item) for item in items]

    def break_page(self):
        for item in self.closing(self.page):
            self.write(item)
        self.end_page()
        self.start_page()
        for item in self.opening(self.page):
            self.write(item)

    def finish(self, items=()):
        """The report's last lines (the grand total), then the last page's foot."""
        if items:
            self.block(list(items), last=True)
        self.end_page()


class PageSums:
    """The sums a paged list prints: each page's total, the sums carried over a page break (at
    the foot of the page and on top of the next) and the grand total; labels maps "page",
    "nakli", "devir" and "grand" to (printed label, keyword), leaving out what the report does
    not print. sums are the keys summed, last the keys whose total is the last record's value
    (a running balance and its mark). before and after are the lines around the totals (a rule
    above them; a frame's bottom line under them)."""

    def __init__(self, doc, table, sums, labels, at, last=(), before=None, after=()):
        self.doc, self.table, self.sums, self.last = doc, table, list(sums), list(last)
        self.labels, self.at = labels, at
        self.before = before if before is not None else [(table.underline(set(sums)), "rule")]
        self.after = list(after)
        self.page, self.all = [], []
        self.pager = None

    def record(self, rec):
        self.page.append(rec)
        self.all.append(rec)

    def line(self, kind, covers, scope, recs):
        values = {k: sum(r.get(k) or 0 for r in recs) for k in self.sums}
        values.update({k: recs[-1].get(k) if recs else None for k in self.last})
        label, keyword = self.labels[kind]
        return (self.table.values(values, [(self.at, label)]), "total",
                lambda n: self.doc.total(n, label.strip(), keyword, covers, scope,
                                         self.pager.page, values))

    def closing(self, p):
        items = list(self.before)
        if "page" in self.labels:
            items.append(self.line("page", "page", {"page": p}, self.page))
        if "nakli" in self.labels:
            items.append(self.line("nakli", "carried", {"through_page": p}, self.all))
        return items + self.after

    def opening(self, p):
        self.page = []
        if "devir" not in self.labels:
            return []
        return [self.line("devir", "carried", {"through_page": p - 1}, self.all)]

    def reserve(self) -> int:
        return len(self.closing(0))

    def finish(self, page_total=True):
        items = list(self.before)
        if page_total and "page" in self.labels:
            items.append(self.line("page", "page", {"page": self.pager.page}, self.page))
        items.append(self.line("grand", "all", {}, self.all))
        return items + self.after
