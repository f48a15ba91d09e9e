#!/usr/bin/env bash
# The Debian package made by the build, unpacked into a temporary root as dpkg would install
# it: both programs run from there, the window finds its help file in the installed data
# folder, and the packaged files are what a desktop expects.
#   installed_package_test.sh PACKAGE.deb REPORT EXPECTED.csv
# Builds nothing. Status 77 (skipped) without dpkg-deb or without the package.
set -uo pipefail
deb=$(realpath -m "$1") report=$(realpath -m "$2") expected=$(realpath -m "$3")

if ! command -v dpkg-deb >/dev/null; then
    echo "dpkg-deb is missing: skipped"
    exit 77
fi
if [ ! -f "$deb" ]; then
    echo "no package $deb (cmake --build <build> --target deb makes it): skipped"
    exit 77
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

dpkg-deb -x "$deb" "$root/fs" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }
usr=$root/fs/usr
for f in bin/tablamo bin/tablamo-convert share/tablamo/yardim share/applications/tablamo.desktop \
         share/icons/hicolor/scalable/apps/tablamo.svg share/icons/hicolor/48x48/apps/tablamo.png \
         share/man/man1/tablamo-convert.1.gz share/man/tr/man1/tablamo-convert.1.gz \
         share/doc/tablamo/copyright share/doc/tablamo/changelog.gz; do
    [ -f "$usr/$f" ] || fail "the package lacks usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in
    *libqt6widgets6*) ;;
    *) fail "Depends names no Qt library: '$depends'" ;;
esac
# Without Qt's translations the dialogs speak English.
case ", $depends," in
    *", qt6-translations-l10n,"*) ;;
    *) fail "Depends lacks qt6-translations-l10n: '$depends'" ;;
esac
address='<[^@[:space:]]+@[^@[:space:]]+>$'
[[ "$(dpkg-deb -f "$deb" Maintainer)" =~ $address ]] ||
    fail "the Maintainer field has no address: '$(dpkg-deb -f "$deb" Maintainer)'"
zcat "$usr/share/doc/tablamo/changelog.gz" | head -n 1 | grep -q '^tablamo (' ||
    fail "the changelog does not begin with the package's entry"

# Run from a folder with no help file in it, so that only the installed one can be found.
mkdir "$root/work" && cd "$root/work" || exit 1

"$usr/bin/tablamo-convert" -q --decimal-separator , -o converted.csv "$report" ||
    fail "tablamo-convert ended with status $?"
cmp -s converted.csv "$expected" || fail "tablamo-convert's CSV differs from $expected"

# The window saves what the converter writes, both under the same locale.
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
"$usr/bin/tablamo" --no-profiles --open "$report" --save saved.csv 2>window.log ||
    fail "tablamo --open --save ended with status $?: $(cat window.log)"
"$usr/bin/tablamo-convert" -q -o same-locale.csv "$report" || fail "tablamo-convert in C.UTF-8"
[ -s saved.csv ] && cmp -s saved.csv same-locale.csv ||
    fail "the window's saved.csv is not the converter's CSV"

help=$("$usr/bin/tablamo" --help-file 2>>window.log) || fail "the window's help tab stayed empty"
[ "$help" = "$usr/share/tablamo/yardim" ] || fail "the window read the help file '$help'"

for page in man1 tr/man1; do
    zcat "$usr/share/man/$page/tablamo-convert.1.gz" | grep -q '^\.TH TABLAMO-CONVERT 1' ||
        fail "the manual page in $page has no .TH line"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/$page/tablamo-convert.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "the manual page in $page renders with warnings: $warnings"
    fi
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$usr/share/man/tr/man1/tablamo-convert.1.gz" 2>/dev/null |
    grep -q 'ÇIKIŞ DURUMU' || fail "the Turkish manual page does not render its Turkish headings"
grep -q '^Exec=tablamo %f$' "$usr/share/applications/tablamo.desktop" || fail "the desktop entry's Exec"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$usr/share/applications/tablamo.desktop" || fail "desktop-file-validate"
fi

if [ $failures -gt 0 ]; then exit 1; fi
echo "the package installs into a temporary root and both programs run from it"
