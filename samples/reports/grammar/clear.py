"""Whether a careful reader of the print could tell the right answer: the draws whose answer
the print leaves open are drawn again (see CONVENTIONS.md, "Drawing only what a reader can
tell")."""

import re

from .columns import cell_text

WORD = re.compile(r"\S+")


def problems(run) -> list:
    """What in a printed table a reader could not tell apart; none for a clear one."""
    out = []
    L = run.L
    heads = [c["heading"] for c in run.truth_columns]
    if len(set(heads)) != len(heads):
        out.append(f"headings not unique: {heads}")
    for rec in run.records:
        if not any(cell_text(c, rec["rec"].get(c.key)) not in ("", "-")
                   for c in L.cols if c.kind == "amount"):
            out.append(f"record at line {rec['lines'][0]} prints no amount")
    if L.between:
        for rec in run.records:
            if any(L.between in str(rec["rec"].get(c.key) or "") for c in L.cols):
                out.append(f"a value holds the column line {L.between!r}")
                break
    if run.h["notation"].startswith("en") and not any(
            c.kind == "amount" and c.field.decimals in (1, 2, 4) for c in L.cols):
        out.append("an English notation no value shows")
    if L.second:
        blank = [t["lines"][0] for t in run.records + run.totals
                 if any(not run.p.text[n - 1].strip() for n in t.get("lines", ()))]
        if blank:
            out.append(f"the second line of line {blank[0]} prints no figure")
    if not L.framed:
        out += heading_words(run)
    return out


def column_runs(run, second=False) -> list:
    """The runs of positions a reader parts the columns by: the gapped rule's runs, else the
    positions some record line fills, each with the columns whose values stand in it; where
    records print two lines, those of their first lines or (second) of their second."""
    L, text = run.L, run.p.text
    gapped = run.h["rule"].startswith("gapped") and not second
    filled = set()
    if gapped:
        for group in L.cells():
            filled.update(range(group[0].start, group[-1].end + 1))
    else:
        for rec in run.records:
            own = rec["lines"][1:] if second else rec["lines"][:1] if L.second else rec["lines"]
            for n in own:
                filled.update(i + 1 for i, ch in enumerate(text[n - 1]) if ch != " ")
        # a date reads as one value, its month's name and all ("11 Oca 2015")
        for c in L.cols:
            if c.kind == "date":
                at = [i for i in range(c.start, c.end + 1) if i in filled]
                if at:
                    filled.update(range(at[0], at[-1] + 1))
    runs, start = [], None
    for p in range(1, L.width + 2):
        if p in filled and start is None:
            start = p
        elif p not in filled and start is not None:
            runs.append((start, p - 1))
            start = None
    owner = []
    for a, b in runs:
        cols = {c.key for c in L.cols if c.start <= b and c.end >= a and not c.glued
                and c.second == second}
        owner.append(cols)
    return list(zip(runs, owner))


def heading_words(run) -> list:
    """Every heading word stands over the values of its own column (a word over none beside
    a word of its column); a run of values no word stands over belongs to the column on its
    left, or holds B/A marks."""
    out = []
    L = run.L
    rows = L.heading_rows()
    runs_of = {second: column_runs(run, second) for second in {False, bool(L.second)}}
    for (a, b), cols in sum(runs_of.values(), []):
        if len(cols) > 1:
            out.append(f"columns {sorted(cols)} run together at {a}-{b}")
    covered = set()
    for level, line in enumerate(rows):
        # the words over a record's second line stand on the last heading line
        second = bool(L.second) and level == len(rows) - 1
        runs = runs_of[second]
        words = [(m.start() + 1, m.end(), m.group()) for m in WORD.finditer(line)]
        owners = [word_column(L, level, a, b) for a, b, _ in words]
        for i, (a, b, word) in enumerate(words):
            over = [cols for (ra, rb), cols in runs if ra <= b and rb >= a]
            keys = set().union(*over) if over else set()
            if keys:
                covered.update((second, ra, rb) for (ra, rb), cols in runs
                               if ra <= b and rb >= a)
                if keys != {owners[i]}:
                    out.append(f"heading word {word!r} stands over {sorted(keys)}, "
                               f"belongs to {owners[i]}")
                continue
            near = {owners[j] for j in (i - 1, i + 1) if 0 <= j < len(words)
                    and abs(words[j][0 if j > i else 1] - (b if j > i else a)) <= 2}
            if near - {owners[i]} or not near:
                out.append(f"heading word {word!r} over no values and beside {sorted(near)}")
    for second, runs in runs_of.items():
        last = None
        for (a, b), cols in runs:
            key = next(iter(cols), None)
            if (second, a, b) not in covered and key != last and \
                    not L.col(key).kind == "marks":
                out.append(f"values at {a}-{b} under no heading and not the column before's")
            last = key
    return out


def word_column(L, level, a, b) -> str:
    """The column whose heading piece printed the word at a..b."""
    for line, at, piece, key in L.heading_places():
        if line == level and at <= a and b <= at + len(piece) - 1:
            return key
    raise ValueError(f"no heading piece at {a}-{b}")
