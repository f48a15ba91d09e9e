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
Tablamo, eski DOS muhasebe programlarının yazıcıya gönderdiği raporları (yevmiye, kebir, *Muavin*, mizan, kasa defteri ve benzerleri) Excel'de açılan tablolara çevirir. Bu raporlar ".txt" ya da ".not" uzantılı, DOS Türkçe kod sayfasında (857) yazılmış, sütunları sabit karakter konumlarında duran metin dosyalarıdır. Tablamo raporun sütunlarını kendisi bulur, tabloyu ekranda gösterir; tabloyu Excel, CSV ya da HTML dosyası olarak kaydedebilirsiniz.

# En kısa yol
* "Temiz tablo" kutusunu işaretleyin.
* *Aç* ile raporu seçin: ekranda yalnızca raporun kayıtları, her biri bir satırda görünür.
* *Excel* ile kaydedin: tarihler tarih, tutarlar sayı olarak yazılır; kitap yazdırılmaya hazırdır.
Bir ayın raporlarını tek kitapta toplamak için *Birleştir…* düğmesini kullanın (aşağıda "Bir ay adım adım").

# Bir ay adım adım
Ay sonunda ayın raporlarını (muavinler, mizan, yevmiye, kasa defteri…) DOS programından dosyaya yazdırın ve hepsini bir klasöre koyun, örneğin "C:\\Raporlar\\2024-03".
1. "Temiz tablo" kutusunu işaretleyin. Devreden bakiyelerin (DEVİR, DEVREDEN BAKİYE) satır olarak kalmasını istiyorsanız altındaki "Açılışlar" kutusunu da işaretleyin.
2. *Birleştir…* düğmesine basın ve klasördeki raporların hepsini seçin (_Ctrl+A_). Klasörü pencereye bırakmak da olur: Tablamo onun bir klasör olduğunu söyler ve raporlarını birleştirmeyi önerir.
3. Ayın kitabı açılır: aynı biçimdeki raporlar (örneğin Şubat ve Mart muavinleri) bir tabloda alt alta, her başka biçim kendi tablosunda; ilk sütun "Kaynak" her kaydın dosyasını söyler; son tablo "Özet"tir. Bir ileti kutusu tabloları kayıt sayılarıyla ve alınmayan dosyaları nedenleriyle listeler.
4. Tabloları "Tablo:" seçicisinden tek tek inceleyin. "Özet" her raporun yazdığı son toplamı ("Raporun toplamı") kayıtların toplamıyla ("Kayıtların toplamı") yan yana gösterir. Durum çubuğu raporun kaç toplamının kayıtlarla tuttuğunu söyler ("23 denetim tuttu").
5. *Excel* ile kaydedin: önerilen ad klasörün adıdır (klasörün yanında "2024-03.xlsx"). Her tablo bir sayfa, "Özet" son sayfadır. Sayfalar yazdırılmaya hazırdır: üst bilgide firma, raporun başlığı ve dönemi ("01.03.2024 - 31.03.2024"); uzun açıklamalar sütunlarının içinde alt satıra geçer.
6. Aynı adda bir dosya varsa ve bu kitap oraya kaydedilmemişse Tablamo önce sorar; "Hayır" derseniz başka bir ad seçersiniz. Geçen ayın kitabı böylece yanlışlıkla silinmez.
Aynı kitabı dönüştürücü de yazar; her ay aynı işi bir betikle ya da zamanlanmış görevle yapmak için komut satırında: "tablamo-convert --clean --merge 2024-03.xlsx C:\\Raporlar\\2024-03" (açılış bakiyeleri için "--openings" ekleyin). Windows'ta Başlat menüsündeki "Tablamo komut satırı", dönüştürücünün adıyla çalıştığı bir komut penceresi açar ve seçeneklerini gösterir.

