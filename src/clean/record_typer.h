#pragma once
/// The record writer's first step (record_writer.h): typing records with their continuation
/// lines, total lines, page starts and header fields into a chunk, on any thread.

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "clean/account_tree.h"
#include "clean/column_typing.h"
#include "clean/line_cutter.h"
#include "clean/record_chunk.h"
#include "core/regional_settings.h"

namespace tablamo {

/// A column of the clean table: a page-header field carried into every record (by its
/// label), or a field of the lines.
struct OutColumn {
    std::string label;  ///< carried: the field's label as printed (Windows-1254)
    int field = -1;     ///< else the field it is cut from
    ColumnDecision kind;
    bool group = false;  ///< carried: a field of a group's block, not of a page header
    /// The field of the B/A marks that sign the amount of `field` in this column (B
    /// positive, A negative); -1: the amount as printed.
    int signedBy = -1;
    friend bool operator==(const OutColumn&, const OutColumn&) = default;
};

/// How records are written.
struct RecordPlan {
    Kinds kinds;  ///< of every field: what a total line's label leaves out
    std::vector<OutColumn> columns;
    std::vector<int> summed;  ///< the amount fields, in the totals check's order
    /// Per summed field, the field of the B/A marks printed right after it (its own: a
    /// balance confirmation marks ours, theirs and the difference each); -1: none.
    std::vector<int> summedMarks;
    int marks = -1;    ///< the field of the B/A marks
    int levels = -1;   ///< the field of account codes of several levels
    CodeLevels codes;  ///< how they nest
    int topDepth = 0;  ///< the depth of a top-level account's code
    /// A group's opening balances written as rows, and every row's kind in a last column
    /// ("Satır Türü": kRecordRow or kOpeningRow).
    bool openings = false;
    /// The column of the groups' notes (a voucher's explanation printed under its entries);
    /// -1: none.
    int notes = -1;
};

/// The kinds of row a table with openings marks (Windows-1254).
inline constexpr std::string_view kRowKindHeading = "Sat\xfdr T\xfcr\xfc";
inline constexpr std::string_view kRecordRow = "Kay\xfdt";
inline constexpr std::string_view kOpeningRow = "A\xe7\xfdl\xfd\xfe";
/// The heading of the groups' notes (Windows-1254).
inline constexpr std::string_view kNoteHeading = "Fi\xfe A\xe7\xfdklamas\xfd";

/// The amount at the end of an amount column's value that a total's label runs into ("r
/// 80.166,93": the label's last letter, blanks, the amount); empty when there is none.
std::string_view overflowAmount(std::string_view value);

/// The digits at the end of the field before amount field `idx` that begin the amount (a
/// total's figure wider than its records' runs on into a text filled to its end, or, given
/// where each field's records end (`runTo`), into an amount's field after that one's own
/// figure standing there); empty when there are none.
std::string_view figureHead(const CutLine& cut, std::size_t idx, const Kinds& kinds,
                            const int* runTo = nullptr);

/// The words of a cut line outside its amount and B/A columns, converted and joined by
/// blanks (a label's end run into an amount column joined to it): the label of a total line.
std::string labelOf(const CutLine& cut, const Kinds& kinds, const int* runTo = nullptr);

/// Types the lines of a chunk, one chunk at a time; one per thread.
class RecordTyper {
public:
    using Runs = std::array<int, CutLine::kFields>;
    /// Types by `plan`; `runFrom` and `runTo`: where each field's rule run (or framed cell)
    /// lies within it, 0-based and inclusive. Without `writing` it only follows where the
    /// continuation lines go on (for wrapped()) and puts nothing into the chunks.
    RecordTyper(const RecordPlan& plan, const Runs& runFrom, const Runs& runTo,
                const RegionalSettings& regional, bool writing);

