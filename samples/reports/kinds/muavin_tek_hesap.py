"""One account's sub-ledger over several pages behind form feeds: title block on every page,
two-line headings over a rule line, DEVİR on top of pages 2+, SAYFA TOPLAMI and NAKLİ YEKÜN at
the foot, GENEL TOPLAM, Turkish amounts, a running balance with B/A marks in a one-character
last column."""

import datetime as dt

from ..values import fmt_date, money
from ..layout import Col, Table, cols_h, heading_case, spread
from ..doc import Doc
from ..draw import Picker, firm_pool, movements, running, slip_numbers
from ..ledger import Ledger

def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm, customer = firm_pool(rng, 2)
    code = P.pick("120.01.0045", [f"120.{rng.randint(1, 3):02d}.{rng.randint(1, 9999):04d}",
                                  f"320.01.{rng.randint(1, 99999):05d}",
                                  f"120.{rng.randint(1, 9)}.{rng.randint(1, 999):03d}"])
    nature = "B" if code.startswith("120") else "A"
    n = P.num(60, 45, 80)
    recs = movements(rng, n, year, "C" if nature == "B" else "S")
    yev = slip_numbers(rng, n, P.pick(6, [5, 6, 7]))
    slips = slip_numbers(rng, n, P.pick(6, [4, 6]))
    for r, y, s in zip(recs, yev, slips):
        r["yev"], r["slip"] = y, s
    running(recs, key="bal", mark="mark")
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy", "dd.mm.yy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt))
    amt = money()
    aw = P.pick(14, [13, 14, 15, 16])
    text_w = P.pick(32, [28, 30, 32, 36, 40])
    head_amount = P.pick(("Borç", "Alacak"), [("Borç", "Alacak"), ("Borç Tutarı", "Alacak Tutarı"),
                                              ("Borç", "Alacak")])
    yev_w = max(len(yev[0]), 7)
    cols = [Col("date", "Tarih", dw, "date", fmt=date_fmt),
            Col("yev", ("Yevmiye", "No"), yev_w, "code"),
            Col("slip", ("Fiş", "No"), max(len(slips[0]), 6), "code"),
            Col("text", "Açıklama", text_w, "text"),
            Col("debit", head_amount[0], aw, "amount", "R", amt, "sum"),
            Col("credit", head_amount[1], aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R",
                money(negative="unsigned"), "last"),
            Col("mark", "B/A", 1, "marks", total="last")]
    if P.chance(False, 0.4):  # voucher number first
        cols[0], cols[1], cols[2] = cols[1], cols[2], cols[0]
    if P.chance(False, 0.3):
        cols.remove(next(c for c in cols if c.key == "yev"))
        for r in recs:
            del r["yev"]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("muavin-tek-hesap")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "debit")],
                                      "minus": [cols_h(cols, "credit")], "opening": "0.00",
                                      "sign": {"column": "B/A", "B": 1, "A": -1}}})
    W = table.width
    printed = dt.date(year + 1, rng.randint(1, 2), rng.randint(1, 28))
    blank_before_heads = P.chance(True, 0.6)
    name_label = P.pick("Hesap Adı", ["Hesap Adı", "Hesap Adı", "Ünvanı"])
    acct_line = f"Hesap Kodu : {code}   {name_label} : {customer}"
    period = f"Dönem      : 01.01.{year} - 31.12.{year}"
    title = P.pick("MUAVİN DEFTERİ", ["MUAVİN DEFTERİ", "MUAVİN DEFTERİ", "MUAVIN DEFTERİ DÖKÜMÜ"])

    def header(p, np_, g):
        lines = [(spread(W, firm, "", f"Sayfa : {p:>3}"), "header"),
                 (spread(W, "", title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                 ("", "blank"), (acct_line, "header"), (period, "header")]
        if blank_before_heads:
            lines.append(("", "blank"))
        lines += [(h, "heading") for h in table.headings()]
        lines.append((table.rule(), "rule"))
        return lines

    doc.fields += [{"label": "Hesap Kodu", "value": code}, {"label": name_label, "value": customer},
                   {"label": "Dönem", "value": f"01.01.{year} - 31.12.{year}"}]
    doc.notes.append("One account: its code and name stand in every page header but never "
                     "change, so they are report fields, not carried columns.")
    tcol = table.col("text")
    labels = {"devir": (P.pick("DEVİR", ["DEVİR", "DEVİR", "ÖNCEKİ SAYFADAN DEVİR"]), "DEVİR"),
              "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"),
              "nakli": (P.pick("NAKLİ YEKÜN", ["NAKLİ YEKÜN", "NAKLİ YEKÜN :"]), "NAKLİ YEKÜN"),
              "grand": (P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "*** GENEL TOPLAM ***"]),
                        "GENEL TOPLAM")}
    allk = ["debit", "credit", "bal", "mark"]
    page_keys = P.pick(allk, [allk, ["debit", "credit"]])
    led = Ledger(doc, table, P.num(34, 30, 48), True, False, header, lambda p, n_: [],
                 labels, {"devir": allk, "page": page_keys, "nakli": allk, "grand": allk},
                 ((tcol.start, tcol.end), P.pick("L", ["L", "R"])), underline=True,
                 blank_before_footer=0)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    if P.chance(False, 0.3):
        doc.add("\f", "blank")
    assert len(doc.pages) >= 3 or variant
    return doc, ("A one-account sub-ledger over several pages behind form feeds, with carried "
                 "sums, page totals and a grand total; the balance's side in a B/A column.")
