#pragma once
/// The report's title as the first lines print it: the firm, and what the report is, for a
/// printed page's header and a sheet's name.

#include <string>

#include "export/xlsx_writer.h"

namespace tablamo {

class ReportText;

/// The first lines' words, Windows-1254, blanks collapsed, page numbers, dates and periods
/// ("Sayfa : 1", "Tarih : 25.02.2006", "01.01.2005 - 31.12.2005") left out.
struct ReportTitle {
    std::string firm;  ///< the first line's first part ("ERDOĞAN OTOMOTİV SAN.TİC.A.Ş.")
    /// What the report is: the first line's further parts, else the second line unless it
    /// names a field ("Hesap Kodu : …"). Letters printed spaced ("M U A V İ N") are closed up.
    std::string title;
    /// The title's first part alone ("HESAP EKSTRESİ" of "HESAP EKSTRESİ  ÜNAL …").
    std::string name;
    /// The period the report covers, its two dates as printed ("01.01.2024 - 31.03.2024");
    /// empty when the lines above the table print none.
    std::string period;
};

/// Reads the title from the report's first two lines that are not blank, and the period
/// from any line above the table.
ReportTitle reportTitle(const ReportText& text);

/// The first period of two dates in `line` (Windows-1254): "01.01.2024 - 31.03.2024" of
/// "Dönem : 01.01.2024-31.03.2024" (a day and a month of one or two digits, a year of two
/// or four, "." or "/" between them, "-" between the dates); empty when it prints none.
std::string periodIn(std::string_view line);

/// The period from the earlier of two periods' first days to the later of their last days
/// ("01.02.2024 - 31.03.2024" of February's and March's), as periodIn() gives them; the
/// one period when they are the same; empty when either is empty or not two dates.
std::string spannedPeriod(std::string_view a, std::string_view b);

/// How a clean table of the report prints: its firm, title and period in the page header.
PrintSetup printSetupOf(const ReportText& text);

}  // namespace tablamo
