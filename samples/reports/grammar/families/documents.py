"""Families of documents: an invoice register with month totals, sales by salesman and region,
collection receipts with day totals, a list of cheques by the month they fall due."""

import datetime as dt

from ...draw import amount, dates, tax_number, vat_rates
from ...values import MONTHS, tr_upper
from ..model import Break, Content, Field, Level
from ..words import REGIONS, bank, city, party, short_person, slip

MONEY = dict(kind="amount", summed=True)


def month_of(rec):
    return rec["date"].replace(day=1)


def month_name(first: dt.date) -> str:
    return tr_upper(MONTHS[first.month - 1])


MONTH_BREAK = Break(month_of, lambda m: f"{month_name(m)} AYI TOPLAMI",
                    ("AY TOPLAMI", "AYLIK TOPLAM"))
DAY_BREAK = Break(lambda rec: rec["date"], lambda day: f"{day:%d.%m.%Y} GÜNÜ TOPLAMI",
                  ("GÜN TOPLAMI", "GÜNLÜK TOPLAM"))


def invoices(d, rng, year):
    """Sales invoices in date order: base, VAT at its rate, the invoice's total; month totals
    between the records."""
    first = rng.randint(1, 10)
    days = dates(rng, d.num("invoices", 6, 50), year, first, min(12, first + d.num("months", 0, 3)))
    series = d.pick("number", ["plain", "series"])
    rate_printed = d.pick("rate", ["percent", "number"])
    records, first_number = [], rng.randint(1, 90) * 1000
    for n, day in enumerate(days):
        rate = rng.choice(vat_rates(day)[:2] + (vat_rates(day)[0],))
        base = amount(rng, 100, 250_000)
        vat = (base * rate + 50) // 100
        number = f"{first_number + n:06d}"
        records.append({"date": day, "no": ("A " if series == "series" else "") + number,
                        "name": party(rng), "tax": tax_number(rng),
                        "rate": f"%{rate}" if rate_printed == "percent" else rate,
                        "base": base, "vat": vat, "total": base + vat})
    rate = (Field("rate", "KDV Oranı", "code", short="Oran") if rate_printed == "percent" else
            Field("rate", "KDV Oranı", "amount", decimals=0, short="Oran"))
    fields = [Field("date", "Tarih", "date"), Field("no", "Fatura No", "code", short="Fat.No"),
              Field("name", "Müşteri Ünvanı", "text", short="Müşteri"),
              Field("tax", "Vergi No", "code", short="V.No"),
              Field("base", "KDV Matrahı", **MONEY, short="Matrah"), rate,
              Field("vat", "KDV Tutarı", **MONEY, short="KDV"),
              Field("total", "Fatura Toplamı", **MONEY, short="Toplam")]
    return Content("invoices", "SATIŞ FATURALARI LİSTESİ", fields, records, breaks=MONTH_BREAK,
                   relations={"total": {"plus": ["base", "vat"], "minus": []}},
                   wrap_key="name")


