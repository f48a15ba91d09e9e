#!/usr/bin/env python3
"""Reports whose totals cover what the print shows, and whose records obey formulas of their
own: an invoice register with month totals between its records, a loan plan, a fixed-asset
register, a cost-centre budget of three levels, a sub-ledger whose grand total adds up the
account totals (openings and all), aged receivables. Each is converted with
`tablamo-convert --clean` as printed (no warning, every total checked), with one amount 0,01
off and with one record taken out (a warning).

    scoped_reports.py --convert PATH [--seeds 1-20] [--families a,b] [--keep DIR] [--verbose]

Exit status 0 when every copy came out as it should."""

import argparse
import datetime as dt
import random
import re
import subprocess
import sys
import tempfile
from pathlib import Path

PAGE = 58  # lines a page holds
MONTHS = ["OCAK", "ŞUBAT", "MART", "NİSAN", "MAYIS", "HAZİRAN", "TEMMUZ", "AĞUSTOS", "EYLÜL",
          "EKİM", "KASIM", "ARALIK"]
FIRMS = ["ASLAN GIDA LTD.ŞTİ.", "KORKMAZ İNŞAAT A.Ş.", "DEMİR TEKSTİL", "YILDIZ OTOMOTİV",
         "ÖZTÜRK KIRTASİYE", "ÇELİK MAKİNA SAN.", "ŞAHİN TARIM ÜRÜNLERİ", "GÜNEŞ ECZA DEPOSU",
         "KAYA MOBİLYA", "ERDOĞAN NAKLİYE", "POLAT ELEKTRİK", "AKSOY KAĞITÇILIK"]
AGREE = re.compile(r"(\d+) toplam satırı kayıtlarla tutuyor")


def amount(k, dec=2, sign=False):
    """Kuruş (or whole units, dec 0) as a Turkish report prints them: 1.234,56."""
    if k is None:
        return ""
    units, cents = divmod(abs(k), 100) if dec else (abs(k), 0)
    digits = f"{units:,}".replace(",", ".")
    text = f"{digits},{cents:02d}" if dec else digits
    return ("-" + text) if k < 0 and sign else text


class Report:
    """A report's lines, page by page, under its headings; what each record holds where."""

    def __init__(self, title, cols, firm):
        self.cols = cols  # (key, heading, width, right-aligned)
        self.title, self.firm = title, firm
        self.lines, self.records, self.page = [], [], 0
        self.header_extra = []
        self.width = sum(w for _, _, w, _ in cols) + len(cols) - 1
        self.on_page = PAGE  # a page starts with the first line
        self.deletable = True  # a record taken out is told by what the print shows

    def span(self, key):
        pos = 1
        for k, _, w, _ in self.cols:
            if k == key:
                return pos, pos + w - 1
            pos += w + 1
        raise KeyError(key)

    def row(self, values, label=None):
        parts = []
        for key, _, w, right in self.cols:
            v = values.get(key, "")
            parts.append(v.rjust(w) if right else v.ljust(w))
        line = " ".join(parts)
        if label:
            at = self.span(self.label_at)[0] - 1
            line = line[:at] + label + line[at + len(label):]
        return line.rstrip()

    def headings(self):
        return [self.row({k: h for k, h, _, _ in self.cols}),
                " ".join("-" * w for _, _, w, _ in self.cols)]

    def new_page(self, top=None):
        self.page += 1
        head = ([f"{self.firm:<60}Sayfa : {self.page}", f"{self.title:^70}"]
                + self.header_extra + [""] + self.headings())
        self.lines += [("\f" if self.page > 1 else "") + head[0]] + head[1:]
        self.on_page = len(head)
        if top:
            self.add(top)

    def room(self, n):
        return self.on_page + n <= PAGE

    def add(self, line):
        self.lines.append(line)
        self.on_page += 1
        return len(self.lines)

    def record(self, values, shown):
        n = self.add(self.row(shown))
        self.records.append({"line": n, "values": values})
        return n

    def bytes(self):
        return b"".join(line.encode("cp857") + b"\r\n" for line in self.lines)


