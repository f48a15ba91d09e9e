#include "commands/clean_tables.h"

#include <filesystem>
#include <utility>

#include "commands/report_title.h"
#include "core/platform/files.h"
#include "core/workspace.h"
#include "export/xlsx_writer.h"

namespace tablamo {

std::size_t cleanTableCount(const Workspace& ws) {
    if (!ws.clean) return 0;
    return ws.clean->tables.empty() ? 1 : ws.clean->tables.size();
}

std::vector<std::string> cleanTableNames(const Workspace& ws) {
    std::vector<std::string> names, taken;
    const std::size_t count = cleanTableCount(ws);
    for (std::size_t i = 0; i < count; ++i) {
        const CleanShape& shape = i == ws.clean->shown || ws.clean->tables.empty()
                                      ? *ws.clean
                                      : ws.clean->tables[i].shape;
        const std::string fallback = "Tablo " + std::to_string(i + 1);
        // A first table named by its maker (a reconciliation's) keeps that name.
        const std::string title =
            i == 0 && shape.name.empty() ? reportTitle(ws.text).name : shape.name;
        names.push_back(uniqueSheetName(title, fallback, taken));
    }
    return names;
}

void showCleanTable(Workspace& ws, std::size_t index) {
    if (!ws.clean || index >= ws.clean->tables.size() || index == ws.clean->shown) return;
    std::vector<CleanTable> tables = std::move(ws.clean->tables);
    CleanTable& was = tables[ws.clean->shown];
    std::swap(was.grid, ws.grid);
    was.shape = std::move(*ws.clean);
    CleanTable& next = tables[index];
    std::swap(next.grid, ws.grid);
    CleanShape shown = std::move(next.shape);
    shown.tables = std::move(tables);
    shown.shown = index;
    ws.clean = std::move(shown);
}

std::vector<BookTable> cleanBook(const Workspace& ws, const PrintSetup& print) {
    std::vector<BookTable> book;
    const std::vector<std::string> names = cleanTableNames(ws);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool shown = ws.clean->tables.empty() || i == ws.clean->shown;
        const CleanTable* other = shown ? nullptr : &ws.clean->tables[i];
        book.push_back({names[i], shown ? &ws.grid : &other->grid,
                        shown ? &*ws.clean : &other->shape, print, false});
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
