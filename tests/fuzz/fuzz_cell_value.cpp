// The workbook's typing of a cell: any text, any regional settings.

#include <cmath>
#include <cstdlib>

#include "export/cell_value.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    RegionalSettings regional;
    regional.decimalSeparator = static_cast<char>(in.byte());
    regional.dateSeparator = static_cast<char>(in.byte());
    regional.dateOrder = static_cast<DateOrder>(in.byte() % 3);
    const Date today{in.number(1, 9999), in.number(1, 12), in.number(1, 28)};
    const std::string_view text = in.rest();

    const CellValue v = cellValue(text, regional, today);
    if (v.text != text) std::abort();
    switch (v.kind) {
        case CellValue::Kind::Date:
            if (!isValidDate(v.date)) std::abort();
            break;
        case CellValue::Kind::Number:
            if (!std::isfinite(v.number)) std::abort();
            break;
        case CellValue::Kind::Text:
            break;
    }
    return 0;
}
