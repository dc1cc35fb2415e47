# A link dragged with the real mouse from an output tab to an input tab of another node is one edit,
# and the file saved afterwards has it.
source "$(dirname "$0")/windowHarness.sh"
source "$(dirname "$0")/desktopSupport.sh"
DS_SCHEMATIC=$1 DS_WIDTH=640 DS_HEIGHT=400
export XDG_CONFIG_HOME="$WH_WORK/config"

ds_session "$WH_WORK/first.txt" "print view" "print nodes" "render $WH_WORK/first.png" \
    "print point @Falloff.out.0" "print point @Output.in.0"
read -r from_x from_y < <(awk -F'\t' '$1 == "point" { printf "%d %d\n", $2, $3; exit }' "$WH_WORK/first.txt")
read -r to_x to_y < <(awk -F'\t' '$1 == "point" { n++ } n == 2 { printf "%d %d\n", $2, $3; exit }' "$WH_WORK/first.txt")

wh_start app "$DS_SCHEMATIC" --size "${DS_WIDTH}x$DS_HEIGHT"
wh_wait_window app "Untitled - Schematic"
ds_wait_shows app "$WH_WORK/first.png" "$WH_WORK/first.txt"
top=$(ds_view_top app "$WH_WORK/first.png")

# Press, move in steps as a hand does, release over the input tab.
wh_move app "$from_x" $((from_y + top))
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    wh_move app $((from_x + (to_x - from_x) * step / 8)) $((from_y + top + (to_y - from_y) * step / 8))
    sleep 0.05
done
xdotool mouseup 1
wh_wait_title app "Untitled* - Schematic"

saved="$WH_WORK/saved.xml"
wh_key app shift+ctrl+s
wh_wait_window saveAs "Save As"
wh_type saveAs "$saved"
wh_key saveAs Return
wh_wait_title app "saved.xml - Schematic"
# Falloff (4) now feeds Output (8), which Over (7) fed before.
edges=$("$DS_SCHEMATIC" layout "$saved" --print | grep '^edge')
echo "$edges" | grep -q "^edge	4	0	8	0	" || wh_fail "the saved file lacks the dragged link: $edges"
echo "$edges" | grep -q "^edge	7	0	8	0	" && wh_fail "the input kept its old link: $edges"

wh_key app ctrl+q
wh_wait_exit app
[ "$WH_STATUS" = 0 ] || wh_fail "quitting ended with status $WH_STATUS"
