"""Families of accounts: a sub-ledger of several accounts with their openings, a trial balance
of account levels, a foreign-currency statement with month-end revaluation, aged
receivables."""

import datetime as dt

from ...draw import amount, dates, movements
from ..model import Content, Field, Level
from ..words import PARTIES, REGIONS, slip

MONEY = dict(kind="amount", summed=True)


def ledger(d, rng, year):
    """Postings of one to four accounts, each from its opening balance (DEVİR), the balance
    running with its B/A side."""
    count = d.num("accounts", 1, 4)
    side = rng.choice(["C", "S"])
    main = "120" if side == "C" else "320"
    fields = [Field("date", "Tarih", "date"), Field("slip", "Fiş No", "code", short="Fiş")]
    if d.chance("voucher-type", 0.3):
        fields.append(Field("type", "Fiş Türü", "text", short="Tür"))
    fields += [Field("text", "Açıklama", "text"),
               Field("debit", "Borç", **MONEY), Field("credit", "Alacak", **MONEY),
               Field("bal", "Bakiye", "amount", signed=True, marks=True)]
    records, openings = [], {}
    codes = sorted(f"{main}.01.{n:03d}" for n in rng.sample(range(1, 999), count))
    for code, name in zip(codes, rng.sample(PARTIES, count)):
        start = rng.choice([0, 0, amount(rng, 100, 90_000)]) * (1 if side == "C" else -1)
        key = (code, name)
        if start:
            extra = amount(rng, 100, 400_000)
            openings[key] = {"bal": start, "debit": max(start, 0) + extra,
                             "credit": max(-start, 0) + extra}
        bal = start
        for m in movements(rng, rng.randint(2, 18), year, side, big=False):
            bal += (m["debit"] or 0) - (m["credit"] or 0)
            records.append({"code": code, "name": name, "date": m["date"],
                            "slip": slip(rng), "text": m["text"] or None,
                            "type": rng.choice(["MAHSUP", "TAHSİL", "TEDİYE"]),
                            "debit": m["debit"], "credit": m["credit"], "bal": bal})
    return Content(
        "ledger", "MUAVİN DEFTERİ" if d.chance("title", 0.5) else "CARİ HESAP EKSTRESİ",
        fields, records,
        levels=[Level([("Hesap Kodu", "code"), ("Hesap Adı", "name")], "HESAP TOPLAMI",
                      bare=True, required=True)],
        running={"bal": {"plus": ["debit"], "minus": ["credit"], "opening": "group"}},
        openings=openings, wrap_key="text")


MAIN_ACCOUNTS = {"100": "KASA", "102": "BANKALAR", "120": "ALICILAR",
                 "136": "DİĞER ÇEŞİTLİ ALACAKLAR", "153": "TİCARİ MALLAR",
                 "191": "İNDİRİLECEK KDV", "320": "SATICILAR", "335": "PERSONELE BORÇLAR",
                 "360": "ÖDENECEK VERGİ VE FONLAR", "391": "HESAPLANAN KDV",
                 "600": "YURT İÇİ SATIŞLAR", "610": "SATIŞTAN İADELER",
                 "770": "GENEL YÖNETİM GİDERLERİ"}


def trial_balance(d, rng, year):
    """Accounts of two or three levels whose parents hold the sums of their sub-accounts; the
    balance the net of its row with its side."""
    mains = sorted(rng.sample(list(MAIN_ACCOUNTS), d.num("mains", 2, 6)))
    depth = d.pick("depth", [2, 3])
    records = []

    def leaf(code, name):
        debit = amount(rng, 50, 900_000)
        credit = rng.choice([0, debit, int(debit * rng.uniform(0.1, 1.3))])
        records.append({"code": code, "name": name, "debit": debit, "credit": credit or None})

    for main in mains:
        at = len(records)
        records.append({"code": main, "name": MAIN_ACCOUNTS[main]})
        for sub in sorted(rng.sample(range(1, 20), rng.randint(1, 3))):
            code = f"{main}.{sub:02d}"
            if depth == 3 and rng.random() < 0.6:
                records.append({"code": code, "name": f"{MAIN_ACCOUNTS[main]} {sub:02d}"})
                kids = len(records)
                for low in sorted(rng.sample(range(1, 999), rng.randint(1, 3))):
                    leaf(f"{code}.{low:03d}", rng.choice(PARTIES))
                sum_into(records[kids - 1], records[kids:])
            else:
                leaf(code, rng.choice(PARTIES))
        sum_into(records[at], [r for r in records[at + 1:] if r["code"].count(".") == 1])
    for r in records:
        r["bal"] = (r["debit"] or 0) - (r["credit"] or 0)
    fields = [Field("code", "Hesap Kodu", "code", short="Kod"),
              Field("name", "Hesap Adı", "text"),
              Field("debit", "Borç", **MONEY), Field("credit", "Alacak", **MONEY),
              Field("bal", "Bakiye", "amount", signed=True, marks=True)]
    return Content("trial-balance", "MİZAN", fields, records, hierarchy="code",
                   relations={"bal": {"plus": ["debit"], "minus": ["credit"]}})


