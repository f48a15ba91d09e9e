#include "export/sheet_xml.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "export/column_fit.h"
#include "export/out_buffer.h"
#include "export/xlsx_writer.h"

namespace tablamo {
namespace {

// The most characters a cell's text may have.
constexpr std::size_t kMaxText = 32767;
// What a cell takes besides its text: the longest opening (`<c r="XFD1048576" s="3"
// t="inlineStr"><is><t xml:space="preserve">`), the closing, a number's 24 characters and
// the slack of the eight-byte copies.
constexpr std::size_t kCellFrame = 104;
// What a row takes besides its cells: `<row r="1048576" ht="1234567" customHeight="1">` and
// `</row>`.
constexpr std::size_t kRowFrame = 64;
// The height of a line of text in points, as the default row of the default font.
constexpr int kLineHeight = 15;
// The tallest row a workbook holds, in points.
constexpr int kTallestRow = 409;
// Bytes a text byte can become: "_x001F_", or "_x005F_" in front of a literal escape.
constexpr std::size_t kByteExpansion = 7;

// Whether a byte is written as an escape "_xHHHH_": a control character XML does not allow
// (and CR, which a reader would turn into LF).
bool escapedControl(unsigned char b) { return b < 0x20 && b != '\t' && b != '\n'; }

// What each Windows-1254 byte becomes in the sheet's XML text: its UTF-8 form, an entity
// for & < >, or "_xHHHH_" for a control character that XML does not allow (and for CR,
// which a reader would turn into LF). Every entry is padded to eight bytes, so a byte is
// copied in one move.
struct Escape {
    char bytes[8];
    unsigned char size;
};

const std::array<Escape, 256>& escapes() {
    static const std::array<Escape, 256> table = [] {
        std::array<Escape, 256> t{};
        const Utf8Table& utf8 = Utf8Table::get();
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (int b = 0; b < 256; ++b) {
            Escape& e = t[static_cast<std::size_t>(b)];
            auto set = [&e](std::string_view s) {
                std::memcpy(e.bytes, s.data(), s.size());
                e.size = static_cast<unsigned char>(s.size());
            };
            if (escapedControl(static_cast<unsigned char>(b))) {
                const char code[] = {'_', 'x', '0', '0', kHex[b >> 4], kHex[b & 15], '_'};
                set({code, sizeof code});
            } else if (b == '&') {
                set("&amp;");
            } else if (b == '<') {
                set("&lt;");
            } else if (b == '>') {
                set("&gt;");
            } else {
                const auto u = static_cast<std::size_t>(b);
                set({utf8.bytes[u].data(), utf8.length[u]});
            }
        }
        return t;
    }();
    return table;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the "_" at `i` starts what a reader would take for an escape: a literal "_xHHHH_",
// or "_xHHHH" before a control character, whose own escape brings the closing "_". Its "_"
// is then written as the escape of "_" itself, "_x005F_".
bool looksLikeEscape(std::string_view text, std::size_t i) {
    return i + 6 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
           isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) &&
           (text[i + 6] == '_' || escapedControl(static_cast<unsigned char>(text[i + 6])));
}

// Whether none of the eight bytes is a control character, a byte above 127, & < > or "_":
// bytes that the sheet's XML takes as they are.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;
bool hasByte(std::uint64_t w, char c) {
    const std::uint64_t x = w ^ (kOnes * static_cast<unsigned char>(c));
    return ((x - kOnes) & ~x & kHighs) != 0;
}
bool plain(std::uint64_t w) {
    if (w & kHighs) return false;
    if ((w - kOnes * 0x20) & ~w & kHighs) return false;  // a byte below 0x20
    return !hasByte(w, '&') && !hasByte(w, '<') && !hasByte(w, '>') && !hasByte(w, '_');
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

char* put(char* out, std::string_view s) {
    std::memcpy(out, s.data(), s.size());
    return out + s.size();
}

long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy;
}

}  // namespace

long dateSerial(const Date& date) {
    const long serial =
        daysFromCivil(date.year, date.month, date.day) - daysFromCivil(1899, 12, 30);
    return date.year == 1900 && date.month <= 2 ? serial - 1 : serial;
}

std::string_view SheetRows::letters(int column, char (&buffer)[4]) {
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (int c = column; c > 0 && p > buffer; c = (c - 1) / 26) {
        *--p = static_cast<char>('A' + (c - 1) % 26);
    }
    return {p, static_cast<std::size_t>(end - p)};
}

SheetRows::SheetRows(int colCount, const RegionalSettings& regional, const Date& today,
                     const std::vector<ColumnKind>& kinds, const std::vector<bool>& wrapped,
                     const std::vector<double>& widths)
    : m_colCount(colCount), m_regional(regional), m_today(today) {
    m_typing.assign(static_cast<std::size_t>(colCount), Typing::ByValue);
    m_wrapWidth.assign(static_cast<std::size_t>(colCount), 0);
    m_letters.resize(static_cast<std::size_t>(colCount));
    for (int c = 1; c < colCount; ++c) {
        const auto at = static_cast<std::size_t>(c);
        if (at - 1 < kinds.size()) {
            switch (kinds[at - 1]) {
                case ColumnKind::Amount:
                    m_typing[at] = Typing::Amount;
                    break;
                case ColumnKind::Date:
                    m_typing[at] = Typing::Date;
                    break;
                case ColumnKind::Text:
                case ColumnKind::Code:
                    m_typing[at] = at - 1 < wrapped.size() && wrapped[at - 1] ? Typing::WrappedText
                                                                              : Typing::Text;
                    break;
            }
        }
        if (at - 1 < wrapped.size() && wrapped[at - 1]) {
            // A column of no width given has the default width of about nine digits.
            constexpr double kDefaultWidth = 9;
            m_wrapWidth[at] =
                at - 1 < widths.size() && widths[at - 1] > 0 ? widths[at - 1] : kDefaultWidth;
            m_wraps = true;
        }
        char buffer[4];
        const std::string_view name = letters(c, buffer);
        std::memcpy(m_letters[at].text, name.data(), name.size());
        m_letters[at].size = static_cast<unsigned char>(name.size());
    }
}

std::size_t SheetRows::bound(const Grid::RowCells& cells) const {
    std::size_t bytes = kRowFrame;
    for (int c = 1; c < m_colCount; ++c) {
        const std::size_t n = cells[static_cast<std::size_t>(c)].size();
        if (n) bytes += kCellFrame + kByteExpansion * n;
    }
    return bytes;
}

std::uint64_t SheetRows::bound(std::uint64_t rows, std::uint64_t textBytes) const {
    const auto columns = static_cast<std::uint64_t>(m_colCount > 1 ? m_colCount - 1 : 0);
    return rows * (kRowFrame + columns * kCellFrame) + kByteExpansion * textBytes;
}

char* SheetRows::putStart(char* out, int column, std::string_view row, CellStyle style) const {
    const Letters& name = m_letters[static_cast<std::size_t>(column)];
    out = put(out, "<c r=\"");
    out = put(out, {name.text, name.size});
    out = put(out, row);
    *out++ = '"';
    if (style != CellStyle::Plain) {
        out = put(out, " s=\"");
        *out++ = static_cast<char>('0' + static_cast<int>(style));
        *out++ = '"';
    }
    return out;
}

char* SheetRows::putText(char* out, int column, std::string_view row, std::string_view text,
                         CellStyle style) const {
    if (text.size() > kMaxText)
        throw WorkbookError("String exceeds Excel's limit of 32,767 characters.");
    out = putStart(out, column, row, style);
    // Blanks at either end last only where the text says it keeps its white space.
    out = put(out, isBlank(text.front()) || isBlank(text.back())
                       ? std::string_view(" t=\"inlineStr\"><is><t xml:space=\"preserve\">")
                       : std::string_view(" t=\"inlineStr\"><is><t>"));
    const std::array<Escape, 256>& table = escapes();
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Eight letters, digits or punctuation that need no escape go in one move.
        std::uint64_t word;
        while (i + 8 <= text.size() && (std::memcpy(&word, text.data() + i, 8), plain(word))) {
            std::memcpy(out, &word, 8);
            out += 8;
            i += 8;
        }
        if (i == text.size()) break;
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '_' && looksLikeEscape(text, i)) {
            out = put(out, "_x005F_");
            continue;
        }
        const Escape& e = table[b];
        std::memcpy(out, e.bytes, sizeof e.bytes);
        out += e.size;
    }
    return put(out, "</t></is></c>");
}

