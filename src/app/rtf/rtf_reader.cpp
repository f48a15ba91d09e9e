#include "app/rtf/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/encoding.h"

namespace tablamo::rtf {
namespace {

// Characters of a group's format, and whether the group is a destination that is not shown.
struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool skip = false;
    int unicodeSkip = 1;  // \ucN: characters that stand in for each \uN
};

// Destinations whose text is not part of the document's body.
constexpr std::array<std::string_view, 26> kSkippedDestinations = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "header",
    "footer",
    "headerl",
    "headerr",
    "headerf",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "fldinst",
    "filetbl",
};

// Windows-1252 differs from Windows-1254 in these six letters.
char32_t win1252ToUnicode(unsigned char b) {
    switch (b) {
        case 0xD0:
            return 0x00D0;
        case 0xDD:
            return 0x00DD;
        case 0xDE:
            return 0x00DE;
        case 0xF0:
            return 0x00F0;
        case 0xFD:
            return 0x00FD;
        case 0xFE:
            return 0x00FE;
        default:
            return win1254ToUnicode(b);
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Reader {
public:
    explicit Reader(std::string_view in) : m_in(in) {}

    std::optional<Document> run() {
        if (!isRichText(m_in)) return std::nullopt;
        while (m_pos < m_in.size() && !m_done) {
            const char c = m_in[m_pos++];
            switch (c) {
                case '{':
                    if (static_cast<int>(m_stack.size()) >= kMaxNesting) return std::nullopt;
                    m_stack.push_back(m_stack.empty() ? GroupState{} : m_stack.back());
                    m_pendingSkip = 0;
                    break;
                case '}':
                    m_stack.pop_back();
                    m_pendingSkip = 0;
                    if (m_stack.empty()) m_done = true;  // the document's own group is closed
                    break;
                case '\\':
                    if (!control()) return std::nullopt;
                    break;
                case '\r':
                case '\n':
                    break;  // line breaks in the file are not text
                default:
                    character(byteChar(static_cast<unsigned char>(c)));
                    break;
            }
        }
        if (!m_done) return std::nullopt;  // the document's group was never closed
        return std::move(m_doc);
    }

private:
    GroupState& state() { return m_stack.back(); }

    char32_t byteChar(unsigned char b) const {
        return m_codePage == 1252 ? win1252ToUnicode(b) : win1254ToUnicode(b);
    }

    void character(char32_t ch) {
        if (state().skip) return;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        emit(ch);
    }

    void emit(char32_t ch) {
        const GroupState& s = state();
        auto& runs = m_doc.runs;
        if (runs.empty() || runs.back().bold != s.bold || runs.back().italic != s.italic ||
            runs.back().underline != s.underline) {
            runs.push_back(Run{{}, s.bold, s.italic, s.underline});
        }
        runs.back().text += ch;
    }

    // After a backslash. False when the document cannot be read.
    bool control() {
        if (m_pos >= m_in.size()) return false;
        const char c = m_in[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            return symbol(c);
        }
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]) && m_pos - start < 32) ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasParam = true;
            param = std::min<std::int64_t>(param * 10 + (m_in[m_pos] - '0'), 1 << 30);
            ++m_pos;
        }
        if (negative) param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;  // the delimiter belongs to the word
        controlWord(word, hasParam, static_cast<int>(param));
        return true;
    }

    bool symbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                character(static_cast<unsigned char>(c));
                return true;
            case '\'': {
                if (m_pos + 2 > m_in.size()) return false;
                const int hi = hexValue(m_in[m_pos]);
                const int lo = hexValue(m_in[m_pos + 1]);
                if (hi < 0 || lo < 0) return false;
                m_pos += 2;
                character(byteChar(static_cast<unsigned char>(hi * 16 + lo)));
                return true;
            }
            case '~':
                character(0x00A0);
                return true;
            case '_':
                character(0x2011);
                return true;
            case '*':
                state().skip = true;
                return true;  // a destination this reader does not know
            case '\r':
            case '\n':
                character(U'\n');
                return true;
            default:
                return true;  // optional hyphen and the like: nothing to show
        }
    }

    void controlWord(std::string_view w, bool hasParam, int param) {
        GroupState& s = state();
        const bool on = !hasParam || param != 0;
        if (w == "par" || w == "line" || w == "sect" || w == "page") {
            character(U'\n');
        } else if (w == "tab") {
            character(U'\t');
        } else if (w == "b") {
            s.bold = on;
        } else if (w == "i") {
            s.italic = on;
        } else if (w == "ul") {
            s.underline = on;
        } else if (w == "ulnone") {
            s.underline = false;
        } else if (w == "plain") {
            s.bold = s.italic = s.underline = false;
        } else if (w == "ansicpg" && hasParam) {
            m_codePage = param;
        } else if (w == "uc" && hasParam) {
            s.unicodeSkip = std::max(param, 0);
        } else if (w == "u" && hasParam) {
            const int cp = param < 0 ? param + 65536 : param;
            if (!s.skip) {
                if (cp > 0 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) {
                    emit(static_cast<char32_t>(cp));
                }
                m_pendingSkip = s.unicodeSkip;
            }
        } else if (w == "bin" && hasParam) {
            // Binary data (a picture's): that many raw bytes, braces included, are no text.
            m_pos += std::min<std::size_t>(static_cast<std::size_t>(std::max(param, 0)),
                                           m_in.size() - m_pos);
        } else if (w == "emdash") {
            character(0x2014);
        } else if (w == "endash") {
            character(0x2013);
        } else if (w == "bullet") {
            character(0x2022);
        } else if (w == "lquote") {
            character(0x2018);
        } else if (w == "rquote") {
            character(0x2019);
        } else if (w == "ldblquote") {
            character(0x201C);
        } else if (w == "rdblquote") {
            character(0x201D);
        } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), w) !=
                   kSkippedDestinations.end()) {
            s.skip = true;
        }
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_stack;
    int m_pendingSkip = 0;
    int m_codePage = 1254;  // a help file without \ansicpg is taken as Turkish
    bool m_done = false;
    Document m_doc;
};

}  // namespace

std::u32string Document::plainText() const {
    std::u32string text;
    for (const Run& r : runs) text += r.text;
    return text;
}

bool isRichText(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

std::optional<Document> read(std::string_view bytes) { return Reader(bytes).run(); }

}  // namespace tablamo::rtf
