"""The truth check: every truth against its report (the values at their lines and spans, every
printed total against the records it covers, the running balances, the row relations, the
parents of a hierarchy, a role for every line). The figures are checked apart from the print
(check_figures), which also tells whether a tampered copy's print shows the change."""

import datetime as dt
import json
import sys
from decimal import ROUND_DOWN, ROUND_HALF_UP, Decimal
from pathlib import Path

from .encoding import FRAME_BYTES, decode_line, paper
from .values import fmt_date, render_decimal, tr_upper

# The roles a line may have; "note" is the closing text of the kinds written first.
ROLES = {"header", "heading", "rule", "frame", "blank", "record", "continuation", "total",
         "footer", "note", "group", "title", "unplaced"}
# Where a table's lines stand: a line not placed lies among these.
TABLE_ROLES = {"heading", "rule", "frame", "record", "continuation", "total", "group"}
# A frame drawn with the printer's own characters.
ASCII_FRAME = set("+-=|:")


def num(text) -> Decimal:
    """A truth value as a number; null is zero."""
    return Decimal(text or "0")


def decimals_of(col) -> int:
    fmt = col.get("format")
    return fmt.get("decimals", 2) if isinstance(fmt, dict) else 2


def shown(value: Decimal, decimals: int = 2) -> str:
    return str(value.quantize(Decimal(1).scaleb(-decimals)))


def render_value(col, value) -> str:
    """A truth value as its column prints it; no value as a dash where the column prints
    one."""
    if value is None:
        fmt = col.get("format")
        return "-" if isinstance(fmt, dict) and fmt.get("zero") == "dash" else ""
    if col["kind"] == "date":
        return fmt_date(dt.date.fromisoformat(value), col["format"])
    if col["kind"] == "amount":
        return render_decimal(Decimal(value), col["format"])
    return value


def report_lines(data: bytes, truth: dict) -> list:
    """The report's lines as text, printer codes and all."""
    if truth["line_end"] == "CRLF":
        assert b"\n" not in data.replace(b"\r\n", b"") and b"\r" not in data.replace(b"\r\n", b"")
        parts = data.split(b"\r\n")
    else:
        assert b"\r" not in data
        parts = data.split(b"\n")
    assert parts[-1] == b"", "the report ends with a line break"
    return [decode_line(p, truth.get("encoding", "cp857")) for p in parts[:-1]]


def tables_of(truth: dict) -> list:
    """The report's tables: a truth of one table holds its columns, records and totals itself."""
    return truth.get("tables") or [truth]


def mark_of(k):
    return "B" if k > 0 else ("A" if k < 0 else None)


def in_lines(scope: dict, line: int) -> bool:
    a, b = scope.get("lines", (line, line))
    return a <= line <= b


def select(table: dict, scope: dict) -> list:
    """The records a total's scope covers, each as (record, heading -> value)."""
    heads = [c["heading"] for c in table["columns"]]
    sel = []
    for rec in table["records"]:
        vals = dict(zip(heads, rec["values"]))
        if "page" in scope and rec["page"] != scope["page"]:
            continue
        if "through_page" in scope and rec["page"] > scope["through_page"]:
            continue
        if not in_lines(scope, rec["line"]):
            continue
        if "level" in scope and rec.get("level") != scope["level"]:
            continue
        if "group" in scope and rec.get("group") != scope["group"]:
            continue
        if any(vals[h] != v for h, v in scope.get("where", {}).items()):
            continue
        if any(not (vals[h] or "").startswith(v) for h, v in scope.get("prefix", {}).items()):
            continue
        sel.append((rec, vals))
    return sel


def check_case(data: bytes, truth: dict) -> list:
    errors = []
    err = errors.append
    try:
        raw = report_lines(data, truth)
    except AssertionError as e:
        return [f"line ends: {e}"]
    lines = [paper(t) for t in raw]
    if truth.get("printer_codes") is False and lines != raw:
        err("printer codes in a report whose truth has none")
    if len(lines) != truth["line_count"]:
        return [f"line count {len(lines)} != {truth['line_count']}"]
    tables = tables_of(truth)
    for i, table in enumerate(tables):
        where = f"table {i + 1}: " if len(tables) > 1 else ""
        errors += [where + e for e in check_table(lines, truth, table)]
    errors += check_roles(raw, lines, truth, tables)
    return errors


