# Shared by the checks of the Windows programs under Wine (sourced): Wine's settings, Windows
# paths, the tally, and the comparison of two folders of outputs.

# A Wine of its own (WINEPREFIX, made at the first run and kept); quiet, without the .NET and
# browser add-ons it would offer to download, and UTF-8 on the Unix side.
wine=/usr/lib/wine/wine64
use_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LC_ALL=C.UTF-8
}

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAILED: $*"
}

# A Unix path as Windows names it: Wine's drive Z: is the Unix root.
winpath() {
    local p
    p=$(realpath -m "$1")
    printf 'Z:%s' "${p//\//\\}"
}

# Whether two folders hold the same files with the same bytes; of a workbook, the same
# members with the same bytes, its time of creation aside.
same_files() {
    python3 - "$1" "$2" <<'PY'
import os, sys, zipfile
a, b = sys.argv[1], sys.argv[2]
if sorted(os.listdir(a)) != sorted(os.listdir(b)):
    sys.exit(1)
def members(path):
    with zipfile.ZipFile(path) as z:
        return {n: z.read(n) for n in z.namelist() if n != "docProps/core.xml"}
for name in os.listdir(a):
    pa, pb = os.path.join(a, name), os.path.join(b, name)
    if name.endswith(".xlsx"):
        if members(pa) != members(pb):
            sys.exit(1)
    elif open(pa, "rb").read() != open(pb, "rb").read():
        sys.exit(1)
PY
}
