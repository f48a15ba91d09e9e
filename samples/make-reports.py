#!/usr/bin/env python3
"""Writes DOS accounting reports of eight kinds, each with a ground truth written from this
script's own data model (never by reading a report back).

    muavin-tek-hesap        one account's sub-ledger over several pages behind form feeds:
                            title block on every page, two-line headings over a rule line,
                            DEVİR on top of pages 2+, SAYFA TOPLAMI and NAKLİ YEKÜN at the
                            foot, GENEL TOPLAM, Turkish amounts, a running balance with B/A
                            marks in a one-character last column.
    muavin-cok-hesap        many accounts, no form feeds: pages of a fixed line count, the
                            account in every page header (a carried field), "- N -" footers,
                            HESAP TOPLAMI per account, amounts 1234.56, balances 1234.56-.
    kasa-defteri-cerceveli  a cash book in a box frame (╔═╤═╗, ║ │ ║, ╟─┼─╢, ╚═╧═╝) on every
                            page, two-line headings inside the frame, dates dd/mm/yy.
    mizan                   a trial balance with account codes of three levels in one column,
                            class totals and GENEL TOPLAM.
    muavin-uzun-aciklama    descriptions wrapped onto one or two continuation lines.
    tek-sayfa-lf            one page with LF line ends and leading-minus amounts.
    parantezli-sayfa        negatives in parentheses, five pages, footers "Sayfa 2/5".
    akbank-ekstre-devam     an Akbank statement (the layout the statement import reads) whose
                            transactions carry description continuation lines.

Reports are raw code page 857 bytes; the frame is written with the DOS bytes the import
expects (0xD1 ╤, 0xCF ╧, 0xB6 ╢, 0xC7 ╟ show as other glyphs in code page 857). Line ends
are CR LF, LF for tek-sayfa-lf.

truth.json (UTF-8) beside each report: the columns (heading, kind, carried page-header
fields with their labels, the character span of the values, the print format), every record
(its first line, all its lines, its page, its values: ISO dates, amounts "-1234.56" or null,
codes and texts as typed, continuation lines joined with one blank, marks "B"/"A"), every
total line (label, what it covers, the filter that says which records it sums, its printed
amounts), the pages and a role for every line of the report.

    python3 samples/make-reports.py                      # the eight fixed reports:
        samples/<kind>.txt and tests/data/clean/<kind>/report.txt + truth.json, then --check
    python3 samples/make-reports.py --seed N --out DIR   # one unseen variant of every kind:
        DIR/<kind>/report.txt + truth.json, then --check
    python3 samples/make-reports.py --check [DIR...]     # checks written cases (default: the
        folders under tests/data/clean): every printed total against the truth's records,
        every truth value at its line and span, the running balances and the line roles

Python 3 standard library only; the same arguments always give the same bytes.
"""

import argparse
import datetime as dt
import json
import math
import random
import sys
import zlib
from decimal import Decimal
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
CLEAN = ROOT / "tests" / "data" / "clean"
KINDS = ["muavin-tek-hesap", "muavin-cok-hesap", "kasa-defteri-cerceveli", "mizan",
         "muavin-uzun-aciklama", "tek-sayfa-lf", "parantezli-sayfa", "akbank-ekstre-devam"]

# --- code page 857 with the DOS frame -------------------------------------------------------
# The frame characters are written as the code page 437 bytes that DOS programs drew with.
FRAME_BYTES = {"╔": 0xC9, "═": 0xCD, "╤": 0xD1, "╗": 0xBB, "║": 0xBA, "│": 0xB3, "─": 0xC4,
               "┼": 0xC5, "├": 0xC3, "╢": 0xB6, "╟": 0xC7, "╚": 0xC8, "╧": 0xCF, "╝": 0xBC}
FRAME_CHARS = {b: ch for ch, b in FRAME_BYTES.items()}
TEXT_CHARS = {chr(c) for c in range(0x20, 0x7F)} | set("ÇçĞğİıÖöŞşÜü\f")


def encode_line(line: str) -> bytes:
    out = bytearray()
    for ch in line:
        if ch in FRAME_BYTES:
            out.append(FRAME_BYTES[ch])
        elif ch in TEXT_CHARS:
            out += ch.encode("cp857")
        else:
            raise ValueError(f"character {ch!r} not written in reports: {line!r}")
    return bytes(out)


def decode_line(raw: bytes) -> str:
    return "".join(FRAME_CHARS.get(b) or bytes([b]).decode("cp857") for b in raw)


# --- values ---------------------------------------------------------------------------------
MONTHS = ["Ocak", "Şubat", "Mart", "Nisan", "Mayıs", "Haziran", "Temmuz", "Ağustos", "Eylül",
          "Ekim", "Kasım", "Aralık"]


def tr_upper(s: str) -> str:
    return s.replace("i", "İ").replace("ı", "I").upper()


def plain(k):
    """Kuruş as the truth's decimal string: -123456 -> "-1234.56"."""
    if k is None:
        return None
    units, cents = divmod(abs(k), 100)
    return f"{'-' if k < 0 else ''}{units}.{cents:02d}"


def kurus(text: str) -> int:
    return int(Decimal(text) * 100)


def fmt_date(d: dt.date, pattern: str) -> str:
    return (pattern.replace("dd", f"{d.day:02d}").replace("mm", f"{d.month:02d}")
            .replace("yyyy", f"{d.year:04d}").replace("yy", f"{d.year % 100:02d}"))


def render_amount(k, notation: dict) -> str:
    """An amount in kuruş as the report prints it, by the truth's format of its column."""
    if k is None:
        return ""
    units, cents = divmod(abs(k), 100)
    digits = str(units)
    if notation["thousands"]:
        groups = []
        while len(digits) > 3:
            groups.insert(0, digits[-3:])
            digits = digits[:-3]
        digits = notation["thousands"].join([digits] + groups)
    text = f"{digits}{notation['decimal']}{cents:02d}"
    neg = notation["negative"]
    if k < 0:
        text = {"leading-minus": "-" + text, "trailing-minus": text + "-",
                "parentheses": "(" + text + ")", "unsigned": text}[neg]
    elif neg == "parentheses" and notation.get("positive_pad"):
        text += " "
    return text


def money(decimal=",", thousands=".", negative="leading-minus", positive_pad=False,
          marker=None) -> dict:
    notation = {"decimal": decimal, "thousands": thousands, "negative": negative}
    if positive_pad:
        notation["positive_pad"] = True
    if marker:
        notation["marker"] = marker
    return notation


class Col:
    """One column of a report table: where its values stand and how they are printed."""

    def __init__(self, key, head, width, kind, align="L", fmt=None, total=None):
        self.key, self.width, self.kind, self.align = key, width, kind, align
        self.head = head if isinstance(head, tuple) else ("", head)
        self.fmt, self.total = fmt, total
        self.start = 0  # 1-based position of the first character, set by the table

    @property
    def heading(self):
        return " ".join(p for p in self.head if p)

    @property
    def end(self):
        return self.start + self.width - 1

    def render(self, value) -> str:
        if value is None or value == "":
            return ""
        if self.kind == "date":
            return fmt_date(value, self.fmt)
        if self.kind == "amount":
            return render_amount(value, self.fmt)
        return value

    def truth(self, value):
        if value is None or value == "":
            return None
        if self.kind == "date":
            return value.isoformat()
        if self.kind == "amount":
            return plain(abs(value) if self.fmt["negative"] == "unsigned" else value)
        return value


def fit(text: str, width: int, align: str) -> str:
    if len(text) > width:
        raise ValueError(f"{text!r} is wider than {width}")
    return {"L": text.ljust, "R": text.rjust, "C": text.center}[align](width)


def put(buf: list, pos: int, text: str) -> None:
    """Writes text at the 1-based position pos of a line buffer that must be blank there."""
    for i, ch in enumerate(text):
        if ch == " ":
            continue
        if buf[pos - 1 + i] != " ":
            raise ValueError(f"overlap at {pos + i}: {''.join(buf)!r} <- {text!r}")
        buf[pos - 1 + i] = ch


