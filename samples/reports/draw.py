"""What the kinds draw from: the picker of variants, names and texts, amounts, dates and the
postings of a current account."""

import datetime as dt
import math

from .values import MONTHS, fmt_date


class Picker:
    """Fixed reports take the given value; variants draw one."""

    def __init__(self, rng, variant):
        self.rng, self.variant = rng, variant

    def pick(self, fixed, choices):
        return self.rng.choice(choices) if self.variant else fixed

    def num(self, fixed, lo, hi):
        return self.rng.randint(lo, hi) if self.variant else fixed

    def chance(self, fixed, p):
        return (self.rng.random() < p) if self.variant else fixed


# --- names and texts ------------------------------------------------------------------------
FIRMS = [
    "ÖZTÜRK GIDA SANAYİ VE TİCARET A.Ş.", "AKSOY NAKLİYAT LTD.ŞTİ.", "YILDIZ ECZA DEPOSU LTD.ŞTİ.",
    "ÇAĞLAYAN İNŞAAT TAAHHÜT A.Ş.", "GÜNEŞ KIRTASİYE TİC.LTD.ŞTİ.",
    "ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.", "KARADENİZ BALIKÇILIK LTD.ŞTİ.",
    "ŞAHİN & OĞULLARI TEKSTİL LTD.ŞTİ.", "DOĞU ANADOLU ÇİMENTO A.Ş.",
    "BİLGİÇ MÜHENDİSLİK MÜŞAVİRLİK LTD.ŞTİ.", "KOÇAK ZÜCCACİYE VE HIRDAVAT",
    "TOROS GÜBRE VE KİMYA A.Ş.", "ÜNAL ELEKTRİK MALZ.SAN.TİC.LTD.ŞTİ.",
    "ÖZGÜR BASIM YAYIN DAĞITIM A.Ş.", "AYDIN & ÇELİK ORTAKLIĞI",
    "İPEKYOLU TURİZM SEYAHAT LTD.ŞTİ.", "GÖKÇE TARIM ÜRÜNLERİ A.Ş.", "ŞİMŞEK MOBİLYA DEKORASYON",
    "ERGÜN \"ALTIN\" KUYUMCULUK", "Mehmet Işık - Işık Ticaret", "AKDENİZ YAPI MALZ.TİC.LTD.ŞTİ.",
    "ÇUKUROVA PAMUK İPLİK SAN.A.Ş.", "Güler Kuruyemiş Gıda Ltd.Şti.", "EGE SÜT ÜRÜNLERİ A.Ş.",
    "KAPADOKYA HALI KİLİM LTD.ŞTİ.", "Doğan & Şükrü Ağaoğlu Kollektif Şti.", "ULUDAĞ İÇECEK A.Ş.",
    "MARMARA BOYA VERNİK SAN.TİC.A.Ş.", "TUNÇ HIRDAVAT - TUNÇ İSMAİL", "GÜNDOĞDU PETROL ÜRÜNLERİ",
]
BANKS = ["T.İş Bankası", "Ziraat Bankası", "Garanti Bankası", "Yapı Kredi", "Akbank", "Halkbank",
         "Vakıfbank", "Şekerbank", "Denizbank", "Türk Ekonomi Bankası", "Finansbank"]
CITIES = ["İSTANBUL", "İZMİR", "ANKARA", "BURSA", "KONYA", "ESKİŞEHİR", "GAZİANTEP", "ÇORUM",
          "MUĞLA", "DİYARBAKIR", "ŞANLIURFA", "KIRŞEHİR", "UŞAK", "AĞRI", "ÇANAKKALE"]
DISTRICTS = ["KADIKÖY", "ÜSKÜDAR", "ŞİŞLİ", "BEŞİKTAŞ", "KONAK", "ÇANKAYA", "NİLÜFER", "SELÇUKLU",
             "BAĞCILAR", "KARŞIYAKA", "ESENYURT", "TEPEBAŞI", "MERKEZ", "GÜNGÖREN"]


def firm_pool(rng, n, exclude=()):
    pool = [f for f in FIRMS if f not in exclude]
    rng.shuffle(pool)
    return pool[:n]