# Temiz tablo
"Temiz tablo" işaretliyken *Aç* ve *Akbank Aç* raporun yalnızca kayıtlarını getirir. Sayfa başlıkları, çizgiler, sayfa altları ve toplam satırları alınmaz; iki satıra bölünmüş açıklamalar birleştirilir; sayfadan sayfaya değişen alanlar (örneğin hesap kodu ve hesap adı) baştaki sütunlara taşınır. İlk satırda sütun başlıkları durur. Tarihler tarih, tutarlar sayı olur; hesap ve fiş numaraları baştaki sıfırlarıyla metin olarak kalır. Ekranda tutarlar sağa yaslı ve binlik ayırıcılı, tarihler bölgenizin kısa tarih biçiminde görünür; kaydedilen dosyada değerler değişmez.
Raporun kendi yazdığı toplamlar kayıtlardan yeniden toplanır; tutmayan bir toplam, satırı ve iki tutarla birlikte bir uyarı kutusunda bildirilir. Kayıtları ayırt edilemeyen bir rapor düz tablo olarak aktarılır.
*İşaretli bakiye* (yalnız "Temiz tablo" ile): B/A işaretli bakiyeyi bir kez daha, B artı, A eksi olarak toplanabilir bir sayı sütunu hâlinde ekler.
*Açılışlar* (yalnız "Temiz tablo" ile; ilk kurulumda işaretsiz): hesapların açılış bakiyelerini (DEVİR, DEVREDEN BAKİYE) "Satır Türü" sütununda işaretli satırlar olarak tutar; böylece bir hesabın satırlarının toplamı raporun hesap toplamını verir.
Bu seçimler programı kapatıp açtığınızda da geçerli kalır. Durum çubuğu temiz tabloya baktığınızı, kaç kayıt olduğunu ve raporun yazdığı toplamlardan kaçının kayıtlarla tuttuğunu söyler ("41 denetim tuttu"). Bir raporu düz tablo olarak açtığınızda temiz tablo onu okuyabiliyorsa durum çubuğu bunu da söyler ("Temiz tablo: 148 kayıt — işaretleyin"). Rapor açıkken kutuyu işaretlemek ya da kaldırmak raporu öbür biçimde yeniden aktarır; tabloda düzelttiğiniz hücreler varsa önce sorulur.

# Yazdırmaya hazır Excel kitabı
Temiz tablonun Excel kitabında başlıklar kalın ve donmuş bölmede durur, sütunlar süzgeçlidir. Kitap A4 kâğıda yazdırılmak üzere hazırlanır: tablo dik sayfaya sığmıyorsa sayfa yatay çevrilir, tablo sayfa genişliğine sığdırılır, başlık satırı her sayfanın üstünde yinelenir, sayfa üst bilgisinde raporun firması, başlığı ve başlığın altında dönemi ("01.01.2024 - 31.03.2024"), alt bilgide "Sayfa 1 / 5" gibi sayfa numarası yazar. Sütunlar en uzun sözcüklerine yetecek genişliktedir ("MAHSUP" "MAHSU" olarak kesilmez); sütununa sığmayan uzun açıklamalar hücrenin içinde alt satıra geçer ve satır o kadar yükselir. Ekranda da temiz tablonun sütunları en uzun yazılarına göre açılır.

# Sütunlar sekmesi
"Sütunlar" sekmesi raporu dosyadaki hâliyle, üstünde bir cetvelle gösterir. Sütun sınırları kırmızı çizgilerdir; bulundukları çizgi ya da çerçeve satırı işaretlidir.
* Bir çizgiyi sürükleyerek sınırı taşıyın; çift tıklayarak yeni bir sınır koyun; çizgiyi metnin dışına sürükleyerek ya da sağ tık menüsündeki "Sınırı kaldır" ile kaldırın. Tablo yeni genişliklerle hemen yeniden aktarılır.
* *Otomatik*: rapordaki çizgiden bulunan sütunlara geri döner.
* "Son sütunda B/A işareti var": muavinlerin bakiye yanındaki B (borç) ve A (alacak) harfleri ayrı bir sütuna düşsün diye son sütunu bir karakter dar tutar.

