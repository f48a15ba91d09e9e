#include "commands/clean_tables.h"

#include <filesystem>

#include "commands/report_title.h"
#include "core/platform/files.h"
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
        const std::string title = i == 0 ? reportTitle(ws.text).name : ws.book.tables[i].name;
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
        book.push_back({names[i], &table.grid, &*table.clean, print, false});
    }
    return book;
}

std::string numberedFileName(const std::string& path, std::size_t index) {
    if (index == 0) return path;
    std::filesystem::path file = platform::toFsPath(path);
    const std::string stem = platform::fromFsPath(file.stem());
    const std::string ending = platform::fromFsPath(file.extension());
    file.replace_filename(platform::toFsPath(stem + "-" + std::to_string(index + 1) + ending));
    return platform::fromFsPath(file);
}

std::vector<std::string> cleanTableFiles(const Workspace& ws, OutputFormat format,
                                         const std::string& path) {
    std::vector<std::string> files = {path};
    if (format == OutputFormat::Xlsx) return files;
    for (std::size_t i = 1; i < cleanTableCount(ws); ++i)
        files.push_back(numberedFileName(path, i));
    return files;
}

std::vector<std::string> saveCleanTables(const Workspace& ws, OutputFormat format,
                                         const std::string& path, const WriteOptions& options,
                                         const TargetCheck& check) {
    const std::vector<BookTable> book = cleanBook(ws, options.print);
    if (format == OutputFormat::Xlsx) return saveBook(book, format, path, options, check);
    const std::vector<std::string> written = cleanTableFiles(ws, format, path);
    saveEachTable(book, format, written, options, check);
    return written;
}

}  // namespace tablamo
