#pragma once
/// A report that prints several tables (a sub-ledger, then a summary under other headings):
/// its clean tables shown one at a time in the grid, and saved together.

#include <cstddef>
#include <string>
#include <vector>

#include "commands/table_book.h"
#include "export/output_formats.h"

namespace tablamo {

struct Workspace;

/// How many clean tables the workspace holds: 0 for a plain table, 1 for a report of one.
std::size_t cleanTableCount(const Workspace& ws);

/// The tables' names in print order (Windows-1254): each one's title as the report prints
/// it, the first's the report's own title; a table printed without one "Tablo 2" ….
std::vector<std::string> cleanTableNames(const Workspace& ws);

/// Shows table `index` (from 0, in print order) in the grid. Nothing for an index past the
/// tables.
void showCleanTable(Workspace& ws, std::size_t index);

/// Every clean table in print order (cleanTableNames), each printed with `print` (a table
/// that carries its own heading, a merge's, with that).
std::vector<BookTable> cleanBook(const Workspace& ws, const PrintSetup& print);

/// The files saveCleanTables writes, in order: `path` alone for a workbook or a single table.
std::vector<std::string> cleanTableFiles(const Workspace& ws, OutputFormat format,
                                         const std::string& path);

/// Saves the workspace's clean tables as the format keeps a book: a workbook `path` with a
/// sheet per table, or a file per table (numberedFileName; a merge's named by its tables).
/// `options` carries the notation, the encoding and the print setup; `check`, when given, passes
/// every file before the first is written. Returns the files written, in order.
std::vector<std::string> saveCleanTables(const Workspace& ws, OutputFormat format,
                                         const std::string& path, const WriteOptions& options,
                                         const TargetCheck& check = {});

}  // namespace tablamo