# Düzenler
*Düzeni kaydet…* sütun genişliklerini ve "Temiz tablo" seçimini bir düzen dosyası olarak kaydeder. Başlık satırı kayıtlı bir düzene uyan bir rapor açıldığında o düzen kendiliğinden uygulanır; durum çubuğu "Düzen: … uygulandı" der. *Otomatik* o rapor için düzeni bırakır. *Düzen yükle…* bir düzeni elle uygular. Aynı programın her ay aynı başlıklarla yazdığı raporlar böylece bir kez ayarlanır.

# Sürükle bırak, geri al, son raporlar
* Dosya yöneticisinden pencereye bırakılan bir rapor *Aç* ile seçilmiş gibi açılır. Birden çok rapor birlikte bırakılırsa *Birleştir…* ile seçilmiş gibi tek tabloda birleştirilir.
* _Ctrl+Z_ hücre düzeltmelerini ve "Sütunlar" sekmesindeki sınır değişikliklerini sırasıyla geri alır, _Ctrl+Y_ yineler.
* *Son Raporlar*: son açılan on raporu listeler; birine tıklamak onu yeniden açar. "Listeyi temizle" listeyi boşaltır.

# Raporları birleştirmek
*Birleştir…* birden çok rapor seçtirir (ya da pencereye bırakılan bir klasörün raporlarını alır) ve onlardan ayın kitabını yapar; dönüştürücünün "--merge" ile yazdığı kitabın aynısıdır. Başlıkları aynı olan raporların kayıtları bir tabloda alt alta gelir; ilk sütun "Kaynak" her kaydın hangi dosyadan geldiğini söyler. Başka biçimdeki her rapor kendi tablosunu alır; Akbank ekstreleri kendi satırlarından tanınır. Her raporun toplamları ayrı ayrı denetlenir. Okunamayan ya da rapor olmayan dosyalar kitaba alınmaz; hangileri olduğu ve nedenleri bir ileti kutusunda listelenir.
Son tablo "Özet" her raporu sayfası, durumu, raporun yazdığı son toplam ile kayıtlarının toplamı, kayıt sayısı, denetlenen toplamları, uyarıları ve yerleştirilemeyen satırlarıyla listeler; okunamayan ya da rapor olmayan dosyalar da nedenleriyle orada yer alır, hiçbiri sessizce atlanmaz. "Özet"in yazıları sütunlarında alt satıra geçer ve yatay sayfaya okunaklı sığar.
*Excel* bütün tabloları tek kitapta, her tablo bir sayfa olmak üzere kaydeder; *CSV* ve *HTML* her tablo için ayrı bir dosya yazar. Komut satırında aynı kitap: "tablamo-convert --clean --merge ay.xlsx raporlar/". "--sheet-per "Hesap Kodu"" çok hesaplı bir muavinde her hesabı kendi toplamıyla ayrı bir sayfaya koyar.

