#!/usr/bin/env bash
# The installed program on a real X display (the Xvfb of scripts/test): installed into a staging
# folder (DESTDIR) and started from an empty home folder, it finds its installed skins and shows
# its skinned window; started with a TIFF file, it shows that file's page count. The count is
# compared as a picture: the page-count label of the start-up skin must differ between a start
# without a file, with a two-page file and with a three-page file. Each run ends with a real
# click on the skin's close button and exit code 0.
# usage: installed-window.sh BUILD_DIR WITH_TIPIN(0|1)
set -euo pipefail
build="$1" with_tipin="$2"
if [[ "$with_tipin" != 1 ]]; then
    echo "note: this build has no target tipin (app/ not added): there is no window to check"
    exit 0
fi
if [[ -z "${DISPLAY:-}" ]]; then
    echo "FAIL: no DISPLAY: run this test through scripts/test, which starts Xvfb"
    exit 1
fi
work="$(mktemp -d)"
tipin_pid=""
cleanup() {
    if [[ -n "$tipin_pid" ]] && kill -0 "$tipin_pid" 2>/dev/null; then
        kill "$tipin_pid" 2>/dev/null || true
        wait "$tipin_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    local shot="$build/Testing/installed-window-failure.png"
    mkdir -p "$build/Testing"
    import -window root "$shot" 2>/dev/null && echo "the screen at the failure: $shot"
    exit 1
}

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
bin="$stage$prefix/bin"
[[ -x "$bin/tipin" ]] || fail "no installed $bin/tipin"

# The label's rectangle in the start-up skin, read from the installed package.
skins=$(find "$stage" -path '*/share/tipin/skins' -type d)
"$bin/tipin-skin" extract "$skins/Purple.skn" "$work/purple" || fail "cannot extract Purple.skn"
IFS=, read -r _ left top right bottom _ < <(grep -E '^[0-9]+=LABEL_PAGETOTAL,' "$work/purple/Skin.ini")
IFS=, read -r _ close_left close_top close_right close_bottom _ < \
    <(grep -E '^[0-9]+=BUTTON_CLOSE,' "$work/purple/Skin.ini" | cut -d, -f1,3-)
[[ -n "${bottom:-}" && -n "${close_bottom:-}" ]] || fail "Purple.skn has no LABEL_PAGETOTAL or BUTTON_CLOSE"

# TIFF files of two and three pages, made with the installed tipin-pages.
convert -size 120x80 xc:white -fill black -draw 'rectangle 10,10 60,40' -monochrome \
    -compress Group4 "$work/one.tif"
cp "$work/one.tif" "$work/two.tif"
"$bin/tipin-pages" insert "$work/two.tif" 2 "$work/one.tif"
cp "$work/two.tif" "$work/three.tif"
"$bin/tipin-pages" insert "$work/three.tif" 3 "$work/one.tif"
[[ $("$bin/tipin-pages" count "$work/three.tif") == 3 ]] || fail "three.tif has not three pages"

home="$work/home"
mkdir -p "$home" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"

# run NAME [FILE]: starts the installed tipin in the empty home folder, waits for its skinned
# window, keeps a picture of the page-count label in $work/NAME.png, closes it with a click.
run() {
    local name="$1"
    shift
    (cd "$home" && exec env HOME="$home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/runtime" \
        QT_QPA_PLATFORM=xcb "$bin/tipin" "$@") >"$work/$name.out" 2>&1 &
    tipin_pid=$!
    local window="" info=""
    for _ in $(seq 1 300); do
        for id in $(xdotool search --onlyvisible --pid "$tipin_pid" 2>/dev/null); do
            info=$(xwininfo -id "$id")
            local width height
            width=$(sed -n 's/^ *Width: //p' <<<"$info")
            height=$(sed -n 's/^ *Height: //p' <<<"$info")
            if ((width >= right && height >= bottom)); then
                window="$id"
                break
            fi
        done
        [[ -n "$window" ]] && break
        kill -0 "$tipin_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [[ -z "$window" ]]; then
        local shown=""
        for id in $(xdotool search --onlyvisible --pid "$tipin_pid" 2>/dev/null); do
            shown+=" $(xwininfo -id "$id" | sed -n 's/^ *Width: //p')x$(xwininfo -id "$id" |
                sed -n 's/^ *Height: //p')"
        done
        fail "tipin${*:+ $*} showed no skinned window from $home; its windows:${shown:- none} \
(a small one is a message box, such as \"Open failed\" when the installed skins are not \
found); its output: $(cat "$work/$name.out")"
    fi
    local x y
    x=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    sleep 1 # the label is painted after the window is mapped
    import -window root -crop "$((right - left))x$((bottom - top))+$((x + left))+$((y + top))" \
        +repage "$work/$name.png"
    xdotool mousemove "$((x + (close_left + close_right) / 2))" \
        "$((y + (close_top + close_bottom) / 2))" click 1
    for _ in $(seq 1 200); do
        kill -0 "$tipin_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$tipin_pid" 2>/dev/null && fail "tipin${*:+ $*} did not end on a click on its close button"
    local code=0
    wait "$tipin_pid" || code=$?
    tipin_pid=""
    [[ $code -eq 0 ]] || fail "tipin${*:+ $*} ended with $code: $(cat "$work/$name.out")"
    [[ -z "$(ls -A "$home")" ]] || fail "tipin${*:+ $*} left files in the home folder: $(ls -A "$home")"
}

different() { # two label pictures differ in at least one pixel
    local pixels
    pixels=$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1) || true
    [[ "$pixels" =~ ^[0-9]+$ && "$pixels" -gt 0 ]]
}

run plain
run two "$work/two.tif"
run three "$work/three.tif"
different plain two || fail "the page-count label looks the same without a file and with two.tif"
different two three || fail "the page-count label looks the same for two.tif and three.tif"
echo "the installed tipin shows its skinned window from an empty home folder and the page counts"
