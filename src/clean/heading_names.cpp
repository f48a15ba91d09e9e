#include "clean/heading_names.h"

#include <cctype>
#include <string>
#include <vector>

#include "clean/table_layout.h"
#include "core/dos_text.h"
#include "core/report_text.h"
#include "core/text_rules.h"

namespace tablamo {

Named namedBy(std::string_view heading) {
    if (heading.find_first_not_of(' ') == std::string_view::npos) return Named::Nothing;
    const std::string folded = foldedUpper(heading);
    bool rate = false, sum = false;
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && !std::isalpha(static_cast<unsigned char>(folded[i]))) ++i;
        std::size_t j = i;
        while (j < folded.size() && std::isalpha(static_cast<unsigned char>(folded[j]))) ++j;
        const std::string_view word = std::string_view(folded).substr(i, j - i);
        if (word == "KOD" || word == "KODU") return Named::Code;
        if (word == "NO" || word == "NUMARA" || word == "NUMARASI") return Named::Number;
        if (word == "ORAN" || word == "ORANI") rate = true;
        if (word == "TOPLAM" || word == "TOPLAMI" || word == "TUTAR" || word == "TUTARI")
            sum = true;
        i = j;
    }
    if (rate || folded.find('%') != std::string::npos) return Named::Rate;
    return sum ? Named::Sum : Named::Other;
}

bool wholesAsFigures(ColumnDecision& kind, Named named, bool wholes) {
    if ((named != Named::Rate && named != Named::Sum) || kind.kind != ColumnKind::Code || !wholes)
        return false;
    kind = ColumnDecision();
    kind.kind = ColumnKind::Amount;
    kind.notation = AmountNotation{',', '.'};
    return true;
}

std::array<Named, CutLine::kFields> namedFields(const ReportText& text, const TableLayout& table) {
    std::vector<int> all(CutLine::kFields);
    for (int k = 0; k < CutLine::kFields; ++k) all[static_cast<std::size_t>(k)] = k;
    const std::vector<std::string> heads = fieldHeadings(text, table, all);
    std::array<Named, CutLine::kFields> named{};
    for (std::size_t k = 0; k < heads.size() && k < named.size(); ++k) named[k] = namedBy(heads[k]);
    return named;
}

EntrySide entrySide(std::string_view folded) {
    if (folded.find("BAKIYE") != std::string_view::npos ||
        folded.find("KALAN") != std::string_view::npos)
        return EntrySide::None;
    if (folded.starts_with("BORC")) return EntrySide::Debit;
    if (folded.starts_with("ALACAK")) return EntrySide::Credit;
    return EntrySide::None;
}

}  // namespace tablamo
