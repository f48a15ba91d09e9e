"""Customer statements, one after the other (cari hesap ekstresi): a block `Cari Kodu :
120.01.005   Ünvanı : …` over each customer, its DEVREDEN BAKİYE opening the running
balance, CARİ TOPLAM under it, GENEL TOPLAM at the end with the balance as the net of all;
a customer that goes on over a page break repeats its block with "(devam)"; texts that hold
"Toplam" and a carrier cut after "NAKLİ" are records."""

import datetime as dt

from ..doc import Doc
from ..draw import (BANKS, MORE_FIRMS, NOTATIONS, Picker, amount, dates, firm_pool, nakli_firm,
                    tax_number)
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import MONTHS, fmt_date, money, plain

DISTRICT_OFFICES = ["KADIKÖY", "BOĞAZİÇİ", "KOCAMUSTAFAPAŞA", "ŞİŞLİ", "KONAK", "KARŞIYAKA",
                    "ÇANKAYA", "ULUS", "NİLÜFER", "SELÇUK", "SARIYER", "ÜSKÜDAR"]


def postings(rng, n, year, first_month, last_month, nakli_width):
    """A customer's postings: invoices on the debit side, collections on the credit side."""
    out = []
    for d in dates(rng, n, year, first_month, last_month):
        if rng.random() < 0.55:
            text = rng.choice(["Satış faturası {n}", "Fatura {n}", "Toplam 3 fatura ({m})",
                               "Fiyat farkı faturası {n}", "Vade farkı {n}"])
            side = "B"
        else:
            text = rng.choice(["Tahsilat makbuzu {n}", "Havale - {b}", "Çek tahsili {n}",
                               "İade faturası {n}", "Nakit tahsilat", "Havale - {nakli}",
                               "Yekün farkı düzeltmesi"])
            side = "A"
        text = text.format(n=rng.randint(1000, 99999), m=MONTHS[d.month - 1],
                           b=rng.choice(BANKS), nakli=nakli_firm(rng, nakli_width - 9))
        k = amount(rng, 20, 60_000)
        out.append({"date": d, "debit": k if side == "B" else None,
                    "credit": k if side == "A" else None, "text": text})
    return out


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2024, 2009, 2024)
    first_month = P.num(1, 1, 10)
    last_month = first_month + P.num(2, 0, 2)
    firm = firm_pool(rng, 1)[0]
    text_w = P.pick(30, [26, 28, 30, 34])
    n_cust = P.num(6, 3, 9)
    names = rng.sample(MORE_FIRMS, n_cust)
    codes = sorted(rng.sample(range(1, 600), n_cust))
    customers = []
    for i, (code, name) in enumerate(zip(codes, names)):
        size = ([3, 18, 0, 7, 24, 5] if not variant else [rng.choice([0, 2, 4, 8, 15, 30])])[
            i % (6 if not variant else 1)]
        opening = rng.choice([0, amount(rng, 100, 80_000), -amount(rng, 10, 5_000)])
        if not variant and i == 2:
            opening = amount(rng, 1000, 9000)  # a customer with an opening and no postings
        recs = postings(rng, size, year, first_month, last_month, text_w)
        customers.append({"code": f"120.01.{code:03d}", "name": name, "opening": opening,
                          "records": recs, "office": rng.choice(DISTRICT_OFFICES),
                          "taxno": tax_number(rng)})
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(13, [12, 13, 14])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy", "dd.mm.yy"])
    dw = len(fmt_date(dt.date(2000, 12, 31), date_fmt))
    glued = P.chance(False, 0.4)
    cols = [Col("date", "Tarih", max(dw, 10) if not variant else dw + P.num(0, 0, 2), "date",
                fmt=date_fmt),
            Col("doc", P.pick("Evrak No", ["Evrak No", "Belge No", "Fiş No"]), 9, "code"),
            Col("text", "Açıklama", text_w, "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", money(dec, thou, "unsigned"), "last")]
    if glued:
        cols.append(Col("mark", ("", ""), 1, "marks", total="last", glued=True, name="B/A",
                        fmt={"glued": True}))
    else:
        cols.append(Col("mark", P.pick("B/A", ["B/A", "B/A", "(B/A)"]), 3 if not variant else
                        P.pick(3, [1, 3, 5]), "marks", "C", total="last"))
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    two_lines = P.chance(True, 0.5)
    labels = P.pick(("Cari Kodu", "Ünvanı", "Vergi D.", "Vergi No"),
                    [("Cari Kodu", "Ünvanı", "Vergi D.", "Vergi No"),
                     ("CARİ KODU", "ÜNVANI", "VERGİ DAİRESİ", "VERGİ NO"),
                     ("Hesap Kodu", "Hesap Adı", "V.D.", "V.No")])
    sep = P.pick(" : ", [" : ", ": ", " :"])
    doc = Doc("cari-ekstre-bloklu", version=2)
    doc.carried("code", labels[0], "code", "group")
    doc.carried("name", labels[1], "text", "group")
    if two_lines:
        doc.carried("office", labels[2], "text", "group")
        doc.carried("taxno", labels[3], "code", "group")
    mark_head = cols[-1].heading
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                      "opening": "group",
                                      "sign": {"column": mark_head, "B": 1, "A": -1}}})
    first = dt.date(year, first_month, 1)
    last = dt.date(year + last_month // 12, last_month % 12 + 1, 1) - dt.timedelta(days=1)
    printed = last + dt.timedelta(days=rng.randint(1, 20))
    title = P.pick("CARİ HESAP EKSTRESİ", ["CARİ HESAP EKSTRESİ", "CARİ HESAP HAREKETLERİ",
                                            "MÜŞTERİ EKSTRESİ"])
    footer_kind = P.pick("none", ["none", "dash", "page"])

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa: {p}"), "header"),
                 (spread(W, "", title, fmt_date(printed, "dd.mm.yyyy")), "header"),
                 (spread(W, "", f"{fmt_date(first, 'dd.mm.yyyy')} - "
                                f"{fmt_date(last, 'dd.mm.yyyy')}"), "header"),
                 ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    def footer(p):
        return {"none": [], "dash": [(spread(W, "", f"- {p} -"), "footer")],
                "page": [(spread(W, "", "", f"Sayfa {p}"), "footer")]}[footer_kind]

    def block(c, cont=False):
        first_line = f"{labels[0]}{sep}{c['code']}     {labels[1]}{sep}{c['name']}"
        lines = [first_line + (" (devam)" if cont else "")]
        if two_lines and not cont:
            lines.append(f"{labels[2]}{sep}{c['office']:<16} {labels[3]}{sep}{c['taxno']}")
        return lines

    state = {"open": None}
    text_col = table.col("text")
    dated_opening = P.chance(False, 0.3)

    def opening_items(p):
        if not state["open"]:
            return []
        return [(block(state["open"], True)[0], "group", lambda n: doc.group_goes_on([n]))]

    pager = Pager(doc, P.num(60, 44, 72), header, footer, ff=P.chance(True, 0.5),
                  opening=opening_items)
    devir_label = P.pick("DEVREDEN BAKİYE", ["DEVREDEN BAKİYE", "DEVİR", "Önceki Dönemden Devir"])
    total_label = P.pick("CARİ TOPLAM", ["CARİ TOPLAM", "Cari Toplam", "HESAP TOPLAMI",
                                         "CARİ TOPLAM ({n} kayıt)"])
    marks = lambda k: "B" if k > 0 else ("A" if k < 0 else None)
    all_net = 0
    for ci, c in enumerate(customers):
        fields = {"code": c["code"], "name": c["name"]}
        if two_lines:
            fields.update(office=c["office"], taxno=c["taxno"])
        bal = c["opening"]
        recs = []
        for r in c["records"]:
            bal += (r["debit"] or 0) - (r["credit"] or 0)
            rec = dict(fields, **r, bal=abs(bal), mark=marks(bal),
                       doc=f"{rng.choice(['A', 'F', 'T'])}-{rng.randint(1, 99999):05d}")
            clip(table, rec)
            recs.append(rec)
        all_net += bal
        head = [(t, "group") for t in block(c)]

        def opened(n, fields=fields, count=len(head)):
            gi = doc.group(fields, list(range(n - count + 1, n + 1)))
            doc.groups[gi]["openings"] = {table.col("bal").heading: "0.00"}
        head[-1] = (head[-1][0], "group", opened)
        items = list(head)
        if c["opening"]:
            values = {"bal": abs(c["opening"]), "mark": marks(c["opening"])}
            over = [(text_col.start, devir_label)]
            if dated_opening:
                values["date"] = first
            line = table.values(values, over)

            def opening_done(n, c=c, values=values):
                gi = len(doc.groups) - 1
                doc.groups[gi]["openings"] = {table.col("bal").heading: plain(c["opening"])}
                printed_values = {k: v for k, v in values.items() if k != "date"}
                doc.total(n, devir_label, "DEVİR", "opening", {"group": gi}, pager.page,
                          printed_values, how={"bal": "opening", "mark": "opening"})
            items.append((line, "total", opening_done))
        for i, rec in enumerate(recs):
            def wrote(n, rec=rec, c=c):
                state["open"] = c
                doc.record([n], pager.page, rec, {"group": len(doc.groups) - 1})
            items.append((table.values(rec), "record", wrote))
            if i < len(recs) - 1:
                pager.block(items)
                items = []
        sums = {"debit": sum(r["debit"] or 0 for r in recs),
                "credit": sum(r["credit"] or 0 for r in recs),
                "bal": abs(bal), "mark": marks(bal)}
        label = total_label.format(n=len(recs))
        scope = {"where": {labels[0]: c["code"]}}
        if "{n}" in total_label:
            scope["count"] = len(recs)
        how = None if recs else {"bal": "opening", "mark": "opening"}

        def total_done(n, label=label, scope=scope, sums=sums, how=how):
            state["open"] = None
            if how:  # a customer without postings: its balance is its opening balance
                scope = dict(scope, group=len(doc.groups) - 1)
            doc.total(n, label, "CARİ TOPLAM", "group", scope, pager.page, sums, how=how)
        items += [(table.underline({"debit", "credit", "bal"}), "rule"),
                  (table.values(sums, [(text_col.start, label)]), "total", total_done)]
        if ci < len(customers) - 1:
            items.append(("", "blank"))
        pager.block(items)
    grand = {"debit": sum(r["debit"] or 0 for c in customers for r in c["records"]),
             "credit": sum(r["credit"] or 0 for c in customers for r in c["records"]),
             "bal": abs(all_net), "mark": marks(all_net)}
    label = P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "GENEL TOPLAM :", "*** GENEL TOPLAM ***"])
    pager.finish([("", "blank"), (table.underline({"debit", "credit", "bal"}), "rule"),
                  (table.values(grand, [(text_col.start, label)]), "total",
                   lambda n: doc.total(n, label, "GENEL TOPLAM", "all", {}, pager.page, grand,
                                       how={"bal": "net", "mark": "net"}))])
    doc.notes.append("Each customer is a group: its block's fields lead its records, its opening "
                     "balance line starts its running balance, its total prints the sums and "
                     "the last balance. The grand total's balance is the net of every opening "
                     "balance, debit and credit.")
    return doc, ("Statements of several customers in one print-out, each under a block of "
                 "fields, with opening balances, running balances with B/A marks, customer "
                 "totals and a grand total whose balance is a net."), (
        "Every posting line is a record; the customer blocks are group fields; the opening "
        "balance lines, customer totals and the grand total are totals.")
