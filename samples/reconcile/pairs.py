"""A reconciliation pair: our ledger of an account and the other side's statement of it, as the
programs print them (code page 857, CR LF), with every situation a reconciliation meets planted
and its truth: which records pair and how, why each record left over is left, the difference.

Kinds:
  banka-akbank  a bank month: our bank sub-ledger (102) against the Akbank statement
  banka-rapor   the same against a statement another bank's program printed (its debit our credit)
  cari-yil      a customer's year: our sub-ledger (120) against the customer's own (320) of us
  banka-cok-hesap  a bank month whose sub-ledger prints two or three bank accounts, the
                statement's among them: that one is reconciled, and said so
"""

import random
from dataclasses import dataclass, field

FIRMS = ["ÖZTÜRK GIDA SAN.TİC.A.Ş.", "MARMARA BOYA VERNİK LTD.ŞTİ.", "Işık Ticaret - Mehmet Işık",
         "ÇAĞLAR İNŞAAT MALZ. A.Ş.", "GÜNEŞ KIRTASİYE TİC.LTD.ŞTİ."]
PARTIES = ["ERGÜN KUYUMCULUK", "YAZICI MATBAACILIK LTD.ŞTİ.", "AKSOY NAKLİYAT LTD.ŞTİ.",
           "DOĞAN & ŞÜKRÜ AĞAOĞLU", "NUR ECZA DEPOSU", "BİLGİÇ MÜHENDİSLİK"]


def tr(units: int) -> str:
    """Hundredths as a Turkish print shows them: 1.234,56."""
    whole, cents = divmod(abs(units), 100)
    text = f"{whole:,}".replace(",", ".") + f",{cents:02d}"
    return "-" + text if units < 0 else text


def en(units: int) -> str:
    """Hundredths as the Akbank statement shows them: 1,234.56."""
    whole, cents = divmod(abs(units), 100)
    return ("-" if units < 0 else "") + f"{whole:,}.{cents:02d}"


@dataclass
class Rec:
    """One record: our side's amount (debit plus), its day of the period, its words."""
    day: int
    amount: int
    text: str
    ref: str = ""
    line: int = 0
    value_shift: int = 0  # its value date's days after its date, where a statement prints one


@dataclass
class Plan:
    ledger: list = field(default_factory=list)
    statement: list = field(default_factory=list)  # amounts from our side too
    matches: list = field(default_factory=list)     # (ledger recs, statement recs, kind)
    ledger_only: list = field(default_factory=list)  # (rec, reason)
    statement_only: list = field(default_factory=list)


class Planter:
    def __init__(self, rng: random.Random, days_in_period: int, days: int):
        self.rng, self.n, self.days, self.plan = rng, days_in_period, days, Plan()
        self.used = set()

    def amount(self, low=5000, high=2500000) -> int:
        while True:
            a = self.rng.randint(low, high)
            if a not in self.used:
                self.used.add(a)
                return a

    def day(self, last=None):
        return self.rng.randint(1, last or self.n - self.days - 1)

    def pair(self, day, amount, ltext, stext, gap=0, ref=""):
        l, s = Rec(day, amount, ltext, ref), Rec(day + gap, amount, stext, ref)
        self.plan.ledger.append(l)
        self.plan.statement.append(s)
        self.plan.matches.append(([l], [s], "tam" if gap == 0 else "tarih farkı"))

    def group(self, ones, manys, one_on_ledger):
        (self.plan.ledger if one_on_ledger else self.plan.statement).extend(ones)
        (self.plan.statement if one_on_ledger else self.plan.ledger).extend(manys)
        self.plan.matches.append((ones, manys, "toplu") if one_on_ledger else (manys, ones, "toplu"))

    def only(self, statement: bool, rec: Rec, reason: str):
        (self.plan.statement if statement else self.plan.ledger).append(rec)
        (self.plan.statement_only if statement else self.plan.ledger_only).append((rec, reason))

    def amount_diff(self, day, l_amount, s_amount, ltext, stext, ref):
        l, s = Rec(day, l_amount, ltext, ref), Rec(day, s_amount, stext, ref)
        reason = f"tutar farkı: defterde {tr(abs(l_amount))}, ekstrede {tr(abs(s_amount))}"
        a, b = str(abs(l_amount)), str(abs(s_amount))
        diffs = [i for i in range(len(a)) if len(a) == len(b) and a[i] != b[i]]
        if (len(diffs) == 2 and diffs[1] == diffs[0] + 1 and a[diffs[0]] == b[diffs[1]]
                and a[diffs[1]] == b[diffs[0]]):
            reason += " — basamaklar yer değiştirmiş?"
        self.only(False, l, reason)
        self.only(True, s, reason)


