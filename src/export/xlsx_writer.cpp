#include "export/xlsx_writer.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/encoding.h"
#include "core/text_rules.h"
#include "core/error.h"
#include "core/grid.h"
#include "export/safe_file.h"

namespace tablamo {

std::string CellAddress(int row, int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return letters + std::to_string(row);
}

std::string worksheetName(std::string_view name, int index) {
    std::string result(name);
    if (index > 0) result += " (" + std::to_string(index + 1) + ")";
    return result;
}

std::string dateNumberFormat(const RegionalSettings& regional) {
    const std::string sep = std::string("\\") + regional.dateSeparator;
    switch (regional.dateOrder) {
        case DateOrder::MonthDayYear:
            return "mm" + sep + "dd" + sep + "yyyy";
        case DateOrder::YearMonthDay:
            return "yyyy" + sep + "mm" + sep + "dd";
        case DateOrder::DayMonthYear:
            break;
    }
    return "dd" + sep + "mm" + sep + "yyyy";
}

std::string xlsxFileName(std::string_view path) {
    std::string name(path);
    if (endsWithNoCase(name, ".xlsx")) return name;
    if (endsWithNoCase(name, ".xls")) return name.substr(0, name.size() - 4) + ".xlsx";
    return name + ".xlsx";
}

namespace {

// The system's temporary folder ($TMPDIR when it names a folder).
std::string temporaryFolder() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    return ec ? "/tmp" : folder.string();
}

// The one place a libxlsxwriter failure becomes the user's error text.
[[noreturn]] void raise(const std::string& path, lxw_error err) {
    throw cannotCreateFile(path, lxw_strerror(err));
}

class Workbook {
public:
    Workbook(const std::string& file, const std::string& userPath, bool zip64)
        : m_userPath(userPath) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = zip64 ? LXW_TRUE : LXW_FALSE;
        // The worksheets' temporary files go where the room for them is checked.
        options.tmpdir = m_tmpdir.data();
        m_book = workbook_new_opt(file.c_str(), &options);
        if (!m_book) raise(m_userPath, LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    // On a way out by an error the workbook is still closed, not just freed: only closing
    // releases the worksheets' temporary files of the constant-memory mode. What it writes
    // goes to the temporary file, which is removed right after.
    ~Workbook() {
        if (m_book) workbook_close(m_book);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_worksheet* addWorksheet(const std::string& utf8Name) {
        check(workbook_validate_sheet_name(m_book, utf8Name.c_str()));
        lxw_worksheet* sheet = workbook_add_worksheet(m_book, utf8Name.c_str());
        if (!sheet) raise(m_userPath, LXW_ERROR_MEMORY_MALLOC_FAILED);
        m_sheets.push_back(sheet);
        return sheet;
    }
    lxw_format* addNumberFormat(const std::string& numFormat) {
        lxw_format* format = workbook_add_format(m_book);
        if (!format) raise(m_userPath, LXW_ERROR_MEMORY_MALLOC_FAILED);
        format_set_num_format(format, numFormat.c_str());
        return format;
    }
    /// Writes the package; the workbook is gone afterwards, written or not.
    void close() {
        // The constant-memory mode writes the rows into a temporary file, and on closing
        // copies them into a second one, the sheet's part, without looking at write errors:
        // a full temporary folder or a file size limit would cut the sheet short in a
        // workbook that then counts as saved. So the rows must have been written whole, and
        // room for the largest sheet's copy is made sure of before the copies are made.
        off_t largest = 0;
        for (lxw_worksheet* sheet : m_sheets) {
            FILE* rows = sheet->optimize_tmpfile;
            if (!rows) continue;
            errno = 0;
            if (std::fflush(rows) != 0 || std::ferror(rows)) fail(errno != 0 ? errno : EIO);
            largest = std::max(largest, ::ftello(rows));
        }
        ensureRoom(largest + kSheetFrame);
        lxw_workbook* book = m_book;
        m_book = nullptr;
        errno = 0;
        const lxw_error err = workbook_close(book);
        // A file the library could not write leaves the system's reason in errno ("No space
        // left on device"), which says more than the library's own text for it.
        const bool fileError = err == LXW_ERROR_CREATING_XLSX_FILE ||
                               err == LXW_ERROR_CREATING_TMPFILE ||
                               err == LXW_ERROR_READING_TMPFILE ||
                               err == LXW_ERROR_ZIP_FILE_OPERATION;
        if (fileError && errno != 0) fail(errno);
        check(err);
    }
    void check(lxw_error err) const {
        if (err != LXW_NO_ERROR) raise(m_userPath, err);
    }

private:
    // What a sheet's part holds besides its rows: the head with the column widths, the tail.
    static constexpr off_t kSheetFrame = 64 << 10;

    [[noreturn]] void fail(int err) const { throw cannotCreateFile(m_userPath, systemReason(err)); }

    // Reserves `size` bytes in a nameless file of the temporary folder and gives them back.
    void ensureRoom(off_t size) const {
        const int fd = ::open(m_tmpdir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd < 0) return;  // a folder without nameless files: the copy goes unchecked
        const int err = ::posix_fallocate(fd, 0, size);
        ::close(fd);
        if (err != 0 && err != EOPNOTSUPP && err != EINVAL) fail(err);
    }

    std::string m_userPath;
    std::string m_tmpdir = temporaryFolder();
    lxw_workbook* m_book = nullptr;
    std::vector<lxw_worksheet*> m_sheets;
};

// A grid text as libxlsxwriter takes it: UTF-8, zero-terminated. libxlsxwriter writes
// control characters as "_xHHHH_"; a text that holds such a sequence literally gets its
// "_" written as "_x005F_" so that it reads back unchanged. A zero byte, which would end
// the C string, is written as "_x0000_" like the other control characters.
void toWorkbookText(std::string_view text, std::string& out) {
    out.clear();
    auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte == 0) {
            out += "_x0000_";
        } else if (byte == '_' && i + 6 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
                   isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) &&
                   isHex(text[i + 5]) && text[i + 6] == '_') {
            out += "_x005F_";
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else {
            appendUtf8(out, win1254ToUnicode(byte));
        }
    }
}

}  // namespace

