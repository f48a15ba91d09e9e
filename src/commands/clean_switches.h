#pragma once
/// The switches of the clean table that both front ends offer, declared once: the window's
/// check boxes, which it remembers between starts, and the converter's options. Each binds
/// the option's name, which is also the window's settings key, the check box's label and
/// the option's help, so the two cannot drift apart.

#include <iterator>

namespace tablamo {

/// A switch of the clean table; the order of kCleanSwitches.
enum class CleanSwitch { CleanTable, SignedBalance, Openings };

/// One switch.
struct CleanSwitchDecl {
    CleanSwitch which;
    const char* option;  ///< the converter's "--clean"; without its hyphens the settings key
    const char* label;   ///< the window's check box (UTF-8)
    const char* help;    ///< the option's help, English
    const char* helpTr;  ///< the option's help, Turkish
};

/// Every switch, in the order of CleanSwitch.
inline constexpr CleanSwitchDecl kCleanSwitches[] = {
    {CleanSwitch::CleanTable, "--clean", "Temiz tablo",
     "the clean table: only the records, typed, headings in the first row;\n"
     "the report's printed totals are checked against them",
     "temiz tablo: yalnızca kayıtlar, türleriyle, başlıklar ilk satırda;\n"
     "raporun yazdığı toplamlar kayıtlarla denetlenir"},
    {CleanSwitch::SignedBalance, "--signed-balance", "İşaretli bakiye",
     "with --clean: after each B/A mark column, the balance once more as one\n"
     "signed number (B positive, A negative)",
     "--clean ile: her B/A işareti sütunundan sonra bakiye bir kez daha,\n"
     "işaretli tek bir sayı olarak (B artı, A eksi)"},
    {CleanSwitch::Openings, "--openings", "Açılışlar",
     "with --clean: opening balances (DEVİR, DEVREDEN BAKİYE) kept as rows,\n"
     "marked in a column \"Satır Türü\", so that the sums by account give the\n"
     "account's printed total",
     "--clean ile: açılış bakiyeleri (DEVİR, DEVREDEN BAKİYE) \"Satır Türü\"\n"
     "sütununda işaretli satırlar olarak kalır; hesaba göre toplamlar hesabın\n"
     "yazılı toplamını verir"},
};

static_assert([] {
    for (int i = 0; i < static_cast<int>(std::size(kCleanSwitches)); ++i) {
        if (static_cast<int>(kCleanSwitches[i].which) != i) return false;
    }
    return true;
}());

/// The declaration of `which`.
constexpr const CleanSwitchDecl& cleanSwitch(CleanSwitch which) {
    return kCleanSwitches[static_cast<int>(which)];
}

/// The window's settings key of `which`: its option without the hyphens ("clean").
constexpr const char* settingsKey(CleanSwitch which) { return cleanSwitch(which).option + 2; }

}  // namespace tablamo
