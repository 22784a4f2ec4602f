#!/usr/bin/env bash
# End to end: each program on its own virtual X display, driven with xdotool like a user,
# checked by screenshots and the windows' X11 properties.
#   run_e2e.sh <kadroskop> <lampionika> <editions source folder> <film_probe> <close_request>
#              <screenshots folder>
# The screenshots of the last run stay in the screenshots folder (in the build folder); the
# rest goes into a private temporary folder that is removed at the end.
# Exit status 0: passed, 1: failed, 77: skipped (no Xvfb or xdotool here).
set -u

kadroskop=$1
lampionika=$2
editions=$3
film_probe=$4
close_request=$5
shots=$6

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
if ! command -v xprop >/dev/null 2>&1; then
    echo "FAIL: xprop (x11-utils) is not installed"
    exit 1
fi

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

# Waits until a process of this shell has ended, 20 s at most; sets exit_status to its exit
# status, or to "running".
exit_status=
wait_for_exit() { # pid
    local tries=0
    while kill -0 "$1" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -ge 2000 ]; then
            exit_status=running
            return
        fi
        sleep 0.01
    done
    wait "$1"
    exit_status=$?
}

# A window's title is exactly its caption, and it asks for no task-bar button.
expect_window_hints() { # window-id caption what
    local title state
    title=$(xprop -id "$1" _NET_WM_NAME)
    [ "$title" = "_NET_WM_NAME(UTF8_STRING) = \"$2\"" ] ||
        fail "$3: the title is not exactly \"$2\": $title"
    state=$(xprop -id "$1" _NET_WM_STATE)
    case "$state" in
    *_NET_WM_STATE_SKIP_TASKBAR*) ;;
    *) fail "$3: no _NET_WM_STATE_SKIP_TASKBAR: $state" ;;
    esac
}

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
    expect_window_hints "$(xdotool search --onlyvisible --class "$name" | head -1)" Form1 \
        "$name main window"

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

# A window manager's close request to the main window ends the program.
close_by_window_manager() { # name executable
    echo "== $1: close request to the main window"
    timeout 60 "$2" >"$work/$1-close.out" 2>"$work/$1-close.err" &
    app_pid=$!
    wait_for_window "$1" || {
        kill "$app_pid"
        app_pid=
        return
    }
    "$close_request" "$(xdotool search --onlyvisible --class "$1" | head -1)" ||
        fail "$1: the close request could not be sent"
    wait_for_exit "$app_pid"
    [ "$exit_status" = running ] && kill "$app_pid"
    app_pid=
    [ "$exit_status" = 0 ] ||
        fail "$1: after the close request the program is $exit_status (status)"
    echo "  ended with status $exit_status"
}

# Polls a file for a line, 15 s at most.
wait_for_line() { # file line
    timeout 15 bash -c "until grep -qx '$2' '$1' 2>/dev/null; do sleep 0.01; done"
}

# A held PageDown pages one frame, in the main window and in the full-screen window, however
# many repeats the server sends while it is held. The probe prints each frame it shows.
held_keys() {
    echo "== held PageDown (film_probe)"
    local out="$work/probe.out"
    mkdir -p "$work/probe"
    "$film_probe" "$work/probe" >"$out" 2>"$work/probe.err" &
    app_pid=$!
    if ! wait_for_line "$out" "frame 1"; then
        fail "film_probe: frame 1 was not shown"
        kill "$app_pid"
        app_pid=
        return
    fi
    local main
    main=$(xdotool search --onlyvisible --name '^Form1$' | head -1)
    # Held long enough for dozens of repeats (the server's delay is 660 ms, then 25 a second).
    xdotool keydown Next
    sleep 2
    xdotool keyup Next
    xdotool key Insert
    if timeout 15 bash -c "until xdotool search --onlyvisible --name '^Form2\$' >/dev/null 2>&1; do sleep 0.01; done"; then
        expect_window_hints "$(xdotool search --onlyvisible --name '^Form2$' | head -1)" Form2 \
            "full-screen window"
        xdotool keydown Next
        sleep 2
        xdotool keyup Next
        xdotool key Escape
    else
        fail "film_probe: Insert showed no full-screen window"
    fi
    # Handled after every key before it: the frames printed by then are all that were paged.
    "$close_request" "$main"
    wait_for_exit "$app_pid"
    [ "$exit_status" = running ] && kill "$app_pid"
    app_pid=
    local frames
    frames=$(tr '\n' ' ' <"$out")
    echo "  shown: $frames"
    [ "$frames" = "frame 1 frame 2 frame 3 " ] ||
        fail "held PageDown: shown $frames- expected one frame per hold in each window"
    [ "$exit_status" = 0 ] ||
        fail "film_probe: after the close request the program is $exit_status (status)"
}

