"""A trial balance with account codes of three levels in one column, class totals and GENEL
TOPLAM."""

import datetime as dt

from ..values import fmt_date, money
from ..layout import Col, Table, clip, heading_case, spread
from ..doc import Doc
from ..draw import Picker, amount, firm_pool

CHART = [
    ("100", "KASA", [("01", "MERKEZ KASA", []), ("02", "ŞUBE KASASI", [])], "B"),
    ("101", "ALINAN ÇEKLER", [("01", "PORTFÖYDEKİ ÇEKLER", []),
                              ("02", "TAHSİLDEKİ ÇEKLER", [])], "B"),
    ("102", "BANKALAR", [("01", "VADESİZ MEVDUAT", ["T.İŞ BANKASI KADIKÖY ŞB.", "GARANTİ BANKASI",
                                                     "YAPI KREDİ BANKASI"]),
                          ("02", "VADELİ MEVDUAT", ["ZİRAAT BANKASI"])], "B"),
    ("120", "ALICILAR", [("01", "YURTİÇİ ALICILAR", ["*"] * 4)], "B"),
    ("121", "ALACAK SENETLERİ", [], "B"),
    ("136", "DİĞER ÇEŞİTLİ ALACAKLAR", [], "B"),
    ("153", "TİCARİ MALLAR", [("01", "GIDA ÜRÜNLERİ", []), ("02", "TEMİZLİK ÜRÜNLERİ", [])], "B"),
    ("191", "İNDİRİLECEK KDV", [("01", "%18 KDV", []), ("02", "%8 KDV", [])], "B"),
    ("255", "DEMİRBAŞLAR", [], "B"),
    ("257", "BİRİKMİŞ AMORTİSMANLAR (-)", [], "A"),
    ("320", "SATICILAR", [("01", "YURTİÇİ SATICILAR", ["*"] * 3)], "A"),
    ("335", "PERSONELE BORÇLAR", [], "A"),
    ("360", "ÖDENECEK VERGİ VE FONLAR", [("01", "GELİR VERGİSİ STOPAJI", []),
                                          ("02", "DAMGA VERGİSİ", [])], "A"),
    ("361", "ÖDENECEK SOSYAL GÜVENLİK KESİNTİLERİ", [], "A"),
    ("391", "HESAPLANAN KDV", [], "A"),
    ("500", "SERMAYE", [], "A"),
    ("600", "YURTİÇİ SATIŞLAR", [("01", "TOPTAN SATIŞLAR", []),
                                 ("02", "PERAKENDE SATIŞLAR", [])], "A"),
    ("621", "SATILAN TİCARİ MALLAR MALİYETİ (-)", [], "B"),
    ("632", "GENEL YÖNETİM GİDERLERİ", [("01", "PERSONEL GİDERLERİ", []),
                                         ("02", "KİRA GİDERLERİ", []),
                                         ("03", "KIRTASİYE & BÜRO GİDERLERİ", [])], "B"),
    ("642", "FAİZ GELİRLERİ", [], "A"),
]
CLASSES = {"1": "DÖNEN VARLIKLAR", "2": "DURAN VARLIKLAR", "3": "KISA VADELİ YABANCI KAYNAKLAR",
           "5": "ÖZKAYNAKLAR", "6": "GELİR TABLOSU HESAPLARI"}
