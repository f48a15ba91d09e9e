#!/usr/bin/env python3
"""The report generator's truth check and the variant checker's own steps: a fault put into a
report or its truth is found, the tampered copies really break what the totals say, the
truth-to-cell rule and the printer codes' paper positions."""

import json
import random
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CLEAN = ROOT / "tests" / "data" / "clean"
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "samples"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

from reports import cells  # noqa: E402
from reports.check import check_case  # noqa: E402
from reports.encoding import paper, paper_positions  # noqa: E402
import check_variants  # noqa: E402


def case(kind):
    folder = CLEAN / kind
    return (folder / "report.txt").read_bytes(), json.loads((folder / "truth.json").read_text())


def first(truth, pred):
    table = cells.tables(truth)[0]
    return next(r for r in table["records"] if pred(r)), table


class TruthCheck(unittest.TestCase):
    def test_every_fixed_case_holds(self):
        for folder in sorted(p for p in CLEAN.iterdir() if (p / "truth.json").exists()):
            with self.subTest(folder.name):
                report, truth = case(folder.name)
                self.assertEqual(check_case(report, truth), [])

    def test_faults_are_found(self):
        report, _ = case("yevmiye-defteri")

        def amount_in_truth(t):
            rec, table = first(t, lambda r: r["values"][-2])
            rec["values"][-2] = "1.00"

        def opening_balance(t):
            t["groups"][1]["openings"] = {"Bakiye": "0.00"}

        def unbalanced_voucher(t):
            # a posting's debit one kuruş more, in the truth and on paper alike
            rec, table = first(t, lambda r: r["values"][-2])
            col = table["columns"][-2]
            old = rec["values"][-2]
            rec["values"][-2] = f"{float(old) + 0.01:.2f}"
            return check_variants.edit_lines(report, t, change=(
                rec["line"], col["span"][0], col["span"][1],
                check_variants.render_value(col, rec["values"][-2])))

        def child_of_other_parent(t):
            rec = next(r for r in reversed(t["records"]) if r.get("level") == 3)
            rec["parent"] = t["records"][0]["line"]

        def unplaced_role(t):
            t["unplaced"] = t["unplaced"][1:]

        def group_field(t):
            t["groups"][0]["fields"]["Ünvanı"] = "BAŞKA FİRMA A.Ş."

        faults = [  # kind, fault, a words of the error it must give
            ("muavin-tek-hesap", amount_in_truth, "reads"),
            ("cari-ekstre-bloklu", opening_balance, "running"),
            ("yevmiye-defteri", unbalanced_voucher, "!= credit"),
            ("mizan-kademeli", child_of_other_parent, "is not under"),
            ("gunluk-kasa-raporu", unplaced_role, "not placed disagree"),
            ("cari-ekstre-bloklu", group_field, "not in its block"),
        ]
        for kind, fault, words in faults:
            with self.subTest(kind=kind, fault=fault.__name__):
                report, truth = case(kind)
                errors = check_case(fault(truth) or report, truth)
                self.assertTrue(any(words in e for e in errors), errors[:5])

    def test_a_value_moved_by_a_printer_code_is_found(self):
        report, truth = case("muavin-yazici-kodlu")
        rec, _ = first(truth, lambda r: True)
        lines = report.split(b"\r\n")
        lines[rec["line"] - 1] = b"X" + lines[rec["line"] - 1]  # a character, not a code
        self.assertTrue(check_case(b"\r\n".join(lines), truth))
        lines[rec["line"] - 1] = b"\x1bE" + lines[rec["line"] - 1][1:]  # a code takes no room
        self.assertEqual(check_case(b"\r\n".join(lines), truth), [])


class Cells(unittest.TestCase):
    def test_truth_values_as_cells(self):
        for kind, value, cell in [("date", "2024-01-02", "02.01.2024"),
                                  ("amount", "-1234.56", "-1234,56"),
                                  ("amount", "1493468", "1493468"), ("code", "000375", "000375"),
                                  ("text", None, "")]:
            with self.subTest(value=value):
                self.assertEqual(cells.cell(kind, value), cell)

    def test_signed_balance_follows_the_mark(self):
        _, truth = case("muavin-tek-hesap")
        rows = cells.rows(truth, 0, signed=True)
        at = rows[0].index("İşaretli Bakiye")
        self.assertEqual(rows[0][at - 1], "B/A")
        for row in rows[1:]:
            sign = "-" if row[at - 1] == "A" and row[at - 2] != "0,00" else ""
            self.assertEqual(row[at], sign + row[at - 2])

    def test_printer_codes_take_no_room(self):
        for text, on_paper in [("\x1bE12\x1bF", "12"), ("\x1b! AB\x1b!\x00", "AB"),
                               ("\x0fX\x12", "X"), ("\x1b-1X\x1b-0", "X"), ("\f\x1b@", "\f")]:
            with self.subTest(text=text):
                self.assertEqual(paper(text), on_paper)
                self.assertEqual("".join(text[i] for i in paper_positions(text)), on_paper)


class Checker(unittest.TestCase):
    def test_a_table_that_differs_names_the_line(self):
        _, truth = case("tek-sayfa-lf")
        rows = cells.rows(truth)
        lines = [str(r["line"]) for r in truth["records"]]
        got = [rows[0] + ["Satır"]] + [r + [n] for r, n in zip(rows[1:], lines)]
        got[2][3] = "1,00"
        del got[4]  # the fourth record
        problems = check_variants.compare_table(truth, 0, got, ["date", "code", "text",
                                                                "amount", "amount"])
        self.assertIn(f"line {lines[1]}: {rows[0][3]!r} expected {rows[2][3]!r}, got '1,00'",
                      problems)
        self.assertTrue(any(p.startswith(f"line {lines[3]}: record missing") for p in problems))

    def test_tampered_copies_break_the_truth(self):
        for kind, how in [("muavin-cok-hesap", "tamper-amount"),
                          ("muavin-yazici-kodlu", "tamper-amount"),
                          ("kdv-listesi", "tamper-record"), ("mizan-kademeli", "tamper-subaccount"),
                          ("mizan-windows", "tamper-amount")]:
            with self.subTest(kind=kind, how=how):
                report, truth = case(kind)
                made, what, rec = check_variants.tampered(report, truth, how, random.Random(1))
                before, after = report.split(b"\n"), made.split(b"\n")
                if how == "tamper-amount":  # one line, as long as it was, and wrong
                    self.assertEqual(len(made), len(report))
                    self.assertEqual([n for n, (a, b) in enumerate(zip(before, after), 1)
                                      if a != b], [rec["line"]], what)
                    self.assertTrue(check_case(made, truth), what)
                    continue
                # one record's lines gone, nothing else; a sub-account has no sub-accounts
                self.assertEqual(after, [line for n, line in enumerate(before, 1)
                                         if n not in rec["lines"]], what)
                if how == "tamper-subaccount":
                    self.assertGreater(rec["level"], 1)
                    self.assertFalse(any(r.get("parent") == rec["line"]
                                         for r in truth["records"]))


if __name__ == "__main__":
    unittest.main()
