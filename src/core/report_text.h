#pragma once
/// The loaded report: the file's lines, bytes unchanged (DOS code page, not converted).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo {

/// The report buffer that every importer reads. Lines end at CR LF, LF or a lone CR; an
/// empty last line after the final line break is not counted. The whole text is the lines
/// joined by CR LF.
class ReportText {
public:
    /// A line is read with at most this many bytes; the rest is not seen.
    static constexpr std::size_t kMaxLineRead = 4096;

    ReportText() = default;
    /// The text of these bytes.
    explicit ReportText(std::string bytes);

    /// Reads a whole file; raises "Cannot open file "%s". %s" when it cannot be read.
    static ReportText loadFile(const std::string& path);
    /// The same bytes as loadFile, mapped from the file instead of copied (the converter's
    /// way: no second copy of a large report in memory). The file must not shrink while
    /// the text is in use. Falls back to loadFile for what cannot be mapped.
    static ReportText mapFile(const std::string& path);
    /// A text of these lines: views into the bytes of `base`, a mapped file, or into `held`,
    /// which the text keeps alive with the file. A report with a few lines changed, without
    /// a copy of the others. Raises std::invalid_argument for a base not mapped.
    static ReportText ofLines(const ReportText& base, std::vector<std::string_view> lines,
                              std::shared_ptr<const std::string> held);

    /// Whether the bytes are a file mapped into memory (mapFile).
    bool mapped() const { return m_mapping != nullptr; }
    /// Whether every line break is CR LF.
    bool crLfOnly() const { return m_allCrLf; }
    /// Whether the lines are another text's, changed here and there (ofLines).
    bool linesOfAnother() const { return !m_lines.empty(); }

    int lineCount() const { return m_lineCount; }
    bool empty() const { return m_lineCount == 0; }

    /// Line i with at most 4096 bytes; the empty text outside 0..lineCount()-1.
    std::string_view line(std::int64_t i) const;
    /// Line i in full.
    std::string_view fullLine(std::int64_t i) const;

    /// The whole text: the lines joined by CR LF.
    std::string joinedText() const;
    /// The line holding the first occurrence of `needle` in the whole text, or nothing.
    /// An empty needle never occurs.
    std::optional<int> lineOfFirstOccurrence(std::string_view needle) const;
    bool contains(std::string_view needle) const {
        return lineOfFirstOccurrence(needle).has_value();
    }
    /// The line that holds byte position `pos` (from 0) of the whole text; a line break
    /// belongs to the line it ends. Positions past the end give the last line.
    int lineOfPosition(std::size_t pos) const;

    /// The file's bytes as loaded (for a text made of lines, its base's file).
    std::string_view bytes() const { return {data(), size()}; }
    /// Whether the mapped file shrank since it was mapped: its bytes are then not the
    /// file's any more (zeros stand where its end was). Never for bytes read into memory.
    bool shrank() const;
    /// Gives back the memory the mapped file's pages take (a hint, once the text was copied):
    /// the bytes stay the file's and are read again when asked for. Nothing for bytes read
    /// into memory.
    void releasePages() const;
    /// The same for the lines before line `i` alone (those read through): a line asked for
    /// again is read again from the file.
    void releasePagesBefore(std::int64_t i) const;

private:
    struct Mapping;
    void indexLines();
    const char* data() const;
    std::size_t size() const;

    std::string m_bytes;                       // the bytes, when read
    std::shared_ptr<const Mapping> m_mapping;  // or the file mapped
    // A text made of lines (ofLines): each line's bytes, in the file or in m_held.
    std::vector<std::string_view> m_lines;
    std::shared_ptr<const std::string> m_held;
    std::uint64_t start(std::size_t i) const { return m_wide ? m_starts64[i] : m_starts32[i]; }
    /// The line holding byte `p` of the file's bytes.
    int lineOfByte(std::size_t p) const;

    // Where each line starts, and after the last one where the next would start; a line
    // ends before the line break in front of the next start. Four bytes a line for any file
    // under 4 GiB.
    std::vector<std::uint32_t> m_starts32;
    std::vector<std::uint64_t> m_starts64;
    bool m_wide = false;
    int m_lineCount = 0;
    bool m_allCrLf = true;  // every line break is CR LF: the bytes are the whole text
};

/// Raises "Cannot open file "<path>". The file shrank while it was read" when the report this
/// thread watches shrank while it was read; nothing else.
void checkWatchedInput();

/// While it lives, the files this thread writes take their targets' places only while the
/// report `text`, read from `path`, is still what was read (see checkWatchedInput).
class InputWatch {
public:
    InputWatch(const ReportText& text, std::string path);
    ~InputWatch();
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;

private:
    friend void checkWatchedInput();
    const ReportText* m_text;
    std::string m_path;
    const InputWatch* m_outer;
};

/// The most read from a file that is not a regular file (a pipe): the size of the largest
/// report a pipe may bring.
inline constexpr std::uint64_t kMaxStreamBytes = std::uint64_t{2} << 30;

/// A whole file's bytes, read as ReportText::loadFile reads them; raises "Cannot open file
/// "%s". %s" when it cannot be read. Folders and devices are refused, and so is a pipe
/// that brings more than `streamLimit` bytes.
std::string readWholeFile(const std::string& path, std::uint64_t streamLimit = kMaxStreamBytes);

}  // namespace tablamo
