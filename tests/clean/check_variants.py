#!/usr/bin/env python3
"""Converts unseen variants of every report kind with `tablamo-convert --clean` and compares
the clean tables with the ground truth that the generator (samples/reports) writes beside them.

    check_variants.py --convert PATH [--seeds 1,2,3 | --seeds 1-30] [--kinds k1,k2]
                      [--tamper] [--all] [--verbose]

The checks, by the names a kind's file `pending` uses for those the clean table does not pass
yet:
    table             the first table's headings, the kind of each column, every record's
                      values (records matched by their line), the record count
    totals            no warning on a report whose totals agree, the agreement reported
    unplaced          the lines the truth does not place, named in the note, and no others
    signed-balance    with --signed-balance, "İşaretli <amount>" after each B/A mark column
    tables            the tables after the first (rapor-2.csv …), as "table" checks the first
    tamper-amount     (with --tamper) one record's amount changed by 0,01 warns
    tamper-record     (with --tamper) one record taken out, all its lines, warns
    tamper-subaccount (with --tamper) one sub-account of a trial balance taken out (one with
                      siblings) warns

The kinds are the folders under tests/data/clean that hold a truth.json. By default a kind whose
`pending` names "table" is left out and the checks it names are skipped; --all runs everything
(the engine's to-do list). Each failure is one line: seed, kind, check, the report line and
what was expected against what came. At the end, per kind: the variants passed, and how many
printed totals the truths hold against how many the converter reported as agreeing. Exit status
0 when no check that was run failed.
"""

import argparse
import html.parser
import json
import random
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
MAKER = ROOT / "samples" / "reports"
CLEAN = ROOT / "tests" / "data" / "clean"
sys.dont_write_bytecode = True
sys.path.insert(0, str(MAKER.parent))

from reports import cells  # noqa: E402
from reports.check import render_value, report_lines, select  # noqa: E402
from reports.encoding import encode_line, paper, paper_positions  # noqa: E402
from reports.values import kurus, plain  # noqa: E402

CHECKS = ["table", "totals", "unplaced", "signed-balance", "tables", "tamper-amount",
          "tamper-record", "tamper-subaccount"]
# The clean table's kinds for the truth's: B/A marks are texts.
KIND_OF = {"date": "date", "amount": "amount", "code": "code", "text": "text", "marks": "text"}
# A statement's account goes in front, as the truth's report field or the account number.
STATEMENT_ACCOUNT = ("IBAN", "HESAP NO")
REGIONAL = ["--decimal-separator", ",", "--date-separator", ".", "--date-order", "dmy"]
LINE_COLUMN = "Satır"
AGREE = re.compile(r"(\d+) toplam(?: satırı)?(?: kayıtlarla)? tutuyor")
UNPLACED = re.compile(r"(\d+) satır tabloya alınmadı: ([\d, ]+)")
SHOWN = 4  # failures shown per check of one variant


class Cols(html.parser.HTMLParser):
    """The kinds the clean page names in its <col> elements."""

    def __init__(self):
        super().__init__()
        self.kinds = []

    def handle_starttag(self, tag, attrs):
        if tag == "col":
            self.kinds.append(dict(attrs).get("class"))


def read_csv(path: Path) -> list:
    text = path.read_bytes().decode("utf-8-sig")
    rows, row, cell, quoted, i = [], [], "", False, 0
    while i < len(text):
        ch = text[i]
        if quoted:
            if ch == '"' and text[i + 1:i + 2] == '"':
                cell += '"'
                i += 1
            elif ch == '"':
                quoted = False
            else:
                cell += ch
        elif ch == '"':
            quoted = True
        elif ch == ";":
            row.append(cell)
            cell = ""
        elif ch == "\r" and text[i + 1:i + 2] == "\n":
            row.append(cell)
            rows.append(row)
            row, cell = [], ""
            i += 1
        else:
            cell += ch
        i += 1
    return rows


def pending(kind: str) -> set:
    """What the kind's file `pending` names, one a line: checks the clean table does not pass
    yet ("table": the kind as a whole)."""
    marks = CLEAN / kind / "pending"
    if not marks.exists():
        return set()
    return {line.strip() for line in marks.read_text().splitlines()
            if line.strip() and not line.startswith("#")}


