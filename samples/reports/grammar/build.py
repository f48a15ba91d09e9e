"""One shape drawn from a seed: the report's bytes, its truth and its tampered copies. The
seed decides everything; the same seed gives the same bytes."""

import random
import re

from ..doc import DEFAULT_RECORD
from ..draw import firm_pool
from ..encoding import paper
from ..layout import spread
from . import clear, codes, families, tamper, truth
from .habits import Draw, file_habits, table_habits
from .labels import block_text, draw_labels, label_room
from .run import TableRun
from .sheet import Printer
from .table import TableLayout, second_line_keys

ATTEMPTS = 12
TWO_LINES = 0.06  # of the tables that may print records over two lines, the share that do
# The family of a table after the first: a summary by month as often as any other two.
LATER = dict({name: 1 for name in families.FAMILIES}, monthly=3)


TABLE_TAG = re.compile(r"t\d+\.")


class Unclear(Exception):
    """A draw whose right answer the print leaves open, or that does not fit on its page."""


def build(seed: int):
    """(report bytes, truth, [(file name, bytes, what it holds)]) of the shape of a seed."""
    reasons = []
    for attempt in range(ATTEMPTS):
        rng = random.Random(f"grammar/{seed}/{attempt}")
        try:
            return draw_shape(rng, seed)
        except Unclear as e:
            reasons.append(str(e))
    raise RuntimeError(f"seed {seed}: no clear shape in {ATTEMPTS} draws: {reasons[:3]}")


def draw_shape(rng, seed):
    d = Draw(rng)
    fh = file_habits(d)
    year = rng.randint(2005, 2024)
    tables, used = [], set()
    for t in range(fh["tables"]):
        td = d.sub(f"t{t + 1}.")
        weights = {k: 1 for k in families.FAMILIES} if t == 0 else LATER
        family = td.pick("family", {k: w for k, w in weights.items() if k not in used})
        used.add(family)
        content = families.draw(family, td, rng, year)
        h = table_habits(td, fh["encoding"], fh["paging"] != "one-page")
        tables.append(prepare(content, h, td, rng))
    firm = firm_pool(rng, 1)[0]
    printed = f"{rng.randint(1, 28):02d}.{rng.randint(1, 12):02d}.{year + 1}"
    head = (firm, tables[0][0].title, f"01.01.{year} - 31.12.{year}", printed)
    printer = Printer(fh, head)
    runs, report_fields = [], []
    for t, (content, h, levels, labels, layout) in enumerate(tables):
        if layout.boxed and h["header_in_frame"] and not header_fits(printer, layout):
            h["header_in_frame"] = False
            d.tags[f"t{t + 1}.header-in-frame"] = "no"
        run = TableRun(printer, content, h, layout, rng, levels, labels)
        # The report's fields in a row across the frame too (a frame drawn tight holds less).
        if run.in_frame_header() and len(run.header_fields()) > layout.inner_width():
            h["header_in_frame"] = False
            d.tags[f"t{t + 1}.header-in-frame"] = "no"
        run.name, run.title_line = content.title, None
        try:
            run.print(title=content.title if t else None)
        except AssertionError as e:
            raise Unclear(f"table {t + 1}: {e}")
        runs.append(run)
        for label, value in content.header:
            report_fields.append({"label": label, "value": run.header_value(value)})
    printer.end_page()
    table_truths = [truth.table_truth(run, report_fields) for run in runs]
    for run, table in zip(runs, table_truths):
        run.truth_columns = table["columns"]
        found = clear.problems(run)
        if found:
            raise Unclear(f"{run.c.family}: {found[0]}")
    wide = any(r.L.width > 136 for r in runs)
    raw = codes.with_codes(printer.text, printer.roles, fh["codes"], rng, wide)
    tags = effective(d.tags, fh, runs)
    out = shape_truth(seed, tags, fh, printer, raw, table_truths, report_fields)
    copies = tamper.copies(raw, out, random.Random(f"grammar/{seed}/tamper"))
    out["tampered"] = [info for _, _, info in copies]
    return tamper.report_bytes(raw, out), out, [(name, data) for name, data, _ in copies]