char* SheetRows::putNumber(char* out, int column, std::string_view row, double value,
                           CellStyle style) const {
    out = putStart(out, column, row, style);
    out = put(out, "><v>");
    // The shortest text that reads back as the same double, whatever the locale.
    out = std::to_chars(out, out + 32, value).ptr;
    return put(out, "</v></c>");
}

char* SheetRows::putDate(char* out, int column, std::string_view row, const Date& date) const {
    out = putStart(out, column, row, CellStyle::Date);
    out = put(out, "><v>");
    out = std::to_chars(out, out + 16, dateSerial(date)).ptr;
    return put(out, "</v></c>");
}

char* SheetRows::write(char* out, const Grid::RowCells& cells, int sheetRow, bool heading) const {
    char digits[16];
    const std::string_view row(
        digits,
        static_cast<std::size_t>(std::to_chars(digits, digits + 16, sheetRow).ptr - digits));
    char* const start = out;
    out = put(out, "<row r=\"");
    out = put(out, row);
    if (m_wraps) {
        // A row whose texts wrap is as tall as its longest one's lines: a spreadsheet
        // program does not always make it so when it opens the workbook.
        int lines = 1;
        for (int c = 1; c < m_colCount; ++c) {
            const double width = m_wrapWidth[static_cast<std::size_t>(c)];
            const std::string_view text = cells[static_cast<std::size_t>(c)];
            if (width > 0 && !text.empty())
                lines = std::max(lines, wrappedLines(text, width, heading));
        }
        if (lines > 1) {
            out = put(out, "\" ht=\"");
            out = std::to_chars(out, out + 16, std::min(lines * kLineHeight, kTallestRow)).ptr;
            out = put(out, "\" customHeight=\"1");
        }
    }
    out = put(out, "\">");
    bool any = false;
    for (int c = 1; c < m_colCount; ++c) {
        const std::string_view text = cells[static_cast<std::size_t>(c)];
        if (text.empty()) continue;  // an empty cell stays empty
        any = true;
        if (heading) {
            out = putText(out, c, row, text,
                          m_wrapWidth[static_cast<std::size_t>(c)] > 0 ? CellStyle::WrappedHeading
                                                                       : CellStyle::Heading);
            continue;
        }
        switch (m_typing[static_cast<std::size_t>(c)]) {
            case Typing::ByValue: {
                const CellValue value = cellValue(text, m_regional, m_today);
                // Workbook dates begin in 1900; an earlier one keeps its text.
                if (value.kind == CellValue::Kind::Date && value.date.year >= 1900) {
                    out = putDate(out, c, row, value.date);
                } else if (value.kind == CellValue::Kind::Number) {
                    out = putNumber(out, c, row, value.number, CellStyle::Plain);
                } else {
                    out = putText(out, c, row, text, CellStyle::Plain);
                }
                break;
            }
            case Typing::Amount:
                if (const auto number = readNumber(text, m_regional.decimalSeparator)) {
                    out = putNumber(out, c, row, *number, CellStyle::Amount);
                } else {
                    out = putText(out, c, row, text, CellStyle::Plain);
                }
                break;
            case Typing::Date: {
                const auto date = readShortDate(text, m_regional, m_today);
                if (date && date->year >= 1900) {
                    out = putDate(out, c, row, *date);
                } else {
                    out = putText(out, c, row, text, CellStyle::Plain);
                }
                break;
            }
            case Typing::Text:
                out = putText(out, c, row, text, CellStyle::Plain);
                break;
            case Typing::WrappedText:
                out = putText(out, c, row, text, CellStyle::Wrapped);
                break;
        }
    }
    if (!any) return start;  // a row without cells is left out
    return put(out, "</row>");
}

}  // namespace tablamo
