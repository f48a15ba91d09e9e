#include "core/report_text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/platform/files.h"
#include "core/platform/system.h"

namespace tablamo {
namespace {

// "2 GiB", "64 KiB", "100 bytes": the largest unit that gives a whole number.
std::string sizeText(std::uint64_t bytes) {
    constexpr std::pair<const char*, int> kUnits[] = {{" GiB", 30}, {" MiB", 20}, {" KiB", 10}};
    for (const auto& [unit, shift] : kUnits) {
        const std::uint64_t size = std::uint64_t{1} << shift;
        if (bytes >= size && bytes % size == 0) return std::to_string(bytes >> shift) + unit;
    }
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void cannotOpen(const std::string& path, platform::SystemError error) {
    throw cannotOpenFile(path, platform::reasonText(error));
}

}  // namespace

struct ReportText::Mapping {
    platform::FileView view;
    Mapping(const platform::InputFile& file, std::size_t size) : view(file, size) {}
};

bool ReportText::shrank() const { return m_mapping && m_mapping->view.shrank(); }

void ReportText::releasePages() const {
    if (m_mapping) platform::releaseViewPages(data(), size());
}

void ReportText::releasePagesBefore(std::int64_t i) const {
    if (!m_mapping || i <= 0) return;
    std::size_t end = size();
    if (i < lineCount() && !m_lines.empty()) {
        // The first line from i on that is the file's own tells where its bytes stand.
        const auto inFile = [&](std::string_view line) {
            return line.data() >= data() && line.data() <= data() + size();
        };
        auto k = static_cast<std::size_t>(i);
        while (k < m_lines.size() && !inFile(m_lines[k])) ++k;
        if (k < m_lines.size()) end = static_cast<std::size_t>(m_lines[k].data() - data());
    } else if (i < lineCount()) {
        end = static_cast<std::size_t>(start(static_cast<std::size_t>(i)));
    }
    platform::releaseViewPages(data(), end);
}

namespace {
thread_local const InputWatch* t_watch = nullptr;
}  // namespace

InputWatch::InputWatch(const ReportText& text, std::string path)
    : m_text(&text), m_path(std::move(path)), m_outer(t_watch) {
    t_watch = this;
}

InputWatch::~InputWatch() { t_watch = m_outer; }

void checkWatchedInput() {
    if (t_watch && t_watch->m_text->shrank()) {
        throw cannotOpenFile(t_watch->m_path, "The file shrank while it was read");
    }
}

ReportText::ReportText(std::string bytes) : m_bytes(std::move(bytes)) { indexLines(); }

const char* ReportText::data() const { return m_mapping ? m_mapping->view.data() : m_bytes.data(); }

std::size_t ReportText::size() const { return m_mapping ? m_mapping->view.size() : m_bytes.size(); }

ReportText ReportText::mapFile(const std::string& path) {
    platform::InputFile file;
    if (!file.open(path)) cannotOpen(path, file.error());
    if (file.kind() != platform::FileKind::Regular || file.size() == 0 ||
        file.size() > std::numeric_limits<std::size_t>::max()) {
        return loadFile(path);
    }
    auto mapping = std::make_shared<const Mapping>(file, static_cast<std::size_t>(file.size()));
    if (!mapping->view.valid()) return loadFile(path);
    ReportText text;
    text.m_mapping = std::move(mapping);
    text.indexLines();
    return text;
}

ReportText ReportText::ofLines(const ReportText& base, std::vector<std::string_view> lines,
                               std::shared_ptr<const std::string> held) {
    if (!base.m_mapping) throw std::invalid_argument("ReportText::ofLines: a base not mapped");
    if (lines.size() >= static_cast<std::size_t>(INT_MAX - 2)) throw failedToLoadStream();
    ReportText text;
    text.m_mapping = base.m_mapping;
    text.m_held = std::move(held);
    text.m_lines = std::move(lines);
    text.m_lineCount = static_cast<int>(text.m_lines.size());
    return text;
}

ReportText ReportText::loadFile(const std::string& path) { return ReportText(readWholeFile(path)); }

std::string readWholeFile(const std::string& path, std::uint64_t streamLimit) {
    platform::InputFile file;
    if (!file.open(path)) cannotOpen(path, file.error());
    if (file.kind() == platform::FileKind::Directory) {
        cannotOpen(path, platform::systemError(platform::Failure::IsADirectory));
    }
    // A device such as /dev/zero never ends: reading it would fill the memory.
    if (file.kind() == platform::FileKind::Device) throw cannotOpenFile(path, "Not a regular file");

    if (file.kind() != platform::FileKind::Regular) {
        // A pipe's bytes in pieces, then once into the text, each piece freed as it is
        // copied: a growing text would hold twice the bytes for a moment at every doubling.
        constexpr std::size_t kPiece = std::size_t{32} << 20;
        std::vector<std::unique_ptr<char[]>> pieces;
        std::uint64_t total = 0;
        std::size_t inLast = kPiece;
        for (;;) {
            if (inLast == kPiece) {
                pieces.push_back(std::make_unique_for_overwrite<char[]>(kPiece));
                inLast = 0;
            }
            const std::int64_t n = file.read(pieces.back().get() + inLast, kPiece - inLast);
            if (n < 0) cannotOpen(path, file.error());
            if (n == 0) break;
            if (total + static_cast<std::uint64_t>(n) > streamLimit) {
                throw cannotOpenFile(path, "More than " + sizeText(streamLimit) + " from a pipe");
            }
            inLast += static_cast<std::size_t>(n);
            total += static_cast<std::uint64_t>(n);
        }
        // Reserved, not filled: the text's pages are touched only as the pieces go.
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(total));
        for (std::size_t i = 0, at = 0; i < pieces.size(); ++i, at += kPiece) {
            bytes.append(pieces[i].get(),
                         std::min<std::size_t>(kPiece, static_cast<std::size_t>(total) - at));
            pieces[i].reset();
        }
        return bytes;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(file.size()));
    std::size_t filled = 0;
    char probe[1 << 16];
    for (;;) {
        // Once the expected size is in, the end is found with a small buffer: doubling the
        // large one would cost twice the file in memory for a moment. A file that grew, or
        // is not a regular file, is read on in steps.
        const bool full = filled == bytes.size();
        const std::int64_t n = full ? file.read(probe, sizeof probe)
                                    : file.read(bytes.data() + filled, bytes.size() - filled);
        if (n < 0) cannotOpen(path, file.error());
        if (n == 0) break;
        // A pipe may bring without end; what passes the limit is no report.
        if (file.kind() != platform::FileKind::Regular &&
            filled + static_cast<std::uint64_t>(n) > streamLimit) {
            throw cannotOpenFile(path, "More than " + sizeText(streamLimit) + " from a pipe");
        }
        if (full) bytes.append(probe, static_cast<std::size_t>(n));
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    bytes.shrink_to_fit();
    return bytes;
}

void ReportText::indexLines() {
    const char* const data = this->data();
    const std::size_t size = this->size();
    m_wide = size > std::numeric_limits<std::uint32_t>::max();
    auto push = [this](std::size_t pos) {
        if (m_wide) {
            m_starts64.push_back(pos);
        } else {
            m_starts32.push_back(static_cast<std::uint32_t>(pos));
        }
    };
    // About one line in 80 bytes is typical of a report; reserve that much up front.
    if (m_wide) {
        m_starts64.reserve(size / 64 + 2);
    } else {
        m_starts32.reserve(size / 64 + 2);
    }

    std::size_t pos = 0;
    std::size_t lines = 0;
    const char* nextLf = size ? static_cast<const char*>(std::memchr(data, '\n', size)) : nullptr;
    const char* nextCr = size ? static_cast<const char*>(std::memchr(data, '\r', size)) : nullptr;
    while (pos < size) {
        if (nextLf && nextLf < data + pos) {
            nextLf = static_cast<const char*>(std::memchr(data + pos, '\n', size - pos));
        }
        if (nextCr && nextCr < data + pos) {
            nextCr = static_cast<const char*>(std::memchr(data + pos, '\r', size - pos));
        }
        const char* brk = nextLf;
        if (nextCr && (!brk || nextCr < brk)) brk = nextCr;
        const std::size_t end = brk ? static_cast<std::size_t>(brk - data) : size;
        if (lines >= static_cast<std::size_t>(INT_MAX - 2)) {
            throw failedToLoadStream();  // more lines than the text view can number
        }
        push(pos);
        ++lines;
        if (!brk) {
            pos = size;
            break;
        }
        if (*brk == '\r' && end + 1 < size && data[end + 1] == '\n') {
            pos = end + 2;
        } else {
            m_allCrLf = false;
            pos = end + 1;
        }
    }
    if (lines > 0) push(pos);
    m_lineCount = static_cast<int>(lines);
    // No shrink_to_fit: the reserved part that was not used was never touched, so it costs
    // no memory, while a shrink would copy the index into a second buffer.
}

std::string_view ReportText::fullLine(std::int64_t i) const {
    if (i < 0 || i >= lineCount()) return {};
    const auto k = static_cast<std::size_t>(i);
    if (!m_lines.empty()) return m_lines[k];
    const char* const d = data();
    const std::size_t begin = start(k);
    std::size_t end = start(k + 1);
    // A line holds no CR or LF: what stands before the next start is the line break.
    if (end > begin && d[end - 1] == '\n') --end;
    if (end > begin && d[end - 1] == '\r') --end;
    return {d + begin, end - begin};
}

std::string_view ReportText::line(std::int64_t i) const {
    const std::string_view full = fullLine(i);
    return full.substr(0, std::min(full.size(), kMaxLineRead));
}

std::string ReportText::joinedText() const {
    std::string text;
    text.reserve(size() + static_cast<std::size_t>(lineCount()));
    for (int i = 0; i < lineCount(); ++i) {
        if (i) text += "\r\n";
        text += fullLine(i);
    }
    return text;
}

std::optional<int> ReportText::lineOfFirstOccurrence(std::string_view needle) const {
    if (needle.empty() || empty()) return std::nullopt;
    const bool hasBreak = needle.find_first_of("\r\n") != std::string_view::npos;
    if (!hasBreak && !m_lines.empty()) {
        for (int i = 0; i < lineCount(); ++i) {
            if (platform::findBytes(fullLine(i), needle) != std::string_view::npos) return i;
        }
        return std::nullopt;
    }
    if (!hasBreak) {
        // No line holds CR or LF, so a match lies inside one line and the file's own bytes
        // can be searched whatever its line breaks are.
        const std::size_t p = platform::findBytes(bytes(), needle);
        if (p == std::string_view::npos) return std::nullopt;
        return lineOfByte(p);
    }
    if (m_allCrLf && m_lines.empty()) {
        // The bytes are the whole text, perhaps followed by one final CR LF.
        const std::string_view last = fullLine(lineCount() - 1);
        const std::string_view whole(data(),
                                     static_cast<std::size_t>(last.data() + last.size() - data()));
        const std::size_t p = platform::findBytes(whole, needle);
        if (p == std::string_view::npos) return std::nullopt;
        return lineOfPosition(p);
    }
    const std::string whole = joinedText();
    const std::size_t p = platform::findBytes(whole, needle);
    if (p == std::string_view::npos) return std::nullopt;
    return lineOfPosition(p);
}

int ReportText::lineOfByte(std::size_t p) const {
    const std::size_t lines = static_cast<std::size_t>(lineCount());
    const auto it = m_wide
                        ? static_cast<std::size_t>(
                              std::upper_bound(m_starts64.begin(), m_starts64.begin() + lines, p) -
                              m_starts64.begin())
                        : static_cast<std::size_t>(
                              std::upper_bound(m_starts32.begin(), m_starts32.begin() + lines, p) -
                              m_starts32.begin());
    return static_cast<int>(it) - 1;
}

int ReportText::lineOfPosition(std::size_t pos) const {
    if (empty()) return 0;
    std::size_t begin = 0;
    for (int i = 0; i < lineCount(); ++i) {
        const std::size_t next = begin + fullLine(i).size() + 2;
        if (pos < next) return i;
        begin = next;
    }
    return lineCount() - 1;
}

}  // namespace tablamo
