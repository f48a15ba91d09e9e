#pragma once
/// What the words of a total line say: that it prints a total or a carried sum at all, what
/// it sums (a page, what came before, everything, a group), the count it prints, and the
/// other words, which may name a value of the records it covers ("TOPLAM USD").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// Whether a line's words name a total or carried sum: a word TOPLAM (Toplamı, Sayfa
/// Toplamı), YEKÜN, DEVİR (Devri, Devreden), NAKLİ, NAKİL, ÖNCEKİ or SONRAKİ, with `balance`
/// also BAKİYE (Dönem Sonu Bakiye), in any case ("Nakliyat" names none).
bool isTotalLabel(std::string_view win1254, bool balance = true);

/// Whether a line's words hold a total's own word whole ("TOPLAM", "YEKÜNÜ"), not one that
/// only begins so ("TOPLAMA MAKİNESİ").
bool namesATotal(std::string_view win1254);

/// What a total's words say it sums.
enum class TotalClass : std::uint8_t {
    Plain,    ///< TOPLAM alone, a class's total ("DÖNEN VARLIKLAR TOPLAMI")
    Page,     ///< SAYFA TOPLAMI
    Forward,  ///< a sum carried to the next page: NAKLİ YEKÜN, Sonraki Sayfaya Devir
    Back,     ///< a sum carried from before: DEVİR, DEVREDEN BAKİYE, ÖNCEKİ SAYFADAN NAKİL
    Grand,    ///< GENEL TOPLAM, DÖNEM TOPLAMI, RAPOR TOPLAMI
    Group,    ///< a group's: HESAP, CARİ, FİŞ, GÜN, GRUP, ARA, STOK … TOPLAMI
};

/// A total line's words, read.
struct TotalLabel {
    TotalClass kind = TotalClass::Plain;
    /// The words that say what kind of total it is, folded and in their stem ("SAYFA
    /// TOPLAM", "GUN TOPLAM", "TOPLAM" for "DÖNEN VARLIKLAR TOPLAMI"): totals of one key are
    /// the same kind of total.
    std::string key;
    /// The key with the shape of each number or code among its other words ("TOPLAM #1"
    /// for "1 DÖNEN VARLIKLAR TOPLAMI", "GUN TOPLAM #D" for a day's): totals of one
    /// family are printed alike, at one level of the report ("OCAK AYI TOPLAMI" and "ŞUBAT
    /// AYI TOPLAMI" are, a class's and its groups' totals are not).
    std::string family;
    /// The number of records it says it covers: "(39 adet)", "12 kayıt".
    std::optional<std::int64_t> count;
    /// Its other words, folded ("TL", "01.03.2019", "DONEN"): a value they name may be what
    /// the total covers.
    std::vector<std::string> words;
};

/// Reads a total line's label (Windows-1254).
TotalLabel readTotalLabel(std::string_view win1254);

}  // namespace tablamo
