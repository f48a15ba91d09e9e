#pragma once
/// Everything a command reads and writes: the window's state without the window.

#include <string>

#include "core/grid.h"
#include "core/import_outcome.h"
#include "core/import_settings.h"
#include "core/regional_settings.h"
#include "core/report_text.h"

namespace tablamo {

/// Texts of the title bar strip (UTF-8).
inline constexpr const char* kTitleStripAtStart = "Zorvik Tablamo ver. 1.4";
inline constexpr const char* kTitleStripPrefix = "Zorvik Tablamo ver. 1.3 - ";
inline constexpr const char* kLoadedSuffix = " dosyası yüklendi.";
inline constexpr const char* kSavedSuffix = " dosyası kayıt edildi.";

/// The document and the settings as the window holds them: the grid, the report buffer
/// (the hidden text view), the settings fields, the title bar strip and the user's
/// regional settings. The window and the converter each own one.
struct Workspace {
    Grid grid;
    ReportText text;
    ImportSettings settings;
    RegionalSettings regional;
    std::string titleStrip = kTitleStripAtStart;
    std::string lastSaveName;  ///< the shared save dialog's last file name
    std::string reportPath;    ///< the file last loaded into the report buffer (UTF-8)

    /// The state at start-up: 25 rows with row numbers and column letters.
    Workspace() { NumberGridHeaders(grid); }
};

}  // namespace tablamo
