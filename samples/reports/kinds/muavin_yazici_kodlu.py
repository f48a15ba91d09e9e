"""A one-account sub-ledger as DOS "print to file" left it: printer control codes at line starts
and inside lines (ESC @ reset, ESC x NLQ, ESC M/P/g pitch, SO/DC4 double width for the title,
SI/DC2 condensed, ESC E/F bold for the account code in the page header, for large amounts in
records and for the totals' labels, ESC G/H double strike over the headings, ESC - n underline,
ESC ! n print mode). They take no room on paper: positions are those of the text without
them. A text speaks of a DEVİR, and is a record."""

import datetime as dt

from ..doc import Doc
from ..draw import NOTATIONS, Picker, firm_pool, movements, slip_numbers
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import PageSums, Pager
from ..values import fmt_date, money

ESC = "\x1b"
BOLD, PLAIN = ESC + "E", ESC + "F"


def insert(line: str, at: int, code: str) -> str:
    """A code put before the 1-based paper position at of a line that holds no codes yet."""
    return line[:at - 1] + code + line[at - 1:]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2006, 2005, 2015)
    firm, customer = firm_pool(rng, 2)
    code = f"120.01.{rng.randint(1, 9999):04d}"
    n = P.num(48, 20, 80)
    recs = movements(rng, n, year, "C")
    for r, s in zip(recs, slip_numbers(rng, n, 6)):
        r["slip"] = s
    recs[rng.randrange(2, n)]["text"] = P.pick("Araç DEVİR masrafı", ["Araç DEVİR masrafı",
                                                                     "Hisse devir bedeli"])
    bal = 0
    for r in recs:
        bal += (r["debit"] or 0) - (r["credit"] or 0)
        r["bal"], r["mark"] = abs(bal), "B" if bal > 0 else "A" if bal < 0 else None
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("date", "Tarih", 10, "date", fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd.mm.yy"])),
            Col("slip", ("Fiş", "No"), 6, "code"),
            Col("text", "Açıklama", P.pick(30, [28, 30, 34]), "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", money(dec, thou, "unsigned"), "last"),
            Col("mark", "B/A", 1, "marks", total="last")]
    heading_case(P, cols)
    table = Table(cols)
    for r in recs:
        clip(table, r)
    W = table.width
    doc = Doc("muavin-yazici-kodlu", version=2)
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                      "opening": "0.00",
                                      "sign": {"column": cols[6].heading, "B": 1, "A": -1}}})
    printed = dt.date(year + 1, 1, rng.randint(2, 28))
    pitch = P.pick(ESC + "M", [ESC + "M", ESC + "P", ESC + "g", ""])
    nlq = P.pick(ESC + "x1", [ESC + "x1", ESC + "x\x01", ESC + "x0", ""])
    condensed = P.pick("page", ["page", "line", "none"])
    mode_on, mode_off = P.pick((ESC + "! ", ESC + "!\x00"), [(ESC + "! ", ESC + "!\x00"),
                                                             (ESC + "!\x08", ESC + "!\x00"),
                                                             ("", "")])
    bold_over = P.pick(100_000_00, [50_000_00, 100_000_00, 10**12])
    underline_total = P.chance(True, 0.5)

    def header(p):
        first = spread(W, firm, "", f"Sayfa : {p:>3}")
        start = (ESC + "@" + nlq + pitch if p == 1 else "") + ("\x0f" if condensed == "page"
                                                              else "")
        title = spread(W, "", "MUAVİN DEFTERİ", f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}")
        at = title.index("MUAVİN")
        title = title[:at] + "\x0e" + mode_on + title[at:at + 14] + mode_off + "\x14" + \
            title[at + 14:]
        account = f"Hesap Kodu : {BOLD}{code}{PLAIN}   Hesap Adı : {customer}"
        heads = table.headings()
        heads[0] = ESC + "G" + heads[0]
        heads[-1] = heads[-1] + ESC + "H"
        return ([(start + first, "header"), (title, "header"), ("", "blank"),
                 (account, "header"), (f"Dönem      : 01.01.{year} - 31.12.{year}", "header"),
                 ("", "blank")] + [(h, "heading") for h in heads] + [(table.rule(), "rule")])

    def bold_label(items):
        """The totals' labels in bold."""
        out = []
        at = table.col("text").start
        for item in items:
            if item[1] == "total":
                text = item[0]
                label = next(lab for lab, _ in sums.labels.values()
                             if text[at - 1:].startswith(lab))
                text = insert(insert(text, at + len(label), PLAIN), at, BOLD)
                if underline_total and "GENEL" in item[0]:
                    text = ESC + "-1" + text + ESC + "-0"
                item = (text,) + tuple(item[1:])
            out.append(item)
        return out

    sums = PageSums(doc, table, ["debit", "credit"], {
        "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"), "nakli": ("NAKLİ YEKÜN", "NAKLİ YEKÜN"),
        "devir": (P.pick("DEVİR", ["DEVİR", "ÖNCEKİ SAYFADAN DEVİR"]), "DEVİR"),
        "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}, table.col("text").start,
        last=["bal", "mark"])
    pager = Pager(doc, P.num(44, 36, 66), header, ff=True,
                  closing=lambda p: bold_label(sums.closing(p)),
                  opening=lambda p: bold_label(sums.opening(p)), reserve=sums.reserve())
    sums.pager = pager
    for r in recs:
        line = table.values(r)
        for key in ("debit", "credit"):
            if (r[key] or 0) >= bold_over:
                c = table.col(key)
                text = c.render(r[key])
                line = insert(insert(line, c.end + 1, PLAIN), c.end - len(text) + 1, BOLD)
        if condensed == "line":
            line = "\x0f" + line

        def wrote(n, r=r):
            sums.record(r)
            doc.record([n], pager.page, r)
        pager.block([(line, "record", wrote)])
    pager.finish(bold_label(sums.finish()) + [("\x12", "blank")])
    doc.add("\f" + ESC + "@", "blank")
    doc.pages[-1]["last_line"] = doc.n
    doc.fields += [{"label": "Hesap Kodu", "value": code},
                   {"label": "Hesap Adı", "value": customer},
                   {"label": "Dönem", "value": f"01.01.{year} - 31.12.{year}"}]
    doc.notes.append("Printer control codes stand at line starts and inside lines; a value, "
                     "heading or label holds none of them, and the spans are positions on "
                     "paper, the codes taken out. The last lines hold nothing but codes.")
    return doc, ("A sub-ledger with the printer's control codes left in the text by a print to "
                 "file: reset, pitch, condensed, double width, bold, double strike, "
                 "underline."), None
