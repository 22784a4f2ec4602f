#!/usr/bin/env bash
# End to end: each program on its own virtual X display, driven with xdotool like a user,
# checked by screenshots.
#   run_e2e.sh <kadroskop> <lampionika> <editions source folder> <screenshots folder>
# The screenshots of the last run stay in the screenshots folder (in the build folder); the
# rest goes into a private temporary folder that is removed at the end.
# Exit status 0: passed, 1: failed, 77: skipped (no Xvfb or xdotool here).
set -u

kadroskop=$1
lampionika=$2
editions=$3
shots=$4

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
for tool in import convert compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool (ImageMagick) is not installed"
        exit 1
    fi
done

rm -rf "$shots"
mkdir -p "$shots"
work=$(mktemp -d "${TMPDIR:-/tmp}/e2e-work-XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Without a display each program ends at once with a failure status and the platform's word
# for why.
for exe in "$kadroskop" "$lampionika"; do
    said=$( (
        ulimit -c 0
        exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 30 "$exe"
    ) 2>&1 >/dev/null)
    status=$?
    name=$(basename "$exe")
    [ $status -ne 0 ] || fail "$name: ended with status 0 without a display"
    grep -q "could not connect to display" <<<"$said" ||
        fail "$name: without a display it said only: $said"
done

# Xvfb picks a free display itself and writes its number once it accepts clients.
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
read -r -t 15 display <"$work/displayfd"
if [ -z "$display" ]; then
    echo "FAIL: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
fi
export DISPLAY=":$display"
echo "Xvfb on $DISPLAY"

# The colour of a pixel as "r g b" (0-255).
pixel() {
    convert "$1" -format \
        "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" \
        info:
}

expect_pixel() { # image x y "r g b" what
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel $2,$3 is ($got), expected ($4)"
}

expect_not_pixel() { # image x y "r g b" what
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" != "$4" ] || fail "$5: pixel $2,$3 should not be ($4)"
}

# Normalised root-mean-square difference between a region of a screenshot and a picture
# scaled to the region's size.
region_rmse() { # image x y w h picture
    convert "$1" -crop "$4x$5+$2+$3" +repage "$work/crop.png"
    convert "$6" -resize "$4x$5!" "$work/ref.png"
    compare -metric RMSE "$work/crop.png" "$work/ref.png" null: 2>&1 |
        sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# The photograph stands at top $3 when it matches there closely and clearly better than
# a little higher or lower.
expect_photo_at() { # image picture top what
    local here above below=1
    here=$(region_rmse "$1" 0 "$3" 225 285 "$2")
    above=$(region_rmse "$1" 0 $(($3 - 12)) 225 285 "$2")
    # Lower only while the region stays on the screen.
    [ $(($3 + 12 + 285)) -le 768 ] && below=$(region_rmse "$1" 0 $(($3 + 12)) 225 285 "$2")
    echo "  $4: difference $here at top $3 ($above 12 px higher, $below 12 px lower)"
    awk -v h="$here" -v a="$above" -v b="$below" \
        'BEGIN { exit !(h < 0.08 && h * 2 < a && h * 2 < b) }' ||
        fail "$4: the photograph is not drawn at 0,$3 225x285"
}

# Waits for a program's main window to be mapped.
wait_for_window() { # class
    # Polled every 10 ms (xdotool's own --sync waits half a second between looks).
    if ! timeout 15 bash -c "until xdotool search --onlyvisible --class '$1' >/dev/null 2>&1; do sleep 0.01; done"; then
        fail "$1: no window appeared"
        return 1
    fi
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

screenshot() { # file
    timeout 20 import -window root "$1"
}

# Takes the screenshot again until the pixel at x,y has the colour (a paint may still be on
# its way to the display), ten tries at most.
screenshot_until() { # file x y "r g b"
    local tries=0
    while :; do
        screenshot "$1"
        [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return
        tries=$((tries + 1))
        [ $tries -ge 10 ] && return
    done
}

run_program() { # name executable photograph-check
    local name=$1 exe=$2 shot="$shots/$1-start.png" menu="$shots/$1-menu.png"
    echo "== $name"
    local launched
    launched=$(now_ms)
    timeout 60 "$exe" >"$work/$name.out" 2>"$work/$name.err" &
    app_pid=$!
    wait_for_window "$name" || {
        kill "$app_pid"
        app_pid=
        return
    }
    echo "  window mapped $(($(now_ms) - launched)) ms after the start"

    screenshot_until "$shot" 600 300 "255 255 192"
    echo "  painted frame window seen $(($(now_ms) - launched)) ms after the start (screenshots included)"
    echo "  screenshot: $shot"

    # The black top bar with the menu label "Файл".
    expect_pixel "$shot" 600 5 "0 0 0" "$name top bar"
    expect_pixel "$shot" 1010 20 "0 0 0" "$name top bar"
    local ink
    ink=$(convert "$shot" -crop 40x16+0+6 +repage -format "%[fx:int(255*maxima.r)]" info:)
    [ "$ink" -ge 120 ] || fail "$name: no menu label in the top bar"

    # The pale yellow frame window at 250,25, 749 x 718.
    for p in "250 25" "998 25" "250 742" "998 742" "624 384"; do
        # shellcheck disable=SC2086
        expect_pixel "$shot" $p "255 255 192" "$name frame window"
    done
    for p in "249 384" "999 384" "624 24" "624 743"; do
        # shellcheck disable=SC2086
        expect_not_pixel "$shot" $p "255 255 192" "$name frame window edge"
    done

    "$3" "$shot"

    # "Файл" opens the menu; its third item, "Выход", ends the program.
    xdotool mousemove 20 12 click 1
    screenshot_until "$menu" 0 24 "128 128 128"
    echo "  menu: $menu"
    expect_pixel "$menu" 0 24 "128 128 128" "$name menu list border"
    # Rows of the default font are 13 pixels under the list's 2-pixel border at y 24.
    local row=13 exit_y=$((24 + 2 + 2 * 13 + 13 / 2))
    ink=$(convert "$menu" -crop "100x${row}+2+$((24 + 2 + 2 * row))" +repage \
        -format "%[fx:int(255*maxima.r)]" info:)
    [ "$ink" -ge 120 ] || fail "$name: no third menu item at row 3 of the list"
    local start=$SECONDS
    xdotool mousemove 20 "$exit_y" click 1
    wait "$app_pid"
    local status=$?
    app_pid=
    local took=$((SECONDS - start))
    [ $status -eq 0 ] || fail "$name: ended with status $status after \"Выход\""
    [ $took -le 5 ] || fail "$name: took $took s to end after \"Выход\""
    echo "  ended with status $status after $took s"
}

kadroskop_photo() {
    # Standing on the window's bottom edge, in front of the red band that runs down from
    # the top bar.
    expect_photo_at "$1" "$editions/kadroskop/pictures/form1_projector.bmp" $((768 - 285)) \
        "kadroskop photograph"
    local band
    read -r r g b <<<"$(pixel "$1" 10 300)"
    band="$r $g $b"
    [ "$r" -ge 120 ] && [ "$g" -le 60 ] && [ "$b" -le 60 ] ||
        fail "kadroskop: the band above the photograph is not red ($band)"
}

lampionika_photo() {
    # Centred on the frame window: 25 + (718 - 285) / 2 = 241.5, either pixel row.
    local here
    here=$(region_rmse "$1" 0 241 225 285 "$editions/lampionika/pictures/form1_lantern_empty.jpg")
    local other
    other=$(region_rmse "$1" 0 242 225 285 "$editions/lampionika/pictures/form1_lantern_empty.jpg")
    if awk -v a="$here" -v b="$other" 'BEGIN { exit !(a < b) }'; then
        expect_photo_at "$1" "$editions/lampionika/pictures/form1_lantern_empty.jpg" 241 \
            "lampionika photograph"
    else
        expect_photo_at "$1" "$editions/lampionika/pictures/form1_lantern_empty.jpg" 242 \
            "lampionika photograph"
    fi
}

run_program kadroskop "$kadroskop" kadroskop_photo
run_program lampionika "$lampionika" lampionika_photo

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
