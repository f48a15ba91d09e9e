"""A cash report day by day (günlük kasa raporu): each day opens with the balance carried from
the day before (the first with the period's opening balance), closes with its total, whose
label names the day, and a line for the cashier's and the controller's signatures; a remark
line "*** ARA RAPOR ***" stands among the records now and then. The signature and remark lines
belong to no part of the table: they are the lines the clean table must name as not placed."""

import datetime as dt

from ..doc import Doc
from ..draw import FIRMS, Picker, amount, firm_pool, person
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money, plain

INFLOW = ["Peşin satış", "Perakende satış hasılatı", "Bankadan çekilen", "Tahsilat - {f}",
          "Z raporu {z}"]
OUTFLOW = ["Kırtasiye gideri", "Çay, şeker, su", "Posta & kargo", "Bankaya yatırılan",
           "Personel avansı - {p}", "Akaryakıt", "Yol & yemek", "Ödeme - {f}", "Noter masrafı"]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2019, 2005, 2024)
    firm = firm_pool(rng, 1)[0]
    cashier, controller = person(rng), person(rng)
    start = dt.date(year, P.num(3, 1, 11), 1)
    days = sorted(rng.sample(range(0, 27), P.num(9, 3, 20)))
    opening = rng.randint(500_00, 20_000_00)
    bal, data = opening, []
    slip = rng.randint(1, 500)
    for off in days:
        d = start + dt.timedelta(days=off)
        recs = []
        for _ in range(rng.randint(1, 8)):
            inflow = bal < 1000_00 or rng.random() < 0.45
            k = amount(rng, 50, 25_000) if inflow else min(amount(rng, 5, 5_000), bal)
            text = rng.choice(INFLOW if inflow else OUTFLOW).format(
                f=rng.choice(FIRMS)[:18].rstrip(" .&"), z=rng.randint(100, 999),
                p=person(rng))
            bal += k if inflow else -k
            recs.append({"date": d, "slip": f"{slip:05d}", "text": text,
                         "in": k if inflow else None, "out": None if inflow else k, "bal": bal})
            slip += 1
        data.append((d, recs))
    amt = money(",", ".")
    aw = P.pick(13, [12, 13, 14])
    cols = [Col("date", "Tarih", 10, "date",
                fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy"])),
            Col("slip", "Fiş No", 6, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 32]), "text"),
            Col("in", "Giriş", aw, "amount", "R", amt, "sum"),
            Col("out", "Çıkış", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", amt, "last")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    doc = Doc("gunluk-kasa-raporu", version=2)
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                      "opening": "group"}})
    bal_head = cols[5].heading

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", "GÜNLÜK KASA RAPORU"), "header"),
                 (spread(W, "", f"{fmt_date(start, 'dd.mm.yyyy')} - "
                                f"{fmt_date(data[-1][0], 'dd.mm.yyyy')}"), "header"),
                 ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    pager = Pager(doc, P.num(60, 36, 72), header, ff=P.chance(True, 0.5))
    text = table.col("text")
    devir = P.pick("ÖNCEKİ GÜNDEN DEVİR", ["ÖNCEKİ GÜNDEN DEVİR", "DEVİR", "Kasa Devri"])
    day_label = P.pick("{d} GÜN TOPLAMI", ["{d} GÜN TOPLAMI", "GÜN TOPLAMI", "{d} TOPLAMI"])
    sign = P.pick("Kasa Sorumlusu : ....................     Kontrol Eden : ....................",
                  ["Kasa Sorumlusu : ....................     Kontrol Eden : ....................",
                   f"Teslim Eden : {cashier:<24} Teslim Alan : {controller}",
                   "Kasiyer İmza : ..............            Onay : .............."])
    remarks = set(rng.sample(range(len(data)), min(len(data), P.num(2, 1, 3))))
    day_open = opening
    # a day's signature line goes onto the page with what follows it, so that it stands among
    # the table's lines
    signed = []
    for di, (d, recs) in enumerate(data):
        label = day_label.format(d=fmt_date(d, cols[0].fmt))

        def opened(n, d=d, day_open=day_open):
            gi = doc.group({}, [], first_line=n)
            doc.groups[gi]["openings"] = {bal_head: plain(day_open)}
            doc.total(n, devir, "DEVİR", "opening", {"group": gi}, pager.page,
                      {"bal": day_open}, how={"bal": "opening"})
        items = signed + [(table.values({"bal": day_open}, [(text.start, devir)]), "total",
                           opened)]
        stray = rng.randrange(1, len(recs)) if di in remarks and len(recs) > 1 else None
        for i, r in enumerate(recs):
            clip(table, r)
            if i == stray:
                items.append((spread(W, "", "*** ARA RAPOR ***"), "unplaced"))
            items.append((table.values(r), "record",
                          lambda n, r=r: doc.record([n], pager.page, r,
                                                    {"group": len(doc.groups) - 1})))
        sums = {"in": sum(r["in"] or 0 for r in recs), "out": sum(r["out"] or 0 for r in recs),
                "bal": recs[-1]["bal"]}
        items += [(table.underline({"in", "out"}), "rule"),
                  (table.values(sums, [(text.start, label)]), "total",
                   lambda n, label=label, sums=sums, d=d: doc.total(
                       n, label, "GÜN TOPLAMI", "group",
                       {"where": {cols[0].heading: d.isoformat()}}, pager.page, sums)),
                  ("", "blank")]
        signed = [(" " * 6 + sign, "unplaced"), ("", "blank")]
        pager.block(items)
        day_open = recs[-1]["bal"]
    all_recs = [r for _, recs in data for r in recs]
    grand = {"in": sum(r["in"] or 0 for r in all_recs), "out": sum(r["out"] or 0 for r in all_recs),
             "bal": all_recs[-1]["bal"]}
    label = P.pick("DÖNEM TOPLAMI", ["DÖNEM TOPLAMI", "GENEL TOPLAM"])
    pager.finish(signed + [(table.underline({"in", "out", "bal"}), "rule"),
                  (table.values(grand, [(text.start, label)]), "total",
                   lambda n: doc.total(n, label, "GENEL TOPLAM", "all", {}, pager.page, grand))])
    doc.notes.append("Each day is a group without a block: its balance carried from the day "
                     "before opens it and starts its running balance, its total (naming the "
                     "day) closes it. The signature line after each day and the remark lines "
                     "among the records belong to no part of the table.")
    return doc, ("A cash report day by day, with each day's opening balance and total, "
                 "signature lines and remarks among the records that no part of the table "
                 "holds."), (
        "Every cash movement is a record; the day's carried balance, the day totals and the "
        "period total are totals; the signature and remark lines are not placed.")
