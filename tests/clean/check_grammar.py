#!/usr/bin/env python3
"""Converts shapes drawn from the print-out grammar (samples/reports/grammar) with
`tablamo-convert --clean` and compares every table with the shape's ground truth, as
check_variants.py does for the report kinds, then the totals and the tampered copies.

    check_grammar.py --convert PATH [--seeds 1-300] [--jobs N] [--floor FILE] [--quiet]
                     [--log FILE]

The checks, by the names the failure lines and the breakdown use:
    generator       the seed gave no shape a reader could tell (a fault of the grammar)
    no-table        no clean table at all (exit status 1, or no file for table 1)
    tables          the tables after the first: a file missing, or one too many
    headings        a table's headings
    kinds           a column's kind (the clean page's <col> classes)
    values          a record's value; carried when it is a block line's field
    records         records missing, rows that are no records, the count
    unplaced        the lines the note names as not placed
    false-warning   a warning on a report whose totals all agree
    totals          fewer totals reported as agreeing than the report prints
    missed-warning  a tampered copy whose print shows the change, converted without a warning
A shape is exact when it fails none of these but the last. Each failure is one line: seed,
habit summary, check, report line, what was expected against what came. At the end: the
shares, and per habit the shapes that have it and how often each check fails on them; a
habit is named as printed in the truth's "habits", without its table's "tN." prefix.

With --floor the exit status is 1 when a figure falls below the committed floor (a share
lower, more false warnings); the targets are printed beside it. Without --seeds the seeds
are the floor's, or 1-300.
"""

import argparse
import collections
import json
import re
import subprocess
import sys
import tempfile
from concurrent.futures import ProcessPoolExecutor
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "samples"))
sys.path.insert(0, str(Path(__file__).resolve().parent))

from reports import cells, grammar  # noqa: E402
from check_variants import (AGREE, LINE_COLUMN, REGIONAL, UNPLACED, Cols,  # noqa: E402
                            compare_table, read_csv)

CHECKS = ["generator", "no-table", "tables", "headings", "kinds", "values", "carried",
          "records", "unplaced", "false-warning", "totals", "missed-warning"]
TARGETS = {"exact": 99.0, "tampered_warned": 99.0, "false_warnings": 0}
WARNING = re.compile(r"uyarı: satır \d+")
BATCH = 20      # shapes converted by one run of the converter
SHOWN = 2       # failure lines shown per check of one shape
# Habits shown in a failure line's summary.
SUMMARY = ["family", "frame", "rule", "heading-lines", "notation", "marks", "block-form",
           "page-sums", "encoding", "printer-codes"]


def seeds_of(text: str) -> list:
    out = []
    for part in text.split(","):
        a, _, b = part.partition("-")
        out += range(int(a), int(b or a) + 1)
    return out


def habits(truth: dict) -> dict:
    """The shape's habits without their table's prefix: habit -> the values its tables
    have."""
    out = collections.defaultdict(set)
    for key, value in truth["habits"].items():
        out[re.sub(r"^t\d+\.", "", key)].add(str(value))
    return out


def summary(truth: dict) -> str:
    h = habits(truth)
    return "/".join("+".join(sorted(h[k])) for k in SUMMARY if k in h)


def run_converter(exe, args, inputs, timeout=600) -> dict:
    """The converter's messages for each input: path -> [message lines]."""
    run = subprocess.run([str(exe), "-j", "1", "--clean", "--encoding", "utf-8", *REGIONAL,
                          *args, *map(str, inputs)], capture_output=True, timeout=timeout)
    said = collections.defaultdict(list)
    for line in run.stderr.decode("utf-8", "replace").splitlines():
        for sep in (": ", " -> "):
            path, found, rest = line.partition(sep)
            if found and path.endswith(".txt"):
                said[path].append(rest)
                break
    return said


def classify(problem: str, carried: set) -> str:
    """The check a problem of compare_table belongs to."""
    if problem.startswith("heading"):
        return "headings"
    if "expected kind" in problem:
        return "kinds"
    if "record missing" in problem or "no record" in problem or "records, expected" in problem:
        return "records"
    head = re.search(r": '([^']*)' expected", problem)
    return "carried" if head and head.group(1) in carried else "values"


