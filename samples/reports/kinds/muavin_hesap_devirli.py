"""A sub-ledger of many accounts printed one after the other (no page per account): a block
`Hesap Kodu : 120.01.005   Hesap Adı : …` over each account, its DEVİR (the balance brought
forward) opening the running balance, the balance's B/A mark glued to it ("29.285,24A"),
HESAP TOPLAMI under each account (with the number of its records in some variants) and GENEL
TOPLAM whose balance is the net of all ("556.038,32B")."""

import datetime as dt

from ..doc import Doc
from ..draw import NOTATIONS, Picker, amount, firm_pool, movements, slip_numbers
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money, plain

ACCOUNTS = [("100.01", "MERKEZ KASA", "C"), ("102.01.001", "T.İŞ BANKASI TİCARİ ŞB.", "C"),
            ("102.01.002", "GARANTİ BANKASI", "C"), ("120.01.{n:03d}", None, "C"),
            ("120.01.{n:03d}", None, "C"), ("136.01.001", "PERSONELDEN ALACAKLAR", "C"),
            ("320.01.{n:03d}", None, "S"), ("320.01.{n:03d}", None, "S"),
            ("335.01.001", "PERSONELE BORÇLAR", "S"), ("360.01", "GELİR VERGİSİ STOPAJI", "S")]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2024, 2009, 2024)
    firm = firm_pool(rng, 1)[0]
    chosen = ACCOUNTS if not variant else rng.sample(ACCOUNTS, rng.randint(3, len(ACCOUNTS)))
    names = firm_pool(rng, len(chosen), exclude=[firm])
    accounts = []
    for (code, name, party), other in zip(chosen, names):
        code = code.format(n=rng.randint(1, 999))
        if any(a["code"] == code for a in accounts):
            continue
        size = rng.choice([0, 3, 8, 15, 30]) if variant else rng.choice([4, 9, 14, 22])
        recs = movements(rng, size, year, party, big=size > 20, tiny=size > 20,
                         empty=size > 10) if size else []
        opening = rng.choice([0, amount(rng, 100, 90_000)]) * (1 if party == "C" else -1)
        if opening:  # the balance brought forward takes the opening posting's place
            recs = recs[1:]
        accounts.append({"code": code, "name": name or other, "opening": opening,
                         "records": recs})
    accounts.sort(key=lambda a: a["code"])
    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(14, [13, 14, 15])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd MMM yyyy", "dd.mm.yy", "d MMMM yyyy"])
    dw = max(len(fmt_date(dt.date(year, m, 28), date_fmt)) for m in range(1, 13))
    glued = P.chance(True, 0.6)
    cols = [Col("date", "Tarih", max(dw, 10), "date", fmt=date_fmt),
            Col("slip", P.pick("Yev.No", ["Yev.No", "Fiş No", "Yevmiye"]), 7, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 34]), "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", money(dec, thou, "unsigned"), "last")]
    if glued:
        cols.append(Col("mark", ("", ""), 1, "marks", total="last", glued=True, name="B/A",
                        fmt={"glued": True}))
    else:
        cols.append(Col("mark", "B/A", 3, "marks", "C", total="last"))
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    labels = P.pick(("Hesap Kodu", "Hesap Adı"), [("Hesap Kodu", "Hesap Adı"),
                                                  ("HESAP KODU", "HESAP ADI"),
                                                  ("Hesap No", "Hesap İsmi")])
    doc = Doc("muavin-hesap-devirli", version=2)
    doc.carried("code", labels[0], "code", "group")
    doc.carried("name", labels[1], "text", "group")
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "minus": [cols[4].heading],
                                      "opening": "group",
                                      "sign": {"column": cols[6].heading, "B": 1, "A": -1}}})
    printed = dt.date(year + 1, 1, rng.randint(2, 28))

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", "MUAVİN DEFTERİ", f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"),
                  "header"),
                 (spread(W, "", f"01.01.{year} - 31.12.{year}"), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    state = {"open": None}

    def block(a, cont=False):
        return f"{labels[0]} : {a['code']}   {labels[1]} : {a['name']}" + \
            (" (DEVAM)" if cont else "")

    pager = Pager(doc, P.num(62, 44, 72), header, ff=P.chance(True, 0.5),
                  footer=lambda p: [(spread(W, "", f"- {p} -"), "footer")],
                  opening=lambda p: [(block(state["open"], True), "group",
                                      lambda n: doc.group_goes_on([n]))] if state["open"] else [])
    text = table.col("text")
    devir = P.pick("DEVİR", ["DEVİR", "DEVREDEN BAKİYE", "Önceki Dönemden Devir"])
    total_label = P.pick("HESAP TOPLAMI", ["HESAP TOPLAMI", "HESAP TOPLAMI ({n} kayıt)",
                                           "Hesap Toplamı"])
    mark_of = lambda k: "B" if k > 0 else ("A" if k < 0 else None)
    bal_head = cols[5].heading
    for a in accounts:
        fields = {"code": a["code"], "name": a["name"]}
        bal, recs = a["opening"], []
        for r, s in zip(a["records"], slip_numbers(rng, len(a["records"]), 5)):
            bal += (r["debit"] or 0) - (r["credit"] or 0)
            rec = dict(fields, **r, slip=s, bal=abs(bal), mark=mark_of(bal))
            clip(table, rec)
            recs.append(rec)
        a["closing"] = bal

        def opened(n, fields=fields, a=a):
            gi = doc.group(fields, [n])
            doc.groups[gi]["openings"] = {bal_head: plain(a["opening"])}
        items = [(block(a), "group", opened)]
        if a["opening"]:
            values = {"bal": abs(a["opening"]), "mark": mark_of(a["opening"])}
            items.append((table.values(values, [(text.start, devir)]), "total",
                          lambda n, values=values: doc.total(
                              n, devir, "DEVİR", "opening", {"group": len(doc.groups) - 1},
                              pager.page, values, how={"bal": "opening", "mark": "opening"})))
        for i, rec in enumerate(recs):
            def wrote(n, rec=rec, a=a):
                state["open"] = a
                doc.record([n], pager.page, rec, {"group": len(doc.groups) - 1})
            items.append((table.values(rec), "record", wrote))
            if i < len(recs) - 1:
                pager.block(items)
                items = []
        sums = {"debit": sum(r["debit"] or 0 for r in recs),
                "credit": sum(r["credit"] or 0 for r in recs), "bal": abs(bal),
                "mark": mark_of(bal)}
        label = total_label.format(n=len(recs))
        scope = {"where": {labels[0]: a["code"]}}
        if "{n}" in total_label:
            scope["count"] = len(recs)

        def closed(n, label=label, scope=scope, sums=sums, empty=not recs):
            state["open"] = None
            how = None
            if empty:
                scope = dict(scope, group=len(doc.groups) - 1)
                how = {"bal": "opening", "mark": "opening"}
            doc.total(n, label, "HESAP TOPLAMI", "group", scope, pager.page, sums, how=how)
        items += [(table.underline({"debit", "credit", "bal"}), "rule"),
                  (table.values(sums, [(text.start, label)]), "total", closed), ("", "blank")]
        pager.block(items)
    net = sum(a["closing"] for a in accounts)
    grand = {"debit": sum(r["debit"] or 0 for a in accounts for r in a["records"]),
             "credit": sum(r["credit"] or 0 for a in accounts for r in a["records"]),
             "bal": abs(net), "mark": mark_of(net)}
    pager.finish([(table.underline({"debit", "credit", "bal"}), "rule"),
                  (table.values(grand, [(text.start, "GENEL TOPLAM")]), "total",
                   lambda n: doc.total(n, "GENEL TOPLAM", "GENEL TOPLAM", "all", {}, pager.page,
                                       grand, how={"bal": "net", "mark": "net"}))])
    doc.notes.append("Each account is a group under its block; its DEVİR line is its opening "
                     "balance and starts its running balance. The grand total's balance is the "
                     "net of every opening balance, debit and credit, its side glued to it.")
    return doc, ("A many-account sub-ledger with an opening balance per account, running "
                 "balances with glued B/A marks, account totals and a grand total whose "
                 "balance is a net."), None
