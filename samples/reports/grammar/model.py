"""What a table holds before it is printed: its fields, its records and the figures that tie
them (running columns, row relations, ratios, a hierarchy of codes, the groups a block line
heads and the totals printed between records)."""

from dataclasses import dataclass, field


@dataclass
class Field:
    """One column of a table's records.

    A record holds a date (datetime.date), a number of units of the column's last decimal
    place (an int: 123456 is 1.234,56 with two decimals, 12,345 kg with three) or a text.
    signed: the value may be negative; marks: a balance whose side a B/A mark may tell;
    summed: totals print its sum; day: a day mark one character wide, its number stacked
    digit over digit in the headings; fixed_form: a date form of its own ("MONTH yyyy");
    percent: an amount printed after a percent sign ("%33,33")."""

    key: str
    heading: str
    kind: str
    decimals: int = 2
    signed: bool = False
    marks: bool = False
    summed: bool = False
    day: bool = False
    short: str = None
    fixed_form: str = None
    percent: bool = False

    @property
    def align(self) -> str:
        return "R" if self.kind == "amount" else "L"


@dataclass
class Level:
    """Groups of records under a block line: the fields the line prints as (label, key), the
    label of its total, whether the line may print the bare value ("253 TESİS, MAKİNE VE
    CİHAZLAR") instead of "label : value", whether the table needs it (its groups open a
    running balance) and whether its dates are months ("VADE : MART 2024")."""

    fields: list
    total: str = "GRUP TOPLAMI"
    bare: bool = False
    required: bool = False
    months: bool = False


@dataclass
class Break:
    """Totals printed between the records whenever a record's period differs from the one
    before: month or day or year totals. labels are (label the same every time, label naming
    the period); period(record) -> the period's value; name(period) -> its printed name."""

    period: object
    name: object
    labels: tuple
    cumulative: tuple = ("KÜMÜLATİF TOPLAM", "YIL BAŞINDAN BERİ TOPLAM")


@dataclass
class Content:
    """A table before it is printed. running: key -> {"plus": [keys], "minus": [keys],
    "opening": "group" | "first" | units}; relations: key -> {"plus": [...], "minus": [...]}
    (a row's figure from its other figures); ratios: key -> {"of", "to", "scale"}; products:
    key -> [key, key] (a row's figure the product of two others, cut to its decimals); hierarchy:
    the key of a code whose levels ("7", "7.1", "7.1.01") make parents of the sums of their
    children; openings: a group's values (a tuple) -> {key: units} of its opening line;
    header: (label, value) pairs its page header prints; balanced: (voucher key, debit key,
    credit key) of a journal whose vouchers balance; local: keys a total adds up within one
    group only (amounts in each group's own currency)."""

    family: str
    title: str
    fields: list
    records: list
    levels: list = field(default_factory=list)
    breaks: Break = None
    running: dict = field(default_factory=dict)
    relations: dict = field(default_factory=dict)
    ratios: dict = field(default_factory=dict)
    products: dict = field(default_factory=dict)
    hierarchy: str = None
    openings: dict = field(default_factory=dict)
    opening_labels: tuple = ("DEVİR", "DEVREDEN BAKİYE", "ÖNCEKİ DÖNEMDEN DEVİR")
    header: list = field(default_factory=list)
    balanced: tuple = None
    local: tuple = ()
    grand: tuple = ("GENEL TOPLAM", "TOPLAM", "YEKÜN", "RAPOR TOPLAMI")
    wrap_key: str = None

    def get(self, key) -> Field:
        return next(f for f in self.fields if f.key == key)
