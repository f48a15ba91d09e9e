#include "commands/report_title.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "clean/printer_codes.h"
#include "core/dos_text.h"
#include "core/report_text.h"

namespace tablamo {
namespace {

// Blanks that set a line's parts apart: the firm on the left, the title in the middle, the
// page number on the right.
constexpr std::size_t kGap = 4;
// Lines looked at for the two of the title.
constexpr int kLinesLooked = 8;

std::string_view trimmed(std::string_view s) { return TrimControl(s); }

// The parts of a line that stand kGap blanks or more apart, each trimmed.
std::vector<std::string_view> partsOf(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0, blanks = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == ' ') {
            ++blanks;
            continue;
        }
        if (i == line.size() || blanks >= kGap) {
            const std::string_view part = trimmed(line.substr(start, i - blanks - start));
            if (!part.empty()) parts.push_back(part);
            start = i;
        }
        blanks = 0;
    }
    return parts;
}

bool isLetter(unsigned char c) {
    // Windows-1254's Turkish letters: Ç Ğ İ Ö Ş Ü and their small forms, ı among them.
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0;
}

// A word in capitals, the dotted and the dotless I alike.
std::string folded(std::string_view word) {
    std::string f;
    for (const char ch : word) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0xDD || c == 0xFD) {
            f += 'I';
        } else {
            f += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : ch;
        }
    }
    return f;
}

// Whether a part tells nothing of the report: no word beyond Sayfa, Tarih, No and Page, as
// a page number, a print date or a period.
bool isNoise(std::string_view part) {
    std::size_t i = 0;
    while (i < part.size()) {
        while (i < part.size() && !isLetter(static_cast<unsigned char>(part[i]))) ++i;
        std::size_t end = i;
        while (end < part.size() && isLetter(static_cast<unsigned char>(part[end]))) ++end;
        if (end > i) {
            const std::string word = folded(part.substr(i, end - i));
            if (word != "SAYFA" && word != "TARIH" && word != "NO" && word != "PAGE") return false;
        }
        i = end;
    }
    return true;
}

// Blank runs made one blank; letters printed apart ("M U A V İ N   D E F T E R İ") closed
// up into their words.
std::string tidied(std::string_view part) {
    // Spaced: three letters or more, each alone between blanks.
    int tokens = 0;
    bool spaced = true;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == ' ') continue;
        ++tokens;
        if (i + 1 < part.size() && part[i + 1] != ' ') spaced = false;
    }
    spaced = spaced && tokens >= 3;
    std::string out;
    std::size_t blanks = 0;
    for (const char c : part) {
        if (c == ' ') {
            ++blanks;
            continue;
        }
        if (!out.empty() && blanks >= (spaced ? 2u : 1u)) out += ' ';
        out += c;
        blanks = 0;
    }
    return out;
}

std::vector<std::string> meaningfulParts(std::string_view line) {
    std::vector<std::string> parts;
    for (const std::string_view part : partsOf(line)) {
        if (!isNoise(part)) parts.push_back(tidied(part));
    }
    return parts;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a date at `at`: d.m.yy(yy) or d/m/yy(yy), a part of one or two digits; 0
// when none starts there.
std::size_t dateAt(std::string_view s, std::size_t at) {
    std::size_t i = at;
    const auto digits = [&](std::size_t least, std::size_t most) {
        std::size_t n = 0;
        while (i < s.size() && n < most && isDigit(s[i])) ++i, ++n;
        return n >= least;
    };
    if (!digits(1, 2) || i >= s.size() || (s[i] != '.' && s[i] != '/')) return 0;
    const char sep = s[i++];
    if (!digits(1, 2) || i >= s.size() || s[i] != sep) return 0;
    ++i;
    const std::size_t yearStart = i;
    if (!digits(2, 4) || i - yearStart == 3 || (i < s.size() && isDigit(s[i]))) return 0;
    return i - at;
}

}  // namespace

