#!/usr/bin/env python3
"""Writes the UTF-8 twins of reports, for the input encoding's tests, into utf8-input/:

    <case>.txt        the golden case's report.txt saved in UTF-8, as a modern editor or a
                      re-print would: its letters by Python's code page 857 codec, its frame
                      bytes that code page 857 puts letters in (0xD1 the tee, ...) as the
                      box-drawing characters DOS programs print with them (code page 437)
    cp857-all.txt     every character code page 857 assigns above ASCII, in byte order, in
                      raw code page 857 bytes (CR LF), and
    cp857-all.utf8    the same characters in UTF-8, decoded by Python's codec

Run from anywhere: python3 tests/data/make-utf8-twins.py
"""

from pathlib import Path

HERE = Path(__file__).resolve().parent
OUT = HERE / "utf8-input"
# The frame bytes for which code page 857 has letters: DOS programs still draw with them.
FRAME_BYTES = {0xB5, 0xB6, 0xB7, 0xB8, 0xBD, 0xBE, 0xC6, 0xC7, 0xCF, 0xD0,
               0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xDD, 0xDE}


def utf8_twin(dos: bytes) -> bytes:
    chars = []
    for b in dos:
        codec = "cp437" if b in FRAME_BYTES else "cp857"
        chars.append(bytes([b]).decode(codec))
    return "".join(chars).encode("utf-8")


def all_cp857() -> tuple[bytes, bytes]:
    defined = []
    for b in range(0x80, 0x100):
        try:
            bytes([b]).decode("cp857")
            defined.append(b)
        except UnicodeDecodeError:
            pass
    # Sixteen characters a line; the line break is CR LF in both files.
    rows = [bytes(defined[i:i + 16]) for i in range(0, len(defined), 16)]
    dos = b"".join(row + b"\r\n" for row in rows)
    return dos, dos.decode("cp857").encode("utf-8")


def main() -> None:
    OUT.mkdir(exist_ok=True)
    for case in ("ledger-rule-line", "framed-report"):
        (OUT / f"{case}.txt").write_bytes(utf8_twin((HERE / case / "report.txt").read_bytes()))
    dos, utf8 = all_cp857()
    (OUT / "cp857-all.txt").write_bytes(dos)
    (OUT / "cp857-all.utf8").write_bytes(utf8)


if __name__ == "__main__":
    main()
