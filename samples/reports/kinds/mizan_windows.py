"""The trial balance of the kind "mizan", drawn with the same seed, as a later Windows program
saved it: in Windows-1254 (0xDD İ, 0xFD ı, 0xDE Ş, 0xFE ş, 0xD0 Ğ, 0xF0 ğ), its letters and
truth the same as its code page 857 twin's."""

TWIN = "mizan"


def twin(doc, description, record_definition=None):
    doc.kind = "mizan-windows"
    doc.encoding = "cp1254"
    doc.extra["twin"] = TWIN
    doc.notes.append("Saved in Windows-1254 by a later Windows program; the same report as the "
                     "kind mizan's of the same seed, letter for letter.")
    out = (doc, description + " Saved in Windows-1254.")
    return out + ((record_definition,) if record_definition else ())
