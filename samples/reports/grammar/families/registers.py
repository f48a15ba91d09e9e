"""Families of registers: fixed assets with their depreciation under asset-class lines, a loan's
repayment plan, stock cards with a running quantity, expenses shared out to cost centres."""

import datetime as dt

from ...draw import amount, dates
from ..model import Break, Content, Field, Level
from ..words import ASSET_CLASSES, COST_CENTRES, EXPENSE_ACCOUNTS, STOCK_GROUPS, bank, slip

MONEY = dict(kind="amount", summed=True)
DEPOTS = ["MERKEZ DEPO", "ŞUBE DEPO", "İSKELE DEPO", "FABRİKA AMBARI"]
LIVES = {"252": [25, 50], "253": [5, 8, 10, 15], "254": [4, 5], "255": [3, 4, 5, 10],
         "260": [3, 5, 10], "264": [5, 10]}


def fixed_assets(d, rng, year):
    """Assets by class: cost, rate, depreciation before the year and in it, accumulated
    depreciation (before plus the year's) and the net book value (cost less accumulated)."""
    percent = d.pick("rate", ["number", "percent"]) == "percent"
    records = []
    for code, name, items in sorted(rng.sample(ASSET_CLASSES, d.num("classes", 1, 4))):
        for n, item in enumerate(rng.sample(items, rng.randint(1, len(items))), start=1):
            life = rng.choice(LIVES[code])
            bought = dt.date(year - rng.randint(0, life + 1), rng.randint(1, 12),
                             rng.randint(1, 28))
            cost = amount(rng, 2_000, 3_000_000)
            rate = round(10_000 / life)  # hundredths of a percent: 33,33 % is 3333
            yearly = cost * rate // 10_000
            prior = min(cost, yearly * (year - bought.year))
            current = min(cost - prior, yearly)
            number = f"{code}.{rng.randint(1, 9):02d}.{n:03d}"
            records.append({"cls": f"{code} {name}", "code": number, "name": item, "date": bought,
                            "rate": rate,
                            "cost": cost, "prior": prior or None, "current": current or None,
                            "accum": (prior + current) or None,
                            "net": (cost - prior - current) or None})
    rate = Field("rate", "Amortisman Oranı", "amount", short="Oran", percent=percent)
    fields = [Field("code", "Demirbaş No", "code", short="Dem.No"),
              Field("name", "Demirbaşın Adı", "text", short="Adı"),
              Field("date", "Alış Tarihi", "date", short="Tarih"),
              Field("cost", "Maliyet Bedeli", **MONEY, short="Maliyet"), rate,
              Field("prior", "Önceki Yıllar Amortismanı", **MONEY, short="Önceki Amort."),
              Field("current", "Cari Yıl Amortismanı", **MONEY, short="Cari Amort."),
              Field("accum", "Birikmiş Amortisman", **MONEY, short="Birikmiş"),
              Field("net", "Net Aktif Değer", **MONEY, short="Net Değer")]
    return Content("fixed-assets", "AMORTİSMAN LİSTESİ", fields, records,
                   levels=[Level([("HESAP", "cls")], "GRUP TOPLAMI", bare=True)],
                   relations={"accum": {"plus": ["prior", "current"], "minus": []},
                              "net": {"plus": ["cost"], "minus": ["accum"]}})


