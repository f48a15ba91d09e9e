#!/usr/bin/env python3
"""Writes the help file "yardim" (rich text, Windows-1254) from the text below.

    python3 tools/make-yardim.py [OUT]   # OUT defaults to ./yardim at the project root

Lines starting with "# " become bold headings, "* " bulleted lines; text between two
underscores is italic, between two asterisks bold.
"""
import os
import re
import sys

TEXT = """\
# Tablamo nedir?
Tablamo, eski DOS muhasebe programlarının yazıcıya gönderdiği raporları (yevmiye, kebir, *Muavin* ve benzerleri) tabloya çevirir. Bu raporlar ".txt" ya da ".not" uzantılı, DOS Türkçe kod sayfasında (857) yazılmış, sütunları sabit karakter konumlarında duran metin dosyalarıdır. Tablamo raporun sütunlarını kendisi bulur, her satırı en çok 20 alana böler, Türkçe harfleri Windows kod sayfasına çevirir ve sonucu ekrandaki tabloda gösterir. Tabloyu Excel, CSV ya da HTML dosyası olarak kaydedebilirsiniz.

# Hangi dosyaları okur?
* Başlıklarının altında tire (-) karakterlerinden oluşan bir çizgi satırı bulunan raporlar. Çizgi satırında sütunlar birer boşlukla ayrılır; Tablamo en az on tireyi yan yana gördüğü satırı arar.
* Çerçeve içine çizilmiş raporlar: üst çizgisi çift çizgi (═) olan, sütun çizgilerinin bu çizgiyle birleştiği yerde ╤ bulunan raporlar.
* Akbank hesap ekstreleri (sabit genişlikli metin olarak kaydedilmiş hâliyle), "Akbank Aç" düğmesiyle.
Bunlardan hiçbirine benzemeyen bir dosya açıldığında Tablamo "dosya formatı geçerli değil" uyarısını verir ve tablo olduğu gibi kalır.

# Sütunlar nasıl bulunur?
Tablamo önce çizgi satırını (ya da çerçevenin üst çizgisini) bulur. Bu satırdaki ayraçların (boşlukların ya da ╤ işaretlerinin) arasındaki uzaklıklar sütun genişlikleri olur. Muavin raporlarında bakiyenin yanındaki "B" (borç) ve "A" (alacak) harfleri ayrı bir sütuna düşsün diye son sütun bir karakter dar tutulur. Raporun ilk satırı (genellikle firma adı ve sayfa numarası) aktarılmaz; ikinci satırdan başlayarak her rapor satırı tablonun bir satırı olur. İlk aktarılan satır metin olarak kalır; sonraki satırlarda 2. sütundan itibaren sayılardaki nokta ondalık ayırıcıya çevrilir.

# Düğmeler
* *Aç*: bir rapor dosyası seçtirir, dosyayı okur ve tabloya aktarır. Üst şeritte yüklenen dosyanın adı görünür.
* *Akbank Aç*: bir Akbank hesap ekstresini okur. Tarihler gün/ay/yıl biçimine, tutarlar sizin ondalık ayırıcınıza çevrilir; bilgi satırları (düzenleyen, hesap şubesi, IBAN) tek hücrede durur.
* *Excel*: tabloyu Excel çalışma kitabı (.xlsx) olarak kaydeder. Satır numaraları ve sütun harfleri kitaba girmez; tarihler tarih, sayılar sayı, geri kalanı metin olarak yazılır. "Excel'i kayıt sonrası aç" işaretliyse kaydedilen kitap hemen açılır.
* *CSV*: tabloyu virgülle ayrılmış metin dosyası olarak kaydeder. Satır numaraları ve sütun harfleri de yazılır; boşluk, virgül ya da tırnak içeren hücreler tırnak içine alınır. Adın sonunda ".csv" yoksa eklenir.
* *HTML*: tabloyu bir internet sayfası olarak kaydeder; sütun genişlikleri, satır yükseklikleri ve yazı tipi ekrandaki gibidir. Adın sonuna ".html" eklenir.
* *Sıfırla*: tabloyu boşaltır (25 satır, 20 sütun) ve sütun genişliklerini varsayılan değerlerine döndürür.
* *Yardım*: bu açıklamayı gösterir; düğme o sırada "Tablamo" adını alır ve ikinci basışta tabloya döndürür.
* *Kapat*: programı kapatır. Kaydedilmemiş değişiklikler için soru sorulmaz.

# Tabloda çalışmak
Hücrelere tıklayıp yazarak düzeltme yapabilirsiniz. _Enter_ tuşu bir sağdaki hücreye, son sütunda bir alt satırın ilk sütununa geçer; _Tab_ tuşu da hücreler arasında ilerletir. Sütun ve satır kenarlarını sürükleyerek genişliği ve yüksekliği değiştirebilirsiniz; HTML sayfası bu ölçüleri kullanır. Windows Türkçe kod sayfasında bulunmayan bir karakter hücreye yazılamaz; Tablamo bu durumda uyarır ve hücreyi değiştirmez.

# Yazılan dosyalar
* Excel: .xlsx çalışma kitabı, tek sayfa "Tablamo".
* CSV: her tablo satırı bir satır, alanlar virgülle ayrılır, satır sonları CR LF, Windows Türkçe (1254) kod sayfası.
* HTML: tek bir tablo, her hücre kendi genişliği, yüksekliği ve yazı tipiyle; Windows Türkçe kod sayfası.
"""


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            try:
                out.append("\\'%02x" % ch.encode("cp1254")[0])
            except UnicodeEncodeError:
                code = ord(ch)
                out.append("\\u%d?" % (code - 65536 if code > 32767 else code))
    return "".join(out)


def inline(text):
    text = escape(text)
    text = re.sub(r"\*([^*]+)\*", r"{\\b \1}", text)
    return re.sub(r"_([^_]+)_", r"{\\i \1}", text)


def rtf(source):
    parts = [
        "{\\rtf1\\ansi\\ansicpg1254\\deff0",
        "{\\fonttbl{\\f0\\fswiss\\fcharset162 Arial;}}",
        "{\\colortbl ;\\red0\\green102\\blue204;}",
        "{\\*\\generator tools/make-yardim.py;}",
        "\\f0\\fs20",
    ]
    for line in source.splitlines():
        if line.startswith("# "):
            parts.append("{\\b\\fs24 %s}\\par" % escape(line[2:]))
        elif line.startswith("* "):
            parts.append("\\bullet  %s\\par" % inline(line[2:]))
        else:
            parts.append("%s\\par" % inline(line))
    parts.append("}")
    return "\r\n".join(parts) + "\r\n"


if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "yardim")
    with open(out, "wb") as f:
        f.write(rtf(TEXT).encode("ascii"))