std::string periodIn(std::string_view line) {
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (at > 0 && isDigit(line[at - 1])) continue;
        const std::size_t first = dateAt(line, at);
        if (first == 0) continue;
        std::size_t i = at + first;
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size() || line[i] != '-') continue;
        ++i;
        while (i < line.size() && line[i] == ' ') ++i;
        if (const std::size_t second = dateAt(line, i)) {
            return std::string(line.substr(at, first)) + " - " +
                   std::string(line.substr(i, second));
        }
    }
    return {};
}

namespace {

// A date of a period as periodIn() gives it, as a number that orders dates (yyyymmdd; a
// year of two digits is of the 1900s from 50 on, else of the 2000s); nothing when it is no
// such date.
std::optional<long> dateKey(std::string_view date) {
    long parts[3] = {0, 0, 0};
    std::size_t part = 0, digits = 0;
    for (const char c : date) {
        if (isDigit(c)) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else if ((c == '.' || c == '/') && part < 2 && digits > 0) {
            ++part;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits == 0) return std::nullopt;
    long year = parts[2];
    if (digits == 2) year += year >= 50 ? 1900 : 2000;
    return year * 10000 + parts[1] * 100 + parts[0];
}

}  // namespace

std::string spannedPeriod(std::string_view a, std::string_view b) {
    if (a == b) return std::string(a);
    constexpr std::string_view kDash = " - ";
    const std::size_t da = a.find(kDash), db = b.find(kDash);
    if (da == std::string_view::npos || db == std::string_view::npos) return {};
    const std::string_view firstA = a.substr(0, da), lastA = a.substr(da + kDash.size());
    const std::string_view firstB = b.substr(0, db), lastB = b.substr(db + kDash.size());
    const auto fa = dateKey(firstA), la = dateKey(lastA), fb = dateKey(firstB), lb = dateKey(lastB);
    if (!fa || !la || !fb || !lb) return {};
    return std::string(*fb < *fa ? firstB : firstA) + std::string(kDash) +
           std::string(*lb > *la ? lastB : lastA);
}

ReportTitle reportTitle(const ReportText& text) {
    std::vector<std::string> lines;
    std::string period;
    for (int i = 0;
         i < text.lineCount() && i < kLinesLooked && (lines.size() < 2 || period.empty()); ++i) {
        const std::string_view raw = text.line(i);
        // The table begins: its rule line, or a frame's double rule.
        if (raw.find("----------") != std::string_view::npos ||
            raw.find('\xCD') != std::string_view::npos) {
            break;
        }
        // A printer's control codes are no text: they go with their parameters ("ESC x 1"),
        // any other control character reads as a blank.
        std::string line = DosToWinText(withoutPrinterCodes(raw));
        for (char& c : line) {
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        }
        if (period.empty()) period = periodIn(line);
        if (!trimmed(line).empty() && lines.size() < 2) lines.push_back(std::move(line));
    }
    ReportTitle title;
    title.period = std::move(period);
    if (lines.empty()) return title;
    std::vector<std::string> first = meaningfulParts(lines[0]);
    std::vector<std::string> rest;
    if (first.size() > 1) {
        rest.assign(first.begin() + 1, first.end());
    } else if (lines.size() > 1) {
        rest = meaningfulParts(lines[1]);
        // "Hesap Kodu : 120.01" names a field of the report, not the report.
        if (std::any_of(rest.begin(), rest.end(), [](const std::string& part) {
                return part.find(':') != std::string::npos;
            })) {
            rest.clear();
        }
    }
    if (!first.empty()) title.firm = first.front();
    for (const std::string& part : rest) {
        if (!title.title.empty()) title.title += "  ";
        title.title += part;
    }
    if (!rest.empty()) title.name = rest.front();
    return title;
}

PrintSetup printSetupOf(const ReportText& text) {
    const ReportTitle title = reportTitle(text);
    PrintSetup print;
    print.enabled = true;
    print.firm = title.firm;
    print.title = title.title;
    print.period = title.period;
    return print;
}

}  // namespace tablamo