ENTRIES = [("120", "600"), ("120", "391"), ("100", "120"), ("102", "120"), ("101", "120"),
           ("102", "101"), ("153", "320"), ("191", "320"), ("320", "102"), ("320", "100"),
           ("632", "100"), ("632", "335"), ("335", "102"), ("632", "360"), ("360", "102"),
           ("632", "361"), ("361", "102"), ("621", "153"), ("102", "500"), ("100", "600"),
           ("255", "320"), ("632", "257"), ("102", "642"), ("121", "120"), ("136", "100"),
           ("100", "102")]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    chart = [a for a in CHART if not variant or a[0] in ("100", "102", "120", "320", "600")
             or rng.random() < 0.7]
    used = {e for pair in ENTRIES for e in pair}
    chart = [a for a in chart if a[0] in used]
    others = firm_pool(rng, 12, exclude=[firm])
    # leaves: code -> [debit, credit]
    accounts = []  # (code, name, level, parent code)
    leaves = {}
    for main, name, subs, nature in chart:
        accounts.append((main, name, 1))
        if not subs:
            leaves.setdefault(main, []).append(main)
        for sub, sname, subsubs in subs:
            code2 = f"{main}.{sub}"
            accounts.append((code2, sname, 2))
            if not subsubs:
                leaves.setdefault(main, []).append(code2)
            for k, ssname in enumerate(subsubs, start=1):
                if ssname == "*":
                    ssname = others.pop()
                code3 = f"{code2}.{k:03d}"
                accounts.append((code3, ssname, 3))
                leaves.setdefault(main, []).append(code3)
    mains = {a[0] for a in chart}
    entries = [e for e in ENTRIES if e[0] in mains and e[1] in mains]
    dr = {c: 0 for c, _, _ in accounts}
    cr = dict(dr)
    nature = {main: nat for main, _, _, nat in chart}
    # Journal entries one by one; an asset or expense account is never credited beyond its
    # debit balance, nor a liability or income account debited beyond its credit balance.
    for _ in range(P.num(500, 200, 800)):
        d, c = rng.choice(entries)
        dl, cl = rng.choice(leaves[d]), rng.choice(leaves[c])
        k = amount(rng, 10, 90_000)
        if nature[c] == "B":
            k = min(k, dr[cl] - cr[cl])
        if nature[d] == "A":
            k = min(k, cr[dl] - dr[dl])
        if k <= 0:
            continue
        dr[dl] += k
        cr[cl] += k
    for code, _, level in sorted(accounts, key=lambda a: -a[2]):
        if level < 3:
            kids = [a[0] for a in accounts if a[2] == level + 1 and a[0].startswith(code + ".")]
            if kids:
                dr[code] = sum(dr[x] for x in kids)
                cr[code] = sum(cr[x] for x in kids)
    recs = []
    for code, name, level in accounts:
        b = dr[code] - cr[code]
        recs.append({"code": code, "name": name, "debit": dr[code] or None,
                     "credit": cr[code] or None, "bdebit": b if b > 0 else None,
                     "bcredit": -b if b < 0 else None, "_extra": {"level": level}})
    amt = money()
    aw = P.pick(15, [15, 16, 17])
    indent = P.chance(False, 0.5)
    two_line = P.chance(True, 0.6)
    cols = [Col("code", P.pick("Hesap Kodu", ["Hesap Kodu", "Hesap No"]), 12, "code"),
            Col("name", P.pick("Hesap Adı", ["Hesap Adı", "Hesap Adı", "Hesap İsmi"]),
                P.pick(36, [32, 36, 40]), "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bdebit", ("Borç", "Bakiye") if two_line else "Borç Bakiye", aw, "amount", "R",
                amt, "sum"),
            Col("bcredit", ("Alacak", "Bakiye") if two_line else "Alacak Bakiye", aw, "amount",
                "R", amt, "sum")]
    heading_case(P, cols)
    table = Table(cols)
    for r in recs:
        clip(table, r)
        if indent:  # sub-accounts' names indented by level; the value has no blanks in front
            pad = "  " * (r["_extra"]["level"] - 1)
            r["name"] = r["name"][:cols[1].width - len(pad)].rstrip()
            r["_print"] = {"name": pad + r["name"]}
    doc = Doc("mizan")
    doc.table_columns(table)
    W = table.width
    printed = dt.date(year + 1, rng.randint(1, 3), rng.randint(1, 28))
    page_len = P.num(56, 40, 66)
    ff = P.chance(True, 0.6)
    class_totals = P.chance(True, 0.7)

    def header(p):
        return [(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                (spread(W, "", P_title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                (spread(W, "", f"01.01.{year} - 31.12.{year}"), "header"), ("", "blank")] + \
            [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]

    P_title = P.pick("GENEL GEÇİCİ MİZAN", ["GENEL GEÇİCİ MİZAN", "M İ Z A N", "AYRINTILI MİZAN"])
    # items: records and totals in print order
    items = []
    for i, r in enumerate(recs):
        items.append(("record", r))
        cls = r["code"][0]
        nxt = recs[i + 1] if i + 1 < len(recs) else None
        if class_totals and (nxt is None or nxt["code"][0] != cls) and cls in CLASSES:
            items.append(("class", cls))
    items.append(("grand", None))
    hlen = len(header(1))
    pno, first = 0, 0

    def new_page():
        nonlocal pno, first
        pno += 1
        first = doc.n + 1
        hl = []
        for i, (text, role) in enumerate(header(pno)):
            hl.append(doc.add(("\f" + text) if (i == 0 and pno > 1 and ff) else text, role))
        doc.pages.append({"page": pno, "first_line": first, "last_line": 0, "header_lines": hl})

    def close_page():
        if not ff:
            while doc.n - first + 1 < page_len:
                doc.add("", "blank")
        doc.pages[-1]["last_line"] = doc.n

    top = [r for r in recs if r["_extra"]["level"] == 1]
    new_page()
    for kind, x in items:
        need = 1 if kind == "record" else 2
        if doc.n - first + 1 + need > page_len:
            close_page()
            new_page()
        if kind == "record":
            doc.record([doc.add(table.values(x), "record")], pno, x, x["_extra"])
            continue
        doc.add(table.underline({"debit", "credit", "bdebit", "bcredit"}), "rule")
        sel = [r for r in top if kind == "grand" or r["code"].startswith(x)]
        values = {k: sum(r[k] or 0 for r in sel) for k in ("debit", "credit", "bdebit", "bcredit")}
        label = "GENEL TOPLAM" if kind == "grand" else f"{CLASSES[x]} TOPLAMI"
        name = table.col("name")
        at = name.start if len(label) <= name.width else name.end - len(label) + 1
        line = doc.add(table.values(values, [(at, label)]), "total")
        scope = {"level": 1}
        if kind != "grand":
            scope["prefix"] = {cols[0].heading: x}
        doc.total(line, label, "GENEL TOPLAM" if kind == "grand" else "TOPLAM",
                  "all" if kind == "grand" else "group", scope, pno, values)
    doc.pages[-1]["last_line"] = doc.n
    doc.notes.append("Debit and credit totals agree (double entry), and so do the debit and "
                     "credit balances.")
    return doc, ("A trial balance (mizan) with account codes of three levels in one column, "
                 "four amount columns, class totals and a grand total."), (
        "Every account line at every level is a record (its level in 'level': 1 for 100, 2 for "
        "100.01, 3 for 100.01.001); an account with sub-accounts prints their sums. Totals are "
        "only the GENEL TOPLAM line and the explicit class TOPLAMI lines; both sum the level-1 "
        "accounts (those of the class for a class total).")