def effective(tags, fh, runs) -> dict:
    """The habits the shape's print shows: a habit drawn for what a table does not have (a
    mark for a table without balances, a block form for one without groups) is left out, so
    that the checker's breakdown blames only what was printed."""
    out = {k: v for k, v in tags.items() if not TABLE_TAG.match(k)}
    if fh["paging"] == "one-page":
        out.pop("page-length", None)
    for t, run in enumerate(runs, start=1):
        h, L, c = run.h, run.L, run.c
        kinds = {col.kind for col in L.cols}
        months = any(f.fixed_form for f in c.fields) or any(
            hasattr(r.get(k), "isoformat") for lv in run.levels for _, k in lv.fields
            for r in c.records[:1])
        marked = any(col.kind == "marks" for col in L.cols)
        signed = any(col.kind == "amount" and col.notation["negative"] != "unsigned"
                     and any((r.get(col.key) or 0) < 0 for r in c.records) for col in L.cols)
        shown = {
            "marks": any(f.marks for f in c.fields), "mark-heading": marked and not any(
                col.glued for col in L.cols),
            "block-form": any(lv.bare for lv in run.levels), "label-separator": any(
                not b for b in run.bare), "group-totals": bool(run.levels),
            "group-blank": bool(run.levels), "repeat-block": bool(run.levels),
            "drop-level": any(not lv.required for lv in c.levels),
            "with-openings": bool(c.openings) and h["opening_sides"],
            "opening-sides": bool(c.openings), "breaks": bool(c.breaks and not run.levels),
            "break-label": run.breaks_on(), "cumulative": run.breaks_on(),
            "date-form": any(col.kind == "date" and not col.field.fixed_form
                             for col in L.cols), "month-form": months,
            "negative": signed, "zero": "amount" in kinds,
            "header-in-frame": L.boxed, "totals-under-frame": L.boxed,
            "ascii-fill": h["frame"] == "ascii", "label-at": not L.framed,
            "continuation": bool(c.wrap_key), "counts": run.counts(),
            "centred-headings": any(col.kind in ("date", "code") for col in L.cols),
            "page-sums": fh["paging"] != "one-page", "unexplained-total": h["grand"],
        }
        for key, value in tags.items():
            if key.startswith(f"t{t}.") and shown.get(key[len(f"t{t}."):], True):
                out[key] = value
        if c.wrap_key:
            out[f"t{t}.continuation"] = "yes" if L.wrap_key else "no"
    return out


def prepare(content, h, d, rng):
    """The content as this table prints it: fields empty in every record left out, the
    levels of groups it prints, its labels and its layout."""
    keep = [f for f in content.fields
            if any(r.get(f.key) not in (None, "", 0) for r in content.records)]
    gone = {f.key for f in content.fields} - {f.key for f in keep}
    content.fields = keep
    for ties in (content.relations, content.running, content.ratios):
        for key in gone & set(ties):
            del ties[key]
    for key, factors in list(content.products.items()):
        if key in gone or gone & set(factors):
            del content.products[key]
    for rule in list(content.relations.values()) + list(content.running.values()):
        for side in ("plus", "minus"):
            rule[side] = [k for k in rule[side] if k not in gone]
    levels = list(content.levels)
    optional = [lv for lv in levels if not lv.required]
    if h["drop_level"] and optional:
        levels.remove(rng.choice(optional))
    if len(levels) > 1 and len({lv.fields[0][1] for lv in levels}) < len(levels):
        raise Unclear("levels share a field")
    if h["notation"].startswith("en") and not any(
            f.kind == "amount" and f.decimals in (1, 2, 4) for f in content.fields):
        # no value would show the decimal point: the Turkish notation the reader takes
        h["notation"] = d.pick("notation", {"tr-grouped": 3, "tr-plain": 1})
    # records over two lines, where the table may print them so; drawn beside the shape's own
    # draws, so that a shape printed otherwise stays the same
    if second_line_keys(content, h):
        beside = Draw(random.Random(hash(rng.getstate()[1])), d.prefix)
        beside.tags = d.tags
        h["two_lines"] = beside.chance("two-lines", TWO_LINES)
    else:
        h["two_lines"] = False
    labels = draw_labels(rng, content, levels)
    layout = TableLayout(content, h, rng, label_room(content, labels, h))
    if layout.framed:
        bare = [lv.bare and h["block_form"] == "bare" for lv in levels]
        longest = max([len(block_text(lv, tuple(r[k] for _, k in lv.fields), h, bare[j]))
                       + len(" (devam)") for j, lv in enumerate(levels) for r in content.records]
                      + [40])
        layout.ensure_row(longest)
    return content, h, levels, labels, layout


def header_fits(printer, layout) -> bool:
    """Whether the page header's lines fit in a row across the table's frame."""
    firm, title, period, printed = printer.head
    width = layout.inner_width()
    try:
        spread(width, firm, "", "Sayfa : 999")
        spread(width, "", title, f"Tarih : {printed}")
        return True
    except ValueError:
        return False


def shape_truth(seed, tags, fh, printer, raw, tables, report_fields) -> dict:
    runs = []
    for i, role in enumerate(printer.roles, start=1):
        if runs and runs[-1][2] == role and runs[-1][1] == i - 1:
            runs[-1][1] = i
        else:
            runs.append([i, i, role])
    summary = ", ".join(f"{tags[f't{i}.family']} ({tags[f't{i}.frame']}, "
                        f"{tags.get(f't{i}.rule', 'frame')})" for i in range(1, len(tables) + 1))
    out = {"kind": "grammar", "format": 2, "seed": seed,
           "description": f"A report drawn from the print-out grammar: {summary}.",
           "file": "report.txt", "encoding": fh["encoding"], "line_end": fh["line_end"],
           "form_feeds": any(t.startswith("\f") for t in printer.text),
           "printer_codes": any(paper(t) != t for t in raw),
           "line_count": len(raw), "record_definition": DEFAULT_RECORD,
           "conventions": "samples/reports/CONVENTIONS.md", "habits": tags, "notes": [],
           "report_fields": report_fields}
    if len(tables) == 1:
        out.update({k: v for k, v in tables[0].items() if k not in ("name", "title_line")})
    else:
        out["tables"] = tables
    out["pages"] = printer.pages
    out["unplaced"] = [n for n, role in enumerate(printer.roles, 1) if role == "unplaced"]
    out["line_roles"] = runs
    return out
