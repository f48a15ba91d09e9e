#include "core/table_location.h"

#include "core/dos_text.h"

namespace tablamo {
namespace {

constexpr std::uint32_t kToTheEnd = 0xFFFF;

}  // namespace

std::vector<std::int32_t> measuredWidths(std::string_view line, std::string_view separator,
                                         bool ledgerMarks) {
    std::vector<std::int32_t> widths;
    std::string_view rest = line;
    std::int64_t d = 0;
    for (;;) {
        const std::size_t found = separator.empty() ? std::string_view::npos : rest.find(separator);
        if (found == std::string_view::npos) break;
        const auto n = static_cast<std::int64_t>(found) + 1;
        rest = MidChars(line, static_cast<std::uint32_t>(d + n + 2), kToTheEnd);
        d += n;
        widths.push_back(static_cast<std::int32_t>(n));
    }
    if (ledgerMarks) d += 1;
    widths.push_back(static_cast<std::int32_t>(static_cast<std::int64_t>(line.size()) - d));
    return widths;
}

}  // namespace tablamo