class Table:
    """Columns parted by one blank and underlined by a rule line of hyphens."""

    framed = False

    def __init__(self, cols, margin=0):
        self.cols, self.margin = cols, margin
        pos = margin + 1
        for c in cols:
            c.start = pos
            pos += c.width + 1
        self.width = pos - 2

    def col(self, key):
        return next(c for c in self.cols if c.key == key)

    def line(self, cells: dict, overlays=()) -> str:
        buf = [" "] * (self.width + 40)
        for c in self.cols:
            text = cells.get(c.key) or ""
            if text:
                put(buf, c.start, fit(text, c.width, c.align))
        taken = {p for c in self.cols if cells.get(c.key) for p in range(c.start, c.end + 1)}
        for pos, text in overlays:
            if any(ch != " " and pos + i in taken for i, ch in enumerate(text)):
                raise ValueError(f"{text!r} at {pos} runs into a filled column")
            put(buf, pos, text)
        return "".join(buf).rstrip()

    def values(self, rec: dict, overlays=()) -> str:
        cells = {c.key: c.render(rec.get(c.key)) for c in self.cols}
        if rec.get("_cont"):  # a wrapped text: its first piece on the record's own line
            cells[rec["_cont_key"]] = rec["_first"]
        cells.update(rec.get("_print", {}))  # printed otherwise than the value reads
        return self.line(cells, overlays)

    def rule(self) -> str:
        return " " * self.margin + " ".join("-" * c.width for c in self.cols)

    def underline(self, keys) -> str:
        buf = [" "] * self.width
        for c in self.cols:
            if c.key in keys:
                put(buf, c.start, "-" * c.width)
        return "".join(buf).rstrip()

    def headings(self) -> list:
        """One or two heading lines, each heading over its column (right-aligned over amounts);
        a heading wider than its column leans left, pushing the headings beside it left."""
        out = []
        for level in (0, 1):
            parts = [(c, c.head[level]) for c in self.cols if c.head[level]]
            if not parts:
                continue
            buf = [" "] * (self.width + 1)
            limit = self.width + 2
            for c, text in reversed(parts):
                if c.align == "R" or len(text) > c.width:
                    a = c.end - len(text) + 1
                elif c.align == "C":
                    a = c.start + (c.width - len(text)) // 2
                else:
                    a = c.start
                a = min(a, limit - 1 - len(text))
                put(buf, a, text)
                limit = a
            out.append("".join(buf).rstrip())
        return out


class Frame(Table):
    """Columns in a box frame: ║ cell │ cell ║; a cell keeps one blank on either side."""

    framed = True

    def __init__(self, cols):
        self.cols, self.margin = cols, 0
        pos = 2
        for c in cols:
            c.start = pos
            pos += c.width + 1
        self.width = pos - 1

    def line(self, cells: dict, overlays=()) -> str:
        inner = []
        for c in self.cols:
            text = cells.get(c.key) or ""
            inner.append(" " + fit(text, c.width - 2, c.align) + " ")
        buf = list("║" + "│".join(inner) + "║")
        for pos, text in overlays:
            for i, ch in enumerate(text):
                if ch != " ":
                    assert buf[pos - 1 + i] == " ", (buf, text)
                    buf[pos - 1 + i] = ch
        return "".join(buf)

    def rule_line(self, left, fill, tee, right) -> str:
        return left + tee.join(fill * c.width for c in self.cols) + right

    def top(self):
        return self.rule_line("╔", "═", "╤", "╗")

    def inner(self):
        return self.rule_line("╟", "─", "┼", "╢")

    def bottom(self):
        return self.rule_line("╚", "═", "╧", "╝")

    def headings(self) -> list:
        out = []
        for level in (0, 1):
            if any(c.head[level] for c in self.cols):
                out.append(self.line({c.key: c.head[level] for c in self.cols}))
        return out


