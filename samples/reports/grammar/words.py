"""Names, codes and texts the families draw from, beside those of the kinds (draw.py)."""

from ..draw import BANKS, CITIES, FIRMS, MORE_FIRMS, person

PARTIES = FIRMS + MORE_FIRMS
REGIONS = ["KARADENİZ", "EGE", "MARMARA", "İÇ ANADOLU", "AKDENİZ", "DOĞU ANADOLU",
           "GÜNEYDOĞU", "TRAKYA"]
DEPARTMENTS = ["ÜRETİM", "İDARİ İŞLER", "SATIŞ", "DEPO", "MUHASEBE", "BAKIM ONARIM",
               "KALİTE KONTROL", "SEVKİYAT"]
ASSET_CLASSES = [
    ("252", "BİNALAR", ["İdari bina", "Depo binası", "Üretim holü", "Sosyal tesis"]),
    ("253", "TESİS, MAKİNE VE CİHAZLAR", ["CNC torna tezgahı", "Kompresör 500 lt",
                                          "Forklift 3 ton", "Jeneratör 150 kVA",
                                          "Paketleme makinesi", "Kaynak makinesi"]),
    ("254", "TAŞITLAR", ["Kamyonet", "Binek otomobil", "Minibüs", "Çekici", "Panelvan"]),
    ("255", "DEMİRBAŞLAR", ["Bilgisayar", "Lazer yazıcı", "Çalışma masası", "Klima 24000 BTU",
                            "Çelik kasa", "Fotokopi makinesi", "Dosya dolabı"]),
    ("260", "HAKLAR", ["Yazılım lisansı", "Marka tescili", "Kira hakkı"]),
    ("264", "ÖZEL MALİYETLER", ["Mağaza dekorasyonu", "Kiralık ofis tadilatı"]),
]
# Stock groups: (code prefix, name, [(item, unit)]); quantities in KG and LT have decimals.
STOCK_GROUPS = [
    ("HRD", "HIRDAVAT", [("SUNTA VİDASI 4X40", "ADET"), ("DÜBEL 8 MM", "ADET"),
                         ("BAĞLANTI CIVATASI M8X30", "ADET"), ("İNŞAAT ÇİVİSİ", "KG")]),
    ("GID", "GIDA", [("TOZ ŞEKER", "KG"), ("AYÇİÇEK YAĞI", "LT"), ("PİRİNÇ BALDO", "KG"),
                     ("UN TİP 550", "KG")]),
    ("KRT", "KIRTASİYE", [("A4 FOTOKOPİ KAĞIDI", "KOLİ"), ("TÜKENMEZ KALEM", "ADET"),
                          ("ZIMBA TELİ NO:10", "KUTU")]),
    ("KMY", "KİMYASAL", [("ÇAMAŞIR SUYU", "LT"), ("SIVI SABUN", "LT"), ("TUZ RUHU", "LT")]),
    ("AMB", "AMBALAJ", [("NAKLİYE KOLİSİ 60X40", "ADET"), ("STREÇ FİLM", "RULO"),
                        ("KOLİ BANDI 45 MM", "ADET")]),
]
EXPENSE_ACCOUNTS = [
    ("770", "GENEL YÖNETİM GİDERLERİ", ["Personel ücretleri", "Kira giderleri", "Elektrik",
                                         "Su", "Doğalgaz", "Telefon ve internet",
                                         "Kırtasiye giderleri", "Temizlik giderleri"]),
    ("760", "PAZARLAMA SATIŞ DAĞITIM GİD.", ["Nakliye giderleri", "Reklam giderleri",
                                              "Akaryakıt", "Yol ve konaklama",
                                              "Numune giderleri"]),
    ("730", "GENEL ÜRETİM GİDERLERİ", ["Bakım onarım", "Amortisman", "Sigorta giderleri",
                                        "İş güvenliği", "Yemek giderleri"]),
]
COST_CENTRES = ["Üretim", "İdari", "Satış", "Ar-Ge", "Depo", "Lojistik"]
BUDGET_TREE = [
    ("ÜRETİM GİDERLERİ", ["Hammadde", "Yardımcı malzeme", "Enerji", "Bakım"],
     ["Elektrik", "Doğalgaz", "Su", "Yedek parça", "Dış hizmet"]),
    ("GENEL YÖNETİM", ["Personel", "Kira", "Haberleşme", "Danışmanlık"],
     ["Ücretler", "SGK primleri", "Yemek", "Servis", "Telefon"]),
    ("SATIŞ PAZARLAMA", ["Reklam", "Nakliye", "Fuar", "Komisyon"],
     ["Basılı reklam", "İnternet reklamı", "Yurt içi", "Yurt dışı"]),
]
RECEIPT_TEXTS = ["Alış faturası", "Satış faturası", "Tahsilat", "Ödeme", "Virman", "Mahsup",
                 "İade faturası", "Hizmet bedeli", "Kira bedeli", "Avans"]


def party(rng) -> str:
    return rng.choice(PARTIES)


def short_person(rng) -> str:
    """ "H. KILIÇ": a salesman as a list prints him."""
    first, last = person(rng).split(" ", 1)
    return f"{first[0]}. {last}"


def bank(rng) -> str:
    return rng.choice(BANKS)


def city(rng) -> str:
    return rng.choice(CITIES)


def slip(rng, width=6) -> str:
    """A document number with its leading zeros: "000123"."""
    return f"{rng.randint(1, 10 ** (width - 1) * 3):0{width}d}"
