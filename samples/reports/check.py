"""The truth check: every truth against its report (the values at their lines and spans, every
printed total against the records it covers, the running balances, a role for every line)."""

import datetime as dt
import json
import sys
from pathlib import Path

from .encoding import FRAME_BYTES, decode_line
from .values import fmt_date, kurus, plain, render_amount, tr_upper


# --- the self-check -------------------------------------------------------------------------
def render_value(col, value) -> str:
    if value is None:
        return ""
    if col["kind"] == "date":
        return fmt_date(dt.date.fromisoformat(value), col["format"])
    if col["kind"] == "amount":
        return render_amount(kurus(value), col["format"])
    return value


def report_lines(data: bytes, line_end: str) -> list:
    if line_end == "CRLF":
        assert b"\n" not in data.replace(b"\r\n", b"") and b"\r" not in data.replace(b"\r\n", b"")
        parts = data.split(b"\r\n")
    else:
        assert b"\r" not in data
        parts = data.split(b"\n")
    assert parts[-1] == b"", "the report ends with a line break"
    return [decode_line(p) for p in parts[:-1]]


def check_case(data: bytes, truth: dict) -> list:
    errors = []
    err = errors.append
    try:
        lines = report_lines(data, truth["line_end"])
    except AssertionError as e:
        return [f"line ends: {e}"]
    if len(lines) != truth["line_count"]:
        err(f"line count {len(lines)} != {truth['line_count']}")
    cols = truth["columns"]
    heads = [c["heading"] for c in cols]
    if len(set(heads)) != len(heads):
        err(f"headings not unique: {heads}")
    pages = {p["page"]: p for p in truth["pages"]}
    records = truth["records"]

    def cell(line_no, col):
        a, b = col["span"]
        text = lines[line_no - 1][a - 1:b].strip()
        fmt = col.get("format")
        marker = fmt.get("marker") if isinstance(fmt, dict) else None
        if marker and text.startswith(marker):
            text = text[len(marker):].lstrip()
        return text

    # every record's values stand at its lines
    last = 0
    for rec in records:
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
                if page.get("fields", {}).get(col["heading"]) != value:
                    err(f"{where}: {col['heading']} {value!r} is not its page's")
                continue
            pieces = [cell(n, col) for n in rec["lines"]]
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

    # every printed total against the records it covers
    by_head = {c["heading"]: c for c in cols}
    for t in truth["totals"]:
        where = f"total {t['label']!r} at line {t['line']}"
        scope = t["scope"]
        sel = []
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            if "page" in scope and rec["page"] != scope["page"]:
                continue
            if "through_page" in scope and rec["page"] > scope["through_page"]:
                continue
            if "level" in scope and rec.get("level") != scope["level"]:
                continue
            if any(vals[h] != v for h, v in scope.get("where", {}).items()):
                continue
            if any(not (vals[h] or "").startswith(v) for h, v in scope.get("prefix", {}).items()):
                continue
            sel.append(vals)
        if t["label"] not in lines[t["line"] - 1]:
            err(f"{where}: label not on its line")
        printed = dict(t["amounts"], **t.get("marks", {}))
        for head, value in printed.items():
            col = by_head[head]
            if col.get("total") == "last":
                want = sel[-1][head] if sel else None
            else:
                want = plain(sum(kurus(v[head]) for v in sel if v[head] is not None))
            if want != value:
                err(f"{where}: {head} printed {value}, records give {want}")
            got = cell(t["line"], col)
            if got != render_value(col, value).strip():
                err(f"{where}: {head} reads {got!r} on the line, truth {value}")

    # running balances
    for col in cols:
        notation = col.get("running")
        if not notation:
            continue
        bal, key = kurus(notation["opening"]), None
        sign = notation.get("sign")
        for rec in records:
            vals = dict(zip(heads, rec["values"]))
            if notation.get("restart_on") and vals[notation["restart_on"]] != key:
                key, bal = vals[notation["restart_on"]], kurus(notation["opening"])
            bal += sum(kurus(vals[h] or "0") for h in notation.get("plus", []))
            bal -= sum(kurus(vals[h] or "0") for h in notation.get("minus", []))
            got = kurus(vals[col["heading"]] or "0")
            if sign:
                got *= sign.get(vals[sign["column"]] or "", 0) if got else 1
            if got != bal:
                err(f"record at line {rec['line']}: {col['heading']} {got} != running {bal}")
                break

    # the line roles
    roles = {}
    for a, b, role in truth["line_roles"]:
        for n in range(a, b + 1):
            roles[n] = role
    if sorted(roles) != list(range(1, len(lines) + 1)):
        err("line roles do not cover every line once")
    rec_lines = {n for r in records for n in r["lines"]}
    tot_lines = {t["line"] for t in truth["totals"]}
    for n, text in enumerate(lines, start=1):
        role = roles.get(n)
        body = text.strip("\f ")
        if (role == "blank") != (body == ""):
            err(f"line {n}: role {role} for {text!r}")
        if (role in ("record", "continuation")) != (n in rec_lines):
            err(f"line {n}: role {role}, records disagree")
        if (role == "total") != (n in tot_lines):
            err(f"line {n}: role {role}, totals disagree")
        if role == "rule" and set(body) - set("-= "):
            err(f"line {n}: rule line holds {body!r}")
        if role == "frame" and set(body) - set(FRAME_BYTES):
            err(f"line {n}: frame line holds {body!r}")
        if "\f" in text and not text.startswith("\f"):
            err(f"line {n}: form feed inside the line")
        if role == "heading" and "TOPLAM" in tr_upper(text):
            err(f"line {n}: a heading line that holds Toplam")
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
            print(f"{d}: {len(truth['records'])} records, {len(truth['totals'])} totals, "
                  f"{len(truth['pages'])} pages: ok")
    return 1 if bad else 0
