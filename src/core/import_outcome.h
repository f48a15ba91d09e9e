#pragma once
/// How an import or a column detection ended, for the commands to show.

#include <string>
#include <vector>

namespace tablamo {

/// How an import ended when it raised no error.
enum class ImportStatus {
    Imported,    ///< the text was cut into the grid (or the widths were detected)
    EmptyText,   ///< there was no line: nothing changed
    NotAReport,  ///< the text is not in the format the import reads: nothing changed
    NoRecords,   ///< clean table: no line could be told to be a record; the grid holds the
                 ///< plain import instead
};

/// The status and the message the window shows for it (UTF-8; empty: nothing to show).
struct ImportOutcome {
    ImportOutcome(ImportStatus s = ImportStatus::Imported, std::string m = {})
        : status(s), message(std::move(m)) {}

    ImportStatus status = ImportStatus::Imported;
    std::string message;
    /// Clean table: one "uyarı: …" line per printed total the records do not add up to.
    std::vector<std::string> warnings;
    /// Clean table: a short note when every printed total agrees ("8 toplam satırı
    /// kayıtlarla tutuyor"); empty otherwise.
    std::string note;
    /// Why the text is not a report (which markers it lacks), for the converter's line
    /// after the message; the window shows the message alone.
    std::string reason;

    bool imported() const { return status == ImportStatus::Imported; }
};

/// The message an import gives when the text is not a report it reads.
inline constexpr const char* kNotAReportMessage =
    "Excel e aktarmaya çalıştığınız dosya formatı geçerli değil.\r\n"
    "Lütfen açıklamalar doğrultusunda geçerli\r\n"
    "dosyalarla işleme devam edin.";

/// The outcome of a text that is not a report.
inline ImportOutcome notAReport() { return {ImportStatus::NotAReport, kNotAReportMessage}; }

}  // namespace tablamo
