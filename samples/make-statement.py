#!/usr/bin/env python3
"""Writes the sample Akbank statements, raw bytes with CR LF line breaks.

    akbank-ekstre.txt      the statement as the import expects it: DOS Turkish (code page 857)
                           text, with the transaction table's heading line in Windows Turkish,
                           so that its "TARİH" is recognised and the heading shows as written.
    akbank-ekstre-dos.txt  the same statement wholly in code page 857. The import recognises
                           the heading only by the Windows "İ" of "TARİH" (the date field is
                           cleaned, not converted), so here the heading line reads as a
                           transaction: "TA/R?/H" in column 2 and "VA/L?/R" in column 4.

Layout of a statement line (1-based positions): 1-4 sequence, 5-13 date (eight packed digits,
day first), 14-20 slip number, 21-30 value date (packed, from position 22), 31-38 code,
39-62 description, 63-86 amount, 87-91 debit/credit, 92-127 balance.

Run from anywhere: python3 samples/make-statement.py
"""

from pathlib import Path

WIDTHS = [4, 9, 7, 10, 8, 24, 24, 5, 36]
RECORD = sum(WIDTHS)  # 127


def fields(*cols: str) -> str:
    """Columns already aligned within their widths, joined into one line."""
    out = []
    for text, width in zip(cols, WIDTHS):
        assert len(text) <= width, (text, width)
        out.append(text.ljust(width))
    return "".join(out).rstrip()


def transaction(no, date, slip, value_date, code, text, amount, side, balance):
    return fields(no.rjust(4), date, slip, " " + value_date, code, text,
                  amount.rjust(23), side.center(5), balance.rjust(36))


def at_description(text: str) -> str:
    """A line whose only text stands in the description column (positions 5-13 blank)."""
    return " " * sum(WIDTHS[:5]) + text


HEADING = fields(" NO", "TARİH", "FİŞ NO", " VALÖR", "İŞLEM", "AÇIKLAMA",
                 "TUTAR".rjust(23), " B/A", "BAKİYE".rjust(36))


def statement(heading_codec: str) -> bytes:
    lines = [
        ("AKBANK T.A.Ş.", "cp857"),
        (fields("", "", "", "", "", "HESAP EKSTRESİ", "01.02.2010 - 28.02.2010"), "cp857"),
        ("", "cp857"),
        ("    DÜZENLEYEN ŞUBE : 0123 KADIKÖY / İSTANBUL", "cp857"),
        ("    HESAP ŞUBESİ    : 0123 KADIKÖY", "cp857"),
        ("    IBAN            : TR12 0004 6001 2301 0012 3456 78", "cp857"),
        ("", "cp857"),
        (HEADING, heading_codec),
        ("-" * RECORD, "cp857"),
        (transaction("1", "01022010", "=000101", "01022010", "EFT", "EFT GELEN ÖDEME",
                     "1,234.56", "A", "=12,500.00"), "cp857"),
        (at_description("ABC TİCARET LTD ŞTİ"), "cp857"),
        (transaction("2", "05022010", "=000102", "05022010", "HVL", "HAVALE GÖNDERİLEN",
                     "-1,234.56", "B", "11,265.44"), "cp857"),
        (transaction("3", "15022010", "=000103", "16022010", "FAT", "FATURA ÖDEMESİ",
                     "-265.44", "B", "11,000.00"), "cp857"),
        (transaction("4", "28022010", "=000104", "28022010", "FAİ", "MEVDUAT FAİZİ",
                     "12.50", "A", "11,012.50"), "cp857"),
        ("=" * RECORD, "cp857"),
        ("", "cp857"),
        (at_description("Bu ekstre bilgi amaçlıdır."), "cp857"),
    ]
    return b"".join(text.encode(codec) + b"\r\n" for text, codec in lines)


def main() -> None:
    here = Path(__file__).resolve().parent
    (here / "akbank-ekstre.txt").write_bytes(statement("cp1254"))
    (here / "akbank-ekstre-dos.txt").write_bytes(statement("cp857"))


if __name__ == "__main__":
    main()