def transposed(rng, units):
    """An amount with two neighbouring digits swapped (not equal ones)."""
    s = str(units)
    for _ in range(50):
        i = rng.randrange(len(s) - 1)
        if s[i] != s[i + 1] and not (i == 0 and s[i + 1] == "0"):
            return int(s[:i] + s[i + 1] + s[i] + s[i + 2:])
    return units + 900


def plant_bank(p: Planter, rng, records: int):
    """A bank month: everything a bank reconciliation meets."""
    n = p.n
    for k in range(records):
        d = p.day()
        a = p.amount()
        gap = rng.choice([0, 0, 0, 1, 2]) if k % 3 else 0
        inflow = rng.random() < 0.45
        party = rng.choice(PARTIES)
        if inflow:
            p.pair(d, a, f"EFT gelen - {party}"[:30], f"EFT GELEN {party}", gap)
        else:
            ref = str(rng.randint(10000, 99999))
            p.pair(d, -a, f"Ödeme - {party}"[:24] + f" {ref}", f"EFT GÖNDERİLEN FATURA NO {ref}", gap)
    # The same amount three times: told apart by the date.
    rent = p.amount(100000, 900000)
    for d in (3, 13, 23):
        p.pair(d, -rent, "Kira ödemesi", "KİRA ÖDEMESİ", rng.choice([0, 1]))
    # Two cheques of one amount on one day: told apart by their numbers.
    amt, d = p.amount(), p.day()
    for no in rng.sample(range(100000, 999999), 2):
        p.pair(d, -amt, f"Çek ödemesi No {no}", f"ÇEK ÖDEMESİ {no}", 1, str(no))
    # A payment the bank split in two.
    a1, a2 = p.amount(), p.amount()
    d = p.day()
    p.group([Rec(d, -(a1 + a2), "SGK prim ödemesi")],
            [Rec(d, -a1, "SGK PRİM ÖDEMESİ 1/2"), Rec(d, -a2, "SGK PRİM ÖDEMESİ 2/2")], True)
    # A day's POS slips credited as one the next day.
    d = p.day()
    slips = [Rec(d, p.amount(2000, 90000), f"POS slip {i + 1}") for i in range(rng.randint(3, 6))]
    p.group([Rec(d + 1, sum(s.amount for s in slips), "POS SATIŞ HASILATI")], slips, False)
    # One booking for the bank's commission and its tax.
    c = p.amount(1000, 9000)
    tax = c * 5 // 100
    d = p.day()
    p.group([Rec(d, -(c + tax), "Komisyon & BSMV")],
            [Rec(d, -c, "EFT KOMİSYONU"), Rec(d, -tax, "BSMV")], True)
    # Only in the statement: charges, their tax, interest, a transfer we did not book.
    p.only(True, Rec(p.day(), -p.amount(1000, 5000), "HESAP İŞLETİM ÜCRETİ"), "banka masrafı")
    p.only(True, Rec(p.day(), -p.amount(10, 300), "BSMV"), "BSMV")
    p.only(True, Rec(n, p.amount(100, 9000), "MEVDUAT FAİZİ"), "faiz")
    p.only(True, Rec(p.day(), p.amount(), "HAVALE GELEN " + rng.choice(PARTIES)), "")
    # Only in the ledger: a cheque not yet paid, a deposit on its way, a second booking.
    no = rng.randint(100000, 999999)
    p.only(False, Rec(p.day(), -p.amount(), f"Çek ödemesi No {no}", str(no)), "yoldaki çek")
    p.only(False, Rec(n, p.amount(), "Kasadan yatırılan"), "yoldaki para")
    dup = p.amount()
    d = p.day()
    p.pair(d, -dup, "Telefon faturası", "TELEKOM FATURA ÖDEMESİ")
    p.only(False, Rec(d, -dup, "Telefon faturası"), "mükerrer kayıt?")
    # Amounts that differ from the other side's record of the same date and reference.
    ref = str(rng.randint(10000, 99999))
    a = p.amount(100000, 999999)
    p.amount_diff(p.day(), -a, -transposed(rng, a), f"Ödeme fatura {ref}",
                  f"EFT GÖNDERİLEN FATURA NO {ref}", ref)
    ref = str(rng.randint(10000, 99999))
    a = p.amount(100000, 999999)
    p.amount_diff(p.day(), a, a + 1000, f"Tahsilat fatura {ref}", f"EFT GELEN FATURA NO {ref}", ref)
    # A charge of just the amount two swapped digits differ by would explain them as a group:
    # the charge is a kuruş more.
    diffs = {abs(l.amount - s.amount) for (l, _), (s, _) in
             zip(p.plan.ledger_only[-2:], p.plan.statement_only[-2:])}
    for rec, _ in p.plan.statement_only:
        while abs(rec.amount) in diffs:
            rec.amount -= 1


