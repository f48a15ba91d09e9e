"""Reconciliation pairs with their truth, and the check of the converter against them.

    python3 samples/reconcile                      the pairs of tests/data/reconcile (seed 1)
    python3 samples/reconcile --seed 7 --out DIR   unseen variants: DIR/<kind>-7/, each side's
                                                   layout drawn by the seed (--fixed: the
                                                   layouts of tests/data)
    python3 samples/reconcile --check CONVERTER [--seeds 1-20] [--records N]
                                                   converts each pair with --reconcile and
                                                   compares the four tables with the truth;
                                                   --verbose: the layouts of a pair that fails

Each pair is defter.txt (our ledger), ekstre.txt (the other side's statement) and truth.json:
the pairings by report lines ("ledger" and "statement" lines, "kind": tam, tarih farkı,
toplu), the records left on each side with their reason, the difference of the opening
balances and the "Fark" (decimal strings from our side: debit plus).
"""

import argparse
import calendar
import csv
import datetime
import json
import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from layouts import Header, accounts_print, draw_style, side_print  # noqa: E402
from pairs import FIRMS, PARTIES, Planter, Rec, plant_bank, plant_customer  # noqa: E402
from prints import akbank_print, bank_report_print, ledger_print, their_ledger_print  # noqa: E402

KINDS = ["banka-akbank", "banka-rapor", "cari-yil", "banka-cok-hesap"]
DAYS = 5


def dec(units: int) -> str:
    return ("-" if units < 0 else "") + f"{abs(units) // 100}.{abs(units) % 100:02d}"


def in_order(recs):
    return [r for _, r in sorted(enumerate(recs), key=lambda x: (x[1].day, x[0]))]


def printed_mirrored(print_fn, recs, *args):
    """The other side's books run the other way: printed with their own signs."""
    copies = [Rec(r.day, -r.amount, r.text, r.ref) for r in recs]
    out = print_fn(copies, *args)
    for r, c in zip(recs, copies):
        r.line = c.line
    return out


def make_pair(kind: str, seed: int, records=None, drawn=False):
    """The pair's two print-outs and its truth; `drawn`: each side's layout drawn by the seed
    from the habits of many programs, else the one layout of each kind (tests/data)."""
    rng = random.Random(f"{kind}-{seed}")
    firm = rng.choice(FIRMS)
    if kind.startswith("banka"):
        year, month = rng.randint(2008, 2024), rng.randint(1, 12)
        start = datetime.date(year, month, 1)
        n = calendar.monthrange(year, month)[1]
        p = Planter(rng, n, DAYS)
        plant_bank(p, rng, records or rng.randint(25, 60))
    else:
        year = rng.randint(2008, 2024)
        start = datetime.date(year, 1, 1)
        n = 366 if calendar.isleap(year) else 365
        p = Planter(rng, n, DAYS)
        plant_customer(p, rng, records or rng.randint(30, 70))
    end = start + datetime.timedelta(days=n - 1)
    plan = p.plan
    ledger, statement = in_order(plan.ledger), in_order(plan.statement)
    opening = rng.randint(-500000, 5000000) if kind == "cari-yil" else rng.randint(100000, 9000000)
    opening_diff = rng.randint(1000, 99999) if seed % 3 == 1 else 0
    shift = 10000 if kind == "banka-akbank" and seed % 4 == 3 else 0
    truth = {"kind": kind, "seed": seed, "ledger": "defter.txt", "statement": "ekstre.txt",
             "days": DAYS}
    if drawn or kind == "banka-cok-hesap":
        led, st, shifts = drawn_prints(kind, rng, seed, ledger, statement, start, end, opening,
                                       opening_diff, firm, truth, p)
    else:
        led, st = fixed_prints(kind, rng, ledger, statement, start, end, opening, opening_diff,
                               shift, firm)
        shifts = (0, shift)
    difference = shifts[1] - shifts[0]
    periods = truth.get("layouts", {})

    def closing_date(side, recs):
        # The period's end where the side prints its period, else its last record's date.
        style = periods.get(side, {})
        if not recs or not isinstance(style, dict) or style.get("period", "x"):
            return end.isoformat()
        return (start + datetime.timedelta(days=recs[-1].day - 1)).isoformat()

    truth["balances"] = {
        "ledger": {"date": closing_date("ledger", ledger),
                   "amount": dec(opening + sum(r.amount for r in ledger) + shifts[0])},
        "statement": {"date": closing_date("statement", statement),
                      "amount": dec(opening + opening_diff + sum(r.amount for r in statement)
                                    + shifts[1])}}
    truth.update({
        "matches": [{"ledger": sorted(r.line for r in ls), "statement": sorted(r.line for r in ss),
                     "kind": k} for ls, ss, k in plan.matches],
        "ledger_only": [{"line": r.line, "reason": why} for r, why in plan.ledger_only],
        "statement_only": [{"line": r.line, "reason": why} for r, why in plan.statement_only],
        "opening_difference": dec(opening_diff),
        "difference": dec(difference),
    })
    truth["matches"].sort(key=lambda m: m["ledger"])
    truth["ledger_only"].sort(key=lambda u: u["line"])
    truth["statement_only"].sort(key=lambda u: u["line"])
    return led.bytes(), st.bytes(), truth