def cell_score(truth: dict, index: int, rows: list) -> tuple:
    """(cells right, cells) of a table: each record's row by its line, each column by its
    heading, else by its place when the converter's headings differ."""
    want = cells.rows(truth, index)
    table = cells.tables(truth)[index]
    total = len(table["records"]) * len(want[0])
    if not rows:
        return 0, total
    heads = rows[0][:-1] if rows[0] and rows[0][-1] == LINE_COLUMN else rows[0]
    by_line = {r[-1]: r for r in rows[1:]} if heads is not rows[0] else {}
    where = []
    for i, h in enumerate(want[0]):
        where.append(heads.index(h) if h in heads else (i if len(heads) == len(want[0])
                                                          else None))
    right = 0
    for rec, row in zip(table["records"], want[1:]):
        got = by_line.get(str(rec["line"]))
        if got:
            right += sum(1 for i, w in enumerate(row)
                         if where[i] is not None and where[i] < len(got) and got[where[i]] == w)
    return right, total


def check_shape(seed, truth, folder: Path, out: Path, said: dict) -> dict:
    """One shape's failures (check, text), cell score, warnings and tampered copies."""
    fails = []
    report = str(folder / "report.txt")
    msgs = said["csv"].get(report, [])
    tables = cells.tables(truth)
    result = {"seed": seed, "habits": {k: sorted(v) for k, v in habits(truth).items()},
              "summary": summary(truth), "cells": [0, 0], "false_warnings": 0,
              "totals": [0, 0], "tampered": []}
    for i in range(len(tables)):
        # As cell_score counts them: the truth's rows hold a B/A column its columns do not.
        result["cells"][1] += len(tables[i]["records"]) * len(cells.rows(truth, i)[0])
    csv = out / "csv" / folder.name / "report.csv"
    if not csv.exists():
        fails.append(("no-table", "; ".join(msgs)[:300] or "no output"))
    else:
        for i in range(len(tables)):
            name = cells.file_name("report", i, "")
            path = out / "csv" / folder.name / (name + ".csv")
            where = f"table {i + 1}: " if len(tables) > 1 else ""
            if not path.exists():
                fails.append(("tables", f"{where}no file {path.name}"))
                continue
            rows = read_csv(path)
            kinds = Cols()
            page = out / "html" / folder.name / (name + ".html")
            if page.exists():
                kinds.feed(page.read_text(encoding="utf-8"))
            carried = {c["heading"] for c in tables[i]["columns"] if c["carried"]}
            for problem in compare_table(truth, i, rows, kinds.kinds):
                fails.append((classify(problem, carried), where + problem))
            right, _ = cell_score(truth, i, rows)
            result["cells"][0] += right
        extra = out / "csv" / folder.name / (cells.file_name("report", len(tables), "") + ".csv")
        if extra.exists():
            fails.append(("tables", f"a table more than the {len(tables)} printed"))
        named = sorted({int(n) for m in UNPLACED.finditer("\n".join(msgs))
                        for n in m.group(2).replace(" ", "").split(",") if n})
        if named != truth["unplaced"]:
            fails.append(("unplaced", f"lines not placed: expected {truth['unplaced']}, "
                                      f"the note names {named}"))
    warnings = [m for m in msgs if WARNING.search(m)]
    result["false_warnings"] = len(warnings)
    if warnings:
        fails.append(("false-warning", warnings[0]))
    expected = sum(1 for t in tables for total in t["totals"]
                   if total["covers"] not in ("opening", "none"))
    agreed = sum(int(m.group(1)) for m in AGREE.finditer("\n".join(msgs)))
    result["totals"] = [min(agreed, expected), expected]
    if csv.exists() and not warnings and agreed < expected:
        fails.append(("totals", f"{agreed} of {expected} printed totals reported as agreeing"))
    for info in truth["tampered"]:
        warned = any(WARNING.search(m) for m in said["tamper"].get(
            str(folder.parent.parent / "tamper" / folder.name / info["file"]), []))
        result["tampered"].append([info["expect"], warned])
        if info["expect"] == "warn" and not warned:
            what = (f"line {info['line']} {info['column']!r} {info['from']} -> {info['to']}"
                    if info["change"] == "amount" else f"lines {info['lines']} taken out")
            fails.append(("missed-warning", f"table {info['table']}: {what} ({info['why']})"))
    result["fails"] = fails
    return result