    /// A record line; the record before it is typed into `out` first. `cut` must stay
    /// valid until the record is typed (up to the next record or endRecord()).
    void record(int line, const CutLine& cut, Chunk& out) {
        endRecord(out);
        if (m_wrapped) {
            m_below.reset();
            m_wrapped = false;
        }
        m_pending = &cut;
        m_pendingLine = line;
    }
    /// A continuation line of the record: its texts go on in the record's text columns
    /// (joined with one blank, or with none where the column cuts words and the line above
    /// was full). Calls wrapped(field, above) for each text that goes on one above it, with
    /// how far before the column's edge that one ended.
    template <class Wrapped>
    void continuation(const CutLine& cut, Wrapped&& wrapped) {
        m_wrapped = true;
        for (int k = 0; k < cut.count; ++k) {
            const int above = goesOn(cut, k);
            if (above >= 0) wrapped(k, above);
        }
    }
    /// Whether a line of texts under the record goes on none of its texts: none of its words
    /// would have been wrapped, each fitting where the text above it ended (a voucher's
    /// explanation under its last entry, no account name going on).
    bool isNote(const CutLine& cut) const;
    /// A note line (isNote): the record is typed, then the note, its texts joined.
    void note(int line, const CutLine& cut, Chunk& out);
    /// A line that ends the record: the record is typed into `out`.
    void endRecord(Chunk& out) {
        if (m_pending) typeRecord(out);
    }
    /// A total line: its amounts in the summed fields, its label; `part`: a part of the total
    /// above it, not checked.
    void total(int line, const CutLine& cut, Chunk& out, bool part = false);
    /// A page begins at the line; `closing`: a rule like the headings' that may close the
    /// records over their totals.
    void page(int line, Chunk& out, bool closing = false);
    /// A line under the headings that is none of record, continuation, total, group field,
    /// rule or heading.
    void other(int line, Chunk& out) {
        out.items.push_back({Chunk::Kind::Other, line, 0, 0, 0, 0, 0, false});
    }
    /// A page-header field, or with `group` a field of a group's block, as printed
    /// (Windows-1254), carried into the records below it.
    void field(int line, std::string_view label, std::string_view value, bool group, Chunk& out);

private:
    // A text of a continuation line, kept for the record's column.
    struct Piece {
        int field;
        std::uint32_t from, to;
        int above;  // how far before the edge the text above ended; -1: none above
        int lead;   // how far after the column's first character the piece starts
    };
    int goesOn(const CutLine& cut, int k);
    /// The line's amount slots, each with the B/A mark printed after its amount.
    std::uint32_t amountSlots(const CutLine& c, Chunk& out) {
        const auto first = static_cast<std::uint32_t>(out.amounts.size());
        out.amounts.resize(out.amounts.size() + m_plan.summed.size(),
                           Chunk::Amount{0, 0, 0, false, 0});
        for (std::size_t s = 0; s < m_plan.summedMarks.size(); ++s) {
            const int f = m_plan.summedMarks[s];
            if (f < 0 || f >= c.count) continue;
            const std::string_view m = c.value[static_cast<std::size_t>(f)];
            if (m == "A" || m == "B") out.amounts[first + s].mark = m[0];
        }
        return first;
    }
    void typeRecord(Chunk& out);
    bool ranOver(const CutLine& c, std::size_t idx, bool whole) const;
    bool cell(const CutLine& c, const OutColumn& col, Chunk& out, std::uint32_t slot);

    const RecordPlan& m_plan;
    const Runs& m_runFrom;
    const Runs& m_runTo;
    const RegionalSettings& m_regional;
    bool m_writing;
    const CutLine* m_pending = nullptr;
    int m_pendingLine = 0;
    std::vector<Piece> m_pieces;
    Bytes m_pieceText;
    std::string m_joined;  // a total's figure run on into the column before, joined
    // The fields a continuation line of the record held, and how far before the edge each
    // ended.
    std::bitset<CutLine::kFields> m_below;
    std::array<int, CutLine::kFields> m_belowShort{};
    bool m_wrapped = false;
};

}  // namespace tablamo