def fixed_prints(kind, rng, ledger, statement, start, end, opening, opening_diff, shift, firm):
    """The one layout of each kind, as tests/data/reconcile holds it."""
    if kind == "banka-akbank":
        led = ledger_print(ledger, start, opening, firm, "Hesap : 102.01.003  AKBANK TİCARİ ŞB.",
                           "BANKA HESAP DÖKÜMÜ", rng.choice(["yatan", "borc"]), end)
        st = akbank_print(statement, start, opening + opening_diff, firm, end, shift)
    elif kind == "banka-rapor":
        led = ledger_print(ledger, start, opening, firm, "Hesap : 102.02.001  EGE BANKASI",
                           "BANKA DEFTERİ", rng.choice(["yatan", "borc"]), end)
        st = printed_mirrored(bank_report_print, statement, start, -(opening + opening_diff),
                              firm, end)
    else:
        party = rng.choice(PARTIES)
        led = ledger_print(ledger, start, opening, firm,
                           f"Hesap Kodu : 120.01.0045   Hesap Adı : {party}",
                           "CARİ HESAP MUAVİN DEFTERİ", "evrak", end)
        st = printed_mirrored(their_ledger_print, statement, start, -(opening + opening_diff),
                              firm, party, end)
    return led, st


def drawn_prints(kind, rng, seed, ledger, statement, start, end, opening, opening_diff, firm,
                 truth, other=None):
    """Each side in a layout drawn by the seed; a printed closing balance that does not follow
    from its records now and then, on either side. Returns the prints and the Fark."""
    party = rng.choice(PARTIES)
    bank = kind.startswith("banka")
    lstyle = draw_style(rng, "ledger")
    shifted = rng.choice(["ledger", "statement"]) if seed % 4 == 3 else ""
    if bank:
        account = rng.choice(["Hesap : 102.01.003  AKBANK TİCARİ ŞB.",
                              "Banka : 102.02.001  EGE BANKASI", "102.01.005 VAKIFBANK KONAK"])
        lhead = Header(firm, rng.choice(["BANKA HESAP DÖKÜMÜ", "BANKA DEFTERİ", "MUAVİN DEFTERİ"]),
                       account, start, end)
    else:
        lhead = Header(firm, "CARİ HESAP MUAVİN DEFTERİ",
                       f"Hesap Kodu : 120.01.0045   Hesap Adı : {party}", start, end)
    lshift = 10000 if shifted == "ledger" and lstyle.balance != "none" else 0
    if kind == "banka-cok-hesap":
        # The statement's account among the others the sub-ledger prints, each on its pages.
        lshift = 0
        blocks = [f"Hesap Kodu : 102.01.00{k}   Hesap Adı : {bank}" for k, bank in
                  enumerate(["AKBANK TİCARİ", "EGE BANKASI", "VAKIFBANK KONAK"][:rng.randint(2, 3)],
                            start=1)]
        ours = rng.randrange(len(blocks))
        accounts = []
        for k, block in enumerate(blocks):
            if k == ours:
                accounts.append((block, ledger, opening))
                continue
            recs = sorted((Rec(rng.randint(1, end.day), rng.choice([1, -1]) * other.amount(),
                               rng.choice(["Virman", "EFT gelen", "Ödeme", "POS tahsilatı"]))
                           for _ in range(rng.randint(8, 30))), key=lambda r: r.day)
            accounts.append((block, recs, rng.randint(100000, 9000000)))
        truth["account"] = blocks[ours].split(":")[1].split()[0]
        led = accounts_print(accounts, lstyle, lhead)
    else:
        led = side_print(ledger, lstyle, lhead, opening, lshift)
    sshift, mirrored = 0, True
    if kind == "banka-akbank":
        sshift = 10000 if shifted == "statement" else 0
        st = akbank_print(statement, start, opening + opening_diff, firm, end, sshift)
        mirrored, sstyle = False, "akbank"
    else:
        if bank:
            mirrored = rng.random() < 0.5
            style = draw_style(rng, "bank", mirrored)
            shead = Header(rng.choice(["EGE BANKASI A.Ş.", "ANADOLU KATILIM BANKASI"]),
                           "HESAP EKSTRESİ", "Hesap No: 0012-3456789", start, end,
                           f"Müşteri : {firm}   IBAN: TR12 0001 2000 1234 5678 9000 01")
        else:
            style = draw_style(rng, "party", True)
            shead = Header(party, "MUAVİN DEFTERİ",
                           f"Hesap Kodu : 320.01.0112   Hesap Adı : {firm}", start, end)
        sshift = 10000 if shifted == "statement" and style.balance != "none" else 0
        for r in statement:
            r.value_shift = rng.choice([0, 0, 0, 1])
        sign = -1 if mirrored else 1
        copies = [Rec(r.day, sign * r.amount, r.text, r.ref, 0, r.value_shift) for r in statement]
        st = side_print(copies, style, shead, sign * (opening + opening_diff), sshift)
        for r, c in zip(statement, copies):
            r.line = c.line
        sstyle = style.__dict__
        sshift *= sign
    truth["layouts"] = {"ledger": dict(lstyle.__dict__), "statement": sstyle}
    return led, st, (lshift, sshift)