def check_batch(exe, seeds) -> list:
    """Draws, converts and checks a batch of shapes in a folder of their own."""
    results = []
    with tempfile.TemporaryDirectory(prefix="grammar-") as tmp:
        tmp = Path(tmp)
        made = {}
        for seed in seeds:
            try:
                report, truth, copies = grammar.build(seed)
            except Exception as e:  # a fault of the grammar: named, and the others go on
                what = f"{type(e).__name__}: {e}"
                results.append({"seed": seed, "habits": {}, "summary": "", "cells": [0, 0],
                                "false_warnings": 0, "totals": [0, 0], "tampered": [],
                                "fails": [("generator", what[:300])]})
                continue
            folder = tmp / "in" / f"s{seed}"
            folder.mkdir(parents=True)
            (folder / "report.txt").write_bytes(report)
            bad = tmp / "tamper" / f"s{seed}"
            bad.mkdir(parents=True)
            for name, data in copies:
                (bad / name).write_bytes(data)
            made[seed] = (truth, folder)
        if not made:
            return results
        said = {}
        for key, args, inputs in (("csv", ["--to", "csv", "--line-numbers"], [tmp / "in"]),
                                  ("html", ["--to", "html"], [tmp / "in"]),
                                  ("tamper", ["--to", "csv"], [tmp / "tamper"])):
            (tmp / "out" / key).mkdir(parents=True)
            out = tmp / "out" / ("csv" if key == "tamper" else key)
            if key == "tamper":
                out = tmp / "out" / "tamper"
            said[key] = run_converter(exe, args + ["-o", str(out)], inputs)
        for seed, (truth, folder) in made.items():
            results.append(check_shape(seed, truth, folder, tmp / "out", said))
    return results


def share(a, b) -> float:
    return 100.0 * a / b if b else 100.0


def figures(results) -> dict:
    """The shares the checker reports and the floor holds."""
    exact_ = sum(1 for r in results if exact(r))
    right = sum(r["cells"][0] for r in results)
    cells_ = sum(r["cells"][1] for r in results)
    agreed = sum(r["totals"][0] for r in results)
    totals = sum(r["totals"][1] for r in results)
    warn = [w for r in results for e, w in r["tampered"] if e == "warn"]
    tabled = [w for r in results if not any(c == "no-table" for c, _ in r["fails"])
              for e, w in r["tampered"] if e == "warn"]
    silent = [w for r in results for e, w in r["tampered"] if e == "silent"]
    return {"shapes": len(results), "exact": round(share(exact_, len(results)), 1),
            "cells": round(share(right, cells_), 1),
            "false_warnings": sum(r["false_warnings"] for r in results),
            "false_warning_shapes": sum(1 for r in results if r["false_warnings"]),
            "totals_agreed": round(share(agreed, totals), 1),
            "tampered_warned": round(share(sum(warn), len(warn)), 1),
            "tampered_expected": len(warn),
            "tampered_warned_with_table": round(share(sum(tabled), len(tabled)), 1),
            "silent_warned": sum(silent), "silent_copies": len(silent)}


def exact(r) -> bool:
    return not any(c != "missed-warning" for c, _ in r["fails"])


def by_habit(results) -> dict:
    """(habit, value) -> the results of the shapes that print it; habits of many values (a
    page length) and the counts a family draws (its accounts, its months) are left out."""
    out = collections.defaultdict(list)
    for r in results:
        for habit, values in r["habits"].items():
            for v in values:
                if not ("." in habit and v.isdigit()):
                    out[(habit, v)].append(r)
    values = collections.Counter(h for h, _ in out)
    return {k: rs for k, rs in out.items() if values[k[0]] <= 20}


