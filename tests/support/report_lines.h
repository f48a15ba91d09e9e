#pragma once
// A report file's bytes from its lines, each ended by CR LF as DOS programs print them, and
// the lines of a table: fields, rule lines, box frames.

#include <string>
#include <vector>

namespace tablamo::testing {

inline std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// A line of fields of these widths parted by one blank; a text starting with ">" stands
// right-aligned in its field.
inline std::string fields(const std::vector<std::string>& texts, const std::vector<int>& widths) {
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) line += ' ';
        std::string text = texts[i];
        const bool right = !text.empty() && text[0] == '>';
        if (right) text.erase(0, 1);
        const std::string pad(static_cast<std::size_t>(widths[i]) - text.size(), ' ');
        line += right ? pad + text : text + pad;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

inline std::string rule(const std::vector<int>& widths) {
    std::vector<std::string> runs;
    for (const int w : widths) runs.emplace_back(static_cast<std::size_t>(w), '-');
    return fields(runs, widths);
}

// The same in a box frame whose cells keep a blank on either side of the text.
inline std::string boxed(const std::vector<std::string>& texts, const std::vector<int>& widths) {
    std::string line = "\xBA";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const std::string cell = fields({i < texts.size() ? texts[i] : ""}, {widths[i]});
        line += ' ' + cell + std::string(static_cast<std::size_t>(widths[i]) - cell.size(), ' ');
        line += i + 1 < widths.size() ? " \xB3" : " \xBA";
    }
    return line;
}

inline std::string boxLine(const std::vector<int>& widths, const char* ends, char tee, char fill) {
    std::string line(1, ends[0]);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        line.append(static_cast<std::size_t>(widths[i]) + 2, fill);
        line += i + 1 < widths.size() ? tee : ends[1];
    }
    return line;
}

}  // namespace tablamo::testing
