"""A paged sub-ledger: page headers, records, carried sums, page, account and grand totals."""

from .layout import clip


# --- paged ledgers --------------------------------------------------------------------------
class Ledger:
    """A paged sub-ledger: page header, records, carried sums, page, account and grand totals.

    header(page, pages, group) -> [(text, role)]; footer(page, pages) -> [(text, role)].
    Labels (printed text, keyword) of totals; printed[kind] lists the keys a total prints.
    """

    def __init__(self, doc, table, page_len, ff, pad, header, footer, labels, printed,
                 label_at, underline=True, per_group_page=True, blank_before_footer=1,
                 framed_close=False, blank_after_devir=False):
        self.doc, self.table, self.page_len = doc, table, page_len
        self.ff = ff  # a form feed starts each page after the first
        self.pad = pad  # no form feeds: blank lines fill each page to page_len
        self.header, self.footer = header, footer
        self.labels, self.printed, self.label_at = labels, printed, label_at
        self.underline = underline  # hyphens under the amounts above the totals
        self.per_group_page = per_group_page  # each account begins a new page
        self.blank_before_footer = blank_before_footer
        self.framed_close = framed_close  # inner rule above the totals, frame's bottom line
        self.blank_after_devir = blank_after_devir
        self.all_groups = []

    def closing(self, kind, last_group):
        """The items that close a page: kind "cont" (the group goes on) or "final"."""
        items = []
        if self.framed_close:
            items.append(("line", self.table.inner(), "frame"))
        elif self.underline:
            items.append(("underline",))
        if self.labels.get("page"):
            items.append(("total", "page"))
        if kind == "cont":
            if self.labels.get("nakli"):
                items.append(("total", "nakli"))
        else:
            if self.labels.get("account"):
                items.append(("total", "account"))
            if last_group and self.labels.get("grand"):
                items.append(("total", "grand"))
        if self.framed_close:
            items.append(("line", self.table.bottom(), "frame"))
        if len(items) == 1 and items[0] == ("underline",):
            return []
        return items

    def plan(self, groups):
        header_len = len(self.header(1, 1, groups[0]))
        footer_len = len(self.footer(1, 1)) + (self.blank_before_footer if self.footer(1, 1) else 0)
        cap = self.page_len - header_len - footer_len
        pages = []
        for gi, g in enumerate(groups):
            last_group = gi == len(groups) - 1
            cont = self.closing("cont", False)
            final = self.closing("final", last_group)
            if gi == 0 or self.per_group_page:
                pages.append({"group": g, "items": [], "used": 0})
            for ri, r in enumerate(g["records"]):
                h = 1 + len(r.get("_cont", []))
                last = ri == len(g["records"]) - 1
                page = pages[-1]
                need = h + (len(final) if last else len(cont))
                if page["used"] + need > cap:
                    page["items"] += cont
                    pages.append({"group": g, "items": [], "used": 0})
                    page = pages[-1]
                    if self.labels.get("devir"):
                        page["items"].append(("total", "devir"))
                        page["used"] += 1
                        if self.blank_after_devir:
                            page["items"].append(("line", "", "blank"))
                            page["used"] += 1
                    assert page["used"] + need <= cap, "page too short for one record"
                page["items"].append(("record", r))
                page["used"] += h
            pages[-1]["items"] += final
            pages[-1]["used"] += len(final)
        return pages

    def write(self, groups, carried_key=None):
        """Writes the pages; carried_key names the group fields carried into each record."""
        doc, table = self.doc, self.table
        self.all_groups = groups
        pages = self.plan(groups)
        npages = len(pages)
        seen = {}  # group id -> records written so far
        for pno, page in enumerate(pages, start=1):
            g = page["group"]
            first = doc.n + 1
            header_lines = []
            for i, (text, role) in enumerate(self.header(pno, npages, g)):
                if i == 0 and pno > 1 and self.ff:
                    text = "\f" + text
                header_lines.append(doc.add(text, role))
            page_recs = []
            done = seen.setdefault(id(g), [])
            for item in page["items"]:
                if item[0] == "record":
                    r = item[1]
                    clip(table, r)
                    n0 = doc.add(table.values(r), "record")
                    ns = [n0]
                    for piece in r.get("_cont", []):
                        ns.append(doc.add(table.line({r["_cont_key"]: piece}), "record"))
                    doc.record(ns, pno, r, r.get("_extra"))
                    page_recs.append(r)
                    done.append(r)
                elif item[0] == "underline":
                    doc.add(table.underline(self.sum_keys()), "rule")
                elif item[0] == "line":
                    doc.add(item[1], item[2])
                else:
                    self.write_total(item[1], pno, g, page_recs, done, carried_key)
            if self.pad:
                while doc.n - first + 1 < self.page_len - len(self.footer(pno, npages)):
                    doc.add("", "blank")
            elif self.footer(pno, npages):
                for _ in range(self.blank_before_footer):
                    doc.add("", "blank")
            for text, role in self.footer(pno, npages):
                doc.add(text, role)
            info = {"page": pno, "first_line": first, "last_line": doc.n,
                    "header_lines": header_lines}
            if carried_key:
                info["fields"] = {doc.heading_of(k): g["fields"][k] for k in carried_key}
            doc.pages.append(info)

    def sum_keys(self):
        keys = set()
        for kind in self.printed.values():
            keys |= {k for k in kind if self.table.col(k).kind == "amount"}
        return keys

    def write_total(self, kind, pno, g, page_recs, done, carried_key):
        doc, table = self.doc, self.table
        if kind == "page":
            recs, scope, covers = page_recs, {"page": pno}, "page"
        elif kind in ("nakli", "devir"):
            recs = list(done)
            through = pno if kind == "nakli" else pno - 1
            scope, covers = {"through_page": through}, "carried"
        elif kind == "account":
            recs, scope, covers = list(done), {}, "account"
        else:
            recs, scope, covers = [r for gg in self.all_groups for r in gg["records"]], {}, "all"
        if carried_key and kind != "grand":
            scope["where"] = {doc.heading_of(k): g["fields"][k] for k in carried_key}
        values = {}
        for key in self.printed[kind]:
            col = table.col(key)
            if col.total == "last":
                values[key] = recs[-1].get(key) if recs else None
            else:
                values[key] = sum(r.get(key) or 0 for r in recs)
        label, keyword = self.labels[kind]
        pos, align = self.label_at
        text = label if align == "L" else label.rjust(pos[1] - pos[0] + 1)
        line = doc.add(table.values(values, [(pos[0], text)]), "total")
        doc.total(line, label.strip(), keyword, covers, scope, pno, values)