def kinds_here(with_pending: bool) -> list:
    """The kinds with a folder under tests/data/clean; those pending as a whole when asked."""
    return [p.name for p in sorted(CLEAN.iterdir()) if (p / "truth.json").exists()
            and (with_pending or "table" not in pending(p.name))]


def convert(exe, report: Path, out: Path, truth: dict, fmt: str, *extra):
    args = [str(exe), "--clean", "--to", fmt, "--encoding", "utf-8", *REGIONAL, *extra,
            "-o", str(out)]
    if cells.is_statement(truth):
        args.append("--akbank")
    run = subprocess.run(args + [str(report)], capture_output=True)
    return run.returncode, run.stderr.decode("utf-8", "replace")


def compare_table(truth: dict, index: int, rows: list, kinds: list) -> list:
    """The converter's table against the truth's: headings, kinds, records by their line."""
    problems = []
    want = cells.rows(truth, index)
    table = cells.tables(truth)[index]
    heads = rows[0] if rows else []
    lines = None
    if heads and heads[-1] == LINE_COLUMN:
        heads = heads[:-1]
        lines = [r[-1] for r in rows[1:]]
        rows = [r[:-1] for r in rows]
    offset = 0
    if cells.is_statement(truth) and heads and heads[0] in STATEMENT_ACCOUNT:
        offset = 1  # the statement's account, whichever the converter put in front
        want = [r[1:] for r in want]
        heads = heads[1:]
        rows = [r[1:] for r in rows]
        kinds = kinds[1:]
    if heads != want[0]:
        padded = zip(want[0] + [None] * len(heads), heads + [None] * len(want[0]))
        for i, (w, g) in enumerate(padded):
            if w != g:
                problems.append(f"heading {i + 1}: expected {w!r}, got {g!r} "
                                f"(expected {want[0]}, got {heads})")
                break
        return problems
    want_kinds = [KIND_OF[c["kind"]] for c in table["columns"]]
    for head, w, g in zip(heads, want_kinds, kinds[:len(want_kinds)] + [None] * len(want_kinds)):
        if w != g:
            problems.append(f"column {head!r}: expected kind {w}, got {g}")
    recs = table["records"]
    if lines is None:  # no line numbers: records in order
        lines = [str(r["line"]) for r in recs][:len(rows) - 1]
        lines += ["?"] * (len(rows) - 1 - len(lines))
    got = dict(zip(lines, rows[1:]))
    expected = {str(r["line"]): row for r, row in zip(recs, want[1:])}
    for rec, row in zip(recs, want[1:]):
        line = str(rec["line"])
        if line not in got:
            problems.append(f"line {line}: record missing (expected {';'.join(row)})")
            continue
        for head, w, g in zip(heads, row, got[line] + [None] * len(row)):
            if w != g:
                problems.append(f"line {line}: {head!r} expected {w!r}, got {g!r}")
    for line, row in zip(lines, rows[1:]):
        if line not in expected:
            problems.append(f"line {line}: a row that is no record ({';'.join(row)})")
    if len(rows) - 1 != len(recs):
        problems.append(f"{len(rows) - 1} records, expected {len(recs)}")
    return problems


def edit_lines(report: bytes, truth: dict, drop=(), change=None) -> bytes:
    """The report with lines taken out, or one value of a line replaced (line, first and last
    paper position, new text right-aligned there); bytes as the report's encoding writes them."""
    end = b"\r\n" if truth["line_end"] == "CRLF" else b"\n"
    lines = report_lines(report, truth)
    if change:
        n, a, b, text = change
        raw = lines[n - 1]
        at = paper_positions(raw)
        # the new text ends where the old one did, in the column's span
        start = a - 1 + len(paper(raw)[a - 1:b].rstrip()) - len(text)
        chars = list(raw)
        for i, ch in enumerate(text):
            chars[at[start + i]] = ch
        lines[n - 1] = "".join(chars)
    keep = [line for n, line in enumerate(lines, 1) if n not in set(drop)]
    codes = truth.get("printer_codes", False)
    return b"".join(encode_line(line, truth.get("encoding", "cp857"), codes) + end
                    for line in keep)