POSTING_TEXTS = {
    # a customer's account (120): debits are invoices, credits are collections
    ("C", "B"): ["Satış faturası No: {n}", "Fatura {n}, {n2}", "Fiyat farkı faturası {n}",
                 "Vade farkı faturası {n}", "Masraf yansıtma ({month})", "Satış faturası {n}",
                 "Satış faturası \"{month}\"", "Nakliye & hamaliye yansıtma", "Fatura {n}",
                 "Kur farkı faturası {n}", "Satış faturası No: {n}"],
    ("C", "A"): ["Çek tahsilatı - {bank}", "Havale, {bank}", "Tahsilat makbuzu {n}",
                 "Senet tahsili ({n})", "Kredi kartı tahsilatı", "İade faturası {n}",
                 "İskonto faturası \"{month}\"", "Nakit tahsilat", "EFT, {bank}",
                 "Virman: 120.01 -> 320.01", "Havale, {bank}", "Çek tahsilatı - {bank}"],
    # a supplier's account (320): credits are invoices, debits are payments
    ("S", "A"): ["Alış faturası {n}", "Fatura {n}, {n2}", "Fiyat farkı faturası {n}",
                 "Nakliye & hamaliye", "{month} ayı kira bedeli", "Hizmet faturası {n}",
                 "Alış faturası No: {n}", "Kur farkı <düz.> & yuvarlama", "Alış faturası {n}"],
    ("S", "B"): ["Ödeme emri - {bank}", "Verilen çek No: {n}", "Havale, {bank}", "EFT, {bank}",
                 "İade faturası \"{month}\"", "Nakit ödeme", "Mahsup fişi, önceki dönem",
                 "Senet ödemesi ({n})", "Dekont {n} / {bank}", "Ödeme emri - {bank}"],
}


def description(rng, party: str, side: str, d: dt.date) -> str:
    """A posting text of a customer's ("C") or supplier's ("S") account, by its side."""
    n = rng.randint(1000, 99999)
    return rng.choice(POSTING_TEXTS[party, side]).format(
        n=n, n2=n + rng.randint(1, 9), month=MONTHS[d.month - 1], bank=rng.choice(BANKS))


LONG_TEXTS = {
    # a supplier's account: credits are invoices, debits are payments and returns
    "A": ["Mal alış faturası {n} ({city} şb.) nakliye ve sigorta dahil",
          "{month} ayı kira bedeli, stopaj %20 ve damga vergisi dahil",
          "Alış faturası {n}, {n2} ve {n3} toplu fatura; vade farkı ile",
          "Nakliye & hamaliye bedeli, {city} - {city2} arası {n3} kg",
          "Fiyat farkı faturası {n} ({month} ayı sözleşme revizyonu)",
          "Hizmet faturası {n}: \"{month}\" bakım, onarım & yedek parça"],
    "B": ["Çek ödemesi - {bank} {city} şubesi, çek no {n}, vadesi {date}",
          "Havale, {bank} - {firm} ödemesi",
          "İade faturası {n}: hasarlı ürün, irsaliye {n2}",
          "Cari hesap mutabakatı gereği kur farkı düzeltmesi & yuvarlama",
          "Senet ödemesi ({n}) protesto masrafı ve faizi dahil",
          "Ödeme emri - {bank}, {month} ayı faturaları kapatma ({n})"],
}


def long_text(rng, side, d, firm):
    city, city2 = rng.sample(CITIES, 2)
    return rng.choice(LONG_TEXTS[side]).format(
        n=rng.randint(10000, 99999), n2=rng.randint(10000, 99999), n3=rng.randint(100, 9999),
        city=city_title(city), city2=city_title(city2), date=fmt_date(d, "dd.mm.yyyy"),
        month=MONTHS[d.month - 1], bank=rng.choice(BANKS), firm=firm)


def city_title(city: str) -> str:
    first, rest = city[0], city[1:]
    return first + rest.replace("I", "ı").replace("İ", "i").lower()


def amount(rng, lo=1.0, hi=400_000.0) -> int:
    """An amount in kuruş, spread over orders of magnitude; a third of them whole liras."""
    k = int(round(math.exp(rng.uniform(math.log(lo), math.log(hi))) * 100))
    if rng.random() < 0.35:
        k = max(100, k - k % 100)
    return max(k, 1)


def dates(rng, n, year, first_month=1, last_month=12):
    start = dt.date(year, first_month, 1)
    end = (dt.date(year + 1, 1, 1) if last_month == 12 else dt.date(year, last_month + 1, 1))
    days = (end - start).days
    out = sorted(start + dt.timedelta(days=rng.randrange(days)) for _ in range(n))
    return out


def slip_numbers(rng, n, width=6, start=None):
    k = start if start is not None else rng.randint(1, 400)
    out = []
    for _ in range(n):
        out.append(f"{k:0{width}d}")
        k += rng.randint(1, 25)
    return out


