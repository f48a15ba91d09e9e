#pragma once
/// The one stage that says what each line of a table is to the clean table: a record, a line
/// going on with a record's text, a group's block line, a total or carried sum, the headings
/// again, a page's header or footer, a rule or frame, or a line placed nowhere. The shape of
/// the lines under the headings is the evidence: which columns are filled and with what kind
/// of value; the words of a line decide only where its shape leaves it open.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clean/column_typing.h"
#include "clean/header_fields.h"
#include "clean/line_cutter.h"
#include "clean/table_layout.h"
#include "core/calendar.h"

namespace tablamo {

class ReportText;

/// What a report line is to the clean table. Other: none of the rest yet; the writer makes it
/// a line placed nowhere when a record or total follows it on its page, else the page's
/// footer (or the next page's header).
enum class LineRole : std::uint8_t {
    Other,
    Blank,
    Rule,          ///< a rule or a frame's line
    Heading,       ///< the headings again, on a new page
    Record,        ///< a record's first line
    Continuation,  ///< a record's text going on
    Total,         ///< a total, a carried sum, an opening balance
    Block,         ///< a group's block line: "label : value" fields, or words at the edge
    PageHeader,    ///< a page header's line: above the headings, or over them again
};

/// Which fields are keys: a record holds a date or a code in one of them.
using Keys = std::array<bool, CutLine::kFields>;

/// The first character of a line that is neither blank, a frame's nor `bar` (the table's
/// separator; 0: none) (0-based); -1 for none.
int firstMark(std::string_view line, char bar = 0);

/// The line in Windows-1254, in a buffer of the thread's that the next call reuses.
std::string_view winText(std::string_view line);

/// What the role stage reads a table's lines with: the pass's decisions.
struct RoleInputs {
    const Kinds* kinds = nullptr;  ///< of every field
    const Keys* keys = nullptr;    ///< the fields a record holds a date or a code in
    const Keys* usual = nullptr;   ///< the other date or code fields most records fill
    int firstLine = 0;             ///< StartRow: records from here on
    int leftEdge = -1;             ///< where the records begin on the line; -1: unknown
};

/// A block's or a page header's "label : value" fields, as a line prints them (Windows-1254,
/// views valid until the next line's role).
struct LineFields {
    static constexpr std::size_t kMax = 8;
    HeaderField found[kMax];
    std::size_t count = 0;
    bool bare = false;  ///< a block line of words alone ("253 TESİS, MAKİNE VE CİHAZLAR")
    /// A total's: amounts under a total, no words of one (its parts, "SAYIM FAZLASI" under a
    /// store's total, or a figure to compare, "GEÇEN YIL AYNI DÖNEM"): placed, not checked.
    bool part = false;
};

/// Gives every line of a table its role, in report order, by an ordered list of named rules:
/// the first that applies decides. One per thread.
class LineRoles {
public:
    LineRoles(const ReportText& text, const TableLayout& table, const RoleInputs& inputs,
              YearWindow years);

    /// The role of line `i` after a line of role `previous` (`PageHeader`: a page's header,
    /// with nothing but blanks or lines placed nowhere since). A rule that needs the line's
    /// fields cuts it with `cutter` (by the pass's kinds) and leaves the cut in `cut`
    /// (nullptr when none did); a block's or page header's fields go into `fields`.
    LineRole roleOf(int i, LineRole previous, LineCutter& cutter, const CutLine*& cut,
                    LineFields& fields);

    /// The line in Windows-1254 (a frame's "|" a blank), in the stage's buffer, valid until the
    /// next call.
    std::string_view converted(std::string_view line);

    struct Line;  ///< a line as the rules see it

private:
    LineRole blank(Line& l);
    LineRole rule(Line& l);
    LineRole headingsAgain(Line& l);
    LineRole aboveTheBody(Line& l);
    LineRole pageTop(Line& l);
    LineRole record(Line& l);
    LineRole total(Line& l);
    LineRole emptyTotal(Line& l);
    LineRole continuation(Line& l);
    LineRole labelled(Line& l);
    LineRole bareBlock(Line& l);
    LineRole cutRole(Line& l);
    bool labelFirst(std::string_view line);
    bool withoutBars(std::string_view line) const;
    bool atLeftEdge(std::string_view line) const;
    bool headerAhead(int line);

    const ReportText& m_text;
    const TableLayout& m_table;
    RoleInputs m_in;
    LineCutter m_look;
    std::string m_converted;
    std::vector<std::string_view> m_firstHeader;  // its lines of fields
    std::vector<std::string_view> m_firstLines;   // all its lines
    // The record over the lines that go on from it (its cut stays while they are read).
    const CutLine* m_record = nullptr;
};

/// The role of a line that needs no cutting: blank, a rule, the headings again; Other for
/// the rest.
LineRole plainRole(std::string_view line, const TableLayout& table);

/// Whether a page begins at the line: a form feed, or the table line again.
bool startsPage(std::string_view line, const TableLayout& table);

/// The role of a line plainRole leaves Other, cut by the kinds: a record holds a date or a
/// code in one of the key columns and nothing that does not fit its column, whatever its
/// words; a total line prints amounts beside the words of a total and no date or code, or
/// amounts alone right under a rule that sums the lines above or under the headings (a sum
/// carried on), or a key with a total's words under such a rule, or away from records without
/// a `usual` column (a dated opening balance); a continuation fills
/// only text columns right under a record (`previous`: the role of the line before; the
/// table's own rule line under the headings counts as Heading).
LineRole classifyLine(std::string_view line, const CutLine& cut, const Kinds& kinds,
                      const Keys& keys, LineRole previous, const Keys* usual = nullptr);

}  // namespace tablamo
