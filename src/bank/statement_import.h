#pragma once
/// The Akbank statement import: a fixed statement layout, lines told apart by their date field.

#include "core/import_outcome.h"

namespace tablamo {

struct Workspace;

/// "Akbank Aç"'s import (Akbank): reads the statement in the report buffer into the grid.
/// Writes the statement widths into ColumnWidths 1 to 9, sets the row count to the line
/// count (at least 2), labels the headers and sets the display widths; then line StartRow
/// becomes the header row at grid row StartColumn, and every following line with text in
/// its date field (positions 5 to 13) takes the next row: an information line ("DÜZENLEYE",
/// "HESAP ŞUB", "IBAN") whole in column 2, the table's heading ("TARİH") as plain fields, a
/// transaction with its packed dates rebuilt as day/month/year and its amounts in the
/// user's decimal notation. Cells it does not write keep their text. The table grows when
/// accepted lines would fall off its end. Shows nothing and rejects no text; a bad setting
/// raises "'%s' is not a valid integer value".
ImportOutcome importStatement(Workspace& ws);

}  // namespace tablamo
