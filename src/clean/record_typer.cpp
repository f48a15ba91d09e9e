#include "clean/record_typer.h"

#include <algorithm>
#include <optional>

#include "clean/record_keys.h"
#include "core/dos_text.h"

namespace tablamo {

std::string_view overflowAmount(std::string_view value) {
    const std::size_t blank = value.rfind(' ');
    if (blank == std::string_view::npos || blank + 1 >= value.size()) return {};
    const std::string_view amount = value.substr(blank + 1);
    return amountFormOf(amount).valid ? amount : std::string_view();
}

std::string_view figureHead(const CutLine& cut, std::size_t idx, const Kinds& kinds,
                            const int* runTo) {
    // The figure's rest: an amount, or one with a nought first ("041,088") its head completes.
    const auto figure = [](std::string_view v) {
        return !v.empty() && std::all_of(v.begin(), v.end(), [](char ch) {
            return (ch >= '0' && ch <= '9') || ch == '.' || ch == ',' || ch == '-';
        });
    };
    if (idx == 0 || idx >= static_cast<std::size_t>(cut.count) || !cut.spans ||
        kinds[idx].kind != ColumnKind::Amount ||
        !(cut.facts[idx].amount.valid || figure(cut.value[idx])) || cut.first[idx] != 0)
        return {};
    const std::size_t before = idx - 1;
    const std::string_view value = cut.value[before];
    if (value.empty() || cut.last[before] + 1 < static_cast<int>(cut.spans->length[before]))
        return {};
    const std::size_t blank = value.find_last_of(' ');
    const std::string_view head = blank == std::string_view::npos ? value : value.substr(blank + 1);
    // Run into an amount's column ("1.154.612   18.|067.554" where the records' totals are
    // narrower): that column's own figure stands before it, where its records end.
    if (kinds[before].kind == ColumnKind::Amount) {
        const std::string_view own = blank == std::string_view::npos
                                         ? std::string_view()
                                         : TrimControl(value.substr(0, blank));
        if (!runTo || own.empty() || !amountFormOf(own).valid ||
            cut.first[before] + static_cast<int>(own.size()) - 1 != runTo[before])
            return {};
    }
    const bool figures = std::all_of(head.begin(), head.end(), [](char ch) {
        return (ch >= '0' && ch <= '9') || ch == '.' || ch == ',' || ch == '-';
    });
    const bool digit =
        std::any_of(head.begin(), head.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    return figures && digit && blank != std::string_view::npos ? head : std::string_view();
}

namespace {

// An amount field's own figure where the next one's runs into it (figureHead); empty
// otherwise.
std::string_view ownFigure(const CutLine& cut, std::size_t idx, const Kinds& kinds,
                           const int* runTo) {
    if (kinds[idx].kind != ColumnKind::Amount || !runTo) return {};
    const std::string_view head = figureHead(cut, idx + 1, kinds, runTo);
    if (head.empty()) return {};
    return TrimControl(cut.value[idx].substr(0, cut.value[idx].size() - head.size()));
}

}  // namespace

std::string labelOf(const CutLine& cut, const Kinds& kinds, const int* runTo) {
    std::string label;
    int fullBefore = -2;  // the field before, when its words reach its column's end
    for (int k = 0; k < cut.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (cut.facts[idx].empty) continue;
        std::string_view words = cut.value[idx];
        bool glued = false;
        if (kinds[idx].kind == ColumnKind::Amount) {
            if (cut.facts[idx].amount.valid || cut.facts[idx].placeholder ||
                !figureHead(cut, idx, kinds, runTo).empty() ||
                !ownFigure(cut, idx, kinds, runTo).empty())
                continue;
            // The label's end run into the amount's column from the column before.
            const std::string_view amount = overflowAmount(words);
            if (!amount.empty()) {
                words = TrimControl(words.substr(0, words.size() - amount.size()));
                glued = cut.first[idx] == 0;
            }
        }
        if (kinds[idx].marks && cut.facts[idx].mark) continue;
        // The first digits of the next column's figure, wider than its records' own.
        const std::string_view head = figureHead(cut, idx + 1, kinds, runTo);
        if (!head.empty()) words = TrimControl(words.substr(0, words.size() - head.size()));
        // A word the column boundary cuts ("BAŞI|NDAN"): the column before full to its end,
        // this one printed from its first character on.
        glued |= k == fullBefore + 1 && cut.first[idx] == 0;
        if (!label.empty() && !glued) label += ' ';
        label += DosToWinLetters(words);
        fullBefore =
            cut.spans && cut.last[idx] + 1 >= static_cast<int>(cut.spans->length[idx]) ? k : -2;
    }
    return label;
}

RecordTyper::RecordTyper(const RecordPlan& plan, const Runs& runFrom, const Runs& runTo,
                         const RegionalSettings& regional, bool writing)
    : m_plan(plan), m_runFrom(runFrom), m_runTo(runTo), m_regional(regional), m_writing(writing) {}

// Field k of a continuation line: where it goes on with a text of the line above (the record
// or an earlier continuation line), how far before the column's edge that line ended; its
// words kept for the record's text column, with where they stand.
int RecordTyper::goesOn(const CutLine& c, int k) {
    const auto idx = static_cast<std::size_t>(k);
    if (c.value[idx].empty()) return -1;
    if (endsText(c, idx, m_plan.kinds)) {
        // The last word of the text before, run on into an amount's column.
        if (m_writing && !m_pieces.empty() && m_pieces.back().field == k - 1) {
            const auto before = idx - 1;
            if (c.spans->from[idx] + static_cast<std::uint32_t>(c.first[idx]) !=
                c.spans->from[before] + static_cast<std::uint32_t>(c.last[before]) + 1)
                m_pieceText.append(" ");
            m_pieceText.append(c.value[idx]);
            m_pieces.back().to = m_pieceText.size();
        }
        return -1;
    }
    int above = -1;
    if (m_below[idx]) {
        above = m_belowShort[idx];
    } else if (m_pending && k < m_pending->count && !m_pending->value[idx].empty()) {
        above = std::max(m_runTo[idx] - m_pending->last[idx], 0);
    }
    m_below[idx] = true;
    m_belowShort[idx] = std::max(m_runTo[idx] - c.last[idx], 0);
    if (m_writing) {
        const auto from = m_pieceText.size();
        m_pieceText.append(c.value[idx]);
        m_pieces.push_back({k, static_cast<std::uint32_t>(from), m_pieceText.size(), above,
                            c.first[idx] - m_runFrom[idx]});
    }
    return above;
}

// Types the record under way (when writing) and forgets it with its continuation lines.
void RecordTyper::typeRecord(Chunk& out) {
    const CutLine& c = *m_pending;
    m_pending = nullptr;
    if (!m_writing) {
        m_pieces.clear();
        m_pieceText.clear();
        return;
    }
    const std::uint32_t amounts = amountSlots(c, out);
    Chunk::Item item{Chunk::Kind::Record,
                     m_pendingLine,
                     out.text.size(),
                     0,
                     static_cast<std::uint32_t>(out.ends.size()),
                     amounts,
                     0,
                     true};
    std::uint32_t slot = amounts;
    for (const OutColumn& col : m_plan.columns) {
        if (col.field < 0) continue;  // a carried field: the writer knows its value
        if (cell(c, col, out, slot)) ++slot;
        out.ends.push_back(out.text.size());
    }
    if (m_plan.marks >= 0) {
        const std::string_view mark = c.value[static_cast<std::size_t>(m_plan.marks)];
        item.mark = mark.empty() ? 0 : mark[0];
    }
    if (m_plan.levels >= 0) {
        const std::string_view code = c.value[static_cast<std::size_t>(m_plan.levels)];
        item.top = m_plan.codes.depth(code) == m_plan.topDepth;
    }
    out.items.push_back(item);
    m_pieces.clear();
    m_pieceText.clear();
}

// One typed cell; true when it was an amount column's (its slot then filled when it held an
// amount). A text column takes its continuation lines.
bool RecordTyper::cell(const CutLine& c, const OutColumn& col, Chunk& out, std::uint32_t slot) {
    const auto idx = static_cast<std::size_t>(col.field);
    const std::string_view value = c.value[idx];
    const ColumnDecision& d = col.kind;
    const ReadValue& read = c.read[idx];
    if (col.signedBy >= 0) {
        if (const auto& v = read.units; v && !c.facts[idx].placeholder) {
            const std::string_view mark = c.value[static_cast<std::size_t>(col.signedBy)];
            const std::int64_t units = mark == "A" ? -*v : *v;
            out.text.keep(
                formatAmount(units, d.decimals, m_regional.decimalSeparator, out.text.room(32)));
        }
        return false;
    }
    if (d.kind == ColumnKind::Date) {
        if (const auto& date = read.date) {
            out.text.keep(formatShortDate(*date, m_regional, out.text.room(16)));
            return false;
        }
    } else if (d.kind == ColumnKind::Amount) {
        if (c.facts[idx].empty || c.facts[idx].placeholder) return true;  // a dash: nothing
        if (const auto& v = read.units) {
            out.amounts[slot].value = *v;
            out.amounts[slot].present = true;
            out.text.keep(
                formatAmount(*v, d.decimals, m_regional.decimalSeparator, out.text.room(32)));
            return true;
        }
    }
    if (d.marks && !c.facts[idx].mark) return false;  // a balance's last nought: no mark
    const std::uint32_t at = out.text.size();
    out.text.keep(dosToWinLettersInto(value, out.text.room(value.size())));
    if (d.kind == ColumnKind::Text && !d.marks) {
        for (const Piece& p : m_pieces) {
            if (p.field != col.field) continue;
            const std::string_view piece = m_pieceText.view(p.from, p.to);
            // The rest of a word cut at the edge starts where the column's texts do, and
            // goes on as the word did: digits after letters are a word of their own
            // ("Tahsilat makbuzu" over "10539").
            const bool digitsAfter =
                out.text.size() > at && !piece.empty() &&
                printed::isDigit(out.text.view(out.text.size() - 1, out.text.size()).front()) !=
                    printed::isDigit(piece.front());
            const bool glued =
                d.cutAt >= 0 && p.above == d.cutAt && p.lead <= d.cutAt && !digitsAfter;
            if (out.text.size() > at && !glued) out.text.append(" ");
            out.text.keep(dosToWinLettersInto(piece, out.text.room(piece.size())));
        }
    }
    return d.kind == ColumnKind::Amount;
}

bool RecordTyper::isNote(const CutLine& c) const {
    if (!m_pending) return false;
    bool any = false;
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const std::string_view value = c.value[idx];
        if (value.empty()) continue;
        any = true;
        int above = -1;
        if (m_below[idx]) {
            above = m_belowShort[idx];
        } else if (k < m_pending->count && !m_pending->value[idx].empty()) {
            above = std::max(m_runTo[idx] - m_pending->last[idx], 0);
        }
        if (above < 0) continue;  // under an empty text: no text going on
        const auto word = static_cast<int>(std::min(value.find(' '), value.size()));
        const int cut = std::max(m_plan.kinds[idx].cutAt, 0);
        // A text cut in the middle of its words, or a word that did not fit: it goes on.
        if (m_plan.kinds[idx].cutAt >= 0 ? above <= cut : word + 1 > above - cut) return false;
    }
    return any;
}

void RecordTyper::note(int line, const CutLine& c, Chunk& out) {
    endRecord(out);
    if (!m_writing) return;
    const std::uint32_t from = out.text.size();
    int fullBefore = -2;  // the field before, when its words reach its column's end
    for (int k = 0; k < c.count; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        const std::string_view value = c.value[idx];
        if (value.empty()) continue;
        // A word the column edge cuts ("Karde|ş") is one word.
        const bool glued = k == fullBefore + 1 && c.first[idx] == 0;
        if (out.text.size() > from && !glued) out.text.append(" ");
        out.text.keep(dosToWinLettersInto(value, out.text.room(value.size())));
        fullBefore = c.spans && c.last[idx] + 1 >= static_cast<int>(c.spans->length[idx]) ? k : -2;
    }
    out.items.push_back({Chunk::Kind::Note, line, from, out.text.size(), 0, 0, 0, false});
}

void RecordTyper::total(int line, const CutLine& c, Chunk& out, bool part) {
    if (!m_writing) return;
    const std::uint32_t amounts = amountSlots(c, out);
    // Figures printed where none can be read (each runs over its column's boundaries).
    bool printedAny = false, readAny = false;
    for (std::size_t s = 0; s < m_plan.summed.size(); ++s) {
        const auto idx = static_cast<std::size_t>(m_plan.summed[s]);
        std::string_view printed = c.value[idx];
        std::optional<std::int64_t> v = c.read[idx].units;
        printedAny |= !printed.empty() && !c.facts[idx].placeholder;
        // A figure wider than the records' runs on into the text column before it: its
        // digits there are its own ("TOPLAM  10|391.736", "TOPLAM  2|041,088").
        const std::string_view head = figureHead(c, idx, m_plan.kinds, m_runTo.data());
        const std::string_view own = ownFigure(c, idx, m_plan.kinds, m_runTo.data());
        if (!own.empty()) {
            const ColumnDecision& d = m_plan.kinds[idx];
            printed = own;
            v = readAmount(printed, d.notation, d.decimals);
        } else if (!c.facts[idx].amount.valid && head.empty()) {
            printed = overflowAmount(printed);
            if (printed.empty() || ranOver(c, idx, false)) continue;
            const ColumnDecision& d = m_plan.kinds[idx];
            v = readAmount(printed, d.notation, d.decimals);
        }
        if (!head.empty()) {
            m_joined.assign(head).append(printed);
            const ColumnDecision& d = m_plan.kinds[idx];
            v = readAmount(m_joined, d.notation, d.decimals);
            printed = m_joined;
        } else if (c.facts[idx].amount.valid && ranOver(c, idx, true)) {
            // An amount cut by the column boundaries is not read: what it is, is not known.
            continue;
        }
        if (v) {
            readAny = true;
            Chunk::Amount& a = out.amounts[amounts + s];
            a.value = *v;
            a.present = true;
            a.printedFrom = out.text.size();
            out.text.append(printed);
            a.printedTo = out.text.size();
        }
    }
    if (!printedAny) {
        // A total of dashes alone ("Sayfa Toplamı  -  -" under a page of no records) prints
        // zeros; one of no figures at all may stand for zeros too, or for figures printed
        // elsewhere: its zeros, with nothing printed, count only where they agree.
        bool dashes = false;
        for (std::size_t s = 0; s < m_plan.summed.size(); ++s)
            dashes |= c.facts[static_cast<std::size_t>(m_plan.summed[s])].placeholder;
        for (std::size_t s = 0; s < m_plan.summed.size(); ++s) {
            const auto idx = static_cast<std::size_t>(m_plan.summed[s]);
            if (dashes && !c.facts[idx].placeholder) continue;
            Chunk::Amount& a = out.amounts[amounts + s];
            a.value = 0;
            a.present = true;
            a.printedFrom = out.text.size();
            out.text.append(c.value[idx]);
            a.printedTo = out.text.size();
        }
    }
    const std::uint32_t from = out.text.size();
    out.text.append(labelOf(c, m_plan.kinds, m_runTo.data()));
    char mark = 0;
    if (m_plan.marks >= 0) {
        const std::string_view m = c.value[static_cast<std::size_t>(m_plan.marks)];
        if (m == "A" || m == "B") mark = m[0];
    }
    out.items.push_back({Chunk::Kind::Total, line, from, out.text.size(), 0, amounts, mark,
                         printedAny && !readAny, part});
}

// Whether the amount in field `idx` runs over its column: it fills the field to its last
// position and the next field's text starts at its first (its digits go on there), or it
// starts at its field's first while the field before is filled to its last.
bool RecordTyper::ranOver(const CutLine& c, std::size_t idx, bool whole) const {
    if (!c.spans) return false;
    const auto full = [&](std::size_t k) {
        return !c.value[k].empty() && c.last[k] + 1 >= static_cast<int>(c.spans->length[k]);
    };
    // A B/A mark glued to its amount ("148,00B") is the amount's, no figure running over.
    const auto next = idx + 1;
    if (full(idx) && next < static_cast<std::size_t>(c.count) && !c.value[next].empty() &&
        c.first[next] == 0 && !m_plan.kinds[next].marks)
        return true;
    return whole && idx > 0 && c.first[idx] == 0 && full(idx - 1);
}

void RecordTyper::page(int line, Chunk& out, bool closing) {
    out.items.push_back({Chunk::Kind::Page, line, 0, 0, 0, 0, 0, closing});
}

void RecordTyper::field(int line, std::string_view label, std::string_view value, bool group,
                        Chunk& out) {
    const std::uint32_t from = out.text.size();
    out.text.append(label);
    const std::uint32_t mid = out.text.size();
    out.text.append(value);
    out.items.push_back({Chunk::Kind::Field, line, from, mid, mid, out.text.size(), 0, group});
}

}  // namespace tablamo
