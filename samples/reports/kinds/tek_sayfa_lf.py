"""One page with LF line ends and leading-minus amounts."""

import datetime as dt

from ..values import fmt_date, money
from ..layout import Col, Table, clip, heading_case, spread
from ..doc import Doc
from ..draw import Picker, firm_pool, movements, running, slip_numbers

def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm, customer = firm_pool(rng, 2)
    n = P.num(22, 8, 40)
    recs = movements(rng, n, year, "C", big=P.chance(True, 0.5))
    for r in recs:
        r["amt"] = (r["debit"] or 0) - (r["credit"] or 0)
    running(recs, "amt", "none", key="bal")
    for r, s in zip(recs, slip_numbers(rng, n, 5)):
        r["slip"] = rng.choice([s, f"{year % 100:02d}.{s[-3:]}", s])
    amt = money()
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("date", P.pick("Tarih", ["Tarih", "İşlem Tarihi"]), 10, "date",
                fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd-mm-yyyy"])),
            Col("slip", P.pick("Belge No", ["Belge No", "Evrak No", "Fiş No"]), 8, "code"),
            Col("text", "Açıklama", P.pick(28, [24, 28, 30]), "text"),
            Col("amt", P.pick("Tutar", ["Tutar", "İşlem Tutarı"]), aw, "amount", "R", amt,
                "sum"),
            Col("bal", "Bakiye", aw, "amount", "R", amt, "last")]
    cols[0].width = max(10, len(cols[0].heading))
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("tek-sayfa-lf", "LF")
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "opening": "0.00"}})
    W = max(table.width, 78)
    code = f"120.01.{rng.randint(1, 9999):04d}"
    printed = dt.date(year + 1, 1, rng.randint(2, 28))
    lines = [(spread(W, firm, "", fmt_date(printed, "dd.mm.yyyy")), "header"),
             (spread(W, "", P.pick("CARİ HESAP EKSTRESİ", ["CARİ HESAP EKSTRESİ",
                                                            "HESAP EKSTRESİ"])), "header"),
             ("", "blank"),
             (f"Cari Kodu : {code}", "header"), (f"Ünvanı    : {customer}", "header")]
    if P.chance(True, 0.6):
        lines.append(("", "blank"))
    lines += [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]
    hl = [doc.add(t, r) for t, r in lines]
    for r in recs:
        clip(table, r)
        doc.record([doc.add(table.values(r), "record")], 1, r)
    doc.add(table.underline({"amt", "bal"}), "rule")
    values = {"amt": sum(r["amt"] for r in recs), "bal": recs[-1]["bal"]}
    label = P.pick("Toplam", ["Toplam", "TOPLAM", "Toplam :"])
    line = doc.add(table.values(values, [(table.col("text").start, label)]), "total")
    doc.total(line, label.strip(), "TOPLAM", "all", {}, 1, values)
    doc.add("", "blank")
    doc.add(P.pick("Bakiyeniz mutabık değil ise 15 gün içinde bildiriniz.",
                   ["Bakiyeniz mutabık değil ise 15 gün içinde bildiriniz.",
                    "Kaşe - İmza"]), "note")
    doc.pages.append({"page": 1, "first_line": 1, "last_line": doc.n, "header_lines": hl})
    doc.fields += [{"label": "Cari Kodu", "value": code}, {"label": "Ünvanı", "value": customer}]
    doc.notes.append("Debits are positive, credits carry a leading minus; the balance is "
                     "right-aligned to the rule line's last position.")
    return doc, ("A one-page statement of account with LF line ends, leading-minus amounts and "
                 "no B/A column.")