def check_table(lines: list, truth: dict, table: dict) -> list:
    """The table's values where the report prints them, then its figures."""
    return check_values(lines, truth, table) + [e for _, e in check_figures(table)]


def cell_text(lines, line_no, col) -> str:
    a, b = col["span"]
    text = lines[line_no - 1][a - 1:b].strip()
    fmt = col.get("format")
    marker = fmt.get("marker") if isinstance(fmt, dict) else None
    if marker and text.startswith(marker):
        text = text[len(marker):].lstrip()
    return text


def check_values(lines: list, truth: dict, table: dict) -> list:
    """Every record's values, group and page field and total figure where the report prints
    it."""
    errors = []
    err = errors.append
    cols = table["columns"]
    heads = [c["heading"] for c in cols]
    if len(set(heads)) != len(heads):
        err(f"headings not unique: {heads}")
    pages = {p["page"]: p for p in truth["pages"]}
    groups = {g["group"]: g for g in table.get("groups", [])}
    paired = any(c.get("record_line") for c in cols)  # records printed over two lines
    last = 0
    for rec in table["records"]:
        where = f"record at line {rec['line']}"
        span = list(range(rec["line"], rec["line"] + len(rec["lines"])))
        if rec["line"] <= last or rec["lines"] != span:
            err(f"{where}: lines out of order {rec['lines']}")
        last = rec["lines"][-1]
        page = pages[rec["page"]]
        if not page["first_line"] <= rec["line"] <= page["last_line"]:
            err(f"{where}: not on page {rec['page']}")
        for col, value in zip(cols, rec["values"]):
            if col["carried"]:
                if col.get("source") == "group":
                    fields = groups[rec["group"]]["fields"]
                else:
                    fields = page.get("fields", {})
                if fields.get(col["heading"]) != value:
                    err(f"{where}: {col['heading']} {value!r} is not its "
                        f"{col.get('source', 'page')}'s")
                continue
            own = [rec["lines"][col.get("record_line", 1) - 1]] if paired else rec["lines"]
            pieces = [cell_text(lines, n, col) for n in own]
            got = " ".join(p for p in pieces if p) if col["kind"] == "text" else pieces[0]
            if col["kind"] != "text" and any(pieces[1:]):
                err(f"{where}: {col['heading']} on a continuation line")
            want = render_value(col, value).strip()
            if got != want:
                err(f"{where}: {col['heading']} reads {got!r}, truth {want!r}")
    for p in truth["pages"]:
        header = [lines[n - 1] for n in p["header_lines"]]
        for label, value in p.get("fields", {}).items():
            if not any(label in h and value in h for h in header):
                err(f"page {p['page']}: header field {label} : {value} not in its header")
    by_head = {c["heading"]: c for c in cols}
    for g in groups.values():
        if g["header_lines"] and g["first_line"] != g["header_lines"][0]:
            err(f"group {g['group']}: its first line is not its block's")
        for head, value in g["fields"].items():
            if not field_printed(lines, groups, g, by_head[head], value):
                err(f"group {g['group']}: field {head} {value!r} not in its block")
    for t in table["totals"]:
        where = f"total {t['label']!r} at line {t['line']}"
        if t["label"] not in lines[t["line"] - 1]:
            err(f"{where}: label not on its line")
        for part in ("amounts", "marks"):
            for head, value in t.get(part, {}).items():
                n = t["line"] + by_head[head].get("record_line", 1) - 1
                got = cell_text(lines, n, by_head[head])
                if got != render_value(by_head[head], value).strip():
                    err(f"{where}: {head} reads {got!r} on the line, truth {value}")
    return errors


def field_printed(lines, groups, g, col, value) -> bool:
    """Whether a group's field stands in its block: labelled ("Cari Kodu : 120.001"), in
    brackets ("(MAHSUP)") or as the whole line; a field printed once over several groups (a
    stock group over its cards) holds for the groups after it."""
    printed = render_value(col, value) if col["kind"] == "date" else value
    form = col.get("form", "bracket" if col["label"] is None else "label")
    if form == "bracket":
        printed = f"({printed})"
    for above in range(g["group"], -1, -1):
        block = [lines[n - 1].strip() for n in groups[above]["header_lines"]]
        text = " ".join(block)
        if form == "bare":
            if any(line.strip(" ║│|:").startswith(printed) for line in block):
                return True
        elif form == "bracket" or col["label"] in text:
            return printed in text and (form == "bracket" or col["label"] in text)
    return False


