// The converter's command line on any arguments: it gives a job, or help, or a usage error
// with exit status 2; it never raises and never crashes. Arguments are drawn from the
// options and typical values, or are any bytes.

#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/job.h"
#include "fuzz_input.h"

namespace {

// The options and typical values, parted by "|".
constexpr std::string_view kTokenList =
    "-h|--help|--to|csv|html|xlsx|-o|--output|out.xlsx|out.xls|out.txt|.|--akbank|"
    "--decimal-separator|,|.|--date-separator|/|--date-order|dmy|mdy|ymd|--start-row|"
    "--start-column|0|-1|1|99999999999|--widths|4,10,12|0,,|--no-auto-columns|"
    "--no-ledger-marks|--search-criterion|----------|--field-separator| |"
    "--frame-criterion|--frame-separator|--profile|--save-profile|p.json|"
    "--input-encoding|--encoding|utf-8|cp857|auto|-j|--jobs|2|--summary|s.jsonl|"
    "--clean|--line-numbers|--strict|--csv-separator|;|-q|--quiet|--|rapor.txt||=|"
    "--to=|--jobs=0|-j3|-qo|--help-all|-|--merge|ay.xlsx|ay.csv|ay|--sheet-per|Hesap Kodu";

const std::vector<std::string>& tokens() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> parts;
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
        if (!job.clean && (job.lineNumbers || job.strict || job.csvSeparator != 0)) std::abort();
        if (!job.clean && (!job.merge.empty() || !job.sheetPer.empty())) std::abort();
        if (!job.merge.empty() && (!job.output.empty() || !job.saveProfile.empty())) std::abort();
    } else if (result.exitCode == 2) {
        if (result.err.rfind("tablamo-convert: ", 0) != 0) std::abort();
    } else if (result.exitCode != 0 || result.out.empty()) {
        std::abort();  // without a job: help on stdout, or a usage error
    }
    return 0;
}
