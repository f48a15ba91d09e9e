"""The bytes of a report: code page 857 text, with the frame drawn in the code page 437 bytes
DOS programs drew it with (0xD1 ╤, 0xCF ╧, 0xB6 ╢, 0xC7 ╟ show as other glyphs in code page
857)."""


# --- code page 857 with the DOS frame -------------------------------------------------------
# The frame characters are written as the code page 437 bytes that DOS programs drew with.
FRAME_BYTES = {"╔": 0xC9, "═": 0xCD, "╤": 0xD1, "╗": 0xBB, "║": 0xBA, "│": 0xB3, "─": 0xC4,
               "┼": 0xC5, "├": 0xC3, "╢": 0xB6, "╟": 0xC7, "╚": 0xC8, "╧": 0xCF, "╝": 0xBC}
FRAME_CHARS = {b: ch for ch, b in FRAME_BYTES.items()}
TEXT_CHARS = {chr(c) for c in range(0x20, 0x7F)} | set("ÇçĞğİıÖöŞşÜü\f")


def encode_line(line: str) -> bytes:
    out = bytearray()
    for ch in line:
        if ch in FRAME_BYTES:
            out.append(FRAME_BYTES[ch])
        elif ch in TEXT_CHARS:
            out += ch.encode("cp857")
        else:
            raise ValueError(f"character {ch!r} not written in reports: {line!r}")
    return bytes(out)


def decode_line(raw: bytes) -> str:
    return "".join(FRAME_CHARS.get(b) or bytes([b]).decode("cp857") for b in raw)
