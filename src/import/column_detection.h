#pragma once
/// Finding a report's column widths from its rule line or its frame line.

namespace tablamo {

class ReportText;
struct ImportSettings;
class UiPort;

/// "Sütun Ara": finds the rule line of hyphens under the headings (from the line of the
/// search criterion's first occurrence on), measures the distances between its field
/// separators and writes them as the column widths. Starts from the default widths.
void Button4Click(const ReportText& text, ImportSettings& settings, UiPort& ui);

/// "Sütun Ara BG": the same for box-framed reports, from the first line that holds the
/// frame criterion, with the frame separator (the tee) as the column boundary.
void Button10Click(const ReportText& text, ImportSettings& settings, UiPort& ui);

}  // namespace tablamo
