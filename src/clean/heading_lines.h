#pragma once
/// How the lines over a table's records read as its headings: the words and texts of a line,
/// whether one line stands flush over another, over the table's columns, or is its title.
/// Only the table layout's files see them.

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace tablamo {

struct TableLayout;

namespace heading_lines {

using Spans = std::vector<std::pair<std::size_t, std::size_t>>;

/// The words of a line: where each starts and ends (0-based, the end exclusive).
Spans wordsOf(std::string_view line);

/// The texts of a line: its words, those one blank apart taken together ("ÖNCEKİ YILLAR").
Spans textsOf(const Spans& words);

/// Whether the words of `upper` stand flush over those of `lower` (each starts or ends where
/// one under it does, stands centred within it, or stands over none, and one is flush); a
/// text of words one blank apart may stand so as a whole over the words or texts below.
bool flushOver(std::string_view upper, std::string_view lower);

/// Whether the words of `upper` stand over the table's columns as headings do: each within
/// one column, and over two columns or more.
bool standsOverColumns(std::string_view upper, const TableLayout& t);

/// Whether a line over the headings (`headings`: one of them) is the table's title.
bool titleOver(std::string_view upper, const TableLayout& t, std::string_view headings);

}  // namespace heading_lines
}  // namespace tablamo
