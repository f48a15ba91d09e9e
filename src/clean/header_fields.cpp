#include "clean/header_fields.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "clean/date_reading.h"
#include "core/dos_text.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           static_cast<unsigned char>(c) >= 0xC0;
}

constexpr std::size_t kMaxLabel = 40;
constexpr std::size_t kMaxGroupFields = 16;

// Where the label before `end` starts: after the last run of two or more blanks in
// [from, end), or at `from`.
std::size_t labelStart(std::string_view line, std::size_t from, std::size_t end) {
    std::size_t start = from;
    for (std::size_t i = from; i + 1 < end; ++i) {
        if (line[i] == ' ' && line[i + 1] == ' ') start = i + 2;
    }
    while (start < end && line[start] == ' ') ++start;
    return start;
}

// Digits, optionally "/" and more digits, and nothing else.
bool pageNumber(std::string_view s) {
    s = TrimControl(s);
    std::size_t i = 0, digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (digits == 0 || digits > 5) return false;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i == s.size()) return true;
    if (s[i] != '/') return false;
    ++i;
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t from = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    return i == s.size() && i > from && i - from <= 5;
}

bool startsWithPageWord(const std::string& folded, std::size_t& after) {
    for (const std::string_view word : {"SAYFA", "SAHIFE", "PAGE", "SF", "SYF"}) {
        // "SYF.", "SYF:", "SF:" or "SYF 2", no longer word ("SYFON", "SFERA").
        const auto next = folded.size() > word.size()
                              ? static_cast<unsigned char>(folded[word.size()])
                              : static_cast<unsigned char>(' ');
        const bool ends =
            (word != "SYF" && word != "SF") || !((next >= 'A' && next <= 'Z') || next >= 0x80);
        if (folded.compare(0, word.size(), word) == 0 && ends) {
            after = word.size();
            return true;
        }
    }
    return false;
}

// Whether a bracketed word marks a value printed again on the page its group goes on to:
// "(devam)", "(DEVAMI)", "(devam ediyor)".
bool continues(std::string_view inner) {
    const std::string folded = foldedUpper(inner);
    return folded == "DEVAM" || folded == "DEVAMI" || folded == "DEVAM EDIYOR" ||
           folded == "DEVAM EDER";
}

}  // namespace

std::size_t headerFieldsOf(std::string_view line, HeaderField* out, std::size_t max) {
    std::size_t count = 0;
    std::size_t from = 0;       // where the text before the next label starts
    std::size_t valueFrom = 0;  // where the open field's value starts
    bool open = false;
    const auto close = [&](std::size_t end) {
        HeaderField& f = out[count - 1];
        // A field printed again on the page its group goes on to ends in "(devam)": no part
        // of its value.
        f.value = withoutContinuationMark(line.substr(valueFrom, end - valueFrom));
        // A blank to be filled in by hand ("Kontrol Eden : ......") holds no value.
        if (f.value.find_first_not_of("._ ") == std::string_view::npos) --count;
    };
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos && count < max;
         colon = line.find(':', colon + 1)) {
        std::size_t end = colon;
        while (end > from && line[end - 1] == ' ') --end;
        const std::size_t start = labelStart(line, from, end);
        // A label is words: a code before a colon ("KRT.1366 ZIMBA TELİ NO:10") is none.
        if (start >= end || end - start > kMaxLabel || !isLetter(line[start]) ||
            std::any_of(line.begin() + static_cast<std::ptrdiff_t>(start),
                        line.begin() + static_cast<std::ptrdiff_t>(end), isDigit))
            continue;
        // A label after another field's value stands apart from it by two blanks at least:
        // "Stok Adı : ZIMBA TELİ NO:10" is one field.
        if (open && (start < from + 2 || line.substr(start - 2, 2) != "  ")) continue;
        if (open) close(start);
        out[count++] = {line.substr(start, end - start), {}};
        open = true;
        valueFrom = colon + 1;
        from = colon + 1;
    }
    if (open) close(line.size());
    return count;
}

