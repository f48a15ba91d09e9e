"""The print-outs of a pair: each side's records written as its program prints them, every
record's line number noted on it (Rec.line, counted from 1)."""

import datetime

from pairs import en, tr

PAGE_RECORDS = 45


def ddmmyyyy(date: datetime.date, sep=".") -> str:
    return date.strftime(f"%d{sep}%m{sep}%Y")


class Printout:
    def __init__(self):
        self.lines = []

    def add(self, text: str = "") -> int:
        self.lines.append(text.rstrip())
        return len(self.lines)

    def bytes(self) -> bytes:
        return b"".join(line.encode("cp857") + b"\r\n" for line in self.lines)


def cols(*fields):
    """(text, width, right-aligned) fields joined by one blank."""
    out = []
    for text, width, right in fields:
        text = str(text)[:width]
        out.append(text.rjust(width) if right else text.ljust(width))
    return " ".join(out)


def ledger_print(recs, start, opening, firm, account, title, style, period_end):
    """Our sub-ledger: a rule of hyphens under the headings, an opening line, running balances,
    pages carried over, a grand total. `style` "yatan": Yatan / Çekilen / Bakiye (a signed
    balance); "borc": Borç / Alacak / Bakiye with B/A marks; "evrak": the same with a document
    number column."""
    p = Printout()
    evrak = style == "evrak"
    heads = [("Tarih", 10, False), ("Fiş No", 6, False)]
    if evrak:
        heads.append(("Evrak No", 10, False))
    names = ("Yatan", "Çekilen") if style == "yatan" else ("Borç", "Alacak")
    heads += [("Açıklama", 30, False), (names[0], 14, True), (names[1], 14, True),
              ("Bakiye", 15, True)]
    marks = style != "yatan"
    if marks:
        heads.append(("B/A", 3, False))

    def balance_fields(b):
        if marks:
            return [(tr(abs(b)), 15, True), ("B" if b >= 0 else "A", 3, False)]
        return [(tr(b), 15, True)]

    def label_line(label, debit, credit, b):
        lead = [("", 10, False), ("", 6, False)] + ([("", 10, False)] if evrak else [])
        return cols(*lead, (label, 30, False), (tr(debit) if debit is not None else "", 14, True),
                    (tr(credit) if credit is not None else "", 14, True), *balance_fields(b))

    def header(page):
        p.add(f"{firm:<80}Sayfa: {page}")
        p.add(f"{'':30}{title}")
        p.add(account)
        p.add(f"Dönem : {ddmmyyyy(start)} - {ddmmyyyy(period_end)}")
        p.add()
        p.add(cols(*heads))
        p.add(cols(*[("-" * w, w, False) for _, w, _ in heads]))

    header(1)
    b = opening
    p.add(label_line("DEVREDEN BAKİYE", None, None, b))
    debit = credit = 0
    page = 1
    for i, r in enumerate(recs):
        if i and i % PAGE_RECORDS == 0:
            p.add(label_line("NAKLİ YEKÜN", debit, credit, b))
            page += 1
            p.add("\f" + f"{firm:<80}Sayfa: {page}")
            p.add(f"{'':30}{title}")
            p.add(account)
            p.add(f"Dönem : {ddmmyyyy(start)} - {ddmmyyyy(period_end)}")
            p.add()
            p.add(cols(*heads))
            p.add(cols(*[("-" * w, w, False) for _, w, _ in heads]))
            p.add(label_line("NAKLİ YEKÜN", debit, credit, b))
        date = start + datetime.timedelta(days=r.day - 1)
        b += r.amount
        debit += max(r.amount, 0)
        credit += max(-r.amount, 0)
        row = [(ddmmyyyy(date), 10, False), (f"{1000 + i:04d}", 6, False)]
        if evrak:
            row.append((("A-" + r.ref) if r.ref else "", 10, False))
        row += [(r.text, 30, False), (tr(r.amount) if r.amount > 0 else "", 14, True),
                (tr(-r.amount) if r.amount < 0 else "", 14, True), *balance_fields(b)]
        r.line = p.add(cols(*row))
    lead = [("", 10, False), ("", 6, False)] + ([("", 10, False)] if evrak else [])
    p.add(cols(*lead, ("", 30, False), ("-" * 14, 14, False), ("-" * 14, 14, False),
               ("-" * 15, 15, False)))
    p.add(label_line("GENEL TOPLAM", debit, credit, b))
    return p


