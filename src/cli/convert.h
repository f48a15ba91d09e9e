#pragma once
/// Converting report files the way the window opens and saves them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/job.h"

namespace tablamo::cli {

/// The output file of every input, in order. Raises UsageError when -o does not fit the
/// inputs, when two inputs would write the same file, or when an output is an input.
std::vector<std::string> planOutputs(const Job& job);

/// Called with the bytes read from the current input after each step of its conversion.
using StepReport = std::function<void(std::uint64_t bytesRead)>;

/// The converter's words for an input that holds no line.
inline constexpr const char* kEmptyInputMessage = "Dosya boş: dönüştürülecek satır yok.";

/// The converter's words after a clean table was written although a total disagrees
/// (--strict); the output's name follows.
inline constexpr const char* kStrictMessage =
    "--strict: bir toplam kayıtlarla tutmuyor; tablo yine de yazıldı: ";

/// Converts one input in a fresh workspace (default settings plus the job's options, a
/// fresh 25-row grid), as "Aç" loads and imports it, and writes the grid with the writer of
/// the job's format, the one the window's button uses. False when the import rejected the
/// text or the file is empty (the import's message, or the converter's for an empty file, is
/// shown): then nothing is written. With --clean the warnings of the totals check are shown
/// (one "uyarı: …" line each) and `fileNote` gets the note for the per-file line when every
/// total agrees; with --strict a warning makes it false after the file was written. Errors
/// (a file that cannot be read or written) are raised.
bool convertOne(const Job& job, const std::string& input, const std::string& output, UiPort& ui,
                const StepReport& step = {}, std::string* fileNote = nullptr);

/// Runs the job: refuses colliding outputs before any file is read, then converts every
/// input, going on after a failure. Returns the exit status: 0 all converted, 1 any failed
/// or was rejected, 2 a usage error.
int runJob(const Job& job, Console& console);

}  // namespace tablamo::cli
