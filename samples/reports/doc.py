"""One report's lines with the role of each, and the ground truth built beside them."""

import json

from .encoding import encode_line


# --- the report and its truth ---------------------------------------------------------------
class Doc:
    """The lines of one report with the role of each line and the truth built beside them."""

    def __init__(self, kind, line_end="CRLF"):
        self.kind, self.line_end = kind, line_end
        self.lines, self.roles = [], []
        self.columns, self.records, self.totals, self.pages, self.fields = [], [], [], [], []
        self.notes = []
        self.form_feeds = False

    def add(self, text: str, role: str) -> int:
        if text.startswith("\f"):
            self.form_feeds = True
        self.lines.append(text.rstrip())
        self.roles.append(role if text.strip("\f ") else "blank")
        return len(self.lines)

    @property
    def n(self):
        return len(self.lines)

    def carried(self, key, label, kind):
        self.columns.append({"key": key, "heading": label, "kind": kind, "carried": True,
                             "label": label})

    def table_columns(self, table, running=None):
        for c in table.cols:
            col = {"key": c.key, "heading": c.heading, "kind": c.kind, "carried": False,
                   "span": [c.start + (1 if table.framed else 0),
                            c.end - (1 if table.framed else 0)]}
            if c.kind == "date":
                col["format"] = c.fmt
            elif c.kind == "amount":
                col["format"] = dict(c.fmt)
            elif c.kind in ("code", "marks") and c.fmt:
                col["format"] = dict(c.fmt)
            if c.total:
                col["total"] = c.total
            if running and c.key in running:
                col["running"] = running[c.key]
            self.columns.append(col)
        self._cols = {c.key: c for c in table.cols}

    def heading_of(self, key):
        return next(c["heading"] for c in self.columns if c["key"] == key)

    def truth_value(self, key, value):
        col = next(c for c in self.columns if c["key"] == key)
        if col["carried"]:
            return value if value not in ("", None) else None
        return self._cols[key].truth(value)

    def record(self, lines, page, rec, extra=None):
        r = {"line": lines[0], "lines": list(lines), "page": page,
             "values": [self.truth_value(c["key"], rec.get(c["key"])) for c in self.columns]}
        if extra:
            r.update(extra)
        self.records.append(r)
        for i in lines[1:]:
            self.roles[i - 1] = "continuation"

    def total(self, line, label, keyword, covers, scope, page, printed: dict):
        amounts, marks = {}, {}
        for key, value in printed.items():
            col = self._cols[key]
            (marks if col.kind == "marks" else amounts)[col.heading] = col.truth(value)
        t = {"line": line, "label": label, "keyword": keyword, "covers": covers,
             "scope": scope, "page": page, "amounts": amounts}
        if marks:
            t["marks"] = marks
        self.totals.append(t)
        self.roles[line - 1] = "total"

    def truth(self, description, record_definition):
        runs = []
        for i, role in enumerate(self.roles, start=1):
            if runs and runs[-1][2] == role and runs[-1][1] == i - 1:
                runs[-1][1] = i
            else:
                runs.append([i, i, role])
        columns = [{k: v for k, v in c.items() if k != "key"} for c in self.columns]
        return {
            "kind": self.kind,
            "description": description,
            "file": "report.txt",
            "encoding": "cp857",
            "line_end": self.line_end,
            "form_feeds": self.form_feeds,
            "line_count": self.n,
            "record_definition": record_definition,
            "conventions": CONVENTIONS,
            "notes": self.notes,
            "report_fields": self.fields,
            "columns": columns,
            "records": self.records,
            "totals": self.totals,
            "pages": self.pages,
            "line_roles": runs,
        }

    def report_bytes(self) -> bytes:
        end = b"\r\n" if self.line_end == "CRLF" else b"\n"
        return b"".join(encode_line(line) + end for line in self.lines)


CONVENTIONS = (
    "Lines are counted from 1 as the file's line breaks part them; a form feed belongs to the "
    "line it starts. Values: dates ISO; amounts decimal strings with a point and a leading "
    "minus for a negative amount, however the report marks it (a leading or trailing minus, "
    "parentheses); a balance whose side stands in a B/A column keeps its printed magnitude and "
    "the mark says the side; "
    "blank cells are null; codes and texts as printed, continuation lines joined with one "
    "blank. Carried columns are page-header fields that change between pages; their value is "
    "the one in the header of the record's page. A total covers a page, an account, a group "
    "(mizan class), all records, or is carried (the sums up to a page). Its scope says which "
    "records: "
    "page (records of that page), through_page (records up to and including that page), where "
    "(column heading -> value), prefix (column heading -> leading text), level (mizan level); "
    "an empty scope covers all records. A total's label is its printed text, its keyword the "
    "total word in it (DEVİR, NAKLİ YEKÜN, SAYFA TOPLAMI, HESAP TOPLAMI, GENEL TOPLAM, TOPLAM, "
    "YEKÜN, DÖNEM SONU BAKİYE). A column's total is 'sum' (the sum over the scope) or "
    "'last' (the value of the scope's last record, for running balances). span is the 1-based "
    "character range in which the column's values stand. line_roles: [first, last, role] runs "
    "of header, heading, rule, frame, blank, record, continuation, total, footer, note.")


DEFAULT_RECORD = ("Every posting line is a record; a record's continuation lines belong to it. "
                  "Page headers, headings, rule and frame lines, blank lines, footers and total "
                  "lines are not records.")


def dump_truth(truth: dict) -> bytes:
    out = ["{"]
    items = list(truth.items())
    for i, (key, value) in enumerate(items):
        comma = "," if i < len(items) - 1 else ""
        if isinstance(value, list) and value and key != "notes":
            out.append(f" {json.dumps(key)}: [")
            for j, elem in enumerate(value):
                out.append("  " + json.dumps(elem, ensure_ascii=False)
                           + ("," if j < len(value) - 1 else ""))
            out.append(" ]" + comma)
        else:
            out.append(f" {json.dumps(key)}: {json.dumps(value, ensure_ascii=False)}{comma}")
    out.append("}")
    return ("\n".join(out) + "\n").encode("utf-8")