# Mutabakat: defter ile ekstreyi karşılaştırmak
*Mutabakat…* bir hesabı iki tarafın dökümünden karşılaştırır: önce kendi defterimizi (102 banka muavini, 120 ya da 320 cari muavini), sonra karşı tarafın ekstresini (Akbank ekstresi ya da başka bir bankanın, müşterinin veya satıcının dökümü) seçtirir. İki dosya da temiz tablonun okuduğu gibi okunur; Akbank ekstresi kendi satırlarından tanınır.
Bir banka mutabakatı adım adım:
1. *Mutabakat…* düğmesine basın; ilk pencerede ayın banka muavinini (ör. "102-mart.txt"), ikincisinde bankanın ekstresini seçin.
2. Tablamo kayıtları eşleştirir: aynı yönde aynı tutar, tarihleri en çok 5 gün arayla ("tam": aynı gün, "tarih farkı": günler farklı). Aynı tutar birden çok kez geçiyorsa tarih ve iki açıklamada da geçen belge ya da çek numarası hangisinin hangisi olduğunu söyler. Bankanın böldüğü bir ödeme, bir günün POS slipleri, birkaç banka satırına karşılık tek kayıt "toplu" eşleşir: tutarların toplamı kuruşu kuruşuna tutmalı, tarihler yakın olmalıdır. Bir kayıt iki kayıtla birden eşleşmez.
3. Sonuç "Tablo:" seçicisinde dört tablodur: "Mutabakat" (defter bakiyesi, eşleşmeyen kayıtların nedenlerine göre toplamları, düzeltilmiş defter bakiyesi, ekstre bakiyesi, varsa açılış bakiyeleri farkı ve en sonda "Fark"), "Eşleşenler", "Yalnız Defterde" ve "Yalnız Ekstrede". Eşleşmeyen her kaydın "Olası Neden" sütununda bir tahmin bulunur: banka masrafı, BSMV, faiz (yalnız ekstrede), yoldaki çek, yoldaki para (yalnız defterde), mükerrer kayıt?, ya da tutarı karşı taraftaki aynı tarihli ve aynı belge numaralı kayıttan farklıysa "tutar farkı" (basamaklar yer değiştirmişse bu da söylenir).
4. "Fark" 0 ise iki taraf mutabıktır. Sıfır değilse, ya bir tarafın basılı son bakiyesi kendi kayıtlarından çıkmıyordur (ileti kutusu bunu söyler) ya da bir satır kaybolmuştur. Defter birden çok hesabın muavinini taşıyorsa kayıtları ekstreyle en çok eşleşen hesap alınır ve ileti kutusu hangisinin alındığını söyler; hiçbiri ya da birden çoğu aynı ölçüde eşleşiyorsa mutabakat yapılmaz: defteri yalnız ekstrenin hesabı için yazdırın. İki pencerede aynı dosya seçilirse de mutabakat yapılmaz.
5. *Excel* dört tabloyu tek bir kitapta kaydeder; dönüştürücü de aynı kitabı yazar: "tablamo-convert --reconcile defter.txt ekstre.txt -o mutabakat.xlsx" ("--days N" gün aralığını, "--mirror" ya da "--same-side" ekstrenin yönünü belirler; yön belirtilmezse verilerden bulunur). Basılı sayfanın üst bilgisinde firmamız, hesap ve bakiyemizin tarihi yer alır. Fark 0 değilse çıkış kodu 1'dir; sıra ters verilmişse (önce banka ekstresi) 2'dir.

# Hangi dosyaları okur?
* Başlıklarının altında tire (-) karakterlerinden oluşan bir çizgi satırı bulunan raporlar. Çizgi satırında sütunlar birer boşlukla ayrılır; Tablamo en az on tireyi yan yana gördüğü satırı arar.
* Çerçeve içine çizilmiş raporlar: üst çizgisi çift çizgi (═) olan, sütun çizgilerinin bu çizgiyle birleştiği yerde ╤ bulunan raporlar.
* Akbank hesap ekstreleri (sabit genişlikli metin olarak kaydedilmiş hâliyle), "Akbank Aç" düğmesiyle.
* UTF-8 olarak kaydedilmiş raporlar da okunur; durum çubuğu bunu söyler.
Bunlardan hiçbirine benzemeyen bir dosya açıldığında Tablamo "dosya formatı geçerli değil" uyarısını verir ve tablo olduğu gibi kalır. Dosyanın ne olduğu ilk baytlarından anlaşılıyorsa (PDF, Excel kitabı, zip arşivi, resim, UTF-16 olarak kaydedilmiş metin) uyarı bunu ve ne yapılacağını da söyler: raporu DOS programından dosyaya yazdırın. Böyle bir dosya "Son Raporlar" listesine girmez. Pencereye bir klasör bırakılırsa Tablamo onun bir klasör olduğunu söyler ve içindeki raporları *Birleştir…* ile birleştirmeyi önerir.

