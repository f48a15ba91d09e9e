#pragma once
/// Several reports' clean tables in one book: the reports with the same headings on one
/// sheet under a first column "Kaynak", those of another shape on sheets of their own, and
/// a last sheet "Özet" listing every report, merged or not.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "commands/report_title.h"
#include "commands/table_book.h"
#include "core/book.h"
#include "export/xlsx_writer.h"

namespace tablamo {

struct Workspace;

/// The merged tables' first heading, and the summary sheet's name (Windows-1254).
inline constexpr const char* kSourceHeading = "Kaynak";
inline constexpr const char* kSummarySheetName = "\xD6zet";

/// How one report of a merge ended.
enum class MergeStatus {
    Merged,    ///< its records are in the book
    Rejected,  ///< no report, no record told apart, or empty: nothing of it merged
    Failed,    ///< it could not be read
};

/// One report of a merge, as "Özet" and the converter's summary list it.
struct MergedReport {
    std::string source;  ///< the "Kaynak" text: its path under the input folder (UTF-8)
    MergeStatus status = MergeStatus::Failed;
    /// The sheets of its records, listed (Windows-1254); empty when none.
    std::string sheet;
    /// Where each of its tables went: the merged table, its grid row of the table's first
    /// record, and its records.
    struct Placed {
        std::size_t table = 0;
        int firstRow = 0;
        int records = 0;
    };
    std::vector<Placed> placed;
    int records = 0;         ///< of every table
    int totalsChecked = 0;   ///< printed total lines compared with its records
    int totalsDisagree = 0;  ///< of those, the ones that do not agree
    int warnings = 0;        ///< totals that disagree, and a note of characters lost
    std::vector<std::int32_t> unplacedLines;  ///< as the clean table gives them
    std::vector<std::string> messages;        ///< what was said of it, in order (UTF-8)
    std::string note;                         ///< when every printed total agrees
    /// Its closing total as printed, and what its first table's records add up to
    /// (printedTotalLine, recordSumsText; Windows-1254).
    std::string printedTotal, recordSums;
    double seconds = 0;
};

/// The merged tables, filled report by report in the order the reports come.
class ReportMerge {
public:
    ReportMerge();
    ~ReportMerge();
    ReportMerge(const ReportMerge&) = delete;
    ReportMerge& operator=(const ReportMerge&) = delete;

    /// Adds every clean table of the book `ws` holds under `report.source`: each to the sheet
    /// of its headings (case, Turkish marks and blanks not counting), or to a new one named by
    /// its title (the report's for the first table). A column's kind that differs between the
    /// reports becomes text; its width the widest. Sets the report's sheets, where each table
    /// went, its records, totals checked and lines not placed.
    void add(const Workspace& ws, MergedReport& report);

    /// The name of merged table `index` (Windows-1254).
    const std::string& name(std::size_t index) const;

    /// The merged tables, in the order their first report came, each printed with the firm,
    /// title and period its reports share (a title they do not share: the table's name).
    std::vector<BookTable> tables();

    /// Gives up every merged table into `book`, in order, each with its name and what its
    /// printed page's header says, then "Özet" of `reports` last; the first table is shown.
    void intoBook(const std::vector<MergedReport>& reports, Book& book);

    /// How many merged tables there are.
    std::size_t size() const { return m_sheets.size(); }

    /// Gives up the merged table `index` (for the window's grid, or to split it into groups).
    Grid takeGrid(std::size_t index, CleanShape& shape);

private:
    struct Sheet;
    std::size_t sheetFor(const Grid& grid, const CleanShape& shape, const ReportTitle& title);

    std::vector<std::unique_ptr<Sheet>> m_sheets;  // held apart: a table writer refers to each
    std::unordered_map<std::string, std::size_t> m_byHeadings;
    SheetNames m_names;  // every sheet name given, "Özet" first
};

/// "Özet": a row per report (Kaynak, Sayfa, Durum, Açıklama, Raporun toplamı, Kayıtların
/// toplamı, Kayıt, Denetlenen toplam, Uyarı, Yerleştirilemeyen satır), its shape naming the
/// six text columns, as narrow as a landscape page wants them (their texts wrap); the counts
/// are typed by their values.
struct SummaryTable {
    Grid grid;
    CleanShape shape;
};
SummaryTable summaryTable(const std::vector<MergedReport>& reports);

/// Saves the merge under `path` (saveBook): its tables, each split by the values of the
/// column headed `sheetPer` when given and the table has it (sheets named by the values,
/// with their totals), then "Özet" last. Each report's sheet is set to the sheets its
/// records went to before "Özet" is made; `check`, when given, passes every file before the
/// first is written. Returns the files written.
std::vector<std::string> saveMerge(ReportMerge& merge, std::vector<MergedReport>& reports,
                                   OutputFormat format, const std::string& path,
                                   const WriteOptions& options, std::string_view sheetPer = {},
                                   const TargetCheck& check = {});

/// The words "Özet" gives each status (UTF-8): "birleştirildi", "alınmadı", "okunamadı".
const char* statusWords(MergeStatus status);

}  // namespace tablamo
