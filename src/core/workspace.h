#pragma once
/// Everything a command reads and writes: the window's state without the window.

#include <optional>
#include <string>
#include <vector>

#include "core/book.h"
#include "core/import_outcome.h"
#include "core/import_settings.h"
#include "core/input_encoding.h"
#include "core/regional_settings.h"
#include "core/report_text.h"

namespace tablamo {

/// Texts of the title bar strip (UTF-8).
inline constexpr const char* kTitleStripAtStart = "Zorvik Tablamo ver. 1.4";
inline constexpr const char* kTitleStripPrefix = "Zorvik Tablamo ver. 1.3 - ";
inline constexpr const char* kLoadedSuffix = " dosyası yüklendi.";
inline constexpr const char* kSavedSuffix = " dosyası kayıt edildi.";

/// The document and the settings as the window holds them: the book of tables (the grid
/// shows one), the report buffer (the hidden text view), the settings fields, the title bar
/// strip and the user's regional settings. The window and the converter each own one.
struct Workspace {
    /// The tables of the last import; a plain one gives one.
    Book book;
    ReportText text;
    InputReading textReading;  ///< how the loaded text was read (UTF-8 re-coded or not)
    ImportSettings settings;
    RegionalSettings regional;
    std::string titleStrip = kTitleStripAtStart;
    std::string lastSaveName;  ///< the shared save dialog's last file name
    /// The files the last save wrote and the table they hold (the save commands' key of it):
    /// a later save of the same table replaces them without asking.
    struct SavedFiles {
        std::string table;
        std::vector<std::string> files;
    };
    SavedFiles lastSaved;
    std::string reportPath;  ///< the file last loaded into the report buffer (UTF-8)
    /// The report the grid's table came from: the loaded one, unless its import refused it.
    std::string tablePath;
    /// The loaded text was opened as a statement ("Akbank Aç"), not as a report ("Aç").
    bool openedAsStatement = false;

    /// The folder whose layout profiles "Aç" matches each report against; empty: none (the
    /// converter takes a profile only when told).
    std::string profilesFolder;
    /// The profile applied to the loaded report, and the settings it replaced.
    struct AppliedProfile {
        std::string name;
        ReportLayout layoutBefore;
        bool cleanTableBefore = false;
    };
    std::optional<AppliedProfile> profile;
    /// What the last profile look-up could not read (each its error text).
    std::vector<std::string> profileErrors;

    /// The state at start-up: 25 rows with row numbers and column letters.
    Workspace() { NumberGridHeaders(grid()); }

    /// The grid of the table shown.
    Grid& grid() { return book.table().grid; }
    const Grid& grid() const { return book.table().grid; }
    /// The clean shape of the table shown; none for a plain table.
    std::optional<CleanShape>& clean() { return book.table().clean; }
    const std::optional<CleanShape>& clean() const { return book.table().clean; }
};

}  // namespace tablamo
