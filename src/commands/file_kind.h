#pragma once
/// What a file that is no report is, as far as its first bytes tell, and what the user can do
/// to get the report itself.

#include <string>
#include <string_view>

namespace tablamo {

/// The words for a file the import refused (UTF-8, lines ended by CR LF): what it is (a PDF,
/// an Excel workbook or an older Office file, a zip archive, an image, an RTF or web page, a
/// text saved as UTF-16) and what to do; empty when its bytes do not say.
std::string notAReportHelp(std::string_view bytes);

/// The words for a folder given where a report was expected, offering "Birleştir…" (UTF-8).
std::string folderQuestion(const std::string& path);

}  // namespace tablamo
