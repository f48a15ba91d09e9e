#!/usr/bin/env python3
"""Writes the sample reports, raw code page 857 bytes with CR LF line breaks.

    muavin.txt          a sub-ledger ("Muavin") print-out: title lines, column headings
                        underlined by a rule line of hyphens, a second page after a form
                        feed, debit/credit marks "B" and "A" under the rule line's last
                        character.
    framed.txt          a cash book drawn in a box frame: the top line is the double rule
                        (0xCD) with its corners (0xC9, 0xBB) and a tee (0xD1) over each
                        column line, the columns are parted by single bars (0xB3).
    rule-and-frame.txt  both: a framed table whose headings are underlined by hyphens
                        inside the frame, so both column detections run (the frame's last).
    not-a-report.txt    a letter: neither ten hyphens nor twelve double rules.

Text is written in code page 857; the frame bytes are written as bytes, since code page
857 has letters where the DOS frame's tee and bottom tee (0xD1, 0xCF) stand.

Run from anywhere: python3 samples/make-samples.py
"""

from pathlib import Path

FF = b"\x0c"
# The frame of code page 437 that DOS reports draw with.
TL, TR, BL, BR = b"\xc9", b"\xbb", b"\xc8", b"\xbc"  # double corners
DH, DV = b"\xcd", b"\xba"  # double rule, double bar
TEE_TOP, TEE_BOTTOM = b"\xd1", b"\xcf"  # where a column line meets the double rule
BAR = b"\xb3"  # single bar between columns
ML, MR, MH, MX = b"\xc3", b"\xb6", b"\xc4", b"\xc5"  # a single rule across the frame


def dos(text: str) -> bytes:
    return text.encode("cp857")


def write(name: str, lines: list[bytes]) -> None:
    path = Path(__file__).resolve().parent / name
    path.write_bytes(b"".join(line + b"\r\n" for line in lines))


# --- muavin.txt ---------------------------------------------------------------------
# Columns: date 1-10, slip 12-18, text 20-49, debit 51-63, credit 65-77, balance 79-92,
# mark 94. The rule line's runs end at 10, 18, 49, 63, 77 and 94, so the detected widths
# are 11, 7, 31, 14, 14 and 16 (the mark, under the rule line's last character, goes into
# the next column with the ledger marks on).
def ledger_line(date, slip, text, debit, credit, balance, mark):
    return dos(f"{date:<10} {slip:<7} {text:<30} {debit:>13} {credit:>13} {balance:>14} {mark}")


def muavin() -> list[bytes]:
    heading = dos(f"{'Tarih':<10} {'Fiş No':<7} {'Açıklama':<30} {'Borç':>13} "
                  f"{'Alacak':>13} {'Bakiye':>14} B/A")
    rule = dos(" ".join("-" * n for n in (10, 7, 30, 13, 13, 16)))

    def page(number, first):
        title = dos(f"ÖRNEK TİCARET A.Ş.{'MUAVİN DEFTERİ':^50}Sayfa: {number:>3}")
        return [
            title if first else FF + title,
            dos("Hesap: 120.01.001 ALICILAR - ÖZTÜRK GIDA LTD.ŞTİ.   Dönem: 01.01.2005 - 31.12.2005"),
            b"",
            heading,
            rule,
        ]

    rows1 = [
        ("01.01.2005", "000001", "Açılış fişi", "1.500,00", "", "1.500,00", "B"),
        ("14.01.2005", "000017", "Satış faturası 4711", "12.345,60", "", "13.845,60", "B"),
        ("21.01.2005", "000023", "Çek tahsilatı - İş Bankası", "", "10.000,00", "3.845,60", "B"),
        ("02.02.2005", "000031", "İade faturası \"Şubat\"", "", "250,00", "3.595,60", "B"),
        ("28.02.2005", "000044", "Havale, Ziraat Bankası", "", "4.000,00", "404,40", "A"),
    ]
    rows2 = [
        ("15.03.2005", "000052", "Satış faturası 4790", "2.404,40", "", "2.000,00", "B"),
        ("31.03.2005", "000060", "Kur farkı <düz.> & yuvarlama", "0,35", "", "2.000,35", "B"),
    ]
    lines = page(1, True) + [ledger_line(*r) for r in rows1]
    lines += page(2, False) + [ledger_line(*r) for r in rows2]
    lines += [
        dos(" ".join("-" * n for n in (10, 7, 30, 13, 13, 16))),
        ledger_line("", "", "Toplam", "16.250,35", "14.250,00", "2.000,35", "B"),
    ]
    return lines