def summed(table: dict) -> list:
    """(record, column) pairs a printed total sums, records of the first level."""
    cols = {c["heading"]: c for c in table["columns"]}
    pairs = {}
    for t in table["totals"]:
        for head in t["amounts"]:
            how = t.get("how", {}).get(head) or cols[head].get("total")
            if how != "sum":
                continue
            for rec, vals in select(table, t["scope"]):
                if vals[head] not in (None, "0.00", "0") and rec.get("level", 1) == 1:
                    pairs[(rec["line"], head)] = (rec, cols[head])
    return [pairs[k] for k in sorted(pairs)]


def tampered(report: bytes, truth: dict, how: str, rng):
    """A copy that a real totals check must warn on, what was done and the record touched, or
    None when the report offers no place for it."""
    table = cells.tables(truth)[0]
    pairs = summed(table)
    if how == "tamper-amount":
        for rec, col in rng.sample(pairs, len(pairs)):
            k = kurus(rec["values"][table["columns"].index(col)])
            dec = col["format"].get("decimals", 2)
            step = 1 if dec else 100
            old = render_value(col, plain(k, dec))
            for new_k in (k + step, k - step):
                new = render_value(col, plain(new_k, dec))
                if new_k and len(new) == len(old) and (new_k > 0) == (k > 0):
                    change = (rec["line"], col["span"][0], col["span"][1], new)
                    return (edit_lines(report, truth, change=change),
                            f"line {rec['line']} {col['heading']!r} {old} -> {new}", rec)
        return None
    if how == "tamper-record":
        recs = [rec for rec, _ in pairs if rec is not table["records"][-1]]
        if not recs:
            return None
        rec = rng.choice(recs)
        return (edit_lines(report, truth, drop=rec["lines"]), f"lines {rec['lines']} taken out",
                rec)
    # A parent's only sub-account prints the parent's own figures: without it the parent reads
    # as an account with no sub-accounts, and nothing printed disagrees.
    # A truth without parents has them by the levels: a trial balance prints each account
    # under its parent.
    parent, last, children = {}, {}, {}
    for r in table["records"]:
        level = r.get("level", 1)
        parent[r["line"]] = r.get("parent", last.get(level - 1) if level > 1 else None)
        last[level] = r["line"]
        children[parent[r["line"]]] = children.get(parent[r["line"]], 0) + 1
    leaves = [r for r in table["records"] if r.get("level", 1) > 1
              and r["line"] not in children and children[parent[r["line"]]] > 1
              and any(v not in (None, "0.00") for v, c in zip(r["values"], table["columns"])
                      if c.get("total") == "sum")]
    if not leaves:
        return None
    rec = rng.choice(leaves)
    return (edit_lines(report, truth, drop=rec["lines"]),
            f"sub-account at line {rec['line']} taken out", rec)


def check_variant(exe, case: Path, truth: dict, seed: int, checks: set, tamper: bool) -> tuple:
    """The failures of one variant as (check, text), and the totals agreed."""
    report = case / "report.txt"
    out = []
    ntables = len(cells.tables(truth))
    status, err = convert(exe, report, case / "clean.csv", truth, "csv", "--line-numbers")
    if status:
        return [("table", f"exit status {status}: {err.strip()}")], 0
    convert(exe, report, case / "clean.html", truth, "html")
    for i in range(ntables if "tables" in checks else 1):
        check = "table" if i == 0 else "tables"
        if check not in checks:
            continue
        csv = case / cells.file_name("clean", i, ".csv")
        page = case / cells.file_name("clean", i, ".html")
        if not csv.exists():
            out.append((check, f"table {i + 1}: no file {csv.name}"))
            continue
        cols = Cols()
        if page.exists():
            cols.feed(page.read_text(encoding="utf-8"))
        where = f"table {i + 1}: " if ntables > 1 else ""
        out += [(check, where + p) for p in compare_table(truth, i, read_csv(csv), cols.kinds)]
    agreed = sum(int(m.group(1)) for m in AGREE.finditer(err))
    if "totals" in checks:
        warnings = [l for l in err.splitlines() if "uyarı" in l]
        if warnings:
            out.append(("totals", "a warning on totals that agree: " + warnings[0].strip()))
        elif any(t["covers"] != "opening" for t in cells.tables(truth)[0]["totals"]) and not agreed:
            out.append(("totals", "the totals' agreement is not reported"))
    if "unplaced" in checks:
        named = sorted({int(n) for m in UNPLACED.finditer(err)
                        for n in m.group(2).replace(" ", "").split(",") if n})
        want = truth.get("unplaced", [])
        if named != want:
            out.append(("unplaced", f"lines not placed: expected {want}, the note names {named}"))
    signed = any(cells.signed_after(truth, t["columns"]) for t in cells.tables(truth))
    if "signed-balance" in checks and signed:
        status, err2 = convert(exe, report, case / "signed.csv", truth, "csv", "--signed-balance")
        if status:
            out.append(("signed-balance", f"exit status {status}: {err2.strip().splitlines()[-1]}"))
        else:
            got = read_csv(case / "signed.csv")
            want = cells.rows(truth, 0, signed=True)
            if got[:1] != want[:1]:
                out.append(("signed-balance", f"headings: expected {want[0]}, got {got[0]}"))
            else:
                for rec, w, g in zip(cells.tables(truth)[0]["records"], want[1:], got[1:]):
                    if w != g:
                        head, a, b = next(d for d in zip(want[0], w, g) if d[1] != d[2])
                        out.append(("signed-balance", f"line {rec['line']}: {head!r} expected "
                                                      f"{a!r}, got {b!r}"))
                        break
    if tamper:
        for how in ("tamper-amount", "tamper-record", "tamper-subaccount"):
            if how not in checks:
                continue
            made = tampered(report.read_bytes(), truth, how, random.Random(f"{seed}/{how}"))
            if made is None:
                continue
            bad = case / f"{how}.txt"
            bad.write_bytes(made[0])
            _, err3 = convert(exe, bad, case / f"{how}.csv", truth, "csv")
            if "uyarı" not in err3:
                out.append((how, f"no warning with {made[1]}"))
    return out, agreed


