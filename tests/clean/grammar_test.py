#!/usr/bin/env python3
"""The print-out grammar (samples/reports/grammar) and its checker's own steps: every drawn
shape holds its truth and is the same for the same seed, faults put into a shape's truth are
found, the tampered copies change what they say and expect a warning only where the print
shows the change, and the checker classes, scores and floors what the converter gives."""

import copy
import sys
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "samples"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

from reports import cells, grammar  # noqa: E402
from reports.check import check_case, report_lines, tables_of  # noqa: E402
from reports.encoding import paper  # noqa: E402
from reports.grammar import tamper  # noqa: E402
import check_grammar  # noqa: E402

SEEDS = range(1, 61)
SHAPES = {}


def shape(seed):
    if seed not in SHAPES:
        SHAPES[seed] = grammar.build(seed)
    return SHAPES[seed]


def find(pred):
    """The first shape whose truth has a table pred finds something in: (report, truth,
    table, what pred found)."""
    for seed in range(1, 400):
        report, truth, _ = shape(seed)
        for table in tables_of(truth):
            found = pred(table)
            if found:
                return report, truth, table, found
    raise AssertionError("no shape has it")


def total_with(how):
    return lambda t: next((x for x in t["totals"] if how in x.get("how", {}).values()), None)


class Shapes(unittest.TestCase):
    def test_every_shape_holds_its_truth_and_its_seed_draws_it_again(self):
        for seed in SEEDS:
            report, truth, _ = shape(seed)
            with self.subTest(seed=seed):
                self.assertEqual(check_case(report, truth), [])
        for seed in SEEDS[:5]:
            self.assertEqual(grammar.build(seed)[0], shape(seed)[0])

    def test_faults_are_found(self):
        def with_openings_as_sum(table, total):
            total["how"] = {h: "sum" if v == "with_openings" else v
                            for h, v in total["how"].items()}

        def ratio_as_sum(table, total):
            total["how"] = {h: "sum" if v == "ratio" else v for h, v in total["how"].items()}

        def break_from_the_start(table, total):
            total["scope"]["lines"][0] = table["records"][0]["line"]

        def loan_without_its_amount(table, col):
            col["running"]["opening"] = "0.00"

        def relation_short_of_a_term(table, col):
            col["net"]["plus"] = col["net"]["plus"][1:]

        def second_line_read_on_the_first(table, col):
            del col["record_line"]

        faults = [  # what the shape has, the fault, words of the error it must give
            (total_with("with_openings"), with_openings_as_sum, "records give"),
            (total_with("ratio"), ratio_as_sum, "records give"),
            (lambda t: next((x for x in t["totals"] if x["covers"] == "break"
                             and x["scope"]["lines"][0] > t["records"][0]["line"]), None),
             break_from_the_start, "records give"),
            (lambda t: next((c for c in t["columns"] if c.get("running", {}).get("opening")
                             not in (None, "group", "first")), None),
             loan_without_its_amount, "running"),
            (lambda t: next((c for c in t["columns"] if len(c.get("net", {}).get("plus", []))
                             > 1), None), relation_short_of_a_term, "is not the net"),
            (lambda t: next((c for c in t["columns"] if c.get("record_line")), None),
             second_line_read_on_the_first, "reads"),
        ]
        for has, fault, words in faults:
            with self.subTest(fault=fault.__name__):
                report, truth, table, found = find(has)
                fault(table, found)
                errors = check_case(report, truth)
                self.assertTrue(any(words in e for e in errors), errors[:5])
                SHAPES.clear()  # the truths were changed

    def test_tampered_copies_change_what_they_say(self):
        for seed in SEEDS[:30]:
            report, truth, copies = shape(seed)
            before = report_lines(report, truth)
            for (name, data), info in zip(copies, truth["tampered"]):
                after = report_lines(data, truth)
                with self.subTest(seed=seed, copy=name):
                    if info["change"] == "record":
                        self.assertEqual(after, [line for n, line in enumerate(before, 1)
                                                 if n not in info["lines"]])
                        continue
                    changed = [n for n, (a, b) in enumerate(zip(before, after), 1) if a != b]
                    self.assertEqual(changed, [info["line"]])
                    self.assertIn(info["to"], paper(after[info["line"] - 1]))
                    self.assertEqual(len(paper(after[info["line"] - 1])),
                                     len(paper(before[info["line"] - 1])))

    def test_a_relation_shows_a_change_only_among_enough_records(self):
        def related(t):  # a column a relation ties, with enough records that print it
            return next((i for i, c in enumerate(t["columns"]) if c.get("net") and sum(
                1 for r in t["records"] if r["values"][i]) >= tamper.EVIDENT_FROM), None)
        _, truth, table, at = find(related)
        for count, expect in [(tamper.EVIDENT_FROM - 1, "silent"),
                              (tamper.EVIDENT_FROM, "warn")]:
            with self.subTest(records=count):
                small = copy.deepcopy(table)
                small["records"] = [r for r in small["records"] if r["values"][at]][:count]
                small["totals"] = []
                rec = small["records"][0]
                rec["values"][at] = str(float(rec["values"][at]) + 1)
                self.assertEqual(tamper.expectation(small)[0], expect)


class Checker(unittest.TestCase):
    def test_problems_are_classed_by_check(self):
        for problem, check in [
                ("heading 2: expected 'Borç', got ''", "headings"),
                ("column 'Tarih': expected kind date, got text", "kinds"),
                ("line 12: record missing (expected a;b)", "records"),
                ("line 12: a row that is no record (x;y)", "records"),
                ("3 records, expected 4", "records"),
                ("line 12: 'Borç' expected '1,00', got ''", "values"),
                ("line 12: 'PLASİYER' expected '03 - H. KILIÇ', got ''", "carried")]:
            with self.subTest(problem=problem):
                self.assertEqual(check_grammar.classify(problem, {"PLASİYER"}), check)

    def test_cells_are_scored_by_line_and_heading(self):
        _, truth, _ = shape(1)
        rows = cells.rows(truth, 0)
        records = cells.tables(truth)[0]["records"]
        got = [rows[0] + ["Satır"]] + [r + [str(rec["line"])] for r, rec in zip(rows[1:],
                                                                                   records)]
        total = len(records) * len(rows[0])
        self.assertEqual(check_grammar.cell_score(truth, 0, got), (total, total))
        got[1][0] = got[1][0] + "x"
        del got[2]
        self.assertEqual(check_grammar.cell_score(truth, 0, got),
                         (total - 1 - len(rows[0]), total))
        self.assertEqual(check_grammar.cell_score(truth, 0, []), (0, total))

    def test_the_floor_holds_shares_up_and_false_warnings_down(self):
        floor = {"exact": 10.0, "cells": 50.0, "totals_agreed": 20.0, "tampered_warned": 30.0,
                 "false_warnings": 5, "false_warning_shapes": 2}
        for change, below in [({}, []), ({"exact": 9.9}, ["exact"]),
                              ({"exact": 60.0, "cells": 99.0}, []),
                              ({"false_warnings": 6}, ["false_warnings"]),
                              ({"tampered_warned": 29.0, "false_warning_shapes": 3},
                               ["tampered_warned", "false_warning_shapes"])]:
            with self.subTest(change=change):
                self.assertEqual(check_grammar.below_floor(dict(floor, **change), floor), below)


if __name__ == "__main__":
    unittest.main()
