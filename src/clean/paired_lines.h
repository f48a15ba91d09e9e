#pragma once
/// Records printed over two lines: a payroll's employee with gross pay and insurance on the
/// first line, taxes and net pay on the line under it, headed by a second heading line whose
/// words stand over the second lines' figures, not over the first's columns.

#include <optional>

#include "core/report_text.h"

namespace tablamo {

/// The report with each record's second line joined to its first, right of the widest first
/// line, and left blank where it stood; the second heading line moved as far right, the rule
/// under the headings drawn on over the joined figures. Every line keeps its number, so what
/// the clean table says of a line is said of the report's own. Nothing for a report whose
/// records take one line each: a line of figures alone under most lines of words and
/// figures, its first figure standing left of every figure of the line above (under a name,
/// not under an amount), tells records of two lines.
std::optional<ReportText> joinedRecordLines(const ReportText& text);

}  // namespace tablamo
