#!/usr/bin/env python3
"""Writes a month of an accounting office's reports, as a DOS program prints them to files:
raw code page 857 bytes with CR LF line breaks, the figures of one set of books.

    ay/muavin-mart.txt   a sub-ledger of five accounts: each opens with its balance carried
                         from February (DEVREDEN BAKİYE), its postings with voucher numbers
                         (Yev.No) and kinds (MAHSUP, TAHSİL, TEDİYE), a running balance with
                         B/A marks, HESAP TOPLAMI under each account, GENEL TOPLAM at the end,
                         pages of 40 lines parted by form feeds.
    ay/mizan-mart.txt    the trial balance of the same accounts on three levels (100,
                         100.01, 100.01.001), from 01.01.2024 to 31.03.2024, GENEL TOPLAM.
    ay/yevmiye-mart.txt  the journal of March: each voucher under a line with its number, date
                         and kind, its entries, an explanation line, and its totals.
    ay/subat/muavin-subat.txt
                         February's sub-ledger of the same shape: a month merged with another.

Run from anywhere: python3 samples/make-month.py [--out DIR] (default: samples/ay).
"""

import argparse
import random
from pathlib import Path

FIRM = "ANADOLU GIDA SAN. VE TİC. A.Ş."
FF = b"\x0c"

# The chart of accounts: the leaves the postings go to, under their parents.
ACCOUNTS = {
    "100.01.001": "MERKEZ KASA TL",
    "102.01.001": "T.İŞ BANKASI KADIKÖY",
    "102.01.002": "ZİRAAT BANKASI MERKEZ",
    "120.01.001": "ÖZTÜRK GIDA LTD.ŞTİ.",
    "120.01.002": "KARDEŞLER MARKET",
    "320.01.001": "EGE AMBALAJ SAN.",
    "500.01.001": "ÖDENMİŞ SERMAYE",
    "600.01.001": "YURT İÇİ SATIŞLAR",
    "770.01.001": "GENEL YÖNETİM GİDERLERİ",
}
PARENTS = {
    "100": "KASA", "100.01": "MERKEZ KASA",
    "102": "BANKALAR", "102.01": "VADESİZ MEVDUAT",
    "120": "ALICILAR", "120.01": "YURT İÇİ ALICILAR",
    "320": "SATICILAR", "320.01": "YURT İÇİ SATICILAR",
    "500": "SERMAYE", "500.01": "ORTAKLAR",
    "600": "YURT İÇİ SATIŞLAR", "600.01": "TOPTAN SATIŞLAR",
    "770": "GENEL YÖNETİM GİDERLERİ", "770.01": "MERKEZ GİDERLERİ",
}
# The sub-ledger's accounts and what they carried into the month (kuruş, debit positive).
LEDGER = ["100.01.001", "102.01.001", "120.01.001", "120.01.002", "320.01.001"]


def dos(text: str) -> bytes:
    return text.encode("cp857")


def money(kurus: int) -> str:
    """1.234.567,89 as the DOS program prints it; an empty field for nothing."""
    if kurus == 0:
        return ""
    whole, frac = divmod(abs(kurus), 100)
    text = f"{whole:,}".replace(",", ".") + f",{frac:02d}"
    return ("-" if kurus < 0 else "") + text


def marked(kurus: int) -> str:
    return money(abs(kurus)) + ("B" if kurus >= 0 else "A")


def write(path: Path, lines: list[bytes]) -> None:
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(b"".join(line + b"\r\n" for line in lines))


