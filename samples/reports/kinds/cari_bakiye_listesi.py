"""A list of customer balances (cari hesap bakiye listesi) with two-line headings whose words do
not line up with each other ("Vergi" over "Numarası", "Borç" over "Toplamı", "TL" over
"Bakiye"): each customer's debit and credit totals and its balance with a B/A mark; a sub-total
after each group of accounts and a grand total whose balance is the net of all."""

import datetime as dt

from ..doc import Doc
from ..draw import FIRMS, MORE_FIRMS, NOTATIONS, Picker, amount, dates, firm_pool, tax_number
from ..layout import Col, Table, clip, spread
from ..pager import Pager
from ..values import fmt_date, money


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2015, 2005, 2024)
    month = P.num(6, 1, 12)
    firm = firm_pool(rng, 1)[0]
    pool = [f for f in MORE_FIRMS + FIRMS if f != firm]
    prefixes = P.pick(["120.01", "120.02", "120.03"],
                      [["120.01", "120.02"], ["120.01", "120.02", "120.03"], ["120.01"]])
    recs = []
    for prefix in prefixes:
        for code in sorted(rng.sample(range(1, 999), P.num(9, 3, 25))):
            debit = amount(rng, 100, 400_000)
            credit = rng.choice([0, debit, int(debit * rng.uniform(0.2, 1.1))])
            last = dates(rng, 1, year, 1, month)[0]
            recs.append({"code": f"{prefix}.{code:03d}", "name": rng.choice(pool),
                         "tax": tax_number(rng), "last": last, "debit": debit or None,
                         "credit": credit or None, "prefix": prefix})
    for r in recs:
        b = (r["debit"] or 0) - (r["credit"] or 0)
        r["bal"], r["mark"] = abs(b), ("B" if b > 0 else "A" if b < 0 else None)
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(14, [13, 14, 15])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yy"])
    # each heading line stands over its column in its own way: left, centred, right or a few
    # characters in from the column's start
    cols = [Col("code", ("Cari", "Kodu"), 10, "code", head_align=("C", "L")),
            Col("name", ("", "Ünvanı"), P.pick(32, [28, 32, 36]), "text"),
            Col("tax", ("Vergi", "Numarası"), 10, "code", head_align=(2, "L")),
            Col("last", ("Son İşlem", "Tarihi"), 10, "date", fmt=date_fmt,
                head_align=("L", "C")),
            Col("debit", ("Borç", "Toplamı"), aw, "amount", "R", amt, "sum",
                head_align=(P.pick(3, [2, 3, "C"]), "R")),
            Col("credit", ("Alacak", "Toplamı"), aw, "amount", "R", amt, "sum",
                head_align=(P.pick("C", ["C", 1, "L"]), "R")),
            Col("bal", (P.pick("TL", ["TL", "YTL" if year <= 2008 else "TL", "Net"]), "Bakiye"),
                aw + 1, "amount", "R", money(dec, thou, "unsigned"),
                head_align=(P.pick("C", ["C", 4, "L"]), "R")),
            Col("mark", ("", "B/A"), 3, "marks", "C")]
    table = Table(cols)
    for r in recs:
        clip(table, r)
    W = table.width
    doc = Doc("cari-bakiye-listesi", version=2)
    doc.table_columns(table)
    bal_col = next(c for c in doc.columns if c["key"] == "bal")
    bal_col["net"] = {"plus": [cols[4].heading], "minus": [cols[5].heading],
                      "sign": cols[7].heading}
    day = dt.date(year + month // 12, month % 12 + 1, 1) - dt.timedelta(days=1)

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", "CARİ HESAP BAKİYE LİSTESİ",
                         f"Tarih : {fmt_date(day, 'dd.mm.yyyy')}"), "header"),
                 (spread(W, "", f"({fmt_date(day, 'dd.mm.yyyy')} itibariyle)"), "header"),
                 ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    pager = Pager(doc, P.num(60, 30, 66), header, ff=P.chance(True, 0.5))
    name = table.col("name")

    def total(label, keyword, covers, scope, sel):
        net = sum((r["debit"] or 0) - (r["credit"] or 0) for r in sel)
        values = {"debit": sum(r["debit"] or 0 for r in sel),
                  "credit": sum(r["credit"] or 0 for r in sel), "bal": abs(net),
                  "mark": "B" if net > 0 else "A" if net < 0 else None}
        return (table.values(values, [(name.start, label)]), "total",
                lambda n: doc.total(n, label, keyword, covers, scope, pager.page, values,
                                    how={"bal": "net", "mark": "net"}))

    sub_label = P.pick("ARA TOPLAM", ["ARA TOPLAM", "{p} TOPLAMI", "Ara Toplam"])
    for prefix in prefixes:
        sel = [r for r in recs if r["prefix"] == prefix]
        for i, r in enumerate(sel):
            items = [(table.values(r), "record",
                      lambda n, r=r: doc.record([n], pager.page, r))]
            if i == len(sel) - 1 and len(prefixes) > 1:
                label = sub_label.format(p=prefix)
                items += [(table.underline({"debit", "credit", "bal"}), "rule"),
                          total(label, "TOPLAM", "group",
                                {"prefix": {cols[0].heading: prefix + "."}}, sel),
                          ("", "blank")]
            pager.block(items)
    pager.finish([(table.underline({"debit", "credit", "bal"}), "rule"),
                  total(P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "TOPLAM"]), "GENEL TOPLAM",
                        "all", {}, recs)])
    doc.notes.append("The headings are two lines whose words stand over their columns but not "
                     "over each other; a column's heading is the words over it, top line "
                     "first. A balance is its row's debit less its credit, its side in B/A; "
                     "the totals' balances are the net of the rows they cover.")
    return doc, ("A customer balance list under two-line headings whose words do not line up, "
                 "with sub-totals per account group and a net grand total."), (
        "Every customer line is a record; the sub-totals and the grand total are totals.")
