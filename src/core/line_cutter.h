#pragma once
/// Cutting a line into its fields for a clean table: each value without the frame
/// characters, trimmed, with where it stands and what it looks like.

#include <array>
#include <string_view>
#include <vector>

#include "core/column_typing.h"
#include "core/field_layout.h"

namespace tablamo {

/// A line cut into its fields: each value without frame characters and trimmed (raw DOS
/// bytes, views into the line or the cutter's buffer), where it stands, and its facts.
struct CutLine {
    static constexpr int kFields = FieldLayout::kFields;
    std::array<std::string_view, kFields> value;
    std::array<int, kFields> first{}, last{};  ///< within the field, 0-based
    std::array<ValueFacts, kFields> facts;
    bool frameInside = false;  ///< a value held a frame character between its words
};

/// Cuts lines by one layout into a buffer of its own; allocates nothing per line.
class LineCutter {
public:
    explicit LineCutter(const FieldLayout& fields);
    /// From now on the facts of each field are only those its column's kind needs (an
    /// amount column's values are read as amounts, a date column's as dates, others not).
    void readAs(const std::array<ColumnDecision, CutLine::kFields>& kinds);
    /// The line cut, with the facts of its values unless `facts` is false (then they are
    /// left as they were); valid until the next cut. Without facts, `frames` false says a
    /// cut with facts found no frame character inside a value of this line.
    const CutLine& cut(std::string_view line, bool facts = true, bool frames = true);

private:
    FieldLayout m_fields;
    std::vector<char> m_buffer;
    CutLine m_cut;
    int m_filled = 0;  // fields the last cut reached
    std::array<ValueReading, CutLine::kFields> m_reading{};
};

}  // namespace tablamo