def breakdown(results, out=print, rows=30):
    """The habits that cost most: per habit, the share of its shapes exact against the share
    of the shapes without it, and the checks it fails more often than they do; per check,
    the habits that raise it most."""
    n = len(results)
    least = max(10, n // 100)
    groups = {k: {r["seed"] for r in rs} for k, rs in by_habit(results).items()
              if len(rs) >= least and n - len(rs) > 0}
    exact_ = {r["seed"] for r in results if exact(r)}
    failing = {c: {r["seed"] for r in results if any(k == c for k, _ in r["fails"])}
               for c in CHECKS}

    def rates(seeds, of):  # the share of of among seeds, and among the other shapes
        k = len(seeds & of)
        return 100.0 * k / len(seeds), 100.0 * (len(of) - k) / (n - len(seeds))

    lines = []
    for key, seeds in groups.items():
        with_, without = rates(seeds, exact_)
        worse = sorted(((w - o, c, w, o) for c in CHECKS for w, o in [rates(seeds, failing[c])]),
                       reverse=True)
        detail = ", ".join(f"{c} {w:.0f}% (vs {o:.0f}%)" for d, c, w, o in worse[:3] if d >= 5)
        lines.append((without - with_, f"{key[0]}={key[1]}", len(seeds), with_, without, detail))
    lines.sort(key=lambda x: -x[0])
    out(f"\nby habit (habits of at least {least} shapes, those whose shapes are exact least "
        f"often against the shapes without them first):")
    for drop, name, count, with_, without, detail in lines[:rows]:
        out(f"  {name:<34} n={count:<5} exact {with_:5.1f}% (without {without:5.1f}%)  "
            f"{detail}")
    out("\nby check (the shapes failing it; the habits that raise it most):")
    for c in CHECKS:
        if not failing[c]:
            continue
        raised = sorted(((w - o, f"{key[0]}={key[1]}", w, o) for key, seeds in groups.items()
                         for w, o in [rates(seeds, failing[c])]), reverse=True)
        top = ", ".join(f"{name} {w:.0f}% (vs {o:.0f}%)" for d, name, w, o in raised[:5]
                        if d > 0)
        out(f"  {c:<15} {len(failing[c]):>5} shapes ({100.0 * len(failing[c]) / n:4.1f}%)  {top}")


def below_floor(f: dict, floor: dict) -> list:
    """The figures worse than the floor: a share lower, more false warnings."""
    return ([k for k in ("exact", "cells", "totals_agreed", "tampered_warned") if f[k] < floor[k]]
            + [k for k in ("false_warnings", "false_warning_shapes") if f[k] > floor[k]])


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--convert", required=True, type=Path)
    ap.add_argument("--seeds", help="default: the floor's seeds, or 1-300")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--floor", type=Path, help="fail when a figure falls below this floor")
    ap.add_argument("--quiet", action="store_true", help="no line per failure")
    ap.add_argument("--log", type=Path, help="write the failure lines to this file")
    args = ap.parse_args()
    if args.seeds is None:
        args.seeds = json.loads(args.floor.read_text())["seeds"] if args.floor else "1-300"
    seeds = seeds_of(args.seeds)
    batches = [seeds[i:i + BATCH] for i in range(0, len(seeds), BATCH)]
    results = []
    with ProcessPoolExecutor(max_workers=args.jobs) as pool:
        for done in pool.map(check_batch, [args.convert] * len(batches), batches):
            results += done
    lines = []
    for r in sorted(results, key=lambda r: r["seed"]):
        by_check = collections.defaultdict(list)
        for c, text in r["fails"]:
            by_check[c].append(text)
        for c, texts in by_check.items():
            more = f" (… {len(texts) - SHOWN} more)" if len(texts) > SHOWN else ""
            for text in texts[:SHOWN]:
                lines.append(f"seed {r['seed']} [{r['summary']}]: {c}: {text}{more}")
                more = ""
    if args.log:
        args.log.write_text("\n".join(lines) + "\n", encoding="utf-8")
    if not args.quiet:
        print("\n".join(lines))
    f = figures(results)
    print(f"\n{f['shapes']} shapes: {f['exact']}% exact, {f['cells']}% of cells right, "
          f"{f['false_warnings']} false warnings on {f['false_warning_shapes']} shapes, "
          f"{f['totals_agreed']}% of printed totals reported as agreeing, "
          f"{f['tampered_warned']}% of {f['tampered_expected']} tampered copies warned "
          f"({100 - f['tampered_warned']:.1f}% missed; {f['tampered_warned_with_table']}% "
          f"where the shape gave a table); {f['silent_warned']} of {f['silent_copies']} "
          f"copies whose print cannot show the change warned")
    breakdown(results)
    if not args.floor:
        return 0
    floor = json.loads(args.floor.read_text())
    below = below_floor(f, floor)
    print(f"\nfloor ({args.floor.name}): exact {floor['exact']}%, cells {floor['cells']}%, "
          f"false warnings at most {floor['false_warnings']}, tampered warned "
          f"{floor['tampered_warned']}%; targets: exact {TARGETS['exact']}%, no false "
          f"warning, tampered warned {TARGETS['tampered_warned']}%")
    if below:
        print("below the floor: " + ", ".join(f"{k} {f[k]} (floor {floor[k]})" for k in below))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
