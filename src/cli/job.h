#pragma once
/// The converter's command line, read into one job.

#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/import_settings.h"
#include "core/regional_settings.h"
#include "export/out_buffer.h"

namespace tablamo::cli {

enum class OutputFormat { Csv, Html, Xlsx };

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
    /// The settings every input starts from: the defaults plus the options.
    ImportSettings settings;
    /// The decimal separator; the date separator and order join with the workbook writer.
    RegionalSettings regional;
    TextEncoding encoding = TextEncoding::Windows1254;
    bool quiet = false;
};

/// The outcome of reading the command line: a job, or the exit status and what to print
/// (--help on stdout, a usage error on stderr).
struct ParseResult {
    std::optional<Job> job;
    int exitCode = 0;
    std::string out;
    std::string err;
};

/// Reads the arguments (without the program name). `localeDecimalSeparator` is the
/// default of --decimal-separator. Every option is checked here, before any file is read;
/// a usage error gives exit status 2.
ParseResult parseCommandLine(const std::vector<std::string>& args, char localeDecimalSeparator);

/// The decimal separator of the user's LC_NUMERIC locale in Windows-1254, "." when it has
/// none or one that Windows-1254 lacks. The process's own locale is not changed.
char localeDecimalSeparator();

/// The extension the format's files get: ".csv", ".html", ".xlsx".
const char* extensionOf(OutputFormat format);

}  // namespace tablamo::cli