def main() -> int:
    ap = argparse.ArgumentParser()
    ap.add_argument("--convert", required=True, type=Path)
    ap.add_argument("--seeds", default="1-3")
    ap.add_argument("--kinds", help="these kinds, pending or not (default: every kind not "
                    "pending as a whole)")
    ap.add_argument("--tamper", action="store_true", help="also the three tampered copies")
    ap.add_argument("--all", action="store_true", help="run the checks marked pending too")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    seeds = []
    for part in args.seeds.split(","):
        a, _, b = part.partition("-")
        seeds += list(range(int(a), int(b or a) + 1))
    kinds = args.kinds.split(",") if args.kinds else kinds_here(args.all)
    unknown = set(kinds) - set(kinds_here(True))
    if unknown:
        ap.error(f"no such kind under {CLEAN}: {', '.join(sorted(unknown))}")
    passed = {k: 0 for k in kinds}
    totals = {k: [0, 0] for k in kinds}
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        for seed in list(seeds):
            out = tmp / f"seed{seed}"
            made = subprocess.run([sys.executable, str(MAKER), "--seed", str(seed), "--out",
                                   str(out), "--kinds", ",".join(kinds)], capture_output=True)
            if made.returncode != 0:
                print(f"seed {seed}: the generator failed: {made.stderr.decode()[-300:]}")
                failed += 1
                continue
            for kind in kinds:
                checks = set(CHECKS) if args.all else set(CHECKS) - pending(kind)
                truth = json.loads((out / kind / "truth.json").read_text(encoding="utf-8"))
                problems, agreed = check_variant(args.convert, out / kind, truth, seed, checks,
                                                 args.tamper)
                totals[kind][0] += sum(len([t for t in tb["totals"] if t["covers"] != "opening"])
                                       for tb in cells.tables(truth))
                totals[kind][1] += agreed
                if problems:
                    failed += 1
                    by_check = {}
                    for check, text in problems:
                        by_check.setdefault(check, []).append(text)
                    for check, texts in by_check.items():
                        more = f" (… {len(texts) - SHOWN} more)" if len(texts) > SHOWN else ""
                        for text in texts[:SHOWN]:
                            print(f"seed {seed} {kind}: {check}: {text}")
                        if more:
                            print(f"seed {seed} {kind}: {check}:{more}")
                else:
                    passed[kind] += 1
                    if args.verbose:
                        print(f"seed {seed} {kind}: ok")
    for kind in kinds:
        skipped = sorted(pending(kind)) if not args.all else []
        note = f", pending: {' '.join(skipped)}" if skipped else ""
        print(f"{kind}: {passed[kind]}/{len(seeds)} (printed totals {totals[kind][0]}, "
              f"{totals[kind][1]} toplam tutuyor{note})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
