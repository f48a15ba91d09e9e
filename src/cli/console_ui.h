#pragma once
/// The converter's user interface: messages on stderr, a progress line on a terminal.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui_port.h"

namespace tablamo::cli {

/// `name` as the converter prints it: a control character (a line break, an escape, a C1
/// code), or a byte that is no UTF-8, as \xNN per byte, so that no file name moves the
/// cursor, starts a line of its own or sends the terminal a command.
std::string printableName(std::string_view name);

/// stderr as the converter uses it. Every message line is prefixed by the name of the input
/// it concerns; the progress line, when enabled, is rewritten in place and cleared before
/// any other line. One thread at a time uses it.
class Console {
public:
    /// `progress`: show the progress line (stderr is a terminal and not --quiet);
    /// `decimal`: the user's decimal separator for its numbers.
    Console(std::FILE* err, bool progress, char decimal = '.');
    ~Console();

    /// One line per line of `text` (lines split at CR LF or LF), each as "prefix: line",
    /// or the line alone when the prefix is empty; both printable (printableName), and the
    /// prefix, a file's name, written the same wherever `text` names it.
    void say(std::string_view prefix, std::string_view text);
    /// Files done of total, and the bytes of the inputs done and of all inputs; shown once
    /// the run has taken more than a second, at most five times a second.
    void progress(int done, int total, std::uint64_t bytesDone, std::uint64_t bytesTotal);
    /// Removes the progress line.
    void clearProgress();

private:
    std::FILE* m_err;
    bool m_enabled;
    char m_decimal;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
};

/// The UI port of one input: its messages and errors go to the console with the input's
/// name; there are no dialogs (they answer "cancelled") and no busy cursor.
class ConsoleUi : public UiPort {
public:
    ConsoleUi(Console& console, std::string inputName)
        : m_console(console), m_name(std::move(inputName)) {}

    void showMessage(std::string_view text) override;
    void showError(std::string_view text) override;
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
    bool openWithDefaultProgram(const std::string&) override { return true; }

private:
    Console& m_console;
    std::string m_name;
};

/// The UI port of one input converted beside others: its messages and errors are kept, in
/// order, to go to the console when the inputs before it are through.
using BufferedUi = KeptMessagesUi;

}  // namespace tablamo::cli
