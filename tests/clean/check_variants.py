#!/usr/bin/env python3
"""Converts unseen variants of every report kind with `tablamo-convert --clean` and compares
the clean tables with the ground truth that the generator (samples/reports) writes beside them:
the headings, the kind of every column, every record's values, and the totals verdict (every
printed total agrees, no warning). With --tamper it also takes one record out of each
variant and expects a warning.

    check_variants.py --convert PATH [--seeds 1,2,3 | --seeds 1-30] [--kinds k1,k2]
                      [--tamper] [--verbose]

The kinds are the folders under tests/data/clean that hold a truth.json; a folder whose file
`pending` names "table" is a kind the clean table cannot read yet, left out unless named by
--kinds.
Exit status 0 when every variant passed. Prints the pass rate per kind.
"""

import argparse
import html.parser
import json
import random
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

# The clean table's kinds for the truth's: B/A marks are texts.
KIND_OF = {"date": "date", "amount": "amount", "code": "code", "text": "text", "marks": "text"}
# A statement's account goes in front as a column the truth keeps among its report fields.
STATEMENT_ACCOUNT = ("IBAN", "HESAP NO")
REGIONAL = ["--decimal-separator", ",", "--date-separator", ".", "--date-order", "dmy"]


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


def convert(exe, report: Path, out: Path, akbank: bool, fmt: str):
    args = [str(exe), "--clean", "--to", fmt, "--encoding", "utf-8", *REGIONAL, "-o", str(out)]
    if akbank:
        args.append("--akbank")
    run = subprocess.run(args + [str(report)], capture_output=True)
    return run.returncode, run.stderr.decode("utf-8", "replace")


def compare(kind: str, truth: dict, rows: list, kinds: list, err: str) -> list:
    problems = []
    cols = truth["columns"]
    heads = rows[0] if rows else []
    offset = 0
    if cells.is_statement(truth) and heads and heads[0] in STATEMENT_ACCOUNT:
        offset = 1  # the statement's account in front
    want_heads = [c["heading"] for c in cols]
    if heads[offset:] != want_heads:
        problems.append(f"headings {heads[offset:]} != {want_heads}")
        return problems
    got_kinds = kinds[offset:]
    want_kinds = [KIND_OF[c["kind"]] for c in cols]
    if got_kinds != want_kinds:
        problems.append(f"kinds {got_kinds} != {want_kinds}")
    records = rows[1:]
    if len(records) != len(truth["records"]):
        problems.append(f"{len(records)} records, truth {len(truth['records'])}")
    for got, rec in zip(records, truth["records"]):
        want = [cells.cell(c["kind"], v) for c, v in zip(cols, rec["values"])]
        if got[offset:] != want:
            problems.append(f"record at line {rec['line']}: {got[offset:]} != {want}")
            break
    if "uyarı" in err:
        problems.append("warning on a report whose totals agree: " + err.strip().splitlines()[0])
    elif truth["totals"] and "tutuyor" not in err:
        problems.append("the totals' agreement is not reported")
    return problems


def tampered(report: bytes, truth: dict, rng) -> bytes:
    """The report with one record (all its lines) taken out: one that a printed total adds
    up (a top-level account of a trial balance, a record with an amount elsewhere)."""
    line_end = b"\r\n" if truth["line_end"] == "CRLF" else b"\n"
    lines = report.split(line_end)
    cols = truth["columns"]
    summed = [i for i, c in enumerate(cols) if c.get("total") == "sum"]
    def covered(rec):
        if rec.get("level", 1) != 1:
            return False
        return any(rec["values"][i] not in (None, "0.00") for i in summed)
    candidates = [r for r in truth["records"][:-1] if covered(r)]
    rec = rng.choice(candidates)
    drop = set(rec["lines"])
    return line_end.join(l for n, l in enumerate(lines, 1) if n not in drop)


def main() -> int:
    ap = argparse.ArgumentParser()
    ap.add_argument("--convert", required=True, type=Path)
    ap.add_argument("--seeds", default="1-3")
    ap.add_argument("--kinds", help="these kinds, pending or not (default: every kind not "
                    "pending)")
    ap.add_argument("--tamper", action="store_true")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    seeds = []
    for part in args.seeds.split(","):
        a, _, b = part.partition("-")
        seeds += list(range(int(a), int(b or a) + 1))
    kinds = args.kinds.split(",") if args.kinds else kinds_here(False)
    unknown = set(kinds) - set(kinds_here(True))
    if unknown:
        ap.error(f"no such kind under {CLEAN}: {', '.join(sorted(unknown))}")
    passed = {k: 0 for k in kinds}
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        for seed in list(seeds):
            out = tmp / f"seed{seed}"
            made = subprocess.run([sys.executable, str(MAKER), "--seed", str(seed), "--out",
                                   str(out), "--kinds", ",".join(kinds)], capture_output=True)
            if made.returncode != 0:
                print(f"seed {seed}: the generator failed, skipped")
                seeds.remove(seed)
                continue
            for kind in kinds:
                case = out / kind
                truth = json.loads((case / "truth.json").read_text(encoding="utf-8"))
                report = case / "report.txt"
                akbank = cells.is_statement(truth)
                status, err = convert(args.convert, report, case / "clean.csv", akbank, "csv")
                problems = [f"exit status {status}: {err.strip()}"] if status else []
                if not problems:
                    convert(args.convert, report, case / "clean.html", akbank, "html")
                    cols = Cols()
                    cols.feed((case / "clean.html").read_text(encoding="utf-8"))
                    problems = compare(kind, truth, read_csv(case / "clean.csv"), cols.kinds, err)
                if args.tamper and not problems:
                    bad = case / "tampered.txt"
                    bad.write_bytes(tampered(report.read_bytes(), truth, random.Random(seed)))
                    _, err = convert(args.convert, bad, case / "tampered.csv", akbank, "csv")
                    if "uyarı" not in err:
                        problems.append("no warning with a record taken out")
                if problems:
                    failed += 1
                    print(f"seed {seed} {kind}: " + "; ".join(problems[:3]))
                else:
                    passed[kind] += 1
                    if args.verbose:
                        print(f"seed {seed} {kind}: ok")
    for kind in kinds:
        print(f"{kind}: {passed[kind]}/{len(seeds)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
