#include "cli/console_ui.h"

#include <algorithm>

#include "cli/summary.h"

namespace tablamo::cli {

using Clock = std::chrono::steady_clock;

Console::Console(std::FILE* err, bool progress, char decimal)
    : m_err(err), m_enabled(progress), m_decimal(decimal), m_start(Clock::now()), m_last(m_start) {}

Console::~Console() { clearProgress(); }

std::string printableName(std::string_view name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t n = utf8Length(name.substr(i));
        const auto b = static_cast<unsigned char>(name[i]);
        const bool control =
            n == 1 ? (b < 0x20 || b == 0x7F)
                   : n == 2 && b == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0;
        if (n == 0 || control) {
            for (const char c : name.substr(i, std::max<std::size_t>(n, 1))) {
                shown += "\\x";
                shown += kHex[static_cast<unsigned char>(c) >> 4];
                shown += kHex[c & 0xF];
            }
            i += std::max<std::size_t>(n, 1);
            continue;
        }
        shown.append(name, i, n);
        i += n;
    }
    return shown;
}

void Console::say(std::string_view prefix, std::string_view rawText) {
    clearProgress();
    const std::string shownPrefix = printableName(prefix);
    // A message naming the file would be cut at a line break in its name.
    std::string named(rawText);
    if (!prefix.empty() && shownPrefix != prefix) {
        for (std::size_t at = 0; (at = named.find(prefix, at)) != std::string::npos;) {
            named.replace(at, prefix.size(), shownPrefix);
            at += shownPrefix.size();
        }
    }
    const std::string_view text = named;
    std::string out;
    std::size_t from = 0;
    for (;;) {
        std::size_t end = text.find('\n', from);
        std::string_view line = text.substr(from, end == std::string_view::npos ? end : end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!prefix.empty()) {
            out.append(shownPrefix);
            out += ": ";
        }
        out.append(printableName(line));
        out += '\n';
        if (end == std::string_view::npos) break;
        from = end + 1;
    }
    std::fwrite(out.data(), 1, out.size(), m_err);
    std::fflush(m_err);
}

void Console::progress(int done, int total, std::uint64_t bytesDone, std::uint64_t bytesTotal) {
    if (!m_enabled) return;
    const auto now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    if (elapsed < 1.0) return;
    if (m_shown && now - m_last < std::chrono::milliseconds(200) && done < total) return;
    m_last = now;
    const std::string line =
        "\r" + progressText(done, total, bytesDone, bytesTotal, elapsed, m_decimal) + "\x1b[K";
    std::fwrite(line.data(), 1, line.size(), m_err);
    std::fflush(m_err);
    m_shown = true;
}

void Console::clearProgress() {
    if (!m_shown) return;
    std::fputs("\r\x1b[K", m_err);
    std::fflush(m_err);
    m_shown = false;
}

void ConsoleUi::showMessage(std::string_view text) { m_console.say(m_name, text); }

void ConsoleUi::showError(std::string_view text) { m_console.say(m_name, text); }

}  // namespace tablamo::cli
