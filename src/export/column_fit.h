#pragma once
/// What a table's columns need of their widths: the longest word and the longest text of
/// each, so that no word is cut on the page or the screen ("MAHSU" for "MAHSUP") and a text
/// too long for its column wraps.

#include <string_view>
#include <vector>

namespace tablamo {

class Grid;

/// One column's widest word (a run without blanks) and widest text as a proportional font
/// draws them (textRoom: "MAHSUP" is wider than "TEDİYE"), with their rooms. Views into the
/// grid (Windows-1254), valid while it is unchanged.
struct ColumnFit {
    std::string_view word;
    std::string_view text;
    double wordRoom = 0;
    double textRoom = 0;
};

/// The fit of grid columns 1 to colCount() - 1 (index 0 for column 1), over the records in
/// rows 1 to `rows` (all of them when `rows` is negative or past the grid's).
std::vector<ColumnFit> columnFits(const Grid& grid, int rows = -1);

/// The characters an amount cell takes shown with its thousands grouped ("1234567,89" as
/// "1.234.567,89": 12): its length and a separator per three whole digits beyond the first.
int groupedLength(std::string_view amount);

/// The room `text` (Windows-1254) takes in a spreadsheet's or the window's proportional font,
/// in widths of a digit: capitals more than a digit ("M" most), small letters and blanks less.
double textRoom(std::string_view text);

/// The lines `text` (Windows-1254) takes wrapped at its blanks in a column `width` digits
/// wide, as a spreadsheet draws it in its default font (`bold`: a heading's): capitals take
/// more room than a digit, small letters and blanks less; a word wider than the column goes
/// on over as many lines as it fills. Errs on the side of one line too many.
int wrappedLines(std::string_view text, double width, bool bold = false);

}  // namespace tablamo