def product_breaks(table: dict, col: dict) -> list:
    """The records whose figure in `col` is not the product of its two factors, cut or rounded
    to its decimals; none unless four records at least keep it (a factor of one proves
    nothing) and few in a hundred break it."""
    heads = [c["heading"] for c in table["columns"]]
    a, b = col["product"]
    step = Decimal(1).scaleb(-decimals_of(col))
    keep, broken = 0, []
    for rec in table["records"]:
        vals = dict(zip(heads, rec["values"]))
        x, y, z = (vals[a], vals[b], vals[col["heading"]])
        if None in (x, y, z) or 0 in (num(x), num(y), num(z)) or 1 in (abs(num(x)), abs(num(y))):
            continue
        exact = num(x) * num(y)
        if num(z) in (exact.quantize(step, ROUND_DOWN), exact.quantize(step, ROUND_HALF_UP)):
            keep += 1
        else:
            broken.append(f"record at line {rec['line']}: {col['heading']} {z} is not {a} x {b}")
    return broken if keep >= 4 and len(broken) <= max(1, keep // 20) else []


def check_figures(table: dict) -> list:
    """Every figure the table's records must follow, apart from where it stands: the totals by
    what they cover, the row relations and ratios, the running columns, balanced vouchers and
    the parents of a hierarchy. Returns (what, message) pairs; what names the rule broken:
    "total", "relation", "running", "voucher" or "parent"."""
    errors = []

    def err(what, text):
        errors.append((what, text))

    cols = table["columns"]
    heads = [c["heading"] for c in cols]
    by_head = {c["heading"]: c for c in cols}
    groups = {g["group"]: g for g in table.get("groups", [])}
    records = table["records"]

    nets = {c["heading"]: c["net"] for c in cols if c.get("net")}
    for head, rule in nets.items():
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            got = num(vals[head])
            if rule.get("sign"):
                got *= -1 if vals[rule["sign"]] == "A" else 1
            want = (sum(num(vals[h]) for h in rule["plus"])
                    - sum(num(vals[h]) for h in rule["minus"]))
            if got != want:
                err("relation", f"record at line {rec['line']}: {head} {got} is not the net "
                                f"{want}")
    for col in cols:
        if col.get("ratio"):
            rule = col["ratio"]
            for rec in records:
                vals = dict(zip(heads, rec["values"]))
                want = ratio(vals[rule["of"]], vals[rule["to"]], rule, decimals_of(col))
                if want != (None if vals[col["heading"]] is None else num(vals[col["heading"]])):
                    err("relation", f"record at line {rec['line']}: {col['heading']} "
                                    f"{vals[col['heading']]} is not the ratio {want}")

    for col in cols:
        if col.get("product"):
            errors.extend(("relation", text) for text in product_breaks(table, col))

    running = {c["heading"]: c["running"] for c in cols if c.get("running")}
    net_of = dict(running, **nets)

    def opening(group, head):
        return num(groups[group].get("openings", {}).get(head)) if groups else Decimal(0)

    openings = [t for t in table["totals"] if t["covers"] == "opening"]
    for t in table["totals"]:
        where = f"total {t['label']!r} at line {t['line']}"
        scope = t["scope"]
        sel = select(table, scope)
        if "count" in scope and scope["count"] != len(sel):
            err("total", f"{where}: count {scope['count']}, records {len(sel)}")
        if t["covers"] == "opening" and scope.get("group") is None:
            err("total", f"{where}: an opening balance names no group")
        marks = t.get("marks", {})
        for head, value in t["amounts"].items():
            col = by_head[head]
            how = t.get("how", {}).get(head) or col.get("total")
            mark_head = next((h for h in marks if heads.index(h) == heads.index(head) + 1), None)
            if how in ("given", "unexplained"):
                continue
            if how == "last":
                want = num(sel[-1][1][head]) if sel else Decimal(0)
            elif how == "opening":
                want = opening(scope["group"], head)
                want = abs(want) if mark_head else want
            elif how == "ratio":
                rule = col["ratio"]
                want = ratio(sum_of(sel, rule["of"]), sum_of(sel, rule["to"]), rule,
                             decimals_of(col))
            elif how == "net":
                rule = net_of[head]
                # every group the scope names, with records or not
                gs = [g for g, grp in groups.items()
                      if scope.get("group", g) == g and in_lines(scope, grp["first_line"])
                      and all(grp["fields"].get(h, v) == v
                              for h, v in scope.get("where", {}).items())]
                net = sum((opening(g, head) for g in gs), Decimal(0))
                for _, vals in sel:
                    net += sum(num(vals[h]) for h in rule.get("plus", []))
                    net -= sum(num(vals[h]) for h in rule.get("minus", []))
                want = abs(net) if mark_head else net
                if mark_head and marks[mark_head] != mark_of(net):
                    err("total", f"{where}: {mark_head} printed {marks[mark_head]}, net "
                                 f"{mark_of(net)}")
            else:
                want = sum_of(sel, head)
                if how == "with_openings":
                    want += sum(num(o["amounts"].get(head)) for o in openings
                                if in_lines(scope, o["line"]))
            if want is not None and num(value) != want:
                err("total", f"{where}: {head} printed {value}, records give "
                             f"{shown(want, decimals_of(col))}")
        for head, value in marks.items():
            how = t.get("how", {}).get(head) or by_head[head].get("total")
            amount_head = heads[heads.index(head) - 1]
            if how == "last" and value != (sel[-1][1][head] if sel else None):
                err("total", f"{where}: {head} printed {value}, the last record's "
                             f"{sel[-1][1][head]}")
            if how == "opening" and value != mark_of(opening(scope["group"], amount_head)):
                err("total", f"{where}: {head} printed {value}, not the opening balance's side")
    balanced = table.get("balanced")
    if balanced:
        sums = {}
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            pair = sums.setdefault(vals[balanced["by"]], [0, 0])
            pair[0] += num(vals[balanced["debit"]])
            pair[1] += num(vals[balanced["credit"]])
        for key, (d, c) in sums.items():
            if d != c:
                err("voucher", f"{balanced['by']} {key}: debit {d} != credit {c}")

    # running balances, from each group's opening balance where the groups have them
    for head, rule in running.items():
        by_group = rule["opening"] == "group"
        from_first = rule["opening"] == "first"
        fixed = Decimal(0) if by_group or from_first else num(rule["opening"])
        bal, key, first = fixed, None, from_first
        sign = rule.get("sign")
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            if by_group and rec["group"] != key:
                key, bal = rec["group"], opening(rec["group"], head)
            elif rule.get("restart_on") and vals[rule["restart_on"]] != key:
                key, bal, first = vals[rule["restart_on"]], fixed, from_first
            got = num(vals[head])
            if sign:
                got *= sign.get(vals[sign["column"]] or "", 0) if got else 1
            if first:
                bal, first = got, False
                continue
            bal += sum(num(vals[h]) for h in rule.get("plus", []))
            bal -= sum(num(vals[h]) for h in rule.get("minus", []))
            if got != bal:
                err("running", f"record at line {rec['line']}: {head} {got} != running {bal}")
                break

    # a parent account holds the sums of its sub-accounts
    tree = table.get("hierarchy")
    if tree:
        by_line = {r["line"]: dict(zip(heads, r["values"])) for r in records}
        kids = {}
        for rec in records:
            if rec.get("parent"):
                kids.setdefault(rec["parent"], []).append(rec["line"])
                parent_code = by_line[rec["parent"]][tree["column"]]
                code = by_line[rec["line"]][tree["column"]]
                if not code.startswith(parent_code + tree["separator"]):
                    err("parent", f"record at line {rec['line']}: {code} is not under "
                                  f"{parent_code}")
        for parent, lines_ in kids.items():
            for head in tree["sums"]:
                total = sum(num(by_line[n][head]) for n in lines_)
                if total != num(by_line[parent][head]):
                    err("parent", f"record at line {parent}: {head} {by_line[parent][head]} "
                                  f"!= its sub-accounts' {total}")
    return errors


def sum_of(sel, head) -> Decimal:
    return sum((num(v[head]) for _, v in sel if v[head] is not None), Decimal(0))


def ratio(of, to, rule, decimals):
    """of / to times the rule's scale, rounded half up to the column's decimals; none when to
    is zero or not printed."""
    of, to = num(of), num(to)
    if not to:
        return None
    return (of * rule.get("scale", 100) / to).quantize(Decimal(1).scaleb(-decimals),
                                                       rounding=ROUND_HALF_UP)


def check_roles(raw: list, lines: list, truth: dict, tables: list) -> list:
    errors = []
    err = errors.append
    roles = {}
    for a, b, role in truth["line_roles"]:
        for n in range(a, b + 1):
            roles[n] = role
    if sorted(roles) != list(range(1, len(lines) + 1)):
        err("line roles do not cover every line once")
    rec_lines = {n for t in tables for r in t["records"] for n in r["lines"]}
    tot_lines = {n for tb in tables for t in tb["totals"] for n in t.get("lines", [t["line"]])}
    group_lines = {n for tb in tables for g in tb.get("groups", [])
                   for n in g["header_lines"] + g.get("repeated_lines", [])}
    title_lines = {tb.get("title_line") for tb in tables} - {None}
    unplaced = set(truth.get("unplaced", []))
    for n, text in enumerate(lines, start=1):
        role = roles.get(n)
        body = text.strip("\f ")
        if role not in ROLES:
            err(f"line {n}: no such role {role}")
        if (role == "blank") != (body == ""):
            err(f"line {n}: role {role} for {text!r}")
        if (role in ("record", "continuation")) != (n in rec_lines):
            err(f"line {n}: role {role}, records disagree")
        if (role == "total") != (n in tot_lines):
            err(f"line {n}: role {role}, totals disagree")
        if (role == "group") != (n in group_lines):
            err(f"line {n}: role {role}, groups disagree")
        if (role == "title") != (n in title_lines):
            err(f"line {n}: role {role}, table titles disagree")
        if (role == "unplaced") != (n in unplaced):
            err(f"line {n}: role {role}, the lines not placed disagree")
        if role == "rule" and set(body) - set("-= "):
            err(f"line {n}: rule line holds {body!r}")
        if role == "frame" and set(body) - set(FRAME_BYTES) - ASCII_FRAME - {" "}:
            err(f"line {n}: frame line holds {body!r}")
        if "\f" in raw[n - 1] and not raw[n - 1].startswith("\f"):
            err(f"line {n}: form feed inside the line")
        if role == "heading" and "TOPLAM" in tr_upper(text) and truth.get("format", 1) == 1:
            err(f"line {n}: a heading line that holds Toplam")
    if truth.get("format", 1) >= 2:
        # a line not placed lies among a page's table lines; a footer below them all
        for p in truth["pages"]:
            span = range(p["first_line"], p["last_line"] + 1)
            table = [n for n in span if roles.get(n) in TABLE_ROLES]
            for n in span:
                if roles.get(n) == "unplaced" and not (table and table[0] < n < table[-1]):
                    err(f"line {n}: not placed, but outside the table of page {p['page']}")
                if roles.get(n) == "footer" and table and n < table[-1]:
                    err(f"line {n}: a footer above the table's last line")
        return errors
    # column detection: the first twelve double rules lie in the frame's top line, else the
    # first ten hyphens in the rule line under the headings
    first = lambda needle: next((n for n, t in enumerate(lines, 1) if needle in t), None)
    frame_at, rule_at = first("═" * 12), first("-" * 10)
    if frame_at:
        if roles.get(frame_at) != "frame" or "╤" not in lines[frame_at - 1]:
            err(f"line {frame_at}: the first double rule is not the frame's top line")
    elif rule_at is None or roles.get(rule_at) != "rule" or lines[rule_at - 1][3:5] != "--":
        err(f"line {rule_at}: the first ten hyphens are not the rule line")
    return errors


def check_dirs(dirs) -> int:
    bad = 0
    for d in dirs:
        d = Path(d)
        truth = json.loads((d / "truth.json").read_text(encoding="utf-8"))
        errors = check_case((d / "report.txt").read_bytes(), truth)
        for e in errors[:20]:
            print(f"{d}: {e}", file=sys.stderr)
        if errors:
            bad += 1
        else:
            tables = tables_of(truth)
            records = sum(len(t["records"]) for t in tables)
            totals = sum(len(t["totals"]) for t in tables)
            more = f", {len(tables)} tables" if len(tables) > 1 else ""
            print(f"{d}: {records} records, {totals} totals, {len(truth['pages'])} pages"
                  f"{more}: ok")
    return 1 if bad else 0
