// Writes a realistic sub-ledger ("Muavin") report of N lines to stdout: code page 857
// text, CR LF line breaks, a page of 60 lines behind a form feed, each page headed by the
// title, the account, the column headings and their rule line of hyphens; amounts such as
// 1.234.567,89 and Turkish letters in the texts. The same N always gives the same bytes.
// With --carried every page also carries its sums: DEVİR under the headings (the page
// before's), and at its foot a rule, SAYFA TOPLAMI and NAKLİ YEKÜN. With --wide it is a
// monthly attendance and pay sheet printed condensed instead: 45 columns (the employee, a
// one-character mark for each of 31 days under day numbers stacked digit over digit, the
// day counts and the pay), a rule of runs under the headings and a page total of the pay.
//
//   make-report N [--carried | --wide] > report.txt

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Code page 857 letters: ı İ ş Ş ğ Ğ ü Ü ö Ö ç Ç
#define I_DOTLESS "\x8D"
#define I_DOT "\x98"
#define S_LOW "\x9F"
#define S_UP "\x9E"
#define G_LOW "\xA7"
#define U_LOW "\x81"
#define U_UP "\x9A"
#define O_LOW "\x94"
#define O_UP "\x99"
#define C_LOW "\x87"
#define C_UP "\x80"

const char* const kTexts[] = {
    "Sat" I_DOTLESS S_LOW " faturas" I_DOTLESS,
    C_UP "ek tahsilat" I_DOTLESS " - " I_DOT S_LOW " Bankas" I_DOTLESS,
    "Havale, Ziraat Bankas" I_DOTLESS,
    I_DOT "ade faturas" I_DOTLESS,
    "Kur fark" I_DOTLESS " d" U_LOW "zeltmesi",
    O_UP "deme emri - Yap" I_DOTLESS " Kredi",
    "Senet tahsili",
    "A" C_LOW I_DOTLESS "l" I_DOTLESS S_LOW " fi" S_LOW "i",
    "Da" G_LOW I_DOTLESS "t" I_DOTLESS "m gideri " C_LOW "ay, " S_LOW "eker",
    "Mahsup fi" S_LOW "i, " O_LOW "nceki d" O_LOW "nem",
    "K" I_DOTLESS "rtasiye malzemesi",
    "Nakliye " U_LOW "creti (" S_UP "ubat)",
};
const char* const kAccounts[] = {
    "120.01.001 ALICILAR - " O_UP "ZT" U_UP "RK GIDA LTD." S_UP "T" I_DOT ".",
    "320.02.014 SATICILAR - " C_UP "EL" I_DOT "K MAK" I_DOT "NA A." S_UP ".",
    "102.01.003 BANKALAR - " I_DOT S_UP " BANKASI KADIK" O_UP "Y",
};

std::uint64_t g_state = 0x9E3779B97F4A7C15ull;
std::uint32_t next() {
    g_state ^= g_state << 13;
    g_state ^= g_state >> 7;
    g_state ^= g_state << 17;
    return static_cast<std::uint32_t>(g_state >> 11);
}

// 1.234.567,89
std::string amount(std::uint64_t kurus) {
    std::string digits = std::to_string(kurus / 100);
    std::string grouped;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i && (n - i) % 3 == 0) grouped += '.';
        grouped += digits[static_cast<std::size_t>(i)];
    }
    char cents[4];
    std::snprintf(cents, sizeof cents, ",%02u", static_cast<unsigned>(kurus % 100));
    return grouped + cents;
}

std::string padRight(std::string s, std::size_t w) {
    if (s.size() < w) s.append(w - s.size(), ' ');
    return s;
}
std::string padLeft(const std::string& s, std::size_t w) {
    return s.size() < w ? std::string(w - s.size(), ' ') + s : s;
}

// Columns: date 10, slip 8, document 10, text 50, debit 16, credit 16, balance 17, mark
// (the amounts 6 wider for sums carried over a whole year). Each followed by one blank; the
// rule line's runs match them.
std::size_t g_amount = 16;

std::string ruleLine() {
    std::string s;
    for (const std::size_t w : {std::size_t{10}, std::size_t{8}, std::size_t{10}, std::size_t{50},
                                g_amount, g_amount, g_amount + 1})
        s += std::string(w, '-') + ' ';
    s += "-";
    return s;
}

}  // namespace

