#pragma once
/// Converting report files the way the window opens and saves them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/job.h"
#include "cli/plan.h"

namespace tablamo::cli {

/// Called with the bytes read from the current input after each step of its conversion:
/// once the import took the text (before anything is written), and once it is written.
using StepReport = std::function<void(std::uint64_t bytesRead)>;

/// What a conversion gave besides its messages.
struct ConvertedFile {
    int rows = 0;          ///< rows of the table written, the letter row not counted
    std::string note;      ///< for the per-file line: a clean table's totals that all agree
    int warnings = 0;      ///< the totals that disagree, characters lost in reading, …
    int unplaced = 0;      ///< the report lines a clean table could not place
    bool written = false;  ///< the output was written (also when --strict then fails it)
};

/// The converter's words after a clean table was written although a total disagrees
/// (--strict); the output's name follows.
inline constexpr const char* kStrictMessage =
    "--strict: bir toplam kayıtlarla tutmuyor; tablo yine de yazıldı: ";

/// The same when the clean table could not place some of the report's lines.
inline constexpr const char* kStrictUnplacedMessage =
    "--strict: raporun bazı satırları tabloya alınmadı; tablo yine de yazıldı: ";

/// Converts one input in a fresh workspace (default settings plus the job's options, a
/// fresh 25-row grid), as "Aç" loads and imports it, and writes the grid with the writer of
/// the job's format, the one the window's button uses. False when the import rejected the
/// text or the file is empty (the import's message, or the converter's for an empty file, is
/// shown): then nothing is written. With --clean the warnings of the totals check are shown
/// (one "uyarı: …" line each) and `fileNote` gets the note for the per-file line when every
/// total agrees; with --strict a warning or a line not placed makes it false after the file
/// was written. Errors
/// (a file that cannot be read or written) are raised.
/// With `recogniseStatements` (a file found in a folder) an Akbank statement is told by its
/// own lines and imported as one, with a line that says so, also without --akbank.
/// With `runFiles` every file of the book is claimed in the run's files before the first
/// is written: one another input writes, or the summary or layout file, fails the input.
bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step = {}, ConvertedFile* converted = nullptr,
                bool recogniseStatements = false, RunFiles* runFiles = nullptr);

}  // namespace tablamo::cli