def sales(d, rng, year):
    """Each salesman's invoices under a block line naming him and his region; net = amount
    less discount plus VAT."""
    region_first = d.chance("region-level", 0.4)
    decimals = d.pick("quantity-decimals", [0, 3])
    people = []
    for number in sorted(rng.sample(range(1, 40), d.num("salesmen", 2, 5))):
        people.append((f"{number:02d} - {short_person(rng)}", rng.choice(REGIONS)))
    if region_first:
        people.sort(key=lambda p: (REGIONS.index(p[1]), p[0]))
    records = []
    for who, region in people:
        for day in dates(rng, rng.randint(2, 10), year, 1, 12):
            gross = amount(rng, 200, 180_000)
            discount = (gross * rng.choice([0, 0, 2, 5, 10]) + 50) // 100
            vat = ((gross - discount) * vat_rates(day)[0] + 50) // 100
            qty = rng.randint(1, 900) * (1 if decimals == 0 else 1000) + (
                rng.randint(0, 999) if decimals else 0)
            records.append({"who": who, "region": region, "date": day, "no": slip(rng),
                            "name": party(rng), "qty": qty, "gross": gross,
                            "discount": discount or None, "vat": vat,
                            "net": gross - discount + vat})
    fields = [Field("date", "Tarih", "date"), Field("no", "Fatura No", "code", short="Fat.No"),
              Field("name", "Müşteri", "text"),
              Field("qty", "Miktar", **MONEY, decimals=decimals),
              Field("gross", "Tutar", **MONEY), Field("discount", "İskonto", **MONEY),
              Field("vat", "KDV", **MONEY), Field("net", "Net Tutar", **MONEY, short="Net")]
    if region_first:
        levels = [Level([("BÖLGE", "region")], "BÖLGE TOPLAMI", bare=True),
                  Level([("PLASİYER", "who")], "PLASİYER TOPLAMI", bare=True)]
    else:
        levels = [Level([("PLASİYER", "who"), ("BÖLGE", "region")], "PLASİYER TOPLAMI")]
    return Content("sales", "PLASİYER BAZINDA SATIŞLAR", fields, records, levels=levels,
                   relations={"net": {"plus": ["gross", "vat"], "minus": ["discount"]}},
                   wrap_key="name")


def receipts(d, rng, year):
    """Collection receipts of a few days: cash, cheque and card parts and their total; day
    totals between the records."""
    month = rng.randint(1, 12)
    days = sorted(set(dates(rng, d.num("days", 2, 8), year, month, month)))
    records, number = [], rng.randint(1, 5000)
    for day in days:
        for _ in range(rng.randint(1, 7)):
            number += 1
            parts = {k: (amount(rng, 50, 60_000) if rng.random() < 0.5 else None)
                     for k in ("cash", "cheque", "card")}
            if not any(parts.values()):
                parts[rng.choice(list(parts))] = amount(rng, 50, 60_000)
            records.append({"date": day, "no": f"{number:06d}",
                            "code": f"120.01.{rng.randint(1, 999):03d}", "name": party(rng),
                            **parts, "total": sum(v or 0 for v in parts.values())})
    fields = [Field("no", "Makbuz No", "code", short="Mak.No"), Field("date", "Tarih", "date"),
              Field("code", "Cari Kodu", "code", short="Cari"),
              Field("name", "Ünvanı", "text"),
              Field("cash", "Nakit", **MONEY), Field("cheque", "Çek", **MONEY),
              Field("card", "Kredi Kartı", **MONEY, short="K.Kartı"),
              Field("total", "Toplam", **MONEY)]
    return Content("receipts", "TAHSİLAT MAKBUZLARI LİSTESİ", fields, records,
                   breaks=DAY_BREAK,
                   relations={"total": {"plus": ["cash", "cheque", "card"], "minus": []}},
                   wrap_key="name")


def cheques(d, rng, year):
    """Customers' cheques in the portfolio by the month they fall due, each month under a
    block line "VADE : MART 2024"."""
    first = rng.randint(1, 9)
    records = []
    for due in dates(rng, d.num("cheques", 5, 45), year, first, min(12, first + 3)):
        records.append({"month": due.replace(day=1), "due": due,
                        "no": f"{rng.randint(1000000, 9999999)}", "bank": bank(rng),
                        "branch": city(rng), "drawer": party(rng),
                        "amount": amount(rng, 500, 300_000)})
    fields = [Field("due", "Vade Tarihi", "date", short="Vade Tar."),
              Field("no", "Çek No", "code"), Field("bank", "Banka", "text"),
              Field("branch", "Şube", "text"), Field("drawer", "Keşideci", "text"),
              Field("amount", "Tutar", **MONEY)]
    return Content("cheques", "ÇEK PORTFÖY LİSTESİ (VADE SIRALI)", fields, records,
                   levels=[Level([("VADE", "month")], "AY TOPLAMI", months=True)],
                   wrap_key="drawer")
