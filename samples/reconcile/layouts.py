"""Print-outs drawn by seed: one side of a pair in the layout one of many programs prints it
(rule lines of hyphens or "=", no rule, a box frame; a debit and credit pair or one signed
amount; balances with their B/A mark apart, glued or signed, or none; dates as 05.03.2024,
05/03/24 or "5 Mart 2024"; descriptions going on under their column; value dates, document
numbers, carried page sums), every record's first line noted on it (Rec.line)."""

import datetime
from dataclasses import dataclass, field

from reports.encoding import encode_line
from reports.layout import Col, Frame, Table
from reports.values import fmt_date, money, render_amount, tr_upper

PAGE_RECORDS = 45


@dataclass
class Style:
    """How one program prints one side. Amounts are the printing side's own: its debit plus."""
    frame: str = "rule"              # rule, equals, none, mixed, single
    date: str = "dd.mm.yyyy"
    amounts: str = "pair"            # pair (plus, minus columns), signed, marked (Tutar + B/A)
    heads: tuple = ("Borç", "Alacak")  # the plus and the minus column's headings, or ("Tutar",)
    minus_first: bool = False        # "Çekilen" before "Yatan"
    balance: str = "marks"           # marks, glued, signed, none
    balance_flip: bool = False       # the balance printed from the other side (grows by credits)
    notation: tuple = (",", ".")     # decimal, thousands
    negative: str = "leading-minus"  # leading-minus, trailing-minus, plus-minus, parentheses
    text_width: int = 30
    wrap: bool = False               # a longer description goes on under its column
    value_date: bool = False
    ref: str = ""                    # the heading of a document number column
    upper: bool = False
    carry: bool = True               # NAKLİ YEKÜN at a page's foot and head
    period: str = "dd.mm.yyyy"       # the period line's dates; "" none
    encoding: str = "cp857"


def draw_style(rng, role: str, own_mirror: bool = False) -> Style:
    """A layout for a side: "ledger" (our bank or current account ledger), "bank" (a bank's
    statement: from its own books when own_mirror, else from ours), "party" (the other firm's
    sub-ledger of us)."""
    s = Style()
    s.frame = rng.choice(["rule", "rule", "equals", "none", "mixed", "single"])
    s.date = rng.choice(["dd.mm.yyyy", "dd.mm.yyyy", "dd/mm/yyyy", "dd/mm/yy", "dd.mm.yy",
                         "d MMMM yyyy", "dd MMM yyyy"])
    s.notation = rng.choice([(",", "."), (",", "."), (",", ""), (".", ",")])
    s.upper = rng.random() < 0.3
    s.wrap = rng.random() < 0.3
    s.text_width = rng.choice([22, 24, 26]) if s.wrap else rng.choice([30, 32, 36])
    s.carry = rng.random() < 0.7
    s.period = rng.choice(["dd.mm.yyyy", "dd.mm.yyyy", "dd/mm/yyyy", ""])
    s.negative = rng.choice(["leading-minus", "trailing-minus", "plus-minus", "parentheses"])
    if role == "bank" and not own_mirror:
        pairs = [("Yatan", "Çekilen"), ("Giren", "Çıkan"), ("Alacak", "Borç")]
    elif role == "ledger":
        pairs = [("Borç", "Alacak"), ("Yatan", "Çekilen"), ("Giriş", "Çıkış")]
    else:
        pairs = [("Borç", "Alacak")]
    kind = rng.random()
    if kind < 0.6:
        s.amounts, s.heads = "pair", rng.choice(pairs)
        s.minus_first = rng.random() < 0.3 and s.heads[0] != "Borç"
    elif kind < 0.8:
        s.amounts, s.heads = "signed", (rng.choice(["Tutar", "İşlem Tutarı"]),)
    else:
        s.amounts, s.heads = "marked", ("Tutar",)
    s.balance = rng.choice(["marks", "glued", "signed", "none"] if role != "bank" else
                           ["marks", "glued", "signed", "signed"])
    # A bank prints the money it holds for us as a plus whatever its own books say.
    s.balance_flip = role == "bank" and own_mirror and s.balance == "signed"
    if role == "bank":
        s.value_date = rng.random() < 0.6
        s.ref = rng.choice(["", "Dekont No", "Referans"])
    elif role == "ledger":
        s.ref = rng.choice(["", "", "Evrak No"])
    if s.frame not in ("mixed", "single") and rng.random() < 0.2:
        s.encoding = rng.choice(["cp1254", "cp1254", "utf-8"])
    return s


