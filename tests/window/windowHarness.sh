# Helpers of the window tests, sourced by a test script that runWindowTest.sh runs under Xvfb.
# Programs are known by a NAME the script gives them; window points are pixels from the window's
# top left corner; every wait gives up after WH_TIMEOUT seconds (10) and fails the test.
#
#   wh_start NAME COMMAND...         starts a program; its output goes to $WH_WORK/NAME.out and .err
#   wh_wait_window NAME TITLE        waits for its shown window of exactly that title, then focuses it
#   wh_wait_title NAME TITLE         waits until its window (found already) has that title
#   wh_wait_exit NAME                waits until the program ends; its exit status is in WH_STATUS
#   wh_wait_output NAME REGEX [N]    waits until N (1) lines of its output match the extended regex
#   wh_move NAME X Y                 moves the pointer over the window
#   wh_click NAME X Y [BUTTON]       clicks there (1 left, 2 middle, 3 right)
#   wh_key NAME KEY...               types xdotool key names (ctrl+c, Return) into the window
#   wh_type NAME TEXT                types the text into the window
#   wh_shot NAME FILE                takes a screenshot of the window
#   wh_pixel FILE X Y                prints the pixel's R,G,B (0-255)
#   wh_expect_pixel FILE X Y R,G,B   fails unless the pixel is that colour (give or take 8)
#   wh_wait_pixel NAME X Y R,G,B     takes screenshots until the window shows that colour there
#   wh_fail MESSAGE                  prints the message and every program's output, and exits 1
#
# Started programs are killed when the script exits.

WH_TIMEOUT=${WH_TIMEOUT:-10}
WH_WORK=${WH_WORK:-$(mktemp -d)}
declare -A WH_PIDS=() WH_WINDOWS=()

wh_cleanup() {
    local pid
    for pid in "${WH_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${WH_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
}
trap wh_cleanup EXIT

wh_fail() {
    local name
    echo "FAILED: $*" >&2
    for name in "${!WH_PIDS[@]}"; do
        echo "--- output of $name:" >&2
        cat "$WH_WORK/$name.out" "$WH_WORK/$name.err" >&2
    done
    exit 1
}

# wh_until DESCRIPTION COMMAND...: runs the command until it succeeds, or fails the test.
wh_until() {
    local what=$1 deadline=$((SECONDS + WH_TIMEOUT))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || wh_fail "timed out waiting for $what"
        sleep 0.05
    done
}

wh_start() {
    local name=$1
    shift
    "$@" >"$WH_WORK/$name.out" 2>"$WH_WORK/$name.err" &
    WH_PIDS[$name]=$!
}

wh_find_window() {
    local id
    id=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && WH_WINDOWS[$1]=$id
}

wh_focus() {
    timeout "$WH_TIMEOUT" xdotool windowfocus --sync "$1" || wh_fail "the window $1 does not take the focus"
}

wh_wait_window() {
    wh_until "the window \"$2\"" wh_find_window "$1" "$2"
    wh_focus "${WH_WINDOWS[$1]}"
}

wh_title_is() {
    [ "$(xdotool getwindowname "${WH_WINDOWS[$1]}" 2>/dev/null)" = "$2" ]
}

wh_wait_title() {
    wh_until "the title \"$2\"" wh_title_is "$1" "$2"
}

wh_ended() {
    ! kill -0 "${WH_PIDS[$1]}" 2>/dev/null
}

wh_wait_exit() {
    wh_until "$1 to end" wh_ended "$1"
    WH_STATUS=0
    wait "${WH_PIDS[$1]}" || WH_STATUS=$?
}

wh_count_output() {
    [ "$(grep -cE -- "$2" "$WH_WORK/$1.out")" -ge "$3" ]
}

wh_wait_output() {
    wh_until "$1 to print \"$2\"" wh_count_output "$1" "$2" "${3:-1}"
}

wh_move() {
    xdotool mousemove --window "${WH_WINDOWS[$1]}" "$2" "$3"
}

wh_click() {
    wh_move "$1" "$2" "$3"
    xdotool click "${4:-1}"
}

# An open menu has the keyboard: focusing its window again would close it.
wh_key() {
    local id=${WH_WINDOWS[$1]}
    shift
    [ "$(xdotool getwindowfocus)" = "$id" ] || wh_focus "$id"
    xdotool key --delay 30 "$@"
}

wh_type() {
    local id=${WH_WINDOWS[$1]}
    [ "$(xdotool getwindowfocus)" = "$id" ] || wh_focus "$id"
    xdotool type --delay 20 "$2"
}

wh_shot() {
    import -window "${WH_WINDOWS[$1]}" "$2"
}

wh_pixel() {
    local at="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$at.r+0.5)],%[fx:int(255*$at.g+0.5)],%[fx:int(255*$at.b+0.5)]" info:
}

# wh_pixel_is FILE X Y R,G,B: whether each channel is within 8 of the colour.
wh_pixel_is() {
    local actual expected
    IFS=, read -ra actual <<<"$(wh_pixel "$1" "$2" "$3")"
    IFS=, read -ra expected <<<"$4"
    local i
    for i in 0 1 2; do
        local d=$((actual[i] - expected[i]))
        [ ${d#-} -le 8 ] || return 1
    done
}

wh_expect_pixel() {
    wh_pixel_is "$@" || wh_fail "pixel ($2, $3) of $1 is $(wh_pixel "$1" "$2" "$3"), not $4"
}

wh_shot_shows() {
    wh_shot "$1" "$WH_WORK/$1-latest.png" && wh_pixel_is "$WH_WORK/$1-latest.png" "$2" "$3" "$4"
}

wh_wait_pixel() {
    wh_until "pixel ($2, $3) of $1 to be $4" wh_shot_shows "$@"
}
