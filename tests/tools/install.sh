#!/usr/bin/env bash
# Installs a build into a staging folder (DESTDIR, prefix /usr) and checks the tree: exactly the
# expected files with their modes, icons of their sizes, the desktop entry and the AppStream
# data validated, each manual page rendered without a warning, the installed tools working from
# another folder, the bundled skins extracting.
# usage: install.sh BUILD_DIR VERSION SKINS_DIR WITH_TIPIN(0|1)
#   SKINS_DIR: the skins folder the manual pages must name (the configured one)
set -euo pipefail
export LC_ALL=C.UTF-8 # characters, not bytes, in the width of rendered lines
build="$1" version="$2" skins_dir="$3" with_tipin="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
stage="$work/stage"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi
usr="$stage/usr"
id="io.github.tipin.Tipin"
skins=(Purple.skn Orange.zip Black.zip Purple.zip Blue.zip Red.zip Gray.zip Pink.zip Deluxe.zip)
sizes=(16 22 24 32 48 64 128 256)
pages=(tipin tipin-pages tipin-skin)

# --- The tree: exactly these files, nothing else -----------------------------------------------
programs=(tipin-pages tipin-skin)
if [[ "$with_tipin" == 1 ]]; then
    programs+=(tipin)
else
    echo "note: this build has no target tipin (app/ not added): the tree is checked without bin/tipin"
fi
{
    for p in "${programs[@]}"; do echo "usr/bin/$p"; done
    for s in "${skins[@]}"; do echo "usr/share/tipin/skins/$s"; done
    echo "usr/share/applications/$id.desktop"
    echo "usr/share/metainfo/$id.metainfo.xml"
    for n in "${sizes[@]}"; do echo "usr/share/icons/hicolor/${n}x${n}/apps/tipin.png"; done
    echo "usr/share/icons/hicolor/scalable/apps/tipin.svg"
    for m in "${pages[@]}"; do echo "usr/share/man/man1/$m.1.gz"; done
    echo "usr/share/doc/tipin/copyright"
    echo "usr/share/doc/tipin/changelog.gz"
} | sort >"$work/expected"
(cd "$stage" && find . \( -type f -o -type l \) -printf '%P\n' | sort) >"$work/installed"
if ! diff -u "$work/expected" "$work/installed" >"$work/tree.diff"; then
    fail "the installed tree differs from the expected one (- missing, + extra):"
    cat "$work/tree.diff"
