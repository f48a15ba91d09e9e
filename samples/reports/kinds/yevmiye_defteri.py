"""A journal (yevmiye defteri): each voucher under a block `Yevmiye No: 12   Tarih: 02.01.2024
Fiş No: 45   (MAHSUP)`, its postings with the account's code and name, FİŞ TOPLAMI (debit =
credit); NAKLİ YEKÜN at the foot of a page and ÖNCEKİ SAYFADAN NAKİL on top of the next; a
voucher that goes on over a page break repeats its block with "(devam)"; the opening voucher's
texts speak of DEVİR, an account is DEVREDEN KDV and a carrier's name is cut after "NAKLİ"."""

import datetime as dt

from ..doc import Doc
from ..draw import (BANKS, MORE_FIRMS, NOTATIONS, Picker, amount, firm_pool, nakli_firm, pct,
                    vat_rates)
from ..layout import Col, Table, clip, heading_case, spread
from ..pager import Pager
from ..values import fmt_date, money, tr_title, tr_upper


def voucher_lines(rng, kind, d, customers, suppliers, ids):
    """The postings of one voucher, debit = credit: (code, name, text, debit, credit)."""
    general, reduced, _ = vat_rates(d)
    inv = rng.randint(1000, 99999)
    if kind == "sale":
        code, name = rng.choice(customers)
        net = amount(rng, 200, 90_000)
        rate = rng.choice([general, general, reduced])
        vat = pct(net, rate * 10)
        text = f"Fatura {inv}"
        return [(code, name, text, net + vat, None),
                ("600.01", "YURTİÇİ SATIŞLAR", text, None, net),
                (f"391.0{1 if rate == general else 2}", f"HESAPLANAN KDV %{rate}", text, None, vat)]
    if kind == "purchase":
        code, name = rng.choice(suppliers)
        net = amount(rng, 100, 60_000)
        vat = pct(net, general * 10)
        text = f"Alış faturası {inv}"
        return [("153.01", "TİCARİ MALLAR", text, net, None),
                ("191.01", f"İNDİRİLECEK KDV %{general}", text, vat, None),
                (code, name, text, None, net + vat)]
    if kind == "collect":
        code, name = rng.choice(customers)
        k = amount(rng, 100, 50_000)
        return [("100.01", "MERKEZ KASA", f"Tahsilat makbuzu {inv}", k, None),
                (code, name, f"Tahsilat makbuzu {inv}", None, k)]
    if kind == "pay":
        code, name = rng.choice(suppliers)
        k = amount(rng, 100, 40_000)
        return [(code, name, f"Ödeme, makbuz {inv}", k, None),
                ("100.01", "MERKEZ KASA", f"Ödeme, makbuz {inv}", None, k)]
    if kind == "bank":
        code, name = rng.choice(customers)
        bank = rng.choice(BANKS)
        k = amount(rng, 500, 120_000)
        return [("102.01.001", tr_upper(bank)[:24], f"Havale - {name[:14].strip()}", k, None),
                (code, name, f"Havale, {bank}", None, k)]
    if kind == "expense":
        k = amount(rng, 50, 9_000)
        vat = pct(k, general * 10)
        text = rng.choice(["Elektrik faturası", "Kırtasiye gideri", "Telefon faturası",
                           "Toplam 3 fatura - temizlik", "Kargo gideri"])
        return [("770.03", "GENEL YÖNETİM GİDERLERİ", text, k, None),
                ("191.01", f"İNDİRİLECEK KDV %{general}", text, vat, None),
                ("100.01", "MERKEZ KASA", text, None, k + vat)]
    # the month's VAT set off: payable VAT against deductible, the rest carried as DEVREDEN KDV
    out_by_rate, in_vat = ids
    out_vat = sum(out_by_rate.values())
    lines = [(code, f"HESAPLANAN KDV %{rate}", "KDV mahsubu", k, None)
             for (code, rate), k in sorted(out_by_rate.items()) if k]
    lines.append(("191.01", f"İNDİRİLECEK KDV %{general}", "KDV mahsubu", None, in_vat))
    if in_vat > out_vat:
        lines.append(("190.01", "DEVREDEN KDV", "Sonraki aya devir", in_vat - out_vat, None))
    else:
        lines.append(("360.02", "ÖDENECEK KDV", "KDV mahsubu", None, out_vat - in_vat))
    return lines


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2024, 2009, 2024)
    month = P.num(1, 1, 12)
    firm = firm_pool(rng, 1)[0]
    name_w = P.pick(24, [22, 24, 26, 28])
    customers = [(f"120.01.{i:03d}", f) for i, f in
                 zip(sorted(rng.sample(range(1, 400), 5)), rng.sample(MORE_FIRMS, 5))]
    suppliers = [(f"320.01.{i:03d}", f) for i, f in
                 zip(sorted(rng.sample(range(1, 300), 3)), rng.sample(MORE_FIRMS, 3))]
    suppliers.append((f"320.01.{rng.randint(300, 999)}", nakli_firm(rng, name_w)))
    days = sorted(rng.sample(range(2, 28), P.num(14, 10, 22)))
    vouchers = []
    opening = [("100.01", "MERKEZ KASA", amount(rng, 1000, 20_000), None),
               ("102.01.001", "T.İŞ BANKASI", amount(rng, 5000, 200_000), None),
               (customers[0][0], customers[0][1], amount(rng, 1000, 80_000), None),
               ("153.01", "TİCARİ MALLAR", amount(rng, 10_000, 300_000), None),
               ("190.01", "DEVREDEN KDV", amount(rng, 100, 9000), None)]
    debit = sum(k for *_, k, _ in opening)
    sup = amount(rng, 1000, debit // 300)
    opening.append((suppliers[0][0], suppliers[0][1], None, sup))
    opening.append(("500.01", "SERMAYE", None, debit - sup))
    first = dt.date(year, month, 1)
    texts = P.pick("Açılış - önceki yıldan devir", ["Açılış - önceki yıldan devir",
                                                     "Devir bakiyesi", "AÇILIŞ DEVİR"])
    vouchers.append({"date": first, "type": "AÇILIŞ",
                     "lines": [(c, n, texts, d, k) for c, n, d, k in opening]})
    kinds = ["sale", "sale", "purchase", "collect", "pay", "bank", "expense", "sale"]
    out_vat, in_vat = {}, 0
    for day in days:
        d = dt.date(year, month, day)
        for _ in range(rng.choice([1, 1, 2])):
            kind = rng.choice(kinds)
            lines = voucher_lines(rng, kind, d, customers, suppliers, None)
            for c, name, _, _, k in lines:
                if c.startswith("391"):
                    key = (c, int(name.rsplit("%", 1)[1]))
                    out_vat[key] = out_vat.get(key, 0) + k
            in_vat += sum(k or 0 for c, _, _, k, _ in lines if c.startswith("191"))
            vtype = {"collect": "TAHSİL", "pay": "TEDİYE", "expense": "TEDİYE"}.get(kind, "MAHSUP")
            vouchers.append({"date": d, "type": vtype, "lines": lines})
    last = dt.date(year + month // 12, month % 12 + 1, 1) - dt.timedelta(days=1)
    vouchers.append({"date": last, "type": "MAHSUP",
                     "lines": voucher_lines(rng, "vat", last, [], [], (out_vat, in_vat))})
    yno = P.num(1, 1, 900)
    slip = {t: rng.randint(1, 300) for t in ("AÇILIŞ", "MAHSUP", "TAHSİL", "TEDİYE")}
    for v in vouchers:
        v["no"] = str(yno)
        yno += 1
        v["slip"] = str(slip[v["type"]])
        slip[v["type"]] += rng.randint(1, 3)

    dec, thou = P.pick((",", "."), NOTATIONS)
    amt = money(dec, thou)
    aw = P.pick(15, [14, 15, 16])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy", "dd.mm.yy"])
    cols = [Col("code", "Hesap Kodu", P.pick(12, [11, 12, 15]), "code"),
            Col("name", "Hesap Adı", name_w, "text"),
            Col("text", "Açıklama", P.pick(28, [24, 28, 30]), "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum")]
    heading_case(P, cols)
    table = Table(cols)
    W = table.width
    labels = P.pick(("Yevmiye No", "Tarih", "Fiş No"),
                    [("Yevmiye No", "Tarih", "Fiş No"), ("Yev.No", "Tarih", "Fiş No"),
                     ("YEVMİYE NO", "TARİH", "FİŞ NO"), ("Madde No", "Tarih", "Fiş No")])
    sep = P.pick(": ", [": ", " : ", ":"])
    gap = P.pick("   ", ["   ", "    ", "  "])
    devam = P.pick("(devam)", ["(devam)", "(DEVAM)"])
    type_case = P.pick(str, [str, str, tr_title])

    doc = Doc("yevmiye-defteri", version=2)
    doc.carried("yno", labels[0], "code", "group")
    doc.carried("date", labels[1], "date", "group", fmt=date_fmt)
    doc.carried("slip", labels[2], "code", "group")
    doc.carried("type", None, "text", "group", heading="Tür")
    doc.table_columns(table)
    doc.table_extra["balanced"] = {"by": labels[0], "debit": cols[3].heading,
                                   "credit": cols[4].heading}
    printed = last + dt.timedelta(days=rng.randint(5, 40))
    period = f"{fmt_date(first, 'dd.mm.yyyy')} - {fmt_date(last, 'dd.mm.yyyy')}"
    title = P.pick("YEVMİYE DEFTERİ", ["YEVMİYE DEFTERİ", "Y E V M İ Y E   D E F T E R İ",
                                        "YEVMİYE DEFTERİ DÖKÜMÜ"])

    def header(p):
        return ([(spread(W, firm, "", f"Sayfa : {p}"), "header"),
                 (spread(W, "", title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                 (spread(W, "", period), "header"), ("", "blank")]
                + [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")])

    def block(v, cont=False):
        text = gap.join([f"{labels[0]}{sep}{v['no']}",
                         f"{labels[1]}{sep}{fmt_date(v['date'], date_fmt)}",
                         f"{labels[2]}{sep}{v['slip']}", f"({type_case(v['type'])})"])
        return text + (" " + devam if cont else "")

    state = {"debit": 0, "credit": 0, "open": None}
    name_col, text_col = table.col("name"), table.col("text")

    def total_line(label, keyword, covers, scope, values, at):
        def done(n):
            doc.total(n, label, keyword, covers, scope, pager.page, values)
        return (table.values(values, [(at, label)]), "total", done)

    def carry(label, keyword, through):
        values = {"debit": state["debit"], "credit": state["credit"]}
        return total_line(label, keyword, "carried", {"through_page": through}, values,
                          name_col.start)

    nakli = P.pick("NAKLİ YEKÜN", ["NAKLİ YEKÜN", "NAKLİ YEKÜN :", "Nakli Yekün"])
    nakil = P.pick("ÖNCEKİ SAYFADAN NAKİL", ["ÖNCEKİ SAYFADAN NAKİL", "NAKİL", "Önceki Sayfadan"])

    def closing(p):
        return [(table.underline({"debit", "credit"}), "rule"), carry(nakli, "NAKLİ YEKÜN", p)]

    def opening(p):
        items = [carry(nakil, "NAKİL", p - 1)]
        if state["open"]:
            v = state["open"]
            items.append((block(v, True), "group", lambda n: doc.group_goes_on([n])))
        return items

    pager = Pager(doc, P.num(46, 38, 66), header, ff=P.chance(True, 0.6), closing=closing,
                  opening=opening, reserve=2)
    fis_label = P.pick("FİŞ TOPLAMI", ["FİŞ TOPLAMI", "Fiş Toplamı", "MADDE TOPLAMI"])
    between = P.pick("blank", ["blank", "blank", "none", "rule"])
    for vi, v in enumerate(vouchers):
        fields = {"yno": v["no"], "date": v["date"], "slip": v["slip"],
                  "type": type_case(v["type"])}
        recs = []
        for code, name, text, d, c in v["lines"]:
            rec = dict(fields, code=code, name=name, text=text, debit=d, credit=c)
            clip(table, rec)
            recs.append(rec)
        for i, rec in enumerate(recs):
            def wrote(n, rec=rec, v=v):
                state["open"] = v  # from its first posting on, a page break repeats its block
                state["debit"] += rec["debit"] or 0
                state["credit"] += rec["credit"] or 0
                doc.record([n], pager.page, rec, {"group": len(doc.groups) - 1})
            items = [(table.values(rec), "record", wrote)]
            if i == 0:
                items.insert(0, (block(v), "group",
                                 lambda n, f=fields: doc.group(f, [n])))
            if i == len(recs) - 1:
                sums = {"debit": sum(r["debit"] or 0 for r in recs),
                        "credit": sum(r["credit"] or 0 for r in recs)}
                label = fis_label
                items.append(total_line(label, "FİŞ TOPLAMI", "group",
                                        {"where": {labels[0]: v["no"]}}, sums,
                                        text_col.end - len(label) + 1))
            pager.block(items)
        state["open"] = None
        if vi < len(vouchers) - 1 and between != "none":
            if pager.fits(2, pager.reserve):
                pager.block([("" if between == "blank" else "-" * W,
                              "blank" if between == "blank" else "rule")])
    grand = {"debit": state["debit"], "credit": state["credit"]}
    pager.finish([(table.underline({"debit", "credit"}), "rule"),
                  total_line(P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "YEVMİYE TOPLAMI"]),
                             "GENEL TOPLAM", "all", {}, grand, name_col.start)])
    doc.fields += [{"label": "Dönem", "value": period}]
    doc.notes.append("Each voucher is a group: its block's fields (the voucher's number, date, "
                     "slip number and the bracketed kind) lead every posting; a voucher that "
                     "goes on over a page break prints its block again with a continuation "
                     "marker. Every voucher balances, and FİŞ TOPLAMI prints its sums.")
    return doc, ("A journal: vouchers under a block of fields, each balanced with its FİŞ "
                 "TOPLAMI, carried sums at each page break, a grand total."), (
        "Every posting line is a record; the voucher blocks are group fields; FİŞ TOPLAMI, "
        "NAKLİ YEKÜN, the sums carried on top of a page and the grand total are totals.")
