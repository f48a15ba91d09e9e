"""An Akbank statement (the layout the statement import reads) whose transactions carry
description continuation lines."""

import datetime as dt

from ..values import fmt_date, money, plain, render_amount, tr_upper
from ..layout import Col
from ..doc import Doc
from ..draw import CITIES, DISTRICTS, Picker, amount, firm_pool

AK_WIDTHS = [4, 9, 7, 10, 8, 24, 24, 5, 36]


def ak_fields(*cols):
    out = []
    for text, width in zip(cols, AK_WIDTHS):
        assert len(text) <= width, (text, width)
        out.append(text.ljust(width))
    return "".join(out).rstrip()


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2010, 2004, 2012)
    month = P.num(2, 1, 12)
    owner = tr_upper(firm_pool(rng, 1)[0]).replace(".", " ").replace("  ", " ").strip()
    n = P.num(22, 8, 40)
    d0 = dt.date(year, month, 1)
    ds = sorted(d0 + dt.timedelta(days=rng.randrange(27)) for _ in range(n))
    kinds = [("EFT", "EFT GELEN ÖDEME", 1), ("EFT", "EFT GÖNDERİLEN", -1),
             ("HVL", "HAVALE GELEN", 1), ("HVL", "HAVALE GÖNDERİLEN", -1),
             ("FAT", "FATURA ÖDEMESİ", -1), ("ÇEK", "ÇEK TAHSİLATI", 1),
             ("ÇEK", "ÇEK ÖDEMESİ", -1), ("KOM", "HESAP İŞLETİM ÜCRETİ", -1),
             ("POS", "POS SATIŞ HASILATI", 1), ("VRG", "VERGİ ÖDEMESİ", -1),
             ("SGK", "SGK PRİM ÖDEMESİ", -1), ("MAS", "MASRAF", -1)]
    extra = ["ABC TİCARET LTD ŞTİ", "REF:{y}{m:02d}{r}", "FATURA NO {r}", "AÇIKLAMA: KİRA ÖDEMESİ",
             "{f}", "TCKN 1234567890", "ŞUBE: {s}", "DEKONT NO {r}"]
    opening = amount(rng, 5000, 60000)
    bal = opening
    recs = []
    slip = rng.randint(100, 900)
    for i, d in enumerate(ds):
        code, text, sign = rng.choice(kinds)
        while sign < 0 and bal < 1_000_00:
            code, text, sign = rng.choice(kinds)
        k = amount(rng, 50, 40000) if sign > 0 else amount(rng, 5, 15000)
        if sign < 0:
            k = min(k, bal * 4 // 5)
        bal += sign * k
        conts = []
        for _ in range(rng.choice([0, 1, 1, 2]) if i else 1):
            conts.append(rng.choice(extra).format(
                y=year, m=month, r=rng.randint(10000, 999999), s=rng.choice(DISTRICTS),
                f=owner[:24].strip())[:24].strip())
        if i == 1:
            conts = conts[:1] + ["ÖDEME EMRİ NO 4711"]
        recs.append({"no": str(i + 1), "date": d, "slip": f"{slip:06d}",
                     "vdate": d + dt.timedelta(days=rng.choice([0, 0, 0, 1, 2])),
                     "code": code, "text": " ".join([text] + conts), "_first": text,
                     "amt": sign * k,
                     "mark": "A" if sign > 0 else "B", "bal": bal,
                     "_cont": conts, "_cont_key": "text"})
        slip += rng.randint(1, 4)
    cols = []
    keys = [("no", "NO", "code", "R"), ("date", "TARİH", "date", "L"),
            ("slip", "FİŞ NO", "code", "L"), ("vdate", "VALÖR", "date", "L"),
            ("code", "İŞLEM", "code", "L"),
            ("text", "AÇIKLAMA", "text", "L"), ("amt", "TUTAR", "amount", "R"),
            ("mark", "B/A", "marks", "C"), ("bal", "BAKİYE", "amount", "R")]
    pos = 1
    for (key, head, kind, align), w in zip(keys, AK_WIDTHS):
        fmt = None
        if kind == "date":
            fmt = "ddmmyyyy"
        elif key == "amt":
            fmt = money(".", ",", "leading-minus")
        elif key == "bal":
            fmt = money(".", ",", "leading-minus", marker="=")
        elif key == "slip":
            fmt = {"marker": "="}
        c = Col(key, head, w, kind, align, fmt, "sum" if key == "amt" else
                ("last" if key == "bal" else None))
        c.start = pos
        pos += w
        cols.append(c)
    span = {"date": (5, 12), "vdate": (22, 29), "amt": (63, 85), "bal": (92, 127),
            "slip": (14, 20), "no": (1, 4), "code": (31, 38), "text": (39, 62), "mark": (87, 91)}
    doc = Doc("akbank-ekstre-devam")

    class AkTable:
        framed = False

    AkTable.cols = cols
    doc.table_columns(AkTable, {"bal": {"plus": ["TUTAR"], "opening": plain(opening)}})
    for c in doc.columns:
        c["span"] = list(span[c["key"]])

    def tline(r, bal_marker):
        return ak_fields(r["no"].rjust(4), fmt_date(r["date"], "ddmmyyyy"), "=" + r["slip"],
                         " " + fmt_date(r["vdate"], "ddmmyyyy"), r["code"], r["_first"],
                         render_amount(r["amt"], cols[6].fmt).rjust(23), r["mark"].center(5),
                         (bal_marker + render_amount(r["bal"], cols[6].fmt)).rjust(36))

    branch = rng.choice(DISTRICTS)
    bcode = f"{rng.randint(1, 999):04d}"
    acct = f"{rng.randint(1000000, 9999999)}"
    # TR, two check digits, the bank's code 00046, a reserved 0, the branch, the account
    full = f"TR{rng.randint(10, 99)}000460{bcode}{rng.randint(10**11, 10**12 - 1)}"
    iban = " ".join(full[i:i + 4] for i in range(0, len(full), 4))
    issuer = f"{bcode} {branch} / {rng.choice(CITIES)}"
    period = f"01.{month:02d}.{year} - {fmt_date(ds[-1] + dt.timedelta(days=1), 'dd.mm.yyyy')}"
    heading = ak_fields(" NO", "TARİH", "FİŞ NO", " VALÖR", "İŞLEM", "AÇIKLAMA",
                        "TUTAR".rjust(23), " B/A", "BAKİYE".rjust(36))
    hl = [doc.add("AKBANK T.A.Ş.", "header"),
          doc.add(ak_fields("", "", "", "", "", "HESAP EKSTRESİ", period), "header"),
          doc.add(" " * 38 + owner[:60], "header"),
          doc.add("", "blank"),
          doc.add(f"    DÜZENLEYEN ŞUBE : {issuer}", "header"),
          doc.add(f"    HESAP ŞUBESİ    : {bcode} {branch}        HESAP NO : {acct}", "header"),
          doc.add(f"    IBAN            : {iban}", "header"),
          doc.add("", "blank"),
          doc.add(heading, "heading"),
          doc.add("-" * 127, "rule")]
    doc.fields += [{"label": "DÜZENLEYEN ŞUBE", "value": issuer},
                   {"label": "HESAP NO", "value": acct}, {"label": "IBAN", "value": iban}]
    for i, r in enumerate(recs):
        ns = [doc.add(tline(r, "=" if i == 0 else ""), "record")]
        for piece in r["_cont"]:
            ns.append(doc.add(" " * 38 + piece, "record"))
        doc.record(ns, 1, r)
    doc.add("=" * 127, "rule")
    debit = sum(r["amt"] for r in recs if r["amt"] < 0)
    credit = sum(r["amt"] for r in recs if r["amt"] > 0)
    for label, value, mark in (("BORÇ TOPLAMI", debit, "B"), ("ALACAK TOPLAMI", credit, "A")):
        line = doc.add(ak_fields("", "", "", "", "", label,
                                 render_amount(value, cols[6].fmt).rjust(23)), "total")
        doc.total(line, label, "TOPLAM", "all", {"where": {"B/A": mark}}, 1, {"amt": value})
    line = doc.add(ak_fields("", "", "", "", "", "DÖNEM SONU BAKİYE", "", "",
                             ("=" + render_amount(bal, cols[6].fmt)).rjust(36)), "total")
    doc.total(line, "DÖNEM SONU BAKİYE", "DÖNEM SONU BAKİYE", "all", {}, 1, {"bal": bal})
    doc.add("", "blank")
    doc.add(" " * 38 + "Bu ekstre bilgi amaçlıdır.", "note")
    doc.pages.append({"page": 1, "first_line": 1, "last_line": doc.n, "header_lines": hl})
    doc.notes.append("Dates are packed ddmmyyyy at positions 5-12 and 22-29. The slip number and "
                     "some balances are printed behind a \"=\", which is no part of the value. "
                     "The heading is in code page 857 like the rest, so its TARİH holds the DOS "
                     "byte for İ.")
    return doc, ("An Akbank account statement in code page 857 whose transactions carry one or "
                 "two description continuation lines (blank date field, text under the "
                 "description column).")
