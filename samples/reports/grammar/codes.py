"""The printer's control codes a "print to file" leaves in a report: a reset and condensed
print on the first line, bold headings and totals, line spacing and margins, and codes around
words anywhere in a line. They take no room on paper."""

import re

# Codes that switch something on, each with the one that switches it off again.
AROUND = [("\x1bE", "\x1bF"), ("\x1bG", "\x1bH"), ("\x1b-\x01", "\x1b-\x00"),
          ("\x1bW1", "\x1bW0"), ("\x0e", "\x14"), ("\x1b!\x08", "\x1b!\x00")]
# Codes that set a line's spacing, the paper feed or the margins: ESC 3 n, ESC A n, ESC J n,
# ESC Q n, ESC l n, letter quality ESC x n.
SETTINGS = ["\x1b3\x18", "\x1bA\x08", "\x1bJ\x10", "\x1bQP", "\x1bl\x05", "\x1bx1", "\x1bM",
            "\x1bP", "\x1bg"]
WORD = re.compile(r"\S+")


def with_codes(text: list, roles: list, mode: str, rng, condensed: bool) -> list:
    """The lines with the printer's codes put in by the file's habit: none, at line starts,
    or anywhere."""
    if mode == "none":
        return list(text)
    out = []
    first = next(i for i, r in enumerate(roles) if r != "blank")
    for i, (line, role) in enumerate(zip(text, roles)):
        ff = "\f" if line.startswith("\f") else ""
        body = line[len(ff):]
        lead = ""
        if i == first:
            lead = "\x1b@" + ("\x0f" if condensed else "")
        elif rng.random() < 0.08:
            lead = rng.choice(SETTINGS)
        if role in ("heading", "total") and body.strip() and rng.random() < 0.5:
            on, off = AROUND[0] if role == "heading" else AROUND[1]
            body = on + body + off
        elif mode == "anywhere" and body.strip() and rng.random() < 0.3:
            body = around_word(body, rng)
        out.append(ff + lead + body)
    return out


def around_word(body: str, rng) -> str:
    """A code pair around one word of the line."""
    words = list(WORD.finditer(body))
    m = rng.choice(words)
    on, off = rng.choice(AROUND)
    return body[:m.start()] + on + m.group() + off + body[m.end():]
