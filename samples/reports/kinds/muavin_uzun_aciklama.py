"""A sub-ledger whose descriptions wrap onto one or two continuation lines."""

from ..values import money
from ..layout import Col, Table, cols_h, heading_case, spread
from ..doc import Doc
from ..draw import Picker, firm_pool, long_text, movements, running, slip_numbers, wrap
from ..ledger import Ledger



def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm, supplier = firm_pool(rng, 2)
    n = P.num(28, 15, 45)
    text_w = P.pick(24, [20, 24, 26, 28])
    recs = movements(rng, n, year, "S", big=False)
    wants = [1, 2] + [0, 0, 1, 1, 2, 0] * 10
    for i, r in enumerate(recs):
        want = wants[i % len(wants)] if i else 0
        if r["text"] in ("", "Yuvarlama farkı") or "&" in r["text"]:
            want = 0
        if want:
            side = "B" if r["debit"] else "A"
            pieces = None
            for _ in range(50):
                text = long_text(rng, side, r["date"], supplier)
                # A word wider than the column cannot be wrapped: draw another text.
                if any(len(w) > text_w for w in text.split(" ")):
                    continue
                pieces = wrap(text, text_w)
                if len(pieces) - 1 == want:
                    break
            if pieces is None:
                want = 0
        if not want:  # a short text, wrapped all the same when it is wider than the column
            text = r["text"]
            pieces = wrap(text, text_w) if text else [""]
        # the program prints at most three lines of a text: the rest is lost
        pieces = pieces[:3]
        text = " ".join(pieces)
        r["text"] = text
        r["_first"], r["_cont"], r["_cont_key"] = pieces[0], pieces[1:], "text"
    ev = slip_numbers(rng, n, 6)
    for r, e in zip(recs, ev):
        r["slip"] = e
        r["doc"] = rng.choice([f"{rng.randint(1, 99999):05d}", f"A{rng.randint(1, 999999):06d}",
                               f"{year}/{rng.randint(1, 999):03d}", ""])
    running(recs, key="bal", mark="mark")
    amt = money()
    aw = P.pick(13, [13, 14])
    cols = [Col("date", "Tarih", 8, "date", fmt="dd.mm.yy"),
            Col("slip", P.pick("Yevmiye", ["Yevmiye", "Fiş No", "Yev.No"]), 7, "code"),
            Col("doc", P.pick("Evrak No", ["Evrak No", "Belge No"]), 8, "code"),
            Col("text", "Açıklama", text_w, "text"),
            Col("debit", "Borç", aw, "amount", "R", amt, "sum"),
            Col("credit", "Alacak", aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", money(negative="unsigned"), "last"),
            Col("mark", "B/A", 3, "marks", "C", total="last")]
    if P.chance(False, 0.4):
        cols[1], cols[2] = cols[2], cols[1]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("muavin-uzun-aciklama")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "debit")],
                                      "minus": [cols_h(cols, "credit")], "opening": "0.00",
                                      "sign": {"column": "B/A", "B": 1, "A": -1}}})
    W = table.width
    code = f"320.{rng.randint(1, 5):02d}.{rng.randint(1, 9999):04d}"

    def header(p, np_, g):
        return [(spread(W, firm, "MUAVİN DEFTERİ", f"Sayfa: {p}"), "header"),
                (f"Hesap: {code}  {supplier}", "header"),
                (f"Tarih aralığı: 01.01.{year} - 31.12.{year}", "header"),
                ("", "blank")] + [(h, "heading") for h in table.headings()] + \
            [(table.rule(), "rule")]

    doc.fields += [{"label": "Hesap", "value": f"{code}  {supplier}"},
                   {"label": "Tarih aralığı", "value": f"01.01.{year} - 31.12.{year}"}]
    tcol = table.col("text")
    labels = {"devir": ("Önceki Sayfadan Devir", "DEVİR"),
              "nakli": ("Sonraki Sayfaya Devir", "DEVİR"),
              "grand": (P.pick("TOPLAM", ["TOPLAM", "Toplam", "GENEL TOPLAM"]), "TOPLAM")}
    keys = ["debit", "credit", "bal", "mark"]
    led = Ledger(doc, table, P.num(40, 34, 60), P.chance(True, 0.6), False, header,
                 lambda p, n_: [], labels, {"devir": keys, "nakli": keys, "grand": keys},
                 ((tcol.start, tcol.end), "L"), underline=True, blank_before_footer=0)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    for t in doc.totals:
        if t["label"] == "GENEL TOPLAM":
            t["keyword"] = "GENEL TOPLAM"
    doc.notes.append("A description longer than its column goes on in the lines below, which "
                     "hold nothing but that text; a record keeps all its lines on one page.")
    return doc, ("A sub-ledger whose descriptions wrap onto one or two continuation lines that "
                 "fill only the description column.")
