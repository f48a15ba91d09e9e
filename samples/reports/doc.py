"""One report's lines with the role of each, and the ground truth built beside them."""

import json

from .encoding import encode_line, paper


# --- the report and its truth ---------------------------------------------------------------
class Doc:
    """The lines of one report with the role of each line and the truth built beside them.

    version 2 (the kinds written since the conventions in CONVENTIONS.md): the truth also names
    its format, the lines not placed, the groups, printer codes and several tables."""

    def __init__(self, kind, line_end="CRLF", version=1, encoding="cp857"):
        self.kind, self.line_end, self.version, self.encoding = kind, line_end, version, encoding
        self.lines, self.roles = [], []
        self.columns, self.records, self.totals, self.pages, self.fields = [], [], [], [], []
        self.notes = []
        self.form_feeds = False
        self.printer_codes = False
        self.groups = []
        self.tables = []  # finished tables, when the report holds more than one
        self.table_extra = {}  # further keys of the open table ("balanced", "hierarchy")
        self.extra = {}  # further keys of the truth (a twin's kind)

    def add(self, text: str, role: str) -> int:
        if text.startswith("\f"):
            self.form_feeds = True
        on_paper = paper(text)
        if on_paper != text:
            self.printer_codes = True
        # the kinds written first strip a lone form feed too; later ones keep it
        self.lines.append(text.rstrip() if self.version == 1 else text.rstrip(" "))
        self.roles.append(role if on_paper.strip("\f ") else "blank")
        return len(self.lines)

    def group(self, fields: dict, header_lines: list, first_line=None) -> int:
        """Opens a group: the fields printed in the block above it (carried column key ->
        value) and the block's lines (none for a group that its opening balance line begins);
        returns the group's number."""
        first_line = first_line or header_lines[0]
        if self.groups:
            self.groups[-1]["last_line"] = first_line - 1
        self.groups.append({"group": len(self.groups), "first_line": first_line,
                            "last_line": 0, "header_lines": list(header_lines),
                            "fields": {self.heading_of(k): self.truth_value(k, v)
                                       for k, v in fields.items()}})
        for n in header_lines:
            self.roles[n - 1] = "group"
        return len(self.groups) - 1

    def group_goes_on(self, header_lines: list):
        """The block of the open group printed again on a new page."""
        self.groups[-1].setdefault("repeated_lines", []).extend(header_lines)
        for n in header_lines:
            self.roles[n - 1] = "group"

    def begin_table(self, name: str, title_line):
        """Closes the table written so far and begins the next one, headed by its title."""
        self.close_table()
        self.columns, self.records, self.totals, self.groups = [], [], [], []
        self.table_extra = {}
        self.table_name, self.table_title = name, title_line
        if title_line:
            self.roles[title_line - 1] = "title"

    def close_table(self):
        if not self.columns:
            return
        # a group field whose value is the same in every block is no column
        for i in reversed(range(len(self.columns))):
            col = self.columns[i]
            if col.get("source") != "group":
                continue
            values = {g["fields"][col["heading"]] for g in self.groups}
            if len(values) == 1:
                del self.columns[i]
                for r in self.records:
                    del r["values"][i]
                for g in self.groups:
                    del g["fields"][col["heading"]]
                self.fields.append({"label": col["label"] or col["heading"],
                                    "value": values.pop()})
        # a column empty in every record is no column of the clean table: the totals'
        # figures of it (all zero) go with it
        for i in reversed(range(len(self.columns))):
            col = self.columns[i]
            if col["carried"] or any(r["values"][i] is not None for r in self.records):
                continue
            del self.columns[i]
            for r in self.records:
                del r["values"][i]
            for t in self.totals:
                for part in ("amounts", "marks", "how"):
                    t.get(part, {}).pop(col["heading"], None)
            for other in self.columns:
                for sides in (other.get("running"), other.get("net")):
                    for side in ("plus", "minus"):
                        if sides and col["heading"] in sides.get(side, []):
                            sides[side].remove(col["heading"])
        if self.groups:
            self.groups[-1]["last_line"] = self.records[-1]["lines"][-1]
        table = {"name": getattr(self, "table_name", None),
                 "title_line": getattr(self, "table_title", None),
                 "columns": [{k: v for k, v in c.items() if k != "key"} for c in self.columns],
                 "records": self.records, "totals": self.totals}
        if self.groups:
            table["groups"] = self.groups
        table.update(self.table_extra)
        self.tables.append(table)
        self.columns = []

    @property
    def n(self):
        return len(self.lines)

    def carried(self, key, label, kind, source=None, heading=None, fmt=None):
        """A leading column carried from a page header (source None) or a group's block
        ("group"); headed by its label, or by heading when printed without one."""
        col = {"key": key, "heading": heading or label, "kind": kind, "carried": True,
               "label": label}
        if source:
            col["source"] = source
        if fmt:
            col["format"] = fmt
        self.columns.append(col)

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
            if value in ("", None):
                return None
            return value.isoformat() if col["kind"] == "date" else value
        return self._cols[key].truth(value)

    def record(self, lines, page, rec, extra=None):
        r = {"line": lines[0], "lines": list(lines), "page": page,
             "values": [self.truth_value(c["key"], rec.get(c["key"])) for c in self.columns]}
        if extra:
            r.update(extra)
        self.records.append(r)
        for i in lines[1:]:
            self.roles[i - 1] = "continuation"

    def total(self, line, label, keyword, covers, scope, page, printed: dict, how=None):
        """A printed total; how (column key -> "sum", "last", "net") says how a figure follows
        from the records where the column's own rule does not."""
        amounts, marks = {}, {}
        for key, value in printed.items():
            col = self._cols[key]
            (marks if col.kind == "marks" else amounts)[col.heading] = col.truth(value)
        t = {"line": line, "label": label, "keyword": keyword, "covers": covers,
             "scope": scope, "page": page, "amounts": amounts}
        if marks:
            t["marks"] = marks
        if how:
            t["how"] = {self._cols[k].heading: v for k, v in how.items()}
        self.totals.append(t)
        self.roles[line - 1] = "total"

    def truth(self, description, record_definition):
        runs = []
        for i, role in enumerate(self.roles, start=1):
            if runs and runs[-1][2] == role and runs[-1][1] == i - 1:
                runs[-1][1] = i
            else:
                runs.append([i, i, role])
        if self.version == 1:
            columns = [{k: v for k, v in c.items() if k != "key"} for c in self.columns]
            return {
                "kind": self.kind,
                "description": description,
                "file": "report.txt",
                "encoding": self.encoding,
                **self.extra,
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
        self.close_table()
        truth = {"kind": self.kind, "format": 2, "description": description,
                 "file": "report.txt", "encoding": self.encoding, "line_end": self.line_end,
                 "form_feeds": self.form_feeds, "printer_codes": self.printer_codes,
                 "line_count": self.n, "record_definition": record_definition,
                 "conventions": "samples/reports/CONVENTIONS.md", **self.extra,
                 "notes": self.notes, "report_fields": self.fields}
        if len(self.tables) == 1:
            table = self.tables[0]
            truth.update({k: v for k, v in table.items() if k not in ("name", "title_line")})
        else:
            truth["tables"] = self.tables
        truth["pages"] = self.pages
        truth["unplaced"] = [n for n, role in enumerate(self.roles, 1) if role == "unplaced"]
        truth["line_roles"] = runs
        return truth

    def report_bytes(self) -> bytes:
        end = b"\r\n" if self.line_end == "CRLF" else b"\n"
        return b"".join(encode_line(line, self.encoding, self.printer_codes) + end
                        for line in self.lines)


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