def write_pair(folder: Path, kind: str, seed: int, records=None, drawn=False):
    led, st, truth = make_pair(kind, seed, records, drawn)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "defter.txt").write_bytes(led)
    (folder / "ekstre.txt").write_bytes(st)
    (folder / "truth.json").write_text(json.dumps(truth, ensure_ascii=False, indent=1) + "\n",
                                       encoding="utf-8", newline="\n")


def read_table(path: Path):
    with path.open(encoding="utf-8-sig", newline="") as f:
        return list(csv.reader(f))[1:]


def check_pair(converter: str, folder: Path) -> list:
    """What the converter's reconciliation of the pair gets wrong against its truth."""
    truth = json.loads((folder / "truth.json").read_text(encoding="utf-8"))
    out = folder / "out.csv"
    run = subprocess.run([converter, "--reconcile", str(folder / "defter.txt"),
                          str(folder / "ekstre.txt"), "-o", str(out), "--encoding", "utf-8",
                          "--decimal-separator", ".", "--date-order", "dmy", "-q"],
                         capture_output=True, text=True, env={**os.environ, "LC_ALL": "C"})
    wrong = []
    want_fark = truth["difference"]
    if run.returncode != (0 if float(want_fark) == 0 else 1):
        wrong.append(f"exit status {run.returncode}: {run.stderr.strip()[-300:]}")
        if run.returncode not in (0, 1):
            return wrong
    stem = folder / "out"
    if not Path(f"{stem}-eslesenler.csv").exists():
        return wrong + [f"nothing written: {run.stderr.strip()[-300:]}"]
    got_matches = {(m[0], m[4], m[9]) for m in read_table(Path(f"{stem}-eslesenler.csv"))}
    want = {("+".join(map(str, m["ledger"])), "+".join(map(str, m["statement"])), m["kind"])
            for m in truth["matches"]}
    for m in sorted(want - got_matches):
        wrong.append(f"pairing missing: {m}")
    for m in sorted(got_matches - want):
        wrong.append(f"pairing wrong: {m}")
    for side, name in (("ledger_only", "yalniz-defterde"), ("statement_only", "yalniz-ekstrede")):
        got = {int(r[0]): r[4] for r in read_table(Path(f"{stem}-{name}.csv"))}
        want_side = {u["line"]: u["reason"] for u in truth[side]}
        for line in sorted(set(got) | set(want_side)):
            if got.get(line) != want_side.get(line):
                wrong.append(f"{side} line {line}: got {got.get(line)!r}, want {want_side.get(line)!r}")
    table = read_table(Path(f"{stem}-mutabakat.csv"))
    rows = {r[0]: r[1] for r in table}
    for side, label, row in (("ledger", "Defter bakiyesi", table[0] if table else []),
                             ("statement", "Ekstre bakiyesi",
                              next((r for r in table if r[0].startswith("Ekstre bakiyesi")), []))):
        want = truth.get("balances", {}).get(side)
        if want:
            day = datetime.date.fromisoformat(want["date"]).strftime("%d.%m.%Y")
            if row != [f"{label} ({day})", want["amount"]]:
                wrong.append(f"{side} balance row {row}, want {label} ({day}) {want['amount']}")
    if rows.get("Fark") != want_fark:
        wrong.append(f"Fark {rows.get('Fark')}, want {want_fark}")
    got_opening = rows.get("Açılış bakiyeleri farkı", "0.00")
    if got_opening != truth["opening_difference"]:
        wrong.append(f"opening difference {got_opening}, want {truth['opening_difference']}")
    if truth.get("account") and f"eşleşen {truth['account']} " not in run.stderr:
        wrong.append(f"the account reconciled is not said to be {truth['account']}")
    last = run.stderr.strip().splitlines()[-1] if run.stderr.strip() else ""
    counts = (f"{len(truth['matches'])} eşleşti, {len(truth['ledger_only'])} yalnız defterde, "
              f"{len(truth['statement_only'])} yalnız ekstrede; fark ")
    if not last.startswith(counts):
        wrong.append(f"last line {last!r}, want {counts!r}…")
    return wrong


