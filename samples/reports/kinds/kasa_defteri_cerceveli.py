"""A cash book in a box frame (╔═╤═╗, ║ │ ║, ╟─┼─╢, ╚═╧═╝) on every page, two-line headings
inside the frame, dates dd/mm/yy."""

import datetime as dt

from ..values import MONTHS, fmt_date, money
from ..layout import Col, Frame, cols_h, heading_case, spread
from ..doc import Doc
from ..draw import BANKS, FIRMS, Picker, amount, dates, firm_pool, running
from ..ledger import Ledger

def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    n = P.num(50, 25, 80)
    first_month = P.num(1, 1, 10)
    ds = dates(rng, n, year, first_month, min(12, first_month + P.num(2, 0, 2)))
    recs = []
    bal = 0
    inflow = ["Peşin satış", "Perakende satış hasılatı", "Bankadan çekilen", "Tahsilat - {f}",
              "Ortaktan alınan avans", "Z raporu {z}", "Çek tahsili - {b}"]
    outflow = ["Kırtasiye gideri", "Çay, şeker, su", "Ödenen kira ({m})", "Elektrik faturası",
               "Posta & kargo gideri", "Bankaya yatırılan", "Personel avansı - {p}",
               "Akaryakıt (34 ABC 123)", "Noter masrafı", "Yol & yemek", "Telefon faturası",
               "Temizlik malzemesi \"ofis\"", "Ödeme - {f}", "Damga pulu"]
    people = ["Ahmet Yılmaz", "Ayşe Öztürk", "Mehmet Çelik", "Fatma Şahin", "Hüseyin Güneş",
              "Zeynep Doğan", "İbrahim Koç", "Gülşen Ağaoğlu"]
    fno = rng.randint(1, 50)
    for i, d in enumerate(ds):
        if i == 0:
            k, side, text = amount(rng, 2000, 20000), "in", "Kasa açılış bakiyesi"
        else:
            side = "in" if bal < 500_00 or rng.random() < 0.35 else "out"
            k = amount(rng, 100, 30000) if side == "in" else amount(rng, 5, 4000)
            if side == "out":
                k = min(k, bal)
            text = rng.choice(inflow if side == "in" else outflow).format(
                f=rng.choice(FIRMS)[:18].rstrip(" .&"), z=rng.randint(100, 999),
                b=rng.choice(BANKS), m=MONTHS[d.month - 1], p=rng.choice(people))
        if i and rng.random() < 0.04:
            text = ""
        bal += k if side == "in" else -k
        recs.append({"no": f"{fno:06d}",
                     "date": d, "in": k if side == "in" else None,
                     "out": k if side == "out" else None, "text": text, "bal": bal})
        fno += 1
    recs[rng.randrange(3, n)].update({"in": None, "out": 1, "text": "Yuvarlama"})
    running(recs, "in", "out", key="bal")
    amt = money()
    date_fmt = P.pick("dd/mm/yy", ["dd/mm/yy", "dd.mm.yy", "dd/mm/yyyy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt)) + 2
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("no", ("Fiş", "No"), 8, "code"),
            Col("date", ("", "Tarih"), dw, "date", fmt=date_fmt),
            Col("text", ("", "Açıklama"), P.pick(32, [28, 32, 36]), "text"),
            Col("in", ("", "Giriş"), aw, "amount", "R", amt, "sum"),
            Col("out", ("", "Çıkış"), aw, "amount", "R", amt, "sum"),
            Col("bal", ("", "Bakiye"), aw + 1, "amount", "R", amt, "last")]
    if P.chance(False, 0.4):
        cols[0], cols[1] = cols[1], cols[0]
    if P.chance(False, 0.3):
        for c in cols:
            if c.head[0] == "" and c.key != "no":
                c.head = (c.head[1], "")
    heading_case(P, cols)
    frame = Frame(cols)
    doc = Doc("kasa-defteri-cerceveli")
    doc.table_columns(frame, {"bal": {"plus": [cols_h(cols, "in")], "minus": [cols_h(cols, "out")],
                                      "opening": "0.00"}})
    W = frame.width
    period = f"{MONTHS[ds[0].month - 1]} - {MONTHS[ds[-1].month - 1]} {year}"
    if ds[0].month == ds[-1].month:
        period = f"{MONTHS[ds[0].month - 1]} {year}"
    title_under = P.chance(False, 0.3)

    def header(p, np_, g):
        lines = [(spread(W, "", firm), "header"),
                 (spread(W, f"KASA DEFTERİ ({period})", "", f"Sayfa : {p}"), "header")]
        if title_under:
            lines.append((spread(W, "", "=" * 40), "header"))
        lines += [("", "blank"), (frame.top(), "frame")]
        lines += [(h, "heading") for h in frame.headings()]
        lines.append((frame.inner(), "frame"))
        return lines

    tcol = frame.col("text")
    labels = {"devir": (P.pick("DEVİR", ["DEVİR", "Önceki sayfadan devir"]), "DEVİR"),
              "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"),
              "nakli": P.pick(("NAKLİ YEKÜN", "NAKLİ YEKÜN"),
                              [("NAKLİ YEKÜN", "NAKLİ YEKÜN"), ("Sonraki sayfaya devir", "DEVİR")]),
              "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}
    keys = ["in", "out", "bal"]
    led = Ledger(doc, frame, P.num(32, 28, 50), P.chance(True, 0.7), False, header,
                 lambda p, n_: [], labels, {"devir": keys, "page": keys, "nakli": keys,
                                            "grand": keys},
                 ((tcol.start + 1, tcol.end - 1), "L"), framed_close=True, blank_before_footer=0)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    doc.notes.append("The frame's top line carries a tee (0xD1) over each column line; the inner "
                     "rule under the headings and above the totals starts with 0xC7 (╟).")
    return doc, ("A cash book drawn in a box frame on every page, two-line headings inside the "
                 "frame, dates dd/mm/yy, page totals, carried sums and a grand total.")
