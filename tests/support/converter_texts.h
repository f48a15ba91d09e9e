#pragma once
// What the converter says of an input that is no report: the import's three lines and the
// converter's line saying why, each behind the input's name.

#include <string>

namespace tablamo::testing {

/// The lines, joined by line breaks, without a break after the last.
inline std::string notAReportLines(const std::string& in) {
    return in + ": Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\n" + in +
           ": Lütfen açıklamalar doğrultusunda geçerli\n" + in +
           ": dosyalarla işleme devam edin.\n" + in +
           ": neden: dosyada ne arama kriterini (\"----------\") taşıyan bir satır ne de çerçeve "
           "satırı (\"════════════\") var";
}

}  // namespace tablamo::testing