std::size_t groupFieldsOf(std::string_view line, HeaderField* out, std::size_t max) {
    HeaderField found[kMaxGroupFields];
    const std::size_t n = headerFieldsOf(line, found, std::min(max, kMaxGroupFields));
    std::size_t count = 0;
    for (std::size_t f = 0; f < n && count < max; ++f) {
        // A value may end in a continuation marker and a bracketed remark of its own,
        // standing apart from it: "Fiş No: 45   (MAHSUP) (devam)".
        std::string_view value = found[f].value;
        std::string_view remark;
        while (value.size() > 2 && value.back() == ')') {
            const std::size_t open = value.rfind('(');
            if (open == std::string_view::npos) break;
            const std::string_view inner =
                TrimControl(value.substr(open + 1, value.size() - open - 2));
            const std::string_view before = value.substr(0, open);
            if (continues(inner)) {
                value = TrimControl(before);
            } else if (remark.empty() && !inner.empty() && before.size() >= 2 &&
                       before.substr(before.size() - 2) == "  ") {
                remark = inner;
                value = TrimControl(before);
            } else {
                break;
            }
        }
        out[count++] = {found[f].label, value};
        if (!remark.empty() && count < max) out[count++] = {kRemarkLabel, remark};
    }
    return count;
}

std::string_view withoutContinuationMark(std::string_view value) {
    value = TrimControl(value);
    if (value.size() < 7 || value.back() != ')') return value;
    const std::size_t open = value.rfind('(');
    if (open == std::string_view::npos ||
        !continues(TrimControl(value.substr(open + 1, value.size() - open - 2))))
        return value;
    return TrimControl(value.substr(0, open));
}

std::string_view blockName(std::string_view value) {
    value = withoutContinuationMark(value);
    const auto mark = [](char c) { return c != 0 && std::strchr("*=#~<>-_+", c) != nullptr; };
    std::size_t a = 0, b = value.size();
    while (a < b && mark(value[a])) ++a;
    while (b > a && mark(value[b - 1])) --b;
    // Marks on both sides, two at least or one set apart by a blank: a dash inside a name
    // ("A-B") or one sign before a figure is no mark.
    const std::size_t after = value.size() - b;
    const bool setOff =
        a >= 2 ? after >= 2
               : a == 1 && after == 1 && b - a >= 3 && value[a] == ' ' && value[b - 1] == ' ';
    if (!setOff || a == b) return value;
    return withoutContinuationMark(TrimControl(value.substr(a, b - a)));
}

bool numbersOrDatesThePage(const HeaderField& field, YearWindow years) {
    const std::string label = foldedUpper(field.label);
    std::size_t after = 0;
    if (startsWithPageWord(label, after)) return true;
    const std::string_view v = field.value;
    if (dateOrdersOf(v, years) != 0) return true;
    // A date followed by the time of day it was printed at.
    const std::size_t blank = v.find(' ');
    if (blank == std::string_view::npos || dateOrdersOf(v.substr(0, blank), years) == 0)
        return false;
    const std::string_view time = TrimControl(v.substr(blank));
    return !time.empty() && time.find_first_not_of("0123456789:") == std::string_view::npos;
}

bool isPageFooter(std::string_view line) {
    const std::string_view s = TrimControl(line);
    if (s.size() >= 3 && s.front() == '-' && s.back() == '-') {
        return pageNumber(s.substr(1, s.size() - 2));
    }
    const std::string folded = foldedUpper(s);
    std::size_t after = 0;
    if (startsWithPageWord(folded, after)) {
        std::string_view rest = std::string_view(folded).substr(after);
        rest = TrimControl(rest);
        if (rest.substr(0, 2) == "NO") rest = TrimControl(rest.substr(2));
        if (!rest.empty() && (rest[0] == ':' || rest[0] == '.')) rest = TrimControl(rest.substr(1));
        return pageNumber(rest);
    }
    return s.find('/') != std::string_view::npos && pageNumber(s);
}

}  // namespace tablamo
