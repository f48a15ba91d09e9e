#pragma once
/// What the places of a table's values show before its columns are typed: the notation its
/// amounts print in, and the fields whose figures all stand in one place (codes).

#include <array>
#include <optional>

#include "clean/line_cutter.h"
#include "clean/table_layout.h"
#include "clean/value_reading.h"
#include "core/calendar.h"

namespace tablamo {

class ReportText;

/// The notation the amounts of lines `from` to `end` show beyond doubt: both a decimal and a
/// grouping separator in one value ("1.192,69"), the one most such values show; without such
/// a value, the Turkish one where decimals after a comma stand beside decimals after a point;
/// else nothing.
std::optional<AmountNotation> shownNotation(const ReportText& text, const TableLayout& table,
                                            int from, int end, YearWindow years);

/// The fields whose values that read as amounts, three at least and not all alike, all stand
/// in one place, some with a fraction: codes where they lead the records.
std::array<bool, CutLine::kFields> fixedPlaces(const ReportText& text, const TableLayout& table,
                                               int from, int end, YearWindow years);

}  // namespace tablamo