JOURNAL_TEXTS = ["Satış faturası {n}", "Alış faturası {n}", "Tahsilat makbuzu {n}",
                 "Ödeme, dekont {n}", "Maaş tahakkuku", "KDV mahsubu", "Kira tahakkuku",
                 "Banka masrafı", "Kur farkı", "Virman"]


def journal(d, rng, year):
    """A journal: each voucher under its block line (its number, date and slip number), the
    debits of its postings equal to its credits."""
    accounts = [(f"{main}.{sub:02d}", f"{name} {sub:02d}") for main, name in
                MAIN_ACCOUNTS.items() for sub in (1, 2)]
    records, number = [], rng.randint(1, 400)
    for day in dates(rng, d.num("vouchers", 2, 8), year):
        number += rng.randint(1, 3)
        count = rng.randint(2, 6)
        debits = rng.randint(1, count - 1)
        total = amount(rng, 100, 500_000)
        sides = split(rng, total, debits) + split(rng, total, count - debits)
        text = rng.choice(JOURNAL_TEXTS).format(n=rng.randint(1000, 99999))
        slip_no = slip(rng, 5)
        for i, k in enumerate(sides):
            code, name = rng.choice(accounts)
            records.append({"no": str(number), "day": day, "slip": slip_no, "code": code,
                            "name": name, "text": text, "debit": k if i < debits else None,
                            "credit": None if i < debits else k})
    fields = [Field("code", "Hesap Kodu", "code", short="Hesap"),
              Field("name", "Hesap Adı", "text"), Field("text", "Açıklama", "text"),
              Field("debit", "Borç", **MONEY), Field("credit", "Alacak", **MONEY)]
    return Content("journal", "YEVMİYE DEFTERİ", fields, records,
                   levels=[Level([("Yevmiye No", "no"), ("Tarih", "day"), ("Fiş No", "slip")],
                                 "FİŞ TOPLAMI", required=True)],
                   balanced=("no", "debit", "credit"), wrap_key="text")


def split(rng, total, parts) -> list:
    """total kuruş in parts, none of them zero."""
    cuts = sorted(rng.sample(range(1, total), parts - 1)) if total > parts else []
    return [b - a for a, b in zip([0] + cuts, cuts + [total])] if cuts or parts == 1 else \
        [total - parts + 1] + [1] * (parts - 1)


def sum_into(parent, kids):
    for key in ("debit", "credit"):
        parent[key] = sum(k[key] or 0 for k in kids) or None


