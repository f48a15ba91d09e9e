"""The bytes of a report: code page 857 text (or Windows-1254 or UTF-8, as a later Windows
program saved it; of these only UTF-8 keeps a box frame), with frames drawn in the code page
437 bytes DOS programs drew them with (0xD1 ╤, 0xCF ╧, 0xB6 ╢, 0xC7 ╟ show as other glyphs in
code page 857), and the printer's control codes that a "print to file" leaves in the text."""

# --- code page 857 with the DOS frame -------------------------------------------------------
# The frame characters are written as the code page 437 bytes that DOS programs drew with: the
# mixed frame (double outside, single inside), the single one and the all-double one.
FRAME_BYTES = {"╔": 0xC9, "═": 0xCD, "╤": 0xD1, "╗": 0xBB, "║": 0xBA, "│": 0xB3, "─": 0xC4,
               "┼": 0xC5, "├": 0xC3, "╢": 0xB6, "╟": 0xC7, "╚": 0xC8, "╧": 0xCF, "╝": 0xBC,
               "┌": 0xDA, "┬": 0xC2, "┐": 0xBF, "┤": 0xB4, "└": 0xC0, "┴": 0xC1, "┘": 0xD9,
               "╦": 0xCB, "╠": 0xCC, "╬": 0xCE, "╣": 0xB9, "╩": 0xCA}
FRAME_CHARS = {b: ch for ch, b in FRAME_BYTES.items()}
TEXT_CHARS = {chr(c) for c in range(0x20, 0x7F)} | set("ÇçĞğİıÖöŞşÜü\f")

# --- printer control codes ------------------------------------------------------------------
# ESC and the command letter; these commands take one more byte, their parameter: underline,
# double width, print mode, letter quality, line spacing (ESC 3 n, ESC A n), paper feed
# (ESC J n), right and left margin (ESC Q n, ESC l n).
ESC = "\x1b"
ESC_WITH_PARAMETER = set("-W!x3AJQl")
# Single bytes: SI (condensed), DC2 (condensed off), SO (double width for the line), DC4 (off).
SINGLE_CODES = set("\x0f\x12\x0e\x14")
CONTROL_CHARS = {chr(c) for c in range(0x20)} - {"\n", "\r", "\f"}


def paper(text: str) -> str:
    """The line as it stands on paper: the printer's control codes take no room."""
    if ESC not in text and not SINGLE_CODES.intersection(text):
        return text
    out, i = [], 0
    while i < len(text):
        ch = text[i]
        if ch == ESC:
            command = text[i + 1:i + 2]
            i += 3 if command in ESC_WITH_PARAMETER else 2
        elif ch in SINGLE_CODES:
            i += 1
        else:
            out.append(ch)
            i += 1
    return "".join(out)


def paper_positions(text: str) -> list:
    """For each character on paper, its index in the line's text (which holds the codes)."""
    out, i = [], 0
    while i < len(text):
        ch = text[i]
        if ch == ESC:
            i += 3 if text[i + 1:i + 2] in ESC_WITH_PARAMETER else 2
        elif ch in SINGLE_CODES:
            i += 1
        else:
            out.append(i)
            i += 1
    return out


def encode_line(line: str, encoding: str = "cp857", codes: bool = False) -> bytes:
    """One line's bytes; printer control codes are written only when the report holds them."""
    out = bytearray()
    for ch in line:
        if ch in FRAME_BYTES and encoding == "cp857":
            out.append(FRAME_BYTES[ch])
        elif ch in FRAME_BYTES and encoding == "utf-8":
            out += ch.encode("utf-8")
        elif ch in TEXT_CHARS or (codes and ch in CONTROL_CHARS):
            out += ch.encode(encoding)
        else:
            raise ValueError(f"character {ch!r} not written in reports: {line!r}")
    return bytes(out)


def decode_line(raw: bytes, encoding: str = "cp857") -> str:
    if encoding != "cp857":
        return raw.decode(encoding)
    return "".join(FRAME_CHARS.get(b) or bytes([b]).decode("cp857") for b in raw)
