#include "commands/clean_tables.h"

#include "commands/report_title.h"
#include "core/workspace.h"
#include "export/xlsx_writer.h"

namespace tablamo {

std::size_t cleanTableCount(const Workspace& ws) {
    return ws.book.isClean() ? ws.book.tables.size() : 0;
}

std::vector<std::string> cleanTableNames(const Workspace& ws) {
    std::vector<std::string> names;
    SheetNames taken;
    const std::size_t count = cleanTableCount(ws);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string fallback = "Tablo " + std::to_string(i + 1);
        // A first table named by its maker (a reconciliation's) keeps that name.
        const std::string& name = ws.book.tables[i].name;
        const std::string title = i == 0 && name.empty() ? reportTitle(ws.text).name : name;
        names.push_back(taken.unique(title, fallback));
    }
    return names;
}

void showCleanTable(Workspace& ws, std::size_t index) {
    if (cleanTableCount(ws) > index) ws.book.shown = index;
}

std::vector<BookTable> cleanBook(const Workspace& ws, const PrintSetup& print) {
    std::vector<BookTable> book;
    const std::vector<std::string> names = cleanTableNames(ws);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Book::Table& table = ws.book.tables[i];
        PrintSetup own = print;
        if (table.heading) {
            own.firm = table.heading->firm;
            own.title = table.heading->title;
            own.period = table.heading->period;
        }
        book.push_back({names[i], &table.grid, &*table.clean, own, false});
    }
    return book;
}

namespace {

// A merge's files are named by its tables, as the converter's --merge names them; a report's
// are numbered.
BookFileNames fileNamesOf(const Workspace& ws) {
    return ws.book.isMerge() ? BookFileNames::ByName : BookFileNames::Numbered;
}

}  // namespace

std::vector<std::string> cleanTableFiles(const Workspace& ws, OutputFormat format,
                                         const std::string& path) {
    if (cleanTableCount(ws) < 2) return {path};
    return bookFiles(format, path, cleanBook(ws, {}), fileNamesOf(ws));
}

std::vector<std::string> saveCleanTables(const Workspace& ws, OutputFormat format,
                                         const std::string& path, const WriteOptions& options,
                                         const TargetCheck& check) {
    const std::vector<BookTable> book = cleanBook(ws, options.print);
    const std::vector<std::string> files = bookFiles(format, path, book, fileNamesOf(ws));
    if (check) {
        for (const std::string& file : files) check(file);
    }
    formatInfo(format).writeBook(book, options, files);
    return files;
}

}  // namespace tablamo