@dataclass
class Header:
    """The lines over a side's table, printed on every page."""
    firm: str
    title: str
    account: str
    start: datetime.date
    end: datetime.date
    bank: str = ""


def wrap_text(text: str, width: int) -> list:
    words, lines, cur = text.split(), [], ""
    for w in words:
        w = w[:width]
        if cur and len(cur) + 1 + len(w) > width:
            lines.append(cur)
            cur = w
        else:
            cur = (cur + " " + w).strip()
    lines.append(cur)
    return lines


class SidePrint:
    """One side's print-out, line by line."""

    def __init__(self, style: Style, header: Header):
        self.s, self.h, self.lines, self.page = style, header, [], 0
        s = style
        amount_fmt = money(s.notation[0], s.notation[1], "unsigned")
        self.fmt = amount_fmt
        width = max(len(fmt_date(datetime.date(2024, m, 30 if m != 2 else 28), s.date))
                    for m in range(1, 13))
        cols = [Col("date", "Tarih", width, "text")]
        if s.value_date:
            cols.append(Col("value", "Valör", cols[0].width, "text"))
        cols.append(Col("slip", "Fiş No", 6, "text"))
        if s.ref:
            cols.append(Col("ref", s.ref, 10, "text"))
        cols.append(Col("text", "Açıklama", s.text_width, "text"))
        if s.amounts == "pair":
            plus, minus = Col("plus", s.heads[0], 14, "text", "R"), Col("minus", s.heads[1], 14,
                                                                        "text", "R")
            cols += [minus, plus] if s.minus_first else [plus, minus]
        else:
            cols.append(Col("amount", s.heads[0], 15, "text", "R"))
            if s.amounts == "marked":
                cols.append(Col("amark", "B/A", 3, "text", "C"))
        if s.balance != "none":
            cols.append(Col("bal", "Bakiye", 17, "text", "R"))
            if s.balance == "marks":
                cols.append(Col("bmark", "B/A", 3, "text", "C"))
        for c in cols:
            if s.upper:
                c.head = tuple(tr_upper(h) for h in c.head)
        self.framed = s.frame in ("mixed", "single")
        if self.framed:
            for c in cols:
                c.width += 2
            self.table = Frame(cols, s.frame)
        else:
            self.table = Table(cols)

    # --- values ---------------------------------------------------------------------------
    def money(self, k: int, signed: bool) -> str:
        text = render_amount(abs(k), self.fmt)
        if not signed:
            return text
        neg = self.s.negative
        if k < 0:
            if neg == "parentheses":
                return "(" + text + ")"
            return text + "-" if neg == "trailing-minus" else "-" + text
        return "+" + text if neg == "plus-minus" and k > 0 else text

    def amount_cells(self, k: int) -> dict:
        s = self.s
        if s.amounts == "pair":
            return {"plus" if k > 0 else "minus": self.money(abs(k), False)} if k else {}
        if s.amounts == "marked":
            return {"amount": self.money(abs(k), False), "amark": "B" if k >= 0 else "A"}
        return {"amount": self.money(k, True)}

    def balance_cells(self, b: int) -> dict:
        s = self.s
        if s.balance == "none":
            return {}
        if s.balance == "signed":
            return {"bal": self.money(-b if s.balance_flip else b, True)}
        mark = "B" if b >= 0 else "A"
        if s.balance == "glued":
            return {"bal": self.money(abs(b), False) + mark}
        return {"bal": self.money(abs(b), False), "bmark": mark}

    # --- lines ----------------------------------------------------------------------------
    def add(self, text: str = "") -> int:
        self.lines.append(text.rstrip())
        return len(self.lines)

    def row(self, cells: dict) -> int:
        return self.add(self.table.line(cells))

    def header(self, page: int):
        h, s = self.h, self.s
        lead = "\f" if page > 1 else ""
        width = max(self.table.width, 78)
        self.add(lead + f"{h.firm:<{width - 10}}Sayfa: {page}")
        self.add(f"{'':24}{h.title}")
        if h.bank:
            self.add(h.bank)
        self.add(h.account)
        if s.period:
            self.add(f"Dönem : {fmt_date(h.start, s.period)} - {fmt_date(h.end, s.period)}")
        self.add()
        t = self.table
        if self.framed:
            self.add(t.top())
            for line in t.headings():
                self.add(line)
            self.add(t.inner())
            return
        if self.s.frame == "equals":
            self.add(t.rule("="))
        for line in t.headings():
            self.add(line)
        if self.s.frame != "none":
            self.add(t.rule("=" if self.s.frame == "equals" else "-"))

    def label(self, text: str, debit, credit, b) -> int:
        """A line of totals or balances: its label under the description."""
        cells = {"text": text}
        s = self.s
        if s.amounts == "pair":
            if debit is not None:
                cells["plus"] = self.money(debit, False)
            if credit is not None:
                cells["minus"] = self.money(credit, False)
        elif debit is not None and s.balance == "none":
            cells.update(self.amount_cells(debit - credit))
        if b is not None:
            cells.update(self.balance_cells(b))
        return self.row(cells)

    def close_page(self):
        if self.framed:
            self.add(self.table.bottom())

    def grand_total(self, debit, credit, b, label="GENEL TOPLAM"):
        if self.framed:
            self.add(self.table.inner())
        elif self.s.frame != "none":
            keys = {"plus", "minus", "amount", "bal"}
            self.add(self.table.underline(keys).replace("-", "=" if self.s.frame == "equals"
                                                        else "-"))
        if self.s.amounts == "pair":
            self.label(label, debit, credit, b if self.s.balance != "none" else None)
        elif self.s.balance != "none":
            self.label("DÖNEM SONU BAKİYE", None, None, b)
        self.close_page()

    def bytes(self) -> bytes:
        return b"".join(encode_line(line, self.s.encoding) + b"\r\n" for line in self.lines)


