"""Values as a report prints them and as the truth holds them: amounts in kuruş, dates."""

import datetime as dt
from decimal import Decimal


# --- values ---------------------------------------------------------------------------------
MONTHS = ["Ocak", "Şubat", "Mart", "Nisan", "Mayıs", "Haziran", "Temmuz", "Ağustos", "Eylül",
          "Ekim", "Kasım", "Aralık"]


def tr_upper(s: str) -> str:
    return s.replace("i", "İ").replace("ı", "I").upper()


def plain(k):
    """Kuruş as the truth's decimal string: -123456 -> "-1234.56"."""
    if k is None:
        return None
    units, cents = divmod(abs(k), 100)
    return f"{'-' if k < 0 else ''}{units}.{cents:02d}"


def kurus(text: str) -> int:
    return int(Decimal(text) * 100)


def fmt_date(d: dt.date, pattern: str) -> str:
    return (pattern.replace("dd", f"{d.day:02d}").replace("mm", f"{d.month:02d}")
            .replace("yyyy", f"{d.year:04d}").replace("yy", f"{d.year % 100:02d}"))


def render_amount(k, notation: dict) -> str:
    """An amount in kuruş as the report prints it, by the truth's format of its column."""
    if k is None:
        return ""
    units, cents = divmod(abs(k), 100)
    digits = str(units)
    if notation["thousands"]:
        groups = []
        while len(digits) > 3:
            groups.insert(0, digits[-3:])
            digits = digits[:-3]
        digits = notation["thousands"].join([digits] + groups)
    text = f"{digits}{notation['decimal']}{cents:02d}"
    neg = notation["negative"]
    if k < 0:
        text = {"leading-minus": "-" + text, "trailing-minus": text + "-",
                "parentheses": "(" + text + ")", "unsigned": text}[neg]
    elif neg == "parentheses" and notation.get("positive_pad"):
        text += " "
    return text


def money(decimal=",", thousands=".", negative="leading-minus", positive_pad=False,
          marker=None) -> dict:
    notation = {"decimal": decimal, "thousands": thousands, "negative": negative}
    if positive_pad:
        notation["positive_pad"] = True
    if marker:
        notation["marker"] = marker
    return notation
