#pragma once
/// DOS Turkish (code page 857) to Windows Turkish (Windows-1254) and the cutting helpers.

#include <cstdint>
#include <string>
#include <string_view>

namespace tablamo {

/// Maps the twelve Turkish letters and deletes the fourteen frame characters.
std::string DosToWinText(std::string_view text);

/// DosToWinText with every letter of code page 857 that Windows-1254 has (â î û Â Î Û,
/// é ñ ß …): the clean table's texts. A letter printed at a byte where code page 437 draws
/// frames (Â as ╢) is one only beside another letter.
std::string DosToWinLetters(std::string_view text);
/// Whether a code page 857 byte is a letter (ASCII or one DosToWinLetters maps), one of
/// those at frame characters' bytes left out.
bool isDosLetter(unsigned char b);

/// DosToWinText, then every "." becomes `decimalSeparator`; a text that then reads as a
/// number greater than 0 also loses its blanks.
std::string DosToWinNumber(std::string_view text, char decimalSeparator);

/// The first n characters (n taken modulo 65536).
std::string_view LeftChars(std::string_view text, std::uint32_t n);

/// `count` characters from 1-based position `from` (both modulo 65536); a from of 0 counts
/// as 1, one past the end gives the empty text, a count past the end is shortened.
std::string_view MidChars(std::string_view text, std::uint32_t from, std::uint32_t count);

/// Removes every character with a code of 32 or below from both ends. Inline: the import
/// trims every field of every line.
inline std::string_view TrimControl(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
    return text.substr(b, e - b);
}

/// Whether the text, in full, reads as a decimal number: optional sign, digits with at most
/// one `decimalSeparator`, optional exponent. Blanks around it are allowed. A value beyond
/// the 80-bit extended range does not read; one too small for it reads (as 0).
bool readDecimal(std::string_view text, char decimalSeparator);

// Hot-path forms: write into `out`, which must hold text.size() bytes, and return the
// length written. They allocate nothing.

/// DosToWinText into a buffer.
std::size_t dosToWinTextInto(std::string_view text, char* out);
/// DosToWinLetters into a buffer.
std::size_t dosToWinLettersInto(std::string_view text, char* out);
/// DosToWinNumber into a buffer.
std::size_t dosToWinNumberInto(std::string_view text, char decimalSeparator, char* out);

/// The same test as DosToWinNumber's: the text with its blanks removed, when that reads as
/// a number greater than 0. Works in place; returns the new length or the old one.
std::size_t dropBlanksOfPositiveNumber(char* text, std::size_t length, char decimalSeparator);

}  // namespace tablamo
