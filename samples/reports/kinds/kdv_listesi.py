"""A list of purchase invoices for the VAT return (indirilecek KDV listesi) whose first column
is a row number three or four characters wide ("Sıra", "No"): date, invoice number, seller,
tax number, base, rate, VAT and total; page totals, the sums carried over page breaks and a
grand total. A carrier's name is cut after "NAKLİ"; in variants a remark line stands among the
records."""

import datetime as dt

from ..doc import Doc
from ..draw import (FIRMS, MORE_FIRMS, NOTATIONS, Picker, amount, firm_pool, nakli_firm, pct,
                    person, tax_number, tc_identity, vat_rates)
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import MONTHS, money, tr_upper

REMARKS = ["*** ARA RAPOR ***", "** Bu sayfadaki faturalar e-arşivdir **",
           "--- İPTAL EDİLEN FATURA LİSTEYE ALINMADI ---"]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2023, 2006, 2024)
    month = P.num(11, 1, 12)
    firm = firm_pool(rng, 1)[0]
    seller_w = P.pick(30, [26, 28, 30, 34])
    pool = [f for f in MORE_FIRMS + FIRMS[:10] if f != firm]
    sellers = [(f, tax_number(rng)) for f in rng.sample(pool, 12)]
    sellers.append((nakli_firm(rng, seller_w), tax_number(rng)))
    sellers.append((f"{person(rng)} - Serbest Meslek", tc_identity(rng)))
    n = P.num(58, 8, 120)
    first = dt.date(year, month, 1)
    last = dt.date(year + month // 12, month % 12 + 1, 1) - dt.timedelta(days=1)
    recs = []
    for i in range(n):
        d = first + dt.timedelta(days=rng.randrange((last - first).days + 1))
        name, taxno = rng.choice(sellers)
        rate = rng.choice([vat_rates(d)[0]] * 5 + [vat_rates(d)[1], vat_rates(d)[2]])
        base = amount(rng, 20, 90_000)
        vat = pct(base, rate * 10)
        recs.append({"date": d, "docno": f"{rng.choice('ABCDEFG')} {rng.randint(1, 999999):06d}",
                     "name": name, "taxno": taxno, "base": base, "rate": f"%{rate}", "vat": vat,
                     "sum": base + vat})
    recs.sort(key=lambda r: (r["date"], r["docno"]))
    if not variant:
        recs[5].update(name=sellers[-2][0], taxno=sellers[-2][1])
    for i, r in enumerate(recs, start=1):
        r["no"] = str(i)
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(13, [12, 13, 14])
    no_head = P.pick("Sıra", ["Sıra", "No", "S.No", "SIRA"])
    cols = [Col("no", no_head, max(3, len(no_head)) if variant else 4, "code", "R"),
            Col("date", "Tarih", 10, "date",
                fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy"])),
            Col("docno", P.pick(("Belge", "No"), [("Belge", "No"), ("Fatura", "No"),
                                                  ("", "Seri Sıra No")]), 12, "code"),
            Col("name", P.pick(("Satıcının", "Adı Soyadı / Ünvanı"),
                               [("Satıcının", "Adı Soyadı / Ünvanı"), ("", "Satıcı Ünvanı"),
                                ("", "Firma Ünvanı")]), seller_w, "text"),
            Col("taxno", P.pick(("Vergi No /", "TC Kimlik No"),
                                [("Vergi No /", "TC Kimlik No"), ("", "Vergi No")]), 12, "code"),
            Col("base", P.pick(("KDV", "Matrahı"), [("KDV", "Matrahı"), ("", "Matrah")]), aw,
                "amount", "R", amt, "sum"),
            Col("rate", ("KDV", "Oranı"), 5, "code", "R"),
            Col("vat", ("KDV", "Tutarı"), aw, "amount", "R", amt, "sum"),
            Col("sum", ("Fatura", "Toplamı"), aw + 1, "amount", "R", amt, "sum")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    doc = Doc("kdv-listesi", version=2)
    doc.table_columns(table)
    own_tax = tax_number(rng)
    period = f"{tr_upper(MONTHS[month - 1])} {year}"

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", "İNDİRİLECEK KDV LİSTESİ", f"Vergi No : {own_tax}"), "header"),
                 (spread(W, "", f"Dönem : {period}"), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    keys = ("base", "vat", "sum")
    state = {"page": [], "all": []}
    name = table.col("name")

    def total(label, keyword, covers, scope, recs):
        values = {k: sum(r[k] for r in recs) for k in keys}
        return (table.values(values, [(name.start, label)]), "total",
                lambda n: doc.total(n, label, keyword, covers, scope, pager.page, values))

    page_label = P.pick("SAYFA TOPLAMI", ["SAYFA TOPLAMI", "Sayfa Toplamı"])
    nakli = P.pick("NAKLİ YEKÜN", ["NAKLİ YEKÜN", "Sonraki Sayfaya Devir"])
    devir = P.pick("ÖNCEKİ SAYFADAN DEVİR", ["ÖNCEKİ SAYFADAN DEVİR", "DEVİR", "Nakli Yekün"])

    def closing(p):
        return [(table.underline(set(keys)), "rule"),
                total(page_label, "SAYFA TOPLAMI", "page", {"page": p}, state["page"]),
                total(nakli, "NAKLİ YEKÜN", "carried", {"through_page": p}, state["all"])]

    def opening(p):
        state["page"] = []
        return [total(devir, "DEVİR", "carried", {"through_page": p - 1}, state["all"])]

    pager = Pager(doc, P.num(56, 36, 72), header, ff=P.chance(True, 0.5), closing=closing,
                  opening=opening, reserve=3)
    remarks_at = set(rng.sample(range(2, n), rng.randint(1, 2))) if P.chance(False, 0.5) else ()
    for i, r in enumerate(recs):
        clip(table, r)

        def wrote(n, r=r):
            state["page"].append(r)
            state["all"].append(r)
            doc.record([n], pager.page, r)
        items = [(table.values(r), "record", wrote)]
        if i in remarks_at:
            items.insert(0, (spread(W, "", rng.choice(REMARKS)), "unplaced"))
        pager.block(items)
    pager.finish([(table.underline(set(keys)), "rule"),
                  total(page_label, "SAYFA TOPLAMI", "page", {"page": pager.page}, state["page"]),
                  total(P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "TOPLAM"]), "GENEL TOPLAM",
                        "all", {}, state["all"])])
    doc.fields += [{"label": "Vergi No", "value": own_tax}, {"label": "Dönem", "value": period}]
    doc.notes.append("The row number is a code (it counts the records); the VAT rate is printed "
                     "with a percent sign and is a code too. Tax numbers (10 digits) and identity "
                     "numbers (11 digits) are codes.")
    return doc, ("A VAT list whose first column is a narrow row number, with page totals, "
                 "carried sums and a grand total."), (
        "Every invoice line is a record; page totals, carried sums and the grand total are "
        "totals; a remark line among the records is not placed.")