def spread(width: int, left="", center="", right="") -> str:
    buf = [" "] * width
    if left:
        put(buf, 1, left)
    if center:
        put(buf, (width - len(center)) // 2 + 1, center)
    if right:
        put(buf, width - len(right) + 1, right)
    return "".join(buf).rstrip()


# --- the report and its truth ---------------------------------------------------------------
class Doc:
    """The lines of one report with the role of each line and the truth built beside them."""

    def __init__(self, kind, line_end="CRLF"):
        self.kind, self.line_end = kind, line_end
        self.lines, self.roles = [], []
        self.columns, self.records, self.totals, self.pages, self.fields = [], [], [], [], []
        self.notes = []
        self.form_feeds = False

    def add(self, text: str, role: str) -> int:
        if text.startswith("\f"):
            self.form_feeds = True
        self.lines.append(text.rstrip())
        self.roles.append(role if text.strip("\f ") else "blank")
        return len(self.lines)

    @property
    def n(self):
        return len(self.lines)

    def carried(self, key, label, kind):
        self.columns.append({"key": key, "heading": label, "kind": kind, "carried": True,
                             "label": label})

    def table_columns(self, table, running=None):
        for c in table.cols:
            col = {"key": c.key, "heading": c.heading, "kind": c.kind, "carried": False,
                   "span": [c.start + (1 if table.framed else 0),
                            c.end - (1 if table.framed else 0)]}
            if c.kind == "date":
                col["format"] = c.fmt
            elif c.kind == "amount":
                col["format"] = dict(c.fmt)
            elif c.kind in ("code", "marks") and c.fmt:
                col["format"] = dict(c.fmt)
            if c.total:
                col["total"] = c.total
            if running and c.key in running:
                col["running"] = running[c.key]
            self.columns.append(col)
        self._cols = {c.key: c for c in table.cols}

    def heading_of(self, key):
        return next(c["heading"] for c in self.columns if c["key"] == key)

    def truth_value(self, key, value):
        col = next(c for c in self.columns if c["key"] == key)
        if col["carried"]:
            return value if value not in ("", None) else None
        return self._cols[key].truth(value)

    def record(self, lines, page, rec, extra=None):
        r = {"line": lines[0], "lines": list(lines), "page": page,
             "values": [self.truth_value(c["key"], rec.get(c["key"])) for c in self.columns]}
        if extra:
            r.update(extra)
        self.records.append(r)
        for i in lines[1:]:
            self.roles[i - 1] = "continuation"

    def total(self, line, label, keyword, covers, scope, page, printed: dict):
        amounts, marks = {}, {}
        for key, value in printed.items():
            col = self._cols[key]
            (marks if col.kind == "marks" else amounts)[col.heading] = col.truth(value)
        t = {"line": line, "label": label, "keyword": keyword, "covers": covers,
             "scope": scope, "page": page, "amounts": amounts}
        if marks:
            t["marks"] = marks
        self.totals.append(t)
        self.roles[line - 1] = "total"

    def truth(self, description, record_definition):
        runs = []
        for i, role in enumerate(self.roles, start=1):
            if runs and runs[-1][2] == role and runs[-1][1] == i - 1:
                runs[-1][1] = i
            else:
                runs.append([i, i, role])
        columns = [{k: v for k, v in c.items() if k != "key"} for c in self.columns]
        return {
            "kind": self.kind,
            "description": description,
            "file": "report.txt",
            "encoding": "cp857",
            "line_end": self.line_end,
            "form_feeds": self.form_feeds,
            "line_count": self.n,
            "record_definition": record_definition,
            "conventions": CONVENTIONS,
            "notes": self.notes,
            "report_fields": self.fields,
            "columns": columns,
            "records": self.records,
            "totals": self.totals,
            "pages": self.pages,
            "line_roles": runs,
        }

    def report_bytes(self) -> bytes:
        end = b"\r\n" if self.line_end == "CRLF" else b"\n"
        return b"".join(encode_line(line) + end for line in self.lines)


CONVENTIONS = (
    "Lines are counted from 1 as the file's line breaks part them; a form feed belongs to the "
    "line it starts. Values: dates ISO; amounts decimal strings with a point and a leading "
    "minus for a negative amount, however the report marks it (a leading or trailing minus, "
    "parentheses); a balance whose side stands in a B/A column keeps its printed magnitude and "
    "the mark says the side; "
    "blank cells are null; codes and texts as printed, continuation lines joined with one "
    "blank. Carried columns are page-header fields that change between pages; their value is "
    "the one in the header of the record's page. A total covers a page, an account, a group "
    "(mizan class), all records, or is carried (the sums up to a page). Its scope says which "
    "records: "
    "page (records of that page), through_page (records up to and including that page), where "
    "(column heading -> value), prefix (column heading -> leading text), level (mizan level); "
    "an empty scope covers all records. A total's label is its printed text, its keyword the "
    "total word in it (DEVİR, NAKLİ YEKÜN, SAYFA TOPLAMI, HESAP TOPLAMI, GENEL TOPLAM, TOPLAM, "
    "YEKÜN, DÖNEM SONU BAKİYE). A column's total is 'sum' (the sum over the scope) or "
    "'last' (the value of the scope's last record, for running balances). span is the 1-based "
    "character range in which the column's values stand. line_roles: [first, last, role] runs "
    "of header, heading, rule, frame, blank, record, continuation, total, footer, note.")


class Picker:
    """Fixed reports take the given value; variants draw one."""

    def __init__(self, rng, variant):
        self.rng, self.variant = rng, variant

    def pick(self, fixed, choices):
        return self.rng.choice(choices) if self.variant else fixed

    def num(self, fixed, lo, hi):
        return self.rng.randint(lo, hi) if self.variant else fixed

    def chance(self, fixed, p):
        return (self.rng.random() < p) if self.variant else fixed


# --- names and texts ------------------------------------------------------------------------
FIRMS = [
    "ÖZTÜRK GIDA SANAYİ VE TİCARET A.Ş.", "AKSOY NAKLİYAT LTD.ŞTİ.", "YILDIZ ECZA DEPOSU LTD.ŞTİ.",
    "ÇAĞLAYAN İNŞAAT TAAHHÜT A.Ş.", "GÜNEŞ KIRTASİYE TİC.LTD.ŞTİ.",
    "ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.", "KARADENİZ BALIKÇILIK LTD.ŞTİ.",
    "ŞAHİN & OĞULLARI TEKSTİL LTD.ŞTİ.", "DOĞU ANADOLU ÇİMENTO A.Ş.",
    "BİLGİÇ MÜHENDİSLİK MÜŞAVİRLİK LTD.ŞTİ.", "KOÇAK ZÜCCACİYE VE HIRDAVAT",
    "TOROS GÜBRE VE KİMYA A.Ş.", "ÜNAL ELEKTRİK MALZ.SAN.TİC.LTD.ŞTİ.",
    "ÖZGÜR BASIM YAYIN DAĞITIM A.Ş.", "AYDIN & ÇELİK ORTAKLIĞI",
    "İPEKYOLU TURİZM SEYAHAT LTD.ŞTİ.", "GÖKÇE TARIM ÜRÜNLERİ A.Ş.", "ŞİMŞEK MOBİLYA DEKORASYON",
    "ERGÜN \"ALTIN\" KUYUMCULUK", "Mehmet Işık - Işık Ticaret", "AKDENİZ YAPI MALZ.TİC.LTD.ŞTİ.",
    "ÇUKUROVA PAMUK İPLİK SAN.A.Ş.", "Güler Kuruyemiş Gıda Ltd.Şti.", "EGE SÜT ÜRÜNLERİ A.Ş.",
    "KAPADOKYA HALI KİLİM LTD.ŞTİ.", "Doğan & Şükrü Ağaoğlu Kollektif Şti.", "ULUDAĞ İÇECEK A.Ş.",
    "MARMARA BOYA VERNİK SAN.TİC.A.Ş.", "TUNÇ HIRDAVAT - TUNÇ İSMAİL", "GÜNDOĞDU PETROL ÜRÜNLERİ",
]
BANKS = ["T.İş Bankası", "Ziraat Bankası", "Garanti Bankası", "Yapı Kredi", "Akbank", "Halkbank",
         "Vakıfbank", "Şekerbank", "Denizbank", "Türk Ekonomi Bankası", "Finansbank"]
CITIES = ["İSTANBUL", "İZMİR", "ANKARA", "BURSA", "KONYA", "ESKİŞEHİR", "GAZİANTEP", "ÇORUM",
          "MUĞLA", "DİYARBAKIR", "ŞANLIURFA", "KIRŞEHİR", "UŞAK", "AĞRI", "ÇANAKKALE"]
DISTRICTS = ["KADIKÖY", "ÜSKÜDAR", "ŞİŞLİ", "BEŞİKTAŞ", "KONAK", "ÇANKAYA", "NİLÜFER", "SELÇUKLU",
             "BAĞCILAR", "KARŞIYAKA", "ESENYURT", "TEPEBAŞI", "MERKEZ", "GÜNGÖREN"]


def firm_pool(rng, n, exclude=()):
    pool = [f for f in FIRMS if f not in exclude]
    rng.shuffle(pool)
    return pool[:n]


POSTING_TEXTS = {
    # a customer's account (120): debits are invoices, credits are collections
    ("C", "B"): ["Satış faturası No: {n}", "Fatura {n}, {n2}", "Fiyat farkı faturası {n}",
                 "Vade farkı faturası {n}", "Masraf yansıtma ({month})", "Satış faturası {n}",
                 "Satış faturası \"{month}\"", "Nakliye & hamaliye yansıtma", "Fatura {n}",
                 "Kur farkı faturası {n}", "Satış faturası No: {n}"],
    ("C", "A"): ["Çek tahsilatı - {bank}", "Havale, {bank}", "Tahsilat makbuzu {n}",
                 "Senet tahsili ({n})", "Kredi kartı tahsilatı", "İade faturası {n}",
                 "İskonto faturası \"{month}\"", "Nakit tahsilat", "EFT, {bank}",
                 "Virman: 120.01 -> 320.01", "Havale, {bank}", "Çek tahsilatı - {bank}"],
    # a supplier's account (320): credits are invoices, debits are payments
    ("S", "A"): ["Alış faturası {n}", "Fatura {n}, {n2}", "Fiyat farkı faturası {n}",
                 "Nakliye & hamaliye", "{month} ayı kira bedeli", "Hizmet faturası {n}",
                 "Alış faturası No: {n}", "Kur farkı <düz.> & yuvarlama", "Alış faturası {n}"],
    ("S", "B"): ["Ödeme emri - {bank}", "Verilen çek No: {n}", "Havale, {bank}", "EFT, {bank}",
                 "İade faturası \"{month}\"", "Nakit ödeme", "Mahsup fişi, önceki dönem",
                 "Senet ödemesi ({n})", "Dekont {n} / {bank}", "Ödeme emri - {bank}"],
}


def description(rng, party: str, side: str, d: dt.date) -> str:
    """A posting text of a customer's ("C") or supplier's ("S") account, by its side."""
    n = rng.randint(1000, 99999)
    return rng.choice(POSTING_TEXTS[party, side]).format(
        n=n, n2=n + rng.randint(1, 9), month=MONTHS[d.month - 1], bank=rng.choice(BANKS))


LONG_TEXTS = {
    # a supplier's account: credits are invoices, debits are payments and returns
    "A": ["Mal alış faturası {n} ({city} şb.) nakliye ve sigorta dahil",
          "{month} ayı kira bedeli, stopaj %20 ve damga vergisi dahil",
          "Alış faturası {n}, {n2} ve {n3} toplu fatura; vade farkı ile",
          "Nakliye & hamaliye bedeli, {city} - {city2} arası {n3} kg",
          "Fiyat farkı faturası {n} ({month} ayı sözleşme revizyonu)",
          "Hizmet faturası {n}: \"{month}\" bakım, onarım & yedek parça"],
    "B": ["Çek ödemesi - {bank} {city} şubesi, çek no {n}, vadesi {date}",
          "Havale, {bank} - {firm} ödemesi",
          "İade faturası {n}: hasarlı ürün, irsaliye {n2}",
          "Cari hesap mutabakatı gereği kur farkı düzeltmesi & yuvarlama",
          "Senet ödemesi ({n}) protesto masrafı ve faizi dahil",
          "Ödeme emri - {bank}, {month} ayı faturaları kapatma ({n})"],
}


def long_text(rng, side, d, firm):
    city, city2 = rng.sample(CITIES, 2)
    return rng.choice(LONG_TEXTS[side]).format(
        n=rng.randint(10000, 99999), n2=rng.randint(10000, 99999), n3=rng.randint(100, 9999),
        city=city_title(city), city2=city_title(city2), date=fmt_date(d, "dd.mm.yyyy"),
        month=MONTHS[d.month - 1], bank=rng.choice(BANKS), firm=firm)


def city_title(city: str) -> str:
    first, rest = city[0], city[1:]
    return first + rest.replace("I", "ı").replace("İ", "i").lower()


def amount(rng, lo=1.0, hi=400_000.0) -> int:
    """An amount in kuruş, spread over orders of magnitude; a third of them whole liras."""
    k = int(round(math.exp(rng.uniform(math.log(lo), math.log(hi))) * 100))
    if rng.random() < 0.35:
        k = max(100, k - k % 100)
    return max(k, 1)


def dates(rng, n, year, first_month=1, last_month=12):
    start = dt.date(year, first_month, 1)
    end = (dt.date(year + 1, 1, 1) if last_month == 12 else dt.date(year, last_month + 1, 1))
    days = (end - start).days
    out = sorted(start + dt.timedelta(days=rng.randrange(days)) for _ in range(n))
    return out


def slip_numbers(rng, n, width=6, start=None):
    k = start if start is not None else rng.randint(1, 400)
    out = []
    for _ in range(n):
        out.append(f"{k:0{width}d}")
        k += rng.randint(1, 25)
    return out


def movements(rng, n, year, party="C", big=True, tiny=True, empty=True):
    """Postings of one current account (dicts with date, debit, credit, text): invoices on the
    account's own side, payments that settle part, all or a little more of the balance, so
    that the balance now and then reaches zero or changes side. The specials (0,01, over a
    million, quotes and an ampersand, an empty text) are put at places drawn here."""
    own_side = "B" if party == "C" else "A"
    other = "A" if own_side == "B" else "B"
    ds = dates(rng, n - 1, year)
    ds.insert(0, dt.date(year, 1, 1))
    recs, own = [], 0  # own: the balance on the account's own side
    big_at = rng.randrange(n // 3, n - 2) if big and n >= 6 else -1
    for i, d in enumerate(ds):
        if i == 0:
            side, k, text = own_side, amount(rng, 500, 60_000), "Açılış fişi"
        elif i == big_at:
            side, k = own_side, rng.randint(1_000_000_00, 4_800_000_00)
            text = description(rng, party, side, d)
        elif own > 0 and (rng.random() < 0.45 or i == big_at + 1):
            side = other
            r = rng.random()
            if r < 0.2:
                k = own  # settles the account
            elif r < 0.3:
                k = own + amount(rng, 10, 5_000)  # a little more: the balance changes side
            else:
                k = max(1, int(own * rng.uniform(0.1, 0.9)))
                if k > 100_00:
                    k -= k % 100
            text = description(rng, party, side, d)
        else:
            side = own_side
            k = amount(rng, 1, 5_000) if rng.random() < 0.12 else amount(rng, 50, 150_000)
            text = description(rng, party, side, d)
        recs.append({"date": d, "debit": k if side == "B" else None,
                     "credit": k if side == "A" else None, "text": text})
        own += k if side == own_side else -k
    if n < 6:
        return recs
    free = [i for i in range(2, n) if i not in (big_at, big_at + 1)]
    tiny_at, empty_at, quote_at = rng.sample(free, 3)
    if tiny:
        recs[tiny_at].update({other == "B" and "debit" or "credit": 1,
                              own_side == "B" and "debit" or "credit": None,
                              "text": "Yuvarlama farkı"})
    if empty:
        recs[empty_at]["text"] = ""
    r = recs[quote_at]
    r["text"] = rng.choice([f"Fatura \"{MONTHS[r['date'].month - 1]}\" & nakliye, iade",
                            "Çay, şeker & su \"ofis\"", "Kırtasiye, toner & kağıt"])
    return recs


def running(recs, debit="debit", credit="credit", start=0, key="bal", mark=None):
    bal = start
    for r in recs:
        bal += (r.get(debit) or 0) - (r.get(credit) or 0)
        r[key] = bal
        if mark:
            r[mark] = "B" if bal > 0 else ("A" if bal < 0 else None)
    return bal


# --- paged ledgers --------------------------------------------------------------------------
class Ledger:
    """A paged sub-ledger: page header, records, carried sums, page, account and grand totals.

    header(page, pages, group) -> [(text, role)]; footer(page, pages) -> [(text, role)].
    Labels (printed text, keyword) of totals; printed[kind] lists the keys a total prints.
    """

    def __init__(self, doc, table, page_len, ff, pad, header, footer, labels, printed,
                 label_at, underline=True, per_group_page=True, blank_before_footer=1,
                 framed_close=False, blank_after_devir=False):
        self.doc, self.table, self.page_len = doc, table, page_len
        self.ff = ff  # a form feed starts each page after the first
        self.pad = pad  # no form feeds: blank lines fill each page to page_len
        self.header, self.footer = header, footer
        self.labels, self.printed, self.label_at = labels, printed, label_at
        self.underline = underline  # hyphens under the amounts above the totals
        self.per_group_page = per_group_page  # each account begins a new page
        self.blank_before_footer = blank_before_footer
        self.framed_close = framed_close  # inner rule above the totals, frame's bottom line
        self.blank_after_devir = blank_after_devir
        self.all_groups = []

    def closing(self, kind, last_group):
        """The items that close a page: kind "cont" (the group goes on) or "final"."""
        items = []
        if self.framed_close:
            items.append(("line", self.table.inner(), "frame"))
        elif self.underline:
            items.append(("underline",))
        if self.labels.get("page"):
            items.append(("total", "page"))
        if kind == "cont":
            if self.labels.get("nakli"):
                items.append(("total", "nakli"))
        else:
            if self.labels.get("account"):
                items.append(("total", "account"))
            if last_group and self.labels.get("grand"):
                items.append(("total", "grand"))
        if self.framed_close:
            items.append(("line", self.table.bottom(), "frame"))
        if len(items) == 1 and items[0] == ("underline",):
            return []
        return items

    def plan(self, groups):
        header_len = len(self.header(1, 1, groups[0]))
        footer_len = len(self.footer(1, 1)) + (self.blank_before_footer if self.footer(1, 1) else 0)
        cap = self.page_len - header_len - footer_len
        pages = []
        for gi, g in enumerate(groups):
            last_group = gi == len(groups) - 1
            cont = self.closing("cont", False)
            final = self.closing("final", last_group)
            if gi == 0 or self.per_group_page:
                pages.append({"group": g, "items": [], "used": 0})
            for ri, r in enumerate(g["records"]):
                h = 1 + len(r.get("_cont", []))
                last = ri == len(g["records"]) - 1
                page = pages[-1]
                need = h + (len(final) if last else len(cont))
                if page["used"] + need > cap:
                    page["items"] += cont
                    pages.append({"group": g, "items": [], "used": 0})
                    page = pages[-1]
                    if self.labels.get("devir"):
                        page["items"].append(("total", "devir"))
                        page["used"] += 1
                        if self.blank_after_devir:
                            page["items"].append(("line", "", "blank"))
                            page["used"] += 1
                    assert page["used"] + need <= cap, "page too short for one record"
                page["items"].append(("record", r))
                page["used"] += h
            pages[-1]["items"] += final
            pages[-1]["used"] += len(final)
        return pages

    def write(self, groups, carried_key=None):
        """Writes the pages; carried_key names the group fields carried into each record."""
        doc, table = self.doc, self.table
        self.all_groups = groups
        pages = self.plan(groups)
        npages = len(pages)
        seen = {}  # group id -> records written so far
        for pno, page in enumerate(pages, start=1):
            g = page["group"]
            first = doc.n + 1
            header_lines = []
            for i, (text, role) in enumerate(self.header(pno, npages, g)):
                if i == 0 and pno > 1 and self.ff:
                    text = "\f" + text
                header_lines.append(doc.add(text, role))
            page_recs = []
            done = seen.setdefault(id(g), [])
            for item in page["items"]:
                if item[0] == "record":
                    r = item[1]
                    clip(table, r)
                    n0 = doc.add(table.values(r), "record")
                    ns = [n0]
                    for piece in r.get("_cont", []):
                        ns.append(doc.add(table.line({r["_cont_key"]: piece}), "record"))
                    doc.record(ns, pno, r, r.get("_extra"))
                    page_recs.append(r)
                    done.append(r)
                elif item[0] == "underline":
                    doc.add(table.underline(self.sum_keys()), "rule")
                elif item[0] == "line":
                    doc.add(item[1], item[2])
                else:
                    self.write_total(item[1], pno, g, page_recs, done, carried_key)
            if self.pad:
                while doc.n - first + 1 < self.page_len - len(self.footer(pno, npages)):
                    doc.add("", "blank")
            elif self.footer(pno, npages):
                for _ in range(self.blank_before_footer):
                    doc.add("", "blank")
            for text, role in self.footer(pno, npages):
                doc.add(text, role)
            info = {"page": pno, "first_line": first, "last_line": doc.n,
                    "header_lines": header_lines}
            if carried_key:
                info["fields"] = {doc.heading_of(k): g["fields"][k] for k in carried_key}
            doc.pages.append(info)

    def sum_keys(self):
        keys = set()
        for kind in self.printed.values():
            keys |= {k for k in kind if self.table.col(k).kind == "amount"}
        return keys

    def write_total(self, kind, pno, g, page_recs, done, carried_key):
        doc, table = self.doc, self.table
        if kind == "page":
            recs, scope, covers = page_recs, {"page": pno}, "page"
        elif kind in ("nakli", "devir"):
            recs = list(done)
            through = pno if kind == "nakli" else pno - 1
            scope, covers = {"through_page": through}, "carried"
        elif kind == "account":
            recs, scope, covers = list(done), {}, "account"
        else:
            recs, scope, covers = [r for gg in self.all_groups for r in gg["records"]], {}, "all"
        if carried_key and kind != "grand":
            scope["where"] = {doc.heading_of(k): g["fields"][k] for k in carried_key}
        values = {}
        for key in self.printed[kind]:
            col = table.col(key)
            if col.total == "last":
                values[key] = recs[-1].get(key) if recs else None
            else:
                values[key] = sum(r.get(key) or 0 for r in recs)
        label, keyword = self.labels[kind]
        pos, align = self.label_at
        text = label if align == "L" else label.rjust(pos[1] - pos[0] + 1)
        line = doc.add(table.values(values, [(pos[0], text)]), "total")
        doc.total(line, label.strip(), keyword, covers, scope, pno, values)


def clip(table, rec):
    """DOS programs printed a text cut to its column, as the truth then holds it."""
    for c in table.cols:
        value = rec.get(c.key)
        if rec.get("_cont") and rec["_cont_key"] == c.key:
            continue
        if c.kind == "text" and value and len(value) > c.width - (2 if table.framed else 0):
            rec[c.key] = value[:c.width - (2 if table.framed else 0)].rstrip()


# --- 1. muavin-tek-hesap --------------------------------------------------------------------
def kind_muavin_tek_hesap(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm, customer = firm_pool(rng, 2)
    code = P.pick("120.01.0045", [f"120.{rng.randint(1, 3):02d}.{rng.randint(1, 9999):04d}",
                                  f"320.01.{rng.randint(1, 99999):05d}",
                                  f"120.{rng.randint(1, 9)}.{rng.randint(1, 999):03d}"])
    nature = "B" if code.startswith("120") else "A"
    n = P.num(60, 45, 80)
    recs = movements(rng, n, year, "C" if nature == "B" else "S")
    yev = slip_numbers(rng, n, P.pick(6, [5, 6, 7]))
    slips = slip_numbers(rng, n, P.pick(6, [4, 6]))
    for r, y, s in zip(recs, yev, slips):
        r["yev"], r["slip"] = y, s
    running(recs, key="bal", mark="mark")
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd/mm/yyyy", "dd.mm.yy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt))
    amt = money()
    aw = P.pick(14, [13, 14, 15, 16])
    text_w = P.pick(32, [28, 30, 32, 36, 40])
    head_amount = P.pick(("Borç", "Alacak"), [("Borç", "Alacak"), ("Borç Tutarı", "Alacak Tutarı"),
                                              ("Borç", "Alacak")])
    yev_w = max(len(yev[0]), 7)
    cols = [Col("date", "Tarih", dw, "date", fmt=date_fmt),
            Col("yev", ("Yevmiye", "No"), yev_w, "code"),
            Col("slip", ("Fiş", "No"), max(len(slips[0]), 6), "code"),
            Col("text", "Açıklama", text_w, "text"),
            Col("debit", head_amount[0], aw, "amount", "R", amt, "sum"),
            Col("credit", head_amount[1], aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R",
                money(negative="unsigned"), "last"),
            Col("mark", "B/A", 1, "marks", total="last")]
    if P.chance(False, 0.4):  # voucher number first
        cols[0], cols[1], cols[2] = cols[1], cols[2], cols[0]
    if P.chance(False, 0.3):
        cols.remove(next(c for c in cols if c.key == "yev"))
        for r in recs:
            del r["yev"]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("muavin-tek-hesap")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "debit")],
                                      "minus": [cols_h(cols, "credit")], "opening": "0.00",
                                      "sign": {"column": "B/A", "B": 1, "A": -1}}})
    W = table.width
    printed = dt.date(year + 1, rng.randint(1, 2), rng.randint(1, 28))
    blank_before_heads = P.chance(True, 0.6)
    name_label = P.pick("Hesap Adı", ["Hesap Adı", "Hesap Adı", "Ünvanı"])
    acct_line = f"Hesap Kodu : {code}   {name_label} : {customer}"
    period = f"Dönem      : 01.01.{year} - 31.12.{year}"
    title = P.pick("MUAVİN DEFTERİ", ["MUAVİN DEFTERİ", "MUAVİN DEFTERİ", "MUAVIN DEFTERİ DÖKÜMÜ"])

    def header(p, np_, g):
        lines = [(spread(W, firm, "", f"Sayfa : {p:>3}"), "header"),
                 (spread(W, "", title, f"Tarih : {fmt_date(printed, 'dd.mm.yyyy')}"), "header"),
                 ("", "blank"), (acct_line, "header"), (period, "header")]
        if blank_before_heads:
            lines.append(("", "blank"))
        lines += [(h, "heading") for h in table.headings()]
        lines.append((table.rule(), "rule"))
        return lines

    doc.fields += [{"label": "Hesap Kodu", "value": code}, {"label": name_label, "value": customer},
                   {"label": "Dönem", "value": f"01.01.{year} - 31.12.{year}"}]
    doc.notes.append("One account: its code and name stand in every page header but never "
                     "change, so they are report fields, not carried columns.")
    tcol = table.col("text")
    labels = {"devir": (P.pick("DEVİR", ["DEVİR", "DEVİR", "ÖNCEKİ SAYFADAN DEVİR"]), "DEVİR"),
              "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"),
              "nakli": (P.pick("NAKLİ YEKÜN", ["NAKLİ YEKÜN", "NAKLİ YEKÜN :"]), "NAKLİ YEKÜN"),
              "grand": (P.pick("GENEL TOPLAM", ["GENEL TOPLAM", "*** GENEL TOPLAM ***"]),
                        "GENEL TOPLAM")}
    allk = ["debit", "credit", "bal", "mark"]
    page_keys = P.pick(allk, [allk, ["debit", "credit"]])
    led = Ledger(doc, table, P.num(34, 30, 48), True, False, header, lambda p, n_: [],
                 labels, {"devir": allk, "page": page_keys, "nakli": allk, "grand": allk},
                 ((tcol.start, tcol.end), P.pick("L", ["L", "R"])), underline=True,
                 blank_before_footer=0)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    if P.chance(False, 0.3):
        doc.add("\f", "blank")
    assert len(doc.pages) >= 3 or variant
    return doc, ("A one-account sub-ledger over several pages behind form feeds, with carried "
                 "sums, page totals and a grand total; the balance's side in a B/A column.")


