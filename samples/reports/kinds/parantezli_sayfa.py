"""Negatives in parentheses, five pages, footers "Sayfa 2/5"."""

import datetime as dt

from ..values import MONTHS, fmt_date, money, tr_upper
from ..layout import Col, Table, cols_h, heading_case, spread
from ..doc import Doc
from ..draw import BANKS, Picker, amount, dates, firm_pool, running, slip_numbers
from ..ledger import Ledger

def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    bank = rng.choice(BANKS)
    npages = P.num(5, 2, 7)
    page_len = P.num(30, 26, 44)
    pad = P.chance(False, 0.4)
    ff = not pad
    head_len = 6
    # Lines for records: the page less its header and its footer (a blank and "Sayfa n/N");
    # each page closes with an underline and two totals, pages 2+ open with the carried sums.
    cap = page_len - head_len - 2
    n = (cap - 3) + (npages - 2) * (cap - 4) + rng.randint(1, cap - 4)
    ds = dates(rng, n, year)
    month_of = lambda d: MONTHS[d.month - 1]
    # counter account -> (sign, texts, lowest, highest amount in liras)
    counter = {
        "320.01.00838": (-1, ["Satıcı ödemesi", "EFT - Aksoy Nakliyat", "Çek ödemesi No {n}"],
                         500, 90000),
        "320.01.01012": (-1, ["Satıcı ödemesi", "Havale, Güneş Kırtasiye", "Çek ödemesi No {n}"],
                         100, 40000),
        "120.01.0045": (1, ["Müşteri tahsilatı", "Havale geldi", "Çek tahsili"], 100, 120000),
        "120.02.0107": (1, ["Müşteri tahsilatı", "EFT geldi - Öztürk Gıda", "Çek tahsili"],
                        50, 60000),
        "770.01.003": (-1, ["Kira \"Merkez\"", "Elektrik & su", "Telefon, internet"], 50, 9000),
        "770.02.011": (-1, ["Komisyon & BSMV", "EFT masrafı", "Hesap işletim ücreti"], 1, 400),
        "360.01": (-1, ["Muhtasar beyanname ödemesi", "KDV ödemesi, {m}", "Damga vergisi"],
                   100, 30000),
        "361.01": (-1, ["SGK prim ödemesi ({m})"], 1000, 25000),
        "335.01.001": (-1, ["Maaş ödemesi ({m})", "Personel avansı", ""], 500, 40000),
        "102.02.001": (1, ["Vadeliden virman & faiz"], 5000, 200000),
        "300.01": (-1, ["Kredi taksiti", "Kredi faizi, BSMV"], 1000, 35000),
        "642.01": (1, ["Faiz geliri, stopaj sonrası"], 1, 900),
    }
    names = list(counter)
    recs = []
    for d in ds:
        acct = rng.choice(names)
        sign, texts, lo, hi = counter[acct]
        k = sign * amount(rng, lo, hi)
        t = rng.choice(texts).format(n=rng.randint(1000, 99999), m=month_of(d))
        recs.append({"date": d, "acct": acct, "text": t, "amt": k})
    recs[rng.randrange(n)].update({"amt": -1, "text": "Kuruş farkı"})
    yev = slip_numbers(rng, n, 5)
    for r, y in zip(recs, yev):
        r["yev"] = y
    running(recs, "amt", "none", key="bal")
    amt = money(negative="parentheses", positive_pad=True)
    aw = P.pick(15, [15, 16])
    cols = [Col("date", "Tarih", 10, "date", fmt="dd.mm.yyyy"),
            Col("yev", ("Yevmiye", "No"), 7, "code"),
            Col("acct", ("Karşı", "Hesap"), 12, "code"),
            Col("text", ("", "Açıklama"), P.pick(26, [24, 26, 30]), "text"),
            Col("amt", ("", "Tutar"), aw, "amount", "R", amt, "sum"),
            Col("bal", ("", "Bakiye"), aw, "amount", "R", amt, "last")]
    if P.chance(False, 0.4):
        cols[2], cols[3] = cols[3], cols[2]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("parantezli-sayfa")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "amt")], "opening": "0.00"}})
    W = table.width
    acct_no = f"102.01.{rng.randint(1, 20):03d}"
    title = P.pick("BANKA HESAP HAREKETLERİ", ["BANKA HESAP HAREKETLERİ", "BANKA DÖKÜMÜ"])

    def header(p, np_, g):
        return [(spread(W, firm, "", f"{fmt_date(dt.date(year + 1, 1, 15), 'dd.mm.yyyy')}"),
                 "header"),
                (spread(W, "", title), "header"),
                (f"Banka Hesabı : {acct_no}  {tr_upper(bank)}", "header")] + \
            [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]

    def footer(p, np_):
        return [(spread(W, "", "", f"Sayfa {p}/{np_}"), "footer")]

    assert len(header(1, 1, None)) == head_len
    tcol = table.col("text")
    labels = {"devir": ("Önceki Sayfadan Devir", "DEVİR"),
              "page": ("Sayfa Toplamı", "SAYFA TOPLAMI"),
              "nakli": ("Nakli Yekün", "NAKLİ YEKÜN"),
              "grand": ("Yekün", "YEKÜN")}
    keys = ["amt", "bal"]
    led = Ledger(doc, table, page_len, ff, pad, header, footer, labels,
                 {"devir": keys, "page": keys, "nakli": keys, "grand": keys},
                 ((tcol.start, tcol.end), "R"), underline=True, blank_before_footer=1)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    assert len(doc.pages) == npages, (len(doc.pages), npages)
    doc.fields.append({"label": "Banka Hesabı", "value": f"{acct_no}  {tr_upper(bank)}"})
    doc.notes.append("Negative amounts in parentheses; a positive amount keeps a blank where "
                     "the closing parenthesis would stand, so the digits line up.")
    return doc, ("A bank account listing over several pages with negatives in parentheses and "
                 "page footers \"Sayfa n/N\".")