fi
while read -r file; do
    [[ -e "$stage/$file" ]] || continue
    mode=$(stat -c %a "$stage/$file")
    case "$file" in
    usr/bin/*) want=755 ;;
    *) want=644 ;;
    esac
    [[ "$mode" == "$want" ]] || fail "$file has mode $mode, not $want"
done <"$work/expected"

# --- Icons ------------------------------------------------------------------------------------
for n in "${sizes[@]}"; do
    png="$usr/share/icons/hicolor/${n}x${n}/apps/tipin.png"
    [[ -f "$png" ]] || continue
    file -b "$png" | grep -q "^PNG image data, $n x $n, 8-bit" ||
        fail "$png is not a ${n}x${n} PNG: $(file -b "$png")"
done
svg="$usr/share/icons/hicolor/scalable/apps/tipin.svg"
file -b "$svg" | grep -q "SVG" || fail "$svg is not an SVG image: $(file -b "$svg")"

# --- Desktop entry and AppStream data ---------------------------------------------------------
desktop="$usr/share/applications/$id.desktop"
if ! desktop-file-validate "$desktop" >"$work/dfv" 2>&1 || [[ -s "$work/dfv" ]]; then
    fail "desktop-file-validate $desktop:"
    cat "$work/dfv"
fi
for line in "Exec=tipin %f" "Icon=tipin" "MimeType=image/tiff;" "Terminal=false" "Type=Application"; do
    grep -qxF "$line" "$desktop" || fail "$desktop has no line $line"
done
metainfo="$usr/share/metainfo/$id.metainfo.xml"
if ! appstreamcli validate --no-net --strict "$metainfo" >"$work/asv" 2>&1; then
    fail "appstreamcli validate --no-net --strict $metainfo:"
    cat "$work/asv"
fi
# The tree as a whole: the metainfo's launchable is the installed desktop entry.
if ! appstreamcli validate-tree --no-net --strict "$usr" >"$work/asvt" 2>&1; then
    fail "appstreamcli validate-tree --no-net --strict $usr:"
    cat "$work/asvt"
fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $id.desktop"

# --- Manual pages -----------------------------------------------------------------------------
for m in "${pages[@]}"; do
    page="$usr/share/man/man1/$m.1.gz"
    [[ -f "$page" ]] || continue
    file -b "$page" | grep -q "^gzip compressed data, max compression" ||
        fail "$page is not compressed with gzip -9: $(file -b "$page")"
    file -b "$page" | grep -q "was \"" && fail "$page keeps a file name in its gzip header"
    if ! MANWIDTH=80 man --warnings=w -l -Tutf8 "$page" >"$work/$m.txt" 2>"$work/$m.man-err" ||
        [[ -s "$work/$m.man-err" ]]; then
        fail "man -l $page warns:"
        cat "$work/$m.man-err"
    fi
    if ! zcat "$page" | groff -ww -man -Tutf8 -z 2>"$work/$m.groff-err" ||
        [[ -s "$work/$m.groff-err" ]]; then
        fail "groff -ww -man $page warns:"
        cat "$work/$m.groff-err"
    fi
    lexgrog "$page" >"$work/$m.whatis" 2>&1 || fail "lexgrog cannot read $page: $(cat "$work/$m.whatis")"
    grep -q ": \"$m - " "$work/$m.whatis" || fail "lexgrog finds no name line in $page: $(cat "$work/$m.whatis")"
    MANWIDTH=80 man -l "$page" 2>/dev/null | col -b >"$work/$m.plain"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES "SEE ALSO"; do
        grep -qx "$section" "$work/$m.plain" || fail "$page has no section $section"
    done
    grep -q "Tipin $version" "$work/$m.plain" || fail "$page does not name version $version"
    long=$(while IFS= read -r line; do ((${#line} <= 80)) || echo "$line"; done <"$work/$m.plain")
    [[ -z "$long" ]] || fail "$page has lines wider than 80 columns:
$long"
    for option in --help --version; do
        grep -q -- "$option" "$work/$m.plain" || fail "$page does not describe $option"
    done
done
for m in tipin tipin-skin; do
    grep -qF "$skins_dir" "$work/$m.plain" 2>/dev/null || fail "$m.1 does not name the skins folder $skins_dir"
done
for s in "${skins[@]}"; do
    grep -qF "$s" "$work/tipin.plain" 2>/dev/null || fail "tipin.1 does not name $s"
done

# --- Documents --------------------------------------------------------------------------------
changelog="$usr/share/doc/tipin/changelog.gz"
if [[ -f "$changelog" ]]; then
    zcat "$changelog" >"$work/changelog"
    got=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1) || true
    [[ "$got" == "$version" ]] || fail "changelog.gz is for version '$got', not $version"
fi
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$usr/share/doc/tipin/copyright" || fail "copyright is not in the machine-readable format"

# --- The installed programs, run from another folder ------------------------------------------
mkdir -p "$work/home"
cd "$work/home"
for p in "${programs[@]}"; do
    got=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/$p" --version 2>&1) || fail "installed $p --version failed: $got"
    [[ "$got" == "$p $version" ]] || fail "installed $p --version printed '$got'"
done
for s in "${skins[@]}"; do
    package="$usr/share/tipin/skins/$s"
    [[ -f "$package" ]] || continue
    rm -rf "$work/skin"
    if ! "$usr/bin/tipin-skin" extract "$package" "$work/skin" >"$work/extract" 2>&1 ||
        [[ -s "$work/extract" ]] || [[ ! -f "$work/skin/Skin.ini" ]]; then
        fail "installed tipin-skin cannot extract $s cleanly: $(cat "$work/extract")"
    fi
done
# The skin authors' check finds nothing in the bundled skins as installed.
(cd "$usr/share/tipin/skins" && "$usr/bin/tipin-skin" check "${skins[@]}") >"$work/check" 2>&1 ||
    fail "installed tipin-skin check reports on the installed skins: $(cat "$work/check")"
[[ ! -s "$work/check" ]] || fail "installed tipin-skin check printed: $(cat "$work/check")"
leftovers=$(find "$work/home" -mindepth 1 | head)
[[ -z "$leftovers" ]] || fail "the installed programs left files in the current folder: $leftovers"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "the installed tree is complete and valid: $(wc -l <"$work/installed") files"