# The road of a film, driven with the mouse and keys: started in a folder of pictures, the
# chooser opened from the menu, a step into a subfolder and back up, a preview selected and
# accepted with "OK", frame 1 fitted, PageDown, a second opening cancelled, a third accepted
# with a double click on a preview. Positions are the designs' at 1024 x 768, with the
# chooser's client area centred on the main window: "list-row-x list-row-y up-x up-y
# preview-x preview-y ok-x ok-y cancel-x cancel-y preview1-x preview1-y backdrop-x
# backdrop-y", and the backdrop's colour once a film is selected.
open_film() { # name executable "positions" "r g b"
    local name=$1 exe=$2 selected=$4
    # shellcheck disable=SC2086
    set -- $3
    local row_x=$1 row_y=$2 up_x=$3 up_y=$4 pre_x=$5 pre_y=$6 ok_x=$7 ok_y=$8
    local cancel_x=$9 cancel_y=${10} pre1_x=${11} pre1_y=${12} back_x=${13} back_y=${14}
    echo "== $name: opening a film through the chooser"
    local film="$work/$name-film"
    mkdir -p "$film/sub"
    convert -size 64x48 xc:'rgb(255,0,0)' "$film/a.jpg"
    convert -size 64x48 xc:'rgb(0,0,255)' "$film/b.jpg"
    convert -size 64x48 xc:'rgb(0,255,0)' "$film/sub/x.jpg"
    (cd "$film" && exec timeout 90 "$exe" >"$work/$name-film.out" 2>"$work/$name-film.err") &
    app_pid=$!
    wait_for_window "$name" || {
        kill "$app_pid"
        app_pid=
        return
    }
    local step=0
    shot() { # what x y "r g b": a screenshot once the pixel shows the colour
        step=$((step + 1))
        local file="$shots/$name-road-$step-$1.png"
        screenshot_until "$file" "$2" "$3" "$4"
        echo "  $1: $file"
        expect_pixel "$file" "$2" "$3" "$4" "$name, $1"
    }
    near() { # file x y "r g b": each channel within 40 levels (JPEG)
        local got
        got=$(pixel "$1" "$2" "$3")
        awk -v a="$got" -v b="$4" 'BEGIN { split(a, x); split(b, y);
            for (i = 1; i <= 3; i++) if (x[i] - y[i] > 40 || y[i] - x[i] > 40) exit 1 }'
    }
    shot_near() { # what x y "r g b"
        step=$((step + 1))
        local file="$shots/$name-road-$step-$1.png" tries=0
        while :; do
            screenshot "$file"
            near "$file" "$2" "$3" "$4" && break
            # A slide of the film takes up to three seconds.
            tries=$((tries + 1))
            [ $tries -ge 40 ] && break
            sleep 0.2
        done
        echo "  $1: $file"
        near "$file" "$2" "$3" "$4" || fail "$name, $1: pixel $2,$3 is ($(pixel "$file" "$2" "$3")), expected about ($4)"
    }
    open_chooser() {
        xdotool mousemove 20 12 click 1
        sleep 0.2
        xdotool mousemove 30 32 click 1
    }
    open_chooser
    shot_near "chooser-open" "$pre_x" "$pre_y" "255 0 0"
    xdotool mousemove "$row_x" "$row_y" click --repeat 2 --delay 80 1
    shot_near "into-sub" "$pre_x" "$pre_y" "0 255 0"
    xdotool mousemove "$up_x" "$up_y" click 1
    shot_near "back-up" "$pre_x" "$pre_y" "255 0 0"
    xdotool mousemove "$pre_x" "$pre_y" click 1
    shot "selected" "$back_x" "$back_y" "$selected"
    xdotool mousemove "$ok_x" "$ok_y" click 1
    shot_near "frame-1-fitted" 624 384 "255 0 0"
    xdotool key Next
    shot_near "frame-2" 624 384 "0 0 255"
    open_chooser
    shot_near "second-opening" "$pre_x" "$pre_y" "255 0 0"
    xdotool mousemove "$cancel_x" "$cancel_y" click 1
    shot_near "cancelled" 624 384 "0 0 255"
    open_chooser
    shot_near "third-opening" "$pre1_x" "$pre1_y" "0 0 255"
    xdotool mousemove "$pre1_x" "$pre1_y" click --repeat 2 --delay 80 1
    shot_near "accepted-by-double-click" 624 384 "255 0 0"
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
}

run_program kadroskop "$kadroskop" kadroskop_photo
run_program lampionika "$lampionika" lampionika_photo
close_by_window_manager kadroskop "$kadroskop"
held_keys
open_film kadroskop "$kadroskop" "338 318 326 288 668 230 484 542 356 542 668 342 572 300" \
    "0 0 128"
open_film lampionika "$lampionika" "350 258 339 228 345 498 573 586 453 586 457 498 281 453" \
    "128 128 128"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
