#pragma once
/// How each input of a run ended, and the texts made of it: the closing summary line, the
/// JSON Lines summary file and the progress line. Numbers are written without the C
/// library's locale.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/plan.h"

namespace tablamo::cli {

/// How the conversion of one input ended.
enum class FileStatus {
    Converted,  ///< written
    Rejected,   ///< the import refused the text (no report, an empty file): nothing written
    Failed,     ///< it could not be read or written
};

/// What one input gave.
struct FileResult {
    FileStatus status = FileStatus::Failed;
    int rows = 0;  ///< rows of the table written, the letter row not counted
    /// The texts shown for it, in order (UTF-8); for an input converted all the same they
    /// are its warnings.
    std::vector<std::string> messages;
    double seconds = 0;
    int warningCount = 0;  ///< of a converted input: totals that disagree, characters lost
    std::string note;      ///< of a converted input: for its line ("8 toplam … tutuyor")
    int unplaced = 0;      ///< of a converted clean table: report lines it could not place
    /// Converted, but --strict fails the run for its warnings or lines not placed.
    bool strictFailed = false;

    int warnings() const { return status == FileStatus::Converted ? warningCount : 0; }
};

/// The length of the UTF-8 sequence at the start of `s` (1 to 4), 0 when it is not one.
std::size_t utf8Length(std::string_view s);

/// `value` with `digits` decimals and `separator` before them ("12,4").
std::string decimalText(double value, int digits, char separator);

/// The closing line of a run of several inputs: "302 dosya dönüştürüldü, 3 başarısız,
/// 1 uyarı (12,4 sn)", the seconds in the user's decimal notation.
std::string summaryLine(int converted, int failed, int warnings, double seconds, char decimal);

/// The summary file's line of one input: a JSON object with input, output, status
/// ("converted", "rejected", "failed"), rows, warnings, unplaced (the report lines a clean
/// table could not place), message (the texts shown, one per line) and seconds; then a line
/// break. Bytes that are not UTF-8 read as U+FFFD; a name holding such bytes is given once
/// more, exactly, in "inputBytes" or "outputBytes": its bytes percent-encoded (all but
/// letters, digits and "-._~/" as %XX).
std::string summaryRecord(const PlannedFile& file, const FileResult& result);

/// The progress line's text: "tablamo-convert: 12/302 dosya, 45,3 MB/sn, kalan 0:12"; the
/// time left once some bytes are done.
std::string progressText(int done, int total, std::uint64_t bytesDone, std::uint64_t bytesTotal,
                         double elapsedSeconds, char decimal);

}  // namespace tablamo::cli