# --- the families ---------------------------------------------------------------------------


def invoice_register(rng):
    """Invoices of a year in date order; a month's total under its last invoice; a page's
    carried sum at its foot and on top of the next; the grand total. Net = amount − discount,
    total = net + VAT; the VAT rate's totals print the rate of the totals."""
    cols = [("date", "Tarih", 10, False), ("no", "Fatura No", 9, False),
            ("firm", "Cari Ünvanı", 22, False), ("gross", "Tutar", 13, True),
            ("disc", "İskonto", 10, True), ("net", "Matrah", 13, True),
            ("rate", "KDV %", 6, True), ("vat", "KDV", 12, True), ("total", "Toplam", 13, True)]
    r = Report("SATIŞ FATURALARI LİSTESİ", cols, rng.choice(FIRMS))
    r.label_at = "firm"
    year, no = rng.randint(2015, 2024), rng.randint(1000, 5000)
    months = sorted(rng.sample(range(12), rng.randint(3, 7)))
    sums = lambda recs: {k: sum(v[k] for v in recs) for k in ("gross", "disc", "net", "vat",
                                                              "total")}
    month_rate = rng.random() < 0.5

    def shown(s, rate=""):
        return {k: amount(v) for k, v in s.items()} | {"rate": rate}

    everything, page_recs = [], []
    carry_label = rng.choice([("NAKLİ YEKÜN", "ÖNCEKİ SAYFADAN NAKİL"),
                              ("SONRAKİ SAYFAYA DEVİR", "ÖNCEKİ SAYFADAN DEVİR")])
    r.new_page()
    for m in months:
        month_recs = []
        for day in sorted(rng.choices(range(1, 29), k=rng.randint(40, 140))):
            if not r.room(3):
                r.add(r.row(shown(sums(everything)), carry_label[0]))
                r.new_page(r.row(shown(sums(everything)), carry_label[1]))
            gross = rng.randint(1000, 5_000_000)
            disc = rng.choice([0, 0, 0, gross // 20, gross // 10])
            rate = rng.choice([1, 8, 10, 18, 20])
            net = gross - disc
            vat = round(net * rate / 100)
            v = {"gross": gross, "disc": disc, "net": net, "vat": vat, "total": net + vat}
            no += 1
            r.record(v, {"date": f"{day:02d}.{m + 1:02d}.{year}", "no": f"A-{no}",
                         "firm": rng.choice(FIRMS)[:22], "rate": f"{rate},00"} |
                     {k: amount(x, sign=True) if x else "" for k, x in v.items()})
            month_recs.append(v)
            everything.append(v)
        s = sums(month_recs)
        rate = amount(round(s["vat"] * 10000 / s["net"])) if month_rate else ""
        r.add(r.row(shown(s, rate), f"{MONTHS[m]} AYI TOPLAMI"))
    r.add(" ".join("=" * w for _, _, w, _ in cols))
    r.add(r.row(shown(sums(everything)), "GENEL TOPLAM"))
    return r


def loan_plan(rng):
    """An instalment plan: each instalment = principal + interest + BSMV + KKDF, the remaining
    principal falls by the principal paid; one total at the end."""
    cols = [("n", "Taksit", 6, True), ("date", "Vade", 10, False), ("pay", "Taksit Tutarı", 14, True),
            ("princ", "Anapara", 14, True), ("int", "Faiz", 12, True), ("bsmv", "BSMV", 10, True),
            ("kkdf", "KKDF", 10, True), ("rest", "Kalan Anapara", 15, True)]
    r = Report("KREDİ ÖDEME PLANI", cols, rng.choice(FIRMS))
    r.label_at = "date"
    loan = rng.randint(50_000, 5_000_000) * 100
    rate = rng.choice([0.0129, 0.0189, 0.0215, 0.0349])
    count = rng.choice([12, 24, 36, 48, 60])
    monthly = f"{rate * 100:.2f}".replace(".", ",")
    r.header_extra = [f"Kredi Tutarı : {amount(loan)}   Aylık Faiz : %{monthly}"]
    gross = rate * 1.2
    pay = round(loan * gross / (1 - (1 + gross) ** -count))
    rest, start = loan, dt.date(rng.randint(2015, 2024), rng.randint(1, 12), 1)
    r.new_page()
    total = dict.fromkeys(("pay", "princ", "int", "bsmv", "kkdf"), 0)
    for i in range(1, count + 1):
        interest = round(rest * rate)
        bsmv, kkdf = round(interest * 0.05), round(interest * 0.15)
        princ = pay - interest - bsmv - kkdf if i < count else rest
        rest -= princ
        v = {"pay": princ + interest + bsmv + kkdf, "princ": princ, "int": interest,
             "bsmv": bsmv, "kkdf": kkdf, "rest": rest}
        for k in total:
            total[k] += v[k]
        if not r.room(2):
            r.new_page()
        month = start.month - 1 + i
        due = dt.date(start.year + month // 12, month % 12 + 1, 15)
        r.record(v, {"n": str(i), "date": due.strftime("%d.%m.%Y")} |
                 {k: amount(x) for k, x in v.items()})
    if rng.random() < 0.5:  # else only the remaining principal tells a record taken out
        r.add(" ".join("-" * w for _, _, w, _ in cols))
        r.add(r.row({k: amount(x) for k, x in total.items()}, "TOPLAM"))
    return r


def asset_register(rng):
    """Fixed assets under their account's block: accumulated = before + this year's, net =
    cost − accumulated; the rate's totals are left empty or print the rate of the totals."""
    cols = [("no", "Demirbaş No", 11, False), ("name", "Demirbaş Adı", 22, False),
            ("date", "Alış Tarihi", 11, False), ("cost", "Maliyet", 14, True),
            ("rate", "Oran", 6, True), ("before", "Önceki Amort.", 14, True),
            ("year", "Dönem Amort.", 13, True), ("acc", "Birikmiş Amort.", 15, True),
            ("net", "Net Değer", 14, True)]
    r = Report("AMORTİSMAN LİSTESİ", cols, rng.choice(FIRMS))
    r.label_at = "name"
    classes = [("253", "TESİS MAKİNE VE CİHAZLAR"), ("254", "TAŞITLAR"), ("255", "DEMİRBAŞLAR"),
               ("260", "HAKLAR"), ("264", "ÖZEL MALİYETLER")]
    year = rng.randint(2015, 2024)
    rate_total = rng.random() < 0.5
    keys = ("cost", "before", "year", "acc", "net")
    grand = dict.fromkeys(keys, 0)
    r.new_page()
    for code, name in sorted(rng.sample(classes, rng.randint(2, 5))):
        if not r.room(5):
            r.new_page()
        r.add(f"Hesap : {code} {name}")
        s = dict.fromkeys(keys, 0)
        for i in range(rng.randint(3, 25)):
            if not r.room(3):
                r.new_page()
            cost = rng.randint(5_000, 900_000) * 100
            rate = rng.choice([10, 20, 25, 33.33, 50])
            life = rng.randint(0, 3)
            yearly = round(cost * rate / 100)
            before = min(cost, yearly * life)
            this = min(cost - before, yearly)
            v = {"cost": cost, "before": before, "year": this, "acc": before + this,
                 "net": cost - before - this}
            for k in keys:
                s[k] += v[k]
            r.record(v, {"no": f"{code}.{i + 1:03d}", "name": rng.choice(
                ["Forklift", "Bilgisayar", "Yazıcı", "Kamyonet", "Pres", "Masa", "Klima",
                 "Sunucu", "Torna tezgahı", "Jeneratör"]),
                "date": f"{rng.randint(1, 28):02d}.{rng.randint(1, 12):02d}.{year - life}",
                "rate": f"{rate:.2f}".replace(".", ",")} |
                {k: amount(x) for k, x in v.items()})
        for k in keys:
            grand[k] += s[k]
        rate = amount(round(s["year"] * 10000 / s["cost"])) if rate_total else ""
        r.add(r.row({k: amount(x) for k, x in s.items()} | {"rate": rate}, f"{code} TOPLAMI"))
        r.add("")
    rate = amount(round(grand["year"] * 10000 / grand["cost"])) if rate_total else ""
    r.add(r.row({k: amount(x) for k, x in grand.items()} | {"rate": rate}, "GENEL TOPLAM"))
    return r


def cost_budget(rng):
    """Cost centres of three levels (7, 7.1, 7.1.01): a parent prints its children's sums;
    difference = budget − actual; the percentage is actual over budget."""
    cols = [("code", "Kod", 8, False), ("name", "Masraf Merkezi", 24, False),
            ("budget", "Bütçe", 15, True), ("actual", "Gerçekleşen", 15, True),
            ("diff", "Fark", 15, True), ("pct", "Gerç. %", 7, True)]
    r = Report("MASRAF MERKEZİ BÜTÇE RAPORU", cols, rng.choice(FIRMS))
    r.label_at = "name"
    names = ["ÜRETİM", "YÖNETİM", "SATIŞ", "PAZARLAMA", "LOJİSTİK", "BAKIM", "KALİTE", "AR-GE"]
    tree = []
    for a in range(1, rng.randint(2, 5) + 1):
        leaves = []
        for b in range(1, rng.randint(2, 6) + 1):
            budget = rng.randint(10_000, 2_000_000) * 100
            leaves.append((f"7.{a}.{b:02d}", f"{rng.choice(names)} {b}", budget,
                           round(budget * rng.uniform(0.6, 1.3))))
        tree.append((f"7.{a}", rng.choice(names), leaves))

    def line(code, name, budget, actual):
        v = {"budget": budget, "actual": actual, "diff": budget - actual}
        pct = amount(round(actual * 10000 / budget))
        r.record(v, {"code": code, "name": name, "pct": pct} |
                 {k: amount(x, sign=True) for k, x in v.items()})
        r.records[-1]["parent"] = code.count(".") < 2
    r.new_page()
    b = sum(l[2] for t in tree for l in t[2])
    a = sum(l[3] for t in tree for l in t[2])
    line("7", "MASRAF MERKEZLERİ", b, a)
    for code, name, leaves in tree:
        if not r.room(len(leaves) + 3):
            r.new_page()
        line(code, name, sum(l[2] for l in leaves), sum(l[3] for l in leaves))
        for lcode, lname, budget, actual in leaves:
            line(lcode, lname, budget, actual)
    r.add(" ".join("-" * w for _, _, w, _ in cols))
    r.add(r.row({"budget": amount(b), "actual": amount(a), "diff": amount(b - a, sign=True),
                 "pct": amount(round(a * 10000 / b))}, "GENEL TOPLAM"))
    return r


def sub_ledger(rng):
    """Accounts one after the other, each opened by its DEVİR (debit, credit and balance
    brought forward), closed by HESAP TOPLAMI = DEVİR + the month; GENEL TOPLAM adds up the
    account totals."""
    cols = [("date", "Tarih", 10, False), ("slip", "Fiş No", 7, False),
            ("text", "Açıklama", 26, False), ("debit", "Borç", 14, True),
            ("credit", "Alacak", 14, True), ("bal", "Bakiye", 15, True), ("ba", "B/A", 3, False)]
    r = Report("MUAVİN DEFTER", cols, rng.choice(FIRMS))
    r.label_at = "text"
    r.header_extra = [f"Dönem : {rng.choice(MONTHS)} {rng.randint(2015, 2024)}"]
    side = lambda k: ({"bal": amount(abs(k)), "ba": "B" if k > 0 else "A"} if k else
                      {"bal": amount(0)})
    grand = [0, 0, 0]
    r.new_page()
    for code in sorted(rng.sample(["100.01", "102.01.001", "120.01.014", "120.01.022",
                                   "320.01.007", "320.01.019", "335.01.001"], rng.randint(3, 5))):
        recs = rng.randint(3, 30)
        if not r.room(6):
            r.new_page()
        r.add(f"Hesap Kodu : {code}   Hesap Adı : {rng.choice(FIRMS)}")
        debit = rng.randint(100_000, 90_000_000)
        credit = rng.randint(100_000, 90_000_000)
        r.add(r.row({"debit": amount(debit), "credit": amount(credit)} | side(debit - credit),
                    "DEVİR"))
        bal = debit - credit
        for i in range(recs):
            if not r.room(3):
                r.new_page()
            d = rng.randint(100, 5_000_000) if rng.random() < 0.5 else 0
            c = 0 if d else rng.randint(100, 5_000_000)
            bal += d - c
            debit += d
            credit += c
            r.record({"debit": d, "credit": c, "bal": bal},
                     {"date": f"{i % 28 + 1:02d}.{rng.randint(1, 12):02d}.2024",
                      "slip": str(rng.randint(100, 9999)), "text": "Fatura / tahsilat",
                      "debit": amount(d) if d else "", "credit": amount(c) if c else ""} |
                     side(bal))
        r.add(r.row({"debit": amount(debit), "credit": amount(credit)} | side(bal),
                    "HESAP TOPLAMI"))
        r.add("")
        grand = [grand[0] + debit, grand[1] + credit, grand[2] + bal]
    r.add(r.row({"debit": amount(grand[0]), "credit": amount(grand[1])} | side(grand[2]),
                "GENEL TOPLAM"))
    return r


def aged_receivables(rng):
    """Customers' open amounts by age, under their salesman; the row's total is the sum of its
    buckets; a salesman's total under his customers, the grand total at the end."""
    cols = [("code", "Cari Kodu", 10, False), ("name", "Cari Ünvanı", 22, False),
            ("b0", "Vadesi Gelmemiş", 15, True), ("b30", "0-30 Gün", 13, True),
            ("b60", "31-60 Gün", 13, True), ("b90", "61-90 Gün", 13, True),
            ("b99", "90+ Gün", 13, True), ("total", "Toplam", 15, True)]
    r = Report("CARİ YAŞLANDIRMA RAPORU", cols, rng.choice(FIRMS))
    r.label_at = "name"
    # Without totals only the rows' own sums tell a changed amount, and nothing a lost row.
    totals = rng.random() < 0.7
    r.deletable = totals
    buckets = ("b0", "b30", "b60", "b90", "b99")
    grand = dict.fromkeys(buckets + ("total",), 0)
    r.new_page()
    for person in rng.sample(["AHMET YILMAZ", "AYŞE KARA", "MEHMET ÖZ", "FATMA ŞEN"],
                             rng.randint(2, 4)):
        if not r.room(5):
            r.new_page()
        r.add(f"Satış Temsilcisi : {person}")
        s = dict.fromkeys(grand, 0)
        for i in range(rng.randint(3, 25)):
            if not r.room(3):
                r.new_page()
            v = {b: rng.choice([0, 0, rng.randint(100, 900_000_00)]) for b in buckets}
            if not any(v.values()):
                v["b0"] = rng.randint(100, 900_000)
            v["total"] = sum(v.values())
            for k in s:
                s[k] += v[k]
            r.record(v, {"code": f"120.{rng.randint(1, 99):02d}.{i + 1:03d}",
                         "name": rng.choice(FIRMS)[:22]} |
                     {k: amount(x) if x else "" for k, x in v.items()})
        if totals:
            r.add(r.row({k: amount(x) for k, x in s.items()}, "TEMSİLCİ TOPLAMI"))
            r.add("")
        for k in grand:
            grand[k] += s[k]
    if totals:
        r.add(r.row({k: amount(x) for k, x in grand.items()}, "GENEL TOPLAM"))
    return r


FAMILIES = {"fatura-ay-toplamli": (invoice_register, ("gross", "disc", "net", "vat", "total")),
            "kredi-odeme-plani": (loan_plan, ("pay", "princ", "int", "bsmv", "kkdf")),
            "amortisman-listesi": (asset_register, ("cost", "before", "year", "acc", "net")),
            "masraf-merkezi-butce": (cost_budget, ("budget", "actual", "diff")),
            "muavin-devir-genel": (sub_ledger, ("debit", "credit")),
            "cari-yaslandirma": (aged_receivables, ("b0", "b30", "b60", "b90", "b99", "total"))}


# --- tampering and checking -----------------------------------------------------------------


def tampered(r, keys, how, rng):
    """The report's lines with one record's amount 0,01 off, or one record taken out; what
    was done."""
    lines = list(r.lines)
    if how == "amount":
        choices = [(rec, k) for rec in r.records for k in keys if rec["values"].get(k)]
        rec, key = rng.choice(choices)
        a, b = r.span(key)
        old = lines[rec["line"] - 1][a - 1:b]
        k = rec["values"][key]
        new = amount(k + 1 if k > 0 else k - 1, sign=True).rjust(b - a + 1)
        if len(new.strip()) != len(old.strip()):  # 9,99 -> 10,00 would not fit the same
            new = amount(k - 1 if k > 0 else k + 1, sign=True).rjust(b - a + 1)
        line = lines[rec["line"] - 1].ljust(b)
        lines[rec["line"] - 1] = (line[:a - 1] + new + line[b:]).rstrip()
        return lines, f"line {rec['line']} {key} {old.strip()} -> {new.strip()}"
    # The first and last record of a running column follow and precede nothing; a parent
    # taken out leaves its sub-accounts under the parent above.
    rec = rng.choice([rec for rec in r.records[1:-1] if not rec.get("parent")])
    del lines[rec["line"] - 1]
    return lines, f"line {rec['line']} taken out"


def convert(exe, path):
    run = subprocess.run([str(exe), "--clean", "--to", "csv", "--encoding", "utf-8",
                          "--decimal-separator", ",", "-o", str(path.with_suffix(".csv")),
                          str(path)], capture_output=True)
    return run.returncode, run.stderr.decode("utf-8", "replace")


def check(exe, family, seed, tmp, verbose):
    build, keys = FAMILIES[family]
    rng = random.Random(f"{family}/{seed}")
    r = build(rng)
    problems = []
    path = tmp / f"{family}-{seed}.txt"
    path.write_bytes(r.bytes())
    status, err = convert(exe, path)
    warnings = [line for line in err.splitlines() if "uyarı" in line]
    if warnings:
        problems.append(f"a warning on totals that agree: {warnings[0].strip()}")
    if not AGREE.search(err) and any("TOPLAM" in line for line in r.lines):
        problems.append(f"no agreement reported: {err.strip()[-200:]}")
    if "denetlenemedi" in err:
        problems.append(f"totals not checked: {err.strip()[-200:]}")
    for how in ("amount", "record") if r.deletable else ("amount",):
        lines, done = tampered(r, keys, how, random.Random(f"{family}/{seed}/{how}"))
        bad = tmp / f"{family}-{seed}-{how}.txt"
        bad.write_bytes(b"".join(line.encode("cp857") + b"\r\n" for line in lines))
        _, err = convert(exe, bad)
        if "uyarı" not in err:
            problems.append(f"no warning with {done}: {err.strip()[-160:]}")
        elif verbose:
            print(f"{family} seed {seed} {how}: {done}: "
                  f"{next(l for l in err.splitlines() if 'uyarı' in l).strip()}")
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--convert", required=True, type=Path)
    ap.add_argument("--seeds", default="1-5")
    ap.add_argument("--families", default=",".join(FAMILIES))
    ap.add_argument("--keep", type=Path, help="write the reports here, and keep them")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    a, _, b = args.seeds.partition("-")
    seeds = range(int(a), int(b or a) + 1)
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        out = args.keep or Path(tmp)
        out.mkdir(parents=True, exist_ok=True)
        for family in args.families.split(","):
            passed = 0
            for seed in seeds:
                problems = check(args.convert, family, seed, out, args.verbose)
                for p in problems:
                    print(f"{family} seed {seed}: {p}")
                failed += bool(problems)
                passed += not problems
            print(f"{family}: {passed}/{len(seeds)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
