// What the totals check says (totals_check.h): its warnings and its note, in Turkish, UTF-8.

#include "clean/totals_check.h"
#include "core/encoding.h"

namespace tablamo {

namespace {

constexpr std::size_t kUnplacedNamed = 50;

}  // namespace

std::vector<std::string> totalsWarnings(const TotalsVerdict& verdict) {
    std::vector<std::string> lines;
    for (const TotalMismatch& m : verdict.mismatches) {
        const std::string head = "uyarı: satır " + std::to_string(m.line);
        const std::string label = win1254ToUtf8(m.label), heading = win1254ToUtf8(m.heading);
        const std::string printed = win1254ToUtf8(m.printed);
        const std::string computed = win1254ToUtf8(m.computed);
        switch (m.kind) {
            case TotalMismatch::Kind::Total:
                lines.push_back(head + " \"" + label + "\", " + heading + ": raporda " + printed +
                                ", kayıtlardan " + computed);
                break;
            case TotalMismatch::Kind::Balance:
                lines.push_back(head + ", " + heading + ": raporda " + printed +
                                ", önceki bakiyeden " + computed);
                break;
            case TotalMismatch::Kind::Parent:
                lines.push_back(head + " \"" + label + "\", " + heading + ": raporda " + printed +
                                ", alt hesaplardan " + computed);
                break;
            case TotalMismatch::Kind::Level:
                lines.push_back(head + " \"" + label + "\": alt hesabı " + heading +
                                " raporda yok");
                break;
            case TotalMismatch::Kind::Voucher:
                lines.push_back(head + ", fiş dengesiz: " + heading + " " + printed + ", " + label +
                                " " + computed);
                break;
            case TotalMismatch::Kind::Relation:
                lines.push_back(head + ", " + heading + ": raporda " + printed + ", " + label +
                                " = " + computed + " (diğer satırlarda tutuyor)");
                break;
        }
    }
    return lines;
}

std::string totalsNote(const TotalsVerdict& verdict) {
    std::string note;
    if (verdict.allAgree())
        note = std::to_string(verdict.checked) + " toplam satırı kayıtlarla tutuyor";
    if (verdict.unchecked > 0) {
        if (!note.empty()) note += "; ";
        note += std::to_string(verdict.unchecked) + " toplam denetlenemedi";
    }
    return note;
}

std::string unplacedNote(const std::vector<std::int32_t>& lines) {
    if (lines.empty()) return {};
    std::string note = std::to_string(lines.size()) + " satır tabloya alınmadı: ";
    for (std::size_t i = 0; i < lines.size() && i < kUnplacedNamed; ++i)
        note += (i ? ", " : "") + std::to_string(lines[i]);
    if (lines.size() > kUnplacedNamed) note += ", …";
    return note;
}

ImportOutcome checkedOutcome(CleanShape& shape, TotalsCheck& check) {
    check.finish();
    shape.totals = check.verdict();
    ImportOutcome outcome;
    outcome.warnings = totalsWarnings(shape.totals);
    for (const std::string& part : {totalsNote(shape.totals), unplacedNote(shape.unplacedLines)}) {
        if (part.empty()) continue;
        if (!outcome.note.empty()) outcome.note += "; ";
        outcome.note += part;
    }
    return outcome;
}

}  // namespace tablamo