// The attendance sheet of --wide: `total` lines into `line`.
template <class Line>
void wideSheet(long total, Line&& line) {
    constexpr int kDays = 31;
    constexpr int kPerPage = 52;
    const char* const marks = "XXXXXXXXXXXXXXXXXXXXXHHHHI" I_DOT "R.";
    const char* const names[] = {"Ahmet Y" I_DOTLESS "lmaz",
                                 "Ay" S_LOW "e Demir",
                                 "Mehmet " O_UP "zt" U_LOW "rk",
                                 "Fatma " C_UP "elik",
                                 "Mustafa Kaya",
                                 "Zeynep Arslan",
                                 "H" U_LOW "seyin Do" G_LOW "an",
                                 "Elif " S_UP "ahin"};
    const std::size_t m = 12;  // the pay columns' width
    std::string tens = std::string(29, ' '),
                ones = padRight("Sicil", 6) + padRight("Ad" I_DOTLESS " Soyad" I_DOTLESS, 23);
    std::string rule = std::string(5, '-') + " " + std::string(22, '-') + " ";
    for (int d = 1; d <= kDays; ++d) {
        tens += (d >= 10 ? std::string(1, static_cast<char>('0' + d / 10)) : " ") + " ";
        ones += std::string(1, static_cast<char>('0' + d % 10)) + " ";
        rule += "- ";
    }
    const char* const counts[] = {"" C_UP "al", "H.T", I_DOT "zn", "Rap", "" U_UP "cr", "Top"};
    for (const char* c : counts) {
        tens += "    ";
        ones += padLeft(c, 3) + " ";
        rule += "--- ";
    }
    const char* const pay[] = {
        "Br" U_LOW "t " U_UP "cret", "SGK " I_DOT S_LOW "ci", "Gelir V.", "Damga V.", "Kesinti",
        "Net " U_UP "cret"};
    for (std::size_t i = 0; i < 6; ++i) {
        tens += std::string(m + 1, ' ');
        ones += padLeft(pay[i], m) + (i + 1 < 6 ? " " : "");
        rule += std::string(m, '-') + (i + 1 < 6 ? " " : "");
    }
    long written = 0;
    int page = 0;
    long employee = 0;
    while (written < total) {
        ++page;
        const std::string head[] = {
            std::string(page > 1 ? "\f" : "") + "\x0F" O_UP "RNEK T" I_DOT "CARET A." S_UP "." +
                std::string(60, ' ') + "Sayfa: " + std::to_string(page),
            std::string(40, ' ') + "PUANTAJ VE " U_UP "CRET L" I_DOT "STES" I_DOT " - OCAK 2005",
            "",
            tens,
            ones,
            rule};
        for (const auto& h : head) {
            if (written++ < total) line(h);
        }
        std::uint64_t sums[6] = {};
        for (int i = 0; i < kPerPage && written < total; ++i, ++written) {
            ++employee;
            char sicil[8];
            std::snprintf(sicil, sizeof sicil, "%05ld", employee % 100000);
            std::string s = padRight(sicil, 6) + padRight(names[employee % 8], 23);
            int n[6] = {};
            for (int d = 0; d < kDays; ++d) {
                const char c = marks[next() % 29];
                s += c;
                s += ' ';
                n[c == 'X' ? 0 : c == 'H' ? 1 : c == '.' ? 4 : 2] += c != '\x98' && c != 'R';
                if (c == 'R') ++n[3];
            }
            n[5] = n[0] + n[1] + n[2] + n[3];
            for (int k = 0; k < 6; ++k) s += padLeft(std::to_string(n[k]), 3) + " ";
            const std::uint64_t gross = 2000000 + next() % 6000000;
            const std::uint64_t v[6] = {
                gross, gross * 14 / 100, gross * 15 / 100, gross * 759 / 100000, 0, 0};
            std::uint64_t row[6] = {v[0], v[1], v[2], v[3], next() % 20000, 0};
            row[5] = row[0] - row[1] - row[2] - row[3] - row[4];
            for (int k = 0; k < 6; ++k) {
                sums[k] += row[k];
                s += padLeft(amount(row[k]), m) + (k + 1 < 6 ? " " : "");
            }
            line(s);
        }
        std::string foot = std::string(29 + 2 * kDays + 4 * 6, ' ');
        for (int k = 0; k < 6; ++k) foot += padLeft(amount(sums[k]), m) + (k + 1 < 6 ? " " : "");
        foot.replace(6, 13, "SAYFA TOPLAMI");
        if (written++ < total) line(foot);
    }
}