def layout_words(folder: Path) -> str:
    """Each side's drawn layout in a few words, for the report of a pair that fails."""
    layouts = json.loads((folder / "truth.json").read_text(encoding="utf-8")).get("layouts", {})
    keys = ("frame", "date", "amounts", "heads", "balance", "notation", "negative", "wrap",
            "value_date", "ref", "period", "encoding")
    return "; ".join(f"{side}: " + (" ".join(f"{k}={style[k]}" for k in keys if k in style)
                                    if isinstance(style, dict) else str(style))
                     for side, style in layouts.items())


def seeds_of(text: str):
    first, _, last = text.partition("-")
    return range(int(first), int(last or first) + 1)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out", type=Path)
    ap.add_argument("--records", type=int)
    ap.add_argument("--kind", choices=KINDS)
    ap.add_argument("--check", metavar="CONVERTER")
    ap.add_argument("--seeds", default="1-12")
    ap.add_argument("--verbose", action="store_true", help="the layouts of a pair that fails")
    ap.add_argument("--fixed", action="store_true",
                    help="with --out: the one layout of each kind, as tests/data holds it")
    args = ap.parse_args()
    kinds = [args.kind] if args.kind else KINDS
    if args.check:
        failed = 0
        with tempfile.TemporaryDirectory() as tmp:
            for seed in seeds_of(args.seeds):
                for kind in kinds:
                    folder = Path(tmp) / f"{kind}-{seed}"
                    write_pair(folder, kind, seed, args.records, True)
                    wrong = check_pair(args.check, folder)
                    for w in wrong:
                        print(f"{kind} seed {seed}: {w}")
                    if wrong and args.verbose:
                        print(f"  {layout_words(folder)}")
                    failed += bool(wrong)
        total = len(kinds) * len(seeds_of(args.seeds))
        print(f"{total - failed} passed, {failed} failed")
        sys.exit(1 if failed else 0)
    out = args.out or Path(__file__).resolve().parents[2] / "tests" / "data" / "reconcile"
    for kind in kinds:
        write_pair(out / (f"{kind}-{args.seed}" if args.out else kind), kind, args.seed,
                   args.records, bool(args.out) and not args.fixed)
    if not args.out:
        write_empty_ledger(out / "bos-defter")


def write_empty_ledger(folder: Path):
    """A ledger that prints its opening balance and its totals and no record of the month,
    against a statement of three records: all of them are left in the statement."""
    folder.mkdir(parents=True, exist_ok=True)
    start, end = datetime.date(2024, 3, 1), datetime.date(2024, 3, 31)
    led = ledger_print([], start, 250000, FIRMS[0], "Hesap : 102.01.003  AKBANK TİCARİ ŞB.",
                       "BANKA HESAP DÖKÜMÜ", "yatan", end)
    recs = [Rec(4, 100000, "EFT GELEN ÖDEME"), Rec(9, -1500, "HESAP İŞLETİM ÜCRETİ"),
            Rec(31, 2500, "MEVDUAT FAİZİ")]
    st = akbank_print(recs, start, 250000, FIRMS[0], end)
    (folder / "defter.txt").write_bytes(led.bytes())
    (folder / "ekstre.txt").write_bytes(st.bytes())
    truth = {"kind": "bos-defter", "ledger": "defter.txt", "statement": "ekstre.txt", "days": DAYS,
             "matches": [], "ledger_only": [],
             "statement_only": [{"line": r.line, "reason": why}
                                for r, why in zip(recs, ["", "banka masrafı", "faiz"])],
             "opening_difference": "0.00", "difference": "0.00"}
    (folder / "truth.json").write_text(json.dumps(truth, ensure_ascii=False, indent=1) + "\n",
                                       encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