def fx_statement(d, rng, year):
    """An account kept in a foreign currency: each posting in the currency at the day's rate
    and in liras, both balances running, and a revaluation at each month's end that brings
    the lira balance to the month-end rate."""
    currencies = sorted(rng.sample([("EUR", 1.15), ("GBP", 1.35), ("USD", 1.0)],
                                   d.num("currencies", 1, 2)))
    records, openings = [], {}
    for cur, cross in currencies:
        rate0 = int(usd_rate(year) * cross * 10_000)
        fx_bal = amount(rng, 1_000, 80_000)
        tl_bal = fx_bal * rate0 // 10_000
        openings[(cur,)] = {"fx_bal": fx_bal, "tl_bal": tl_bal}
        months = sorted(rng.sample(range(1, 13), rng.randint(1, 3)))
        for month in months:
            for day in dates(rng, rng.randint(1, 6), year, month, month):
                rate = int(rate0 * rng.uniform(0.97, 1.05))
                fx = amount(rng, 100, 40_000)
                if rng.random() < 0.5 or fx > fx_bal:
                    fx_d, fx_c = fx, None
                else:
                    fx_d, fx_c = None, fx
                tl = fx * rate // 10_000
                fx_bal += (fx_d or 0) - (fx_c or 0)
                tl_bal += (tl if fx_d else 0) - (tl if fx_c else 0)
                records.append({"cur": cur, "date": day, "fx_d": fx_d, "fx_c": fx_c,
                                "rate": rate, "tl_d": tl if fx_d else None,
                                "tl_c": tl if fx_c else None, "fx_bal": fx_bal,
                                "tl_bal": tl_bal, "text": rng.choice(
                                    ["Döviz alışı", "Mal bedeli ödemesi", "İhracat bedeli",
                                     "Havale", "Akreditif ödemesi", "Navlun"])})
            end = dt.date(year + month // 12, month % 12 + 1, 1) - dt.timedelta(days=1)
            rate = int(rate0 * rng.uniform(0.97, 1.05))
            diff = fx_bal * rate // 10_000 - tl_bal
            if diff:
                tl_bal += diff
                records.append({"cur": cur, "date": end, "rate": rate,
                                "tl_d": diff if diff > 0 else None,
                                "tl_c": -diff if diff < 0 else None, "fx_bal": fx_bal,
                                "tl_bal": tl_bal, "text": "Kur farkı değerlemesi"})
    fields = [Field("date", "Tarih", "date"), Field("text", "Açıklama", "text"),
              Field("fx_d", "Döviz Borç", **MONEY, short="D.Borç"),
              Field("fx_c", "Döviz Alacak", **MONEY, short="D.Alacak"),
              Field("fx_bal", "Döviz Bakiye", "amount", signed=True, short="D.Bakiye"),
              Field("rate", "Kur", "amount", decimals=4),
              Field("tl_d", "TL Borç", **MONEY), Field("tl_c", "TL Alacak", **MONEY),
              Field("tl_bal", "TL Bakiye", "amount", signed=True, marks=True)]
    return Content(
        "fx-statement", "DÖVİZLİ HESAP EKSTRESİ", fields, records,
        levels=[Level([("Döviz Cinsi", "cur")], "DÖVİZ TOPLAMI", required=True)],
        products={"tl_d": ["fx_d", "rate"], "tl_c": ["fx_c", "rate"]},
        running={"fx_bal": {"plus": ["fx_d"], "minus": ["fx_c"], "opening": "group"},
                 "tl_bal": {"plus": ["tl_d"], "minus": ["tl_c"], "opening": "group"}},
        openings=openings, local=("fx_d", "fx_c") if len(currencies) > 1 else (),
        grand=("TL GENEL TOPLAM",) if len(currencies) > 1 else ("GENEL TOPLAM", "TOPLAM"))


def usd_rate(year) -> float:
    """About what a dollar cost in liras in a year."""
    known = {2005: 1.34, 2010: 1.50, 2015: 2.72, 2018: 4.8, 2020: 7.0, 2021: 8.9, 2022: 16.5,
             2023: 23.7, 2024: 32.5}
    return known[max(y for y in known if y <= year)] if year >= 2005 else 1.3


def aging(d, rng, year):
    """Each customer's balance parted by how long it is overdue; the balance the sum of its
    parts."""
    names = ["0-30 Gün", "31-60 Gün", "61-90 Gün", "91-120 Gün", "121-180 Gün", "180+ Gün"]
    buckets = names[:d.num("buckets", 3, 6)]
    if d.chance("not-due", 0.4):
        buckets = ["Vadesi Gelmemiş"] + buckets
    keys = [f"b{i}" for i in range(len(buckets))]
    regions = rng.sample(REGIONS, d.num("regions", 1, 3))
    records = []
    for region in regions:
        count = rng.randint(2, 9)
        codes = sorted(f"120.{r // 1000 + 1:02d}.{r % 1000:03d}"
                       for r in rng.sample(range(1, 8999), count))
        for code, name in zip(codes, rng.sample(PARTIES, count)):
            rec = {"region": region, "code": code, "name": name}
            for k in keys:
                rec[k] = amount(rng, 50, 120_000) if rng.random() < 0.55 else None
            if not any(rec[k] for k in keys):
                rec[rng.choice(keys)] = amount(rng, 50, 120_000)
            rec["total"] = sum(rec[k] or 0 for k in keys)
            records.append(rec)
    fields = [Field("code", "Cari Kodu", "code", short="Kod"), Field("name", "Ünvanı", "text")]
    total = Field("total", "Toplam Bakiye", **MONEY, short="Toplam")
    parts = [Field(k, b, **MONEY) for k, b in zip(keys, buckets)]
    fields += [total] + parts if d.chance("total-first", 0.5) else parts + [total]
    return Content("aging", "YAŞLANDIRMA RAPORU", fields, records,
                   levels=[Level([("BÖLGE", "region")], "BÖLGE TOPLAMI", bare=True)],
                   relations={"total": {"plus": keys, "minus": []}})