int main(int argc, char** argv) {
    const bool carried = argc == 3 && std::strcmp(argv[2], "--carried") == 0;
    const bool wide = argc == 3 && std::strcmp(argv[2], "--wide") == 0;
    if (argc != 2 && !carried && !wide) {
        std::fprintf(stderr, "usage: make-report N [--carried | --wide] > report.txt\n");
        return 2;
    }
    const long total = std::atol(argv[1]);
    if (carried) g_amount = 22;
    const std::size_t w = g_amount;
    std::vector<char> out;
    out.reserve(1 << 22);
    auto flush = [&] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    auto line = [&](const std::string& s) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back('\r');
        out.push_back('\n');
        if (out.size() > (1 << 22)) flush();
    };

    if (wide) {
        wideSheet(total, line);
        flush();
        return 0;
    }
    const std::string rule = ruleLine();
    const std::string heading =
        padRight("Tarih", 11) + padRight("Fi" S_LOW " No", 9) + padRight("Evrak No", 11) +
        padRight("A" C_LOW I_DOTLESS "klama", 51) + padLeft("Bor" C_LOW, w) + " " +
        padLeft("Alacak", w) + " " + padLeft("Bakiye", w + 1) + " B/A";
    std::int64_t balance = 0;
    std::uint64_t debitSum = 0, creditSum = 0, pageDebit = 0, pageCredit = 0;
    long written = 0;
    int page = 0;
    int day = 0;
    // A line of sums under the description: debit, credit and the balance with its mark.
    auto sums = [&](const std::string& label, std::uint64_t d, std::uint64_t c) {
        const std::string bal =
            amount(static_cast<std::uint64_t>(balance < 0 ? -balance : balance));
        return std::string(31, ' ') + padRight(label, 51) + padLeft(amount(d), w) + " " +
               padLeft(amount(c), w) + " " + padLeft(bal, w + 1) + " " + (balance < 0 ? "A" : "B");
    };
    while (written < total) {
        ++page;
        const std::string account = kAccounts[(page / 40) % 3];
        const std::string head[] = {
            std::string(page > 1 ? "\f" : "") + O_UP "RNEK T" I_DOT "CARET A." S_UP "." +
                std::string(40, ' ') + "MUAV" I_DOT "N DEFTER" I_DOT + std::string(30, ' ') +
                "Sayfa: " + padLeft(std::to_string(page), 6),
            "Hesap: " + account + "    D" O_LOW "nem: 01.01.2005 - 31.12.2005",
            "",
            heading,
            rule,
        };
        for (const auto& h : head) {
            if (written++ < total) line(h);
        }
        int records = 55;
        if (carried) {
            records = 51;
            if (page > 1 && written++ < total) line(sums("DEV" I_DOT "R", debitSum, creditSum));
            pageDebit = pageCredit = 0;
        }
        for (int i = 0; i < records && written < total; ++i, ++written) {
            ++day;
            char date[16];
            std::snprintf(date, sizeof date, "%02d.%02d.2005", day % 28 + 1, (day / 28) % 12 + 1);
            const std::uint32_t r = next();
            // Mostly amounts of a few thousand, now and then millions.
            const std::uint64_t kurus = (r % 8 == 0) ? next() % 500000000ull : next() % 2000000ull;
            const bool debit = (r >> 8) % 3 != 0;
            balance += debit ? static_cast<std::int64_t>(kurus) : -static_cast<std::int64_t>(kurus);
            (debit ? debitSum : creditSum) += kurus;
            (debit ? pageDebit : pageCredit) += kurus;
            char slip[16], doc[16];
            std::snprintf(slip, sizeof slip, "%06u", static_cast<unsigned>(next() % 1000000));
            std::snprintf(doc, sizeof doc, "A-%06u", static_cast<unsigned>(next() % 1000000));
            std::string text = kTexts[(r >> 12) % (sizeof kTexts / sizeof *kTexts)];
            if ((r >> 20) % 2) text += " " + std::to_string(next() % 10000);
            const std::string amt = amount(kurus);
            const std::string bal =
                amount(static_cast<std::uint64_t>(balance < 0 ? -balance : balance));
            line(padRight(date, 11) + padRight(slip, 9) + padRight(doc, 11) + padRight(text, 51) +
                 padLeft(debit ? amt : "", w) + " " + padLeft(debit ? "" : amt, w) + " " +
                 padLeft(bal, w + 1) + " " + (balance < 0 ? "A" : "B"));
        }
        if (carried) {
            const std::string foot[] = {
                std::string(82, ' ') + std::string(w, '-') + " " + std::string(w, '-') + " " +
                    std::string(w + 1, '-'),
                sums("SAYFA TOPLAMI", pageDebit, pageCredit),
                sums("NAKL" I_DOT " YEK" U_UP "N", debitSum, creditSum),
            };
            for (const auto& f : foot) {
                if (written++ < total) line(f);
            }
        }
    }
    flush();
    return 0;
}
