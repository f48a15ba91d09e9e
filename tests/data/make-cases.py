#!/usr/bin/env python3
"""Writes the converter's golden cases: one folder per case with

    report.txt     the report, raw code page 857 bytes with CR LF line breaks
    expected.csv   what the "CSV" button saves after "Aç" imported it (Windows-1254)
    expected.html  what the "HTML" button saves (Windows-1254), where the case has one

The expected grids below are written out by hand from the import's rules, cell by cell,
with the decimal separator ","; this script only lays them out as CSV and HTML by the
writers' rules. They are not taken from the program's output.

Run from anywhere: python3 tests/data/make-cases.py
"""

from pathlib import Path

HERE = Path(__file__).resolve().parent
LETTERS = "ABCDEFGHIJKLMNOPQRST"
DEFAULT_WIDTHS = [10, 12, 39] + [19] * 7 + [10] * 10


def dos(text: str) -> bytes:
    return text.encode("cp857")


def report_bytes(lines: list[bytes]) -> bytes:
    return b"".join(line + b"\r\n" for line in lines)


def full_grid(data_rows: list[list[str]]) -> list[list[str]]:
    """Row 0 with the letters, then each data row behind its row number, 21 cells each."""
    grid = [[""] + list(LETTERS)]
    for r, cells in enumerate(data_rows, start=1):
        grid.append([str(r)] + cells + [""] * (20 - len(cells)))
    return grid


def csv_bytes(grid: list[list[str]]) -> bytes:
    def field(cell: str) -> str:
        if any(ord(c) <= 32 and c != "\0" or c in '",' for c in cell):
            return '"' + cell.replace('"', '""') + '"'
        return cell

    return b"".join((",".join(field(c) for c in row) + "\r\n").encode("cp1254") for row in grid)


def html_bytes(grid: list[list[str]], widths: list[int]) -> bytes:
    col_px = [30] + [7 * w for w in widths]
    lines = ["<html>", '<head><meta charset="windows-1254"></head>', "<body>",
             f'  <table border="1" width="{sum(col_px)}" height="{24 * len(grid)}">']
    for row in grid:
        lines.append("  <tr>")
        for c, cell in enumerate(row):
            text = (cell.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
                    .replace('"', "&quot;")) or " "
            lines.append(f'    <td width="{col_px[c]}" height="24"><font color="#0066CC" '
                         f'face="Times New Roman">{text}</font></td>')
        lines.append("  </tr>")
    lines += ["  </table>", "</body>", "</html>"]
    return "".join(line + "\r\n" for line in lines).encode("cp1254")


def write_case(name: str, report: list[bytes], data_rows, widths, html: bool) -> None:
    folder = HERE / name
    folder.mkdir(exist_ok=True)
    (folder / "report.txt").write_bytes(report_bytes(report))
    grid = full_grid(data_rows)
    (folder / "expected.csv").write_bytes(csv_bytes(grid))
    if html:
        (folder / "expected.html").write_bytes(html_bytes(grid, widths))


