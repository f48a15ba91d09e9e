"""A detailed trial balance (ayrıntılı mizan) of four levels (100, 100.01, 100.01.001,
100.01.001.0001): every parent account prints the sums of its sub-accounts; group totals per
two-digit account group (10 HAZIR DEĞERLER …) and per class, and GENEL TOPLAM, all over the
first level."""

import datetime as dt

from ..doc import Doc
from ..draw import MORE_FIRMS, Picker, amount, firm_pool
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money

# code, name, nature (B debit, A credit), children: (suffix, name, children)
CHART = [
    ("100", "KASA", "B", [("01", "MERKEZ KASA", [("001", "TL KASASI", []),
                                                  ("002", "DÖVİZ KASASI", [("0001", "USD"),
                                                                           ("0002", "EUR")])]),
                          ("02", "ŞUBE KASASI", [])]),
    ("102", "BANKALAR", "B", [("01", "VADESİZ MEVDUAT",
                               [("001", "T.İŞ BANKASI", [("0001", "TL HESABI"),
                                                         ("0002", "USD HESABI")]),
                                ("002", "GARANTİ BANKASI", [("0001", "TL HESABI")])]),
                              ("02", "VADELİ MEVDUAT", [("001", "ZİRAAT BANKASI", [])])]),
    ("120", "ALICILAR", "B", [("01", "YURTİÇİ ALICILAR", "firms")]),
    ("153", "TİCARİ MALLAR", "B", [("01", "MERKEZ DEPO", [("001", "GIDA", []),
                                                          ("002", "TEMİZLİK", [])]),
                                   ("02", "ŞUBE DEPO", [])]),
    ("191", "İNDİRİLECEK KDV", "B", [("01", "İNDİRİLECEK KDV %18", []),
                                     ("02", "İNDİRİLECEK KDV %8", [])]),
    ("255", "DEMİRBAŞLAR", "B", [("01", "TAŞITLAR", []), ("02", "BÜRO DEMİRBAŞLARI", [])]),
    ("320", "SATICILAR", "A", [("01", "YURTİÇİ SATICILAR", "firms")]),
    ("335", "PERSONELE BORÇLAR", "A", []),
    ("360", "ÖDENECEK VERGİ VE FONLAR", "A", [("01", "GELİR VERGİSİ STOPAJI", []),
                                              ("02", "DAMGA VERGİSİ", [])]),
    ("391", "HESAPLANAN KDV", "A", [("01", "HESAPLANAN KDV %18", []),
                                    ("02", "HESAPLANAN KDV %8", [])]),
    ("500", "SERMAYE", "A", []),
    ("600", "YURTİÇİ SATIŞLAR", "A", [("01", "TOPTAN SATIŞLAR", [("001", "GIDA", []),
                                                                  ("002", "TEMİZLİK", [])]),
                                      ("02", "PERAKENDE SATIŞLAR", [])]),
    ("621", "SATILAN TİCARİ MALLAR MALİYETİ (-)", "B", []),
    ("770", "GENEL YÖNETİM GİDERLERİ", "B", [("01", "PERSONEL GİDERLERİ",
                                              [("001", "BRÜT ÜCRETLER", []),
                                               ("002", "SGK İŞVEREN PAYI", [])]),
                                             ("02", "KİRA GİDERLERİ", []),
                                             ("03", "ELEKTRİK SU ISINMA", [])]),
]
GROUPS = {"10": "HAZIR DEĞERLER", "12": "TİCARİ ALACAKLAR", "15": "STOKLAR",
          "19": "DİĞER DÖNEN VARLIKLAR", "25": "MADDİ DURAN VARLIKLAR",
          "32": "TİCARİ BORÇLAR", "33": "DİĞER BORÇLAR", "36": "ÖDENECEK VERGİ VE YÜKÜMLÜLÜKLER",
          "39": "DİĞER KISA VADELİ YABANCI KAYNAKLAR", "50": "ÖDENMİŞ SERMAYE",
          "60": "BRÜT SATIŞLAR", "62": "SATIŞLARIN MALİYETİ", "77": "GENEL YÖNETİM GİDERLERİ"}
CLASSES = {"1": "DÖNEN VARLIKLAR", "2": "DURAN VARLIKLAR", "3": "KISA VADELİ YABANCI KAYNAKLAR",
           "5": "ÖZKAYNAKLAR", "6": "GELİR TABLOSU HESAPLARI", "7": "MALİYET HESAPLARI"}


