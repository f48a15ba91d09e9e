"""Pages of a file: page headers and footers, breaks by form feed or blank lines, and units of
lines kept together on one page."""

from ..layout import spread


class Item:
    """Lines written together: make(n) gives their (text, role) pairs once the first one's
    number n is known (a total's figures depend on where it stands)."""

    def __init__(self, size, make):
        self.size, self.make = size, make


def lines(*pairs) -> Item:
    """An item of fixed lines."""
    return Item(len(pairs), lambda n: list(pairs))


class Printer:
    """Writes units of items onto pages. The table being printed (run) gives the lines that
    open and close its pages: its headings, the carried sums, a group's block again."""

    def __init__(self, fh, head):
        self.fh, self.head = fh, head  # head: firm, title, period, printed
        self.text, self.roles, self.pages = [], [], []
        self.run = None
        self.page, self.first, self.used = 0, 0, 0

    @property
    def n(self) -> int:
        return len(self.text)

    def add(self, text, role) -> int:
        self.text.append(text.rstrip(" "))
        self.roles.append(role if text.strip("\f ") else "blank")
        return self.n

    def write(self, item: Item) -> list:
        made = item.make(self.n + 1)
        assert len(made) == item.size, made
        return [self.add(text, role) for text, role in made]

    # --- pages ------------------------------------------------------------------------------
    def width(self) -> int:
        return max(self.run.L.width if self.run else 0, 80)

    def header_texts(self, width=None) -> list:
        """The page header: the firm and the page number, the title and the date printed,
        the period, the fields of the table's header (a loan's amount)."""
        firm, title, period, printed = self.head
        width = width or self.width()
        right = f"Sayfa : {self.page}" if self.fh["page_no"] == "header" else ""
        out = [spread(width, firm, "", right), spread(width, "", title, f"Tarih : {printed}"),
               spread(width, "", period)]
        fields = self.run.header_fields() if self.run else ""
        return out + ([fields] if fields else [])

    def footer_texts(self) -> list:
        out = []
        if self.fh["footer"] == "remark":
            out.append("Bu rapor bilgisayar ortamında hazırlanmıştır.")
        elif self.fh["footer"] == "rule":
            out.append("-" * min(self.width(), 80))
        if self.fh["page_no"] == "footer":
            out.append(spread(self.width(), "", f"- {self.page} -"))
        return out

    def begin_page(self, with_table=True):
        self.page += 1
        self.first = self.n + 1
        info = {"page": self.page, "first_line": self.first, "last_line": 0,
                "header_lines": []}
        self.pages.append(info)
        run = self.run if with_table else None
        if run and run.in_frame_header():
            top = run.L.heading_block(self.header_texts(run.L.inner_width()))
        else:
            top = [(t, "header") for t in self.header_texts()] + [("", "blank")]
            if run:
                top += run.L.heading_block()
        for i, (text, role) in enumerate(top):
            if i == 0 and self.page > 1 and self.fh["paging"] == "form-feed":
                text = "\f" + text
            n = self.add(text, role)
            if role == "header":
                info["header_lines"].append(n)
        self.used = 0
        if run:
            for item in run.page_opening():
                self.put(item)

    def end_page(self, closing=()):
        for item in closing:
            self.put(item)
        footer = self.footer_texts()
        if self.fh["paging"] == "padded":
            while self.n - self.first + 1 < self.fh["page_len"] - len(footer):
                self.add("", "blank")
        elif footer:
            self.add("", "blank")
        for text in footer:
            self.add(text, "footer")
        self.pages[-1]["last_line"] = self.n

    def put(self, item: Item):
        self.write(item)
        self.used += item.size

    def unit(self, items: list, reserve: int):
        """Writes items on one page, a new one when they do not fit with the lines that close
        a page."""
        size = sum(i.size for i in items)
        if self.used + size + reserve > self.room():
            self.break_page()
            assert self.used + size + reserve <= self.room(), "page too short for a unit"
        for item in items:
            self.put(item)

    def room(self) -> int:
        top = self.n - self.first + 1 - self.used  # the page's lines above its body
        return self.fh["page_len"] - top - len(self.footer_texts()) - 1

    def break_page(self, with_table=True):
        self.end_page(self.run.page_closing() if self.run and with_table else ())
        self.begin_page(with_table)
