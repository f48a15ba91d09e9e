"""A bank book (banka defteri) whose headings stand over a rule of "=" (in variants "=" above
the headings and "-" or "=" below them), with page totals, the sums carried over page breaks
and a running balance."""

from ..doc import Doc
from ..draw import BANKS, FIRMS, MORE_FIRMS, NOTATIONS, Picker, amount, dates, firm_pool
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import PageSums, Pager
from ..values import MONTHS, money, tr_upper

COUNTER = [("120.01.{n:03d}", 1, ["Havale - {f}", "EFT gelen - {f}", "Çek tahsili {k}"]),
           ("320.01.{n:03d}", -1, ["Ödeme - {f}", "EFT gönderilen - {f}", "Çek ödemesi {k}"]),
           ("100.01", -1, ["Kasaya çekilen"]), ("100.01", 1, ["Kasadan yatırılan"]),
           ("780.01", -1, ["Kredi faizi", "Komisyon & BSMV", "YEKÜN farkı - masraf"]),
           ("360.01", -1, ["Muhtasar ödemesi ({m})", "KDV ödemesi ({m})"]),
           ("361.01", -1, ["SGK prim ödemesi ({m})"]), ("642.01", 1, ["Faiz geliri"])]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2014, 2005, 2024)
    firm = firm_pool(rng, 1)[0]
    bank = rng.choice(BANKS)
    pool = [f for f in MORE_FIRMS + FIRMS if f != firm]
    n = P.num(64, 15, 110)
    recs, bal = [], 0
    for i, d in enumerate(dates(rng, n, year)):
        if i == 0:
            acct, sign, text = "102.01", 1, "Açılış bakiyesi"
        else:
            acct, sign, texts = rng.choice(COUNTER)
            while sign < 0 and bal < 500_00:
                acct, sign, texts = rng.choice(COUNTER)
            text = rng.choice(texts).format(f=rng.choice(pool), k=rng.randint(100000, 999999),
                                            m=MONTHS[d.month - 1])
            acct = acct.format(n=rng.randint(1, 400))
        k = amount(rng, 100, 80_000) if sign > 0 else min(amount(rng, 10, 40_000), bal + 5000_00)
        bal += sign * k
        recs.append({"date": d, "slip": f"{rng.randint(1, 9999):04d}", "text": text,
                     "acct": acct, "in": k if sign > 0 else None, "out": k if sign < 0 else None,
                     "bal": bal})
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("date", "Tarih", 10, "date", fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yy"])),
            Col("slip", "Fiş No", 6, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 34]), "text"),
            Col("acct", P.pick("Karşı Hesap", ["Karşı Hesap", "Hesap Kodu"]), 11, "code"),
            Col("in", P.pick("Yatan", ["Yatan", "Borç", "Giren"]), aw, "amount", "R", amt, "sum"),
            Col("out", P.pick("Çekilen", ["Çekilen", "Alacak", "Çıkan"]), aw, "amount", "R", amt,
                "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", amt, "last")]
    heading_case(P, cols)
    table = Table(cols)
    for r in recs:
        clip(table, r)
    W = table.width
    style = P.pick("under", ["under", "under", "over-dash", "over-equals"])
    doc = Doc("banka-defteri-esittir", version=2)
    doc.table_columns(table, {"bal": {"plus": [cols[4].heading], "minus": [cols[5].heading],
                                      "opening": "0.00"}})
    acct_no = f"102.01.{rng.randint(1, 20):03d}"
    title = P.pick("BANKA DEFTERİ", ["BANKA DEFTERİ", "BANKA HESABI EKSTRESİ", "BANKA DÖKÜMÜ"])
    title_rule = P.chance(False, 0.4)

    def header(p):
        lines = [(spread(W, firm, "", f"Sayfa: {p}"), "header"),
                 (spread(W, "", title), "header")]
        if title_rule:
            lines.append((spread(W, "", "=" * len(title)), "header"))
        lines += [(f"Banka : {acct_no}  {tr_upper(bank)}", "header"),
                  (f"Dönem : 01.01.{year} - 31.12.{year}", "header"), ("", "blank")]
        if style != "under":
            lines.append((table.rule("="), "rule"))
        lines += [(h, "heading") for h in table.headings()]
        lines.append((table.rule("-" if style == "over-dash" else "="), "rule"))
        return lines

    char = "-" if style == "over-dash" else P.pick("-", ["-", "="])
    sums = PageSums(doc, table, ["in", "out"], {
        "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"), "nakli": ("NAKLİ YEKÜN", "NAKLİ YEKÜN"),
        "devir": (P.pick("DEVİR", ["DEVİR", "ÖNCEKİ SAYFADAN DEVİR"]), "DEVİR"),
        "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}, table.col("text").start, last=["bal"],
        before=[(table.underline({"in", "out", "bal"}).replace("-", char), "rule")])
    pager = Pager(doc, P.num(60, 40, 72), header, ff=P.chance(True, 0.5), closing=sums.closing,
                  opening=sums.opening, reserve=sums.reserve())
    sums.pager = pager
    for r in recs:
        def wrote(n, r=r):
            sums.record(r)
            doc.record([n], pager.page, r)
        pager.block([(table.values(r), "record", wrote)])
    pager.finish(sums.finish())
    doc.fields += [{"label": "Banka", "value": f"{acct_no}  {tr_upper(bank)}"},
                   {"label": "Dönem", "value": f"01.01.{year} - 31.12.{year}"}]
    doc.notes.append("The headings' rule is drawn with \"=\"; where \"=\" also stands above the "
                     "headings, the rule under them is the table's.")
    return doc, ("A bank book under a rule of \"=\", with page totals, carried sums and a "
                 "running balance."), None
