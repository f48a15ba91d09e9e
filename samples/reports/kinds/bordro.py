"""A monthly payroll (ücret bordrosu) printed condensed: lines of 200-240 characters with more
than twenty columns (row number, name, 11-digit identity number, days, earnings, insurance and
unemployment shares, income-tax base, income and stamp tax, minimum living allowance,
deductions, net pay, the employer's shares), two- and three-line headings, page totals, the
sums carried over and the grand total, a signature block under it. SI (condensed) is sent at
the start and DC2 at the end."""

from ..doc import Doc
from ..draw import Picker, firm_pool, person, tc_identity
from ..layout import Col, Table, spread
from ..pager import Pager
from ..values import MONTHS, money, render_amount, tr_upper

# Payroll figures of the years the kind draws from: the monthly minimum wage (gross, kuruş),
# the first income-tax bracket's upper end, the allowances by family status.
YEARS = {2010: (72900, 880000, [6561, 7873, 8857, 9842]),
         2011: (79650, 950000, [7166, 8599, 9674, 10749]),
         2012: (94050, 1070000, [7054, 8465, 9523, 10581]),
         2013: (102150, 1100000, [7661, 9193, 10343, 11492]),
         2014: (107100, 1100000, [8033, 9639, 10844, 12049])}


def income_tax(cumulative_before, base, bracket):
    """15 % up to the bracket's end, 20 % above it, on this month's slice."""
    def tax(x):
        return (min(x, bracket) * 15 + max(0, x - bracket) * 20 + 50) // 100
    return tax(cumulative_before + base) - tax(cumulative_before)


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2012, 2010, 2014)
    month = P.num(3, 1, 12)
    minimum, bracket, allowances = YEARS[year]
    firm = firm_pool(rng, 1)[0]
    n = P.num(52, 6, 70)
    staff = []
    for i in range(n):
        monthly = max(minimum, minimum + int(rng.expovariate(1 / 90000)) // 100 * 100)
        days = 30 if rng.random() < 0.85 else rng.randint(5, 29)
        gross = monthly * days // 30
        over = rng.choice([0, 0, 0, rng.randint(2, 40) * (monthly // 225) * 3 // 2])
        other = rng.choice([0, 0, 15000, 22500, 30000])
        earn = gross + over + other
        sgk = (earn * 14 + 50) // 100
        unemp = (earn + 50) // 100
        base = earn - sgk - unemp
        before = base * (month - 1) + rng.randint(-20000, 20000) * (month > 1)
        gv = income_tax(max(0, before), base, bracket)
        stamp = (earn * 759 + 50000) // 100000
        agi = min(rng.choice(allowances), gv)
        advance = rng.choice([0, 0, 0, 0, 10000, 25000, 50000])
        cut = sgk + unemp + gv + stamp + advance
        employer_sgk = (earn * 155 + 500) // 1000
        employer_unemp = (earn * 2 + 50) // 100
        staff.append({"name": person(rng), "tc": tc_identity(rng), "days": days * 100,
                      "gross": gross, "over": over or None, "other": other or None,
                      "earn": earn, "sgkbase": earn, "sgk": sgk, "unemp": unemp, "base": base,
                      "cumbase": max(0, before) + base, "gv": gv, "stamp": stamp, "agi": agi,
                      "advance": advance or None, "cut": cut, "net": earn - cut + agi,
                      "esgk": employer_sgk, "eunemp": employer_unemp,
                      "cost": earn + employer_sgk + employer_unemp})
    staff.sort(key=lambda s: s["name"].split()[-1] + s["name"])
    for i, s in enumerate(staff, start=1):
        s["no"] = str(i)
    amt = money(",", ".")
    aw = P.pick(10, [9, 10, 10])
    if aw == 9:
        amt = money(",", "")
    three = P.chance(False, 0.4)
    heads = {"gross": ("Brüt", "Ücret"), "over": ("Fazla", "Mesai"), "other": ("Diğer", "Ödeme"),
             "earn": ("Toplam", "Kazanç"), "sgkbase": ("SGK", "Matrahı"),
             "sgk": ("SGK", "İşçi", "Payı %14") if three else ("SGK İşçi", "Payı %14"),
             "unemp": ("İşsizlik", "İşçi", "Payı %1") if three else ("İşsizlik", "İşçi %1"),
             "base": ("Gelir V.", "Matrahı"), "cumbase": ("Küm.G.V.", "Matrahı"),
             "gv": ("Gelir", "Vergisi"), "stamp": ("Damga", "Vergisi"),
             "agi": ("Asgari", "Geçim", "İndirimi") if three else ("Asg.Geçim", "İndirimi"),
             "advance": ("", "Avans"), "cut": ("Kesinti", "Toplamı"),
             "net": ("Net", "Ödenen"), "esgk": ("SGK İşv.", "Payı %15,5"),
             "eunemp": ("İşsizlik", "İşv. %2"), "cost": ("İşveren", "Maliyeti")}
    optional = ["cumbase", "other", "cost", "over", "advance"]
    dropped = rng.choice(optional + [None]) if variant else None
    keys = [k for k in heads if k != dropped]
    upper = P.chance(False, 0.3)
    case = tr_upper if upper else (lambda s: s)
    days = money(",", ".", decimals=0)
    # a column as wide as its grand total needs; optional columns left out while the line is
    # wider than 240 characters
    width = {k: max(aw, len(render_amount(sum(s[k] or 0 for s in staff), amt))) for k in keys}
    while 4 + 20 + 11 + 5 + sum(width[k] + 1 for k in keys) + 3 > 240:
        keys.remove(next(k for k in optional if k in keys))
    cols = [Col("no", case("Sıra"), 4, "code", "R"),
            Col("name", (case("Adı"), case("Soyadı")) if three else case("Adı Soyadı"), 19,
                "text"),
            Col("tc", (case("T.C. Kimlik"), case("Numarası")) if three else case("TC Kimlik No"),
                11, "code"),
            Col("days", case("Gün"), len(render_amount(n * 3000, days)), "amount", "R", days,
                "sum")]
    cols += [Col(k, tuple(case(h) for h in heads[k]), width[k], "amount", "R", amt, "sum")
             for k in keys]
    table = Table(cols)
    W = table.width
    assert 200 <= W <= 240 or variant, W
    doc = Doc("bordro", version=2)
    doc.table_columns(table)
    period = f"{tr_upper(MONTHS[month - 1])} {year}"
    sicil = (f"{rng.randint(2, 4)} {rng.randint(1000, 9999)} {rng.randint(1, 9):02d} "
             f"{rng.randint(1, 9):02d} {rng.randint(1000000, 9999999)} 034 "
             f"{rng.randint(10, 99)} {rng.randint(10, 99)} 000")
    si_each_page = P.chance(False, 0.5)
    start = "\x1b@\x0f"

    def header(p):
        first = spread(W, firm, "", f"Sayfa : {p}")
        lead = start if p == 1 else ("\x0f" if si_each_page else "")
        return ([(lead + first, "header"),
                 (spread(W, "", "ÜCRET BORDROSU", f"Dönemi : {period}"), "header"),
                 (f"SGK İşyeri Sicil No : {sicil}", "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    sums = [c.key for c in cols if c.total == "sum"]
    state = {"page": [], "all": []}
    label_at = table.col("name").start

    def total(label, keyword, covers, scope, recs):
        values = {k: sum(r.get(k) or 0 for r in recs) for k in sums}
        return (table.values(values, [(label_at, label)]), "total",
                lambda n: doc.total(n, label, keyword, covers, scope, pager.page, values))

    def closing(p):
        return [(table.underline(set(sums)), "rule"),
                total("SAYFA TOPLAMI", "SAYFA TOPLAMI", "page", {"page": p}, state["page"]),
                total("NAKLİ YEKÜN", "NAKLİ YEKÜN", "carried", {"through_page": p},
                      state["all"])]

    def opening(p):
        state["page"] = []
        return [total("ÖNCEKİ SAYFADAN", "DEVİR", "carried", {"through_page": p - 1},
                      state["all"])]

    pager = Pager(doc, P.num(40, 30, 66), header, ff=True, closing=closing, opening=opening,
                  reserve=3)
    for s in staff:
        def wrote(n, s=s):
            state["page"].append(s)
            state["all"].append(s)
            doc.record([n], pager.page, s)
        pager.block([(table.values(s), "record", wrote)])
    ends = [(table.underline(set(sums)), "rule")]
    if pager.page > 1:
        ends.append(total("SAYFA TOPLAMI", "SAYFA TOPLAMI", "page", {"page": pager.page},
                          state["page"]))
    ends += [total(P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "TOPLAM", "BORDRO TOPLAMI"]),
                   "GENEL TOPLAM", "all", {}, state["all"]),
             ("", "blank"), ("", "blank"),
             (spread(W, "        Düzenleyen", "Kontrol Eden", "İşveren / Vekili        "),
              "footer"),
             (spread(W, "        (İmza)", "(İmza)", "(Kaşe - İmza)           ") + "\x12",
              "footer")]
    pager.finish(ends)
    doc.fields += [{"label": "Dönemi", "value": period},
                   {"label": "SGK İşyeri Sicil No", "value": sicil}]
    doc.notes.append("The lines are printed condensed: ESC @ and SI open the report, DC2 closes "
                     "it; they take no room on paper. Days are whole numbers; the identity "
                     "number is a code. Each figure follows from the gross pay by the year's "
                     "rates; every column is summed on the page and grand totals.")
    return doc, ("A wide payroll printed condensed: more than twenty columns on lines of up to "
                 "240 characters, page totals, carried sums and a grand total."), (
        "Every employee line is a record; page totals, carried sums and the grand total are "
        "totals; the signature block under the grand total is the last page's footer.")
