"""The habits of DOS print-outs, each a switch drawn per shape: how a file is written (its code
page, line ends, printer codes, pages, how many tables) and how each table is printed (frame,
rule lines, headings, number and date notation, B/A marks, groups, totals). Every draw is kept
as a tag "name=value", from which the checker's breakdown tells the habits that fail."""

import random

# Value forms: (decimal mark, thousands separator) of each notation.
NOTATIONS = {"tr-grouped": (",", "."), "tr-plain": (",", ""), "en-grouped": (".", ","),
             "en-plain": (".", "")}
DATE_FORMS = {"dd.mm.yyyy": 35, "d.m.yyyy": 8, "dd/mm/yy": 12, "dd/mm/yyyy": 10,
              "dd-mm-yyyy": 8, "yyyy-mm-dd": 7, "dd.mm.yy": 10, "d MMMM yyyy": 5,
              "dd MMM yyyy": 5}
BOX_FRAMES = ("box-single", "box-double", "box-mixed")


class Draw:
    """Draws from a seeded random source and keeps what it drew as tags."""

    def __init__(self, rng, prefix=""):
        self.rng, self.prefix, self.tags = rng, prefix, {}

    def pick(self, name, weighted):
        """One of the choices of a dict choice -> weight (or a list, equally weighted)."""
        if isinstance(weighted, dict):
            choices, weights = list(weighted), list(weighted.values())
        else:
            choices, weights = list(weighted), None
        value = self.rng.choices(choices, weights)[0]
        self.tags[self.prefix + name] = value
        return value

    def chance(self, name, p) -> bool:
        value = self.rng.random() < p
        self.tags[self.prefix + name] = "yes" if value else "no"
        return value

    def num(self, name, lo, hi) -> int:
        value = self.rng.randint(lo, hi)
        self.tags[self.prefix + name] = value
        return value

    def sub(self, prefix):
        """A draw whose tags go into this one's under a prefix."""
        child = Draw(self.rng, self.prefix + prefix)
        child.tags = self.tags
        return child


def file_habits(d: Draw) -> dict:
    """How the file is written."""
    encoding = d.pick("encoding", {"cp857": 70, "cp1254": 15, "utf-8": 15})
    paging = d.pick("paging", {"form-feed": 50, "padded": 30, "one-page": 20})
    return {
        "encoding": encoding,
        "line_end": d.pick("line-end", {"CRLF": 85, "LF": 15}),
        "codes": d.pick("printer-codes", {"none": 60, "line-starts": 20, "anywhere": 20}),
        "paging": paging,
        "page_len": 10_000 if paging == "one-page" else d.num("page-length", 36, 72),
        "tables": d.pick("tables", {1: 70, 2: 22, 3: 8}),
        "page_no": d.pick("page-number", {"header": 60, "footer": 30, "none": 10}),
        "footer": d.pick("footer", {"none": 60, "remark": 25, "rule": 15}),
    }


def table_habits(d: Draw, encoding: str, paged: bool) -> dict:
    """How one table is printed; a box frame needs a code page that keeps it."""
    frames = {"none": 45, "box": 25, "ascii": 12, "bars": 10, "colon": 8}
    frame = d.pick("frame", frames)
    if frame == "box":
        if encoding == "cp1254":
            frame = d.pick("frame", {"ascii": 1})
        else:
            frame = d.pick("frame", BOX_FRAMES)
    boxed = frame.startswith("box") or frame == "ascii"
    if boxed:
        rule = "frame"
    elif frame in ("bars", "colon"):
        rule = d.pick("rule", {"continuous-hyphen": 40, "continuous-equals": 15, "around": 20,
                               "none": 25})
    else:
        rule = d.pick("rule", {"gapped-hyphen": 30, "gapped-equals": 8, "continuous-hyphen": 17,
                               "continuous-equals": 8, "around": 15, "over-amounts": 10,
                               "none": 6, "gapped-twice": 6})
    h = {
        "frame": frame,
        "rule": rule,
        "edges": frame not in ("bars", "colon") or d.chance("bar-edges", 0.5),
        "ascii_fill": d.pick("ascii-fill", ["-", "="]) if frame == "ascii" else "-",
        "header_in_frame": boxed and d.chance("header-in-frame", 0.3),
        "totals_under_frame": boxed and d.chance("totals-under-frame", 0.3),
        "total_rule": (d.pick("total-rule", {"inner": 70, "none": 30}) if boxed else
                       d.pick("total-rule", {"underline": 50, "continuous": 20, "none": 30})),
        "heading_lines": d.pick("heading-lines", {1: 35, 2: 45, 3: 20}),
        "heading_case": d.pick("heading-case", {"as-is": 60, "upper": 40}),
        "centred_headings": d.chance("centred-headings", 0.2),
        "notation": d.pick("notation", {"tr-grouped": 55, "tr-plain": 15, "en-grouped": 20,
                                        "en-plain": 10}),
        "negative": d.pick("negative", {"leading-minus": 50, "trailing-minus": 30,
                                        "parentheses": 20}),
        "zero": d.pick("zero", {"blank": 60, "zero": 25, "dash": 15}),
        "date_form": d.pick("date-form", DATE_FORMS),
        "month_form": d.pick("month-form", ["MONTH yyyy", "MMMM yyyy"]),
        "marks": d.pick("marks", {"beside": 45, "glued": 25, "signed": 30}),
        "mark_heading": d.chance("mark-heading", 0.7),
        "block_form": d.pick("block-form", {"labelled": 55, "bare": 45}),
        "label_sep": d.pick("label-separator", [" : ", ": ", " :"]),
        "group_totals": d.chance("group-totals", 0.8),
        "drop_level": d.chance("drop-level", 0.3),
        "group_blank": d.chance("group-blank", 0.5),
        "repeat_block": d.pick("repeat-block", {"devam": 50, "plain": 30, "none": 20}),
        "breaks": d.chance("breaks", 0.8),
        "break_label": d.pick("break-label", ["same", "named"]),
        "cumulative": d.chance("cumulative", 0.3),
        "page_sums": (d.pick("page-sums", {"none": 40, "page": 20, "page+carry": 25,
                                           "carry": 15}) if paged else "none"),
        "counts": d.chance("counts", 0.2),
        "with_openings": d.chance("with-openings", 0.5),
        "opening_sides": d.chance("opening-sides", 0.5),
        "wrap": d.chance("continuation", 0.3),
        "remark": d.chance("remark", 0.05),
        "margin": d.num("margin", 0, 4),
        "gap": d.pick("gap", {1: 60, 2: 30, 3: 10}),
        "slack": d.num("slack", 0, 3),
        "label_at": d.pick("label-at", ["edge", "text"]),
        "grand": d.chance("grand-total", 0.9),
        "unexplained": d.chance("unexplained-total", 0.1),
    }
    # A frame drawn tight around its cells: no blank between an upright and the text. Drawn
    # aside, from the stream's state, so that every other shape of a seed stays as it was.
    aside = random.Random(repr(d.rng.getstate()[1][:8]))
    h["tight"] = boxed and aside.random() < 0.25
    if boxed:
        d.tags[d.prefix + "tight-frame"] = "yes" if h["tight"] else "no"
    return h
