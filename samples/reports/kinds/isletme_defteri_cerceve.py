"""A small business's book of expenses and income (işletme hesabı defteri) drawn in a box frame
of single lines (┌─┬─┐ │ ├─┼─┤ └─┴─┘, in variants the all-double ╔═╦═╗ ║ ╠═╬═╣ ╚═╩═╝), with page
totals, the sums carried over page breaks and a grand total inside the frame."""

from ..doc import Doc
from ..draw import FIRMS, MORE_FIRMS, Picker, amount, dates, person
from ..layout import Col, Frame, clip, heading_case, spread
from ..pager import PageSums, Pager
from ..values import MONTHS, money

EXPENSES = [("buy", ["Mal alışı - {f}", "Alış faturası {n}", "Toptan alış - {f}"]),
            ("cost", ["Dükkan kirası ({m})", "Elektrik faturası", "Su faturası", "Telefon",
                      "Muhasebe ücreti ({m})", "SGK primi ({m})", "Yakıt gideri", "Kırtasiye"])]
INCOMES = [("sale", ["Perakende satış ({m})", "Satış faturası {n}", "Z raporu {n}"]),
           ("gain", ["Faiz geliri", "Kira geliri ({m})", "Hurda satışı"])]


def build(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2008, 2005, 2024)
    owner = person(rng)
    trade = P.pick("Tuhafiye", ["Tuhafiye", "Bakkaliye", "Kırtasiye", "Hırdavat", "Manifatura"])
    pool = [f for f in MORE_FIRMS + FIRMS]
    n = P.num(70, 20, 110)
    recs = []
    for d in dates(rng, n, year):
        kind, texts = rng.choice(EXPENSES + INCOMES + INCOMES[:1])
        text = rng.choice(texts).format(f=rng.choice(pool), n=rng.randint(100, 99999),
                                        m=MONTHS[d.month - 1])
        k = amount(rng, *{"buy": (500, 60_000), "cost": (20, 9_000), "sale": (50, 25_000),
                          "gain": (10, 3_000)}[kind])
        recs.append({"date": d, "doc": f"{rng.randint(1, 99999):05d}", "text": text,
                     kind: k})
    amt = money(",", ".")
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("date", ("", "Tarih"), 12, "date", fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy",
                                                                            "dd/mm/yyyy"])),
            Col("doc", ("Belge", "No"), 9, "code"),
            Col("text", ("", "Açıklama"), P.pick(30, [28, 30, 34]), "text"),
            Col("buy", ("Mal", "Alışı"), aw, "amount", "R", amt, "sum"),
            Col("cost", ("Diğer", "Giderler"), aw, "amount", "R", amt, "sum"),
            Col("sale", ("Satış", "Hasılatı"), aw, "amount", "R", amt, "sum"),
            Col("gain", ("Diğer", "Gelirler"), aw, "amount", "R", amt, "sum")]
    heading_case(P, cols)
    frame = Frame(cols, P.pick("single", ["single", "single", "double"]))
    for r in recs:
        clip(frame, r)
    W = frame.width
    doc = Doc("isletme-defteri-cerceve", version=2)
    doc.table_columns(frame)

    def header(p):
        return ([(spread(W, "", f"{owner} - {trade}"), "header"),
                 (spread(W, f"İŞLETME HESABI DEFTERİ  ({year})", "", f"Sayfa : {p}"), "header"),
                 ("", "blank"), (frame.top(), "frame")]
                + [(h, "heading") for h in frame.headings()] + [(frame.inner(), "frame")])

    keys = ["buy", "cost", "sale", "gain"]
    text = frame.col("text")
    sums = PageSums(doc, frame, keys, {
        "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"),
        "nakli": (P.pick("NAKLİ YEKÜN", ["NAKLİ YEKÜN", "Sonraki Sayfaya"]), "NAKLİ YEKÜN"),
        "devir": (P.pick("DEVİR", ["DEVİR", "Önceki Sayfadan"]), "DEVİR"),
        "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}, text.start + 1,
        before=[(frame.inner(), "frame")], after=[(frame.bottom(), "frame")])
    pager = Pager(doc, P.num(56, 40, 66), header, ff=P.chance(True, 0.6), closing=sums.closing,
                  opening=sums.opening, reserve=sums.reserve())
    sums.pager = pager
    for r in recs:
        def wrote(n, r=r):
            sums.record(r)
            doc.record([n], pager.page, r)
        pager.block([(frame.values(r), "record", wrote)])
    pager.finish(sums.finish())
    doc.fields.append({"label": "Mükellef", "value": f"{owner} - {trade}"})
    doc.notes.append("The frame is drawn with the single-line (or all-double) box characters; "
                     "the totals stand inside the frame, under a rule, its bottom line under "
                     "them.")
    return doc, ("A book of expenses and income in a box frame of single (or double) lines, "
                 "with page totals, carried sums and a grand total."), None