def plant_customer(p: Planter, rng, records: int):
    """A customer's year from our side: invoices we issued, payments they made."""
    n = p.n
    for k in range(records):
        d = p.day()
        gap = rng.choice([0, 0, 1, 3])
        if rng.random() < 0.55:
            no = str(rng.randint(100000, 999999))
            p.pair(d, p.amount(), f"Satış faturası {no}", f"Alış faturası {no}", gap, no)
        else:
            p.pair(d, -p.amount(), "Havale - Halkbank", "Havale ödemesi", gap)
    # One amount twice: told apart by the invoice numbers.
    a, d = p.amount(), p.day()
    for no in rng.sample(range(100000, 999999), 2):
        p.pair(d, a, f"Satış faturası {no}", f"Fatura {no}", 2, str(no))
    # Two invoices of ours booked by them as one.
    d = p.day()
    inv = [Rec(d, p.amount(), f"Satış faturası {rng.randint(100000, 999999)}") for _ in range(2)]
    p.group([Rec(d + 1, sum(r.amount for r in inv), "Faturalar (2 adet)")], inv, False)
    # Left over: our invoice of the last days, their payment of the last day, a cheque, a
    # second booking of theirs, an amount keyed with two digits swapped.
    p.only(False, Rec(n - 1, p.amount(), f"Satış faturası {rng.randint(100000, 999999)}"),
           "yoldaki fatura")
    p.only(True, Rec(n, -p.amount(), "Havale ödemesi"), "yoldaki ödeme")
    no = rng.randint(100000, 999999)
    p.only(False, Rec(p.day(), -p.amount(), f"Alınan çek No {no}", str(no)), "yoldaki çek")
    a, d = p.amount(), p.day()
    p.pair(d, -a, "Havale - Garanti", "Havale ödemesi G")
    p.only(True, Rec(d, -a, "Havale ödemesi G"), "mükerrer kayıt?")
    no = str(rng.randint(100000, 999999))
    a = p.amount(100000, 999999)
    p.amount_diff(p.day(), a, transposed(rng, a), f"Satış faturası {no}", f"Alış faturası {no}", no)
