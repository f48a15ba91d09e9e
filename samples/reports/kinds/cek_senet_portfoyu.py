"""A portfolio of cheques and notes received (çek/senet portföyü): due dates with Turkish
month names ("02 Oca 2024", "2 Ocak 2024"), bank and branch, cheque number, drawer, currency
TL/USD/EUR and amount; at the end a total per currency whose label names the currency and
prints the count ("TL TOPLAMI (39 adet)", "TOPLAM USD")."""

import datetime as dt

from ..doc import Doc
from ..draw import BANKS, DISTRICTS, MORE_FIRMS, FIRMS, Picker, amount, currency, firm_pool
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money, tr_title


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2024, 2005, 2024)
    month = P.num(3, 1, 12)
    firm = firm_pool(rng, 1)[0]
    lira = currency(year)
    n = P.num(46, 12, 90)
    report_day = dt.date(year, month, rng.randint(1, 28))
    cheques = []
    for _ in range(n):
        cur = rng.choices([lira, "USD", "EUR"], [8, 2, 1])[0]
        due = report_day + dt.timedelta(days=rng.randint(1, 240))
        k = amount(rng, 200, 150_000) if cur == lira else amount(rng, 100, 20_000)
        kind = rng.choices(["ÇEK", "SENET"], [4, 1])[0]
        bank = rng.choice(BANKS) + " " + tr_title(rng.choice(DISTRICTS)) if kind == "ÇEK" else ""
        cheques.append({"due": due, "no": f"{rng.randint(1, 9999999):07d}", "bank": bank,
                        "drawer": rng.choice([f for f in MORE_FIRMS + FIRMS if f != firm]),
                        "cur": cur, "amt": k,
                        "kind": kind})
    cheques.sort(key=lambda c: (c["due"], c["no"]))
    if not variant:  # a drawer whose name holds TOPLAM: still a record
        cheques[7]["drawer"] = "TOPLAM KALİTE DANIŞMANLIK LTD.ŞTİ."
    date_fmt = P.pick("dd MMM yyyy", ["dd MMM yyyy", "d MMMM yyyy", "dd MON yyyy",
                                      "dd MMMM yyyy"])
    dw = max(len(fmt_date(c["due"], date_fmt)) for c in cheques)
    dec, thou = P.pick((",", "."), [(",", "."), (",", "."), (".", ",")])
    amt = money(dec, thou)
    aw = P.pick(14, [13, 14, 15])
    kinds = P.chance(False, 0.5)
    cols = [Col("due", P.pick("Vade Tarihi", ["Vade Tarihi", "Vade", "VADE TARİHİ"]),
                max(dw, 11), "date", fmt=date_fmt),
            Col("no", P.pick("Çek No", ["Çek No", "Çek/Senet No", "Belge No"]), 12, "code"),
            Col("bank", P.pick("Banka / Şube", ["Banka / Şube", "Bankası", "Banka Şube"]),
                P.pick(28, [24, 28, 30]), "text"),
            Col("drawer", P.pick("Keşideci", ["Keşideci", "Borçlu", "Keşideci / Borçlu"]),
                P.pick(28, [24, 28, 32]), "text"),
            Col("cur", P.pick("Döviz", ["Döviz", "Cinsi", "D.Cinsi"]), 7, "text"),
            Col("amt", "Tutar", aw, "amount", "R", amt, "sum")]
    if kinds:
        cols.insert(1, Col("kind", "Türü", 6, "text"))
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    doc = Doc("cek-senet-portfoyu", version=2)
    doc.table_columns(table)
    title = P.pick("ÇEK / SENET PORTFÖY LİSTESİ", ["ÇEK / SENET PORTFÖY LİSTESİ",
                                                    "PORTFÖYDEKİ ÇEK VE SENETLER",
                                                    "ALINAN ÇEKLER LİSTESİ"])
    printed = fmt_date(report_day, P.pick("d MMMM yyyy", ["d MMMM yyyy", "dd.mm.yyyy"]))

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", title, f"Tarih : {printed}"), "header"),
                 (spread(W, "", "(Vade sırasına göre)"), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    pager = Pager(doc, P.num(56, 30, 66), header, ff=P.chance(True, 0.6))
    for c in cheques:
        rec = dict(c)
        clip(table, rec)
        pager.block([(table.values(rec), "record",
                      lambda n, rec=rec: doc.record([n], pager.page, rec))])
    label_fmt = P.pick("{cur} TOPLAMI ({n} adet)", ["{cur} TOPLAMI ({n} adet)", "TOPLAM {cur}",
                                                    "TOPLAM {cur} ({n} adet)",
                                                    "{cur} TOPLAMI : {n} ADET"])
    drawer = table.col("drawer")
    finals = [(table.underline({"amt"}), "rule")]
    for cur in [lira, "USD", "EUR"]:
        sel = [c for c in cheques if c["cur"] == cur]
        if not sel:
            continue
        label = label_fmt.format(cur=cur, n=len(sel))
        scope = {"where": {cols[-2].heading: cur}}
        if "{n}" in label_fmt:
            scope["count"] = len(sel)
        values = {"amt": sum(c["amt"] for c in sel)}
        finals.append((table.values(values, [(drawer.end - len(label) + 1, label)]), "total",
                       lambda n, label=label, scope=scope, values=values: doc.total(
                           n, label, "TOPLAM", "group", scope, pager.page, values)))
    pager.finish(finals)
    doc.notes.append("Due dates are printed with Turkish month names. The totals at the end "
                     "each cover the records of one currency, which their label names; where "
                     "the label prints a count, it is the number of those records.")
    return doc, ("A portfolio of cheques and notes by due date in several currencies, with a "
                 "total per currency that names the currency and counts its records."), (
        "Every cheque or note line is a record; the totals per currency are totals.")
