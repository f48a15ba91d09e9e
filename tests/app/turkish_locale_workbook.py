#!/usr/bin/python3
"""The window's "Excel" under a Turkish desktop locale (decimal comma): the workbook must
still be valid, its numbers written with points, and a spreadsheet reader must read it.

usage: turkish_locale_workbook.py TABLAMO SAMPLE
Exit 0 passed, 1 failed, 77 skipped (no Turkish locale can be made, or openpyxl missing).
"""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

SKIP = 77


def main():
    tablamo, sample = sys.argv[1], sys.argv[2]
    try:
        import openpyxl
    except ImportError:
        print("openpyxl is missing: skipped")
        return SKIP
    with tempfile.TemporaryDirectory() as tmp:
        # The machine may lack the locale: it is made into a folder of the test's own.
        made = subprocess.run(["localedef", "-i", "tr_TR", "-f", "UTF-8",
                               os.path.join(tmp, "tr_TR.UTF-8")], capture_output=True)
        if made.returncode not in (0, 1) or not os.path.isdir(os.path.join(tmp, "tr_TR.UTF-8")):
            print("no Turkish locale can be made here: skipped")
            return SKIP
        env = dict(os.environ, LOCPATH=tmp, LC_ALL="tr_TR.UTF-8", LANG="tr_TR.UTF-8",
                   QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tmp)
        check = subprocess.run(["locale", "decimal_point"], env=env, capture_output=True, text=True)
        if check.stdout.strip() != ",":
            print("the Turkish locale does not take effect: skipped")
            return SKIP

        book = os.path.join(tmp, "muavin.xlsx")
        run = subprocess.run([tablamo, "--no-profiles", "--open", sample, "--save", book], env=env,
                             capture_output=True, text=True, timeout=120)
        failures = []
        if run.returncode != 0:
            failures.append("the window's save failed (%d): %s" % (run.returncode, run.stderr))
        if "Excel Dosyası Kaydedildi!" not in run.stderr:
            failures.append("no success message: " + run.stderr)
        if not failures:
            with zipfile.ZipFile(book) as z:
                for name in z.namelist():
                    if not name.endswith(".xml"):
                        continue
                    xml = z.read(name).decode("utf-8")
                    for value in re.findall(r"<v>([^<]*)</v>", xml):
                        if not re.fullmatch(r"-?\d+(\.\d+)?([eE][-+]?\d+)?", value):
                            failures.append("%s: value %r" % (name, value))
                    for attr, value in re.findall(r'(\w+)="(-?\d+,\d+)"', xml):
                        failures.append("%s: %s=%r" % (name, attr, value))
            sheet = openpyxl.load_workbook(book).active
            # 31.03.2005 and 0,35 on the report's 17th line: a date and a number.
            date, amount = sheet.cell(16, 1).value, sheet.cell(16, 4).value
            if getattr(date, "year", None) != 2005 or (date.month, date.day) != (3, 31):
                failures.append("A16 is %r, not 31 March 2005" % (date,))
            if not isinstance(amount, float) or abs(amount - 0.35) > 1e-9:
                failures.append("D16 is %r, not the number 0.35" % (amount,))
        for f in failures[:20]:
            print(f)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