def accounts_print(accounts, style: Style, header: Header) -> SidePrint:
    """A sub-ledger printed for several accounts, each from a page of its own under its block
    line ("Hesap Kodu : … Hesap Adı : …") and closed by its total: (block, records, opening)
    each."""
    p = None
    for block, recs, opening in accounts:
        header.account = block
        if p is None:
            p = SidePrint(style, header)
        side_print(recs, style, header, opening, into=p, total="HESAP TOPLAMI")
    return p


def side_print(recs, style: Style, header: Header, opening: int, shift: int = 0, into=None,
               total="GENEL TOPLAM") -> SidePrint:
    """Prints the records (own amounts, in date order) from the opening balance; `shift` is
    added to the last running balance, a closing that does not follow from the records.
    `into`: goes on in that print-out from a new page."""
    p = into or SidePrint(style, header)
    s = style
    p.page += 1
    p.header(p.page)
    b = opening
    if s.balance != "none":
        p.label("DEVREDEN BAKİYE", None, None, b)
    elif s.amounts == "pair":
        carried = 100000 * (1 + len(header.firm) % 7)
        p.label("DEVREDEN BAKİYE", carried + max(b, 0), carried + max(-b, 0), None)
    else:
        p.label("DEVREDEN BAKİYE", b, 0, None)
    debit = credit = 0
    for i, r in enumerate(recs):
        if i and i % PAGE_RECORDS == 0:
            if s.carry:
                p.label("NAKLİ YEKÜN", debit, credit, b if s.balance != "none" else None)
            p.close_page()
            p.page += 1
            p.header(p.page)
            if s.carry:
                p.label("NAKLİ YEKÜN", debit, credit, b if s.balance != "none" else None)
        date = header.start + datetime.timedelta(days=r.day - 1)
        b += r.amount
        if i == len(recs) - 1:
            b += shift
        debit += max(r.amount, 0)
        credit += max(-r.amount, 0)
        pieces = wrap_text(r.text, s.text_width) if s.wrap else [r.text[:s.text_width].rstrip()]
        cells = {"date": fmt_date(date, s.date), "slip": f"{4000 + i:04d}", "text": pieces[0]}
        if s.value_date:
            cells["value"] = fmt_date(date + datetime.timedelta(days=r.value_shift), s.date)
        if s.ref and r.ref:
            cells["ref"] = ("A-" if s.ref == "Evrak No" else "") + r.ref
        cells.update(p.amount_cells(r.amount))
        cells.update(p.balance_cells(b))
        r.line = p.row(cells)
        for more in pieces[1:]:
            p.row({"text": more})
    p.grand_total(debit, credit, b, total)
    return p
