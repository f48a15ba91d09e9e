// The converter's command line on any arguments: it gives a job, or help, or a usage error
// with exit status 2; it never raises and never crashes. Arguments are drawn from the
// options and typical values, or are any bytes.

#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/job.h"
#include "cli/options.h"
#include "fuzz_input.h"

namespace {

// Typical values and odd arguments, parted by "|"; the options themselves come from their
// declarations, so that a new option is drawn too.
constexpr std::string_view kTokenList =
    "-h|--help|csv|html|xlsx|out.xlsx|out.xls|out.txt|.|,|/|dmy|mdy|ymd|0|-1|1|99999999999|"
    "2147483647|4,10,12|0,,|----------| |p.json|utf-8|cp857|auto|2|s.jsonl|;|\"|--|rapor.txt||=|"
    "--to=|--jobs=0|-j3|-qo|--help-all|-|ay.xlsx|ay.csv|ay|Hesap Kodu";

const std::vector<std::string>& tokens() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> parts;
        for (const tablamo::cli::OptionDecl& o : tablamo::cli::optionDecls()) {
            const std::string names(o.names);
            for (std::size_t at = 0;;) {
                const std::size_t comma = names.find(',', at);
                parts.push_back(names.substr(at, comma - at));
                if (comma == std::string::npos) break;
                at = comma + 1;
            }
        }
        for (std::size_t at = 0;;) {
            const std::size_t bar = kTokenList.find('|', at);
            parts.emplace_back(kTokenList.substr(at, bar - at));
            if (bar == std::string_view::npos) return parts;
            at = bar + 1;
        }
    }();
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    std::vector<std::string> args;
    while (!in.rest().empty() && args.size() < 24) {
        const std::uint8_t pick = in.byte();
        if (pick < 200) {
            args.push_back(tokens()[pick % tokens().size()]);
        } else if (pick < 230 && !args.empty()) {
            args.back() += "=" + in.text(12);  // an option and its value in one
        } else {
            args.push_back(in.text(16));
        }
    }
    const char decimal = in.flag() ? ',' : '.';
    cli::ParseResult result;
    try {
        result = cli::parseCommandLine(args, decimal, {});
    } catch (const std::exception&) {
        std::abort();  // a command line is refused with a usage error, never by an exception
    }
    if (result.job) {
        const cli::Job& job = *result.job;
        if (result.exitCode != 0 || !result.err.empty()) std::abort();
        if (job.inputs.empty() || job.jobs < 1) std::abort();
        if (!job.clean && (job.lineNumbers || job.strict || job.csvSeparator != 0 ||
                           job.signedBalance || job.openings))
            std::abort();
        if (job.regional.decimalSeparator == '"') std::abort();
        if (!job.clean && (!job.merge.empty() || !job.sheetPer.empty())) std::abort();
        if (!job.merge.empty() && (!job.output.empty() || !job.saveProfile.empty())) std::abort();
    } else if (result.exitCode == 2) {
        if (result.err.rfind("tablamo-convert: ", 0) != 0) std::abort();
    } else if (result.exitCode != 0 || result.out.empty()) {
        std::abort();  // without a job: help on stdout, or a usage error
    }
    return 0;
}
