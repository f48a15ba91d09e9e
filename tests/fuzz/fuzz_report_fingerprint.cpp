// A report's fingerprint on any text and criteria: a heading line trimmed, its blanks made
// single, nothing of the control characters left. Under the default criteria a title line
// put on top (dates, a page number) leaves a fingerprint as it was: the same program's
// reports match from one month to the next.

#include <cstdlib>
#include <string>

#include "core/import_settings.h"
#include "core/report_text.h"
#include "fuzz_input.h"
#include "import/report_fingerprint.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tablamo;
    fuzz::Input in(data, size);
    ReportLayout layout;
    const std::uint8_t mode = in.byte();
    if (mode & 1) layout.SearchCriterion = in.text(12);
    if (mode & 2) layout.FrameCriterion = in.text(12);
    const std::string bytes(in.rest());

    const ReportText text(bytes);
    const std::string fingerprint = reportFingerprint(text, layout);
    if (!fingerprint.empty() && (fingerprint.front() == ' ' || fingerprint.back() == ' '))
        std::abort();
    for (std::size_t i = 0; i < fingerprint.size(); ++i) {
        const auto c = static_cast<unsigned char>(fingerprint[i]);
        if (c < 0x20 || (c == ' ' && fingerprint[i + 1] == ' ')) std::abort();
    }
    // A frame or rule on the first line measures nothing, so a title over it changes what
    // the fingerprint is taken from; reports have their title there.
    const std::string_view first = text.line(0);
    const bool titled = first.find(layout.SearchCriterion) == std::string_view::npos &&
                        first.find(layout.FrameCriterion) == std::string_view::npos;
    if ((mode & 3) == 0 && titled && !fingerprint.empty()) {
        const std::string title = "MUAVIN DEFTERI 01.02.2025 - 28.02.2025  SAYFA 3\r\n";
        if (reportFingerprint(ReportText(title + bytes), layout) != fingerprint) std::abort();
    }
    return 0;
}
