"""Families of sheets: a cost-centre budget whose codes make a hierarchy, a month's attendance
sheet of one-character day marks, a summary by month."""

import calendar
import datetime as dt

from ...draw import amount, person
from ..model import Content, Field, Level
from ..words import BUDGET_TREE, DEPARTMENTS

MONEY = dict(kind="amount", summed=True)


def budget(d, rng, year):
    """Cost centres 7 / 7.1 / 7.1.01: budget, actual, the difference and the share realised;
    a parent's figures the sums of its children's, its share the ratio of its own."""
    decimals = d.pick("share-decimals", [1, 2])
    depth = d.pick("depth", [2, 3])
    records = []

    def leaf(code, name):
        planned = amount(rng, 1_000, 500_000) // 10_000 * 10_000 + 10_000
        records.append({"code": code, "name": name, "budget": planned,
                        "actual": int(planned * rng.uniform(0.55, 1.3))})

    def sum_into(rec, kids):
        for k in ("budget", "actual"):
            rec[k] = sum(kid[k] for kid in kids)

    tops = rng.sample(range(len(BUDGET_TREE)), d.num("centres", 1, 3))
    for n, top in enumerate(sorted(tops), start=7):
        name, subs, lows = BUDGET_TREE[top]
        at = len(records)
        records.append({"code": str(n), "name": name})
        for s, sub in enumerate(rng.sample(subs, rng.randint(1, len(subs))), start=1):
            code = f"{n}.{s}"
            if depth == 3 and rng.random() < 0.6:
                parent = len(records)
                records.append({"code": code, "name": sub})
                for low_n, low in enumerate(rng.sample(lows, rng.randint(2, 4)), start=1):
                    leaf(f"{code}.{low_n:02d}", low)
                sum_into(records[parent], records[parent + 1:])
            else:
                leaf(code, sub)
        sum_into(records[at], [r for r in records[at + 1:] if r["code"].count(".") == 1])
    scale = 10 ** decimals
    for r in records:
        r["diff"] = r["budget"] - r["actual"]
        r["share"] = (r["actual"] * 100 * scale * 2 + r["budget"]) // (2 * r["budget"])
    fields = [Field("code", "Masraf Yeri", "code", short="M.Yeri"),
              Field("name", "Açıklama", "text"),
              Field("budget", "Bütçe", **MONEY), Field("actual", "Gerçekleşen", **MONEY),
              Field("diff", "Fark", **MONEY, signed=True),
              Field("share", "Gerçekleşme Oranı", "amount", decimals=decimals, short="Oran %")]
    return Content("budget", "MASRAF YERİ BÜTÇE GERÇEKLEŞME RAPORU", fields, records,
                   hierarchy="code",
                   relations={"diff": {"plus": ["budget"], "minus": ["actual"]}},
                   ratios={"share": {"of": "actual", "to": "budget", "scale": 100}})


MARKS = {"X": "worked", "H": "weekend", "İ": "leave", "R": "sick", "Ü": "unpaid"}


def attendance(d, rng, year):
    """A month's attendance sheet printed condensed: a mark a day for each employee, the days
    counted by kind, their total, the premium days and the hours of overtime."""
    month = rng.randint(1, 12)
    days = calendar.monthrange(year, month)[1]
    six_day = d.chance("six-day-week", 0.5)
    records = []
    for dept in sorted(rng.sample(DEPARTMENTS, d.num("departments", 1, 3))):
        for _ in range(rng.randint(3, 20)):
            rec = {"dept": dept, "no": f"{rng.randint(1, 9999):05d}", "name": person(rng)}
            for day in range(1, days + 1):
                weekday = dt.date(year, month, day).weekday()
                if weekday == 6 or (weekday == 5 and not six_day):
                    mark = "H"
                else:
                    mark = rng.choices(["X", "İ", "R", "Ü"], [90, 5, 3, 2])[0]
                rec[f"d{day}"] = mark
            for mark, key in MARKS.items():
                rec[key] = sum(rec[f"d{day}"] == mark for day in range(1, days + 1)) or None
            rec["total"] = days
            rec["premium"] = (rec["worked"] or 0) + (rec["weekend"] or 0) + (rec["leave"] or 0)
            for key in ("overtime", "night"):
                rec[key] = rng.choice([None, rng.randint(1, 600)])
            records.append(rec)
    fields = [Field("no", "Sicil No", "code", short="Sicil"),
              Field("name", "Adı Soyadı", "text")]
    fields += [Field(f"d{day}", str(day), "text", day=True) for day in range(1, days + 1)]
    fields += [Field("worked", "Çalışılan Gün", **MONEY, decimals=0, short="Çal."),
               Field("weekend", "Hafta Tatili", **MONEY, decimals=0, short="H.T."),
               Field("leave", "Yıllık İzin", **MONEY, decimals=0, short="İzin"),
               Field("sick", "Rapor", **MONEY, decimals=0, short="Rap."),
               Field("unpaid", "Ücretsiz İzin", **MONEY, decimals=0, short="Ücr."),
               Field("total", "Toplam Gün", **MONEY, decimals=0, short="Top."),
               Field("premium", "Prim Günü", **MONEY, decimals=0, short="Prim"),
               Field("overtime", "Fazla Mesai", **MONEY, decimals=1, short="F.M."),
               Field("night", "Gece Mesaisi", **MONEY, decimals=1, short="G.M.")]
    return Content(
        "attendance", "PUANTAJ CETVELİ", fields, records,
        levels=[Level([("BÖLÜM", "dept")], "BÖLÜM TOPLAMI", bare=True)],
        relations={"total": {"plus": list(MARKS.values()), "minus": []},
                   "premium": {"plus": ["worked", "weekend", "leave"], "minus": []}},
        header=[("Dönem", dt.date(year, month, 1))])


THEMES = {
    "vat": ([("Matrah", "a"), ("KDV", "b"), ("Toplam", "c")], {"plus": ["a", "b"], "minus": []}),
    "sales": ([("Satışlar", "a"), ("İadeler", "b"), ("Net Satış", "c")],
              {"plus": ["a"], "minus": ["b"]}),
    "cash": ([("Tahsilat", "a"), ("Ödeme", "b"), ("Fark", "c")], {"plus": ["a"], "minus": ["b"]}),
}


def monthly(d, rng, year):
    """A summary by month, its first column the month and year ("OCAK 2024"); the last figure
    follows from the other two."""
    theme = d.pick("theme", list(THEMES))
    heads, rule = THEMES[theme]
    first = rng.randint(1, 10)
    counted = d.chance("count-column", 0.4)
    records = []
    for month in range(first, min(12, first + d.num("months", 2, 11)) + 1):
        a = amount(rng, 10_000, 2_000_000)
        b = (a * 20 + 50) // 100 if theme == "vat" else int(a * rng.uniform(0.02, 1.2))
        c = a + b if theme == "vat" else a - b
        records.append({"month": dt.date(year, month, 1), "a": a, "b": b, "c": c,
                        "count": rng.randint(3, 400)})
    fields = [Field("month", "Ay", "date", fixed_form="month")]
    if counted:
        fields.append(Field("count", "Belge Adedi", **MONEY, decimals=0, short="Adet"))
    fields += [Field(k, h, **MONEY, signed=(theme == "cash" and k == "c")) for h, k in heads]
    return Content("monthly", "AYLIK ÖZET", fields, records, relations={"c": rule})
