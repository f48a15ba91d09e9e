#include "cli/summary.h"

#include <charconv>
#include <cmath>

namespace tablamo::cli {
namespace {

const char* statusName(FileStatus status) {
    switch (status) {
        case FileStatus::Converted:
            return "converted";
        case FileStatus::Rejected:
            return "rejected";
        case FileStatus::Failed:
            break;
    }
    return "failed";
}

}  // namespace

std::size_t utf8Length(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto cont = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if (c == 0xE0 && b(1) < 0xA0) return 0;   // overlong
        if (c == 0xED && b(1) >= 0xA0) return 0;  // surrogates
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if ((c == 0xF0 && b(1) < 0x90) || (c == 0xF4 && b(1) >= 0x90)) return 0;
        return 4;
    }
    return 0;
}

namespace {

void jsonString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const std::size_t n = utf8Length(text.substr(i));
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(text, i, n);
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
        i += n;
    }
    out += '"';
}

// The texts shown, one per line: a message's own CR LF line breaks become LF.
std::string joinedMessages(const std::vector<std::string>& messages) {
    std::string joined;
    for (const std::string& m : messages) {
        if (!joined.empty()) joined += '\n';
        for (std::size_t i = 0; i < m.size(); ++i) {
            if (m[i] == '\r' && i + 1 < m.size() && m[i + 1] == '\n') continue;
            joined += m[i];
        }
    }
    return joined;
}

// True when every byte of `text` belongs to a UTF-8 sequence.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0, n; i < text.size(); i += n) {
        if ((n = utf8Length(text.substr(i))) == 0) return false;
    }
    return true;
}

// A name that is no UTF-8 reads with U+FFFD in its field: beside it goes `key` with its bytes
// percent-encoded (every byte but letters, digits, "-._~/" as %XX), so that a script gets the
// file's own name back (Python: urllib.parse.unquote_to_bytes).
void addNameBytes(std::string& line, const char* key, std::string_view name) {
    if (isUtf8(name)) return;
    static constexpr char kHex[] = "0123456789ABCDEF";
    line += ",\"";
    line += key;
    line += "\":\"";
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
            b == '-' || b == '.' || b == '_' || b == '~' || b == '/') {
            line += c;
        } else {
            line += '%';
            line += kHex[b >> 4];
            line += kHex[b & 0xF];
        }
    }
    line += '"';
}

// "1:05", or "1:02:05" past an hour.
std::string clockText(double seconds) {
    const long s = std::lround(std::max(0.0, seconds));
    const auto two = [](long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    if (s >= 3600) return std::to_string(s / 3600) + ":" + two(s / 60 % 60) + ":" + two(s % 60);
    return std::to_string(s / 60) + ":" + two(s % 60);
}

}  // namespace

std::string decimalText(double value, int digits, char separator) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, digits);
    std::string text(buf, res.ptr);
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text[point] = separator;
    return text;
}

std::string summaryLine(int converted, int failed, int warnings, double seconds, char decimal) {
    return std::to_string(converted) + " dosya dönüştürüldü, " + std::to_string(failed) +
           " başarısız, " + std::to_string(warnings) + " uyarı (" +
           decimalText(seconds, 1, decimal) + " sn)";
}

std::string summaryRecord(const PlannedFile& file, const FileResult& result) {
    std::string line = "{\"input\":";
    jsonString(line, file.input);
    line += ",\"output\":";
    if (file.output.empty()) {
        line += "null";
    } else {
        jsonString(line, file.output);
    }
    addNameBytes(line, "inputBytes", file.input);
    addNameBytes(line, "outputBytes", file.output);
    line += ",\"status\":\"";
    line += statusName(result.status);
    line += "\",\"rows\":" + std::to_string(result.rows);
    line += ",\"warnings\":" + std::to_string(result.warnings());
    line += ",\"unplaced\":" + std::to_string(result.unplaced);
    line += ",\"message\":";
    jsonString(line, joinedMessages(result.messages));
    line += ",\"seconds\":" + decimalText(result.seconds, 3, '.');
    line += "}\n";
    return line;
}

std::string progressText(int done, int total, std::uint64_t bytesDone, std::uint64_t bytesTotal,
                         double elapsedSeconds, char decimal) {
    const double rate = elapsedSeconds > 0 ? static_cast<double>(bytesDone) / elapsedSeconds : 0;
    std::string text = "tablamo-convert: " + std::to_string(done) + "/" + std::to_string(total) +
                       " dosya, " + decimalText(rate / 1e6, 1, decimal) + " MB/sn";
    if (bytesDone > 0 && rate > 0 && bytesTotal >= bytesDone) {
        text += ", kalan " + clockText(static_cast<double>(bytesTotal - bytesDone) / rate);
    }
    return text;
}

}  // namespace tablamo::cli
