#pragma once
/// A small reader for the rich text format, as the help file may be written in it. It knows
/// groups, control words, paragraphs, tabs, hexadecimal and Unicode characters, bold,
/// italic and underline, and skips the destinations it does not show (font and colour
/// tables, style sheet, document information, pictures, "\*" groups). No Qt here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tablamo::rtf {

/// Text of one character format. Paragraph ends are "\n" inside the text.
struct Run {
    std::u32string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Run&) const = default;
};

/// The readable content of a rich text document: runs in order, neighbours of the same
/// format merged.
struct Document {
    std::vector<Run> runs;

    /// The text of all runs, without formats.
    std::u32string plainText() const;
};

/// Groups may nest this deep; a deeper document is refused rather than read.
inline constexpr int kMaxNesting = 128;

/// Whether the bytes are in the rich text format (they begin with "{\rtf").
bool isRichText(std::string_view bytes);

/// Reads a rich text document. Nothing when it cannot be read: it does not begin with
/// "{\rtf", a "}" closes no group, the last group is never closed, groups nest deeper than
/// kMaxNesting, or a "\'" is not followed by two hexadecimal digits.
std::optional<Document> read(std::string_view bytes);

}  // namespace tablamo::rtf
