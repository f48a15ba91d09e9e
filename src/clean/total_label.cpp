#include "clean/total_label.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/text_rules.h"

namespace tablamo {
namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a word of the folded text begins with `stem` (and is no longer when `whole`).
bool hasWord(const std::string& folded, std::string_view stem, bool whole) {
    for (std::size_t at = folded.find(stem); at != std::string::npos;
         at = folded.find(stem, at + 1)) {
        if (at > 0 && isLetter(folded[at - 1])) continue;
        const std::size_t end = at + stem.size();
        if (whole && end < folded.size() && isLetter(folded[end])) continue;
        return true;
    }
    return false;
}

// The words that tell a total's kind, by their stems (folded); `whole`: the word is no
// longer than its stem.
struct Stem {
    std::string_view stem;
    TotalClass kind;
    bool whole;
};
constexpr Stem kStems[] = {
    {"TOPLAM", TotalClass::Plain, false},   {"YEKUN", TotalClass::Plain, false},
    {"SAYFA", TotalClass::Page, false},     {"SAHIFE", TotalClass::Page, false},
    {"NAKLI", TotalClass::Forward, true},   {"NAKLED", TotalClass::Forward, false},
    {"SONRAKI", TotalClass::Forward, true}, {"DEVIR", TotalClass::Back, false},
    {"DEVRI", TotalClass::Back, true},      {"DEVREDEN", TotalClass::Back, true},
    {"ONCEKI", TotalClass::Back, true},     {"NAKIL", TotalClass::Back, true},
    {"BASI", TotalClass::Back, true},       {"GENEL", TotalClass::Grand, true},
    {"DONEM", TotalClass::Grand, true},     {"RAPOR", TotalClass::Grand, true},
    {"HESAP", TotalClass::Group, true},     {"CARI", TotalClass::Group, true},
    {"FIS", TotalClass::Group, true},       {"GUN", TotalClass::Group, true},
    {"GRUP", TotalClass::Group, true},      {"ARA", TotalClass::Group, true},
    {"STOK", TotalClass::Group, true},      {"MADDE", TotalClass::Group, true},
    {"YEVMIYE", TotalClass::Group, true},   {"KART", TotalClass::Group, true},
    {"MUSTERI", TotalClass::Group, true},   {"BAKIYE", TotalClass::Plain, false},
};

// The number before a word that counts records: "39 ADET", "12 KAYIT".
std::optional<std::int64_t> countBefore(const std::vector<std::string>& words, std::size_t i) {
    static constexpr std::string_view kCounting[] = {"ADET", "KAYIT", "KALEM", "ISLEM"};
    if (i == 0) return std::nullopt;
    bool counting = false;
    for (const std::string_view w : kCounting) counting |= words[i].rfind(w, 0) == 0;
    const std::string& n = words[i - 1];
    if (!counting || n.empty() || n.size() > 9) return std::nullopt;
    std::int64_t v = 0;
    for (const char c : n) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// A number's or code's shape: the length of each run of digits, the marks between them kept
// ("120.01" 3.2); a date's is "D" however many digits its day and month take ("1.3.2019",
// "01.03.2019"); empty for a word of letters.
std::string shapeOf(std::string_view word) {
    std::string shape;
    std::vector<int> runs;
    int run = 0;
    for (const char c : word) {
        if (isDigit(c)) {
            ++run;
            continue;
        }
        if (c != '.' && c != '/' && c != '-') return {};
        if (run) shape += std::to_string(run), runs.push_back(run);
        shape += c;
        run = 0;
    }
    if (run) shape += std::to_string(run), runs.push_back(run);
    const bool dated = runs.size() == 3 && isDigit(word.front()) && isDigit(word.back()) &&
                       runs[0] <= 2 && runs[1] <= 2 && (runs[2] == 2 || runs[2] == 4);
    if (dated) return "D";
    return runs.empty() ? std::string() : shape;
}

// Whether a folded word names a month, in full or by its first three letters.
bool isMonthName(std::string_view word) {
    static constexpr std::string_view kMonths[] = {"OCAK",  "SUBAT",   "MART",   "NISAN",
                                                   "MAYIS", "HAZIRAN", "TEMMUZ", "AGUSTOS",
                                                   "EYLUL", "EKIM",    "KASIM",  "ARALIK"};
    for (const std::string_view m : kMonths) {
        if (word == m || (word.size() == 3 && m.substr(0, 3) == word)) return true;
    }
    return false;
}

// Whether a folded word names the side of the money a total adds up (the debit's, the
// credit's; what came in, what went out): "BORÇ TOPLAMI" and "ALACAK TOPLAMI" are one family.
bool isSideWord(std::string_view word) {
    static constexpr std::string_view kSides[] = {"BORC",     "ALACAK", "GIRIS",  "CIKIS",
                                                  "TAHSILAT", "ODEME",  "TEDIYE", "GELIR",
                                                  "GIDER",    "YATAN",  "CEKILEN"};
    return std::find(std::begin(kSides), std::end(kSides), word) != std::end(kSides);
}

}  // namespace

bool isTotalLabel(std::string_view win1254, bool balance) {
    thread_local std::string f;  // asked of many lines: folded without allocating each time
    foldUpperInto(win1254, f);
    // NAKLİ stands alone (NAKLİ YEKÜN), and so does DEVRİ (KASA DEVRİ; DEVRİM is a name);
    // the others may go on (TOPLAMI, YEKÜNÜ, DEVİRLER).
    return hasWord(f, "TOPLAM", false) || hasWord(f, "YEKUN", false) ||
           hasWord(f, "DEVIR", false) || hasWord(f, "DEVRI", true) ||
           hasWord(f, "DEVREDEN", false) || hasWord(f, "NAKLI", true) ||
           hasWord(f, "NAKIL", true) || hasWord(f, "ONCEKI", true) || hasWord(f, "SONRAKI", true) ||
           (hasWord(f, "DONEM", true) && hasWord(f, "BASI", true)) ||
           (balance && hasWord(f, "BAKIYE", false));
}

bool namesATotal(std::string_view win1254) {
    thread_local std::string f;  // asked of every line of a table keyed by names
    foldUpperInto(win1254, f);
    return hasWord(f, "TOPLAM", true) || hasWord(f, "TOPLAMI", true) || hasWord(f, "YEKUN", true) ||
           hasWord(f, "YEKUNU", true);
}

TotalLabel readTotalLabel(std::string_view win1254) {
    TotalLabel label;
    const std::string folded = foldedUpper(win1254);
    // The words, without the brackets, stars and colons around them; which of them stood in
    // brackets.
    std::vector<std::string> words;
    std::vector<char> bracketed;
    std::string word;
    int depth = 0;
    for (std::size_t i = 0; i <= folded.size(); ++i) {
        const char c = i < folded.size() ? folded[i] : ' ';
        if (c == ' ' || c == '(' || c == ')' || c == '*' || c == ':') {
            // A comma or point after a word ends it: "TOPLAM,", not "1.222,33".
            while (!word.empty() && (word.back() == ',' || word.back() == '.')) word.pop_back();
            if (!word.empty()) {
                words.push_back(std::move(word));
                bracketed.push_back(depth > 0);
            }
            word.clear();
            depth = std::max(0, depth + (c == '(') - (c == ')'));
        } else {
            word += c;
        }
    }
    const auto stemOf = [](const std::string& w) -> const Stem* {
        for (const Stem& s : kStems) {
            if (w.rfind(s.stem, 0) == 0 && (!s.whole || w.size() == s.stem.size())) return &s;
        }
        return nullptr;
    };
    // A label's own words say what it covers; those in brackets after them only tell of what
    // ("DEFTER BAKİYESİ (102.01 HESAP)" is no account's total), unless they are all it says.
    bool stemOutside = false;
    for (std::size_t i = 0; i < words.size(); ++i) stemOutside |= !bracketed[i] && stemOf(words[i]);
    bool forward = false, back = false, page = false, grand = false, group = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        const Stem* found = stemOutside && bracketed[i] ? nullptr : stemOf(w);
        if (const auto n = countBefore(words, i)) {
            label.count = n;
            if (!label.words.empty() && label.words.back() == words[i - 1]) label.words.pop_back();
            continue;
        }
        if (!found) {
            label.words.push_back(w);
            continue;
        }
        if (!label.key.empty()) label.key += ' ';
        label.key += found->stem;
        forward |= found->kind == TotalClass::Forward;
        back |= found->kind == TotalClass::Back;
        page |= found->kind == TotalClass::Page;
        grand |= found->kind == TotalClass::Grand;
        group |= found->kind == TotalClass::Group;
    }
    // The family: the key with the label's other words, a number, code or date by its shape
    // and a month by its being one ("OCAK AYI TOPLAMI" and "ŞUBAT AYI TOPLAMI" are one family,
    // "YIL TOPLAMI" and "BÜTÇE TOPLAMI" two).
    label.family = label.key;
    for (const std::string& w : label.words) {
        if (const std::string shape = shapeOf(w); !shape.empty()) {
            label.family += " #" + shape;
        } else if (isMonthName(w)) {
            label.family += " #M";
        } else if (isSideWord(w)) {
            label.family += " #S";
        } else {
            label.family += " " + w;
        }
    }
    // A sum carried on says so first; then the page, everything, a group.
    label.kind = forward ? TotalClass::Forward
                 : back  ? TotalClass::Back
                 : page  ? TotalClass::Page
                 : grand ? TotalClass::Grand
                 : group ? TotalClass::Group
                         : TotalClass::Plain;
    return label;
}

}  // namespace tablamo
