#pragma once
/// What the headings over a clean table's fields name, and what that says of their values.

#include <array>
#include <string_view>

#include "clean/column_typing.h"
#include "clean/line_cutter.h"

namespace tablamo {

class ReportText;
struct TableLayout;

/// What a heading names: a number that tells records apart ("Yev.No", "Fiş No", "Sıra
/// Numarası"), whose whole numbers are no money; a code ("Hesap Kodu"), whose values are no
/// money whatever they read as ("770.01"); a rate ("KDV Oranı", "%") or a sum ("Toplam",
/// "Tutar"), whose whole numbers are figures; nothing, where no heading stands over the field.
enum class Named : unsigned char { Nothing, Other, Number, Code, Rate, Sum };

Named namedBy(std::string_view heading);

/// Whole numbers of a few digits or grouped under a rate's or a sum's heading are figures
/// ("KDV Oranı" 18, 8; "TOPLAM" 267.081, 553.491), not codes: true when `kind` is made one.
bool wholesAsFigures(ColumnDecision& kind, Named named, bool wholes);

/// The side of the ledger an amount's heading names (folded as foldedUpper gives it): the
/// debit ("Borç", "Borç Tutarı") or the credit ("Alacak"); a balance ("Borç Bakiye",
/// "Kalan") is neither.
enum class EntrySide : unsigned char { None, Debit, Credit };

EntrySide entrySide(std::string_view folded);

/// What each field's heading names.
std::array<Named, CutLine::kFields> namedFields(const ReportText& text, const TableLayout& table);

}  // namespace tablamo
