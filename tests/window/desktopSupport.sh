# Helpers of the desktop program's window tests, sourced after windowHarness.sh. The window is
# checked against what a scripted session of the same view size shows: node centres are read
# from the session's reports and the window's pixels there must be the session's.
#
#   DS_SCHEMATIC, DS_WIDTH, DS_HEIGHT    the program and the view's size, set by the test
#   ds_session OUT LINE...               runs a session of the sample with those script lines
#   ds_wait_shows NAME RENDER REPORT     waits until the window shows what RENDER shows at the
#                                        centres of the nodes of REPORT ("print view", then
#                                        "print nodes")
#   ds_shows NAME RENDER REPORT          the same, once, without waiting
#   ds_view_top NAME                     the view's top row in the window's latest screenshot

ds_session() {
    local out=$1
    shift
    printf '%s\n' "$@" >"$WH_WORK/session.script"
    "$DS_SCHEMATIC" script "$WH_WORK/session.script" --size "${DS_WIDTH}x${DS_HEIGHT}" >"$out" ||
        wh_fail "the scripted session failed"
}

# The view pixel (from the top left) of each node centre inside the view, one "X Y" a line.
ds_node_pixels() {
    awk -F'\t' -v w="$DS_WIDTH" -v h="$DS_HEIGHT" '
        $1 == "view" { zoom = $2; px = $3; py = $4 }
        $1 == "node" {
            x = int(($4 + px) * zoom + w / 2); y = h - 1 - int(($5 + py) * zoom + h / 2)
            if (x >= 0 && x < w && y >= 0 && y < h) print x, y
        }' "$1"
}

# The view fills the window's width; above it are the menus. Its top row is the first one whose
# leftmost pixels have the background colour the session shows in its own top left corner.
ds_view_top() {
    local background
    background=$(wh_pixel "$2" 2 0)
    convert "$WH_WORK/$1-latest.png" -crop 1x200+2+0 +repage -depth 8 txt:- |
        sed -n 's/^0,\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' |
        awk -v want="$background" '
            BEGIN { split(want, c, ",") }
            function near(a, b) { return a - b <= 8 && b - a <= 8 }
            near($2, c[1]) && near($3, c[2]) && near($4, c[3]) { print $1; exit }'
}

ds_shows() {
    local name=$1 render=$2 report=$3 top x y shown=0
    wh_shot "$name" "$WH_WORK/$name-latest.png" || return 1
    top=$(ds_view_top "$name" "$render")
    [ -n "$top" ] || return 1
    while read -r x y; do
        wh_pixel_is "$WH_WORK/$name-latest.png" "$x" $((y + top)) "$(wh_pixel "$render" "$x" "$y")" || return 1
        shown=$((shown + 1))
    done < <(ds_node_pixels "$report")
    [ $shown -ge 3 ]
}

ds_wait_shows() {
    wh_until "$1 to show what $(basename "$2") shows" ds_shows "$@"
}
