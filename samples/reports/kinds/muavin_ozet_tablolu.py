"""A sub-ledger of several accounts followed, on a page of its own, by a summary table with
other headings (HESAP ÖZETİ: each account's debit, credit and balance) and, in some variants,
a third small table (AYLIK DÖKÜM: the month's debit and credit). Each table is named by the
title line above it."""

import datetime as dt

from ..doc import Doc
from ..draw import NOTATIONS, Picker, firm_pool, movements, running
from ..layout import Col, Table, heading_case, spread
from ..ledger import Ledger
from ..values import MONTHS, fmt_date, money, render_amount


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2016, 2005, 2024)
    firm = firm_pool(rng, 1)[0]
    nacc = P.num(4, 2, 6)
    names = firm_pool(rng, nacc, exclude=[firm])
    groups = []
    for i, name in enumerate(names):
        main = rng.choice(["120", "320", "136"])
        code = f"{main}.01.{rng.randint(1, 999):03d}"
        size = P.num([12, 30, 6, 22][i % 4], 3, 40)
        recs = movements(rng, size, year, "S" if main == "320" else "C", big=size > 20,
                         tiny=size > 20, empty=size > 10)
        running(recs, key="bal", mark=None)
        for r in recs:
            r["mark"] = "B" if r["bal"] > 0 else "A" if r["bal"] < 0 else None
            r["bal"] = abs(r["bal"])
            r["acode"], r["aname"] = code, name
            r["slip"] = f"{rng.randint(1, 99999):05d}"
        groups.append({"code": code, "name": name, "records": recs,
                       "fields": {"acode": code, "aname": name}})
    groups.sort(key=lambda g: g["code"])
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(13, [12, 13, 14])
    # as wide as the grand totals need
    for key in ("debit", "credit"):
        grand = sum(r[key] or 0 for g in groups for r in g["records"])
        aw = max(aw, len(render_amount(grand, amt)))
    cols = [Col("date", "Tarih", 10, "date",
                fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy"])),
            Col("slip", "Fiş No", 6, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 32]), "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", money(dec, thou, "unsigned"), "last"),
            Col("mark", "B/A", 3, "marks", "C", total="last")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    doc = Doc("muavin-ozet-tablolu", version=2)
    title1 = P.pick("MUAVİN DEFTERİ", ["MUAVİN DEFTERİ", "HESAP HAREKETLERİ"])
    doc.begin_table(title1, None)
    doc.carried("acode", "Hesap Kodu", "code")
    doc.carried("aname", "Hesap Adı", "text")
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                      "opening": "0.00", "restart_on": "Hesap Kodu",
                                      "sign": {"column": cols[6].heading, "B": 1, "A": -1}}})
    printed = dt.date(year + 1, 1, rng.randint(5, 28))
    period = f"01.01.{year} - 31.12.{year}"

    def top(p):
        return spread(W, firm, "", f"Sayfa : {p}")

    def header(p, np_, g):
        return [(top(p), "header"),
                (spread(W, "", title1, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                (spread(W, "", period), "header"), ("", "blank"),
                (f"Hesap Kodu : {g['code']}   Hesap Adı : {g['name']}", "header"), ("", "blank")] \
            + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]

    text = table.col("text")
    labels = {"account": ("HESAP TOPLAMI", "HESAP TOPLAMI"),
              "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}
    keys = ["debit", "credit", "bal", "mark"]
    ff = P.chance(True, 0.6)
    led = Ledger(doc, table, P.num(50, 40, 66), ff, not ff, header, lambda p, n_: [], labels,
                 {"account": keys, "grand": ["debit", "credit"]}, ((text.start, text.end), "L"),
                 per_group_page=True, blank_before_footer=0)
    led.write(groups, carried_key=["acode", "aname"])
    for t in doc.totals:
        if t["covers"] == "account":
            t["scope"] = {"where": t["scope"]["where"]}

    # the summary on a page of its own
    page = len(doc.pages) + 1
    first = doc.add(("\f" if ff else "") + top(page), "header")
    doc.add("", "blank")
    title2 = P.pick("HESAP ÖZETİ", ["HESAP ÖZETİ", "ÖZET", "HESAP BAKİYELERİ ÖZETİ"])
    doc.begin_table(title2, doc.add(spread(W, "", title2), "title"))
    doc.add("", "blank")
    scols = [Col("code", "Hesap Kodu", 12, "code"), Col("name", "Hesap Adı", 34, "text"),
             Col("debit", ("Borç", "Toplamı"), aw + 1, "amount", "R", amt, "sum"),
             Col("credit", ("Alacak", "Toplamı"), aw + 1, "amount", "R", amt, "sum"),
             Col("bal", ("", "Bakiye"), aw + 1, "amount", "R", money(dec, thou, "unsigned")),
             Col("mark", ("", "B/A"), 3, "marks", "C")]
    summary = Table(scols)
    doc.table_columns(summary)
    next(c for c in doc.columns if c["key"] == "bal")["net"] = {
        "plus": [scols[2].heading], "minus": [scols[3].heading], "sign": scols[5].heading}
    for h in summary.headings():
        doc.add(h, "heading")
    doc.add(summary.rule(), "rule")
    rows = []
    for g in groups:
        d = sum(r["debit"] or 0 for r in g["records"])
        c = sum(r["credit"] or 0 for r in g["records"])
        row = {"code": g["code"], "name": g["name"][:34].rstrip(), "debit": d, "credit": c,
               "bal": abs(d - c), "mark": "B" if d > c else "A" if d < c else None}
        rows.append(row)
        doc.record([doc.add(summary.values(row), "record")], page, row)
    doc.add(summary.underline({"debit", "credit", "bal"}), "rule")
    net = sum(r["debit"] - r["credit"] for r in rows)
    values = {"debit": sum(r["debit"] for r in rows), "credit": sum(r["credit"] for r in rows),
              "bal": abs(net), "mark": "B" if net > 0 else "A" if net < 0 else None}
    line = doc.add(summary.values(values, [(summary.col("name").start, "TOPLAM")]), "total")
    doc.total(line, "TOPLAM", "TOPLAM", "all", {}, page, values, how={"bal": "net", "mark": "net"})

    if P.chance(False, 0.5):  # a third, small table: the months
        doc.add("", "blank")
        doc.add("", "blank")
        title3 = "AYLIK DÖKÜM"
        doc.begin_table(title3, doc.add(spread(W, "", title3), "title"))
        doc.add("", "blank")
        mcols = [Col("month", "Ay", 8, "text"),
                 Col("debit", "Borç", aw + 1, "amount", "R", amt, "sum"),
                 Col("credit", "Alacak", aw + 1, "amount", "R", amt, "sum")]
        months = Table(mcols)
        doc.table_columns(months)
        for h in months.headings():
            doc.add(h, "heading")
        doc.add(months.rule(), "rule")
        all_recs = [r for g in groups for r in g["records"]]
        mrows = []
        for m in sorted({r["date"].month for r in all_recs}):
            sel = [r for r in all_recs if r["date"].month == m]
            row = {"month": MONTHS[m - 1], "debit": sum(r["debit"] or 0 for r in sel),
                   "credit": sum(r["credit"] or 0 for r in sel)}
            mrows.append(row)
            doc.record([doc.add(months.values(row), "record")], page, row)
        doc.add(months.underline({"debit", "credit"}), "rule")
        values = {k: sum(r[k] for r in mrows) for k in ("debit", "credit")}
        line = doc.add(months.values(values, [(1, "TOPLAM")]), "total")
        doc.total(line, "TOPLAM", "TOPLAM", "all", {}, page, values)
    doc.pages.append({"page": page, "first_line": first, "last_line": doc.n,
                      "header_lines": [first]})
    doc.notes.append("Several tables: the sub-ledger (its account in each page header, carried "
                     "into its records) and, on the last page, the summary of every account "
                     "(whose figures agree with the sub-ledger's account totals) and, in some "
                     "variants, the months' sums. Each table is named by its title line.")
    return doc, ("A many-account sub-ledger followed by a summary table with other headings, "
                 "sometimes a third small table; each table with its own columns, records and "
                 "totals."), (
        "The sub-ledger's posting lines are its records, the summary's account lines and the "
        "months' lines theirs; each table's totals are its own.")