# Düz tablo: sütunlar nasıl bulunur?
"Temiz tablo" işaretli değilken Tablamo raporu olduğu gibi tabloya döker. Önce çizgi satırını (ya da çerçevenin üst çizgisini) bulur; bu satırdaki ayraçların (boşlukların ya da ╤ işaretlerinin) arasındaki uzaklıklar sütun genişlikleri olur. Raporun ilk satırı (genellikle firma adı ve sayfa numarası) aktarılmaz; ikinci satırdan başlayarak her rapor satırı tablonun bir satırı olur, en çok 20 sütunla. İlk aktarılan satır metin olarak kalır; sonraki satırlarda 2. sütundan itibaren sayılardaki nokta ondalık ayırıcıya çevrilir. Bu yüzden 1.500,00 gibi bir tutar düz tabloda "1,500,00" olur ve hesap tablosunda metin kalır; toplamak için "Temiz tablo"yu kullanın.

# Düğmeler
* *Aç*: bir rapor dosyası seçtirir, dosyayı okur ve tabloya aktarır. Üst şeritte yüklenen dosyanın adı görünür.
* *Akbank Aç*: bir Akbank hesap ekstresini okur. Tarihler gün/ay/yıl biçimine, tutarlar sizin ondalık ayırıcınıza çevrilir; bilgi satırları (düzenleyen, hesap şubesi, IBAN) tek hücrede durur.
* *Excel*: tabloyu Excel çalışma kitabı (.xlsx) olarak kaydeder. Satır numaraları ve sütun harfleri kitaba girmez; tarihler tarih, sayılar sayı, geri kalanı metin olarak yazılır. "Excel'i kayıt sonrası aç" işaretliyse kaydedilen kitap hemen açılır.
* Kaydetmek: *Excel*, *CSV* ve *HTML* açılan raporun adını kendi uzantılarıyla önerir (tablo bir kez kaydedildiyse kaydedildiği dosyayı). Seçilen adda bir dosya zaten varsa ve bu tablo oraya kaydedilmemişse önce sorulur; "Hayır" derseniz kayıt penceresi yeniden açılır. Hiçbir dosya sessizce değiştirilmez.
* *CSV*: tabloyu virgülle ayrılmış metin dosyası olarak kaydeder. Düz tabloda satır numaraları ve sütun harfleri de yazılır; boşluk, virgül ya da tırnak içeren hücreler tırnak içine alınır. Adın sonunda ".csv" yoksa eklenir.
* *HTML*: tabloyu bir internet sayfası olarak kaydeder; sütun genişlikleri, satır yükseklikleri ve yazı tipi ekrandaki gibidir. Adın sonuna ".html" eklenir.
* *Sıfırla*: tabloyu boşaltır (25 satır, 20 sütun) ve sütun genişliklerini varsayılan değerlerine döndürür.
* *Yardım*: bu açıklamayı gösterir; düğme o sırada "Tablamo" adını alır ve ikinci basışta tabloya döndürür.
* *Kapat*: programı kapatır. Kaydedilmemiş değişiklikler için soru sorulmaz.

# Tabloda çalışmak
Hücrelere tıklayıp yazarak düzeltme yapabilirsiniz. _Enter_ tuşu bir sağdaki hücreye, son sütunda bir alt satırın ilk sütununa geçer; _Tab_ tuşu da hücreler arasında ilerletir. Sütun ve satır kenarlarını sürükleyerek genişliği ve yüksekliği değiştirebilirsiniz; HTML sayfası bu ölçüleri kullanır. Windows Türkçe kod sayfasında bulunmayan bir karakter hücreye yazılamaz; Tablamo bu durumda uyarır ve hücreyi değiştirmez.

# Yazılan dosyalar
* Excel: .xlsx çalışma kitabı, tek sayfa "Tablamo"; temiz tablonun kitabı yazdırılmaya hazırdır.
* CSV: her tablo satırı bir satır, satır sonları CR LF, Windows Türkçe (1254) kod sayfası. Düz tabloda alanlar virgülle, temiz tabloda ondalık ayırıcınız virgülse noktalı virgülle ayrılır.
* HTML: tek bir tablo, her hücre kendi genişliği, yüksekliği ve yazı tipiyle; Windows Türkçe kod sayfası.
* Birleştirilen raporlar: tek bir Excel kitabı, her rapor biçimi bir sayfa ve son sayfa "Özet"; CSV ya da HTML seçilirse her sayfa için ayrı bir dosya.
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
