# The program opens the sample in a window that shows what a scripted session of the same view
# size shows, and the view's Fit key, pressed for real, fits the view as a scripted fit does.
source "$(dirname "$0")/windowHarness.sh"
source "$(dirname "$0")/desktopSupport.sh"
DS_SCHEMATIC=$1 DS_WIDTH=640 DS_HEIGHT=400
export XDG_CONFIG_HOME="$WH_WORK/config"
# A malformed workspace layout gives the defaults and one warning naming it.
mkdir -p "$XDG_CONFIG_HOME/schematic"
echo '<workspace version="1"><view name="Schematic1"' >"$XDG_CONFIG_HOME/schematic/workspace.xml"

ds_session "$WH_WORK/first.txt" "print view" "print nodes" "render $WH_WORK/first.png"
ds_session "$WH_WORK/fit.txt" "fit" "print view" "print nodes" "render $WH_WORK/fit.png"

wh_start app "$DS_SCHEMATIC" --size "${DS_WIDTH}x$DS_HEIGHT"
wh_wait_window app "Untitled - Schematic"
ds_wait_shows app "$WH_WORK/first.png" "$WH_WORK/first.txt"
[ "$(grep -c "$XDG_CONFIG_HOME/schematic/workspace.xml:1:" "$WH_WORK/app.err")" = 1 ] ||
    wh_fail "no single warning about the malformed workspace layout"

# Zooming out with the wheel moves the nodes away from where a fit puts them; F brings them back.
top=$(ds_view_top app "$WH_WORK/first.png")
wh_move app $((DS_WIDTH / 4)) $((top + DS_HEIGHT / 4))
xdotool click --repeat 3 --delay 50 5
ds_differs() { ! ds_shows "$@"; }
wh_until "the wheel to zoom out" ds_differs app "$WH_WORK/fit.png" "$WH_WORK/fit.txt"
# Off the nodes, so no hover highlight is left where the fit brings them.
wh_move app 2 $((top + 2))
wh_key app f
ds_wait_shows app "$WH_WORK/fit.png" "$WH_WORK/fit.txt"