def add_months(day: dt.date, months: int) -> dt.date:
    m = day.month - 1 + months
    return day.replace(year=day.year + m // 12, month=m % 12 + 1)


def loan(d, rng, year):
    """A loan's repayment plan in equal instalments: each the principal, the interest and the
    taxes on it; the remaining principal falls by the principal paid, from the loan's amount
    the header prints."""
    count = d.num("instalments", 6, 36)
    loan_amount = amount(rng, 20_000, 2_000_000) // 100_000 * 100_000 + 100_000
    rate = rng.randint(150, 450)  # a month's interest in hundredths of a percent
    taxes = [k for k, p in (("bsmv", 0.7), ("kkdf", 0.4)) if d.chance(k, p)]
    share = {"bsmv": 5, "kkdf": 15}
    eff = rate / 10_000 * (1 + sum(share[k] for k in taxes) / 100)
    instalment = round(loan_amount * eff / (1 - (1 + eff) ** -count))
    start = dt.date(year, rng.randint(1, 12), rng.randint(1, 28))
    records, left = [], loan_amount
    for i in range(1, count + 1):
        interest = (left * rate + 5_000) // 10_000
        tax = {k: (interest * share[k] + 50) // 100 for k in taxes}
        principal = left if i == count else instalment - interest - sum(tax.values())
        left -= principal
        records.append({"no": str(i), "due": add_months(start, i), "principal": principal,
                        "interest": interest, **tax,
                        "inst": principal + interest + sum(tax.values()), "left": left})
    fields = [Field("no", "Taksit No", "code", short="No"),
              Field("due", "Vade Tarihi", "date", short="Vade"),
              Field("inst", "Taksit Tutarı", **MONEY, short="Taksit"),
              Field("principal", "Anapara", **MONEY), Field("interest", "Faiz", **MONEY)]
    fields += [Field(k, k.upper(), **MONEY) for k in taxes]
    fields.append(Field("left", "Kalan Anapara", "amount", short="Kalan"))
    return Content(
        "loan", "KREDİ GERİ ÖDEME PLANI", fields, records,
        breaks=Break(lambda r: r["due"].year, None, ("YIL TOPLAMI", "YILLIK TOPLAM")),
        relations={"inst": {"plus": ["principal", "interest"] + taxes, "minus": []}},
        running={"left": {"plus": [], "minus": ["principal"], "opening": loan_amount}},
        header=[("Banka", bank(rng)), ("Kredi Tutarı", loan_amount),
                ("Aylık Faiz", f"%{rate // 100},{rate % 100:02d}")])


def stock(d, rng, year):
    """Stock cards: each item under its block line (code, name, unit), its quantity running
    from the opening (DEVİR) by what comes in and goes out."""
    decimals = d.pick("quantity-decimals", [0, 3])
    one = 1000 if decimals else 1
    records, openings, taken = [], {}, set()
    depots = sorted(rng.sample(DEPOTS, d.num("depots", 1, 2)))
    groups = [(depot, g) for depot in depots
              for g in sorted(rng.sample(STOCK_GROUPS, d.num("groups", 1, 3)))]
    for depot, (prefix, group, items) in groups:
        picked = rng.sample(items, rng.randint(1, len(items)))
        numbers = rng.sample([n for n in range(1, 9999) if n not in taken], len(picked))
        taken.update(numbers)
        codes = sorted(f"{prefix}.{n:04d}" for n in numbers)
        for code, (name, unit) in zip(codes, picked):
            scale = rng.choice([50, 400, 5_000, 60_000])
            have = rng.choice([0, rng.randint(1, scale * 2)]) * one
            if have:
                openings[(code, name, unit)] = {"left": have}
            for day in dates(rng, rng.randint(1, 10), year):
                q = rng.randint(1, scale) * one + (rng.randint(0, 999) if decimals else 0)
                coming = have < q or rng.random() < 0.45
                have += q if coming else -q
                records.append({"depot": depot, "group": group, "code": code, "name": name,
                                "unit": unit,
                                "date": day, "doc": slip(rng, 5),
                                "text": rng.choice(["Alış faturası", "Satış iadesi",
                                                    "Sayım fazlası", "Üretimden giriş"]
                                                   if coming else
                                                   ["Satış faturası", "Alış iadesi", "Fire",
                                                    "Sarf", "Depolar arası transfer"]),
                                "in": q if coming else None, "out": None if coming else q,
                                "left": have})
    fields = [Field("date", "Tarih", "date"), Field("doc", "Belge No", "code", short="Belge"),
              Field("text", "İşlem", "text"),
              Field("in", "Giriş Miktarı", **MONEY, decimals=decimals, short="Giriş"),
              Field("out", "Çıkış Miktarı", **MONEY, decimals=decimals, short="Çıkış"),
              Field("left", "Kalan Miktar", "amount", decimals=decimals, short="Kalan")]
    return Content(
        "stock", "STOK KARTI HAREKET LİSTESİ", fields, records,
        levels=[Level([("DEPO", "depot")], "DEPO TOPLAMI", bare=True),
                Level([("STOK GRUBU", "group")], "GRUP TOPLAMI", bare=True),
                Level([("Stok Kodu", "code"), ("Stok Adı", "name"), ("Birim", "unit")],
                      "KART TOPLAMI", bare=True, required=True)],
        running={"left": {"plus": ["in"], "minus": ["out"], "opening": "group"}},
        openings=openings, opening_labels=("DEVİR", "DÖNEM BAŞI STOK", "DEVREDEN MİKTAR"))


def allocation(d, rng, year):
    """Expenses of the period shared out to cost centres: each expense the sum of its
    shares."""
    centres = [c for c in COST_CENTRES if c in rng.sample(COST_CENTRES, d.num("centres", 3, 6))]
    keys = [f"c{i}" for i in range(len(centres))]
    records = []
    for main, name, items in sorted(rng.sample(EXPENSE_ACCOUNTS, d.num("mains", 1, 3))):
        for n, item in enumerate(rng.sample(items, rng.randint(2, len(items))), start=1):
            total = amount(rng, 500, 400_000)
            weights = [rng.choice([0, 1, 2, 5, 10]) for _ in keys]
            if not any(weights):
                weights[0] = 1
            shares = [total * w // sum(weights) for w in weights]
            last = max(i for i, w in enumerate(weights) if w)
            shares[last] += total - sum(shares)
            records.append({"main": f"{main} {name}", "code": f"{main}.01.{n:03d}",
                            "name": item, "total": total,
                            **{k: s or None for k, s in zip(keys, shares)}})
    fields = [Field("code", "Hesap Kodu", "code", short="Hesap"),
              Field("name", "Gider Adı", "text", short="Gider"),
              Field("total", "Dağıtılacak Tutar", **MONEY, short="Tutar")]
    fields += [Field(k, c, **MONEY) for k, c in zip(keys, centres)]
    return Content("allocation", "GİDER DAĞITIM TABLOSU", fields, records,
                   levels=[Level([("ANA HESAP", "main")], "ANA HESAP TOPLAMI", bare=True)],
                   relations={"total": {"plus": keys, "minus": []}})
