#!/usr/bin/env python3
"""Writes the window tests' reports: DOS Turkish (code page 857) bytes, CR LF line ends.

    python3 tests/data/app/make-reports.py   # rewrites the files beside this script
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Column widths of the ledger report; the rule line has one blank between its runs.
WIDTHS = [10, 8, 30, 14, 14, 16]


def row(*fields):
    return " ".join(f.ljust(w) if i < 3 else f.rjust(w)
                    for i, (f, w) in enumerate(zip(fields, WIDTHS))).rstrip()


def ledger():
    # The balance carries its side, "B" (borç) or "A" (alacak), after a blank.
    lines = [
        "ÖRNEK TİCARET A.Ş.                MUAVİN DEFTERİ               Sayfa: 1",
        row("Tarih", "Fiş No", "Açıklama", "Borç", "Alacak", "Bakiye"),
        " ".join("-" * w for w in WIDTHS),
        row("01.01.2005", "1", "Açılış fişi", "1.500,00", "", "1.500,00 B"),
        row("03.01.2005", "2", "Şubat kirası ödendi", "", "750,25", "749,75 B"),
        row("15.01.2005", "3", "Güneş Ltd. çek tahsilatı", "2.000,00", "", "2.749,75 B"),
        row("31.01.2005", "4", "Öğle yemeği gideri", "", "120,50", "2.629,25 B"),
        "",
        row("", "", "TOPLAM", "3.500,00", "870,75", "2.629,25 B"),
    ]
    return lines


def framed():
    # A box-drawn frame: the top line is double rules with tees where the columns meet.
    w = [12, 24, 14]
    top = "╔" + "╤".join("═" * x for x in w) + "╗"
    head = "║" + "│".join(t.ljust(x) for t, x in zip(["Tarih", "Açıklama", "Tutar"], w)) + "║"
    body = [
        ["02.02.2005", "Kırtasiye alımı", "45,90"],
        ["09.02.2005", "İnternet faturası", "129,00"],
    ]
    lines = ["ÇERÇEVELİ RAPOR", top, head]
    lines += ["║" + "│".join(t.ljust(x) for t, x in zip(r, w)) + "║" for r in body]
    lines.append("╚" + "╧".join("═" * x for x in w) + "╝")
    return lines


def not_a_report():
    return ["Bu bir rapor değil.", "Ne çizgi satırı ne de çerçeve var."]


# Frame tees as DOS programs draw them, in the code page 437 layout that code page 857 lacks.
RAW = {"╤": b"\xd1", "╧": b"\xcf"}


def encode(text):
    return b"".join(RAW.get(ch) or ch.encode("cp857") for ch in text)


def write(name, lines):
    data = b"".join(encode(line) + b"\r\n" for line in lines)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    write("muavin.txt", ledger())
    write("cerceve.txt", framed())
    write("gecersiz.txt", not_a_report())
