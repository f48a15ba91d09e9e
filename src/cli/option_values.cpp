#include "cli/option_values.h"

#include "core/encoding.h"
#include "core/error.h"

namespace tablamo::cli {
namespace {

constexpr LayoutOption kLayoutOptions[] = {
    {"--start-row", "StartRow", "N",
     "the first report line read, counted from 0 (StartRow; default 1:\n"
     "the report's first line is left out)"},
    {"--start-column", "StartColumn", "N",
     "the table row the first line read goes to (StartColumn; default 1)"},
    {"--widths", "ColumnWidths", "W1,W2,...",
     "column widths 1..k in characters (k <= 20); the others keep their\n"
     "defaults (ColumnWidths)"},
    {"--no-auto-columns", "AutoColumnSearch", "",
     "cut with the widths as given, without finding the columns in the\n"
     "report's rule or frame line (AutoColumnSearch off)"},
    {"--no-ledger-marks", "LedgerMarks", "",
     "the rule line's last column is not shortened by one for a B/A\n"
     "column (LedgerMarks off)"},
    {"--search-criterion", "SearchCriterion", "T",
     "the text that marks a report's rule line (default ten hyphens;\n"
     "SearchCriterion); texts are given in UTF-8 and held in Windows-1254,\n"
     "so a frame's DOS bytes are typed as Windows-1254 shows them"},
    {"--field-separator", "FieldSeparator", "T",
     "what stands between the rule line's runs (default one blank)"},
    {"--frame-criterion", "FrameCriterion", "T",
     "the text that marks a box frame's top line (default twelve \"\xC3\x8D\",\n"
     "the DOS double rule)"},
    {"--frame-separator", "FrameSeparator", "T",
     "the tee where a column line meets the frame's top line (default\n"
     "\"\xC3\x91\")"},
};

}  // namespace

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return s;
}

const LayoutField& fieldNamed(std::string_view name) {
    for (const LayoutField& f : layoutFields()) {
        if (f.name == name) return f;
    }
    throw Error("no setting " + std::string(name));
}

std::string heldText(const std::string& option, const std::string& utf8) {
    auto text = utf8ToWin1254(utf8);
    if (!text) {
        throw UsageError(option + ": '" + utf8 + "' Windows-1254'te olmayan bir karakter içeriyor");
    }
    return *text;
}

std::string integerText(const std::string& option, const std::string& utf8) {
    const auto text = utf8ToWin1254(utf8);
    std::int32_t value = 0;
    if (!text || !tryStrToInt(*text, value)) {
        throw UsageError(option + ": '" + utf8 + "' geçerli bir tam sayı değil");
    }
    return *text;
}

void applyLayoutOption(const LayoutOption& option, const std::string& value, ReportLayout& layout) {
    const LayoutField& field = fieldNamed(option.field);
    switch (field.kind) {
        case LayoutField::Kind::Integer:
            layout.*field.text = integerText(option.flag, value);
            break;
        case LayoutField::Kind::Text:
            layout.*field.text = heldText(option.flag, value);
            break;
        case LayoutField::Kind::Check:
            layout.*field.check = false;
            break;
        case LayoutField::Kind::Widths: {
            std::vector<std::string> parts;
            std::size_t from = 0;
            for (;;) {
                const std::size_t comma = value.find(',', from);
                parts.push_back(value.substr(from, comma - from));
                if (comma == std::string::npos) break;
                from = comma + 1;
            }
            if (parts.size() > static_cast<std::size_t>(ReportLayout::kWidthCount)) {
                throw UsageError(std::string(option.flag) + ": en çok 20 genişlik verilebilir");
            }
            for (std::size_t k = 0; k < parts.size(); ++k) {
                layout.ColumnWidths[k] = integerText(option.flag, parts[k]);
            }
            break;
        }
    }
}

char oneCharacter(const std::string& option, const std::string& utf8) {
    const std::string held = heldText(option, utf8);
    if (held.size() != 1) throw UsageError(option + ": tek bir karakter gerekir");
    return held[0];
}

std::span<const LayoutOption> layoutOptions() { return kLayoutOptions; }

}  // namespace tablamo::cli