# --- ledger-rule-line -----------------------------------------------------------------
# Rule line runs 1-10, 12-17, 19-38, 40-49 (separators at 11, 18, 39; length 49): widths
# 11, 6, 21 and, with the ledger marks, 49 - 38 - 1 = 10. The mark under the rule line's
# last character (49) starts column 5, whose width stays 19.
def ledger_rule_line() -> None:
    def line(date, slip, text, amount, mark):
        assert len(text) <= 20 and len(amount) <= 8 and len(slip) <= 6
        return dos(f"{date:<10} {slip:<6} {text:<20} {amount:>8} {mark}")

    report = [
        dos("ÖRNEK TİCARET A.Ş. MUAVİN DEFTERİ"),
        dos(f"{'Tarih':<10} {'Fiş No':<6} {'Açıklama':<20} {'Tutar':>8} B/A"),
        dos("---------- ------ -------------------- ----------"),
        line("01.01.2005", "000001", "Açılış fişi", "1.500,00", "B"),
        line("14.01.2005", "000017", 'Fatura "A&B" <İade>', "250,00", "A"),
        line("21.01.2005", "000023", "Çek, İş Bankası", "0,00", "B"),
        line("", "00 024", "Kur farkı", "-12,50", "A"),
    ]
    rows = [
        # Line 1 (StartRow) as text: every field trimmed, nothing else changes.
        ["Tarih", "Fiş No", "Açıklama", "Tutar", "B/A"],
        # The rule line: column 4 ends at 48, so it holds 9 hyphens; the 10th is column 5.
        ["-" * 10, "-" * 6, "-" * 20, "-" * 9, "-"],
        # Column 1 by text (the date keeps its points), 2 to 20 by number: "." becomes ","
        # and 1,500,00 is no number, so it is left as it is.
        ["01.01.2005", "000001", "Açılış fişi", "1,500,00", "B"],
        ["14.01.2005", "000017", 'Fatura "A&B" <İade>', "250,00", "A"],
        # 0,00 is a number but not above 0.
        ["21.01.2005", "000023", "Çek, İş Bankası", "0,00", "B"],
        # "00 024" reads as 24 once its blank is gone: the blank goes.
        ["", "00024", "Kur farkı", "-12,50", "A"],
    ]
    write_case("ledger-rule-line", report, rows, [11, 6, 21, 10] + DEFAULT_WIDTHS[4:], True)


# --- framed-report --------------------------------------------------------------------
# Top line: corner, 8 double rules, tee at 10, 14 double rules, tee at 25, 9 double rules,
# corner at 35. Widths 10, 25 - 10 - 1 = 14 and, with the ledger marks, 35 - 24 - 1 = 10:
# columns 1-10, 11-24, 25-34; the right border (35) starts column 4, which the conversion
# empties.
def framed_report() -> None:
    def row(a, b, c):
        return b"\xba" + dos(f"{a:<8}") + b"\xb3" + dos(f" {b:<13}") + b"\xb3" + dos(f"{c:>8} ") + b"\xba"

    report = [
        dos("KASA DEFTERİ"),
        b"\xc9" + b"\xcd" * 8 + b"\xd1" + b"\xcd" * 14 + b"\xd1" + b"\xcd" * 9 + b"\xbb",
        row("Tarih", "Açıklama", "Tutar"),
        b"\xc3" + b"\xc4" * 8 + b"\xc5" + b"\xc4" * 14 + b"\xc5" + b"\xc4" * 9 + b"\xb6",
        row("03.01.05", "Kırtasiye", "125.50"),
        row("05.01.05", "Peşin satış", "2 750.00"),
        row("", "Toplam", "2.875,50"),
        b"\xc8" + b"\xcd" * 8 + b"\xcf" + b"\xcd" * 14 + b"\xcf" + b"\xcd" * 9 + b"\xbc",
    ]
    rows = [
        # The top line as text: every byte of it is a frame character.
        [],
        # Trimming comes before the frame bytes go, so the blanks beside a frame byte
        # stay: "Tarih" keeps the three after it, "Tutar" the three before it; the blank
        # after "Tutar" was trimmed away first.
        ["Tarih   ", "Açıklama", "   Tutar"],
        [],
        # 125.50 becomes 125,50, a number above 0: its blanks go. 2 750.00 likewise.
        ["03.01.05", "Kırtasiye", "125,50"],
        ["05.01.05", "Peşin satış", "2750,00"],
        # 2.875,50 becomes 2,875,50, which is no number; the empty date keeps its eight
        # blanks between the frame bytes.
        [" " * 8, "Toplam", "2,875,50"],
        [],
    ]
    write_case("framed-report", report, rows, [10, 14, 10] + DEFAULT_WIDTHS[3:], True)


if __name__ == "__main__":
    ledger_rule_line()
    framed_report()
