#pragma once
/// The converter's command line, read into one job.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "core/import_settings.h"
#include "core/input_encoding.h"
#include "core/regional_settings.h"
#include "core/text_rules.h"
#include "export/out_buffer.h"
#include "export/output_formats.h"
#include "reconcile/reconciliation.h"

namespace tablamo::cli {

using tablamo::OutputFormat;
using tablamo::ShortDateFormat;

/// A command line that cannot run (exit status 2); nothing has been read or written.
class UsageError : public Error {
public:
    using Error::Error;
};

/// Everything one run of tablamo-convert does.
struct Job {
    std::vector<std::string> inputs;
    OutputFormat format = OutputFormat::Csv;
    std::string output;  ///< -o: a file (one input) or an existing folder; empty: beside each
    bool akbank = false;
    /// The layout every input starts from: the defaults (or --profile's) plus the options.
    ReportLayout layout;
    /// --save-profile: where the layout the single input's import used goes; empty: nowhere.
    std::string saveProfile;
    InputEncoding inputEncoding = InputEncoding::Auto;
    /// The decimal separator, and the date separator and order the workbook's cells are
    /// typed by.
    RegionalSettings regional;
    TextEncoding encoding = TextEncoding::Windows1254;
    bool quiet = false;
    /// -j: how many inputs are converted at once (at least 1).
    int jobs = 1;
    /// --summary: the JSON Lines file written at the end; empty: none.
    std::string summary;
    /// The decimal separator of the user's locale, for the numbers the converter itself
    /// prints (the summary's seconds, the progress line), whatever --decimal-separator says.
    char localeDecimal = '.';
    bool clean = false;          ///< --clean: the clean table ("Temiz tablo")
    bool lineNumbers = false;    ///< --line-numbers: a last column "Satır"
    bool strict = false;         ///< --strict: a total that disagrees fails the input
    bool signedBalance = false;  ///< --signed-balance: balances with B/A marks signed too
    bool openings = false;       ///< --openings: opening balances kept as rows
    char csvSeparator = 0;       ///< --csv-separator; 0: by the decimal separator
    /// --merge: the one file every input's records go into; empty: a file per input.
    std::string merge;
    /// --sheet-per: the heading (Windows-1254) whose values each get a sheet; empty: none.
    std::string sheetPer;
    /// --reconcile: the two inputs are our ledger and the other side's statement.
    bool reconcile = false;
    int days = 5;                                                 ///< --days
    reconcile::Direction direction = reconcile::Direction::Auto;  ///< --same-side, --mirror
};

/// The outcome of reading the command line: a job, or the exit status and what to print
/// (--help on stdout, a usage error on stderr).
struct ParseResult {
    std::optional<Job> job;
    int exitCode = 0;
    std::string out;
    std::string err;
};

struct GivenOptions;

/// The job the options given ask for, each value checked: the layout options as the
/// settings fields read them, --to or the output's ending for the format, the locale's
/// separators and date order where no option names them. Raises UsageError for a value or
/// a combination that cannot run.
Job jobFromOptions(const GivenOptions& given, char localeDecimalSeparator,
                   const ShortDateFormat& localeDate = {});

/// Reads the arguments (without the program name). `localeDecimalSeparator` and
/// `localeDate` are the defaults of --decimal-separator, --date-separator and
/// --date-order (locale_defaults.h gives the window's). Every option is checked here,
/// before any file is read; a usage error gives exit status 2.
/// --help speaks Turkish when `turkish` (turkishHelp()).
ParseResult parseCommandLine(const std::vector<std::string>& args, char localeDecimalSeparator,
                             const ShortDateFormat& localeDate = {}, bool turkish = false);

/// The extension the format's files get: ".csv", ".html", ".xlsx".
inline std::string_view extensionOf(OutputFormat format) { return formatInfo(format).extension; }

}  // namespace tablamo::cli
