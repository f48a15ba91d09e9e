#include "import/format_check.h"

#include "core/import_settings.h"
#include "core/report_text.h"

namespace tablamo {

ReportFormat checkFormat(const ReportText& text, const ReportLayout& layout) {
    return {text.contains(layout.SearchCriterion), text.contains(layout.FrameCriterion)};
}

}  // namespace tablamo