def movements(rng, n, year, party="C", big=True, tiny=True, empty=True):
    """Postings of one current account (dicts with date, debit, credit, text): invoices on the
    account's own side, payments that settle part, all or a little more of the balance, so
    that the balance now and then reaches zero or changes side. The specials (0,01, over a
    million, quotes and an ampersand, an empty text) are put at places drawn here."""
    own_side = "B" if party == "C" else "A"
    other = "A" if own_side == "B" else "B"
    ds = dates(rng, n - 1, year)
    ds.insert(0, dt.date(year, 1, 1))
    recs, own = [], 0  # own: the balance on the account's own side
    big_at = rng.randrange(n // 3, n - 2) if big and n >= 6 else -1
    for i, d in enumerate(ds):
        if i == 0:
            side, k, text = own_side, amount(rng, 500, 60_000), "Açılış fişi"
        elif i == big_at:
            side, k = own_side, rng.randint(1_000_000_00, 4_800_000_00)
            text = description(rng, party, side, d)
        elif own > 0 and (rng.random() < 0.45 or i == big_at + 1):
            side = other
            r = rng.random()
            if r < 0.2:
                k = own  # settles the account
            elif r < 0.3:
                k = own + amount(rng, 10, 5_000)  # a little more: the balance changes side
            else:
                k = max(1, int(own * rng.uniform(0.1, 0.9)))
                if k > 100_00:
                    k -= k % 100
            text = description(rng, party, side, d)
        else:
            side = own_side
            k = amount(rng, 1, 5_000) if rng.random() < 0.12 else amount(rng, 50, 150_000)
            text = description(rng, party, side, d)
        recs.append({"date": d, "debit": k if side == "B" else None,
                     "credit": k if side == "A" else None, "text": text})
        own += k if side == own_side else -k
    if n < 6:
        return recs
    free = [i for i in range(2, n) if i not in (big_at, big_at + 1)]
    tiny_at, empty_at, quote_at = rng.sample(free, 3)
    if tiny:
        recs[tiny_at].update({other == "B" and "debit" or "credit": 1,
                              own_side == "B" and "debit" or "credit": None,
                              "text": "Yuvarlama farkı"})
    if empty:
        recs[empty_at]["text"] = ""
    r = recs[quote_at]
    r["text"] = rng.choice([f"Fatura \"{MONTHS[r['date'].month - 1]}\" & nakliye, iade",
                            "Çay, şeker & su \"ofis\"", "Kırtasiye, toner & kağıt"])
    return recs


def running(recs, debit="debit", credit="credit", start=0, key="bal", mark=None):
    bal = start
    for r in recs:
        bal += (r.get(debit) or 0) - (r.get(credit) or 0)
        r[key] = bal
        if mark:
            r[mark] = "B" if bal > 0 else ("A" if bal < 0 else None)
    return bal


def wrap(text, width):
    words, lines, cur = text.split(" "), [], ""
    for w in words:
        if len(w) > width:
            raise ValueError(w)
        if not cur:
            cur = w
        elif len(cur) + 1 + len(w) <= width:
            cur += " " + w
        else:
            lines.append(cur)
            cur = w
    lines.append(cur)
    assert " ".join(lines) == text
    return lines


# --- for the kinds that print groups, several tables and wide lines -------------------------
# More firms, for kinds that need many names; FIRMS stays as the first kinds drew from it.
MORE_FIRMS = [
    "ANADOLU TARIM MAKİNALARI A.Ş.", "BEYAZ KÖŞK OTELCİLİK LTD.ŞTİ.", "CEYLAN AMBALAJ SAN.TİC.",
    "DEMİRTAŞ HIRDAVAT LTD.ŞTİ.", "EFE MOBİLYA İMALAT A.Ş.", "FIRAT ELEKTRONİK TİC.LTD.ŞTİ.",
    "GÖKTÜRK TEKSTİL KONFEKSİYON", "HALİÇ KAĞITÇILIK LTD.ŞTİ.", "IŞIKLAR CAM SANAYİ A.Ş.",
    "KUZEY YAPI DENETİM LTD.ŞTİ.", "LİMAN GIDA PAZARLAMA A.Ş.", "MERCAN SU ÜRÜNLERİ LTD.ŞTİ.",
    "NUR ECZA DEPOSU LTD.ŞTİ.", "OKYANUS DENİZCİLİK A.Ş.", "PINAR ORMAN ÜRÜNLERİ LTD.ŞTİ.",
    "SARAY HALI TİCARET A.Ş.", "TAŞKIN OTO YEDEK PARÇA", "UĞUR BİLGİSAYAR SİSTEMLERİ",
    "VADİ PEYZAJ İNŞAAT LTD.ŞTİ.", "YAZICI MATBAACILIK LTD.ŞTİ.", "ZİRVE MADENCİLİK A.Ş.",
    "Şenol Kırtasiye - Şenol Aydın", "Akın Elektrik - Akın Güler", "Çınar Unlu Mamulleri Ltd.Şti.",
]
FIRST_NAMES = ["Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "Hasan", "İbrahim", "İsmail",
               "Osman", "Yusuf", "Murat", "Ömer", "Ramazan", "Halil", "Süleyman", "Abdullah",
               "Ayşe", "Fatma", "Emine", "Hatice", "Zeynep", "Elif", "Meryem", "Şerife", "Zehra",
               "Sultan", "Hanife", "Merve", "Özlem", "Gülşen", "Çiğdem", "Şükrü", "Ünal",
               "Ertuğrul"]
SURNAMES = ["YILMAZ", "KAYA", "DEMİR", "ŞAHİN", "ÇELİK", "YILDIZ", "YILDIRIM", "ÖZTÜRK", "AYDIN",
            "ÖZDEMİR", "ARSLAN", "DOĞAN", "KILIÇ", "ASLAN", "ÇETİN", "KARA", "KOÇ", "KURT",
            "ÖZKAN", "ŞİMŞEK", "POLAT", "ÖZCAN", "KORKMAZ", "ÇAKIR", "ERDOĞAN", "AKIN", "GÜLER",
            "AĞAOĞLU", "TUNÇ", "ÜNAL", "GÜNDOĞDU", "İNCE"]
# Firms that carry NAKLİYAT in their name, for a column that cuts them right after "NAKLİ".
NAKLI_BRANDS = ["KARTAL", "ÖZ", "YEŞİL", "ASYA", "BİRLİK", "GÜVEN", "ANADOLU", "ÇAĞDAŞ", "ERCİYES",
                "UĞUR", "DOĞUŞ", "SÖNMEZ", "AKYOL", "TOROS", "EGE"]
NAKLI_MIDDLES = ["EVDEN EVE", "ULUSLARARASI", "KARGO VE", "LOJİSTİK", "TAŞIMACILIK VE", "HIZLI",
                 "ÖZEL", "GIDA", "TİC.", "VE", "OTO", "TUR.", "İNŞ."]


def person(rng) -> str:
    return f"{rng.choice(FIRST_NAMES)} {rng.choice(SURNAMES)}"


def nakli_firm(rng, width: int) -> str:
    """A firm named "… NAKLİYAT …" whose first width characters end in "NAKLİ", as a column of
    that width cuts it."""
    want = width - len("NAKLİ")
    for _ in range(2000):
        words = [rng.choice(NAKLI_BRANDS)] + rng.sample(NAKLI_MIDDLES, rng.randint(0, 3))
        prefix = " ".join(words) + " "
        if len(prefix) == want:
            return prefix + "NAKLİYAT" + rng.choice([" LTD.ŞTİ.", " A.Ş.", " TİC.LTD.ŞTİ."])
    raise ValueError(f"no NAKLİYAT name cut at {width}")


def tc_identity(rng) -> str:
    """An 11-digit identity number with valid check digits (invented, never a person's)."""
    d = [rng.randint(1, 9)] + [rng.randint(0, 9) for _ in range(8)]
    d.append(((d[0] + d[2] + d[4] + d[6] + d[8]) * 7 - (d[1] + d[3] + d[5] + d[7])) % 10)
    d.append(sum(d) % 10)
    return "".join(map(str, d))


def tax_number(rng) -> str:
    """A 10-digit tax number with a valid check digit (invented)."""
    d = [rng.randint(0, 9) for _ in range(9)]
    total = 0
    for i, digit in enumerate(d, start=1):
        tmp = (digit + 10 - i) % 10
        v = (tmp * 2 ** (10 - i)) % 9
        total += 9 if tmp and v == 0 else v
    d.append((10 - total % 10) % 10)
    return "".join(map(str, d))


def vat_rates(d: dt.date) -> tuple:
    """The general, reduced and lowest VAT rates in force on a date."""
    return (20, 10, 1) if d >= dt.date(2023, 7, 10) else (18, 8, 1)


def currency(year: int) -> str:
    """The lira's abbreviation in a year: new lira from 2005 to 2008."""
    return "YTL" if 2005 <= year <= 2008 else "TL"


def pct(k: int, rate_permille: int) -> int:
    """rate‰ of k kuruş, rounded half up to the kuruş."""
    return (k * rate_permille + 500) // 1000


# The notations DOS programs printed amounts in: Turkish, with points between thousands
# (most), without grouping, or the English way.
NOTATIONS = [(",", "."), (",", "."), (",", "."), (",", ""), (".", ",")]