def akbank_print(recs, start, opening, firm, period_end, closing_shift=0):
    """The Akbank statement: packed dates, signed amounts with B/A, descriptions that go on
    under their column, totals and the period's closing balance."""
    widths = [4, 9, 7, 10, 8, 24, 24, 5, 36]

    def fields(*texts):
        return "".join(t.ljust(w) for t, w in zip(texts, widths)).rstrip()

    p = Printout()
    p.add("AKBANK T.A.Ş.")
    p.add(f"{'':38}HESAP EKSTRESİ          {ddmmyyyy(start)} - {ddmmyyyy(period_end)}")
    p.add(f"{'':38}{firm}")
    p.add()
    p.add("    DÜZENLEYEN ŞUBE : 0401 MERKEZ / İZMİR")
    p.add("    HESAP ŞUBESİ    : 0401 MERKEZ        HESAP NO : 8319576")
    p.add("    IBAN            : TR40 0004 6004 0138 5201 3046 36")
    p.add()
    p.add(fields(" NO", "TARİH", "FİŞ NO", " VALÖR", "İŞLEM", "AÇIKLAMA", "TUTAR".rjust(23),
                 " B/A", "BAKİYE".rjust(36)))
    p.add("-" * 127)
    b = opening
    debit = credit = 0
    for i, r in enumerate(recs):
        date = start + datetime.timedelta(days=r.day - 1)
        packed = date.strftime("%d%m%Y")
        b += r.amount
        if i == len(recs) - 1:
            b += closing_shift
        debit += min(r.amount, 0)
        credit += max(r.amount, 0)
        code = "KOM" if "ÜCRET" in r.text or "KOMİSYON" in r.text else "EFT"
        words = r.text.split()
        first, rest = "", []
        for w in words:
            if not rest and len(first) + len(w) + 1 <= 23:
                first = (first + " " + w).strip()
            else:
                rest.append(w)
        r.line = p.add(fields(str(i + 1).rjust(4), packed, f"={i + 100:06d}", " " + packed, code,
                              first, en(r.amount).rjust(23), ("A" if r.amount > 0 else "B").center(5),
                              en(b).rjust(36)))
        if rest:
            p.add(" " * 38 + " ".join(rest))
    p.add("=" * 127)
    p.add(f"{'':38}{'BORÇ TOPLAMI':<24}{en(debit).rjust(23)}")
    p.add(f"{'':38}{'ALACAK TOPLAMI':<24}{en(credit).rjust(23)}")
    p.add(f"{'':38}{'DÖNEM SONU BAKİYE':<24}{'':29}{('=' + en(b)).rjust(36)}")
    p.add()
    p.add(f"{'':38}Bu ekstre bilgi amaçlıdır.")
    return p


def bank_report_print(recs, start, opening, firm, period_end):
    """Another bank's statement printed by its own program, from the bank's books: a deposit
    is its credit, the balance a credit (A) while the account holds money."""
    heads = [("İşlem T.", 10, False), ("Valör", 10, False), ("Açıklama", 30, False),
             ("Dekont No", 10, False), ("Borç", 14, True), ("Alacak", 14, True),
             ("Bakiye", 15, True), ("B/A", 3, False)]

    def bal(b):
        return [(tr(abs(b)), 15, True), ("A" if b >= 0 else "B", 3, False)]

    p = Printout()
    p.add(f"{'EGE BANKASI A.Ş.':<60}HESAP EKSTRESİ")
    p.add(f"Müşteri : {firm}")
    p.add("Hesap No: 0012-3456789   IBAN: TR12 0001 2000 1234 5678 9000 01")
    p.add(f"Dönem   : {ddmmyyyy(start)} - {ddmmyyyy(period_end)}")
    p.add()
    p.add(cols(*heads))
    p.add(cols(*[("-" * w, w, False) for _, w, _ in heads]))
    b = opening
    p.add(cols(("", 10, False), ("", 10, False), ("DEVREDEN BAKİYE", 30, False), ("", 10, False),
               ("", 14, True), ("", 14, True), *bal(b)))
    debit = credit = 0
    for i, r in enumerate(recs):
        date = start + datetime.timedelta(days=r.day - 1)
        b += r.amount
        debit += max(-r.amount, 0)
        credit += max(r.amount, 0)
        r.line = p.add(cols((ddmmyyyy(date), 10, False), (ddmmyyyy(date), 10, False),
                            (r.text, 30, False), (f"{700000 + i}", 10, False),
                            (tr(-r.amount) if r.amount < 0 else "", 14, True),
                            (tr(r.amount) if r.amount > 0 else "", 14, True), *bal(b)))
    p.add(cols(("", 10, False), ("", 10, False), ("", 30, False), ("", 10, False),
               ("-" * 14, 14, False), ("-" * 14, 14, False), ("-" * 15, 15, False)))
    p.add(cols(("", 10, False), ("", 10, False), ("GENEL TOPLAM", 30, False), ("", 10, False),
               (tr(debit), 14, True), (tr(credit), 14, True), *bal(b)))
    return p


def their_ledger_print(recs, start, opening, firm, party, period_end):
    """The customer's own sub-ledger of us (their 320): their debit our credit, balances with
    the mark glued on."""
    heads = [("Tarih", 10, False), ("Yev.No", 7, False), ("Açıklama", 30, False),
             ("Borç", 14, True), ("Alacak", 14, True), ("Bakiye", 16, True)]

    def glued(b):
        return tr(abs(b)) + ("B" if b >= 0 else "A")

    p = Printout()
    p.add(f"{party:<70}Sayfa : 1")
    p.add(f"{'':30}MUAVİN DEFTERİ")
    p.add(f"Hesap Kodu : 320.01.0112   Hesap Adı : {firm}")
    p.add(f"Dönem      : {ddmmyyyy(start)} - {ddmmyyyy(period_end)}")
    p.add()
    p.add(cols(*heads))
    p.add(cols(*[("-" * w, w, False) for _, w, _ in heads]))
    b = opening
    p.add(cols(("", 10, False), ("", 7, False), ("DEVİR", 30, False), ("", 14, True),
               ("", 14, True), (glued(b), 16, True)))
    for i, r in enumerate(recs):
        date = start + datetime.timedelta(days=r.day - 1)
        b += r.amount
        r.line = p.add(cols((ddmmyyyy(date), 10, False), (f"{i + 1:05d}", 7, False),
                            (r.text, 30, False), (tr(r.amount) if r.amount > 0 else "", 14, True),
                            (tr(-r.amount) if r.amount < 0 else "", 14, True), (glued(b), 16, True)))
    return p
