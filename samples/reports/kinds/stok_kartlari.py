"""Stock cards (stok kartı hareket listesi): a block `Stok Kodu : HRD.0105   Stok Adı : …
Birim : ADET` over each item, under a `STOK GRUBU : …` line for the items of a group; the
item's DEVİR opening its running quantity, quantities in grouped thousands ("1.493.468"), a
TOPLAM under each card, GRUP TOPLAMI after each group and GENEL TOPLAM; products named
TOPLAMA MAKİNESİ, DEVİRDAİM POMPASI or NAKLİYE KOLİSİ are records like any other."""

import datetime as dt

from ..doc import Doc
from ..draw import Picker, dates, firm_pool
from ..layout import Col, Table, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money, tr_title

CATALOG = {
    "KIRTASİYE": [("KRT", "A4 FOTOKOPİ KAĞIDI 80 GR", "KOLİ", 400),
                  ("KRT", "TOPLAMA MAKİNESİ CASIO DR-120", "ADET", 60),
                  ("KRT", "TÜKENMEZ KALEM MAVİ", "ADET", 20_000),
                  ("KRT", "ZIMBA TELİ NO:10", "KUTU", 3_000)],
    "HIRDAVAT": [("HRD", "SUNTA VİDASI 4X40", "ADET", 900_000),
                 ("HRD", "DÜBEL 8 MM", "ADET", 400_000),
                 ("HRD", "DEVİRDAİM POMPASI 1 İNÇ", "ADET", 40),
                 ("HRD", "BAĞLANTI CIVATASI M8X30", "ADET", 250_000)],
    "AMBALAJ": [("AMB", "NAKLİYE KOLİSİ 60X40X40", "ADET", 30_000),
                ("AMB", "STREÇ FİLM 50 CM", "RULO", 800),
                ("AMB", "KOLİ BANDI 45 MM", "ADET", 12_000)],
    "GIDA": [("GID", "TOZ ŞEKER 50 KG", "ÇUVAL", 500),
             ("GID", "AYÇİÇEK YAĞI 5 LT", "ADET", 3_000),
             ("GID", "PİRİNÇ BALDO 1 KG", "ADET", 20_000)],
}
IN_TEXTS = ["Alış faturası {n}", "Alış irsaliyesi {n}", "Satış iadesi {n}", "Sayım fazlası",
            "Üretimden giriş"]
OUT_TEXTS = ["Satış faturası {n}", "Satış irsaliyesi {n}", "Alış iadesi {n}", "Fire",
             "Depolar arası transfer", "Sarf - {n}"]


