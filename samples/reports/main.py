"""The generator's command line."""

import argparse
import random
import zlib
from pathlib import Path

from . import cells, grammar, kinds
from .check import check_dirs
from .doc import DEFAULT_RECORD, dump_truth

SAMPLES = Path(__file__).resolve().parent.parent
CLEAN = SAMPLES.parent / "tests" / "data" / "clean"


def build(kind: str, seed, variant: bool):
    """The report's bytes and its truth; the draw depends on the kind's name and the seed only."""
    # a twin draws as the kind it is the twin of, and changes what it changes
    twin_of = getattr(kinds.module(kind), "TWIN", None)
    rng = random.Random(zlib.crc32(f"{twin_of or kind}/{seed}".encode()))
    out = kinds.builder(twin_of or kind)(rng, variant)
    if twin_of:
        out = kinds.module(kind).twin(*out)
    doc, description = out[0], out[1]
    if variant and doc.version >= 2:  # a fifth of the variants of the later kinds end lines in LF
        if random.Random(zlib.crc32(f"{kind}/{seed}/line-end".encode())).random() < 0.2:
            doc.line_end = "LF"
    record_definition = out[2] if len(out) > 2 and out[2] else DEFAULT_RECORD
    return doc.report_bytes(), doc.truth(description, record_definition)


def write_case(folder: Path, report: bytes, truth: dict) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "report.txt").write_bytes(report)
    (folder / "truth.json").write_bytes(dump_truth(truth))


def main() -> int:
    ap = argparse.ArgumentParser(prog="samples/reports",
                                 description="DOS accounting reports with their ground truth.")
    ap.add_argument("--seed", type=int, help="write one unseen variant of every kind")
    ap.add_argument("--out", type=Path, help="folder for the variants (with --seed)")
    ap.add_argument("--kinds", help="only these kinds (comma-separated names)")
    ap.add_argument("--grammar", action="store_true",
                    help="with --seed and --out: one shape drawn from the print-out grammar "
                         "(DIR/report.txt, truth.json and the tampered copies)")
    ap.add_argument("--check", nargs="*", metavar="DIR",
                    help="check written cases (default: every folder under tests/data/clean)")
    args = ap.parse_args()
    if args.check is not None:
        return check_dirs(args.check or sorted(p for p in CLEAN.iterdir() if p.is_dir()))
    if (args.seed is None) != (args.out is None):
        ap.error("--seed and --out go together")
    if args.grammar:
        if args.seed is None:
            ap.error("--grammar needs --seed and --out")
        report, truth, copies = grammar.build(args.seed)
        write_case(args.out, report, truth)
        for name, data in copies:
            (args.out / name).write_bytes(data)
        return check_dirs([args.out])
    names = kinds.names()
    if args.kinds:
        unknown = set(args.kinds.split(",")) - set(names)
        if unknown:
            ap.error(f"no such kind: {', '.join(sorted(unknown))}")
        names = [k for k in names if k in args.kinds.split(",")]
    dirs = []
    for kind in names:
        if args.seed is not None:
            report, truth = build(kind, args.seed, True)
            write_case(args.out / kind, report, truth)
            dirs.append(args.out / kind)
        else:
            report, truth = build(kind, "fixed", False)
            (SAMPLES / f"{kind}.txt").write_bytes(report)
            write_case(CLEAN / kind, report, truth)
            for i in range(len(cells.tables(truth))):
                (CLEAN / kind / cells.file_name("expected", i, ".csv")).write_bytes(
                    cells.csv_bytes(cells.rows(truth, i)))
            dirs.append(CLEAN / kind)
    return check_dirs(dirs)
