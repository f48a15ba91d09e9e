#include "cli/option_values.h"

#include "core/encoding.h"
#include "core/error.h"
#include "core/grid_filler.h"

namespace tablamo::cli {
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

void applyLayoutOption(const OptionDecl& option, const std::string& value, ReportLayout& layout) {
    const LayoutField& field = fieldNamed(option.layout);
    const std::string flag = longName(option);
    switch (field.kind) {
        case LayoutField::Kind::Integer: {
            layout.*field.text = integerText(flag, value);
            // The table grows to at most kMaxGrownRows rows: a first row past them would stop
            // every import with a grid error that names no setting.
            std::int32_t row = 0;
            if (option.layout == "StartColumn" && tryStrToInt(layout.*field.text, row) &&
                row > kMaxGrownRows) {
                throw UsageError(flag + ": '" + value + "' tablonun en çok " +
                                 std::to_string(kMaxGrownRows) + " satırının dışında");
            }
            break;
        }
        case LayoutField::Kind::Text:
            layout.*field.text = heldText(flag, value);
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
                throw UsageError(flag + ": en çok 20 genişlik verilebilir");
            }
            for (std::size_t k = 0; k < parts.size(); ++k) {
                layout.ColumnWidths[k] = integerText(flag, parts[k]);
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

}  // namespace tablamo::cli