def postings(rng: random.Random, month: int, count: int):
    """Vouchers of a month: (number, day, kind, text, [(account, debit, credit)])."""
    texts = {
        "TAHSİL": ["Peşin satış - fatura {n}", "Tahsilat - Öztürk Gıda", "Çek tahsilatı"],
        "TEDİYE": ["Kırtasiye gideri", "Kargo ve hamaliye", "Ödeme - Ege Ambalaj"],
        "MAHSUP": ["Satış faturası {n}", "Virman: kasadan bankaya", "Havale - Kardeşler Market"],
    }
    vouchers = []
    number = 150 if month == 3 else 90
    for i in range(count):
        number += rng.randint(1, 3)
        day = min(28, 1 + i * 28 // count)
        kind = rng.choice(list(texts))
        amount = rng.randint(50_000, 4_800_000)
        text = rng.choice(texts[kind]).format(n=f"2024/{100 + i}")
        if kind == "TAHSİL":
            lines = [("100.01.001", amount, 0), ("120.01.001", 0, amount)]
        elif kind == "TEDİYE":
            lines = [("770.01.001", amount, 0), ("100.01.001", 0, amount)]
        elif "Virman" in text:
            lines = [("102.01.001", amount, 0), ("100.01.001", 0, amount)]
        elif "Havale" in text:
            lines = [("102.01.002", amount, 0), ("120.01.002", 0, amount)]
        else:
            customer = rng.choice(["120.01.001", "120.01.002"])
            lines = [(customer, amount, 0), ("600.01.001", 0, amount)]
        vouchers.append((number, f"{day:02d}.{month:02d}.2024", kind, text, lines))
    return vouchers


def sub_ledger(month_name: str, period: str, printed: str, carried: dict, vouchers) -> list[bytes]:
    head = [
        dos(f"{FIRM:<80}Sayfa : {{page}}"),
        dos(f"{'':34}MUAVİN DEFTERİ{'':28}Tarih : {printed}"),
        dos(f"{'':33}{period}"),
        b"",
        dos(f"{'Tarih':<10} {'Yev.No':>6} {'Fiş T.':<6} {'Açıklama':<30} {'Borç':>14} "
            f"{'Alacak':>14} {'Bakiye':>15}"),
        dos(" ".join("-" * n for n in (10, 6, 6, 30, 14, 14, 15))),
    ]
    body: list[str] = []
    grand_debit = grand_credit = 0
    for account in LEDGER:
        balance = carried[account]
        body.append(f"Hesap Kodu : {account}   Hesap Adı : {ACCOUNTS[account]}")
        body.append(f"{'':25}{'DEVREDEN BAKİYE':<30} {'':>14} {'':>14} {marked(balance):>15}")
        debit_total = credit_total = 0
        for number, date, kind, text, lines in vouchers:
            for acc, debit, credit in lines:
                if acc != account:
                    continue
                balance += debit - credit
                debit_total += debit
                credit_total += credit
                body.append(f"{date:<10} {number:>6} {kind:<6} {text:<30} {money(debit):>14} "
                            f"{money(credit):>14} {marked(balance):>15}")
        body.append(f"{'':25}{'HESAP TOPLAMI':<30} {money(debit_total):>14} "
                    f"{money(credit_total):>14} {marked(balance):>15}")
        body.append("")
        grand_debit += debit_total
        grand_credit += credit_total
    body.append(f"{'':25}{'GENEL TOPLAM':<30} {money(grand_debit):>14} {money(grand_credit):>14}")
    lines: list[bytes] = []
    per_page = 40
    for page, start in enumerate(range(0, len(body), per_page), 1):
        for i, line in enumerate(head):
            text = line.replace(b"{page}", str(page).encode())
            lines.append(FF + text if page > 1 and i == 0 else text)
        lines += [dos(x) for x in body[start:start + per_page]]
    return lines


def trial_balance(movements: dict) -> list[bytes]:
    """The balances from the year's start to March's end on three levels."""
    sums: dict = {}
    for leaf, (debit, credit) in movements.items():
        for code in (leaf[:3], leaf[:6], leaf):
            d, c = sums.get(code, (0, 0))
            sums[code] = (d + debit, c + credit)
    lines = [
        dos(f"{FIRM:<100}Sayfa : 1"),
        dos(f"{'':47}GENEL GEÇİCİ MİZAN{'':29}Tarih : 05.04.2024"),
        dos(f"{'':45}01.01.2024 - 31.03.2024"),
        b"",
        dos(f"{'':93}{'Borç':>4}{'':10}Alacak"),
        dos(f"{'Hesap Kodu':<12} {'Hesap Adı':<36} {'Borç':>15} {'Alacak':>15} {'Bakiye':>15} "
            f"{'Bakiye':>15}"),
        dos(" ".join("-" * n for n in (12, 36, 15, 15, 15, 15))),
    ]
    total_debit = total_credit = 0
    for code in sorted(sums):
        debit, credit = sums[code]
        name = PARENTS.get(code) or ACCOUNTS[code]
        net = debit - credit
        lines.append(dos(f"{code:<12} {name:<36} {money(debit):>15} {money(credit):>15} "
                         f"{money(max(net, 0)):>15} {money(max(-net, 0)):>15}"))
        if len(code) == 3:
            total_debit += debit
            total_credit += credit
    lines.append(dos(" ".join("-" * n for n in (12, 36, 15, 15, 15, 15))))
    lines.append(dos(f"{'':13}{'GENEL TOPLAM':<36} {money(total_debit):>15} "
                     f"{money(total_credit):>15}"))
    return lines


def journal(vouchers) -> list[bytes]:
    lines = [
        dos(f"{FIRM:<88}Sayfa : 1"),
        dos(f"{'':41}YEVMİYE DEFTERİ{'':24}Tarih : 05.04.2024"),
        dos(f"{'':37}01.03.2024 - 31.03.2024"),
        b"",
        dos(f"{'Hesap Kodu':<12} {'Hesap Adı':<24} {'Açıklama':<28} {'Borç':>15} {'Alacak':>15}"),
        dos(" ".join("-" * n for n in (12, 24, 28, 15, 15))),
    ]
    total = 0
    for number, date, kind, text, entries in vouchers:
        lines.append(dos(f"Yevmiye No: {number}   Tarih: {date}   Fiş No: {number - 100}   "
                         f"({kind})"))
        voucher = 0
        for account, debit, credit in entries:
            lines.append(dos(f"{account:<12} {ACCOUNTS[account][:24]:<24} {text[:28]:<28} "
                             f"{money(debit):>15} {money(credit):>15}"))
            voucher += debit
        lines.append(dos(f"{'':13}{'Açıklama: ' + text + ' işlemi':<53}"))
        lines.append(dos(f"{'':38}{'FİŞ TOPLAMI':<28} {money(voucher):>15} {money(voucher):>15}"))
        total += voucher
    lines.append(dos(f"{'':38}{'GENEL TOPLAM':<28} {money(total):>15} {money(total):>15}"))
    return lines


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=Path(__file__).resolve().parent / "ay")
    args = parser.parse_args()
    rng = random.Random(2024)
    january = {"100.01.001": 25_000_000, "102.01.001": 48_617_500, "120.01.001": 9_344_020,
               "120.01.002": 2_115_075, "320.01.001": -7_305_000}
    january["500.01.001"] = -sum(january.values())  # the books balance
    february = postings(rng, 2, 14)
    march = postings(rng, 3, 22)

    def moved(vouchers, into):
        for _, _, _, _, lines in vouchers:
            for account, debit, credit in lines:
                into[account] = into.get(account, 0) + debit - credit
        return into

    opening_march = moved(february, dict(january))
    write(args.out / "subat" / "muavin-subat.txt",
          sub_ledger("Şubat", "01.02.2024 - 29.02.2024", "04.03.2024", january, february))
    write(args.out / "muavin-mart.txt",
          sub_ledger("Mart", "01.03.2024 - 31.03.2024", "05.04.2024", opening_march, march))
    # The trial balance: the openings of January as debits or credits, then every posting.
    movements = {code: (max(b, 0), max(-b, 0)) for code, b in january.items()}
    for vouchers in (february, march):
        for _, _, _, _, lines in vouchers:
            for account, debit, credit in lines:
                d, c = movements.get(account, (0, 0))
                movements[account] = (d + debit, c + credit)
    write(args.out / "mizan-mart.txt", trial_balance(movements))
    write(args.out / "yevmiye-mart.txt", journal(march))
    print(args.out)


if __name__ == "__main__":
    main()
