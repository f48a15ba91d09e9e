"""The texts a table prints beside its cells: the labels of its totals, drawn so that no two
kinds of total share one, and the block lines that head its groups."""

from ..values import fmt_date, tr_upper

REMARKS = ["*** ARA RAPOR ***", "**** BU SAYFADA İPTAL EDİLEN FİŞ YOKTUR ****",
           "Kontrol edilmiştir."]
PAGE_LABELS = ["SAYFA TOPLAMI", "Sayfa Toplamı", "SAYFA YEKÜNÜ"]
CARRY_FOOT = ["NAKLİ YEKÜN", "NAKLEDİLEN TOPLAM", "SONRAKİ SAYFAYA DEVİR"]
CARRY_HEAD = ["NAKLİ YEKÜN", "ÖNCEKİ SAYFADAN DEVİR", "DEVREDEN TOPLAM"]
UNEXPLAINED = ["GEÇEN YIL AYNI DÖNEM", "ÖNCEKİ YIL TOPLAMI", "BÜTÇE TOPLAMI"]


def date_form(level, h) -> str:
    return h["month_form"] if level.months else h["date_form"]


def printed_value(value, h, form=None) -> str:
    """A block line's or header's value as printed: a date by its form (a month by the
    table's month form)."""
    if hasattr(value, "isoformat"):
        return fmt_date(value, form or h["month_form"])
    return str(value)


def block_text(level, values, h, bare) -> str:
    """The line heading a group: "PLASİYER : 03 - H. KILIÇ   BÖLGE : KARADENİZ" or the bare
    value "253 TESİS, MAKİNE VE CİHAZLAR"."""
    shown = [printed_value(v, h, date_form(level, h)) for v in values]
    if bare:
        return " ".join(shown)
    return "   ".join(f"{label}{h['label_sep']}{v}" for (label, _), v in zip(level.fields, shown))


def draw_labels(rng, content, levels) -> dict:
    """The labels a table prints its totals under, no two kinds of total under one label."""
    grand = rng.choice(content.grand)
    opening = rng.choice(content.opening_labels)
    taken = {grand, opening}
    per_level = []
    for level in levels:
        choices = [level.total, "TOPLAM", f"{tr_upper(level.fields[0][0])} TOPLAMI"]
        label = rng.choice(choices)
        if label in taken:
            label = next(c for c in choices if c not in taken)
        taken.add(label)
        per_level.append(label)
    out = {"grand": grand, "opening": opening, "levels": per_level,
           "page": rng.choice(PAGE_LABELS), "carry_foot": rng.choice(CARRY_FOOT),
           "carry_head": rng.choice(CARRY_HEAD)}
    if content.breaks:
        out["break"] = rng.choice(content.breaks.labels)
        out["cumulative"] = rng.choice(content.breaks.cumulative)
    return out


def label_room(content, labels, h) -> int:
    """The longest label a total of the table may print, a count with it."""
    texts = [v for k, v in labels.items() if k != "levels"] + labels["levels"]
    if h["unexplained"]:
        texts += UNEXPLAINED
    if content.breaks and content.breaks.name:
        texts += [content.breaks.name(p) for p in {content.breaks.period(r)
                                                   for r in content.records}]
    return max(map(len, texts)) + (len(" (9999 adet)") if h["counts"] else 0) + 1
