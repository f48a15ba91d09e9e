#pragma once
/// The document: the tables an import gives, one or more, and the one the window shows. A
/// plain import gives one table; a clean import of a report that prints several tables (a
/// sub-ledger, then a summary under other headings) gives one per table, in print order.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/clean_shape.h"
#include "core/grid.h"

namespace tablamo {

/// The tables of one report.
struct Book {
    /// One table: its cells and, for a clean table, its shape (columns, record lines, the
    /// report lines it could not place, the totals' verdict).
    struct Table {
        Grid grid;
        std::optional<CleanShape> clean;  ///< none for a plain table
        /// The line that titles the table in the report (Windows-1254, "HESAP ÖZETİ"); empty
        /// for the first, which the report's own title names, and for one printed untitled.
        std::string name;
        /// What the import said of this table: one "uyarı: …" line per printed figure its
        /// records do not give (UTF-8).
        std::vector<std::string> warnings;
        /// What the printed page's header says of a table the loaded report does not title
        /// (a merge's): its reports' firm, title and period (Windows-1254); none: the
        /// report's own.
        struct Heading {
            std::string firm, title, period;
        };
        std::optional<Heading> heading;
        /// The list of a merge's reports ("Özet"), the book's last table.
        bool summary = false;
    };

    std::vector<Table> tables = std::vector<Table>(1);  ///< never empty
    /// The printed page's header title of tables that are no report's (a reconciliation's),
    /// Windows-1254; empty: the report's own title.
    std::string printTitle;
    std::size_t shown = 0;  ///< the table in the window's grid

    Table& table() { return tables[shown]; }
    const Table& table() const { return tables[shown]; }
    /// Whether the tables are clean tables (a clean import gives only clean ones).
    bool isClean() const { return table().clean.has_value(); }
    /// Whether the tables are several reports merged ("Birleştir…"): the last lists them.
    bool isMerge() const { return tables.back().summary; }
    /// The report lines no table could place, over every table.
    std::size_t unplacedCount() const {
        std::size_t n = 0;
        for (const Table& t : tables) n += t.clean ? t.clean->unplacedLines.size() : 0;
        return n;
    }
    /// Keeps the grid of the table shown alone, as the first table, without a shape, name or
    /// warnings: what an import does before it writes its table into that grid.
    void startTable() {
        if (tables.size() > 1) {
            Table kept = std::move(tables[shown]);
            tables.clear();
            tables.push_back(std::move(kept));
        }
        shown = 0;
        printTitle.clear();
        Table& t = tables.front();
        t.clean.reset();
        t.name.clear();
        t.warnings.clear();
        t.heading.reset();
        t.summary = false;
    }
};

}  // namespace tablamo