# --- framed.txt ---------------------------------------------------------------------
# Tees at 12 and 40 of a 53-character top line: widths 12, 27 and 13 (the right border,
# the line's last character, goes into the fourth column with the ledger marks on).
def framed_row(date, text, amount, left=DV, right=DV):
    return left + dos(f"{date:<10}") + BAR + dos(f" {text:<26}") + BAR + dos(f"{amount:>11} ") + right


def framed() -> list[bytes]:
    top = TL + DH * 10 + TEE_TOP + DH * 27 + TEE_TOP + DH * 12 + TR
    middle = ML + MH * 10 + MX + MH * 27 + MX + MH * 12 + MR
    bottom = BL + DH * 10 + TEE_BOTTOM + DH * 27 + TEE_BOTTOM + DH * 12 + BR
    return [
        dos("ÖRNEK TİCARET A.Ş. - KASA DEFTERİ (Ocak 2005)"),
        top,
        framed_row(" Tarih", "Açıklama", "Tutar"),
        middle,
        framed_row("03.01.2005", "Kırtasiye gideri", "125,50"),
        framed_row("05.01.2005", "Peşin satış", "2.750,00"),
        framed_row("12.01.2005", "Ödenen kira (Ocak)", "1.100,00"),
        framed_row("19.01.2005", "Çay, şeker, su", "47,25"),
        middle,
        framed_row("", "Dönem toplamı", "4.022,75"),
        bottom,
    ]


# --- rule-and-frame.txt -------------------------------------------------------------
def rule_and_frame() -> list[bytes]:
    top = TL + DH * 10 + TEE_TOP + DH * 22 + TEE_TOP + DH * 14 + TR
    bottom = BL + DH * 10 + TEE_BOTTOM + DH * 22 + TEE_BOTTOM + DH * 14 + BR

    def row(a, b, c):
        return DV + dos(f"{a:<10}") + BAR + dos(f" {b:<21}") + BAR + dos(f"{c:>13} ") + DV

    return [
        dos("STOK HAREKETLERİ - DEPO: MERKEZ"),
        top,
        row("Stok Kodu", "Malzeme", "Miktar"),
        DV + b"-" * 10 + BAR + b"-" * 22 + BAR + b"-" * 14 + DV,
        row("100.001", "Çelik vida M8", "1.200"),
        row("100.002", "Galvaniz somun M8", "1.150"),
        row("200.010", "Ağaç vida 4x40", "18.000"),
        bottom,
    ]


# --- not-a-report.txt ---------------------------------------------------------------
def not_a_report() -> list[bytes]:
    return [
        dos("Sayın Muhasebe Müdürü,"),
        b"",
        dos("Ekte gönderdiğimiz dökümün aslı yazıcıdan alınmıştır; sütun başlıkları"),
        dos("altında çizgi satırı bulunmamaktadır (--- yalnızca üç tire)."),
        b"",
        dos("Saygılarımızla,"),
        dos("Öztürk Gıda Ltd. Şti."),
    ]


if __name__ == "__main__":
    write("muavin.txt", muavin())
    write("framed.txt", framed())
    write("rule-and-frame.txt", rule_and_frame())
    write("not-a-report.txt", not_a_report())
