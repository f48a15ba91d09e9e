"""The truth of a printed file, in the form CONVENTIONS.md defines: each table's columns (the
group fields a block line carries first), records, totals and groups; the pages and the role
of every line."""

import datetime as dt

from ..values import decimal_text, fmt_date
from .columns import code_like, truth_value
from .labels import date_form, printed_value

GROUP_HEADINGS = ["Grup", "Grup 2", "Grup 3"]


def carried_columns(run) -> list:
    """The columns a table's block lines carry into its records, in the order first printed,
    each with its value in every group: (column, [value per group])."""
    out, bare_count = [], 0
    for j, level in enumerate(run.levels):
        if run.bare[j]:
            heading = GROUP_HEADINGS[bare_count]
            bare_count += 1
            parts = [(heading, None, None)]
        else:
            parts = [(label, label, i) for i, (label, _) in enumerate(level.fields)]
        for heading, label, i in parts:
            values = []
            for g in run.groups:
                v = g["values"][j]
                if i is not None:
                    v = v[i]
                elif len(v) == 1:
                    v = v[0]
                else:
                    v = " ".join(printed_value(x, run.h, date_form(level, run.h)) for x in v)
                values.append(v)
            col = {"heading": heading, "carried": True, "source": "group", "label": label}
            if all(hasattr(v, "isoformat") for v in values):
                col.update(kind="date", format=date_form(level, run.h))
                values = [v.isoformat() for v in values]
            else:
                values = [str(v) for v in values]
                col["kind"] = "code" if code_like(values) else "text"
            if label is None:
                col["form"] = "bare"
            out.append((col, values))
    return out


def table_truth(run, report_fields) -> dict:
    """One table's truth; group fields whose value is the same in every block go to the
    report's fields."""
    L, c = run.L, run.c
    carried = []
    for col, values in carried_columns(run):
        if len(set(values)) == 1:
            report_fields.append({"label": col["heading"],
                                  "value": printed(col, values[0], run)})
        else:
            carried.append((col, values))
    heading = {col.key: col.heading for col in L.cols}
    mark = {col.mark_of: col.heading for col in L.cols if col.mark_of}
    columns = [col for col, _ in carried]
    for col in L.cols:
        out = {"heading": col.heading, "kind": col.kind, "carried": False,
               "span": [col.start, col.end]}
        if col.kind == "amount":
            out["format"] = dict(col.notation)
        elif col.kind == "date":
            out["format"] = col.date_form
        elif col.kind == "marks" and col.glued:
            out["format"] = {"glued": True}
        if col.second:
            out["record_line"] = 2  # the column stands on a record's (a total's) second line
        key = col.key
        if key in c.relations:
            rule = c.relations[key]
            out["net"] = {side: [heading[k] for k in rule[side] if k in heading]
                          for side in ("plus", "minus")}
            if key in mark:
                out["net"]["sign"] = mark[key]
        if key in c.running:
            rule = c.running[key]
            opening = rule["opening"]
            if isinstance(opening, int):
                opening = decimal_text(opening, col.field.decimals)
            out["running"] = {side: [heading[k] for k in rule[side] if k in heading]
                              for side in ("plus", "minus")}
            out["running"]["opening"] = opening
            if key in mark:
                out["running"]["sign"] = {"column": mark[key], "B": 1, "A": -1}
        if key in c.products:
            out["product"] = [heading[k] for k in c.products[key]]
        if key in c.ratios and key in run.ratios:
            rule = c.ratios[key]
            out["ratio"] = {"of": heading[rule["of"]], "to": heading[rule["to"]],
                            "scale": rule["scale"]}
        columns.append(out)
    records = []
    for r in run.records:
        values = [vals[r["group"]] for _, vals in carried]
        values += [truth_value(col, r["rec"].get(col.mark_of or col.key)) for col in L.cols]
        rec = {"line": r["lines"][0], "lines": r["lines"], "page": r["page"], "values": values}
        if r["group"] is not None:
            rec["group"] = r["group"]
        if r["level"] is not None:
            rec["level"] = r["level"]
            if r["parent"]:
                rec["parent"] = r["parent"]
        records.append(rec)
    groups = []
    for g in run.groups:
        fields = {col["heading"]: vals[g["group"]] for col, vals in carried}
        out = {k: g[k] for k in ("group", "first_line", "last_line", "header_lines")}
        out["fields"] = fields
        if g.get("repeated_lines"):
            out["repeated_lines"] = g["repeated_lines"]
        if g.get("openings"):
            out["openings"] = {heading[k]: signed_text(L.col(k), v)
                               for k, v in g["openings"].items() if k in heading}
        groups.append(out)
    table = {"name": run.name, "title_line": run.title_line, "columns": columns,
             "records": records, "totals": [total_truth(run, t) for t in run.totals]}
    if groups:
        table["groups"] = groups
    if c.balanced:
        by, debit, credit = c.balanced
        by_heading = next(col["heading"] for col, _ in carried if col["label"] == by_label(run, by))
        table["balanced"] = {"by": by_heading, "debit": heading[debit], "credit": heading[credit]}
    if c.hierarchy:
        table["hierarchy"] = {"column": heading[c.hierarchy], "separator": ".",
                              "sums": [heading[k] for k in run.summed
                                       if k not in c.ratios]}
    return table


def by_label(run, key) -> str:
    """The label a block line prints a field under."""
    return next(label for lv in run.levels for label, k in lv.fields if k == key)


def printed(col, value, run) -> str:
    """A report field's value as printed."""
    if col["kind"] == "date":
        return fmt_date(dt.date.fromisoformat(value), col["format"])
    return value


def signed_text(col, units) -> str:
    """An opening balance as the truth's groups hold it: signed, whatever its column
    prints."""
    return decimal_text(units, col.field.decimals)


def total_truth(run, t) -> dict:
    L = run.L
    amounts, marks, how = {}, {}, {}
    for col in L.cols:
        key = col.mark_of or col.key
        if key not in t["figures"]:
            continue
        value = truth_value(col, t["figures"][key])
        (marks if col.kind == "marks" else amounts)[col.heading] = value
        how[col.heading] = t["how"][key]
    scope = {"lines": t["range"]}
    if t["level1"]:
        scope["level"] = 1
    if t["count"] is not None:
        scope["count"] = t["count"]
    if "group" in t:
        scope["group"] = t["group"]
    out = {"line": t["line"], "label": t["label"], "keyword": t["keyword"],
           "covers": t["covers"], "scope": scope, "page": t["page"], "amounts": amounts}
    if len(t.get("lines", ())) > 1:
        out["lines"] = t["lines"]
    if marks:
        out["marks"] = marks
    out["how"] = how
    return out
