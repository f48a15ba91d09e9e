#pragma once
/// The fields a page header prints as "label : value" ("Hesap Kodu : 120.01.0045   Hesap
/// Adı : ÖZTÜRK GIDA"), and the page footers that only number the pages.

#include <cstddef>
#include <string_view>

#include "core/calendar.h"

namespace tablamo {

/// One field of a header line, as views into the line (Windows-1254, trimmed).
struct HeaderField {
    std::string_view label;
    std::string_view value;
};

/// The fields of a converted line, at most `max` of them: each colon whose label (the words
/// before it, back to a run of two blanks or the line's start) begins with a letter ends a
/// label; its value runs to the next field's label or the line's end. A label after another
/// field stands two blanks at least after its value; a value of nothing but dots or
/// underscores (a blank to be filled in by hand) is no field. Returns the count.
std::size_t headerFieldsOf(std::string_view line, HeaderField* out, std::size_t max);

/// The heading of a bracketed remark a group's block prints without a label ("(MAHSUP)"),
/// Windows-1254.
inline constexpr std::string_view kRemarkLabel = "T\xFCr";

/// The heading of the fields a group's bare block line gives ("253 TESİS, MAKİNE VE
/// CİHAZLAR"): "Grup", then "Grup 2", "Grup 3" for the levels under it.
inline constexpr std::string_view kGroupLabel = "Grup";

/// The value without a continuation marker "(devam)" at its end.
std::string_view withoutContinuationMark(std::string_view value);

/// A group's name as its block line prints it: without the marks that set it off on both
/// sides ("** EGE BÖLGESİ **", "<< 253 TESİS >>") and without "(devam)".
std::string_view blockName(std::string_view value);

/// The fields of a group's block line ("Yevmiye No: 12   Tarih: 02.01.2024   Fiş No: 45
/// (MAHSUP)"): those of headerFieldsOf, each value without a continuation marker
/// "(devam)", and a bracketed remark standing apart after a value as a field of its own
/// labelled kRemarkLabel, right after it.
std::size_t groupFieldsOf(std::string_view line, HeaderField* out, std::size_t max);

/// Whether a field only numbers or dates the page ("Sayfa : 3", "Tarih : 25.02.2006"): such
/// fields change between pages without telling the records apart. A two-digit year falls
/// in `years`.
bool numbersOrDatesThePage(const HeaderField& field, YearWindow years);

/// Whether the converted line is no more than a page number: "- 3 -", "Sayfa 2/5",
/// "Sayfa: 2", "Page 4", "2/5".
bool isPageFooter(std::string_view line);

}  // namespace tablamo
