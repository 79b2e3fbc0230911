#!/usr/bin/env bash
# The command lines of the built programs: --help and --version print to standard output and
# exit 0 without a display; usage errors exit 2; `tipin-pages info` names what it counts.
# usage: cli.sh BIN_DIR VERSION WITH_TIPIN(0|1)
set -euo pipefail
bin="$1" version="$2" with_tipin="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE STDOUT-PATTERN COMMAND...: exit code, stdout matching the extended regex (an
# empty pattern: nothing on stdout), and nothing on stderr when CODE is 0, one line otherwise.
expect() {
    local code="$1" pattern="$2"
    shift 2
    local got=0
    "$@" >"$work/out" 2>"$work/err" </dev/null || got=$?
    [[ $got -eq $code ]] || fail "$* exited with $got, not $code: $(cat "$work/err")"
    if [[ -z "$pattern" ]]; then
        [[ ! -s "$work/out" ]] || fail "$* wrote to stdout: $(cat "$work/out")"
    else
        grep -Eq -- "$pattern" "$work/out" || fail "$* printed no line matching '$pattern':
$(cat "$work/out")"
    fi
    if [[ $code -eq 0 && -s "$work/err" ]]; then
        fail "$* wrote to stderr: $(cat "$work/err")"
    fi
    if [[ $code -ne 0 && ! -s "$work/err" ]]; then
        fail "$* exited with $code and said nothing on stderr"
    fi
}

programs=(tipin-pages tipin-skin)
if [[ "$with_tipin" == 1 ]]; then
    programs+=(tipin)
else
    echo "note: this build has no target tipin (app/ not added): only the tools are checked"
fi
for program in "${programs[@]}"; do
    # No display: --help and --version must not need one.
    nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    expect 0 "^usage: $program " "${nodisplay[@]}" "$bin/$program" --help
    expect 0 "^$program ${version//./\\.}\$" "${nodisplay[@]}" "$bin/$program" --version
    [[ $(wc -l <"$work/out") -eq 1 ]] || fail "$program --version printed more than one line"
done
expect 2 '' "$bin/tipin-pages"
expect 2 '' "$bin/tipin-pages" --frobnicate
expect 2 '' "$bin/tipin-skin"
expect 2 '' "$bin/tipin-skin" --frobnicate
if [[ "$with_tipin" == 1 ]]; then
    expect 2 '' env -u DISPLAY -u WAYLAND_DISPLAY "$bin/tipin" --frobnicate
    expect 2 '' env -u DISPLAY -u WAYLAND_DISPLAY "$bin/tipin" one.tif two.tif
fi

# A bilevel fax page and an LZW page, written by ImageMagick, described in words.
convert -size 64x32 xc:white -fill black -draw 'rectangle 8,8 40,20' -monochrome \
    -compress Group4 "$work/fax.tif"
convert -size 16x16 gradient:white-black -colorspace Gray -depth 8 -compress LZW "$work/lzw.tif"
expect 0 '^page 1: 64x32, 1 bits x 1, photometric [01] \(min-is-(white|black)\), compression 4 \(CCITT G4\), 1 strips, [0-9]+ bytes$' \
    "$bin/tipin-pages" info "$work/fax.tif"
expect 0 '^page 1: 16x16, 8 bits x 1, photometric 1 \(min-is-black\), compression 5 \(LZW\), ' \
    "$bin/tipin-pages" info "$work/lzw.tif"

# A reader of the findings that stops early: the check still removes its temporary folder.
mkdir "$work/tmp"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1], "w").writestr("a.txt", "x")' \
    "$work/no-ini.zip"
set +o pipefail
TMPDIR="$work/tmp" "$bin/tipin-skin" check $(printf "$work/no-ini.zip %.0s" {1..3000}) \
    2>&1 >/dev/null | head -c 1 >/dev/null
set -o pipefail
[[ -z "$(ls -A "$work/tmp")" ]] || fail "tipin-skin check left its folder behind on a broken pipe"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all command lines behave"
