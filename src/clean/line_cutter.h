#pragma once
/// Cutting a line into its fields for a clean table: each value without the frame
/// characters, trimmed, with where it stands and what it looks like.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "clean/column_typing.h"

namespace tablamo {

/// Where the fields of a clean table's lines lie: the plain import's 20 and, for a rule
/// line of more columns, the further ones. Field 1 starts at 1, each further field where the
/// one before ends; widths and positions are unsigned 16-bit values, as the plain import
/// cuts.
struct FieldSpans {
    static constexpr int kMax = 120;
    int count = 0;
    std::array<std::uint32_t, kMax> from{}, length{};
    bool increasing = true;  ///< once a field starts past a line's end, so do all after it
    /// A character that draws the table's frame besides the box-drawing ones ("|" of a frame
    /// drawn with the printer's own characters); 0: none.
    char bar = 0;
    /// The fields of B/A marks glued to the amounts before them.
    std::array<bool, kMax> marks{};
};

/// The spans of these widths (at most kMax of them).
FieldSpans fieldSpansOf(std::span<const std::int32_t> widths);

/// A line cut into its fields: each value without frame characters and trimmed (raw DOS
/// bytes, views into the line or the cutter's buffer), where it stands, and its facts.
struct CutLine {
    static constexpr int kFields = FieldSpans::kMax;
    /// The fields before this one may hold something; the rest lie past the line's end.
    int count = 0;
    std::array<std::string_view, kFields> value;
    std::array<int, kFields> first{}, last{};  ///< within the field, 0-based
    std::array<ValueFacts, kFields> facts;
    /// After readAs: each amount or date as its column reads it.
    std::array<ReadValue, kFields> read;
    /// The fields it was cut by.
    const FieldSpans* spans = nullptr;
};

/// The kind of every field.
using Kinds = std::array<ColumnDecision, CutLine::kFields>;

/// Whether field `idx` of the cut prints a whole number one blank after a text of the field
/// before, or the rest of its word the column boundary cuts, in a column of amounts with
/// decimals: the text's last word ("Ödeme, dekont 90511" wrapped under its record), no
/// figure of the column.
bool endsText(const CutLine& c, std::size_t idx, const Kinds& kinds);

/// Cuts lines by one layout into a buffer of its own; allocates nothing per line.
class LineCutter {
public:
    /// Cuts by `fields`; a two-digit year falls in `years`.
    LineCutter(const FieldSpans& fields, YearWindow years);
    /// From now on the facts of each field are only those its column's kind needs (an
    /// amount column's values are read as amounts, a date column's as dates, a text
    /// column's not at all; a text column's value may then keep a frame character inside,
    /// which its conversion deletes).
    void readAs(const Kinds& kinds);
    /// The line cut, with the facts of its values; valid until the next cut. An importer
    /// with readings of its own may set the values and readings of fields before `count`.
    CutLine& cut(std::string_view line);

private:
    void read(std::size_t idx, std::string_view value, char*& out);
    void readValue(std::size_t idx, std::string_view value, char*& out);
    void extend(std::size_t idx, std::size_t more, char*& out);

    FieldSpans m_fields;
    YearWindow m_years;
    std::array<unsigned char, 256> m_bits;  // what each byte is to the cutter
    std::vector<char> m_buffer;
    CutLine m_cut;
    int m_filled = 0;  // fields the last cut reached
    std::array<ValueReading, CutLine::kFields> m_reading{};
    Kinds m_columns;
    bool m_typed = false;
};

}  // namespace tablamo