def card_moves(rng, n, year, scale, opening):
    """An item's moves in whole units; the quantity never goes below zero."""
    out, have = [], opening
    for d in dates(rng, n, year, 1, 12):
        if have < scale // 10 or rng.random() < 0.45:
            q = max(1, int(scale * rng.uniform(0.05, 0.6)))
            out.append({"date": d, "in": q, "out": None,
                        "text": rng.choice(IN_TEXTS).format(n=rng.randint(1000, 99999))})
            have += q
        else:
            q = max(1, min(have, int(scale * rng.uniform(0.01, 0.4))))
            out.append({"date": d, "in": None, "out": q,
                        "text": rng.choice(OUT_TEXTS).format(n=rng.randint(1000, 99999))})
            have -= q
    return out


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2023, 2008, 2024)
    firm = firm_pool(rng, 1)[0]
    group_names = list(CATALOG) if not variant else rng.sample(list(CATALOG), rng.randint(2, 4))
    groups = []
    for gname in group_names:
        items = CATALOG[gname] if not variant else rng.sample(CATALOG[gname],
                                                             rng.randint(1, len(CATALOG[gname])))
        cards = []
        for prefix, name, unit, scale in items:
            opening = rng.choice([0, int(scale * rng.uniform(0.2, 3))])
            moves = card_moves(rng, rng.randint(0, 12) if variant else rng.randint(2, 9), year,
                               scale, opening)
            cards.append({"code": f"{prefix}.{rng.randint(1, 9999):04d}", "name": name,
                          "unit": unit, "opening": opening, "moves": moves})
        groups.append({"name": gname, "cards": cards})
    if not variant:
        groups[0]["cards"][3]["moves"] = []  # a card with nothing but its opening
    # Whole quantities grouped with "," alone would read the Turkish way (a comma before the
    # decimals): this kind prints its thousands with points.
    qty = money(",", ".", decimals=0)
    qw = P.pick(12, [11, 12, 13])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yy", "dd.mm.yy"])
    dw = len(fmt_date(dt.date(2000, 12, 31), date_fmt))
    cols = [Col("date", "Tarih", max(dw, 10), "date", fmt=date_fmt),
            Col("slip", P.pick("Fiş No", ["Fiş No", "Belge No", "Evrak No"]), 8, "code"),
            Col("text", P.pick("İşlem", ["İşlem", "Açıklama", "İşlem Türü"]),
                P.pick(24, [22, 24, 28]), "text"),
            Col("in", P.pick(("Giriş", "Miktarı"), [("Giriş", "Miktarı"), ("", "Giriş"),
                                                    ("Giren", "Miktar")]), qw, "amount", "R",
                qty, "sum"),
            Col("out", P.pick(("Çıkış", "Miktarı"), [("Çıkış", "Miktarı"), ("", "Çıkış"),
                                                     ("Çıkan", "Miktar")]), qw, "amount", "R",
                qty, "sum"),
            Col("left", P.pick(("", "Kalan"), [("", "Kalan"), ("Kalan", "Miktar"),
                                                ("", "Bakiye")]), qw + 1, "amount", "R", qty,
                "last")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    labels = P.pick(("Stok Grubu", "Stok Kodu", "Stok Adı", "Birim"),
                    [("Stok Grubu", "Stok Kodu", "Stok Adı", "Birim"),
                     ("STOK GRUBU", "STOK KODU", "STOK ADI", "BİRİMİ"),
                     ("Grup", "Stok Kodu", "Malzeme Adı", "Birim")])
    sep = P.pick(" : ", [" : ", ": "])
    doc = Doc("stok-kartlari", version=2)
    doc.carried("group", labels[0], "text", "group")
    doc.carried("code", labels[1], "code", "group")
    doc.carried("name", labels[2], "text", "group")
    doc.carried("unit", labels[3], "text", "group")
    left = table.col("left").heading
    doc.table_columns(table, {"left": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                       "opening": "group"}})
    printed = dt.date(year + 1, 1, rng.randint(3, 28))
    title = P.pick("STOK KARTI HAREKET LİSTESİ", ["STOK KARTI HAREKET LİSTESİ",
                                                  "STOK HAREKETLERİ", "MALZEME KARTI DÖKÜMÜ"])
    group_case = P.pick(str, [str, str, tr_title])

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                 (spread(W, "", f"01.01.{year} - 31.12.{year}"), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    state = {"open": None}

    def card_block(c, cont=False):
        return (f"{labels[1]}{sep}{c['code']}   {labels[2]}{sep}{c['name']}   "
                f"{labels[3]}{sep}{c['unit']}" + ("   (devam)" if cont else ""))

    def opening_items(p):
        if not state["open"]:
            return []
        return [(card_block(state["open"], True), "group", lambda n: doc.group_goes_on([n]))]

    pager = Pager(doc, P.num(58, 44, 70), header, ff=P.chance(True, 0.5), opening=opening_items)
    text_col = table.col("text")
    card_label = P.pick("TOPLAM", ["TOPLAM", "KART TOPLAMI", "Toplam"])
    group_label = P.pick("GRUP TOPLAMI", ["GRUP TOPLAMI", "{g} GRUBU TOPLAMI", "Grup Toplamı"])
    devir_label = P.pick("DEVİR", ["DEVİR", "Devir", "DÖNEM BAŞI DEVİR"])
    units = lambda q: q * 100  # whole units as the amounts' hundredths
    for gi_, g in enumerate(groups):
        gname = group_case(g["name"])
        group_line = f"{labels[0]}{sep}{gname}"
        for ci, c in enumerate(g["cards"]):
            fields = {"group": gname, "code": c["code"], "name": c["name"], "unit": c["unit"]}
            head = ([(group_line, "group"), ("", "blank")] if ci == 0 else []) + \
                [(card_block(c), "group")]
            count = len(head)

            def opened(n, fields=fields, count=count, c=c):
                block = [m for m in range(n - count + 1, n + 1) if doc.roles[m - 1] == "group"]
                gi = doc.group(fields, block)
                doc.groups[gi]["openings"] = {left: f"{c['opening']}"}
            head[-1] = (head[-1][0], "group", opened)
            items = list(head)
            if c["opening"] or not c["moves"]:
                values = {"left": units(c["opening"])}
                items.append((table.values(values, [(text_col.start, devir_label)]), "total",
                              lambda n, values=values: doc.total(
                                  n, devir_label, "DEVİR", "opening",
                                  {"group": len(doc.groups) - 1}, pager.page, values,
                                  how={"left": "opening"})))
            have = c["opening"]
            recs = []
            for m in c["moves"]:
                have += (m["in"] or 0) - (m["out"] or 0)
                rec = dict(fields, date=m["date"], text=m["text"],
                           slip=f"{rng.randint(1, 99999):05d}",
                           left=units(have), **{k: units(m[k]) if m[k] else None
                                                for k in ("in", "out")})
                recs.append(rec)
            for i, rec in enumerate(recs):
                def wrote(n, rec=rec, c=c):
                    state["open"] = c
                    doc.record([n], pager.page, rec, {"group": len(doc.groups) - 1})
                items.append((table.values(rec), "record", wrote))
                if i < len(recs) - 1:
                    pager.block(items)
                    items = []
            sums = {"in": sum(r["in"] or 0 for r in recs), "out": sum(r["out"] or 0 for r in recs),
                    "left": units(have)}
            scope = {"where": {labels[1]: c["code"]}}
            how = None if recs else {"left": "opening"}

            def card_done(n, scope=scope, sums=sums, how=how):
                state["open"] = None
                if how:
                    scope = dict(scope, group=len(doc.groups) - 1)
                doc.total(n, card_label, "TOPLAM", "group", scope, pager.page, sums, how=how)
            items.append((table.values(sums, [(text_col.start, card_label)]), "total",
                          card_done))
            items.append(("", "blank"))
            if ci == len(g["cards"]) - 1:
                label = group_label.format(g=gname)
                gsum = {k: sum(units(m[k] or 0) for cc in g["cards"] for m in cc["moves"])
                        for k in ("in", "out")}
                items += [(table.underline({"in", "out"}), "rule"),
                          (table.values(gsum, [(text_col.start, label)]), "total",
                           lambda n, label=label, gsum=gsum, gname=gname: doc.total(
                               n, label, "GRUP TOPLAMI", "group",
                               {"where": {labels[0]: gname}}, pager.page, gsum))]
                if gi_ < len(groups) - 1:
                    items.append(("", "blank"))
            pager.block(items)
    grand = {k: sum(units(m[k] or 0) for g in groups for c in g["cards"] for m in c["moves"])
             for k in ("in", "out")}
    label = P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "TÜM STOKLAR TOPLAMI"])
    pager.finish([(table.underline({"in", "out"}), "rule"),
                  (table.values(grand, [(text_col.start, label)]), "total",
                   lambda n: doc.total(n, label, "GENEL TOPLAM", "all", {}, pager.page, grand))])
    doc.notes.append("Each stock card is a group whose fields are its stock group's (from the "
                     "group line above its first card) and its own; the card's DEVİR starts its "
                     "running quantity. Quantities are whole numbers in grouped thousands.")
    return doc, ("Stock cards grouped by stock group: quantities in grouped thousands, a running "
                 "remaining quantity from each card's opening, card, group and grand totals."), (
        "Every move line is a record; the stock group line and each card's block are group "
        "fields; DEVİR, the card totals, the group totals and the grand total are totals.")
