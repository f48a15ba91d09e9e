#pragma once
/// Where a report's table lies, for the clean import: its columns as the plain import cuts
/// them, the rule or frame line under the headings, and the heading lines.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/line_cutter.h"

namespace tablamo {

class ReportText;
struct ReportLayout;
struct TableLocation;

/// The table of a report.
struct TableLayout {
    static constexpr int kFields = FieldSpans::kMax;

    /// The widths the import cuts with: the settings' 20, then the further columns of a
    /// rule line that has more.
    std::vector<std::int32_t> widths;
    FieldSpans fields;
    /// Within each field (0-based, inclusive): where the field's run of the rule line (or
    /// its framed cell) stands, to tell right-aligned values from left-aligned ones.
    std::array<int, kFields> runFrom{}, runTo{};
    /// The field that LedgerMarks split off the last detected column (the character under
    /// the rule line's last position on); -1 when there is none.
    int splitField = -1;
    /// The fields splitGluedMarks made of the marks glued to an amount.
    std::array<bool, kFields> gluedMarks{};
    bool framed = false;
    bool barsAlone = false;  ///< a frame drawn with bars (or colons) alone, no rule of its own
    int tableLine = -1;      ///< the rule line, or the frame's top line
    int dataStart = 0;       ///< the first line under the headings
    std::vector<int> headingLines;          ///< top to bottom
    std::string tableText;                  ///< the table line, right-trimmed: it repeats per page
    std::vector<std::string> headingTexts;  ///< the heading lines, right-trimmed

    /// Gives the split-off character back to the last detected column: the split held a
    /// part of the values (a trailing minus, the last digit), not B/A marks.
    void mergeSplit();
    /// Splits off the B/A marks glued to the amounts of a column ("29.285,24A") into a column
    /// of their own, for every column whose values among `records` (the records for sure,
    /// by line) nearly all end so; the marks LedgerMarks split off stay as they are. Not for
    /// a table whose columns the records give (they part their marks themselves).
    void splitGluedMarks(const ReportText& text, const std::vector<int>& records);
};

/// The located table as the clean import cuts it: the settings' widths (those the column
/// detections left), and for a line of more columns than the settings hold the further ones
/// it measured; the heading lines over the rule line or inside the frame.
TableLayout tableLayoutOf(const ReportText& text, const TableLocation& table,
                          const ReportLayout& settings);

/// Whether a byte is one a DOS report draws its frames with: code page 437's box-drawing
/// range, 0xB0 to 0xDF.
inline bool isBoxByte(unsigned char b) { return b >= 0xB0 && b <= 0xDF; }

/// Whether a raw line is a rule: only hyphens, equals signs, underscores, stars, plus
/// signs, bars and box-drawing bytes between blanks, at least three of them filling.
bool isRuleLike(std::string_view line);

/// The line without its form feed and trailing blanks, for comparing repeated lines.
std::string_view repeatKey(std::string_view line);

/// Whether a heading word names B/A marks: "B/A", "(B/A)", "B-A", "BA", a lone "B" or "A".
bool marksHeading(std::string_view word);

/// The heading of each field in `kept` (Windows-1254): the words of the heading lines over
/// the field, top line first, joined by one blank. A word that reaches over a column
/// boundary goes to the kept field it covers most (the right one on a tie); one that
/// touches the kept split field goes to it, since that field holds the B/A marks.
std::vector<std::string> fieldHeadings(const ReportText& text, const TableLayout& table,
                                       const std::vector<int>& kept);

}  // namespace tablamo