def heading_case(P, cols):
    """Some programs print every heading in capitals."""
    if P.chance(False, 0.3):
        for c in cols:
            c.head = tuple(tr_upper(h) for h in c.head)


def cols_h(cols, key):
    return next(c.heading for c in cols if c.key == key)


# --- 2. muavin-cok-hesap --------------------------------------------------------------------
def kind_muavin_cok_hesap(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    nacc = P.num(5, 3, 8)
    sizes = [8, 70, 3, 25, 12] if not variant else [rng.choice([2, 5, 9, 14, 30, 55, 90])
                                                    for _ in range(nacc)]
    names = firm_pool(rng, nacc, exclude=[firm])
    if not variant:
        names[1] = "AKSOY NAKLİYAT LTD.ŞTİ."
    groups = []
    codes = set()
    for i, (size, name) in enumerate(zip(sizes, names)):
        main = P.pick("320", ["120", "320", "329", "136"]) if i or variant else "320"
        code = f"{main}.01.{rng.randint(1, 99999):05d}" if i != 1 or variant else "320.01.00838"
        while code in codes:
            code = f"{main}.01.{rng.randint(1, 99999):05d}"
        codes.add(code)
        recs = movements(rng, size, year, "S" if main.startswith("3") else "C",
                         big=size > 20, tiny=size > 20, empty=size > 10)
        groups.append({"code": code, "name": name, "records": recs,
                       "fields": {"acode": code, "aname": name}})
    groups.sort(key=lambda g: g["code"])
    slip = rng.randint(1, 300)
    for g in groups:
        for r in g["records"]:
            r["slip"] = f"{slip:06d}"
            slip += rng.randint(1, 9)
            r["doc"] = rng.choice([f"A-{rng.randint(1, 999999):06d}",
                                   f"{rng.randint(1, 99999):06d}",
                                   f"FT.{year % 100:02d}.{rng.randint(1, 9999):04d}", ""])
            r["acode"], r["aname"] = g["code"], g["name"]
        running(g["records"], key="bal")
    amt = money(".", "", "leading-minus")
    bal_fmt = money(".", "", "trailing-minus")
    aw = P.pick(11, [11, 12, 13])
    date_fmt = P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd.mm.yy", "dd/mm/yy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt))
    pair = P.pick(("Borç", "Alacak"), [("Borç", "Alacak"), ("Borç Tutarı", "Alacak Tutarı")])
    cols = [Col("date", "Tarih", dw, "date", fmt=date_fmt),
            Col("slip", P.pick("Fiş No", ["Fiş No", "Yevmiye No", "FİŞ NO"]), 10 if variant else 6,
                "code"),
            Col("doc", P.pick("Evrak No", ["Evrak No", "Belge No"]), 10, "code"),
            Col("text", "Açıklama", P.pick(30, [26, 30, 34]), "text"),
            Col("debit", pair[0], aw, "amount", "R", amt, "sum"),
            Col("credit", pair[1], aw, "amount", "R", amt, "sum"),
            Col("bal", "Bakiye", aw + 1, "amount", "R", bal_fmt, "last")]
    cols[1].width = max(cols[1].width, len(cols[1].heading))
    if P.chance(False, 0.3):
        cols[2], cols[3] = cols[3], cols[2]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("muavin-cok-hesap")
    code_label = P.pick("Hesap Kodu", ["Hesap Kodu", "Hesap No", "HESAP KODU"])
    name_label = P.pick("Hesap Adı", ["Hesap Adı", "Ünvanı", "HESAP ADI"])
    doc.carried("acode", code_label, "code")
    doc.carried("aname", name_label, "text")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "debit")],
                                      "minus": [cols_h(cols, "credit")], "opening": "0.00",
                                      "restart_on": code_label}})
    W = table.width
    printed = dt.date(year + 1, rng.randint(1, 3), rng.randint(1, 28))
    spaced = P.chance(True, 0.5)
    title = "M U A V İ N   D E F T E R İ" if spaced else "MUAVİN DEFTERİ"
    blank_before_heads = P.chance(True, 0.5)

    def header(p, np_, g):
        lines = [(spread(W, firm, "", fmt_date(printed, "dd.mm.yyyy")), "header"),
                 (spread(W, "", title), "header"),
                 (spread(W, "", f"{fmt_date(dt.date(year, 1, 1), 'dd.mm.yyyy')} - "
                                f"{fmt_date(dt.date(year, 12, 31), 'dd.mm.yyyy')}"), "header"),
                 ("", "blank"),
                 (f"{code_label} : {g['code']}   {name_label} : {g['name']}", "header")]
        if blank_before_heads:
            lines.append(("", "blank"))
        lines += [(h, "heading") for h in table.headings()]
        lines.append((table.rule(), "rule"))
        return lines

    def footer(p, np_):
        return [(spread(W, "", f"- {p} -"), "footer"), ("", "blank")]

    tcol = table.col("text")
    carried = P.chance(False, 0.4)
    labels = {"account": ("HESAP TOPLAMI", "HESAP TOPLAMI"),
              "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}
    if carried:
        labels["nakli"] = ("NAKLİ YEKÜN", "NAKLİ YEKÜN")
        labels["devir"] = ("DEVİR", "DEVİR")
    keys = ["debit", "credit", "bal"]
    led = Ledger(doc, table, P.num(60, 56, 72), False, True, header, footer, labels,
                 {"account": keys, "nakli": keys, "devir": keys, "grand": ["debit", "credit"]},
                 ((tcol.start, tcol.end), "L"), underline=True, per_group_page=True,
                 blank_before_footer=1)
    led.write(groups, carried_key=["acode", "aname"])
    for t in doc.totals:
        if t["covers"] == "account":
            t["scope"] = {"where": t["scope"]["where"]}
    doc.notes.append("Every account begins a new page; its code and name in the page header are "
                     "carried into each record. Balances end on the rule line's last position, "
                     "credit balances with a trailing minus.")
    return doc, ("A many-account sub-ledger without form feeds: pages of a fixed line count "
                 "padded with blank lines, the account in each page header, \"- N -\" footers, "
                 "account totals, point decimals and trailing-minus balances.")


# --- 3. kasa-defteri-cerceveli --------------------------------------------------------------
def kind_kasa(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    n = P.num(50, 25, 80)
    first_month = P.num(1, 1, 10)
    ds = dates(rng, n, year, first_month, min(12, first_month + P.num(2, 0, 2)))
    recs = []
    bal = 0
    inflow = ["Peşin satış", "Perakende satış hasılatı", "Bankadan çekilen", "Tahsilat - {f}",
              "Ortaktan alınan avans", "Z raporu {z}", "Çek tahsili - {b}"]
    outflow = ["Kırtasiye gideri", "Çay, şeker, su", "Ödenen kira ({m})", "Elektrik faturası",
               "Posta & kargo gideri", "Bankaya yatırılan", "Personel avansı - {p}",
               "Akaryakıt (34 ABC 123)", "Noter masrafı", "Yol & yemek", "Telefon faturası",
               "Temizlik malzemesi \"ofis\"", "Ödeme - {f}", "Damga pulu"]
    people = ["Ahmet Yılmaz", "Ayşe Öztürk", "Mehmet Çelik", "Fatma Şahin", "Hüseyin Güneş",
              "Zeynep Doğan", "İbrahim Koç", "Gülşen Ağaoğlu"]
    fno = rng.randint(1, 50)
    for i, d in enumerate(ds):
        if i == 0:
            k, side, text = amount(rng, 2000, 20000), "in", "Kasa açılış bakiyesi"
        else:
            side = "in" if bal < 500_00 or rng.random() < 0.35 else "out"
            k = amount(rng, 100, 30000) if side == "in" else amount(rng, 5, 4000)
            if side == "out":
                k = min(k, bal)
            text = rng.choice(inflow if side == "in" else outflow).format(
                f=rng.choice(FIRMS)[:18].rstrip(" .&"), z=rng.randint(100, 999),
                b=rng.choice(BANKS), m=MONTHS[d.month - 1], p=rng.choice(people))
        if i and rng.random() < 0.04:
            text = ""
        bal += k if side == "in" else -k
        recs.append({"no": f"{fno:06d}",
                     "date": d, "in": k if side == "in" else None,
                     "out": k if side == "out" else None, "text": text, "bal": bal})
        fno += 1
    recs[rng.randrange(3, n)].update({"in": None, "out": 1, "text": "Yuvarlama"})
    running(recs, "in", "out", key="bal")
    amt = money()
    date_fmt = P.pick("dd/mm/yy", ["dd/mm/yy", "dd.mm.yy", "dd/mm/yyyy"])
    dw = len(fmt_date(dt.date(2000, 1, 1), date_fmt)) + 2
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("no", ("Fiş", "No"), 8, "code"),
            Col("date", ("", "Tarih"), dw, "date", fmt=date_fmt),
            Col("text", ("", "Açıklama"), P.pick(32, [28, 32, 36]), "text"),
            Col("in", ("", "Giriş"), aw, "amount", "R", amt, "sum"),
            Col("out", ("", "Çıkış"), aw, "amount", "R", amt, "sum"),
            Col("bal", ("", "Bakiye"), aw + 1, "amount", "R", amt, "last")]
    if P.chance(False, 0.4):
        cols[0], cols[1] = cols[1], cols[0]
    if P.chance(False, 0.3):
        for c in cols:
            if c.head[0] == "" and c.key != "no":
                c.head = (c.head[1], "")
    heading_case(P, cols)
    frame = Frame(cols)
    doc = Doc("kasa-defteri-cerceveli")
    doc.table_columns(frame, {"bal": {"plus": [cols_h(cols, "in")], "minus": [cols_h(cols, "out")],
                                      "opening": "0.00"}})
    W = frame.width
    period = f"{MONTHS[ds[0].month - 1]} - {MONTHS[ds[-1].month - 1]} {year}"
    if ds[0].month == ds[-1].month:
        period = f"{MONTHS[ds[0].month - 1]} {year}"
    title_under = P.chance(False, 0.3)

    def header(p, np_, g):
        lines = [(spread(W, "", firm), "header"),
                 (spread(W, f"KASA DEFTERİ ({period})", "", f"Sayfa : {p}"), "header")]
        if title_under:
            lines.append((spread(W, "", "=" * 40), "header"))
        lines += [("", "blank"), (frame.top(), "frame")]
        lines += [(h, "heading") for h in frame.headings()]
        lines.append((frame.inner(), "frame"))
        return lines

    tcol = frame.col("text")
    labels = {"devir": (P.pick("DEVİR", ["DEVİR", "Önceki sayfadan devir"]), "DEVİR"),
              "page": ("SAYFA TOPLAMI", "SAYFA TOPLAMI"),
              "nakli": P.pick(("NAKLİ YEKÜN", "NAKLİ YEKÜN"),
                              [("NAKLİ YEKÜN", "NAKLİ YEKÜN"), ("Sonraki sayfaya devir", "DEVİR")]),
              "grand": ("GENEL TOPLAM", "GENEL TOPLAM")}
    keys = ["in", "out", "bal"]
    led = Ledger(doc, frame, P.num(32, 28, 50), P.chance(True, 0.7), False, header,
                 lambda p, n_: [], labels, {"devir": keys, "page": keys, "nakli": keys,
                                            "grand": keys},
                 ((tcol.start + 1, tcol.end - 1), "L"), framed_close=True, blank_before_footer=0)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    doc.notes.append("The frame's top line carries a tee (0xD1) over each column line; the inner "
                     "rule under the headings and above the totals starts with 0xC7 (╟).")
    return doc, ("A cash book drawn in a box frame on every page, two-line headings inside the "
                 "frame, dates dd/mm/yy, page totals, carried sums and a grand total.")


# --- 4. mizan -------------------------------------------------------------------------------
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


def kind_mizan(rng, variant):
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


# --- 5. muavin-uzun-aciklama ----------------------------------------------------------------
def wrap(text, width):
    words, lines, cur = text.split(" "), [], ""
    for w in words:
        if len(w) > width:
            raise ValueError(w)
        if not cur:
            cur = w
        elif len(cur) + 1 + len(w) <= width:
            cur += " " + w
        else:
            lines.append(cur)
            cur = w
    lines.append(cur)
    assert " ".join(lines) == text
    return lines


def kind_uzun_aciklama(rng, variant):
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


# --- 6. tek-sayfa-lf ------------------------------------------------------------------------
def kind_tek_sayfa_lf(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm, customer = firm_pool(rng, 2)
    n = P.num(22, 8, 40)
    recs = movements(rng, n, year, "C", big=P.chance(True, 0.5))
    for r in recs:
        r["amt"] = (r["debit"] or 0) - (r["credit"] or 0)
    running(recs, "amt", "none", key="bal")
    for r, s in zip(recs, slip_numbers(rng, n, 5)):
        r["slip"] = rng.choice([s, f"{year % 100:02d}.{s[-3:]}", s])
    amt = money()
    aw = P.pick(14, [13, 14, 15])
    cols = [Col("date", P.pick("Tarih", ["Tarih", "İşlem Tarihi"]), 10, "date",
                fmt=P.pick("dd.mm.yyyy", ["dd.mm.yyyy", "dd-mm-yyyy"])),
            Col("slip", P.pick("Belge No", ["Belge No", "Evrak No", "Fiş No"]), 8, "code"),
            Col("text", "Açıklama", P.pick(28, [24, 28, 30]), "text"),
            Col("amt", P.pick("Tutar", ["Tutar", "İşlem Tutarı"]), aw, "amount", "R", amt,
                "sum"),
            Col("bal", "Bakiye", aw, "amount", "R", amt, "last")]
    cols[0].width = max(10, len(cols[0].heading))
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("tek-sayfa-lf", "LF")
    doc.table_columns(table, {"bal": {"plus": [cols[3].heading], "opening": "0.00"}})
    W = max(table.width, 78)
    code = f"120.01.{rng.randint(1, 9999):04d}"
    printed = dt.date(year + 1, 1, rng.randint(2, 28))
    lines = [(spread(W, firm, "", fmt_date(printed, "dd.mm.yyyy")), "header"),
             (spread(W, "", P.pick("CARİ HESAP EKSTRESİ", ["CARİ HESAP EKSTRESİ",
                                                            "HESAP EKSTRESİ"])), "header"),
             ("", "blank"),
             (f"Cari Kodu : {code}", "header"), (f"Ünvanı    : {customer}", "header")]
    if P.chance(True, 0.6):
        lines.append(("", "blank"))
    lines += [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]
    hl = [doc.add(t, r) for t, r in lines]
    for r in recs:
        clip(table, r)
        doc.record([doc.add(table.values(r), "record")], 1, r)
    doc.add(table.underline({"amt", "bal"}), "rule")
    values = {"amt": sum(r["amt"] for r in recs), "bal": recs[-1]["bal"]}
    label = P.pick("Toplam", ["Toplam", "TOPLAM", "Toplam :"])
    line = doc.add(table.values(values, [(table.col("text").start, label)]), "total")
    doc.total(line, label.strip(), "TOPLAM", "all", {}, 1, values)
    doc.add("", "blank")
    doc.add(P.pick("Bakiyeniz mutabık değil ise 15 gün içinde bildiriniz.",
                   ["Bakiyeniz mutabık değil ise 15 gün içinde bildiriniz.",
                    "Kaşe - İmza"]), "note")
    doc.pages.append({"page": 1, "first_line": 1, "last_line": doc.n, "header_lines": hl})
    doc.fields += [{"label": "Cari Kodu", "value": code}, {"label": "Ünvanı", "value": customer}]
    doc.notes.append("Debits are positive, credits carry a leading minus; the balance is "
                     "right-aligned to the rule line's last position.")
    return doc, ("A one-page statement of account with LF line ends, leading-minus amounts and "
                 "no B/A column.")


# --- 7. parantezli-sayfa --------------------------------------------------------------------
def kind_parantezli(rng, variant):
    P = Picker(rng, variant)
    year = P.num(2005, 1996, 2007)
    firm = firm_pool(rng, 1)[0]
    bank = rng.choice(BANKS)
    npages = P.num(5, 2, 7)
    page_len = P.num(30, 26, 44)
    pad = P.chance(False, 0.4)
    ff = not pad
    head_len = 6
    # Lines for records: the page less its header and its footer (a blank and "Sayfa n/N");
    # each page closes with an underline and two totals, pages 2+ open with the carried sums.
    cap = page_len - head_len - 2
    n = (cap - 3) + (npages - 2) * (cap - 4) + rng.randint(1, cap - 4)
    ds = dates(rng, n, year)
    month_of = lambda d: MONTHS[d.month - 1]
    # counter account -> (sign, texts, lowest, highest amount in liras)
    counter = {
        "320.01.00838": (-1, ["Satıcı ödemesi", "EFT - Aksoy Nakliyat", "Çek ödemesi No {n}"],
                         500, 90000),
        "320.01.01012": (-1, ["Satıcı ödemesi", "Havale, Güneş Kırtasiye", "Çek ödemesi No {n}"],
                         100, 40000),
        "120.01.0045": (1, ["Müşteri tahsilatı", "Havale geldi", "Çek tahsili"], 100, 120000),
        "120.02.0107": (1, ["Müşteri tahsilatı", "EFT geldi - Öztürk Gıda", "Çek tahsili"],
                        50, 60000),
        "770.01.003": (-1, ["Kira \"Merkez\"", "Elektrik & su", "Telefon, internet"], 50, 9000),
        "770.02.011": (-1, ["Komisyon & BSMV", "EFT masrafı", "Hesap işletim ücreti"], 1, 400),
        "360.01": (-1, ["Muhtasar beyanname ödemesi", "KDV ödemesi, {m}", "Damga vergisi"],
                   100, 30000),
        "361.01": (-1, ["SGK prim ödemesi ({m})"], 1000, 25000),
        "335.01.001": (-1, ["Maaş ödemesi ({m})", "Personel avansı", ""], 500, 40000),
        "102.02.001": (1, ["Vadeliden virman & faiz"], 5000, 200000),
        "300.01": (-1, ["Kredi taksiti", "Kredi faizi, BSMV"], 1000, 35000),
        "642.01": (1, ["Faiz geliri, stopaj sonrası"], 1, 900),
    }
    names = list(counter)
    recs = []
    for d in ds:
        acct = rng.choice(names)
        sign, texts, lo, hi = counter[acct]
        k = sign * amount(rng, lo, hi)
        t = rng.choice(texts).format(n=rng.randint(1000, 99999), m=month_of(d))
        recs.append({"date": d, "acct": acct, "text": t, "amt": k})
    recs[rng.randrange(n)].update({"amt": -1, "text": "Kuruş farkı"})
    yev = slip_numbers(rng, n, 5)
    for r, y in zip(recs, yev):
        r["yev"] = y
    running(recs, "amt", "none", key="bal")
    amt = money(negative="parentheses", positive_pad=True)
    aw = P.pick(15, [15, 16])
    cols = [Col("date", "Tarih", 10, "date", fmt="dd.mm.yyyy"),
            Col("yev", ("Yevmiye", "No"), 7, "code"),
            Col("acct", ("Karşı", "Hesap"), 12, "code"),
            Col("text", ("", "Açıklama"), P.pick(26, [24, 26, 30]), "text"),
            Col("amt", ("", "Tutar"), aw, "amount", "R", amt, "sum"),
            Col("bal", ("", "Bakiye"), aw, "amount", "R", amt, "last")]
    if P.chance(False, 0.4):
        cols[2], cols[3] = cols[3], cols[2]
    heading_case(P, cols)
    table = Table(cols)
    doc = Doc("parantezli-sayfa")
    doc.table_columns(table, {"bal": {"plus": [cols_h(cols, "amt")], "opening": "0.00"}})
    W = table.width
    acct_no = f"102.01.{rng.randint(1, 20):03d}"
    title = P.pick("BANKA HESAP HAREKETLERİ", ["BANKA HESAP HAREKETLERİ", "BANKA DÖKÜMÜ"])

    def header(p, np_, g):
        return [(spread(W, firm, "", f"{fmt_date(dt.date(year + 1, 1, 15), 'dd.mm.yyyy')}"),
                 "header"),
                (spread(W, "", title), "header"),
                (f"Banka Hesabı : {acct_no}  {tr_upper(bank)}", "header")] + \
            [(h, "heading") for h in table.headings()] + [(table.rule(), "rule")]

    def footer(p, np_):
        return [(spread(W, "", "", f"Sayfa {p}/{np_}"), "footer")]

    assert len(header(1, 1, None)) == head_len
    tcol = table.col("text")
    labels = {"devir": ("Önceki Sayfadan Devir", "DEVİR"),
              "page": ("Sayfa Toplamı", "SAYFA TOPLAMI"),
              "nakli": ("Nakli Yekün", "NAKLİ YEKÜN"),
              "grand": ("Yekün", "YEKÜN")}
    keys = ["amt", "bal"]
    led = Ledger(doc, table, page_len, ff, pad, header, footer, labels,
                 {"devir": keys, "page": keys, "nakli": keys, "grand": keys},
                 ((tcol.start, tcol.end), "R"), underline=True, blank_before_footer=1)
    groups = [{"records": recs, "fields": {}}]
    led.write(groups)
    assert len(doc.pages) == npages, (len(doc.pages), npages)
    doc.fields.append({"label": "Banka Hesabı", "value": f"{acct_no}  {tr_upper(bank)}"})
    doc.notes.append("Negative amounts in parentheses; a positive amount keeps a blank where "
                     "the closing parenthesis would stand, so the digits line up.")
    return doc, ("A bank account listing over several pages with negatives in parentheses and "
                 "page footers \"Sayfa n/N\".")


# --- 8. akbank-ekstre-devam -----------------------------------------------------------------
AK_WIDTHS = [4, 9, 7, 10, 8, 24, 24, 5, 36]


def ak_fields(*cols):
    out = []
    for text, width in zip(cols, AK_WIDTHS):
        assert len(text) <= width, (text, width)
        out.append(text.ljust(width))
    return "".join(out).rstrip()


def kind_akbank(rng, variant):
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


BUILDERS = {"muavin-tek-hesap": kind_muavin_tek_hesap, "muavin-cok-hesap": kind_muavin_cok_hesap,
            "kasa-defteri-cerceveli": kind_kasa, "mizan": kind_mizan,
            "muavin-uzun-aciklama": kind_uzun_aciklama, "tek-sayfa-lf": kind_tek_sayfa_lf,
            "parantezli-sayfa": kind_parantezli, "akbank-ekstre-devam": kind_akbank}

DEFAULT_RECORD = ("Every posting line is a record; a record's continuation lines belong to it. "
                  "Page headers, headings, rule and frame lines, blank lines, footers and total "
                  "lines are not records.")


def build(kind: str, seed, variant: bool):
    rng = random.Random(zlib.crc32(f"{kind}/{seed}".encode()))
    out = BUILDERS[kind](rng, variant)
    doc, description = out[0], out[1]
    record_definition = out[2] if len(out) > 2 else DEFAULT_RECORD
    return doc.report_bytes(), doc.truth(description, record_definition)


def dump_truth(truth: dict) -> bytes:
    out = ["{"]
    items = list(truth.items())
    for i, (key, value) in enumerate(items):
        comma = "," if i < len(items) - 1 else ""
        if isinstance(value, list) and value and key != "notes":
            out.append(f" {json.dumps(key)}: [")
            for j, elem in enumerate(value):
                out.append("  " + json.dumps(elem, ensure_ascii=False)
                           + ("," if j < len(value) - 1 else ""))
            out.append(" ]" + comma)
        else:
            out.append(f" {json.dumps(key)}: {json.dumps(value, ensure_ascii=False)}{comma}")
    out.append("}")
    return ("\n".join(out) + "\n").encode("utf-8")


# --- the self-check -------------------------------------------------------------------------
def render_value(col, value) -> str:
    if value is None:
        return ""
    if col["kind"] == "date":
        return fmt_date(dt.date.fromisoformat(value), col["format"])
    if col["kind"] == "amount":
        return render_amount(kurus(value), col["format"])
    return value


def report_lines(data: bytes, line_end: str) -> list:
    if line_end == "CRLF":
        assert b"\n" not in data.replace(b"\r\n", b"") and b"\r" not in data.replace(b"\r\n", b"")
        parts = data.split(b"\r\n")
    else:
        assert b"\r" not in data
        parts = data.split(b"\n")
    assert parts[-1] == b"", "the report ends with a line break"
    return [decode_line(p) for p in parts[:-1]]


def check_case(data: bytes, truth: dict) -> list:
    errors = []
    err = errors.append
    try:
        lines = report_lines(data, truth["line_end"])
    except AssertionError as e:
        return [f"line ends: {e}"]
    if len(lines) != truth["line_count"]:
        err(f"line count {len(lines)} != {truth['line_count']}")
    cols = truth["columns"]
    heads = [c["heading"] for c in cols]
    if len(set(heads)) != len(heads):
        err(f"headings not unique: {heads}")
    pages = {p["page"]: p for p in truth["pages"]}
    records = truth["records"]

    def cell(line_no, col):
        a, b = col["span"]
        text = lines[line_no - 1][a - 1:b].strip()
        fmt = col.get("format")
        marker = fmt.get("marker") if isinstance(fmt, dict) else None
        if marker and text.startswith(marker):
            text = text[len(marker):].lstrip()
        return text

    # every record's values stand at its lines
    last = 0
    for rec in records:
        where = f"record at line {rec['line']}"
        span = list(range(rec["line"], rec["line"] + len(rec["lines"])))
        if rec["line"] <= last or rec["lines"] != span:
            err(f"{where}: lines out of order {rec['lines']}")
        last = rec["lines"][-1]
        page = pages[rec["page"]]
        if not page["first_line"] <= rec["line"] <= page["last_line"]:
            err(f"{where}: not on page {rec['page']}")
        for col, value in zip(cols, rec["values"]):
            if col["carried"]:
                if page.get("fields", {}).get(col["heading"]) != value:
                    err(f"{where}: {col['heading']} {value!r} is not its page's")
                continue
            pieces = [cell(n, col) for n in rec["lines"]]
            got = " ".join(p for p in pieces if p) if col["kind"] == "text" else pieces[0]
            if col["kind"] != "text" and any(pieces[1:]):
                err(f"{where}: {col['heading']} on a continuation line")
            want = render_value(col, value).strip()
            if got != want:
                err(f"{where}: {col['heading']} reads {got!r}, truth {want!r}")
    for p in truth["pages"]:
        header = [lines[n - 1] for n in p["header_lines"]]
        for label, value in p.get("fields", {}).items():
            if not any(label in h and value in h for h in header):
                err(f"page {p['page']}: header field {label} : {value} not in its header")

    # every printed total against the records it covers
    by_head = {c["heading"]: c for c in cols}
    for t in truth["totals"]:
        where = f"total {t['label']!r} at line {t['line']}"
        scope = t["scope"]
        sel = []
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            if "page" in scope and rec["page"] != scope["page"]:
                continue
            if "through_page" in scope and rec["page"] > scope["through_page"]:
                continue
            if "level" in scope and rec.get("level") != scope["level"]:
                continue
            if any(vals[h] != v for h, v in scope.get("where", {}).items()):
                continue
            if any(not (vals[h] or "").startswith(v) for h, v in scope.get("prefix", {}).items()):
                continue
            sel.append(vals)
        if t["label"] not in lines[t["line"] - 1]:
            err(f"{where}: label not on its line")
        printed = dict(t["amounts"], **t.get("marks", {}))
        for head, value in printed.items():
            col = by_head[head]
            if col.get("total") == "last":
                want = sel[-1][head] if sel else None
            else:
                want = plain(sum(kurus(v[head]) for v in sel if v[head] is not None))
            if want != value:
                err(f"{where}: {head} printed {value}, records give {want}")
            got = cell(t["line"], col)
            if got != render_value(col, value).strip():
                err(f"{where}: {head} reads {got!r} on the line, truth {value}")

    # running balances
    for col in cols:
        notation = col.get("running")
        if not notation:
            continue
        bal, key = kurus(notation["opening"]), None
        sign = notation.get("sign")
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            if notation.get("restart_on") and vals[notation["restart_on"]] != key:
                key, bal = vals[notation["restart_on"]], kurus(notation["opening"])
            bal += sum(kurus(vals[h] or "0") for h in notation.get("plus", []))
            bal -= sum(kurus(vals[h] or "0") for h in notation.get("minus", []))
            got = kurus(vals[col["heading"]] or "0")
            if sign:
                got *= sign.get(vals[sign["column"]] or "", 0) if got else 1
            if got != bal:
                err(f"record at line {rec['line']}: {col['heading']} {got} != running {bal}")
                break

    # the line roles
    roles = {}
    for a, b, role in truth["line_roles"]:
        for n in range(a, b + 1):
            roles[n] = role
    if sorted(roles) != list(range(1, len(lines) + 1)):
        err("line roles do not cover every line once")
    rec_lines = {n for r in records for n in r["lines"]}
    tot_lines = {t["line"] for t in truth["totals"]}
    for n, text in enumerate(lines, start=1):
        role = roles.get(n)
        body = text.strip("\f ")
        if (role == "blank") != (body == ""):
            err(f"line {n}: role {role} for {text!r}")
        if (role in ("record", "continuation")) != (n in rec_lines):
            err(f"line {n}: role {role}, records disagree")
        if (role == "total") != (n in tot_lines):
            err(f"line {n}: role {role}, totals disagree")
        if role == "rule" and set(body) - set("-= "):
            err(f"line {n}: rule line holds {body!r}")
        if role == "frame" and set(body) - set(FRAME_BYTES):
            err(f"line {n}: frame line holds {body!r}")
        if "\f" in text and not text.startswith("\f"):
            err(f"line {n}: form feed inside the line")
        if role == "heading" and "TOPLAM" in tr_upper(text):
            err(f"line {n}: a heading line that holds Toplam")
    # column detection: the first twelve double rules lie in the frame's top line, else the
    # first ten hyphens in the rule line under the headings
    first = lambda needle: next((n for n, t in enumerate(lines, 1) if needle in t), None)
    frame_at, rule_at = first("═" * 12), first("-" * 10)
    if frame_at:
        if roles.get(frame_at) != "frame" or "╤" not in lines[frame_at - 1]:
            err(f"line {frame_at}: the first double rule is not the frame's top line")
    elif rule_at is None or roles.get(rule_at) != "rule" or lines[rule_at - 1][3:5] != "--":
        err(f"line {rule_at}: the first ten hyphens are not the rule line")
    return errors


def check_dirs(dirs) -> int:
    bad = 0
    for d in dirs:
        d = Path(d)
        truth = json.loads((d / "truth.json").read_text(encoding="utf-8"))
        errors = check_case((d / "report.txt").read_bytes(), truth)
        for e in errors[:20]:
            print(f"{d}: {e}", file=sys.stderr)
        if errors:
            bad += 1
        else:
            print(f"{d}: {len(truth['records'])} records, {len(truth['totals'])} totals, "
                  f"{len(truth['pages'])} pages: ok")
    return 1 if bad else 0


def write_case(folder: Path, report: bytes, truth: dict) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "report.txt").write_bytes(report)
    (folder / "truth.json").write_bytes(dump_truth(truth))


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, help="write one unseen variant of every kind")
    ap.add_argument("--out", type=Path, help="folder for the variants (with --seed)")
    ap.add_argument("--check", nargs="*", metavar="DIR",
                    help="check written cases (default: every folder under tests/data/clean)")
    args = ap.parse_args()
    if args.check is not None:
        return check_dirs(args.check or sorted(p for p in CLEAN.iterdir() if p.is_dir()))
    if (args.seed is None) != (args.out is None):
        ap.error("--seed and --out go together")
    dirs = []
    for kind in KINDS:
        if args.seed is not None:
            report, truth = build(kind, args.seed, True)
            write_case(args.out / kind, report, truth)
            dirs.append(args.out / kind)
        else:
            report, truth = build(kind, "fixed", False)
            (HERE / f"{kind}.txt").write_bytes(report)
            write_case(CLEAN / kind, report, truth)
            dirs.append(CLEAN / kind)
    return check_dirs(dirs)


if __name__ == "__main__":
    sys.exit(main())
