"""Many accounts, no form feeds: pages of a fixed line count, the account in every page header
(a carried field), "- N -" footers, HESAP TOPLAMI per account, amounts 1234.56, balances
1234.56-."""

import datetime as dt

from ..values import fmt_date, money
from ..layout import Col, Table, cols_h, heading_case, spread
from ..doc import Doc
from ..draw import Picker, firm_pool, movements, running
from ..ledger import Ledger

def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    nacc = P.num(5, 3, 8)
    sizes = [8, 70, 3, 25, 12] if not variant else [rng.choice([2, 5, 9, 14, 30, 55, 90])
                                                    for _ in range(nacc)]
    names = firm_pool(rng, nacc, exclude=[firm])
    if not variant:
        names[1] = "AKSOY NAKLİYAT LTD.ŞTİ."
    groups = []
    codes = set()
    for i, (size, name) in enumerate(zip(sizes, names)):
        main = P.pick("320", ["120", "320", "329", "136"]) if i or variant else "320"
        code = f"{main}.01.{rng.randint(1, 99999):05d}" if i != 1 or variant else "320.01.00838"
        while code in codes:
            code = f"{main}.01.{rng.randint(1, 99999):05d}"
        codes.add(code)
        recs = movements(rng, size, year, "S" if main.startswith("3") else "C",
                         big=size > 20, tiny=size > 20, empty=size > 10)
        groups.append({"code": code, "name": name, "records": recs,
                       "fields": {"acode": code, "aname": name}})
    groups.sort(key=lambda g: g["code"])
    slip = rng.randint(1, 300)
    for g in groups:
        for r in g["records"]:
            r["slip"] = f"{slip:06d}"
            slip += rng.randint(1, 9)
            r["doc"] = rng.choice([f"A-{rng.randint(1, 999999):06d}",
                                   f"{rng.randint(1, 99999):06d}",
                                   f"FT.{year % 100:02d}.{rng.randint(1, 9999):04d}", ""])
            r["acode"], r["aname"] = g["code"], g["name"]
        running(g["records"], key="bal")
    amt = money(".", "", "leading-minus")
    bal_fmt = money(".", "", "trailing-minus")
    aw = P.pick(11, [11, 12, 13])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd.mm.yy", "dd/mm/yy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt))
    pair = P.pick(("Borç", "Alacak"), [("Borç", "Alacak"), ("Borç Tutarı", "Alacak Tutarı")])
    cols = [Col("date", "Tarih", dw, "date", fmt=date_fmt),
            Col("slip", P.pick("Fiş No", ["Fiş No", "Yevmiye No", "FİŞ NO"]), 10 if variant else 6,
                "code"),
            Col("doc", P.pick("Evrak No", ["Evrak No", "Belge No"]), 10, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 34]), "text"),
            Col("debit", pair[0], aw, "amount", "R", amt, "sum"),
            Col("credit", pair[1], aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", bal_fmt, "last")]
    cols[1].width = max(cols[1].width, len(cols[1].heading))
    if P.chance(False, 0.3):
        cols[2], cols[3] = cols[3], cols[2]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("muavin-cok-hesap")
    code_label = P.pick("Hesap Kodu", ["Hesap Kodu", "Hesap No", "HESAP KODU"])
    name_label = P.pick("Hesap Adı", ["Hesap Adı", "Ünvanı", "HESAP ADI"])
    doc.carried("acode", code_label, "code")
    doc.carried("aname", name_label, "text")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "debit")],
                                      "minus": [cols_h(cols, "credit")], "opening": "0.00",
                                      "restart_on": code_label}})
    W = table.width
    printed = dt.date(year + 1, rng.randint(1, 3), rng.randint(1, 28))
    spaced = P.chance(True, 0.5)
    title = "M U A V İ N   D E F T E R İ" if spaced else "MUAVİN DEFTERİ"
    blank_before_heads = P.chance(True, 0.5)

    def header(p, np_, g):
        lines = [(spread(W, firm, "", fmt_date(printed, "dd.mm.yyyy")), "header"),
                 (spread(W, "", title), "header"),
                 (spread(W, "", f"{fmt_date(dt.date(year, 1, 1), 'dd.mm.yyyy')} - "
                                f"{fmt_date(dt.date(year, 12, 31), 'dd.mm.yyyy')}"), "header"),
                 ("", "blank"),
                 (f"{code_label} : {g['code']}   {name_label} : {g['name']}", "header")]
        if blank_before_heads:
            lines.append(("", "blank"))
        lines += [(h, "heading") for h in table.headings()]
        lines.append((table.rule(), "rule"))
        return lines

    def footer(p, np_):
        return [(spread(W, "", f"- {p} -"), "footer"), ("", "blank")]

    tcol = table.col("text")
    carried = P.chance(False, 0.4)
    labels = {"account": ("HESAP TOPLAMI", "HESAP TOPLAMI"),
              "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}
    if carried:
        labels["nakli"] = ("NAKLİ YEKÜN", "NAKLİ YEKÜN")
        labels["devir"] = ("DEVİR", "DEVİR")
    keys = ["debit", "credit", "bal"]
    led = Ledger(doc, table, P.num(60, 56, 72), False, True, header, footer, labels,
                 {"account": keys, "nakli": keys, "devir": keys, "grand": ["debit", "credit"]},
                 ((tcol.start, tcol.end), "L"), underline=True, per_group_page=True,
                 blank_before_footer=1)
    led.write(groups, carried_key=["acode", "aname"])
    for t in doc.totals:
        if t["covers"] == "account":
            t["scope"] = {"where": t["scope"]["where"]}
    doc.notes.append("Every account begins a new page; its code and name in the page header are "
                     "carried into each record. Balances end on the rule line's last position, "
                     "credit balances with a trailing minus.")
    return doc, ("A many-account sub-ledger without form feeds: pages of a fixed line count "
                 "padded with blank lines, the account in each page header, \"- N -\" footers, "
                 "account totals, point decimals and trailing-minus balances.")
