#pragma once
// The report lines the table locator's tests share: a table of three columns, its headings
// and the top of a double box frame around it.

#include <string>
#include <vector>

#include "support/report_lines.h"

namespace tablamo::testing {

inline const std::vector<int> kLocatorWidths = {10, 12, 8};
inline const std::string kLocatorHead = fields({"Tarih", "Aciklama", ">Tutar"}, kLocatorWidths);
inline const std::string kTop = boxLine(kLocatorWidths, "\xC9\xBB", '\xD1', '\xCD');

}  // namespace tablamo::testing