void SaveToExcel(const Grid& grid, std::string_view sheetName, const std::string& path,
                 const RegionalSettings& regional, const Date& today) {
    const int dataRows = grid.rowCount() > 1 ? grid.rowCount() - 1 : 0;
    // A zip member past 4 GB needs the ZIP64 extensions; only a very large grid can get
    // there, and ordinary workbooks stay in the plain format.
    const std::uint64_t estimate = std::uint64_t{grid.storageBytes()} * 2 +
                                   std::uint64_t(dataRows) * (Grid::kColumnCount - 1) * 64;
    const bool zip64 = estimate > (std::uint64_t{3} << 30);

    // libxlsxwriter writes its package by file name: it gets the temporary file's.
    TempFileBeside temp(path);
    temp.closeFd();
    Workbook book(temp.tempPath(), path, zip64);
    lxw_format* dateFormat = book.addNumberFormat(dateNumberFormat(regional));
    const std::string utf8Name = win1254ToUtf8(sheetName);

    std::string text;  // reused for every text cell
    lxw_worksheet* sheet = book.addWorksheet(utf8Name);
    for (int r = 1; r <= dataRows; ++r) {
        const int sheetIndex = (r - 1) / kWorksheetRows;
        if (r > 1 && (r - 1) % kWorksheetRows == 0) {
            sheet = book.addWorksheet(worksheetName(utf8Name, sheetIndex));
        }
        const auto row = static_cast<lxw_row_t>((r - 1) % kWorksheetRows);
        const Grid::RowCells cells = grid.row(r);
        for (int c = 1; c < Grid::kColumnCount; ++c) {
            if (cells[c].empty()) continue;  // an empty cell stays empty
            const auto col = static_cast<lxw_col_t>(c - 1);
            const CellValue value = cellValue(cells[c], regional, today);
            switch (value.kind) {
                case CellValue::Kind::Date:
                    // Workbook dates begin in 1900; an earlier one keeps its text.
                    if (value.date.year >= 1900) {
                        lxw_datetime dt{value.date.year, value.date.month, value.date.day,
                                        0, 0, 0.0};
                        book.check(worksheet_write_datetime(sheet, row, col, &dt, dateFormat));
                        continue;
                    }
                    break;
                case CellValue::Kind::Number:
                    book.check(worksheet_write_number(sheet, row, col, value.number, nullptr));
                    continue;
                case CellValue::Kind::Text:
                    break;
            }
            toWorkbookText(value.text, text);
            book.check(worksheet_write_string(sheet, row, col, text.c_str(), nullptr));
        }
    }
    book.close();
    temp.replaceTarget();
}

}  // namespace tablamo
