"""Values as a report prints them and as the truth holds them: amounts in kuruş, dates."""

import datetime as dt
import re
from decimal import Decimal


# --- values ---------------------------------------------------------------------------------
MONTHS = ["Ocak", "Şubat", "Mart", "Nisan", "Mayıs", "Haziran", "Temmuz", "Ağustos", "Eylül",
          "Ekim", "Kasım", "Aralık"]
MONTHS_SHORT = ["Oca", "Şub", "Mar", "Nis", "May", "Haz", "Tem", "Ağu", "Eyl", "Eki", "Kas", "Ara"]


def tr_upper(s: str) -> str:
    return s.replace("i", "İ").replace("ı", "I").upper()


def tr_lower(s: str) -> str:
    return s.replace("I", "ı").replace("İ", "i").lower()


def tr_title(s: str) -> str:
    """Each word with a capital first letter, the Turkish way: "TAHSİL" -> "Tahsil"."""
    return " ".join(w[:1] + tr_lower(w[1:]) for w in s.split(" "))


def plain(k, decimals=2):
    """Kuruş as the truth's decimal string: -123456 -> "-1234.56"; a whole-number column's
    values (decimals 0) are whole multiples of 100: 149346800 -> "1493468"."""
    if k is None:
        return None
    units, cents = divmod(abs(k), 100)
    if decimals == 0:
        assert cents == 0, k
        return f"{'-' if k < 0 else ''}{units}"
    return f"{'-' if k < 0 else ''}{units}.{cents:02d}"


def kurus(text: str) -> int:
    return int(Decimal(text) * 100)


DATE_TOKENS = re.compile("MONTH|MON|MMMM|MMM|yyyy|yy|dd|d|mm|m")


def fmt_date(d: dt.date, pattern: str) -> str:
    """A date by its pattern: dd 02, d 2, mm 01, m 1, yyyy 2024, yy 24, MMMM Ocak, MMM Oca,
    MONTH OCAK, MON OCA."""
    def token(m):
        return {"dd": f"{d.day:02d}", "d": str(d.day), "mm": f"{d.month:02d}", "m": str(d.month),
                "yyyy": f"{d.year:04d}", "yy": f"{d.year % 100:02d}",
                "MMMM": MONTHS[d.month - 1], "MMM": MONTHS_SHORT[d.month - 1],
                "MONTH": tr_upper(MONTHS[d.month - 1]),
                "MON": tr_upper(MONTHS_SHORT[d.month - 1])}[m.group(0)]
    return DATE_TOKENS.sub(token, pattern)


def decimal_text(units: int, decimals: int) -> str:
    """A number of units of 10^-decimals as the truth's decimal string: (-12345, 3) ->
    "-12.345", (1493468, 0) -> "1493468"."""
    whole, frac = divmod(abs(units), 10 ** decimals)
    sign = "-" if units < 0 else ""
    return f"{sign}{whole}.{frac:0{decimals}d}" if decimals else f"{sign}{whole}"


def render_amount(k, notation: dict) -> str:
    """An amount in kuruş as the report prints it, by the truth's format of its column."""
    if k is None:
        return ""
    decimals = notation.get("decimals", 2)
    if decimals == 0:
        assert k % 100 == 0, k
    return render_units(k // 100 if decimals == 0 else k, notation)


def render_decimal(value: Decimal, notation: dict) -> str:
    """A decimal number ("-1234.567") as the report prints it in its column's format."""
    units = value.scaleb(notation.get("decimals", 2))
    assert units == units.to_integral_value(), (value, notation)
    return render_units(int(units), notation)


def render_units(units: int, notation: dict) -> str:
    """A number of units of the column's last decimal place as the report prints it: grouped
    thousands, the decimal mark, the sign as the column shows a negative amount."""
    decimals = notation.get("decimals", 2)
    whole, frac = divmod(abs(units), 10 ** decimals)
    digits = str(whole)
    if notation["thousands"]:
        groups = []
        while len(digits) > 3:
            groups.insert(0, digits[-3:])
            digits = digits[:-3]
        digits = notation["thousands"].join([digits] + groups)
    text = f"{digits}{notation['decimal']}{frac:0{decimals}d}" if decimals else digits
    neg = notation["negative"]
    if units < 0:
        text = {"leading-minus": "-" + text, "trailing-minus": text + "-",
                "parentheses": "(" + text + ")", "unsigned": text}[neg]
    elif neg == "parentheses" and notation.get("positive_pad"):
        text += " "
    return text


def money(decimal=",", thousands=".", negative="leading-minus", positive_pad=False,
          marker=None, decimals=2) -> dict:
    notation = {"decimal": decimal, "thousands": thousands, "negative": negative}
    if decimals != 2:
        notation["decimals"] = decimals
    if positive_pad:
        notation["positive_pad"] = True
    if marker:
        notation["marker"] = marker
    return notation