def accounts(rng, variant):
    """(code, name, level, parent code, nature) in print order."""
    out = []

    def walk(code, name, level, parent, nature, kids):
        out.append((code, name, level, parent, nature))
        if kids == "firms":
            kids = [(f"{n:03d}", f, []) for n, f in
                    zip(sorted(rng.sample(range(1, 999), rng.randint(2, 6))),
                        rng.sample(MORE_FIRMS, 6))]
        for kid in kids:
            suffix, kname = kid[0], kid[1]
            grand = kid[2] if len(kid) > 2 else []
            walk(f"{code}.{suffix}", kname, level + 1, code, nature, grand)

    for code, name, nature, kids in CHART:
        if variant and code not in ("100", "102", "120", "320", "600") and rng.random() < 0.3:
            continue
        walk(code, name, 1, None, nature, kids)
    return out


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2016, 2005, 2024)
    firm = firm_pool(rng, 1)[0]
    accts = accounts(rng, variant)
    codes = [a[0] for a in accts]
    leaves = [a for a in accts if not any(c.startswith(a[0] + ".") for c in codes)]
    debit = {a[0]: 0 for a in accts}
    credit = dict(debit)
    nature = {a[0]: a[4] for a in accts}
    # postings leaf to leaf, no asset credited beyond its debit balance, no liability or income
    # debited beyond its credit balance
    for _ in range(P.num(400, 150, 700)):
        d, c = rng.sample(leaves, 2)
        k = amount(rng, 10, 80_000)
        if nature[c[0]] == "B":
            k = min(k, debit[c[0]] - credit[c[0]])
        if nature[d[0]] == "A":
            k = min(k, credit[d[0]] - debit[d[0]])
        if k <= 0:
            continue
        debit[d[0]] += k
        credit[c[0]] += k
    for code, _, level, parent, _ in sorted(accts, key=lambda a: -a[2]):
        if parent:
            debit[parent] += debit[code]
            credit[parent] += credit[code]
    amt = money(",", ".")
    aw = P.pick(15, [14, 15, 16])
    indent = P.chance(True, 0.5)
    name_w = P.pick(34, [32, 34, 38])
    cols = [Col("code", P.pick("Hesap Kodu", ["Hesap Kodu", "Hesap No"]), 15, "code"),
            Col("name", P.pick("Hesap Adı", ["Hesap Adı", "Hesap İsmi"]), name_w, "text"),
            Col("debit", ("", "Borç"), aw, "amount", "R", amt, "sum"),
            Col("credit", ("", "Alacak"), aw, "amount", "R", amt, "sum"),
            Col("bdebit", ("Borç", "Bakiye"), aw, "amount", "R", amt, "sum"),
            Col("bcredit", ("Alacak", "Bakiye"), aw, "amount", "R", amt, "sum")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    doc = Doc("mizan-kademeli", version=2)
    doc.table_columns(table)
    doc.table_extra["hierarchy"] = {"column": cols[0].heading, "separator": ".",
                                    "sums": [cols[2].heading, cols[3].heading]}
    recs = []
    for code, name, level, parent, _ in accts:
        b = debit[code] - credit[code]
        rec = {"code": code, "name": name, "debit": debit[code] or None,
               "credit": credit[code] or None, "bdebit": b if b > 0 else None,
               "bcredit": -b if b < 0 else None, "level": level, "parent_code": parent}
        clip(table, rec)
        if indent:
            pad = "  " * (level - 1)
            rec["name"] = rec["name"][:name_w - len(pad)].rstrip()
            rec["_print"] = {"name": pad + rec["name"]}
        recs.append(rec)
    printed = dt.date(year + 1, rng.randint(1, 3), rng.randint(1, 28))
    title = P.pick("AYRINTILI MİZAN", ["AYRINTILI MİZAN", "KADEMELİ MİZAN", "GENEL GEÇİCİ MİZAN"])

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                 (spread(W, "", f"01.01.{year} - 31.12.{year}"), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    pager = Pager(doc, P.num(60, 40, 72), header, ff=P.chance(True, 0.6))
    top = [r for r in recs if r["level"] == 1]
    name = table.col("name")
    keys = ("debit", "credit", "bdebit", "bcredit")
    line_of = {}

    def total(label, keyword, covers, prefix):
        sel = [r for r in top if r["code"].startswith(prefix)]
        values = {k: sum(r[k] or 0 for r in sel) for k in keys}
        scope = {"level": 1}
        if prefix:
            scope["prefix"] = {cols[0].heading: prefix}
        at = name.start if len(label) <= name.width else name.end - len(label) + 1
        return (table.values(values, [(at, label)]), "total",
                lambda n: doc.total(n, label, keyword, covers, scope, pager.page, values))

    group_totals = P.chance(True, 0.6)
    for i, r in enumerate(recs):
        def wrote(n, r=r):
            line_of[r["code"]] = n
            extra = {"level": r["level"]}
            if r["parent_code"]:
                extra["parent"] = line_of[r["parent_code"]]
            doc.record([n], pager.page, r, extra)
        items = [(table.values(r), "record", wrote)]
        nxt = recs[i + 1]["code"] if i + 1 < len(recs) else "~"
        if group_totals and nxt[:2] != r["code"][:2] and r["code"][:2] in GROUPS:
            g = r["code"][:2]
            items += [(table.underline(set(keys)), "rule"),
                      total(f"{g} {GROUPS[g]} TOPLAMI", "TOPLAM", "group", g)]
        if nxt[:1] != r["code"][:1] and r["code"][:1] in CLASSES:
            c = r["code"][:1]
            items += [(table.underline(set(keys)), "rule"),
                      total(f"{c} {CLASSES[c]} TOPLAMI", "TOPLAM", "group", c), ("", "blank")]
        pager.block(items)
    pager.finish([(table.underline(set(keys)), "rule"),
                  total("GENEL TOPLAM", "GENEL TOPLAM", "all", "")])
    doc.notes.append("Every account at every level is a record (its level and its parent's "
                     "line in the truth); a parent's debit and credit are the sums of its "
                     "sub-accounts'. The group, class and grand totals sum the first level.")
    return doc, ("A trial balance of four levels whose parents are the sums of their "
                 "sub-accounts, with group, class and grand totals."), (
        "Every account line at every level is a record; the group, class and grand totals are "
        "totals.")
